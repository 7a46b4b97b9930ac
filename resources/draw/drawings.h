#pragma once

#include <vector>

#include "resources/draw/raster.h"

namespace dialvane::draw {

// Colours the transparent pictures are blended onto at their edges: what lies beneath them
// in the window.
inline constexpr Rgb formGrey{192, 192, 192};
inline constexpr Rgb dialFaceBelowCentre{232, 232, 227};
inline constexpr Rgb dialCentreDot{128, 14, 14};

Picture drawDialFace();
Picture drawIcon();
Picture drawOptionsBackground();
Picture drawExitCross();
Picture drawDotRing();
Picture drawDotFilled();
Picture drawHub();

// Two colours and a mask, as a monochrome cursor holds them.
struct MonochromeImage {
    int width = 0;
    int height = 0;
    std::vector<bool> white;
    std::vector<bool> opaque;
};

MonochromeImage drawHandCursor();

}  // namespace dialvane::draw
