#include "core/plot/ShadeRegion.h"

#include "core/expr/Expression.h"
#include "core/plot/PlotMapping.h"

#include <algorithm>
#include <cmath>

void CShadeRegion::Open(double px, double py)
{
    m_aStarts.push_back(m_aPoints.size());
    m_aAbove.push_back(true);
    m_aPoints.push_back({px, m_dAxis});
    m_aPoints.push_back({px, py});
    m_nSign = 0;
    m_bOpen = true;
}

void CShadeRegion::Close()
{
    if (!m_bOpen)
        return;
    m_bOpen = false;
    const std::size_t begin = m_aStarts.back();
    // A single sample encloses nothing.
    if (m_aPoints.size() - begin < 3) {
        m_aPoints.resize(begin);
        m_aStarts.pop_back();
        m_aAbove.pop_back();
        return;
    }
    m_aPoints.push_back({m_aPoints.back().x, m_dAxis});
    m_aAbove.back() = m_nSign >= 0;
}

void CShadeRegion::Build(CExpression &f, const SPlotMapping &map, int left, int top, int right, int bottom,
                         double from, double to)
{
    m_aPoints.clear();
    m_aStarts.clear();
    m_aAbove.clear();
    m_bOpen = false;
    if (!(from <= to) || !std::isfinite(from) || !std::isfinite(to) || right <= left || bottom <= top)
        return;
    const double lo = std::max(from, map.UnitX(left)), hi = std::min(to, map.UnitX(right));
    if (!(lo < hi))
        return;

    // One sample per pixel column, both ends exact; the count is bounded
    // whatever the mapping.
    const double columns = map.Column(hi) - map.Column(lo);
    const double cap = 4.0 * (right - left) + 64;
    const auto n = static_cast<std::size_t>(std::clamp(std::ceil(columns), 1.0, cap));
    m_aX.resize(n + 1);
    m_aY.resize(n + 1);
    for (std::size_t i = 0; i <= n; ++i)
        m_aX[i] = lo + (hi - lo) * (static_cast<double>(i) / static_cast<double>(n));
    m_aX[n] = hi;
    f.EvaluateMany(m_aX.data(), m_aY.data(), n + 1);

    const double rowMin = top - 1.0, rowMax = bottom + 1.0;
    auto clampRow = [&](double r) { return std::clamp(r, rowMin, rowMax); };
    m_dAxis = clampRow(map.Row(0.0));

    double prevY = NAN, prevPx = 0, prevRow = 0;
    for (std::size_t i = 0; i <= n; ++i) {
        const double y = m_aY[i];
        const double px = std::clamp(map.Column(m_aX[i]), static_cast<double>(left), static_cast<double>(right));
        if (!std::isfinite(y)) {
            Close();
            prevY = NAN;
            continue;
        }
        const double row = map.Row(y);
        const int sign = y > 0 ? 1 : (y < 0 ? -1 : 0);
        if (m_bOpen && std::isfinite(prevY)) {
            const bool pole = (prevRow < rowMin && row > rowMax) || (prevRow > rowMax && row < rowMin);
            if (pole) {
                Close();
                Open(px, clampRow(row));
            } else if (sign != 0 && m_nSign != 0 && sign != m_nSign) {
                // The curve crosses the axis between the columns: each side
                // gets its own polygon, meeting at the crossing.
                const double xc = prevPx + (px - prevPx) * (prevY / (prevY - y));
                m_aPoints.push_back({xc, m_dAxis});
                Close();
                m_aStarts.push_back(m_aPoints.size());
                m_aAbove.push_back(true);
                m_aPoints.push_back({xc, m_dAxis});
                m_bOpen = true;
                m_aPoints.push_back({px, clampRow(row)});
            } else {
                m_aPoints.push_back({px, clampRow(row)});
            }
        } else {
            Close();
            Open(px, clampRow(row));
        }
        if (sign != 0)
            m_nSign = sign;
        prevY = y;
        prevPx = px;
        prevRow = row;
    }
    Close();
}
