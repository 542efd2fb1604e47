#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <filesystem>

#include "ClientFolder.h"
#include "optionfiles/OptionScript.h"
#include "settings/SettingNames.h"
#include "support/TempFolder.h"

namespace {

using namespace client;

class OptionScriptTest : public ::testing::Test {
protected:
    void SetUp() override { InitSettingNames(); }

    int32_t Saved(const char* key, int32_t fallback) { return script.GetSavedOption(key, fallback); }

    TempFolder folder;
    OptionScript script;
};

TEST(ToInt32, TruncatesTowardZeroAndMarksWhatDoesNotFit)
{
    const struct { double number; int32_t expected; } cases[] = {
        {2.9, 2},
        {-2.9, -2},
        {2147483647.0, 2147483647},
        {-2147483648.0, INT32_MIN},
        {2147483648.0, INT32_MIN},
        {-2147483649.0, INT32_MIN},
        {1e300, INT32_MIN},
        {-1e300, INT32_MIN},
        {0.0 / 0.0, INT32_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToInt32(c.number), c.expected) << c.number;
}

TEST_F(OptionScriptTest, IntegerLookupTakesOnlyNumbers)
{
    const struct { const char* value; int32_t expected; } cases[] = {
        {"1024", 1024},
        {"-1", -1},
        {"7.9", 7},
        {"0/0", INT32_MIN},
        {"1/0", INT32_MIN},
        {"\"1024\"", 77},  // a text, however numeric
        {"true", 77},
        {"{}", 77},
        {"nil", 77},
    };
    for (const auto& c : cases) {
        Write(std::string(kOptionScript) + ".lua",
              std::string("OptionInfoList = { WIDTH = ") + c.value + " }");
        EXPECT_EQ(script.GetInteger(SettingName(kOptionInfoScript), "OptionInfoList", "WIDTH", 77),
                  c.expected)
            << c.value;
    }
}

TEST_F(OptionScriptTest, DefaultsAreZeroWhenScriptTableOrKeyIsMissing)
{
    EXPECT_EQ(script.GetDefaultOption("Bgm_Volume"), 0);
    Write(std::string(kOptionScript) + ".lua", "OptionInfoList = { Bgm_Volume = 90 }");
    EXPECT_EQ(script.GetDefaultOption("Bgm_Volume"), 90);
    EXPECT_EQ(script.GetDefaultOption("Effect_Volume"), 0);
    EXPECT_EQ(script.GetDefaultCommand("/fog"), 0);
}

TEST_F(OptionScriptTest, KeysAreAlwaysTexts)
{
    Write(std::string(kOptionScript) + ".lua", "OptionInfoList = { [5] = 1, ['5'] = 2 }");
    EXPECT_EQ(script.GetDefaultOption("5"), 2);
    Write(std::string(kOptionScript) + ".lua", "OptionInfoList = { [5] = 1 }");
    EXPECT_EQ(script.GetDefaultOption("5"), 0);
}

TEST_F(OptionScriptTest, AFunctionCallFailsTheWholeScript)
{
    Write(std::string(kOptionScript) + ".lua",
          "print('hello')\nOptionInfoList = { Bgm_Volume = 90 }");
    EXPECT_EQ(script.GetDefaultOption("Bgm_Volume"), 0);
}

TEST_F(OptionScriptTest, ACompiledChunkGoesBeforeTheSource)
{
    Write(std::string(kOptionScript) + ".lua", "OptionInfoList = { Bgm_Volume = 1 }");
    Write(std::string(kOptionScript) + ".lub", ClientChunk("options.lub"));
    EXPECT_EQ(script.GetDefaultOption("Bgm_Volume"), 70);
    // Lua tells source from chunk by the first byte, not by the name.
    Write(std::string(kOptionScript) + ".lub", "OptionInfoList = { Bgm_Volume = 3 }");
    EXPECT_EQ(script.GetDefaultOption("Bgm_Volume"), 3);
}

TEST_F(OptionScriptTest, AChunkThatDoesNotLoadFallsThroughToTheSource)
{
    const std::string chunk = ClientChunk("options.lub");
    ASSERT_GT(chunk.size(), 12u);
    std::string foreignWordSize = chunk;
    foreignWordSize[8] = 8;  // size_t bytes
    std::string bigEndian = chunk;
    bigEndian[6] = 0;

    const std::string broken[] = {
        foreignWordSize, bigEndian, chunk.substr(0, 12), chunk.substr(0, chunk.size() / 2),
        std::string("\x1bLua\x51\0\x01", 7), std::string("\0\0\xff junk", 8),
        // This build's own dump: natively it has 8-byte sizes, so it is
        // refused like any chunk that is not of the client's form.
        sizeof(size_t) == 4 ? foreignWordSize : Precompiled("OptionInfoList = { Bgm_Volume = 2 }"),
    };
    Write(std::string(kOptionScript) + ".lua", "OptionInfoList = { Bgm_Volume = 1 }");
    for (const std::string& bytes : broken) {
        Write(std::string(kOptionScript) + ".lub", bytes);
        EXPECT_EQ(script.GetDefaultOption("Bgm_Volume"), 1) << bytes.size();
    }
}

#ifdef _WIN32
TEST_F(OptionScriptTest, TheWindowsBuildReadsTheClientsChunkHeader)
{
    if (sizeof(size_t) != 4)
        GTEST_SKIP() << "not in this build: TheWindowsBuildReadsTheClientsChunkHeader; the client's "
                        "chunks are the 32-bit build's own, the 64-bit twin translates them";
    const std::string header("\x1bLua\x51\x00\x01\x04\x04\x04\x08\x00", 12);
    EXPECT_EQ(Precompiled("x = 1").substr(0, 12), header);
}
#endif

TEST_F(OptionScriptTest, SavedFileStandsAloneWhenItCompiles)
{
    Write(std::string(kOptionScript) + ".lua",
          "OptionInfoList = { WIDTH = 1024, HEIGHT = 768 }");
    Write(std::string(kSavedFile) + ".lua", "OptionInfoList[\"WIDTH\"] = 1280\r\n");
    EXPECT_EQ(Saved("WIDTH", 800), 1280);
    EXPECT_EQ(Saved("HEIGHT", 600), 600);  // not the option script's 768
}

TEST_F(OptionScriptTest, OptionScriptStandsInForASavedFileThatDoesNotCompile)
{
    Write(std::string(kOptionScript) + ".lua", "OptionInfoList = { WIDTH = 1024 }");
    EXPECT_EQ(Saved("WIDTH", 800), 1024);  // no saved file
    Write(std::string(kSavedFile) + ".lua", "OptionInfoList[\"WIDTH\"] = = 1280");
    EXPECT_EQ(Saved("WIDTH", 800), 1024);
    Write(std::string(kOptionScript) + ".lua", "OptionInfoList = { WIDTH = 'wide' }");
    EXPECT_EQ(Saved("WIDTH", 800), 800);
}

TEST_F(OptionScriptTest, SavedFileFailingAtRunTimeGivesEveryFallback)
{
    Write(std::string(kOptionScript) + ".lua", "OptionInfoList = { WIDTH = 1024 }");
    Write(std::string(kSavedFile) + ".lua",
          "OptionInfoList[\"WIDTH\"] = 1280\r\nCmdOnOffList[\"/fog\"] = 1\r\nNoSuchTable.x = 1\r\n");
    EXPECT_EQ(Saved("WIDTH", 800), 800);
    EXPECT_EQ(script.GetSavedCommand("/fog", 0), 0);
}

// Lua's check of precompiled code lets crafted chunks through: none is run
// from the save folder, which others may write; only its source is read.
TEST_F(OptionScriptTest, NoChunkIsRunFromTheSaveFolder)
{
    Write(std::string(kSavedFile) + ".lub", ClientChunk("options.lub"));  // sets "/fog" to 1
    Write(std::string(kOptionScript) + ".lua", "CmdOnOffList = { [\"/fog\"] = 2 }");
    EXPECT_EQ(script.GetSavedCommand("/fog", 5), 2);  // the option script stands in
    Write(std::string(kSavedFile) + ".lua", "CmdOnOffList[\"/fog\"] = 0");
    EXPECT_EQ(script.GetSavedCommand("/fog", 5), 0);
}

TEST_F(OptionScriptTest, MessageTextsAndTheirBuffer)
{
    Write(std::string(kMessageScript) + ".lua",
          "SetupMSG[\"ISOK\"] = \"Save?\"\nSetupMSG.fog = \"Fog\"\nSetupMSG.Mode = 5\n"
          "SetupMSG.nul = \"cut\\0off\"");
    const char* first = script.GetMessageText("ISOK");
    EXPECT_STREQ(first, "Save?");
    EXPECT_STREQ(script.GetMessageText("Mode"), "");  // a number is no text
    EXPECT_STREQ(script.GetMessageText("missing"), "");
    EXPECT_STREQ(first, "Save?");  // kept: the lookups in between failed
    EXPECT_STREQ(script.GetMessageText("fog"), "Fog");
    EXPECT_STREQ(first, "Fog");  // the one buffer, overwritten
    EXPECT_STREQ(script.GetMessageText("nul"), "cut");
}

TEST_F(OptionScriptTest, MessageScriptMaySetItsTableAnew)
{
    Write(std::string(kMessageScript) + ".lua", "SetupMSG = { ISOK = 'Sure?' }");
    EXPECT_STREQ(script.GetMessageText("ISOK"), "Sure?");
    Write(std::string(kMessageScript) + ".lua", "SetupMSG = 3");
    EXPECT_STREQ(script.GetMessageText("ISOK"), "");
    EXPECT_STREQ(script.GetString("OptionInfoList", "ISOK"), "");
}

TEST_F(OptionScriptTest, OnlyTheThreeScriptsAreKnown)
{
    Write("Other.lua", "OptionInfoList = { WIDTH = 1 }");
    EXPECT_EQ(script.GetInteger("Other", "OptionInfoList", "WIDTH", 9), 9);
    EXPECT_FALSE(script.PrepareScript("Other"));
}

// Each script runs in a state of its own, with fresh globals each run: a
// saved file cannot change what the option script answers.
TEST_F(OptionScriptTest, GlobalsOfOneScriptAreNotSeenByTheOthers)
{
    Write(std::string(kOptionScript) + ".lua", "Shared = { WIDTH = 4 }");
    EXPECT_EQ(script.GetInteger(SettingName(kOptionInfoScript), "Shared", "WIDTH", 0), 4);
    Write(std::string(kMessageScript) + ".lua", "SetupMSG.x = 'y'");
    EXPECT_EQ(script.GetInteger(SettingName(kMsgStringScript), "Shared", "WIDTH", 0), 0);
    Write(std::string(kSavedFile) + ".lua", "OptionInfoList.WIDTH = 8 Shared = 1");
    EXPECT_EQ(script.GetSavedOption("WIDTH", 0), 8);
    EXPECT_EQ(script.GetInteger(SettingName(kOptionInfoScript), "Shared", "WIDTH", 0), 4);
}

TEST_F(OptionScriptTest, EachLookupSeesTheScriptAsItIsThen)
{
    const std::string path = std::string(kOptionScript) + ".lua";
    const struct { const char* name; const char* source; int32_t width; } steps[] = {
        {"first", "OptionInfoList = { WIDTH = 1 }", 1},
        {"same size", "OptionInfoList = { WIDTH = 2 }", 2},
        {"another size", "OptionInfoList = { WIDTH = 300 }", 300},
        {"does not compile", "OptionInfoList = { WIDTH = ,30 }", 0},
        {"compiles again, same size", "OptionInfoList = { WIDTH =  30 }", 30},
    };
    for (const auto& step : steps) {
        Write(path, step.source);
        EXPECT_EQ(script.GetDefaultOption("WIDTH"), step.width) << step.name;
        EXPECT_EQ(script.GetDefaultOption("WIDTH"), step.width) << step.name << ", again";
    }
    // Long unchanged, then replaced by a file of the same size and time.
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(path, old);
    EXPECT_EQ(script.GetDefaultOption("WIDTH"), 30);
    Write("new.lua", "OptionInfoList = { WIDTH =  40 }");
    std::filesystem::last_write_time("new.lua", old);
    std::filesystem::rename("new.lua", path);
    EXPECT_EQ(script.GetDefaultOption("WIDTH"), 40);
}

// One step's lookups see the files as the step found them; the next step
// sees them anew.
TEST_F(OptionScriptTest, ABatchSeesEachFileAsItWasAtItsFirstLookup)
{
    const std::string path = std::string(kOptionScript) + ".lua";
    Write(path, "OptionInfoList = { WIDTH = 1 }");
    {
        ScriptBatch batch(script);
        EXPECT_EQ(script.GetDefaultOption("WIDTH"), 1);
        Write(path, "OptionInfoList = { WIDTH = 300 }");
        EXPECT_EQ(script.GetDefaultOption("WIDTH"), 1);
    }
    EXPECT_EQ(script.GetDefaultOption("WIDTH"), 300);
    ScriptBatch next(script);  // not answered by the first batch's run
    Write(path, "OptionInfoList = { WIDTH = 20 }");
    EXPECT_EQ(script.GetDefaultOption("WIDTH"), 20);
}

TEST_F(OptionScriptTest, ScriptsWithAByteOrderMarkAreRead)
{
    Write(std::string(kOptionScript) + ".lua", "\xEF\xBB\xBFOptionInfoList = { WIDTH = 7 }");
    EXPECT_EQ(script.GetDefaultOption("WIDTH"), 7);
    Write(std::string(kMessageScript) + ".lua", "\xEF\xBB\xBF#!lua\nSetupMSG.ISOK = 'Save?'");
    EXPECT_STREQ(script.GetMessageText("ISOK"), "Save?");
}

}  // namespace
