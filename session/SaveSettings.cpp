#include "session/SessionSteps.h"

#include <sys/stat.h>

#include "platform/HeldFolder.h"
#include "platform/HostPath.h"
#include "platform/PendingFile.h"
#include "platform/SaveLock.h"
#include "session/SaveFolder.h"

namespace {

bool FileExists(const std::string& hostPath)
{
    struct stat found;
    return stat(hostPath.c_str(), &found) == 0;
}

void Report(SaveReport& report, SystemError error, std::string what, std::string place,
            bool previousFileKept = false)
{
    if (error != kNoError)
        report.failures.push_back(
            SaveFailure{std::move(what), std::move(place), DescribeSystemError(error), previousFileKept});
}

std::string InRegistry(const char* what)
{
    return std::string(what) + " could not be saved in the registry key " + kProductKeyName + ".";
}

}  // namespace

SaveReport SetupSession::NothingSaved(SystemError why)
{
    SaveReport report;
    Report(report, why, "Nothing was saved.", ".", true);
    return report;
}

SaveReport SetupSession::SaveSettings()
{
    SaveLock lock;
    const SystemError error = TakeSaveLock(lock);
    return error == kNoError ? SaveSettings(lock) : NothingSaved(error);
}

// The file's two steps stay around the registry write, in that order; the
// file's name is resolved once, so that both steps write one file. What they
// write is settled before either runs.
SaveReport SetupSession::SaveSettings(const SaveLock&)
{
    SaveReport report;
    Report(report, MakeSaveFolder(), std::string("The folder ") + kSaveFolder + " could not be created.",
           kSaveFolder);

    const std::string savedPath = SavedFileHostPath();
    const HostPathParts parts = SplitHostPath(savedPath);
    HeldFolder folder;  // held through the save: no link planted in it is followed
    if (folder.Open(parts.folder) == kNoError)
        PendingFile::RemoveLeftOver(folder, parts.name);  // no other save runs: see SaveLock
    PendingFile savedFile(folder, parts.name);
    const bool fileWasThere = FileExists(savedPath);
    const bool mayWriteFile = PrepareSavedFile(report, fileWasThere);
    const SystemError started = mayWriteFile ? WritePreservedLines(savedFile) : kNoError;
    const RegistryResult registry = SaveRegistrySettings();
    SystemError written = mayWriteFile ? AppendSavedOptions(savedFile) : kNoError;
    if (written != kNoError && started != kNoError)
        written = started;  // the first step's reason is the one behind both

    Report(report, written, FileNotSaved(), SavedFileName(), fileWasThere);
    Report(report, registry.device, InRegistry("The display device"), kProductKeyName);
    Report(report, registry.sound, InRegistry("The sound settings"), kProductKeyName);
    return report;
}
