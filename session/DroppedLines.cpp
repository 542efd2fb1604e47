#include "session/DroppedLines.h"

#include "optionfiles/PreservedLines.h"
#include "platform/FileBytes.h"
#include "session/AssignmentLine.h"
#include "session/SessionSteps.h"
#include "settings/SettingNames.h"

namespace {

bool IsKeyOf(const std::string& key, int first, int last)
{
    for (int index = first; index <= last; ++index)
        if (key == SettingName(index))
            return true;
    return false;
}

}  // namespace

bool IsToolsOwnLine(std::string_view line)
{
    Assignment a;
    if (!ParseAssignment(line, a))
        return false;
    if (a.table == SettingName(kOptionInfoList))
        return IsKeyOf(a.key, kFirstOptionKey, kLastOptionKey);
    if (a.table == SettingName(kCmdOnOffList))
        return IsKeyOf(a.key, kFirstCmdOnOffKey, kLastCmdOnOffKey);
    return false;
}

std::vector<DroppedLine> LinesASaveDrops()
{
    std::vector<DroppedLine> dropped;
    const FileBytes file = SetupSession::ReadSavedFile();
    if (file.status != FileBytes::Status::kRead)
        return dropped;
    int number = 0;
    ForEachLine(file.bytes, [&](std::string_view line) {
        if (++number == 1)
            line = WithoutByteOrderMarks(line);
        if (line.empty() || !IsDroppedLine(line) || IsToolsOwnLine(line))
            return;
        dropped.push_back(DroppedLine{number, std::string(line), DroppingName(line)});
    });
    return dropped;
}
