// Scripts that would hang the tool or eat its memory end as run-time
// errors, so the getter's fallback applies, and the state stays usable.
#include <gtest/gtest.h>

#include "ClientFolder.h"
#include "optionfiles/OptionScript.h"
#include "optionfiles/SourceCompile.h"
#include "platform/ThreadTime.h"
#include "settings/Findings.h"
#include "settings/SettingNames.h"
#include "support/TempFolder.h"

namespace {

using namespace client;

TEST(ScriptLimits, RunawayScriptsGiveTheFallback)
{
    InitSettingNames();
    TempFolder folder;
    OptionScript script;
    const char* const runaway[] = {
        "while true do end",
        "local t = {} local i = 1 while true do t[i] = i i = i + 1 end",
        "s = 'xxxxxxxxxxxxxxxx' while true do s = s .. s end",
        "local t = {} while true do t[#t + 1] = 'x' .. #t end",  // slow within the other caps
        "local function f() return f() end f()",
        "local function f() f() end f()",
    };
    for (const char* body : runaway) {
        Write(std::string(kOptionScript) + ".lua",
              std::string("OptionInfoList = { Bgm_Volume = 1 }\n") + body);
        EXPECT_EQ(script.GetDefaultOption("Bgm_Volume"), 0) << body;

        Write(std::string(kOptionScript) + ".lua", "OptionInfoList = { Bgm_Volume = 1 }");
        EXPECT_EQ(script.GetDefaultOption("Bgm_Volume"), 1) << "after " << body;
    }
}

TEST(ScriptLimits, AStateFilledByAGlobalIsReplaced)
{
    InitSettingNames();
    TempFolder folder;
    OptionScript script;
    Write(std::string(kMessageScript) + ".lua", "SetupMSG.ISOK = 'Save?'");
    EXPECT_STREQ(script.GetMessageText("ISOK"), "Save?");
    // Small links, so that the ceiling is met to within a few bytes and the
    // reader's own calls (a ".lub" that is not there) find no room either.
    Write(std::string(kOptionScript) + ".lua",
          "hoard = {} local t = hoard while true do local n = {} t.n = n t = n end");
    EXPECT_EQ(script.GetDefaultOption("Bgm_Volume"), 0);
    Write(std::string(kOptionScript) + ".lua", "OptionInfoList = { Bgm_Volume = 2 }");
    EXPECT_EQ(script.GetDefaultOption("Bgm_Volume"), 2);
    // Nothing compiled in the old state is used in the new one.
    EXPECT_STREQ(script.GetMessageText("ISOK"), "Save?");
}

TEST(ScriptLimits, AClientSizedMessageScriptIsFarBelowThem)
{
    InitSettingNames();
    TempFolder folder;
    OptionScript script;
    std::string source = "SetupMSG = {\n";
    for (int i = 0; i < 20000; ++i)
        source += "  [\"key" + std::to_string(i) + "\"] = \"A tooltip text of a usual length.\",\n";
    source += "}\n";
    Write(std::string(kMessageScript) + ".lua", source);
    EXPECT_STREQ(script.GetMessageText("key19999"), "A tooltip text of a usual length.");
}

// One instruction that outlasts the whole time: the run stops at the next,
// not at the next look of the count hook.
int OutlastTheTime(lua_State*)
{
    const auto until = ThreadTime() + 2 * kRunTimeLimit;
    while (ThreadTime() < until) {
    }
    return 0;
}

TEST(ScriptLimits, ARunStopsAtTheInstructionAfterItsTime)
{
    LuaMemory memory;
    LuaStatePtr state = NewLimitedState(memory);
    lua_register(state.get(), "costly", OutlastTheTime);
    ASSERT_EQ(luaL_loadstring(state.get(), "costly() done = true"), 0);
    {
        LimitedRun limits(state.get(), memory);
        ASSERT_EQ(lua_pcall(state.get(), 0, 0, 0), LUA_ERRRUN);
    }
    EXPECT_STREQ(lua_tostring(state.get(), -1),
                 "[string \"costly() done = true\"]:1: stopped after 250 ms, the longest a script may run");
    lua_getglobal(state.get(), "done");
    EXPECT_TRUE(lua_isnil(state.get(), -1));
}

// Strings alike in every byte Lua hashes fall in one chain of its string
// table, and each new one is compared with all before it: a compile that
// would take seconds stops at the time a script may take.
TEST(ScriptLimits, ACompileStopsAtItsTime)
{
    InitSettingNames();
    TempFolder folder;
    OptionScript script;
    Findings found;
    script.SetFindings(&found);
    std::string text(4096, 'a');  // Lua hashes every 129th byte from the end, the last among them
    std::string source = "OptionInfoList = { WIDTH = 1 }\n";
    for (int i = 0; i < 3000; ++i) {
        for (int digit = 0; digit < 3; ++digit)
            text[4092 + digit] = static_cast<char>('A' + (i >> (4 * digit)) % 16);
        source += "x = \"" + text + "\"\n";
    }
    Write(std::string(kOptionScript) + ".lua", source);
    EXPECT_EQ(script.GetDefaultOption("WIDTH"), 0);
    ASSERT_EQ(found.all().size(), 1u);
    EXPECT_EQ(found.all()[0].message, "not compiled within 250 ms, the longest a script may take to compile");
    // Setting lines aside cannot tell what breaks such a file.
    EXPECT_EQ(CompileFileBytes(source).status, CompileVerdict::Status::kUnknown);
}

}  // namespace
