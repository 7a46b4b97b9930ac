#pragma once

#include <windows.h>

#include "framework/pointer_router.h"
#include "platform/win32/window_scales.h"

namespace dialvane::win32 {

// WM_CONTEXTMENU asked for with Shift+F10 or the menu key, not with the mouse.
inline bool menuFromKeyboard(LPARAM lParam) {
    return static_cast<DWORD>(lParam) == 0xFFFFFFFF;
}

// The pointer of one window surface: its mouse messages go to a router in twips, and the
// pointer stays captured from a press to its release. Pictures are hit at the window's sizes;
// the form's own events, which drag the window, measure as the desktop's positions do.
class PointerInput {
public:
    PointerInput(Form& form, const Frame* panel, const WindowScales& scales)
        : router_(form, panel, [&scales](Point surface) { return scales.toPositions(surface); }),
          scales_(scales) {}

    // True when the message was the pointer's (or its capture's) and has been handled.
    bool route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Shift+F10 or the menu key: a right press and release at that point.
    void contextMenuKey(HWND window, Point at);
    // The picture under a point of the window's client area, if it takes input.
    const Image* imageAt(POINT client) const;

private:
    void followCapture(HWND window) const;

    PointerRouter router_;
    const WindowScales& scales_;
};

}  // namespace dialvane::win32
