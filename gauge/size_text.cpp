#include "gauge/size_text.h"

namespace dialvane {
namespace {

constexpr int gigabyteShift = 30;
constexpr int terabyteShift = 40;

// bytes / 2^shift rounded to the nearest whole, halves up, without leaving 64 bits.
std::uint64_t rounded(std::uint64_t bytes, int shift) {
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    return (bytes >> shift) + ((bytes & ((half << 1) - 1)) >= half ? 1 : 0);
}

// Tenths of bytes / 2^shift, rounded the same way.
std::uint64_t roundedTenths(std::uint64_t bytes, int shift) {
    const std::uint64_t unit = std::uint64_t{1} << shift;
    const std::uint64_t rest = bytes & (unit - 1);
    return (bytes >> shift) * 10 + (rest * 10 + unit / 2) / unit;
}

std::string withTenths(std::uint64_t tenths, const NumberFormat& format) {
    return std::to_string(tenths / 10) + format.decimalSeparator + std::to_string(tenths % 10);
}

}  // namespace

std::string sizeText(std::uint64_t bytes, const NumberFormat& format) {
    const std::uint64_t tenths = roundedTenths(bytes, gigabyteShift);
    if (tenths < 1000) {
        return withTenths(tenths, format) + " GB";
    }
    const std::uint64_t whole = rounded(bytes, gigabyteShift);
    if (whole < 1000) {
        return std::to_string(whole) + " GB";
    }
    return withTenths(roundedTenths(bytes, terabyteShift), format) + " TB";
}

}  // namespace dialvane
