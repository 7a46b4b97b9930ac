#include "platform/win32/text_conversion.h"

#include <windows.h>

namespace dialvane::win32 {

std::wstring widen(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int length =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                          length);
    return wide;
}

std::string narrow(std::wstring_view utf16) {
    if (utf16.empty()) {
        return {};
    }
    const int length = ::WideCharToMultiByte(
        CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), utf8.data(),
                          length, nullptr, nullptr);
    return utf8;
}

std::optional<std::string> toAnsiCodePage(std::string_view utf8) {
    const std::wstring wide = widen(utf8);
    if (wide.empty()) {
        return std::string();
    }
    BOOL lost = FALSE;
    // No best fit: an Omega must not quietly become an O.
    const int length =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                              static_cast<int>(wide.size()), nullptr, 0, nullptr, &lost);
    if (length <= 0 || lost) {
        return std::nullopt;
    }
    std::string ansi(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                          ansi.data(), length, nullptr, &lost);
    return lost ? std::nullopt : std::optional<std::string>(ansi);
}

}  // namespace dialvane::win32
