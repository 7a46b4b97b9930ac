#include "app/form1.h"
#include "framework/number_text.h"

namespace dialvane {

// One reading of how full drive C: is, in percent with one decimal.
void Form1::DiskCheck() {
    const Currency total = module1_.DiskTotalSpace("C:", true, false);
    const Currency free = module1_.DiskFreeSpace("C:", true, false);
    const Currency used = module1_.DiskTotalSpace("C:", true, false) - free;
    if (total == Currency{}) {
        // Nothing could be read: neither a full nor an empty drive may be claimed, and the
        // cycle needs a finite reading to go on.
        reading = 0;
        lbl_MEM.setCaption("-- %");
        return;
    }
    reading = used.toDouble() / total.toDouble() * 100.0;
    lbl_MEM.setCaption(formatHashHashDotHash(reading, platform().numberFormat()) + " %");
}

}  // namespace dialvane
