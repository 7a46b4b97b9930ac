#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "framework/number_format.h"

namespace dialvane {

// Reads a number the way a user writes it in their locale: blanks around it, a sign, group
// separators inside the integer digits, the decimal separator and an exponent are accepted.
// Nothing else is; a value outside the double range is not a number either.
std::optional<double> parseNumber(std::string_view text, const NumberFormat& format);

// As parseNumber, but a text that is not a number is a TypeMismatch error.
double textToDouble(std::string_view text, const NumberFormat& format);

// As textToDouble, rounded to single precision (Overflow when it does not fit).
float textToSingle(std::string_view text, const NumberFormat& format);

// Pattern "##": the rounded whole number without leading zeros; nothing at all for 0.
std::string formatHashHash(double value);

// Pattern "##.#": integer digits without leading zeros, the decimal separator always, then the
// tenths digit unless it is 0 ("67.2", "50.", ".5").
std::string formatHashHashDotHash(double value, const NumberFormat& format);

// Standard text of a single-precision number: up to 7 significant digits, no leading blank,
// no separator for whole numbers, exponent form "1E+30" for very large or small values.
std::string singleToText(float value, const NumberFormat& format);

}  // namespace dialvane
