#pragma once

#include "core/plot/GraphResults.h"
#include "core/plot/GraphState.h"
#include "core/plot/ViewSnapshot.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The sampling step of a curve as a double: the float step itself, or,
// where a float cannot hold one pixel's width in units (extreme zoom), the
// exact step 1 / (50 * scaleX).
double EffectiveStep(float step, double scaleX);

// The visible area in units.
struct SUnitArea
{
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};

// A message the window should show after ApplyDomainRange (stop icon).
struct SViewMessage
{
    std::string text;
    std::string caption;
};

// The graph's state beyond what a document holds (derivatives, selection,
// view options, results, client size), with the arithmetic of the mapping.
// The graph model owns one and changes it only through its commands.
class CViewState : public SGraphState
{
public:
    static constexpr int kUnit = 50;  // pixels per unit at scale 1

    // Scales stay inside these bounds so that no mapping step divides by
    // zero or overflows; they are far beyond any useful zoom.
    static constexpr double kMinScale = 1e-290;
    static constexpr double kMaxScale = 1e290;
    // Pans stay inside these bounds so pixel arithmetic never overflows.
    static constexpr std::int32_t kMaxPan = 1000000000;

    CViewState();
    virtual ~CViewState() = default;

    // Client size in pixels, set by the window whenever it changes.
    void SetClientSize(int width, int height);
    int ClientWidth() const { return m_nWidth; }
    int ClientHeight() const { return m_nHeight; }

    // Mapping; the pixel versions use the truncated halves, as drawing and
    // mouse positions do.
    double PixelColumn(double x) const;
    double PixelRow(double y) const;
    double UnitX(double px) const;
    double UnitY(double py) const;

    // The visible area, from the exact halves of the client size.
    SUnitArea VisibleArea() const;
    // The four range-field texts (x min, x max, y min, y max): two decimals,
    // or as many more as read back to the same view. Remembered, so fields
    // left as written do not move the view when applied.
    std::array<std::string, 4> RangeFieldTexts() const;

    // Reads the four range-field texts and sets the scales and pans from
    // them; returns the messages to show, in order. Clears m_bRangeEdited.
    std::vector<SViewMessage> ApplyDomainRange(const std::array<std::string, 4> &fields);

    // Chooses both scales from the mean slope of f (a copy of the function).
    // Leaves sx and sy untouched when the slope is 0, NaN or out of reach.
    static void AutoScale(CExpression f, double &sx, double &sy);

    // Multiplies the scales; false, with both unchanged, when either new
    // scale would leave the bounds below.
    bool Zoom(double fx, double fy);
    void SquareUnits();
    void Center();
    // Toggles autoscale mode; autoscales the selected function when it turns on.
    void ToggleAutoscale();
    // Adds a drag's movement to the pans (screen y grows downward).
    void PanBy(int dx, int dy);
    // Zoom about a point: as Zoom, and the unit point under client pixel
    // (px, py) stays under it (to within the pans' whole pixels; pans
    // never saturate). False, nothing changed, where Zoom refuses or the
    // pans that hold the point cannot be held.
    bool ZoomAbout(double px, double py, double fx, double fy);
    // Moves the visible area a tenth of the client width (dirX) or height
    // (dirY) the way the sign says: +x to the right, +y up.
    void PanStep(int dirX, int dirY);

    // What an undo step puts back.
    SViewSnapshot Snapshot() const;

    // The zoom-area rectangle (any corner order) as the four range-field
    // texts, "%.12f", ordered min <= max.
    std::array<std::string, 4> ZoomAreaFields(int x1, int y1, int x2, int y2) const;

    // Sampling parameters of a redraw at print scale k: step is one pixel in
    // units, half range half the visible width plus five pixels.
    float SampleStep(double k = 1.0) const;
    double HalfRange(double width, double k = 1.0) const;

    // Brings scales and pans set from outside (a document, a caller) back
    // into the bounds above; NaN becomes the default.
    void SanitizeMapping();

    static double ClampScale(double s);
    // Whether a scale or pan (NaN included) lies within the bounds.
    static bool CanHoldScale(double s);
    static bool CanHoldPan(double p);
    static std::int32_t ClampPan(double p);

    std::array<CExpression, kSlots> m_aDerivatives;
    std::int16_t m_nCurrent = -1;
    std::int32_t m_nSelected = -1;
    bool m_bShowGrid = true;
    bool m_bAutoscale = false;
    bool m_bRangeEdited = false;
    mutable std::array<std::string, 4> m_aShownRange;  // the range-field texts last written
    mutable std::array<double, 4> m_shownView{};       // scale x, pan x, scale y, pan y when written
    // Range texts as typed, shown back while their axis keeps the mapping
    // they made: scale, pan and extent of x, then of y (0: none typed).
    std::array<std::string, 4> m_aTypedRange;
    std::array<double, 6> m_typedView{};
    bool m_bShowLegend = false;
    // Axis labels at round 1-2-5 steps instead of every 100 pixels, and x
    // in multiples of pi. How a person likes to read graphs: a profile
    // setting, never part of a document.
    bool m_bReadableAxes = false;
    bool m_bPiUnits = false;
    SGraphResults m_results;  // marks and shading

protected:
    int m_nWidth = 0;
    int m_nHeight = 0;
};
