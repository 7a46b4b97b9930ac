#include "framework/numeric.h"

#include <cmath>
#include <limits>

#include "framework/runtime_error.h"

namespace dialvane {
namespace {

double roundHalfEven(double value) {
    const double down = std::floor(value);
    const double diff = value - down;
    if (diff < 0.5) {
        return down;
    }
    if (diff > 0.5) {
        return down + 1.0;
    }
    return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

template <typename Int>
Int roundedTo(double value) {
    if (!std::isfinite(value)) {
        throw RuntimeError(ErrorCode::Overflow, "Overflow");
    }
    const double rounded = roundHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        throw RuntimeError(ErrorCode::Overflow, "Overflow");
    }
    return static_cast<Int>(rounded);
}

}  // namespace

std::int16_t toInt16(double value) {
    return roundedTo<std::int16_t>(value);
}

std::int32_t toInt32(double value) {
    return roundedTo<std::int32_t>(value);
}

float toSingle(double value) {
    const double limit = static_cast<double>(std::numeric_limits<float>::max());
    if (!std::isfinite(value) || std::fabs(value) > limit) {
        throw RuntimeError(ErrorCode::Overflow, "Overflow");
    }
    return static_cast<float>(value);
}

double floorChecked(double value) {
    return std::floor(finite(value));
}

double divided(double a, double b) {
    if (b == 0.0) {
        throw RuntimeError(ErrorCode::DivisionByZero, "Division by zero");
    }
    return a / b;
}

double finite(double value) {
    if (!std::isfinite(value)) {
        throw RuntimeError(ErrorCode::Overflow, "Overflow");
    }
    return value;
}

std::int16_t incremented(std::int16_t value) {
    if (value == std::numeric_limits<std::int16_t>::max()) {
        throw RuntimeError(ErrorCode::Overflow, "Overflow");
    }
    return static_cast<std::int16_t>(value + 1);
}

}  // namespace dialvane
