#include "optionfiles/SourceCompile.h"

#include "optionfiles/ChunkText.h"
#include "optionfiles/LuaLimits.h"

namespace {

// The chunk as Lua names it in its messages, "saved:7: ...".
constexpr const char* kChunkName = "=saved";
constexpr const char* kNameInMessages = "saved";

struct Source {
    bool lineEndFirst;  // a line end stands in for a skipped first line
    const std::string* text;
    bool given;
};

const char* ReadSource(lua_State*, void* data, std::size_t* size)
{
    auto& source = *static_cast<Source*>(data);
    if (source.lineEndFirst) {
        source.lineEndFirst = false;
        *size = 1;
        return "\n";
    }
    if (source.given)
        return nullptr;
    source.given = true;
    *size = source.text->size();
    return source.text->data();
}

struct CompileRequest {
    Source source;
    int status;
};

int CompileProtected(lua_State* state)
{
    auto& request = *static_cast<CompileRequest*>(lua_touserdata(state, 1));
    request.status = lua_load(state, ReadSource, &request.source, kChunkName);
    if (request.status != 0)
        lua_error(state);  // carries the message out of the protected call
    return 0;
}

}  // namespace

CompileVerdict CompileFileBytes(const std::string& fileBytes)
{
    CompileVerdict verdict;
    LuaMemory memory;
    LuaStatePtr state = NewLimitedState(memory);
    if (!state) {
        verdict.status = CompileVerdict::Status::kUnknown;
        return verdict;
    }
    const ChunkText text = ChunkTextOf(fileBytes);
    CompileRequest request{{text.skippedFirstLine, &text.bytes, false}, -1};
    int status;
    {
        LimitedRun limits(state.get(), memory);
        status = lua_cpcall(state.get(), CompileProtected, &request);
    }
    if (status == 0)
        return verdict;
    if (status == LUA_ERRMEM || request.status == LUA_ERRMEM) {
        verdict.status = CompileVerdict::Status::kUnknown;
        return verdict;
    }
    const char* message = lua_tostring(state.get(), -1);
    verdict.status = CompileVerdict::Status::kFails;
    verdict.problem = ProblemOf(status, message != nullptr ? message : "", kNameInMessages);
    return verdict;
}
