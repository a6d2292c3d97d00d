#include "core/analysis/ExtremaFinder.h"

#include "core/analysis/PointSearch.h"
#include "core/analysis/ValueTests.h"
#include "core/expr/Expression.h"
#include "core/expr/NumberText.h"

#include <cmath>

CExtremaFinder::CExtremaFinder() = default;
CExtremaFinder::~CExtremaFinder() = default;

bool CExtremaFinder::SearchDomain(const std::string &function, double from, double to, double tolerance,
                                  const ProgressCallback &progress)
{
    return Search(function, false, from, to, tolerance, progress);
}

bool CExtremaFinder::SearchNear(const std::string &function, double point, double tolerance,
                                const ProgressCallback &progress)
{
    return Search(function, true, point, point, tolerance, progress);
}

bool CExtremaFinder::Search(const std::string &function, bool near, double from, double to, double tolerance,
                            const ProgressCallback &progress)
{
    m_nCount = 0;
    m_bTruncated = false;
    m_strFunction = function;
    m_strDerivative = DerivativeText(function, 1);
    m_strReciprocal = "1/(" + m_strDerivative + ")";
    const SPointSearch search{m_strFunction, m_strDerivative, near, from, to, tolerance};
    return RunPointSearch(search, m_poles, m_rootsOfDerivative, [this](int) {
        Classify();
        m_nCount += m_rootsOfDerivative.m_nCount;
        m_bTruncated = m_bTruncated || m_rootsOfDerivative.IsFull();
    }, progress);
}

void CExtremaFinder::Classify()
{
    CExpression f;
    f.SetExpression(m_strFunction);
    CExpression derivative;
    derivative.SetExpression(m_strDerivative);
    const CRootFinder &roots = m_rootsOfDerivative;
    const double h = roots.m_dStep;
    for (int i = 0; i < roots.m_nCount; ++i) {
        m_nIndex = m_nCount + i;
        const double x = roots.m_dRoots[i];
        m_dX[m_nIndex] = x;
        m_dValue = f.Evaluate(x);
        m_dLeft = derivative.Evaluate(RoundToDecimals(x - h / 2, 7));
        m_dRight = derivative.Evaluate(RoundToDecimals(x + h / 2, 7));
        EType type = Stationary;
        if (!roots.m_bValid[i])
            type = Rejected;
        else if (!IsFinite(m_dValue))
            type = Undefined;
        else if (!IsFinite(m_dLeft) || !IsFinite(m_dRight))
            type = Rejected;
        else if (m_dLeft > 0 && m_dRight < 0)
            type = Maximum;
        else if (m_dLeft < 0 && m_dRight > 0)
            type = Minimum;
        if ((type == Minimum || type == Maximum) && IsNearPole(m_poles, x))
            type = Undefined;
        for (int k = 0; k < m_nIndex && (type == Minimum || type == Maximum); ++k)
            if (m_nType[k] == type && std::fabs(m_dX[k] - x) < h / 2)
                type = Repeated;
        m_nType[m_nIndex] = type;
    }
}

std::string CExtremaFinder::FormatLine(int i, int k)
{
    if (!IsListed(i))
        return "Not come here!!!";
    switch (k) {
    case 1: return "x= " + FormatExp(m_dX[i], 7);
    case 2: {
        CExpression f;
        f.SetExpression(m_strFunction);
        return "y= " + FormatExp(f.Evaluate(m_dX[i]), 7);
    }
    case 3: return m_nType[i] == Minimum ? "Type :Minimum" : "Type :Maximum";
    case 4: return std::string(26, '-');
    default: return {};
    }
}
