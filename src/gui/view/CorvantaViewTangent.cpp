// Trace and tangent modes of the graph view: the math lives in CTangent and
// the trace texts; this file only routes them to the bars and paints.
#include "gui/view/CorvantaView.h"

#include "core/analysis/TraceText.h"
#include "core/plot/LineClip.h"
#include "gui/common/CommandIds.h"
#include "gui/view/ViewHost.h"

#include <QPainter>
#include <QPen>

#include <cmath>

namespace {

const QColor kCursorLineColor(200, 200, 200);

QString Text(const std::string &text) { return QString::fromStdString(text); }

}  // namespace

bool CCorvantaView::HasSelectedFunction() const
{
    return m_graph.HasFunction(State().m_nSelected);
}

void CCorvantaView::UpdateModeCursor()
{
    const bool tracking = m_bTrace || m_bTangent;
    setMouseTracking(tracking);
    if (m_bDragging)
        return;
    if (tracking)
        setCursor(Qt::CrossCursor);
    else
        unsetCursor();
}

void CCorvantaView::OnTrace()
{
    SetTrace(!m_bTrace);
    UpdateModeCursor();
    UpdateTracePoint();
}

void CCorvantaView::OnTangent()
{
    const bool on = !m_bTangent;
    if (m_pHost)
        m_pHost->SetBarVisible(ID_TANGENT, on);
    SetTangentMode(on);
}

void CCorvantaView::SetTangentMode(bool on)
{
    const bool was = m_bTangent;
    m_bTangent = on;
    if (on && !was)
        m_bLive = true;  // whatever right clicks happened outside the mode
    ClearTangentOverlay();
    UpdateModeCursor();
    if (was && !on && m_bPainted)
        Redraw();
}

void CCorvantaView::OnTraceInput(const QString &text)
{
    if (!m_pHost)
        return;
    if (!HasSelectedFunction()) {
        m_pHost->SetTraceResultText(QString());
        return;
    }
    CExpression f = State().m_aFunctions[State().m_nSelected];  // evaluation changes the expression
    f.m_bDegree = m_pHost->IsTrigonometric() && m_pHost->IsDegree();
    m_pHost->SetTraceResultText(Text(TraceInputResult(f, text.toStdString(), m_pHost->IsScientific())));
}

void CCorvantaView::TrackMouse(const QPoint &pos)
{
    SyncSize();
    const CViewState &s = State();
    if (m_bTrace && m_pHost)
        m_pHost->SetTracePositionText(Text(TracePositionText(s.UnitX(pos.x()), s.UnitY(pos.y()))));
    if (m_bTrace) {
        m_nTraceColumn = pos.x();
        UpdateTracePoint();
    }
    if (!m_bTangent)
        return;
    m_nCursorColumn = pos.x();
    if (HasSelectedFunction() && m_bLive) {
        m_tangent.SetFunction(s.m_aFunctions[s.m_nSelected].m_strText, true, s.m_aFunctions[s.m_nSelected].Parameters());
        m_tangent.ComputeAt(s.UnitX(pos.x()));
        if (m_pHost) {
            const auto texts = TangentBarTexts(m_tangent);
            for (int i = 0; i < 4; ++i)
                m_pHost->SetTangentBarText(IDC_TANGENT_X + i, Text(texts[i]));
        }
    }
    ShowLiveTangent();
}

void CCorvantaView::ShowLiveTangent()
{
    m_liveLine.reset();
    if (HasSelectedFunction() && !m_tangent.m_bValid) {
        // The equation line says so at once, not the last point's equation.
        m_tangent.BuildEquation();
        if (m_pHost)
            m_pHost->SetTangentBarText(IDC_TANGENT_EQUATION, Text(TangentEquationText(m_tangent)));
    }
    if (!HasSelectedFunction() || !m_tangent.m_bValid) {
        // Nothing to follow: no cursor line either.
        m_nCursorColumn.reset();
        update();
        return;
    }
    m_tangent.BuildEquation();
    if (m_pHost)
        m_pHost->SetTangentBarText(IDC_TANGENT_EQUATION, Text(TangentEquationText(m_tangent)));
    // A frozen tangent is in the picture already.
    if (m_bLive)
        m_liveLine = TangentLine();
    update();
}

void CCorvantaView::ToggleLive()
{
    m_bLive = !m_bLive;
    if (!m_bTangent)
        return;
    if (m_bLive) {
        Redraw();
        return;
    }
    ClearTangentOverlay();
    if (!HasSelectedFunction()) {
        update();
        return;
    }
    m_tangent.BuildEquation();
    if (m_pHost)
        m_pHost->SetTangentBarText(IDC_TANGENT_EQUATION, Text(TangentEquationText(m_tangent)));
    if (const auto line = m_tangent.m_bValid ? TangentLine() : std::nullopt) {
        EnsurePicture();
        QPainter p(&m_dcMem);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(*line);
    }
    update();
}

std::optional<QLineF> CCorvantaView::TangentLine() const
{
    if (!m_tangent.m_bValid)
        return std::nullopt;
    const CViewState &v = State();
    const double sx = CViewState::kUnit * v.m_dScaleX, sy = CViewState::kUnit * v.m_dScaleY;
    double px = v.PixelColumn(m_tangent.m_dX), py = v.PixelRow(m_tangent.m_dY);
    double dx = sx, dy = -sy * m_tangent.m_dSlope;
    double tMin = -INFINITY, tMax = INFINITY;
    if (m_tangent.IsVertical()) {
        // The segment from (x, -1000) to (x, 1000) in units.
        py = v.PixelRow(0);
        dx = 0;
        dy = -sy;
        tMin = -1000;
        tMax = 1000;
    } else if (!std::isfinite(dy)) {
        // Steep beyond what the pixels hold: the same line, shorter direction.
        dx = sx / std::fabs(m_tangent.m_dSlope);
        dy = m_tangent.m_dSlope > 0 ? -sy : sy;
    }
    const auto s = ClipLine(px, py, dx, dy, tMin, tMax, -1, -1, width() + 1, height() + 1);
    if (!s)
        return std::nullopt;
    return QLineF(s->x1, s->y1, s->x2, s->y2);
}

void CCorvantaView::ClearTangentOverlay()
{
    m_nCursorColumn.reset();
    m_liveLine.reset();
    update();
}

void CCorvantaView::ResetTraceAndTangent()
{
    m_tangent = CTangent();
    ClearTangentOverlay();
    if (m_pHost)
        m_pHost->SetTraceResultText(QString());
}

void CCorvantaView::PaintWindow(QPainter &p, const QRect &rect) const
{
    // The picture is kept in device pixels on dense screens.
    const QRectF r(rect);
    const qreal dpr = m_dcMem.devicePixelRatio();
    p.drawImage(r, m_dcMem, QRectF(r.topLeft() * dpr, r.size() * dpr));
    if (m_nCursorColumn) {
        QPen dashed(kCursorLineColor, 1, Qt::DashLine);
        p.setPen(dashed);
        p.drawLine(*m_nCursorColumn, 0, *m_nCursorColumn, height());
    }
    if (m_liveLine) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(*m_liveLine);
    }
    PaintTracePoint(p);
}
