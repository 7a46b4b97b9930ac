#pragma once

#include <windows.h>

namespace dialvane::win32 {

inline constexpr wchar_t formWindowClass[] = L"DialvaneForm";
inline constexpr wchar_t panelWindowClass[] = L"DialvanePanel";

// Anything that owns a window of one of the program's classes. The one window procedure binds
// the object passed as CreateWindowExW's last argument to its window at WM_NCCREATE, so no
// later message meets a window without its object, and finds it again from GWLP_USERDATA.
class MessageTarget {
public:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    MessageTarget() = default;
    MessageTarget(const MessageTarget&) = delete;
    MessageTarget& operator=(const MessageTarget&) = delete;
    virtual ~MessageTarget() = default;

    // Messages it leaves alone go to DefWindowProcW with the window they came for.
    virtual LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// Registers both window classes the first time it is asked; false when Windows refused.
bool windowClassesRegistered(HINSTANCE instance);

}  // namespace dialvane::win32
