#pragma once

#include "display/DisplayRecords.h"

// Screen modes ascend by width, then height, then bits per pixel, each
// compared as unsigned numbers.
inline bool ModeOrder(const DisplayMode& a, const DisplayMode& b)
{
    if (a.dwWidth != b.dwWidth)
        return a.dwWidth < b.dwWidth;
    if (a.dwHeight != b.dwHeight)
        return a.dwHeight < b.dwHeight;
    return a.ddpfPixelFormat.dwRGBBitCount < b.ddpfPixelFormat.dwRGBBitCount;
}
