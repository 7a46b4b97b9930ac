// Another program beside the gauge, as a person's desktop has them.
//
//   covering_window SHAPE CLASS [monitor=N] [hold=MS]
// shows a window for a while (hold, default 1000 ms): SHAPE full covers monitor N (0 the
// primary, 1 the other) as a game or a film does; maximised is a captioned, sizable window
// maximised there that draws its own title bar (its client area is the whole window, as in a
// browser); WIDTHxHEIGHT is an ordinary captioned window. It takes the foreground and prints
// how Win32 sees the window of class CLASS meanwhile (hidden, or still shown and whether first
// in the Z order; shown again while this one was there) and after this one has gone (shown
// again: when, whether topmost and first, and its place; or still hidden).
//
//   covering_window layout "L,T WxH; …"
// waits until Win32 sees these monitors, the primary first, then tells every top-level window
// what Windows tells it after a change of the monitors: WM_DISPLAYCHANGE, then
// WM_SETTINGCHANGE with SPI_SETWORKAREA.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// Dispatches messages until done() holds or the limit passes; whether it held.
template <typename Done>
bool pumpUntil(Done done, DWORD limit) {
    const DWORD start = ::GetTickCount();
    for (MSG message; !done(); ::Sleep(5)) {
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&message);
        }
        if (::GetTickCount() - start > limit) {
            return false;
        }
    }
    return true;
}

const char* first(HWND watched) {
    HWND found = nullptr;
    ::EnumWindows(
        [](HWND window, LPARAM first) -> BOOL {
            *reinterpret_cast<HWND*>(first) = window;
            return !::IsWindowVisible(window);
        },
        reinterpret_cast<LPARAM>(&found));
    return found == watched ? "first" : "not first";
}

// The monitors, the primary first.
std::vector<RECT> monitors() {
    std::vector<RECT> found;
    ::EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, RECT*, LPARAM list) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof(info);
            ::GetMonitorInfoW(monitor, &info);
            auto& all = *reinterpret_cast<std::vector<RECT>*>(list);
            all.insert((info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? all.begin() : all.end(),
                       info.rcMonitor);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// "L,T WxH; …", the primary first.
std::string layoutText() {
    std::string text;
    for (const RECT& rect : monitors()) {
        char one[64];
        std::snprintf(one, sizeof(one), "%s%ld,%ld %ldx%ld", text.empty() ? "" : "; ", rect.left,
                      rect.top, rect.right - rect.left, rect.bottom - rect.top);
        text += one;
    }
    return text;
}

int layout(const wchar_t* expected) {
    char wanted[256]{};
    std::snprintf(wanted, sizeof(wanted), "%ls", expected);
    if (!pumpUntil([&] { return layoutText() == wanted; }, 10000)) {
        std::printf("monitors %s, not %s\n", layoutText().c_str(), wanted);
        return 1;
    }
    const LPARAM size =
        MAKELPARAM(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(HWND_BROADCAST, WM_DISPLAYCHANGE, 32, size, SMTO_ABORTIFHUNG, 2000,
                          &answer);
    ::SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0, SMTO_ABORTIFHUNG,
                          2000, &answer);
    std::puts("told");
    return 0;
}

bool ownTitleBar = false;

LRESULT CALLBACK coverProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCALCSIZE && wParam != FALSE && ownTitleBar) {
        return 0;  // the client area is the whole window: the program draws its title bar
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc == 3 && std::wcscmp(argv[1], L"layout") == 0) {
        return layout(argv[2]);
    }
    const HWND watched = argc >= 3 ? ::FindWindowW(argv[2], nullptr) : nullptr;
    const bool full = argc >= 3 && std::wcscmp(argv[1], L"full") == 0;
    const bool maximised = argc >= 3 && std::wcscmp(argv[1], L"maximised") == 0;
    int width = 0;
    int height = 0;
    if (watched == nullptr ||
        (!full && !maximised && std::swscanf(argv[1], L"%dx%d", &width, &height) != 2)) {
        return 2;
    }
    std::size_t monitor = 0;
    DWORD hold = 1000;
    for (int i = 3; i < argc; ++i) {
        if (std::wcsncmp(argv[i], L"monitor=", 8) == 0) {
            monitor = std::wcstoul(argv[i] + 8, nullptr, 10);
        } else if (std::wcsncmp(argv[i], L"hold=", 5) == 0) {
            hold = std::wcstoul(argv[i] + 5, nullptr, 10);
        } else {
            return 2;
        }
    }
    const std::vector<RECT> all = monitors();
    if (monitor >= all.size()) {
        std::printf("no monitor %zu\n", monitor);
        return 2;
    }
    const RECT area = all[monitor];
    if (full) {
        width = area.right - area.left;
        height = area.bottom - area.top;
    } else if (maximised) {
        width = 600;
        height = 400;
        ownTitleBar = true;
    }
    WNDCLASSW type{};
    type.lpfnWndProc = coverProcedure;
    type.hbrBackground = ::CreateSolidBrush(RGB(40, 60, 120));
    type.lpszClassName = L"CoveringWindow";
    ::RegisterClassW(&type);
    const int inset = full ? 0 : 40;
    const HWND cover = ::CreateWindowExW(
        0, type.lpszClassName, L"Covering window", full ? WS_POPUP : WS_OVERLAPPEDWINDOW,
        area.left + inset, area.top + inset, width, height, nullptr, nullptr, nullptr, nullptr);
    const DWORD shown = ::GetTickCount();  // shown, it is in front at once
    ::ShowWindow(cover, maximised ? SW_SHOWMAXIMIZED : SW_SHOW);
    ::SetForegroundWindow(cover);
    if (!pumpUntil([&] { return ::GetForegroundWindow() == cover; }, 5000)) {
        std::puts("never in front");
        return 1;
    }
    const auto rest = [&] {
        const DWORD since = ::GetTickCount() - shown;
        return since < hold ? hold - since : 0;
    };
    if (pumpUntil([&] { return !::IsWindowVisible(watched); }, rest())) {
        std::printf("hidden after %lu ms\n", ::GetTickCount() - shown);
        if (pumpUntil([&] { return ::IsWindowVisible(watched) != FALSE; }, rest())) {
            std::printf("shown again after %lu ms in front\n", ::GetTickCount() - shown);
        }
    } else {
        std::printf("still shown, %s\n", first(watched));
    }
    ::DestroyWindow(cover);
    const DWORD gone = ::GetTickCount();
    if (!pumpUntil([&] { return ::IsWindowVisible(watched) != FALSE; }, 2000)) {
        std::puts("still hidden");
        return 0;
    }
    RECT rect{};
    ::GetWindowRect(watched, &rect);
    const bool topmost = (::GetWindowLongW(watched, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    std::printf("shown after %lu ms, %s, %s, at %ld,%ld %ldx%ld\n", ::GetTickCount() - gone,
                topmost ? "topmost" : "not topmost", first(watched), rect.left, rect.top,
                rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}
