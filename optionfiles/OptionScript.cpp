#include "optionfiles/OptionScript.h"

#include <cstring>
#include <new>
#include <string>

#include "platform/HostPath.h"
#include "settings/Findings.h"
#include "settings/SettingNames.h"

OptionScript g_optionScript;

namespace {

bool Is(const char* name, int settingIndex)
{
    return std::strcmp(name, SettingName(settingIndex)) == 0;
}

const char* ErrorText(lua_State* state)
{
    return lua_type(state, -1) == LUA_TSTRING ? lua_tostring(state, -1) : "";
}

}  // namespace

int32_t ToInt32(double number)
{
    if (number > -2147483649.0 && number < 2147483648.0)
        return static_cast<int32_t>(number);
    return INT32_MIN;  // also NaN, which fails both comparisons
}

OptionScript::OptionScript() = default;

OptionScript::~OptionScript() = default;

OptionScript::Loaded OptionScript::CompileFile(const std::string& name, std::string_view fallingBack,
                                               bool othersWrite)
{
    ScriptState& script = *current_;
    if (script.get() == nullptr)
        return Loaded::kFailed;
    const std::string hostPath = HostPathOf(name);
    script.CollectIfLarge();
    ChunkLoader::Result result =
        script.loader().Load(script.get(), script.memory(), hostPath, othersWrite);
    switch (result.status) {
    case ChunkLoader::Status::kLoaded:
    case ChunkLoader::Status::kRunFailed:
        loadedName_ = PlaceOf(name);
        loadedHostPath_ = hostPath;
        loadedChunk_ = result.chunk;
        failedBefore_ = result.status == ChunkLoader::Status::kRunFailed;
        runProblem_ = std::move(result.problem);
        if (findings_ != nullptr)
            usedFiles_[name.substr(0, name.size() - 4)] = loadedName_;  // less ".lub" or ".lua"
        return Loaded::kYes;
    case ChunkLoader::Status::kMissing:
        return Loaded::kMissing;
    default:
        Note(PlaceOf(name), result.problem, fallingBack);
        script.Collect();  // what the failed compile left
        return Loaded::kFailed;
    }
}

void OptionScript::BeginBatch()
{
    if (batchDepth_++ == 0)
        ++batch_;
    for (ScriptState* script : AllStates())
        script->loader().BeginBatch();
}

// The batch's runs are no longer needed: their globals become garbage.
void OptionScript::EndBatch()
{
    for (ScriptState* script : AllStates())
        script->loader().EndBatch();
    if (batchDepth_ == 0 || --batchDepth_ > 0)
        return;
    hostPaths_.clear();
    for (ScriptState* script : AllStates())
        script->DropKept();
}

// Within a batch each name is looked up once: on hosts that match names
// without regard to case, a missing file costs a look through its folder.
std::string OptionScript::HostPathOf(const std::string& name)
{
    const auto instead = readFrom_.find(name);
    if (instead != readFrom_.end())
        return instead->second;
    if (batchDepth_ == 0)
        return HostPath(name.c_str());
    std::string& known = hostPaths_[name];
    if (known.empty())
        known = HostPath(name.c_str());
    return known;
}

// A file read from elsewhere is named where it was read, so that a finding
// points to what the script reader read.
std::string OptionScript::PlaceOf(const std::string& name) const
{
    const auto instead = readFrom_.find(name);
    return instead != readFrom_.end() ? instead->second : name;
}

std::string OptionScript::ReadFileFrom(const std::string& name, const std::string& hostPath)
{
    const auto known = readFrom_.find(name);
    std::string before = known != readFrom_.end() ? known->second : std::string();
    if (hostPath.empty())
        readFrom_.erase(name);
    else
        readFrom_[name] = hostPath;
    return before;
}

std::string OptionScript::FileUsedFor(const std::string& scriptName) const
{
    const auto used = usedFiles_.find(scriptName);
    return used != usedFiles_.end() ? used->second : scriptName + ".lua";
}

ScriptState& OptionScript::StateOf(const char* scriptName)
{
    if (Is(scriptName, kSavedOptionFile))
        return savedFile_;
    return Is(scriptName, kMsgStringScript) ? messageScript_ : optionScript_;
}

OptionScript::Loaded OptionScript::LoadScript(const char* scriptName)
{
    current_ = &StateOf(scriptName);
    if (current_->get() != nullptr)
        lua_settop(current_->get(), 0);  // no lookup depends on what an earlier one left
    const std::string name(scriptName);
    // Lua's check of precompiled code is not sound: from the save folder,
    // which others may write, only the source is read.
    const bool othersWrite = Is(scriptName, kSavedOptionFile);
    const Loaded compiled = othersWrite ? Loaded::kMissing
                                        : CompileFile(name + ".lub", "; the .lua is tried instead", false);
    if (compiled == Loaded::kYes)
        return compiled;
    const Loaded source = CompileFile(name + ".lua", {}, othersWrite);
    return source == Loaded::kMissing && compiled == Loaded::kFailed ? Loaded::kFailed : source;
}

bool OptionScript::LoadChunk(const char* scriptName)
{
    return LoadScript(scriptName) == Loaded::kYes;
}

bool OptionScript::Prepared(ScriptSource source)
{
    prepared_ = source;
    return true;
}

bool OptionScript::PrepareScript(const char* scriptName)
{
    prepared_ = ScriptSource::kNone;
    // A load may renew the state: take it only after loading.
    if (Is(scriptName, kSavedOptionFile)) {
        // A saved file that is missing or does not compile is no finding of
        // its own: the option script stands in.
        if (LoadScript(scriptName) != Loaded::kYes)
            return PrepareScript(SettingName(kOptionInfoScript));
        freshTables_ = {SettingName(kCmdOnOffList), SettingName(kOptionInfoList)};
        return Prepared(ScriptSource::kSavedFile);
    }
    const bool optionScript = Is(scriptName, kOptionInfoScript);
    if (!optionScript && !Is(scriptName, kMsgStringScript))
        return false;
    const Loaded loaded = LoadScript(scriptName);
    if (loaded == Loaded::kMissing)
        Note(scriptName, {0, "missing: there is neither a .lub nor a .lua"});
    if (loaded != Loaded::kYes)
        return false;
    if (optionScript) {
        freshTables_.clear();
        return Prepared(ScriptSource::kOptionScript);
    }
    freshTables_ = {SettingName(kSetupMSG)};
    return Prepared(ScriptSource::kMessageScript);
}

// Leaves the globals of the run on top: this batch's, when it ran already.
bool OptionScript::RunPrepared()
{
    if (failedBefore_) {
        Note(loadedName_, runProblem_);
        return false;
    }
    ScriptState& script = *current_;
    if (batchDepth_ > 0 && script.PushKept(batch_)) {
        lua_remove(Lua(), -2);  // the chunk, not needed
        return true;
    }
    const int status = script.Run(freshTables_);
    if (status != 0) {
        RunFailed(status);
        return false;
    }
    if (batchDepth_ > 0)
        script.Keep(batch_);
    return true;
}

void OptionScript::RunFailed(int status)
{
    ScriptState& script = *current_;
    ScriptProblem problem = ProblemOf(status, ErrorText(Lua()), loadedHostPath_);
    lua_pop(Lua(), 1);
    Note(loadedName_, problem);
    script.loader().RunFailed(Lua(), loadedHostPath_, loadedChunk_, std::move(problem));
    script.Collect();  // what the failed run left
}

bool OptionScript::RunAndFind(const char* tableName, const char* key, int type)
{
    if (!RunPrepared())
        return false;
    lua_State* state = Lua();
    lua_getfield(state, -1, tableName);
    if (lua_type(state, -1) != LUA_TTABLE) {
        NoteTableType(tableName, lua_type(state, -1));
        return false;
    }
    lua_pushstring(state, key);
    lua_gettable(state, -2);
    const int found = lua_type(state, -1);
    if (found != type && found != LUA_TNIL)
        NoteValueType(tableName, key, found, type);
    return found == type;
}

bool OptionScript::FindValue(const char* scriptName, const char* tableName, const char* key,
                             int type)
{
    prepared_ = ScriptSource::kNone;
    return PrepareScript(scriptName) && RunAndFind(tableName, key, type);
}

bool OptionScript::SavedFileRuns()
{
    prepared_ = ScriptSource::kNone;
    const bool runs = PrepareScript(SettingName(kSavedOptionFile)) &&
                      prepared_ == ScriptSource::kSavedFile && RunPrepared();
    if (Lua() != nullptr)
        lua_settop(Lua(), 0);
    return runs;
}

IntegerLookup OptionScript::LookUpInteger(const char* scriptName, const char* tableName,
                                          const char* key)
{
    IntegerLookup lookup;
    lookup.found = FindValue(scriptName, tableName, key, LUA_TNUMBER);
    lookup.answeredBy = prepared_;
    if (lookup.found) {
        lookup.value = ToInt32(lua_tonumber(Lua(), -1));
        lua_settop(Lua(), 0);
    }
    return lookup;
}

int32_t OptionScript::GetInteger(const char* scriptName, const char* tableName, const char* key,
                                 int32_t fallback)
{
    const IntegerLookup lookup = LookUpInteger(scriptName, tableName, key);
    return lookup.found ? lookup.value : fallback;
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
    const char* found = lua_tolstring(Lua(), -1, nullptr);
    try {
        text_.assign(found);  // up to the first NUL, as the callers use it
    } catch (const std::bad_alloc&) {
        lua_settop(Lua(), 0);
        return "";
    }
    lua_settop(Lua(), 0);
    return text_.c_str();
}

const char* OptionScript::GetMessageText(const char* key)
{
    return GetString(SettingName(kSetupMSG), key);
}

// The findings, when they are recorded: each names the file as the tool
// does, relative to the client's folder.

void OptionScript::Note(const std::string& place, const ScriptProblem& problem,
                        std::string_view fallingBack)
{
    if (findings_ != nullptr)
        findings_->Add(place, problem.line, problem.message + std::string(fallingBack));
}

void OptionScript::NoteTableType(const char* tableName, int type)
{
    if (findings_ == nullptr)
        return;
    const std::string table(tableName);
    Note(loadedName_, {0, type == LUA_TNIL ? table + " is missing"
                                           : table + " is a " + lua_typename(Lua(), type) +
                                                 ", not a table"});
}

void OptionScript::NoteValueType(const char* tableName, const char* key, int type, int expected)
{
    if (findings_ == nullptr)
        return;
    Note(loadedName_, {0, std::string(tableName) + "[\"" + key + "\"] holds a " +
                              lua_typename(Lua(), type) + ", not a " +
                              lua_typename(Lua(), expected)});
}
