#pragma once

#include <string>

#include "platform/FileBytes.h"
#include "platform/SystemError.h"
#include "session/SaveReport.h"
#include "session/SetupSession.h"

class Findings;
class HeldFolder;
class PendingFile;

// The steps behind the session's entry points (SetupSession.h), for those
// entry points and for the tests; the programs call the entry points only.
namespace SetupSession {

// The read's steps, in its order.
void LoadRegistrySettings(Access access = Access::kReadWrite);
// The saved file's other lines, read through its folder, which the first
// form opens and the second is given held.
void LoadPreservedLines();
void LoadPreservedLines(const HeldFolder& folder);
// The saved file's values; from its lines of the tool's own form when the
// file is there but does not compile or run.
void ApplySavedOptions();
// True, with the file's bytes, when the saved option file is there but its
// chunk does not compile or run: its values are then read line by line
// (ReadSettingLineValues).
bool SavedFileFailsToRun(std::string& text);

// The check's look at the registry: notes the product key's values that are
// missing, or of another type or size than the tool stores; nothing when
// there is no product key.
void CheckRegistryValues(Findings& findings);

// The save's steps. Before the file is written: the kept lines read again
// when the file may have changed since they were read, then those that keep
// Lua from compiling the file set aside as comments, all through the held
// save folder. Adds what the player must be told to report; false when the
// file must not be written.
bool PrepareSavedFile(SaveReport& report, const HeldFolder& folder, bool fileWasThere);
// Both halves of the registry write: display device, then sound.
struct RegistryResult {
    SystemError device = kNoError;
    SystemError sound = kNoError;
};
RegistryResult SaveRegistrySettings();
// The saved option file in two steps through one side file held open, the
// second of which puts it in place: the tests' way to act between them. A
// save writes the whole file with WriteSavedFile instead.
SystemError WritePreservedLines(PendingFile& savedFile);
SystemError AppendSavedOptions(PendingFile& savedFile);
// The saved option file's bytes as a save writes them: the kept lines
// (those set aside behind "-- "), each ended by CR LF, then the blocks.
std::string ComposedSavedFile();
// The whole file to its side file, which is not yet put in place.
SystemError WriteSavedFile(PendingFile& savedFile);
// The option block, the empty line and the command block, as a save writes
// them from SetupSettings.
std::string SettingBlocks();
// The first words of a failure to save the file.
std::string FileNotSaved();

// The saved option file's bytes, within the bound the tool reads it in.
FileBytes ReadSavedFile();
// The saved option file as the host names it.
std::string SavedFileHostPath();

}  // namespace SetupSession
