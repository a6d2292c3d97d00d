#include "core/analysis/ValueTests.h"

#include <cmath>
#include <cstdint>

double RoundToDecimals(double v, int n)
{
    if (!IsFinite(v) || std::fabs(v) > 9.2e18)
        return v;
    const double f = std::fmod(v, 1.0);
    const double scaled = f * std::pow(10.0, n + 1);
    // A fraction scaled past 64 bits has no digit n + 1 left to round on.
    if (!(std::fabs(scaled) < 9.2e18))
        return v;
    const auto k = static_cast<std::int64_t>(scaled);
    const std::int64_t d = k % 10;
    std::int64_t q = k / 10;
    if (d >= 5 || d <= -5)
        q += f > 0 ? 1 : -1;
    return static_cast<double>(static_cast<std::int64_t>(v)) + static_cast<double>(q) * std::pow(10.0, -n);
}
