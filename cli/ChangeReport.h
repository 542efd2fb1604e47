#pragma once

#include <string>
#include <vector>

#include "cli/SettingTable.h"
#include "session/DroppedLines.h"
#include "session/SaveReport.h"

// What a save of set, reset or import changes: the settings of the saved
// option file, the registry values it rewrites, the saved file's lines it
// drops; after the save, which of them were saved.
struct Change {
    std::string name;
    bool wasThere = true;  // false for a registry value that is missing
    SettingValue from;
    SettingValue to;
    bool resetBySave = false;  // a value the tool writes but never reads
    bool saved = false;
};

struct ChangeReport {
    std::vector<Change> settings;  // of the saved option file
    std::vector<Change> registry;
    std::vector<DroppedLine> droppedLines;
    std::vector<SetAsideLine> setAsideLines;
    std::vector<std::string> notes;  // what was left as it was, and why
    bool dryRun = true;
    bool nothingToChange = false;  // the file's bytes and every registry value as a save would write them
    SaveReport save;
};

// Before the save: what it would change, against the settings as read.
ChangeReport ReportChanges(const std::vector<NamedSetting>& before, const CRegistry& after);

// After the save: which changes are now stored, and what failed.
void NoteSaved(ChangeReport& report, const SaveReport& save);

// Prints the report on standard output and any failure on standard error.
void PrintReport(const ChangeReport& report, bool json, unsigned codePage);

// Tells each failure of a save on standard error; kExitFailed when there was one.
int TellSaveFailures(const SaveReport& save);
