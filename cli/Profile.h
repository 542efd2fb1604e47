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

// What a profile holds: every setting, the mode and the device, or those
// parts named.
struct ProfileContents {
    std::vector<std::string> settings;  // names of settings set takes
    bool mode = true;
    bool device = true;
};

// Every part. A seat that lists no display device has no mode or device a
// profile could name.
ProfileContents WholeProfile(bool withDisplay);
// The parts names asks for: settings by name, "mode", "device"; false,
// with the first name that is none of them, in unknown.
bool ProfileNamed(const std::vector<std::string>& names, ProfileContents& contents, std::string& unknown);

// The profile of what s holds, as one line without its end.
std::string ProfileText(const CRegistry& s, unsigned codePage, const ProfileContents& contents);

// The pairs a profile's text asks set to apply: each setting, then the mode,
// then the device, each where the profile has it. False, with why, for a
// text that is no profile this setupctl reads: another format, a higher
// version, a field it does not know or of the wrong type, invalid JSON.
// A UTF-8 byte-order mark, as Windows tools write one, is passed over;
// UTF-16 is refused as such.
bool ReadProfile(std::string_view text, std::vector<Pair>& pairs, std::string& why);
