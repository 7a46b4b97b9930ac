#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cwctype>
#include <string>

#include "framework/runtime_error.h"
#include "platform/win32/win32_platform.h"

namespace dialvane::win32 {
namespace {

// A 32-bit caller sees byte counts above 4 GB as all ones.
std::uint32_t asCount(SIZE_T value) {
    return static_cast<std::uint32_t>(std::min<SIZE_T>(value, 0xFFFFFFFFU));
}

}  // namespace

void Win32Platform::GlobalMemoryStatus(MEMORYSTATUS& status) {
    ::MEMORYSTATUS native{};
    ::GlobalMemoryStatus(&native);
    status.dwLength = sizeof(MEMORYSTATUS);
    status.dwMemoryLoad = native.dwMemoryLoad;
    status.dwTotalPhys = asCount(native.dwTotalPhys);
    status.dwAvailPhys = asCount(native.dwAvailPhys);
    status.dwTotalPageFile = asCount(native.dwTotalPageFile);
    status.dwAvailPageFile = asCount(native.dwAvailPageFile);
    status.dwTotalVirtual = asCount(native.dwTotalVirtual);
    status.dwAvailVirtual = asCount(native.dwAvailVirtual);
}

bool Win32Platform::GlobalMemoryStatusEx(MEMORYSTATUSEX& status) {
    ::MEMORYSTATUSEX native{};
    native.dwLength = sizeof native;
    if (!::GlobalMemoryStatusEx(&native)) {
        return false;
    }
    status = {sizeof(MEMORYSTATUSEX), native.dwMemoryLoad,     native.ullTotalPhys,
              native.ullAvailPhys,    native.ullTotalPageFile, native.ullAvailPageFile,
              native.ullTotalVirtual, native.ullAvailVirtual,  native.ullAvailExtendedVirtual};
    return true;
}

void Win32Platform::ChDrive(std::string_view drive) {
    if (drive.empty() || !std::isalpha(static_cast<unsigned char>(drive[0]))) {
        throw RuntimeError(ErrorCode::InvalidProcedureCall, "Invalid procedure call");
    }
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(drive[0])));
    // "X:" alone names the current directory of drive X: on that drive already, changing to
    // it changes nothing, and would cost a file-system lookup on every reading.
    wchar_t current[MAX_PATH]{};
    const DWORD length = ::GetCurrentDirectoryW(MAX_PATH, current);
    if (length >= 2 && length < MAX_PATH && current[1] == L':' &&
        std::towupper(current[0]) == static_cast<wchar_t>(letter)) {
        return;
    }
    const std::string root{letter, ':'};
    if (!::SetCurrentDirectoryA(root.c_str())) {
        throw RuntimeError(ErrorCode::DeviceUnavailable, "Device unavailable");
    }
}

bool Win32Platform::GetDiskFreeSpaceA(std::int32_t& sectorsPerCluster, std::int32_t& bytesPerSector,
                                      std::int32_t& freeClusters, std::int32_t& totalClusters) {
    DWORD sectors = 0;
    DWORD bytes = 0;
    DWORD free = 0;
    DWORD total = 0;
    if (!::GetDiskFreeSpaceA(nullptr, &sectors, &bytes, &free, &total)) {
        return false;
    }
    sectorsPerCluster = static_cast<std::int32_t>(sectors);
    bytesPerSector = static_cast<std::int32_t>(bytes);
    freeClusters = static_cast<std::int32_t>(free);
    totalClusters = static_cast<std::int32_t>(total);
    return true;
}

bool Win32Platform::clearClipboard(WindowHandle owner) {
    // Another program may hold the clipboard for a moment; a quarter of a second is enough for
    // a paste to finish and short enough not to stall the gauge.
    constexpr ULONGLONG patience = 250;
    constexpr DWORD retryAfter = 10;
    const ULONGLONG deadline = ::GetTickCount64() + patience;
    while (!::OpenClipboard(windowOf(owner))) {
        if (::GetTickCount64() >= deadline) {
            return false;
        }
        ::Sleep(retryAfter);
    }
    const bool emptied = ::EmptyClipboard() != 0;
    ::CloseClipboard();
    return emptied;
}

std::int16_t Win32Platform::GetAsyncKeyState(std::int32_t virtualKey) {
    return static_cast<std::int16_t>(::GetAsyncKeyState(virtualKey));
}

}  // namespace dialvane::win32
