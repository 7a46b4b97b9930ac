#pragma once

#include <cstdint>
#include <vector>

namespace dialvane {

// A picture in memory: 32-bit premultiplied BGRA, rows top to bottom, no padding.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> data;

    std::uint32_t at(int x, int y) const {
        return data[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                    static_cast<std::size_t>(x)];
    }
};

// Smooth scaling: each target pixel averages the source area it covers when shrinking and
// interpolates between neighbours when growing, so stretching keeps thin tick marks visible.
Pixels resample(const Pixels& source, int width, int height);

}  // namespace dialvane
