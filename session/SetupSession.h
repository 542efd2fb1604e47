#pragma once

#include <string>

#include "platform/SystemError.h"
#include "session/SaveReport.h"

class Findings;
class SaveLock;

// What Setup.exe and setupctl both do with the settings record, once it
// has been made (StartSession): read it, save it, check it, and hold the
// client folder's save lock. Both programs call these and nothing else of
// the session's steps, so they can never disagree. The steps behind them
// are in SessionSteps.h.
namespace SetupSession {

enum class Access {
    kReadWrite,  // the tool's start: the setup key is made, a first run stores the defaults
    kReadOnly,   // a look at the settings that leaves registry and folder untouched
};

// Read: the defaults, then the registry values, then the saved option
// file's lines and values, into SetupSettings.
void ReadStartupSettings(Access access);

// Save: writes what SetupSettings holds, all or nothing: the saved option
// file (its other lines, then the tool's blocks) is written to its side
// file first, then the registry values, then the side file takes the saved
// file's place. When the file cannot be written, the registry is not
// touched; when the registry or the last step fails, the registry values
// are put back as they were read. The report names each step that failed,
// and each value that could not be put back. When nothing would change,
// nothing is written (nothingToChange). The first form takes the client
// folder's save lock for itself; the second is for a caller that took it
// before the read its changes were made on.
SaveReport SaveSettings();
SaveReport SaveSettings(const SaveLock& held);
// True when a save would write the saved file's bytes as they are and
// every registry value as it is stored: it then writes nothing.
bool NothingToChange();
// Makes the setup key, as every start of Setup.exe does: for a save that
// stands for one (setupctl's).
void CreateSetupKey();

// Check: after the read, looks up every text the pages ask the message
// script for, and notes what the settings hold that the pages cannot show
// or that disagrees (ranges, mode, device), and what the registry holds of
// the wrong type or size.
void CheckSettings(Findings& findings);

// Lock: takes the save lock of the client folder, waiting for another save
// to end; kSaveBusy when it did not in time.
SystemError TakeSaveLock(SaveLock& lock);
// The report of a save that could not take the lock: nothing was saved.
SaveReport NothingSaved(SystemError why);

// The saved option file as the tool names it to the player.
std::string SavedFileName();

}  // namespace SetupSession

// The product key as the player would look for it.
extern const char* const kProductKeyName;
