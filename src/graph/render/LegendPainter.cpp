#include "graph/render/LegendPainter.h"

#include "core/plot/Parameters.h"
#include "core/plot/ViewState.h"
#include "graph/render/GraphRenderer.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

void CLegendPainter::Draw(QPainter &p, const QRect &area, double k, double penScale, int nLast)
{
    struct SEntry
    {
        int slot;
        QString text;
        QString values;  // "a = 2.5, b = 1": the values the curve is drawn with
    };
    std::vector<SEntry> entries;
    const int last = std::min(nLast, CViewState::kSlots - 1);
    for (int i = 0; i <= last; ++i) {
        if (m_state.m_aFunctions[i].m_strCoded.empty())
            continue;
        const CExpression &f = m_state.m_aFunctions[i];
        const QString text = QString::fromStdString(f.m_strText);
        QStringList values;
        for (const char letter : f.UsedParameters())
            values << QString::fromStdString(ParameterText(letter, f.Parameter(letter)));
        const QString shown = values.join(QStringLiteral(", "));
        entries.push_back({i, text, shown});
        // A derivative shares its function's pen, so its text names the function.
        if (m_state.m_aDerivativeShown[i] && !m_state.m_aDerivatives[i].m_strCoded.empty())
            entries.push_back(
                {i, QStringLiteral("(%1)' = %2").arg(text, QString::fromStdString(m_state.m_aDerivatives[i].m_strText)), shown});
    }
    m_box = QRect();
    if (entries.empty() || area.isEmpty())
        return;

    const QFont font = CGraphRenderer::Font(12, k);
    const QFontMetrics fm(font, p.device());
    const int pad = std::max(1, static_cast<int>(6 * k)), swatch = std::max(4, static_cast<int>(kSwatch * k));
    const int lineHeight = fm.height() + static_cast<int>(4 * k);
    // Long texts are cut to a third of the graph's width.
    const int maxText = std::max(10, std::min(area.width() / 3, static_cast<int>(320 * k)));
    int textWidth = 0;
    for (SEntry &e : entries) {
        // The values stay whole; a long text gives way to them.
        const QString values = e.values.isEmpty() ? QString() : QStringLiteral("   ") + e.values;
        const int valuesWidth = std::min(fm.horizontalAdvance(values), maxText / 2);
        e.text = fm.elidedText(e.text, Qt::ElideRight, maxText - valuesWidth) + fm.elidedText(values, Qt::ElideRight, valuesWidth);
        textWidth = std::max(textWidth, fm.horizontalAdvance(e.text));
    }
    const int w = 3 * pad + swatch + textWidth, h = 2 * pad + lineHeight * static_cast<int>(entries.size());
    const int inset = static_cast<int>(8 * k);
    const int x = std::max(area.x(), area.x() + area.width() - inset - w), y = area.y() + inset;

    p.save();
    p.setClipRect(area);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawRect(x, y, w, h);
    m_box = QRect(x, y, w + 1, h + 1);
    p.setFont(font);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int top = y + pad + lineHeight * static_cast<int>(i);
        const int mid = top + lineHeight / 2;
        const int width = std::max(1, static_cast<int>(std::lround(std::clamp(m_state.m_aWidth[entries[i].slot], 1, 1000) * penScale)));
        QPen pen(CGraphRenderer::SlotColor(m_state.m_aColor[entries[i].slot]), width);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        // A width-1 pen lights exactly the pixel row mid.
        p.drawLine(QPointF(x + pad, mid + 0.5), QPointF(x + pad + swatch, mid + 0.5));
        p.setPen(QPen(Qt::black, 0));
        p.drawText(QPoint(x + 2 * pad + swatch, top + (lineHeight - fm.height()) / 2 + fm.ascent()), entries[i].text);
    }
    p.restore();
}
