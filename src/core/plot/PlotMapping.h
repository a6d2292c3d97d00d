#pragma once

class CViewState;

// Units to device pixels exactly as the curves are sampled: an area whose
// right and bottom are given, the view's scales times the print scale k and
// its pans as they are (never scaled by k). Marks and shading use it so they
// sit on the curve they belong to.
struct SPlotMapping
{
    double scaleX = 1.0;  // k times the view's scales
    double scaleY = 1.0;
    int w2 = 0;  // integer halves of the area's right and bottom
    int h2 = 0;
    int panX = 0;
    int panY = 0;

    static SPlotMapping Of(const CViewState &view, int right, int bottom, double k);

    double Column(double x) const { return kUnit * scaleX * x + w2 + panX; }
    double Row(double y) const { return h2 - kUnit * scaleY * y - panY; }
    double UnitX(double column) const { return (column - w2 - panX) / (kUnit * scaleX); }

    static constexpr int kUnit = 50;  // CViewState::kUnit
};
