#pragma once

#include <cstdint>
#include <span>

#include "framework/picture_id.h"
#include "framework/pixels.h"

namespace dialvane {

// The first image of a GIF on its logical screen. The transparent colour, and whatever the
// image leaves uncovered, get alpha 0. Empty pixels for data that is not a GIF or is cut short.
Pixels gifPixels(std::span<const std::uint8_t> bytes);

// The size of its logical screen, without decoding; zero when it is not a GIF.
PixelSize gifSize(std::span<const std::uint8_t> bytes);

}  // namespace dialvane
