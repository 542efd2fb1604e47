#pragma once

#include <cstdio>
#include <string>

#include "settings/ScreenModeTable.h"

// A listed mode as the Mode list shows it: "800 x 600 x 16".
inline std::string ModeLineText(const ScreenMode& mode)
{
    char line[48];
    std::snprintf(line, sizeof line, "%d x %d x %d", static_cast<int>(mode.width),
                  static_cast<int>(mode.height), static_cast<int>(mode.bitsPerPixel));
    return line;
}

// A mode as setupctl takes and gives it: "800x600x16".
inline std::string CompactModeText(const ScreenMode& mode)
{
    return std::to_string(mode.width) + "x" + std::to_string(mode.height) + "x" +
           std::to_string(mode.bitsPerPixel);
}
