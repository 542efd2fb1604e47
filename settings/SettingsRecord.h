#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/SeenFile.h"
#include "settings/RawGuid.h"
#include "settings/TextLines.h"

// Where a setting's value came from, for a report of the settings. The
// per-user copies are those Windows keeps for a virtualized client, which
// it reads instead of the registry value or the saved file.
enum class SettingOrigin { kDefault, kOptionScript, kRegistry, kSavedFile, kPerUserRegistry, kPerUserFile };

// The one record of every setting the tool shows and saves. Created by
// CrateInstance, released by ReleaseInstance, reached through SetupSettings.
// CrateInstance fails only on a second creation or when memory runs out: a
// new record is always usable, so it carries no flag saying so.
class CRegistry {
public:
    static bool CrateInstance();
    static void ReleaseInstance();

    virtual ~CRegistry() = default;

    // The record's own part of the defaults step: the fixed values and the
    // first line of ScreenModeTable; forgets every noted origin. The option
    // script's values and the first usable device come on top of these
    // (ApplyDefaults, session/Defaults.h), since the record cannot read them.
    // Leaves preservedLines alone.
    void SetDefaults();

    // The int32 field stored under SettingName(keyIndex), keyIndex 0..33.
    // Any other index reaches a spare field that holds 0 on every call, so
    // that a wrong index changes no setting and reads as 0.
    int32_t& Setting(int keyIndex);
    int32_t Setting(int keyIndex) const { return const_cast<CRegistry*>(this)->Setting(keyIndex); }

    // Where the value stored under key came from; a fixed default unless
    // noted otherwise since the defaults were last applied.
    SettingOrigin OriginOf(const char* key) const;
    void NoteOrigin(const char* key, SettingOrigin origin);

    int32_t ISFULLSCREENMODE = 0;
    int32_t WIDTH = 0;
    int32_t HEIGHT = 0;
    int32_t BITPERPIXEL = 0;
    int32_t DEVICECNT = 0;  // position among the usable devices, not a count
    int32_t MODECNT = 0;    // position in ScreenModeTable, not a count
    int32_t SPRITEMODE = 0;
    int32_t TEXTUREMODE = 0;
    RawGuid GUIDDEVICE = {};
    RawGuid GUIDDRIVER = {};
    char DEVICENAME[40] = {};
    int32_t SOUNDMODE = 0;
    int32_t SPEAKERTYPE = 0;
    int32_t DIGITALRATETYPE = 0;
    int32_t DIGITALBITSTYPE = 0;
    const char* PROVIDERNAME = nullptr;
    int32_t Bgm_Volume = 0;
    int32_t Effect_Volume = 0;
    int32_t MouseExclusive = 0;
    // CmdOnOffList switches in name-table order: "/bgm", "/sound", then the
    // 21 client commands "/notrade" .. "/lightmap".
    int32_t CmdOnOff[23] = {};

    // Lines of the saved option file that belong to somebody else.
    TextLines preservedLines;
    // Why the saved option file, though there, could not be read at start-up;
    // empty when it was read or is missing. Its other lines are unknown then,
    // so a save must not replace it.
    std::string unreadSavedFile;
    // The saved option file as it was when its lines were read: a save
    // reads them again when another program may have changed it since.
    SeenFile savedFileSeen;
    // The host path of the saved file's per-user copy when the lines were
    // read from it, since the client reads it instead; "" when they were
    // read from the saved file itself.
    std::string savedFileReadFrom;

    // What NoteOrigin recorded, by stored key.
    std::map<std::string, SettingOrigin, std::less<>> origins;

private:
    CRegistry() = default;

    int32_t noSetting_ = 0;  // what Setting gives for an index outside 0..33
};

extern CRegistry* SetupSettings;

extern const char* const kNoProvider;  // "No Provider"
