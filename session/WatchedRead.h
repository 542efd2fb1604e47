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
