#pragma once

#include <windows.h>

#include "framework/element.h"
#include "framework/line.h"

namespace dialvane::win32 {

// Twips to pixels at one DPI. Values are clamped into what GDI and the window manager
// handle safely, so a stored position far off any screen cannot wrap around.
class PixelMapping {
public:
    static constexpr int limit = 30000;

    PixelMapping(float twipsPerPixelX, float twipsPerPixelY)
        : tppX_(twipsPerPixelX), tppY_(twipsPerPixelY) {}

    int x(float twips) const { return toPixels(twips, tppX_); }
    int y(float twips) const { return toPixels(twips, tppY_); }
    float twipsX(int pixels) const { return static_cast<float>(pixels) * tppX_; }
    float twipsY(int pixels) const { return static_cast<float>(pixels) * tppY_; }
    float twipsPerPixelX() const { return tppX_; }
    float twipsPerPixelY() const { return tppY_; }
    RECT rect(const Control& control) const;
    RECT rect(const Bounds& bounds) const;
    // Everything a line drawn with a pen this wide can touch, with a pixel to spare for the
    // round caps.
    RECT bounds(const Line& line, int penWidth) const;

private:
    static int toPixels(float twips, float twipsPerPixel);
    float tppX_;
    float tppY_;
};

}  // namespace dialvane::win32
