// What the full-screen watch costs with the real calls: the look the gauge takes at every tick,
// and the walk of the windows it makes when the look saw a change, or once a second. Another
// process of this program holds the windows of a desktop, most of them hidden, as on Windows.
//   wine window_walk_benchmark.exe [hidden windows, default 300] [shown windows, default 12]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>

#include "platform/win32/picture_library.h"
#include "platform/win32/win32_platform.h"
#include "window/full_screen.h"

namespace {

constexpr wchar_t windowClass[] = L"WalkBenchmarkWindow";

// The other process: its windows until it is ended.
int holdWindows(int hidden, int shown) {
    WNDCLASSW type{};
    type.lpfnWndProc = ::DefWindowProcW;
    type.lpszClassName = windowClass;
    ::RegisterClassW(&type);
    for (int i = 0; i < hidden + shown; ++i) {
        const HWND window =
            ::CreateWindowExW(0, windowClass, L"", WS_OVERLAPPEDWINDOW, 20 + i % 400, 20 + i % 300,
                              300, 200, nullptr, nullptr, nullptr, nullptr);
        if (i >= hidden) {
            ::ShowWindow(window, SW_SHOWNOACTIVATE);
        }
    }
    std::puts("ready");
    for (MSG message; ::GetMessageW(&message, nullptr, 0, 0) > 0;) {
        ::DispatchMessageW(&message);
    }
    return 0;
}

template <typename Work>
double microsecondsEach(int rounds, Work work) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) {
        work();
    }
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    return spent.count() / rounds;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc == 4 && std::wcscmp(argv[1], L"hold") == 0) {
        return holdWindows(std::wcstol(argv[2], nullptr, 10), std::wcstol(argv[3], nullptr, 10));
    }
    const int hidden = argc > 1 ? std::wcstol(argv[1], nullptr, 10) : 300;
    const int shown = argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 12;

    std::wstring self(MAX_PATH, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
    std::wstring command =
        L"\"" + self + L"\" hold " + std::to_wstring(hidden) + L" " + std::to_wstring(shown);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION other{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &other)) {
        return 1;
    }
    // Ready once the last of its windows shows.
    for (int waited = 0; waited < 20000; waited += 50) {
        int seen = 0;
        for (HWND w = ::FindWindowExW(nullptr, nullptr, windowClass, nullptr); w != nullptr;
             w = ::FindWindowExW(nullptr, w, windowClass, nullptr)) {
            seen += ::IsWindowVisible(w) ? 1 : 0;
        }
        if (seen == shown) {
            break;
        }
        ::Sleep(50);
    }

    const HWND gauge = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP,
                                         900, 60, 80, 80, nullptr, nullptr, nullptr, nullptr);
    ::ShowWindow(gauge, SW_SHOWNOACTIVATE);
    dialvane::win32::PictureLibrary pictures(nullptr);
    dialvane::win32::Win32Platform platform(pictures);
    const dialvane::WindowHandle handle = dialvane::win32::handleOf(gauge);
    const dialvane::Bounds place{13500, 900, 1200, 1200};

    dialvane::FullScreenWatch watch;
    int walks = 0;
    const double look = microsecondsEach(2000, [&] {
        walks += watch.walkDue(platform, handle, place, 0) ? 1 : 0;  // never due after the first
    });
    int covered = 0;
    const double walk = microsecondsEach(
        200, [&] { covered += dialvane::fullScreenCover(platform, handle) != 0 ? 1 : 0; });
    // For scale: the one call a memory reading makes at every tick.
    const double reading = microsecondsEach(2000, [&] {
        dialvane::MEMORYSTATUS status{};
        platform.GlobalMemoryStatus(status);
    });
    std::printf("%d hidden and %d shown windows of another process\n", hidden, shown);
    std::printf("look: %.1f us\nwalk: %.1f us\nmemory reading: %.1f us\n", look, walk, reading);
    std::printf("(%d walks due in the looks, %d covers found)\n", walks, covered);

    ::TerminateProcess(other.hProcess, 0);
    ::CloseHandle(other.hThread);
    ::CloseHandle(other.hProcess);
    ::DestroyWindow(gauge);
    return 0;
}
