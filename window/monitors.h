#pragma once

#include <optional>
#include <vector>

#include "framework/element.h"
#include "framework/platform.h"

namespace dialvane {

// Whether a window at that place can be seen: its middle lies on a monitor.
bool inSight(const std::vector<TwipsRect>& monitors, const Bounds& window);

// Where a window that cannot be seen goes: the shortest move that puts it wholly inside the
// monitor nearest to it (as far as it fits). Nothing when it is in sight or there is no monitor.
std::optional<Point> placeInSight(const std::vector<TwipsRect>& monitors, const Bounds& window);

}  // namespace dialvane
