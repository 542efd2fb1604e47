// A client folder under Program Files (x86), where Windows virtualizes an
// old client, with the per-user copies such a client leaves of the saved
// file and of a registry value. Wine does not virtualize, but it has the
// folders and keys, so the test makes the copies itself; setupctl and
// Setup.exe run in their own processes, as a player runs them.
#include "SetupRun.h"
#include "support/Command.h"

namespace {

using e2e::kSetupExe;
using e2e::kTimeoutMs;
using e2e::ReadBytes;
using e2e::WriteBytes;
namespace fs = std::filesystem;

// The key Windows keeps the 32-bit client's copies of the product key's
// values in, opened in the 64-bit view, which names WOW6432Node as it is.
const std::string kPerUserVendorKey = "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\Brindlecast";
const std::string kPerUserKey = kPerUserVendorKey + "\\Korvane";
const std::string kClientLine = "WindowX = 40\r\n";  // the client's own, in its copy only
const std::string kMachineOnlyLine = "-- left in the file the game no longer reads\r\n";

std::string Environment(const char* name)
{
    char value[MAX_PATH] = {};
    GetEnvironmentVariableA(name, value, sizeof value);
    return value;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// The line of show's output for the setting.
std::string ShownLine(const std::string& out, const std::string& name)
{
    const size_t at = ("\n" + out).find("\n" + name + " ");
    return at == std::string::npos ? "" : out.substr(at, out.find('\n', at) - at);
}

void WritePerUserSoundMode(DWORD value)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kPerUserKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "SOUNDMODE", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

bool PerUserSoundModeExists()
{
    return RegGetValueA(HKEY_CURRENT_USER, kPerUserKey.c_str(), "SOUNDMODE", RRF_RT_ANY | RRF_SUBKEY_WOW6464KEY, nullptr,
                        nullptr, nullptr) == ERROR_SUCCESS;
}

// A client folder with the demo scripts in base, the saved file there, and
// the place of its per-user copy; both removed at the end.
class PerUserCopy : public ::testing::Test {
protected:
    void SetUp() override { ClearKeys(); }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
        fs::remove_all(copyFolder_, ignored);
        ClearKeys();
    }
    static void ClearKeys()
    {
        probe::ClearVendorKey();
        RegDeleteTreeA(HKEY_CURRENT_USER, kPerUserVendorKey.c_str());
    }

    void MakeClientFolderIn(const std::string& base)
    {
        folder_ = fs::path(base) / ("Korvane-test-" + std::to_string(GetCurrentProcessId()));
        copyFolder_ = Environment("LOCALAPPDATA") + "\\VirtualStore" + folder_.string().substr(2);
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
        WritePerUserSoundMode(1);
    }
    void MakeFileCopy() { WriteBytes(CopyFile(), kClientLine + "OptionInfoList[\"Bgm_Volume\"] = 30\r\n"); }

    fs::path SavedFile() const { return folder_ / "SaveData" / "OptionInfo.lua"; }
    fs::path CopyFile() const { return copyFolder_ / "SaveData" / "OptionInfo.lua"; }
    std::string CopyName() const { return copyFolder_.string() + "\\SaveData\\OptionInfo.lua"; }

    command::Result Setupctl(const std::vector<std::string>& arguments) const
    {
        return command::Run(run::WinePath(SETUPCTL), arguments, folder_.string());
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
        EXPECT_FALSE(PerUserSoundModeExists());
        EXPECT_EQ(probe::Read(probe::kProductKey, "SOUNDMODE").bytes, probe::Dword(1));
    }

    fs::path folder_;
    fs::path copyFolder_;
};

TEST_F(PerUserCopy, ShowTakesEachValueFromTheCopyTheGameReadsAndCheckNamesEveryCopy)
{
    MakeClientFolderIn(Environment("ProgramFiles(x86)"));
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
             "HKEY_CURRENT_USER\\" + kPerUserKey + ": SOUNDMODE is 1 here and 0 in " + "HKEY_LOCAL_MACHINE\\Software\\Brindlecast\\Korvane"})
        EXPECT_TRUE(Contains(checked.out, expected)) << expected << "\nin\n" << checked.out;
    EXPECT_TRUE(fs::exists(CopyFile()));
    EXPECT_TRUE(PerUserSoundModeExists());
}

TEST_F(PerUserCopy, SetSavesWhatTheGameReadsAndRemovesTheCopies)
{
    MakeClientFolderIn(Environment("ProgramFiles(x86)"));
    MakeCopies();

    // The dry run tells the copies the save removes, and removes none.
    const command::Result dry = Setupctl({"set", "--dry-run", "Effect_Volume=70"});
    EXPECT_EQ(dry.exitCode, 0) << dry.err;
    EXPECT_TRUE(Contains(dry.out, "removes the per-user copy of SaveData\\OptionInfo.lua")) << dry.out;
    EXPECT_TRUE(Contains(dry.out, "removes the per-user copies of SOUNDMODE")) << dry.out;
    EXPECT_TRUE(fs::exists(CopyFile()));
    EXPECT_TRUE(PerUserSoundModeExists());

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
    MakeClientFolderIn(Environment("ProgramFiles(x86)"));
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
    MakeClientFolderIn(Environment("ProgramFiles(x86)"));

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
