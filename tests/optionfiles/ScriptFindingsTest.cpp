// Why a script or a value was not used, recorded as the reader falls back,
// and which script answered a lookup.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "ClientFolder.h"
#include "optionfiles/OptionScript.h"
#include "platform/FileBytes.h"
#include "settings/Findings.h"
#include "settings/SettingNames.h"
#include "support/TempFolder.h"

namespace {

using namespace client;
using Lines = std::vector<std::string>;

const std::string kOptionSource = std::string(kOptionScript) + ".lua";

// Findings as a report prints them: PLACE[:LINE]: what.
Lines Printed(const Findings& findings)
{
    Lines lines;
    for (const Finding& f : findings.all())
        lines.push_back(f.place + (f.line > 0 ? ":" + std::to_string(f.line) : "") + ": " + f.message);
    return lines;
}

class ScriptFindings : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitSettingNames();
        script.SetFindings(&findings);
    }

    TempFolder folder;
    Findings findings;
    OptionScript script;
};

TEST_F(ScriptFindings, EachFallbackSaysWhy)
{
    const char* place = "System\\LuaFiles514\\OptionInfo.lua";
    const struct { const char* name; std::string source; Lines expected; } cases[] = {
        {"syntax", "OptionInfoList = {\n  WIDTH = = 1 }", {":2: unexpected symbol near '='"}},
        {"run", "OptionInfoList = {}\nprint('x')", {":2: attempt to call global 'print' (a nil value)"}},
        {"budget", "OptionInfoList = {}\nwhile true do end",
         {":2: stopped after 5000000 instructions, the most a script may run"}},
        {"memory", "s = 'x' for i = 1, 19 do s = s .. s end t = {} for i = 1, 200 do t[i] = s .. i end",
         {": needs more than the 64 MiB of memory a script may use"}},
        {"long string", "s = 'x' for i = 1, 30 do s = s .. s end",
         {":1: a string longer than 1 MiB, the longest a script may build"}},
        {"not a table", "OptionInfoList = 5", {": OptionInfoList is a number, not a table"}},
        {"no table", "x = 1", {": OptionInfoList is missing"}},
        {"text for a number", "OptionInfoList = { WIDTH = '1024' }",
         {": OptionInfoList[\"WIDTH\"] holds a string, not a number"}},
        {"absent key", "OptionInfoList = {}", {}},
    };
    for (const auto& c : cases) {
        Findings found;
        OptionScript fresh;  // without the globals of the cases before
        fresh.SetFindings(&found);
        Write(kOptionSource, c.source);
        fresh.GetDefaultOption("WIDTH");
        fresh.GetDefaultOption("WIDTH");  // the same again is no new finding
        Lines expected;
        for (const std::string& line : c.expected)
            expected.push_back(place + line);
        EXPECT_EQ(Printed(found), expected) << c.name;
    }
}

TEST_F(ScriptFindings, FilesThatAreMissingUnreadableOrForeign)
{
    script.GetSavedOption("WIDTH", 0);  // no saved file is no finding; no option script is
    EXPECT_EQ(Printed(findings),
              Lines{"System\\LuaFiles514\\OptionInfo: missing: there is neither a .lub nor a .lua"});

    findings = Findings();
    std::string foreign = ClientChunk("options.lub");
    foreign[8] = 8;
    Write(std::string(kOptionScript) + ".lub", foreign);
    std::filesystem::create_directories(kOptionSource);  // there, but no file to read
    script.GetDefaultOption("WIDTH");
    ASSERT_EQ(findings.all().size(), 2u);
    EXPECT_EQ(Printed(findings)[0],
              "System\\LuaFiles514\\OptionInfo.lub: precompiled for another Lua build "
              "(size_t of 8 bytes); the .lua is tried instead");
    EXPECT_EQ(Printed(findings)[1].rfind("System\\LuaFiles514\\OptionInfo.lua: cannot be read: ", 0), 0u)
        << Printed(findings)[1];

    findings = Findings();
    std::filesystem::remove(kOptionSource);
    Write(kOptionSource, std::string(kMaxFileBytes + 1, ' '));
    script.GetDefaultOption("WIDTH");
    EXPECT_EQ(Printed(findings)[1],
              "System\\LuaFiles514\\OptionInfo.lua: larger than 16 MiB, too large to be read");
}

TEST_F(ScriptFindings, ALookupSaysWhichScriptAnswered)
{
    const auto width = [&] {
        return script.LookUpInteger(SettingName(kSavedOptionFile), SettingName(kOptionInfoList), "WIDTH");
    };
    EXPECT_FALSE(width().found);
    EXPECT_EQ(width().answeredBy, ScriptSource::kNone);

    Write(kOptionSource, "OptionInfoList = { WIDTH = 1024 }");
    EXPECT_TRUE(width().found);
    EXPECT_EQ(width().value, 1024);
    EXPECT_EQ(width().answeredBy, ScriptSource::kOptionScript);

    Write(std::string(kSavedFile) + ".lua", "\xEF\xBB\xBFOptionInfoList[\"WIDTH\"] = 800\r\n");
    EXPECT_EQ(width().value, 800);
    EXPECT_EQ(width().answeredBy, ScriptSource::kSavedFile);

    findings = Findings();
    Write(std::string(kSavedFile) + ".lua", "OptionInfoList[\"WIDTH\"] = = 800\r\n");
    EXPECT_EQ(width().answeredBy, ScriptSource::kOptionScript);
    EXPECT_EQ(Printed(findings), Lines{"SaveData\\OptionInfo.lua:1: unexpected symbol near '='"});
}

}  // namespace
