#pragma once

#include <cstdint>

namespace dialvane {

// A colour as a 32-bit value: red in the low byte, then green, then blue.
struct Colour {
    std::uint32_t value = 0;

    static constexpr Colour rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
        return Colour{static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
                      static_cast<std::uint32_t>(blue) << 16};
    }
    constexpr std::uint8_t red() const { return static_cast<std::uint8_t>(value & 0xFF); }
    constexpr std::uint8_t green() const { return static_cast<std::uint8_t>(value >> 8 & 0xFF); }
    constexpr std::uint8_t blue() const { return static_cast<std::uint8_t>(value >> 16 & 0xFF); }
    friend constexpr bool operator==(Colour, Colour) = default;
};

}  // namespace dialvane
