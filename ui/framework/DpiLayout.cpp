#include "ui/framework/DpiLayout.h"

#include "ui/framework/Dpi.h"

namespace {

// The window's rectangle in its parent's client area. A combo box is sized
// with its drop-down list, so its height is the list's bottom.
RECT PlacementOf(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    if (IsComboBox(window)) {
        RECT dropped = {};
        if (SendMessageA(window, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)) &&
            dropped.bottom > rect.bottom)
            rect.bottom = dropped.bottom;
    }
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

void CDpiLayout::Record(HWND root, UINT dpi)
{
    placements_.clear();
    fonts_.clear();
    dpi_ = dpi;
    EnumChildWindows(root, &CDpiLayout::RecordOne, reinterpret_cast<LPARAM>(this));
}

BOOL CALLBACK CDpiLayout::RecordOne(HWND window, LPARAM self)
{
    auto* layout = reinterpret_cast<CDpiLayout*>(self);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    const int closedHeight = IsComboBox(window) ? WindowHeight(window) : 0;
    layout->placements_.push_back({window, PlacementOf(window), font, closedHeight});
    return TRUE;
}

void CDpiLayout::Apply(UINT dpi)
{
    if (!IsRecorded() || dpi == 0)
        return;
    std::map<HFONT, CFont> fonts;
    for (const Placement& placement : placements_) {
        if (!IsWindow(placement.window))
            continue;
        if (placement.font != nullptr)
            SendMessageA(placement.window, WM_SETFONT,
                         reinterpret_cast<WPARAM>(FontAt(placement.font, dpi, fonts)), FALSE);
        RECT rect = RectAt(placement.rect, dpi);
        SetWindowPos(placement.window, nullptr, rect.left, rect.top, rect.right - rect.left,
                     rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
        if (placement.closedHeight > 0)
            SetClosedHeight(placement.window, MulDiv(placement.closedHeight, static_cast<int>(dpi),
                                                     static_cast<int>(dpi_)));
    }
    // Every window has its new font: the copies made before are unused now.
    fonts_.swap(fonts);
}

// Heights scale towards zero, so that no text outgrows its control, which
// scales exactly.
HFONT CDpiLayout::FontAt(HFONT font, UINT dpi, std::map<HFONT, CFont>& fonts) const
{
    if (dpi == dpi_)
        return font;
    auto made = fonts.find(font);
    if (made != fonts.end())
        return made->second;
    LOGFONTA description = {};
    if (GetObjectA(font, sizeof description, &description) == 0)
        return font;
    description.lfHeight = static_cast<LONG>(description.lfHeight * static_cast<LONG>(dpi) / static_cast<LONG>(dpi_));
    description.lfWidth = static_cast<LONG>(description.lfWidth * static_cast<LONG>(dpi) / static_cast<LONG>(dpi_));
    CFont& copy = fonts[font];
    return copy.CreateFontIndirect(description) ? copy.GetSafeHandle() : font;
}

RECT CDpiLayout::RectAt(const RECT& rect, UINT dpi) const
{
    const int to = static_cast<int>(dpi);
    const int from = static_cast<int>(dpi_);
    return {MulDiv(rect.left, to, from), MulDiv(rect.top, to, from), MulDiv(rect.right, to, from),
            MulDiv(rect.bottom, to, from)};
}
