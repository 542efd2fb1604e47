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

// The default mode: the client starts in it until the player picks
// another, and every entry of ScreenModeTable holds it from program start.
inline constexpr ScreenMode kDefaultScreenMode{640, 480, 16};

// The screen modes behind the System page's Mode list; MODECNT indexes it.
// Every entry holds kDefaultScreenMode from program start. Positions outside
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
