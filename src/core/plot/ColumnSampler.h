#pragma once

#include "core/plot/PlotMapping.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class CExpression;

// A curve as ink per pixel column: for each column, the rows the function
// takes on the column's x-interval, as one or more vertical spans.
//
// The values come from the interval evaluator (CExpression::Range), which
// encloses them for sure; a column whose enclosure is wider than a pixel is
// halved until the enclosure is a pixel wide, or until point samples show it
// is no more than half a pixel wider than values the function really takes,
// or until a depth limit or the picture's work budget is reached. There the
// enclosure itself is inked: over-inking at worst, never omitting. Only an
// unbounded enclosure at the depth limit (a pole, or a jump the arithmetic
// cannot tell from one) is inked as its point samples plus the run toward
// a middle sample beyond both ends, which is where a pole sends the curve.
//
// Spans that do not touch stay apart: a pole or a jump (abs(x)/x at 0) is not
// joined across. A column proved continuous whose one span is, to a pixel,
// the segment between its edge samples is marked simple: the renderer may
// keep the polyline there.
//
// Use:
//     CColumnSampler sampler;
//     sampler.Sample(f, edges, n, map, bottom);  // or SampleView(...)
//     for (std::size_t i = 0; i < sampler.Columns().size(); ++i)
//         for (const SColumnSpan &s : sampler.SpansOf(i)) ...  // rows s.top..s.bottom
// Rows are device pixels of the mapping (y down), clipped to [-1, bottom + 1].
class CColumnSampler
{
public:
    enum : std::uint8_t {
        kPartUndefined = 1,  // undefined somewhere in the column: a gap or a domain edge
        kPole = 2,           // a pole or a jump may lie in the column
        kSimple = 4,         // proved continuous, and the polyline segment is right to a pixel
    };

    struct SColumnSpan
    {
        double top;     // smaller row
        double bottom;  // larger row
    };

    struct SColumn
    {
        double left;   // device column of the left edge
        double right;  // and of the right edge
        double rowLeft;   // row of the value at the left edge (NaN where undefined)
        double rowRight;  // the same at the right edge
        std::uint32_t first = 0;  // index of the first span in Spans()
        std::uint32_t count = 0;
        std::uint8_t flags = 0;
    };

    // Columns between the x values edges[0..n] in units: column i is
    // [edges[i], edges[i+1]]. Reads and clears f.m_bDegree like EvaluateMany.
    void Sample(CExpression &f, const double *edges, std::size_t n, const SPlotMapping &map, int bottom);

    // The columns of the curve sampler PlotCurve (CurvePath.h): its samples
    // are the edges, so a simple column spans exactly its polyline segment.
    void SampleView(CExpression &f, int right, int bottom, float step, double halfRange,
                    const SPlotMapping &map);

    const std::vector<SColumn> &Columns() const { return m_aColumns; }
    const std::vector<SColumnSpan> &Spans() const { return m_aSpans; }
    std::span<const SColumnSpan> SpansOf(std::size_t column) const
    {
        return {m_aSpans.data() + m_aColumns[column].first, m_aColumns[column].count};
    }

    // Work of the last call, for tests and the benchmark. The interval
    // evaluations stay within 4096 + 64 a column, plus one a column and
    // kMaxDepth for the halvings under way when that budget runs out.
    std::size_t m_nRanges = 0;  // interval evaluations
    std::size_t m_nPoints = 0;  // point evaluations

    // Halvings of a column at most: a leaf is 1/1024 of it.
    static constexpr int kMaxDepth = 10;

private:
    void Column(double a, double b, double ra, double rb);
    void Refine(double a, double b, double ra, double rb, int depth);
    void Ink(double top, double bottom);
    bool Covered(double top, double bottom) const;
    double RowOf(double y) const { return m_map.Row(y); }
    double ClipRow(double r) const;

    std::vector<SColumn> m_aColumns;
    std::vector<SColumnSpan> m_aSpans;
    std::vector<double> m_aEdges;
    std::vector<double> m_aValues;
    CExpression *m_pF = nullptr;
    SPlotMapping m_map;
    double m_dK = 1.0;
    std::size_t m_nBudget = 0;  // interval evaluations allowed this picture
    double m_dTop = -1, m_dBottom = 0;  // clip rows
    std::uint8_t m_nFlags = 0;          // of the column being sampled
};
