#include "app/form1.h"
#include "app/settings_keys.h"

namespace dialvane {

// Saves size, monitor count and mode; the position was saved at the last mouse release.
void Form1::Form_Unload(std::int16_t& cancel) {
    (void)cancel;
    save(settings::size, txtHeight.text());
    save(settings::monitors, Monis.text());
    save(settings::mode, lblHDRAM.caption());
}

void Form1::cmd_EXIT_Click() {
    unload();
}

}  // namespace dialvane
