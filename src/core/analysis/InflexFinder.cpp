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
    const double y = RoundToDecimals(f.Evaluate(m_dX[i]), 7);
    const double x = m_dX[i];
    // No minus on a zero.
    return Padded(FormatExp(x == 0 ? 0.0 : x, 7), 19, true) + Padded(FormatExp(y == 0 ? 0.0 : y, 7), 26, false);
}
