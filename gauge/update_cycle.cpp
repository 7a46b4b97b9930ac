#include "app/form1.h"
#include "framework/numeric.h"
#include "gauge/scale.h"

namespace dialvane {
namespace {

// Key down now and pressed since the previous query.
constexpr std::int16_t freshlyPressed = static_cast<std::int16_t>(0x8001);

}  // namespace

void Form1::StartSweep() {
    sweepCount = 0;
    Timer1.setEnabled(false);
    Timer1.setInterval(100);
    Timer2.setInterval(30);
    Timer2.setEnabled(true);
}

void Form1::takeReading() {
    if (lblHDRAM.caption() == "RAM") {
        MemoryCheck();
    } else {
        DiskCheck();
    }
}

// The sweep climbs one percent a tick from the bottom of the scale until it reaches the
// reading, then hands over to the update timer.
void Form1::Timer2_Timer() {
    lookForFullScreen(Timer2.interval());
    if (steppedAside()) {
        restUpdateCycle();
        return;
    }
    takeReading();
    sweepCount = incremented(sweepCount);
    if (sweepCount >= reading) {
        Timer2.setEnabled(false);
        Timer1.setEnabled(true);
        return;
    }
    // One full turn back (100 %) points the same way, so the sweep never compresses.
    Drehen(scalePosition(static_cast<double>(sweepCount - 100)));
}

void Form1::Timer1_Timer() {
    if (platform().GetAsyncKeyState(virtualKeyF12) == freshlyPressed) {
        setLeft(toSingle(static_cast<double>(platform().screenWidth()) -
                         static_cast<double>(width()) * 1.05));
        setTop(0);
        setVisible(true);
    }
    // Out of the way of a full-screen program: no reading and nothing to paint.
    lookForFullScreen(Timer1.interval());
    if (steppedAside()) {
        return;
    }
    followReading();
}

// The reading is kept compressed above 60 %, as the needle shows it.
void Form1::followReading() {
    takeReading();
    reading = compressed(reading);
    Drehen(scalePosition(reading));
}

}  // namespace dialvane
