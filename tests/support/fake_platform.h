#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "framework/platform.h"
#include "framework/program_path.h"

namespace dialvane::testing {

struct DriveGeometry {
    std::int32_t sectorsPerCluster = 8;
    std::int32_t bytesPerSector = 512;
    std::int32_t freeClusters = 0;
    std::int32_t totalClusters = 0;
    bool queryFails = false;
};

struct RegionCall {
    WindowHandle window;
    std::int32_t width;
    std::int32_t height;
    std::int32_t corner;
    friend bool operator==(const RegionCall&, const RegionCall&) = default;
};

struct WindowPosCall {
    WindowHandle window;
    WindowHandle insertAfter;
    std::int32_t x, y, cx, cy;
    std::uint32_t flags;
    friend bool operator==(const WindowPosCall&, const WindowPosCall&) = default;
};

// A value under the Run key as the registry holds it.
struct RunValue {
    std::uint32_t type = 0;
    std::string data;          // ANSI bytes, or UTF-8 of what was written in UTF-16
    std::uint32_t length = 0;  // bytes, as passed
    bool wide = false;
    friend bool operator==(const RunValue&, const RunValue&) = default;
};

struct SavedSetting {
    std::string key;
    std::string value;
    friend bool operator==(const SavedSetting&, const SavedSetting&) = default;
};

// A scripted platform: every answer is set by the test, every call is recorded.
class FakePlatform : public Platform {
public:
    FakePlatform();

    // Screen: 1024 x 768 pixels at 15 twips per pixel unless a test says otherwise.
    float tppX = 15;
    float tppY = 15;
    float screenW = 1024 * 15;
    float screenH = 768 * 15;
    std::map<PictureId, PixelSize> pictures;
    NumberFormat format;

    std::uint32_t memoryLoad = 0;
    int memoryQueries = 0;
    std::function<void()> onMemoryQuery;  // may throw, as a failing call would
    // What GlobalMemoryStatusEx reports, in bytes; nothing: the call fails.
    struct PhysicalMemory {
        std::uint64_t total = 0;
        std::uint64_t available = 0;
    };
    std::optional<PhysicalMemory> physicalMemory = PhysicalMemory{};
    int memoryExQueries = 0;

    std::map<char, DriveGeometry> drives;
    char currentDrive = 'C';
    std::vector<char> driveChanges;

    // Answers of GetAsyncKeyState for F12, one per call; 0 once used up.
    std::deque<std::int16_t> keyStates;
    int keyQueries = 0;

    // The clipboard: what it holds, and whether another program keeps it closed.
    bool clipboardHeldElsewhere = false;
    bool clipboardHasText = true;
    int clipboardClears = 0;

    // HKCU's Run key: its values by name in UTF-8, scripted failures (Windows error codes) and
    // every call, with the name's bytes as passed.
    std::map<std::string, RunValue> runValues;
    bool runKeyExists = true;
    std::int32_t openError = 0;    // RegOpenKeyExA of the Run key
    std::int32_t setError = 0;     // RegSetValueExA/W
    std::int32_t deleteError = 0;  // RegDeleteValueA/W; the value stays
    std::vector<std::string> registryCalls;
    int openKeys = 0;
    // HKCU's Explorer\StartupApproved\Run, where the start-up list marks the Run values it has
    // turned off: its values by name in UTF-8 (the bytes Windows keeps), and a scripted failure
    // to delete one (the value stays).
    bool startupApprovedExists = true;
    std::map<std::string, std::string> startupMarks;
    std::int32_t markDeleteError = 0;

    // The program file and the boxes it showed, with what the window showed meanwhile.
    std::string programFile = "C:\\Tools\\gauge.exe";
    struct Box {
        WindowHandle owner;
        std::string prompt;
        std::string title;
        friend bool operator==(const Box&, const Box&) = default;
    };
    std::vector<Box> boxes;
    std::function<void()> whileBoxOpen;
    std::function<void(const SavedSetting&)> onSave;

    std::vector<RegionCall> regions;
    std::vector<WindowPosCall> windowPositions;

    // The monitors in twips; none listed: one, the screen.
    std::vector<TwipsRect> monitors;

    // The windows from the top of the Z order down, the shell's and the desktop among them. A
    // window not listed is one of the gauge's own, on the gauge's monitor.
    static constexpr std::uint32_t ownProcess = 700;
    static constexpr ScreenRect firstMonitor{0, 0, 1024, 768};
    static constexpr WindowHandle shellWindow = 0x10020;
    static constexpr WindowHandle desktopWindow = 0x10010;
    ScreenRect gaugeMonitor = firstMonitor;
    WindowHandle foreground = 0;
    std::vector<TopLevelWindow> zOrder;
    std::vector<WindowHandle> cloaked;
    int walks = 0;
    std::vector<WindowHandle> cloakQuestions;
    std::int32_t notificationState = 5;  // accepts notifications

    // Settings store as "application\section\key" -> text, with the order of every save.
    // A failing store fails every read and every save with a run-time error.
    std::map<std::string, std::string> settings;
    bool storeFails = false;
    std::vector<SavedSetting> saves;
    void store(const std::string& key, const std::string& value);
    std::string stored(const std::string& key) const;

    float twipsPerPixelX() const override { return tppX; }
    float twipsPerPixelY() const override { return tppY; }
    float screenWidth() const override { return screenW; }
    float screenHeight() const override { return screenH; }
    PixelSize pictureSize(PictureId picture) const override;
    NumberFormat numberFormat() const override { return format; }

    void GlobalMemoryStatus(MEMORYSTATUS& status) override;
    bool GlobalMemoryStatusEx(MEMORYSTATUSEX& status) override;
    void ChDrive(std::string_view drive) override;
    bool GetDiskFreeSpaceA(std::int32_t& sectorsPerCluster, std::int32_t& bytesPerSector,
                           std::int32_t& freeClusters, std::int32_t& totalClusters) override;
    std::int16_t GetAsyncKeyState(std::int32_t virtualKey) override;
    void setWindowRoundRegion(WindowHandle window, std::int32_t width, std::int32_t height,
                              std::int32_t corner) override;
    void SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x, std::int32_t y,
                      std::int32_t cx, std::int32_t cy, std::uint32_t flags) override;
    bool clearClipboard(WindowHandle owner) override;
    WindowHandle GetForegroundWindow() override { return foreground; }
    WindowHandle GetShellWindow() override { return shellWindow; }
    WindowHandle GetDesktopWindow() override { return desktopWindow; }
    std::vector<TwipsRect> monitorAreas() override;
    std::string className(WindowHandle window) override;
    std::uint32_t GetWindowThreadProcessId(WindowHandle window) override;
    std::uint32_t GetCurrentProcessId() override { return ownProcess; }
    std::optional<WindowPlace> windowPlace(WindowHandle window) override;
    void windowsFromTop(const std::function<bool(const TopLevelWindow&)>& visit) override;
    bool isCloaked(WindowHandle window) override;
    ScreenRect monitorRect(WindowHandle window) override;
    std::int32_t SHQueryUserNotificationState() override { return notificationState; }
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
    std::string appPath() const override { return splitProgramPath(programFile).folder; }
    std::string exeName() const override { return splitProgramPath(programFile).name; }
    void MsgBox(WindowHandle owner, std::string_view prompt, std::string_view title) override;
    std::string GetSetting(std::string_view application, std::string_view section,
                           std::string_view key, std::string_view fallback) override;
    void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view value) override;

private:
    const TopLevelWindow* listed(WindowHandle window) const;
    // The value of that name in UTF-8 under the key opened, whichever function asked.
    std::int32_t findValue(RegistryKey key, const std::string& name) const;
    std::int32_t eraseValue(RegistryKey key, const std::string& name);
};

}  // namespace dialvane::testing
