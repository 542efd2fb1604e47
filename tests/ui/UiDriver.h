#pragma once

#include <windows.h>

#include <string>

// Drives real windows of this thread the way a player would, one message at
// a time.
namespace ui_driver {

// Dispatches whatever is queued for this thread.
inline void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

inline void Click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

inline std::string WindowText(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Answers the next message boxes with the given caption that this thread
// shows, with button (IDOK, IDCANCEL), and remembers what they asked.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer(const char* caption, int button)
        : caption_(caption), button_(button)
    {
        active_ = this;
        hook_ = SetWindowsHookExA(WH_CBT, &MessageBoxAnswerer::Hook, nullptr, GetCurrentThreadId());
    }
    ~MessageBoxAnswerer()
    {
        UnhookWindowsHookEx(hook_);
        active_ = nullptr;
    }
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    int answered() const { return answered_; }
    const std::string& question() const { return question_; }
    HWND owner() const { return owner_; }

private:
    // Windows names the text control 0xFFFF, Wine 100.
    static std::string QuestionOf(HWND box)
    {
        HWND text = GetDlgItem(box, 0xFFFF);
        return WindowText(text != nullptr ? text : GetDlgItem(box, 100));
    }

    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        MessageBoxAnswerer* self = active_;
        if (code == HCBT_ACTIVATE && self != nullptr) {
            HWND box = reinterpret_cast<HWND>(wParam);
            char className[32] = {};
            GetClassNameA(box, className, sizeof className);
            if (std::string(className) == "#32770" && WindowText(box) == self->caption_) {
                ++self->answered_;
                self->question_ = QuestionOf(box);
                self->owner_ = GetWindow(box, GW_OWNER);
                PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(self->button_), 0);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline MessageBoxAnswerer* active_ = nullptr;
    std::string caption_;
    int button_;
    HHOOK hook_ = nullptr;
    int answered_ = 0;
    std::string question_;
    HWND owner_ = nullptr;
};

}  // namespace ui_driver
