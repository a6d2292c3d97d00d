#include "core/analysis/PointFinder.h"

#include "core/analysis/ValueTests.h"
#include "core/deriv/Derivative.h"
#include "core/expr/Expression.h"

#include <algorithm>
#include <cmath>

CPointFinder::CPointFinder(int order, double sideReach, const STypes &types)
    : m_nOrder(order), m_dSideReach(sideReach), m_types(types)
{
}

CPointFinder::~CPointFinder() = default;

bool CPointFinder::SearchDomain(const std::string &function, double from, double to, double tolerance,
                                const ProgressCallback &progress)
{
    return Search(function, false, from, to, tolerance, progress);
}

bool CPointFinder::SearchNear(const std::string &function, double point, double tolerance,
                              const ProgressCallback &progress)
{
    return Search(function, true, point, point, tolerance, progress);
}

bool CPointFinder::Search(const std::string &function, bool near, double from, double to, double tolerance,
                          const ProgressCallback &progress)
{
    m_nCount = 0;
    m_bTruncated = false;
    m_strFunction = function;
    m_nPlaces = PlacesOf(tolerance);
    m_strDerivative = DerivativeText(function, m_nOrder).value_or(std::string());
    m_strReciprocal = "1/(" + m_strDerivative + ")";
    const std::string texts[] = {"1/(" + function + ")", m_strDerivative, m_strReciprocal};
    for (int run = 0; run < 3; ++run) {
        // Three searches of about the same length share the progress range.
        ProgressCallback part;
        if (progress)
            part = [&progress, run](double fraction) { return progress((run + fraction) / 3); };
        CRootFinder &finder = run == 0 ? m_poles : run == 1 ? m_rootsOfDerivative : m_rootsOfReciprocal;
        // The derivative may change sign through a jump or where it is
        // undefined or infinite: at a cusp or a kink.
        finder.m_bAcrossBreaks = run > 0;
        finder.m_parameters = m_parameters;
        const bool finished = near ? finder.SearchNear(texts[run], from, tolerance, part)
                                   : finder.SearchDomain(texts[run], from, to, tolerance, part);
        if (!finished)
            return false;
    }
    // Both runs are known before either is typed: the sign of the
    // derivative beside a point is read short of the nearest other one.
    Classify(m_rootsOfDerivative);
    Classify(m_rootsOfReciprocal);
    return true;
}

void CPointFinder::Classify(const CRootFinder &roots)
{
    CExpression f;
    f.SetParameters(m_parameters);
    f.SetExpression(m_strFunction);
    CExpression derivative;
    derivative.SetParameters(m_parameters);
    derivative.SetExpression(m_strDerivative);
    const double same = CRootFinder::SameDistance(roots.m_dTolerance);
    for (int i = 0; i < roots.m_nCount; ++i) {
        m_nIndex = m_nCount + i;
        const double x = roots.m_dRoots[i];
        m_dX[m_nIndex] = x;
        m_dSpread[m_nIndex] = roots.m_dSpread[i];
        m_dValue = f.Evaluate(x);
        const double side = SideDistance(x, same);
        m_dLeft = derivative.Evaluate(x - side);
        m_dRight = derivative.Evaluate(x + side);
        std::uint8_t type = TypeAt(roots.m_bValid[i] != 0, x, roots.m_dSpread[i]);
        for (int k = 0; k < m_nIndex && IsListedType(type); ++k)
            if (m_nType[k] == type && std::fabs(m_dX[k] - x) < same)
                type = m_types.repeated;
        m_nType[m_nIndex] = type;
    }
    m_nCount += roots.m_nCount;
    m_bTruncated = m_bTruncated || roots.IsFull();
}

double CPointFinder::SideDistance(double x, double same) const
{
    double side = m_dSideReach;
    for (const CRootFinder *run : {&m_poles, &m_rootsOfDerivative, &m_rootsOfReciprocal})
        for (int i = 0; i < run->m_nCount; ++i)
            if (run->m_bValid[i]) {
                const double d = std::fabs(run->m_dRoots[i] - x);
                // The sign is read short of any pole, however near.
                if (d >= same || (run == &m_poles && d > 0))
                    side = std::min(side, d / 2);
            }
    return side;
}

std::uint8_t CPointFinder::TypeAt(bool acceptedRoot, double x, double spread) const
{
    std::uint8_t type = m_types.flat;
    if (!acceptedRoot)
        type = m_types.notAccepted;
    else if (!IsFinite(m_dValue))
        type = m_types.undefined;
    else if (!IsFinite(m_dLeft) || !IsFinite(m_dRight))
        type = m_types.sideUndefined;
    else if (m_dLeft > 0 && m_dRight < 0)
        type = m_types.falling;
    else if (m_dLeft < 0 && m_dRight > 0)
        type = m_types.rising;
    if (IsListedType(type) && IsNearPole(x, spread))
        type = m_types.onPole;
    return type;
}

bool CPointFinder::IsNearPole(double x, double spread) const
{
    // Only where the two spreads meet: an extremum may lie very near a pole.
    for (int i = 0; i < m_poles.m_nCount; ++i)
        if (m_poles.m_bValid[i] && std::fabs(m_poles.m_dRoots[i] - x) <= 2 * (spread + m_poles.m_dSpread[i]))
            return true;
    return false;
}

std::optional<std::string> DerivativeText(const std::string &function, int order)
{
    CExpression f;
    f.SetExpression(function);
    CDerivative derivative(f.m_strCoded);
    for (int i = 1; i < order && !derivative.TooLong(); ++i)
        derivative.Rederive(derivative.GetResult());
    if (derivative.TooLong())
        return std::nullopt;
    return derivative.GetResult();
}
