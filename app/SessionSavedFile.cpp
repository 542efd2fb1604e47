#include "app/SetupSession.h"

#include "optionfiles/FileBytes.h"
#include "optionfiles/HostPath.h"
#include "optionfiles/OptionScript.h"
#include "optionfiles/PendingFile.h"
#include "optionfiles/PreservedLines.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"

std::string SetupSession::SavedFileHostPath()
{
    return HostPath(SavedFileName().c_str());
}

std::string SetupSession::SavedFileName()
{
    return std::string(SettingName(kSavedOptionFile)) + ".lua";
}

// A file that is there but cannot be read keeps its other lines unknown;
// the record says why, and the save then leaves that file alone.
void SetupSession::LoadPreservedLines()
{
    CRegistry& s = *SetupSettings;
    FileBytes file = ReadFileBytes(SavedFileHostPath());
    switch (file.status) {
    case FileBytes::Status::kRead:
        for (std::string& line : PreservedLinesOf(file.bytes))
            s.preservedLines.push_back(std::move(line));
        break;
    case FileBytes::Status::kMissing:
        break;
    case FileBytes::Status::kUnreadable:
        s.unreadSavedFile = DescribeSystemError(file.error);
        break;
    case FileBytes::Status::kTooLarge:
        s.unreadSavedFile = "It is larger than the " + std::to_string(kMaxFileBytes >> 20) +
                            " MiB that Setup reads.";
        break;
    }
}

void SetupSession::ApplySavedOptions()
{
    CRegistry& s = *SetupSettings;
    for (int key = kFirstOptionKey; key <= kLastOptionKey; ++key)
        s.Setting(key) = g_optionScript.GetSavedOption(SettingName(key), s.Setting(key));
    for (int key = kFirstCmdOnOffKey; key <= kLastCmdOnOffKey; ++key)
        s.Setting(key) = g_optionScript.GetSavedCommand(SettingName(key), s.Setting(key));
}

SystemError SetupSession::WritePreservedLines(const std::string& savedFile)
{
    return StartPendingFile(savedFile, SetupSettings->preservedLines);
}

SystemError SetupSession::AppendSavedOptions(const std::string& savedFile)
{
    SystemError error = kNoError;
    FileHandle file = ContinuePendingFile(savedFile, error);
    if (!file)
        return error;
    CRegistry& s = *SetupSettings;
    for (int key = kFirstOptionKey; key <= kLastOptionKey; ++key)
        OptionScript::WriteOptionLine(file.get(), SettingName(key), s.Setting(key));
    std::fwrite("\r\n", 1, 2, file.get());
    for (int key = kFirstCmdOnOffKey; key <= kLastCmdOnOffKey; ++key)
        OptionScript::WriteCommandLine(file.get(), SettingName(key), s.Setting(key));
    return CommitPendingFile(std::move(file), savedFile);
}
