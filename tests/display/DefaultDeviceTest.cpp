// The defaults' device and mode part, and the listed modes the System page
// shares with it.
#include <cstring>
#include <string>
#include <vector>

#include "DisplayListFixture.h"
#include "ScriptedSource.h"
#include "session/Defaults.h"
#include "session/ListedModes.h"
#include "settings/ScreenModeTable.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"

namespace {

using scripted::Hardware;
using scripted::Mode;
using scripted::Software;

struct Line {
    int32_t width, height;
    bool operator==(const Line& o) const { return width == o.width && height == o.height; }
};

std::ostream& operator<<(std::ostream& out, const Line& l)
{
    return out << l.width << "x" << l.height;
}

scripted::Driver PrimaryWith(std::vector<scripted::Device> devices, std::vector<DisplayMode> modes)
{
    scripted::Driver driver;
    driver.name = "primary";
    driver.modes = std::move(modes);
    driver.devices = std::move(devices);
    return driver;
}

class DefaultDevice : public DisplayListTest {
protected:
    void SetUp() override
    {
        DisplayListTest::SetUp();
        ScreenModeTable = ScreenModeList{};
        InitSettingNames();
        ASSERT_TRUE(CRegistry::CrateInstance());
        s().DEVICECNT = 5;
        s().MODECNT = 7;
        std::strcpy(s().DEVICENAME, "earlier");
        std::memset(&s().GUIDDEVICE, 0xEE, 16);
        std::memset(&s().GUIDDRIVER, 0xDD, 16);
    }
    void TearDown() override
    {
        CRegistry::ReleaseInstance();
        ScreenModeTable = ScreenModeList{};
        DisplayListTest::TearDown();
    }

    static CRegistry& s() { return *SetupSettings; }

    static void Enumerate(std::vector<scripted::Driver> drivers)
    {
        scripted::Source source(std::move(drivers));
        BuildDisplayDeviceList(AcceptAll, source);
    }

    static std::vector<Line> Table(int count)
    {
        std::vector<Line> lines;
        for (int i = 0; i < count; ++i) {
            const ScreenMode* mode = ScreenModeTable.At(i);
            EXPECT_EQ(mode->bitsPerPixel, 16);
            lines.push_back({mode->width, mode->height});
        }
        return lines;
    }

    static void ExpectDeviceFieldsUntouched()
    {
        EXPECT_EQ(s().DEVICECNT, 5);
        EXPECT_EQ(s().MODECNT, 7);
        EXPECT_STREQ(s().DEVICENAME, "earlier");
        EXPECT_EQ(s().GUIDDEVICE.bytes[15], 0xEE);
        EXPECT_EQ(s().GUIDDRIVER.bytes[15], 0xDD);
    }
};

TEST_F(DefaultDevice, WithoutHardwareDeviceOnlyTheFixedValuesChange)
{
    for (bool withSoftware : {false, true}) {
        ClearList();
        if (withSoftware)
            Enumerate({PrimaryWith({Software("RGB")}, {Mode(800, 600, 16)})});

        ApplyDefaults();

        SCOPED_TRACE(withSoftware);
        ExpectDeviceFieldsUntouched();
        EXPECT_EQ(s().SOUNDMODE, 1);
        EXPECT_EQ(s().WIDTH, 640);
        EXPECT_EQ(s().HEIGHT, 480);
        EXPECT_EQ(s().BITPERPIXEL, 16);
        EXPECT_EQ(Table(1), (std::vector<Line>{{640, 480}}));
    }
}

TEST_F(DefaultDevice, ListedModesFillTheTableAndModeCountFindsSixFortyByFourEighty)
{
    const struct {
        const char* what;
        std::vector<DisplayMode> modes;
        std::vector<Line> table;
        int32_t modeCount;
    } cases[] = {
        {"only 800 x 600 and 1024 x 768", {Mode(1024, 768, 16), Mode(800, 600, 16)}, {{800, 600}, {1024, 768}}, 7},
        {"low and 32-bit modes are not listed",
         {Mode(640, 400, 16), Mode(640, 480, 16), Mode(640, 480, 32), Mode(800, 600, 16), Mode(800, 600, 32)},
         {{640, 480}, {800, 600}},
         0},
        {"a narrower mode goes first",
         {Mode(640, 480, 16), Mode(512, 480, 16), Mode(800, 600, 16)},
         {{512, 480}, {640, 480}, {800, 600}},
         1},
    };
    for (const auto& c : cases) {
        ClearList();
        ScreenModeTable = ScreenModeList{};
        s().MODECNT = 7;
        s().WIDTH = 1024;
        Enumerate({PrimaryWith({Hardware("HAL")}, c.modes)});

        ApplyDefaults();

        SCOPED_TRACE(c.what);
        EXPECT_EQ(Table(int(c.table.size())), c.table);
        EXPECT_EQ(s().MODECNT, c.modeCount);
        EXPECT_EQ(s().WIDTH, 640);
        EXPECT_EQ(s().HEIGHT, 480);
        EXPECT_EQ(s().BITPERPIXEL, 16);
    }
}

TEST_F(DefaultDevice, FirstHardwareDeviceIsTakenPastASoftwareOne)
{
    scripted::Driver second;
    second.secondary = true;
    second.guidByte = 0x42;
    second.description = "Second Adapter";
    second.name = "second";
    second.modes = {Mode(640, 480, 16)};
    second.devices = {Hardware("HAL", 9)};
    Enumerate({PrimaryWith({Software("RGB", 1), Hardware("HAL", 2), Hardware("T&L HAL", 3)},
                           {Mode(640, 480, 16)}),
               second});

    ApplyDefaults();

    EXPECT_EQ(s().DEVICECNT, 0);
    EXPECT_STREQ(s().DEVICENAME, "HAL");
    EXPECT_EQ(std::memcmp(&s().GUIDDEVICE, &GetDisplayDevices()[1].deviceGuid, 16), 0);
    EXPECT_EQ(std::memcmp(&s().GUIDDRIVER, std::vector<uint8_t>(16, 0).data(), 16), 0);
    EXPECT_EQ(s().MODECNT, 0);

    EXPECT_EQ(FindUsableDevice(0), &GetDisplayDevices()[1]);
    EXPECT_EQ(FindUsableDevice(1), &GetDisplayDevices()[2]);
    ASSERT_EQ(FindUsableDevice(2), &GetDisplayDevices()[3]);
    EXPECT_EQ(FindUsableDevice(2)->driverGuid.bytes[0], 0x42);
    EXPECT_EQ(FindUsableDevice(3), nullptr);
    EXPECT_EQ(FindUsableDevice(-1), nullptr);
}

TEST_F(DefaultDevice, DefaultAfterAnotherChoiceReturnsToTheFirstDevice)
{
    Enumerate({PrimaryWith({Hardware("HAL", 2), Hardware("T&L HAL", 3)},
                           {Mode(640, 480, 16), Mode(800, 600, 16)})});
    ApplyDefaults();
    s().DEVICECNT = 1;
    s().MODECNT = 1;
    s().WIDTH = 800;
    std::strcpy(s().DEVICENAME, "T&L HAL");
    s().preservedLines = {"-- kept"};

    ApplyDefaults();

    EXPECT_EQ(s().DEVICECNT, 0);
    EXPECT_EQ(s().MODECNT, 0);
    EXPECT_EQ(s().WIDTH, 640);
    EXPECT_STREQ(s().DEVICENAME, "HAL");
    EXPECT_EQ(s().preservedLines, TextLines{"-- kept"});
}

TEST_F(DefaultDevice, SixtyListedModesKeepSixFortyByFourEightyAndTheHighestThirtyNine)
{
    std::vector<DisplayMode> modes;
    for (uint32_t i = 0; i < 59; ++i)
        modes.push_back(Mode(700 + 10 * i, 480 + i, 16));
    modes.push_back(Mode(640, 480, 16));
    modes.push_back(Mode(320, 240, 16));  // not listed: too low
    Enumerate({PrimaryWith({Hardware("HAL")}, modes)});

    ScreenMode listed[ScreenModeList::kSize];
    const int count = ListModes(*FindUsableDevice(0), listed);

    ASSERT_EQ(count, 40);
    EXPECT_EQ((Line{listed[0].width, listed[0].height}), (Line{640, 480}));
    EXPECT_EQ((Line{listed[1].width, listed[1].height}), (Line{700 + 10 * 20, 480 + 20}));
    EXPECT_EQ((Line{listed[39].width, listed[39].height}), (Line{700 + 10 * 58, 480 + 58}));
    for (int i = 1; i < count; ++i)
        EXPECT_LT(listed[i - 1].width, listed[i].width);

    ApplyDefaults();
    EXPECT_EQ(s().MODECNT, 0);
    EXPECT_EQ(ScreenModeTable.At(39)->width, 700 + 10 * 58);
}

}  // namespace
