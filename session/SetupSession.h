#pragma once

#include <cstdint>
#include <string>

#include "platform/FileBytes.h"
#include "platform/SystemError.h"
#include "session/SaveReport.h"

struct EnumerationLog;
class Findings;
class PendingFile;
class SaveLock;

// What Setup.exe and setupctl both do with the settings record: the
// start-up read (defaults, registry, saved option file) and the confirmed
// save (save folder, saved option file, registry). Both programs call these
// and nothing else, so they can never disagree.
class SetupSession {
public:
    enum class Access {
        kReadWrite,  // the tool's start: the setup key is made, a first run stores the defaults
        kReadOnly,   // a look at the settings that leaves registry and folder untouched
    };

    // Fills the display device list, every device the platform offers
    // passing; returns the enumeration's result. The log, when given, notes
    // every driver and device it saw.
    static int32_t FindDisplayDevices(EnumerationLog* log = nullptr);

    // Defaults, then the registry values, then the saved option file's
    // lines and values, into SetupSettings.
    static void ReadStartupSettings(Access access);
    // Writes what SetupSettings holds: the saved option file (its other
    // lines, then the tool's blocks) around the registry values. A step that
    // fails does not stop the others; the report names each that failed.
    // The save takes the client folder's save lock for itself; the second
    // form is for a caller that took it before the read its changes were
    // made on (see TakeSaveLock).
    static SaveReport SaveSettings();
    static SaveReport SaveSettings(const SaveLock& held);
    // Takes the save lock of the client folder, waiting for another save to
    // end; kSaveBusy when it did not in time.
    static SystemError TakeSaveLock(SaveLock& lock);
    // The report of a save that could not take the lock: nothing was saved.
    static SaveReport NothingSaved(SystemError why);

    // The steps, in the order the two sequences run them.
    static void LoadRegistrySettings(Access access = Access::kReadWrite);
    // Makes the setup key, as every start of the tool does.
    static void CreateSetupKey();
    // Notes the product key's values that are missing, or of another type
    // or size than the tool stores; nothing when there is no product key.
    static void CheckRegistryValues(Findings& findings);
    static void LoadPreservedLines();
    // The saved file's values; from its lines of the tool's own form when
    // the file is there but does not compile or run.
    static void ApplySavedOptions();
    // True, with the file's bytes, when the saved option file is there but
    // its chunk does not compile or run: its values are then read line by
    // line (ReadSettingLineValues).
    static bool SavedFileFailsToRun(std::string& text);
    // The option block, the empty line and the command block, as a save
    // writes them from SetupSettings.
    static std::string SettingBlocks();
    // Before the file's two steps: the kept lines read again when the file
    // may have changed since they were read, then those that keep Lua from
    // compiling the file set aside as comments. Adds what the player must be
    // told to report; false when the file must not be written.
    static bool PrepareSavedFile(SaveReport& report, bool fileWasThere);
    // Both halves of the registry write: display device, then sound.
    struct RegistryResult {
        SystemError device = kNoError;
        SystemError sound = kNoError;
    };
    static RegistryResult SaveRegistrySettings();
    // The saved option file in two steps, with the registry write between
    // them, through one side file that the save holds open.
    static SystemError WritePreservedLines(PendingFile& savedFile);
    static SystemError AppendSavedOptions(PendingFile& savedFile);

    // The first words of a failure to save the file.
    static std::string FileNotSaved();

    // The saved option file's bytes, within the bound the tool reads it in.
    static FileBytes ReadSavedFile();
    // The saved option file as the tool names it, and as the host does.
    static std::string SavedFileName();
    static std::string SavedFileHostPath();
};

// The product key as the player would look for it.
extern const char* const kProductKeyName;
