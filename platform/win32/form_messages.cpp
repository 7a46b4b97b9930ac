#include "platform/win32/form_window.h"

namespace dialvane::win32 {
namespace {

// A change of the monitors comes as a burst (the display, the work area, again for the next
// monitor); the form hears of it this long after the last message. Timer ids of the form's own
// timers start at 1.
constexpr UINT_PTR monitorsTimer = 0x4D4F;
constexpr UINT monitorsSettle = 300;

}  // namespace

LRESULT FormWindow::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        window_ = window;
    }
    hoverTip_.onMessage(message, wParam, lParam);
    if (pointer_.route(window, message, wParam, lParam)) {
        return 0;
    }
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paintForm();
            return 0;
        case WM_TIMER:
            onTimer(wParam);
            return 0;
        case WM_COMMAND:
            controls_.command(wParam, lParam);
            return 0;
        case WM_SETTINGCHANGE:
            platform_.refreshNumberFormat();
            if (wParam == SPI_SETWORKAREA) {
                monitorsChanged();
            }
            break;
        case getDpiScaledSizeMessage:
            *reinterpret_cast<SIZE*>(lParam) = sizeAt(static_cast<int>(wParam));
            return TRUE;
        case WM_DPICHANGED:
            dpiChanged(Dpi{LOWORD(wParam), HIWORD(wParam)}, *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DISPLAYCHANGE:
            monitorsChanged();
            break;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMRESUMEAUTOMATIC) {
                monitorsChanged();
            }
            break;
        case WM_GETOBJECT:
            if (const LRESULT object = accessibility_.answerWindow(wParam, lParam)) {
                return object;
            }
            break;
        case WM_CONTEXTMENU:
            if (menuFromKeyboard(lParam)) {
                contextMenuKey();
                return 0;
            }
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                controls_.keepFocus();
            } else {
                controls_.restoreFocus();
            }
            return 0;
        case WM_CLOSE:
            close(false);
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam != 0) {
                close(true);
            }
            return 0;
        case WM_DESTROY:
            for (std::size_t id = 1; id <= timers_.size(); ++id) {
                ::KillTimer(window_, id);
            }
            ::KillTimer(window_, monitorsTimer);
            ::PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            window_ = nullptr;
            break;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT FormWindow::onPanelMessage(Panel& panel, HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) {
    if (panel.pointer.route(window, message, wParam, lParam)) {
        return 0;
    }
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paintPanel(panel);
            return 0;
        case WM_COMMAND:
            controls_.command(wParam, lParam);
            return 0;
        case WM_GETOBJECT:
            if (const LRESULT object =
                    accessibility_.answerPanel(window, *panel.frame, wParam, lParam)) {
                return object;
            }
            break;
        case pictureClickMessage:
            if (const Image* picture =
                    FormAccessibility::pictureToClick(window, *panel.frame, wParam)) {
                form_.raise(picture->onClick);
            }
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                POINT point{};
                ::GetCursorPos(&point);
                ::ScreenToClient(window, &point);
                const Image* image = panel.pointer.imageAt(point);
                ::SetCursor(pictures_.cursor(
                    image != nullptr ? image->pointer() : PointerId::Default, cursorSize()));
                return TRUE;
            }
            break;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void FormWindow::onTimer(WPARAM id) {
    if (id == monitorsTimer) {
        ::KillTimer(window_, monitorsTimer);
        form_.raise([this] { form_.Form_DisplayChanged(); });
        return;
    }
    if (id >= 1 && id <= timers_.size()) {
        const Timer& timer = *timers_[id - 1];
        if (timer.onTick) {
            form_.raise(timer.onTick);
        }
        hoverTip_.refresh();
    }
}

void FormWindow::monitorsChanged() {
    ::SetTimer(window_, monitorsTimer, monitorsSettle, nullptr);
}

// Shift+F10 or the menu key: a right press and release where the form points it.
void FormWindow::contextMenuKey() {
    pointer_.contextMenuKey(window_, form_.contextPoint());
}

}  // namespace dialvane::win32
