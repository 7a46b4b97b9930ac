#include <windows.h>

#include <string>

#include "framework/runtime_error.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_platform.h"

namespace dialvane::win32 {
namespace {

// Per-user settings live at HKEY_CURRENT_USER\Software\<application>\<section>.
std::wstring keyPath(std::string_view application, std::string_view section) {
    return L"Software\\" + widen(application) + L"\\" + widen(section);
}

}  // namespace

std::string Win32Platform::GetSetting(std::string_view application, std::string_view section,
                                      std::string_view key, std::string_view fallback) {
    const std::wstring path = keyPath(application, section);
    const std::wstring name = widen(key);
    // Plain text only: an expandable string is another type, read as absent like the rest.
    constexpr DWORD textOnly = RRF_RT_REG_SZ | RRF_NOEXPAND;
    DWORD bytes = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), textOnly, nullptr, nullptr,
                       &bytes) != ERROR_SUCCESS) {
        return std::string(fallback);
    }
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), textOnly, nullptr,
                       value.data(), &bytes) != ERROR_SUCCESS) {
        return std::string(fallback);
    }
    value.resize(wcsnlen(value.c_str(), value.size()));
    return narrow(value);
}

void Win32Platform::SaveSetting(std::string_view application, std::string_view section,
                                std::string_view key, std::string_view value) {
    const std::wstring path = keyPath(application, section);
    HKEY opened = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &opened, nullptr) != ERROR_SUCCESS) {
        throw RuntimeError(ErrorCode::InvalidProcedureCall, "Settings could not be saved");
    }
    const unique_key settings(opened);
    const std::wstring name = widen(key);
    const std::wstring text = widen(value);
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    if (::RegSetValueExW(settings.get(), name.c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(text.c_str()), bytes) != ERROR_SUCCESS) {
        throw RuntimeError(ErrorCode::InvalidProcedureCall, "Settings could not be saved");
    }
}

}  // namespace dialvane::win32
