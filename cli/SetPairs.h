#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "settings/SettingRanges.h"

// One NAME=VALUE of set's command line or of a profile.
struct Pair {
    std::string text;   // as the refusal quotes it
    std::string name;
    std::string value;  // as given: the text that names a device or a mode
    // Of a name the pages edit: that setting, and the whole number given for
    // it when there is one, whatever its range (a profile's is typed
    // already; the command line's is read once, by SettingPair).
    std::optional<EditedSetting> setting = std::nullopt;
    std::optional<long long> number = std::nullopt;
};

// A pair of set's command line, its setting and number found once.
Pair SettingPair(const std::string& text, const std::string& name, const std::string& value);

// What applying the pairs chose, and what it left as it was.
struct Applied {
    bool defaultDevice = false;  // --device=default
    std::vector<std::string> notes;
};

// The checks that need no settings read: each name is one set takes, given
// once, with a value of its range or form. kExitUsage once it has said why.
int CheckPairs(const std::vector<Pair>& pairs);
// The checked pairs applied to SetupSettings as the pages apply a choice:
// the device first, so that a mode is looked for among its lines; then the
// mode; then the rest. kExitUsage once it has said why one is not here.
int ApplyPairs(const std::vector<Pair>& pairs, unsigned codePage, Applied& applied);

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
