#pragma once

#include <string>

namespace dialvane {

// The user's regional number format, as far as text <-> number conversions need it.
struct NumberFormat {
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";
};

}  // namespace dialvane
