// setupctl and the sheet, given the same choices in the same client folder,
// save the same bytes.
#include "SetupRun.h"
#include "support/Command.h"

namespace {

using namespace e2e;

TEST_F(SetupRun, SetupctlSavesTheBytesTheSheetSaves)
{
    const fs::path twin = folder_.path().string() + "-twin";
    fs::copy(folder_.path(), twin, fs::copy_options::recursive);

    Start();
    ASSERT_GE(Choose800x600(), 0);
    PressOkAndAnswer(IDOK);

    const command::Result set =
        command::Run(run::WinePath(SETUPCTL), {"-C", twin.string(), "set", "mode=800x600x16"});
    EXPECT_EQ(set.exitCode, 0) << set.err;
    EXPECT_EQ(ReadBytes(twin / "SaveData" / "OptionInfo.lua"), ReadBytes(SavedFile()));
    fs::remove_all(twin);
}

}  // namespace
