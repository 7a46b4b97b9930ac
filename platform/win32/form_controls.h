#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>

#include "framework/command_button.h"
#include "framework/form.h"
#include "framework/frame.h"
#include "platform/win32/element_painter.h"
#include "platform/win32/form_accessibility.h"

namespace dialvane::win32 {

// The form's elements that are real windows: its panels, push buttons and edit boxes. Builds
// the buttons and boxes, keeps them in step with the model, turns their notifications into the
// form's events, and looks after the keyboard: focus, caret, Enter and the key filter.
class FormControls {
public:
    FormControls(HINSTANCE instance, Form& form, const ElementPainter& painter,
                 FormAccessibility& accessibility);
    FormControls(const FormControls&) = delete;
    FormControls& operator=(const FormControls&) = delete;

    // The form's own window, and what the menu key does where a text box leaves it alone.
    void attach(HWND window, std::function<void()> contextMenuKey);
    void addPanel(Frame& frame, HWND panel);
    // The push buttons and edit boxes, in tab order, inside their panels.
    void create();

    HWND windowOf(const Element& element) const;
    // The window an element is drawn in: its panel's, or the form's.
    HWND containerOf(const Element& element) const;
    const std::map<HWND, Element*>& elementsByWindow() const { return elementsByWindow_; }

    // After a change of the element or of the form's place and size.
    void follow(const Control& control);
    void followCaret();
    // On a monitor of another scale: every panel and control placed, sized and given its fonts
    // anew.
    void followDpi();
    // WM_COMMAND from a button or an edit box.
    void command(WPARAM wParam, LPARAM lParam);
    // Deactivation keeps the focused control; activation gives it back.
    void keepFocus();
    void restoreFocus() const;

private:
    static LRESULT CALLBACK controlProcedure(HWND control, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR id, DWORD_PTR data);
    LRESULT onControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onEditMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    // The answer to input for a control nobody can see; nothing where it is seen, or the
    // message is no input.
    std::optional<LRESULT> unseenInput(HWND control, const Element& element, UINT message,
                                       WPARAM wParam, LPARAM lParam) const;
    void sync(const Control& control, HWND window) const;
    HFONT fontOf(const Control& control) const;

    HINSTANCE instance_;
    Form& form_;
    const ElementPainter& painter_;
    FormAccessibility& accessibility_;
    HWND window_ = nullptr;
    std::function<void()> contextMenuKey_;
    std::map<const Element*, HWND> windows_;
    std::map<HWND, Element*> elementsByWindow_;
    const CommandButton* defaultButton_ = nullptr;
    HWND lastFocus_ = nullptr;
    HWND caretHiddenIn_ = nullptr;
};

}  // namespace dialvane::win32
