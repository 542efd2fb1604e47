#include "optionfiles/PreservedLines.h"

#include "optionfiles/ByteOrderMark.h"
#include "settings/SettingNames.h"

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
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

std::vector<std::string> PreservedLinesOf(std::string_view text, std::vector<int>* lineNumbers)
{
    std::vector<std::string> kept;
    int number = 0;
    for (std::string& line : SplitLines(text)) {
        ++number;
        // The first kept line begins the file the tool writes: an editor's
        // byte-order mark there would keep Lua from reading it.
        while (kept.empty() && StartsWithByteOrderMark(line))
            line.erase(0, kUtf8ByteOrderMark.size());
        if (IsDroppedLine(line))
            continue;
        kept.push_back(std::move(line));
        if (lineNumbers != nullptr)
            lineNumbers->push_back(number);
    }
    return kept;
}
