#include <windows.h>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_platform.h"

namespace dialvane::win32 {

void Win32Platform::MsgBox(WindowHandle owner, std::string_view prompt, std::string_view title) {
    ::MessageBoxW(windowOf(owner), widen(prompt).c_str(), widen(title).c_str(), MB_OK);
}

}  // namespace dialvane::win32
