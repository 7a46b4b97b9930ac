#include "platform/win32/message_target.h"

namespace dialvane::win32 {
namespace {

bool registerClass(HINSTANCE instance, const wchar_t* name) {
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.style = CS_DBLCLKS;
    description.lpfnWndProc = MessageTarget::procedure;
    description.hInstance = instance;
    // Icons are set per window: they come from the program's pictures, which a class outlives.
    description.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    description.lpszClassName = name;
    return ::RegisterClassExW(&description) != 0;
}

}  // namespace

LRESULT CALLBACK MessageTarget::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* target = reinterpret_cast<MessageTarget*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        target = static_cast<MessageTarget*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(target));
    } else if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    if (target == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    // No exception may unwind through the system's frames: a message that fails is left to
    // the default handling, and the program goes on with the next one.
    try {
        return target->onMessage(window, message, wParam, lParam);
    } catch (...) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

bool windowClassesRegistered(HINSTANCE instance) {
    static const bool registered =
        registerClass(instance, formWindowClass) && registerClass(instance, panelWindowClass);
    return registered;
}

}  // namespace dialvane::win32
