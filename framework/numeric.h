#pragma once

#include <cstdint>

namespace dialvane {

// Whole-number conversions round to nearest with ties to even, and fail with Overflow when the
// result does not fit (or the value is not finite).
std::int16_t toInt16(double value);
std::int32_t toInt32(double value);

// Rounds a double to single precision; Overflow when the value is not finite or too large.
float toSingle(double value);

// Floor towards minus infinity; Overflow for a value that is not finite.
double floorChecked(double value);

// a / b; DivisionByZero when b is 0.
double divided(double a, double b);

// Fails with Overflow unless the value is finite, so invalid arithmetic ends the handler.
double finite(double value);

// 16-bit signed increment that fails instead of wrapping.
std::int16_t incremented(std::int16_t value);

}  // namespace dialvane
