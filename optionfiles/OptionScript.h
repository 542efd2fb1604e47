#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "optionfiles/ScriptState.h"

class Findings;

// The script whose chunk ran for a lookup.
enum class ScriptSource {
    kNone,  // no script could be loaded
    kSavedFile,
    kOptionScript,  // also where it stood in for a saved file that did not load
    kMessageScript,
};

// An integer lookup's answer, and where it came from.
struct IntegerLookup {
    bool found = false;  // the table held a number under the key
    int32_t value = 0;
    ScriptSource answeredBy = ScriptSource::kNone;
};

// The one reader of the client's Lua scripts and of the saved option file.
// Every lookup loads its script (".lub" first, else ".lua"; from the save
// folder only ".lua"), runs it in the script's own state with fresh
// globals, and reads one field of a global table; any failure gives the
// getter's fallback. A script is compiled once and its compiled chunk
// serves each later lookup until the file changes; within a batch it runs
// once, and its globals answer the batch's lookups. A file that fails to
// compile or to run within the limits fails every later lookup, without a
// run, until it changes. No Lua library is opened, so scripts can only
// build tables.
class OptionScript {
public:
    OptionScript();
    ~OptionScript();
    OptionScript(const OptionScript&) = delete;
    OptionScript& operator=(const OptionScript&) = delete;

    // Where to record why a script or value was not used (none: nothing is
    // recorded). The findings must outlive the lookups.
    void SetFindings(Findings* findings) { findings_ = findings; }
    // While findings are recorded: the file of scriptName ("...\\OptionInfo"
    // without extension) whose chunk answered last, as the tool names it
    // (its host path when read from elsewhere: ReadFileFrom); scriptName +
    // ".lua" when none has.
    std::string FileUsedFor(const std::string& scriptName) const;

    // Reads the file name (as the tool names it) from hostPath instead of
    // where the name leads, until set again; "" goes back to the name.
    // Returns the host path it read from before ("" for the name's own).
    std::string ReadFileFrom(const std::string& name, const std::string& hostPath);

    // Between these, the lookups see each file as it was at its first
    // lookup: a step of the tool that asks for many values (the defaults,
    // the saved values) looks at each file once. See ScriptBatch.
    void BeginBatch();
    void EndBatch();

    // Puts the compiled chunk of scriptName + ".lub", else + ".lua", on
    // the stack.
    bool LoadChunk(const char* scriptName);
    // Loads the named script and replaces the tables it fills.
    bool PrepareScript(const char* scriptName);
    // Runs the prepared chunk; true when tableName[key] then has type, and
    // the value is on top of the stack.
    bool RunAndFind(const char* tableName, const char* key, int type);
    bool FindValue(const char* scriptName, const char* tableName, const char* key, int type);
    // Whether the saved option file's chunk (its ".lub", else its ".lua")
    // compiles and runs; false also when there is none.
    bool SavedFileRuns();

    IntegerLookup LookUpInteger(const char* scriptName, const char* tableName, const char* key);
    int32_t GetInteger(const char* scriptName, const char* tableName, const char* key,
                       int32_t fallback);
    int32_t GetSavedOption(const char* key, int32_t fallback);
    int32_t GetSavedCommand(const char* key, int32_t fallback);
    int32_t GetDefaultOption(const char* key);
    int32_t GetDefaultCommand(const char* key);

    // A text of the message script, or "" when there is none. The result
    // stays valid until the next successful text lookup.
    const char* GetString(const char* tableName, const char* key);
    const char* GetMessageText(const char* key);

    // Lines of the saved option file: tableName["key"] = value, CR LF.
    static std::string SettingLine(const char* tableName, const char* key, int32_t value);
    static std::string OptionLine(const char* key, int32_t value);
    static std::string CommandLine(const char* key, int32_t value);

private:
    enum class Loaded { kYes, kMissing, kFailed };

    ScriptState& StateOf(const char* scriptName);
    std::array<ScriptState*, 3> AllStates() { return {&savedFile_, &optionScript_, &messageScript_}; }
    lua_State* Lua() const { return current_->get(); }
    Loaded LoadScript(const char* scriptName);
    std::string HostPathOf(const std::string& name);
    std::string PlaceOf(const std::string& name) const;
    Loaded CompileFile(const std::string& name, std::string_view fallingBack, bool othersWrite);
    bool Prepared(ScriptSource source);
    bool RunPrepared();
    void RunFailed(int status);
    void Note(const std::string& place, const ScriptProblem& problem,
              std::string_view fallingBack = {});
    void NoteTableType(const char* tableName, int type);
    void NoteValueType(const char* tableName, const char* key, int type, int expected);

    std::string text_;
    ScriptState savedFile_;
    ScriptState optionScript_;
    ScriptState messageScript_;
    ScriptState* current_ = &optionScript_;  // the state of the script loaded last
    Findings* findings_ = nullptr;
    ScriptSource prepared_ = ScriptSource::kNone;
    std::vector<const char*> freshTables_;  // the prepared script's empty tables
    // The file whose chunk was loaded last, as the tool names it and as
    // the host does, and its chunk; or why its run failed before.
    std::string loadedName_;
    std::string loadedHostPath_;
    int loadedChunk_ = LUA_NOREF;
    bool failedBefore_ = false;
    ScriptProblem runProblem_;
    std::map<std::string, std::string> usedFiles_;  // by script name
    int batchDepth_ = 0;
    unsigned batch_ = 0;  // counts the batches, to tell their kept runs apart
    std::map<std::string, std::string> hostPaths_;  // by file name, while a batch lasts
    std::map<std::string, std::string> readFrom_;   // by file name: see ReadFileFrom
};

// One step's lookups, seeing each file as it was at its first lookup.
class ScriptBatch {
public:
    explicit ScriptBatch(OptionScript& script) : script_(script) { script_.BeginBatch(); }
    ~ScriptBatch() { script_.EndBatch(); }
    ScriptBatch(const ScriptBatch&) = delete;
    ScriptBatch& operator=(const ScriptBatch&) = delete;

private:
    OptionScript& script_;
};

extern OptionScript g_optionScript;

// Lua's double as the tool's integer: truncated toward zero; NaN and
// numbers outside the 32-bit range give -2147483648.
int32_t ToInt32(double number);
