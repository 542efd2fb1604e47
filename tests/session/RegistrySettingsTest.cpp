// The registry half of the settings, against the real registry on Windows
// and against the export-file store elsewhere.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "session/SessionSteps.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"
#include "support/RegistryProbe.h"
#include "support/TempFolder.h"

namespace {

using probe::kProductKey;
using probe::kSetupKey;

class RegistrySettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        probe::ClearVendorKey();
        InitSettingNames();
        ASSERT_TRUE(CRegistry::CrateInstance());
    }
    void TearDown() override
    {
        CRegistry::ReleaseInstance();
        probe::ClearVendorKey();
    }

    static std::vector<uint8_t> Bytes(const void* data, size_t size)
    {
        const uint8_t* p = static_cast<const uint8_t*>(data);
        return std::vector<uint8_t>(p, p + size);
    }

    TempFolder folder_;
};

TEST_F(RegistrySettings, FirstRunStoresAllEightValuesWithTheirTypesAndSizes)
{
    std::strcpy(SetupSettings->DEVICENAME, "Primary");
    SetupSettings->GUIDDEVICE.bytes[0] = 0xAB;
    SetupSettings->GUIDDRIVER.bytes[15] = 0xCD;

    SetupSession::LoadRegistrySettings();

    probe::Stored name = probe::Read(kProductKey, "DEVICENAME");
    EXPECT_EQ(name.type, 1u);
    EXPECT_EQ(name.bytes, Bytes(SetupSettings->DEVICENAME, 40));  // the whole buffer
    probe::Stored device = probe::Read(kProductKey, "GUIDDEVICE");
    EXPECT_EQ(device.type, 3u);
    EXPECT_EQ(device.bytes, Bytes(&SetupSettings->GUIDDEVICE, 16));
    probe::Stored driver = probe::Read(kProductKey, "GUIDDRIVER");
    EXPECT_EQ(driver.type, 3u);
    EXPECT_EQ(driver.bytes, Bytes(&SetupSettings->GUIDDRIVER, 16));

    const struct { const char* name; uint32_t value; } dwords[] = {
        {"SOUNDMODE", 1}, {"SPEAKERTYPE", 0}, {"DIGITALRATETYPE", 0}, {"DIGITALBITSTYPE", 0}};
    for (const auto& d : dwords) {
        probe::Stored v = probe::Read(kProductKey, d.name);
        EXPECT_EQ(v.type, 4u) << d.name;
        EXPECT_EQ(v.bytes, probe::Dword(d.value)) << d.name;
    }
    probe::Stored provider = probe::Read(kProductKey, "PROVIDERNAME");
    EXPECT_EQ(provider.type, 1u);
    EXPECT_EQ(provider.bytes, Bytes("No Provider", 12));

    EXPECT_EQ(probe::ValueCount(kProductKey), 8);
    EXPECT_TRUE(probe::KeyExists(kSetupKey));
    EXPECT_EQ(probe::ValueCount(kSetupKey), 0);
    EXPECT_EQ(SetupSettings->SOUNDMODE, 1);
#ifdef _WIN32
    // Where the 32-bit client reads them, whether this build is 32 or 64-bit.
    EXPECT_EQ(probe::ValueCountIn64BitView("Software\\Wow6432Node\\Brindlecast\\Korvane"), 8);
    EXPECT_EQ(probe::ValueCountIn64BitView(kProductKey), -1);
#endif
}

TEST_F(RegistrySettings, AnEmptyProductKeyLoadsNothingAndWritesNothing)
{
    probe::CreateKey(kProductKey);
    std::strcpy(SetupSettings->DEVICENAME, "Kept");

    SetupSession::LoadRegistrySettings();

    EXPECT_EQ(probe::ValueCount(kProductKey), 0);
    EXPECT_STREQ(SetupSettings->DEVICENAME, "Kept");
    EXPECT_EQ(SetupSettings->SOUNDMODE, 1);
}

TEST_F(RegistrySettings, LoadsDeviceIdentityAndSoundModeOnly)
{
    std::vector<uint8_t> name(40, 'x');
    std::memcpy(name.data(), "Stored Device", 14);
    std::vector<uint8_t> guid(16);
    for (int i = 0; i < 16; ++i)
        guid[i] = uint8_t(i + 1);
    probe::Write(kProductKey, "DEVICENAME", 1, name);
    probe::Write(kProductKey, "GUIDDEVICE", 3, guid);
    probe::Write(kProductKey, "SOUNDMODE", 4, probe::Dword(0));
    probe::Write(kProductKey, "SPEAKERTYPE", 4, probe::Dword(2));
    probe::Write(kProductKey, "PROVIDERNAME", 1, Bytes("Other", 6));

    SetupSession::LoadRegistrySettings();

    EXPECT_STREQ(SetupSettings->DEVICENAME, "Stored Device");
    EXPECT_EQ(Bytes(&SetupSettings->GUIDDEVICE, 16), guid);
    EXPECT_EQ(SetupSettings->SOUNDMODE, 0);
    EXPECT_EQ(SetupSettings->SPEAKERTYPE, 0);
    EXPECT_STREQ(SetupSettings->PROVIDERNAME, "No Provider");

    SetupSession::SaveRegistrySettings();
    EXPECT_EQ(probe::Read(kProductKey, "SPEAKERTYPE").bytes, probe::Dword(0));
    EXPECT_EQ(probe::Read(kProductKey, "SOUNDMODE").bytes, probe::Dword(0));
    EXPECT_EQ(probe::Read(kProductKey, "PROVIDERNAME").bytes, Bytes("No Provider", 12));
}

TEST_F(RegistrySettings, UnfitStoredValuesLeaveTheFieldsUsable)
{
    std::strcpy(SetupSettings->DEVICENAME, "Default");
    probe::Write(kProductKey, "DEVICENAME", 1, std::vector<uint8_t>(40, 'N'));  // no NUL
    probe::Write(kProductKey, "GUIDDEVICE", 3, std::vector<uint8_t>(64, 0xEE));  // too large

    SetupSession::LoadRegistrySettings();

    EXPECT_EQ(std::string(SetupSettings->DEVICENAME), std::string(39, 'N'));
    EXPECT_EQ(Bytes(&SetupSettings->GUIDDEVICE, 16), std::vector<uint8_t>(16, 0));
}

TEST_F(RegistrySettings, SetupKeyIsCreatedOnEveryStart)
{
    probe::CreateKey(kProductKey);
    ASSERT_FALSE(probe::KeyExists(kSetupKey));

    SetupSession::LoadRegistrySettings();

    EXPECT_TRUE(probe::KeyExists(kSetupKey));
}

TEST(SettingsRecord, OnlyOneInstanceAtATime)
{
    ASSERT_TRUE(CRegistry::CrateInstance());
    CRegistry* first = SetupSettings;
    EXPECT_FALSE(CRegistry::CrateInstance());
    EXPECT_EQ(SetupSettings, first);

    CRegistry::ReleaseInstance();
    EXPECT_EQ(SetupSettings, nullptr);
    CRegistry::ReleaseInstance();  // none: nothing happens
    EXPECT_TRUE(CRegistry::CrateInstance());
    CRegistry::ReleaseInstance();
}

}  // namespace
