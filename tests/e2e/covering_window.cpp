// Another program in front of the gauge for a second: a full-screen one, as a game is, or an
// ordinary captioned window.   covering_window full|WIDTHxHEIGHT CLASS
// It prints how Win32 sees the window of that class: hidden, or still shown and whether first
// in the Z order, while this one is in front; and once this one has gone, when it was shown
// again, whether topmost and first, and its place.
#include <windows.h>

#include <cstdio>
#include <cwchar>

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

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int width = ::GetSystemMetrics(SM_CXSCREEN);
    int height = ::GetSystemMetrics(SM_CYSCREEN);
    const bool full = argc == 3 && std::wcscmp(argv[1], L"full") == 0;
    const HWND watched = argc == 3 ? ::FindWindowW(argv[2], nullptr) : nullptr;
    if (watched == nullptr || (!full && std::swscanf(argv[1], L"%dx%d", &width, &height) != 2)) {
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    WNDCLASSW type{};
    type.lpfnWndProc = ::DefWindowProcW;
    type.hbrBackground = ::CreateSolidBrush(RGB(40, 60, 120));
    type.lpszClassName = L"CoveringWindow";
    ::RegisterClassW(&type);
    const HWND cover = ::CreateWindowExW(
        0, type.lpszClassName, L"Covering window", full ? WS_POPUP : WS_OVERLAPPEDWINDOW,
        full ? 0 : 40, full ? 0 : 40, width, height, nullptr, nullptr, nullptr, nullptr);
    const DWORD shown = ::GetTickCount();  // shown, it is in front at once
    ::ShowWindow(cover, SW_SHOW);
    ::SetForegroundWindow(cover);
    if (!pumpUntil([&] { return ::GetForegroundWindow() == cover; }, 5000)) {
        std::puts("never in front");
        return 1;
    }
    if (pumpUntil([&] { return !::IsWindowVisible(watched); }, 1000)) {
        std::printf("hidden after %lu ms\n", ::GetTickCount() - shown);
    } else {
        std::printf("still shown, %s\n", first(watched));
    }
    pumpUntil([] { return false; }, 1000);
    ::DestroyWindow(cover);
    const DWORD gone = ::GetTickCount();
    pumpUntil([&] { return ::IsWindowVisible(watched) != FALSE; }, 2000);
    RECT rect{};
    ::GetWindowRect(watched, &rect);
    const bool topmost = (::GetWindowLongW(watched, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    std::printf("shown after %lu ms, %s, %s, at %ld,%ld %ldx%ld\n", ::GetTickCount() - gone,
                topmost ? "topmost" : "not topmost", first(watched), rect.left, rect.top,
                rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}
