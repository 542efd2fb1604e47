#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A saved option file that Lua cannot compile keeps the client from every
// value in it. Before a save writes the kept lines and then the tool's
// blocks, it sets aside as comments the kept lines that break the file,
// one at a time: the kept line at or above the line Lua names, nearest
// first, until the file compiles.
struct SetAside {
    enum class Outcome {
        kCompiles,       // with the lines below set aside (none when it compiled as it was)
        kNeverCompiles,  // not even with every kept line set aside
        kUnknown,        // compiling needed more memory than a script may use
    };
    Outcome outcome = Outcome::kCompiles;
    std::vector<std::size_t> lines;  // indices into the kept lines, ascending
};

// The size of the file's bytes: each kept line ended by CR LF, then the blocks.
std::size_t ComposedSize(const std::vector<std::string>& kept, const std::string& blocks);

// A kept line as a comment, the line itself unchanged behind "-- ".
std::string SetAsideLine(const std::string& line);

SetAside SetAsideUntilCompiles(const std::vector<std::string>& kept, const std::string& blocks);

// The kept lines with those of setAside turned into comments.
std::vector<std::string> WithLinesSetAside(std::vector<std::string> kept, const SetAside& setAside);
