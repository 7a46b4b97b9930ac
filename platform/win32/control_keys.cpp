#include <windows.h>
#include <commctrl.h>

#include "framework/text_box.h"
#include "platform/win32/form_controls.h"
#include "platform/win32/outline_view.h"
#include "platform/win32/pointer_input.h"

namespace dialvane::win32 {
namespace {

bool isEnter(const MSG& message) {
    return ((message.message == WM_KEYDOWN || message.message == WM_KEYUP) &&
            message.wParam == VK_RETURN) ||
           (message.message == WM_CHAR && message.wParam == L'\r');
}

bool isSpace(const MSG& message) {
    return ((message.message == WM_KEYDOWN || message.message == WM_KEYUP) &&
            message.wParam == VK_SPACE) ||
           (message.message == WM_CHAR && message.wParam == L' ');
}

}  // namespace

bool FormControls::pressesUnseen(const MSG& message) const {
    const auto found = elementsByWindow_.find(message.hwnd);
    if (found == elementsByWindow_.end() || seenInOutline(window_, message.hwnd)) {
        return false;
    }
    return isEnter(message) ||
           (found->second->kind() == ElementKind::CommandButton && isSpace(message));
}

LRESULT CALLBACK FormControls::controlProcedure(HWND control, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    return reinterpret_cast<FormControls*>(data)->onControlMessage(control, message, wParam,
                                                                   lParam);
}

LRESULT FormControls::onControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto found = elementsByWindow_.find(control);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(control, controlProcedure, 1);
    } else if (found != elementsByWindow_.end()) {
        if (message == WM_GETOBJECT) {
            if (const LRESULT object =
                    accessibility_.answerControl(control, *found->second, wParam, lParam)) {
                return object;
            }
        } else if (found->second->kind() == ElementKind::TextBox) {
            return onEditMessage(control, message, wParam, lParam);
        }
    }
    return ::DefSubclassProc(control, message, wParam, lParam);
}

LRESULT FormControls::onEditMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    // Enter in a text box clicks the default button, and is no character for the box.
    const bool enter =
        (message == WM_KEYDOWN && wParam == VK_RETURN) || (message == WM_CHAR && wParam == L'\r');
    if (defaultButton_ != nullptr) {
        if (message == WM_GETDLGCODE && lParam != 0) {
            const auto* pending = reinterpret_cast<const MSG*>(lParam);
            if (pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN) {
                return DLGC_WANTMESSAGE | ::DefSubclassProc(box, message, wParam, lParam);
            }
        } else if (enter) {
            if (message == WM_KEYDOWN && defaultButton_->onClick) {
                form_.raise(defaultButton_->onClick);
            }
            return 0;
        }
    }
    if (message == WM_CHAR) {
        const auto& element = static_cast<const TextBox&>(*elementsByWindow_.at(box));
        if (element.onKeyPress) {
            auto code = static_cast<std::int16_t>(wParam);
            form_.raise([&] { element.onKeyPress(code); });
            if (code == 0) {
                return 0;
            }
            wParam = static_cast<WPARAM>(static_cast<std::uint16_t>(code));
        }
    } else if (message == WM_CONTEXTMENU && menuFromKeyboard(lParam) &&
               !seenInOutline(window_, box)) {
        // A text box outside the view (the round gauge) does not own the keyboard's menu.
        if (contextMenuKey_) {
            contextMenuKey_();
        }
        return 0;
    } else if (message == WM_SETFOCUS || message == WM_KILLFOCUS) {
        const LRESULT result = ::DefSubclassProc(box, message, wParam, lParam);
        if (caretHiddenIn_ == box) {
            caretHiddenIn_ = nullptr;  // the box made a new caret, or dropped it
        }
        followCaret();
        return result;
    }
    return ::DefSubclassProc(box, message, wParam, lParam);
}

}  // namespace dialvane::win32
