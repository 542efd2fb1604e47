#pragma once

#include <string>

#include "optionfiles/ChunkLoader.h"

// Whether Lua compiles a file's bytes, read as its own file loader reads
// them (ChunkText), without running anything.
struct CompileVerdict {
    enum class Status {
        kCompiles,
        kFails,    // problem says where (line 0: Lua named none) and why
        kUnknown,  // the compile needed more memory or time than a script may use
    };
    Status status = Status::kCompiles;
    ScriptProblem problem;
};

CompileVerdict CompileFileBytes(std::string fileBytes);
