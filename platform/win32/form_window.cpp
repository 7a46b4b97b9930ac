#include "platform/win32/form_window.h"

#include <algorithm>

#include "platform/win32/message_box.h"
#include "platform/win32/text_conversion.h"

namespace dialvane::win32 {

FormWindow::FormWindow(HINSTANCE instance, Form& form, Win32Platform& platform,
                       PictureLibrary& pictures)
    : instance_(instance),
      form_(form),
      platform_(platform),
      pictures_(pictures),
      painter_(pictures, platform.scales()) {}

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
    const PixelMapping& positions = platform_.scales().positions();
    const PixelMapping& sizes = platform_.scales().sizes();
    const std::wstring caption = widen(form_.caption());
    // No taskbar button: a tool window; no border or title: a bare popup. The procedure sets
    // window_ at WM_NCCREATE.
    ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, formWindowClass, caption.c_str(),
                      WS_POPUP | WS_CLIPCHILDREN, positions.x(form_.left()),
                      positions.y(form_.top()), sizes.x(form_.width()), sizes.y(form_.height()),
                      nullptr, nullptr, instance_, static_cast<MessageTarget*>(this));
    if (window_ == nullptr) {
        return;
    }
    // Made where the form places it: on a monitor of another scale it takes that scale before
    // anything is drawn or placed inside it.
    if (const Dpi dpi = platform_.dpiOf(window_); dpi != platform_.scales().window()) {
        platform_.setWindowDpi(dpi);
        syncWindowRect();
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
    controls_.attach(window_, [this] { contextMenuKey(); });
    hoverTip_.attach(window_);
    createPanels();
    controls_.create();
    dropBackground();
    accessibility_.attach(window_, controls_.elementsByWindow());
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
        panel.window = ::CreateWindowExW(
            WS_EX_CONTROLPARENT, panelWindowClass, L"",
            WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (frame.visible() ? WS_VISIBLE : 0),
            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, window_, nullptr,
            instance_, static_cast<MessageTarget*>(&panel));
        controls_.addPanel(frame, panel.window);
    }
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
    const PixelMapping& positions = platform_.scales().positions();
    const PixelMapping& sizes = platform_.scales().sizes();
    ::SetWindowPos(window_, nullptr, positions.x(form_.left()), positions.y(form_.top()),
                   sizes.x(form_.width()), sizes.y(form_.height()), SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::elementChanged(const Element& element) {
    switch (element.kind()) {
        case ElementKind::Timer:
            syncTimer(static_cast<const Timer&>(element));
            break;
        case ElementKind::Frame:
        case ElementKind::TextBox:
        case ElementKind::CommandButton:
            controls_.follow(static_cast<const Control&>(element));
            break;
        default:
            invalidate(element);
            accessibility_.elementChanged(element);
            break;
    }
}

void FormWindow::invalidate(const Element& element) {
    HWND container = controls_.containerOf(element);
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
            controls_.followCaret();
            if (aspect == FormAspect::Size) {
                dropBackground();
            }
            break;
        case FormAspect::Visible:
            if (form_.steppedAside()) {
                break;
            }
            if (form_.visible()) {
                followMonitor();
            }
            ::ShowWindow(window_, form_.visible() ? SW_SHOW : SW_HIDE);
            if (form_.visible()) {
                controls_.restoreFocus();
            }
            break;
        case FormAspect::SteppedAside:
            // Back without taking the keyboard from the program the user is in.
            ::ShowWindow(window_,
                         form_.visible() && !form_.steppedAside() ? SW_SHOWNOACTIVATE : SW_HIDE);
            break;
        case FormAspect::Background:
            dropBackground();
            break;
    }
    hoverTip_.follow();
}

void FormWindow::unloadRequested() {
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
}

void FormWindow::close(bool sessionEnding) {
    if (messageBoxOpen()) {
        // The handler waiting in the box finishes first, on a window that is still there, and
        // the close comes again once it has returned. At the end of the session nothing waits
        // for it: the settings are saved now.
        endMessageBoxes(window_);
        if (!sessionEnding) {
            return;
        }
    }
    // At the end of the session the unload always runs, so no setting is lost.
    if (!unloaded_) {
        if (!form_.queryUnload() && !sessionEnding) {
            return;
        }
        unloaded_ = true;
    }
    if (sessionEnding) {
        // Where the process lives on (the restart manager asked for the close, or the
        // shutdown was cancelled after all), the window ends by itself, the settings saved.
        if (!messageBoxOpen()) {
            ::PostMessageW(window_, WM_CLOSE, 0, 0);
        }
        return;
    }
    ::DestroyWindow(window_);
}

int FormWindow::run() {
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        dispatch(message);
    }
    return static_cast<int>(message.wParam);
}

void FormWindow::dispatch(MSG& message) {
    if (message.message == WM_SYSKEYDOWN && message.wParam == VK_F4) {
        ::PostMessageW(window_, WM_CLOSE, 0, 0);
        return;
    }
    if (!::IsDialogMessageW(window_, &message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

}  // namespace dialvane::win32
