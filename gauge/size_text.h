#pragma once

#include <cstdint>
#include <string>

#include "framework/number_format.h"

namespace dialvane {

// An amount of memory or disk as people read it, with the user's decimal separator: gigabytes
// (1024^3 bytes) with one decimal below 100 ("11,2 GB"), whole from 100 ("310 GB"), and
// terabytes (1024 GB) with one decimal from 1000 GB ("1,5 TB"). Halves round up.
std::string sizeText(std::uint64_t bytes, const NumberFormat& format);

}  // namespace dialvane
