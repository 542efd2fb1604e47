#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "optionfiles/SourceCompile.h"
#include "settings/TextLines.h"

// A saved option file that Lua cannot compile keeps the client from every
// value in it. Before a save writes the kept lines and then the tool's
// blocks, it sets aside as comments the kept lines that break the file.
// From the top, it finds the first kept line that breaks what is above it
// (trying first the line Lua names, else halving the lines in question)
// and sets it aside, until the file compiles. Whatever the file holds, that
// takes at most kMostCompiles compiles: past them, every kept line not yet
// known to be sound is set aside at once.
struct SetAside {
    enum class Outcome {
        kCompiles,       // with the lines below set aside (none when it compiled as it was)
        kNeverCompiles,  // not even with every kept line set aside
        kUnknown,        // compiling needed more memory or time than a script may use
    };
    Outcome outcome = Outcome::kCompiles;
    std::vector<std::size_t> lines;  // indices into the kept lines, ascending
    // The first of the lines set aside at once when the compiles ran out:
    // it and every kept line after it; the number of kept lines when none.
    std::size_t wholesaleFrom = 0;
};

constexpr int kMostCompiles = 24;

// A kept line set aside is written behind this, unchanged.
constexpr std::string_view kSetAsidePrefix = "-- ";

// The size of the file's bytes: each kept line ended by CR LF, then the blocks.
std::size_t ComposedSize(const TextLines& kept, const std::string& blocks);

using Compiler = std::function<CompileVerdict(std::string fileBytes)>;

SetAside SetAsideUntilCompiles(const TextLines& kept, const std::string& blocks,
                               const Compiler& compile = CompileFileBytes);

// Marks the lines of setAside set aside in kept.
void SetLinesAside(TextLines& kept, const SetAside& setAside);
