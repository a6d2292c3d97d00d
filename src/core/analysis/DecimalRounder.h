#pragma once

#include "core/analysis/ValueTests.h"

#include <cmath>
#include <cstdint>

// RoundToDecimals for one fixed number of decimals, with its powers of ten
// computed once: the scan rounds twice per step and would otherwise spend
// more time in pow than in the function. The whole part is split off by a
// conversion, which is exact below 2^63, so no fmod is needed either.
class CDecimalRounder
{
public:
    explicit CDecimalRounder(int n) : m_dUp(std::pow(10.0, n + 1)), m_dDown(std::pow(10.0, -n)) {}

    double operator()(double v) const
    {
        if (!IsFinite(v) || std::fabs(v) > 9.2e18)
            return v;
        // Below 9.2e18 the conversion truncates exactly, and v minus its
        // integer part is fmod(v, 1.0) up to the sign of a zero, which the
        // result does not depend on (and no library call for trunc).
        const auto whole = static_cast<std::int64_t>(v);
        const double f = v - static_cast<double>(whole);
        const double scaled = f * m_dUp;
        if (!(std::fabs(scaled) < 9.2e18))
            return v;
        const auto k = static_cast<std::int64_t>(scaled);
        const std::int64_t d = k % 10;
        std::int64_t q = k / 10;
        if (d >= 5 || d <= -5)
            q += f > 0 ? 1 : -1;
        return static_cast<double>(whole) + static_cast<double>(q) * m_dDown;
    }

private:
    double m_dUp;
    double m_dDown;
};
