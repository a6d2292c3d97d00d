#include "core/deriv/ConstantEvaluator.h"

#include "core/expr/Expression.h"
#include "core/expr/NumberText.h"
#include "core/expr/Operations.h"
#include "core/expr/Postfix.h"

#include <cmath>
#include <limits>

namespace {

// Deeper nesting than this is not a formula anyone types; it would only
// exhaust the stack.
constexpr int kMaxLevel = 2000;

double ReadLeadingNumber(const char *first, const char *last)
{
    double value = 0.0;
    ReadOperand(first, last, value);
    return value;
}

// '-' is the unary minus here; anything that is not a function letter passes
// its operand through.
double ApplyFunction(char c, double v)
{
    if (c == '-')
        return -v;
    return IsCodeLetter(c) ? ApplyFunctionCode(c, v) : v;
}

}  // namespace

CConstantEvaluator::CConstantEvaluator(std::string text) : m_strText(std::move(text))
{
    EncodeNames(m_strText);
    m_aTokens = TokeniseAndStrip(m_strText, nullptr);
    m_dValue = EvaluateRange(0, static_cast<int>(m_strText.size()) - 1, 0,
                             static_cast<int>(m_aTokens.size()) - 1, 0);
}

double CConstantEvaluator::EvaluateRange(int from, int to, int firstToken, int lastToken,
                                         int level) const
{
    if (lastToken < firstToken) {
        if (from > to)
            return 0.0;
        const char *begin = m_strText.data() + from;
        return ReadLeadingNumber(begin, m_strText.data() + to + 1);
    }
    if (level > kMaxLevel)
        return std::numeric_limits<double>::quiet_NaN();
    const int p = static_cast<int>(ChooseMainOperator(m_aTokens, firstToken, lastToken));
    const SOperatorToken &op = m_aTokens[p];
    if (op.m_bUnary) {
        const double v = EvaluateRange(op.m_nPosition + 1, to, p + 1, lastToken, level + 1);
        return ApplyFunction(op.m_cChar, v);
    }
    const double right = EvaluateRange(op.m_nPosition + 1, to, p + 1, lastToken, level + 1);
    const double left = EvaluateRange(from, op.m_nPosition - 1, firstToken, p - 1, level + 1);
    return ApplyBinaryCode(op.m_cChar, left, right);
}
