// Another program in front of the gauge: a full-screen one, as a game or a film is, or an
// ordinary captioned window.
//   covering_window full|WIDTHxHEIGHT [CLASS]
// It takes the foreground and stays until closed (WM_CLOSE). Given the class of a window to
// watch, it prints how Win32 sees that window: hidden, or still shown and whether first in the
// Z order, while this one is in front; after this one has gone, when it was shown again,
// whether topmost and first, and its rectangle.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// Dispatches messages until done() says so; the milliseconds that took, or -1 past the limit.
template <typename Done>
long pumpUntil(Done done, DWORD limit) {
    const DWORD start = ::GetTickCount();
    for (MSG message; !done(); ::Sleep(5)) {
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&message);
        }
        if (::GetTickCount() - start > limit) {
            return -1;
        }
    }
    return static_cast<long>(::GetTickCount() - start);
}

HWND firstShown() {
    HWND first = nullptr;
    ::EnumWindows(
        [](HWND window, LPARAM found) -> BOOL {
            *reinterpret_cast<HWND*>(found) = window;
            return !::IsWindowVisible(window);
        },
        reinterpret_cast<LPARAM>(&first));
    return first;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const bool full = argc > 1 && std::wcscmp(argv[1], L"full") == 0;
    int width = ::GetSystemMetrics(SM_CXSCREEN);
    int height = ::GetSystemMetrics(SM_CYSCREEN);
    if (argc < 2 || (!full && std::swscanf(argv[1], L"%dx%d", &width, &height) != 2)) {
        return 2;
    }
    const HWND watched = argc > 2 ? ::FindWindowW(argv[2], nullptr) : nullptr;
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    WNDCLASSW type{};
    type.lpfnWndProc = procedure;
    type.hInstance = ::GetModuleHandleW(nullptr);
    type.hbrBackground = ::CreateSolidBrush(RGB(40, 60, 120));
    type.lpszClassName = L"CoveringWindow";
    ::RegisterClassW(&type);
    const HWND cover = ::CreateWindowExW(
        0, type.lpszClassName, L"Covering window", full ? WS_POPUP : WS_OVERLAPPEDWINDOW,
        full ? 0 : 40, full ? 0 : 40, width, height, nullptr, nullptr, type.hInstance, nullptr);
    // Shown, it is active and in front at once.
    const DWORD inFront = ::GetTickCount();
    ::ShowWindow(cover, SW_SHOW);
    ::SetForegroundWindow(cover);
    if (pumpUntil([&] { return ::GetForegroundWindow() == cover; }, 5000) < 0) {
        std::puts("never in front");
        return 1;
    }
    if (watched != nullptr) {
        const bool hidden = pumpUntil([&] { return !::IsWindowVisible(watched); }, 1000) >= 0;
        hidden ? std::printf("hidden after %lu ms\n", ::GetTickCount() - inFront)
               : std::printf("still shown, %s\n", firstShown() == watched ? "first" : "not first");
    }
    pumpUntil([&] { return !::IsWindow(cover); }, INFINITE);
    if (watched != nullptr) {
        const long back = pumpUntil([&] { return ::IsWindowVisible(watched) != FALSE; }, 2000);
        RECT rect{};
        ::GetWindowRect(watched, &rect);
        const bool topmost = (::GetWindowLongW(watched, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        std::printf("shown after %ld ms, %s, %s, at %ld,%ld %ldx%ld\n", back,
                    topmost ? "topmost" : "not topmost",
                    firstShown() == watched ? "first" : "not first", rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top);
    }
    return 0;
}
