#pragma once

#include <utility>

// Angles in degrees, for the graph's degree mode and the calculator alike.

// The one degree: pi/180 rounded to a double. Degree mode is told apart from
// radians by this factor.
inline constexpr double kRadiansPerDegree = 0.017453292519943295;

// sin and cos of x degrees. The angle is split exactly into 90 q + y with
// |y| <= 45, so the quarter turns are exact (cos 90 is 0, sin 180 is 0) and
// sin 30 is 0.5; the rest is worked in extended precision and rounded once.
std::pair<long double, long double> SinCosDegrees(double x);

// The same rounded to doubles.
double SinDegrees(double x);
double CosDegrees(double x);

// sin and cos of the angle v * k: exact quarter turns when k is
// kRadiansPerDegree, the library's values of k * v otherwise.
void AngleSineAndCosine(double v, double k, double &sine, double &cosine);
