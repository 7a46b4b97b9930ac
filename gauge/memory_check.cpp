#include "app/form1.h"
#include "framework/number_text.h"

namespace dialvane {

// One reading of the physical-memory load; the label always shows the true load.
void Form1::MemoryCheck() {
    MEMORYSTATUS status{};
    platform().GlobalMemoryStatus(status);
    reading = static_cast<double>(status.dwMemoryLoad);
    lbl_MEM.setCaption(formatHashHash(reading) + " %");
}

}  // namespace dialvane
