#pragma once

#include <string>
#include <vector>

// Where the grid, the axes, the ticks and the numeric labels of the graph
// area go, in device pixels. The painter only draws what this lists.
class CGridLayout
{
public:
    struct SLabel
    {
        std::string text;
        double left;  // left edge of the text
        double top;   // top of the text cell
    };

    // right, bottom: extent of the drawing area; k: print scale (1 on
    // screen); sx, sy: the view's scales; panX, panY: its pans (not scaled by k).
    static CGridLayout Compute(int right, int bottom, double k, double sx, double sy, int panX, int panY,
                               bool showGrid);

    // Label texts of each axis, for a label spacing of 2/sx and 2/sy units.
    static std::string XLabel(double value, double sx);
    static std::string YLabel(double value, double sy);

    double m_dAxisRow = 0;     // row of the x axis (limited to the area)
    double m_dAxisColumn = 0;  // column of the y axis (limited to the area)
    std::vector<double> m_aGridRows;     // dotted full-width lines
    std::vector<double> m_aGridColumns;  // dotted full-height lines
    std::vector<double> m_aTickRows;     // ticks across the y axis, columns axis-3..axis+3
    std::vector<double> m_aTickColumns;  // ticks across the x axis, rows axis-3..axis+3
    std::vector<SLabel> m_aYLabels;
    std::vector<SLabel> m_aXLabels;
};
