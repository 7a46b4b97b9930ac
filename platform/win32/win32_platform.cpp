#include "platform/win32/win32_platform.h"

#include "platform/win32/text_conversion.h"
#include "platform/win32/unique_handle.h"

namespace dialvane::win32 {
namespace {

int screenDpi(int axis) {
    const window_dc screen(nullptr);
    const int dpi = ::GetDeviceCaps(screen.get(), axis);
    return dpi > 0 ? dpi : 96;
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
      dpiX_(screenDpi(LOGPIXELSX)),
      dpiY_(screenDpi(LOGPIXELSY)),
      numberFormat_(usersNumberFormat()) {}

float Win32Platform::twipsPerPixelX() const {
    return 1440.0F / static_cast<float>(dpiX_);
}
float Win32Platform::twipsPerPixelY() const {
    return 1440.0F / static_cast<float>(dpiY_);
}

float Win32Platform::screenWidth() const {
    return static_cast<float>(::GetSystemMetrics(SM_CXSCREEN)) * twipsPerPixelX();
}

float Win32Platform::screenHeight() const {
    return static_cast<float>(::GetSystemMetrics(SM_CYSCREEN)) * twipsPerPixelY();
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
    unique_region region(::CreateRoundRectRgn(0, 0, width, height, corner, corner));
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
