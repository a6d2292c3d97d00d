#pragma once

#include <optional>

// A line segment in device pixels.
struct SPixelSegment
{
    double x1, y1, x2, y2;
};

// The part of the line P(t) = (px + t dx, py + t dy), tMin <= t <= tMax,
// that lies inside [left, right] x [top, bottom]; nothing when it misses the
// area or when any input is not a finite number (infinite t limits allowed).
// Clipping here keeps the drawn coordinates small however far the line's
// ends lie.
std::optional<SPixelSegment> ClipLine(double px, double py, double dx, double dy, double tMin, double tMax,
                                      double left, double top, double right, double bottom);
