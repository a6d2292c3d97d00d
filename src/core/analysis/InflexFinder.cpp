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

std::uint8_t CInflexFinder::TypeAt(bool acceptedRoot, double x) const
{
    EType type = NoSignChange;
    if (!acceptedRoot)
        type = Rejected;
    else if (!IsFinite(m_dValue))
        type = Undefined;
    else if (!IsFinite(m_dLeft) || !IsFinite(m_dRight))
        type = Rejected;
    else if ((m_dLeft > 0 && m_dRight < 0) || (m_dLeft < 0 && m_dRight > 0))
        type = Inflection;
    if (type == Inflection && IsNearPole(x))
        type = Rejected;
    return type;
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
