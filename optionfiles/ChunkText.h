#pragma once

#include <string>

// What Lua is given to compile for a script file's bytes, read as Lua's own
// file loader (luaL_loadfile) reads the file, except that a leading UTF-8
// byte-order mark is skipped: a first line that starts with '#' is skipped
// and a line end stands in for it, so that line numbers stay; a file whose
// first byte (after that line) is the escape byte is a precompiled chunk,
// taken whole from its first escape byte. On Windows a source file is
// read as the C library's text mode reads it: CR LF becomes LF, and a
// Ctrl-Z ends it.
struct ChunkText {
    bool precompiled = false;
    bool skippedFirstLine = false;
    std::string bytes;
};

ChunkText ChunkTextOf(std::string fileBytes);
