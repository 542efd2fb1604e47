#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/SetPairs.h"

class CRegistry;

// A portable profile: one seat's settings, to be applied on another.
//
//   {"format": "setupctl-profile", "version": 1,
//    "settings": {"Bgm_Volume": 100, ...every setting set takes},
//    "mode": "1024x768x16",
//    "device": {"driver": "primary", "name": "...", "type": "{GUID}"},
//    "replacedBytes": 0}
//
// The device is named by its driver and 3D device type, never by a
// position; its name is for people only. replacedBytes counts the bytes of
// the seat's texts that had no UTF-8 form, as in every JSON setupctl writes.

// The profile of the settings s holds, as one line without its end.
std::string ProfileText(const CRegistry& s, unsigned codePage);

// The pairs a profile's text asks set to apply: each setting, then the mode,
// then the device, each where the profile has it. False, with why, for a
// text that is no profile this setupctl reads: another format, a higher
// version, a field it does not know or of the wrong type, invalid JSON.
bool ReadProfile(std::string_view text, std::vector<Pair>& pairs, std::string& why);
