#include "tests/support/fake_platform.h"

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
    status.dwLength = sizeof(MEMORYSTATUS);
    status.dwMemoryLoad = memoryLoad;
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
    const auto found = settings.find(settingPath(application, section, key));
    return found == settings.end() ? std::string(fallback) : found->second;
}

void FakePlatform::SaveSetting(std::string_view application, std::string_view section,
                               std::string_view key, std::string_view value) {
    settings[settingPath(application, section, key)] = std::string(value);
    saves.push_back({std::string(key), std::string(value)});
}

}  // namespace dialvane::testing
