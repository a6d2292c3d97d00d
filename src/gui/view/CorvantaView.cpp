#include "gui/view/CorvantaView.h"

#include "gui/common/CommandIds.h"

#include "core/doc/DocumentSync.h"
#include "gui/common/Message.h"
#include "core/deriv/Derivative.h"
#include "core/expr/FunctionText.h"
#include "core/expr/SyntaxPlace.h"
#include "gui/view/ViewHost.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRubberBand>
#include <QScreen>
#include <QUndoStack>

#include <algorithm>
#include <cmath>
#include <cstdlib>

CCorvantaView::CCorvantaView(QWidget *parent) : QWidget(parent), m_renderer(*this)
{
    // The paint handler covers every pixel from the picture.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    m_pUndoStack = new QUndoStack(this);
    m_pUndoStack->setUndoLimit(500);
}

CCorvantaView::~CCorvantaView()
{
    // The history goes with the view; emptying it must not tell a document
    // or a frame that is already being torn down.
    m_pUndoStack->blockSignals(true);
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
    m_renderer.Render(p, area, k, palette().color(QPalette::Base), m_nLast, timing);
}

void CCorvantaView::RebuildPicture(int nLast)
{
    SetClientSize(width(), height());
    SanitizeMapping();
    m_bLive = true;
    ClearTangentOverlay();
    EnsurePicture();
    const qreal dpr = m_dcMem.devicePixelRatio();
    if (dpr == 1.0) {
        QPainter p(&m_dcMem);
        m_renderer.Render(p, QRect(0, 0, m_nWidth, m_nHeight), 1.0, palette().color(QPalette::Base), nLast);
        return;
    }
    // On a dense screen the picture is drawn in device pixels at scale dpr,
    // so curves are sampled once per device column; pans and pen widths follow.
    const std::int32_t panX = m_nPanX, panY = m_nPanY;
    const auto widths = m_aWidth;
    m_nPanX = ClampPan(panX * dpr);
    m_nPanY = ClampPan(panY * dpr);
    for (auto &w : m_aWidth)
        w = std::max(1, static_cast<int>(std::lround(std::clamp(w, 1, 1000) * dpr)));
    m_dcMem.setDevicePixelRatio(1.0);
    {
        QPainter p(&m_dcMem);
        const QRect device(0, 0, qRound(m_nWidth * dpr), qRound(m_nHeight * dpr));
        m_renderer.Render(p, device, dpr, palette().color(QPalette::Base), nLast);
    }
    m_dcMem.setDevicePixelRatio(dpr);
    m_nPanX = panX;
    m_nPanY = panY;
    m_aWidth = widths;
}

void CCorvantaView::Redraw(int nLast)
{
    RebuildPicture(nLast);
    UpdateTracePoint();
    update();
    if (m_pHost && !m_bKeepFocus)
        m_pHost->FocusFunctionList();
    UpdateRangeFields();
    SyncDocument();
}

void CCorvantaView::UpdateRangeFields()
{
    SetClientSize(width(), height());
    if (!m_pHost)
        return;
    const auto texts = RangeFieldTexts();
    for (int i = 0; i < 4; ++i)
        m_pHost->SetRangeFieldText(IDC_X_MIN + i, QString::fromStdString(texts[i]));
}

void CCorvantaView::ApplyDomainRange()
{
    SetClientSize(width(), height());
    std::array<std::string, 4> fields;
    if (m_pHost) {
        for (int i = 0; i < 4; ++i)
            fields[i] = m_pHost->RangeFieldText(IDC_X_MIN + i).toStdString();
    }
    for (const SViewMessage &m : ApplyDomainRange(fields))
        ShowMessage(this, QString::fromStdString(m.text), QString::fromStdString(m.caption), MsgIcon::Stop);
}

void CCorvantaView::RePlot()
{
    m_bRangeEdited = true;
    if (m_bAutoscale && m_nSelected >= 0 && m_nSelected < kSlots) {
        AutoScale(m_aFunctions[m_nSelected], m_dScaleX, m_dScaleY);
        m_dScaleX = ClampScale(m_dScaleX);
        m_dScaleY = ClampScale(m_dScaleY);
    }
    ApplyDomainRange();
    Redraw(m_nLast);
}

QImage CCorvantaView::Picture() const
{
    if (m_dcMem.isNull() || m_nWidth <= 0 || m_nHeight <= 0)
        return {};
    const qreal dpr = m_dcMem.devicePixelRatio();
    return m_dcMem.copy(0, 0, qRound(m_nWidth * dpr), qRound(m_nHeight * dpr));
}

// Zoom commands.
void CCorvantaView::ZoomBy(double fx, double fy)
{
    if (!Zoom(fx, fy)) {
        if (m_pHost)
            m_pHost->ShowStatusText(QString::fromLatin1(kZoomLimitText));
        return;
    }
    Redraw(m_nLast);
}
void CCorvantaView::OnZoomInX() { ZoomBy(2, 1); }
void CCorvantaView::OnZoomOutX() { ZoomBy(0.5, 1); }
void CCorvantaView::OnZoomInY() { ZoomBy(1, 2); }
void CCorvantaView::OnZoomOutY() { ZoomBy(1, 0.5); }
void CCorvantaView::OnZoomIn() { ZoomBy(2, 2); }
void CCorvantaView::OnZoomOut() { ZoomBy(0.5, 0.5); }
void CCorvantaView::OnSquareUnits()
{
    SquareUnits();
    Redraw(m_nLast);
}
void CCorvantaView::OnCenter()
{
    Center();
    Redraw(m_nLast);
}
void CCorvantaView::OnAutoscale()
{
    ToggleAutoscale();
    Redraw(m_nLast);
}
void CCorvantaView::OnShowGrid()
{
    m_bShowGrid = !m_bShowGrid;
    Redraw(m_nLast);
}

void CCorvantaView::OnLegend()
{
    m_bShowLegend = !m_bShowLegend;
    Redraw(m_nLast);
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
    Redraw(m_nLast);
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
    default: return false;
    }
}

std::optional<bool> CCorvantaView::CommandChecked(int id) const
{
    switch (id) {
    case ID_AUTOSCALE: return m_bAutoscale;
    case ID_SHOW_GRID: return m_bShowGrid;
    case ID_ZOOM_AREA: return m_bZoomArea && m_bTrace;
    case ID_VIEW_LEGEND: return m_bShowLegend;
    default: return std::nullopt;
    }
}

void CCorvantaView::paintEvent(QPaintEvent *event)
{
    if (!m_bPainted) {
        m_bPainted = true;
        RebuildPicture(m_nLast);
        if (m_pHost)
            m_pHost->FocusFunctionList();
        UpdateRangeFields();
        SyncDocument();
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
    SetClientSize(width(), height());
    if (m_bPainted)
        Redraw(m_nLast);
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
    SetClientSize(width(), height());
    m_ptDrag.x = pos.x();
    m_ptDrag.y = pos.y();
    m_bDragging = true;
    ContinueGesture(EGesture::Drag);
    setCursor(Qt::ClosedHandCursor);
    if (m_bZoomArea && m_bTrace) {
        m_ptZoomStart.x = pos.x();
        m_ptZoomStart.y = pos.y();
        m_rcZoom = {pos.x(), pos.y(), pos.x(), pos.y()};
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
        PanBy(pos.x() - m_ptDrag.x, pos.y() - m_ptDrag.y);
        m_ptDrag.x = pos.x();
        m_ptDrag.y = pos.y();
        m_bKeepFocus = hasFocus();  // the arrows go on acting after a drag
        Redraw(m_nLast);
        m_bKeepFocus = false;
        // The tangent keeps following the curve while it moves.
        if (m_bTangent) {
            m_nCursorColumn = pos.x();
            ShowLiveTangent();
        }
    } else if (m_bZooming && m_bTrace) {
        const QRect r = QRect(QPoint(m_ptZoomStart.x, m_ptZoomStart.y), pos).normalized();
        m_rcZoom = {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
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
    m_nGesture = 0;
    UpdateModeCursor();
    if (m_bZooming && m_bZoomArea && m_bTrace)
        FinishZoomArea(event->position().toPoint());
    m_bZooming = false;
}

void CCorvantaView::FinishZoomArea(const QPoint &end)
{
    m_pRubberBand->hide();
    SetClientSize(width(), height());
    // A click without a drag selects no area; the mode stays on for a drag.
    if (std::abs(end.x() - m_ptZoomStart.x) < 1 || std::abs(end.y() - m_ptZoomStart.y) < 1) {
        m_rcZoom = {};
        return;
    }
    const auto fields = ZoomAreaFields(m_ptZoomStart.x, m_ptZoomStart.y, end.x(), end.y());
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
    if (IsBlankText(text))
        return;

    CExpression candidate;
    candidate.SetExpression(text);
    for (int i = 0; i <= m_nLast && i < kSlots; ++i)
        if (m_aFunctions[i].m_strCoded == candidate.m_strCoded) {
            m_pHost->ShowStatusText(QStringLiteral("This function is already plotted."));
            return;  // never plotted twice
        }

    if (CheckSyntax(candidate.m_strCoded) != 0) {
        const SSyntaxPlace place = LocateSyntaxError(text);
        ShowMessage(this, QString::fromStdString(SyntaxMessage(place)), QString::fromLatin1(kSyntaxCaption), MsgIcon::Stop);
        m_pHost->FocusFunctionList();
        if (place.position > 0)
            m_pHost->SelectFunctionListText(static_cast<int>(place.position) - 1, 1);
        return;
    }

    // The ring: the sixth function replaces slot 0, the seventh slot 1, ...
    if (m_nLast < kSlots - 1)
        ++m_nLast;
    m_nCurrent = static_cast<std::int16_t>(m_nCurrent < 0 || m_nCurrent >= kSlots - 1 ? 0 : m_nCurrent + 1);

    const QString entry = QString::fromStdString(text);
    if (m_nLast != kSlots - 1) {
        m_pHost->AppendFunctionListEntry(entry);
    } else {
        if (m_nCurrent < m_pHost->FunctionListCount())
            m_pHost->RemoveFunctionListEntry(m_nCurrent);
        m_pHost->InsertFunctionListEntry(m_nCurrent, entry);
    }

    // The derivative-shown flag stays with the slot until Clear Graph.
    const bool derivativeShown = m_aFunctions[m_nCurrent].m_bDerivativeShown;
    m_results.DropSlot(m_nCurrent);  // the points found on the old function
    m_aFunctions[m_nCurrent].SetExpression(text);
    m_aFunctions[m_nCurrent].m_bDerivativeShown = derivativeShown;

    if (m_bRangeEdited)
        ApplyDomainRange();
    m_nSelected = m_nCurrent;
    if (m_bAutoscale) {
        AutoScale(m_aFunctions[m_nCurrent], m_dScaleX, m_dScaleY);
        m_dScaleX = ClampScale(m_dScaleX);
        m_dScaleY = ClampScale(m_dScaleY);
    }
    Redraw(m_nLast);
    UpdateRangeFields();
    m_pHost->UpdateDegreeOption(QString::fromStdString(m_aFunctions[m_nCurrent].m_strCoded));
    m_pHost->SetDerivativeText(QString::fromLatin1(kDerivativeHint));
    if (FindExponentTrap(text) != std::string::npos)
        m_pHost->ShowStatusText(QString::fromUtf8(kExponentTrapHint));  // plotted as typed all the same
    m_pHost->SetIndicatorColor(CGraphRenderer::SlotColor(m_aColor[m_nCurrent]));

    if (m_bFirstPlot) {
        // The first function of a run lands in slot 0 of an empty graph. The
        // mapping stays: it already holds the typed domain or the autoscale.
        m_bFirstPlot = false;
        ClearGraph(false);
        m_pHost->SetFunctionListText(typed);
        OnPlot();
    }
}

void CCorvantaView::OnSelectFunction(int index)
{
    if (index < 0 || index > m_nLast || index >= kSlots)
        return;
    m_nSelected = index;
    m_undoBase.selected = index;  // a later undo keeps this choice
    UpdateTracePoint();
    if (!m_pHost)
        return;
    m_pHost->SetIndicatorColor(CGraphRenderer::SlotColor(m_aColor[index]));
    const CExpression &f = m_aFunctions[index];
    m_pHost->SetDerivativeText(f.m_bDerivativeShown ? QString::fromStdString(m_aDerivatives[index].m_strText)
                                                    : QString::fromLatin1(kDerivativeHint));
    m_pHost->UpdateDegreeOption(QString::fromStdString(f.m_strCoded));
}

void CCorvantaView::ShowSelectedColor()
{
    if (m_pHost && m_nSelected >= 0 && m_nSelected <= m_nLast && m_nSelected < kSlots)
        m_pHost->SetIndicatorColor(CGraphRenderer::SlotColor(m_aColor[m_nSelected]));
}

bool CCorvantaView::DeriveInto(int slot, const std::string &codedText)
{
    if (slot < 0 || slot >= kSlots)
        return false;
    const CDerivative derivative(codedText);
    if (derivative.TooLong())
        return false;  // the slot stays as it was; a flag read from a file too
    m_aDerivatives[slot].SetExpression(derivative.GetResult());
    m_aDerivatives[slot].RestrictTo(m_aFunctions[slot]);
    m_aFunctions[slot].m_bDerivativeShown = true;
    return true;
}

void CCorvantaView::OnDifferentiate()
{
    if (m_nSelected < 0 || m_nSelected > m_nLast || m_nSelected >= kSlots)
        return;
    if (m_aFunctions[m_nSelected].m_strCoded.empty())
        return;
    if (!DeriveInto(m_nSelected, m_aFunctions[m_nSelected].m_strCoded)) {
        ShowMessage(this, QString::fromLatin1(kDerivativeTooLongText), QString::fromLatin1(kProgramName),
                    MsgIcon::Stop);
        return;
    }
    if (m_pHost)
        m_pHost->SetDerivativeText(QString::fromStdString(m_aDerivatives[m_nSelected].m_strText));
    Redraw(m_nLast);
}

void CCorvantaView::OnClearGraph()
{
    const bool newDocument = m_pHost && m_pHost->IsNewDocument();
    ClearGraph(!newDocument);
}

void CCorvantaView::ClearGraph(bool recentre)
{
    if (m_pHost) {
        m_pHost->ClearFunctionList();
        m_pHost->SetFunctionListText(QString());
        m_pHost->SetIndicatorColor(Qt::white);
    }
    CDocumentSync::ClearView(*this, false);
    for (CExpression &d : m_aDerivatives)
        CDocumentSync::EmptySlot(d);
    m_results.Clear();
    m_nSelected = -1;
    m_nCurrent = -1;
    ResetTraceAndTangent();
    if (recentre)
        OnCenter();
    if (m_pHost)
        m_pHost->SetDerivativeText(QString());
}

// --- The document -------------------------------------------------------------

void CCorvantaView::SyncDocument()
{
    // A redraw inside the synchronisation (the recentring of a new document)
    // is covered by the synchronisation itself.
    if (!m_pHost || m_bSyncing)
        return;
    m_bSyncing = true;
    const CDocumentSync::Outcome outcome =
        m_pHost->SyncDocument(*this, m_snapshot, [this](bool recentre) { ClearGraph(recentre); });
    m_bSyncing = false;
    if (outcome.loaded)
        AfterLoad();
    RecordChange(outcome.setModified);
}

void CCorvantaView::ShowSlotsInList(int selected)
{
    if (!m_pHost) {
        if (selected >= 0 && selected <= m_nLast)
            OnSelectFunction(selected);
        return;
    }
    m_pHost->ClearFunctionList();
    for (int i = 0; i <= m_nLast && i < kSlots; ++i)
        m_pHost->AppendFunctionListEntry(QString::fromStdString(m_aFunctions[i].m_strText));
    if (selected >= 0 && selected <= m_nLast) {
        m_pHost->SelectFunctionListEntry(selected);
        OnSelectFunction(selected);
    } else {
        m_pHost->SetIndicatorColor(Qt::white);
        m_pHost->SetDerivativeText(QString());
    }
}

void CCorvantaView::AfterLoad()
{
    SanitizeMapping();
    m_results.Clear();  // they belonged to the graph before
    for (CExpression &d : m_aDerivatives)
        CDocumentSync::EmptySlot(d);
    for (int i = 0; i <= m_nLast && i < kSlots; ++i)
        if (m_aFunctions[i].m_bDerivativeShown)
            DeriveInto(i, m_aFunctions[i].m_strCoded);
    // The functions of the file are this run's first ones.
    if (m_nLast >= 0)
        m_bFirstPlot = false;
    m_nSelected = -1;
    ShowSlotsInList(m_nLast >= 0 ? 0 : -1);
    m_nCurrent = m_nLast;
    Redraw(m_nLast);
}
