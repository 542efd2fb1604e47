// Every label and check-box caption of both pages fits its control in the
// font the control is drawn with: a label too narrow wraps its second word
// out of sight, a caption too narrow is cut.
#include <string>

#include "SheetFixture.h"

namespace {

struct Caption {
    std::string text;
    int needed;     // pixels the text takes, with a check box's box and gap
    int available;  // pixels of the control's client area
};

std::string ClassOf(HWND window)
{
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool IsCheckBox(HWND window)
{
    return ClassOf(window) == "Button" &&
           (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX;
}

// The width the text takes in the control's own font; a check box draws its
// box (12 pixels at 96 dpi, plus one) and half a digit's width before it.
int NeededWidth(HWND control, const std::string& text)
{
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    int needed = size.cx;
    if (IsCheckBox(control)) {
        INT digit = 0;
        GetCharWidth32A(dc, '0', '0', &digit);
        needed += 12 * GetDeviceCaps(dc, LOGPIXELSX) / 96 + 1 + digit / 2;
    }
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return needed;
}

std::vector<Caption> CaptionsOf(HWND page)
{
    std::vector<Caption> captions;
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) != "Static" && !IsCheckBox(child))
            continue;
        std::string text = ui_driver::WindowText(child);
        RECT client = {};
        GetClientRect(child, &client);
        captions.push_back({text, NeededWidth(child, text), static_cast<int>(client.right)});
    }
    return captions;
}

TEST_F(SheetTest, EveryCaptionOfBothPagesFitsItsControl)
{
    OpenSheet();
    ShowOptionPage();
    for (HWND page : {systemPage_->GetSafeHwnd(), optionPage_->GetSafeHwnd()}) {
        std::vector<Caption> captions = CaptionsOf(page);
        EXPECT_EQ(captions.size(), page == systemPage_->GetSafeHwnd() ? 20u : 25u);
        for (const Caption& caption : captions)
            EXPECT_LE(caption.needed, caption.available) << "\"" << caption.text << "\"";
    }
}

}  // namespace
