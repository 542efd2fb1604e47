#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "optionfiles/LuaHeaders.h"

// Files of a client folder, written into the current (test) folder.
namespace client {

constexpr const char* kOptionScript = "System/LuaFiles514/OptionInfo";
constexpr const char* kMessageScript = "System/LuaFiles514/MsgString";
constexpr const char* kSavedFile = "SaveData/OptionInfo";

inline void Write(const std::string& name, const std::string& bytes)
{
    const std::filesystem::path path(name);
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string Read(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A precompiled chunk of source, as this build's Lua dumps it: on the
// 32-bit Windows build it carries the client's 12-byte header; natively
// its sizes are 8 bytes, a form the tool refuses.
inline std::string Precompiled(const std::string& source)
{
    std::string chunk;
    lua_State* state = luaL_newstate();
    if (luaL_loadstring(state, source.c_str()) == 0) {
        lua_dump(
            state,
            [](lua_State*, const void* bytes, size_t size, void* out) {
                static_cast<std::string*>(out)->append(static_cast<const char*>(bytes), size);
                return 0;
            },
            &chunk);
    }
    lua_close(state);
    return chunk;
}

#ifdef SETUP_CLIENT_CHUNKS
// A chunk that the client's own (32-bit) Lua compiler made, from
// tests/optionfiles/chunks.
inline std::string ClientChunk(const std::string& name)
{
    return Read(std::string(SETUP_CLIENT_CHUNKS) + "/" + name);
}
#endif

}  // namespace client
