#include <cstdint>
#include <string>
#include <string_view>

#include "app/form1.h"
#include "gauge/size_text.h"

namespace dialvane {
namespace {

std::string usage(std::string_view what, std::uint64_t total, std::uint64_t free,
                  const NumberFormat& format) {
    // In use is what is not free, as Windows' own tools count it.
    const std::uint64_t used = total > free ? total - free : 0;
    return std::string(what) + sizeText(used, format) + " von " + sizeText(total, format) +
           " belegt, " + sizeText(free, format) + " frei";
}

}  // namespace

// Asked for the mode the gauge shows, from the same kind of query as its reading, in 64 bits.
std::string Form1::details() {
    const NumberFormat format = platform().numberFormat();
    if (lblHDRAM.caption() == "RAM") {
        MEMORYSTATUSEX status{};
        if (!platform().GlobalMemoryStatusEx(status) || status.ullTotalPhys == 0) {
            return {};
        }
        return usage("Arbeitsspeicher: ", status.ullTotalPhys, status.ullAvailPhys, format);
    }
    const auto drive = module1_.DiskBytes("C:");
    if (!drive || drive->total == 0) {
        return {};
    }
    return usage("Laufwerk C: ", drive->total, drive->free, format);
}

// Not in the options view, nor while the window is hidden or out of a full-screen program's way.
bool Form1::detailsOnHover() const {
    return visible() && !steppedAside() && width() == height();
}

}  // namespace dialvane
