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
    std::array<double, kScanBatch> next{};
    std::array<double, kScanBatch> value{};
    double x = round6(m_dStart);
    double right = f.Evaluate(x);
    double done = 0;
    bool more = true;
    while (more) {
        std::size_t n = 0;
        for (double last = x; n < kScanBatch && more; ++n) {
            const double sum = last + h;
            next[n] = round6(sum);
            // A step that no longer moves x would repeat for ever.
            more = sum <= m_dEnd && next[n] > last;
            last = next[n];
        }
        f.EvaluateMany(next.data(), value.data(), n);
        for (std::size_t i = 0; i < n; x = next[i++]) {
            double left = right;
            right = value[i];
            if (!IsNumber(left) || !IsNumber(right))
                continue;
            left = round6(left);
            right = round6(right);
            double candidate = 0;
            bool found = true;
            if (left == 0)
                candidate = x;
            else if (right == 0)
                candidate = next[i];
            else if (SignChange(left, right)) {
                if (std::fabs(left) < std::fabs(right))
                    candidate = x;
                else if (std::fabs(left) > std::fabs(right))
                    candidate = next[i];
                else if (IsFinite(left))
                    candidate = x;
                else {
                    // Infinities of opposite signs at both ends: the first
                    // probe between them where f is not infinite.
                    found = false;
                    const double limit = round6(x + 0.1);
                    for (double y = round6(x + 0.01); y < limit; y += 0.01) {
                        if (!IsInfinite(f.Evaluate(round6(y)))) {
                            candidate = y;
                            found = true;
                            break;
                        }
                        if (!(y + 0.01 > y))
                            break;
                    }
                }
            } else
                found = std::fabs(left) < 0.1 && std::fabs(right) >= std::fabs(left) && std::fabs(left) < 0.1 * h;
            if (found) {
                m_dCandidates[m_nCount++] = candidate;
                if (m_nCount >= kMaxCandidates)
                    return true;
            }
        }
        done += static_cast<double>(n);
        if (!ticker.Step(done, static_cast<long>(n)))
            return false;
    }
    return true;
}

void CRootFinder::Refine()
{
    CExpression f;
    f.SetExpression(m_strExpression);
    const double t = m_dTolerance;
    for (int i = 0; i < m_nCount; ++i) {
        double r = m_dCandidates[i];
        for (int update = 0; update < kNewtonUpdates; ++update) {
            const double f0 = f.Evaluate(r);
            if (f0 == 0 || !IsNumber(f0))
                break;
            const double s = (f.Evaluate(RoundToDecimals(r + 0.01, 7)) - f0) * 100;
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
    for (int i = 0; i < m_nCount; ++i) {
        if (!m_bValid[i])
            continue;
        const double ri = RoundToDecimals(m_dRoots[i], 7);
        for (int j = i + 1; j < m_nCount; ++j)
            if (RoundToDecimals(m_dRoots[j], 7) == ri || std::fabs(m_dRoots[j] - m_dRoots[i]) < m_dStep / 2)
                m_bValid[j] = 0;
    }
}
