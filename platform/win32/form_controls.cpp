#include "platform/win32/form_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "framework/text_box.h"
#include "platform/win32/outline_view.h"
#include "platform/win32/text_conversion.h"

namespace dialvane::win32 {
namespace {

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

FormControls::FormControls(HINSTANCE instance, Form& form, const ElementPainter& painter,
                           FormAccessibility& accessibility)
    : instance_(instance), form_(form), painter_(painter), accessibility_(accessibility) {}

void FormControls::attach(HWND window, std::function<void()> contextMenuKey) {
    window_ = window;
    contextMenuKey_ = std::move(contextMenuKey);
}

void FormControls::addPanel(Frame& frame, HWND panel) {
    windows_[&frame] = panel;
    elementsByWindow_[panel] = &frame;
}

void FormControls::create() {
    // Creation order is focus order: the dialog manager tabs through children by Z order.
    std::vector<Control*> controls;
    for (Element* element : form_.elements()) {
        if (element->kind() == ElementKind::TextBox ||
            element->kind() == ElementKind::CommandButton) {
            controls.push_back(static_cast<Control*>(element));
        }
    }
    std::stable_sort(controls.begin(), controls.end(), [](const Control* a, const Control* b) {
        return a->tabIndex() < b->tabIndex();
    });
    int id = 1000;
    for (Control* control : controls) {
        const bool edit = control->kind() == ElementKind::TextBox;
        const auto* button = edit ? nullptr : static_cast<const CommandButton*>(control);
        const std::string& text =
            edit ? static_cast<const TextBox*>(control)->text() : button->caption();
        const bool isDefault = button != nullptr && button->isDefault();
        if (isDefault) {
            defaultButton_ = button;
        }
        const DWORD style =
            WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS |
            (edit ? ES_AUTOHSCROLL | ES_LEFT : (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
        HWND window = ::CreateWindowExW(
            edit ? WS_EX_CLIENTEDGE : 0, edit ? L"EDIT" : L"BUTTON", widen(text).c_str(), style, 0,
            0, 0, 0, containerOf(*control), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)),
            instance_, nullptr);
        ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(*control)), FALSE);
        ::SetWindowSubclass(window, controlProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
        windows_[control] = window;
        elementsByWindow_[window] = control;
        sync(*control, window);
    }
}

HWND FormControls::windowOf(const Element& element) const {
    const auto found = windows_.find(&element);
    return found == windows_.end() ? nullptr : found->second;
}

HWND FormControls::containerOf(const Element& element) const {
    if (element.container() == nullptr) {
        return window_;
    }
    HWND panel = windowOf(*element.container());
    return panel != nullptr ? panel : window_;
}

void FormControls::follow(const Control& control) {
    if (HWND window = windowOf(control)) {
        sync(control, window);
        followCaret();
    }
}

// Edit boxes take the framework's default font; buttons the one they name.
HFONT FormControls::fontOf(const Control& control) const {
    return painter_.font(control.kind() == ElementKind::CommandButton
                             ? static_cast<const CommandButton&>(control).font()
                             : Font{});
}

void FormControls::followDpi() {
    for (const auto& [element, window] : windows_) {
        const auto& control = static_cast<const Control&>(*element);
        if (control.kind() != ElementKind::Frame) {
            ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(control)), TRUE);
        }
        sync(control, window);
    }
    followCaret();
}

void FormControls::sync(const Control& control, HWND window) const {
    const RECT rect = painter_.mapping().rect(control);
    ::SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (control.kind() == ElementKind::TextBox) {
        const std::wstring wanted = widen(static_cast<const TextBox&>(control).text());
        if (windowText(window) != wanted) {
            ::SetWindowTextW(window, wanted.c_str());
        }
    }
    ::EnableWindow(window, control.enabled());
    ::ShowWindow(window, control.visible() ? SW_SHOWNA : SW_HIDE);
}

// A text box out of view (in the round gauge, focus rests in the panel beyond the window's
// edge) shows no caret: nobody sees it blink, and every blink costs a redraw.
void FormControls::followCaret() {
    HWND focus = ::GetFocus();
    const auto found = elementsByWindow_.find(focus);
    if (found == elementsByWindow_.end() || found->second->kind() != ElementKind::TextBox) {
        return;
    }
    const bool shown = seenInOutline(window_, focus);
    if (!shown && caretHiddenIn_ != focus) {
        ::HideCaret(focus);
        caretHiddenIn_ = focus;
    } else if (shown && caretHiddenIn_ == focus) {
        ::ShowCaret(focus);
        caretHiddenIn_ = nullptr;
    }
}

void FormControls::command(WPARAM wParam, LPARAM lParam) {
    HWND control = reinterpret_cast<HWND>(lParam);
    const auto found = elementsByWindow_.find(control);
    if (found == elementsByWindow_.end()) {
        return;
    }
    Element& element = *found->second;
    const WORD code = HIWORD(wParam);
    if (element.kind() == ElementKind::CommandButton && code == BN_CLICKED) {
        const auto& button = static_cast<const CommandButton&>(element);
        if (button.onClick) {
            form_.raise(button.onClick);
        }
    } else if (element.kind() == ElementKind::TextBox && code == EN_CHANGE) {
        static_cast<TextBox&>(element).setText(narrow(windowText(control)));
    }
}

void FormControls::keepFocus() {
    HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(window_, focus)) {
        lastFocus_ = focus;
    }
}

void FormControls::restoreFocus() const {
    HWND first = ::GetNextDlgTabItem(window_, nullptr, FALSE);
    ::SetFocus(lastFocus_ != nullptr ? lastFocus_ : first);
}

}  // namespace dialvane::win32
