#include "core/expr/Angle.h"

#include "core/expr/Operations.h"

#include <cmath>

namespace {
constexpr long double kPiLong = 3.141592653589793238462643383279502884L;
}  // namespace

std::pair<long double, long double> SinCosDegrees(double x)
{
    if (!std::isfinite(x))
        return {NAN, NAN};  // no quarter turn to count
    const double r = std::fmod(x, 360.0);
    const double q = std::nearbyint(r / 90.0);
    const double y = r - 90.0 * q;
    const long double a = static_cast<long double>(y) * (kPiLong / 180.0L);
    const long double s = std::sin(a), c = std::cos(a);
    switch ((static_cast<int>(q) % 4 + 4) % 4) {
    case 0: return {s + 0.0L, c + 0.0L};
    case 1: return {c + 0.0L, -s + 0.0L};
    case 2: return {-s + 0.0L, -c + 0.0L};
    default: return {-c + 0.0L, s + 0.0L};
    }
}

double SinDegrees(double x) { return static_cast<double>(SinCosDegrees(x).first); }
double CosDegrees(double x) { return static_cast<double>(SinCosDegrees(x).second); }

void AngleSineAndCosine(double v, double k, double &sine, double &cosine)
{
    if (k == kRadiansPerDegree) {
        const auto [s, c] = SinCosDegrees(v);
        sine = static_cast<double>(s);
        cosine = static_cast<double>(c);
        return;
    }
    SineAndCosine(k * v, sine, cosine);
}
