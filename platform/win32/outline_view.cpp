#include "platform/win32/outline_view.h"

#include "platform/win32/unique_handle.h"

namespace dialvane::win32 {

// The middle decides: at the largest size the round gauge's edge just touches the panel.
bool seenInOutline(HWND window, HWND child) {
    RECT shown{};
    RECT placed{};
    ::GetWindowRect(window, &shown);
    ::GetWindowRect(child, &placed);
    const POINT middle{placed.left + (placed.right - placed.left) / 2,
                       placed.top + (placed.bottom - placed.top) / 2};
    if (!::IsWindowVisible(child) || !::PtInRect(&shown, middle)) {
        return false;
    }
    const unique_region outline(::CreateRectRgn(0, 0, 0, 0));
    if (!outline || ::GetWindowRgn(window, outline.get()) == ERROR) {
        return true;  // no outline but the window's rectangle
    }
    return ::PtInRegion(outline.get(), middle.x - shown.left, middle.y - shown.top) != FALSE;
}

}  // namespace dialvane::win32
