// The script reader on arbitrary files: as Lua source, as a precompiled
// chunk of the client's form (its header put in front, so the loader is reached),
// as the saved option file and as the message script. Every outcome must be
// a value or the fallback.
#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "optionfiles/ClientChunk.h"
#include "optionfiles/OptionScript.h"
#include "settings/SettingNames.h"

namespace {

bool EnterWorkFolder()
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("option-script-fuzz-" + std::to_string(getpid()));
    fs::create_directories(folder / "System" / "LuaFiles514");
    fs::create_directories(folder / "SaveData");
    fs::current_path(folder);
    InitSettingNames();
    return true;
}

void WriteOnly(const std::string& name, const std::string& bytes)
{
    for (const char* old : {"System/LuaFiles514/OptionInfo.lua", "System/LuaFiles514/OptionInfo.lub",
                            "System/LuaFiles514/MsgString.lua", "System/LuaFiles514/MsgString.lub",
                            "SaveData/OptionInfo.lua", "SaveData/OptionInfo.lub"})
        std::remove(old);
    std::ofstream(name, std::ios::binary) << bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = EnterWorkFolder();
    static const std::string header(kClientChunkHeader);
    (void)ready;
    if (size == 0)
        return 0;

    const int mode = data[0] % 6;
    std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    if (mode % 2 == 1)
        bytes = header + bytes;
    const char* names[] = {"System/LuaFiles514/OptionInfo.lua", "System/LuaFiles514/OptionInfo.lub",
                           "SaveData/OptionInfo.lua", "SaveData/OptionInfo.lub",
                           "System/LuaFiles514/MsgString.lua", "System/LuaFiles514/MsgString.lub"};
    WriteOnly(names[mode], bytes);

    OptionScript script;
    script.GetDefaultOption("Bgm_Volume");
    script.GetDefaultCommand("/fog");
    script.GetSavedOption("WIDTH", 640);
    const char* text = script.GetMessageText("ISOK");
    if (text == nullptr)
        std::abort();
    return 0;
}
