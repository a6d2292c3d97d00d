#pragma once

#include <QRect>

class QPainter;
class CViewState;

// The legend box in the top-right corner of the graph: each plotted
// function, followed by its derivative while that is shown, as a short line
// in the slot's pen and the text, elided when long.
class CLegendPainter
{
public:
    explicit CLegendPainter(CViewState &state) : m_state(state) {}

    // penScale multiplies the pens' widths (the printer's scale; the screen
    // picture's widths are already in device pixels).
    void Draw(QPainter &p, const QRect &area, double k, double penScale, int nLast);
    // The box the last Draw drew, in device pixels; empty when none.
    QRect Box() const { return m_box; }

    static constexpr int kSwatch = 28;  // swatch length in pixels at scale 1

private:
    CViewState &m_state;
    QRect m_box;
};
