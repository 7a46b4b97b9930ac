#include "platform/win32/window_scales.h"

#include <cmath>

namespace dialvane::win32 {
namespace {

int scaled(int pixels, int to, int from) {
    if (to == from || from <= 0) {
        return pixels;
    }
    return static_cast<int>(std::nearbyint(static_cast<double>(pixels) * to / from));
}

}  // namespace

PixelMapping mappingAt(Dpi dpi) {
    return PixelMapping(1440.0F / static_cast<float>(dpi.x), 1440.0F / static_cast<float>(dpi.y));
}

WindowScales::WindowScales(Dpi system)
    : system_(system), window_(system), positions_(mappingAt(system)), sizes_(mappingAt(system)) {}

void WindowScales::setWindowDpi(Dpi dpi) {
    window_ = dpi;
    sizes_ = mappingAt(dpi);
}

int WindowScales::scaledX(int systemPixels) const {
    return scaled(systemPixels, window_.x, system_.x);
}

int WindowScales::scaledY(int systemPixels) const {
    return scaled(systemPixels, window_.y, system_.y);
}

Point WindowScales::toPositions(Point surface) const {
    return {positions_.twipsX(sizes_.x(surface.x)), positions_.twipsY(sizes_.y(surface.y))};
}

}  // namespace dialvane::win32
