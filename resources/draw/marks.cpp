#include <algorithm>
#include <cmath>

#include "resources/draw/dial_geometry.h"
#include "resources/draw/drawings.h"

namespace dialvane::draw {
namespace {

constexpr int samples = 8;

constexpr Rgb crossRed{218, 18, 18};
constexpr Rgb dotGrey{200, 200, 200};
constexpr Rgb dotEdge{150, 150, 150};
constexpr Rgb salmon{238, 110, 92};
constexpr Rgb salmonLight{252, 170, 150};
constexpr Rgb salmonEdge{168, 48, 36};

// A ring between two radii, with a darker hairline on both sides so it holds against the
// light face.
Paint ring(double radius, double inner, double outer) {
    constexpr double hairline = 0.9;
    if (radius > outer || radius < inner) {
        return nothing;
    }
    const bool edge = radius > outer - hairline || radius < inner + hairline;
    return solid(edge ? dotEdge : dotGrey);
}

}  // namespace

Picture drawExitCross() {
    constexpr double halfStroke = 3.2;
    const Point topLeft{9, 9};
    const Point bottomRight{31, 32};
    const Point topRight{31, 9};
    const Point bottomLeft{9, 32};
    return render(40, 41, samples, [=](Point p) {
        const bool inked = distanceToSegment(p, topLeft, bottomRight) <= halfStroke ||
                           distanceToSegment(p, topRight, bottomLeft) <= halfStroke;
        return inked ? solid(crossRed) : nothing;
    });
}

Picture drawDotRing() {
    return render(14, 14, samples,
                  [](Point p) { return ring(std::hypot(p.x - 7, p.y - 7), 3.5, 6.3); });
}

Picture drawDotFilled() {
    return render(14, 14, samples,
                  [](Point p) { return ring(std::hypot(p.x - 7, p.y - 7), -1, 6.3); });
}

Picture drawHub() {
    constexpr double radius = 7.3;
    constexpr double edge = 1.1;
    return render(16, 16, samples, [](Point p) {
        const double r = std::hypot(p.x - 8, p.y - 8);
        if (r > radius) {
            return nothing;
        }
        if (r > radius - edge) {
            return solid(salmonEdge);
        }
        // A soft highlight towards the upper left makes it read as a domed cap.
        const double highlight = std::hypot(p.x - 5.5, p.y - 5.5) / (radius - edge);
        return solid(mix(salmonLight, salmon, std::min(1.0, highlight)));
    });
}

}  // namespace dialvane::draw
