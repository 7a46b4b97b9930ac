#pragma once

#include <compare>
#include <cstdint>

namespace dialvane {

// Fixed-point decimal with exactly four places: a signed 64-bit count of ten-thousandths.
// Arithmetic is exact; every result that leaves the range is an Overflow error.
class Currency {
public:
    static constexpr std::int64_t scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t raw) { return Currency(raw); }
    static constexpr Currency fromInt32(std::int32_t whole) { return Currency(whole * scale); }
    // Nearest ten-thousandth, ties to even.
    static Currency fromDouble(double value);

    constexpr std::int64_t raw() const { return raw_; }
    double toDouble() const { return static_cast<double>(raw_) / scale; }
    // Rounded down (towards minus infinity) to a whole number.
    Currency floorWhole() const;

    friend Currency operator-(Currency a, Currency b);
    // Exact whenever one factor is whole; otherwise rounded half to even.
    friend Currency operator*(Currency a, Currency b);
    friend constexpr auto operator<=>(Currency, Currency) = default;

private:
    constexpr explicit Currency(std::int64_t raw) : raw_(raw) {}
    std::int64_t raw_ = 0;
};

}  // namespace dialvane
