#include "view/CorvantaView.h"

#include "app/Message.h"
#include "view/ViewHost.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRubberBand>
#include <QScreen>

#include <algorithm>
#include <cstdlib>

CCorvantaView::CCorvantaView(QWidget *parent) : QWidget(parent), m_renderer(*this)
{
    // The paint handler covers every pixel from the picture.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

CCorvantaView::~CCorvantaView() = default;

void CCorvantaView::EnsurePicture()
{
    const int w = std::max(1, width()), h = std::max(1, height());
    if (!m_dcMem.isNull() && m_dcMem.width() >= w && m_dcMem.height() >= h)
        return;
    // Screen-sized at first, so resizing seldom needs a new picture.
    QSize size(w, h);
    if (m_dcMem.isNull()) {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            size = size.expandedTo(screen->size());
    } else {
        size = size.expandedTo(m_dcMem.size());
    }
    m_dcMem = QImage(size, QImage::Format_RGB32);
    m_dcMem.fill(palette().color(QPalette::Base));
}

void CCorvantaView::RenderTo(QPainter &p, const QRect &area, double k, SRenderTiming *timing)
{
    m_renderer.Render(p, area, k, palette().color(QPalette::Base), m_nLast, timing);
}

void CCorvantaView::DrawGrid(QPainter &p, const QRect &rect, bool bUseRect, double k)
{
    SetClientSize(width(), height());
    m_renderer.DrawGrid(p, bUseRect ? rect : QRect(0, 0, m_nWidth, m_nHeight), k);
}

void CCorvantaView::RebuildPicture(int nLast)
{
    SetClientSize(width(), height());
    SanitizeMapping();
    m_bLive = true;
    EnsurePicture();
    QPainter p(&m_dcMem);
    m_renderer.Render(p, QRect(0, 0, m_nWidth, m_nHeight), 1.0, palette().color(QPalette::Base), nLast);
}

void CCorvantaView::Redraw(int nLast)
{
    RebuildPicture(nLast);
    update();
    if (m_pHost)
        m_pHost->FocusFunctionList();
    UpdateRangeFields();
    if (m_pHost)
        m_pHost->SyncDocument();
}

void CCorvantaView::UpdateRangeFields()
{
    SetClientSize(width(), height());
    if (!m_pHost)
        return;
    const auto texts = RangeFieldTexts();
    for (int i = 0; i < 4; ++i)
        m_pHost->SetRangeFieldText(RangeField::XMin + i, QString::fromStdString(texts[i]));
}

void CCorvantaView::ApplyDomainRange()
{
    SetClientSize(width(), height());
    std::array<std::string, 4> fields;
    if (m_pHost) {
        for (int i = 0; i < 4; ++i)
            fields[i] = m_pHost->RangeFieldText(RangeField::XMin + i).toStdString();
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
    return m_dcMem.copy(0, 0, m_nWidth, m_nHeight);
}

// Zoom commands.
void CCorvantaView::OnZoomInX()
{
    ZoomX(2);
    Redraw(m_nLast);
}
void CCorvantaView::OnZoomOutX()
{
    ZoomX(0.5);
    Redraw(m_nLast);
}
void CCorvantaView::OnZoomInY()
{
    ZoomY(2);
    Redraw(m_nLast);
}
void CCorvantaView::OnZoomOutY()
{
    ZoomY(0.5);
    Redraw(m_nLast);
}
void CCorvantaView::OnZoomIn()
{
    ZoomX(2);
    ZoomY(2);
    Redraw(m_nLast);
}
void CCorvantaView::OnZoomOut()
{
    ZoomX(0.5);
    ZoomY(0.5);
    Redraw(m_nLast);
}
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

void CCorvantaView::SetTrace(bool on)
{
    m_bTrace = on;
    if (m_pHost)
        m_pHost->SetBarVisible(ViewCommand::TraceBar, on);
}

void CCorvantaView::SetTraceMode(bool on)
{
    m_bTrace = on;
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
    case ViewCommand::ZoomInX: OnZoomInX(); return true;
    case ViewCommand::ZoomOutX: OnZoomOutX(); return true;
    case ViewCommand::ZoomInY: OnZoomInY(); return true;
    case ViewCommand::ZoomOutY: OnZoomOutY(); return true;
    case ViewCommand::ZoomIn: OnZoomIn(); return true;
    case ViewCommand::ZoomOut: OnZoomOut(); return true;
    case ViewCommand::SquareUnits: OnSquareUnits(); return true;
    case ViewCommand::Center: OnCenter(); return true;
    case ViewCommand::Autoscale: OnAutoscale(); return true;
    case ViewCommand::ShowGrid: OnShowGrid(); return true;
    case ViewCommand::ZoomArea: OnZoomArea(); return true;
    default: return false;
    }
}

std::optional<bool> CCorvantaView::CommandChecked(int id) const
{
    switch (id) {
    case ViewCommand::Autoscale: return m_bAutoscale;
    case ViewCommand::ShowGrid: return m_bShowGrid;
    case ViewCommand::ZoomArea: return m_bZoomArea && m_bTrace;
    default: return std::nullopt;
    }
}

void CCorvantaView::paintEvent(QPaintEvent *event)
{
    if (!m_bPainted) {
        m_bPainted = true;
        RebuildPicture(m_nLast);
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
        p.drawImage(event->rect(), m_dcMem, event->rect());
    }
    if (m_pHost) {
        m_pHost->FocusFunctionList();
        m_pHost->SyncDocument();
    }
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
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    SetClientSize(width(), height());
    m_ptDrag.x = pos.x();
    m_ptDrag.y = pos.y();
    m_bDragging = true;
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
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (!m_bZoomArea) {
        PanBy(pos.x() - m_ptDrag.x, pos.y() - m_ptDrag.y);
        m_ptDrag.x = pos.x();
        m_ptDrag.y = pos.y();
        Redraw(m_nLast);
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
    unsetCursor();
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
            m_pHost->SetRangeFieldText(RangeField::XMin + i, QString::fromStdString(fields[i]));
    }
    m_rcZoom = {};
    m_bZoomArea = false;
    if (m_bTrace)
        SetTrace(false);
    RePlot();
}
