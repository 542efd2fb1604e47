#include "optionfiles/SourceCompile.h"

#include "optionfiles/ChunkText.h"
#include "optionfiles/LuaLimits.h"

namespace {

// The chunk as Lua names it in its messages, "saved:7: ...".
constexpr const char* kChunkName = "=saved";
constexpr const char* kNameInMessages = "saved";

}  // namespace

CompileVerdict CompileFileBytes(std::string fileBytes)
{
    CompileVerdict verdict;
    LuaMemory memory;
    LuaStatePtr state = NewLimitedState(memory);
    if (!state) {
        verdict.status = CompileVerdict::Status::kUnknown;
        return verdict;
    }
    const ChunkText text = ChunkTextOf(std::move(fileBytes));
    int chunk = LUA_NOREF;  // goes with the state
    const int status = CompileChunkText(state.get(), memory, text, kChunkName, chunk);
    if (status == 0)
        return verdict;
    if (status == LUA_ERRMEM || status == LUA_ERRRUN) {  // its limits stop a compile with a run error
        verdict.status = CompileVerdict::Status::kUnknown;
        return verdict;
    }
    const char* message = lua_tostring(state.get(), -1);
    verdict.status = CompileVerdict::Status::kFails;
    verdict.problem = ProblemOf(status, message != nullptr ? message : "", kNameInMessages);
    return verdict;
}
