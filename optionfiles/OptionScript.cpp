#include "optionfiles/OptionScript.h"

#include <cstring>
#include <new>
#include <string>

#include "optionfiles/HostPath.h"
#include "settings/SettingNames.h"

OptionScript g_optionScript;

namespace {

// Where a compiled chunk waits between the protected load and its run.
constexpr int kChunkSlot = 1;

struct LoadRequest {
    const char* file;
    int status;
};

// luaL_loadfile reports a missing file with a message it makes outside any
// protected call; in a state that a script has filled to its ceiling that
// would end the process, so the whole load runs protected.
int LoadProtected(lua_State* state)
{
    auto* request = static_cast<LoadRequest*>(lua_touserdata(state, 1));
    request->status = luaL_loadfile(state, request->file);
    if (request->status == 0)
        lua_rawseti(state, LUA_REGISTRYINDEX, kChunkSlot);
    return 0;
}

void ReplaceGlobalTable(lua_State* state, const char* tableName)
{
    lua_createtable(state, 0, 0);
    lua_setfield(state, LUA_GLOBALSINDEX, tableName);
}

bool Is(const char* name, int settingIndex)
{
    return std::strcmp(name, SettingName(settingIndex)) == 0;
}

}  // namespace

int32_t ToInt32(double number)
{
    if (number > -2147483649.0 && number < 2147483648.0)
        return static_cast<int32_t>(number);
    return INT32_MIN;  // also NaN, which fails both comparisons
}

OptionScript::OptionScript() : state_(NewLimitedState(memory_)) {}

OptionScript::~OptionScript() = default;

bool OptionScript::CompileFile(const std::string& name)
{
    lua_State* state = state_.get();
    if (state == nullptr)
        return false;
    const std::string hostPath = HostPath(name.c_str());
    LoadRequest request{hostPath.c_str(), -1};
    int status;
    {
        LimitedRun limits(state, memory_);
        status = lua_cpcall(state, LoadProtected, &request);
    }
    if (status == 0 && request.status == 0) {
        lua_rawgeti(state, LUA_REGISTRYINDEX, kChunkSlot);
        lua_pushnil(state);
        lua_rawseti(state, LUA_REGISTRYINDEX, kChunkSlot);
        return true;
    }
    if (status != 0)
        lua_pop(state, 1);  // the error
    if (status == LUA_ERRMEM || request.status == LUA_ERRMEM)
        RecoverMemory();
    return false;
}

// After a compile or run failed: collect what it left behind, so that it
// does not count against the next. A state that a script's globals still
// hold near the ceiling can compile nothing any more; a fresh one, without
// those globals, lets the other scripts answer again.
void OptionScript::RecoverMemory()
{
    lua_gc(state_.get(), LUA_GCCOLLECT, 0);
    if (memory_.used > memory_.ceiling / 2) {
        state_.reset();
        memory_ = LuaMemory{};
        state_ = NewLimitedState(memory_);
    }
}

bool OptionScript::LoadChunk(const char* scriptName)
{
    const std::string name(scriptName);
    return CompileFile(name + ".lub") || CompileFile(name + ".lua");
}

bool OptionScript::PrepareScript(const char* scriptName)
{
    // A load may renew the state: take it only after loading.
    if (Is(scriptName, kSavedOptionFile)) {
        if (!LoadChunk(scriptName))
            return LoadChunk(SettingName(kOptionInfoScript));
        ReplaceGlobalTable(state_.get(), SettingName(kCmdOnOffList));
        ReplaceGlobalTable(state_.get(), SettingName(kOptionInfoList));
        return true;
    }
    if (Is(scriptName, kOptionInfoScript))
        return LoadChunk(scriptName);
    if (Is(scriptName, kMsgStringScript)) {
        if (!LoadChunk(scriptName))
            return false;
        ReplaceGlobalTable(state_.get(), SettingName(kSetupMSG));
        return true;
    }
    return false;
}

bool OptionScript::RunAndFind(const char* tableName, const char* key, int type)
{
    lua_State* state = state_.get();
    int status;
    {
        LimitedRun limits(state, memory_);
        status = lua_pcall(state, 0, 0, 0);
    }
    if (status != 0) {
        lua_pop(state, 1);
        RecoverMemory();
        return false;
    }
    lua_getfield(state, LUA_GLOBALSINDEX, tableName);
    if (lua_type(state, -1) != LUA_TTABLE)
        return false;
    lua_pushstring(state, key);
    lua_gettable(state, -2);
    return lua_type(state, -1) == type;
}

bool OptionScript::FindValue(const char* scriptName, const char* tableName, const char* key,
                             int type)
{
    if (!state_)
        return false;
    lua_settop(state_.get(), 0);  // no lookup depends on what an earlier one left
    return PrepareScript(scriptName) && RunAndFind(tableName, key, type);
}

int32_t OptionScript::GetInteger(const char* scriptName, const char* tableName, const char* key,
                                 int32_t fallback)
{
    if (!FindValue(scriptName, tableName, key, LUA_TNUMBER))
        return fallback;
    const double number = lua_tonumber(state_.get(), -1);
    lua_settop(state_.get(), 0);
    return ToInt32(number);
}

int32_t OptionScript::GetSavedOption(const char* key, int32_t fallback)
{
    return GetInteger(SettingName(kSavedOptionFile), SettingName(kOptionInfoList), key, fallback);
}

int32_t OptionScript::GetSavedCommand(const char* key, int32_t fallback)
{
    return GetInteger(SettingName(kSavedOptionFile), SettingName(kCmdOnOffList), key, fallback);
}

int32_t OptionScript::GetDefaultOption(const char* key)
{
    return GetInteger(SettingName(kOptionInfoScript), SettingName(kOptionInfoList), key, 0);
}

int32_t OptionScript::GetDefaultCommand(const char* key)
{
    return GetInteger(SettingName(kOptionInfoScript), SettingName(kCmdOnOffList), key, 0);
}

const char* OptionScript::GetString(const char* tableName, const char* key)
{
    if (!FindValue(SettingName(kMsgStringScript), tableName, key, LUA_TSTRING))
        return "";
    const char* found = lua_tolstring(state_.get(), -1, nullptr);
    try {
        text_.assign(found);  // up to the first NUL, as the callers use it
    } catch (const std::bad_alloc&) {
        lua_settop(state_.get(), 0);
        return "";
    }
    lua_settop(state_.get(), 0);
    return text_.c_str();
}

const char* OptionScript::GetMessageText(const char* key)
{
    return GetString(SettingName(kSetupMSG), key);
}
