#pragma once

#include <string>
#include <string_view>

// The client's precompiled chunks (".lub") are those of a 32-bit Lua 5.1:
// their 12-byte header says Lua 5.1, official format, little-endian, 4-byte
// int, size_t and instruction, 8-byte floating-point numbers. No other
// header is read, whatever this build's own Lua would accept.
constexpr std::string_view kClientChunkHeader("\x1bLua\x51\x00\x01\x04\x04\x04\x08\x00", 12);

// The header this build's Lua reads and writes.
std::string NativeChunkHeader();

// Makes a chunk of the client's form loadable by this build's Lua: checks
// its header and, where this build's sizes differ, rewrites it in this
// build's form. False, with why it cannot be read, for a chunk of another
// header or one whose counts and lengths run past its end.
bool ToNativeChunk(std::string& chunk, std::string& why);

// What a precompiled chunk's header says where it differs from the
// client's, as "precompiled for another Lua build (size_t of 8 bytes)".
std::string DescribeForeignHeader(std::string_view chunk);
