#include "core/analysis/ExtremaFinder.h"

#include "core/expr/ShownNumber.h"
#include "core/analysis/ValueTests.h"
#include "core/expr/Expression.h"

std::string CExtremaFinder::FormatLine(int i, int k)
{
    if (!IsListed(i))
        return "Not come here!!!";
    switch (k) {
    case 1: return "x= " + ShownRoot(m_dX[i] == 0 ? 0.0 : m_dX[i], KnownDecimals(m_dSpread[i], m_nPlaces));
    case 2: {
        CExpression f;
        f.SetParameters(m_parameters);
        f.SetExpression(m_strFunction);
        const double y = f.Evaluate(m_dX[i]);
        return "y= " + ValueExp(y == 0 ? 0.0 : y, ValueSpread(f, m_dX[i], m_dSpread[i]), m_nPlaces);
    }
    case 3: return m_nType[i] == Minimum ? "Type :Minimum" : "Type :Maximum";
    case 4: return std::string(26, '-');
    default: return {};
    }
}
