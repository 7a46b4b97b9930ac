#pragma once

#include <windows.h>

#include <functional>

#include "platform/win32/unique_handle.h"

namespace dialvane::win32 {

inline void unhookWinEvent(HWINEVENTHOOK hook) {
    ::UnhookWinEvent(hook);
}
using unique_win_event_hook = unique_handle<HWINEVENTHOOK, unhookWinEvent>;

// Tells when the foreground window changes, moves, is minimised or goes away. Windows reports
// that through window events; those of the foreground window come from its own thread only,
// so the gauge is not woken for every caret and pointer move on the desktop. Where no such
// events arrive (Wine sends none), it looks at the foreground itself, at most four times a
// second and only at the ticks of timers that run anyway, never while the gauge's own
// program is the active one: then Windows tells it when another one takes over.
class ForegroundWatch {
public:
    explicit ForegroundWatch(std::function<void()> changed);
    ~ForegroundWatch();
    ForegroundWatch(const ForegroundWatch&) = delete;
    ForegroundWatch& operator=(const ForegroundWatch&) = delete;

    void start();
    // Called after every timer tick.
    void afterTick();
    // WM_ACTIVATEAPP (this program became the active one, or another did) and
    // WM_DISPLAYCHANGE.
    void onMessage(UINT message, WPARAM wParam);
    // Something the verdict depends on changed here (the display, the window's place): it is
    // asked again after the next tick.
    void askAgain() { askAgain_ = true; }

private:
    static void CALLBACK onEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                 LONG child, DWORD thread, DWORD time);
    void event(DWORD event, HWND window, LONG object);
    void look(bool always);
    void follow(HWND foreground);
    void report(HWND foreground);

    std::function<void()> changed_;
    unique_win_event_hook foregroundHook_;
    unique_win_event_hook minimiseHook_;
    unique_win_event_hook objectHook_;
    HWND followed_ = nullptr;
    DWORD followedThread_ = 0;
    bool foregroundEvents_ = false;
    bool locationEvents_ = false;
    bool ourAppActive_ = false;
    bool askAgain_ = true;
    DWORD lastLook_ = 0;
    HWND lastForeground_ = nullptr;
    RECT lastRect_{};
};

}  // namespace dialvane::win32
