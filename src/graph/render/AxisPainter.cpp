#include "graph/render/AxisPainter.h"

#include "core/plot/AxisTicks.h"
#include "core/plot/PlotMapping.h"
#include "core/plot/ViewState.h"
#include "graph/render/GraphRenderer.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace {

// The pixel a device coordinate falls in, kept far from int overflow.
int PixelOf(double v) { return static_cast<int>(std::floor(std::clamp(v, -1e6, 1e6))); }

struct SAxisLine
{
    int at;       // the pixel column (y axis) or row (x axis) it is drawn on
    bool onEdge;  // the origin lies outside: drawn along the nearest edge
};

SAxisLine Place(double pixel, int first, int last)
{
    const int p = PixelOf(pixel);
    return {std::clamp(p, first, last), p < first || p > last};
}

}  // namespace

void DrawReadableAxes(QPainter &p, const CViewState &view, const QRect &area, double k)
{
    const int right = area.x() + area.width(), bottom = area.y() + area.height();
    if (right <= area.x() || bottom <= area.y())
        return;
    const SPlotMapping map = SPlotMapping::Of(view, right, bottom, k);
    const double spacing = 100 * k;
    const auto xTicks = ReadableXTicks(map, right, view.m_bPiUnits ? EAxisUnits::Pi : EAxisUnits::Decimal, spacing);
    const auto yTicks = ReadableYTicks(map, bottom, spacing);
    const SAxisLine yAxis = Place(map.Column(0), area.x(), right - 1);
    const SAxisLine xAxis = Place(map.Row(0), area.y(), bottom - 1);

    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setClipRect(area);

    if (view.m_bShowGrid) {
        QPen grid(QColor(200, 200, 200), 0);
        grid.setDashPattern({1.0, 1.0});
        grid.setCapStyle(Qt::FlatCap);
        p.setPen(grid);
        for (const SAxisTick &t : yTicks)
            p.drawLine(area.x(), PixelOf(t.pixel), right - 1, PixelOf(t.pixel));
        for (const SAxisTick &t : xTicks)
            p.drawLine(PixelOf(t.pixel), area.y(), PixelOf(t.pixel), bottom - 1);
    }

    p.setPen(QPen(Qt::black, 0));
    const int tick = std::max(2, static_cast<int>(std::lround(3 * k)));
    for (const SAxisTick &t : yTicks)
        p.drawLine(yAxis.at - tick, PixelOf(t.pixel), yAxis.at + tick, PixelOf(t.pixel));
    for (const SAxisTick &t : xTicks)
        p.drawLine(PixelOf(t.pixel), xAxis.at - tick, PixelOf(t.pixel), xAxis.at + tick);
    p.drawLine(area.x(), xAxis.at, right - 1, xAxis.at);
    p.drawLine(yAxis.at, area.y(), yAxis.at, bottom - 1);

    const QFont font = CGraphRenderer::Font(14, k);
    p.setFont(font);
    const QFontMetrics fm(font, p.device());
    const int gap = tick + std::max(2, static_cast<int>(std::lround(2 * k)));
    const int height = fm.height();

    // x labels under the axis, or over it where there is no room below (an
    // axis on the bottom edge: y from 0 up, the usual first-quadrant graph).
    std::vector<QString> texts;
    std::vector<double> extents;
    for (const SAxisTick &t : xTicks) {
        texts.push_back(QString::fromStdString(t.text));
        extents.push_back(fm.horizontalAdvance(texts.back()));
    }
    const bool below = xAxis.at + gap + height <= bottom;
    const int top = below ? xAxis.at + gap : xAxis.at - gap - height;
    for (std::size_t i : ShownLabels(xTicks, extents, 8 * k, yAxis.at)) {
        const int left = PixelOf(xTicks[i].pixel - extents[i] / 2);
        const int w = static_cast<int>(extents[i]);
        if (left < area.x() || left + w > right)
            continue;  // a label cut by the edge is harder to read than none
        p.drawText(QPoint(left, top + fm.ascent()), texts[i]);
    }

    // y labels left of the axis, or right of it on the left edge.
    texts.clear();
    extents.clear();
    int widest = 0;
    for (const SAxisTick &t : yTicks) {
        texts.push_back(QString::fromStdString(t.text));
        widest = std::max(widest, fm.horizontalAdvance(texts.back()));
        extents.push_back(height);
    }
    const bool leftOfAxis = yAxis.at - gap - widest >= area.x();
    for (std::size_t i : ShownLabels(yTicks, extents, 2 * k, xAxis.at)) {
        const int w = fm.horizontalAdvance(texts[i]);
        const int left = leftOfAxis ? yAxis.at - gap - w : yAxis.at + gap;
        const int labelTop = PixelOf(yTicks[i].pixel - height / 2.0);
        if (labelTop < area.y() || labelTop + height > bottom)
            continue;
        p.drawText(QPoint(left, labelTop + fm.ascent()), texts[i]);
    }
    p.restore();
}
