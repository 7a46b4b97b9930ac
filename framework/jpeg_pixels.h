#pragma once

#include <cstdint>
#include <span>

#include "framework/picture_id.h"
#include "framework/pixels.h"

namespace dialvane {

// A sequential, Huffman-coded 8-bit JPEG (grey or YCbCr), opaque, decoded with the integer
// inverse DCT and colour conversion of the common JPEG library, so the pixels come out as
// they do there. Subsampled colour is repeated rather than interpolated. Empty pixels for
// progressive or arithmetic-coded files, other colour models, and data that is cut short.
Pixels jpegPixels(std::span<const std::uint8_t> bytes);

// The size its frame header gives, without decoding; zero when there is none.
PixelSize jpegSize(std::span<const std::uint8_t> bytes);

}  // namespace dialvane
