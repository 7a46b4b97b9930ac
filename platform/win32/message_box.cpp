#include "platform/win32/message_box.h"

#include <string>
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

// Counts a box from before anything that may fail until the handler has it back, however it
// ends; a count left raised would hold every later close for good.
class OpenBox {
public:
    OpenBox() { ++boxes.count; }
    OpenBox(const OpenBox&) = delete;
    OpenBox& operator=(const OpenBox&) = delete;
    ~OpenBox() {
        // Posted, so the close comes after the handler that showed the box has returned.
        if (--boxes.count == 0 && boxes.closeAfter != nullptr) {
            ::PostMessageW(std::exchange(boxes.closeAfter, nullptr), WM_CLOSE, 0, 0);
        }
    }
};

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
    const std::wstring text = widen(prompt);
    const std::wstring caption = widen(title);
    const OpenBox open;
    ::MessageBoxW(windowOf(owner), text.c_str(), caption.c_str(), MB_OK);
}

}  // namespace dialvane::win32
