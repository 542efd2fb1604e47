#pragma once

#include <string>
#include <string_view>
#include <vector>

// The lines of a text: each ends at LF, a CR right before the LF is not
// part of it, and a last line without LF still counts.
std::vector<std::string> SplitLines(std::string_view text);

// The name that makes a line of the saved option file the tool's own: the
// first of the 11 option keys it mentions, else "CmdOnOffList" when it
// mentions that; null for a line of somebody else.
const char* DroppingName(std::string_view line);

// Whether a line of the saved option file is the tool's own (it has a
// DroppingName) or empty; such lines are not carried over.
bool IsDroppedLine(std::string_view line);

// The lines of text that belong to somebody else, in their order; UTF-8
// byte-order marks at the start of the first are not part of it. When
// lineNumbers is given, it receives each kept line's 1-based number.
std::vector<std::string> PreservedLinesOf(std::string_view text, std::vector<int>* lineNumbers = nullptr);
