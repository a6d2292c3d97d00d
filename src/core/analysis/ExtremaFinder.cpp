#include "core/analysis/ExtremaFinder.h"

#include "core/analysis/ValueTests.h"
#include "core/expr/Expression.h"
#include "core/expr/NumberText.h"

std::uint8_t CExtremaFinder::TypeAt(bool acceptedRoot, double x) const
{
    EType type = Stationary;
    if (!acceptedRoot)
        type = Rejected;
    else if (!IsFinite(m_dValue))
        type = Undefined;
    else if (!IsFinite(m_dLeft) || !IsFinite(m_dRight))
        type = Rejected;
    else if (m_dLeft > 0 && m_dRight < 0)
        type = Maximum;
    else if (m_dLeft < 0 && m_dRight > 0)
        type = Minimum;
    if ((type == Minimum || type == Maximum) && IsNearPole(x))
        type = Undefined;
    return type;
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
