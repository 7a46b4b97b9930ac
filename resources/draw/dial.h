#pragma once

#include "resources/draw/raster.h"

namespace dialvane::draw {

// Radii are fractions of the dial's radius; widths too.
struct DialLook {
    double rimInner = 0;
    double bandInner = 0;
    double bandOuter = 0;
    double tickOuter = 0;
    double majorInner = 0;
    double majorWidth = 0;
    double minorInner = 0;
    double minorWidth = 0;  // 0 leaves the minor ticks out
    double centreDot = 0;
};

// The dial at a point of the unit square; nothing outside its circle.
Paint dial(Point unit, const DialLook& look);

}  // namespace dialvane::draw
