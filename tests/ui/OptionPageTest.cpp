// The Option page: 21 command boxes, each bound to its own flag.
#include "SheetFixture.h"
#include "res/resource.h"

namespace {

// The box of each command, in name-table order from "/notrade".
const int kBoxOfCommand[] = {
    IDC_CMD_NOTRADE,  IDC_CMD_NOSHIFT,  IDC_CMD_NOCTRL,   IDC_CMD_SKILLFAIL, IDC_CMD_NOTALKMSG,
    IDC_CMD_NOTALKMSG2, IDC_CMD_SHOWNAME, IDC_CMD_FOG,    IDC_CMD_AURA,      IDC_CMD_WINDOW,
    IDC_CMD_MISS,     IDC_CMD_EFFECT,   IDC_CMD_SHOPPING, IDC_CMD_STATEINFO, IDC_CMD_LOGINOUT,
    IDC_CMD_SNAP,     IDC_CMD_ITEMSNAP, IDC_CMD_CAMERA,   IDC_CMD_HOAI,      IDC_CMD_MERAI,
    IDC_CMD_LIGHTMAP,
};

class OptionPageTest : public SheetTest {
protected:
    // Alternating flags, so that a box bound to the wrong flag shows.
    void SetUp() override
    {
        SheetTest::SetUp();
        for (int key = kFirstCommandKey; key <= kLastCommandKey; ++key)
            SetupSettings->Setting(key) = key % 2;
    }

    std::vector<int32_t> CommandFlags() const
    {
        std::vector<int32_t> flags;
        for (int key = kFirstCommandKey; key <= kLastCommandKey; ++key)
            flags.push_back(SetupSettings->Setting(key));
        return flags;
    }
};

TEST_F(OptionPageTest, OpensOnlyWhenItsTabIsShownWithEachBoxShowingItsFlag)
{
    OpenSheet();
    EXPECT_FALSE(optionPage_->IsInitialised());
    ShowOptionPage();
    ASSERT_TRUE(optionPage_->IsInitialised());
    for (int key = kFirstCommandKey; key <= kLastCommandKey; ++key)
        EXPECT_EQ(Checked(OptionItem(kBoxOfCommand[key - kFirstCommandKey])), key % 2)
            << SettingName(key);
}

TEST_F(OptionPageTest, ClickingABoxStoresItsNewStateInItsOwnFlagOnly)
{
    OpenSheet();
    ShowOptionPage();
    for (int key = kFirstCommandKey; key <= kLastCommandKey; ++key) {
        std::vector<int32_t> expected = CommandFlags();
        expected[key - kFirstCommandKey] = 1 - key % 2;
        ui_driver::Click(OptionItem(kBoxOfCommand[key - kFirstCommandKey]));
        EXPECT_EQ(CommandFlags(), expected) << SettingName(key);
    }
}

TEST_F(OptionPageTest, FogClickedTwiceLeavesEveryFlagAsItWas)
{
    OpenSheet();
    ShowOptionPage();
    std::vector<int32_t> before = CommandFlags();
    ui_driver::Click(OptionItem(IDC_CMD_FOG));
    ui_driver::Click(OptionItem(IDC_CMD_FOG));
    EXPECT_EQ(CommandFlags(), before);
}

TEST_F(OptionPageTest, AFlagOtherThanZeroOrOneStaysUntilItsBoxIsClicked)
{
    SetupSettings->Setting(kFirstCommandKey + 7) = 2;  // "/fog"
    OpenSheet();
    ShowOptionPage();
    EXPECT_EQ(SetupSettings->Setting(kFirstCommandKey + 7), 2);
    ui_driver::Click(OptionItem(IDC_CMD_FOG));
    int32_t stored = SetupSettings->Setting(kFirstCommandKey + 7);
    EXPECT_TRUE(stored == 0 || stored == 1);
    EXPECT_EQ(stored, Checked(OptionItem(IDC_CMD_FOG)));
}

// One tool per box in name-table order, each showing the script's text for
// its command's key when it shows; the fixture's script has two of them.
TEST_F(OptionPageTest, TooltipsShowEachCommandsTextInNameTableOrder)
{
    OpenSheet();
    ShowOptionPage();
    std::vector<Tool> tools = ToolsOf(ToolTipOf(optionPage_->GetSafeHwnd()));
    ASSERT_EQ(tools.size(), 21u);
    for (int key = kFirstCommandKey; key <= kLastCommandKey; ++key) {
        const Tool& tool = tools[static_cast<size_t>(key - kFirstCommandKey)];
        const std::string name = SettingName(key + kCommandMessageOffset);
        EXPECT_EQ(tool.id, kBoxOfCommand[key - kFirstCommandKey]) << name;
        EXPECT_TRUE(tool.asksWhenShown) << name;
        EXPECT_EQ(tool.text, name == "fog" || name == "lightmap" ? "tip " + name : "") << name;
    }
}

TEST_F(OptionPageTest, ControlsGetTheWhiteBrushBlackTextAndATransparentBackground)
{
    OpenSheet();
    ShowOptionPage();
    HDC dc = CreateCompatibleDC(nullptr);
    SetBkColor(dc, RGB(1, 2, 3));
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(optionPage_->GetSafeHwnd(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(OptionItem(IDC_CMD_FOG))));
    LOGBRUSH description = {};
    ASSERT_NE(GetObjectA(brush, sizeof description, &description), 0);
    EXPECT_EQ(description.lbColor, RGB(255, 255, 255));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(GetBkColor(dc), RGB(1, 2, 3));
    DeleteDC(dc);
}

}  // namespace
