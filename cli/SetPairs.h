#pragma once

#include <string>
#include <vector>

#include "cli/Arguments.h"

// One NAME=VALUE of set's command line or of a profile.
struct Pair {
    std::string text;  // as the refusal quotes it
    std::string name;
    std::string value;
};

// What set does with its pairs, which import shares: every pair is checked,
// then applied as the pages apply a choice (device, mode, the rest), and
// only then saved as a confirmed OK does; a refusal writes nothing.
// With --device=default (import's), a device that is not here gives way to
// the first line of the Device list, and a mode with no device to list it
// is left as it is.
int SetPairs(const Arguments& arguments, const std::vector<Pair>& pairs);

// The refusal of a folder a save should not write into; kExitDone when it
// may.
int RefuseOtherFolder(const Arguments& arguments);
