#include "app/form1.h"
#include "app/settings_keys.h"
#include "gauge/scale.h"

namespace dialvane {

// The dot of the current mode is the only one shown, so a click on it always toggles.
void Form1::imgDot0_Click() {
    switchMode(imgDot0, ImgDot1, "HD");
}

void Form1::ImgDot1_Click() {
    switchMode(ImgDot1, imgDot0, "RAM");
}

void Form1::switchMode(Image& hidden, Image& shown, const std::string& mode) {
    hidden.setVisible(false);
    shown.setVisible(true);
    shown.setLeft(hidden.left());
    shown.setTop(hidden.top());
    lblHDRAM.setCaption(mode);
    save(settings::mode, lblHDRAM.caption());
    reading = 0;
    RestartGauge();
}

// The needle turns around the old pivot first; the next tick draws it around the new one.
void Form1::RestartGauge() {
    const double position = scalePosition(reading);
    Drehen(position);
    PositionElemente();
    ImgMitte.setVisible(true);
    centrePivot();
    TopWindow(hWnd());
    StartSweep();
}

// The clean-up, then a new sweep that keeps the reading.
void Form1::Form_DblClick() {
    CleanUpMemory();
    RestartGauge();
}

}  // namespace dialvane
