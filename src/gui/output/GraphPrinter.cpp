#include "gui/output/GraphPrinter.h"

#include "gui/view/CorvantaView.h"
#include "graph/render/GraphRenderer.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

void PrintGraph(CCorvantaView &view, QPainter &p, const QRect &page)
{
    if (page.width() <= 0 || page.height() <= 0)
        return;
    CGraph &graph = view.Graph();
    graph.SetClientSize(view.width(), view.height());
    const double k = static_cast<double>(page.width()) / std::max(1, view.width());
    p.save();
    p.translate(page.topLeft());
    graph.Renderer().RenderPage(p, QRect(0, 0, page.width(), page.height()), k);
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
