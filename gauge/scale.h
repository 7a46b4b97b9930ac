#pragma once

namespace dialvane {

// A reading in percent as needle steps of 6 degrees from straight up: 41.66 % points up,
// each percent turns the needle 3.6 degrees, and the extra -60 steps are one full turn.
inline double scalePosition(double reading) {
    return (reading - 41.66) / 100.0 * 60.0 - 60.0;
}

// Readings above 60 % take less of the dial, so 100 % still lands on the scale.
inline double compressed(double reading) {
    return reading > 60.0 ? (reading - 60.0) * 0.6 + 60.0 : reading;
}

}  // namespace dialvane
