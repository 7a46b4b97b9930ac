#include "app/form1.h"
#include "window/full_screen.h"

namespace dialvane {

// Out of the way while a full-screen program has the gauge's monitor; back where it was, in
// the same view and on top, once it has gone. Nothing is saved either way. The update cycle
// runs on meanwhile, so F12 still moves the hidden window.
void Form1::Form_ForegroundChanged() {
    const bool aside = fullScreenInFront(platform(), hWnd());
    if (aside == steppedAside()) {
        return;
    }
    if (aside) {
        setSteppedAside(true);
        return;
    }
    // The current reading at once, without a sweep that was under way. It is taken last, as
    // a reading may fail, and it is painted only after this handler anyway.
    if (Timer2.enabled()) {
        Timer2.setEnabled(false);
        Timer1.setEnabled(true);
    }
    setSteppedAside(false);
    TopWindow(hWnd());
    followReading();
}

}  // namespace dialvane
