#include "resources/draw/dial.h"

#include <cmath>
#include <numbers>

#include "resources/draw/dial_geometry.h"

namespace dialvane::draw {
namespace {

constexpr Rgb faceCentre{244, 244, 239};
constexpr Rgb faceEdge{226, 226, 220};
constexpr Rgb paleGreen{178, 222, 170};
constexpr Rgb paleRed{242, 170, 162};
constexpr Rgb tickInk{64, 64, 68};
constexpr Rgb darkRed{128, 14, 14};
constexpr Rgb metalDark{92, 96, 104};
constexpr Rgb metalLight{238, 240, 244};
constexpr Rgb rimLine{70, 72, 78};

// Lit from the upper left: the outer bevel faces the light, the inner one turns away from it,
// and a faint fourfold sheen reads as turned metal.
Rgb rim(Point p, double radius, const DialLook& look) {
    const double innerLine = look.rimInner + 0.014;
    if (radius > 0.985 || radius < innerLine) {
        return rimLine;
    }
    const double facing = (-p.x - p.y) / (std::numbers::sqrt2 * radius);
    const double middle = (look.rimInner + 1) / 2;
    const double bevel = radius > middle ? facing : -facing;
    const double sheen = std::cos(4 * std::atan2(p.y, p.x));
    return mix(metalDark, metalLight, 0.55 + 0.32 * bevel + 0.1 * sheen);
}

bool onTick(Point p, double degrees, const DialLook& look) {
    const long step = std::lround(degrees / 6);
    const bool major = step % 5 == 0;
    if (!major && look.minorWidth <= 0) {
        return false;
    }
    const double tick = step * 6.0;
    const double inner = major ? look.majorInner : look.minorInner;
    const double width = major ? look.majorWidth : look.minorWidth;
    return distanceToSegment(p, along(tick, inner), along(tick, look.tickOuter)) <= width / 2;
}

bool between(double degrees, double lowPercent, double highPercent) {
    return degrees >= needleDegrees(lowPercent) && degrees <= needleDegrees(highPercent);
}

}  // namespace

Paint dial(Point p, const DialLook& look) {
    const double radius = std::hypot(p.x, p.y);
    if (radius > 1) {
        return nothing;
    }
    if (radius >= look.rimInner) {
        return solid(rim(p, radius, look));
    }
    if (radius <= look.centreDot) {
        return solid(darkRed);
    }
    const double degrees = angleOf(p);
    if (onTick(p, degrees, look)) {
        return solid(tickInk);
    }
    if (radius >= look.bandInner && radius <= look.bandOuter) {
        // Low readings on green; a needle resting on red means the store is nearly full.
        if (between(degrees, 0, 25)) {
            return solid(paleGreen);
        }
        if (between(degrees, 85, 100)) {
            return solid(paleRed);
        }
    }
    return solid(mix(faceCentre, faceEdge, radius / look.rimInner));
}

}  // namespace dialvane::draw
