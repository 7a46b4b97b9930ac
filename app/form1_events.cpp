#include "app/form1.h"

namespace dialvane {

// Which handler each element's events reach.
void Form1::connectEvents() {
    Timer1.onTick = [this] { Timer1_Timer(); };
    Timer2.onTick = [this] { Timer2_Timer(); };
    cmd_EXIT.onClick = [this] { cmd_EXIT_Click(); };
    imgDot0.onClick = [this] { imgDot0_Click(); };
    ImgDot1.onClick = [this] { ImgDot1_Click(); };
}

}  // namespace dialvane
