#pragma once

#include <cstdint>

struct ScreenMode {
    int32_t width;
    int32_t height;
    int32_t bitsPerPixel;

    bool operator==(const ScreenMode& other) const
    {
        return width == other.width && height == other.height && bitsPerPixel == other.bitsPerPixel;
    }
    bool operator!=(const ScreenMode& other) const { return !(*this == other); }
};

// The screen modes behind the System page's Mode list; MODECNT indexes it.
// Every entry holds 640 x 480 x 16 from program start. Positions outside
// 0..39 are never written: Store refuses them.
class ScreenModeList {
public:
    static constexpr int kSize = 40;

    ScreenModeList();

    bool Store(int position, int32_t width, int32_t height, int32_t bitsPerPixel);
    // The entry at position, or null outside the table.
    const ScreenMode* At(int position) const;

private:
    ScreenMode entries_[kSize];
};

extern ScreenModeList ScreenModeTable;
