#pragma once

#include <string>
#include <string_view>

namespace dialvane::win32 {

// The core speaks UTF-8, Windows speaks UTF-16; these are the only crossings.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace dialvane::win32
