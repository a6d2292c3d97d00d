#pragma once

#include <cmath>

// Value tests shared by the root search, extrema, inflection points, the
// points table and the tangent display. Above 9e200 in magnitude a value
// counts as infinite, whether it is an IEEE infinity or a huge finite value
// near a pole.
constexpr double kInfiniteBound = 9e200;

// Inline: the root scan asks these for every one of up to 1e8 values.
inline bool IsNumber(double v) { return std::fabs(v) >= 0.0; }              // false only for NaN
inline bool IsInfinite(double v) { return std::fabs(v) > kInfiniteBound; }  // NaN is not infinite
inline bool IsFinite(double v) { return IsNumber(v) && !IsInfinite(v); }   // neither NaN nor infinite

// v rounded half away from zero at the n-th decimal, decided on the digit
// n + 1 alone. Infinite, NaN and values beyond a 64-bit integer part come
// back unchanged.
double RoundToDecimals(double v, int n);
