#include "app/form1.h"
#include "window/full_screen.h"

namespace dialvane {
namespace {

// Out of the way the update cycle only polls F12, this often, and takes no reading.
constexpr std::int32_t asideInterval = 250;
constexpr std::int32_t updateInterval = 100;

}  // namespace

// Out of the way while a full-screen program has the gauge's monitor; back where it was, in the
// same view and on top, once it has gone. Nothing is saved either way. Runs at every tick of
// either timer, before the tick's own work.
void Form1::lookForFullScreen(std::int32_t elapsed) {
    if (!fullScreenWatch_.walkDue(platform(), hWnd(), {left(), top(), width(), height()},
                                  elapsed)) {
        return;
    }
    const WindowHandle cover = fullScreenCover(platform(), hWnd());
    fullScreenWatch_.walked(cover);
    const bool aside = cover != 0;
    if (aside == steppedAside()) {
        return;
    }
    setSteppedAside(aside);
    if (aside) {
        restUpdateCycle();
        return;
    }
    Timer1.setInterval(updateInterval);
    TopWindow(hWnd());
}

// A sweep under way ends: the gauge comes back with the reading of that moment.
void Form1::restUpdateCycle() {
    Timer2.setEnabled(false);
    Timer1.setInterval(asideInterval);
    Timer1.setEnabled(true);
}

}  // namespace dialvane
