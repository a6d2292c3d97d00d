#include "gui/view/CorvantaView.h"

#include "gui/common/CommandIds.h"

#include "core/deriv/Derivative.h"
#include "core/expr/FunctionText.h"
#include "core/expr/SyntaxPlace.h"
#include "gui/common/Message.h"
#include "graph/render/GraphRenderer.h"
#include "gui/view/AxisProfile.h"
#include "gui/view/ViewHost.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRubberBand>
#include <QScreen>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <cstdlib>

CCorvantaView::CCorvantaView(QWidget *parent) : QWidget(parent)
{
    // The paint handler covers every pixel from the picture.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Tab reaches the graph, so its arrow keys work without a mouse.
    setFocusPolicy(Qt::StrongFocus);
    connect(&m_graph, &CGraph::changed, this, &CCorvantaView::OnGraphChanged);
}

CCorvantaView::~CCorvantaView() = default;

void CCorvantaView::SyncSize()
{
    m_graph.SetClientSize(width(), height());
}

void CCorvantaView::EnsurePicture()
{
    // Drawn at the screen's pixel density; layout stays in logical pixels.
    const qreal dpr = devicePixelRatioF();
    const int w = std::max(1, width()), h = std::max(1, height());
    const bool sameDensity = !m_dcMem.isNull() && m_dcMem.devicePixelRatio() == dpr;
    const QSizeF have = m_dcMem.deviceIndependentSize();
    if (sameDensity && have.width() >= w && have.height() >= h)
        return;
    // Screen-sized at first, so resizing seldom needs a new picture.
    QSize size(w, h);
    if (!sameDensity) {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            size = size.expandedTo(screen->size());
    } else {
        size = size.expandedTo(have.toSize());
    }
    m_dcMem = QImage(size * dpr, QImage::Format_RGB32);
    m_dcMem.setDevicePixelRatio(dpr);
    m_dcMem.fill(palette().color(QPalette::Base));
}

void CCorvantaView::RenderTo(QPainter &p, const QRect &area, double k, SRenderTiming *timing)
{
    SyncSize();
    m_graph.Draw(p, area, k, palette().color(QPalette::Base), timing);
}

void CCorvantaView::RebuildPicture()
{
    SyncSize();
    m_bLive = true;
    ClearTangentOverlay();
    EnsurePicture();
    // On a dense screen the picture is drawn in device pixels, so curves are
    // sampled once per device column.
    const qreal dpr = m_dcMem.devicePixelRatio();
    m_dcMem.setDevicePixelRatio(1.0);
    {
        QPainter p(&m_dcMem);
        const QRect device(0, 0, qRound(width() * dpr), qRound(height() * dpr));
        m_graph.DrawDense(p, device, dpr, palette().color(QPalette::Base));
    }
    m_dcMem.setDevicePixelRatio(dpr);
    ReportOverlay(dpr);
}

void CCorvantaView::ReportOverlay(double dpr)
{
    QList<QRect> boxes;
    for (const QRect &b : m_graph.Renderer().OverlayBoxes()) {
        const QRect logical(qFloor(b.x() / dpr), qFloor(b.y() / dpr), qCeil(b.width() / dpr), qCeil(b.height() / dpr));
        boxes.append(QRect(mapToGlobal(logical.topLeft()), logical.size()));
    }
    if (boxes != m_aOverlay) {
        m_aOverlay = boxes;
        emit overlayMoved(boxes);
    }
}

void CCorvantaView::Redraw()
{
    RebuildPicture();
    UpdateTracePoint();
    update();
    if (m_pHost && !m_bKeepFocus)
        m_pHost->FocusFunctionList();
    UpdateRangeFields();
}

void CCorvantaView::OnGraphChanged(GraphChanges what)
{
    if (what & EGraphChange::Functions) {
        ShowSlotsInList();
        if (State().m_nLast < 0)
            ResetTraceAndTangent();
    } else if (what & (EGraphChange::Selection | EGraphChange::Pens)) {
        ShowSelection();
    }
    const bool keep = m_bKeepFocus;
    if (m_graph.IsRestoring())
        m_bKeepFocus = m_bKeepFocus || hasFocus();
    Redraw();
    m_bKeepFocus = keep;
}

void CCorvantaView::UpdateRangeFields()
{
    SyncSize();
    if (!m_pHost)
        return;
    const auto texts = m_graph.RangeFieldTexts();
    for (int i = 0; i < 4; ++i)
        m_pHost->SetRangeFieldText(IDC_X_MIN + i, QString::fromStdString(texts[i]));
}

std::array<std::string, 4> CCorvantaView::RangeFields() const
{
    std::array<std::string, 4> fields;
    if (m_pHost)
        for (int i = 0; i < 4; ++i)
            fields[i] = m_pHost->RangeFieldText(IDC_X_MIN + i).toStdString();
    return fields;
}

void CCorvantaView::ShowMessages(const std::vector<SViewMessage> &messages)
{
    for (const SViewMessage &m : messages)
        ShowMessage(this, QString::fromStdString(m.text), QString::fromStdString(m.caption), MsgIcon::Stop);
}

void CCorvantaView::ApplyDomainRange()
{
    SyncSize();
    ShowMessages(m_graph.SetDomain(RangeFields()));
}

void CCorvantaView::RePlot()
{
    SyncSize();
    const auto messages = m_graph.RePlot(RangeFields());
    Redraw();  // the fields show the view even where nothing changed
    ShowMessages(messages);
}

QImage CCorvantaView::Picture() const
{
    if (m_dcMem.isNull() || width() <= 0 || height() <= 0)
        return {};
    const qreal dpr = m_dcMem.devicePixelRatio();
    return m_dcMem.copy(0, 0, qRound(width() * dpr), qRound(height() * dpr));
}

// Zoom commands.
void CCorvantaView::ZoomBy(double fx, double fy)
{
    SyncSize();
    if (!m_graph.Zoom(fx, fy) && m_pHost)
        m_pHost->ShowStatusText(QString::fromLatin1(kZoomLimitText));
}
void CCorvantaView::OnZoomInX() { ZoomBy(2, 1); }
void CCorvantaView::OnZoomOutX() { ZoomBy(0.5, 1); }
void CCorvantaView::OnZoomInY() { ZoomBy(1, 2); }
void CCorvantaView::OnZoomOutY() { ZoomBy(1, 0.5); }
void CCorvantaView::OnZoomIn() { ZoomBy(2, 2); }
void CCorvantaView::OnZoomOut() { ZoomBy(0.5, 0.5); }
void CCorvantaView::OnSquareUnits() { m_graph.SquareUnits(); }
void CCorvantaView::OnCenter() { m_graph.Center(); }
void CCorvantaView::OnAutoscale() { m_graph.ToggleAutoscale(); }
void CCorvantaView::OnShowGrid() { m_graph.SetShowGrid(!State().m_bShowGrid); }
void CCorvantaView::OnLegend() { m_graph.SetShowLegend(!State().m_bShowLegend); }

void CCorvantaView::SetAxisLabels(bool readable, bool piUnits)
{
    m_graph.SetAxisLabels(readable, piUnits);
    SaveAxisLabels(State());
}

void CCorvantaView::SetTrace(bool on)
{
    m_bTrace = on;
    if (m_pHost)
        m_pHost->SetBarVisible(ID_TRACE, on);
}

void CCorvantaView::SetTraceMode(bool on)
{
    m_bTrace = on;
    m_nTraceColumn.reset();
    UpdateTracePoint();
    UpdateModeCursor();
    if (!on) {
        m_bZoomArea = false;
        m_rcZoom = {};
        m_bZooming = false;
        if (m_pRubberBand)
            m_pRubberBand->hide();
    }
}

void CCorvantaView::OnZoomArea()
{
    // The zoom area works inside trace mode, never beside the tangent.
    if (m_bTangent)
        return;
    if (!m_bTrace)
        SetTrace(true);
    m_bZoomArea = !m_bZoomArea;
    if (!m_bZoomArea && m_bTrace)
        SetTrace(false);
    if (!m_bZoomArea && m_pRubberBand) {
        m_pRubberBand->hide();
        m_bZooming = false;
    }
    Redraw();
}

bool CCorvantaView::HandleCommand(int id)
{
    switch (id) {
    case ID_ZOOM_IN_X: OnZoomInX(); return true;
    case ID_ZOOM_OUT_X: OnZoomOutX(); return true;
    case ID_ZOOM_IN_Y: OnZoomInY(); return true;
    case ID_ZOOM_OUT_Y: OnZoomOutY(); return true;
    case ID_ZOOM_IN: OnZoomIn(); return true;
    case ID_ZOOM_OUT: OnZoomOut(); return true;
    case ID_SQUARE_UNITS: OnSquareUnits(); return true;
    case ID_CENTER: OnCenter(); return true;
    case ID_AUTOSCALE: OnAutoscale(); return true;
    case ID_SHOW_GRID: OnShowGrid(); return true;
    case ID_ZOOM_AREA: OnZoomArea(); return true;
    case ID_DIFFERENTIATE: OnDifferentiate(); return true;
    case ID_CLEAR_GRAPH: OnClearGraph(); return true;
    case IDC_PLOT: OnPlot(); return true;
    case IDC_REPLOT: RePlot(); return true;
    case ID_TRACE: OnTrace(); return true;
    case ID_TANGENT: OnTangent(); return true;
    case ID_VIEW_LEGEND: OnLegend(); return true;
    case ID_READABLE_AXES: SetAxisLabels(!State().m_bReadableAxes, State().m_bPiUnits); return true;
    case ID_PI_UNITS: SetAxisLabels(State().m_bReadableAxes, !State().m_bPiUnits); return true;
    default: return false;
    }
}

std::optional<bool> CCorvantaView::CommandChecked(int id) const
{
    switch (id) {
    case ID_AUTOSCALE: return State().m_bAutoscale;
    case ID_SHOW_GRID: return State().m_bShowGrid;
    case ID_ZOOM_AREA: return m_bZoomArea && m_bTrace;
    case ID_VIEW_LEGEND: return State().m_bShowLegend;
    case ID_READABLE_AXES: return State().m_bReadableAxes;
    case ID_PI_UNITS: return State().m_bPiUnits;
    default: return std::nullopt;
    }
}

void CCorvantaView::paintEvent(QPaintEvent *event)
{
    if (!m_bPainted) {
        m_bPainted = true;
        RebuildPicture();
        if (m_pHost)
            m_pHost->FocusFunctionList();
        UpdateRangeFields();
        // The host may open a modal window (the splash); not inside a paint.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_pHost)
                    m_pHost->OnFirstPaint();
            },
            Qt::QueuedConnection);
    }
    if (!m_bPrinting) {
        QPainter p(this);
        PaintWindow(p, event->rect());
    }
    // Later paints only copy: Qt paints after every expose and rubber-band
    // move, and neither changes the document nor may take the focus away
    // from a field being edited.
}

void CCorvantaView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    SyncSize();
    if (m_bPainted)
        Redraw();
}

void CCorvantaView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        ToggleLive();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    SyncSize();
    m_ptDrag = pos;
    m_bDragging = true;
    ContinueGesture(EGesture::Drag);
    setCursor(Qt::ClosedHandCursor);
    if (m_bZoomArea && m_bTrace) {
        m_ptZoomStart = pos;
        m_rcZoom = QRect(pos, QSize());
        if (!m_pRubberBand)
            m_pRubberBand = new QRubberBand(QRubberBand::Rectangle, this);
        m_pRubberBand->setGeometry(QRect(pos, QSize()));
        m_pRubberBand->show();
        m_bZooming = true;
    }
}

void CCorvantaView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_bDragging || !(event->buttons() & Qt::LeftButton)) {
        TrackMouse(event->position().toPoint());
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (!m_bZoomArea) {
        const QPoint move = pos - m_ptDrag;
        m_ptDrag = pos;
        m_bKeepFocus = hasFocus();  // the arrows go on acting after a drag
        SyncSize();
        m_graph.Pan(move.x(), move.y());
        m_bKeepFocus = false;
        // The tangent keeps following the curve while it moves.
        if (m_bTangent) {
            m_nCursorColumn = pos.x();
            ShowLiveTangent();
        }
    } else if (m_bZooming && m_bTrace) {
        const QRect r = QRect(m_ptZoomStart, pos).normalized();
        m_rcZoom = r;
        m_pRubberBand->setGeometry(r);
    }
}

void CCorvantaView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_bDragging) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_bDragging = false;
    EndGesture();
    UpdateModeCursor();
    if (m_bZooming && m_bZoomArea && m_bTrace)
        FinishZoomArea(event->position().toPoint());
    m_bZooming = false;
}

void CCorvantaView::FinishZoomArea(const QPoint &end)
{
    m_pRubberBand->hide();
    SyncSize();
    // A click without a drag selects no area; the mode stays on for a drag.
    if (std::abs(end.x() - m_ptZoomStart.x()) < 1 || std::abs(end.y() - m_ptZoomStart.y()) < 1) {
        m_rcZoom = {};
        return;
    }
    const auto fields = State().ZoomAreaFields(m_ptZoomStart.x(), m_ptZoomStart.y(), end.x(), end.y());
    if (m_pHost) {
        for (int i = 0; i < 4; ++i)
            m_pHost->SetRangeFieldText(IDC_X_MIN + i, QString::fromStdString(fields[i]));
    }
    m_rcZoom = {};
    m_bZoomArea = false;
    if (m_bTrace)
        SetTrace(false);
    RePlot();
}

// --- Plot, selection, differentiate, clear -----------------------------------

const char *const CCorvantaView::kDerivativeHint = "Click the differentiate button to view the derivative of the function";

void CCorvantaView::OnPlot()
{
    if (!m_pHost)
        return;
    const QString typed = m_pHost->FunctionListText();
    const std::string text = LowerAscii(typed.toStdString());
    SyncSize();
    std::vector<SViewMessage> messages;
    const CGraph::EPlot outcome = m_graph.Plot(text, RangeFields(), &messages);
    switch (outcome) {
    case CGraph::EPlot::Blank:
        return;
    case CGraph::EPlot::AlreadyPlotted:
        m_pHost->ShowStatusText(QStringLiteral("This function is already plotted."));
        return;
    case CGraph::EPlot::SyntaxError: {
        const SSyntaxPlace place = LocateSyntaxError(text);
        ShowMessage(this, QString::fromStdString(SyntaxMessage(place)), QString::fromLatin1(kSyntaxCaption), MsgIcon::Stop);
        m_pHost->FocusFunctionList();
        if (place.position > 0)
            m_pHost->SelectFunctionListText(static_cast<int>(place.position) - 1, 1);
        return;
    }
    case CGraph::EPlot::Plotted:
        break;
    }
    ShowMessages(messages);
    if (FindExponentTrap(text) != std::string::npos)
        m_pHost->ShowStatusText(QString::fromUtf8(kExponentTrapHint));  // plotted as typed all the same
}

void CCorvantaView::OnSelectFunction(int index)
{
    if (index < 0 || index > State().m_nLast || index >= kSlots)
        return;
    m_graph.Select(index);
    ShowSelection();
    UpdateTracePoint();
}

void CCorvantaView::ShowSelectedColor() { ShowSelection(); }

void CCorvantaView::ShowSelection()
{
    if (!m_pHost)
        return;
    const CViewState &s = State();
    const int slot = s.m_nSelected;
    if (slot < 0 || slot > s.m_nLast || slot >= kSlots) {
        m_pHost->SetIndicatorColor(Qt::white);
        m_pHost->SetDerivativeText(QString());
        return;
    }
    m_pHost->SetIndicatorColor(CGraphRenderer::SlotColor(s.m_aColor[slot]));
    const CExpression &f = s.m_aFunctions[slot];
    m_pHost->SetDerivativeText(s.m_aDerivativeShown[slot] ? QString::fromStdString(s.m_aDerivatives[slot].m_strText)
                                                    : QString::fromLatin1(kDerivativeHint));
    m_pHost->UpdateDegreeOption(QString::fromStdString(f.m_strCoded));
}

void CCorvantaView::OnDifferentiate()
{
    const int slot = State().m_nSelected;
    if (!m_graph.HasFunction(slot))
        return;
    if (!m_graph.Differentiate(slot))
        ShowMessage(this, QString::fromLatin1(kDerivativeTooLongText), QString::fromLatin1(kProgramName),
                    MsgIcon::Stop);
}

void CCorvantaView::OnClearGraph()
{
    const bool newDocument = m_pHost && m_pHost->IsNewDocument();
    ClearGraph(!newDocument);
}

void CCorvantaView::ClearGraph(bool recentre)
{
    m_graph.Clear(recentre);
    ResetTraceAndTangent();
    if (m_pHost) {
        m_pHost->SetFunctionListText(QString());
        m_pHost->SetIndicatorColor(Qt::white);
        m_pHost->SetDerivativeText(QString());
    }
}

void CCorvantaView::ShowSlotsInList()
{
    if (!m_pHost)
        return;
    const CViewState &s = State();
    const QString typed = m_pHost->FunctionListText();
    m_pHost->ClearFunctionList();
    for (int i = 0; i <= s.m_nLast && i < kSlots; ++i)
        m_pHost->AppendFunctionListEntry(QString::fromStdString(s.m_aFunctions[i].m_strText));
    if (s.m_nSelected >= 0 && s.m_nSelected <= s.m_nLast)
        m_pHost->SelectFunctionListEntry(s.m_nSelected);
    m_pHost->SetFunctionListText(typed);
    ShowSelection();
}
