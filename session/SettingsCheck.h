#pragma once

#include "settings/Findings.h"

// While it lives, the script reader notes in findings why it falls back:
// a script that did not load or failed, a table that is missing, a value of
// the wrong type.
class WatchedRead {
public:
    explicit WatchedRead(Findings& findings);
    ~WatchedRead();
    WatchedRead(const WatchedRead&) = delete;
    WatchedRead& operator=(const WatchedRead&) = delete;
};

// After the start-up read: looks up every text the pages ask the message
// script for, and notes what the settings hold that the pages cannot show
// or that disagrees (ranges, mode, device), and what the registry holds of
// the wrong type or size.
void CheckSettings(Findings& findings);
