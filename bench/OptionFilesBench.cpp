// What start-up and the pages spend in the option files: the whole
// start-up read (defaults, preserved lines, saved values), the tooltip
// lookups, and for scale one compile and run of each script alone.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/SetupSession.h"
#include "optionfiles/LuaLimits.h"
#include "optionfiles/OptionScript.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

const char kSavedFile[] =
    "-- the player's own line\r\n"
    "OptionInfoList[\"Bgm_Volume\"] = 80\r\nOptionInfoList[\"Effect_Volume\"] = 90\r\n"
    "OptionInfoList[\"MouseExclusive\"] = 1\r\nOptionInfoList[\"ISFULLSCREENMODE\"] = 1\r\n"
    "OptionInfoList[\"WIDTH\"] = 1024\r\nOptionInfoList[\"HEIGHT\"] = 768\r\n"
    "OptionInfoList[\"BITPERPIXEL\"] = 16\r\nOptionInfoList[\"DEVICECNT\"] = 0\r\n"
    "OptionInfoList[\"MODECNT\"] = 3\r\nOptionInfoList[\"SPRITEMODE\"] = 1\r\n"
    "OptionInfoList[\"TEXTUREMODE\"] = 1\r\n\r\n";

// The demo client folder with a saved file, optionally with a message
// script of entries tooltip texts (the demo's own when 0).
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
            WriteLargeMessageScript(entries);
        CRegistry::CrateInstance();
    }
    ~ClientFolder() { CRegistry::ReleaseInstance(); }

private:
    static void WriteLargeMessageScript(int entries)
    {
        std::ofstream out("System/LuaFiles514/MsgString.lua", std::ios::binary);
        out << "SetupMSG = {\n";
        for (int key = kFirstSystemMessage; key <= kLastOptionMessage; ++key)
            out << "  [\"" << SettingName(key) << "\"] = \"Tooltip of " << SettingName(key) << ".\",\n";
        for (int i = 0; i < entries; ++i)
            out << "  [\"UI_TEXT_" << i << "\"] = \"A text of the client's own, of a usual length.\",\n";
        out << "  [\"ISOK\"] = \"Save the settings and close Setup?\",\n}\n";
    }

    TempFolder folder_;
};

void StartupRead(benchmark::State& state)
{
    ClientFolder folder;
    for (auto _ : state) {
        SetupSettings->preservedLines.clear();
        SetupSettings->SetDefaults();
        SetupSession::LoadPreservedLines();
        SetupSession::ApplySavedOptions();
        benchmark::DoNotOptimize(SetupSettings->WIDTH);
    }
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

// One compile and run of a script in a fresh limited state: the unit that
// every lookup pays once.
void ParseAndRun(benchmark::State& state, const char* file, int entries)
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
BENCHMARK(Tooltips)->Arg(0)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ParseAndRun, OptionScript, "System/LuaFiles514/OptionInfo.lua", 0)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ParseAndRun, SavedFile, "SaveData/OptionInfo.lua", 0)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ParseAndRun, DemoMessages, "System/LuaFiles514/MsgString.lua", 0)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ParseAndRun, Messages2000, "System/LuaFiles514/MsgString.lua", 2000)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
