#include "core/plot/GridLayout.h"

#include "core/expr/ShownNumber.h"

#include <algorithm>
#include <cmath>

namespace {

// Far more lines than any area can show; a safety net against a print scale
// so small that the spacing collapses.
constexpr long kMaxLines = 100000;

}  // namespace

std::string CGridLayout::XLabel(double value, double sx)
{
    const double spacing = 2 / sx;
    return (-1000 < spacing && spacing < 1000) ? ShownValue(value, 6) : FormatExp(value, 4);
}

std::string CGridLayout::YLabel(double value, double sy)
{
    const double spacing = -2 / sy;
    return (-10000 < spacing && spacing < 10000) ? ShownValue(value, 6) : FormatExp(value, 4);
}

CGridLayout CGridLayout::Compute(int right, int bottom, double k, double sx, double sy, int panX, int panY,
                                 bool showGrid)
{
    CGridLayout g;
    if (!(k > 0) || !std::isfinite(k))
        k = 1;
    // Below this the grid would be finer than a pixel.
    k = std::max(k, 0.01);
    right = std::max(right, 0);
    bottom = std::max(bottom, 0);
    const double cx = right / 2, cy = bottom / 2;
    const double px = panX, py = panY;
    const double step = 100 * k, half = 50 * k;
    const double unitX = 50 * k * sx, unitY = 50 * k * sy;

    // Axis positions, limited to the area; labels move to the inner side of
    // an axis that had to be limited to the right or bottom edge.
    const double axRaw = cx + px, ayRaw = cy - py;
    const double ax = std::clamp(axRaw, 0.0, static_cast<double>(right));
    const double ay = std::clamp(ayRaw, 0.0, static_cast<double>(bottom));
    const double yLabelOffset = axRaw > right ? -100 : 5;
    const double xLabelOffset = ayRaw > bottom ? -20 : 5;
    g.m_dAxisRow = ay;
    g.m_dAxisColumn = ax;

    // Rows below the origin: p = cy + step*j while p <= bottom + panY + 50.
    // Indices whose lines and labels all lie 200k or more above the area are
    // skipped arithmetically, so far pans cost nothing.
    {
        long j = std::max(1.0, std::floor((py - cy - 2 * step) / step));
        for (long n = 0; n < kMaxLines; ++j, ++n) {
            const double p = cy + step * j;
            if (!(p <= bottom + py + 50))
                break;
            if (showGrid) {
                g.m_aGridRows.push_back(p - py);
                g.m_aGridRows.push_back(p - half - py);
            }
            g.m_aTickRows.push_back(p - py);
            g.m_aYLabels.push_back({YLabel(-(p - cy) / unitY, sy), ax + yLabelOffset, p - py - 8});
        }
    }
    // Rows above the origin: p = cy - step*j while p >= panY - 50.
    {
        long j = std::max(1.0, std::floor((cy - py - bottom - 2 * step) / step));
        for (long n = 0; n < kMaxLines; ++j, ++n) {
            const double p = cy - step * j;
            if (!(p >= py - 50))
                break;
            if (showGrid) {
                g.m_aGridRows.push_back(p - py);
                g.m_aGridRows.push_back(p + half - py);
            }
            g.m_aTickRows.push_back(p - py);
            g.m_aYLabels.push_back({YLabel(-(p - cy) / unitY, sy), ax + yLabelOffset, p - py - 8});
        }
    }
    // Columns right of the origin: p = cx + step*j while p <= right - panX + 50.
    {
        long j = std::max(1.0, std::floor((-px - cx - 2 * step) / step));
        for (long n = 0; n < kMaxLines; ++j, ++n) {
            const double p = cx + step * j;
            if (!(p <= right - px + 50))
                break;
            if (showGrid) {
                g.m_aGridColumns.push_back(p + px);
                g.m_aGridColumns.push_back(p - half + px);
            }
            g.m_aTickColumns.push_back(p + px);
            g.m_aXLabels.push_back({XLabel((p - cx) / unitX, sx), p + px - 10, ay + xLabelOffset});
        }
    }
    // Columns left of the origin: p = cx - step*j while p >= -50 - panX.
    {
        long j = std::max(1.0, std::floor((cx + px - right - 2 * step) / step));
        for (long n = 0; n < kMaxLines; ++j, ++n) {
            const double p = cx - step * j;
            if (!(p >= -50 - px))
                break;
            if (showGrid) {
                g.m_aGridColumns.push_back(p + px);
                g.m_aGridColumns.push_back(p + half + px);
            }
            g.m_aTickColumns.push_back(p + px);
            g.m_aXLabels.push_back({XLabel((p - cx) / unitX, sx), p + px - 10, ay + xLabelOffset});
        }
    }
    return g;
}
