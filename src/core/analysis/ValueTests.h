#pragma once

// Value tests shared by the root search, extrema, inflection points, the
// points table and the tangent display. Above 9e200 in magnitude a value
// counts as infinite, whether it is an IEEE infinity or a huge finite value
// near a pole.
constexpr double kInfiniteBound = 9e200;

bool IsNumber(double v);    // false only for NaN
bool IsInfinite(double v);  // |v| > 9e200; NaN is not infinite
bool IsFinite(double v);    // neither NaN nor infinite

// v rounded half away from zero at the n-th decimal, decided on the digit
// n + 1 alone. Infinite, NaN and values beyond a 64-bit integer part come
// back unchanged.
double RoundToDecimals(double v, int n);
