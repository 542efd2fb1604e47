#pragma once

#include <map>
#include <string>
#include <string_view>

#include "optionfiles/LuaLimits.h"
#include "platform/FileStamp.h"

// Why a script could not be used: where in it (0 when not known) and Lua's
// or the platform's words.
struct ScriptProblem {
    int line = 0;
    std::string message;
};

// The problem that a failed compile or run of the chunk compiled from
// hostPath reports with status and Lua's message, "path:line: what": its
// line and what, on one line of sensible length.
ScriptProblem ProblemOf(int status, std::string_view luaMessage, const std::string& hostPath);

struct ChunkText;
// Compiles text in state, protected and within memory's ceiling, under
// chunkName: 0, with the chunk kept in the registry under chunk; or Lua's
// status (LUA_ERRSYNTAX for what is no chunk, LUA_ERRMEM whenever memory ran
// out, LUA_ERRRUN when the time did), with the message on the stack.
int CompileChunkText(lua_State* state, LuaMemory& memory, const ChunkText& text, const char* chunkName,
                     int& chunk);

// Compiles script files into a Lua state, and keeps what it compiled: a
// script is compiled once, and its compiled chunk (or why it did not
// compile, or why it failed a run) serves every later load for as long as
// the file's stamp is the same. Before each reuse the stamp is taken again; a file whose stamp is
// too recent to show every change is also compared with the bytes that
// were compiled.
class ChunkLoader {
public:
    enum class Status {
        kLoaded,       // the compiled chunk is on top of the stack
        kMissing,      // no such file
        kFailed,       // the problem says why
        kOutOfMemory,  // the state hit its ceiling while compiling
        kRunFailed,    // it compiled, but a run of it failed: the problem says why
    };
    struct Result {
        Status status = Status::kMissing;
        ScriptProblem problem;
        int chunk = LUA_NOREF;  // what was loaded, for RunFailed
    };

    ChunkLoader() = default;
    ChunkLoader(const ChunkLoader&) = delete;
    ChunkLoader& operator=(const ChunkLoader&) = delete;

    // Loads the file hostPath into state, under the limits of memory. The
    // chunk is named "@" + hostPath, as Lua's own loader names it. A file of
    // a folder that others may write (othersWrite) is read only when it is
    // a plain file under one name, reached through no link.
    Result Load(lua_State* state, LuaMemory& memory, const std::string& hostPath,
                bool othersWrite = false);

    // A run of chunk, loaded from hostPath, failed: every later load of
    // that version tells so instead of loading it. A script's run depends
    // on nothing but its chunk, so it would fail again.
    void RunFailed(lua_State* state, const std::string& hostPath, int chunk, ScriptProblem problem);

    // Between these, each file is looked at once: its stamp is taken at
    // its first load, and every later load of it sees the file as it was
    // then, as one step's lookups (the defaults, the saved values) see the
    // files as they were when the step began.
    void BeginBatch() { ++batchDepth_; }
    void EndBatch();

private:
    struct Compiled {
        FileStamp stamp;
        int chunk = LUA_NOREF;  // its reference in the registry; LUA_NOREF when it failed
        ScriptProblem problem;
        Status failure = Status::kFailed;  // or kRunFailed
        bool unsettled = false;  // the stamp may not yet show a change:
        std::string bytes;       // these are the bytes that were compiled
    };

    Result Reuse(lua_State* state, const Compiled& compiled) const;
    void Keep(lua_State* state, const std::string& hostPath, Compiled compiled);

    // A file as the current batch first saw it.
    struct Seen {
        StampStatus status = StampStatus::kUnknown;
        FileStamp stamp;
        bool verified = false;  // its bytes were read in this batch
    };

    // The steps of Load.
    Seen& TakeStamp(const std::string& hostPath, Seen& fresh);
    // What was compiled from the file under the stamp seen; null when nothing.
    Compiled* CompiledWithStamp(const std::string& hostPath, const Seen& seen);
    Result ReuseSettling(lua_State* state, Compiled& known, std::int64_t now);
    Result CompileAndKeep(lua_State* state, LuaMemory& memory, const std::string& hostPath,
                          const Seen& seen, std::string bytes, std::int64_t now);

    std::map<std::string, Compiled> compiled_;  // by host path
    int batchDepth_ = 0;
    std::map<std::string, Seen> seen_;  // by host path, while a batch lasts
};
