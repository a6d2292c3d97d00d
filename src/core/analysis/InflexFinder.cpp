#include "core/analysis/InflexFinder.h"

#include "core/expr/ShownNumber.h"
#include "core/analysis/ValueTests.h"
#include "core/expr/Expression.h"

namespace {

// The text padded with blanks to width, on the right or on the left.
std::string Padded(std::string text, std::size_t width, bool leftAlign)
{
    if (text.size() < width)
        text.insert(leftAlign ? text.end() : text.begin(), width - text.size(), ' ');
    return text;
}

}  // namespace

std::string CInflexFinder::FormatLine(int i)
{
    if (!IsListed(i))
        return {};
    CExpression f;
    f.SetParameters(m_parameters);
    f.SetExpression(m_strFunction);
    return FormatPoint(f, m_dX[i], m_dSpread[i], m_nPlaces);
}

std::string CInflexFinder::FormatPoint(CExpression &f, double x, double spread, int places)
{
    const double y = f.Evaluate(x);
    // No minus on a zero.
    return Padded(ShownRoot(x == 0 ? 0.0 : x, KnownDecimals(spread, places)), 19, true) +
           Padded(ValueExp(y == 0 ? 0.0 : y, ValueSpread(f, x, spread), places), 26, false);
}
