#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "framework/number_format.h"
#include "framework/picture_id.h"

namespace dialvane {

// A window handle as the 32-bit value the system guarantees to be significant.
using WindowHandle = std::int32_t;
// Windows' values, under names that do not collide with its macros.
inline constexpr WindowHandle insertTopmost = -1;
inline constexpr std::uint32_t swpNoSize = 0x1;
inline constexpr std::uint32_t swpNoMove = 0x2;
inline constexpr std::uint32_t swpNoActivate = 0x10;
inline constexpr std::int32_t virtualKeyF12 = 0x7B;

// A registry key as the ANSI registry functions take it. Predefined roots are sign-extended
// 32-bit values, as in Windows' headers.
using RegistryKey = std::intptr_t;
inline constexpr RegistryKey hkeyCurrentUser = static_cast<std::int32_t>(0x80000001);
inline constexpr std::uint32_t regSz = 1;
inline constexpr std::int32_t errorSuccess = 0;
inline constexpr std::int32_t errorFileNotFound = 2;

// A rectangle in screen pixels; right and bottom lie just outside it.
struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// What SHQueryUserNotificationState answers while a program has the screen to itself.
inline constexpr std::int32_t qunsBusy = 2;
inline constexpr std::int32_t qunsRunningD3dFullScreen = 3;
inline constexpr std::int32_t qunsPresentationMode = 4;

// The operating system's memory record, filled by GlobalMemoryStatus.
struct MEMORYSTATUS {
    std::uint32_t dwLength;
    std::uint32_t dwMemoryLoad;
    std::uint32_t dwTotalPhys;
    std::uint32_t dwAvailPhys;
    std::uint32_t dwTotalPageFile;
    std::uint32_t dwAvailPageFile;
    std::uint32_t dwTotalVirtual;
    std::uint32_t dwAvailVirtual;
};

// The same in 64 bits, filled by GlobalMemoryStatusEx, for machines with more than 4 GB.
struct MEMORYSTATUSEX {
    std::uint32_t dwLength;
    std::uint32_t dwMemoryLoad;
    std::uint64_t ullTotalPhys;
    std::uint64_t ullAvailPhys;
    std::uint64_t ullTotalPageFile;
    std::uint64_t ullAvailPageFile;
    std::uint64_t ullTotalVirtual;
    std::uint64_t ullAvailVirtual;
    std::uint64_t ullAvailExtendedVirtual;
};

// The services the program's logic takes from its host. The real one speaks to Windows; the
// test host scripts every answer.
class Platform {
public:
    virtual ~Platform() = default;

    // Screen and pictures. Lengths in twips.
    virtual float twipsPerPixelX() const = 0;
    virtual float twipsPerPixelY() const = 0;
    virtual float screenWidth() const = 0;
    virtual float screenHeight() const = 0;
    virtual PixelSize pictureSize(PictureId picture) const = 0;
    virtual NumberFormat numberFormat() const = 0;

    // System calls the gauge makes, under their Windows names and in Windows' argument order;
    // arguments the program never varies are left out.
    virtual void GlobalMemoryStatus(MEMORYSTATUS& status) = 0;
    // False when the system could not fill it.
    virtual bool GlobalMemoryStatusEx(MEMORYSTATUSEX& status) = 0;
    // Makes the drive named by the first two characters current; RuntimeError when it is not
    // a drive that exists.
    virtual void ChDrive(std::string_view drive) = 0;
    // Geometry of the current drive's root (the null root path); false when the query fails.
    virtual bool GetDiskFreeSpaceA(std::int32_t& sectorsPerCluster, std::int32_t& bytesPerSector,
                                   std::int32_t& freeClusters, std::int32_t& totalClusters) = 0;
    virtual std::int16_t GetAsyncKeyState(std::int32_t virtualKey) = 0;

    // Window outline and stacking. The region is CreateRoundRectRgn(0, 0, width, height,
    // corner, corner) handed to SetWindowRgn with redraw.
    virtual void setWindowRoundRegion(WindowHandle window, std::int32_t width, std::int32_t height,
                                      std::int32_t corner) = 0;
    virtual void SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x,
                              std::int32_t y, std::int32_t cx, std::int32_t cy,
                              std::uint32_t flags) = 0;

    // The foreground window and what is asked about it to step aside for full-screen programs.
    // Handles are 0 where there is no such window.
    virtual WindowHandle GetForegroundWindow() = 0;
    virtual WindowHandle GetShellWindow() = 0;
    virtual WindowHandle GetDesktopWindow() = 0;
    virtual std::string className(WindowHandle window) = 0;
    // The id of the window's process; 0 when the window has gone.
    virtual std::uint32_t GetWindowThreadProcessId(WindowHandle window) = 0;
    virtual std::uint32_t GetCurrentProcessId() = 0;
    // The client area on the screen; nothing when the window has gone.
    virtual std::optional<ScreenRect> clientRectOnScreen(WindowHandle window) = 0;
    // The whole monitor nearest to the window, taskbar included.
    virtual ScreenRect monitorRect(WindowHandle window) = 0;
    // Windows' own view of whether the user may be disturbed; 0 where it cannot be asked.
    virtual std::int32_t SHQueryUserNotificationState() = 0;

    // Empties the system clipboard of every format, opened for the given window; false when it
    // could not be opened (another program held it too long) or emptied.
    virtual bool clearClipboard(WindowHandle owner) = 0;

    // The registry, through the ANSI functions under their Windows names and in Windows'
    // argument order, without the arguments the program never varies (RegQueryValueExA only
    // asks whether the value is there). Names and data are bytes in the ANSI code page;
    // results are Windows error codes.
    virtual std::int32_t RegOpenKeyExA(RegistryKey root, std::string_view subKey,
                                       std::uint32_t options, std::uint32_t access,
                                       RegistryKey& opened) = 0;
    virtual std::int32_t RegSetValueExA(RegistryKey key, std::string_view name,
                                        std::uint32_t reserved, std::uint32_t type,
                                        std::string_view data, std::uint32_t length) = 0;
    virtual std::int32_t RegQueryValueExA(RegistryKey key, std::string_view name) = 0;
    virtual std::int32_t RegDeleteValueA(RegistryKey key, std::string_view name) = 0;
    virtual std::int32_t RegCloseKey(RegistryKey key) = 0;
    // A text value written in UTF-16, for data the ANSI code page cannot hold; text in UTF-8.
    virtual std::int32_t RegSetValueExW(RegistryKey key, std::string_view name,
                                        std::string_view text) = 0;
    // UTF-8 in the ANSI code page; nothing when a character has no place there.
    virtual std::optional<std::string> toAnsi(std::string_view utf8) const = 0;
    // A value whose name the ANSI code page cannot hold, found and deleted in UTF-16; the name
    // in UTF-8. RegSetValueExW writes such a name too.
    virtual std::int32_t RegQueryValueExW(RegistryKey key, std::string_view name) = 0;
    virtual std::int32_t RegDeleteValueW(RegistryKey key, std::string_view name) = 0;

    // The program file: its folder ("C:\Tools", or "D:\" for a drive root) and its name
    // without the extension, both UTF-8.
    virtual std::string appPath() const = 0;
    virtual std::string exeName() const = 0;
    // A modal box with an OK button only and no icon, owned by the window.
    virtual void MsgBox(WindowHandle owner, std::string_view prompt, std::string_view title) = 0;

    // Per-user settings store of texts. A key that is absent, or holds anything but text,
    // reads as the fallback. A store that cannot be written (or read) fails with RuntimeError.
    virtual std::string GetSetting(std::string_view application, std::string_view section,
                                   std::string_view key, std::string_view fallback) = 0;
    virtual void SaveSetting(std::string_view application, std::string_view section,
                             std::string_view key, std::string_view value) = 0;
};

}  // namespace dialvane
