#include "core/analysis/RootFinder.h"

#include "core/analysis/DecimalRounder.h"
#include "core/analysis/ValueTests.h"
#include "core/expr/Expression.h"
#include "core/expr/ShownNumber.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

// Scan points evaluated in one bulk call; the last batch may evaluate a few
// points past a full candidate table, which costs less than single calls.
constexpr std::size_t kScanBatch = 1024;
// Bisections from a scan step down to neighbouring doubles, even near zero.
constexpr int kBisections = 1100;
// Beyond this a band of noise around a root is not followed.
constexpr double kBandReach = 0.01;

bool SignChange(double l, double r) { return (l < 0 && r > 0) || (l > 0 && r < 0); }

// The spacing of doubles at x, and no finer than at 1e-30 near zero.
double Spacing(double x)
{
    const double a = std::max(std::fabs(x), 1e-30);
    return std::nextafter(a, std::numeric_limits<double>::infinity()) - a;
}

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

struct SBisection
{
    double lo, hi, flo, fhi;
    bool zero;    // f is exactly zero at lo = hi
    bool broken;  // f undefined or infinite at lo = hi, between the signs
};

// Bisection of [lo, hi], where f has opposite signs at the ends, down to
// neighbouring doubles.
SBisection BisectSign(CExpression &f, double lo, double hi, double flo, double fhi)
{
    for (int step = 0; step < kBisections; ++step) {
        const double mid = lo + (hi - lo) / 2;
        if (!(mid > lo && mid < hi))
            break;
        const double fm = f.Evaluate(mid);
        if (fm == 0)
            return {mid, mid, 0, 0, true, false};
        if (!IsFinite(fm))
            return {mid, mid, fm, fm, false, true};
        if (SignChange(fm, flo)) {
            hi = mid;
            fhi = fm;
        } else {
            lo = mid;
            flo = fm;
        }
    }
    return {lo, hi, flo, fhi, false, false};
}

// The rounding noise of f around x: the largest second difference over
// neighbouring doubles and a little wider, where the bend of a smooth f is
// far below what rounding adds.
double NoiseAt(CExpression &f, double x)
{
    double noise = 0;
    const double u = Spacing(x);
    for (const double s : {u, 16 * u, 256 * u}) {
        double v[5];
        for (int k = 0; k < 5; ++k)
            v[k] = f.Evaluate(x + (k - 2) * s);
        for (int k = 1; k < 4; ++k) {
            const double d = std::fabs(v[k - 1] - 2 * v[k] + v[k + 1]);
            if (IsFinite(d))
                noise = std::max(noise, d);
        }
    }
    return noise;
}

// How far the band where |f| stays within the noise reaches from x to one
// side (dir -1 or +1): the sign of f says nothing inside it. Widening steps,
// until f has stood clear of the noise for a while.
double BandReach(CExpression &f, double x, double noise, double dir)
{
    double reach = 0;
    int clear = 0;
    for (double d = Spacing(x); d <= kBandReach && clear < 8; d *= 1.5) {
        const double v = f.Evaluate(x + dir * d);
        if (IsNumber(v) && std::fabs(v) <= noise) {
            reach = d;
            clear = 0;
        } else {
            ++clear;
        }
    }
    return reach;
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

// The least |f| between a and c, where f keeps the sign s at both ends, by
// bisection on which of two neighbouring doubles is lower. Returns where it
// is; crossing is set where a point of the other sign (or a zero) turned up.
double LowestPoint(CExpression &f, double a, double c, double s, double &value, bool &crossing)
{
    double lo = a, hi = c;
    double best = a, bestValue = f.Evaluate(a);
    crossing = false;
    for (int step = 0; step < kBisections; ++step) {
        const double mid = lo + (hi - lo) / 2;
        if (!(mid > lo && mid < hi))
            break;
        const double next = std::nextafter(mid, hi);
        const double g = s * f.Evaluate(mid), gn = s * f.Evaluate(next);
        if (!IsNumber(g) || !IsNumber(gn))
            break;
        if (g <= 0 || gn <= 0) {
            crossing = true;
            best = g <= 0 ? mid : next;
            bestValue = s * (g <= 0 ? g : gn);
            break;
        }
        if (g < s * bestValue) {
            best = mid;
            bestValue = s * g;
        }
        if (gn < g)
            lo = mid;
        else
            hi = mid;
    }
    value = bestValue;
    return best;
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
    m_dSpread.fill(0.0);
    m_bFull = false;
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

bool CRootFinder::Add(EKind kind, double a, double b)
{
    if (m_nCount >= kMaxCandidates) {
        m_bFull = true;
        return false;
    }
    m_nKind[m_nCount] = kind;
    m_dCandidates[m_nCount] = a;
    m_dOther[m_nCount++] = b;
    return true;
}

bool CRootFinder::Scan(const ProgressCallback &progress)
{
    CExpression f;
    f.SetParameters(m_parameters);
    f.SetExpression(m_strExpression);
    if (m_dStart > m_dEnd)
        return true;
    const double h = m_dStep;
    const CDecimalRounder round6(6);
    CProgressTicker ticker(progress, (m_dEnd - m_dStart) / h + 1);

    // The points are known before they are evaluated and go in batches;
    // the next batch's points are made while this batch is looked at.
    std::array<double, kScanBatch> pointsA{}, pointsB{}, value{};
    double *points = pointsA.data(), *following = pointsB.data();
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    double x1 = round6(m_dStart), v1 = f.Evaluate(x1), x0 = kNaN, v0 = kNaN;
    SScanPoints make{round6, h, m_dEnd, x1};
    std::size_t n = 0;
    while (n < kScanBatch && make.Next(points[n]))
        ++n;
    double done = 0;
    while (n > 0) {
        f.EvaluateMany(points, value.data(), n);
        std::size_t m = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (make.Next(following[m]))
                ++m;
            if (!Look(f, x0, v0, x1, v1, points[i], value[i]))
                return true;
            x0 = x1;
            v0 = v1;
            x1 = points[i];
            v1 = value[i];
        }
        while (m < kScanBatch && make.Next(following[m]))
            ++m;
        done += static_cast<double>(n);
        if (!ticker.Step(done, static_cast<long>(n)))
            return false;
        std::swap(points, following);
        n = m;
    }
    Look(f, x0, v0, x1, v1, kNaN, kNaN);
    return true;
}

bool CRootFinder::Look(CExpression &f, double x0, double v0, double x1, double v1, double x2, double v2)
{
    if (v1 == 0) [[unlikely]] {
        // One candidate for a run of zeros, unless f leaves zero between
        // two of them. Just beside a zero f may turn back and cross again
        // before the next scan point.
        if (v0 != 0 || f.Evaluate(x0 + (x1 - x0) / 2) != 0) {
            if (IsFinite(v0)) {
                const double beside = x1 - 4 * Spacing(x1), fb = f.Evaluate(beside);
                if (SignChange(fb, v0) && !Add(Bracket, x0, beside))
                    return false;
            }
            if (!Add(Zero, x1, x1))
                return false;
        }
        if (v2 != 0 && IsFinite(v2)) {
            const double beside = x1 + 4 * Spacing(x1), fb = f.Evaluate(beside);
            if (SignChange(fb, v2) && !Add(Bracket, beside, x2))
                return false;
        }
        return true;
    }
    // A derivative undefined at one scan point between its two signs (at a
    // kink such as that of abs).
    if (m_bAcrossBreaks && !IsNumber(v1) && SignChange(v0, v2) && !Add(Bracket, x0, x2))
        return false;
    // A local minimum of |f| at x1, well below its neighbours: the rest of
    // the test is off the hot path.
    const double size0 = std::fabs(v0), size1 = std::fabs(v1), size2 = std::fabs(v2);
    if (size2 >= size1 && size1 < size0 && 3 * size1 < size0 + size2) [[unlikely]] {
        if (!AddDip(f, x0, v0, x1, v1, x2, v2))
            return false;
    }
    return !SignChange(v1, v2) || Add(Bracket, x1, x2);
}

bool CRootFinder::AddDip(CExpression &f, double x0, double v0, double x1, double v1, double x2, double v2)
{
    if (!NearZeroDip(v0, v1, v2))
        return true;
    // Only where the parabola through the three samples comes within a
    // little of its bend of zero (a dip flatter or steeper than a parabola
    // misses it by that much): a function sampled far coarser than it
    // wiggles has local minima everywhere, and searching each would slow
    // the scan down many times.
    const double size0 = std::fabs(v0), size1 = std::fabs(v1), size2 = std::fabs(v2);
    const double bend = size0 - 2 * size1 + size2;
    if (!(size1 < 1e-3 * std::min(size0, size2) ||
          (bend > 0 && size1 - (size2 - size0) * (size2 - size0) / (8 * bend) <= bend / 32)))
        return true;
    const double s = v0 > 0 ? 1.0 : -1.0;
    double m = x1, fm = v1;
    if (!DipCrossing(f, x0, x1, x2, v1, s, m, fm))
        return Add(Dip, x0, x2);  // a touching zero, if refinement confirms it
    if (fm == 0)
        return Add(Zero, m, m);
    return Add(Bracket, x0, m) && Add(Bracket, m, x2);
}

bool CRootFinder::RefineOne(CExpression &f, int i, double &root)
{
    const double a = m_dCandidates[i], b = m_dOther[i];
    switch (m_nKind[i]) {
    case Zero: root = a; return true;
    case Dip: {
        const double fa = f.Evaluate(a);
        bool crossing = false;
        double value = 0;
        const double m = LowestPoint(f, a, b, fa > 0 ? 1.0 : -1.0, value, crossing);
        if (crossing && value != 0 && m_nCount + 1 < kMaxCandidates) {
            // Two roots after all: both changes of sign are refined.
            m_nKind[i] = Bracket;
            m_dOther[i] = m;
            m_nKind[m_nCount] = Bracket;
            m_dCandidates[m_nCount] = m;
            m_dOther[m_nCount++] = b;
            return RefineOne(f, i, root);
        }
        root = m;
        // A dip that stays off zero is a root only within the noise.
        return value == 0 || std::fabs(value) <= NoiseAt(f, m);
    }
    case Bracket: break;
    }
    const double fa = f.Evaluate(a), fb = f.Evaluate(b);
    if (!SignChange(fa, fb))
        return false;
    const SBisection end = BisectSign(f, a, b, fa, fb);
    root = end.lo;
    if (end.zero)
        return true;
    m_bBreak = true;
    if (end.broken || !IsFinite(end.flo) || !IsFinite(end.fhi))
        return m_bAcrossBreaks;
    if (std::fabs(end.flo) > std::fabs(end.fhi))
        root = end.hi;
    m_dBreakWidth = end.hi - end.lo;
    // Across a pole f changes sign too, but |f| grows towards it.
    double outer = 0;
    for (const double v : {fa, fb})
        if (IsFinite(v))
            outer = std::max(outer, std::fabs(v));
    if (std::min(std::fabs(end.flo), std::fabs(end.fhi)) > outer)
        return m_bAcrossBreaks;
    // Across a jump f changes far more between the two doubles than beside them.
    const double w = end.hi - end.lo;
    const double beside = std::max(std::fabs(end.flo - f.Evaluate(end.lo - 2 * w)),
                                   std::fabs(f.Evaluate(end.hi + 2 * w) - end.fhi));
    if (!(std::fabs(end.fhi - end.flo) <= 16 * beside))
        return m_bAcrossBreaks;
    m_bBreak = false;
    return true;
}

void CRootFinder::Refine()
{
    CExpression f;
    f.SetParameters(m_parameters);
    f.SetExpression(m_strExpression);
    for (int i = 0; i < m_nCount; ++i) {
        double r = 0;
        m_bBreak = false;
        m_dBreakWidth = 0;
        const bool root = RefineOne(f, i, r);
        m_bValid[i] = root && m_dStart <= r && r <= m_dEnd;
        m_dRoots[i] = r;
        m_dSpread[i] = std::max(m_dBreakWidth, Spacing(r));
        // Across a jump or a pole the point is known to the bracket.
        if (!m_bValid[i] || m_bBreak)
            continue;
        // Where the noise hides the sign of f, the root is the middle of
        // that band and known only to its half width.
        // Only the part of the band inside the domain searched counts: a
        // point beyond its ends is no point of it.
        const double noise = NoiseAt(f, r);
        const double lo = std::max(r - BandReach(f, r, noise, -1), std::min(m_dStart, r));
        const double hi = std::min(r + BandReach(f, r, noise, 1), std::max(m_dEnd, r));
        m_dRoots[i] = lo + (hi - lo) / 2;
        m_dSpread[i] = std::max((hi - lo) / 2, Spacing(r));
    }
    DropRepeats();
}

// Roots whose spreads overlap cannot be told apart, nor can roots closer
// than half the resolution asked for: one root, in the middle of them all,
// with the spread that covers them.
void CRootFinder::DropRepeats()
{
    const double apart = m_dTolerance / 2;
    std::array<int, kMaxCandidates> order{};
    int n = 0;
    for (int i = 0; i < m_nCount; ++i)
        if (m_bValid[i])
            order[n++] = i;
    std::stable_sort(order.begin(), order.begin() + n, [this](int a, int b) { return m_dRoots[a] < m_dRoots[b]; });
    std::array<double, kMaxCandidates> roots{}, spreads{};
    int count = 0;
    double lo = 0, hi = 0;
    for (int k = 0; k < n; ++k) {
        const int j = order[k];
        const double a = m_dRoots[j] - m_dSpread[j], b = m_dRoots[j] + m_dSpread[j];
        if (count > 0 && (a <= hi || m_dRoots[j] - roots[count - 1] < apart)) {
            lo = std::min(lo, a);
            hi = std::max(hi, b);
        } else {
            lo = a;
            hi = b;
            ++count;
        }
        roots[count - 1] = lo + (hi - lo) / 2;
        spreads[count - 1] = std::max((hi - lo) / 2, m_dSpread[j]);
    }
    // The kept roots go back in ascending order into the first valid slots.
    int k = 0;
    for (int i = 0; i < m_nCount; ++i) {
        m_bValid[i] = m_bValid[i] && k < count;
        if (m_bValid[i]) {
            m_dRoots[i] = roots[k];
            m_dSpread[i] = spreads[k++];
        }
    }
}

int KnownDecimals(double spread, int places)
{
    int n = places;
    // The shown text is within half a unit of its last digit of the root
    // found, which is within spread of the true one.
    while (n > 0 && !(spread <= 0.5 * std::pow(10.0, -n)))
        --n;
    return n;
}

int PlacesOf(double tolerance) { return static_cast<int>(std::lround(-std::log10(tolerance))); }

double ValueSpread(CExpression &f, double x, double spread)
{
    const double y = f.Evaluate(x);
    double d = NoiseAt(f, x);
    for (const double side : {x - spread, x + spread}) {
        const double v = f.Evaluate(side);
        if (IsFinite(v))
            d = std::max(d, std::fabs(v - y));
    }
    return std::max(d, Spacing(y));
}

std::string ValueExp(double y, double spread, int places)
{
    const int digits = std::max(7, places);
    if (!IsFinite(y))
        return FormatExp(y, 7);
    const int e = y == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(y))));
    // A zero known to more than the digits shown is shown as an exact one.
    if (y == 0 || !(std::fabs(y) >= spread))
        return FormatExp(0.0, digits);
    return ShownRoot(y, KnownDecimals(spread, digits - e));
}
