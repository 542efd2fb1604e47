#include "session/SavedFileFindings.h"

#include "session/SessionSteps.h"
#include "platform/FileBytes.h"
#include "optionfiles/PreservedLines.h"
#include "optionfiles/SetAsideLines.h"
#include "optionfiles/SettingLineValues.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"

namespace {

void NoteLineByLineRead(Findings& findings, const std::string& place, const std::string& text)
{
    findings.Add(place, 0,
                 "Lua cannot read the file, so its values were taken line by line, from the lines of the "
                 "form OptionInfoList[\"KEY\"] = N and CmdOnOffList[\"/key\"] = N");
    const SettingLineValues values = ReadSettingLineValues(text);
    std::string missing;
    for (int key = kFirstOptionKey; key <= kLastCmdOnOffKey; ++key) {
        if (!values[key].found)
            missing += (missing.empty() ? "" : ", ") + std::string(SettingName(key));
    }
    if (!missing.empty())
        findings.Add(place, 0, "no usable line for " + missing + "; these keep their default or registry values");
}

void NoteSetAsideLines(Findings& findings, const std::string& place, std::string text)
{
    std::vector<int> numbers;
    const TextLines kept = PreservedLinesOf(std::move(text), &numbers);
    const SetAside setAside = SetAsideUntilCompiles(kept, SetupSession::SettingBlocks());
    for (const std::size_t at : setAside.lines) {
        if (at == setAside.wholesaleFrom) {
            findings.Add(place, numbers[at],
                         "a save would set this line and the " + std::to_string(kept.size() - at - 1) +
                             " lines of others after it aside as comments (\"-- \"): Lua cannot read the "
                             "saved file with them, and the file is too broken to tell which");
            break;
        }
        findings.Add(place, numbers[at],
                     "a save would set this line aside as a comment (\"-- \"): Lua cannot read the "
                     "saved file with it");
    }
    if (setAside.outcome == SetAside::Outcome::kNeverCompiles)
        findings.Add(place, 0, "a save would be refused: Lua cannot read the file even with every "
                               "line of others set aside");
}

}  // namespace

void CheckSavedFileLines(Findings& findings)
{
    // The lines are those of the file the client reads: its per-user copy's
    // when it has one.
    const std::string& copy = SetupSettings->savedFileReadFrom;
    const std::string place = copy.empty() ? SetupSession::SavedFileName() : copy;
    std::string text;
    if (SetupSession::SavedFileFailsToRun(text)) {
        NoteLineByLineRead(findings, place, text);
    } else {
        FileBytes file = SetupSession::ReadSavedFile();
        if (file.status != FileBytes::Status::kRead)
            return;
        text = std::move(file.bytes);
    }
    NoteSetAsideLines(findings, place, std::move(text));
}
