#pragma once

#include <utility>

// sin and cos of an angle in degrees, exact at the quarter turns (cos 90 is
// 0, not 6e-17) and at 30 and 45 to the last bit: the angle is reduced
// exactly to 90 q + y with |y| <= 45 and the rest is worked in extended
// precision and rounded once by the caller.
std::pair<long double, long double> SinCosDegrees(double dDegrees);

// The same rounded to doubles.
double SinDegrees(double dDegrees);
double CosDegrees(double dDegrees);
