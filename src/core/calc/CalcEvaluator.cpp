#include "core/calc/CalcEvaluator.h"

#include "core/calc/BaseNumber.h"
#include "core/expr/Angle.h"
#include "core/expr/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <numbers>
#include <string_view>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr long double kPiL = 3.141592653589793238462643383279502884L;
// Deeper nesting than anyone types; it keeps the recursive reader off the
// end of the stack.
constexpr int kMaxDepth = 250;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

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

double ToDegrees(long double a) { return static_cast<double>(a * (180.0L / kPiL)); }

// Exact n! (n <= 170) in base-1e9 limbs, then rounded once when read.
double ExactFactorial(int n)
{
    std::vector<std::uint32_t> limbs{1};
    for (std::uint64_t k = 2; k <= static_cast<std::uint64_t>(n); ++k) {
        std::uint64_t carry = 0;
        for (std::uint32_t &limb : limbs) {
            const std::uint64_t t = limb * k + carry;
            limb = static_cast<std::uint32_t>(t % 1000000000u);
            carry = t / 1000000000u;
        }
        if (carry)
            limbs.push_back(static_cast<std::uint32_t>(carry));
    }
    std::string digits = std::to_string(limbs.back());
    for (std::size_t i = limbs.size() - 1; i-- > 0;) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%09u", static_cast<unsigned>(limbs[i]));
        digits += buf;
    }
    double d = 0.0;
    ReadDecimal(digits.data(), digits.data() + digits.size(), d);
    return d;
}

}  // namespace

// Every name the calculator knows: a function with its one-character code,
// a constant, or one of the two operators written as names.
struct SCalcName
{
    std::string_view name;
    enum Kind { Function, Constant, Operator } kind;
    char code;
    double value = 0.0;
};

namespace {

using K = SCalcName;
constexpr std::array<SCalcName, 34> kNames{{
    {"ncr", K::Operator, '@'},  {"npr", K::Operator, '$'},  {"asinh", K::Function, 'a'}, {"acosh", K::Function, 'b'},
    {"atanh", K::Function, 'c'}, {"asech", K::Function, 'd'}, {"acsch", K::Function, 'e'}, {"acoth", K::Function, 'f'},
    {"sinh", K::Function, 'g'}, {"cosh", K::Function, 'h'}, {"tanh", K::Function, 'i'}, {"coth", K::Function, 'j'},
    {"sech", K::Function, 'k'}, {"csch", K::Function, 'l'}, {"atan", K::Function, 'm'}, {"asin", K::Function, 'n'},
    {"acos", K::Function, 'o'}, {"asec", K::Function, 'p'}, {"acsc", K::Function, 'q'}, {"acot", K::Function, 'r'},
    {"sin", K::Function, 's'},  {"cos", K::Function, 't'},  {"tan", K::Function, 'u'},  {"sec", K::Function, 'v'},
    {"csc", K::Function, 'w'},  {"cot", K::Function, 'y'},  {"ln", K::Function, 'z'},   {"log", K::Function, '{'},
    {"sqrt", K::Function, 'A'}, {"abs", K::Function, 'B'},  {"cbrt", K::Function, 'C'}, {"exp", K::Function, 'D'},
    {"pi", K::Constant, 0, std::numbers::pi}, {"e", K::Constant, 0, std::numbers::e},
}};

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
    const double dValue = ReadSum(0);
    if (m_result.Ok())
        RefuseRest();
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

const SCalcName *CCalcEvaluator::NameAt(std::size_t i) const
{
    const SCalcName *pBest = nullptr;
    for (const SCalcName &entry : kNames)
        if (m_strText.compare(i, entry.name.size(), entry.name) == 0 && (!pBest || entry.name.size() > pBest->name.size()))
            pBest = &entry;
    // In bases above 14 "e" is a digit, not the constant.
    if (pBest && pBest->kind == SCalcName::Constant && pBest->name == "e" && Base() > 14)
        return nullptr;
    return pBest;
}

bool CCalcEvaluator::IsDigitHere(char c) const { return DigitValue(c) < Base(); }

double CCalcEvaluator::ReadSum(int nDepth)
{
    double dValue = ReadTerm(nDepth);
    while (m_result.Ok()) {
        const char c = Peek();
        if (c != '+' && c != '-')
            break;
        ++m_nPos;
        const double r = ReadTerm(nDepth);
        dValue = c == '+' ? dValue + r : dValue - r;
    }
    return dValue;
}

double CCalcEvaluator::ReadTerm(int nDepth)
{
    double dValue = ReadSigned(nDepth);
    while (m_result.Ok()) {
        const char c = Peek();
        if (c == '*' || c == '/') {
            ++m_nPos;
            const double r = ReadSigned(nDepth);
            dValue = c == '*' ? dValue * r : dValue / r;
            continue;
        }
        const SCalcName *pName = IsLetter(c) ? NameAt(m_nPos) : nullptr;
        if (pName && pName->kind == SCalcName::Operator) {
            m_nPos += pName->name.size();
            const double r = ReadSigned(nDepth);
            dValue = pName->code == '@' ? Combinations(dValue, r) : Permutations(dValue, r);
            continue;
        }
        // A value written directly before a name or a bracket multiplies it,
        // as in the graph's syntax (2pi, 2(3), 3sin 30). A letter that is a
        // digit of the base starts a number: two numbers need an operator.
        if (c == '(' || (IsLetter(c) && (pName || (m_bSubstitute && c == 'x') || !IsDigitHere(c)))) {
            dValue *= ReadPower(nDepth);
            continue;
        }
        break;
    }
    return dValue;
}

double CCalcEvaluator::ReadSigned(int nDepth)
{
    bool bNegative = false;
    for (char c = Peek(); c == '-' || c == '+'; c = Peek()) {
        bNegative ^= c == '-';
        ++m_nPos;
    }
    const double dValue = ReadPower(nDepth);
    return bNegative ? -dValue : dValue;
}

double CCalcEvaluator::ReadPower(int nDepth)
{
    double dValue = ReadPostfix(nDepth);
    while (m_result.Ok() && Peek() == '^') {
        ++m_nPos;
        dValue = std::pow(dValue, ReadArgument(nDepth));
    }
    return dValue;
}

// The operand of a function, of "!" and of "^": a signed value with its
// postfix factorials, so sin 30^2 is (sin 30)^2 and 2^-3 is 2^(-3).
double CCalcEvaluator::ReadArgument(int nDepth)
{
    bool bNegative = false;
    for (char c = Peek(); c == '-' || c == '+'; c = Peek()) {
        bNegative ^= c == '-';
        ++m_nPos;
    }
    const double dValue = ReadPostfix(nDepth + 1);
    return bNegative ? -dValue : dValue;
}

double CCalcEvaluator::ReadPostfix(int nDepth)
{
    double dValue = ReadPrimary(nDepth);
    while (m_result.Ok() && Peek() == '!') {
        const std::size_t nAt = m_nPos++;
        dValue = FactorialAt(dValue, nAt);
    }
    return dValue;
}

double CCalcEvaluator::ReadPrimary(int nDepth)
{
    const char c = Peek();
    const std::size_t nAt = m_nPos;
    if (nDepth > kMaxDepth)
        return Fail(nAt, "nested too deeply");
    if (AtEnd())
        return Fail(nAt, "missing number");
    if (c == '(') {
        ++m_nPos;
        const double dValue = ReadSum(nDepth + 1);
        if (!m_result.Ok())
            return dValue;
        Peek();
        if (AtEnd())
            return Fail(m_nPos, "missing ')'");
        if (At(m_nPos) == ')') {
            ++m_nPos;
            return dValue;
        }
        RefuseRest();
        return kNaN;
    }
    if (c == '!') {
        ++m_nPos;
        const double dValue = ReadArgument(nDepth);
        return m_result.Ok() ? FactorialAt(dValue, nAt) : kNaN;
    }
    if (IsDigit(c) || c == '.')
        return ReadNumber();
    if (IsLetter(c)) {
        if (const SCalcName *pName = NameAt(nAt)) {
            if (pName->kind == SCalcName::Operator)
                return Fail(nAt, "missing number");
            m_nPos += pName->name.size();
            if (pName->kind == SCalcName::Constant)
                return pName->value;
            const double x = ReadArgument(nDepth);
            return m_result.Ok() ? ApplyFunction(pName->code, x, nAt) : kNaN;
        }
        if (m_bSubstitute && c == 'x') {
            ++m_nPos;
            return m_dX;
        }
        if (IsDigitHere(c))
            return ReadNumber();
        // The whole word, also the part a known name had taken (exp, sinx).
        std::size_t nStart = nAt, nEnd = nAt;
        while (nStart > 0 && IsLetter(At(nStart - 1)))
            --nStart;
        while (IsLetter(At(nEnd)))
            ++nEnd;
        return Fail(nStart, "unknown name '" + m_strText.substr(nStart, std::min<std::size_t>(nEnd - nStart, 24)) + "'");
    }
    if (c == ')' || std::string_view("+-*/^").find(c) != std::string_view::npos)
        return Fail(nAt, "missing number");
    RefuseRest();
    return kNaN;
}

// A number token, and a degrees-minutes-seconds literal D'M'S' (the minutes
// and seconds may be left out) as D + M/60 + S/3600.
double CCalcEvaluator::ReadNumber()
{
    double dValue = 0.0;
    if (!ReadToken(&dValue))
        return kNaN;
    if (At(m_nPos) != '\'')
        return dValue;
    ++m_nPos;
    double aParts[2] = {0.0, 0.0};
    for (double &dPart : aParts) {
        const std::size_t nSaved = m_nPos;
        const char c = At(m_nPos);
        double d = 0.0;
        if ((IsDigit(c) || c == '.' || (IsLetter(c) && IsDigitHere(c))) && ReadToken(&d) && At(m_nPos) == '\'') {
            dPart = d;
            ++m_nPos;
            continue;
        }
        if (m_result.Ok())
            m_nPos = nSaved;
        break;
    }
    return aParts[1] * 0.0002777777777777778 + aParts[0] * 0.016666666666666666 + dValue;
}

bool CCalcEvaluator::ReadToken(double *pValue)
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
        const bool bDigitLike = IsDigit(c) || (nBase > 10 && IsLetter(c) && !NameAt(e) && !(m_bSubstitute && c == 'x'));
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
            }
        }
        ReadDecimal(strToken.data(), strToken.data() + strToken.size(), *pValue, 'E');
    } else {
        CBaseNumber number;
        number.m_strInput = std::move(strToken);
        *pValue = number.ToDecimal(nBase);
    }
    m_nPos = e;
    return true;
}

double CCalcEvaluator::FactorialAt(double n, std::size_t nAt)
{
    if (!std::isnan(n) && (n < 0 || n != std::trunc(n)))
        return Fail(nAt, "factorial needs a whole number from 0 up");
    return Factorial(n);
}

double CCalcEvaluator::ApplyFunction(char code, double x, std::size_t nAt)
{
    const bool bDegrees = !m_bRadian;
    if (bDegrees && std::isfinite(x) && std::string_view("stuvwy").find(code) != std::string_view::npos) {
        const auto [s, c] = SinCosDegrees(x);
        const long double fractions[][2] = {{s, 1}, {c, 1}, {s, c}, {1, c}, {1, s}, {c, s}};
        const auto &f = fractions[std::string_view("stuvwy").find(code)];
        if (f[1] == 0) {
            char buf[64];
            std::snprintf(buf, sizeof buf, " %.16g is undefined", x);
            const auto it = std::find_if(kNames.begin(), kNames.end(), [code](const SCalcName &n) { return n.code == code; });
            return Fail(nAt, std::string(it->name) + buf);
        }
        return static_cast<double>(f[0] / f[1]);
    }
    const long double y = x;
    const auto angle = [bDegrees](long double a) { return bDegrees ? ToDegrees(a) : static_cast<double>(a); };
    switch (code) {
    case 's': return std::sin(x);
    case 't': return std::cos(x);
    case 'u': return std::tan(x);
    case 'v': return 1 / std::cos(x);
    case 'w': return 1 / std::sin(x);
    case 'y': return 1 / std::tan(x);
    case 'n': return angle(std::asin(y));
    case 'o': return angle(std::acos(y));
    case 'm': return angle(std::atan(y));
    case 'p': return angle(std::acos(1 / y));
    case 'q': return angle(std::asin(1 / y));
    case 'r': return angle(std::atan(1 / y));
    case 'g': return std::sinh(x);
    case 'h': return std::cosh(x);
    case 'i': return std::tanh(x);
    case 'j': return 1 / std::tanh(x);
    case 'k': return 1 / std::cosh(x);
    case 'l': return 1 / std::sinh(x);
    case 'a': return std::asinh(x);
    case 'b': return std::acosh(x);
    case 'c': return std::atanh(x);
    case 'd': return std::acosh(1 / x);
    case 'e': return std::asinh(1 / x);
    case 'f': return std::atanh(1 / x);
    case 'z': return std::log(x);
    case '{': return std::log10(x);
    case 'A': return std::sqrt(x);
    case 'B': return std::fabs(x);
    case 'C': return std::cbrt(x);
    case 'D': return std::exp(x);
    default: return kNaN;
    }
}

double CCalcEvaluator::Factorial(double n)
{
    if (std::isnan(n) || n < 0 || n != std::trunc(n))
        return kNaN;
    if (n > 170)
        return std::numeric_limits<double>::infinity();
    return ExactFactorial(static_cast<int>(n));
}

double CCalcEvaluator::Permutations(double n, double r)
{
    if (std::isnan(n) || std::isnan(r))
        return kNaN;
    r = std::trunc(r);
    if (r == 0)
        return 1.0;
    if (r < 0)
        return kNaN;
    if (r <= 1)
        return std::trunc(n) + 0.0;
    double p = std::trunc(n);
    double d = n;
    // Once the product is 0 or infinite it stays so: a huge r ends early.
    for (double k = 1; k < r && p != 0 && std::isfinite(p); ++k) {
        d -= 1;
        p = std::trunc(p * d) + 0.0;  // an integer has no negative zero: -0.5 truncates to 0
    }
    return p;
}

double CCalcEvaluator::Combinations(double n, double r) { return Permutations(n, r) / Factorial(std::trunc(r)); }

SCalcResult EvaluateCalcText(const std::string &strText, bool bRadian, int nTokenBase)
{
    CCalcEvaluator evaluator(strText);
    evaluator.SetRadian(bRadian);
    evaluator.SetBase(nTokenBase);
    return evaluator.Calculate(false, 0.0);
}
