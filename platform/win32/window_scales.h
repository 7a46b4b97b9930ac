#pragma once

#include "framework/element.h"
#include "platform/win32/pixel_mapping.h"

namespace dialvane::win32 {

// Dots per inch, across and down.
struct Dpi {
    int x = 96;
    int y = 96;
    friend bool operator==(const Dpi&, const Dpi&) = default;
};

// Twips and pixels at a DPI: 1440 twips an inch.
PixelMapping mappingAt(Dpi dpi);

// The window's two scales. Positions on the desktop (Left and Top, and whatever is computed
// from them and the screen's size) convert at the primary monitor's DPI, the system's, so a
// stored position means the same on every monitor; sizes and drawing convert at the DPI of the
// monitor that shows the window, so the gauge is as large and as sharp there as on the primary.
class WindowScales {
public:
    explicit WindowScales(Dpi system);

    Dpi system() const { return system_; }
    Dpi window() const { return window_; }
    void setWindowDpi(Dpi dpi);

    const PixelMapping& positions() const { return positions_; }
    // Changed in place, so whoever holds it follows the window to another monitor.
    const PixelMapping& sizes() const { return sizes_; }

    // A length made in pixels of the primary monitor (a pen's width, a picture's own size, the
    // outline's corner), in pixels of the window's monitor.
    int scaledX(int systemPixels) const;
    int scaledY(int systemPixels) const;
    // A point of the window's surface, in twips at its sizes, as the desktop's positions
    // measure it: the pixel under the pointer is the same in both.
    Point toPositions(Point surface) const;

private:
    Dpi system_;
    Dpi window_;
    PixelMapping positions_;
    PixelMapping sizes_;
};

}  // namespace dialvane::win32
