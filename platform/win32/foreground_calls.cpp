#include <windows.h>
#include <shellapi.h>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_platform.h"

namespace dialvane::win32 {
namespace {

ScreenRect screenRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

using NotificationQuery = decltype(&::SHQueryUserNotificationState);

// shell32 and all it brings cost memory for the rest of the run: only once it is asked for.
NotificationQuery notificationQuery() {
    static const NotificationQuery query = [] {
        HMODULE shell32 = ::LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return shell32 == nullptr
                   ? nullptr
                   : reinterpret_cast<NotificationQuery>(reinterpret_cast<void (*)()>(
                         ::GetProcAddress(shell32, "SHQueryUserNotificationState")));
    }();
    return query;
}

}  // namespace

WindowHandle Win32Platform::GetForegroundWindow() {
    return handleOf(::GetForegroundWindow());
}

WindowHandle Win32Platform::GetShellWindow() {
    return handleOf(::GetShellWindow());
}

WindowHandle Win32Platform::GetDesktopWindow() {
    return handleOf(::GetDesktopWindow());
}

std::string Win32Platform::className(WindowHandle window) {
    wchar_t name[64]{};
    ::GetClassNameW(windowOf(window), name, 64);
    return narrow(name);
}

std::uint32_t Win32Platform::GetWindowThreadProcessId(WindowHandle window) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(windowOf(window), &process);
    return process;
}

std::uint32_t Win32Platform::GetCurrentProcessId() {
    return ::GetCurrentProcessId();
}

std::optional<ScreenRect> Win32Platform::clientRectOnScreen(WindowHandle window) {
    RECT client{};
    if (!::GetClientRect(windowOf(window), &client)) {
        return std::nullopt;
    }
    // Two points as a rectangle, so a mirrored window keeps left left of right.
    ::MapWindowPoints(windowOf(window), nullptr, reinterpret_cast<POINT*>(&client), 2);
    return screenRect(client);
}

ScreenRect Win32Platform::monitorRect(WindowHandle window) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoW(::MonitorFromWindow(windowOf(window), MONITOR_DEFAULTTONEAREST),
                           &info)) {
        return {};
    }
    return screenRect(info.rcMonitor);
}

std::int32_t Win32Platform::SHQueryUserNotificationState() {
    QUERY_USER_NOTIFICATION_STATE state{};
    const NotificationQuery query = notificationQuery();
    if (query == nullptr || FAILED(query(&state))) {
        return 0;
    }
    return static_cast<std::int32_t>(state);
}

}  // namespace dialvane::win32
