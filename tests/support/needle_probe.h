#pragma once

#include <cmath>
#include <numbers>

#include "app/form1.h"

namespace dialvane::testing {

// Where the needle points, in whole degrees clockwise from straight up (-180, 180].
inline int needleDirection(const Form1& form) {
    const double dx = form.SecZ.x2() - form.SecZ.x1();
    const double dy = form.SecZ.y1() - form.SecZ.y2();
    const double degrees = std::atan2(dx, dy) * 180.0 / std::numbers::pi;
    return static_cast<int>(std::lround(degrees / 6.0)) * 6;
}

// A 1200-twip instrument with its pivot in the middle, as start-up leaves it.
inline void placeNeedle(Form1& form) {
    form.needleLength = static_cast<float>(825.0 * (1200.0 / 2220.0));
    form.centreX = form.centreY = 600;
    form.SecZ.setX1(600);
    form.SecZ.setY1(600);
}

}  // namespace dialvane::testing
