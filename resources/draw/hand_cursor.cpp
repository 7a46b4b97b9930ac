#include <array>
#include <cmath>
#include <numbers>
#include <optional>

#include "resources/draw/dial_geometry.h"
#include "resources/draw/drawings.h"

namespace dialvane::draw {
namespace {

constexpr int size = 32;

// The hand is laid out upright, the fingertip at (0, 0) and the wrist below, then turned so
// the finger points to the top-left corner, where the hot spot is.
struct Capsule {
    Point from;
    Point to;
    double radius = 0;
};

struct RoundedBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    double corner = 0;
};

bool inside(Point p, const Capsule& c) {
    return distanceToSegment(p, c.from, c.to) <= c.radius;
}

bool inside(Point p, const RoundedBox& b) {
    const double dx = std::max({b.left + b.corner - p.x, 0.0, p.x - (b.right - b.corner)});
    const double dy = std::max({b.top + b.corner - p.y, 0.0, p.y - (b.bottom - b.corner)});
    return std::hypot(dx, dy) <= b.corner;
}

// Parts that meet along a drawn line get different numbers; the pointing finger and the palm
// are one piece.
enum class Part { Palm, Thumb, Middle, Ring, Little, Cuff };

// The folded fingers sit far enough down the pointing one that, once turned, they clear the
// top edge.
constexpr Capsule pointing{{0, 2.4}, {0, 17}, 2.4};
constexpr std::array<Capsule, 3> folded{{
    {{4.5, 13.5}, {4.5, 18}, 2.1},
    {{8.5, 14.5}, {8.5, 18.5}, 2.0},
    {{12.2, 16}, {12.2, 19}, 1.8},
}};
constexpr Capsule thumb{{-3.4, 23}, {-4.2, 16.2}, 2.1};
constexpr RoundedBox palm{-2.4, 15, 14, 26, 3};
constexpr RoundedBox cuff{0.4, 25, 12.4, 29, 0.8};

std::optional<Part> partAt(Point upright) {
    if (inside(upright, pointing)) {
        return Part::Palm;
    }
    constexpr std::array fingers{Part::Middle, Part::Ring, Part::Little};
    for (std::size_t i = 0; i < folded.size(); ++i) {
        if (inside(upright, folded.at(i))) {
            return fingers.at(i);
        }
    }
    if (inside(upright, thumb)) {
        return Part::Thumb;
    }
    if (inside(upright, cuff)) {
        return Part::Cuff;
    }
    if (inside(upright, palm)) {
        return Part::Palm;
    }
    return std::nullopt;
}

// Turns a screen point back into the upright layout: the finger's direction (0, -1) there is
// up and to the left on screen.
Point upright(Point screen) {
    constexpr double s = std::numbers::sqrt2 / 2;
    return {s * (screen.x - screen.y), s * (screen.x + screen.y)};
}

}  // namespace

MonochromeImage drawHandCursor() {
    // The rounded tip's outermost point sits just inside the corner pixel.
    constexpr Point tip{0.25, 0.25};
    const auto partOfPixel = [&](int x, int y) -> std::optional<Part> {
        if (x < 0 || y < 0 || x >= size || y >= size) {
            return std::nullopt;
        }
        return partAt(upright({x + 0.5 - tip.x, y + 0.5 - tip.y}));
    };
    MonochromeImage image{size, size, std::vector<bool>(size * size),
                          std::vector<bool>(size * size)};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const auto part = partOfPixel(x, y);
            if (!part) {
                continue;
            }
            const bool outline = partOfPixel(x - 1, y) != part || partOfPixel(x + 1, y) != part ||
                                 partOfPixel(x, y - 1) != part || partOfPixel(x, y + 1) != part;
            const auto index = static_cast<std::size_t>(y * size + x);
            image.opaque[index] = true;
            image.white[index] = !outline;
        }
    }
    return image;
}

}  // namespace dialvane::draw
