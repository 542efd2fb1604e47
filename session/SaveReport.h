#pragma once

#include <string>
#include <vector>

// What a confirmed save could not write, for the player (a message box) and
// for scripts (setupctl): each failed step with where and why.
struct SaveFailure {
    std::string what;    // what was not saved: "your options", "the display device"
    std::string place;   // the file or folder as the tool names it, or the registry key
    std::string reason;  // the platform's words
    bool previousFileKept = false;  // a file that was there is left as it was
};

struct SaveReport {
    std::vector<SaveFailure> failures;
    // What a save changed beyond the settings that the player must know:
    // one line each, naming the file and its lines.
    std::vector<std::string> notes;
    // Neither the file's bytes nor any registry value would have changed,
    // so nothing was written.
    bool nothingToChange = false;

    bool Saved() const { return failures.empty(); }
};

// The text that tells the player what was not saved: heading (the message
// script's own text, or a plain English one when it gives none), then one
// paragraph per failure, then one per note.
std::string SaveFailureText(const SaveReport& report, const std::string& heading);

// What the player is told after a save: the failures' text when a step
// failed, else the notes under a heading that says the settings were saved;
// "" when there is nothing to tell.
std::string SaveReportText(const SaveReport& report, const std::string& failedHeading);

// The heading used when the message script gives none.
extern const char* const kSaveFailedHeading;
