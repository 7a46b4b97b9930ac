#include "platform/win32/win32_platform.h"

#include "platform/win32/text_conversion.h"
#include "platform/win32/unique_handle.h"

namespace dialvane::win32 {
namespace {

Dpi systemDpi() {
    const window_dc screen(nullptr);
    const int x = ::GetDeviceCaps(screen.get(), LOGPIXELSX);
    const int y = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
    return Dpi{x > 0 ? x : 96, y > 0 ? y : 96};
}

// Windows 10 (1607) and later know each window's monitor; older systems have one DPI.
Win32Platform::DpiSource monitorDpi(Dpi system) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    const auto dpiForWindow = user32 == nullptr
                                  ? nullptr
                                  : reinterpret_cast<DpiForWindow>(reinterpret_cast<void (*)()>(
                                        ::GetProcAddress(user32, "GetDpiForWindow")));
    return [dpiForWindow, system](HWND window) {
        const UINT dpi = dpiForWindow != nullptr ? dpiForWindow(window) : 0;
        return dpi > 0 ? Dpi{static_cast<int>(dpi), static_cast<int>(dpi)} : system;
    };
}

std::string localeText(LCTYPE item, const char* fallback) {
    wchar_t buffer[16]{};
    if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, buffer, 16) <= 1) {
        return fallback;
    }
    return narrow(buffer);
}

NumberFormat usersNumberFormat() {
    return NumberFormat{localeText(LOCALE_SDECIMAL, "."), localeText(LOCALE_STHOUSAND, ",")};
}

}  // namespace

HWND windowOf(WindowHandle handle) {
    // Window handles are sign-extended 32-bit values.
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(handle));
}

WindowHandle handleOf(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<INT_PTR>(window));
}

Win32Platform::Win32Platform(const PictureLibrary& pictures)
    : pictures_(pictures),
      scales_(systemDpi()),
      dpiSource_(monitorDpi(scales_.system())),
      numberFormat_(usersNumberFormat()) {}

float Win32Platform::twipsPerPixelX() const {
    return scales_.sizes().twipsPerPixelX();
}
float Win32Platform::twipsPerPixelY() const {
    return scales_.sizes().twipsPerPixelY();
}

float Win32Platform::screenWidth() const {
    return scales_.positions().twipsX(::GetSystemMetrics(SM_CXSCREEN));
}

float Win32Platform::screenHeight() const {
    return scales_.positions().twipsY(::GetSystemMetrics(SM_CYSCREEN));
}

PixelSize Win32Platform::pictureSize(PictureId picture) const {
    return pictures_.size(picture);
}

NumberFormat Win32Platform::numberFormat() const {
    return numberFormat_;
}

void Win32Platform::refreshNumberFormat() {
    numberFormat_ = usersNumberFormat();
}

void Win32Platform::setWindowRoundRegion(WindowHandle window, std::int32_t width,
                                         std::int32_t height, std::int32_t corner) {
    unique_region region(::CreateRoundRectRgn(0, 0, width, height, scales_.scaledX(corner),
                                              scales_.scaledY(corner)));
    // Without a region the window would lose its outline altogether; keep the old one.
    if (region && ::SetWindowRgn(windowOf(window), region.get(), TRUE) != 0) {
        region.release();  // the system owns it now
    }
}

void Win32Platform::SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x,
                                 std::int32_t y, std::int32_t cx, std::int32_t cy,
                                 std::uint32_t flags) {
    ::SetWindowPos(windowOf(window), windowOf(insertAfter), x, y, cx, cy, flags);
}

}  // namespace dialvane::win32
