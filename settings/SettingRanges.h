#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CRegistry;

// The values a page's control can give a setting.
struct SettingRange {
    int32_t low;
    int32_t high;
    const char* control;  // as the player knows it: "the volume slider", "a switch"
};

extern const SettingRange kVolumeRange;  // the two volume sliders
extern const SettingRange kDetailRange;  // the sprite and texture detail sliders
extern const SettingRange kSwitchRange;  // every check box

// A setting the pages edit directly, one control each.
struct EditedSetting {
    int key;  // its name-table index; kSoundModeKey for SOUNDMODE
    const SettingRange* range;

    // The key it is stored under.
    const char* Name() const;
    int32_t& Field(CRegistry& s) const;
    int32_t Value(const CRegistry& s) const;
};

// SOUNDMODE is a registry value, not a key of the name table.
constexpr int kSoundModeKey = -1;

// Every setting the pages edit directly: the sliders, the switches of the
// System page, then "/bgm", "/sound" and the 21 commands. Names come from
// the name table, so InitSettingNames must have run.
std::vector<EditedSetting> EditedSettings();
// The edited setting stored under name; false when the pages do not edit
// one of that name directly.
bool FindEditedSetting(const std::string& name, EditedSetting& found);
