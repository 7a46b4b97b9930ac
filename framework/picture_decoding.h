#pragma once

#include <cstdint>
#include <span>

#include "framework/picture_id.h"
#include "framework/pixels.h"

namespace dialvane {

// The program's pictures, GIF or JPEG, decoded by stb_image (built in, so no imaging component
// of the system is loaded). A GIF gives its first image on its logical screen; its transparent
// colour, and whatever the image leaves uncovered, get alpha 0. Empty pixels, never part of a
// picture, for data that is neither or larger than any picture of ours.
Pixels decodePicture(std::span<const std::uint8_t> file);

// The size the file's header gives, without decoding; zero where decoding would fail at once.
PixelSize pictureSize(std::span<const std::uint8_t> file);

}  // namespace dialvane
