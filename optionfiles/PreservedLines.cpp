#include "optionfiles/PreservedLines.h"

#include "optionfiles/ByteOrderMark.h"
#include "settings/SettingNames.h"

std::string_view WithoutByteOrderMarks(std::string_view line)
{
    while (StartsWithByteOrderMark(line))
        line.remove_prefix(kUtf8ByteOrderMark.size());
    return line;
}

const char* DroppingName(std::string_view line)
{
    for (int key = kFirstOptionKey; key <= kLastOptionKey; ++key) {
        if (line.find(SettingName(key)) != std::string_view::npos)
            return SettingName(key);
    }
    if (line.find(SettingName(kCmdOnOffList)) != std::string_view::npos)
        return SettingName(kCmdOnOffList);
    return nullptr;
}

bool IsDroppedLine(std::string_view line)
{
    return line.empty() || DroppingName(line) != nullptr;
}

TextLines PreservedLinesOf(std::string text, std::vector<int>* lineNumbers)
{
    TextLines kept(std::move(text));
    int number = 0;
    ForEachLine(kept.text(), [&](std::string_view line) {
        ++number;
        // The first kept line begins the file the tool writes: an editor's
        // byte-order mark there would keep Lua from reading it.
        if (kept.empty())
            line = WithoutByteOrderMarks(line);
        if (IsDroppedLine(line))
            return;
        kept.Add(line);
        if (lineNumbers != nullptr)
            lineNumbers->push_back(number);
    });
    return kept;
}
