#include "core/deriv/Derivative.h"

#include <algorithm>

#include "core/deriv/Simplify.h"
#include "core/expr/CodedText.h"

namespace {

// Far beyond any typed formula and its second derivative; only a text built
// to blow up (hundreds of nested functions) gets there, and it gets no result
// rather than minutes of work.
constexpr std::size_t kMaxRawLength = 1u << 18;
constexpr int kMaxLevel = 2000;

// "pi" and "e" standing alone become the numbers the coded expression uses,
// so that the operators next to them are read as in the coded form. A lone
// '.' is the number zero to the expression core; written as "0" it stays a
// number through the rewriting.
void EncodeConstants(std::string &text)
{
    std::string out;
    out.reserve(text.size() + 16);
    auto isNear = [](char c) { return IsDigit(c) || c == '.' || IsLowerLetter(c); };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool freeLeft = i == 0 || !isNear(text[i - 1]);
        if (text[i] == '.' && (i == 0 || !IsDigit(text[i - 1])) &&
            (i + 1 >= text.size() || !IsDigit(text[i + 1]))) {
            out += '0';
            continue;
        }
        if (text.compare(i, 2, "pi") == 0 && freeLeft &&
            (i + 2 >= text.size() || !isNear(text[i + 2]))) {
            out += kPiText;
            ++i;
        } else if (text[i] == 'e' && freeLeft && (i + 1 >= text.size() || !isNear(text[i + 1]))) {
            out += kEText;
        } else {
            out += text[i];
        }
    }
    text.swap(out);
}

// The rule templates live outside the recursion so that its stack frames
// stay small: deeply nested text must not exhaust the stack.
[[gnu::noinline]] std::string BinaryTemplate(char op, const std::string &u, const std::string &du,
                                             const std::string &v, const std::string &dv)
{
    switch (op) {
    case '+': return "(" + du + ")+(" + dv + ")";
    case '-': return "(" + du + ")-(" + dv + ")";
    case '*': return "(" + u + ")*(" + dv + ")+(" + v + ")*(" + du + ")";
    case '/': return "((" + du + ")*(" + v + ")-(" + dv + ")*(" + u + "))/(" + v + ")^2";
    case '^':
        return "(" + v + ")*(" + u + ")^(" + v + "-1)*(" + du + ")+(" + dv + ")*(" + u + ")^(" +
               v + ")*ln(" + u + ")";
    default: return "0";
    }
}

[[gnu::noinline]] std::string FunctionTemplate(char function, const std::string &w,
                                               const std::string &dw)
{
    const std::string tail = ")*(" + dw + ")";
    switch (function) {
    case '-': return "-(" + dw + ")";
    case 'A': return "cos(" + w + tail;
    case 'B': return "-sin(" + w + tail;
    case 'C': return "(sec(" + w + "))^2*(" + dw + ")";
    case 'D': return "-(csc(" + w + "))^2*(" + dw + ")";
    case 'E': return "-csc(" + w + ")*cot(" + w + tail;
    case 'F': return "sec(" + w + ")*tan(" + w + tail;
    case 'G': return "(1/(1-(" + w + ")^2)^0.5" + tail;
    case 'H': return "(-1/(1-(" + w + ")^2)^0.5" + tail;
    case 'I': return "(1/(1+(" + w + ")^2)" + tail;
    case 'J': return "(-1/(1+(" + w + ")^2)" + tail;
    // acsc, asec and acsch fall on both sides: the slope's sign follows |w|, not w.
    case 'K': return "(-1/(abs(" + w + ")*((" + w + ")^2-1)^0.5)" + tail;
    case 'L': return "(1/(abs(" + w + ")*((" + w + ")^2-1)^0.5)" + tail;
    case 'M': return "cosh(" + w + tail;
    case 'N': return "sinh(" + w + tail;
    case 'O': return "(sech(" + w + "))^2*(" + dw + ")";
    case 'P': return "-(csch(" + w + "))^2*(" + dw + ")";
    case 'Q': return "-sech(" + w + ")*tanh(" + w + tail;
    case 'R': return "-csch(" + w + ")*coth(" + w + tail;
    case 'S': return "(1/((" + w + ")^2+1)^0.5" + tail;
    case 'T': return "(1/((" + w + ")^2-1)^0.5" + tail;
    case 'U': return "(1/(1-(" + w + ")^2)" + tail;
    case 'V': return "(1/(1-(" + w + ")^2)" + tail;
    case 'W': return "(-1/((" + w + ")*(1-(" + w + ")^2)^0.5)" + tail;
    case 'X': return "(-1/(abs(" + w + ")*(1+(" + w + ")^2)^0.5)" + tail;
    case 'Y': return "1/(" + w + tail;
    case 'Z': return "1/((" + w + ")*ln10" + tail;
    case '#': return "1/(2*sqrt(" + w + ")" + tail;
    case '$': return "(" + w + ")/abs(" + w + tail;  // 0/0 where the argument is 0: no slope there
    case '&': return "1/(3*(cbrt(" + w + "))^2" + tail;
    case '@': return "exp(" + w + tail;
    default: return "0";
    }
}

}  // namespace

CDerivative::CDerivative(std::string text) : m_strWork(std::move(text))
{
    if (!m_strWork.empty())
        Derive();
}

void CDerivative::Rederive(std::string text)
{
    m_strWork = std::move(text);
    Derive();
}

void CDerivative::Derive()
{
    m_bTooLarge = false;
    EncodeNames(m_strWork);
    EncodeConstants(m_strWork);
    m_strBracketed = m_strWork;
    m_aTokens = TokeniseAndStrip(m_strWork, &m_aPositionMap);
    m_strResult = DeriveRange(0, static_cast<int>(m_strWork.size()) - 1, 0,
                              static_cast<int>(m_aTokens.size()) - 1, 0);
    if (m_bTooLarge) {
        m_strResult.clear();
        return;
    }
    m_strWork = m_strResult;
    Simplify(m_strWork);
    DecodeNames(m_strWork);
    m_strResult = m_strWork;
}

std::string CDerivative::DeriveRange(int from, int to, int firstToken, int lastToken, int level)
{
    if (m_bTooLarge || level > kMaxLevel) {
        m_bTooLarge = true;
        return "0";
    }
    if (lastToken < firstToken) {
        const bool isX = from == to && from >= 0 && m_strWork[from] == 'x';
        return isX ? "1" : "0";
    }
    const int p = static_cast<int>(ChooseMainOperator(m_aTokens, firstToken, lastToken));
    std::string result;
    if (m_aTokens[p].m_bUnary) {
        // For valid text the operator stands at `from`; anything in front of
        // it can only come from malformed text and is not part of the operand.
        result = DeriveFunction(m_aTokens[p].m_nPosition + 1, to, p + 1, lastToken,
                                m_aTokens[p].m_cChar, level);
    } else {
        result = DeriveBinary(from, to, firstToken, lastToken, p, level);
    }
    if (result.size() > kMaxRawLength)
        m_bTooLarge = true;
    return result;
}

std::string CDerivative::OperandText(int from, int to) const
{
    if (from > to || from < 0 || to >= static_cast<int>(m_aPositionMap.size()))
        return std::string();
    const int n = static_cast<int>(m_strBracketed.size());
    int start = m_aPositionMap[from];
    int end = m_aPositionMap[to];
    // Take in just the brackets that the span needs to balance: the '(' in
    // front of it that its unmatched ')' close, and the ')' behind it that
    // close its unmatched '('. A net count alone misses "a)*(b".
    int depth = 0;
    int lowest = 0;
    for (int i = start; i <= end; ++i) {
        if (m_strBracketed[i] == '(')
            ++depth;
        else if (m_strBracketed[i] == ')')
            lowest = std::min(lowest, --depth);
    }
    start = std::max(0, start + lowest);
    end = std::min(n - 1, end + depth - lowest);
    return m_strBracketed.substr(start, end - start + 1);
}

std::string CDerivative::DeriveBinary(int from, int to, int firstToken, int lastToken, int main,
                                      int level)
{
    const int position = m_aTokens[main].m_nPosition;
    const std::string du = DeriveRange(from, position - 1, firstToken, main - 1, level + 1);
    const std::string dv = DeriveRange(position + 1, to, main + 1, lastToken, level + 1);
    if (m_bTooLarge)
        return "0";
    return BinaryTemplate(m_aTokens[main].m_cChar, OperandText(from, position - 1), du,
                          OperandText(position + 1, to), dv);
}

std::string CDerivative::DeriveFunction(int from, int to, int firstToken, int lastToken,
                                        char function, int level)
{
    const std::string dw = DeriveRange(from, to, firstToken, lastToken, level + 1);
    if (m_bTooLarge)
        return "0";
    return FunctionTemplate(function, OperandText(from, to), dw);
}
