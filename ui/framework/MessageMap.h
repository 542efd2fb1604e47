#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>

// Static message maps: a class lists, once, which handler answers which
// control's notification, and which handles painting and the control-colour
// requests. A window procedure routes a message through the first entry
// that matches it.
template <class T>
struct MessageMap {
    enum class Kind { kCommand, kNotify, kNotifyFromAny, kPaint, kCtlColor };

    using CommandHandler = void (T::*)();
    using NotifyHandler = void (T::*)(NMHDR* header, LRESULT* result);
    using CtlColorHandler = HBRUSH (T::*)(HDC dc, HWND control, UINT message);

    struct Entry {
        Kind kind;
        UINT code;  // notification code of kCommand and kNotify
        int id;     // control id of kCommand and kNotify
        CommandHandler onCommand;
        NotifyHandler onNotify;
        CtlColorHandler onCtlColor;
    };

    // WM_COMMAND with this notification (BN_CLICKED, CBN_SELCHANGE) from id.
    static constexpr Entry Command(UINT code, int id, CommandHandler handler)
    {
        return {Kind::kCommand, code, id, handler, nullptr, nullptr};
    }
    static constexpr Entry Clicked(int id, CommandHandler handler)
    {
        return Command(BN_CLICKED, id, handler);
    }
    static constexpr Entry SelChange(int id, CommandHandler handler)
    {
        return Command(CBN_SELCHANGE, id, handler);
    }
    // WM_NOTIFY with this code (NM_RELEASEDCAPTURE, ...) from id.
    static constexpr Entry Notify(UINT code, int id, NotifyHandler handler)
    {
        return {Kind::kNotify, code, id, nullptr, handler, nullptr};
    }
    // WM_NOTIFY with this code whatever sends it: a tooltip names its tool
    // by the tool's window (TTN_GETDISPINFOA), not by a control id.
    static constexpr Entry NotifyFromAny(UINT code, NotifyHandler handler)
    {
        return {Kind::kNotifyFromAny, code, 0, nullptr, handler, nullptr};
    }
    static constexpr Entry Paint(CommandHandler handler)
    {
        return {Kind::kPaint, 0, 0, handler, nullptr, nullptr};
    }
    // Every WM_CTLCOLOR* request: dialog, static, button, edit, list, scroll bar.
    static constexpr Entry CtlColor(CtlColorHandler handler)
    {
        return {Kind::kCtlColor, 0, 0, nullptr, nullptr, handler};
    }
};

inline bool IsCtlColorMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// Runs the handler of the first entry of map that matches the message and
// gives its answer in result; false when no entry matches.
template <class T, std::size_t N>
bool RouteMessage(T& target, const typename MessageMap<T>::Entry (&map)[N], UINT message,
                  WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    using Kind = typename MessageMap<T>::Kind;
    for (const auto& entry : map) {
        switch (entry.kind) {
        case Kind::kCommand:
            if (message == WM_COMMAND && HIWORD(wParam) == entry.code &&
                LOWORD(wParam) == static_cast<WORD>(entry.id)) {
                (target.*entry.onCommand)();
                result = 0;
                return true;
            }
            break;
        case Kind::kNotify:
            if (message == WM_NOTIFY) {
                auto* header = reinterpret_cast<NMHDR*>(lParam);
                if (header->code == entry.code && header->idFrom == static_cast<UINT_PTR>(entry.id)) {
                    result = 0;
                    (target.*entry.onNotify)(header, &result);
                    return true;
                }
            }
            break;
        case Kind::kNotifyFromAny:
            if (message == WM_NOTIFY) {
                auto* header = reinterpret_cast<NMHDR*>(lParam);
                if (header->code == entry.code) {
                    result = 0;
                    (target.*entry.onNotify)(header, &result);
                    return true;
                }
            }
            break;
        case Kind::kPaint:
            if (message == WM_PAINT) {
                (target.*entry.onCommand)();
                result = 0;
                return true;
            }
            break;
        case Kind::kCtlColor:
            if (IsCtlColorMessage(message)) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                HWND control = reinterpret_cast<HWND>(lParam);
                result = reinterpret_cast<LRESULT>((target.*entry.onCtlColor)(dc, control, message));
                return true;
            }
            break;
        }
    }
    return false;
}
