#include "core/calc/DegreeTrig.h"

#include <cmath>

namespace {

constexpr long double kPiL = 3.141592653589793238462643383279502884L;

}  // namespace

std::pair<long double, long double> SinCosDegrees(double dDegrees)
{
    const double r = std::fmod(dDegrees, 360.0);  // exact
    const double q = std::nearbyint(r / 90.0);
    const double y = r - 90.0 * q;  // exact: r and 90 q are close
    const long double a = static_cast<long double>(y) * (kPiL / 180.0L);
    const long double s = std::sin(a), c = std::cos(a);
    switch ((static_cast<int>(q) % 4 + 4) % 4) {
    case 0: return {s + 0.0L, c + 0.0L};
    case 1: return {c + 0.0L, -s + 0.0L};
    case 2: return {-s + 0.0L, -c + 0.0L};
    default: return {-c + 0.0L, s + 0.0L};
    }
}

double SinDegrees(double dDegrees) { return static_cast<double>(SinCosDegrees(dDegrees).first); }
double CosDegrees(double dDegrees) { return static_cast<double>(SinCosDegrees(dDegrees).second); }
