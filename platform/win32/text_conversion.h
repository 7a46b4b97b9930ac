#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dialvane::win32 {

// The core speaks UTF-8, Windows speaks UTF-16; these are the only crossings.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);
// UTF-8 in the system's ANSI code page; nothing when a character has no place there.
std::optional<std::string> toAnsiCodePage(std::string_view utf8);

}  // namespace dialvane::win32
