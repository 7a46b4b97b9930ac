#include <windows.h>

#include <string>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_platform.h"

namespace dialvane::win32 {
namespace {

HKEY keyOf(RegistryKey key) {
    return reinterpret_cast<HKEY>(key);
}

}  // namespace

std::int32_t Win32Platform::RegOpenKeyExA(RegistryKey root, std::string_view subKey,
                                          std::uint32_t options, std::uint32_t access,
                                          RegistryKey& opened) {
    const std::string path(subKey);
    HKEY key = nullptr;
    const LONG result = ::RegOpenKeyExA(keyOf(root), path.c_str(), options, access, &key);
    opened = reinterpret_cast<RegistryKey>(key);
    return result;
}

std::int32_t Win32Platform::RegSetValueExA(RegistryKey key, std::string_view name,
                                           std::uint32_t reserved, std::uint32_t type,
                                           std::string_view data, std::uint32_t length) {
    const std::string valueName(name);
    // The length counts the terminating zero, which the string's own buffer holds.
    const std::string bytes(data);
    if (length > bytes.size() + 1) {
        return ERROR_INVALID_PARAMETER;
    }
    return ::RegSetValueExA(keyOf(key), valueName.c_str(), reserved, type,
                            reinterpret_cast<const BYTE*>(bytes.c_str()), length);
}

std::int32_t Win32Platform::RegQueryValueExA(RegistryKey key, std::string_view name) {
    const std::string valueName(name);
    return ::RegQueryValueExA(keyOf(key), valueName.c_str(), nullptr, nullptr, nullptr, nullptr);
}

std::int32_t Win32Platform::RegDeleteValueA(RegistryKey key, std::string_view name) {
    const std::string valueName(name);
    return ::RegDeleteValueA(keyOf(key), valueName.c_str());
}

std::int32_t Win32Platform::RegCloseKey(RegistryKey key) {
    return ::RegCloseKey(keyOf(key));
}

std::int32_t Win32Platform::RegSetValueExW(RegistryKey key, std::string_view name,
                                           std::string_view text) {
    const std::wstring valueName = widen(name);
    const std::wstring data = widen(text);
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(keyOf(key), valueName.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(data.c_str()), bytes);
}

std::optional<std::string> Win32Platform::toAnsi(std::string_view utf8) const {
    return toAnsiCodePage(utf8);
}

std::int32_t Win32Platform::RegQueryValueExW(RegistryKey key, std::string_view name) {
    const std::wstring valueName = widen(name);
    return ::RegQueryValueExW(keyOf(key), valueName.c_str(), nullptr, nullptr, nullptr, nullptr);
}

std::int32_t Win32Platform::RegDeleteValueW(RegistryKey key, std::string_view name) {
    const std::wstring valueName = widen(name);
    return ::RegDeleteValueW(keyOf(key), valueName.c_str());
}

}  // namespace dialvane::win32
