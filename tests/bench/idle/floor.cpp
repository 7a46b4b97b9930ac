// The least an always-on-top round gauge has to do while idle, to measure Dialvane against:
// an 80 px round topmost popup that every 100 ms polls F12, takes one reading and repaints
// only when the reading changed. idle_floor.exe [ram|hd]
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

constexpr int side = 80;
constexpr UINT_PTR tick = 1;
bool driveMode = false;
int shown = -1;  // the reading last painted, in tenths of a percent

// Memory load, or how full C: is: one system call either way.
int takeReading() {
    if (driveMode) {
        ULARGE_INTEGER available{};
        ULARGE_INTEGER total{};
        ULARGE_INTEGER free{};
        if (!::GetDiskFreeSpaceExA("C:\\", &available, &total, &free) || total.QuadPart == 0) {
            return 0;
        }
        return static_cast<int>((total.QuadPart - free.QuadPart) * 1000 / total.QuadPart);
    }
    ::MEMORYSTATUS status{};
    ::GlobalMemoryStatus(&status);
    return static_cast<int>(status.dwMemoryLoad) * 10;
}

void paint(HWND window) {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(window, &paint);
    RECT client{};
    ::GetClientRect(window, &client);
    ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
    const std::wstring text =
        std::to_wstring(shown / 10) + L'.' + std::to_wstring(shown % 10) + L" %";
    ::SetTextColor(dc, RGB(255, 128, 0));
    ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::EndPaint(window, &paint);
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER: {
            if (static_cast<USHORT>(::GetAsyncKeyState(VK_F12)) == 0x8001) {
                ::SetWindowPos(window, HWND_TOPMOST, ::GetSystemMetrics(SM_CXSCREEN) - side, 0, 0,
                               0, SWP_NOSIZE | SWP_NOACTIVATE);
            }
            const int now = takeReading();
            if (now != shown) {
                shown = now;
                ::InvalidateRect(window, nullptr, FALSE);
            }
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paint(window);
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
    driveMode = std::wcscmp(arguments, L"hd") == 0;
    WNDCLASSW description{};
    description.lpfnWndProc = procedure;
    description.hInstance = instance;
    description.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    description.lpszClassName = L"IdleFloor";
    ::RegisterClassW(&description);
    HWND window =
        ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"IdleFloor", L"IdleFloor", WS_POPUP,
                          66, 66, side, side, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    // The window owns the region from here on.
    ::SetWindowRgn(window, ::CreateEllipticRgn(0, 0, side + 1, side + 1), FALSE);
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    ::SetTimer(window, tick, 100, nullptr);
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
