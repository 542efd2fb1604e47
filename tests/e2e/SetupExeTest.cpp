// Setup.exe as a player starts it: its own process, in a client folder, its
// sheet worked through its windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "RemoteSheet.h"
#include "display/ListedModes.h"
#include "res/resource.h"
#include "support/RegistryProbe.h"
#include "support/RunProgram.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

const std::string kSetupExe = run::WinePath(SETUP_EXE);
const DWORD kTimeoutMs = 60000;

std::string ReadBytes(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

int32_t AcceptAll(const DriverCaps&, const DeviceCaps&)
{
    return 0;
}

std::vector<uint8_t> BytesOf(const void* data, size_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

std::string Text(const probe::Stored& stored)
{
    return std::string(stored.bytes.begin(), stored.bytes.end());
}

// A client folder with the demo scripts and a saved option file that holds
// somebody else's lines around stale ones of the tool's.
class SetupRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        probe::ClearVendorKey();
        fs::copy(run::WinePath(DEMO_DIR) + "\\System", folder_.path() / "System",
                 fs::copy_options::recursive);
        WriteBytes(SavedFile(), kSavedBefore);
    }
    void TearDown() override { probe::ClearVendorKey(); }

    fs::path SavedFile() const { return folder_.path() / "SaveData" / "OptionInfo.lua"; }

    // Starts Setup.exe and waits for its sheet on the System page.
    void Start()
    {
        setup_ = std::make_unique<remote::Process>(kSetupExe, folder_.path().string());
        ASSERT_TRUE(setup_->started());
        sheet_ = remote::WaitForWindow(setup_->id(), nullptr, "Korvane Setup", kTimeoutMs);
        ASSERT_NE(sheet_, nullptr);
        systemPage_ = remote::CurrentPage(sheet_);
        ASSERT_NE(systemPage_, nullptr);
    }

    HWND SheetItem(int id) const { return GetDlgItem(sheet_, id); }
    HWND SystemItem(int id) const { return GetDlgItem(systemPage_, id); }

    // Picks 800 x 600 x 16 in the mode list; returns its line.
    int Choose800x600()
    {
        std::vector<std::string> lines = remote::ComboLines(SystemItem(IDC_MODE_LIST));
        auto found = std::find(lines.begin(), lines.end(), "800 x 600 x 16");
        if (found == lines.end()) {
            ADD_FAILURE() << "no 800 x 600 x 16 line among " << lines.size() << " modes";
            return -1;
        }
        int line = static_cast<int>(found - lines.begin());
        remote::Choose(SystemItem(IDC_MODE_LIST), line);
        return line;
    }

    void PressOkAndAnswer(int button)
    {
        remote::PostClick(SheetItem(IDOK));
        EXPECT_TRUE(remote::AnswerSetupQuestion(setup_->id(), button, kTimeoutMs));
        EXPECT_EQ(setup_->Wait(kTimeoutMs), 0);
    }

    void PressCancel()
    {
        remote::PostClick(SheetItem(IDCANCEL));
        EXPECT_EQ(setup_->Wait(kTimeoutMs), 0);
    }

    // Puts registry values of a previous run there, so that the first-run
    // write does not happen and any later write shows.
    static void StoreEarlierRun()
    {
        probe::Write(probe::kProductKey, "DEVICENAME", REG_SZ, {'o', 'l', 'd', 0});
        probe::Write(probe::kProductKey, "SOUNDMODE", REG_DWORD, probe::Dword(0));
    }

    static void ExpectEarlierRunUntouched()
    {
        EXPECT_EQ(Text(probe::Read(probe::kProductKey, "DEVICENAME")), std::string("old", 4));
        EXPECT_EQ(probe::Read(probe::kProductKey, "SOUNDMODE").bytes, probe::Dword(0));
        EXPECT_EQ(probe::ValueCount(probe::kProductKey), 2);
    }

    static inline const std::string kSavedBefore =
        "-- launcher notes\r\n"
        "OptionInfoList[\"WIDTH\"] = 1024\r\n"
        "\r\n"
        "LauncherVersion = 7\r\n"
        "CmdOnOffList[\"/fog\"] = 0\r\n";

    TempFolder folder_;
    std::unique_ptr<remote::Process> setup_;
    HWND sheet_ = nullptr;
    HWND systemPage_ = nullptr;
};

TEST_F(SetupRun, ConfirmedRunWritesTheChosenModeAfterTheForeignLinesAndTheRegistry)
{
    Start();
    std::vector<std::string> devices = remote::ComboLines(SystemItem(IDC_DEVICE_LIST));
    ASSERT_FALSE(devices.empty());
    int line = Choose800x600();
    ASSERT_GE(line, 0);
    PressOkAndAnswer(IDOK);

    // The stale /fog 0 was applied at start, so it is saved again.
    std::string expected =
        "-- launcher notes\r\n"
        "LauncherVersion = 7\r\n"
        "OptionInfoList[\"Bgm_Volume\"] = 100\r\n"
        "OptionInfoList[\"Effect_Volume\"] = 100\r\n"
        "OptionInfoList[\"MouseExclusive\"] = 0\r\n"
        "OptionInfoList[\"ISFULLSCREENMODE\"] = 0\r\n"
        "OptionInfoList[\"WIDTH\"] = 800\r\n"
        "OptionInfoList[\"HEIGHT\"] = 600\r\n"
        "OptionInfoList[\"BITPERPIXEL\"] = 16\r\n"
        "OptionInfoList[\"DEVICECNT\"] = 0\r\n"
        "OptionInfoList[\"MODECNT\"] = " + std::to_string(line) + "\r\n"
        "OptionInfoList[\"SPRITEMODE\"] = 2\r\n"
        "OptionInfoList[\"TEXTUREMODE\"] = 2\r\n"
        "\r\n";
    const char* const commands[][2] = {
        {"/bgm", "1"},       {"/sound", "1"},     {"/notrade", "0"},   {"/noshift", "0"},
        {"/noctrl", "0"},    {"/skillfail", "1"}, {"/notalkmsg", "0"}, {"/notalkmsg2", "0"},
        {"/showname", "1"},  {"/fog", "0"},       {"/aura", "1"},      {"/window", "0"},
        {"/miss", "1"},      {"/effect", "1"},    {"/shopping", "0"},  {"/stateinfo", "1"},
        {"/loginout", "1"},  {"/snap", "0"},      {"/itemsnap", "0"},  {"/camera", "0"},
        {"/hoai", "0"},      {"/merai", "0"},     {"/lightmap", "1"},
    };
    for (const auto& command : commands)
        expected += std::string("CmdOnOffList[\"") + command[0] + "\"] = " + command[1] + "\r\n";
    EXPECT_EQ(ReadBytes(SavedFile()), expected);

    EXPECT_EQ(probe::ValueCount(probe::kProductKey), 8);
    std::string name = Text(probe::Read(probe::kProductKey, "DEVICENAME"));
    EXPECT_EQ(name.size(), 40u);
    EXPECT_STREQ(name.c_str(), devices[0].c_str());
    EXPECT_EQ(probe::Read(probe::kProductKey, "GUIDDEVICE").bytes.size(), 16u);
    EXPECT_EQ(probe::Read(probe::kProductKey, "GUIDDRIVER").bytes.size(), 16u);
    EXPECT_EQ(probe::Read(probe::kProductKey, "SOUNDMODE").bytes, probe::Dword(1));
    for (const char* zero : {"SPEAKERTYPE", "DIGITALRATETYPE", "DIGITALBITSTYPE"})
        EXPECT_EQ(probe::Read(probe::kProductKey, zero).bytes, probe::Dword(0)) << zero;
    EXPECT_EQ(Text(probe::Read(probe::kProductKey, "PROVIDERNAME")), std::string("No Provider", 12));
}

TEST_F(SetupRun, AnsweringCancelWritesNothing)
{
    StoreEarlierRun();
    Start();
    Choose800x600();
    PressOkAndAnswer(IDCANCEL);
    EXPECT_EQ(ReadBytes(SavedFile()), kSavedBefore);
    ExpectEarlierRunUntouched();
}

TEST_F(SetupRun, CancelAfterDefaultWritesNothing)
{
    StoreEarlierRun();
    fs::remove_all(folder_.path() / "SaveData");
    Start();
    SendMessageA(SheetItem(IDC_DEFAULT), BM_CLICK, 0, 0);
    PressCancel();
    EXPECT_FALSE(fs::exists(folder_.path() / "SaveData"));
    ExpectEarlierRunUntouched();
}

TEST_F(SetupRun, ConfirmingBesideAPlainFileNamedSavedataStillSavesTheRegistry)
{
    StoreEarlierRun();
    fs::remove_all(folder_.path() / "SaveData");
    WriteBytes(folder_.path() / "savedata", "a file, not a folder");
    Start();
    PressOkAndAnswer(IDOK);
    EXPECT_TRUE(fs::is_regular_file(folder_.path() / "savedata"));
    EXPECT_EQ(ReadBytes(folder_.path() / "savedata"), "a file, not a folder");
    // The registry gets all eight values: the sound mode read at start, the
    // device the page shows.
    EXPECT_EQ(probe::ValueCount(probe::kProductKey), 8);
    EXPECT_EQ(probe::Read(probe::kProductKey, "SOUNDMODE").bytes, probe::Dword(0));
    EXPECT_EQ(Text(probe::Read(probe::kProductKey, "DEVICENAME")).size(), 40u);
}

TEST(SetupExe, FirstRunInAnEmptyFolderStoresTheDefaultsBeforeTheSheetOpens)
{
    TempFolder folder;
    probe::ClearVendorKey();

    remote::Process setup(kSetupExe, folder.path().string());
    HWND sheet = remote::WaitForWindow(setup.id(), nullptr, "Korvane Setup", kTimeoutMs);
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(probe::KeyExists(probe::kSetupKey));
    EXPECT_EQ(probe::ValueCount(probe::kProductKey), 8);
    remote::PostClick(GetDlgItem(sheet, IDCANCEL));
    EXPECT_EQ(setup.Wait(kTimeoutMs), 0);

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
    EXPECT_FALSE(fs::exists(folder.path() / "SaveData"));
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

    remote::Process setup(kSetupExe, folder.path().string());
    HWND sheet = remote::WaitForWindow(setup.id(), nullptr, "Korvane Setup", kTimeoutMs);
    ASSERT_NE(sheet, nullptr);
    remote::PostClick(GetDlgItem(sheet, IDCANCEL));
    EXPECT_EQ(setup.Wait(kTimeoutMs), 0);

    const std::vector<uint8_t> name = probe::Read(probe::kProductKey, "DEVICENAME").bytes;
    ASSERT_GT(name.size(), std::strlen(device->description));
    EXPECT_STREQ(reinterpret_cast<const char*>(name.data()), device->description);
    EXPECT_EQ(probe::Read(probe::kProductKey, "GUIDDEVICE").bytes, BytesOf(&device->deviceGuid, 16));
    EXPECT_EQ(probe::Read(probe::kProductKey, "GUIDDRIVER").bytes, BytesOf(&device->driverGuid, 16));
    probe::ClearVendorKey();
    FreeDisplayDevices();
}

}  // namespace
