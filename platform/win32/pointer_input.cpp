#include "platform/win32/pointer_input.h"

#include <windowsx.h>

namespace dialvane::win32 {
namespace {

std::int16_t shiftState(WPARAM keys) {
    std::int16_t shift = 0;
    if ((keys & MK_SHIFT) != 0) {
        shift |= 1;
    }
    if ((keys & MK_CONTROL) != 0) {
        shift |= 2;
    }
    if (::GetKeyState(VK_MENU) < 0) {
        shift |= 4;
    }
    return shift;
}

std::int16_t heldButtons(WPARAM keys) {
    std::int16_t held = 0;
    if ((keys & MK_LBUTTON) != 0) {
        held |= PointerRouter::leftButton;
    }
    if ((keys & MK_RBUTTON) != 0) {
        held |= PointerRouter::rightButton;
    }
    if ((keys & MK_MBUTTON) != 0) {
        held |= PointerRouter::middleButton;
    }
    return held;
}

}  // namespace

bool PointerInput::route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Another window took the pointer (or the system cancelled the press): the next press
    // starts afresh, and the window does not take the pointer back.
    if ((message == WM_CAPTURECHANGED && reinterpret_cast<HWND>(lParam) != window) ||
        message == WM_CANCELMODE) {
        router_.forgetPress();
        followCapture(window);
        return true;
    }
    if (message < WM_MOUSEFIRST || message > WM_MBUTTONDBLCLK) {
        return false;  // not a pointer message: no key state to ask for
    }
    const float x = scales_.sizes().twipsX(GET_X_LPARAM(lParam));
    const float y = scales_.sizes().twipsY(GET_Y_LPARAM(lParam));
    const std::int16_t shift = shiftState(wParam);
    switch (message) {
        case WM_LBUTTONDOWN:
            router_.press(PointerRouter::leftButton, shift, x, y);
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            router_.press(PointerRouter::rightButton, shift, x, y);
            break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            router_.press(PointerRouter::middleButton, shift, x, y);
            break;
        case WM_LBUTTONDBLCLK:
            router_.doubleClick(shift, x, y);
            break;
        case WM_MOUSEMOVE:
            router_.move(heldButtons(wParam), shift, x, y);
            break;
        case WM_LBUTTONUP:
            router_.release(PointerRouter::leftButton, shift, x, y);
            break;
        case WM_RBUTTONUP:
            router_.release(PointerRouter::rightButton, shift, x, y);
            break;
        case WM_MBUTTONUP:
            router_.release(PointerRouter::middleButton, shift, x, y);
            break;
        default:
            return false;
    }
    followCapture(window);
    return true;
}

void PointerInput::contextMenuKey(HWND window, Point at) {
    router_.contextMenuKey(at);
    followCapture(window);
}

const Image* PointerInput::imageAt(POINT client) const {
    return router_.imageAt(scales_.sizes().twipsX(client.x), scales_.sizes().twipsY(client.y));
}

// Capture from press to release, so a fast drag never loses its moves or the release.
void PointerInput::followCapture(HWND window) const {
    if (router_.capturing() && ::GetCapture() != window) {
        ::SetCapture(window);
    } else if (!router_.capturing() && ::GetCapture() == window) {
        ::ReleaseCapture();
    }
}

}  // namespace dialvane::win32
