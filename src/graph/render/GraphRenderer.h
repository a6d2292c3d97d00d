#pragma once

#include "core/plot/ColumnSampler.h"
#include "core/plot/CurvePath.h"
#include "graph/render/LegendPainter.h"
#include "graph/render/ResultsPainter.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRect>

#include <array>
#include <vector>

class QPainter;
class CViewState;

// Time spent in one Render, split into sampling the curves (evaluation) and
// everything else (painting).
struct SRenderTiming
{
    double sampleMs = 0;
    double paintMs = 0;
};

// Draws the graph area of a view state on any painter: the window's off-
// screen picture, a printed page, an exported bitmap, a test image. Grid and
// axes are drawn aliased so they stay crisp; curves antialiased.
class CGraphRenderer
{
public:
    explicit CGraphRenderer(CViewState &state) : m_state(state), m_results(state), m_legend(state) {}

    // Background, grid, axes, labels, the shaded integral, then the shown
    // derivatives and the functions of slots 0..nLast, and over them the
    // marks, their labels and the legend. area gives the extent (its right
    // and bottom); k is the print scale.
    void Render(QPainter &p, const QRect &area, double k, const QColor &background, int nLast,
                SRenderTiming *timing = nullptr);

    // The graph on a printed page: white, framed, pens grown by the scale k.
    void RenderPage(QPainter &p, const QRect &area, double k);

    // Grid, axes, ticks and labels within area (its right and bottom).
    void DrawGrid(QPainter &p, const QRect &area, double k);

    // One curve of the view with the given pen colour and width: the polyline
    // of its samples, and where a column holds more than that polyline can
    // show (fast oscillation, a narrow peak, a domain edge, a pole), every
    // row the function takes there.
    void PlotCurve(QPainter &p, CExpression &f, const QRect &area, double k, const QColor &color, int width,
                   SRenderTiming *timing = nullptr);

    // The shaded integral (drawn under the curves).
    void DrawShading(QPainter &p, const QRect &area, double k);
    // Marks, labels and, when shown, the legend (drawn over the curves);
    // penScale multiplies the legend's pen widths.
    void DrawOverlay(QPainter &p, const QRect &area, double k, double penScale, int nLast);

    // Paints a sampled curve (device pixels).
    void DrawPath(QPainter &p, const CCurvePath &path, const QColor &color, int width);

    // What the last Render wrote over the curves: the legend and the result
    // labels, in device pixels. Windows kept above the graph avoid them.
    std::vector<QRect> OverlayBoxes() const;

    static QColor SlotColor(unsigned colorRef);
    // The graph's sans-serif font at pixels x the print scale k.
    static QFont Font(int pixels, double k);

private:
    CViewState &m_state;
    CResultsPainter m_results;
    CLegendPainter m_legend;
    bool m_bLegendDrawn = false;
    // Inks the spans of the columns whose polyline segment is not proved right.
    void DrawSpans(QPainter &p, const QColor &color, int width);

    CCurvePath m_path;
    CColumnSampler m_sampler;
    std::vector<QPointF> m_aBuffer;
};
