#include "core/analysis/ExtremaFinder.h"

#include "core/analysis/ValueTests.h"
#include "core/expr/Expression.h"
#include "core/expr/NumberText.h"

std::string CExtremaFinder::FormatLine(int i, int k)
{
    if (!IsListed(i))
        return "Not come here!!!";
    switch (k) {
    case 1: return "x= " + FormatExp(m_dX[i] == 0 ? 0.0 : m_dX[i], 7);  // no minus on a zero
    case 2: {
        CExpression f;
        f.SetExpression(m_strFunction);
        const double y = f.Evaluate(m_dX[i]);
        return "y= " + FormatExp(y == 0 ? 0.0 : y, 7);
    }
    case 3: return m_nType[i] == Minimum ? "Type :Minimum" : "Type :Maximum";
    case 4: return std::string(26, '-');
    default: return {};
    }
}
