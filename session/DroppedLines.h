#pragma once

#include <string>
#include <string_view>
#include <vector>

// A line of the saved option file that a save does not carry over although
// it is not one of the tool's own: it mentions a name the tool writes, so
// the rule that drops the tool's own lines drops it too.
struct DroppedLine {
    int number = 0;         // 1-based
    std::string text;
    std::string mentioned;  // the name that has it dropped: a key or CmdOnOffList
};

// Those lines of the saved option file as it is now.
std::vector<DroppedLine> LinesASaveDrops();

// A line of others that a save would write as a comment, because Lua cannot
// compile the saved file with it.
struct SetAsideLine {
    int number = 0;  // 1-based, in the saved file as it was read
    std::string text;
};

// Those lines, for the settings as they are now; a dry run lists them.
std::vector<SetAsideLine> LinesASaveSetsAside();

// Whether line is one the tool writes itself: a value of one of its keys.
bool IsToolsOwnLine(std::string_view line);
