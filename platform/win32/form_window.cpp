#include "platform/win32/form_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "framework/command_button.h"
#include "framework/text_box.h"
#include "platform/win32/text_conversion.h"

namespace dialvane::win32 {
namespace {

std::int16_t shiftState(WPARAM keys) {
    std::int16_t shift = 0;
    if ((keys & MK_SHIFT) != 0) {
        shift |= 1;
    }
    if ((keys & MK_CONTROL) != 0) {
        shift |= 2;
    }
    if (::GetKeyState(VK_MENU) < 0) {
        shift |= 4;
    }
    return shift;
}

// The context menu asked for with Shift+F10 or the menu key, not with the mouse.
bool fromKeyboard(LPARAM lParam) {
    return static_cast<DWORD>(lParam) == 0xFFFFFFFF;
}

std::int16_t heldButtons(WPARAM keys) {
    std::int16_t held = 0;
    if ((keys & MK_LBUTTON) != 0) {
        held |= PointerRouter::leftButton;
    }
    if ((keys & MK_RBUTTON) != 0) {
        held |= PointerRouter::rightButton;
    }
    if ((keys & MK_MBUTTON) != 0) {
        held |= PointerRouter::middleButton;
    }
    return held;
}

}  // namespace

FormWindow::FormWindow(HINSTANCE instance, Form& form, Win32Platform& platform,
                       const PictureLibrary& pictures)
    : instance_(instance),
      form_(form),
      platform_(platform),
      pictures_(pictures),
      painter_(pictures, PixelMapping(platform.twipsPerPixelX(), platform.twipsPerPixelY()),
               platform.dpiX()),
      router_(form) {}

FormWindow::~FormWindow() {
    form_.setObserver(nullptr);
    if (window_ != nullptr) {
        ::DestroyWindow(window_);
    }
}

void FormWindow::create() {
    if (!windowClassesRegistered(instance_)) {
        return;
    }
    const PixelMapping& map = painter_.mapping();
    const std::wstring caption = widen(form_.caption());
    // No taskbar button: a tool window; no border or title: a bare popup. The procedure sets
    // window_ at WM_NCCREATE.
    ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, formWindowClass, caption.c_str(),
                      WS_POPUP | WS_CLIPCHILDREN, map.x(form_.left()), map.y(form_.top()),
                      map.x(form_.width()), map.y(form_.height()), nullptr, nullptr, instance_,
                      static_cast<MessageTarget*>(this));
    if (window_ == nullptr) {
        return;
    }
    ::SendMessageW(window_, WM_SETICON, ICON_BIG,
                   reinterpret_cast<LPARAM>(pictures_.icon(::GetSystemMetrics(SM_CXICON))));
    ::SendMessageW(window_, WM_SETICON, ICON_SMALL,
                   reinterpret_cast<LPARAM>(pictures_.icon(::GetSystemMetrics(SM_CXSMICON))));
    for (const Element* element : form_.elements()) {
        if (element->kind() == ElementKind::Timer) {
            timers_.push_back(static_cast<const Timer*>(element));
        }
        painted_[element] = painter_.area(*element);
    }
    createPanels();
    createControls();
    dropBackground();
    accessibility_.attach(window_, elementsByWindow_);
    form_.attachWindow(handleOf(window_));
    form_.setObserver(this);
    for (const Timer* timer : timers_) {
        syncTimer(*timer);
    }
}

void FormWindow::createPanels() {
    const PixelMapping& map = painter_.mapping();
    for (Element* element : form_.elements()) {
        if (element->kind() != ElementKind::Frame) {
            continue;
        }
        auto& frame = static_cast<Frame&>(*element);
        auto& panel = *panels_.emplace_back(std::make_unique<Panel>(*this, frame));
        const RECT rect = map.rect(frame);
        HWND window = ::CreateWindowExW(
            WS_EX_CONTROLPARENT, panelWindowClass, L"",
            WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (frame.visible() ? WS_VISIBLE : 0),
            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, window_, nullptr,
            instance_, static_cast<MessageTarget*>(&panel));
        panel.window = window;
        controls_[&frame] = window;
        elementsByWindow_[window] = &frame;
    }
}

void FormWindow::createControls() {
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
        const std::string& text = edit ? static_cast<const TextBox*>(control)->text()
                                       : static_cast<const CommandButton*>(control)->caption();
        const bool isDefault = !edit && static_cast<const CommandButton*>(control)->isDefault();
        if (isDefault) {
            defaultButton_ = static_cast<const CommandButton*>(control);
        }
        const DWORD style =
            WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS |
            (edit ? ES_AUTOHSCROLL | ES_LEFT : (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
        HWND window = ::CreateWindowExW(
            edit ? WS_EX_CLIENTEDGE : 0, edit ? L"EDIT" : L"BUTTON", widen(text).c_str(), style, 0,
            0, 0, 0, containerWindow(*control), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)),
            instance_, nullptr);
        const Font& font = edit ? Font{} : static_cast<const CommandButton*>(control)->font();
        ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(painter_.font(font)), FALSE);
        if (edit) {
            ::SetWindowSubclass(window, editProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
        }
        controls_[control] = window;
        elementsByWindow_[window] = control;
        syncControl(*control, window);
    }
}

HWND FormWindow::containerWindow(const Element& element) const {
    if (element.container() == nullptr) {
        return window_;
    }
    const auto found = controls_.find(element.container());
    return found == controls_.end() ? window_ : found->second;
}

HWND FormWindow::controlOf(const Element& element) const {
    const auto found = controls_.find(&element);
    return found == controls_.end() ? nullptr : found->second;
}

HWND FormWindow::panelOf(const Frame& frame) const {
    return controlOf(frame);
}

void FormWindow::syncControl(const Control& control, HWND window) const {
    const RECT rect = painter_.mapping().rect(control);
    ::SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (control.kind() == ElementKind::TextBox) {
        const std::wstring wanted = widen(static_cast<const TextBox&>(control).text());
        std::wstring shown(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
        shown.resize(static_cast<std::size_t>(
            ::GetWindowTextW(window, shown.data(), static_cast<int>(shown.size()))));
        if (shown != wanted) {
            ::SetWindowTextW(window, wanted.c_str());
        }
    }
    ::EnableWindow(window, control.enabled());
    ::ShowWindow(window, control.visible() ? SW_SHOWNA : SW_HIDE);
}

void FormWindow::syncTimer(const Timer& timer) {
    const auto position = std::find(timers_.begin(), timers_.end(), &timer);
    const auto id = static_cast<UINT_PTR>(position - timers_.begin() + 1);
    if (timer.enabled() && timer.interval() > 0) {
        ::SetTimer(window_, id, static_cast<UINT>(timer.interval()), nullptr);
    } else {
        ::KillTimer(window_, id);
    }
}

void FormWindow::syncWindowRect() const {
    const PixelMapping& map = painter_.mapping();
    ::SetWindowPos(window_, nullptr, map.x(form_.left()), map.y(form_.top()), map.x(form_.width()),
                   map.y(form_.height()), SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::focusFirstControl() const {
    HWND first = ::GetNextDlgTabItem(window_, nullptr, FALSE);
    ::SetFocus(lastFocus_ != nullptr ? lastFocus_ : first);
}

void FormWindow::elementChanged(const Element& element) {
    switch (element.kind()) {
        case ElementKind::Timer:
            syncTimer(static_cast<const Timer&>(element));
            break;
        case ElementKind::Frame:
        case ElementKind::TextBox:
        case ElementKind::CommandButton:
            if (HWND window = controlOf(element)) {
                syncControl(static_cast<const Control&>(element), window);
                followCaret();
            }
            break;
        default:
            invalidate(element);
            accessibility_.elementChanged(element);
            break;
    }
}

void FormWindow::invalidate(const Element& element) {
    HWND container = containerWindow(element);
    RECT& before = painted_[&element];
    const RECT now = painter_.area(element);
    ::InvalidateRect(container, &before, FALSE);
    ::InvalidateRect(container, &now, FALSE);
    before = now;
}

void FormWindow::formChanged(FormAspect aspect) {
    switch (aspect) {
        case FormAspect::Caption:
            ::SetWindowTextW(window_, widen(form_.caption()).c_str());
            accessibility_.captionChanged();
            break;
        case FormAspect::Position:
        case FormAspect::Size:
            syncWindowRect();
            followCaret();
            if (aspect == FormAspect::Size) {
                dropBackground();
            }
            break;
        case FormAspect::Visible:
            ::ShowWindow(window_, form_.visible() ? SW_SHOW : SW_HIDE);
            if (form_.visible()) {
                focusFirstControl();
            }
            break;
        case FormAspect::Background:
            dropBackground();
            break;
    }
}

void FormWindow::unloadRequested() {
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
}

void FormWindow::close(bool sessionEnding) {
    if (unloaded_) {
        return;
    }
    // At the end of the session the unload always runs, so no setting is lost.
    if (!form_.queryUnload() && !sessionEnding) {
        return;
    }
    unloaded_ = true;
    if (!sessionEnding) {
        ::DestroyWindow(window_);
    }
}

int FormWindow::run() {
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_SYSKEYDOWN && message.wParam == VK_F4) {
            ::PostMessageW(window_, WM_CLOSE, 0, 0);
            continue;
        }
        if (!::IsDialogMessageW(window_, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

LRESULT CALLBACK FormWindow::editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<FormWindow*>(data);
    // Enter in a text box clicks the default button, and is no character for the box.
    const bool enter =
        (message == WM_KEYDOWN && wParam == VK_RETURN) || (message == WM_CHAR && wParam == L'\r');
    if (self->defaultButton_ != nullptr) {
        if (message == WM_GETDLGCODE && lParam != 0) {
            const auto* pending = reinterpret_cast<const MSG*>(lParam);
            if (pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN) {
                return DLGC_WANTMESSAGE | ::DefSubclassProc(window, message, wParam, lParam);
            }
        } else if (enter) {
            if (message == WM_KEYDOWN && self->defaultButton_->onClick) {
                self->form_.raise(self->defaultButton_->onClick);
            }
            return 0;
        }
    }
    if (message == WM_CHAR) {
        const auto found = self->elementsByWindow_.find(window);
        if (found != self->elementsByWindow_.end()) {
            const auto& box = static_cast<const TextBox&>(*found->second);
            if (box.onKeyPress) {
                auto code = static_cast<std::int16_t>(wParam);
                self->form_.raise([&] { box.onKeyPress(code); });
                if (code == 0) {
                    return 0;
                }
                wParam = static_cast<WPARAM>(static_cast<std::uint16_t>(code));
            }
        }
    } else if (message == WM_GETOBJECT) {
        const auto found = self->elementsByWindow_.find(window);
        if (found != self->elementsByWindow_.end()) {
            if (const LRESULT answer =
                    self->accessibility_.answerTextBox(window, *found->second, wParam, lParam)) {
                return answer;
            }
        }
    } else if (message == WM_CONTEXTMENU && fromKeyboard(lParam) && !self->showsControl(window)) {
        // A text box outside the view (the round gauge) does not own the keyboard's menu.
        self->contextMenuKey();
        return 0;
    } else if (message == WM_SETFOCUS || message == WM_KILLFOCUS) {
        const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
        if (self->caretHiddenIn_ == window) {
            self->caretHiddenIn_ = nullptr;  // the box made a new caret, or dropped it
        }
        self->followCaret();
        return result;
    } else if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, editProcedure, 1);
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

bool FormWindow::routePointer(PointerRouter& router, HWND window, UINT message, WPARAM wParam,
                              LPARAM lParam) {
    if (message < WM_MOUSEFIRST || message > WM_MBUTTONDBLCLK) {
        return false;  // not a pointer message: no key state to ask for
    }
    const PixelMapping& map = painter_.mapping();
    const float x = map.twipsX(GET_X_LPARAM(lParam));
    const float y = map.twipsY(GET_Y_LPARAM(lParam));
    const std::int16_t shift = shiftState(wParam);
    switch (message) {
        case WM_LBUTTONDOWN:
            router.press(PointerRouter::leftButton, shift, x, y);
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            router.press(PointerRouter::rightButton, shift, x, y);
            break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            router.press(PointerRouter::middleButton, shift, x, y);
            break;
        case WM_LBUTTONDBLCLK:
            router.doubleClick(shift, x, y);
            break;
        case WM_MOUSEMOVE:
            router.move(heldButtons(wParam), shift, x, y);
            break;
        case WM_LBUTTONUP:
            router.release(PointerRouter::leftButton, shift, x, y);
            break;
        case WM_RBUTTONUP:
            router.release(PointerRouter::rightButton, shift, x, y);
            break;
        case WM_MBUTTONUP:
            router.release(PointerRouter::middleButton, shift, x, y);
            break;
        default:
            return false;
    }
    followCapture(router, window);
    return true;
}

// Capture from press to release, so a fast drag never loses its moves or the release.
void FormWindow::followCapture(const PointerRouter& router, HWND window) {
    if (router.capturing() && ::GetCapture() != window) {
        ::SetCapture(window);
    } else if (!router.capturing() && ::GetCapture() == window) {
        ::ReleaseCapture();
    }
}

// Shift+F10 or the menu key: a right press and release where the form points it.
void FormWindow::contextMenuKey() {
    router_.contextMenuKey(form_.contextPoint());
    followCapture(router_, window_);
}

// A text box out of view (in the round gauge, focus rests in the panel beyond the window's
// edge) shows no caret: nobody sees it blink, and every blink costs a redraw.
void FormWindow::followCaret() {
    HWND focus = ::GetFocus();
    const auto found = elementsByWindow_.find(focus);
    if (found == elementsByWindow_.end() || found->second->kind() != ElementKind::TextBox) {
        return;
    }
    const bool shown = showsControl(focus);
    if (!shown && caretHiddenIn_ != focus) {
        ::HideCaret(focus);
        caretHiddenIn_ = focus;
    } else if (shown && caretHiddenIn_ == focus) {
        ::ShowCaret(focus);
        caretHiddenIn_ = nullptr;
    }
}

bool FormWindow::showsControl(HWND control) const {
    RECT shown{};
    RECT placed{};
    RECT both{};
    ::GetWindowRect(window_, &shown);
    ::GetWindowRect(control, &placed);
    return ::IsWindowVisible(control) && ::IntersectRect(&both, &shown, &placed);
}

void FormWindow::onCommand(WPARAM wParam, LPARAM lParam) {
    const auto found = elementsByWindow_.find(reinterpret_cast<HWND>(lParam));
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
        HWND edit = reinterpret_cast<HWND>(lParam);
        std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(edit)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            ::GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
        static_cast<TextBox&>(element).setText(narrow(text));
    }
}

LRESULT FormWindow::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        window_ = window;
    }
    if (routePointer(router_, window, message, wParam, lParam)) {
        return 0;
    }
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paintForm();
            return 0;
        case WM_TIMER:
            if (wParam >= 1 && wParam <= timers_.size()) {
                const Timer& timer = *timers_[wParam - 1];
                if (timer.onTick) {
                    form_.raise(timer.onTick);
                }
            }
            return 0;
        case WM_COMMAND:
            onCommand(wParam, lParam);
            return 0;
        case WM_SETTINGCHANGE:
            platform_.refreshNumberFormat();
            break;
        case WM_GETOBJECT:
            if (const LRESULT answer = accessibility_.answerWindow(wParam, lParam)) {
                return answer;
            }
            break;
        case WM_CONTEXTMENU:
            if (fromKeyboard(lParam)) {
                contextMenuKey();
                return 0;
            }
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = ::GetFocus();
                if (focus != nullptr && ::IsChild(window_, focus)) {
                    lastFocus_ = focus;
                }
            } else {
                focusFirstControl();
            }
            return 0;
        case WM_CLOSE:
            close(false);
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam != 0) {
                close(true);
            }
            return 0;
        case WM_DESTROY:
            for (std::size_t id = 1; id <= timers_.size(); ++id) {
                ::KillTimer(window_, id);
            }
            ::PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            window_ = nullptr;
            break;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT FormWindow::onPanelMessage(Panel& panel, HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) {
    if (routePointer(panel.router, window, message, wParam, lParam)) {
        return 0;
    }
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paintPanel(panel);
            return 0;
        case WM_COMMAND:
            onCommand(wParam, lParam);
            return 0;
        case WM_GETOBJECT:
            if (const LRESULT answer =
                    accessibility_.answerPanel(window, *panel.frame, wParam, lParam)) {
                return answer;
            }
            break;
        case pictureClickMessage:
            if (const Image* picture = FormAccessibility::pictureToClick(*panel.frame, wParam)) {
                form_.raise(picture->onClick);
            }
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                POINT point{};
                ::GetCursorPos(&point);
                ::ScreenToClient(window, &point);
                const PixelMapping& map = painter_.mapping();
                const Image* image = panel.router.imageAt(map.twipsX(point.x), map.twipsY(point.y));
                ::SetCursor(
                    pictures_.cursor(image != nullptr ? image->pointer() : PointerId::Default));
                return TRUE;
            }
            break;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace dialvane::win32
