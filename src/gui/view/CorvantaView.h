#pragma once

#include "core/analysis/Tangent.h"
#include "graph/model/Graph.h"

#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QWidget>

#include <optional>
#include <string>

class CViewHost;
class QRubberBand;
class QUndoStack;

struct SRenderTiming;

// The graph view: draws its graph model and turns input into model calls.
// It holds only what a window needs: the picture, the gesture in progress
// and the trace and tangent display. The picture is built off screen by
// Redraw and the paint handler only copies it.
class CCorvantaView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kSlots = CGraph::kSlots;

    explicit CCorvantaView(QWidget *parent = nullptr);
    ~CCorvantaView() override;

    CGraph &Graph() { return m_graph; }
    const CViewState &State() const { return m_graph.State(); }

    void SetHost(CViewHost *host) { m_pHost = host; }
    CViewHost *Host() const { return m_pHost; }

    // Shown in the derivative field until the function is differentiated.
    static const char *const kDerivativeHint;

    // Rebuilds the off-screen picture and shows it.
    void Redraw();
    // Writes the visible area into the four range fields.
    void UpdateRangeFields();
    // Applies the typed domain and range; errors go to message boxes.
    void ApplyDomainRange();
    // The re-plot command: typed fields win over autoscale.
    void RePlot();

    // The plot command: the text of the function list enters the ring of
    // five slots, or is refused with a syntax message.
    void OnPlot();
    // A choice in the function list (index of the entry).
    void OnSelectFunction(int index);
    // The colour indicator takes the selected function's colour.
    void ShowSelectedColor();
    // Differentiates the selected function and shows its derivative.
    void OnDifferentiate();
    // Clear Graph: recentres unless the document is a new one.
    void OnClearGraph();
    // Empties list, slots and fields; recentre runs the centre command.
    void ClearGraph(bool recentre);

    // Runs one of the view's commands; false if the id is not the view's.
    bool HandleCommand(int id);
    // The check state of a view command, if it has one.
    std::optional<bool> CommandChecked(int id) const;

    // Trace mode as set by its bar (ending it also ends zoom-area mode).
    void SetTraceMode(bool on);

    // The off-screen picture over the client area (a copy, at the screen's
    // pixel density).
    QImage Picture() const;
    // Draws the graph as Redraw does on another painter (export, print, tests).
    void RenderTo(QPainter &p, const QRect &area, double k = 1.0, SRenderTiming *timing = nullptr);

public slots:
    void OnZoomInX();
    void OnZoomOutX();
    void OnZoomInY();
    void OnZoomOutY();
    void OnZoomIn();
    void OnZoomOut();
    void OnSquareUnits();
    void OnCenter();
    void OnAutoscale();
    void OnShowGrid();
    void OnLegend();
    void SetAxisLabels(bool readable, bool piUnits);
    void OnZoomArea();
    // A range field received the input focus.
    void OnRangeFieldFocus() { m_graph.MarkRangeEdited(); }

    // --- Trace and tangent ---------------------------------------------
public:
    // Commands 32774 and 32823: trace or tangent mode on or off, with its bar.
    void OnTrace();
    void OnTangent();
    // Tangent mode as set by its bar; it always starts live, and ending it
    // redraws (removing the tangent).
    void SetTangentMode(bool on);
    bool IsTracing() const { return m_bTrace; }
    bool IsTangentMode() const { return m_bTangent; }
    bool IsZoomArea() const { return m_bZoomArea; }
    bool IsLive() const { return m_bLive; }
    // The trace bar's x field changed: f(x) of the selected function.
    void OnTraceInput(const QString &text);
    // A mouse move without a drag: position, live tangent, cursor line.
    void TrackMouse(const QPoint &pos);
    // The right button: freezes the tangent into the picture with its
    // equation, or lets it follow the mouse again.
    void ToggleLive();
    // The window's contents over rect: the picture and the live tangent.
    void PaintWindow(QPainter &p, const QRect &rect) const;
    const CTangent &Tangent() const { return m_tangent; }
    // The tangent as drawn, in pixels, clipped to the client area.
    std::optional<QLineF> TangentLine() const;
    // The column of the cursor line, while one is shown.
    std::optional<int> CursorLineColumn() const { return m_nCursorColumn; }

private:
    bool HasSelectedFunction() const;
    void ShowLiveTangent();
    void ClearTangentOverlay();
    void ResetTraceAndTangent();
    void UpdateModeCursor();

    CTangent m_tangent;
    std::optional<int> m_nCursorColumn;  // the live cursor line
    std::optional<QLineF> m_liveLine;    // the live tangent

    // --- Direct handling and the undo history ------------------------------
public:
    // The graph's history of changes; the document marks it clean.
    QUndoStack *UndoStack() { return m_graph.UndoStack(); }
    // The traced point's label and where its point is, while trace mode shows one.
    struct STracePoint
    {
        QPointF point;
        bool onCurve = false;  // f(x) defined and inside the window
        QColor color;          // the curve's
        QString label;
    };
    const std::optional<STracePoint> &TracePoint() const { return m_tracePoint; }

signals:
    // The legend and the result labels moved: their boxes on the screen.
    void overlayMoved(const QList<QRect> &screenBoxes);

private:
    enum class EGesture { None, Drag, Wheel, Keys };
    // A step of a gesture: one that continues the last run of its kind
    // merges with it in the undo history.
    void ContinueGesture(EGesture kind);
    void EndGesture();
    void MoveTrace(int columns);
    void UpdateTracePoint();
    void PaintTracePoint(QPainter &p) const;

    void ReportOverlay(double dpr);

    bool m_bKeepFocus = false;  // a redraw leaves the keyboard focus where it is
    QList<QRect> m_aOverlay;    // where the last picture's overlay boxes are on screen
    int m_nGesture = 0;         // nonzero while a gesture changes the view
    int m_nLastGesture = 0;
    EGesture m_eRun = EGesture::None;
    QElapsedTimer m_runClock;
    int m_nWheelDelta = 0;  // wheel movement short of a notch
    std::optional<int> m_nTraceColumn;
    std::optional<STracePoint> m_tracePoint;

protected:
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // The status text when a zoom command or the wheel meets the scale limit.
    static constexpr const char *kZoomLimitText = "The graph cannot be zoomed further: the scale is at its limit.";

    void ZoomBy(double fx, double fy);
    void EnsurePicture();
    void RebuildPicture();
    void SetTrace(bool on);
    void FinishZoomArea(const QPoint &end);
    void SyncSize();
    std::array<std::string, 4> RangeFields() const;
    void ShowMessages(const std::vector<SViewMessage> &messages);

    // The model changed: the list, the bars and the picture follow it.
    void OnGraphChanged(GraphChanges what);
    // The function list shows the slots in order; what is typed in it stays.
    void ShowSlotsInList();
    // The colour indicator, derivative field and degree option of the selection.
    void ShowSelection();

    CGraph m_graph;
    CViewHost *m_pHost = nullptr;
    QImage m_dcMem;  // off-screen picture, at least the client size
    bool m_bPainted = false;
    bool m_bTrace = false;
    bool m_bTangent = false;
    bool m_bZoomArea = false;
    bool m_bLive = true;
    QRect m_rcZoom;
    QPoint m_ptZoomStart;  // where the rubber band was started
    QPoint m_ptDrag;       // last mouse position of a pan drag
    bool m_bDragging = false;
    bool m_bZooming = false;  // a rubber band is being dragged
    bool m_bPrinting = false;
    QRubberBand *m_pRubberBand = nullptr;
};
