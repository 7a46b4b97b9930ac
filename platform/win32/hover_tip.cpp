#include "platform/win32/hover_tip.h"

#include <algorithm>
#include <utility>

#include "platform/win32/text_conversion.h"

namespace dialvane::win32 {
namespace {

constexpr UINT_PTR toolId = 1;
constexpr WPARAM anyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2;

bool isPress(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_XBUTTONDOWN:
        case WM_XBUTTONDBLCLK:
            return true;
        default:
            return false;
    }
}

}  // namespace

void HoverTip::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (isPress(message)) {
        pressedAt_ = lParam;
        hide();
        return;
    }
    switch (message) {
        case WM_MOUSEMOVE:
            pointerMoved(wParam, lParam);
            break;
        case WM_MOUSEHOVER:
            if ((wParam & anyButton) == 0 && !pressedAt_) {
                show();
            }
            break;
        case WM_MOUSELEAVE:
            pressedAt_.reset();
            hide();
            break;
        default:
            break;
    }
}

// The system says when the pointer has rested for its hover time, and when it has left. A
// press holds the tip back until the pointer moves on: the system's own move after a release
// at the same place is no move.
void HoverTip::pointerMoved(WPARAM keys, LPARAM at) {
    if ((keys & anyButton) != 0) {
        hide();
        return;
    }
    if (pressedAt_ == at) {
        return;
    }
    pressedAt_.reset();
    const bool hover = !shown_ && form_.detailsOnHover();
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | (hover ? TME_HOVER : 0U), window_,
                          HOVER_DEFAULT};
    ::TrackMouseEvent(&track);
}

void HoverTip::refresh() {
    if (!shown_) {
        return;
    }
    std::wstring text = details();
    if (text.empty()) {
        hide();
    } else if (text != text_) {
        setText(std::move(text));
        place();
    }
}

void HoverTip::follow() {
    if (shown_ && !form_.detailsOnHover()) {
        hide();
    }
}

void HoverTip::show() {
    std::wstring text = details();
    if (text.empty() || !create()) {
        return;
    }
    ::GetCursorPos(&anchor_);
    setText(std::move(text));
    place();
    TTTOOLINFOW info = tool();
    ::SendMessageW(tip_.get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
    shown_ = true;
}

// Empty where the form shows none now, has none, or failed to get them.
std::wstring HoverTip::details() const {
    std::string details;
    if (!form_.detailsOnHover() || !form_.raise([&] { details = form_.details(); })) {
        return {};
    }
    return widen(details);
}

void HoverTip::hide() {
    if (!shown_) {
        return;
    }
    shown_ = false;
    TTTOOLINFOW info = tool();
    ::SendMessageW(tip_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
}

// One tracking tool for the whole window: it shows where and while the program says.
bool HoverTip::create() {
    if (tip_) {
        return true;
    }
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&classes);
    tip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                 instance_, nullptr));
    if (!tip_) {
        return false;
    }
    TTTOOLINFOW info = tool();
    info.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    info.lpszText = text_.data();
    if (!::SendMessageW(tip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info))) {
        tip_.reset();
        return false;
    }
    return true;
}

TTTOOLINFOW HoverTip::tool() const {
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = window_;
    info.uId = toolId;
    return info;
}

void HoverTip::setText(std::wstring text) {
    text_ = std::move(text);
    TTTOOLINFOW info = tool();
    info.lpszText = text_.data();
    ::SendMessageW(tip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

// Below the pointer, as the system places its tips, and wholly on the pointer's monitor: the
// gauge often sits in a corner.
void HoverTip::place() const {
    TTTOOLINFOW info = tool();
    const DWORD size = static_cast<DWORD>(
        ::SendMessageW(tip_.get(), TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&info)));
    const int width = LOWORD(size);
    const int height = HIWORD(size);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromPoint(anchor_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int below = ::GetSystemMetrics(SM_CYCURSOR) * 2 / 3;
    int y = anchor_.y + below;
    if (y + height > work.bottom) {
        y = anchor_.y - height - below / 4;  // above it, clear of the pointer's tip
    }
    const int x = std::max<int>(work.left, std::min<int>(anchor_.x, work.right - width));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    ::SendMessageW(tip_.get(), TTM_TRACKPOSITION, 0,
                   MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

}  // namespace dialvane::win32
