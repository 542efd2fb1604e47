#include "settings/ScreenModeTable.h"

ScreenModeList ScreenModeTable;

ScreenModeList::ScreenModeList()
{
    for (ScreenMode& mode : entries_)
        mode = kDefaultScreenMode;
}

bool ScreenModeList::Store(int position, int32_t width, int32_t height, int32_t bitsPerPixel)
{
    if (position < 0 || position >= kSize)
        return false;
    entries_[position] = ScreenMode{width, height, bitsPerPixel};
    return true;
}

const ScreenMode* ScreenModeList::At(int position) const
{
    if (position < 0 || position >= kSize)
        return nullptr;
    return &entries_[position];
}
