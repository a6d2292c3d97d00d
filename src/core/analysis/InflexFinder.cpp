#include "core/analysis/InflexFinder.h"

#include "core/analysis/PointSearch.h"
#include "core/analysis/ValueTests.h"
#include "core/expr/Expression.h"
#include "core/expr/NumberText.h"

#include <cmath>

namespace {

// The text padded with blanks to width, on the right or on the left.
std::string Padded(std::string text, std::size_t width, bool leftAlign)
{
    if (text.size() < width)
        text.insert(leftAlign ? text.end() : text.begin(), width - text.size(), ' ');
    return text;
}

}  // namespace

CInflexFinder::CInflexFinder() = default;
CInflexFinder::~CInflexFinder() = default;

bool CInflexFinder::SearchDomain(const std::string &function, double from, double to, double tolerance,
                                 const ProgressCallback &progress)
{
    return Search(function, false, from, to, tolerance, progress);
}

bool CInflexFinder::SearchNear(const std::string &function, double point, double tolerance,
                               const ProgressCallback &progress)
{
    return Search(function, true, point, point, tolerance, progress);
}

bool CInflexFinder::Search(const std::string &function, bool near, double from, double to, double tolerance,
                           const ProgressCallback &progress)
{
    m_nCount = 0;
    m_bTruncated = false;
    m_strFunction = function;
    m_strDerivative = DerivativeText(function, 2);
    m_strReciprocal = "1/(" + m_strDerivative + ")";
    const SPointSearch search{m_strFunction, m_strDerivative, near, from, to, tolerance};
    return RunPointSearch(search, m_poles, m_rootsOfDerivative, [this](int) {
        Classify();
        m_nCount += m_rootsOfDerivative.m_nCount;
        m_bTruncated = m_bTruncated || m_rootsOfDerivative.IsFull();
    }, progress);
}

void CInflexFinder::Classify()
{
    CExpression f;
    f.SetExpression(m_strFunction);
    CExpression second;
    second.SetExpression(m_strDerivative);
    const CRootFinder &roots = m_rootsOfDerivative;
    const double h = roots.m_dStep;
    for (int i = 0; i < roots.m_nCount; ++i) {
        m_nIndex = m_nCount + i;
        const double x = roots.m_dRoots[i];
        m_dX[m_nIndex] = x;
        m_dValue = f.Evaluate(x);
        m_dLeft = second.Evaluate(RoundToDecimals(x - h, 7));
        m_dRight = second.Evaluate(RoundToDecimals(x + h, 7));
        EType type = NoSignChange;
        if (!roots.m_bValid[i])
            type = Rejected;
        else if (!IsFinite(m_dValue))
            type = Undefined;
        else if (!IsFinite(m_dLeft) || !IsFinite(m_dRight))
            type = Rejected;
        else if ((m_dLeft > 0 && m_dRight < 0) || (m_dLeft < 0 && m_dRight > 0))
            type = Inflection;
        if (type == Inflection && IsNearPole(m_poles, x))
            type = Rejected;
        for (int k = 0; k < m_nIndex && type == Inflection; ++k)
            if (m_nType[k] == Inflection && std::fabs(m_dX[k] - x) < h / 2)
                type = Repeated;
        m_nType[m_nIndex] = type;
    }
}

std::string CInflexFinder::FormatLine(int i)
{
    if (!IsListed(i))
        return {};
    CExpression f;
    f.SetExpression(m_strFunction);
    const double y = RoundToDecimals(f.Evaluate(m_dX[i]), 7);
    return Padded(FormatExp(m_dX[i], 7), 19, true) + Padded(FormatExp(y, 7), 26, false);
}
