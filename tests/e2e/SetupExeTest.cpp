// Setup.exe as a player starts it: its own process, in a client folder, its
// sheet worked through its windows.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "SetupRun.h"
#include "platform/SystemError.h"
#include "session/ListedModes.h"
#include "session/SaveReport.h"

namespace {

using namespace e2e;

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// A file opened by another program that shares it with nobody.
class HeldFile {
public:
    ~HeldFile() { Close(); }
    void Open(const fs::path& path)
    {
        handle_ = CreateFileA(path.string().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(handle_, INVALID_HANDLE_VALUE);
    }
    void Close()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

int32_t AcceptAll(const DriverCaps&, const DeviceCaps&)
{
    return 0;
}

std::vector<uint8_t> BytesOf(const void* data, size_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

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

// A save is all or nothing: without its file, no registry value is written.
TEST_F(SetupRun, APlainFileNamedSavedataIsToldAndNothingSaved)
{
    StoreEarlierRun();
    fs::remove_all(folder_.path() / "SaveData");
    WriteBytes(folder_.path() / "savedata", "a file, not a folder");
    Start();
    const remote::MessageBoxSeen told = ConfirmFailingSave();
    EXPECT_TRUE(Contains(told.text, "The folder savedata could not be created."));
    EXPECT_TRUE(Contains(told.text, "Your options could not be saved in SaveData\\OptionInfo.lua."));
    EXPECT_EQ(ReadBytes(folder_.path() / "savedata"), "a file, not a folder");
    ExpectEarlierRunUntouched();
}

// Another program holds the file open without sharing: whether it took hold
// before Setup started (its lines are then unknown) or while the sheet ran
// (it cannot be replaced), the file stays as it was and the player is told;
// the registry values the save wrote before the file failed are put back.
TEST_F(SetupRun, AFileHeldOpenByAnotherProgramIsToldAndKeptWhole)
{
    for (const bool heldFromTheStart : {false, true}) {
        SCOPED_TRACE(heldFromTheStart ? "held from the start" : "held while the sheet ran");
        StoreEarlierRun();
        HeldFile held;
        if (heldFromTheStart)
            held.Open(SavedFile());
        Start();
        if (!heldFromTheStart)
            held.Open(SavedFile());
        Choose800x600();
        const remote::MessageBoxSeen told = ConfirmFailingSave();
        held.Close();

        EXPECT_TRUE(Contains(told.text, kSaveFailedHeading));
        EXPECT_TRUE(Contains(told.text, "SaveData\\OptionInfo.lua"));
        // Replacing a file in use is refused as a sharing violation or, by
        // Wine, as access denied.
        EXPECT_TRUE(Contains(told.text, DescribeSystemError(ERROR_SHARING_VIOLATION)) ||
                    Contains(told.text, DescribeSystemError(ERROR_ACCESS_DENIED)))
            << told.text;
        EXPECT_TRUE(Contains(told.text, "The previous file was left as it was."));
        EXPECT_EQ(Contains(told.text, "could not read this file when it started"), heldFromTheStart);
        EXPECT_EQ(ReadBytes(SavedFile()), kSavedBefore);
        EXPECT_FALSE(fs::exists(SavedFile().string() + ".new"));
        ExpectEarlierRunUntouched();
        probe::ClearVendorKey();
    }
}

// A saved file Lua cannot compile: the sheet shows the value of its line,
// and OK sets aside the line that breaks the file and says so.
TEST_F(SetupRun, ABrokenSavedFileShowsItsValuesAndOkSetsAsideTheLineThatBreaksIt)
{
    WriteBytes(SavedFile(), "-- launcher notes\r\nt = {\r\nOptionInfoList[\"Bgm_Volume\"] = 30\r\n");
    Start();
    EXPECT_EQ(SendMessageA(SystemItem(IDC_BGM_VOLUME), TBM_GETPOS, 0, 0), 30);
    remote::PostClick(SheetItem(IDOK));
    EXPECT_TRUE(remote::AnswerSetupQuestion(setup_->id(), IDOK, kTimeoutMs));
    const remote::MessageBoxSeen told = remote::ReadAndCloseSetupBox(setup_->id(), kTimeoutMs);
    EXPECT_TRUE(Contains(told.text, "SaveData\\OptionInfo.lua: line 2, written there by others")) << told.text;
    EXPECT_EQ(setup_->Wait(kTimeoutMs), 0);
    EXPECT_EQ(ReadBytes(SavedFile()).rfind("-- launcher notes\r\n-- t = {\r\nOptionInfoList[\"Bgm_Volume\"] = 30\r\n", 0),
              0u);
}

// An editor's byte-order mark costs the player nothing: the sheet shows the
// file's values, and the save writes them back without the mark.
TEST_F(SetupRun, AByteOrderMarkIsReadPastAndNotWrittenBack)
{
    WriteBytes(SavedFile(), "\xEF\xBB\xBF-- mine\r\nOptionInfoList[\"Bgm_Volume\"] = 30\r\n");
    Start();
    EXPECT_EQ(SendMessageA(SystemItem(IDC_BGM_VOLUME), TBM_GETPOS, 0, 0), 30);
    PressOkAndAnswer(IDOK);
    const std::string saved = ReadBytes(SavedFile());
    EXPECT_EQ(saved.rfind("-- mine\r\nOptionInfoList[\"Bgm_Volume\"] = 30\r\n", 0), 0u) << saved;
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
