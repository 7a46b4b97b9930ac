#include "app/form1.h"

namespace dialvane {

std::string Form1::accessibleWindowName() const {
    return caption() + ", " + (lblHDRAM.caption() == "RAM" ? "Arbeitsspeicher" : "Laufwerk C:");
}

std::string Form1::accessibleNameOf(const Element& element) const {
    if (&element == &txtHeight) {
        return Label4(0).caption();
    }
    if (&element == &Monis) {
        return Label4(1).caption();
    }
    if (&element == &cmd_EXIT) {
        return "Beenden";
    }
    return {};
}

}  // namespace dialvane
