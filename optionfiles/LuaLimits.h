#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "optionfiles/LuaHeaders.h"
#include "platform/ThreadTimeAlarm.h"

// Limits that keep a script from hanging or exhausting the tool. A client
// script builds a few tables of at most some thousand entries: it needs a
// few thousand instructions and well under a megabyte, far below both.
constexpr long kInstructionBudget = 5'000'000;          // per run of a chunk
constexpr std::size_t kMemoryCeiling = 64u << 20;        // bytes, whole state
// Instructions that make garbage may still take seconds within both, as
// Lua collects it: a run also stops when it has used this much processor
// time (the thread's, so that a busy machine does not stop a sound script),
// and so does a compile. Lua is patched so that no one instruction or
// token costs more than about a millisecond, and a watchdog stops the run
// at the next one once the time is up.
constexpr std::chrono::milliseconds kRunTimeLimit{250};

// What a failure at the memory ceiling is reported as.
std::string OverCeilingMessage();

// What a state has allocated. The ceiling holds only while enforced, that
// is while a chunk is compiled or run (both protected); the few small
// allocations of the reader's own calls between them must not fail.
struct LuaMemory {
    std::size_t used = 0;
    std::size_t ceiling = kMemoryCeiling;
    bool enforced = false;
    // The run under way: the instructions it has left, and when it ends.
    long instructionsLeft = 0;
    std::chrono::nanoseconds runEnds{0};  // in ThreadTime
    bool compiling = false;  // a compile counts its time, not its steps
    std::atomic<bool> outOfTime{false};  // set by the run's watchdog
};

struct LuaStateCloser {
    void operator()(lua_State* state) const { lua_close(state); }
};
using LuaStatePtr = std::unique_ptr<lua_State, LuaStateCloser>;

// A state whose allocations are counted in memory, which must outlive it.
// Null when the state cannot be created.
LuaStatePtr NewLimitedState(LuaMemory& memory);

// While it lives, the memory ceiling holds and the next run of a chunk
// stops with an error once it has spent the instruction budget or its
// time; the error says where, as Lua's run-time errors do ("path:line: ...").
// A compile (kCompile) stops once it has spent the time.
class LimitedRun {
public:
    enum class Kind { kRun, kCompile };

    LimitedRun(lua_State* state, LuaMemory& memory, Kind kind = Kind::kRun);
    ~LimitedRun();
    LimitedRun(const LimitedRun&) = delete;
    LimitedRun& operator=(const LimitedRun&) = delete;

private:
    void TimeIsUp();

    lua_State* state_;
    LuaMemory& memory_;
    std::optional<ThreadTimeAlarm> watchdog_;  // stopped before the hook is taken away
};
