#include "framework/currency.h"

#include <cmath>
#include <limits>

#include "framework/runtime_error.h"

namespace dialvane {
namespace {

[[noreturn]] void overflow() {
    throw RuntimeError(ErrorCode::Overflow, "Overflow");
}

std::int64_t checked(__int128 value) {
    if (value < std::numeric_limits<std::int64_t>::min() ||
        value > std::numeric_limits<std::int64_t>::max()) {
        overflow();
    }
    return static_cast<std::int64_t>(value);
}

}  // namespace

Currency Currency::fromDouble(double value) {
    const double scaled = value * static_cast<double>(scale);
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double limit = 9223372036854775808.0;
    if (!std::isfinite(scaled) || scaled >= limit || scaled < -limit) {
        overflow();
    }
    double down = std::floor(scaled);
    const double diff = scaled - down;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(down, 2.0) != 0.0)) {
        down += 1.0;
    }
    if (down >= limit) {
        overflow();
    }
    return Currency(static_cast<std::int64_t>(down));
}

Currency Currency::floorWhole() const {
    std::int64_t whole = raw_ / scale;
    if (raw_ % scale < 0) {
        --whole;
    }
    return Currency(checked(static_cast<__int128>(whole) * scale));
}

Currency operator-(Currency a, Currency b) {
    return Currency(checked(static_cast<__int128>(a.raw_) - b.raw_));
}

Currency operator*(Currency a, Currency b) {
    const __int128 product = static_cast<__int128>(a.raw_) * b.raw_;
    __int128 quotient = product / Currency::scale;
    const __int128 remainder = product % Currency::scale;
    const __int128 twice = (remainder < 0 ? -remainder : remainder) * 2;
    if (twice > Currency::scale || (twice == Currency::scale && quotient % 2 != 0)) {
        quotient += product < 0 ? -1 : 1;
    }
    return Currency(checked(quotient));
}

}  // namespace dialvane
