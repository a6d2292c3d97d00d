#include "deriv/ConstantEvaluator.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

// Deeper nesting than this is not a formula anyone types; it would only
// exhaust the stack.
constexpr int kMaxLevel = 2000;

double ReadLeadingNumber(const char *first, const char *last)
{
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (ec == std::errc::invalid_argument)
        return 0.0;
    if (ec == std::errc::result_out_of_range) {
        bool large = false;
        for (const char *p = first; p < ptr && *p != '.'; ++p)
            large = large || (*p != '0');
        return large ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return value;
}

double ApplyFunction(char c, double v)
{
    switch (c) {
    case '-': return -v;
    case 'A': return std::sin(v);
    case 'B': return std::cos(v);
    case 'C': return std::tan(v);
    case 'D': return 1.0 / std::tan(v);
    case 'E': return 1.0 / std::sin(v);
    case 'F': return 1.0 / std::cos(v);
    case 'G': return std::asin(v);
    case 'H': return std::acos(v);
    case 'I': return std::atan(v);
    case 'J': return std::atan(1.0 / v);
    case 'K': return std::asin(1.0 / v);
    case 'L': return std::acos(1.0 / v);
    case 'M': return std::sinh(v);
    case 'N': return std::cosh(v);
    case 'O': return std::tanh(v);
    case 'P': return 1.0 / std::tanh(v);
    case 'Q': return 1.0 / std::cosh(v);
    case 'R': return 1.0 / std::sinh(v);
    // The inverse hyperbolics as the expression core computes them, so that a
    // folded constant has the value the unfolded text would have.
    case 'S': return std::asinh(v);
    case 'T': return std::acosh(v);
    case 'U': return std::atanh(v);
    case 'V': return std::atanh(1.0 / v);
    case 'W': return std::acosh(1.0 / v);
    case 'X': return std::asinh(1.0 / v);
    case 'Y': return std::log(v);
    case 'Z': return std::log10(v);
    default: return v;
    }
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
    switch (op.m_cChar) {
    case '+': return left + right;
    case '-': return left - right;
    case '*': return left * right;
    case '/': return left / right;
    case '^': return std::pow(left, right);
    default: return 0.0;
    }
}
