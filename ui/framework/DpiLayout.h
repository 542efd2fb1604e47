#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "ui/framework/Gdi.h"

// Where every window inside a window stands, and in which font, at one
// scale; from it they are laid out again at any other, positions, sizes and
// fonts in proportion. Each new layout is taken from the recorded one, not
// from the last, so that every window is back exactly where it was when the
// recorded scale returns.
class CDpiLayout {
public:
    // Records every window inside root as it is now, at dpi.
    void Record(HWND root, UINT dpi);
    bool IsRecorded() const { return dpi_ != 0; }
    // Places and fonts every recorded window that still exists for dpi.
    void Apply(UINT dpi);

private:
    struct Placement {
        HWND window;
        RECT rect;  // in its parent's client area; a combo box's with its list
        HFONT font;
        int closedHeight;  // a combo box's without its list; 0 for others
    };

    static BOOL CALLBACK RecordOne(HWND window, LPARAM self);
    // The recorded font at dpi: itself at the recorded scale, else a copy of
    // it made once per Apply and kept in fonts.
    HFONT FontAt(HFONT font, UINT dpi, std::map<HFONT, CFont>& fonts) const;
    RECT RectAt(const RECT& rect, UINT dpi) const;

    std::vector<Placement> placements_;
    UINT dpi_ = 0;
    // The copies of the recorded fonts the windows use now.
    std::map<HFONT, CFont> fonts_;
};
