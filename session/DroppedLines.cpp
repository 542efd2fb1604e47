#include "session/DroppedLines.h"

#include "optionfiles/ByteOrderMark.h"
#include "optionfiles/PreservedLines.h"
#include "platform/FileBytes.h"
#include "session/AssignmentLine.h"
#include "session/SetupSession.h"
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

bool IsToolsOwnLine(const std::string& line)
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
    const FileBytes file = ReadUnlinkedFileBytes(SetupSession::SavedFileHostPath());
    if (file.status != FileBytes::Status::kRead)
        return dropped;
    int number = 0;
    for (std::string& line : SplitLines(file.bytes)) {
        ++number;
        while (number == 1 && StartsWithByteOrderMark(line))
            line.erase(0, kUtf8ByteOrderMark.size());
        if (line.empty() || !IsDroppedLine(line) || IsToolsOwnLine(line))
            continue;
        dropped.push_back(DroppedLine{number, line, DroppingName(line)});
    }
    return dropped;
}
