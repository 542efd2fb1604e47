// The translation of the client's precompiled chunks into this build's
// form, on arbitrary files: it must never read past the end or reserve
// memory for what is not there, and a chunk it accepts must be whole to
// Lua's own loader, which reads exactly the fields that it walked. A chunk
// that also passes Lua's check of its code is run, within the limits of a
// script: the check is sound when no such run faults.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "optionfiles/ClientChunk.h"
#include "optionfiles/LuaLimits.h"

namespace {

struct Whole {
    const std::string* chunk;
    bool given;
};

const char* ReadWhole(lua_State*, void* data, std::size_t* size)
{
    auto& whole = *static_cast<Whole*>(data);
    if (whole.given)
        return nullptr;
    whole.given = true;
    *size = whole.chunk->size();
    return whole.chunk->data();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string chunk(reinterpret_cast<const char*>(data), size);
    std::string why;
    if (!ToNativeChunk(chunk, why)) {
        if (why.empty())
            std::abort();  // a refusal always says why
        return 0;
    }
    LuaMemory memory;
    LuaStatePtr state = NewLimitedState(memory);
    LimitedRun limits(state.get(), memory);
    Whole whole{&chunk, false};
    if (lua_load(state.get(), ReadWhole, &whole, "=fuzz") == 0) {
        lua_pcall(state.get(), 0, 0, 0);
        return 0;
    }
    const char* message = lua_tostring(state.get(), -1);
    // Lua may refuse the code itself, never the shape the walk accepted.
    if (message != nullptr &&
        (std::strstr(message, "unexpected end") != nullptr || std::strstr(message, "bad constant") != nullptr ||
         std::strstr(message, "bad header") != nullptr))
        std::abort();
    return 0;
}
