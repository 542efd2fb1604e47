#include "settings/SettingRanges.h"

#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"

const SettingRange kVolumeRange = {0, 127, "the volume slider"};
const SettingRange kDetailRange = {0, 2, "the detail slider"};
const SettingRange kSwitchRange = {0, 1, "a switch"};

const char* EditedSetting::Name() const
{
    return key == kSoundModeKey ? "SOUNDMODE" : SettingName(key);
}

int32_t& EditedSetting::Field(CRegistry& s) const
{
    return key == kSoundModeKey ? s.SOUNDMODE : s.Setting(key);
}

int32_t EditedSetting::Value(const CRegistry& s) const
{
    return key == kSoundModeKey ? s.SOUNDMODE : s.Setting(key);
}

std::vector<EditedSetting> EditedSettings()
{
    std::vector<EditedSetting> edited = {
        {kBgm_Volume, &kVolumeRange},       {kEffect_Volume, &kVolumeRange},
        {kSPRITEMODE, &kDetailRange},       {kTEXTUREMODE, &kDetailRange},
        {kISFULLSCREENMODE, &kSwitchRange}, {kMouseExclusive, &kSwitchRange},
        {kSoundModeKey, &kSwitchRange},
    };
    for (int key = kFirstCmdOnOffKey; key <= kLastCmdOnOffKey; ++key)
        edited.push_back({key, &kSwitchRange});
    return edited;
}

bool FindEditedSetting(const std::string& name, EditedSetting& found)
{
    for (const EditedSetting& edited : EditedSettings()) {
        if (name == edited.Name()) {
            found = edited;
            return true;
        }
    }
    return false;
}
