// setupctl saving into a save folder that a user who may write it has
// prepared for an elevated save: links, names taken in advance, a huge
// file, marks. Under Wine the links are the host's own, as that user
// would make them.
#include "SetupctlFixture.h"

#include "platform/FileBytes.h"
#include "support/HostShell.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using namespace setupctl_test;
using client::Read;
using client::Write;

const char kSecret[] = "-- the machine's own\r\nOptionInfoList[\"WIDTH\"] = 1280\r\n";

bool IsHostLink(const fs::path& path)
{
    return host::Shell("test -L '" + host::PathOf(path) + "'");
}

class SaveFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        probe::ClearVendorKey();
        fs::copy(SETUP_DEMO_FOLDER "/System", "System", fs::copy_options::recursive);
        Write("elsewhere/OptionInfo.lua", kSecret);
    }
    // The host's links go first: under Wine a link to a folder looks like
    // the folder, and removing the test's folder would empty its target.
    void TearDown() override
    {
        host::Shell("find '" + host::PathOf(folder_.path()) + "' -type l -exec rm -f {} +");
        probe::ClearVendorKey();
    }

    static command::Result Run(const std::vector<std::string>& arguments)
    {
        return command::Run(kSetupctl, arguments, fs::current_path().string());
    }

    TempFolder folder_;
};

// The file's lines are not read, so they cannot come back in a saved file
// that everybody may read; the link and its target stay as they were.
TEST_F(SaveFolder, ASavedFileLinkedToAnotherFileIsNeitherReadNorReplaced)
{
    fs::create_directory("SaveData");
    ASSERT_TRUE(host::Link("elsewhere/OptionInfo.lua", kSaved));
    const command::Result shown = Run({"show", "--json", "WIDTH"});
    EXPECT_FALSE(Contains(shown.out, "1280")) << shown.out;

    const command::Result set = Run({"set", "Bgm_Volume=70"});
    EXPECT_EQ(set.exitCode, 1) << set.out;
    EXPECT_TRUE(Contains(set.err, "link")) << set.err;
    EXPECT_TRUE(IsHostLink(kSaved));
    EXPECT_EQ(Read("elsewhere/OptionInfo.lua"), kSecret);
    EXPECT_EQ(std::distance(fs::directory_iterator("SaveData"), fs::directory_iterator()), 1);
}

TEST_F(SaveFolder, ALinkedSaveFolderIsRefused)
{
    ASSERT_TRUE(host::Link("elsewhere", "SaveData"));
    const command::Result set = Run({"set", "Bgm_Volume=70"});
    EXPECT_EQ(set.exitCode, 1) << set.out;
    EXPECT_TRUE(Contains(set.err, "link")) << set.err;
    EXPECT_EQ(Read("elsewhere/OptionInfo.lua"), kSecret);
    EXPECT_EQ(std::distance(fs::directory_iterator("elsewhere"), fs::directory_iterator()), 1);
}

// Side file names of every fourth process number up to 4000, taken by
// links to a file and to a folder: the save takes a name nobody could
// know, and removing what it takes for leftovers never reaches a target.
TEST_F(SaveFolder, SideFileNamesPlantedForManyProcessesStopNoSave)
{
    Write(kSaved, "-- mine\r\n");
    fs::create_directory("elsewhere/folder");
    const std::string file = host::PathOf("elsewhere/OptionInfo.lua");
    const std::string folder = host::PathOf("elsewhere/folder");
    ASSERT_TRUE(host::Shell("cd '" + host::PathOf("SaveData") + "' && i=0 && while [ $i -le 4000 ]; do " +
                            "if [ $((i % 8)) = 0 ]; then t='" + file + "'; else t='" + folder + "'; fi; " +
                            "ln -s $t OptionInfo.lua.$i.new || exit 1; i=$((i + 4)); done"));

    const command::Result set = Run({"set", "Bgm_Volume=70"});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    EXPECT_EQ(Read(kSaved).rfind("-- mine\r\nOptionInfoList[\"Bgm_Volume\"] = 70\r\n", 0), 0u) << Read(kSaved);
    EXPECT_EQ(Read("elsewhere/OptionInfo.lua"), kSecret);
    EXPECT_TRUE(fs::is_directory("elsewhere/folder"));
}

// Sizes past what 32 bits hold: neither wraps round to a small file.
TEST_F(SaveFolder, ASavedFilePastTheReadBoundIsRefusedByItsTrueSize)
{
    const std::string bound = "larger than the " + std::to_string(kMaxSavedFileBytes >> 20) + " MiB";
    for (const std::uintmax_t size : {(4ull << 30) + 100, (2ull << 30) + 100}) {
        Write(kSaved, "");
        fs::resize_file(kSaved, size);  // sparse: it takes no room
        ASSERT_EQ(fs::file_size(kSaved), size);
        const command::Result set = Run({"set", "Bgm_Volume=70"});
        EXPECT_EQ(set.exitCode, 1) << size;
        EXPECT_TRUE(Contains(set.err, bound)) << set.err;
        EXPECT_EQ(fs::file_size(kSaved), size);
        fs::remove(kSaved);
    }
}

TEST_F(SaveFolder, AReadOnlySavedFileIsLeftAsItIsAndTheSaveSaysSo)
{
    Write(kSaved, "-- mine\r\n");
    fs::permissions(kSaved, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const command::Result set = Run({"set", "Bgm_Volume=70"});
    EXPECT_EQ(set.exitCode, 1);
    EXPECT_TRUE(Contains(set.err, "read-only")) << set.err;
    EXPECT_EQ(Read(kSaved), "-- mine\r\n");
    fs::permissions(kSaved, fs::perms::owner_write, fs::perm_options::add);
}

// The replaced file's marks are the new one's.
TEST_F(SaveFolder, TheSavedFileKeepsItsMarks)
{
    Write(kSaved, "-- mine\r\n");
#ifdef _WIN32
    ASSERT_TRUE(SetFileAttributesA(kSaved, FILE_ATTRIBUTE_HIDDEN));
#else
    const fs::perms marks = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(kSaved, marks);
#endif
    ASSERT_EQ(Run({"set", "Bgm_Volume=70"}).exitCode, 0);
    EXPECT_TRUE(Contains(Read(kSaved), "OptionInfoList[\"Bgm_Volume\"] = 70"));
#ifdef _WIN32
    EXPECT_NE(GetFileAttributesA(kSaved) & FILE_ATTRIBUTE_HIDDEN, 0u);
#else
    EXPECT_EQ(fs::status(kSaved).permissions(), marks);
#endif
}

}  // namespace
