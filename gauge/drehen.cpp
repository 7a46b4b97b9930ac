#include <cmath>

#include "app/form1.h"
#include "framework/numeric.h"

namespace dialvane {

// Turns the needle tip to a scale position: 60 steps of 6 degrees, clockwise from straight up.
// The pivot stays where it is.
void Form1::Drehen(const double& position) {
    const std::int16_t step = toInt16(position);
    // The needle has always used this value of pi; the tip positions depend on it.
    const double theta = 3.14159265358979 / 180.0 * 6.0 * step;
    const double dx = floorChecked(static_cast<double>(needleLength) * std::sin(theta));
    SecZ.setX2(toSingle(static_cast<double>(centreX) + dx));
    const double dy = floorChecked(static_cast<double>(needleLength) * std::cos(theta));
    SecZ.setY2(toSingle(static_cast<double>(centreY) - dy));
}

}  // namespace dialvane
