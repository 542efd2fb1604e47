#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/TextLines.h"

// Calls each(line) for every line of text, in order: a line ends at LF, a
// CR right before the LF is not part of it, and a last line without LF
// still counts. The lines are views into text.
template <typename Each>
void ForEachLine(std::string_view text, Each each)
{
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        each(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
}

// line without the UTF-8 byte-order marks it begins with, however many.
std::string_view WithoutByteOrderMarks(std::string_view line);

// The name that makes a line of the saved option file the tool's own: the
// first of the 11 option keys it mentions, else "CmdOnOffList" when it
// mentions that; null for a line of somebody else.
const char* DroppingName(std::string_view line);

// Whether a line of the saved option file is the tool's own (it has a
// DroppingName) or empty; such lines are not carried over.
bool IsDroppedLine(std::string_view line);

// The lines of text that belong to somebody else, in their order, held in
// text itself; UTF-8 byte-order marks at the start of the first are not
// part of it. When lineNumbers is given, it receives each kept line's
// 1-based number.
TextLines PreservedLinesOf(std::string text, std::vector<int>* lineNumbers = nullptr);
