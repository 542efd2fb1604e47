// The sheet: its button row, DEFAULT, and how OK and Cancel end it.
#include <filesystem>

#include "SheetFixture.h"
#include "res/resource.h"
#include "session/Defaults.h"

namespace {

using ui_driver::Click;
using ui_driver::MessageBoxAnswerer;
using ui_driver::WindowText;

RECT ClientRectOf(HWND parent, HWND child)
{
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string Describe(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

TEST_F(SheetTest, ButtonRowReadsOkCancelDefaultWithoutHelpOrApply)
{
    OpenSheet();
    EXPECT_EQ(WindowText(SheetWindow()), "Korvane Setup");
    EXPECT_EQ(WindowText(SheetItem(IDOK)), "OK");
    EXPECT_EQ(WindowText(SheetItem(IDCANCEL)), "CANCEL");
    HWND defaultButton = SheetItem(IDC_DEFAULT);
    ASSERT_NE(defaultButton, nullptr);
    EXPECT_EQ(WindowText(defaultButton), "DEFAULT");
    EXPECT_EQ(GetWindowLongA(defaultButton, GWL_STYLE) & (WS_CHILD | WS_VISIBLE | WS_TABSTOP),
              WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(SheetItem(IDHELP), nullptr);
    EXPECT_EQ(SheetItem(0x3021), nullptr);
}

// The width of an icon's picture; 0 when there is none.
int IconWidth(HICON icon)
{
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info))
        return 0;
    CBitmap colour, mask;
    colour.Attach(info.hbmColor);
    mask.Attach(info.hbmMask);
    BITMAP description{};
    return mask.GetBitmap(&description) ? description.bmWidth : 0;
}

// The caption shows the small size of the program's icon, the taskbar the
// large one.
TEST_F(SheetTest, ShowsTheProgramsIconInItsCaptionAndOnTheTaskbar)
{
    OpenSheet();
    auto icon = [&](WPARAM size) {
        return reinterpret_cast<HICON>(SendMessageA(SheetWindow(), WM_GETICON, size, 0));
    };
    EXPECT_EQ(IconWidth(icon(ICON_SMALL)), GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(IconWidth(icon(ICON_BIG)), GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(icon(ICON_BIG), LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SETUP),
                                         IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

// DEFAULT takes the Help button's place after the 10-pixel shift. Where the
// platform left Help beyond the window's edge (Wine), the row moves one more
// button left, so that DEFAULT stands where it can be pressed.
TEST_F(SheetTest, DefaultTakesTheHelpButtonsPlaceSizeAndFontAfterTheShift)
{
    // The same sheet without our button row shows where the platform put them.
    CSetupOption plainSystem;
    CSetupCMD plainOption;
    CPropertySheet plain("Plain", nullptr, 0);
    plain.AddPage(&plainSystem);
    plain.AddPage(&plainOption);
    plain.AddFlags(PSH_NOAPPLYNOW);
    ASSERT_TRUE(plain.Create());
    HWND plainWindow = plain.GetSafeHwnd();
    RECT help = ClientRectOf(plainWindow, GetDlgItem(plainWindow, IDHELP));
    RECT cancel = ClientRectOf(plainWindow, GetDlgItem(plainWindow, IDCANCEL));
    RECT ok = ClientRectOf(plainWindow, GetDlgItem(plainWindow, IDOK));
    RECT client;
    GetClientRect(plainWindow, &client);
    plain.DestroyWindow();
    int shift = -10;
    if (help.right + shift > client.right)
        shift -= help.left - cancel.left;
    OffsetRect(&help, shift, 0);
    OffsetRect(&ok, shift, 0);

    OpenSheet();
    HWND defaultButton = SheetItem(IDC_DEFAULT);
    EXPECT_EQ(Describe(ClientRectOf(SheetWindow(), defaultButton)), Describe(help));
    EXPECT_EQ(Describe(ClientRectOf(SheetWindow(), SheetItem(IDOK))), Describe(ok));
    EXPECT_LE(help.right, client.right);
    EXPECT_EQ(SendMessageA(defaultButton, WM_GETFONT, 0, 0),
              SendMessageA(SheetItem(IDOK), WM_GETFONT, 0, 0));
}

TEST_F(SheetTest, DefaultBeforeTheOptionPageWasOpenedResetsAllAndTheOptionPageShowsItLater)
{
    CRegistry& s = *SetupSettings;
    ApplyDefaults();
    const int32_t defaultSprite = s.SPRITEMODE;
    const int32_t defaultFog = s.Setting(kFirstCommandKey + 7);
    OpenSheet();
    Release(SystemItem(IDC_SPRITE_DETAIL), 1 - defaultSprite % 2);
    s.Setting(kFirstCommandKey + 7) = 1 - defaultFog;
    s.SOUNDMODE = 0;
    systemPage_->UpdateControls();

    Click(SheetItem(IDC_DEFAULT));
    EXPECT_EQ(s.SPRITEMODE, defaultSprite);
    EXPECT_EQ(s.SOUNDMODE, 1);
    EXPECT_EQ(s.Setting(kFirstCommandKey + 7), defaultFog);
    EXPECT_EQ(SendMessageA(SystemItem(IDC_SPRITE_DETAIL), TBM_GETPOS, 0, 0), defaultSprite);
    EXPECT_EQ(Checked(SystemItem(IDC_NO_SOUND)), BST_UNCHECKED);
    EXPECT_FALSE(optionPage_->IsInitialised());

    ShowOptionPage();
    EXPECT_EQ(Checked(OptionItem(IDC_CMD_FOG)), defaultFog);
}

TEST_F(SheetTest, DefaultRefreshesAnOpenedOptionPage)
{
    ApplyDefaults();
    const int32_t defaultFog = SetupSettings->Setting(kFirstCommandKey + 7);
    OpenSheet();
    ShowOptionPage();
    Click(OptionItem(IDC_CMD_FOG));
    ASSERT_NE(Checked(OptionItem(IDC_CMD_FOG)), defaultFog);
    Click(SheetItem(IDC_DEFAULT));
    EXPECT_EQ(Checked(OptionItem(IDC_CMD_FOG)), defaultFog);
}

// OK asks the message script's question in a box captioned "Setup", owned
// by the System page; the answer alone sets SaveConfirmed.
TEST_F(SheetTest, OkAsksAndTheAnswerDecidesSavingAndTheSaveFolder)
{
    const struct {
        int answer;
        bool plainFileThere;
        bool confirmed;
    } cases[] = {
        {IDOK, false, true},
        {IDCANCEL, false, false},
        {IDOK, true, true},
    };
    for (const auto& c : cases) {
        std::error_code ignored;
        std::filesystem::remove_all("savedata", ignored);
        if (c.plainFileThere)
            std::ofstream("savedata") << "not a folder";
        SaveConfirmed = !c.confirmed;
        OpenSheet();
        MessageBoxAnswerer answerer("Setup", c.answer);
        Click(SheetItem(IDOK));

        EXPECT_EQ(answerer.answered(), 1);
        EXPECT_EQ(answerer.question(), IsOkQuestion());
        EXPECT_EQ(answerer.owner(), GetAncestor(systemPage_->GetSafeHwnd(), GA_ROOT));
        EXPECT_TRUE(sheet_->HasEnded());
        EXPECT_EQ(SaveConfirmed, c.confirmed) << c.answer;
        if (c.plainFileThere)
            EXPECT_TRUE(std::filesystem::is_regular_file("savedata"));
        else
            EXPECT_EQ(std::filesystem::is_directory("savedata"), c.confirmed);
        sheet_.reset();
    }
}

// No message script, or one without "ISOK": the tool asks its own question.
TEST_F(SheetTest, WithoutTheScriptsQuestionOkAsksTheToolsOwn)
{
    for (const char* script : {static_cast<const char*>(nullptr), "SetupMSG = { Mode = \"m\" }"}) {
        std::filesystem::remove("System/LuaFiles514/MsgString.lua");
        if (script != nullptr)
            std::ofstream("System/LuaFiles514/MsgString.lua") << script;
        OpenSheet();
        MessageBoxAnswerer answerer("Setup", IDCANCEL);
        Click(SheetItem(IDOK));
        EXPECT_EQ(answerer.answered(), 1);
        EXPECT_EQ(answerer.question(), "Save these settings and close Setup?");
        sheet_.reset();
    }
}

TEST_F(SheetTest, CancelAndClosingAskNothingAndLeaveSaveConfirmedFalse)
{
    for (bool close : {false, true}) {
        OpenSheet();
        MessageBoxAnswerer answerer("Setup", IDOK);
        if (close)
            SendMessageA(SheetWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            Click(SheetItem(IDCANCEL));
        ui_driver::PumpMessages();
        EXPECT_TRUE(sheet_->HasEnded());
        EXPECT_EQ(answerer.answered(), 0);
        EXPECT_FALSE(SaveConfirmed);
        EXPECT_FALSE(std::filesystem::exists("savedata"));
        sheet_.reset();
    }
}

}  // namespace
