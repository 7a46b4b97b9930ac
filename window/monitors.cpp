#include "window/monitors.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "app/form1.h"

namespace dialvane {
namespace {

// Left or top edge as near as it can stay to where it is with the whole length between from and
// to; a length that does not fit starts at from.
float within(float edge, float length, float from, float to) {
    return std::max(from, std::min(edge, to - length));
}

}  // namespace

bool inSight(const std::vector<TwipsRect>& monitors, const Bounds& window) {
    const double middleX = static_cast<double>(window.left) + window.width / 2.0;
    const double middleY = static_cast<double>(window.top) + window.height / 2.0;
    return std::any_of(monitors.begin(), monitors.end(), [&](const TwipsRect& monitor) {
        return monitor.left <= middleX && middleX < monitor.right && monitor.top <= middleY &&
               middleY < monitor.bottom;
    });
}

std::optional<Point> placeInSight(const std::vector<TwipsRect>& monitors, const Bounds& window) {
    if (inSight(monitors, window)) {
        return std::nullopt;
    }
    std::optional<Point> best;
    double shortest = std::numeric_limits<double>::infinity();
    for (const TwipsRect& monitor : monitors) {
        if (monitor.right <= monitor.left || monitor.bottom <= monitor.top) {
            continue;
        }
        const Point place{within(window.left, window.width, monitor.left, monitor.right),
                          within(window.top, window.height, monitor.top, monitor.bottom)};
        const double way = std::hypot(static_cast<double>(place.x) - window.left,
                                      static_cast<double>(place.y) - window.top);
        if (way < shortest) {
            shortest = way;
            best = place;
        }
    }
    return best;
}

// Never lost: after start-up, a release and a change of the monitors, a gauge no monitor shows
// goes onto the nearest one. Its own place is kept in mind, unsaved, and it goes back there
// once a monitor shows that place again, unless it was moved in the meantime. A release places
// it anew: what it was pulled in from then is no place of its own.
void Form1::keepInSight(bool placedByUser) {
    const std::vector<TwipsRect> monitors = platform().monitorAreas();
    if (placedByUser || left() != broughtTo_.x || top() != broughtTo_.y) {
        homePlace_.reset();
    }
    if (homePlace_ && inSight(monitors, {homePlace_->x, homePlace_->y, width(), height()})) {
        const Point home = *std::exchange(homePlace_, std::nullopt);
        setLeft(home.x);
        setTop(home.y);
        return;
    }
    const auto place = placeInSight(monitors, {left(), top(), width(), height()});
    if (!place) {
        return;
    }
    if (!homePlace_ && !placedByUser) {
        homePlace_ = Point{left(), top()};
    }
    broughtTo_ = *place;
    setLeft(place->x);
    setTop(place->y);
}

void Form1::Form_DisplayChanged() {
    keepInSight(false);
    fullScreenWatch_.askAgain();
}

}  // namespace dialvane
