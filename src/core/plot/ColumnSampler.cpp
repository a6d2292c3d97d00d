#include "core/plot/ColumnSampler.h"

#include "core/expr/Expression.h"
#include "core/plot/CurvePath.h"

#include <algorithm>
#include <cmath>

namespace {

// An enclosure this close to values seen at points is drawn as it is: the
// truth lies between the two.
constexpr double kSettle = 0.5;
// Spans this close are one: a pixel row of ink joins them anyway.
constexpr double kJoin = 1.0;
// Interval evaluations of one picture at most, per column and in all: past
// them enclosures are inked as they are, so no function can stall a redraw.
constexpr std::size_t kBudgetPerColumn = 64;
constexpr std::size_t kBudgetBase = 4096;

}  // namespace

double CColumnSampler::ClipRow(double r) const { return std::clamp(r, m_dTop, m_dBottom); }

bool CColumnSampler::Covered(double top, double bottom) const
{
    const SColumn &c = m_aColumns.back();
    for (std::size_t i = c.first; i < m_aSpans.size(); ++i)
        if (m_aSpans[i].top <= top && m_aSpans[i].bottom >= bottom)
            return true;
    return false;
}

// Adds rows [top, bottom] to the column being sampled, merged with the spans
// it touches; they stay sorted by row.
void CColumnSampler::Ink(double top, double bottom)
{
    const std::size_t first = m_aColumns.back().first;
    std::size_t i = first;
    while (i < m_aSpans.size() && m_aSpans[i].bottom + kJoin < top)
        ++i;
    std::size_t j = i;
    while (j < m_aSpans.size() && m_aSpans[j].top <= bottom + kJoin) {
        top = std::min(top, m_aSpans[j].top);
        bottom = std::max(bottom, m_aSpans[j].bottom);
        ++j;
    }
    if (i == j) {
        m_aSpans.insert(m_aSpans.begin() + static_cast<std::ptrdiff_t>(i), {top, bottom});
        return;
    }
    m_aSpans[i] = {top, bottom};
    m_aSpans.erase(m_aSpans.begin() + static_cast<std::ptrdiff_t>(i + 1), m_aSpans.begin() + static_cast<std::ptrdiff_t>(j));
}

void CColumnSampler::Refine(double a, double b, double ra, double rb, int depth)
{
    ++m_nRanges;
    const SInterval e = m_pF->Range(a, b, m_dK);
    if (e.IsEmpty()) {
        m_nFlags |= kPartUndefined;
        return;
    }
    // Rows grow downward: the largest value is the top row.
    const double top = RowOf(e.hi), bottom = RowOf(e.lo);
    if (bottom < m_dTop || top > m_dBottom) {
        m_nFlags |= e.flags;  // all of it beyond one edge: nothing to ink
        return;
    }
    const double ct = ClipRow(top), cb = ClipRow(bottom);
    if (Covered(ct, cb)) {
        m_nFlags |= e.flags;
        return;
    }
    const bool clean = e.Clean();
    if (clean && cb - ct <= 1.0) {
        Ink(ct, cb);
        return;
    }
    const double m = a + (b - a) / 2;
    ++m_nPoints;
    const double rm = RowOf(m_pF->ValueAt(m, m_dK));
    const bool middle = m > a && m < b;
    if (clean && !std::isnan(ra) && !std::isnan(rb) && !std::isnan(rm)) {
        const double seenTop = ClipRow(std::min({ra, rm, rb})), seenBottom = ClipRow(std::max({ra, rm, rb}));
        if (seenTop - ct <= kSettle && cb - seenBottom <= kSettle) {
            Ink(ct, cb);
            return;
        }
    }
    if (depth < kMaxDepth && middle && m_nRanges < m_nBudget) {
        Refine(a, m, ra, rm, depth + 1);
        Refine(m, b, rm, rb, depth + 1);
        return;
    }
    m_nFlags |= e.flags;
    // Bounded, or out of budget before the depth limit: the enclosure.
    if ((std::isfinite(top) && std::isfinite(bottom)) || (depth < kMaxDepth && middle)) {
        Ink(ct, cb);
        return;
    }
    // Unbounded at the limit: a pole, or a jump the arithmetic cannot tell
    // from one. Ink what the points show, and the run to a middle value
    // beyond both ends, which is where a pole sends the curve.
    for (double r : {ra, rm, rb})
        if (r >= m_dTop && r <= m_dBottom)
            Ink(r, r);
    if (!std::isnan(rm) && !std::isnan(ra) && !std::isnan(rb)) {
        if (rm < std::min(ra, rb) && std::min(ra, rb) >= m_dTop)
            Ink(ClipRow(rm), ClipRow(std::min(ra, rb)));
        else if (rm > std::max(ra, rb) && std::max(ra, rb) <= m_dBottom)
            Ink(ClipRow(std::max(ra, rb)), ClipRow(rm));
    }
}

void CColumnSampler::Column(double a, double b, double ra, double rb)
{
    SColumn c;
    c.left = m_map.Column(a);
    c.right = m_map.Column(b);
    c.rowLeft = ra;
    c.rowRight = rb;
    c.first = static_cast<std::uint32_t>(m_aSpans.size());
    m_aColumns.push_back(c);
    m_nFlags = 0;
    if (std::isnan(ra) || std::isnan(rb))
        m_nFlags |= kPartUndefined;
    Refine(a, b, ra, rb, 0);
    SColumn &done = m_aColumns.back();
    done.count = static_cast<std::uint32_t>(m_aSpans.size() - done.first);
    done.flags = m_nFlags;
    // One clean span whose ends are the edge values: the segment between
    // the edge samples is the picture.
    if (m_nFlags == 0 && done.count == 1) {
        const SColumnSpan &s = m_aSpans[done.first];
        const double lo = ClipRow(std::min(ra, rb)), hi = ClipRow(std::max(ra, rb));
        if (lo - s.top <= 1.0 && s.bottom - hi <= 1.0)
            done.flags |= kSimple;
    }
}

void CColumnSampler::Sample(CExpression &f, const double *edges, std::size_t n, const SPlotMapping &map, int bottom)
{
    m_aColumns.clear();
    m_aSpans.clear();
    m_nRanges = 0;
    m_nPoints = 0;
    m_nBudget = kBudgetBase + kBudgetPerColumn * n;
    m_pF = &f;
    m_map = map;
    m_dTop = -1;
    m_dBottom = std::max(bottom, 0) + 1.0;
    const bool degree = f.m_bDegree;
    m_dK = f.TakeAngleFactor();
    if (n == 0)
        return;
    // The edge values in one sweep; EvaluateMany reads the same degree mode.
    m_aValues.resize(n + 1);
    f.m_bDegree = degree;
    f.EvaluateMany(edges, m_aValues.data(), n + 1);
    m_nPoints += n + 1;
    m_aColumns.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        Column(edges[i], edges[i + 1], RowOf(m_aValues[i]), RowOf(m_aValues[i + 1]));
}

void CColumnSampler::SampleView(CExpression &f, int right, int bottom, float step, double halfRange,
                                const SPlotMapping &map)
{
    CurveSamplePoints(right, step, halfRange, map.scaleX, map.panX, m_aEdges);
    const std::size_t n = m_aEdges.size() < 2 ? 0 : m_aEdges.size() - 1;
    if (n == 0 || !(map.scaleY > 0) || !std::isfinite(map.scaleY)) {
        f.m_bDegree = false;
        m_aColumns.clear();
        m_aSpans.clear();
        return;
    }
    Sample(f, m_aEdges.data(), n, map, bottom);
}
