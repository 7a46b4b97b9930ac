#pragma once

#include "resources/draw/byte_writer.h"
#include "resources/draw/raster.h"

namespace dialvane::draw {

// A GIF89a with one transparent colour, written by giflib: pixels less than half covered
// become transparent, the rest are blended onto the matte, the colour the picture will usually
// be shown on.
Bytes gifFile(const Picture& picture, Rgb matte);

}  // namespace dialvane::draw
