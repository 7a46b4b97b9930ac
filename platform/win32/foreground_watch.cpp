#include "platform/win32/foreground_watch.h"

#include <utility>
#include <vector>

namespace dialvane::win32 {
namespace {

// Within half a second of a change, with the 100 ms tick.
constexpr DWORD lookEvery = 250;

// The window events arrive on this thread, with no room for a context: the live watches.
std::vector<ForegroundWatch*>& watches() {
    static std::vector<ForegroundWatch*> all;
    return all;
}

RECT windowRect(HWND window) {
    RECT rect{};
    if (window != nullptr) {
        ::GetWindowRect(window, &rect);
    }
    return rect;
}

}  // namespace

ForegroundWatch::ForegroundWatch(std::function<void()> changed) : changed_(std::move(changed)) {
    watches().push_back(this);
}

ForegroundWatch::~ForegroundWatch() {
    std::erase(watches(), this);
}

void ForegroundWatch::start() {
    foregroundHook_.reset(::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND,
                                            nullptr, onEvent, 0, 0, WINEVENT_OUTOFCONTEXT));
}

void CALLBACK ForegroundWatch::onEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                       LONG, DWORD, DWORD) {
    for (ForegroundWatch* watch : watches()) {
        if (hook == watch->foregroundHook_.get() || hook == watch->minimiseHook_.get() ||
            hook == watch->objectHook_.get()) {
            watch->event(event, window, object);
            return;
        }
    }
}

void ForegroundWatch::event(DWORD event, HWND window, LONG object) {
    if (event == EVENT_SYSTEM_FOREGROUND) {
        foregroundEvents_ = true;
    } else if (window != followed_ || object != OBJID_WINDOW) {
        return;  // a caret, a pointer or another window of that thread
    } else if (event == EVENT_OBJECT_LOCATIONCHANGE) {
        locationEvents_ = true;
    }
    // Whoever is in front now; after a destroy that may be nobody, without a foreground event.
    const HWND foreground = ::GetForegroundWindow();
    follow(foreground);
    report(foreground);
}

void ForegroundWatch::afterTick() {
    if (std::exchange(askAgain_, false)) {
        look(true);
    } else if (!(foregroundEvents_ && locationEvents_) && !ourAppActive_ &&
               ::GetTickCount() - lastLook_ >= lookEvery) {
        look(false);
    }
}

void ForegroundWatch::onMessage(UINT message, WPARAM wParam) {
    if (message == WM_ACTIVATEAPP) {
        ourAppActive_ = wParam != FALSE;
    }
    askAgain_ = true;
}

void ForegroundWatch::look(bool always) {
    lastLook_ = ::GetTickCount();
    const HWND foreground = ::GetForegroundWindow();
    const RECT rect = windowRect(foreground);
    if (!always && foreground == lastForeground_ && ::EqualRect(&rect, &lastRect_)) {
        return;
    }
    follow(foreground);
    report(foreground);
}

// The foreground window's own thread, hooked for its minimising, hiding, closing and moving;
// nothing while the foreground is this program's or nobody's.
void ForegroundWatch::follow(HWND foreground) {
    DWORD process = 0;
    const DWORD thread =
        foreground != nullptr ? ::GetWindowThreadProcessId(foreground, &process) : 0;
    followed_ = foreground;
    if (thread == followedThread_) {
        return;
    }
    followedThread_ = thread;
    minimiseHook_.reset();
    objectHook_.reset();
    if (thread == 0 || process == ::GetCurrentProcessId()) {
        return;
    }
    minimiseHook_.reset(::SetWinEventHook(EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND,
                                          nullptr, onEvent, process, thread,
                                          WINEVENT_OUTOFCONTEXT));
    objectHook_.reset(::SetWinEventHook(EVENT_OBJECT_DESTROY, EVENT_OBJECT_LOCATIONCHANGE, nullptr,
                                        onEvent, process, thread, WINEVENT_OUTOFCONTEXT));
}

void ForegroundWatch::report(HWND foreground) {
    lastForeground_ = foreground;
    lastRect_ = windowRect(foreground);
    changed_();
}

}  // namespace dialvane::win32
