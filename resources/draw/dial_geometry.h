#pragma once

#include "resources/draw/raster.h"

namespace dialvane::draw {

// The dial is drawn in a unit square, y down, the centre at (0, 0) and the picture's edges at ±1,
// so a picture of any size, stretched to the square window, keeps the dial round.
Point unitSquare(Point pixel, int width, int height);

// Degrees clockwise from straight up, in (-180, 180], as the needle counts them.
double angleOf(Point p);
Point along(double degrees, double radius);

double distanceToSegment(Point p, Point a, Point b);

// Where the needle points for a reading in per cent: readings above 60 are squeezed so that
// the scale ends near the lower right.
double needleDegrees(double percent);

}  // namespace dialvane::draw
