#pragma once

#include <cstddef>
#include <vector>

class CExpression;

// A sampled curve in device pixels: a set of polylines. Points of samples
// are truncated to whole pixels; points where a segment leaves the area are
// exact, one pixel beyond the top or bottom edge.
class CCurvePath
{
public:
    struct SPoint
    {
        double x;
        double y;
        bool operator==(const SPoint &) const = default;
    };

    void Clear();
    std::size_t PolylineCount() const { return m_aStarts.size(); }
    // Polyline i is the points [Begin(i), End(i)).
    std::size_t Begin(std::size_t i) const { return m_aStarts[i]; }
    std::size_t End(std::size_t i) const { return i + 1 < m_aStarts.size() ? m_aStarts[i + 1] : m_aPoints.size(); }
    const std::vector<SPoint> &Points() const { return m_aPoints; }
    std::vector<SPoint> Polyline(std::size_t i) const;

    // Number of function evaluations of the last PlotCurve (for tests and the
    // benchmark).
    std::size_t m_nEvaluations = 0;

private:
    friend class CCurveBuilder;
    friend void PlotCurve(CExpression &, int, int, float, double, double, double, int, int, CCurvePath &);
    std::vector<SPoint> m_aPoints;
    std::vector<std::size_t> m_aStarts;
    // Sampling buffers, kept so a redraw does not allocate.
    std::vector<double> m_aX;
    std::vector<double> m_aY;
};

// The x values PlotCurve samples for an area whose right is given: one per
// pixel column over [-halfRange, halfRange] shifted by the pan, x accumulated
// step by step. Empty when the scale is unusable.
void CurveSamplePoints(int right, float step, double halfRange, double scaleX, int panX, std::vector<double> &xs);

// Samples f once per pixel column over [-halfRange, halfRange] (shifted by the
// pan) and joins the samples by the view's rules: visible samples are joined,
// the segment to the first point beyond the top or bottom edge and the one
// back from it are drawn up to the edge, NaN breaks the curve on both sides.
// A pole or a spike between two samples is found by bisection and the curve
// runs to the edge on each side instead of being joined across it.
// right and bottom are the drawing area's extent; step is one pixel in units.
void PlotCurve(CExpression &f, int right, int bottom, float step, double halfRange, double scaleX,
               double scaleY, int panY, int panX, CCurvePath &out);
