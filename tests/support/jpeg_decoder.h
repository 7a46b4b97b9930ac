#pragma once

#include <cstdint>
#include <vector>

#include "tests/support/binary_file.h"

namespace dialvane::testing {

struct JpegPixel {
    int r = 0;
    int g = 0;
    int b = 0;
};

// Decoded by libjpeg into RGB; empty (width 0) when it cannot be decoded.
struct JpegPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    JpegPixel at(int x, int y) const;
};

JpegPicture decodeJpeg(const Bytes& bytes);

}  // namespace dialvane::testing
