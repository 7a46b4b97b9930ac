#include "resources/draw/dial_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dialvane::draw {
namespace {

constexpr double degreesPerRadian = 180.0 / std::numbers::pi;

}  // namespace

Point unitSquare(Point pixel, int width, int height) {
    return {pixel.x / (width / 2.0) - 1, pixel.y / (height / 2.0) - 1};
}

double angleOf(Point p) {
    return std::atan2(p.x, -p.y) * degreesPerRadian;
}

Point along(double degrees, double radius) {
    const double radians = degrees / degreesPerRadian;
    return {radius * std::sin(radians), -radius * std::cos(radians)};
}

double distanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    const double t =
        lengthSquared > 0
            ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0, 1.0)
            : 0.0;
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

double needleDegrees(double percent) {
    const double squeezed = percent > 60 ? (percent - 60) * 0.6 + 60 : percent;
    return (squeezed - 41.66) * 3.6;
}

}  // namespace dialvane::draw
