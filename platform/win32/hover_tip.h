#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

#include "framework/form.h"
#include "platform/win32/unique_handle.h"

namespace dialvane::win32 {

// The form's details in the system's tooltip while the pointer rests on its window: shown after
// the system's hover time, hidden when the pointer leaves or a button goes down, and after a
// press not shown again until the pointer has moved on and rests anew. The tooltip is made at
// the first hover, and the details are asked for only while it shows.
class HoverTip {
public:
    HoverTip(HINSTANCE instance, Form& form) : instance_(instance), form_(form) {}
    HoverTip(const HoverTip&) = delete;
    HoverTip& operator=(const HoverTip&) = delete;

    void attach(HWND window) { window_ = window; }
    // Every message of the window passes here before it is handled.
    void onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // At each tick: the figures again, or away when the form no longer shows them on hover.
    void refresh();
    // After a change of the form: away if it no longer shows them.
    void follow();

private:
    static void destroy(HWND window) {
        // The window that owns it takes it along when it goes.
        if (::IsWindow(window)) {
            ::DestroyWindow(window);
        }
    }
    using unique_window = unique_handle<HWND, destroy>;

    void pointerMoved(WPARAM keys, LPARAM at);
    void show();
    std::wstring details() const;
    void hide();
    bool create();
    TTTOOLINFOW tool() const;
    void setText(std::wstring text);
    void place() const;

    HINSTANCE instance_;
    Form& form_;
    HWND window_ = nullptr;
    unique_window tip_;
    std::wstring text_;
    POINT anchor_{};
    std::optional<LPARAM> pressedAt_;  // client point of the last press, until a move
    bool shown_ = false;
};

}  // namespace dialvane::win32
