#include "ui/framework/Dpi.h"

#include "ui/framework/Gdi.h"

namespace {

// DDC_DISABLE_ALL of Windows 10's DIALOG_DPI_CHANGE_BEHAVIORS.
constexpr int kDialogDisableAll = 1;

template <class Function>
Function User32Function(const char* name)
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    FARPROC found = user32 != nullptr ? GetProcAddress(user32, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

UINT SystemDpi()
{
    CWindowDC screen(nullptr);
    int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

}  // namespace

int WindowHeight(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

bool IsComboBox(HWND window)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, "ComboBox") == 0;  // class names are told apart without case
}

UINT WindowDpi(HWND window)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    UINT dpi = getDpiForWindow != nullptr && window != nullptr ? getDpiForWindow(window) : 0;
    return dpi != 0 ? dpi : SystemDpi();
}

void KeepDpiChangesToOurselves(HWND dialog)
{
    using SetBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
    static const auto setBehavior = User32Function<SetBehaviorFn>("SetDialogDpiChangeBehavior");
    if (setBehavior != nullptr)
        setBehavior(dialog, kDialogDisableAll, kDialogDisableAll);
}

SIZE DialogBaseUnits(HFONT font)
{
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE units = {0, 0};
    CWindowDC screen(nullptr);
    if (screen == nullptr)
        return units;
    HGDIOBJ previous = SelectObject(screen, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics = {};
    SIZE extent = {};
    if (GetTextMetricsA(screen, &metrics) &&
        GetTextExtentPoint32A(screen, kAlphabet, sizeof kAlphabet - 1, &extent))
        units = {(extent.cx / 26 + 1) / 2, metrics.tmHeight};
    SelectObject(screen, previous);
    return units;
}

// Platforms count the field's borders differently (Wine answers two more
// than it was given): set it, then correct by what came out.
void SetClosedHeight(HWND comboBox, int height)
{
    auto field = static_cast<int>(SendMessageA(comboBox, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    for (int pass = 0; pass < 2 && field > 0; ++pass) {
        const int now = WindowHeight(comboBox);
        if (now == height)
            return;
        field += height - now;
        SendMessageA(comboBox, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}
