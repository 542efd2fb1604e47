// A save of setupctl is all or nothing, and a save that would change
// nothing writes nothing.
#include "SetupctlFixture.h"

namespace {

using namespace setupctl_test;

// Each file's bytes and time, so that a file written again with the same
// bytes is told apart.
std::map<std::string, std::string> FileTimes()
{
    std::map<std::string, std::string> times;
    for (const auto& entry : fs::recursive_directory_iterator("."))
        times[entry.path().string()] =
            std::to_string(fs::last_write_time(entry.path()).time_since_epoch().count());
    return times;
}

// A save folder in whose place is a file: the saved file cannot be
// written, so neither are the registry values; every change says (not saved).
TEST_F(Setupctl, ASaveWhoseFileCannotBeWrittenWritesNoRegistryValue)
{
    fs::remove_all("SaveData");
    client::Write("SaveData", "not a folder");
    const auto before = Snapshot();
    const command::Result failed = Run({"set", "Bgm_Volume=5", "SOUNDMODE=1"});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(Contains(failed.out, "Bgm_Volume: 100 -> 5 (not saved)\n")) << failed.out;
    EXPECT_TRUE(Contains(failed.out, "registry: SOUNDMODE: 0 -> 1 (not saved)\n")) << failed.out;
    EXPECT_TRUE(Contains(failed.err, "setupctl: not saved: Your options could not be saved in SaveData\\OptionInfo.lua.\n"))
        << failed.err;
    EXPECT_EQ(Snapshot(), before);
}

// Applied twice, a profile is written once: the second time nothing is
// written, not even the same bytes again.
TEST_F(Setupctl, ANoOpWritesNothing)
{
    client::Write("p.json", R"({"format": "setupctl-profile", "version": 1, "settings": {"Bgm_Volume": 9}})");
    ASSERT_EQ(Run({"import", "p.json"}).exitCode, 0);
    const auto before = Snapshot();
    const auto times = FileTimes();
    const command::Result again = Run({"import", "p.json"});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out, "nothing to change\n");
    const command::Result json = Run({"set", "--json", "Bgm_Volume=9"});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    EXPECT_TRUE(Contains(json.out, R"({"dryRun": false, "changed": false, "changes": [], "registry": [])")) << json.out;
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(FileTimes(), times);
    EXPECT_TRUE(Contains(Run({"set", "--dry-run", "Bgm_Volume=9"}).out, "nothing to change\n"));
    EXPECT_EQ(Run({"set", "--dry-run", "--json", "Bgm_Volume=10"}).out.substr(0, 34),
              R"({"dryRun": true, "changed": true, )");
}

// A dry run tells the lines a save would set aside, numbered as check
// numbers them in the file as it is, and the save says the same numbers.
TEST_F(Setupctl, ADryRunListsTheLinesASaveSetsAsideAtTheirLines)
{
    client::Write(kSaved, "OptionInfoList[\"WIDTH\"] = 800\r\n-- mine\r\nt = {\r\n");
    EXPECT_TRUE(Contains(Run({"check"}).out, "SaveData\\OptionInfo.lua:3: a save would set this line aside"));
    const auto before = Snapshot();
    const command::Result dryRun = Run({"set", "--dry-run", "/fog=0"});
    EXPECT_TRUE(Contains(dryRun.out, "SaveData\\OptionInfo.lua:3: set aside by the save as a comment (\"-- \"), "
                                     "because Lua cannot read the file with it: t = {\n"))
        << dryRun.out;
    EXPECT_TRUE(Contains(Run({"set", "--dry-run", "--json", "/fog=0"}).out,
                         R"("setAsideLines": [{"line": 3, "text": "t = {"}])"));
    EXPECT_EQ(Snapshot(), before);

    const command::Result saved = Run({"set", "/fog=0"});
    EXPECT_TRUE(Contains(saved.out, "SaveData\\OptionInfo.lua:3: set aside by the save")) << saved.out;
    EXPECT_TRUE(Contains(saved.out, "SaveData\\OptionInfo.lua: line 3, written there by others")) << saved.out;
    EXPECT_EQ(client::Read(kSaved), "-- mine\r\n-- t = {\r\n" + SavedBlocks({{"WIDTH", 800}, {"/fog", 0}}));
}

}  // namespace
