#include "core/plot/AxisTicks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <numeric>

namespace {

// More ticks than any area can show: a bound against degenerate input.
constexpr double kMaxTicks = 10000;

// Text without trailing zeros after a decimal point ("1.500" -> "1.5", "2.0" -> "2").
std::string Trimmed(std::string s)
{
    if (s.find('.') == std::string::npos)
        return s;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    return s;
}

}  // namespace

namespace axis_ticks {

double DecimalStep(double units)
{
    if (!(units > 0) || !std::isfinite(units))
        return 0;
    const double decade = std::pow(10.0, std::floor(std::log10(units)));
    double best = decade;
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (std::fabs(std::log(m * decade / units)) < std::fabs(std::log(best / units)))
            best = m * decade;
    return best;
}

std::string DecimalText(double value, double step)
{
    if (std::fabs(value) <= std::fabs(step) * 1e-6 || value == 0)
        return "0";
    const int stepExp = static_cast<int>(std::floor(std::log10(std::fabs(step)) + 1e-9));
    const int valueExp = static_cast<int>(std::floor(std::log10(std::fabs(value)) + 1e-9));
    char buf[64];
    if (valueExp >= 12 || valueExp <= -5) {
        // Mantissa digits down to the step's decade.
        const int decimals = std::clamp(valueExp - stepExp, 0, 15);
        std::snprintf(buf, sizeof buf, "%.*e", decimals, value);
        std::string s(buf);
        const std::size_t e = s.find('e');
        const std::string mantissa = Trimmed(s.substr(0, e));
        const int exponent = std::atoi(s.c_str() + e + 1);
        return mantissa + "e" + std::to_string(exponent);
    }
    std::snprintf(buf, sizeof buf, "%.*f", std::clamp(-stepExp, 0, 17), value);
    std::string s = Trimmed(buf);
    return s == "-0" ? "0" : s;
}

std::string PiText(long n, long d)
{
    if (n == 0)
        return "0";
    const long g = std::gcd(n, d);
    n /= g;
    d /= g;
    if (d < 0) {
        n = -n;
        d = -d;
    }
    std::string s = n == 1 ? "" : n == -1 ? "-" : std::to_string(n);
    s += "\u03C0";
    if (d != 1)
        s += "/" + std::to_string(d);
    return s;
}

}  // namespace axis_ticks

std::vector<SAxisTick> ReadableTicks(double p0, double pixelsPerUnit, double from, double to, EAxisUnits units,
                                     double spacing)
{
    std::vector<SAxisTick> ticks;
    if (!std::isfinite(p0) || !std::isfinite(pixelsPerUnit) || pixelsPerUnit == 0 || !(spacing > 0))
        return ticks;
    double a = (from - p0) / pixelsPerUnit, b = (to - p0) / pixelsPerUnit;
    if (a > b)
        std::swap(a, b);
    const double raw = spacing / std::fabs(pixelsPerUnit);
    // Pi steps: a quarter, a half, or a 1-2-5 number of pi.
    long num = 1, den = 1;
    double step = axis_ticks::DecimalStep(raw);
    // Far out, multiples of pi would no longer fit a whole-number numerator.
    const bool pi = units == EAxisUnits::Pi && raw >= std::numbers::pi / 8 && raw <= 1e12;
    if (pi) {
        const double inPi = raw / std::numbers::pi;
        if (inPi < 0.35) {
            den = 4;
        } else if (inPi < 0.7) {
            den = 2;
        } else {
            num = static_cast<long>(std::max(1.0, axis_ticks::DecimalStep(inPi)));
        }
        step = std::numbers::pi * num / den;
    }
    if (!(step > 0) || !std::isfinite(a) || !std::isfinite(b) || (b - a) / step > kMaxTicks)
        return ticks;
    const double first = std::ceil(a / step), last = std::floor(b / step);
    // Beyond 2^52 steps from 0 neighbouring ticks are no longer distinct.
    if (std::max(std::fabs(first), std::fabs(last)) * static_cast<double>(num) > 0x1p52)
        return ticks;
    for (double k = first; k <= last; ++k) {
        const double value = k * step;
        const std::string text = pi ? axis_ticks::PiText(static_cast<long>(k) * num, den)
                                    : axis_ticks::DecimalText(value, step);
        ticks.push_back({value, p0 + value * pixelsPerUnit, text});
    }
    return ticks;
}

std::vector<SAxisTick> ReadableXTicks(const SPlotMapping &map, int right, EAxisUnits units, double spacing)
{
    return ReadableTicks(map.w2 + map.panX, SPlotMapping::kUnit * map.scaleX, 0, std::max(right, 0), units,
                         spacing);
}

std::vector<SAxisTick> ReadableYTicks(const SPlotMapping &map, int bottom, double spacing)
{
    return ReadableTicks(map.h2 - map.panY, -SPlotMapping::kUnit * map.scaleY, 0, std::max(bottom, 0),
                         EAxisUnits::Decimal, spacing);
}

std::vector<std::size_t> ShownLabels(const std::vector<SAxisTick> &ticks, const std::vector<double> &extents,
                                     double gap, double crossing)
{
    std::vector<std::size_t> shown;
    if (ticks.size() != extents.size() || ticks.empty())
        return shown;
    const double step = ticks.size() > 1 ? std::fabs(ticks[1].pixel - ticks[0].pixel) : 0;
    const double widest = *std::max_element(extents.begin(), extents.end());
    // Every n-th tick, n = 1, 2, 5, 10, 20, ..., so that the widest labels fit.
    constexpr long kSeries[] = {1, 2, 5};
    long every = 1, decade = 1;
    for (int j = 0; step > 0 && step * static_cast<double>(every) < widest + gap && every < 1000000;) {
        if (++j == 3) {
            j = 0;
            decade *= 10;
        }
        every = kSeries[j] * decade;
    }
    const double tickStep = ticks.size() > 1 ? ticks[1].value - ticks[0].value : 1.0;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const double index = std::nearbyint(ticks[i].value / tickStep);
        if (std::fmod(std::fabs(index), static_cast<double>(every)) != 0)
            continue;
        if (std::fabs(ticks[i].pixel - crossing) < extents[i] / 2 + gap / 2)
            continue;
        shown.push_back(i);
    }
    return shown;
}
