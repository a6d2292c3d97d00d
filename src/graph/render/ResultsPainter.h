#pragma once

#include "core/plot/ShadeRegion.h"

#include <QPointF>
#include <QRect>

#include <string>
#include <vector>

class QPainter;
class CViewState;
struct SGraphMark;

// Paints the view's results on the graph: the shaded integral under the
// curves, and over them the marks of the analyses, the highlighted mark's
// coordinates and the integral's label. All geometry comes from the core's
// mapping at print scale k, so a mark sits on its curve in every picture.
//
// Marks, in the colour of their curve: extrema a filled disc, inflection
// points a ring, roots a ring with a dot in it, intersections a diamond with
// a dot in it. The highlighted mark is drawn larger inside a black ring.
// Above the axis the integral is shaded more strongly than below it.
class CResultsPainter
{
public:
    explicit CResultsPainter(CViewState &state) : m_state(state) {}

    static constexpr double kMarkRadius = 4.0;  // pixels at scale 1
    static constexpr double kHighlightRadius = 6.0;
    static constexpr int kAboveAlpha = 100;
    static constexpr int kBelowAlpha = 45;

    void DrawShading(QPainter &p, const QRect &area, double k);
    void DrawMarks(QPainter &p, const QRect &area, double k);

    // The label boxes the last DrawMarks drew, in device pixels.
    const std::vector<QRectF> &LabelBoxes() const { return m_aBoxes; }

    // A boxed text near anchor (above and to the right of it, else where it
    // fits), kept inside area; returns the box (empty for no text).
    static QRectF DrawLabel(QPainter &p, const QRect &area, double k, QPointF anchor, double gap,
                          const std::string &text);

private:
    bool SlotPlotted(int slot) const;
    void DrawMark(QPainter &p, const SGraphMark &mark, QPointF centre, double k, bool highlighted);

    CViewState &m_state;
    CShadeRegion m_region;
    std::vector<QPointF> m_aBuffer;
    std::vector<QRectF> m_aBoxes;
};
