#pragma once

#include <windows.h>

#include "framework/platform.h"
#include "platform/win32/picture_library.h"

namespace dialvane::win32 {

HWND windowOf(WindowHandle handle);
WindowHandle handleOf(HWND window);

// The real services, from kernel32, user32, gdi32 and the registry.
class Win32Platform : public Platform {
public:
    explicit Win32Platform(const PictureLibrary& pictures);

    int dpiX() const { return dpiX_; }

    float twipsPerPixelX() const override;
    float twipsPerPixelY() const override;
    float screenWidth() const override;
    float screenHeight() const override;
    PixelSize pictureSize(PictureId picture) const override;
    NumberFormat numberFormat() const override;

    void GlobalMemoryStatus(MEMORYSTATUS& status) override;
    void ChDrive(std::string_view drive) override;
    bool GetDiskFreeSpaceA(std::int32_t& sectorsPerCluster, std::int32_t& bytesPerSector,
                           std::int32_t& freeClusters, std::int32_t& totalClusters) override;
    std::int16_t GetAsyncKeyState(std::int32_t virtualKey) override;

    void setWindowRoundRegion(WindowHandle window, std::int32_t width, std::int32_t height,
                              std::int32_t corner) override;
    void SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x, std::int32_t y,
                      std::int32_t cx, std::int32_t cy, std::uint32_t flags) override;

    bool clearClipboard(WindowHandle owner) override;

    std::string GetSetting(std::string_view application, std::string_view section,
                           std::string_view key, std::string_view fallback) override;
    void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view value) override;

private:
    const PictureLibrary& pictures_;
    int dpiX_;
    int dpiY_;
};

}  // namespace dialvane::win32
