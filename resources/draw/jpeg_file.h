#pragma once

#include "resources/draw/byte_writer.h"
#include "resources/draw/raster.h"

namespace dialvane::draw {

// A baseline colour JPEG; the colour is taken as if the picture lay on black.
Bytes jpegFile(const Picture& picture, int quality);

}  // namespace dialvane::draw
