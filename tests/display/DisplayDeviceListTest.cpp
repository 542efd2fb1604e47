#include <cstring>
#include <string>
#include <vector>

#include "DisplayListFixture.h"
#include "FailingAllocation.h"
#include "ScriptedSource.h"

namespace {

using scripted::Hardware;
using scripted::Mode;
using scripted::Software;

struct Size {
    uint32_t width, height, bits;
    bool operator==(const Size& o) const { return width == o.width && height == o.height && bits == o.bits; }
};

std::ostream& operator<<(std::ostream& out, const Size& s)
{
    return out << s.width << "x" << s.height << "x" << s.bits;
}

std::vector<Size> ModesOf(const DisplayDevice& device)
{
    std::vector<Size> sizes;
    for (uint32_t i = 0; i < device.modeCount; ++i) {
        const DisplayMode& m = device.modes[i];
        sizes.push_back({m.dwWidth, m.dwHeight, m.ddpfPixelFormat.dwRGBBitCount});
    }
    return sizes;
}

bool AllBytesAre(const void* data, size_t size, uint8_t byte)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) {
        if (bytes[i] != byte)
            return false;
    }
    return true;
}

std::vector<DisplayMode> CommonModes()
{
    return {Mode(800, 600, 16), Mode(640, 480, 16), Mode(640, 480, 32), Mode(640, 480, 8)};
}

scripted::Device TnlHardware(const std::string& name, uint8_t guidByte)
{
    scripted::Device device = Hardware(name, guidByte);
    device.devCaps |= 0x00010000;  // transform and lighting
    return device;
}

scripted::Driver Primary(std::vector<scripted::Device> devices, std::vector<DisplayMode> modes = CommonModes())
{
    scripted::Driver driver;
    driver.description = "Primary Display Driver";
    driver.name = "primary";
    driver.modes = std::move(modes);
    driver.devices = std::move(devices);
    return driver;
}

scripted::Driver Secondary(uint8_t guidByte, std::vector<scripted::Device> devices,
                           std::vector<DisplayMode> modes = CommonModes())
{
    scripted::Driver driver = Primary(std::move(devices), std::move(modes));
    driver.secondary = true;
    driver.guidByte = guidByte;
    driver.description = "Second Adapter";
    driver.name = "second" + std::to_string(guidByte);
    return driver;
}

std::vector<scripted::Device> ThreeDevices()
{
    return {Software("RGB Emulation", 1), Hardware("Direct3D HAL", 2), TnlHardware("Direct3D T&L HAL", 3)};
}

TEST_F(DisplayListTest, PrimaryDriverKeepsSoftwareHardwareAndTransformDevicesByTheirNames)
{
    scripted::Source source({Primary(ThreeDevices())});

    EXPECT_EQ(BuildDisplayDeviceList(AcceptAll, source), kDevicesListed);

    ASSERT_EQ(GetKeptDeviceCount(), 3u);
    EXPECT_EQ(GetOfferedDeviceCount(), 3u);
    const char* names[] = {"RGB Emulation", "Direct3D HAL", "Direct3D T&L HAL"};
    for (uint32_t i = 0; i < 3; ++i) {
        const DisplayDevice& device = Kept(i);
        SCOPED_TRACE(names[i]);
        EXPECT_STREQ(device.description, names[i]);
        EXPECT_EQ(device.isHardware, i == 0 ? 0u : 1u);
        EXPECT_EQ(device.driverGuidRef, nullptr);
        EXPECT_TRUE(AllBytesAre(&device.driverGuid, 16, 0));
        EXPECT_TRUE(AllBytesAre(&device.deviceGuid, 16, uint8_t(i + 1)));
        EXPECT_EQ(device.deviceGuidRef, &device.deviceGuid);
    }
    EXPECT_EQ(Kept(2).deviceCaps.dwDevCaps, kHardwareRasterization | 0x00010000u);
}

TEST_F(DisplayListTest, SecondaryDriverKeepsOnlyHardwareDevicesByTheDriversDescription)
{
    scripted::Source source({Secondary(7, ThreeDevices())});

    EXPECT_EQ(BuildDisplayDeviceList(AcceptAll, source), kDevicesListed);

    EXPECT_EQ(GetOfferedDeviceCount(), 3u);
    ASSERT_EQ(GetKeptDeviceCount(), 2u);
    for (uint32_t i = 0; i < 2; ++i) {
        const DisplayDevice& device = Kept(i);
        EXPECT_STREQ(device.description, "Second Adapter");
        EXPECT_EQ(device.isHardware, 1u);
        EXPECT_EQ(device.driverGuidRef, &device.driverGuid);
        EXPECT_TRUE(AllBytesAre(&device.driverGuid, 16, 7));
        EXPECT_TRUE(AllBytesAre(&device.deviceGuid, 16, uint8_t(i + 2)));
    }
}

TEST_F(DisplayListTest, RenderDepthsChooseTheKeptModesAndEightBitsNeverStay)
{
    const struct {
        uint32_t depths;
        std::vector<Size> kept;
    } cases[] = {
        {kRenderDepth16, {{640, 480, 16}, {800, 600, 16}}},
        {kRenderDepth32, {{640, 480, 32}, {800, 600, 32}}},
        {kRenderDepth16 | kRenderDepth24 | kRenderDepth32,
         {{640, 480, 16}, {640, 480, 24}, {640, 480, 32}, {800, 600, 16}, {800, 600, 32}}},
        {0xFF, {}},
    };
    for (const auto& c : cases) {
        ClearList();
        scripted::Device device = Hardware("HAL");
        device.renderDepths = c.depths;
        scripted::Source source({Primary(
            {device}, {Mode(800, 600, 32), Mode(640, 480, 8), Mode(800, 600, 16), Mode(640, 480, 24),
                       Mode(640, 480, 16), Mode(800, 600, 8), Mode(640, 480, 32)})});

        BuildDisplayDeviceList(AcceptAll, source);

        SCOPED_TRACE(c.depths);
        if (c.kept.empty()) {
            EXPECT_EQ(GetKeptDeviceCount(), 0u);
            continue;
        }
        ASSERT_EQ(GetKeptDeviceCount(), 1u);
        EXPECT_EQ(ModesOf(Kept(0)), c.kept);
    }
}

TEST_F(DisplayListTest, ModesAscendByWidthHeightAndBits)
{
    scripted::Source source({Primary(
        {Hardware("HAL")},
        {Mode(1024, 768, 32), Mode(640, 480, 16), Mode(800, 600, 16), Mode(640, 480, 32)})});

    BuildDisplayDeviceList(AcceptAll, source);

    ASSERT_EQ(GetKeptDeviceCount(), 1u);
    EXPECT_EQ(ModesOf(Kept(0)),
              (std::vector<Size>{{640, 480, 16}, {640, 480, 32}, {800, 600, 16}, {1024, 768, 32}}));
}

TEST_F(DisplayListTest, FullScreenModeIsTheSixFortyByFourEightyBySixteenMode)
{
    scripted::Source source({Primary({Hardware("HAL", 1)}, {Mode(800, 600, 16), Mode(640, 480, 32), Mode(640, 480, 16)}),
                             Secondary(5, {Hardware("HAL", 2)}, {Mode(800, 600, 16), Mode(1024, 768, 16)})});

    BuildDisplayDeviceList(AcceptAll, source);

    ASSERT_EQ(GetKeptDeviceCount(), 2u);
    EXPECT_EQ(Kept(0).currentMode, 0u);
    EXPECT_EQ(Kept(0).fullScreenMode.dwWidth, 640u);
    EXPECT_EQ(Kept(0).fullScreenMode.ddpfPixelFormat.dwRGBBitCount, 16u);
    // Without such a mode: all zero, and index 0.
    EXPECT_EQ(Kept(1).currentMode, 0u);
    EXPECT_TRUE(AllBytesAre(&Kept(1).fullScreenMode, sizeof(DisplayMode), 0));
}

TEST_F(DisplayListTest, FortyCharacterTextsAreStoredAsThirtyEight)
{
    const std::string forty(40, 'x');
    scripted::Driver secondary = Secondary(9, {Hardware("HAL", 2)});
    secondary.description = forty;
    scripted::Source source({Primary({Hardware(forty, 1)}), secondary});

    BuildDisplayDeviceList(AcceptAll, source);

    ASSERT_EQ(GetKeptDeviceCount(), 2u);
    EXPECT_EQ(std::string(Kept(0).description), std::string(38, 'x'));
    EXPECT_EQ(std::string(Kept(1).description), std::string(38, 'x'));
}

TEST_F(DisplayListTest, ResultTellsWhetherDevicesWereOfferedAndKept)
{
    scripted::Driver closed = Primary(ThreeDevices());
    closed.opens = false;
    scripted::Driver without3D = Primary(ThreeDevices());
    without3D.hasDirect3D = false;
    scripted::Driver onlyEightBits = Primary(ThreeDevices(), {Mode(640, 480, 8)});
    const struct {
        const char* what;
        std::vector<scripted::Driver> drivers;
        DeviceAcceptTest accept;
        int32_t result;
        uint32_t offered;
    } cases[] = {
        {"no driver", {}, AcceptAll, kNoDeviceOffered, 0},
        {"driver without devices", {Primary({})}, AcceptAll, kNoDeviceOffered, 0},
        {"driver that does not open", {closed}, AcceptAll, kNoDeviceOffered, 0},
        {"driver without Direct3D", {without3D}, AcceptAll, kNoDeviceOffered, 0},
        {"every device refused", {Primary(ThreeDevices())}, RejectAll, kNoDeviceKept, 3},
        {"no usable mode", {onlyEightBits}, AcceptAll, kNoDeviceKept, 3},
        {"software device of a secondary driver", {Secondary(4, {Software("RGB")})}, AcceptAll, kNoDeviceKept, 1},
        {"one device kept", {Primary({Hardware("HAL")})}, nullptr, kDevicesListed, 1},
    };
    for (const auto& c : cases) {
        ClearList();
        scripted::Source source(c.drivers);
        EXPECT_EQ(BuildDisplayDeviceList(c.accept, source), c.result) << c.what;
        EXPECT_EQ(GetOfferedDeviceCount(), c.offered) << c.what;
        EXPECT_EQ(GetKeptDeviceCount(), c.result == kDevicesListed ? 1u : 0u) << c.what;
    }
    EXPECT_EQ(kNoDeviceOffered, int32_t(0x81000002u));
    EXPECT_EQ(kNoDeviceKept, int32_t(0x81000003u));
}

TEST_F(DisplayListTest, EveryOpenedObjectIsReleasedDirect3DFirst)
{
    scripted::Driver without3D = Secondary(3, ThreeDevices());
    without3D.hasDirect3D = false;
    scripted::Source source({Primary(ThreeDevices()), without3D});

    BuildDisplayDeviceList(AcceptAll, source);

    EXPECT_EQ(source.calls(), (std::vector<std::string>{"open primary", "direct3d primary",
                                                        "release direct3d primary", "release primary",
                                                        "open second3", "release second3"}));
    EXPECT_EQ(source.capsSizes[0], sizeof(DriverCaps));
    EXPECT_EQ(source.capsSizes[1], sizeof(DriverCaps));
}

TEST_F(DisplayListTest, DesktopCompatibilityAndStereoModesAreNoted)
{
    scripted::Driver primary = Primary({Hardware("HAL", 1)}, {Mode(640, 480, 16, kStereoSurfaceLeft)});
    primary.caps2 = kCanRenderWindowed;
    scripted::Driver secondary = Secondary(6, {Hardware("HAL", 2)});
    secondary.caps2 = kCanRenderWindowed;
    scripted::Source source({primary, secondary});

    BuildDisplayDeviceList(AcceptAll, source);

    ASSERT_EQ(GetKeptDeviceCount(), 2u);
    EXPECT_EQ(Kept(0).isDesktopCompatible, 1u);
    EXPECT_EQ(Kept(0).isWindowed, 1u);
    EXPECT_EQ(Kept(0).hasStereoModes, 1u);
    EXPECT_EQ(Kept(0).driverCaps.dwCaps2, kCanRenderWindowed);
    EXPECT_EQ(Kept(1).isDesktopCompatible, 0u);
    EXPECT_EQ(Kept(1).isWindowed, 0u);
    EXPECT_EQ(Kept(1).hasStereoModes, 0u);
}

TEST_F(DisplayListTest, TwentyFirstDeviceIsCountedButNotKept)
{
    std::vector<scripted::Device> devices;
    for (int i = 0; i < 21; ++i)
        devices.push_back(Hardware("HAL " + std::to_string(i), uint8_t(i + 1)));
    scripted::Source source({Primary(devices)});

    EXPECT_EQ(BuildDisplayDeviceList(AcceptAll, source), kDevicesListed);

    EXPECT_EQ(GetOfferedDeviceCount(), 21u);
    ASSERT_EQ(GetKeptDeviceCount(), 20u);
    EXPECT_STREQ(Kept(0).description, "HAL 0");
    EXPECT_STREQ(Kept(19).description, "HAL 19");
}

TEST_F(DisplayListTest, DeviceWhoseModeArrayCannotBeAllocatedIsRejected)
{
    // The first driver has three modes, the second two: only arrays of three
    // modes fail, so only the first driver's devices lose theirs.
    scripted::Source source({Primary({Hardware("HAL", 1)}, {Mode(640, 480, 16), Mode(800, 600, 16), Mode(1024, 768, 16)}),
                             Secondary(2, {Hardware("HAL", 2)}, {Mode(640, 480, 16), Mode(800, 600, 16)})});

    int32_t result;
    {
        FailingAllocation failing(3 * sizeof(DisplayMode));
        result = BuildDisplayDeviceList(AcceptAll, source);
    }

    EXPECT_EQ(result, kDevicesListed);
    EXPECT_EQ(GetOfferedDeviceCount(), 2u);
    ASSERT_EQ(GetKeptDeviceCount(), 1u);
    EXPECT_STREQ(Kept(0).description, "Second Adapter");
}

TEST_F(DisplayListTest, FreeingReleasesTheModeArraysAndKeepsTheCounts)
{
    scripted::Source source({Primary(ThreeDevices())});
    BuildDisplayDeviceList(AcceptAll, source);

    FreeDisplayDevices();

    EXPECT_EQ(GetKeptDeviceCount(), 3u);
    for (uint32_t i = 0; i < 3; ++i)
        EXPECT_FALSE(Kept(i).modes);
}

#ifndef _WIN32
TEST_F(DisplayListTest, HostWithoutDirectDrawOffersNoDevice)
{
    EXPECT_EQ(BuildDisplayDeviceList(AcceptAll), kNoDeviceOffered);
    EXPECT_EQ(GetKeptDeviceCount(), 0u);
}
#endif

}  // namespace
