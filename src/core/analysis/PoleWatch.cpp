#include "core/analysis/PoleWatch.h"

#include "core/analysis/ValueTests.h"
#include "core/expr/Expression.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A pole grows by far more than this between the samples and the spacing
// of doubles; a smooth peak, even a narrow one, by much less.
constexpr double kGrowth = 1e3;
// A peak of |f| sharper than this against a neighbour is looked at closer.
constexpr double kSharp = 1.5;
// A top this much above the highest sample is one the samples miss.
constexpr double kUnresolved = 2.0;

bool Opposite(double a, double b) { return (a < 0 && b > 0) || (a > 0 && b < 0); }

}  // namespace

CPoleWatch::CPoleWatch(CExpression &f, std::int64_t budget) : m_f(f), m_nBudget(budget) {}

double CPoleWatch::Value(double x)
{
    --m_nBudget;
    return m_f.Evaluate(x);
}

void CPoleWatch::Add(double x, double y)
{
    if (m_pole)
        return;
    if (IsInfinite(y)) {
        m_pole = x;
        return;
    }
    const std::int64_t k = m_nSamples++;
    m_x[static_cast<std::size_t>(k & 3)] = x;
    m_y[static_cast<std::size_t>(k & 3)] = y;
    if (k < 2)
        return;
    // Most samples are neither side of a sign change nor a peak: only those
    // are looked at further.
    const double before = Y(k - 2), here = Y(k - 1);
    if (Opposite(before, here))
        CheckPair(k - 2);
    const double size = std::fabs(here);
    if (size >= std::fabs(before) && size >= std::fabs(y))
        CheckPeak(k - 1);
}

void CPoleWatch::AddMany(const double *x, const double *y, std::size_t n)
{
    // The first samples join the window of the samples before; after them
    // the window is filled from the arrays only where Add would look further.
    const std::size_t head = std::min<std::size_t>(n, 3);
    for (std::size_t i = 0; i < head; ++i)
        Add(x[i], y[i]);
    if (m_pole || n <= head)
        return;
    const std::int64_t first = m_nSamples - static_cast<std::int64_t>(head);  // the index of x[0]
    const auto load = [&](std::size_t last) {
        for (std::size_t j = last - 3; j <= last; ++j) {
            const auto slot = static_cast<std::size_t>((first + static_cast<std::int64_t>(j)) & 3);
            m_x[slot] = x[j];
            m_y[slot] = y[j];
        }
        m_nSamples = first + static_cast<std::int64_t>(last) + 1;
    };
    for (std::size_t i = head; i < n; ++i) {
        if (IsInfinite(y[i])) {
            m_pole = x[i];
            return;
        }
        const double before = y[i - 2], here = y[i - 1], size = std::fabs(here);
        const bool pair = Opposite(before, here);
        const bool peak = size >= std::fabs(before) && size >= std::fabs(y[i]);
        if (pair || peak) {
            load(i);
            const std::int64_t k = m_nSamples - 1;
            if (pair)
                CheckPair(k - 2);
            if (peak)
                CheckPeak(k - 1);
            if (m_pole)
                return;
        }
    }
    load(n - 1);
}

void CPoleWatch::Finish()
{
    if (!m_pole && m_nSamples >= 2)
        CheckPair(m_nSamples - 2);
}

// Samples i and i + 1 of opposite signs: bisect to the change of sign.
void CPoleWatch::CheckPair(std::int64_t i)
{
    const double yi = Y(i), yj = Y(i + 1);
    if (m_pole || !Opposite(yi, yj) || m_nBudget <= 0)
        return;
    // Towards a root |f| falls; towards a pole it grows.
    if ((i > 0 && std::fabs(yi) < std::fabs(Y(i - 1))) || (i + 2 < m_nSamples && std::fabs(yj) < std::fabs(Y(i + 2))))
        return;
    double lo = X(i), hi = X(i + 1), flo = yi, fhi = yj;
    for (int step = 0; step < 1100; ++step) {
        const double mid = lo + (hi - lo) / 2;
        if (!(mid > lo && mid < hi))
            break;
        const double fm = Value(mid);
        if (IsInfinite(fm)) {
            m_pole = mid;
            return;
        }
        if (!IsNumber(fm) || fm == 0)
            return;
        if (Opposite(fm, flo)) {
            hi = mid;
            fhi = fm;
        } else {
            lo = mid;
            flo = fm;
        }
    }
    if (std::max(std::fabs(flo), std::fabs(fhi)) >= kGrowth * std::max(std::fabs(yi), std::fabs(yj)))
        m_pole = lo + (hi - lo) / 2;
}

// Sample i at a sharp peak of |f| between neighbours of its sign: the
// highest |f| between them, by golden-section search.
void CPoleWatch::CheckPeak(std::int64_t i)
{
    const double a = std::fabs(Y(i - 1)), p = std::fabs(Y(i)), c = std::fabs(Y(i + 1));
    if (m_pole || m_nBudget <= 0 || p == 0 || Opposite(Y(i - 1), Y(i)) || Opposite(Y(i), Y(i + 1)) || p < a ||
        p < c || !(p > kSharp * std::min(a, c)))
        return;
    constexpr double kInner = 0.3819660112501051;  // (3 - sqrt 5) / 2
    double lo = X(i - 1), hi = X(i + 1);
    const auto size = [this](double x) {
        const double v = std::fabs(Value(x));
        return IsNumber(v) ? v : 0.0;
    };
    double u = lo + kInner * (hi - lo), v = hi - kInner * (hi - lo);
    double fu = size(u), fv = size(v), top = p, where = X(i);
    for (int step = 0; step < 200 && u < v; ++step) {
        for (const auto &[x, fx] : {std::pair{u, fu}, std::pair{v, fv}})
            if (fx > top) {
                top = fx;
                where = x;
            }
        if (IsInfinite(top))
            break;
        if (fu > fv) {
            hi = v;
            v = u;
            fv = fu;
            u = lo + kInner * (hi - lo);
            fu = size(u);
        } else {
            lo = u;
            u = v;
            fu = fv;
            v = hi - kInner * (hi - lo);
            fv = size(v);
        }
    }
    // A finite top far above the sample: the samples do not resolve this peak.
    if (IsNumber(top) && top > kUnresolved * p && !m_unresolved)
        m_unresolved = where;
    if (!(top >= kGrowth * p))
        return;
    // A pole keeps growing down to the spacing of doubles; a narrow but
    // finite peak is flat there. A little away from the top, a pole has
    // lost a good part of its height on one side at least.
    if (!IsInfinite(top)) {
        const double spacing = std::nextafter(std::fabs(where), INFINITY) - std::fabs(where);
        // The search's last bracket still holds the pole where it stopped
        // short of the spacing of doubles.
        const double reach = std::max(64 * std::max(spacing, std::numeric_limits<double>::denorm_min()), 4 * (hi - lo));
        const double side = std::min(size(where - reach), size(where + reach));
        if (side > top / 1.5)
            return;
    }
    m_pole = where;
}

void CPoleWatch::CheckEnd(double end, double inward)
{
    if (m_pole)
        return;
    // |f| at end + inward, + inward / 1e3, ...: where each step grows it by
    // at least half the growth of the step before, it grows without bound
    // (near a smooth end the growth shrinks a thousandfold per step).
    double size[5];
    int n = 0;
    for (int k = 0; k < 5; ++k) {
        const double x = end + inward * std::pow(1e-3, k);
        if (x == end)
            break;
        const double y = m_f.Evaluate(x);
        if (IsInfinite(y)) {
            m_pole = end;
            return;
        }
        if (!IsNumber(y))
            return;
        size[n++] = std::fabs(y);
    }
    if (n < 4)
        return;
    for (int k = n - 3; k < n; ++k) {
        const double more = size[k] - size[k - 1];
        if (!(more > 1e-9 * size[k]) || (k > n - 3 && more < 0.5 * (size[k - 1] - size[k - 2])))
            return;
    }
    m_pole = end;
}
