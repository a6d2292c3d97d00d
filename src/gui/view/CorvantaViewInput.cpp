// The graph handled directly (wheel, arrow keys, the traced point) and the
// undo history of the view's changes.
#include "gui/view/CorvantaView.h"

#include "core/analysis/TraceText.h"
#include "gui/view/GraphUndoCommand.h"
#include "gui/view/ViewHost.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QUndoStack>
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
                           m_runClock.elapsed() <= kRunGapMs && m_nGesture == 0 && m_nGestures > 0;
    if (!continues)
        ++m_nGestures;
    m_nGesture = m_nGestures;
    m_eRun = kind;
    m_runClock.start();
}

void CCorvantaView::RecordChange(bool changed)
{
    SViewSnapshot now = Snapshot();
    if (changed && !m_bRestoring) {
        if (m_nGesture == 0)
            m_eRun = EGesture::None;  // a command between two runs parts them
        m_pUndoStack->push(new CGraphUndoCommand(*this, std::move(m_undoBase), now, m_nGesture));
    }
    m_undoBase = std::move(now);
}

void CCorvantaView::RestoreUndoState(const SViewSnapshot &state)
{
    m_bRestoring = true;
    m_bKeepFocus = hasFocus();
    m_eRun = EGesture::None;
    const bool emptied = state.graph.m_nLast < 0 && m_nLast >= 0;
    Restore(state);
    if (m_pHost) {
        // The list shows the slots in order; what is typed in it stays.
        const QString typed = m_pHost->FunctionListText();
        ShowSlotsInList(m_nSelected);
        m_pHost->SetFunctionListText(typed);
    }
    if (emptied)
        ResetTraceAndTangent();
    Redraw(m_nLast);
    m_bKeepFocus = false;
    m_bRestoring = false;
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
    SetClientSize(width(), height());
    const QPointF pos = event->position();
    const double factor = notches > 0 ? 2.0 : 0.5;
    bool zoomed = false, refused = false;
    for (int n = std::abs(notches); n > 0; --n) {
        if (!ZoomAbout(pos.x(), pos.y(), factor, factor)) {
            refused = true;
            break;
        }
        zoomed = true;
    }
    if (refused && m_pHost)
        m_pHost->ShowStatusText(QString::fromLatin1(kZoomLimitText));
    if (!zoomed)
        return;
    ContinueGesture(EGesture::Wheel);
    m_bKeepFocus = true;
    Redraw(m_nLast);
    m_bKeepFocus = false;
    m_nGesture = 0;
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
    SetClientSize(width(), height());
    PanStep(key == Qt::Key_Right ? 1 : key == Qt::Key_Left ? -1 : 0,
            key == Qt::Key_Up ? 1 : key == Qt::Key_Down ? -1 : 0);
    ContinueGesture(EGesture::Keys);
    m_bKeepFocus = true;
    Redraw(m_nLast);
    m_bKeepFocus = false;
    m_nGesture = 0;
}

// --- The traced point ----------------------------------------------------------------

void CCorvantaView::MoveTrace(int columns)
{
    SetClientSize(width(), height());
    const int from = m_nTraceColumn.value_or(m_nWidth / 2);
    const int column = std::clamp(from + columns, 0, std::max(0, m_nWidth - 1));
    m_nTraceColumn = column;
    UpdateTracePoint();
    // The position reads as if the mouse had moved onto the traced point.
    if (m_bTrace && m_pHost) {
        const double row = m_tracePoint ? m_tracePoint->point.y() : m_nHeight / 2.0;
        const int pixelRow = std::clamp(static_cast<int>(std::lround(row)), 0, std::max(0, m_nHeight - 1));
        m_pHost->SetTracePositionText(
            QString::fromStdString(TracePositionText(UnitX(column), UnitY(pixelRow))));
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
    SetClientSize(width(), height());
    const int column = m_nTraceColumn.value_or(m_nWidth / 2);
    const double x = UnitX(column);
    const double y = m_aFunctions[m_nSelected].Evaluate(x);
    const double row = PixelRow(y);
    STracePoint t;
    t.onCurve = std::isfinite(row) && row >= 0 && row < m_nHeight;
    // Off the window (or undefined) the label stays at the nearer edge.
    t.point = QPointF(column, std::isnan(row) ? m_nHeight / 2.0 : std::clamp(row, 0.0, double(m_nHeight)));
    t.color = CGraphRenderer::SlotColor(m_aColor[m_nSelected]);
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
    if (box.right() >= m_nWidth)
        box.moveRight(qRound(t.point.x()) - 8);
    if (box.left() < 0)
        box.moveLeft(0);
    if (box.top() < 0)
        box.moveTop(qRound(t.point.y()) + 6);
    if (box.bottom() >= m_nHeight)
        box.moveBottom(m_nHeight - 1);
    p.setPen(QPen(Qt::darkGray, 1));
    p.setBrush(QColor(255, 255, 224));
    p.drawRect(box);
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignCenter, t.label);
    p.restore();
}
