#include "platform/win32/pixel_mapping.h"

#include <algorithm>
#include <cmath>

namespace dialvane::win32 {

int PixelMapping::toPixels(float twips, float twipsPerPixel) {
    const double pixels = std::nearbyint(static_cast<double>(twips) / twipsPerPixel);
    if (std::isnan(pixels)) {
        return 0;
    }
    return static_cast<int>(
        std::clamp(pixels, static_cast<double>(-limit), static_cast<double>(limit)));
}

RECT PixelMapping::rect(const Bounds& bounds) const {
    return RECT{x(bounds.left), y(bounds.top), x(bounds.left + bounds.width),
                y(bounds.top + bounds.height)};
}

RECT PixelMapping::rect(const Control& control) const {
    return rect(Bounds{control.left(), control.top(), control.width(), control.height()});
}

RECT PixelMapping::bounds(const Line& line, int penWidth) const {
    const int spare = penWidth / 2 + 2;
    const int x1 = x(line.x1());
    const int y1 = y(line.y1());
    const int x2 = x(line.x2());
    const int y2 = y(line.y2());
    return RECT{std::min(x1, x2) - spare, std::min(y1, y2) - spare, std::max(x1, x2) + spare + 1,
                std::max(y1, y2) + spare + 1};
}

}  // namespace dialvane::win32
