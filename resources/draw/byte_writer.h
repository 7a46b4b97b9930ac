#pragma once

#include <cstdint>
#include <vector>

namespace dialvane::draw {

using Bytes = std::vector<std::uint8_t>;

// The icon and cursor formats store their numbers least significant byte first.
inline void put8(Bytes& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFFU));
}

inline void put16(Bytes& out, unsigned value) {
    put8(out, value);
    put8(out, value >> 8U);
}

inline void put32(Bytes& out, std::uint32_t value) {
    put16(out, value & 0xFFFFU);
    put16(out, value >> 16U);
}

}  // namespace dialvane::draw
