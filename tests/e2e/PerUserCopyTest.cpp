// A client folder under Program Files (x86), where Windows virtualizes an
// old client, with the per-user copies such a client leaves of the saved
// file and of a registry value. Wine does not virtualize, but it has the
// folders and keys, so the test makes the copies itself; setupctl and
// Setup.exe run in their own processes, as a player runs them.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "RemoteSheet.h"
#include "res/resource.h"
#include "support/Command.h"
#include "support/RegistryProbe.h"
#include "support/RunProgram.h"

namespace {

namespace fs = std::filesystem;

const std::string kSetupExe = run::WinePath(SETUP_EXE);
const std::string kSetupctl = run::WinePath(SETUPCTL);
constexpr DWORD kTimeoutMs = 60000;

// Where Windows keeps the 32-bit client's copies of the product key's
// values; opened in the 64-bit view, which names WOW6432Node as it is.
const char kPerUserVendorKey[] = "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\Brindlecast";
const char kPerUserKey[] = "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\Brindlecast\\Korvane";
const char kMachineKeyName[] = "HKEY_LOCAL_MACHINE\\Software\\Brindlecast\\Korvane";

const std::string kClientLine = "WindowX = 40\r\n";  // the client's own, in its copy only
const std::string kMachineOnlyLine = "-- left in the file the game no longer reads\r\n";

std::string KnownFolder(int csidl)
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

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

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// The line of show's output for the setting.
std::string ShownLine(const std::string& out, const std::string& name)
{
    const size_t at = out.find("\n" + name + " ");
    if (at == std::string::npos)
        return out.compare(0, name.size() + 1, name + " ") == 0 ? out.substr(0, out.find('\n')) : "";
    return out.substr(at + 1, out.find('\n', at + 1) - at - 1);
}

void WritePerUserValue(const char* name, DWORD value)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kPerUserKey, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

bool PerUserValueExists(const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kPerUserKey, 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return false;
    const bool exists = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return exists;
}

void ClearPerUserKey()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, kPerUserVendorKey);
    RegDeleteKeyExA(HKEY_CURRENT_USER, kPerUserVendorKey, KEY_WOW64_64KEY, 0);
}

std::string UniqueName()
{
    std::random_device random;
    return "Korvane-test-" + std::to_string(random());
}

// A client folder with the demo scripts in base, the saved file there, and
// the place of its per-user copy; both removed at the end.
class PerUserCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        probe::ClearVendorKey();
        ClearPerUserKey();
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
        fs::remove_all(copyFolder_, ignored);
        probe::ClearVendorKey();
        ClearPerUserKey();
    }

    void MakeClientFolderIn(const std::string& base)
    {
        folder_ = fs::path(base) / UniqueName();
        copyFolder_ = fs::path(KnownFolder(CSIDL_LOCAL_APPDATA) + "\\VirtualStore" + folder_.string().substr(2));
        fs::create_directories(folder_);
        fs::copy(run::WinePath(DEMO_DIR) + "\\System", folder_ / "System", fs::copy_options::recursive);
        WriteBytes(SavedFile(), kMachineOnlyLine + "OptionInfoList[\"Bgm_Volume\"] = 90\r\n");
        probe::Write(probe::kProductKey, "SOUNDMODE", REG_DWORD, probe::Dword(0));
    }

    // The client's copies: the saved file with its own line and a volume of
    // its own, and SOUNDMODE 1.
    void MakeCopies()
    {
        MakeFileCopy();
        WritePerUserValue("SOUNDMODE", 1);
    }
    void MakeFileCopy() { WriteBytes(CopyFile(), kClientLine + "OptionInfoList[\"Bgm_Volume\"] = 30\r\n"); }

    fs::path SavedFile() const { return folder_ / "SaveData" / "OptionInfo.lua"; }
    fs::path CopyFile() const { return copyFolder_ / "SaveData" / "OptionInfo.lua"; }
    std::string CopyName() const { return copyFolder_.string() + "\\SaveData\\OptionInfo.lua"; }

    command::Result Setupctl(const std::vector<std::string>& arguments) const
    {
        return command::Run(kSetupctl, arguments, folder_.string());
    }

    // After a save: the game reads the saved file, with the copy's volume,
    // the change and the client's own line, and the saved registry value.
    void ExpectTheGameReadsTheSave(const std::string& change)
    {
        EXPECT_FALSE(fs::exists(CopyFile()));
        const std::string saved = ReadBytes(SavedFile());
        EXPECT_EQ(saved.compare(0, kClientLine.size(), kClientLine), 0) << saved;
        EXPECT_FALSE(Contains(saved, kMachineOnlyLine)) << saved;
        EXPECT_TRUE(Contains(saved, "OptionInfoList[\"Bgm_Volume\"] = 30\r\n")) << saved;
        EXPECT_TRUE(Contains(saved, change)) << saved;
        EXPECT_FALSE(PerUserValueExists("SOUNDMODE"));
        EXPECT_EQ(probe::Read(probe::kProductKey, "SOUNDMODE").bytes, probe::Dword(1));
    }

    fs::path folder_;
    fs::path copyFolder_;
};

TEST_F(PerUserCopy, ShowTakesEachValueFromTheCopyTheGameReadsAndCheckNamesEveryCopy)
{
    MakeClientFolderIn(KnownFolder(CSIDL_PROGRAM_FILESX86));
    MakeCopies();

    const command::Result shown = Setupctl({"show"});
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    const std::string volume = ShownLine(shown.out, "Bgm_Volume");
    EXPECT_TRUE(Contains(volume, " 30 ")) << volume;
    EXPECT_TRUE(Contains(volume, "per-user copy " + CopyName())) << volume;
    const std::string sound = ShownLine(shown.out, "SOUNDMODE");
    EXPECT_TRUE(Contains(sound, " 1 ")) << sound;
    EXPECT_TRUE(Contains(sound, std::string("per-user copy HKEY_CURRENT_USER\\") + kPerUserKey)) << sound;
    EXPECT_TRUE(Contains(shown.out, "foreign lines: 1")) << shown.out;

    const command::Result checked = Setupctl({"check"});
    EXPECT_EQ(checked.exitCode, 1) << checked.err;
    for (const std::string& expected : {
             CopyName() + ": a per-user copy of SaveData\\OptionInfo.lua, which the game reads instead",
             CopyName() + ": Bgm_Volume is 30 here and 90 in SaveData\\OptionInfo.lua",
             std::string("HKEY_CURRENT_USER\\") + kPerUserKey + ": SOUNDMODE is 1 here and 0 in " + kMachineKeyName})
        EXPECT_TRUE(Contains(checked.out, expected)) << expected << "\nin\n" << checked.out;
    EXPECT_TRUE(fs::exists(CopyFile()));
    EXPECT_TRUE(PerUserValueExists("SOUNDMODE"));
}

TEST_F(PerUserCopy, SetSavesWhatTheGameReadsAndRemovesTheCopies)
{
    MakeClientFolderIn(KnownFolder(CSIDL_PROGRAM_FILESX86));
    MakeCopies();

    const command::Result set = Setupctl({"set", "Effect_Volume=70"});
    EXPECT_EQ(set.exitCode, 0) << set.out << set.err;
    ExpectTheGameReadsTheSave("OptionInfoList[\"Effect_Volume\"] = 70\r\n");
    EXPECT_TRUE(Contains(set.out, "per-user copy of SaveData\\OptionInfo.lua")) << set.out;
    EXPECT_TRUE(Contains(set.out, "per-user copies of SOUNDMODE")) << set.out;

    const command::Result checked = Setupctl({"check"});
    EXPECT_FALSE(Contains(checked.out, "per-user")) << checked.out;
}

TEST_F(PerUserCopy, TheSheetsOkSavesWhatTheGameReadsAndSaysTheCopiesWereRemoved)
{
    MakeClientFolderIn(KnownFolder(CSIDL_PROGRAM_FILESX86));
    MakeCopies();

    remote::Process setup(kSetupExe, folder_.string());
    ASSERT_TRUE(setup.started());
    HWND sheet = remote::WaitForWindow(setup.id(), nullptr, "Korvane Setup", kTimeoutMs);
    ASSERT_NE(sheet, nullptr);
    remote::PostClick(GetDlgItem(sheet, IDOK));
    EXPECT_TRUE(remote::AnswerSetupQuestion(setup.id(), IDOK, kTimeoutMs));
    const remote::MessageBoxSeen told = remote::ReadAndCloseSetupBox(setup.id(), kTimeoutMs);
    EXPECT_TRUE(Contains(told.text, "Your settings were saved.")) << told.text;
    EXPECT_TRUE(Contains(told.text, CopyName())) << told.text;
    EXPECT_EQ(setup.Wait(kTimeoutMs), 0);

    ExpectTheGameReadsTheSave("OptionInfoList[\"Effect_Volume\"] = 100\r\n");
}

TEST_F(PerUserCopy, OutsideTheProtectedFoldersAFileWhereACopyWouldBeIsNeitherReadNorRemoved)
{
    // The registry's copies do not depend on the folder: only the file's is tried.
    MakeClientFolderIn(fs::temp_directory_path().string());
    MakeFileCopy();
    const std::string wouldBeCopy = ReadBytes(CopyFile());

    const command::Result shown = Setupctl({"show", "Bgm_Volume"});
    EXPECT_TRUE(Contains(shown.out, " 90 ")) << shown.out;
    EXPECT_TRUE(Contains(shown.out, "saved file")) << shown.out;
    const command::Result set = Setupctl({"set", "Effect_Volume=70"});
    EXPECT_EQ(set.exitCode, 0) << set.out << set.err;
    EXPECT_FALSE(Contains(set.out, "per-user")) << set.out;
    EXPECT_EQ(ReadBytes(CopyFile()), wouldBeCopy);
    EXPECT_TRUE(Contains(ReadBytes(SavedFile()), kMachineOnlyLine));
}

TEST_F(PerUserCopy, InAProtectedFolderWithoutCopiesTheSavedFileAndKeyAreReadAndWritten)
{
    MakeClientFolderIn(KnownFolder(CSIDL_PROGRAM_FILESX86));

    const command::Result shown = Setupctl({"show", "Bgm_Volume", "SOUNDMODE"});
    EXPECT_TRUE(Contains(ShownLine(shown.out, "Bgm_Volume"), " 90 ")) << shown.out;
    EXPECT_TRUE(Contains(ShownLine(shown.out, "Bgm_Volume"), "saved file")) << shown.out;
    EXPECT_TRUE(Contains(ShownLine(shown.out, "SOUNDMODE"), "registry")) << shown.out;
    const command::Result set = Setupctl({"set", "Effect_Volume=70"});
    EXPECT_EQ(set.exitCode, 0) << set.out << set.err;
    EXPECT_FALSE(Contains(set.out, "per-user")) << set.out;
    EXPECT_EQ(ReadBytes(SavedFile()).compare(0, kMachineOnlyLine.size(), kMachineOnlyLine), 0);
    EXPECT_FALSE(fs::exists(copyFolder_));
}

}  // namespace
