#include "core/calc/CalcEvaluator.h"

#include "core/calc/BaseNumber.h"
#include "core/calc/CalcFunctions.h"
#include "core/calc/CalcRefusals.h"
#include "core/expr/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>


namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Deeper nesting than anyone types; it keeps the recursive reader off the
// end of the stack.
constexpr int kMaxDepth = 250;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

constexpr std::size_t kNoPlace = SCalcResult::kNoPosition;

using SValue = CCalcEvaluator::SValue;

// Exact p/q kept small, so the products below stay within 64 bits.
constexpr long long kExactLimit = 1000000000000LL;

SValue Exact(double v, SValue::Kind kind, __int128 p, __int128 q)
{
    if (q < 0) {
        p = -p;
        q = -q;
    }
    __int128 a = p < 0 ? -p : p, b = q;
    while (b != 0) {
        const __int128 t = a % b;
        a = b;
        b = t;
    }
    if (a > 1) {
        p /= a;
        q /= a;
    }
    if (q == 0 || p > kExactLimit || p < -kExactLimit || q > kExactLimit)
        return {v};
    return {v, kind, static_cast<long long>(p), static_cast<long long>(q)};
}

// What is known exactly of a op b.
SValue Track(char op, double v, const SValue &a, const SValue &b)
{
    using K = SValue::Kind;
    if (a.kind == K::Inexact || b.kind == K::Inexact)
        return {v};
    switch (op) {
    case '+': case '-':
        if (a.kind != b.kind)
            return {v};
        return Exact(v, a.kind, static_cast<__int128>(a.p) * b.q + (op == '+' ? 1 : -1) * static_cast<__int128>(b.p) * a.q,
                     static_cast<__int128>(a.q) * b.q);
    case '*':
        if (a.kind == K::PiMultiple && b.kind == K::PiMultiple)
            return {v};
        return Exact(v, a.kind == K::PiMultiple || b.kind == K::PiMultiple ? K::PiMultiple : K::Rational,
                     static_cast<__int128>(a.p) * b.p, static_cast<__int128>(a.q) * b.q);
    case '/':
        if (b.p == 0 || (a.kind == K::Rational && b.kind == K::PiMultiple))
            return {v};
        return Exact(v, a.kind == b.kind ? K::Rational : K::PiMultiple, static_cast<__int128>(a.p) * b.q,
                     static_cast<__int128>(a.q) * b.p);
    default: return {v};
    }
}

int DigitValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    return 99;
}

}  // namespace

CCalcEvaluator::CCalcEvaluator(std::string strText) : m_strText(std::move(strText)) {}

SCalcResult CCalcEvaluator::Calculate(bool bSubstitute, double x)
{
    m_bSubstitute = bSubstitute;
    m_dX = x;
    m_nPos = 0;
    m_result = SCalcResult();
    Peek();
    if (AtEnd())
        Fail(0, "nothing to calculate");
    const double dValue = ReadSum(0).v;
    if (m_result.Ok())
        RefuseRest();
    if (m_result.Ok())
        Checked(dValue);
    if (m_result.Ok())
        m_result.dValue = dValue;
    return m_result;
}

double CCalcEvaluator::Fail(std::size_t nAt, std::string strReason)
{
    if (m_result.Ok()) {
        m_result.strReason = std::move(strReason);
        m_result.nPosition = nAt;
    }
    m_nPos = m_strText.size();
    return kNaN;
}

double CCalcEvaluator::Checked(double v)
{
    if (std::isinf(v))
        return Fail(kNoPlace, v > 0 ? kCalcOverflow : kCalcUnderOverflow);
    if (std::isnan(v))
        return Fail(kNoPlace, kCalcDomain);
    return v;
}

char CCalcEvaluator::Peek()
{
    while (m_nPos < m_strText.size() && std::string_view(" \t\r\n").find(m_strText[m_nPos]) != std::string_view::npos)
        ++m_nPos;
    return At(m_nPos);
}

// Whatever follows a complete expression where an operator or the end belongs.
void CCalcEvaluator::RefuseRest()
{
    Peek();
    if (AtEnd())
        return;
    const char c = At(m_nPos);
    if (c == ')') {
        Fail(m_nPos, "')' without '('");
    } else if (IsDigit(c) || c == '.' || IsLetter(c) || c == '\'') {
        Fail(m_nPos, "missing operator");
    } else if (static_cast<unsigned char>(c) >= 0x80) {
        std::size_t e = m_nPos + 1;
        while ((static_cast<unsigned char>(At(e)) & 0xC0) == 0x80)
            ++e;
        Fail(m_nPos, "unexpected '" + m_strText.substr(m_nPos, e - m_nPos) + "'");
    } else if (c < ' ' || c == 0x7F) {
        Fail(m_nPos, "unexpected character");
    } else {
        Fail(m_nPos, std::string("unexpected '") + c + "'");
    }
}

// Names in any case (5nCr2 as the key shows it). In a base above 10 an
// upper-case letter that is a digit of the base stays a digit, so FF and ACE
// are numbers there.
const SCalcName *CCalcEvaluator::NameAt(std::size_t i) const
{
    const char first = At(i);
    if (first >= 'A' && first <= 'Z' && Base() > 10 && IsDigitHere(first))
        return nullptr;
    const SCalcName *pBest = i < m_strText.size() ? LongestCalcName(std::string_view(m_strText).substr(i)) : nullptr;
    // In bases above 14 "e" is a digit, not the constant.
    if (pBest && pBest->kind == SCalcName::Constant && pBest->name == "e" && Base() > 14)
        return nullptr;
    return pBest;
}

bool CCalcEvaluator::IsDigitHere(char c) const { return DigitValue(c) < Base(); }

double CCalcEvaluator::CombineAt(char op, double a, double b, std::size_t nAt)
{
    switch (op) {
    case '+': return Checked(a + b);
    case '-': return Checked(a - b);
    case '*': return Checked(a * b);
    case '/': return b == 0 ? Fail(kNoPlace, kCalcDivision) : Checked(a / b);
    case '^': {
        if (a == 0 && b < 0)
            return Fail(kNoPlace, kCalcDivision);
        if (a < 0 && b != std::trunc(b))
            return Fail(kNoPlace, CalcDomainText("a negative number to a fractional power"));
        return Checked(std::pow(a, b));
    }
    default: {
        // ncr and npr take whole numbers, as ! does.
        const char *pszName = op == '@' ? "ncr" : "npr";
        if (a < 0 || b < 0 || a != std::trunc(a) || b != std::trunc(b))
            return Fail(nAt, std::string(pszName) + " needs whole numbers from 0 up");
        return Checked(op == '@' ? Combinations(a, b) : Permutations(a, b));
    }
    }
}

SValue CCalcEvaluator::ReadSum(int nDepth)
{
    SValue value = ReadTerm(nDepth);
    while (m_result.Ok()) {
        const char c = Peek();
        if (c != '+' && c != '-')
            break;
        ++m_nPos;
        const SValue r = ReadTerm(nDepth);
        if (!m_result.Ok())
            break;
        value = Track(c, CombineAt(c, value.v, r.v, kNoPlace), value, r);
    }
    return value;
}

SValue CCalcEvaluator::ReadTerm(int nDepth)
{
    SValue value = ReadSigned(nDepth);
    while (m_result.Ok()) {
        const char c = Peek();
        if (c == '*' || c == '/') {
            ++m_nPos;
            const SValue r = ReadSigned(nDepth);
            if (!m_result.Ok())
                break;
            value = Track(c, CombineAt(c, value.v, r.v, kNoPlace), value, r);
            continue;
        }
        const std::size_t nAt = m_nPos;
        const SCalcName *pName = IsLetter(c) ? NameAt(m_nPos) : nullptr;
        if (pName && pName->kind == SCalcName::Operator) {
            m_nPos += pName->name.size();
            const SValue r = ReadSigned(nDepth);
            if (!m_result.Ok())
                break;
            value = {CombineAt(pName->code, value.v, r.v, nAt)};
            continue;
        }
        // A value written directly before a name or a bracket multiplies it,
        // as in the graph's syntax (2pi, 2(3), 3sin 30), and so does a number
        // after a closed bracket: (2)3 is 2(3). A letter that is a digit of
        // the base starts a number: two numbers need an operator.
        std::size_t nBefore = nAt;
        while (nBefore > 0 && std::string_view(" \t\r\n").find(At(nBefore - 1)) != std::string_view::npos)
            --nBefore;
        const bool bAfterBracket = nBefore > 0 && At(nBefore - 1) == ')' && (IsDigit(c) || c == '.' || (IsLetter(c) && IsDigitHere(c)));
        if (c == '(' || bAfterBracket || (IsLetter(c) && (pName || (m_bSubstitute && Lower(c) == 'x') || !IsDigitHere(c)))) {
            const SValue r = ReadPower(nDepth);
            if (!m_result.Ok())
                break;
            value = Track('*', CombineAt('*', value.v, r.v, kNoPlace), value, r);
            continue;
        }
        break;
    }
    return value;
}

SValue CCalcEvaluator::ReadSigned(int nDepth)
{
    bool bNegative = false;
    for (char c = Peek(); c == '-' || c == '+'; c = Peek()) {
        bNegative ^= c == '-';
        ++m_nPos;
    }
    SValue value = ReadPower(nDepth);
    if (bNegative) {
        value.v = -value.v;
        value.p = -value.p;
    }
    return value;
}

SValue CCalcEvaluator::ReadPower(int nDepth)
{
    SValue value = ReadPostfix(nDepth);
    while (m_result.Ok() && Peek() == '^') {
        ++m_nPos;
        const SValue r = ReadArgument(nDepth);
        if (!m_result.Ok())
            break;
        value = {CombineAt('^', value.v, r.v, kNoPlace)};
    }
    return value;
}

// The operand of a function, of "!" and of "^": a signed value with its
// postfix factorials, so sin 30^2 is (sin 30)^2 and 2^-3 is 2^(-3).
SValue CCalcEvaluator::ReadArgument(int nDepth)
{
    bool bNegative = false;
    for (char c = Peek(); c == '-' || c == '+'; c = Peek()) {
        bNegative ^= c == '-';
        ++m_nPos;
    }
    SValue value = ReadPostfix(nDepth + 1);
    if (bNegative) {
        value.v = -value.v;
        value.p = -value.p;
    }
    return value;
}

SValue CCalcEvaluator::ReadPostfix(int nDepth)
{
    SValue value = ReadPrimary(nDepth);
    while (m_result.Ok() && Peek() == '!') {
        const std::size_t nAt = m_nPos++;
        value = {FactorialAt(value.v, nAt)};
    }
    return value;
}

SValue CCalcEvaluator::ReadPrimary(int nDepth)
{
    const char c = Peek();
    const std::size_t nAt = m_nPos;
    if (nDepth > kMaxDepth)
        return {Fail(nAt, "nested too deeply")};
    if (AtEnd())
        return {Fail(nAt, "missing number")};
    if (c == '(') {
        ++m_nPos;
        const SValue value = ReadSum(nDepth + 1);
        if (!m_result.Ok())
            return value;
        Peek();
        if (AtEnd())
            return {Fail(m_nPos, "missing ')'")};
        if (At(m_nPos) == ')') {
            ++m_nPos;
            return value;
        }
        RefuseRest();
        return {kNaN};
    }
    if (c == '!') {
        ++m_nPos;
        const SValue value = ReadArgument(nDepth);
        return {m_result.Ok() ? FactorialAt(value.v, nAt) : kNaN};
    }
    if (IsDigit(c) || c == '.')
        return ReadNumber();
    if (IsLetter(c)) {
        if (const SCalcName *pName = NameAt(nAt)) {
            if (pName->kind == SCalcName::Operator)
                return {Fail(nAt, "missing number")};
            m_nPos += pName->name.size();
            if (pName->kind == SCalcName::Constant)
                return pName->code == 0 && pName->name == "pi" ? SValue{pName->value, SValue::PiMultiple, 1, 1} : SValue{pName->value};
            const SValue x = ReadArgument(nDepth);
            return {m_result.Ok() ? ApplyFunction(pName->code, x, nAt) : kNaN};
        }
        if (m_bSubstitute && Lower(c) == 'x') {
            ++m_nPos;
            return {m_dX};
        }
        if (IsDigitHere(c))
            return ReadNumber();
        // The whole word, also the part a known name had taken (exp, sinx).
        std::size_t nStart = nAt, nEnd = nAt;
        while (nStart > 0 && IsLetter(At(nStart - 1)))
            --nStart;
        while (IsLetter(At(nEnd)))
            ++nEnd;
        return {Fail(nStart, "unknown name '" + m_strText.substr(nStart, std::min<std::size_t>(nEnd - nStart, 24)) + "'")};
    }
    if (c == ')' || std::string_view("+-*/^").find(c) != std::string_view::npos)
        return {Fail(nAt, "missing number")};
    RefuseRest();
    return {kNaN};
}

// A number token, and an angle in degrees, minutes and seconds: D'M'S' (the
// minutes and seconds may be left out) or the display's own D° M' S"; both
// are D + M/60 + S/3600.
SValue CCalcEvaluator::ReadNumber()
{
    SValue value;
    if (!ReadToken(&value))
        return {kNaN};
    const bool bDegreeSign = m_strText.compare(m_nPos, 2, "\xC2\xB0") == 0;
    if (At(m_nPos) != '\'' && !bDegreeSign)
        return value;
    m_nPos += bDegreeSign ? 2 : 1;
    const char marks[2] = {'\'', bDegreeSign ? '"' : '\''};
    double aParts[2] = {0.0, 0.0};
    for (int i = 0; i < 2; ++i) {
        const std::size_t nSaved = m_nPos;
        if (bDegreeSign)
            Peek();
        const char c = At(m_nPos);
        SValue part;
        if ((IsDigit(c) || c == '.' || (IsLetter(c) && IsDigitHere(c))) && ReadToken(&part) && At(m_nPos) == marks[i]) {
            aParts[i] = part.v;
            ++m_nPos;
            continue;
        }
        if (m_result.Ok())
            m_nPos = nSaved;
        break;
    }
    return {Checked(aParts[1] * 0.0002777777777777778 + aParts[0] * 0.016666666666666666 + value.v)};
}

bool CCalcEvaluator::ReadToken(SValue *pValue)
{
    const std::size_t nStart = m_nPos;
    const int nBase = Base();
    std::size_t e = nStart;
    bool bPoint = false, bDigits = false;
    for (;; ++e) {
        const char c = At(e);
        if (c == '.') {
            if (bPoint) {
                Fail(e, "second '.' in a number");
                return false;
            }
            bPoint = true;
            continue;
        }
        const bool bDigitLike = IsDigit(c) || (nBase > 10 && IsLetter(c) && !NameAt(e) && !(m_bSubstitute && Lower(c) == 'x'));
        if (!bDigitLike)
            break;
        if (DigitValue(c) >= nBase) {
            Fail(e, std::string("'") + c + "' is not a digit in base " + std::to_string(nBase));
            return false;
        }
        bDigits = true;
    }
    if (!bDigits) {
        Fail(nStart, "missing digits");
        return false;
    }
    std::string strToken = m_strText.substr(nStart, e - nStart);
    bool bExponent = false;
    double dValue = 0.0;
    if (nBase == 10) {
        // The exponent of a decimal number: 1.5e-07 is one number, 2e a product.
        std::size_t f = e;
        if (At(f) == 'e' || At(f) == 'E') {
            const char sign = At(f + 1) == '-' || At(f + 1) == '+' ? At(++f) : '\0';
            if (IsDigit(At(++f))) {
                strToken += sign == '-' ? "E-" : "E";
                while (IsDigit(At(f)))
                    strToken += At(f++);
                e = f;
                bExponent = true;
            }
        }
        ReadDecimal(strToken.data(), strToken.data() + strToken.size(), dValue, 'E');
    } else {
        CBaseNumber number;
        number.m_strInput = strToken;
        dValue = number.ToDecimal(nBase);
    }
    m_nPos = e;
    if (std::isinf(dValue)) {
        Fail(kNoPlace, kCalcOverflow);
        return false;
    }
    *pValue = {dValue};
    // A short number is known exactly: 0.5 is 1/2, so pi*0.5 is pi/2 exactly.
    if (!bExponent && strToken.size() <= 12) {
        long long p = 0, den = 1;
        bool bFraction = false;
        for (const char c : strToken) {
            if (c == '.') {
                bFraction = true;
                continue;
            }
            p = p * nBase + DigitValue(c);
            den *= bFraction ? nBase : 1;
        }
        *pValue = Exact(dValue, SValue::Rational, p, den);
    }
    return true;
}

double CCalcEvaluator::FactorialAt(double n, std::size_t nAt)
{
    if (!std::isnan(n) && (n < 0 || n != std::trunc(n)))
        return Fail(nAt, "factorial needs a whole number from 0 up");
    return Checked(Factorial(n));
}

SCalcResult EvaluateCalcText(const std::string &strText, bool bRadian, int nTokenBase)
{
    CCalcEvaluator evaluator(strText);
    evaluator.SetRadian(bRadian);
    evaluator.SetBase(nTokenBase);
    return evaluator.Calculate(false, 0.0);
}
