// The client's precompiled chunks, as its own 32-bit compiler makes them
// (chunks/make-chunks.sh), and how a script file's bytes reach Lua.
#include <gtest/gtest.h>

#include <cstdint>

#include "ClientFolder.h"
#include "optionfiles/ChunkText.h"
#include "optionfiles/ClientChunk.h"
#include "optionfiles/OptionScript.h"
#include "settings/SettingNames.h"
#include "support/TempFolder.h"

namespace {

using namespace client;

const std::string kOptionChunk = std::string(kOptionScript) + ".lub";
const std::string kMessageChunk = std::string(kMessageScript) + ".lub";

class ClientChunkTest : public ::testing::Test {
protected:
    void SetUp() override { InitSettingNames(); }

    TempFolder folder;
    OptionScript script;
};

TEST(ClientChunk, TheNativeHeaderIsTheOneThisLuaWrites)
{
    EXPECT_EQ(NativeChunkHeader(), Precompiled("").substr(0, 12));
}

// Chunks that Lua 5.1's own check of precompiled code let through, each one
// instruction away from what the compiler made: the build's Lua refuses them.
TEST(ClientChunk, CraftedCodeIsRefusedAndCompiledCodeLoads)
{
    const struct { const char* name; const char* source; std::string made, crafted; } cases[] = {
        // return ... : the RETURN after an open VARARG into 0 takes from 1
        {"open VARARG used above its register", "return ...",
         std::string("\x25\0\0\0\x1e\0\0\0", 8), std::string("\x25\0\0\0\x5e\0\0\0", 8)},
        // for i = 1, 2 do end : its FORPREP turned into a JMP to the FORLOOP
        {"FORLOOP without its FORPREP", "for i = 1, 2 do end",
         std::string("\x20\xc0\xff\x7f", 4), std::string("\x16\xc0\xff\x7f", 4)},
        // local a = true : its LOADBOOL skips the RETURN, past the end, on C = 2
        {"LOADBOOL skipping past the end", "local a = true",
         std::string("\x02\x00\x80\x00\x1e\x00\x80\x00", 8),
         std::string("\x02\x80\x80\x00\x1e\x00\x80\x00", 8)},
        // for i = 1, 2 do local t = {} end : the NEWTABLE, then the FORLOOP,
        // made to put the table in the loop's own index
        {"loop body writing its counter", "for i = 1, 2 do local t = {} end",
         std::string("\x0a\x01\x00\x00\x1f\x40\xff\x7f", 8),
         std::string("\x0a\x00\x00\x00\x1f\x40\xff\x7f", 8)},
    };
    for (const auto& c : cases) {
        std::string chunk = Precompiled(c.source);
        const size_t at = chunk.find(c.made);
        ASSERT_NE(at, std::string::npos) << c.name;
        lua_State* state = luaL_newstate();
        EXPECT_EQ(luaL_loadbuffer(state, chunk.data(), chunk.size(), "made"), 0) << c.name;
        chunk.replace(at, c.made.size(), c.crafted);
        lua_settop(state, 0);
        EXPECT_EQ(luaL_loadbuffer(state, chunk.data(), chunk.size(), "crafted"), LUA_ERRSYNTAX) << c.name;
        lua_close(state);
    }
}

// A closure made to capture the loop's own index instead of i (the upvalue
// word after its CLOSURE) passes the check; the loop stops when it finds
// its counter changed, rather than reading a table as a number.
TEST(ClientChunk, ALoopWhoseCounterWasChangedStops)
{
    std::string chunk = Precompiled("for i = 1, 2 do local f = function() i = {} end f() end");
    const std::string made("\x24\x01\x00\x00\x00\x00\x80\x01", 8);
    const size_t at = chunk.find(made);
    ASSERT_NE(at, std::string::npos);
    chunk.replace(at, made.size(), std::string("\x24\x01\x00\x00\x00\x00\x00\x00", 8));
    lua_State* state = luaL_newstate();
    ASSERT_EQ(luaL_loadbuffer(state, chunk.data(), chunk.size(), "=crafted"), 0);
    EXPECT_EQ(lua_pcall(state, 0, 0, 0), LUA_ERRRUN);
    EXPECT_NE(std::string(lua_tostring(state, -1)).find(":1: 'for' counters changed in the loop"),
              std::string::npos);
    lua_close(state);
}

// A string of length 0 loads as none at all: an upvalue named so had its
// name read through a null pointer when a message named it.
TEST(ClientChunk, AnUpvalueWithoutItsNameIsRefused)
{
    const auto length = [](std::size_t bytes) {
        return std::string(reinterpret_cast<const char*>(&bytes), sizeof bytes);
    };
    std::string chunk = Precompiled("local u = 1 function f() return u() end");
    const std::string named = length(2) + std::string("u\0", 2);  // the first "u" is f's upvalue's
    const size_t at = chunk.find(named);
    ASSERT_NE(at, std::string::npos);
    chunk.replace(at, named.size(), length(0));
    lua_State* state = luaL_newstate();
    EXPECT_EQ(luaL_loadbuffer(state, chunk.data(), chunk.size(), "crafted"), LUA_ERRSYNTAX);
    EXPECT_NE(std::string(lua_tostring(state, -1)).find("bad string"), std::string::npos);
    lua_close(state);
}

TEST_F(ClientChunkTest, ItsChunksMeanWhatTheirSourceMeans)
{
    // No .lua beside them: a chunk that did not load would give zeros.
    for (const char* name : {"options.lub", "options-stripped.lub"}) {
        Write(kOptionChunk, ClientChunk(name));
        EXPECT_EQ(script.GetDefaultOption("Bgm_Volume"), 70) << name;
        EXPECT_EQ(script.GetDefaultOption("Effect_Volume"), 60) << name;
        EXPECT_EQ(script.GetDefaultOption("WIDTH"), 1024) << name;
        EXPECT_EQ(script.GetDefaultCommand("/fog"), 1) << name;
    }
    Write(kMessageChunk, ClientChunk("messages.lub"));
    EXPECT_STREQ(script.GetMessageText("ISOK"), "Save the settings?");
    EXPECT_STREQ(script.GetMessageText("Mode"), "Tip: the screen mode");
}

TEST_F(ClientChunkTest, ACutShortChunkGivesWayToTheSource)
{
    const std::string chunk = ClientChunk("messages.lub");
    Write(std::string(kMessageScript) + ".lua", "SetupMSG = { ISOK = 'source' }");
    for (std::size_t size = 1; size < chunk.size(); ++size) {
        Write(kMessageChunk, chunk.substr(0, size));
        EXPECT_STREQ(script.GetMessageText("ISOK"), "source") << size;
    }
}

TEST_F(ClientChunkTest, CountsAndLengthsPastTheEndAreRefused)
{
    // A stripped chunk: header, an empty source name, two lines and four
    // bytes, then the count of instructions.
    const std::string chunk = ClientChunk("options-stripped.lub");
    const struct { std::size_t at; uint32_t value; const char* why; } cases[] = {
        {12, 0xfffffff0u, "unexpected end in precompiled chunk"},  // the source name's length
        {28, 0x7fffffffu, "unexpected end in precompiled chunk"},
        {28, 0x80000000u, "bad integer in precompiled chunk"},
    };
    Write(std::string(kOptionScript) + ".lua", "OptionInfoList = { WIDTH = 1 }");
    for (const auto& c : cases) {
        std::string hostile = chunk;
        for (int i = 0; i < 4; ++i)
            hostile[c.at + i] = static_cast<char>(c.value >> (8 * i));
        Write(kOptionChunk, hostile);
        EXPECT_EQ(script.GetDefaultOption("WIDTH"), 1) << c.at;
        std::string why;
        if (NativeChunkHeader() != kClientChunkHeader) {  // the Windows build lets Lua check
            EXPECT_FALSE(ToNativeChunk(hostile, why));
            EXPECT_EQ(why, c.why);
        }
    }
}

TEST(ClientChunk, ForeignHeadersSayWhatTheyAre)
{
    const std::string client(kClientChunkHeader);
    const auto with = [&](std::size_t at, char value) {
        std::string header = client;
        header[at] = value;
        return header;
    };
    const struct { std::string header; const char* said; } cases[] = {
        {with(8, 8), "precompiled for another Lua build (size_t of 8 bytes)"},
        {with(6, 0), "precompiled for another Lua build (big-endian)"},
        {with(4, 0x52), "precompiled for Lua 5.2, not 5.1"},
        {client.substr(0, 7), "a precompiled chunk cut short in its header"},
        {with(1, 'X'), "not a Lua chunk, though it begins like one (1B 58 75 61 51 00 01 04 04 04 08 00)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DescribeForeignHeader(c.header), c.said);
}

TEST(ChunkText, AsLuasOwnLoaderReadsTheFileWithoutTheMark)
{
    const struct { const char* name; std::string file; bool precompiled, skipped; std::string bytes; } cases[] = {
        {"source", "x = 1\n", false, false, "x = 1\n"},
        {"byte-order mark", "\xEF\xBB\xBFx = 1", false, false, "x = 1"},
        {"a mark later stays", "x = '\xEF\xBB\xBF'", false, false, "x = '\xEF\xBB\xBF'"},
        {"first line with #", "#!lua\r\nx = 1", false, true, "x = 1"},
        {"mark, then #", "\xEF\xBB\xBF# c\nx", false, true, "x"},
        {"only a # line", "#!lua", false, true, ""},
        {"chunk", "\x1bLua\r\n\x1a", true, false, "\x1bLua\r\n\x1a"},
        {"chunk after the mark", "\xEF\xBB\xBF\x1bLua", true, false, "\x1bLua"},
        {"chunk after a # line", "#!x\n\x1bLua", true, false, "\x1bLua"},
#ifdef _WIN32
        {"text mode: CR LF as LF, Ctrl-Z ends", "a\r\nb\rc\r\r\nd\x1a e", false, false, "a\nb\rc\r\nd"},
#else
        {"bytes as they are", "a\r\nb\x1a e", false, false, "a\r\nb\x1a e"},
#endif
    };
    for (const auto& c : cases) {
        const ChunkText text = ChunkTextOf(c.file);
        EXPECT_EQ(text.precompiled, c.precompiled) << c.name;
        EXPECT_EQ(text.skippedFirstLine, c.skipped) << c.name;
        EXPECT_EQ(text.bytes, c.bytes) << c.name;
    }
}

}  // namespace
