#include "core/analysis/InflexFinder.h"

#include "core/analysis/ValueTests.h"
#include "core/expr/Expression.h"
#include "core/expr/NumberText.h"

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
    f.SetExpression(m_strFunction);
    return FormatPoint(m_dX[i], f.Evaluate(m_dX[i]));
}

std::string CInflexFinder::FormatPoint(double x, double value)
{
    const double y = RoundToDecimals(value, 7);
    // No minus on a zero.
    return Padded(FormatExp(x == 0 ? 0.0 : x, 7), 19, true) + Padded(FormatExp(y == 0 ? 0.0 : y, 7), 26, false);
}
