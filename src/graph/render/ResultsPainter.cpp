#include "graph/render/ResultsPainter.h"

#include "core/plot/PlotMapping.h"
#include "core/plot/ViewState.h"
#include "graph/render/GraphRenderer.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <cmath>
#include <optional>

bool CResultsPainter::SlotPlotted(int slot) const
{
    return slot >= 0 && slot < CViewState::kSlots && slot <= m_state.m_nLast &&
           !m_state.m_aFunctions[slot].m_strCoded.empty();
}

void CResultsPainter::DrawShading(QPainter &p, const QRect &area, double k)
{
    const auto &shading = m_state.m_results.shading;
    if (!shading || !SlotPlotted(shading->slot))
        return;
    const int right = area.x() + area.width(), bottom = area.y() + area.height();
    const SPlotMapping map = SPlotMapping::Of(m_state, right, bottom, k);
    m_region.Build(m_state.m_aFunctions[shading->slot], map, area.x(), area.y(), right, bottom, shading->from,
                   shading->to);
    const QColor colour = CGraphRenderer::SlotColor(m_state.m_aColor[shading->slot]);
    p.save();
    p.setClipRect(area);
    // Aliased, so a pixel is shaded exactly when its centre lies inside.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    const auto &pts = m_region.Points();
    for (std::size_t i = 0; i < m_region.PolygonCount(); ++i) {
        QColor fill = colour;
        fill.setAlpha(m_region.Above(i) ? kAboveAlpha : kBelowAlpha);
        p.setBrush(fill);
        m_aBuffer.clear();
        for (std::size_t j = m_region.Begin(i); j < m_region.End(i); ++j)
            m_aBuffer.emplace_back(pts[j].x, pts[j].y);
        p.drawPolygon(m_aBuffer.data(), static_cast<int>(m_aBuffer.size()));
    }
    p.restore();
}

void CResultsPainter::DrawMark(QPainter &p, const SGraphMark &mark, QPointF c, double k, bool highlighted)
{
    const QColor colour = CGraphRenderer::SlotColor(m_state.m_aColor[mark.slot]);
    const double r = (highlighted ? kHighlightRadius : kMarkRadius) * k;
    const QPen ring(colour, 1.5 * k);
    switch (mark.kind) {
    case EMarkKind::Maximum:
    case EMarkKind::Minimum:
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(c, r, r);
        break;
    case EMarkKind::Inflection:
        p.setPen(ring);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, r, r);
        break;
    case EMarkKind::Root:
    case EMarkKind::Intersection: {
        p.setPen(ring);
        p.setBrush(Qt::NoBrush);
        if (mark.kind == EMarkKind::Root) {
            p.drawEllipse(c, r, r);
        } else {
            const double d = r * 1.3;
            const QPointF diamond[] = {{c.x(), c.y() - d}, {c.x() + d, c.y()}, {c.x(), c.y() + d}, {c.x() - d, c.y()}};
            p.drawPolygon(diamond, 4);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(c, 1.5 * k, 1.5 * k);
        break;
    }
    }
    if (highlighted) {
        p.setPen(QPen(Qt::black, 1.5 * k));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, r + 3 * k, r + 3 * k);
    }
}

void CResultsPainter::DrawMarks(QPainter &p, const QRect &area, double k)
{
    const SGraphResults &results = m_state.m_results;
    m_aBoxes.clear();
    if (results.Empty())
        return;
    const int right = area.x() + area.width(), bottom = area.y() + area.height();
    const SPlotMapping map = SPlotMapping::Of(m_state, right, bottom, k);
    const double reach = (kHighlightRadius + 5) * k;
    p.save();
    p.setClipRect(area);
    p.setRenderHint(QPainter::Antialiasing, true);
    std::optional<QPointF> highlight;
    for (int i = 0; i < static_cast<int>(results.marks.size()); ++i) {
        const SGraphMark &mark = results.marks[i];
        if (!SlotPlotted(mark.slot) || (mark.otherSlot >= 0 && !SlotPlotted(mark.otherSlot)))
            continue;
        const double cx = map.Column(mark.x), cy = map.Row(mark.y);
        if (!(cx > area.x() - reach && cx < right + reach && cy > area.y() - reach && cy < bottom + reach))
            continue;  // off the area (NaN too)
        // The centre of the pixel the curve's own sample would light.
        const QPointF c(std::trunc(cx) + 0.5, std::trunc(cy) + 0.5);
        const bool highlighted = i == results.highlighted;
        DrawMark(p, mark, c, k, highlighted);
        if (highlighted)
            highlight = c;
    }
    if (highlight && results.highlighted >= 0)
        m_aBoxes.push_back(
            DrawLabel(p, area, k, *highlight, (kHighlightRadius + 5) * k, results.marks[results.highlighted].label));
    if (results.shading && SlotPlotted(results.shading->slot)) {
        const double inset = 8 * k;
        m_aBoxes.push_back(DrawLabel(p, area, k, QPointF(area.x() + inset, area.y() + inset), 0, results.shading->label));
    }
    p.restore();
}

QRectF CResultsPainter::DrawLabel(QPainter &p, const QRect &area, double k, QPointF anchor, double gap,
                                  const std::string &text)
{
    if (text.empty())
        return {};
    const QFont font = CGraphRenderer::Font(12, k);
    const QFontMetrics fm(font, p.device());
    const QStringList lines = QString::fromStdString(text).split(QLatin1Char('\n'));
    const double pad = 4 * k;
    double w = 0;
    for (const QString &line : lines)
        w = std::max<double>(w, fm.horizontalAdvance(line));
    w += 2 * pad;
    const double h = fm.height() * lines.size() + 2 * pad;
    const double right = area.x() + area.width(), bottom = area.y() + area.height();
    // Above right of the anchor; to its left or below it where that has no room.
    double x = anchor.x() + gap, y = anchor.y() - gap - h;
    if (x + w > right)
        x = anchor.x() - gap - w;
    if (y < area.y())
        y = anchor.y() + gap;
    x = std::max<double>(area.x(), std::min(x, right - w));
    y = std::max<double>(area.y(), std::min(y, bottom - h));
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(QColor(255, 255, 255, 230));
    const QRectF box(x, y, w, h);
    p.drawRect(box);
    p.setFont(font);
    for (int i = 0; i < lines.size(); ++i)
        p.drawText(QPointF(x + pad, y + pad + fm.ascent() + i * fm.height()), lines[i]);
    p.restore();
    return box;
}
