#include "core/calc/CalcEvaluator.h"

#include "core/calc/BaseNumber.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kDegToRad = 0.017453292519943295;
constexpr double kRadToDeg = 57.29577951308232;
// Deeper nesting than anyone types; it keeps the recursive reader off the
// end of the stack.
constexpr int kMaxDepth = 1000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsOperator(char c)
{
    return c == '+' || c == '-' || c == '*' || c == '/' || c == '^' || c == '@' || c == '$';
}
bool IsOperand(char c) { return IsDigit(c) || c == '.' || c == '_' || IsLower(c) || c == '{' || c == '!' || IsCapital(c); }
bool IsNumberChar(char c) { return IsDigit(c) || c == '.' || c == '_' || IsCapital(c); }
bool IsFunctionCode(char c) { return IsLower(c) || c == '{'; }
bool IsPrefixCode(char c) { return IsFunctionCode(c) || c == '!'; }

int Priority(char c)
{
    switch (c) {
    case '^': return 4;
    case '*': case '/': case '@': case '$': return 3;
    case '(': case ')': return 2;
    case '+': case '-': return 1;
    default: return 0;
    }
}

struct SName {
    std::string_view name;
    std::string_view code;
};

// Names in the order of their codes; the longest name that matches at a
// place wins, and codes already written are never read again, so names
// side by side cannot spell another name.
constexpr std::array<SName, 30> kNames{{
    {"ncr", "@"},    {"npr", "$"},    {"asinh", "a"}, {"acosh", "b"}, {"atanh", "c"}, {"asech", "d"},
    {"acsch", "e"},  {"acoth", "f"},  {"sinh", "g"},  {"cosh", "h"},  {"tanh", "i"},  {"coth", "j"},
    {"sech", "k"},   {"csch", "l"},   {"atan", "m"},  {"asin", "n"},  {"acos", "o"},  {"asec", "p"},
    {"acsc", "q"},   {"acot", "r"},   {"sin", "s"},   {"cos", "t"},   {"tan", "u"},   {"sec", "v"},
    {"csc", "w"},    {"cot", "y"},    {"ln", "z"},    {"pi", "3.14159265358979323"},
    {"log", "{"},    {"e", "2.718281828"},
}};

// A minus sign after another is unary and wraps its operand in (_1*...), so
// two of them in a row give a number back exactly. Dropping such pairs
// (the innermost of a run keeps its place: it decides how far the operand
// reaches) keeps a long run from costing a rewrite and a nesting level each.
void DropMinusPairs(std::string &t)
{
    std::string out;
    out.reserve(t.size());
    for (std::size_t i = 0; i < t.size();) {
        std::size_t j = i;
        while (j < t.size() && t[j] == '-')
            ++j;
        // Only before a plain number (no power of it): the bracket inserter
        // reads other operands, malformed ones above all, by their shape.
        std::size_t k = j;
        while (k < t.size() && IsNumberChar(t[k]))
            ++k;
        if (j == i || k == j || (k < t.size() && t[k] == '^')) {
            out.append(t, i, std::max(j, i + 1) - i);
            i = std::max(j, i + 1);
            continue;
        }
        const std::size_t nAfterFirst = j - i - 1;
        out.append(1 + (nAfterFirst == 0 ? 0 : nAfterFirst % 2 == 1 ? 1 : 2), '-');
        i = j;
    }
    t = std::move(out);
}

// Index one past the bracket group that opens at i (the end when unclosed).
std::size_t GroupEnd(const std::string &t, std::size_t i)
{
    int nDepth = 0;
    for (; i < t.size(); ++i) {
        if (t[i] == '(')
            ++nDepth;
        else if (t[i] == ')' && --nDepth == 0)
            return i + 1;
    }
    return t.size();
}

// One operand after a unary minus: prefix codes, then a bracket group or a
// number token.
std::size_t PrimaryEnd(const std::string &t, std::size_t j)
{
    while (j < t.size() && IsPrefixCode(t[j]))
        ++j;
    if (j < t.size() && t[j] == '(')
        return GroupEnd(t, j);
    while (j < t.size() && IsNumberChar(t[j]))
        ++j;
    return j;
}

// The leading decimal number of a text ("-", digits, ".", digits, "E",
// "-", digits); anything else reads as 0, an overflow as infinity.
double ReadDecimal(std::string_view s)
{
    std::size_t n = 0;
    if (n < s.size() && s[n] == '-')
        ++n;
    const std::size_t mantissa = n;
    int nDigits = 0, nLead = 0;
    bool bSeenNonZero = false;
    while (n < s.size() && IsDigit(s[n])) {
        bSeenNonZero |= s[n] != '0';
        nLead += bSeenNonZero;
        ++n, ++nDigits;
    }
    if (n < s.size() && s[n] == '.') {
        ++n;
        while (n < s.size() && IsDigit(s[n])) {
            if (!bSeenNonZero && s[n] == '0')
                --nLead;
            bSeenNonZero |= s[n] != '0';
            ++n, ++nDigits;
        }
    }
    if (nDigits == 0)
        return 0.0;
    long long nExponent = 0;
    if (n + 1 < s.size() && s[n] == 'E') {
        std::size_t e = n + 1;
        const bool bNegative = s[e] == '-';
        if (bNegative)
            ++e;
        if (e < s.size() && IsDigit(s[e])) {
            for (; e < s.size() && IsDigit(s[e]); ++e)
                nExponent = std::min(nExponent * 10 + (s[e] - '0'), 100000LL);
            if (bNegative)
                nExponent = -nExponent;
            n = e;
        }
    }
    double dValue = 0.0;
    const auto result = std::from_chars(s.data(), s.data() + n, dValue, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        const bool bNegative = mantissa == 1;
        const double dMagnitude = nLead + nExponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        return bNegative ? -dMagnitude : dMagnitude;
    }
    return dValue;
}

}  // namespace

CCalcEvaluator::CCalcEvaluator(std::string strText) : m_strSource(strText), m_strWork(std::move(strText)) {}

double CCalcEvaluator::Evaluate(bool bSubstitute, double x)
{
    if (bSubstitute)
        Substitute(x);
    std::erase(m_strWork, ' ');
    ConvertDmsLiteral();
    ReplaceNames();
    RewriteUnaryMinus();
    InsertBrackets();
    m_nPosition = 0;
    m_nBracketPending = 0;
    return ReadExpression(0);
}

// The value goes in as a bracketed plain number; an "x" written beside a
// number, a bracket or a name is a product, as in the graph's syntax.
void CCalcEvaluator::Substitute(double x)
{
    m_strScratch = "(" + NumberToken(x) + ")";
    std::string strResult;
    const std::string &t = m_strSource;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] != 'x') {
            strResult += t[i];
            continue;
        }
        std::size_t p = strResult.find_last_not_of(' ');
        if (p != std::string::npos) {
            const char c = strResult[p];
            if (IsDigit(c) || c == '.' || c == ')' || IsCapital(c))
                strResult += '*';
        }
        strResult += m_strScratch;
        const std::size_t q = t.find_first_not_of(' ', i + 1);
        if (q != std::string::npos) {
            const char c = t[q];
            if (IsDigit(c) || c == '.' || c == '(' || IsLower(c) || IsCapital(c))
                strResult += '*';
        }
    }
    m_strWork = std::move(strResult);
}

// D'M'S' becomes D + M/60 + S/3600; with fewer apostrophes the parts that
// are missing count as 0.
void CCalcEvaluator::ConvertDmsLiteral()
{
    std::string &t = m_strWork;
    const std::size_t p1 = t.find('\'');
    if (p1 == std::string::npos)
        return;
    std::size_t start = p1;
    while (start > 0 && (IsDigit(t[start - 1]) || t[start - 1] == '.' || IsCapital(t[start - 1])))
        --start;
    const std::size_t p2 = t.find('\'', p1 + 1);
    const std::size_t p3 = p2 == std::string::npos ? std::string::npos : t.find('\'', p2 + 1);
    const double d = ReadToken(t.substr(start, p1 - start));
    double m = 0.0, s = 0.0;
    std::size_t end = p1 + 1;
    if (p2 != std::string::npos) {
        m = ReadToken(t.substr(p1 + 1, p2 - p1 - 1));
        end = p2 + 1;
    }
    if (p3 != std::string::npos) {
        s = ReadToken(t.substr(p2 + 1, p3 - p2 - 1));
        end = p3 + 1;
    }
    const double dValue = s * 0.0002777777777777778 + m * 0.016666666666666666 + d;
    t.replace(start, end - start, NumberToken(dValue));
}

void CCalcEvaluator::ReplaceNames()
{
    const std::string &t = m_strWork;
    std::string strResult;
    strResult.reserve(t.size());
    for (std::size_t i = 0; i < t.size();) {
        // The exponent of a decimal number keeps its sign: 1.5e-07 is one number.
        if (m_nBase == -1 && (t[i] == 'e' || t[i] == 'E') && !strResult.empty() &&
            (IsDigit(strResult.back()) || strResult.back() == '.')) {
            std::size_t j = i + 1;
            const char sign = j < t.size() && (t[j] == '-' || t[j] == '+') ? t[j++] : '\0';
            if (j < t.size() && IsDigit(t[j])) {
                strResult += sign == '-' ? "E_" : "E";
                i = j;
                continue;
            }
        }
        const SName *pBest = nullptr;
        for (const SName &entry : kNames)
            if (t.compare(i, entry.name.size(), entry.name) == 0 && (!pBest || entry.name.size() > pBest->name.size()))
                pBest = &entry;
        if (pBest) {
            strResult += pBest->code;
            i += pBest->name.size();
        } else {
            strResult += t[i++];
        }
    }
    m_strWork = std::move(strResult);
}

// A unary minus becomes "_1*" (minus one times). At the start or after "("
// it stays unbracketed, so -3^2 is -9; after an operator or a function the
// negated operand is bracketed, so 2^-3 and 2/-4 keep their operand whole.
// Right to left, so inner minus signs are already rewritten.
void CCalcEvaluator::RewriteUnaryMinus()
{
    std::string &t = m_strWork;
    DropMinusPairs(t);
    for (std::size_t p = t.size(); p-- > 0;) {
        if (t[p] != '-')
            continue;
        const char left = p > 0 ? t[p - 1] : '\0';
        if (IsDigit(left) || left == ')' || left == '.' || IsCapital(left))
            continue;
        if (p == 0 || left == '(') {
            t.replace(p, 1, "_1*");
            continue;
        }
        std::size_t end = PrimaryEnd(t, p + 1);
        if (left != '^')
            while (end < t.size() && t[end] == '^')
                end = PrimaryEnd(t, end + 1);
        t.insert(end, ")");
        t.replace(p, 1, "(_1*");
    }
}

void CCalcEvaluator::InsertBrackets()
{
    const std::string &t = m_strWork;
    std::size_t i = 0;
    while (true) {
        while (i < t.size() && !IsOperator(t[i]))
            ++i;
        if (i >= t.size())
            return;
        std::size_t left = i == 0 ? 0 : i - 1;
        while (left > 0 && IsOperand(t[left]))
            --left;
        const std::size_t k = InsertLeft(i, left);
        std::size_t right = k + 1;
        if (right >= t.size())
            return;
        while (IsOperand(t[right])) {
            if (right == t.size() - 1)
                return;  // the reader ends the last group at the end of the text
            ++right;
        }
        i = InsertRight(k, right);
    }
}

std::size_t CCalcEvaluator::InsertLeft(std::size_t op, std::size_t edge)
{
    std::string &t = m_strWork;
    std::size_t e = edge;
    if (t[e] == ')') {
        // The whole group, and a function code just before it, is the operand.
        std::ptrdiff_t j = static_cast<std::ptrdiff_t>(e);
        for (int nDepth = 0; j >= 0; --j) {
            if (t[j] == ')')
                ++nDepth;
            else if (t[j] == '(' && --nDepth == 0)
                break;
        }
        if (j > 0 && IsFunctionCode(t[j - 1]))
            --j;
        e = j > 0 ? static_cast<std::size_t>(j - 1) : 0;
    }
    if (Priority(t[op]) > Priority(t[e])) {
        t.insert(e == 0 ? 0 : e + 1, 1, '(');
        return op + 1;
    }
    return op;
}

std::size_t CCalcEvaluator::InsertRight(std::size_t op, std::size_t edge)
{
    std::string &t = m_strWork;
    std::size_t e = edge;
    if (t[e] == '(')
        e = std::min(GroupEnd(t, e), t.size() - 1);
    if (Priority(t[op]) > Priority(t[e])) {
        t.insert(e, 1, ')');
        return edge + 1;
    }
    return edge;
}

double CCalcEvaluator::ReadExpression(int nDepth)
{
    const std::size_t n = m_strWork.size();
    if (nDepth > kMaxDepth) {
        m_nPosition = static_cast<std::int32_t>(n);
        return kNaN;
    }
    double dAccumulator = 0.0;
    while (true) {
        char op = At(m_nPosition);
        if (IsOperator(op))
            ++m_nPosition;
        else
            op = '\0';
        double dValue = ReadFactor(nDepth + 1);
        if (m_nBracketPending) {
            m_nBracketPending = 0;
            dValue = ReadExpression(nDepth + 1);
        }
        switch (op) {
        case '+': dAccumulator += dValue; break;
        case '-': dAccumulator -= dValue; break;
        case '*': dAccumulator *= dValue; break;
        case '/': dAccumulator /= dValue; break;
        case '^': dAccumulator = std::pow(dAccumulator, dValue); break;
        case '@': dAccumulator = Combinations(dAccumulator, dValue); break;
        case '$': dAccumulator = Permutations(dAccumulator, dValue); break;
        default: dAccumulator = dValue; break;
        }
        if (static_cast<std::size_t>(m_nPosition) >= n || At(m_nPosition) == ')' || At(m_nPosition) == '\0')
            break;
    }
    if (static_cast<std::size_t>(m_nPosition) < n)
        ++m_nPosition;
    return dAccumulator;
}

double CCalcEvaluator::ReadFactor(int nDepth)
{
    const std::size_t n = m_strWork.size();
    const std::size_t pos = m_nPosition;
    if (nDepth > kMaxDepth || pos >= n) {
        // Nothing left to read: an incomplete expression.
        m_nPosition = static_cast<std::int32_t>(n);
        return kNaN;
    }
    const char c = m_strWork[pos];
    if (c == '(') {
        ++m_nPosition;
        m_nBracketPending = 1;
        return 0.0;
    }
    std::size_t end = pos;
    while (end < n && IsNumberChar(m_strWork[end]))
        ++end;
    if (end == pos) {
        double dArgument;
        if (At(pos + 1) == '(') {
            m_nPosition += 2;
            dArgument = ReadExpression(nDepth + 1);
        } else {
            ++m_nPosition;
            dArgument = ReadFactor(nDepth + 1);
        }
        return ApplyFunction(c, dArgument, m_bRadian);
    }
    m_nPosition = static_cast<std::int32_t>(end);
    return ReadToken(m_strWork.substr(pos, end - pos));
}

std::string CCalcEvaluator::NumberToken(double dValue) const
{
    if (!std::isfinite(dValue)) {
        // No digits for these; "1/0" and "0/0" read back as them.
        return std::isnan(dValue) ? "(0/0)" : dValue > 0 ? "(1/0)" : "(-1/0)";
    }
    if (m_nBase != -1) {
        CBaseNumber number;
        number.FromDecimal(dValue, m_nBase);
        return number.m_strOutput;
    }
    char buf[400];
    const auto result = std::to_chars(buf, buf + sizeof buf, dValue, std::chars_format::fixed);
    return std::string(buf, result.ptr);
}

double CCalcEvaluator::ReadToken(std::string strToken) const
{
    if (!strToken.empty() && strToken.front() == '_')
        strToken.front() = '-';
    if (m_nBase == -1) {
        for (std::size_t i = 1; i < strToken.size(); ++i)
            if (strToken[i] == '_' && strToken[i - 1] == 'E')
                strToken[i] = '-';
        return ReadDecimal(strToken);
    }
    CBaseNumber number;
    number.m_strInput = std::move(strToken);
    return number.ToDecimal(m_nBase);
}

double CCalcEvaluator::Factorial(double n)
{
    if (std::isnan(n))
        return n;
    if (n == 0)
        return 1.0;
    if (n > 170)
        return std::numeric_limits<double>::infinity();
    const double m = std::trunc(n - 1);
    if (m < 1)
        return n;
    double p = n;
    for (double k = m; k >= 1; --k)
        p *= k;
    return p;
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

double CCalcEvaluator::Combinations(double n, double r) { return Permutations(n, r) / Factorial(r); }

double CCalcEvaluator::ApplyFunction(char code, double x, bool bRadian)
{
    const double a = bRadian ? x : x * kDegToRad;
    const double k = bRadian ? 1.0 : kRadToDeg;
    switch (code) {
    case 's': return std::sin(a);
    case 't': return std::cos(a);
    case 'u': return std::tan(a);
    case 'v': return 1 / std::cos(a);
    case 'w': return 1 / std::sin(a);
    case 'y': return 1 / std::tan(a);
    case 'n': return std::asin(x) * k;
    case 'o': return std::acos(x) * k;
    case 'm': return std::atan(x) * k;
    case 'p': return std::acos(1 / x) * k;
    case 'q': return std::asin(1 / x) * k;
    case 'r': return std::atan(1 / x) * k;
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
    case '!': return Factorial(x);
    default: return kNaN;
    }
}

double EvaluateCalcText(const std::string &strText, bool bRadian, int nTokenBase)
{
    CCalcEvaluator evaluator(strText);
    evaluator.SetRadian(bRadian);
    evaluator.SetBase(nTokenBase);
    return evaluator.Evaluate(false, 0.0);
}
