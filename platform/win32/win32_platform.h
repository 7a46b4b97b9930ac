#pragma once

#include <windows.h>

#include <functional>
#include <utility>

#include "framework/platform.h"
#include "platform/win32/picture_library.h"
#include "platform/win32/window_scales.h"

namespace dialvane::win32 {

HWND windowOf(WindowHandle handle);
WindowHandle handleOf(HWND window);

// The real services, from kernel32, user32, gdi32 and the registry.
class Win32Platform : public Platform {
public:
    explicit Win32Platform(const PictureLibrary& pictures);

    // Twips per pixel answer for the window's monitor; the screen's size in twips, for the
    // primary monitor's DPI.
    const WindowScales& scales() const { return scales_; }
    // The window is now shown on a monitor of this DPI.
    void setWindowDpi(Dpi dpi) { scales_.setWindowDpi(dpi); }
    // The DPI of the monitor that shows a window: what user32's GetDpiForWindow says where it
    // has one, else the system's; or what the source given here says.
    using DpiSource = std::function<Dpi(HWND window)>;
    Dpi dpiOf(HWND window) const { return dpiSource_(window); }
    void setDpiSource(DpiSource source) { dpiSource_ = std::move(source); }

    float twipsPerPixelX() const override;
    float twipsPerPixelY() const override;
    float screenWidth() const override;
    float screenHeight() const override;
    PixelSize pictureSize(PictureId picture) const override;
    // The user's format as last read: at start, and again whenever the window hears that the
    // settings changed (refreshNumberFormat), so a tick does not ask the system every time.
    NumberFormat numberFormat() const override;
    void refreshNumberFormat();

    void GlobalMemoryStatus(MEMORYSTATUS& status) override;
    bool GlobalMemoryStatusEx(MEMORYSTATUSEX& status) override;
    void ChDrive(std::string_view drive) override;
    bool GetDiskFreeSpaceA(std::int32_t& sectorsPerCluster, std::int32_t& bytesPerSector,
                           std::int32_t& freeClusters, std::int32_t& totalClusters) override;
    std::int16_t GetAsyncKeyState(std::int32_t virtualKey) override;

    // The corner, in pixels of the primary monitor, grows and shrinks with the window's monitor.
    void setWindowRoundRegion(WindowHandle window, std::int32_t width, std::int32_t height,
                              std::int32_t corner) override;
    void SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x, std::int32_t y,
                      std::int32_t cx, std::int32_t cy, std::uint32_t flags) override;

    bool clearClipboard(WindowHandle owner) override;

    std::vector<TwipsRect> monitorAreas() override;

    WindowHandle GetForegroundWindow() override;
    WindowHandle GetShellWindow() override;
    WindowHandle GetDesktopWindow() override;
    std::string className(WindowHandle window) override;
    std::uint32_t GetWindowThreadProcessId(WindowHandle window) override;
    std::uint32_t GetCurrentProcessId() override;
    std::optional<WindowPlace> windowPlace(WindowHandle window) override;
    void windowsFromTop(const std::function<bool(const TopLevelWindow&)>& visit) override;
    // dwmapi is loaded at the first question, never at start.
    bool isCloaked(WindowHandle window) override;
    ScreenRect monitorRect(WindowHandle window) override;
    // shell32 is loaded at the first question, never at start.
    std::int32_t SHQueryUserNotificationState() override;

    std::int32_t RegOpenKeyExA(RegistryKey root, std::string_view subKey, std::uint32_t options,
                               std::uint32_t access, RegistryKey& opened) override;
    std::int32_t RegSetValueExA(RegistryKey key, std::string_view name, std::uint32_t reserved,
                                std::uint32_t type, std::string_view data,
                                std::uint32_t length) override;
    std::int32_t RegQueryValueExA(RegistryKey key, std::string_view name) override;
    std::int32_t RegDeleteValueA(RegistryKey key, std::string_view name) override;
    std::int32_t RegCloseKey(RegistryKey key) override;
    std::int32_t RegSetValueExW(RegistryKey key, std::string_view name,
                                std::string_view text) override;
    std::optional<std::string> toAnsi(std::string_view utf8) const override;
    std::int32_t RegQueryValueExW(RegistryKey key, std::string_view name) override;
    std::int32_t RegDeleteValueW(RegistryKey key, std::string_view name) override;

    std::string appPath() const override;
    std::string exeName() const override;
    void MsgBox(WindowHandle owner, std::string_view prompt, std::string_view title) override;

    std::string GetSetting(std::string_view application, std::string_view section,
                           std::string_view key, std::string_view fallback) override;
    void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view value) override;

private:
    const PictureLibrary& pictures_;
    WindowScales scales_;
    DpiSource dpiSource_;
    NumberFormat numberFormat_;
};

}  // namespace dialvane::win32
