#include "optionfiles/ScriptState.h"

int ScriptState::Run(const std::vector<const char*>& freshTables)
{
    lua_State* state = state_.get();
    lua_createtable(state, 0, static_cast<int>(freshTables.size()));
    for (const char* name : freshTables) {
        lua_createtable(state, 0, 0);
        lua_setfield(state, -2, name);
    }
    lua_pushvalue(state, -1);
    lua_setfenv(state, -3);  // the chunk's globals, and those of what it defines
    lua_insert(state, -2);   // below the chunk, for after the run
    int status;
    {
        LimitedRun limits(state, memory_);
        status = lua_pcall(state, 0, 0, 0);
    }
    if (status != 0)
        lua_remove(state, -2);
    return status;
}

void ScriptState::Keep(unsigned batch)
{
    DropKept();
    lua_pushvalue(state_.get(), -1);
    kept_ = luaL_ref(state_.get(), LUA_REGISTRYINDEX);
    keptBatch_ = batch;
}

bool ScriptState::PushKept(unsigned batch)
{
    if (kept_ == LUA_NOREF || keptBatch_ != batch)
        return false;
    lua_rawgeti(state_.get(), LUA_REGISTRYINDEX, kept_);
    return true;
}

void ScriptState::DropKept()
{
    if (kept_ == LUA_NOREF)
        return;
    luaL_unref(state_.get(), LUA_REGISTRYINDEX, kept_);
    kept_ = LUA_NOREF;
}

void ScriptState::CollectIfLarge()
{
    if (state_ && memory_.used > memory_.ceiling / 4)
        Collect();
}

void ScriptState::Collect()
{
    if (state_)
        lua_gc(state_.get(), LUA_GCCOLLECT, 0);
}
