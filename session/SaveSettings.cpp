#include "session/SessionSteps.h"

#include "platform/HeldFolder.h"
#include "platform/HostPath.h"
#include "platform/PendingFile.h"
#include "platform/SaveLock.h"
#include "session/ClientSavedFile.h"
#include "session/FolderChecks.h"
#include "session/PerUserCopies.h"
#include "session/SaveFolder.h"
#include "session/StoredRegistryValue.h"
#include "settings/SettingsRecord.h"

namespace {

// Anything of the name, a link too, counts: the save would replace it.
bool FileExists(const HeldFolder& folder, const std::string& name)
{
    FileStamp stamp;
    return folder.IsOpen() && folder.Stamp(name, stamp) != StampStatus::kMissing;
}

void Report(SaveReport& report, SystemError error, std::string what, std::string place,
            bool previousFileKept = false)
{
    if (error != kNoError)
        report.failures.push_back(
            SaveFailure{std::move(what), std::move(place), DescribeSystemError(error), previousFileKept});
}

std::string FolderNotMade()
{
    return std::string("The folder ") + kSaveFolder + " could not be created.";
}

std::string InRegistry(const char* what)
{
    return std::string(what) + " could not be saved in the registry key " + kProductKeyName + ".";
}

// The file waits for the registry: saved without it, the seat would be
// half the player's choice.
const char kNotSavedWithoutRegistry[] = "It is saved only together with the registry values, which could not be written.";

// What a failed save leaves changed: the registry values it could not put
// back, each named.
void TellNotPutBack(SaveReport& report, const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        report.failures.push_back(SaveFailure{
            "The registry value " + name + " keeps what this failed save wrote; it could not be put back.",
            kProductKeyName, "", false});
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

// Nothing is written until the whole file waits in its side file; the
// registry is then written, and put back as it was read when it or the
// file's last step fails, so that a failed save leaves the seat as it was.
// Once both are saved, the per-user copies that hid what they held are
// removed: only then does the client read the save.
SaveReport SetupSession::SaveSettings(const SaveLock&)
{
    SaveReport report;
    const ClientSavedFile client;  // held through the save
    // Told even when the file's own failure stops the save before it tries.
    const std::string folderUnusable = WhySaveFolderCannotBeMade();
    if (!folderUnusable.empty())
        report.failures.push_back(SaveFailure{FolderNotMade(), kSaveFolder, folderUnusable, false});
    // Held from the first look at the file to its replacement, and every
    // file in it reached through it: no link planted there is followed, no
    // folder put in its place reached.
    const HostPathParts seen = SplitHostPath(SavedFileHostPath());
    HeldFolder folder;
    folder.Open(seen.folder);
    const bool fileWasThere = FileExists(folder, seen.name);
    if (!PrepareSavedFile(report, folder, fileWasThere) || !folderUnusable.empty()) {
        if (!folderUnusable.empty() && report.failures.size() == 1)
            report.failures.push_back(SaveFailure{FileNotSaved(), SavedFileName(), folderUnusable, fileWasThere});
        return report;
    }
    if (!AnyPerUserCopy(client) && NothingToChange()) {
        report.nothingToChange = true;
        return report;
    }
    Report(report, MakeSaveFolder(), FolderNotMade(), kSaveFolder);

    // Named once the folder is there, in the spelling it has; a folder that
    // was not there before is held from now on.
    const HostPathParts parts = SplitHostPath(SavedFileHostPath());
    if (!folder.IsOpen())
        folder.Open(parts.folder);
    if (folder.IsOpen())
        PendingFile::RemoveLeftOver(folder, parts.name);  // no other save runs: see SaveLock
    PendingFile savedFile(folder, parts.name);
    const SystemError prepared = WriteSavedFile(savedFile);
    if (prepared != kNoError) {
        Report(report, prepared, FileNotSaved(), SavedFileName(), fileWasThere);
        return report;
    }
    const RegistryBeforeSave before = RegistryBeforeSave::Read();
    const RegistryResult registry = SaveRegistrySettings();
    Report(report, registry.device, InRegistry("The display device"), kProductKeyName);
    Report(report, registry.sound, InRegistry("The sound settings"), kProductKeyName);
    const bool registryWritten = registry.device == kNoError && registry.sound == kNoError;
    const SystemError replaced = registryWritten ? savedFile.Commit() : kNoError;
    if (registryWritten && replaced == kNoError) {
        ResolvePerUserCopies(report, client);
        return report;
    }
    if (registryWritten)
        Report(report, replaced, FileNotSaved(), SavedFileName(), fileWasThere);
    else
        report.failures.push_back(SaveFailure{FileNotSaved(), SavedFileName(), kNotSavedWithoutRegistry, fileWasThere});
    TellNotPutBack(report, before.PutBack());
    return report;
}
