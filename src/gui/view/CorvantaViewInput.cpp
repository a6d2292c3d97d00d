// The graph handled directly (wheel, arrow keys, the traced point): each
// gesture is one step of the model's history.
#include "gui/view/CorvantaView.h"

#include "core/analysis/TraceText.h"
#include "graph/render/GraphRenderer.h"
#include "gui/view/ViewHost.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Wheel notches, or arrow presses, further apart than this start a new
// step of the undo history.
constexpr qint64 kRunGapMs = 1000;
constexpr int kNotch = 120;  // angleDelta units of one wheel notch

}  // namespace

// --- Gestures and the undo history -------------------------------------------

void CCorvantaView::ContinueGesture(EGesture kind)
{
    const bool continues = kind != EGesture::Drag && m_eRun == kind && m_runClock.isValid() &&
                           m_runClock.elapsed() <= kRunGapMs && m_nGesture == 0 && m_nLastGesture > 0;
    if (!continues)
        m_nLastGesture = m_graph.NewGesture();
    m_nGesture = m_nLastGesture;
    m_eRun = kind;
    m_runClock.start();
    m_graph.SetGesture(m_nGesture);
}

void CCorvantaView::EndGesture()
{
    m_nGesture = 0;
    m_graph.SetGesture(0);
}

// --- Wheel and keys -------------------------------------------------------------

void CCorvantaView::wheelEvent(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    event->accept();
    // Trackpads send fractions of a notch; a turn the other way starts afresh.
    if ((m_nWheelDelta > 0) != (delta > 0))
        m_nWheelDelta = 0;
    m_nWheelDelta += delta;
    int notches = m_nWheelDelta / kNotch;
    if (notches == 0)
        return;
    m_nWheelDelta -= notches * kNotch;
    SyncSize();
    const QPointF pos = event->position();
    const double factor = notches > 0 ? 2.0 : 0.5;
    ContinueGesture(EGesture::Wheel);
    m_bKeepFocus = true;
    for (int n = std::abs(notches); n > 0; --n) {
        if (!m_graph.ZoomAbout(pos.x(), pos.y(), factor, factor)) {
            if (m_pHost)
                m_pHost->ShowStatusText(QString::fromLatin1(kZoomLimitText));
            break;
        }
    }
    m_bKeepFocus = false;
    EndGesture();
}

void CCorvantaView::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
    if (m_bTrace && horizontal && (mods == Qt::NoModifier || mods == Qt::ShiftModifier)) {
        const int step = mods == Qt::ShiftModifier ? 10 : 1;
        MoveTrace(key == Qt::Key_Left ? -step : step);
        return;
    }
    if (mods != Qt::NoModifier || !(horizontal || key == Qt::Key_Up || key == Qt::Key_Down)) {
        QWidget::keyPressEvent(event);
        return;
    }
    SyncSize();
    ContinueGesture(EGesture::Keys);
    m_bKeepFocus = true;
    m_graph.PanStep(key == Qt::Key_Right ? 1 : key == Qt::Key_Left ? -1 : 0,
                    key == Qt::Key_Up ? 1 : key == Qt::Key_Down ? -1 : 0);
    m_bKeepFocus = false;
    EndGesture();
}

// --- The traced point ----------------------------------------------------------------

void CCorvantaView::MoveTrace(int columns)
{
    SyncSize();
    const int w = width(), h = height();
    const int from = m_nTraceColumn.value_or(w / 2);
    const int column = std::clamp(from + columns, 0, std::max(0, w - 1));
    m_nTraceColumn = column;
    UpdateTracePoint();
    // The position reads as if the mouse had moved onto the traced point.
    if (m_bTrace && m_pHost) {
        const double row = m_tracePoint ? m_tracePoint->point.y() : h / 2.0;
        const int pixelRow = std::clamp(static_cast<int>(std::lround(row)), 0, std::max(0, h - 1));
        m_pHost->SetTracePositionText(
            QString::fromStdString(TracePositionText(State().UnitX(column), State().UnitY(pixelRow))));
    }
}

void CCorvantaView::UpdateTracePoint()
{
    if (!m_bTrace)
        m_nTraceColumn.reset();
    const bool shown = m_bTrace && !m_bZoomArea && HasSelectedFunction();
    if (!shown) {
        if (m_tracePoint) {
            m_tracePoint.reset();
            update();
        }
        return;
    }
    SyncSize();
    const CViewState &s = State();
    const int h = height();
    const int column = m_nTraceColumn.value_or(width() / 2);
    const double x = s.UnitX(column);
    const double y = m_graph.ValueAt(s.m_nSelected, x);
    const double row = s.PixelRow(y);
    STracePoint t;
    t.onCurve = std::isfinite(row) && row >= 0 && row < h;
    // Off the window (or undefined) the label stays at the nearer edge.
    t.point = QPointF(column, std::isnan(row) ? h / 2.0 : std::clamp(row, 0.0, double(h)));
    t.color = CGraphRenderer::SlotColor(s.m_aColor[s.m_nSelected]);
    t.label = QString::fromStdString(TracePointText(x, y, m_pHost && m_pHost->IsScientific()));
    m_tracePoint = t;
    update();
}

void CCorvantaView::PaintTracePoint(QPainter &p) const
{
    if (!m_tracePoint)
        return;
    const STracePoint &t = *m_tracePoint;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (t.onCurve) {
        p.setPen(QPen(t.color, 2));
        p.setBrush(Qt::white);
        p.drawEllipse(t.point, 4.0, 4.0);
    }
    // The label beside the point, moved back inside the window at its edges.
    const QFontMetrics fm = p.fontMetrics();
    QRect box = fm.boundingRect(t.label).adjusted(-3, -2, 3, 2);
    box.moveTopLeft(QPoint(qRound(t.point.x()) + 8, qRound(t.point.y()) - box.height() - 6));
    if (box.right() >= width())
        box.moveRight(qRound(t.point.x()) - 8);
    if (box.left() < 0)
        box.moveLeft(0);
    if (box.top() < 0)
        box.moveTop(qRound(t.point.y()) + 6);
    if (box.bottom() >= height())
        box.moveBottom(height() - 1);
    p.setPen(QPen(Qt::darkGray, 1));
    p.setBrush(QColor(255, 255, 224));
    p.drawRect(box);
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignCenter, t.label);
    p.restore();
}
