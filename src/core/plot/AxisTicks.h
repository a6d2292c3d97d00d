#pragma once

#include "core/plot/PlotMapping.h"

#include <string>
#include <vector>

// Ticks at readable values for an axis, as pure arithmetic: steps of 1, 2 or
// 5 times a power of ten about a given number of pixels apart, or multiples
// of pi for trigonometric work. The painter puts the ticks, grid lines and
// labels where these say; the classic layout (GridLayout.h) is separate.
struct SAxisTick
{
    double value;  // in units
    double pixel;  // device column (x axis) or row (y axis)
    std::string text;
};

enum class EAxisUnits { Decimal, Pi };

namespace axis_ticks {

// The 1-2-5 step nearest (by ratio) to `units`, the units one spacing
// covers; 0 when units is not a positive finite number.
double DecimalStep(double units);

// Label of value on a grid of `step` (a 1-2-5 step): as many decimals as the
// step needs and no trailing zeros ("2", "0.25", "-1.5"); values from 1e12
// up or below 1e-4 in exponent form ("1.5e-7", "2e12"). Values within a millionth of a
// step of 0 are "0".
std::string DecimalText(double value, double step);

// Label of value = n * pi / d in lowest terms: "0", "π/4", "-π/2", "3π/2", "2π".
std::string PiText(long n, long d);

}  // namespace axis_ticks

// Ticks along an axis whose pixel is p0 + value * pixelsPerUnit (negative for
// rows, which grow downward), for the pixels from..to. Pi units use steps of
// pi/4 (zoomed in), pi/2, pi and 1-2-5 multiples of pi; zoomed in further
// than pi/8 per spacing they fall back to decimal steps. None when the axis
// cannot be labelled (a degenerate scale, or values so large that steps no
// longer advance).
std::vector<SAxisTick> ReadableTicks(double p0, double pixelsPerUnit, double from, double to, EAxisUnits units,
                                     double spacing = 100);

// The ticks of the x and y axes of an area whose right and bottom are given,
// as the curves are mapped.
std::vector<SAxisTick> ReadableXTicks(const SPlotMapping &map, int right, EAxisUnits units, double spacing = 100);
std::vector<SAxisTick> ReadableYTicks(const SPlotMapping &map, int bottom, double spacing = 100);

// Which labels to show: extents[i] is the size of tick i's label along the
// axis (its width on the x axis, its height on the y axis), centred on the
// tick. Labels keep `gap` pixels between them: where neighbours would come
// closer, only every 2nd, 5th, 10th, ... label (counted from value 0, so the
// pattern does not jump while panning) is kept. A label over `crossing`, the
// pixel where the other axis crosses this one (NaN: none), is left out. The
// indices come in order; none when the two lists differ in length.
std::vector<std::size_t> ShownLabels(const std::vector<SAxisTick> &ticks, const std::vector<double> &extents,
                                     double gap, double crossing);
