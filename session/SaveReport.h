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

    bool Saved() const { return failures.empty(); }
};

// The text that tells the player what was not saved: heading (the message
// script's own text, or a plain English one when it gives none), then one
// paragraph per failure.
std::string SaveFailureText(const SaveReport& report, const std::string& heading);

// The heading used when the message script gives none.
extern const char* const kSaveFailedHeading;
