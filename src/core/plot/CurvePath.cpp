#include "core/plot/CurvePath.h"

#include "core/expr/Expression.h"
#include "core/plot/PlotMapping.h"
#include "core/plot/ViewState.h"

#include <algorithm>
#include <cmath>

void CCurvePath::Clear()
{
    m_aPoints.clear();
    m_aStarts.clear();
    m_nEvaluations = 0;
}

std::vector<CCurvePath::SPoint> CCurvePath::Polyline(std::size_t i) const
{
    return {m_aPoints.begin() + static_cast<std::ptrdiff_t>(Begin(i)),
            m_aPoints.begin() + static_cast<std::ptrdiff_t>(End(i))};
}

namespace {

// Jumps between two samples above this many pixels are checked for a pole.
constexpr double kJumpPixels = 2.0;
// Bisection steps of one check, and nesting of checks within one column.
constexpr int kBisections = 52;
constexpr int kMaxDepth = 4;

}  // namespace

class CCurveBuilder
{
public:
    CCurveBuilder(CExpression &f, CCurvePath &out, int bottom, const SPlotMapping &map)
        : m_f(f), m_out(out), m_bottom(bottom), m_map(map)
    {
    }

    double Row(double y) const { return m_map.Row(y); }
    bool Visible(double py) const { return py >= 0 && py <= m_bottom; }

    double RowAt(double x)
    {
        ++m_out.m_nEvaluations;
        return Row(m_f.Evaluate(x));
    }

    // The part of the curve between two samples (x in units, px/py pixels).
    // Two samples beyond opposite edges are joined only when the curve
    // between them proves continuous (a steep crossing, not a pole).
    void Span(double xa, double pxa, double pya, double xb, double pxb, double pyb, int depth)
    {
        if (std::isnan(pya) || std::isnan(pyb))
            return;
        const bool both = !Visible(pya) && !Visible(pyb);
        if (both && ((pya < 0) == (pyb < 0) || depth >= kMaxDepth))
            return;
        if (depth < kMaxDepth && !(std::fabs(pyb - pya) <= kJumpPixels)) {
            double xm, pym;
            if (FindBreak(xa, pya, xb, pyb, xm, pym)) {
                // Column of the break by the mapping, between the two samples.
                const double pxm = pxa + (pxb - pxa) * ((xm - xa) / (xb - xa));
                Span(xa, pxa, pya, xm, pxm, pym, depth + 1);
                Close();
                Span(xm, pxm, pym, xb, pxb, pyb, depth + 1);
                return;
            }
        }
        Segment(pxa, pya, pxb, pyb);
    }

    void Close() { m_open = false; }

    // Between a sample where f is undefined and one where it is defined,
    // the defined point nearest the edge of the domain; false if none.
    bool DomainEdge(double xNan, double xDef, double &x, double &py)
    {
        double a = xNan, b = xDef, pb = NAN;
        for (int i = 0; i < kBisections; ++i) {
            const double m = a + (b - a) / 2;
            if (m == a || m == b)
                break;
            const double p = RowAt(m);
            if (std::isnan(p)) {
                a = m;
            } else {
                b = m;
                pb = p;
            }
        }
        if (std::isnan(pb))
            return false;
        x = b;
        py = pb;
        return true;
    }

    void Finish()
    {
        // Single points (an isolated visible sample) draw nothing.
        auto &starts = m_out.m_aStarts;
        auto &pts = m_out.m_aPoints;
        std::size_t write = 0;
        std::vector<std::size_t> kept;
        kept.reserve(starts.size());
        for (std::size_t i = 0; i < starts.size(); ++i) {
            const std::size_t b = starts[i], e = i + 1 < starts.size() ? starts[i + 1] : pts.size();
            if (e - b < 2)
                continue;
            kept.push_back(write);
            for (std::size_t k = b; k < e; ++k)
                pts[write++] = pts[k];
        }
        pts.resize(write);
        starts.swap(kept);
    }

private:
    // Looks between two samples for a point where the curve is undefined or
    // leaves the area beyond both samples (a pole or a spike). On the way it
    // follows the half with the larger jump; a jump that shrinks to a pixel is
    // a steep but continuous piece.
    bool FindBreak(double a, double pa, double b, double pb, double &xm, double &pm)
    {
        for (int i = 0; i < kBisections; ++i) {
            const double m = a + (b - a) / 2;
            if (!(m > a && m < b))
                return false;
            const double p = RowAt(m);
            if (std::isnan(p) || (!Visible(p) && (p < std::min(pa, pb) - 1 || p > std::max(pa, pb) + 1))) {
                xm = m;
                pm = p;
                return true;
            }
            const double left = std::fabs(p - pa), right = std::fabs(pb - p);
            if (left >= right) {
                b = m;
                pb = p;
            } else {
                a = m;
                pa = p;
            }
            if (std::fabs(pb - pa) <= 1)
                return false;
            // Both ends beyond the same edge: the curve left the area smoothly.
            if (!Visible(pa) && !Visible(pb) && (pa < 0) == (pb < 0))
                return false;
        }
        return false;
    }

    // The end of a segment: the sample itself when it is visible, else where
    // the segment crosses the edge toward it.
    CCurvePath::SPoint EndPoint(double px, double py, double pxOther, double pyOther) const
    {
        if (Visible(py))
            return {std::trunc(px), std::trunc(py)};
        const double edge = py < 0 ? -1.0 : m_bottom + 1.0;
        if (!std::isfinite(pyOther) || !std::isfinite(py))
            return {std::trunc(std::isfinite(pyOther) ? pxOther : px), edge};
        // From the other end (a visible sample is truncated like any drawn point).
        const double ox = Visible(pyOther) ? std::trunc(pxOther) : pxOther;
        const double oy = Visible(pyOther) ? std::trunc(pyOther) : pyOther;
        const double t = (edge - oy) / (py - oy);
        return {std::isfinite(t) ? ox + (px - ox) * t : ox, edge};
    }

    void Segment(double pxa, double pya, double pxb, double pyb)
    {
        const CCurvePath::SPoint a = EndPoint(pxa, pya, pxb, pyb);
        const CCurvePath::SPoint b = EndPoint(pxb, pyb, pxa, pya);
        auto &pts = m_out.m_aPoints;
        if (!m_open || pts.empty() || !(pts.back() == a)) {
            m_out.m_aStarts.push_back(pts.size());
            pts.push_back(a);
        }
        if (!(pts.back() == b)) {
            // Runs along a row or a column need no inner vertices; dropping
            // them keeps flat pieces crisp and the polyline short.
            const std::size_t n = pts.size() - m_out.m_aStarts.back();
            if (n >= 2) {
                const CCurvePath::SPoint &p0 = pts[pts.size() - 2], &p1 = pts.back();
                const bool row = p0.y == p1.y && p1.y == b.y && (p1.x - p0.x) * (b.x - p1.x) > 0;
                const bool column = p0.x == p1.x && p1.x == b.x && (p1.y - p0.y) * (b.y - p1.y) > 0;
                if (row || column) {
                    pts.back() = b;
                    m_open = true;
                    return;
                }
            }
            pts.push_back(b);
        }
        m_open = true;
    }

    CExpression &m_f;
    CCurvePath &m_out;
    int m_bottom;
    SPlotMapping m_map;
    bool m_open = false;
};

void CurveSamplePoints(int right, float step, double halfRange, double scaleX, int panX, std::vector<double> &xs)
{
    xs.clear();
    right = std::max(right, 0);
    if (!(scaleX > 0) || !std::isfinite(scaleX))
        return;
    const double dstep = EffectiveStep(step, scaleX);
    if (!std::isfinite(halfRange))
        halfRange = right / (100 * scaleX) + 5 * dstep;
    const double shift = panX / (CViewState::kUnit * scaleX);
    const double x0 = -halfRange - shift, xEnd = halfRange - shift;
    if (!(xEnd >= x0))
        return;

    // The count is bounded and the loop stops if x can no longer advance, so
    // no scale or pan can keep it running.
    const std::size_t cap = 4 * (static_cast<std::size_t>(right) + 64);
    for (double x = x0; x <= xEnd && xs.size() < cap;) {
        xs.push_back(x);
        const double next = x + dstep;
        if (!(next > x))
            break;
        x = next;
    }
}

void PlotCurve(CExpression &f, int right, int bottom, float step, double halfRange, double scaleX,
               double scaleY, int panY, int panX, CCurvePath &out)
{
    out.Clear();
    right = std::max(right, 0);
    bottom = std::max(bottom, 0);
    if (!(scaleX > 0) || !(scaleY > 0) || !std::isfinite(scaleX) || !std::isfinite(scaleY))
        return;
    const int w2 = right / 2, h2 = bottom / 2;
    // One sample per pixel column.
    CurveSamplePoints(right, step, halfRange, scaleX, panX, out.m_aX);
    const std::size_t n = out.m_aX.size();
    out.m_aY.resize(n);
    f.EvaluateMany(out.m_aX.data(), out.m_aY.data(), n);
    out.m_nEvaluations = n;

    const SPlotMapping map{scaleX, scaleY, w2, h2, panX, panY};
    CCurveBuilder b(f, out, bottom, map);
    auto column = [&map](double x) { return map.Column(x); };
    double prevX = out.m_aX.empty() ? 0 : out.m_aX[0];
    double prevPx = column(prevX);
    double prevPy = n ? b.Row(out.m_aY[0]) : 0;
    bool outOfView = false;
    for (std::size_t i = 0; i < n; ++i) {
        const double x = out.m_aX[i];
        const double px = column(x);
        const double py = b.Row(out.m_aY[i]);
        // Where the domain ends between two samples the curve is drawn up to
        // its last defined point, never across the undefined part.
        double xe, pye;
        if (b.Visible(py)) {
            if (!std::isnan(prevPy)) {
                b.Span(prevX, prevPx, prevPy, x, px, py, 0);
            } else {
                b.Close();
                if (i > 0 && b.DomainEdge(prevX, x, xe, pye))
                    b.Span(xe, prevPx + (px - prevPx) * ((xe - prevX) / (x - prevX)), pye, x, px, py, 0);
            }
            outOfView = false;
        } else {
            if (!std::isnan(prevPy) && !std::isnan(py)) {
                // The segment that leaves the area, or a steep crossing of it.
                if (!outOfView || (prevPy < 0) != (py < 0))
                    b.Span(prevX, prevPx, prevPy, x, px, py, 0);
            } else if (std::isnan(py) && !outOfView && i > 0 && b.DomainEdge(x, prevX, xe, pye)) {
                b.Span(prevX, prevPx, prevPy, xe, prevPx + (px - prevPx) * ((xe - prevX) / (x - prevX)), pye, 0);
            }
            b.Close();
            outOfView = true;
        }
        prevX = x;
        prevPx = px;
        prevPy = py;
    }
    b.Finish();
}
