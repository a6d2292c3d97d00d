#include "core/analysis/Integration.h"

#include "core/expr/Expression.h"
#include "core/expr/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// A batch of samples stays in the first-level cache.
constexpr std::int64_t kBatch = 1024;
// 2^62: summing more would take centuries, and the count still fits.
constexpr double kMaxSteps = 4611686018427387904.0;

// The sum of f over the points a + (i + shift) * width, i = 0 .. count - 1, batch
// by batch; NaN as soon as a batch has one. False when cancelled.
bool SumSamples(CExpression &f, double a, double width, double shift, std::int64_t count,
                CProgressTicker &ticker, double doneBefore, double &sum)
{
    std::vector<double> x(static_cast<std::size_t>(std::min(count, kBatch)));
    std::vector<double> y(x.size());
    sum = 0.0;
    for (std::int64_t first = 0; first < count; first += kBatch) {
        const std::int64_t m = std::min(kBatch, count - first);
        for (std::int64_t i = 0; i < m; ++i)
            x[static_cast<std::size_t>(i)] = a + (static_cast<double>(first + i) + shift) * width;
        f.EvaluateMany(x.data(), y.data(), static_cast<std::size_t>(m));
        // Summing each batch on its own keeps the rounding of long sums small.
        double part = 0.0;
        for (std::int64_t i = 0; i < m; ++i)
            part += y[static_cast<std::size_t>(i)];
        sum += part;
        if (std::isnan(sum))
            return true;
        if (!ticker.Step(doneBefore + static_cast<double>(first + m), m))
            return false;
    }
    return true;
}

}  // namespace

std::int64_t IntegrationSteps(double a, double b, double h)
{
    if (!(a < b))
        return 0;
    const double n = std::round((b - a) / h);
    if (!(n >= 1.0))
        return 1;
    return static_cast<std::int64_t>(std::min(n, kMaxSteps));
}

SIntegral Integrate(CExpression &f, double a, double b, double h, EIntegrationRule rule,
                    const ProgressCallback &progress)
{
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(h) || !(h > 0.0) || b < a)
        return {kNaN, false};
    if (a == b)
        return {0.0, false};

    const std::int64_t n = IntegrationSteps(a, b, h);
    const double dn = static_cast<double>(n);
    // b - a may overflow where b / n - a / n does not.
    double width = (b - a) / dn;
    if (!std::isfinite(width))
        width = b / dn - a / dn;

    const bool mid = rule != EIntegrationRule::Trapezoid;
    const bool trapezoid = rule != EIntegrationRule::MidPoint;
    const double total = (mid ? dn : 0.0) + (trapezoid ? dn : 0.0);
    CProgressTicker ticker(progress, total);

    double midSum = 0.0;
    if (mid && !SumSamples(f, a, width, 0.5, n, ticker, 0.0, midSum))
        return {kNaN, true};
    if (std::isnan(midSum))
        return {kNaN, false};

    double trapezoidSum = 0.0;
    if (trapezoid) {
        // Inner points 1 .. n - 1, then the two ends with weight one half.
        double inner = 0.0;
        if (!SumSamples(f, a, width, 1.0, n - 1, ticker, mid ? dn : 0.0, inner))
            return {kNaN, true};
        const double fa = f.Evaluate(a);
        const double fb = f.Evaluate(b);
        trapezoidSum = ((fb + fa) * 0.5 + inner) * width;
    }

    switch (rule) {
    case EIntegrationRule::MidPoint: return {midSum * width, false};
    case EIntegrationRule::Trapezoid: return {trapezoidSum, false};
    case EIntegrationRule::Simpson: return {(midSum * width * 2 + trapezoidSum) * 0.3333333333333333, false};
    }
    return {kNaN, false};
}

std::string IntegralText(double value) { return std::isnan(value) ? "Invalid Domain!" : FormatFixed(value, 6); }
