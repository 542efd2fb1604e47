// The System page of a running Setup.exe: the Mode list shows as chosen the
// mode OK saves, each track bar saves the position it shows, and OK always
// asks a question.
#include "SetupRun.h"

#include <commctrl.h>

namespace {

using namespace e2e;

const char kChosenMode[] = "1024 x 768 x 16";

// Written by hand or by another tool: MODECNT names another line than the
// size the client starts in.
std::string SavedWithModeCount(int32_t position, const char* extraLines = "")
{
    return std::string("OptionInfoList[\"WIDTH\"] = 1024\r\n"
                       "OptionInfoList[\"HEIGHT\"] = 768\r\n"
                       "OptionInfoList[\"BITPERPIXEL\"] = 16\r\n"
                       "OptionInfoList[\"MODECNT\"] = ") +
           std::to_string(position) + "\r\n" + extraLines;
}

bool Holds(const std::string& saved, const std::string& key, int value)
{
    return saved.find("OptionInfoList[\"" + key + "\"] = " + std::to_string(value) + "\r\n") !=
           std::string::npos;
}

class SystemPageRun : public SetupRun {
protected:
    // The line the mode list shows as chosen, checked to read kChosenMode.
    int ChosenModeLine() const
    {
        HWND modes = SystemItem(IDC_MODE_LIST);
        EXPECT_EQ(remote::SelectedLine(modes), kChosenMode);
        return static_cast<int>(SendMessageA(modes, CB_GETCURSEL, 0, 0));
    }

    void ExpectSaved(int modeLine, int deviceLine)
    {
        const std::string saved = ReadBytes(SavedFile());
        EXPECT_TRUE(Holds(saved, "MODECNT", modeLine)) << saved;
        EXPECT_TRUE(Holds(saved, "DEVICECNT", deviceLine)) << saved;
        EXPECT_TRUE(Holds(saved, "WIDTH", 1024)) << saved;
        EXPECT_TRUE(Holds(saved, "HEIGHT", 768)) << saved;
    }
};

TEST_F(SystemPageRun, AHandEditedModeCountShowsAndSavesTheLineOfTheSavedSize)
{
    WriteBytes(SavedFile(), SavedWithModeCount(1));
    Start();
    std::vector<std::string> lines = remote::ComboLines(SystemItem(IDC_MODE_LIST));
    ASSERT_GT(lines.size(), 1u);
    ASSERT_NE(lines[1], kChosenMode);

    const int line = ChosenModeLine();
    PressOkAndAnswer(IDOK);
    ExpectSaved(line, 0);
}

// A saved device beyond the list shows no lines; the player's device choice
// brings in the device's lines, and the saved size's line is chosen.
TEST_F(SystemPageRun, ADeviceChoiceShowsAndSavesTheLineOfTheSavedSize)
{
    WriteBytes(SavedFile(), SavedWithModeCount(1, "OptionInfoList[\"DEVICECNT\"] = 25\r\n"));
    Start();
    EXPECT_TRUE(remote::ComboLines(SystemItem(IDC_MODE_LIST)).empty());

    remote::Choose(SystemItem(IDC_DEVICE_LIST), 0);
    const int line = ChosenModeLine();
    EXPECT_NE(line, 1);
    PressOkAndAnswer(IDOK);
    ExpectSaved(line, 0);
}

// Keyboard-only and wheel players: each track bar moved without a mouse
// release saves the position it shows.
TEST_F(SystemPageRun, KeyAndWheelMovesOfEachTrackBarAreWhatOkSaves)
{
    const struct {
        int id;
        const char* key;
    } sliders[] = {{IDC_SPRITE_DETAIL, "SPRITEMODE"},
                   {IDC_TEXTURE_DETAIL, "TEXTUREMODE"},
                   {IDC_BGM_VOLUME, "Bgm_Volume"},
                   {IDC_EFFECT_VOLUME, "Effect_Volume"}};
    for (const bool wheel : {false, true}) {
        SCOPED_TRACE(wheel ? "wheel" : "keys");
        Start();
        std::vector<LRESULT> shown;
        for (const auto& slider : sliders) {
            HWND control = SystemItem(slider.id);
            const LRESULT before = SendMessageA(control, TBM_GETPOS, 0, 0);
            if (wheel) {
                RECT box;
                GetWindowRect(control, &box);
                SendMessageA(control, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA),
                             MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2));
            } else {
                SendMessageA(control, WM_KEYDOWN, VK_LEFT, 0);
                SendMessageA(control, WM_KEYUP, VK_LEFT, 0);
            }
            shown.push_back(SendMessageA(control, TBM_GETPOS, 0, 0));
            EXPECT_NE(shown.back(), before) << slider.key;
        }
        PressOkAndAnswer(IDOK);
        const std::string saved = ReadBytes(SavedFile());
        for (std::size_t at = 0; at < shown.size(); ++at)
            EXPECT_TRUE(Holds(saved, sliders[at].key, static_cast<int>(shown[at]))) << saved;
    }
}

TEST_F(SystemPageRun, WithoutAQuestionInTheMessageScriptOkAsksTheToolsOwn)
{
    WriteBytes(folder_.path() / "System" / "LuaFiles514" / "MsgString.lua", "");
    Start();
    remote::PostClick(SheetItem(IDOK));
    std::string question;
    EXPECT_TRUE(remote::AnswerSetupQuestion(setup_->id(), IDCANCEL, kTimeoutMs, question));
    EXPECT_EQ(question, "Save these settings and close Setup?");
    EXPECT_EQ(setup_->Wait(kTimeoutMs), 0);
    EXPECT_EQ(ReadBytes(SavedFile()), kSavedBefore);
}

}  // namespace
