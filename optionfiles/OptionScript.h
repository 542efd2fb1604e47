#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "optionfiles/LuaLimits.h"

// The one reader of the client's Lua scripts and of the saved option file.
// Every lookup compiles its script anew (".lub" first, else ".lua"), runs it
// in the one state, and reads one field of a global table; any failure gives
// the getter's fallback. No Lua library is opened, so scripts can only build
// tables. All scripts share the state's globals for the whole run.
class OptionScript {
public:
    OptionScript();
    ~OptionScript();
    OptionScript(const OptionScript&) = delete;
    OptionScript& operator=(const OptionScript&) = delete;

    // Compiles scriptName + ".lub", else + ".lua", onto the stack.
    bool LoadChunk(const char* scriptName);
    // Compiles the named script and replaces the tables it fills.
    bool PrepareScript(const char* scriptName);
    // Runs the prepared chunk; true when tableName[key] then has type, and
    // the value is on top of the stack.
    bool RunAndFind(const char* tableName, const char* key, int type);
    bool FindValue(const char* scriptName, const char* tableName, const char* key, int type);

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
    // A failed write shows in the file's error indicator.
    static void WriteSettingLine(std::FILE* file, const char* tableName, const char* key,
                                 int32_t value);
    static void WriteOptionLine(std::FILE* file, const char* key, int32_t value);
    static void WriteCommandLine(std::FILE* file, const char* key, int32_t value);

private:
    bool CompileFile(const std::string& name);
    void RecoverMemory();

    std::string text_;
    LuaMemory memory_;  // declared before the state, which counts into it
    LuaStatePtr state_;
};

extern OptionScript g_optionScript;

// Lua's double as the tool's integer: truncated toward zero; NaN and
// numbers outside the 32-bit range give -2147483648.
int32_t ToInt32(double number);
