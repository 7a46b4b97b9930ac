#include <cmath>

#include "resources/draw/dial.h"
#include "resources/draw/dial_geometry.h"
#include "resources/draw/drawings.h"

namespace dialvane::draw {
namespace {

constexpr int samples = 8;

constexpr DialLook faceLook{.rimInner = 0.88,
                            .bandInner = 0.56,
                            .bandOuter = 0.86,
                            .tickOuter = 0.865,
                            .majorInner = 0.72,
                            .majorWidth = 0.03,
                            .minorInner = 0.79,
                            .minorWidth = 0.014,
                            .centreDot = 0.11};

// Too small for sixty ticks: only the five-minute ones, drawn bolder.
constexpr DialLook iconLook{.rimInner = 0.84,
                            .bandInner = 0.46,
                            .bandOuter = 0.82,
                            .tickOuter = 0.825,
                            .majorInner = 0.66,
                            .majorWidth = 0.06,
                            .minorInner = 0,
                            .minorWidth = 0,
                            .centreDot = 0};

constexpr Rgb needleRed{214, 0, 0};
constexpr Rgb hubRed{222, 44, 32};
constexpr Rgb hubEdge{120, 8, 8};

Paint needleAndHub(Point p, double degrees) {
    const double radius = std::hypot(p.x, p.y);
    if (radius <= 0.17) {
        return solid(radius <= 0.13 ? hubRed : hubEdge);
    }
    if (distanceToSegment(p, {0, 0}, along(degrees, 0.76)) <= 0.055) {
        return solid(needleRed);
    }
    return nothing;
}

}  // namespace

Picture drawDialFace() {
    constexpr int width = 148;
    constexpr int height = 149;
    return render(width, height, samples, [](Point pixel) {
        return over(dial(unitSquare(pixel, width, height), faceLook), solid(formGrey));
    });
}

Picture drawIcon() {
    constexpr int size = 71;
    const double reading = needleDegrees(15);
    return render(size, size, samples, [reading](Point pixel) {
        const Point p = unitSquare(pixel, size, size);
        return over(needleAndHub(p, reading), dial(p, iconLook));
    });
}

Picture drawOptionsBackground() {
    return render(618, 554, 1, [](Point) { return solid({0, 0, 0}); });
}

}  // namespace dialvane::draw
