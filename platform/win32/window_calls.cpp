#include <windows.h>
#include <dwmapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <vector>

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

using CloakQuery = decltype(&::DwmGetWindowAttribute);

// dwmapi likewise: only once a window's cloaking decides something.
CloakQuery cloakQuery() {
    static const CloakQuery query = [] {
        HMODULE dwmapi = ::LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return dwmapi == nullptr ? nullptr
                                 : reinterpret_cast<CloakQuery>(reinterpret_cast<void (*)()>(
                                       ::GetProcAddress(dwmapi, "DwmGetWindowAttribute")));
    }();
    return query;
}

// A top-level window's style says whether it shows and whether it is minimised: one question
// where IsWindowVisible and IsIconic ask one each, and each is a trip to Wine's server.
DWORD styleOf(HWND window) {
    return static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE));
}

std::optional<WindowPlace> placeOf(HWND window) {
    RECT rect{};
    if (!::GetWindowRect(window, &rect)) {
        return std::nullopt;
    }
    const DWORD style = styleOf(window);
    return WindowPlace{screenRect(rect), (style & WS_VISIBLE) != 0, (style & WS_MINIMIZE) != 0};
}

ScreenRect monitorOf(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) {
        return {};
    }
    return screenRect(info.rcMonitor);
}

// The monitors, whole, the primary first.
std::vector<RECT> monitorRects() {
    std::vector<RECT> found;
    ::EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, RECT*, LPARAM list) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof(info);
            if (::GetMonitorInfoW(monitor, &info)) {
                auto& all = *reinterpret_cast<std::vector<RECT>*>(list);
                const bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
                all.insert(primary ? all.begin() : all.end(), info.rcMonitor);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::int64_t squared(std::int64_t value) {
    return value * value;
}

// What MonitorFromWindow finds with MONITOR_DEFAULTTONEAREST: the monitor the window overlaps
// most, or the one nearest to it.
ScreenRect nearestMonitor(const std::vector<RECT>& monitors, const RECT& window) {
    const RECT* best = nullptr;
    std::int64_t bestOverlap = 0;
    std::int64_t bestDistance = 0;
    for (const RECT& monitor : monitors) {
        RECT overlap{};
        const std::int64_t area =
            ::IntersectRect(&overlap, &monitor, &window)
                ? std::int64_t{overlap.right - overlap.left} * (overlap.bottom - overlap.top)
                : 0;
        const std::int64_t dx =
            std::max<std::int64_t>({0, std::int64_t{monitor.left} - window.right,
                                    std::int64_t{window.left} - monitor.right});
        const std::int64_t dy =
            std::max<std::int64_t>({0, std::int64_t{monitor.top} - window.bottom,
                                    std::int64_t{window.top} - monitor.bottom});
        const std::int64_t distance = squared(dx) + squared(dy);
        if (best == nullptr || area > bestOverlap ||
            (area == 0 && bestOverlap == 0 && distance < bestDistance)) {
            best = &monitor;
            bestOverlap = area;
            bestDistance = distance;
        }
    }
    return best != nullptr ? screenRect(*best) : ScreenRect{};
}

}  // namespace

std::vector<TwipsRect> Win32Platform::monitorAreas() {
    const std::vector<RECT> found = monitorRects();
    // Positions convert as the screen's width does, at the primary monitor's scale.
    const PixelMapping& at = scales_.positions();
    std::vector<TwipsRect> areas;
    areas.reserve(found.size());
    for (const RECT& rect : found) {
        areas.push_back({at.twipsX(rect.left), at.twipsY(rect.top), at.twipsX(rect.right),
                         at.twipsY(rect.bottom)});
    }
    return areas;
}

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

std::optional<WindowPlace> Win32Platform::windowPlace(WindowHandle window) {
    return placeOf(windowOf(window));
}

// The handles first: windows that come and go during the walk cannot lead it astray. Each
// question to another program's window costs a trip to the window server under Wine, so a
// hidden window is asked nothing more, nor one of this program once its process is known, nor
// a minimised one; the monitors are asked once, not once a window.
void Win32Platform::windowsFromTop(const std::function<bool(const TopLevelWindow&)>& visit) {
    std::vector<HWND> all;
    ::EnumWindows(
        [](HWND window, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    std::vector<RECT> monitors;
    const DWORD ownProcess = ::GetCurrentProcessId();
    for (HWND window : all) {
        TopLevelWindow facts;
        facts.handle = handleOf(window);
        const DWORD style = styleOf(window);
        facts.place.visible = (style & WS_VISIBLE) != 0;
        if (facts.place.visible) {
            RECT rect{};
            if (!::GetWindowRect(window, &rect)) {
                continue;  // gone meanwhile
            }
            facts.place.rect = screenRect(rect);
            DWORD process = 0;
            ::GetWindowThreadProcessId(window, &process);
            facts.process = process;
            facts.place.minimised = process != ownProcess && (style & WS_MINIMIZE) != 0;
            if (process != ownProcess && !facts.place.minimised) {
                facts.className = className(facts.handle);
                facts.style = style;
                facts.topmost = (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
                if (monitors.empty()) {
                    monitors = monitorRects();
                }
                facts.monitor = nearestMonitor(monitors, rect);
            }
        }
        if (!visit(facts)) {
            return;
        }
    }
}

bool Win32Platform::isCloaked(WindowHandle window) {
    DWORD cloaked = 0;
    const CloakQuery query = cloakQuery();
    return query != nullptr &&
           SUCCEEDED(query(windowOf(window), DWMWA_CLOAKED, &cloaked, sizeof(cloaked))) &&
           cloaked != 0;
}

ScreenRect Win32Platform::monitorRect(WindowHandle window) {
    return monitorOf(windowOf(window));
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
