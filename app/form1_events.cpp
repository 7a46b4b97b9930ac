#include "app/form1.h"

namespace dialvane {

// Which handler each element's events reach.
void Form1::connectEvents() {
    Timer1.onTick = [this] { Timer1_Timer(); };
    Timer2.onTick = [this] { Timer2_Timer(); };
    cmd_EXIT.onClick = [this] { cmd_EXIT_Click(); };
    imgDot0.onClick = [this] { imgDot0_Click(); };
    ImgDot1.onClick = [this] { ImgDot1_Click(); };
    txtHeight.onKeyPress = [this](std::int16_t& key) { txtHeight_KeyPress(key); };
    Monis.onKeyPress = [this](std::int16_t& key) { Monis_KeyPress(key); };
    cmd_weiter.onClick = [this] { cmd_weiter_Click(); };
    cmd_auto.onClick = [this] { cmd_auto_Click(); };
    cmd_aus.onClick = [this] { cmd_aus_Click(); };
    cmd_clear.onClick = [this] { cmd_clear_Click(); };
}

}  // namespace dialvane
