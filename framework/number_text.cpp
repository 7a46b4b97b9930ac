#include "framework/number_text.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/numeric.h"
#include "framework/runtime_error.h"

namespace dialvane {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool startsWith(std::string_view text, std::size_t at, std::string_view prefix) {
    return !prefix.empty() && text.substr(at).starts_with(prefix);
}

// Adds one to a string of decimal digits.
void increment(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// |value| x 10^decimals as a whole number in decimal digits, rounded half away from zero from
// the value's 15 significant digits, so 0.15 shows as 0.2 although its binary form is lower.
std::string scaledDigits(double magnitude, int decimals) {
    // Whole numbers, as every memory reading is, need no rounding: their digits are exact.
    const double scaled = magnitude * std::pow(10.0, decimals);
    if (scaled == std::floor(scaled) && scaled < 1e15) {
        std::string whole = std::to_string(static_cast<long long>(scaled));
        if (whole.size() < static_cast<std::size_t>(decimals) + 1) {
            whole.insert(0, static_cast<std::size_t>(decimals) + 1 - whole.size(), '0');
        }
        return whole;
    }
    // printf rather than to_chars: the same correctly rounded digits without a second
    // floating-point formatter (and its tables) in the program.
    char buffer[48];
    const int length = std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);
    const std::string_view text(buffer, static_cast<std::size_t>(length));
    std::string digits(1, text[0]);
    digits.append(text.substr(2, 14));
    const int exponent = std::atoi(std::string(text.substr(text.find('e') + 1)).c_str());

    const int kept = exponent + 1 + decimals;
    std::string whole;
    if (kept <= 0) {
        whole.assign(1, (kept == 0 && digits[0] >= '5') ? '1' : '0');
    } else if (kept >= static_cast<int>(digits.size())) {
        whole = digits;
        whole.resize(static_cast<std::size_t>(kept), '0');
    } else {
        whole = digits.substr(0, static_cast<std::size_t>(kept));
        if (digits[static_cast<std::size_t>(kept)] >= '5') {
            increment(whole);
        }
    }
    if (whole.size() < static_cast<std::size_t>(decimals) + 1) {
        whole.insert(0, static_cast<std::size_t>(decimals) + 1 - whole.size(), '0');
    }
    return whole;
}

struct SplitDecimal {
    bool negative;
    std::string whole;  // without leading zeros, empty for zero
    std::string fraction;
};

SplitDecimal roundedDecimal(double value, int decimals) {
    finite(value);
    const std::string digits = scaledDigits(std::fabs(value), decimals);
    const std::size_t split = digits.size() - static_cast<std::size_t>(decimals);
    SplitDecimal result{false, digits.substr(0, split), digits.substr(split)};
    result.whole.erase(0, std::min(result.whole.find_first_not_of('0'), result.whole.size()));
    const bool zero =
        result.whole.empty() && result.fraction.find_first_not_of('0') == std::string::npos;
    result.negative = value < 0 && !zero;
    return result;
}

}  // namespace

std::optional<double> parseNumber(std::string_view text, const NumberFormat& format) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    text = text.substr(begin, end - begin);

    std::string plain;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') {
            plain += '-';
        }
        ++i;
    }
    bool anyDigit = false;
    while (i < text.size()) {
        if (isDigit(text[i])) {
            plain += text[i++];
            anyDigit = true;
        } else if (anyDigit && format.groupSeparator != format.decimalSeparator &&
                   startsWith(text, i, format.groupSeparator)) {
            i += format.groupSeparator.size();
        } else {
            break;
        }
    }
    if (startsWith(text, i, format.decimalSeparator)) {
        i += format.decimalSeparator.size();
        plain += '.';
        while (i < text.size() && isDigit(text[i])) {
            plain += text[i++];
            anyDigit = true;
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    if (i < text.size() && std::string_view("eEdD").find(text[i]) != std::string_view::npos) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            plain += text[i++];
        }
        const std::size_t exponentStart = i;
        while (i < text.size() && isDigit(text[i])) {
            plain += text[i++];
        }
        if (i == exponentStart) {
            return std::nullopt;
        }
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    // Only digits, a sign, a point and an exponent are left, which strtod reads the same way
    // in the "C" locale the program never leaves.
    // A value too large or too small for a double is no number either.
    char* stop = nullptr;
    errno = 0;
    const double value = std::strtod(plain.c_str(), &stop);
    if (stop != plain.c_str() + plain.size() || errno == ERANGE || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

double textToDouble(std::string_view text, const NumberFormat& format) {
    const auto value = parseNumber(text, format);
    if (!value) {
        throw RuntimeError(ErrorCode::TypeMismatch, "Type mismatch");
    }
    return *value;
}

float textToSingle(std::string_view text, const NumberFormat& format) {
    return toSingle(textToDouble(text, format));
}

std::string formatHashHash(double value) {
    const SplitDecimal number = roundedDecimal(value, 0);
    std::string text;
    if (number.negative) {
        text.push_back('-');
    }
    text.append(number.whole);
    return text;
}

std::string formatHashHashDotHash(double value, const NumberFormat& format) {
    const SplitDecimal number = roundedDecimal(value, 1);
    std::string text;
    if (number.negative) {
        text.push_back('-');
    }
    text.append(number.whole).append(format.decimalSeparator);
    if (number.fraction != "0") {
        text.append(number.fraction);
    }
    return text;
}

std::string singleToText(float value, const NumberFormat& format) {
    char buffer[32];
    const int length = std::snprintf(buffer, sizeof buffer, "%.7g", static_cast<double>(value));
    std::string text(buffer, static_cast<std::size_t>(length));
    std::replace(text.begin(), text.end(), 'e', 'E');
    const auto point = text.find('.');
    if (point != std::string::npos) {
        text.replace(point, 1, format.decimalSeparator);
    }
    return text;
}

}  // namespace dialvane
