#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "settings/SettingNames.h"

// The values a text gives the tool's keys on lines of exactly the form the
// tool writes: OptionInfoList["KEY"] = N or CmdOnOffList["/key"] = N, each
// ended by CR LF or LF, with one of the table's own keys in its own case
// and N a decimal 32-bit integer with an optional minus sign. What a saved
// file that Lua cannot run still tells.
struct SettingLineValue {
    bool found = false;
    int32_t value = 0;  // where a key has several lines, the last one's
};

// By key index, kFirstOptionKey .. kLastCmdOnOffKey.
using SettingLineValues = std::array<SettingLineValue, kLastCmdOnOffKey + 1>;

SettingLineValues ReadSettingLineValues(std::string_view text);
