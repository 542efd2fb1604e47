#include "optionfiles/LuaLimits.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ThreadTime.h"

namespace {

void* Allocate(void* context, void* block, std::size_t oldSize, std::size_t newSize)
{
    LuaMemory& memory = *static_cast<LuaMemory*>(context);
    if (newSize == 0) {
        std::free(block);
        memory.used -= oldSize;
        return nullptr;
    }
    if (newSize > oldSize && memory.enforced &&
        newSize - oldSize > memory.ceiling - std::min(memory.used, memory.ceiling))
        return nullptr;
    void* resized = std::realloc(block, newSize);
    if (resized == nullptr)
        return newSize <= oldSize ? block : nullptr;  // Lua relies on shrinking never failing
    memory.used = memory.used - oldSize + newSize;
    return resized;
}

// An error outside a protected call cannot be recovered from; the reader
// makes none, so this is reached only when the machine is out of memory.
int Panic(lua_State*)
{
    return 0;
}

// The budget is looked at every this many instructions: often enough to
// stop in time, seldom enough to cost nothing.
constexpr int kHookInterval = 10'000;
static_assert(kInstructionBudget % kHookInterval == 0, "the budget is spent to the instruction");

[[noreturn]] void StopRun(lua_State* state, const LuaMemory& run, bool outOfTime)
{
    luaL_where(state, 0);  // the function the hook interrupted
    const int limit = static_cast<int>(kRunTimeLimit.count());
    if (run.compiling)
        lua_pushfstring(state, "not compiled within %d ms, the longest a script may take to compile", limit);
    else if (outOfTime)
        lua_pushfstring(state, "stopped after %d ms, the longest a script may run", limit);
    else
        lua_pushfstring(state, "stopped after %d instructions, the most a script may run",
                        static_cast<int>(kInstructionBudget));
    lua_concat(state, 2);
    lua_error(state);
    std::abort();  // lua_error does not return
}

// Called every kHookInterval instructions (or tokens, while compiling),
// and at the next one once the watchdog says the time is up.
void CheckRun(lua_State* state, lua_Debug*)
{
    void* context = nullptr;
    lua_getallocf(state, &context);
    LuaMemory& run = *static_cast<LuaMemory*>(context);
    if (!run.compiling)
        run.instructionsLeft -= kHookInterval;
    // The thread's own look at the time stands in for a watchdog that
    // could not be started.
    const bool outOfTime = run.outOfTime || ThreadTime() >= run.runEnds;
    if (outOfTime || run.instructionsLeft <= 0)
        StopRun(state, run, outOfTime);
}

}  // namespace

std::string OverCeilingMessage()
{
    return "needs more than the " + std::to_string(kMemoryCeiling >> 20) +
           " MiB of memory a script may use";
}

LuaStatePtr NewLimitedState(LuaMemory& memory)
{
    LuaStatePtr state(lua_newstate(Allocate, &memory));
    if (state)
        lua_atpanic(state.get(), Panic);
    return state;
}

LimitedRun::LimitedRun(lua_State* state, LuaMemory& memory, Kind kind)
    : state_(state), memory_(memory)
{
    memory_.enforced = true;
    memory_.compiling = kind == Kind::kCompile;
    memory_.outOfTime = false;
    memory_.instructionsLeft = kInstructionBudget;
    memory_.runEnds = ThreadTime() + kRunTimeLimit;
    lua_sethook(state_, CheckRun, LUA_MASKCOUNT, kHookInterval);
    watchdog_.emplace(memory_.runEnds, [this] { TimeIsUp(); });
}

// On the watchdog's thread: Lua's hook may be set from another thread; it
// is called at the next instruction.
void LimitedRun::TimeIsUp()
{
    memory_.outOfTime = true;
    lua_sethook(state_, CheckRun, LUA_MASKCOUNT, 1);
}

LimitedRun::~LimitedRun()
{
    watchdog_.reset();
    lua_sethook(state_, nullptr, 0, 0);
    memory_.enforced = false;
}
