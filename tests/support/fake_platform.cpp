#include "tests/support/fake_platform.h"

#include <algorithm>
#include <cctype>

#include "framework/runtime_error.h"

namespace dialvane::testing {
namespace {

std::string settingPath(std::string_view application, std::string_view section,
                        std::string_view key) {
    std::string path(application);
    path.append("\\").append(section).append("\\").append(key);
    return path;
}

}  // namespace

FakePlatform::FakePlatform()
    : pictures{{PictureId::DialFace, {148, 149}}, {PictureId::OptionsBackground, {618, 554}},
               {PictureId::Hub, {16, 16}},        {PictureId::DotRing, {14, 14}},
               {PictureId::DotFilled, {14, 14}},  {PictureId::ExitCross, {40, 41}}},
      drives{{'C', DriveGeometry{}}} {}

void FakePlatform::store(const std::string& key, const std::string& value) {
    settings[settingPath("MEM", "Optionen", key)] = value;
}

std::string FakePlatform::stored(const std::string& key) const {
    const auto found = settings.find(settingPath("MEM", "Optionen", key));
    return found == settings.end() ? std::string("<absent>") : found->second;
}

PixelSize FakePlatform::pictureSize(PictureId picture) const {
    const auto found = pictures.find(picture);
    return found == pictures.end() ? PixelSize{} : found->second;
}

void FakePlatform::GlobalMemoryStatus(MEMORYSTATUS& status) {
    ++memoryQueries;
    if (onMemoryQuery) {
        onMemoryQuery();
    }
    status.dwLength = sizeof(MEMORYSTATUS);
    status.dwMemoryLoad = memoryLoad;
}

bool FakePlatform::GlobalMemoryStatusEx(MEMORYSTATUSEX& status) {
    ++memoryExQueries;
    if (!physicalMemory) {
        return false;
    }
    status = {};
    status.dwLength = sizeof(MEMORYSTATUSEX);
    status.dwMemoryLoad = memoryLoad;
    status.ullTotalPhys = physicalMemory->total;
    status.ullAvailPhys = physicalMemory->available;
    return true;
}

void FakePlatform::ChDrive(std::string_view drive) {
    const char letter = drive.empty() ? '\0' : static_cast<char>(std::toupper(drive[0]));
    if (!drives.contains(letter)) {
        throw RuntimeError(ErrorCode::DeviceUnavailable, "Device unavailable");
    }
    currentDrive = letter;
    driveChanges.push_back(letter);
}

bool FakePlatform::GetDiskFreeSpaceA(std::int32_t& sectorsPerCluster, std::int32_t& bytesPerSector,
                                     std::int32_t& freeClusters, std::int32_t& totalClusters) {
    const DriveGeometry& drive = drives.at(currentDrive);
    if (drive.queryFails) {
        return false;
    }
    sectorsPerCluster = drive.sectorsPerCluster;
    bytesPerSector = drive.bytesPerSector;
    freeClusters = drive.freeClusters;
    totalClusters = drive.totalClusters;
    return true;
}

std::vector<TwipsRect> FakePlatform::monitorAreas() {
    if (monitors.empty()) {
        return {{0, 0, screenW, screenH}};
    }
    return monitors;
}

const TopLevelWindow* FakePlatform::listed(WindowHandle window) const {
    const auto found = std::find_if(zOrder.begin(), zOrder.end(),
                                    [&](const TopLevelWindow& w) { return w.handle == window; });
    return found != zOrder.end() ? &*found : nullptr;
}

std::string FakePlatform::className(WindowHandle window) {
    const TopLevelWindow* found = listed(window);
    return found != nullptr ? found->className : std::string();
}

std::uint32_t FakePlatform::GetWindowThreadProcessId(WindowHandle window) {
    const TopLevelWindow* found = listed(window);
    return found != nullptr ? found->process : ownProcess;
}

std::optional<WindowPlace> FakePlatform::windowPlace(WindowHandle window) {
    const TopLevelWindow* found = listed(window);
    return found != nullptr ? std::optional(found->place) : std::nullopt;
}

void FakePlatform::windowsFromTop(const std::function<bool(const TopLevelWindow&)>& visit) {
    ++walks;
    for (const TopLevelWindow& window : zOrder) {
        if (!visit(window)) {
            return;
        }
    }
}

bool FakePlatform::isCloaked(WindowHandle window) {
    cloakQuestions.push_back(window);
    return std::find(cloaked.begin(), cloaked.end(), window) != cloaked.end();
}

ScreenRect FakePlatform::monitorRect(WindowHandle window) {
    const TopLevelWindow* found = listed(window);
    return found != nullptr ? found->monitor : gaugeMonitor;
}

std::int16_t FakePlatform::GetAsyncKeyState(std::int32_t virtualKey) {
    ++keyQueries;
    if (virtualKey != virtualKeyF12 || keyStates.empty()) {
        return 0;
    }
    const std::int16_t state = keyStates.front();
    keyStates.pop_front();
    return state;
}

void FakePlatform::setWindowRoundRegion(WindowHandle window, std::int32_t width,
                                        std::int32_t height, std::int32_t corner) {
    regions.push_back({window, width, height, corner});
}

void FakePlatform::SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x,
                                std::int32_t y, std::int32_t cx, std::int32_t cy,
                                std::uint32_t flags) {
    windowPositions.push_back({window, insertAfter, x, y, cx, cy, flags});
}

namespace {

constexpr RegistryKey runKeyHandle = 0x1234;
constexpr RegistryKey startupApprovedHandle = 0x1238;
constexpr std::int32_t errorInvalidHandle = 6;

// A name as the registry holds it, from the bytes the ANSI functions were given: the inverse
// of toAnsi below.
std::string fromAnsi(std::string_view ansi) {
    std::string utf8;
    for (const char c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

}  // namespace

std::int32_t FakePlatform::RegOpenKeyExA(RegistryKey root, std::string_view subKey,
                                         std::uint32_t options, std::uint32_t access,
                                         RegistryKey& opened) {
    registryCalls.push_back("open " + std::string(subKey) + " " + std::to_string(options) + " " +
                            std::to_string(access));
    if (root == hkeyCurrentUser &&
        subKey == "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run" &&
        startupApprovedExists) {
        opened = startupApprovedHandle;
        ++openKeys;
        return errorSuccess;
    }
    if (root != hkeyCurrentUser || subKey != "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run" ||
        !runKeyExists) {
        return errorFileNotFound;
    }
    if (openError != 0) {
        return openError;
    }
    opened = runKeyHandle;
    ++openKeys;
    return errorSuccess;
}

std::int32_t FakePlatform::RegSetValueExA(RegistryKey key, std::string_view name,
                                          std::uint32_t reserved, std::uint32_t type,
                                          std::string_view data, std::uint32_t length) {
    registryCalls.push_back("set " + std::string(name) + " " + std::to_string(reserved) + " " +
                            std::to_string(type) + " " + std::to_string(length));
    if (key != runKeyHandle) {
        return errorInvalidHandle;
    }
    if (setError != 0) {
        return setError;
    }
    runValues[fromAnsi(name)] = {type, std::string(data), length, false};
    return errorSuccess;
}

std::int32_t FakePlatform::RegSetValueExW(RegistryKey key, std::string_view name,
                                          std::string_view text) {
    registryCalls.push_back("setW " + std::string(name));
    if (key != runKeyHandle) {
        return errorInvalidHandle;
    }
    if (setError != 0) {
        return setError;
    }
    runValues[std::string(name)] = {regSz, std::string(text), 0, true};
    return errorSuccess;
}

std::int32_t FakePlatform::RegQueryValueExA(RegistryKey key, std::string_view name) {
    registryCalls.push_back("query " + std::string(name));
    return findValue(key, fromAnsi(name));
}

std::int32_t FakePlatform::RegQueryValueExW(RegistryKey key, std::string_view name) {
    registryCalls.push_back("queryW " + std::string(name));
    return findValue(key, std::string(name));
}

std::int32_t FakePlatform::findValue(RegistryKey key, const std::string& name) const {
    if (key == startupApprovedHandle) {
        return startupMarks.contains(name) ? errorSuccess : errorFileNotFound;
    }
    if (key != runKeyHandle) {
        return errorInvalidHandle;
    }
    return runValues.contains(name) ? errorSuccess : errorFileNotFound;
}

std::int32_t FakePlatform::RegDeleteValueA(RegistryKey key, std::string_view name) {
    registryCalls.push_back("delete " + std::string(name));
    return eraseValue(key, fromAnsi(name));
}

std::int32_t FakePlatform::RegDeleteValueW(RegistryKey key, std::string_view name) {
    registryCalls.push_back("deleteW " + std::string(name));
    return eraseValue(key, std::string(name));
}

std::int32_t FakePlatform::eraseValue(RegistryKey key, const std::string& name) {
    if (key == startupApprovedHandle) {
        if (markDeleteError != 0) {
            return markDeleteError;
        }
        return startupMarks.erase(name) == 1 ? errorSuccess : errorFileNotFound;
    }
    if (key != runKeyHandle) {
        return errorInvalidHandle;
    }
    if (deleteError != 0) {
        return deleteError;
    }
    return runValues.erase(name) == 1 ? errorSuccess : errorFileNotFound;
}

std::int32_t FakePlatform::RegCloseKey(RegistryKey key) {
    registryCalls.push_back("close");
    if (key != runKeyHandle && key != startupApprovedHandle) {
        return errorInvalidHandle;
    }
    --openKeys;
    return errorSuccess;
}

// Western code page 1252 as far as tests need it: ASCII and Latin-1 letters fit, nothing else
// (1252 puts other characters where Latin-1 has its control codes).
std::optional<std::string> FakePlatform::toAnsi(std::string_view utf8) const {
    std::string ansi;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            ansi += static_cast<char>(byte);
        } else if ((byte == 0xC2 || byte == 0xC3) && i + 1 < utf8.size() &&
                   (byte == 0xC3 || static_cast<unsigned char>(utf8[i + 1]) >= 0xA0)) {
            const auto next = static_cast<unsigned char>(utf8[++i]);
            ansi += static_cast<char>(((byte & 0x03) << 6) | (next & 0x3F));
        } else {
            return std::nullopt;
        }
    }
    return ansi;
}

void FakePlatform::MsgBox(WindowHandle owner, std::string_view prompt, std::string_view title) {
    boxes.push_back({owner, std::string(prompt), std::string(title)});
    if (whileBoxOpen) {
        whileBoxOpen();
    }
}

bool FakePlatform::clearClipboard(WindowHandle) {
    if (clipboardHeldElsewhere) {
        return false;
    }
    ++clipboardClears;
    clipboardHasText = false;
    return true;
}

std::string FakePlatform::GetSetting(std::string_view application, std::string_view section,
                                     std::string_view key, std::string_view fallback) {
    if (storeFails) {
        throw RuntimeError(ErrorCode::InvalidProcedureCall, "Settings could not be read");
    }
    const auto found = settings.find(settingPath(application, section, key));
    return found == settings.end() ? std::string(fallback) : found->second;
}

void FakePlatform::SaveSetting(std::string_view application, std::string_view section,
                               std::string_view key, std::string_view value) {
    if (storeFails) {
        throw RuntimeError(ErrorCode::InvalidProcedureCall, "Settings could not be saved");
    }
    settings[settingPath(application, section, key)] = std::string(value);
    saves.push_back({std::string(key), std::string(value)});
    if (onSave) {
        onSave(saves.back());
    }
}

}  // namespace dialvane::testing
