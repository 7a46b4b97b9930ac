#include "window/full_screen.h"

namespace dialvane {
namespace {

bool contains(const ScreenRect& outer, const ScreenRect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

// The desktop behind every window, and the shell's windows that draw it.
bool isDesktop(Platform& platform, WindowHandle window) {
    if (window == platform.GetShellWindow() || window == platform.GetDesktopWindow()) {
        return true;
    }
    const std::string name = platform.className(window);
    return name == "Progman" || name == "WorkerW";
}

bool windowsSaysFullScreen(std::int32_t state) {
    return state == qunsBusy || state == qunsRunningD3dFullScreen || state == qunsPresentationMode;
}

}  // namespace

// The client area, not the window rectangle, must fill the monitor: a maximised window's
// frame reaches past a monitor without a taskbar, yet its caption is still on the screen.
bool fullScreenInFront(Platform& platform, WindowHandle gauge) {
    const WindowHandle front = platform.GetForegroundWindow();
    if (front == 0 || platform.GetWindowThreadProcessId(front) == platform.GetCurrentProcessId() ||
        isDesktop(platform, front)) {
        return false;
    }
    const ScreenRect monitor = platform.monitorRect(gauge);
    const auto client = platform.clientRectOnScreen(front);
    if (!client || monitor.right <= monitor.left || monitor.bottom <= monitor.top) {
        return false;
    }
    if (contains(*client, monitor)) {
        return true;
    }
    // Windows' word covers the whole system, so it counts only for the gauge's own monitor.
    return platform.monitorRect(front) == monitor &&
           windowsSaysFullScreen(platform.SHQueryUserNotificationState());
}

}  // namespace dialvane
