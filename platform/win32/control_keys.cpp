#include <windows.h>
#include <commctrl.h>

#include "framework/text_box.h"
#include "platform/win32/form_controls.h"
#include "platform/win32/outline_view.h"
#include "platform/win32/pointer_input.h"
#include "platform/win32/text_conversion.h"

namespace dialvane::win32 {
namespace {

bool isCharacter(UINT message) {
    return message == WM_CHAR || message == WM_DEADCHAR || message == WM_SYSCHAR ||
           message == WM_SYSDEADCHAR || message == WM_UNICHAR;
}

// Tab moves on to the next control; the menu key and Shift+F10 ask for the gauge's own menu.
bool movesOn(UINT message, WPARAM key) {
    return !isCharacter(message) && (key == VK_TAB || key == VK_APPS || key == VK_F10);
}

// What types into, edits or presses a control: keys and characters, the clipboard and undo
// commands (Ctrl+V and the like arrive as these too), an input method's text, a click sent to
// a button. A text set from outside is judged by the control.
bool actsOnControl(UINT message, WPARAM wParam) {
    if (message >= WM_KEYFIRST && message <= WM_UNICHAR) {
        return !movesOn(message, wParam);
    }
    switch (message) {
        case WM_PASTE:
        case WM_CUT:
        case WM_CLEAR:
        case WM_UNDO:
        case EM_UNDO:
        case EM_REPLACESEL:
        case WM_IME_STARTCOMPOSITION:
        case WM_IME_COMPOSITION:
        case WM_IME_ENDCOMPOSITION:
        case WM_IME_CHAR:
        case WM_IME_KEYDOWN:
        case WM_IME_KEYUP:
        case WM_IME_REQUEST:
        case BM_CLICK:
            return true;
        default:
            return false;
    }
}

}  // namespace

// A control the window's outline clips away (the round gauge keeps its options panel beyond
// its edge) takes no input: what it is given does nothing, and a text box takes only the text
// the model gives it. The dialog manager hands it every key but those that move on, so that
// Enter, say, reaches it here instead of clicking the default button on its behalf.
std::optional<LRESULT> FormControls::unseenInput(HWND control, const Element& element, UINT message,
                                                 WPARAM wParam, LPARAM lParam) const {
    if (message == WM_GETDLGCODE) {
        const auto* pending = reinterpret_cast<const MSG*>(lParam);
        if (pending != nullptr && actsOnControl(pending->message, pending->wParam) &&
            !seenInOutline(window_, control)) {
            return DLGC_WANTMESSAGE;
        }
        return std::nullopt;
    }
    bool refused = actsOnControl(message, wParam);
    if (message == WM_SETTEXT && element.kind() == ElementKind::TextBox && lParam != 0) {
        refused = widen(static_cast<const TextBox&>(element).text()) !=
                  reinterpret_cast<const wchar_t*>(lParam);
    }
    if (refused && !seenInOutline(window_, control)) {
        return 0;
    }
    return std::nullopt;
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
        } else if (const auto unseen =
                       unseenInput(control, *found->second, message, wParam, lParam)) {
            return *unseen;
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
