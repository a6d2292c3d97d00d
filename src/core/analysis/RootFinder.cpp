#include "core/analysis/RootFinder.h"

#include "core/analysis/DecimalRounder.h"
#include "core/analysis/ValueTests.h"
#include "core/expr/Expression.h"

#include <algorithm>
#include <cmath>
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
            const double limit = round6(x + 0.1);
            for (double y = round6(x + 0.01); y < limit && y + 0.01 > y; y += 0.01)
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

}  // namespace

CRootFinder::CRootFinder() = default;
CRootFinder::~CRootFinder() = default;

bool CRootFinder::SearchDomain(std::string expression, double from, double to, double tolerance,
                               const ProgressCallback &progress)
{
    return Search(std::move(expression), from, to, tolerance, kDomainStep, progress);
}

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
    double done = 0;
    while (n > 0) {
        f.EvaluateMany(points, value.data(), n);
        std::size_t m = 0;
        for (std::size_t i = 0; i < n; x = points[i++]) {
            if (make.Next(following[m]))
                ++m;
            double left = right;
            const bool leftRounded = rightRounded;
            right = value[i];
            rightRounded = false;
            if (!IsNumber(left) || !IsNumber(right))
                continue;
            if (!leftRounded)
                left = round6(left);
            right = round6(right);
            rightRounded = true;
            double candidate = 0;
            if (Propose(f, round6, x, points[i], left, right, h, candidate)) {
                m_dCandidates[m_nCount++] = candidate;
                if (m_nCount >= kMaxCandidates)
                    return true;
            }
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

void CRootFinder::Refine()
{
    CExpression f;
    f.SetExpression(m_strExpression);
    const double t = m_dTolerance;
    const CDecimalRounder round7(7);
    for (int i = 0; i < m_nCount; ++i) {
        double r = m_dCandidates[i];
        for (int update = 0; update < kNewtonUpdates; ++update) {
            const double f0 = f.Evaluate(r);
            if (f0 == 0 || !IsNumber(f0))
                break;
            const double s = (f.Evaluate(round7(r + 0.01)) - f0) * 100;
            const double next = (s != 0 && IsFinite(s)) ? r - f0 / s : r + 0.005;
            const double moved = std::fabs(next - r);
            r = next;
            // A small step alone is not enough: with the slope taken over
            // 0.01 the last steps shrink only linearly, and a steep simple
            // root would be left just outside the tolerance.
            if (!IsNumber(moved) || moved == 0 || (moved < t && std::fabs(f.Evaluate(r)) < t))
                break;
        }
        m_dRoots[i] = r;
        const double v = f.Evaluate(r);
        m_bValid[i] = IsFinite(v) && std::fabs(v) < t && m_dStart <= r && r <= m_dEnd;
    }
    DropRepeats();
}

// A root found again, to seven decimals or within half a scan step (a flat
// root stalls its candidates a little apart), is one root.
void CRootFinder::DropRepeats()
{
    const CDecimalRounder round7(7);
    std::array<double, kMaxCandidates> rounded{};
    for (int i = 0; i < m_nCount; ++i)
        rounded[i] = round7(m_dRoots[i]);
    for (int i = 0; i < m_nCount; ++i) {
        if (!m_bValid[i])
            continue;
        for (int j = i + 1; j < m_nCount; ++j)
            if (rounded[j] == rounded[i] || std::fabs(m_dRoots[j] - m_dRoots[i]) < m_dStep / 2)
                m_bValid[j] = 0;
    }
}
