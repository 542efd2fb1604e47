// The enumeration against DirectDraw itself, under Wine. Wine's DirectDraw
// reports the screen modes of the X display it runs on; a bare Xvfb screen
// has one size, so only 1024 x 768 (at 8, 16 and 32 bits) would be offered.
// scripts/wine-run.sh therefore runs every program of the prefix in a Wine
// virtual desktop (HKCU\Software\Wine\Explorer "Desktop"), whose display
// offers the usual modes from 320 x 200 up to the desktop's own size:
// 640 x 480 and 800 x 600 among them, each at 8, 16 and 32 bits.
#include <gtest/gtest.h>

#include <string>

#include "display/DisplayDevice.h"
#include "display/ModeOrder.h"
#include "session/ListedModes.h"

namespace {

int32_t AcceptAll(const DriverCaps&, const DeviceCaps&)
{
    return 0;
}

bool HasListedMode(const DisplayDevice& device, int32_t width, int32_t height)
{
    ScreenMode listed[ScreenModeList::kSize];
    const int count = ListModes(device, listed);
    for (int i = 0; i < count; ++i) {
        if (listed[i].width == width && listed[i].height == height)
            return true;
    }
    return false;
}

TEST(DirectDraw, KeepsAHardwareDeviceWithSortedModesIncludingTheDefaultOne)
{
    ASSERT_EQ(BuildDisplayDeviceList(AcceptAll), kDevicesListed);

    ASSERT_GE(GetKeptDeviceCount(), 1u);
    EXPECT_GE(GetOfferedDeviceCount(), GetKeptDeviceCount());
    for (uint32_t d = 0; d < GetKeptDeviceCount(); ++d) {
        const DisplayDevice& device = GetDisplayDevices()[d];
        SCOPED_TRACE(device.description);
        EXPECT_GT(device.modeCount, 0u);
        EXPECT_LT(std::string(device.description).size(), 39u);
        for (uint32_t i = 1; i < device.modeCount; ++i)
            EXPECT_FALSE(ModeOrder(device.modes[i], device.modes[i - 1])) << "at " << i;
        for (uint32_t i = 0; i < device.modeCount; ++i)
            EXPECT_NE(device.modes[i].ddpfPixelFormat.dwRGBBitCount, 8u);
    }

    const DisplayDevice* usable = FindUsableDevice(0);
    ASSERT_NE(usable, nullptr);
    EXPECT_TRUE(HasListedMode(*usable, 640, 480)) << "no virtual desktop? see scripts/wine-run.sh";
    EXPECT_TRUE(HasListedMode(*usable, 800, 600));
    EXPECT_EQ(usable->fullScreenMode.dwWidth, 640u);
    EXPECT_EQ(usable->modes[usable->currentMode].dwHeight, 480u);

    FreeDisplayDevices();
}

}  // namespace
