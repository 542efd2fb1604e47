// Setup.exe as a player starts it: its own process, in a client folder.
#include <gtest/gtest.h>

#include <cstring>

#include "display/ListedModes.h"
#include "support/RegistryProbe.h"
#include "support/RunProgram.h"
#include "support/TempFolder.h"

namespace {

const std::string kSetupExe = run::WinePath(SETUP_EXE);

int32_t AcceptAll(const DriverCaps&, const DeviceCaps&)
{
    return 0;
}

std::vector<uint8_t> BytesOf(const void* data, size_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

TEST(SetupExe, FirstRunInAnEmptyFolderStoresTheDefaultsAndEnds)
{
    TempFolder folder;
    probe::ClearVendorKey();

    EXPECT_EQ(run::Program(kSetupExe, folder.path().string(), 60000), 0);

    EXPECT_TRUE(probe::KeyExists(probe::kSetupKey));
    EXPECT_EQ(probe::ValueCount(probe::kProductKey), 8);
    const struct { const char* name; uint32_t type; size_t size; } values[] = {
        {"DEVICENAME", 1, 40},     {"GUIDDEVICE", 3, 16},      {"GUIDDRIVER", 3, 16},
        {"SOUNDMODE", 4, 4},       {"SPEAKERTYPE", 4, 4},      {"DIGITALRATETYPE", 4, 4},
        {"DIGITALBITSTYPE", 4, 4}, {"PROVIDERNAME", 1, 12},
    };
    for (const auto& v : values) {
        probe::Stored stored = probe::Read(probe::kProductKey, v.name);
        EXPECT_TRUE(stored.exists) << v.name;
        EXPECT_EQ(stored.type, v.type) << v.name;
        EXPECT_EQ(stored.bytes.size(), v.size) << v.name;
    }
    EXPECT_EQ(probe::Read(probe::kProductKey, "SOUNDMODE").bytes, probe::Dword(1));
    probe::ClearVendorKey();
}

// The device identity stored on a first run is the first hardware device's,
// as this process finds it through the same enumeration.
TEST(SetupExe, FirstRunStoresTheFirstHardwareDevice)
{
    ASSERT_EQ(BuildDisplayDeviceList(AcceptAll), kDevicesListed);
    const DisplayDevice* device = FindUsableDevice(0);
    ASSERT_NE(device, nullptr);
    TempFolder folder;
    probe::ClearVendorKey();

    EXPECT_EQ(run::Program(kSetupExe, folder.path().string(), 60000), 0);

    const std::vector<uint8_t> name = probe::Read(probe::kProductKey, "DEVICENAME").bytes;
    ASSERT_GT(name.size(), std::strlen(device->description));
    EXPECT_STREQ(reinterpret_cast<const char*>(name.data()), device->description);
    EXPECT_EQ(probe::Read(probe::kProductKey, "GUIDDEVICE").bytes, BytesOf(&device->deviceGuid, 16));
    EXPECT_EQ(probe::Read(probe::kProductKey, "GUIDDRIVER").bytes, BytesOf(&device->driverGuid, 16));
    probe::ClearVendorKey();
    FreeDisplayDevices();
}

}  // namespace
