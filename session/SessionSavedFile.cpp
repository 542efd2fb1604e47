#include "session/SessionSteps.h"

#include "session/ClientSavedFile.h"
#include "optionfiles/OptionScript.h"
#include "optionfiles/PreservedLines.h"
#include "optionfiles/SetAsideLines.h"
#include "optionfiles/SettingLineValues.h"
#include "platform/FileBytes.h"
#include "platform/HeldFolder.h"
#include "platform/HostPath.h"
#include "platform/PendingFile.h"
#include "platform/SeenFile.h"
#include "session/StoredRegistryValue.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"

std::string SetupSession::SavedFileHostPath()
{
    return HostPath(SavedFileName().c_str());
}

FileBytes SetupSession::ReadSavedFile()
{
    return ClientSavedFile().Read();
}

std::string SetupSession::SavedFileName()
{
    return std::string(SettingName(kSavedOptionFile)) + ".lua";
}

// A file that is there but cannot be read keeps its other lines unknown;
// the record says why, and the save then leaves that file alone. So does
// one that others could have put there to be read or written through: a
// link, a pipe, a file under a second name. The lines are those of the
// file the client reads, its per-user copy when there is one.
void SetupSession::LoadPreservedLines()
{
    HeldFolder folder;
    folder.Open(SplitHostPath(SavedFileHostPath()).folder);
    LoadPreservedLines(folder);
}

void SetupSession::LoadPreservedLines(const HeldFolder& folder)
{
    CRegistry& s = *SetupSettings;
    const ClientSavedFile client;
    s.savedFileReadFrom = client.IsPerUserCopy() ? client.CopyPath() : "";
    s.savedFileSeen = client.See(folder);
    FileBytes file = client.Read(folder);
    switch (file.status) {
    case FileBytes::Status::kRead:
        s.preservedLines = PreservedLinesOf(std::move(file.bytes));
        return;
    case FileBytes::Status::kMissing:
        return;
    case FileBytes::Status::kUnreadable:
        s.unreadSavedFile = DescribeSystemError(file.error);
        break;
    case FileBytes::Status::kTooLarge:
        s.unreadSavedFile = "It is larger than the " + std::to_string(file.maxBytes >> 20) +
                            " MiB that Setup reads.";
        break;
    }
    if (client.IsPerUserCopy())
        s.unreadSavedFile = "the game reads its per-user copy " + client.HostPath() +
                            " instead, and Setup could not read that copy: " + s.unreadSavedFile;
}

namespace {

// The saved file's number under key in table, as GetSavedOption and
// GetSavedCommand answer (the field stays where it has none), noting where
// it came from: the option script stands in for a saved file that did not
// load.
void TakeSavedValue(CRegistry& s, int table, int key, SettingOrigin savedFile)
{
    const IntegerLookup found = g_optionScript.LookUpInteger(SettingName(kSavedOptionFile),
                                                             SettingName(table), SettingName(key));
    if (!found.found)
        return;
    s.Setting(key) = found.value;
    s.NoteOrigin(SettingName(key), found.answeredBy == ScriptSource::kSavedFile ? savedFile
                                                                                : SettingOrigin::kOptionScript);
}

// What Lua cannot read as a whole may still be read line by line; a key
// without a line of the tool's own form keeps its value.
void TakeSavedLines(CRegistry& s, const std::string& text, SettingOrigin savedFile)
{
    const SettingLineValues values = ReadSettingLineValues(text);
    for (int key = kFirstOptionKey; key <= kLastCmdOnOffKey; ++key) {
        if (!values[key].found)
            continue;
        s.Setting(key) = values[key].value;
        s.NoteOrigin(SettingName(key), savedFile);
    }
}

}  // namespace

bool SetupSession::SavedFileFailsToRun(std::string& text)
{
    if (g_optionScript.SavedFileRuns())
        return false;
    FileBytes file = ReadSavedFile();
    if (file.status != FileBytes::Status::kRead)
        return false;  // none there: the option script stands in
    text = std::move(file.bytes);
    return true;
}

void SetupSession::ApplySavedOptions()
{
    CRegistry& s = *SetupSettings;
    ScriptBatch batch(g_optionScript);
    const SettingOrigin savedFile = s.savedFileReadFrom.empty() ? SettingOrigin::kSavedFile
                                                                 : SettingOrigin::kPerUserFile;
    std::string text;
    if (SavedFileFailsToRun(text)) {
        TakeSavedLines(s, text, savedFile);
        return;
    }
    for (int key = kFirstOptionKey; key <= kLastOptionKey; ++key)
        TakeSavedValue(s, kOptionInfoList, key, savedFile);
    for (int key = kFirstCmdOnOffKey; key <= kLastCmdOnOffKey; ++key)
        TakeSavedValue(s, kCmdOnOffList, key, savedFile);
}

std::string SetupSession::ComposedSavedFile()
{
    const TextLines& lines = SetupSettings->preservedLines;
    const std::string blocks = SettingBlocks();
    std::string text;
    text.reserve(ComposedSize(lines, blocks) + lines.size() * kSetAsidePrefix.size());
    for (std::size_t at = 0; at < lines.size(); ++at) {
        if (lines.IsSetAside(at))
            text += kSetAsidePrefix;
        text.append(lines[at].data(), lines[at].size());
        text += "\r\n";
    }
    return text + blocks;
}

SystemError SetupSession::WriteSavedFile(PendingFile& savedFile)
{
    const std::string text = ComposedSavedFile();
    return savedFile.Start(
        [&text](std::FILE* file) { return std::fwrite(text.data(), 1, text.size(), file) == text.size(); });
}

bool SetupSession::NothingToChange()
{
    const CRegistry& s = *SetupSettings;
    if (!s.unreadSavedFile.empty() || !RegistryHoldsWhatASaveWrites(s))
        return false;
    const FileBytes file = ReadSavedFile();
    if (file.status != FileBytes::Status::kRead || file.bytes != ComposedSavedFile())
        return false;
    // A file Lua cannot read would get lines set aside.
    const SetAside setAside = SetAsideUntilCompiles(s.preservedLines, SettingBlocks());
    return setAside.outcome == SetAside::Outcome::kCompiles && setAside.lines.empty();
}

SystemError SetupSession::WritePreservedLines(PendingFile& savedFile)
{
    const TextLines& lines = SetupSettings->preservedLines;
    return savedFile.Start([&lines](std::FILE* file) {
        for (std::size_t at = 0; at < lines.size(); ++at) {
            if (lines.IsSetAside(at) &&
                std::fwrite(kSetAsidePrefix.data(), 1, kSetAsidePrefix.size(), file) != kSetAsidePrefix.size())
                return false;
            if (std::fwrite(lines[at].data(), 1, lines[at].size(), file) != lines[at].size() ||
                std::fwrite("\r\n", 1, 2, file) != 2)
                return false;
        }
        return true;
    });
}

SystemError SetupSession::AppendSavedOptions(PendingFile& savedFile)
{
    SystemError error = kNoError;
    std::FILE* file = savedFile.Continue(error);
    if (file == nullptr)
        return error;
    const std::string blocks = SettingBlocks();
    std::fwrite(blocks.data(), 1, blocks.size(), file);
    return savedFile.Commit();
}

std::string SetupSession::SettingBlocks()
{
    const CRegistry& s = *SetupSettings;
    std::string blocks;
    for (int key = kFirstOptionKey; key <= kLastOptionKey; ++key)
        blocks += OptionScript::OptionLine(SettingName(key), s.Setting(key));
    blocks += "\r\n";
    for (int key = kFirstCmdOnOffKey; key <= kLastCmdOnOffKey; ++key)
        blocks += OptionScript::CommandLine(SettingName(key), s.Setting(key));
    return blocks;
}
