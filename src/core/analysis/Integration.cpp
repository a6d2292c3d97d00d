#include "core/analysis/Integration.h"

#include "core/analysis/PoleWatch.h"
#include "core/analysis/TraceText.h"
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

// A compensated sum: Knuth's two-sum keeps the rounding lost at each
// addition apart and adds it back at the end, so long sums of large values
// stay exact to the last digits. Four independent lanes keep it about as
// fast as a plain sum.
struct SCompensatedSum
{
    double sum[4] = {};
    double lost[4] = {};

    void Add(const double *v, std::size_t n)
    {
        std::size_t i = 0;
        for (; i + 4 <= n; i += 4)
            for (std::size_t l = 0; l < 4; ++l)
                Add(l, v[i + l]);
        for (; i < n; ++i)
            Add(0, v[i]);
    }
    void Add(std::size_t l, double v)
    {
        const double t = sum[l] + v;
        const double w = t - sum[l];
        lost[l] += (sum[l] - (t - w)) + (v - w);
        sum[l] = t;
    }
    bool IsNaN() const { return std::isnan(sum[0] + sum[1] + sum[2] + sum[3]); }
    long double Total() const
    {
        long double total = 0.0L;
        for (std::size_t l = 0; l < 4; ++l)
            total += static_cast<long double>(sum[l]) + static_cast<long double>(lost[l]);
        return total;
    }
};

// The sum of f over the points a + (i + shift) * width, i = 0 .. count - 1,
// batch by batch, each sample shown to the pole watch; NaN as soon as a
// batch has one, and it stops once the watch found a pole. False when
// cancelled.
bool SumSamples(CExpression &f, double a, double width, double shift, std::int64_t count, CProgressTicker &ticker,
                double doneBefore, CPoleWatch &watch, long double &total)
{
    std::vector<double> x(static_cast<std::size_t>(std::min(count, kBatch)));
    std::vector<double> y(x.size());
    SCompensatedSum sum;
    total = 0.0L;
    for (std::int64_t first = 0; first < count; first += kBatch) {
        const std::int64_t m = std::min(kBatch, count - first);
        for (std::int64_t i = 0; i < m; ++i)
            x[static_cast<std::size_t>(i)] = a + (static_cast<double>(first + i) + shift) * width;
        f.EvaluateMany(x.data(), y.data(), static_cast<std::size_t>(m));
        sum.Add(y.data(), static_cast<std::size_t>(m));
        watch.AddMany(x.data(), y.data(), static_cast<std::size_t>(m));
        if (sum.IsNaN()) {
            total = kNaN;
            return true;
        }
        if (watch.Pole())
            return true;
        if (!ticker.Step(doneBefore + static_cast<double>(first + m), m))
            return false;
    }
    total = sum.Total();
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
        return {kNaN, false, {}};
    if (a == b)
        return {0.0, false, {}};

    const std::int64_t n = IntegrationSteps(a, b, h);
    const double dn = static_cast<double>(n);
    // b - a may overflow where b / n - a / n does not.
    double width = (b - a) / dn;
    if (!std::isfinite(width))
        width = b / dn - a / dn;

    // The sums weigh every sample by the exact width; only the sample
    // points use the double nearest to it.
    long double exactWidth = static_cast<long double>(b - a) / dn;
    if (!std::isfinite(exactWidth))
        exactWidth = static_cast<long double>(width);

    const bool mid = rule != EIntegrationRule::Trapezoid;
    const bool trapezoid = rule != EIntegrationRule::MidPoint;
    const double total = (mid ? dn : 0.0) + (trapezoid ? dn : 0.0);
    CProgressTicker ticker(progress, total);

    // Closer looks at suspected poles may cost about as much as the sums.
    const std::int64_t budget = n + 10000;
    CPoleWatch ends(f, budget);
    ends.CheckEnd(a, width);
    ends.CheckEnd(b, -width);
    if (ends.Pole())
        return {kNaN, false, ends.Pole()};

    const double fa = f.Evaluate(a);
    const double fb = f.Evaluate(b);
    long double midSum = 0.0L;
    if (mid) {
        // The ends are not summed here, but a pole between an end and the
        // first middle shows against them.
        CPoleWatch watch(f, budget);
        watch.Add(a, fa);
        if (!SumSamples(f, a, width, 0.5, n, ticker, 0.0, watch, midSum))
            return {kNaN, true, {}};
        if (std::isnan(midSum))
            return {kNaN, false, {}};
        watch.Add(b, fb);
        watch.Finish();
        if (watch.Pole())
            return {kNaN, false, watch.Pole()};
    }

    long double nodeSum = 0.0L;  // inner points with weight one, the ends with one half
    if (trapezoid) {
        CPoleWatch watch(f, budget);
        watch.Add(a, fa);
        long double inner = 0.0L;
        if (!SumSamples(f, a, width, 1.0, n - 1, ticker, mid ? dn : 0.0, watch, inner))
            return {kNaN, true, {}};
        if (std::isnan(inner) || std::isnan(fa) || std::isnan(fb))
            return {kNaN, false, {}};
        watch.Add(b, fb);
        watch.Finish();
        if (watch.Pole())
            return {kNaN, false, watch.Pole()};
        nodeSum = (static_cast<long double>(fa) + fb) * 0.5L + inner;
    }

    long double value = 0.0L;
    switch (rule) {
    case EIntegrationRule::MidPoint: value = midSum * exactWidth; break;
    case EIntegrationRule::Trapezoid: value = nodeSum * exactWidth; break;
    case EIntegrationRule::Simpson: value = (midSum * 2 + nodeSum) * exactWidth / 3; break;
    }
    return {static_cast<double>(value), false, {}};
}

std::string IntegralText(double value) { return std::isnan(value) ? "Invalid Domain!" : ShownFixed(value, 6); }

std::string IntegralText(const SIntegral &integral)
{
    if (!integral.pole)
        return IntegralText(integral.value);
    // Six decimals without trailing zeros.
    std::string where = ShownFixed(*integral.pole, 6);
    where.erase(where.find_last_not_of('0') + 1);
    if (where.back() == '.')
        where.pop_back();
    return "The function has a pole near x = " + where + ": the integral does not exist on this interval.";
}
