// The System page, driven through its real controls.
#include <cstring>

#include "SheetFixture.h"
#include "res/resource.h"
#include "settings/ScreenModeTable.h"
#include "settings/SettingRanges.h"

namespace {

using scripted::Hardware;
using scripted::Mode;
using scripted::Software;

// A primary driver whose devices are software, hardware, hardware, and a
// secondary driver with one hardware device and three listed modes.
std::vector<scripted::Driver> ThreeUsableDevices()
{
    scripted::Driver primary;
    primary.modes = {Mode(320, 240, 16),  Mode(512, 480, 16), Mode(640, 480, 8),
                     Mode(640, 480, 16),  Mode(640, 480, 32), Mode(800, 600, 16),
                     Mode(1024, 768, 32)};
    primary.devices = {Software("Soft Rasterizer", 1), Hardware("First HAL", 2),
                       Hardware("Second HAL", 3)};
    scripted::Driver secondary;
    secondary.secondary = true;
    secondary.guidByte = 9;
    secondary.description = "Second Adapter";
    secondary.modes = {Mode(640, 480, 16), Mode(800, 600, 16), Mode(1024, 768, 16)};
    secondary.devices = {Hardware("Adapter HAL", 4)};
    return {primary, secondary};
}

class SystemPageTest : public SheetTest {
protected:
    void SetUp() override
    {
        SheetTest::SetUp();
        UseDrivers(ThreeUsableDevices());
        CRegistry& s = *SetupSettings;
        s.DEVICECNT = 0;
        s.MODECNT = 1;
        s.WIDTH = 640;
        s.HEIGHT = 480;
        s.BITPERPIXEL = 16;
        s.SOUNDMODE = 1;
        s.Bgm_Volume = 70;
        s.Effect_Volume = 80;
        s.Setting(kBgmSwitch) = 1;
        s.Setting(kSoundSwitch) = 1;
    }
};

TEST_F(SystemPageTest, DeviceListShowsUsableDevicesOnlyAndModeListOnlyTallSixteenBitModes)
{
    OpenSheet();
    EXPECT_EQ(ComboLines(SystemItem(IDC_DEVICE_LIST)),
              (std::vector<std::string>{"First HAL", "Second HAL", "Second Adapter"}));
    EXPECT_EQ(Selection(SystemItem(IDC_DEVICE_LIST)), 0);
    // 320 x 240 is too short, 8 and 32 bits are not offered; 512 x 480 comes first.
    EXPECT_EQ(ComboLines(SystemItem(IDC_MODE_LIST)),
              (std::vector<std::string>{"512 x 480 x 16", "640 x 480 x 16", "800 x 600 x 16"}));
    EXPECT_EQ(Selection(SystemItem(IDC_MODE_LIST)), 1);

    const int expected[][3] = {{512, 480, 16}, {640, 480, 16}, {800, 600, 16}};
    for (int i = 0; i < 3; ++i) {
        const ScreenMode* mode = ScreenModeTable.At(i);
        EXPECT_EQ(mode->width, expected[i][0]) << i;
        EXPECT_EQ(mode->height, expected[i][1]) << i;
        EXPECT_EQ(mode->bitsPerPixel, expected[i][2]) << i;
    }
    EXPECT_STREQ(SetupSettings->DEVICENAME, "First HAL");
    EXPECT_EQ(SetupSettings->GUIDDEVICE.bytes[0], 2);
}

TEST_F(SystemPageTest, ChoosingAModeStoresItsPositionAndSize)
{
    OpenSheet();
    Choose(SystemItem(IDC_MODE_LIST), 2);
    const CRegistry& s = *SetupSettings;
    EXPECT_EQ(s.MODECNT, 2);
    EXPECT_EQ(s.WIDTH, 800);
    EXPECT_EQ(s.HEIGHT, 600);
    EXPECT_EQ(s.BITPERPIXEL, 16);
}

TEST_F(SystemPageTest, ChoosingADeviceTakesItsIdentityAndModesButKeepsTheMode)
{
    SetupSettings->MODECNT = 5;
    SetupSettings->WIDTH = 1280;
    OpenSheet();
    EXPECT_EQ(Selection(SystemItem(IDC_MODE_LIST)), -1);

    Choose(SystemItem(IDC_DEVICE_LIST), 2);
    const CRegistry& s = *SetupSettings;
    EXPECT_EQ(s.DEVICECNT, 2);
    EXPECT_STREQ(s.DEVICENAME, "Second Adapter");
    EXPECT_EQ(s.GUIDDEVICE.bytes[0], 4);
    EXPECT_EQ(s.GUIDDRIVER.bytes[0], 9);
    EXPECT_EQ(ComboLines(SystemItem(IDC_MODE_LIST)),
              (std::vector<std::string>{"640 x 480 x 16", "800 x 600 x 16", "1024 x 768 x 16"}));
    EXPECT_EQ(ScreenModeTable.At(2)->width, 1024);
    // MODECNT 5 is beyond the new list: nothing selected, nothing changed.
    EXPECT_EQ(Selection(SystemItem(IDC_MODE_LIST)), -1);
    EXPECT_EQ(s.MODECNT, 5);
    EXPECT_EQ(s.WIDTH, 1280);
    EXPECT_EQ(s.HEIGHT, 480);
}

// 800 x 600 x 16 is line 2 of the first device's list, line 1 of the
// adapter's: the new list shows the mode chosen, and MODECNT follows it.
TEST_F(SystemPageTest, ChoosingADeviceWhoseListHasTheModeElsewhereMovesModeCountToIt)
{
    OpenSheet();
    Choose(SystemItem(IDC_MODE_LIST), 2);
    Choose(SystemItem(IDC_DEVICE_LIST), 2);
    EXPECT_EQ(Selection(SystemItem(IDC_MODE_LIST)), 1);
    const CRegistry& s = *SetupSettings;
    EXPECT_EQ(s.MODECNT, 1);
    EXPECT_EQ(s.WIDTH, 800);
    EXPECT_EQ(s.HEIGHT, 600);
}

TEST_F(SystemPageTest, ChoosingTheSecondDeviceLineSkipsTheSoftwareDevice)
{
    OpenSheet();
    Choose(SystemItem(IDC_DEVICE_LIST), 1);
    EXPECT_EQ(SetupSettings->DEVICECNT, 1);
    EXPECT_STREQ(SetupSettings->DEVICENAME, "Second HAL");
    EXPECT_EQ(SetupSettings->GUIDDEVICE.bytes[15], 3);
}

TEST_F(SystemPageTest, WithoutAUsableDeviceBothListsAreEmptyAndTheIdentityStays)
{
    scripted::Driver softwareOnly;
    softwareOnly.modes = {Mode(640, 480, 16)};
    softwareOnly.devices = {Software("Soft Rasterizer", 1)};
    UseDrivers({softwareOnly});
    std::strcpy(SetupSettings->DEVICENAME, "Kept");
    OpenSheet();
    EXPECT_TRUE(ComboLines(SystemItem(IDC_DEVICE_LIST)).empty());
    EXPECT_TRUE(ComboLines(SystemItem(IDC_MODE_LIST)).empty());
    EXPECT_STREQ(SetupSettings->DEVICENAME, "Kept");
}

TEST_F(SystemPageTest, EachSwitchStoresItsNewCheckState)
{
    OpenSheet();
    const struct {
        int id;
        int32_t& field;
    } switches[] = {
        {IDC_FULLSCREEN, SetupSettings->ISFULLSCREENMODE},
        {IDC_MOUSE_EXCLUSIVE, SetupSettings->MouseExclusive},
        {IDC_BGM_ON, SetupSettings->Setting(kBgmSwitch)},
        {IDC_EFFECT_ON, SetupSettings->Setting(kSoundSwitch)},
    };
    for (const auto& box : switches) {
        int before = box.field;
        EXPECT_EQ(Checked(SystemItem(box.id)), before) << box.id;
        ui_driver::Click(SystemItem(box.id));
        EXPECT_EQ(box.field, 1 - before) << box.id;
        ui_driver::Click(SystemItem(box.id));
        EXPECT_EQ(box.field, before) << box.id;
    }
}

TEST_F(SystemPageTest, NoSoundIsCheckedExactlyWhenSoundModeIsZeroAndTouchesNothingElse)
{
    OpenSheet();
    HWND noSound = SystemItem(IDC_NO_SOUND);
    EXPECT_EQ(Checked(noSound), BST_UNCHECKED);
    ui_driver::Click(noSound);
    const CRegistry& s = *SetupSettings;
    EXPECT_EQ(s.SOUNDMODE, 0);
    EXPECT_EQ(s.Bgm_Volume, 70);
    EXPECT_EQ(s.Effect_Volume, 80);
    EXPECT_EQ(SetupSettings->Setting(kBgmSwitch), 1);
    EXPECT_EQ(SetupSettings->Setting(kSoundSwitch), 1);
    EXPECT_TRUE(IsWindowEnabled(SystemItem(IDC_BGM_VOLUME)));
    ui_driver::Click(noSound);
    EXPECT_EQ(s.SOUNDMODE, 1);

    SetupSettings->SOUNDMODE = 0;
    systemPage_->UpdateControls();
    EXPECT_EQ(Checked(noSound), BST_CHECKED);
}

// Binding, handlers and sliders all read the page's table of controls: a
// row whose control reaches another row's setting, or a handler that writes
// a field of its own, shows as a second setting changing.
TEST_F(SystemPageTest, EachControlOfThePageTableChangesItsOwnSettingAndNoOther)
{
    OpenSheet();
    auto settings = [] {
        std::vector<int32_t> values;
        for (const EditedSetting& edited : EditedSettings())
            values.push_back(edited.Value(*SetupSettings));
        return values;
    };
    const std::vector<EditedSetting> edited = EditedSettings();
    int operated = 0;
    for (const CSetupOption::Control& row : CSetupOption::Controls()) {
        HWND control = SystemItem(row.id);
        if (row.kind == CSetupOption::Kind::kDeviceList || row.kind == CSetupOption::Kind::kModeList)
            continue;  // the device and mode tests drive the two lists
        const std::vector<int32_t> before = settings();
        if (row.kind == CSetupOption::Kind::kSlider) {
            const auto position = static_cast<int>(SendMessageA(control, TBM_GETPOS, 0, 0));
            Release(control, position == row.range->high ? row.range->low : row.range->high);
        } else {
            ui_driver::Click(control);
        }
        const std::vector<int32_t> after = settings();
        for (std::size_t i = 0; i < edited.size(); ++i)
            EXPECT_EQ(after[i] != before[i], edited[i].key == row.setting)
                << "control " << row.id << ", setting " << edited[i].Name();
        ++operated;
    }
    EXPECT_EQ(operated, 9);
}

TEST_F(SystemPageTest, TrackBarsStoreTheirPositionWhenTheMouseLetsGo)
{
    OpenSheet();
    const struct {
        int id;
        int position;
        int32_t& field;
    } sliders[] = {
        {IDC_SPRITE_DETAIL, 1, SetupSettings->SPRITEMODE},
        {IDC_TEXTURE_DETAIL, 0, SetupSettings->TEXTUREMODE},
        {IDC_BGM_VOLUME, 127, SetupSettings->Bgm_Volume},
        {IDC_EFFECT_VOLUME, 3, SetupSettings->Effect_Volume},
    };
    for (const auto& slider : sliders) {
        Release(SystemItem(slider.id), slider.position);
        EXPECT_EQ(slider.field, slider.position) << slider.id;
    }
}

TEST_F(SystemPageTest, AStoredSpriteModeOfThreeShowsAtTheRightEndAndStaysUntilReleased)
{
    SetupSettings->SPRITEMODE = 3;
    OpenSheet();
    HWND sprite = SystemItem(IDC_SPRITE_DETAIL);
    EXPECT_EQ(SendMessageA(sprite, TBM_GETPOS, 0, 0), 2);
    EXPECT_EQ(SetupSettings->SPRITEMODE, 3);
    Release(sprite, 2);
    EXPECT_EQ(SetupSettings->SPRITEMODE, 2);
}

// Keys and the wheel move a track bar without a mouse release: each move
// stores what the track bar shows.
TEST_F(SystemPageTest, EveryKeyAndWheelMoveOfATrackBarStoresThePositionShown)
{
    OpenSheet();
    const struct {
        int id;
        int32_t& field;
    } sliders[] = {
        {IDC_SPRITE_DETAIL, SetupSettings->SPRITEMODE},
        {IDC_TEXTURE_DETAIL, SetupSettings->TEXTUREMODE},
        {IDC_BGM_VOLUME, SetupSettings->Bgm_Volume},
        {IDC_EFFECT_VOLUME, SetupSettings->Effect_Volume},
    };
    // From the middle, each of these moves the thumb, whatever the range.
    const UINT keys[] = {VK_RIGHT, VK_HOME, VK_END, VK_LEFT, VK_NEXT, VK_PRIOR};
    for (const auto& slider : sliders) {
        HWND control = SystemItem(slider.id);
        SetFocus(control);
        LRESULT shown = SendMessageA(control, TBM_GETRANGEMAX, 0, 0) / 2;
        SendMessageA(control, TBM_SETPOS, TRUE, shown);
        const auto expectStored = [&](const char* move) {
            ui_driver::PumpMessages();
            EXPECT_NE(SendMessageA(control, TBM_GETPOS, 0, 0), shown) << slider.id << " " << move;
            shown = SendMessageA(control, TBM_GETPOS, 0, 0);
            EXPECT_EQ(slider.field, shown) << slider.id << " " << move;
        };
        for (const UINT key : keys) {
            SendMessageA(control, WM_KEYDOWN, key, 0);
            SendMessageA(control, WM_KEYUP, key, 0);
            expectStored("key");
        }
        for (const int delta : {-WHEEL_DELTA, WHEEL_DELTA}) {
            // Another test's window may have taken the focus while messages were pumped.
            SetFocus(control);
            SendMessageA(control, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
            expectStored("wheel");
        }
    }
}

// Each control's text is the message script's for its key, looked up when
// the tooltip shows it; a key the script lacks shows nothing.
TEST_F(SystemPageTest, TooltipsShowTheMessageScriptsTextsInRegistrationOrder)
{
    OpenSheet();
    const int order[] = {IDC_DEVICE_LIST,   IDC_MODE_LIST,      IDC_FULLSCREEN, IDC_MOUSE_EXCLUSIVE,
                         IDC_SPRITE_DETAIL, IDC_TEXTURE_DETAIL, IDC_BGM_VOLUME, IDC_EFFECT_VOLUME,
                         IDC_BGM_ON,        IDC_EFFECT_ON,      IDC_NO_SOUND};
    std::vector<Tool> tools = ToolsOf(ToolTipOf(systemPage_->GetSafeHwnd()));
    ASSERT_EQ(tools.size(), 11u);
    for (size_t i = 0; i < tools.size(); ++i) {
        const std::string key = SettingName(kFirstSystemMessage + static_cast<int>(i));
        EXPECT_EQ(tools[i].id, order[i]) << key;
        EXPECT_TRUE(tools[i].asksWhenShown) << key;
        EXPECT_EQ(tools[i].text, key == "NoSound" ? "" : "tip " + key);
    }
}

// The text is what the script says when the tooltip shows, however long.
TEST_F(SystemPageTest, ATooltipShowsTheScriptAsItIsNowAndLongTextsWhole)
{
    OpenSheet();
    const std::string longText(150, 'w');
    std::ofstream("System/LuaFiles514/MsgString.lua", std::ios::binary | std::ios::trunc)
        << "SetupMSG = { Sprite = \"" << longText << "\" }\r\n";
    EXPECT_EQ(ShownText(*systemPage_, SystemItem(IDC_SPRITE_DETAIL)), longText);
    EXPECT_EQ(ShownText(*systemPage_, SystemItem(IDC_DEVICE_LIST)), "");
}

TEST_F(SystemPageTest, ControlsGetTheWhiteBrushBlackTextAndAWhiteTextBackground)
{
    OpenSheet();
    HDC dc = CreateCompatibleDC(nullptr);
    SetBkColor(dc, RGB(1, 2, 3));
    SetBkMode(dc, OPAQUE);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(systemPage_->GetSafeHwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(SystemItem(IDC_FULLSCREEN))));
    LOGBRUSH description = {};
    ASSERT_NE(GetObjectA(brush, sizeof description, &description), 0);
    EXPECT_EQ(description.lbColor, RGB(255, 255, 255));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    DeleteDC(dc);
}

}  // namespace
