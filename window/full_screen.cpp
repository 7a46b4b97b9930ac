#include "window/full_screen.h"

#include <optional>
#include <string>

namespace dialvane {
namespace {

bool contains(const ScreenRect& outer, const ScreenRect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

bool isEmpty(const ScreenRect& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

// The desktop behind every window, and the shell's windows that draw it.
bool isDesktop(Platform& platform, WindowHandle window, const std::string& className) {
    return window == platform.GetShellWindow() || window == platform.GetDesktopWindow() ||
           className == "Progman" || className == "WorkerW";
}

bool windowsSaysFullScreen(std::int32_t state) {
    return state == qunsBusy || state == qunsRunningD3dFullScreen || state == qunsPresentationMode;
}

// The gauge's monitor, asked once and only when a window needs it: most walks find none.
class GaugeMonitor {
public:
    GaugeMonitor(Platform& platform, WindowHandle gauge) : platform_(platform), gauge_(gauge) {}
    const ScreenRect& operator*() {
        if (!rect_) {
            rect_ = platform_.monitorRect(gauge_);
        }
        return *rect_;
    }

private:
    Platform& platform_;
    WindowHandle gauge_;
    std::optional<ScreenRect> rect_;
};

// Windows' word covers the whole system, so it counts only for the foreground's monitor.
bool foregroundSaysFullScreen(Platform& platform, WindowHandle front, GaugeMonitor& monitor) {
    return front != 0 &&
           platform.GetWindowThreadProcessId(front) != platform.GetCurrentProcessId() &&
           !isDesktop(platform, front, platform.className(front)) &&
           platform.monitorRect(front) == *monitor &&
           windowsSaysFullScreen(platform.SHQueryUserNotificationState());
}

}  // namespace

bool coversItsMonitor(const TopLevelWindow& window) {
    const std::uint32_t style = window.style;
    const bool framed = (style & wsCaption) == wsCaption || (style & wsThickFrame) != 0;
    if ((style & wsMaximize) != 0 && framed) {
        return false;
    }
    return !isEmpty(window.monitor) && contains(window.place.rect, window.monitor);
}

WindowHandle fullScreenCover(Platform& platform, WindowHandle gauge) {
    GaugeMonitor monitor(platform, gauge);
    const std::uint32_t ownProcess = platform.GetCurrentProcessId();
    WindowHandle cover = 0;
    platform.windowsFromTop([&](const TopLevelWindow& window) {
        if (!window.place.visible || window.place.minimised || window.process == ownProcess ||
            window.monitor != *monitor || isEmpty(*monitor) ||
            isDesktop(platform, window.handle, window.className)) {
            return true;
        }
        const bool covers = coversItsMonitor(window);
        // Cloaked is asked last: it loads a library, and only one window needs it.
        if ((window.topmost && !covers) || platform.isCloaked(window.handle)) {
            return true;
        }
        cover = covers ? window.handle : 0;
        return false;
    });
    if (cover != 0) {
        return cover;
    }
    const WindowHandle front = platform.GetForegroundWindow();
    return foregroundSaysFullScreen(platform, front, monitor) && !isEmpty(*monitor) ? front : 0;
}

bool FullScreenWatch::walkDue(Platform& platform, WindowHandle gauge, const Bounds& place,
                              std::int32_t elapsed) {
    Look look;
    look.front = platform.GetForegroundWindow();
    // Where the gauge itself is comes from the form, without asking.
    if (look.front != 0 && look.front != gauge) {
        look.frontPlace = platform.windowPlace(look.front);
    }
    if (cover_ != 0 && cover_ != look.front) {
        look.coverPlace = platform.windowPlace(cover_);
    }
    look.gauge = place;
    sinceWalk_ += elapsed;
    const bool due = again_ || look != last_ || sinceWalk_ >= walkEvery;
    last_ = look;
    if (due) {
        again_ = false;
        sinceWalk_ = 0;
    }
    return due;
}

}  // namespace dialvane
