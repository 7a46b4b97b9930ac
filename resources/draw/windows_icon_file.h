#pragma once

#include "resources/draw/byte_writer.h"
#include "resources/draw/drawings.h"
#include "resources/draw/raster.h"

namespace dialvane::draw {

// An .ico with one 24-bit image; pixels at least half covered are opaque in the mask, and
// keep their own colour unblended so the edge takes whatever lies beneath.
Bytes iconFile(const Picture& picture);

// A .cur with one monochrome image.
Bytes cursorFile(const MonochromeImage& image, int hotSpotX, int hotSpotY);

}  // namespace dialvane::draw
