// What start-up and the pages spend in the option files: the whole
// start-up read (defaults, preserved lines, saved values), the tooltip
// lookups, and for scale one compile and run of each script alone.
//
// Launch/ClientMessages against CompileAndRun/ClientMessages is the figure
// that matters: a launch with a message script of a client's size (20,000
// texts, about 2.3 MB) next to one compile and run of that script. Compare
// their medians from one run:
//   build/bench/bench/option_files_bench --benchmark_filter=ClientMessages
//
// HostileStartup is the start-up read with a saved file made to stall it;
// each round reads a saved file it has not seen before, as a new run would.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "optionfiles/LuaLimits.h"
#include "optionfiles/OptionScript.h"
#include "session/Defaults.h"
#include "session/SessionSteps.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

constexpr int kClientMessageCount = 20000;
const char kMessageScript[] = "System/LuaFiles514/MsgString.lua";

const char kSavedFile[] =
    "-- the player's own line\r\n"
    "OptionInfoList[\"Bgm_Volume\"] = 80\r\nOptionInfoList[\"Effect_Volume\"] = 90\r\n"
    "OptionInfoList[\"MouseExclusive\"] = 1\r\nOptionInfoList[\"ISFULLSCREENMODE\"] = 1\r\n"
    "OptionInfoList[\"WIDTH\"] = 1024\r\nOptionInfoList[\"HEIGHT\"] = 768\r\n"
    "OptionInfoList[\"BITPERPIXEL\"] = 16\r\nOptionInfoList[\"DEVICECNT\"] = 0\r\n"
    "OptionInfoList[\"MODECNT\"] = 3\r\nOptionInfoList[\"SPRITEMODE\"] = 1\r\n"
    "OptionInfoList[\"TEXTUREMODE\"] = 1\r\n\r\n";

// A text of about 100 characters, different for each entry.
std::string ClientText(int i)
{
    std::string text = "Text " + std::to_string(i) +
                       " of the client's own interface, as long as a usual line of help in a window";
    text.resize(100, '.');
    return text;
}

// The client's message script: the tool's own texts among the client's.
std::string ClientMessageScript(int entries)
{
    std::string script = "SetupMSG = {\n";
    for (int key = kFirstSystemMessage; key <= kLastOptionMessage; ++key)
        script += std::string("  [\"") + SettingName(key) + "\"] = \"Tooltip of " +
                  SettingName(key) + ".\",\n";
    for (int i = 0; i < entries; ++i)
        script += "  [\"UI_TEXT_" + std::to_string(i) + "\"] = \"" + ClientText(i) + "\",\n";
    script += "  [\"ISOK\"] = \"Save the settings and close Setup?\",\n}\n";
    return script;
}

// The demo client folder with a saved file, optionally with a message
// script of entries client texts (the demo's own when 0).
class ClientFolder {
public:
    explicit ClientFolder(int entries = 0)
    {
        fs::copy(SETUP_DEMO_FOLDER, folder_.path(), fs::copy_options::recursive);
        InitSettingNames();
        fs::create_directories("SaveData");
        std::string saved = kSavedFile;
        for (int key = kFirstCmdOnOffKey; key <= kLastCmdOnOffKey; ++key)
            saved += std::string("CmdOnOffList[\"") + SettingName(key) + "\"] = 1\r\n";
        std::ofstream("SaveData/OptionInfo.lua", std::ios::binary) << saved;
        if (entries > 0)
            std::ofstream(kMessageScript, std::ios::binary) << ClientMessageScript(entries);
        Age();
        CRegistry::CrateInstance();
    }
    ~ClientFolder() { CRegistry::ReleaseInstance(); }

    // The saved file as a new file of the same bytes.
    static void RenewSavedFile()
    {
        fs::copy_file("SaveData/OptionInfo.lua", "SaveData/OptionInfo.new");
        fs::rename("SaveData/OptionInfo.new", "SaveData/OptionInfo.lua");
        Age();
    }

    // The message script as a new file of the same bytes, as after the
    // client's next update: nothing read from the old one still holds.
    void RenewMessageScript()
    {
        fs::copy_file(kMessageScript, "MsgString.new");
        fs::rename("MsgString.new", kMessageScript);
        Age();
    }

private:
    // A client's files were written long before the tool runs.
    static void Age()
    {
        const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24);
        for (const auto& entry : fs::recursive_directory_iterator("."))
            if (entry.is_regular_file())
                fs::last_write_time(entry.path(), old);
    }

    TempFolder folder_;
};

void LookUpSystemTooltips()
{
    for (int key = kFirstSystemMessage; key <= kLastSystemMessage; ++key)
        benchmark::DoNotOptimize(g_optionScript.GetMessageText(SettingName(key)));
    benchmark::DoNotOptimize(g_optionScript.GetMessageText("ISOK"));
}

void ReadAtStartup()
{
    SetupSettings->preservedLines.clear();
    ApplyDefaults();
    SetupSession::LoadPreservedLines();
    SetupSession::ApplySavedOptions();
    benchmark::DoNotOptimize(SetupSettings->WIDTH);
}

void StartupRead(benchmark::State& state)
{
    ClientFolder folder;
    for (auto _ : state)
        ReadAtStartup();
}

void Tooltips(benchmark::State& state)
{
    ClientFolder folder(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (int key = kFirstSystemMessage; key <= kLastOptionMessage; ++key)
            benchmark::DoNotOptimize(g_optionScript.GetMessageText(SettingName(key)));
        benchmark::DoNotOptimize(g_optionScript.GetMessageText("ISOK"));
    }
}

// What a launch spends in the option files up to the System page with its
// tooltips: the start-up read, then the page's 11 tooltips and the
// question. Each round reads a message script it has not seen before.
void Launch(benchmark::State& state, int entries)
{
    ClientFolder folder(entries);
    for (auto _ : state) {
        state.PauseTiming();
        folder.RenewMessageScript();
        state.ResumeTiming();
        ReadAtStartup();
        LookUpSystemTooltips();
    }
}

// Saved files that a player could write to stall the start: one that
// grows until the memory ceiling stops it, one that fills a table until
// the instruction budget does, and 11 MB of source, which the read
// bound refuses before anything compiles.
std::string HostileSavedFile(int kind)
{
    switch (kind) {
    case 0:
        return "local t = {} local s = 'x' while true do t[#t + 1] = s .. #t end\r\n";
    case 1:
        return "OptionInfoList = {} for i = 1, 1e9 do OptionInfoList[i] = i end\r\n";
    default:
        std::string source = "OptionInfoList = {";
        for (int i = 0; i < 5'500'000; ++i)
            source += "1,";
        return source + "}\r\n";
    }
}

void HostileStartup(benchmark::State& state)
{
    ClientFolder folder;
    std::ofstream("SaveData/OptionInfo.lua", std::ios::binary | std::ios::trunc)
        << HostileSavedFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        ClientFolder::RenewSavedFile();
        state.ResumeTiming();
        ReadAtStartup();
    }
}

// Saved files of every shape, kib KiB each (as bench/saved-file-shapes.sh
// makes them): an elseif chain, a first line of byte-order marks, empty
// lines, short lines of others, one long line, the tool's own lines, a
// block never closed at the top, a broken line at the end.
const char* const kShapes[] = {"elseif", "bom", "empty", "short", "long", "tool", "broken-top", "broken-end"};

std::string Repeated(const std::string& line, std::size_t kib)
{
    std::string text;
    text.reserve(kib * 1024 + line.size());
    while (text.size() + line.size() <= kib * 1024)
        text += line;
    return text;
}

std::string SavedFileOfShape(int shape, std::size_t kib)
{
    switch (shape) {
    case 0: return "if a then\n" + Repeated("elseif a then\n", kib) + "end\n";
    case 1: return Repeated("\xEF\xBB\xBF", kib) + "\n";
    case 2: return Repeated("\n", kib);
    case 3: return Repeated("a=1\n", kib);
    case 4: return "a='" + Repeated("x", kib) + "'\n";
    case 5: return Repeated("OptionInfoList[\"WIDTH\"] = 800\r\n", kib);
    case 6: return "do\n" + Repeated("a=1\n", kib);
    default: return Repeated("a=1\n", kib) + "a = = 1\n";
    }
}

// The start-up read and a save of a saved file of one shape, as a new run
// of the tool meets it: the file is written anew before each round.
void SavedFileShapes(benchmark::State& state)
{
    ClientFolder folder;
    const int shape = static_cast<int>(state.range(0));
    const std::string file = SavedFileOfShape(shape, static_cast<std::size_t>(state.range(1)));
    state.SetLabel(kShapes[shape]);
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream("SaveData/OptionInfo.lua", std::ios::binary | std::ios::trunc) << file;
        ClientFolder::RenewSavedFile();
        state.ResumeTiming();
        ReadAtStartup();
        benchmark::DoNotOptimize(SetupSession::SaveSettings().Saved());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.size()));
}

// One compile and run of a script in a fresh limited state, through Lua's
// own file loader: the unit that a lookup of it paid before compiled
// chunks were kept.
void CompileAndRun(benchmark::State& state, const char* file, int entries)
{
    ClientFolder folder(entries);
    LuaMemory memory;
    LuaStatePtr lua = NewLimitedState(memory);
    for (auto _ : state) {
        if (luaL_loadfile(lua.get(), file) != 0) {
            state.SkipWithError("script does not compile");
            break;
        }
        // The saved file fills tables that the reader provides.
        for (int table : {kOptionInfoList, kCmdOnOffList}) {
            lua_createtable(lua.get(), 0, 0);
            lua_setfield(lua.get(), LUA_GLOBALSINDEX, SettingName(table));
        }
        if (lua_pcall(lua.get(), 0, 0, 0) != 0) {
            state.SkipWithError("script failed");
            break;
        }
    }
}

}  // namespace

BENCHMARK(StartupRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(HostileStartup)->DenseRange(0, 2)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(SavedFileShapes)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 7, 1), {64, 256, 1020}})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Tooltips)->Arg(0)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CompileAndRun, OptionScript, "System/LuaFiles514/OptionInfo.lua", 0)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CompileAndRun, SavedFile, "SaveData/OptionInfo.lua", 0)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CompileAndRun, DemoMessages, kMessageScript, 0)->Unit(benchmark::kMicrosecond);

// The pair to compare, side by side: 7 rounds each, medians.
BENCHMARK_CAPTURE(CompileAndRun, ClientMessages, kMessageScript, kClientMessageCount)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(Launch, ClientMessages, kClientMessageCount)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
