// What the file steps of a save will write, decided before either runs.
#include "session/SessionSteps.h"

#include <algorithm>

#include "session/DroppedLines.h"

#include "platform/FileBytes.h"
#include "session/ClientSavedFile.h"
#include "platform/SeenFile.h"
#include "optionfiles/SetAsideLines.h"
#include "settings/SettingsRecord.h"

namespace {

// A list long enough to find the lines by, short enough for a message box.
constexpr std::size_t kLinesNamed = 10;

SaveFailure FileNotWritten(const std::string& why, bool fileWasThere)
{
    return SaveFailure{SetupSession::FileNotSaved(), SetupSession::SavedFileName(), why, fileWasThere};
}

// A file that was there but could not be read keeps lines of others that
// the tool never saw: saving over it would lose them.
SaveFailure UnreadFileKept(const std::string& why, bool atStart)
{
    return FileNotWritten(std::string("Setup could not read this file ") +
                              (atStart ? "when it started: " : "again before saving: ") +
                              why + "\nSaving over it would lose the lines other programs keep there.",
                          true);
}

SaveFailure TooLarge(bool fileWasThere)
{
    return FileNotWritten("Saved, it would grow past the " + std::to_string(kMaxSavedFileBytes >> 20) +
                              " MiB that Setup reads back.",
                          fileWasThere);
}

// The kept lines' numbers in the file they were read from, as check numbers
// them (each line there ends at LF): one pass over the text for lines in
// the order of the file, as a set-aside gives them.
std::vector<int> LineNumbers(const TextLines& kept, const std::vector<std::size_t>& indices)
{
    const std::string& text = kept.text();
    std::vector<int> numbers;
    numbers.reserve(indices.size());
    std::size_t counted = 0;
    int line = 1;
    for (const std::size_t index : indices) {
        const std::size_t offset = static_cast<std::size_t>(kept[index].data() - text.data());
        if (offset < counted)
            counted = 0, line = 1;
        line += static_cast<int>(std::count(text.begin() + static_cast<std::ptrdiff_t>(counted),
                                            text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
        counted = offset;
        numbers.push_back(line);
    }
    return numbers;
}

// "line 3", "lines 3 and 7", "lines 3, 7 and 9", "lines 1, ... 10 and 4 more":
// the lines' numbers in the file as it was read.
std::string NamedLines(const TextLines& kept, const std::vector<std::size_t>& indices)
{
    const std::size_t named = std::min(indices.size(), kLinesNamed);
    const std::vector<int> numbers =
        LineNumbers(kept, std::vector<std::size_t>(indices.begin(), indices.begin() + static_cast<std::ptrdiff_t>(named)));
    std::string text = indices.size() == 1 ? "line " : "lines ";
    for (std::size_t at = 0; at < named; ++at) {
        if (at > 0)
            text += at + 1 == indices.size() ? " and " : ", ";
        text += std::to_string(numbers[at]);
    }
    if (named < indices.size())
        text += " and " + std::to_string(indices.size() - named) + " more";
    return text;
}

std::string SetAsideNote(const TextLines& kept, const SetAside& setAside)
{
    return SetupSession::SavedFileName() + ": " + NamedLines(kept, setAside.lines) +
           ", written there by others, kept Lua from reading the file; they were saved as comments "
           "(\"-- \") so that the game reads your settings.";
}

}  // namespace

std::string SetupSession::FileNotSaved()
{
    return "Your options could not be saved in " + SavedFileName() + ".";
}

bool SetupSession::PrepareSavedFile(SaveReport& report, const HeldFolder& folder, bool fileWasThere)
{
    CRegistry& s = *SetupSettings;
    // Lines another program added while the sheet was open are kept too.
    const bool unreadAtStart = !s.unreadSavedFile.empty();
    // So are those of a per-user copy that the client made or that went
    // meanwhile: the lines kept are those of the file the client reads.
    const ClientSavedFile client;
    const bool readElsewhere = s.savedFileReadFrom != (client.IsPerUserCopy() ? client.CopyPath() : "");
    if (client.MayHaveChanged(s.savedFileSeen, folder) || readElsewhere) {
        s.preservedLines.clear();
        s.unreadSavedFile.clear();
        LoadPreservedLines(folder);
    }
    if (!s.unreadSavedFile.empty()) {
        report.failures.push_back(UnreadFileKept(s.unreadSavedFile, unreadAtStart));
        return false;
    }
    const std::string blocks = SettingBlocks();
    if (ComposedSize(s.preservedLines, blocks) > kMaxSavedFileBytes) {
        report.failures.push_back(TooLarge(fileWasThere));
        return false;
    }
    const SetAside setAside = SetAsideUntilCompiles(s.preservedLines, blocks);
    if (setAside.outcome == SetAside::Outcome::kNeverCompiles) {
        report.failures.push_back(FileNotWritten(
            "Lua could not read it even with every line others wrote there set aside as a comment.",
            fileWasThere));
        return false;
    }
    if (setAside.lines.empty())
        return true;
    if (ComposedSize(s.preservedLines, blocks) + setAside.lines.size() * kSetAsidePrefix.size() >
        kMaxSavedFileBytes) {
        report.failures.push_back(TooLarge(fileWasThere));
        return false;
    }
    SetLinesAside(s.preservedLines, setAside);
    report.notes.push_back(SetAsideNote(s.preservedLines, setAside));
    return true;
}

std::vector<SetAsideLine> LinesASaveSetsAside()
{
    const TextLines& kept = SetupSettings->preservedLines;
    const std::vector<std::size_t> indices = SetAsideUntilCompiles(kept, SetupSession::SettingBlocks()).lines;
    const std::vector<int> numbers = LineNumbers(kept, indices);
    std::vector<SetAsideLine> lines;
    lines.reserve(indices.size());
    for (std::size_t at = 0; at < indices.size(); ++at)
        lines.push_back(SetAsideLine{numbers[at], std::string(kept[indices[at]])});
    return lines;
}
