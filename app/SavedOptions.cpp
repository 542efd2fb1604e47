#include "app/SetupApp.h"

#include <string>

#include "optionfiles/HostPath.h"
#include "optionfiles/OptionScript.h"
#include "optionfiles/PendingFile.h"
#include "optionfiles/PreservedLines.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"

namespace {

// The name the appending step writes to; the folder the System page creates
// is spelt the same way. HostPath makes it the same file as the reader's.
const char kAppendedFile[] = "savedata\\OptionInfo.lua";

std::string SavedFileHostPath()
{
    return HostPath((std::string(SettingName(kSavedOptionFile)) + ".lua").c_str());
}

}  // namespace

void CSetupApp::LoadPreservedLines()
{
    ReadPreservedLines(SavedFileHostPath().c_str(), SetupSettings->preservedLines);
}

void CSetupApp::ApplySavedOptions()
{
    CRegistry& s = *SetupSettings;
    for (int key = kFirstOptionKey; key <= kLastOptionKey; ++key)
        s.Setting(key) = g_optionScript.GetSavedOption(SettingName(key), s.Setting(key));
    for (int key = kFirstCmdOnOffKey; key <= kLastCmdOnOffKey; ++key)
        s.Setting(key) = g_optionScript.GetSavedCommand(SettingName(key), s.Setting(key));
}

void CSetupApp::WritePreservedLines()
{
    StartPendingFile(SavedFileHostPath(), SetupSettings->preservedLines);
}

void CSetupApp::AppendSavedOptions()
{
    const std::string hostPath = HostPath(kAppendedFile);
    FileHandle file = ContinuePendingFile(hostPath);
    if (!file)
        return;
    CRegistry& s = *SetupSettings;
    for (int key = kFirstOptionKey; key <= kLastOptionKey; ++key)
        OptionScript::WriteOptionLine(file.get(), SettingName(key), s.Setting(key));
    std::fwrite("\r\n", 1, 2, file.get());
    for (int key = kFirstCmdOnOffKey; key <= kLastCmdOnOffKey; ++key)
        OptionScript::WriteCommandLine(file.get(), SettingName(key), s.Setting(key));
    CommitPendingFile(std::move(file), hostPath);
}
