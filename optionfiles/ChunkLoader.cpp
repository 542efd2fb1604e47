#include "optionfiles/ChunkLoader.h"

#include <cctype>
#include <utility>

#include "optionfiles/ChunkText.h"
#include "optionfiles/ClientChunk.h"
#include "platform/FileBytes.h"
#include "platform/SystemError.h"

namespace {

// A finding is one line; Lua quotes whole tokens, which may be long.
constexpr std::size_t kLongestMessage = 200;

// Hands Lua the whole text at once, after the line end that stands in for
// a skipped first line.
struct TextReader {
    bool lineEndFirst;
    std::string_view rest;
};

const char* ReadText(lua_State*, void* data, std::size_t* size)
{
    auto& reader = *static_cast<TextReader*>(data);
    if (reader.lineEndFirst) {
        reader.lineEndFirst = false;
        *size = 1;
        return "\n";
    }
    if (reader.rest.empty())
        return nullptr;
    *size = reader.rest.size();
    const char* bytes = reader.rest.data();
    reader.rest = {};
    return bytes;
}

struct CompileRequest {
    TextReader reader;
    const char* chunkName;
    int status;
    int chunk;
};

// The whole compile runs protected, keeping its result in the registry:
// in a state that a script has filled to its ceiling, even the message of
// a failure could not be made outside a protected call.
int CompileProtected(lua_State* state)
{
    auto& request = *static_cast<CompileRequest*>(lua_touserdata(state, 1));
    request.status = lua_load(state, ReadText, &request.reader, request.chunkName);
    if (request.status != 0)
        lua_error(state);  // carries the message out of the protected call
    request.chunk = luaL_ref(state, LUA_REGISTRYINDEX);
    return 0;
}

std::string OneLine(std::string_view text)
{
    std::string line(text.substr(0, kLongestMessage));
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = ' ';
    }
    if (text.size() > kLongestMessage)
        line += "...";
    return line;
}

using Status = ChunkLoader::Status;

ChunkLoader::Result Failed(ScriptProblem problem, Status status = Status::kFailed)
{
    return ChunkLoader::Result{status, std::move(problem)};
}

ChunkLoader::Result Unreadable(const FileBytes& file)
{
    switch (file.status) {
    case FileBytes::Status::kMissing:
        return ChunkLoader::Result{};
    case FileBytes::Status::kTooLarge:
        return Failed({0, "larger than " + std::to_string(file.maxBytes >> 20) +
                              " MiB, too large to be read"});
    default:
        return Failed({0, "cannot be read: " + DescribeSystemError(file.error)});
    }
}

// Compiles a file's bytes; the chunk, when it compiles, is kept in the
// registry under chunk.
ChunkLoader::Result Compile(lua_State* state, LuaMemory& memory, const std::string& hostPath,
                            std::string bytes, int& chunk)
{
    ChunkText text = ChunkTextOf(std::move(bytes));
    std::string why;
    if (text.precompiled && !ToNativeChunk(text.bytes, why))
        return Failed({0, std::move(why)});

    const std::string chunkName = "@" + hostPath;
    const int status = CompileChunkText(state, memory, text, chunkName.c_str(), chunk);
    if (status == 0)
        return ChunkLoader::Result{Status::kLoaded, {}};
    const char* message = lua_tostring(state, -1);
    ChunkLoader::Result result =
        Failed(ProblemOf(status, message != nullptr ? message : "", hostPath),
               status == LUA_ERRMEM ? Status::kOutOfMemory : Status::kFailed);
    lua_pop(state, 1);
    return result;
}

}  // namespace

int CompileChunkText(lua_State* state, LuaMemory& memory, const ChunkText& text, const char* chunkName,
                     int& chunk)
{
    CompileRequest request{{text.skippedFirstLine, text.bytes}, chunkName, -1, LUA_NOREF};
    int status;
    {
        LimitedRun limits(state, memory, LimitedRun::Kind::kCompile);
        status = lua_cpcall(state, CompileProtected, &request);
    }
    if (status == 0)
        chunk = request.chunk;
    // The compile's own status: the protected call fails with a run error
    // whatever stopped the compile inside it.
    return request.status > 0 ? request.status : status;
}

ScriptProblem ProblemOf(int status, std::string_view message, const std::string& hostPath)
{
    ScriptProblem problem;
    if (status == LUA_ERRMEM) {
        problem.message = OverCeilingMessage();
        return problem;
    }
    if (message.substr(0, hostPath.size()) == hostPath && message.size() > hostPath.size() &&
        message[hostPath.size()] == ':') {
        message.remove_prefix(hostPath.size() + 1);
        std::size_t digits = 0;
        while (digits < message.size() && digits < 9 &&
               std::isdigit(static_cast<unsigned char>(message[digits])))
            ++digits;
        if (digits > 0 && digits < message.size() && message[digits] == ':') {
            problem.line = std::stoi(std::string(message.substr(0, digits)));
            message.remove_prefix(digits + 1);
        }
        while (!message.empty() && message.front() == ' ')
            message.remove_prefix(1);
    }
    problem.message = OneLine(message);
    return problem;
}

// Takes the batch's stamp, then reuses what was compiled from the file as
// it is now, or compiles it and keeps the chunk.
ChunkLoader::Result ChunkLoader::Load(lua_State* state, LuaMemory& memory,
                                      const std::string& hostPath, bool othersWrite)
{
    const std::int64_t now = FileClockNow();  // before the stamp: see MayChangeUnseen
    Seen fresh;
    Seen& seen = TakeStamp(hostPath, fresh);
    if (seen.status == StampStatus::kMissing)
        return Result{};
    Compiled* known = CompiledWithStamp(hostPath, seen);
    if (known != nullptr && (!known->unsettled || seen.verified))
        return Reuse(state, *known);

    seen.verified = true;
    FileBytes file = othersWrite ? ReadUnlinkedFileBytes(hostPath, kMaxSavedFileBytes) : ReadFileBytes(hostPath);
    if (file.status != FileBytes::Status::kRead)
        return Unreadable(file);
    if (known != nullptr && file.bytes == known->bytes)
        return ReuseSettling(state, *known, now);
    return CompileAndKeep(state, memory, hostPath, seen, std::move(file.bytes), now);
}

// Outside a batch the stamp is taken anew (in fresh); within one, once.
ChunkLoader::Seen& ChunkLoader::TakeStamp(const std::string& hostPath, Seen& fresh)
{
    Seen& seen = batchDepth_ > 0 ? seen_[hostPath] : fresh;
    if (seen.status == StampStatus::kUnknown || batchDepth_ == 0)
        seen.status = StampFile(hostPath, seen.stamp);
    return seen;
}

ChunkLoader::Compiled* ChunkLoader::CompiledWithStamp(const std::string& hostPath, const Seen& seen)
{
    const auto known = compiled_.find(hostPath);
    const bool sameStamp =
        seen.status == StampStatus::kStamped && known != compiled_.end() && known->second.stamp == seen.stamp;
    return sameStamp ? &known->second : nullptr;
}

// The bytes are the ones compiled: the chunk serves, and once the stamp
// would show a change the bytes need not be kept.
ChunkLoader::Result ChunkLoader::ReuseSettling(lua_State* state, Compiled& known, std::int64_t now)
{
    known.unsettled = MayChangeUnseen(known.stamp, now);
    if (!known.unsettled)
        std::string().swap(known.bytes);
    return Reuse(state, known);
}

ChunkLoader::Result ChunkLoader::CompileAndKeep(lua_State* state, LuaMemory& memory,
                                                const std::string& hostPath, const Seen& seen,
                                                std::string bytes, std::int64_t now)
{
    Compiled compiled;
    compiled.stamp = seen.stamp;
    compiled.unsettled = MayChangeUnseen(seen.stamp, now);
    if (compiled.unsettled)
        compiled.bytes = bytes;
    // Kept even when it met the ceiling: the state is the script's own, so
    // it would meet it again.
    Result result = Compile(state, memory, hostPath, std::move(bytes), compiled.chunk);
    compiled.problem = std::move(result.problem);
    if (seen.status != StampStatus::kStamped) {
        // Nothing to know this version by again: used this once.
        const Result once = Reuse(state, compiled);
        luaL_unref(state, LUA_REGISTRYINDEX, compiled.chunk);
        return once;
    }
    Keep(state, hostPath, std::move(compiled));
    return Reuse(state, compiled_[hostPath]);
}

ChunkLoader::Result ChunkLoader::Reuse(lua_State* state, const Compiled& compiled) const
{
    if (compiled.chunk == LUA_NOREF)
        return Failed(compiled.problem, compiled.failure);
    lua_rawgeti(state, LUA_REGISTRYINDEX, compiled.chunk);
    return Result{Status::kLoaded, {}, compiled.chunk};
}

void ChunkLoader::RunFailed(lua_State* state, const std::string& hostPath, int chunk,
                            ScriptProblem problem)
{
    const auto known = compiled_.find(hostPath);
    if (chunk == LUA_NOREF || known == compiled_.end() || known->second.chunk != chunk)
        return;  // a version used once, not kept
    luaL_unref(state, LUA_REGISTRYINDEX, chunk);
    known->second.chunk = LUA_NOREF;
    known->second.problem = std::move(problem);
    known->second.failure = Status::kRunFailed;
}

void ChunkLoader::EndBatch()
{
    if (batchDepth_ > 0 && --batchDepth_ == 0)
        seen_.clear();
}

void ChunkLoader::Keep(lua_State* state, const std::string& hostPath, Compiled compiled)
{
    Compiled& kept = compiled_[hostPath];
    if (kept.chunk != LUA_NOREF)
        luaL_unref(state, LUA_REGISTRYINDEX, kept.chunk);
    kept = std::move(compiled);
}
