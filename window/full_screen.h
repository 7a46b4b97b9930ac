#pragma once

#include <cstdint>
#include <optional>

#include "framework/element.h"
#include "framework/platform.h"

namespace dialvane {

// Whether a window has its monitor to itself: it covers the whole monitor and is not a
// maximised window with a caption or a sizing frame (those keep their title bar in sight, or
// draw their own over a client area that fills the monitor).
bool coversItsMonitor(const TopLevelWindow& window);

// The window the gauge steps aside for, 0 for none: the first window on the gauge's monitor
// from the top of the Z order, passing over hidden, minimised and cloaked ones, the gauge
// program's own, the shell's and the desktop's, and topmost ones that do not cover the monitor
// (gadgets, tool palettes), when it covers its monitor, in front or not; or the foreground
// window when it is on that monitor and Windows says a full-screen program or a presentation
// is on.
WindowHandle fullScreenCover(Platform& platform, WindowHandle gauge);

// When to walk the windows again. Every tick takes a cheap look: the foreground window, the
// window the gauge stepped aside for and the gauge's own place. The walk follows when that look
// differs from the last, when asked, and once a second anyway.
class FullScreenWatch {
public:
    static constexpr std::int32_t walkEvery = 1000;  // ms

    // At a tick elapsed ms after the previous one, with the gauge where it is now.
    bool walkDue(Platform& platform, WindowHandle gauge, const Bounds& place, std::int32_t elapsed);
    // What the walk found.
    void walked(WindowHandle cover) { cover_ = cover; }
    // Something the look cannot see changed (the monitors): walk at the next tick.
    void askAgain() { again_ = true; }

private:
    struct Look {
        WindowHandle front = 0;
        std::optional<WindowPlace> frontPlace;
        std::optional<WindowPlace> coverPlace;
        Bounds gauge;
        friend bool operator==(const Look&, const Look&) = default;
    };

    std::optional<Look> last_;
    WindowHandle cover_ = 0;
    std::int32_t sinceWalk_ = 0;
    bool again_ = true;
};

}  // namespace dialvane
