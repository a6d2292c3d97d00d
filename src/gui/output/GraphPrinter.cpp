#include "gui/output/GraphPrinter.h"

#include "gui/view/CorvantaView.h"
#include "gui/view/GraphRenderer.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

void PrintGraph(CCorvantaView &view, QPainter &p, const QRect &page)
{
    if (page.width() <= 0 || page.height() <= 0)
        return;
    view.SetClientSize(view.width(), view.height());
    const double k = static_cast<double>(page.width()) / std::max(1, view.width());
    CGraphRenderer renderer(view);
    const QRect area(0, 0, page.width(), page.height());
    p.save();
    p.translate(page.topLeft());
    p.fillRect(area, Qt::white);
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(area.adjusted(0, 0, -1, -1));
    renderer.DrawGrid(p, area, k);
    renderer.DrawShading(p, area, k);
    const int last = std::min<int>(view.m_nLast, CViewState::kSlots - 1);
    for (int i = 0; i <= last; ++i) {
        const QColor color = CGraphRenderer::SlotColor(view.m_aColor[i]);
        // Pen widths are in screen pixels; on paper they grow with the scale.
        const int width = std::max(1, static_cast<int>(view.m_aWidth[i] * k + 0.5));
        if (!view.m_aFunctions[i].m_strCoded.empty())
            renderer.PlotCurve(p, view.m_aFunctions[i], area, k, color, width);
        if (view.m_aFunctions[i].m_bDerivativeShown && !view.m_aDerivatives[i].m_strCoded.empty())
            renderer.PlotCurve(p, view.m_aDerivatives[i], area, k, color, width);
    }
    renderer.DrawOverlay(p, area, k, k, last);
    p.restore();
}

bool PrintGraph(CCorvantaView &view, QPagedPaintDevice &printer)
{
    QPainter p;
    if (!p.begin(&printer))
        return false;
    const QRect page(0, 0, p.device()->width(), p.device()->height());
    PrintGraph(view, p, page);
    return p.end();
}
