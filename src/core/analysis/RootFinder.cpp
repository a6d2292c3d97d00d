#include "core/analysis/RootFinder.h"

#include "core/analysis/DecimalRounder.h"
#include "core/analysis/ValueTests.h"
#include "core/expr/Expression.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

// Scan points evaluated in one bulk call; the last batch may evaluate a few
// points past a full candidate table, which costs less than single calls.
constexpr std::size_t kScanBatch = 1024;
constexpr int kNewtonUpdates = 101;

bool SignChange(double l, double r) { return (l < 0 && r > 0) || (l > 0 && r < 0); }

// The scan points one after another: the last one plus the step, rounded
// to six decimals, while the sum stays inside the interval.
struct SScanPoints
{
    const CDecimalRounder &round6;
    double h;
    double end;
    double last;
    bool more = true;

    bool Next(double &point)
    {
        if (!more)
            return false;
        const double sum = last + h;
        point = round6(sum);
        // A step that no longer moves x would repeat for ever.
        more = sum <= end && point > last;
        last = point;
        return true;
    }
};

// The candidate of the step from x to xr with the rounded values left and
// right at its ends, if it proposes one.
bool Propose(CExpression &f, const CDecimalRounder &round6, double x, double xr, double left, double right, double h,
             double &candidate)
{
    if (left == 0)
        candidate = x;
    else if (right == 0)
        candidate = xr;
    else if (SignChange(left, right)) {
        if (std::fabs(left) < std::fabs(right))
            candidate = x;
        else if (std::fabs(left) > std::fabs(right))
            candidate = xr;
        else if (IsFinite(left))
            candidate = x;
        else {
            // Infinities of opposite signs at both ends: the first probe
            // between them where f is not infinite.
            const double limit = round6(x + h);
            const double probe = h / 10;
            for (double y = round6(x + probe); y < limit && y + probe > y; y += probe)
                if (!IsInfinite(f.Evaluate(round6(y)))) {
                    candidate = y;
                    return true;
                }
            return false;
        }
    } else if (std::fabs(left) < 0.1 && std::fabs(right) >= std::fabs(left) && std::fabs(left) < 0.1 * h)
        candidate = x;  // a zero touched at the left end
    else
        return false;
    return true;
}

// Bisection of [lo, hi], where f has opposite signs at the ends, until the
// bracket is far below the seven decimals shown or down to adjacent doubles;
// the end with the smaller |f| is the root.
double Bisect(CExpression &f, double lo, double hi, double flo, double fhi, double *size = nullptr)
{
    constexpr double kWidth = 5e-10;
    while (hi - lo > kWidth) {
        const double mid = lo + (hi - lo) / 2;
        if (!(mid > lo && mid < hi))
            break;
        const double fm = f.Evaluate(mid);
        if (fm == 0) {
            flo = fhi = 0;
            lo = hi = mid;
            break;
        }
        if (!IsNumber(fm))
            break;
        if ((fm < 0) == (flo < 0)) {
            lo = mid;
            flo = fm;
        } else {
            hi = mid;
            fhi = fm;
        }
    }
    const bool low = std::fabs(flo) <= std::fabs(fhi);
    if (size)
        *size = std::fabs(low ? flo : fhi);
    return low ? lo : hi;
}

// Three samples where |f| has a local minimum and the outer two have the
// same sign: f may dip through zero between them. Only a minimum that comes
// near zero counts, closer than the samples change around it.
bool NearZeroDip(double v0, double v1, double v2)
{
    const double a1 = std::fabs(v1);
    if (!(a1 < std::fabs(v0) && a1 <= std::fabs(v2)))
        return false;
    if (!((v0 > 0 && v2 > 0) || (v0 < 0 && v2 < 0)))
        return false;
    return IsFinite(v0) && IsFinite(v2) && a1 < std::fabs(v0 - v1) + std::fabs(v2 - v1);
}

// The point of [x0, x2] where f crosses to the sign opposite the ends' (the
// sign s), searched by golden sections around the lowest sample x1 of s * f.
// Returns false where f only comes near zero.
bool DipCrossing(CExpression &f, double x0, double x1, double x2, double v1, double s, double &m, double &fm)
{
    constexpr double kGold = 0.3819660112501051;
    double a = x0, b = x1, c = x2, gb = s * v1;
    // Sixty golden sections narrow the two steps below a millionth of a step.
    for (int i = 0; i < 60 && gb > 0; ++i) {
        const bool right = c - b > b - a;
        const double x = right ? b + kGold * (c - b) : b - kGold * (b - a);
        if (!(x > a && x < c) || x == b)
            break;
        const double v = f.Evaluate(x);
        if (!IsNumber(v))
            return false;
        const double g = s * v;
        if (g < gb) {
            (right ? a : c) = b;
            b = x;
            gb = g;
        } else {
            (right ? c : a) = x;
        }
    }
    m = b;
    fm = s * gb;
    return gb <= 0;
}

}  // namespace

CRootFinder::CRootFinder() = default;
CRootFinder::~CRootFinder() = default;

bool CRootFinder::SearchDomain(std::string expression, double from, double to, double tolerance,
                               const ProgressCallback &progress)
{
    return Search(std::move(expression), from, to, tolerance, DomainStep(from, to), progress);
}

double CRootFinder::DomainStep(double from, double to)
{
    // A fixed tenth merges or misses points a few hundredths apart; 20,000
    // bulk evaluations cost well under a millisecond.
    const double step = (to - from) / kDomainPoints;
    if (!(step < kDomainStep))
        return kDomainStep;
    const double fine = std::max(step, kFinestStep);
    return StepAdvances(from, to, fine) ? fine : kDomainStep;
}

double CRootFinder::SameDistance(double tolerance) { return std::sqrt(tolerance); }

bool CRootFinder::SearchNear(std::string expression, double point, double tolerance,
                             const ProgressCallback &progress)
{
    return Search(std::move(expression), point - 1.0, point + 1.0, tolerance, kNearStep, progress);
}

bool CRootFinder::Search(std::string expression, double from, double to, double tolerance, double step,
                         const ProgressCallback &progress)
{
    m_strExpression = std::move(expression);
    m_dStart = from;
    m_dEnd = to;
    m_dTolerance = tolerance;
    m_dStep = step;
    m_bValid.fill(0);
    m_bPinned.fill(0);
    m_dRoots.fill(0.0);
    m_dCandidates.fill(0.0);
    m_nCount = 0;
    if (!StepAdvances(from, to, step))
        return true;
    if (!Scan(progress))
        return false;
    Refine();
    return true;
}

bool CRootFinder::StepAdvances(double from, double to, double step)
{
    const CDecimalRounder round6(6);
    // The spacing of doubles only grows away from zero, so the two ends
    // decide for the whole interval.
    for (const double end : {from, to}) {
        const double x = round6(end);
        if (!(round6(x + step) > x))
            return false;
    }
    return true;
}

bool CRootFinder::Scan(const ProgressCallback &progress)
{
    CExpression f;
    f.SetExpression(m_strExpression);
    if (m_dStart > m_dEnd)
        return true;
    const double h = m_dStep;
    const CDecimalRounder round6(6);
    CProgressTicker ticker(progress, (m_dEnd - m_dStart) / h + 1);

    // Each step looks at [x, next]; its right end is the next step's x, so
    // the points are known before they are evaluated and go in batches.
    // Making a point waits on the one before; the next batch's points are
    // made while this batch's steps are looked at, so that chain overlaps
    // with independent work.
    std::array<double, kScanBatch> pointsA{}, pointsB{}, value{};
    double *points = pointsA.data(), *following = pointsB.data();
    double x = round6(m_dStart);
    SScanPoints make{round6, h, m_dEnd, x};
    std::size_t n = 0;
    while (n < kScanBatch && make.Next(points[n]))
        ++n;
    double right = f.Evaluate(x);
    bool rightRounded = false;  // rounding twice gives the same value: skip it
    bool leftWasFlat = false;   // the step before started where f is about zero as well
    double rightRaw = right;
    double lastSize = 0;  // |f| unrounded at the last candidate of a flat run
    int runFirst = kMaxCandidates;  // the first candidate proposed in the flat run
    bool lastWeak = false;          // the last candidate is a weak proposal
    double done = 0;
    double beforeSize = std::numeric_limits<double>::quiet_NaN();  // |f| unrounded one point back
    double leftSize = std::fabs(right);                            // and at the step's left end
    while (n > 0) {
        f.EvaluateMany(points, value.data(), n);
        std::size_t m = 0;
        for (std::size_t i = 0; i < n; x = points[i++]) {
            if (make.Next(following[m]))
                ++m;
            double left = right;
            const double leftRaw = rightRaw;
            const bool leftRounded = rightRounded;
            right = rightRaw = value[i];
            rightRounded = false;
            // A local minimum of |f| at x, well below its neighbours: the
            // rest of the test is off the hot path, and f one point back is
            // evaluated again there rather than kept.
            const double size = std::fabs(rightRaw);
            if (size >= leftSize && leftSize < beforeSize && 3 * leftSize < beforeSize + size) [[unlikely]] {
                const int count = m_nCount;
                if (!AddDipRoots(f, x - h, x, points[i], beforeSize, leftRaw, rightRaw))
                    return true;
                // Kept apart from the flat run's weak proposal.
                if (m_nCount > count)
                    lastWeak = false;
            }
            beforeSize = leftSize;
            leftSize = size;
            if (!IsNumber(left) || !IsNumber(right)) {
                leftWasFlat = false;
                continue;
            }
            if (!leftRounded)
                left = round6(left);
            right = round6(right);
            rightRounded = true;
            // Where f stays about zero (rounding to zero, or below the
            // touching bound), a fine step would propose every point: there
            // one weak proposal (a zero or a touching zero at the left end)
            // per tenth is enough, the one where |f| is smallest. A change
            // of sign and a zero at the right end are always proposed.
            const bool flat = left == 0 || (std::fabs(left) < 0.1 && std::fabs(left) < 0.1 * h);
            if (!flat || !leftWasFlat)
                runFirst = flat ? m_nCount : kMaxCandidates;
            leftWasFlat = flat;
            double candidate = 0;
            if (!Propose(f, round6, x, points[i], left, right, h, candidate))
                continue;
            const bool weak = left == 0 || (right != 0 && !SignChange(left, right));
            if (weak && lastWeak && m_nCount > runFirst && candidate - m_dCandidates[m_nCount - 1] < kDomainStep) {
                if (std::fabs(leftRaw) < lastSize) {
                    m_dCandidates[m_nCount - 1] = candidate;
                    lastSize = std::fabs(leftRaw);
                }
                continue;
            }
            lastSize = std::fabs(leftRaw);
            lastWeak = weak;
            m_dCandidates[m_nCount++] = candidate;
            if (m_nCount >= kMaxCandidates)
                return true;
        }
        while (m < kScanBatch && make.Next(following[m]))
            ++m;
        done += static_cast<double>(n);
        if (!ticker.Step(done, static_cast<long>(n)))
            return false;
        std::swap(points, following);
        n = m;
    }
    return true;
}

bool CRootFinder::AddDipRoots(CExpression &f, double x0, double x1, double x2, double size0, double v1, double v2)
{
    // Only where the parabola through the three samples comes within a
    // little of its bend of zero (a dip flatter or steeper than a parabola
    // misses it by that much), or the middle one rounds to zero: a function
    // sampled far coarser than it wiggles has local minima everywhere, and
    // searching each would slow the scan down many times.
    const double size1 = std::fabs(v1), size2 = std::fabs(v2), bend = size0 - 2 * size1 + size2;
    if (!(size1 < 5e-7 || (bend > 0 && size1 - (size2 - size0) * (size2 - size0) / (8 * bend) <= bend / 32)))
        return true;
    const double v0 = f.Evaluate(x0);
    if (!NearZeroDip(v0, v1, v2))
        return true;
    const CDecimalRounder round6(6);
    const double s = v0 > 0 ? 1.0 : -1.0;
    // A sample of the other sign that does not round to zero already shows
    // the scan both changes of sign.
    if (s * v1 < 0 && round6(v1) != 0)
        return true;
    double m = x1, fm = v1;
    if (!DipCrossing(f, x0, x1, x2, v1, s, m, fm))
        return true;
    const double roots[] = {fm == 0 ? m : Bisect(f, x0, m, v0, fm), Bisect(f, m, x2, fm, v2)};
    for (int k = 0; k < (fm == 0 ? 1 : 2); ++k) {
        m_dCandidates[m_nCount++] = roots[k];
        if (m_nCount >= kMaxCandidates)
            return false;
    }
    return true;
}

void CRootFinder::Refine()
{
    CExpression f;
    f.SetExpression(m_strExpression);
    const double t = m_dTolerance;
    const CDecimalRounder round7(7);
    // The slope over a hundredth, or over the scan step when that is finer:
    // across a wider span it points at the wrong one of two close roots.
    const double d = std::min(0.01, m_dStep);
    for (int i = 0; i < m_nCount; ++i) {
        double r = m_dCandidates[i];
        for (int update = 0; update < kNewtonUpdates; ++update) {
            const double f0 = f.Evaluate(r);
            if (f0 == 0 || !IsNumber(f0))
                break;
            const double ahead = round7(r + d);
            const double s = (f.Evaluate(ahead) - f0) / (ahead - r);
            const double next = (s != 0 && IsFinite(s)) ? r - f0 / s : r + d / 2;
            const double moved = std::fabs(next - r);
            r = next;
            // A small step alone is not enough: with the slope taken over
            // a finite span the last steps shrink only linearly, and a steep
            // simple root would be left just outside the tolerance.
            if (!IsNumber(moved) || moved == 0 || (moved < t && std::fabs(f.Evaluate(r)) < t))
                break;
        }
        const double v = f.Evaluate(r);
        m_bValid[i] = IsFinite(v) && std::fabs(v) < t;
        // Below the tolerance a flat root is still some way off: the
        // digits shown come from the change of sign next to it.
        m_bPinned[i] = m_bValid[i] && Pin(f, r, v);
        m_dRoots[i] = r;
        m_bValid[i] = m_bValid[i] && m_dStart <= r && r <= m_dEnd;
    }
    DropRepeats(f);
}

bool CRootFinder::Pin(CExpression &f, double &r, double fr) const
{
    if (fr == 0)
        return true;
    const auto crosses = [fr](double v) { return v == 0 || (IsNumber(v) && (v < 0) != (fr < 0)); };
    // Widening steps from well below the shown resolution, while f stays
    // inside the band on either side; a touching root leaves it unpinned.
    for (double d = 5e-10; d <= kDomainStep; d *= 2) {
        const double lo = r - d, hi = r + d;
        const double flo = f.Evaluate(lo), fhi = f.Evaluate(hi);
        double best = r, size = std::fabs(fr);
        for (const auto &[x, v] : {std::pair{lo, flo}, std::pair{hi, fhi}})
            if (crosses(v)) {
                double fy = 0;
                const double y = v == 0 ? x : x < r ? Bisect(f, x, r, v, fr, &fy) : Bisect(f, r, x, fr, v, &fy);
                if (fy <= size) {
                    best = y;
                    size = fy;
                }
            }
        if (crosses(flo) || crosses(fhi)) {
            // Across a pole f changes sign too, but |f| grows there.
            if (best == r && d > 5e-10)
                return false;
            r = best;
            return true;
        }
        if (!(std::fabs(flo) < m_dTolerance) && !(std::fabs(fhi) < m_dTolerance))
            return false;
    }
    return false;
}

// Accepted roots next to each other in x are one point when they cannot be
// told apart at the tolerance: closer than its square root, or with |f|
// below it all the way between them (a flat root stalls its candidates far
// apart). Two roots pinned on changes of sign are exact and apart unless
// they show the same digits or f between them is rounding noise. Of each
// group a pinned root stays before the others, then the smallest |f|.
void CRootFinder::DropRepeats(CExpression &f)
{
    const double t = m_dTolerance;
    std::array<int, kMaxCandidates> order{};
    std::array<double, kMaxCandidates> size{};
    int n = 0;
    for (int i = 0; i < m_nCount; ++i)
        if (m_bValid[i]) {
            order[n++] = i;
            size[i] = std::fabs(f.Evaluate(m_dRoots[i]));
        }
    std::stable_sort(order.begin(), order.begin() + n, [this](int a, int b) { return m_dRoots[a] < m_dRoots[b]; });
    constexpr int kProbes = 16;
    const auto pinnedSame = [&](double a, double b) {
        if (RoundToDecimals(a, 7) == RoundToDecimals(b, 7))
            return true;
        // Noise of the evaluation far below what f is just outside the pair.
        const double w = b - a;
        const double noise = 1e-12 * std::max({1.0, std::fabs(f.Evaluate(a - w)), std::fabs(f.Evaluate(b + w))});
        for (int k = 1; k < kProbes; ++k)
            if (!(std::fabs(f.Evaluate(a + w * k / kProbes)) < noise))
                return false;
        return true;
    };
    const auto same = [&](int i, int j) {
        const double a = m_dRoots[i], b = m_dRoots[j];
        if (m_bPinned[i] && m_bPinned[j])
            return pinnedSame(a, b);
        // Seven decimals are what the lists show.
        if (b - a < SameDistance(t) || RoundToDecimals(a, 7) == RoundToDecimals(b, 7))
            return true;
        for (int k = 1; k < kProbes; ++k)
            if (!(std::fabs(f.Evaluate(a + (b - a) * k / kProbes)) < t))
                return false;
        return true;
    };
    const auto better = [&](int j, int kept) {
        if (m_bPinned[j] != m_bPinned[kept])
            return m_bPinned[j] != 0;
        return size[j] < size[kept] || (size[j] == size[kept] && j < kept);
    };
    int kept = -1;
    for (int k = 0; k < n; ++k) {
        const int j = order[k];
        bool merge = kept >= 0 && same(order[k - 1], j);
        // A worse point between two pinned roots does not join them.
        if (merge && m_bPinned[kept] && m_bPinned[j])
            merge = pinnedSame(m_dRoots[kept], m_dRoots[j]);
        if (merge) {
            const bool replace = better(j, kept);
            m_bValid[replace ? kept : j] = 0;
            if (replace)
                kept = j;
        } else {
            kept = j;
        }
    }
    // A root found late (on a dip, or pinned from a stalled point) takes the
    // place of an earlier one: the kept roots go back into ascending order.
    std::array<double, kMaxCandidates> roots{};
    std::array<std::uint8_t, kMaxCandidates> pinned{};
    int count = 0;
    for (int k = 0; k < n; ++k)
        if (m_bValid[order[k]]) {
            roots[count] = m_dRoots[order[k]];
            pinned[count++] = m_bPinned[order[k]];
        }
    for (int i = 0, k = 0; i < m_nCount; ++i)
        if (m_bValid[i]) {
            m_dRoots[i] = roots[k];
            m_bPinned[i] = pinned[k++];
        }
}
