#pragma once

#include "core/plot/CurvePath.h"

#include <cstddef>
#include <vector>

class CExpression;
struct SPlotMapping;

// The region between a curve and the x axis over [from, to] in device
// pixels, as polygons ready to be filled: each one a run of the curve,
// closed along the axis row. Runs above and below the axis are separate
// polygons, so they can be told apart; a run ends where f is undefined or
// infinite, or where it jumps across the whole area between two columns
// (a pole). Only the part inside the area is kept: x is clipped to the
// columns [left, right] and rows to one pixel beyond the top and bottom.
class CShadeRegion
{
public:
    void Build(CExpression &f, const SPlotMapping &map, int left, int top, int right, int bottom, double from,
               double to);

    std::size_t PolygonCount() const { return m_aStarts.size(); }
    // Polygon i is the points [Begin(i), End(i)).
    std::size_t Begin(std::size_t i) const { return m_aStarts[i]; }
    std::size_t End(std::size_t i) const { return i + 1 < m_aStarts.size() ? m_aStarts[i + 1] : m_aPoints.size(); }
    bool Above(std::size_t i) const { return m_aAbove[i]; }
    const std::vector<CCurvePath::SPoint> &Points() const { return m_aPoints; }

private:
    void Open(double px, double py);
    void Close();

    std::vector<CCurvePath::SPoint> m_aPoints;
    std::vector<std::size_t> m_aStarts;
    std::vector<bool> m_aAbove;
    std::vector<double> m_aX;  // sampling buffers, kept between redraws
    std::vector<double> m_aY;
    double m_dAxis = 0.0;
    int m_nSign = 0;  // of the open polygon; 0 while only zeros were seen
    bool m_bOpen = false;
};
