#include "core/analysis/Integration.h"

#include "core/analysis/PoleWatch.h"
#include "core/analysis/TraceText.h"
#include "core/expr/Expression.h"
#include "core/expr/ShownNumber.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// A batch of samples stays in the first-level cache.
constexpr std::int64_t kBatch = 1024;
// 2^58: summing more would take centuries, and eight samples per step still count in 64 bits.
constexpr double kMaxSteps = 288230376151711744.0;

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

namespace {

// How finely the sweep divides a sub-interval: the trapezoid rule needs its
// nodes and the middles at h and h/2, the other rules the middles at h/4 too.
int Divisions(EIntegrationRule rule) { return rule == EIntegrationRule::Trapezoid ? 4 : 8; }

// The sums a grid point j (of Divisions per sub-interval) belongs to:
// 0 the nodes, 1 the middles at h, 2 those at h/2, 3 those at h/4.
int Level(std::int64_t j, int div)
{
    if (j % div == 0)
        return 0;
    if (j % (div / 2) == 0)
        return 1;
    if (div == 8 && j % 2 == 0)
        return 2;
    return div == 8 ? 3 : 2;
}

// The nominal order of each rule's error on smooth functions.
double NominalOrder(EIntegrationRule rule) { return rule == EIntegrationRule::Simpson ? 4.0 : 2.0; }

// How |f| grows towards an end where it grows without bound: its exponent
// q in |f| ~ t^-q, from two distances t far below the step. The integral
// exists where q < 1; a little below 1 still reads as a pole, since the
// sums could not show such an integral anyway.
constexpr double kPoleExponent = 0.98;

double EndExponent(CExpression &f, double end, double inward)
{
    const double sign = inward > 0 ? 1.0 : -1.0;
    const double spacing = std::nextafter(std::fabs(end), INFINITY) - std::fabs(end);
    const double x1 = end + inward * 1e-4;
    const double x2 = end + sign * std::max(std::fabs(inward) * 1e-10, 64 * spacing);
    const double t1 = std::fabs(x1 - end), t2 = std::fabs(x2 - end);
    const double f1 = std::fabs(f.Evaluate(x1)), f2 = std::fabs(f.Evaluate(x2));
    if (!(t2 < t1) || !std::isfinite(f1) || !std::isfinite(f2) || !(f1 > 0))
        return INFINITY;
    return std::log(f2 / f1) / std::log(t1 / t2);
}

// The limit of f towards x from one side (dir = -1 below, +1 above), read
// from three points ever closer that must settle; nothing where f is not a
// finite number there or keeps moving.
std::optional<double> SideLimit(CExpression &f, double x, double spacing, double dir)
{
    double v[3];
    for (int k = 0; k < 3; ++k) {
        const double p = x + dir * spacing * std::pow(1e-3, k + 1);
        if (p == x)
            return std::nullopt;
        v[k] = f.Evaluate(p);
        if (!std::isfinite(v[k]))
            return std::nullopt;
    }
    const double late = std::fabs(v[2] - v[1]), early = std::fabs(v[1] - v[0]);
    if (!(late <= 0.5 * early + 1e-9 * (std::fabs(v[2]) + std::fabs(v[1]))))
        return std::nullopt;
    return v[2];
}

// Undefined points bridged by their limits before the domain counts as invalid.
constexpr int kMaxGaps = 16;

}  // namespace

double IntegrationSamples(std::int64_t n, EIntegrationRule rule)
{
    const double dn = static_cast<double>(n);
    switch (rule) {
    case EIntegrationRule::MidPoint: return 7 * dn;
    case EIntegrationRule::Trapezoid: return 4 * dn + 1;
    case EIntegrationRule::Simpson: return 8 * dn + 1;
    }
    return 0;
}

SIntegral Integrate(CExpression &f, double a, double b, double h, EIntegrationRule rule,
                    const ProgressCallback &progress)
{
    SIntegral result;
    result.value = kNaN;
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(h) || !(h > 0.0) || b < a)
        return result;
    if (a == b) {
        result.value = 0.0;
        result.errorEstimate = 0.0;
        return result;
    }

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

    const int div = Divisions(rule);
    const double grid = width / div;  // exact: div is a power of two
    const bool sampleEnds = rule != EIntegrationRule::MidPoint;

    // An end where |f| grows without bound: a pole unless it grows slowly
    // enough to be integrable; then only a rule that avoids the end gives a value.
    bool singular[2] = {false, false};
    const double ends[2] = {a, b};
    for (int e = 0; e < 2; ++e) {
        const double inward = e == 0 ? width : -width;
        CPoleWatch end(f, 100);
        end.CheckEnd(ends[e], inward);
        if (!end.Pole())
            continue;
        if (EndExponent(f, ends[e], inward) >= kPoleExponent) {
            result.pole = ends[e];
            return result;
        }
        singular[e] = true;
        if (sampleEnds && !std::isfinite(f.Evaluate(ends[e]))) {
            result.unboundedEnd = ends[e];
            return result;
        }
    }

    const std::int64_t last = static_cast<std::int64_t>(div) * n;
    CProgressTicker ticker(progress, IntegrationSamples(n, rule));
    CPoleWatch watch(f, last + 10000);
    // A pole between an end and the first middle shows against the end.
    if (!sampleEnds) {
        const double fa = f.Evaluate(a);
        if (!singular[0] && std::isfinite(fa))
            watch.Add(a, fa);
    }

    SCompensatedSum sums[4];
    long double endSum = 0.0L;
    double absSum = 0.0;
    std::vector<double> x(static_cast<std::size_t>(std::min<std::int64_t>(last + 1, kBatch)));
    std::vector<double> y(x.size());
    std::vector<int> level(x.size());
    double done = 0;
    const auto repair = [&](double at) -> std::optional<double> {
        const bool below = at > a, above = at < b;
        const double left = below ? SideLimit(f, at, grid, -1.0).value_or(kNaN) : kNaN;
        const double right = above ? SideLimit(f, at, grid, 1.0).value_or(kNaN) : kNaN;
        if ((below && std::isnan(left)) || (above && std::isnan(right)) || result.gaps >= kMaxGaps)
            return std::nullopt;
        if (!result.gap)
            result.gap = SIntegralGap{at, left, right};
        ++result.gaps;
        return below && above ? (left + right) / 2 : below ? left : right;
    };
    for (std::int64_t first = 0; first <= last;) {
        std::size_t m = 0;
        for (; first <= last && m < x.size(); ++first) {
            const int lv = Level(first, div);
            if (lv == 0 && !sampleEnds)
                continue;
            x[m] = first == 0 ? a : first == last ? b : a + static_cast<double>(first) * grid;
            level[m++] = first == 0 || first == last ? -1 : lv;
        }
        if (m == 0)
            continue;
        f.EvaluateMany(x.data(), y.data(), m);
        for (std::size_t i = 0; i < m; ++i) {
            if (std::isnan(y[i])) {
                const std::optional<double> limit = repair(x[i]);
                if (!limit)
                    return result;
                y[i] = *limit;
            }
        }
        watch.AddMany(x.data(), y.data(), m);
        if (watch.Pole()) {
            result.pole = watch.Pole();
            return result;
        }
        for (std::size_t i = 0; i < m; ++i) {
            absSum += std::fabs(y[i]);
            if (level[i] < 0)
                endSum += y[i];
            else
                sums[level[i]].Add(i & 3, y[i]);
        }
        done += static_cast<double>(m);
        if (!ticker.Step(done, static_cast<long>(m))) {
            result.cancelled = true;
            return result;
        }
    }
    if (!sampleEnds) {
        const double fb = f.Evaluate(b);
        if (!singular[1] && std::isfinite(fb))
            watch.Add(b, fb);
    }
    watch.Finish();
    if (watch.Pole()) {
        result.pole = watch.Pole();
        return result;
    }

    // The rule at h, h/2 and h/4 from the same samples.
    const long double w = exactWidth;
    const long double m0 = sums[1].Total() * w, m1 = sums[2].Total() * w / 2, m2 = sums[3].Total() * w / 4;
    long double v[3] = {};
    if (rule == EIntegrationRule::MidPoint) {
        v[0] = m0;
        v[1] = m1;
        v[2] = m2;
    } else {
        const long double t0 = (endSum * 0.5L + sums[0].Total()) * w;
        const long double t1 = (t0 + m0) / 2, t2 = (t1 + m1) / 2;
        if (rule == EIntegrationRule::Trapezoid) {
            v[0] = t0;
            v[1] = t1;
            v[2] = t2;
        } else {
            v[0] = (t0 + 2 * m0) / 3;
            v[1] = (t1 + 2 * m1) / 3;
            v[2] = (t2 + 2 * m2) / 3;
        }
    }
    result.value = static_cast<double>(v[0]);
    if (!std::isfinite(result.value))
        return result;

    if (watch.UnresolvedPeak()) {
        result.unresolvedPeak = watch.UnresolvedPeak();
        return result;
    }

    // What rounding alone may leave in the sums: far below any step error.
    const double eps = std::numeric_limits<double>::epsilon();
    const double noise = 64 * eps * (absSum * grid + std::fabs(result.value));
    const double d1 = static_cast<double>(v[0] - v[1]), d2 = static_cast<double>(v[1] - v[2]);
    const bool flat1 = std::fabs(d1) <= noise, flat2 = std::fabs(d2) <= noise;
    const double nominal = NominalOrder(rule);
    if (flat1 && flat2) {
        result.errorEstimate = noise;
        result.order = nominal;
        return result;
    }
    double ratio = INFINITY;  // d1 / d2 = 2^order
    if (!flat2)
        ratio = d1 / d2;
    // Errors that do not shrink, change sign or shrink too slowly to extrapolate:
    // the step does not resolve f, and no estimate would be honest.
    constexpr double kMinRatio = 1.148698354997035;  // 2^0.2
    if (flat1 || !(ratio >= kMinRatio))
        return result;
    // An order above the rule's own is luck of this function and step; the
    // rule's order gives the larger, safer bound.
    const double order = std::min(std::log2(ratio), nominal);
    const double growth = std::exp2(order);
    // A quarter more covers the terms after the leading one.
    result.errorEstimate = 1.25 * std::fabs(d1) * growth / (growth - 1) + noise;
    result.order = order;
    return result;
}

std::string IntegralText(double value) { return std::isnan(value) ? "Invalid Domain!" : ShownValue(value, 6); }

namespace {

// Six decimals without trailing zeros.
std::string PointText(double x)
{
    std::string where = ShownValue(x + 0.0, 6);
    where.erase(where.find_last_not_of('0') + 1);
    if (where.back() == '.')
        where.pop_back();
    return where;
}

std::string Short(double v, int digits)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*e", digits, v);
    return text;
}

// Half a unit of the sixth decimal: an error below it leaves every digit shown right.
constexpr double kShownHalfUnit = 0.5e-6;

}  // namespace

std::string IntegralText(const SIntegral &integral)
{
    if (integral.pole)
        return "The function has a pole near x = " + PointText(*integral.pole) +
               ": the integral does not exist on this interval.";
    if (integral.unboundedEnd)
        return "f is unbounded at x = " + PointText(*integral.unboundedEnd) +
               ", where this rule takes a sample; the mid-point rule avoids it.";
    return IntegralText(integral.value);
}

bool HasIntegralValue(const SIntegral &integral)
{
    return !integral.cancelled && !integral.pole && !integral.unboundedEnd && !std::isnan(integral.value);
}

std::string ErrorEstimateText(const SIntegral &integral)
{
    if (!HasIntegralValue(integral))
        return {};
    if (!integral.errorEstimate)
        return "\u00b1 ?";
    return "\u00b1 " + Short(*integral.errorEstimate, 1);
}

std::string IntegralNotes(const SIntegral &integral)
{
    if (!HasIntegralValue(integral))
        return {};
    std::string notes;
    const auto add = [&notes](const std::string &line) { notes += (notes.empty() ? "" : "\n") + line; };
    if (integral.unresolvedPeak) {
        add("No reliable error estimate: f has a narrow peak near x = " + PointText(*integral.unresolvedPeak) +
            " that the step is too coarse to show.");
    } else if (!integral.errorEstimate) {
        add("No reliable error estimate: the value does not settle as the step is halved, "
            "so the step is too coarse for this function.");
    } else if (*integral.errorEstimate > kShownHalfUnit) {
        const double times = *integral.errorEstimate / kShownHalfUnit;
        std::string line = "The step is too coarse for this function: the error may reach " +
                           Short(*integral.errorEstimate, 1) + ", " + Short(times, 0) +
                           " times half the last digit shown";
        if (integral.order > 0) {
            const double smaller = std::pow(times, 1 / integral.order);
            if (std::isfinite(smaller) && smaller < 1e9)
                line += "; a step about " + Short(smaller, 0) + " times smaller would show six right decimals";
        }
        add(line + ".");
    }
    if (integral.gap) {
        const SIntegralGap &g = *integral.gap;
        std::string line = "f is undefined at x = " + PointText(g.x);
        if (std::isnan(g.left) || std::isnan(g.right))
            line += "; its limit there, " + ShownExact(std::isnan(g.left) ? g.right : g.left) + ", was used";
        else if (g.left == g.right ||
                 std::fabs(g.left - g.right) <= 1e-9 * std::max(std::fabs(g.left), std::fabs(g.right)))
            line += "; its limit there, " + ShownExact(g.left) + ", was used";
        else
            line += "; its limits there differ (" + ShownExact(g.left) + " and " + ShownExact(g.right) +
                    "), their mean was used";
        if (integral.gaps > 1)
            line += " (and likewise at " + std::to_string(integral.gaps - 1) + " more point" +
                    (integral.gaps > 2 ? "s" : "") + ")";
        add(line + ".");
    }
    return notes;
}

std::string IntegralResultText(const SIntegral &integral)
{
    if (!HasIntegralValue(integral))
        return IntegralText(integral);
    std::string text = IntegralText(integral.value) + " " + ErrorEstimateText(integral);
    const std::string notes = IntegralNotes(integral);
    if (!notes.empty())
        text += "\n" + notes;
    return text;
}
