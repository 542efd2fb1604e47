#pragma once

#include <vector>

#include "optionfiles/ChunkLoader.h"
#include "optionfiles/LuaLimits.h"

// One script's own Lua state: its memory under a ceiling of its own, the
// chunks compiled in it, and the globals of its last run, kept for the
// batch of lookups it ran in. No script can fill another's memory or see
// its globals.
class ScriptState {
public:
    ScriptState() : state_(NewLimitedState(memory_)) {}
    ScriptState(const ScriptState&) = delete;
    ScriptState& operator=(const ScriptState&) = delete;

    lua_State* get() const { return state_.get(); }
    LuaMemory& memory() { return memory_; }
    ChunkLoader& loader() { return loader_; }

    // Runs the chunk on top of the stack under the limits, with globals of
    // its own that hold an empty table under each of freshTables. Leaves
    // those globals on top, or the error when the run fails (its status).
    int Run(const std::vector<const char*>& freshTables);

    // The globals of a run of this batch: kept, and put on top again.
    void Keep(unsigned batch);
    bool PushKept(unsigned batch);
    void DropKept();

    // A run's garbage could make the next meet the ceiling, as Lua 5.1
    // does not collect before it fails: it is collected once it is large.
    void CollectIfLarge();
    void Collect();

private:
    LuaMemory memory_;  // declared before the state, which counts into it
    LuaStatePtr state_;
    ChunkLoader loader_;  // what was compiled in state_
    int kept_ = LUA_NOREF;
    unsigned keptBatch_ = 0;
};
