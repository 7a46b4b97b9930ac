#include "platform/win32/message_box.h"

#include <string_view>
#include <utility>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_platform.h"

namespace dialvane::win32 {
namespace {

// The user-interface thread's boxes.
struct OpenBoxes {
    int count = 0;
    HWND closeAfter = nullptr;
};
thread_local OpenBoxes boxes;

BOOL CALLBACK endIfMessageBox(HWND window, LPARAM) {
    wchar_t kind[8]{};
    if (::GetClassNameW(window, kind, 8) > 0 && std::wstring_view(kind) == L"#32770") {
        ::EndDialog(window, IDOK);
    }
    return TRUE;
}

}  // namespace

bool messageBoxOpen() {
    return boxes.count > 0;
}

void endMessageBoxes(HWND closeAfterwards) {
    ::EnumThreadWindows(::GetCurrentThreadId(), endIfMessageBox, 0);
    if (closeAfterwards != nullptr) {
        boxes.closeAfter = closeAfterwards;
    }
}

void Win32Platform::MsgBox(WindowHandle owner, std::string_view prompt, std::string_view title) {
    ++boxes.count;
    ::MessageBoxW(windowOf(owner), widen(prompt).c_str(), widen(title).c_str(), MB_OK);
    --boxes.count;
    // Posted, so the close comes after the handler that showed the box has returned.
    if (boxes.count == 0 && boxes.closeAfter != nullptr) {
        ::PostMessageW(std::exchange(boxes.closeAfter, nullptr), WM_CLOSE, 0, 0);
    }
}

}  // namespace dialvane::win32
