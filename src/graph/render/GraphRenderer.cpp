#include "graph/render/GraphRenderer.h"

#include "graph/render/AxisPainter.h"

#include "core/plot/GridLayout.h"
#include "core/plot/PlotMapping.h"
#include "core/plot/ViewState.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <chrono>
#include <cmath>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Device coordinates are whole pixels, truncated toward zero; pixel (x, y)
// is covered by a one-pixel line through its centre.
int Pix(double v)
{
    if (!(v > -1e6))
        return -1000000;
    if (!(v < 1e6))
        return 1000000;
    return static_cast<int>(v);
}

}  // namespace

QColor CGraphRenderer::SlotColor(unsigned colorRef)
{
    return QColor(static_cast<int>(ColorRefRed(colorRef)), static_cast<int>(ColorRefGreen(colorRef)),
                  static_cast<int>(ColorRefBlue(colorRef)));
}

QFont CGraphRenderer::Font(int pixels, double k)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setPixelSize(std::max(1, static_cast<int>(pixels * k)));
    return font;
}

void CGraphRenderer::Render(QPainter &p, const QRect &area, double k, const QColor &background, int nLast,
                            SRenderTiming *timing)
{
    const auto start = Clock::now();
    p.fillRect(area, background);
    DrawGrid(p, area, k);
    DrawShading(p, area, k);
    SRenderTiming local;
    const int last = std::min(nLast, CViewState::kSlots - 1);
    for (int i = 0; i <= last; ++i) {
        if (m_state.m_aDerivativeShown[i] && !m_state.m_aDerivatives[i].m_strCoded.empty())
            PlotCurve(p, m_state.m_aDerivatives[i], area, k, SlotColor(m_state.m_aColor[i]), m_state.m_aWidth[i],
                      &local);
    }
    for (int i = 0; i <= last; ++i) {
        if (!m_state.m_aFunctions[i].m_strCoded.empty())
            PlotCurve(p, m_state.m_aFunctions[i], area, k, SlotColor(m_state.m_aColor[i]), m_state.m_aWidth[i],
                      &local);
    }
    DrawOverlay(p, area, k, 1.0, last);
    if (timing) {
        timing->sampleMs += local.sampleMs;
        timing->paintMs += Ms(Clock::now() - start) - local.sampleMs;
    }
}

void CGraphRenderer::DrawShading(QPainter &p, const QRect &area, double k) { m_results.DrawShading(p, area, k); }

void CGraphRenderer::DrawOverlay(QPainter &p, const QRect &area, double k, double penScale, int nLast)
{
    m_results.DrawMarks(p, area, k);
    m_bLegendDrawn = m_state.m_bShowLegend;
    if (m_bLegendDrawn)
        m_legend.Draw(p, area, k, penScale, nLast);
}

std::vector<QRect> CGraphRenderer::OverlayBoxes() const
{
    std::vector<QRect> boxes;
    for (const QRectF &b : m_results.LabelBoxes())
        if (!b.isEmpty())
            boxes.push_back(b.toAlignedRect());
    if (m_bLegendDrawn && !m_legend.Box().isEmpty())
        boxes.push_back(m_legend.Box());
    return boxes;
}

void CGraphRenderer::DrawGrid(QPainter &p, const QRect &area, double k)
{
    if (m_state.m_bReadableAxes || m_state.m_bPiUnits) {
        DrawReadableAxes(p, m_state, area, k);
        return;
    }
    const int right = area.x() + area.width(), bottom = area.y() + area.height();
    const CGridLayout g = CGridLayout::Compute(right, bottom, k, m_state.m_dScaleX, m_state.m_dScaleY,
                                               m_state.m_nPanX, m_state.m_nPanY, m_state.m_bShowGrid);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setClipRect(area);

    // Dotted grid: one pixel on, one off.
    QPen grid(QColor(200, 200, 200), 0);
    grid.setDashPattern({1.0, 1.0});
    grid.setCapStyle(Qt::FlatCap);
    p.setPen(grid);
    for (double r : g.m_aGridRows) {
        const int y = Pix(r);
        if (y >= area.y() && y < bottom)
            p.drawLine(area.x(), y, right - 1, y);
    }
    for (double c : g.m_aGridColumns) {
        const int x = Pix(c);
        if (x >= area.x() && x < right)
            p.drawLine(x, area.y(), x, bottom - 1);
    }

    const QPen axis(Qt::black, 0);
    p.setPen(axis);
    // An axis limited to the right or bottom edge is drawn on the last
    // pixel inside the area, where it can be seen.
    const int ax = std::min(Pix(g.m_dAxisColumn), std::max(area.x(), right - 1));
    const int ay = std::min(Pix(g.m_dAxisRow), std::max(area.y(), bottom - 1));
    for (double r : g.m_aTickRows) {
        const int y = Pix(r);
        if (y >= area.y() - 1 && y <= bottom)
            p.drawLine(ax - 3, y, ax + 3, y);
    }
    for (double c : g.m_aTickColumns) {
        const int x = Pix(c);
        if (x >= area.x() - 1 && x <= right)
            p.drawLine(x, ay - 3, x, ay + 3);
    }

    const QFont font = Font(14, k);
    p.setFont(font);
    const QFontMetrics fm(font, p.device());
    const int ascent = fm.ascent();
    auto label = [&](const CGridLayout::SLabel &l) {
        const int x = Pix(l.left), y = Pix(l.top);
        if (y > bottom || y + fm.height() < area.y() || x > right || x + 200 * k < area.x())
            return;
        p.drawText(QPoint(x, y + ascent), QString::fromStdString(l.text));
    };
    for (const auto &l : g.m_aYLabels)
        label(l);
    for (const auto &l : g.m_aXLabels)
        label(l);

    // The axes, along the nearest edge when the origin lies outside.
    p.drawLine(area.x(), ay, right - 1, ay);
    p.drawLine(ax, area.y(), ax, bottom - 1);
    p.restore();
}

void CGraphRenderer::PlotCurve(QPainter &p, CExpression &f, const QRect &area, double k, const QColor &color,
                               int width, SRenderTiming *timing)
{
    const int right = area.x() + area.width(), bottom = area.y() + area.height();
    const double sx = k * m_state.m_dScaleX, sy = k * m_state.m_dScaleY;
    const float step = m_state.SampleStep(k);
    const double halfRange = m_state.HalfRange(right, k);
    const auto start = Clock::now();
    ::PlotCurve(f, right, bottom, step, halfRange, sx, sy, m_state.m_nPanY, m_state.m_nPanX, m_path);
    m_sampler.SampleView(f, right, bottom, step, halfRange, SPlotMapping::Of(m_state, right, bottom, k));
    if (timing)
        timing->sampleMs += Ms(Clock::now() - start);
    p.save();
    p.setClipRect(area);
    DrawPath(p, m_path, color, width);
    DrawSpans(p, color, width);
    p.restore();
}

void CGraphRenderer::DrawSpans(QPainter &p, const QColor &color, int width)
{
    const auto &columns = m_sampler.Columns();
    const int w = std::max(1, width);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const CColumnSampler::SColumn &c = columns[i];
        // A proved segment is right there, unless it is so steep that its
        // thin antialiased line would leave the column's pixels pale.
        if ((c.flags & CColumnSampler::kSimple) && std::fabs(c.rowRight - c.rowLeft) <= 4)
            continue;
        // From the pixel its left sample is drawn through up to the right
        // one's, so neighbouring columns tile without a gap.
        const int left = Pix(std::floor(c.left + 0.5)), right = std::max(left + 1, Pix(std::floor(c.right + 0.5)));
        const int x = left - (w - 1) / 2;
        for (const CColumnSampler::SColumnSpan &s : m_sampler.SpansOf(i)) {
            const int top = Pix(std::floor(s.top + 0.5)) - (w - 1) / 2;
            const int bottom = Pix(std::floor(s.bottom + 0.5)) + w / 2;
            p.fillRect(QRect(x, top, right - left + w - 1, bottom - top + 1), color);
        }
    }
}

void CGraphRenderer::DrawPath(QPainter &p, const CCurvePath &path, const QColor &color, int width)
{
    QPen pen(color, std::max(1, width));
    pen.setCosmetic(width <= 1);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setRenderHint(QPainter::Antialiasing, true);
    const auto &pts = path.Points();
    const auto &columns = m_sampler.Columns();
    std::size_t column = 0;
    // A segment through a column where a pole or a jump may lie would join
    // two branches across rows the function does not take: the column's
    // spans show what is there.
    auto acrossJump = [&](double from, double to) {
        const double mid = (from + to) / 2;
        while (column > 0 && columns[column].left > mid)
            --column;
        while (column + 1 < columns.size() && columns[column].right <= mid)
            ++column;
        return column < columns.size() && (columns[column].flags & CColumnSampler::kPole) &&
               columns[column].left <= mid && mid < columns[column].right;
    };
    auto flush = [&] {
        if (m_aBuffer.size() > 1)
            p.drawPolyline(m_aBuffer.data(), static_cast<int>(m_aBuffer.size()));
        m_aBuffer.clear();
    };
    for (std::size_t i = 0; i < path.PolylineCount(); ++i) {
        m_aBuffer.clear();
        for (std::size_t k = path.Begin(i); k < path.End(i); ++k) {
            if (k > path.Begin(i) && acrossJump(pts[k - 1].x, pts[k].x))
                flush();
            m_aBuffer.emplace_back(pts[k].x + 0.5, pts[k].y + 0.5);
        }
        // A lone point still shows (a curve defined at one sample).
        if (m_aBuffer.size() == 1 && path.End(i) - path.Begin(i) == 1)
            p.drawPolyline(m_aBuffer.data(), 1);
        else
            flush();
    }
}

void CGraphRenderer::RenderPage(QPainter &p, const QRect &area, double k)
{
    CViewState &view = m_state;
    p.fillRect(area, Qt::white);
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(area.adjusted(0, 0, -1, -1));
    DrawGrid(p, area, k);
    DrawShading(p, area, k);
    const int last = std::min<int>(view.m_nLast, CViewState::kSlots - 1);
    for (int i = 0; i <= last; ++i) {
        const QColor color = SlotColor(view.m_aColor[i]);
        // Pen widths are in screen pixels; on paper they grow with the scale.
        const int width = std::max(1, static_cast<int>(view.m_aWidth[i] * k + 0.5));
        if (!view.m_aFunctions[i].m_strCoded.empty())
            PlotCurve(p, view.m_aFunctions[i], area, k, color, width);
        if (view.m_aDerivativeShown[i] && !view.m_aDerivatives[i].m_strCoded.empty())
            PlotCurve(p, view.m_aDerivatives[i], area, k, color, width);
    }
    DrawOverlay(p, area, k, k, last);
}
