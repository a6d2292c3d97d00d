#include "core/plot/LineClip.h"

#include <cmath>

namespace {

// Liang-Barsky: narrows [t0, t1] by one boundary p t <= q.
bool Narrow(double p, double q, double &t0, double &t1)
{
    if (p == 0)
        return q >= 0;
    const double t = q / p;
    if (p < 0) {
        if (t > t1)
            return false;
        if (t > t0)
            t0 = t;
    } else {
        if (t < t0)
            return false;
        if (t < t1)
            t1 = t;
    }
    return true;
}

}  // namespace

std::optional<SPixelSegment> ClipLine(double px, double py, double dx, double dy, double tMin, double tMax,
                                      double left, double top, double right, double bottom)
{
    for (double v : {px, py, dx, dy, left, top, right, bottom})
        if (!std::isfinite(v))
            return std::nullopt;
    if (std::isnan(tMin) || std::isnan(tMax) || (dx == 0 && dy == 0))
        return std::nullopt;
    double t0 = tMin, t1 = tMax;
    if (!Narrow(-dx, px - left, t0, t1) || !Narrow(dx, right - px, t0, t1) || !Narrow(-dy, py - top, t0, t1) ||
        !Narrow(dy, bottom - py, t0, t1) || !(t0 <= t1) || !std::isfinite(t0) || !std::isfinite(t1))
        return std::nullopt;
    return SPixelSegment{px + t0 * dx, py + t0 * dy, px + t1 * dx, py + t1 * dy};
}
