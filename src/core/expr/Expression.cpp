#include "core/expr/Expression.h"

#include "core/expr/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::size_t kBatch = 256;

// Longer names first: each must be replaced before the names it contains.
constexpr SFunctionName kFunctionNames[] = {
    {"asinh", 'S'}, {"acosh", 'T'}, {"atanh", 'U'}, {"acoth", 'V'}, {"asech", 'W'}, {"acsch", 'X'},
    {"sinh", 'M'},  {"cosh", 'N'},  {"tanh", 'O'},  {"coth", 'P'},  {"sech", 'Q'},  {"csch", 'R'},
    {"asin", 'G'},  {"acos", 'H'},  {"atan", 'I'},  {"acot", 'J'},  {"acsc", 'K'},  {"asec", 'L'},
    {"sin", 'A'},   {"cos", 'B'},   {"tan", 'C'},   {"cot", 'D'},   {"csc", 'E'},   {"sec", 'F'},
    {"ln", 'Y'},    {"log", 'Z'},
};

constexpr const char *kPi = "3.141592654";
constexpr const char *kE = "2.718281828";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }
bool IsOperand(char c) { return IsDigit(c) || c == '.' || c == 'x'; }
bool IsBinary(char c) { return c == '+' || c == '-' || c == '*' || c == '/' || c == '^'; }
bool IsUnary(char c) { return c == '~' || IsCapital(c); }
// sin, cos, tan, cot, csc, sec read their argument in degrees when asked.
bool IsAngular(char c) { return c >= 'A' && c <= 'F'; }

// Every step of the coding is one linear pass: texts of hundreds of
// thousands of characters (second derivatives) must not take quadratic time.
void ReplaceAll(std::string &s, std::string_view from, std::string_view to)
{
    std::size_t pos = s.find(from);
    if (pos == std::string::npos)
        return;
    std::string out;
    out.reserve(s.size() + s.size() / from.size() * to.size());
    std::size_t done = 0;
    for (; pos != std::string::npos; pos = s.find(from, done)) {
        out.append(s, done, pos - done);
        out += to;
        done = pos + from.size();
    }
    out.append(s, done);
    s.swap(out);
}

bool NeedsProduct(char c, char n)
{
    if (IsOperand(c) && (n == 'x' || n == '(' || n == 'e'))
        return true;
    if (c == 'x' && (IsDigit(n) || n == '.' || n == 'x' || n == '('))
        return true;
    if (IsOperand(c) && (n == '~' || IsCapital(n)))
        return true;
    return c == ')' && (n == '~' || IsCapital(n));
}

int Precedence(char c)
{
    switch (c) {
    case '(':
        return 0;
    case '+':
    case '-':
        return 1;
    case '*':
    case '/':
        return 2;
    case '^':
    case '~':
        return 3;
    default:
        return IsCapital(c) ? 3 : -1;
    }
}

}  // namespace

std::span<const SFunctionName> FunctionNames() { return kFunctionNames; }

double ApplyFunctionCode(char code, double v, double k)
{
    switch (code) {
    case '~': return -v;
    case 'A': return std::sin(k * v);
    case 'B': return std::cos(k * v);
    case 'C': return std::tan(k * v);
    case 'D': return 1.0 / std::tan(k * v);
    case 'E': return 1.0 / std::sin(k * v);
    case 'F': return 1.0 / std::cos(k * v);
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
    // The inverse hyperbolics use the library functions rather than their
    // logarithmic formulas, which cancel or overflow for large |v|.
    case 'S': return std::asinh(v);
    case 'T': return std::acosh(v);
    case 'U': return std::atanh(v);
    case 'V': return std::atanh(1.0 / v);
    case 'W': return std::acosh(1.0 / v);
    case 'X': return std::asinh(1.0 / v);
    case 'Y': return std::log(v);
    case 'Z': return std::log10(v);
    default: return kNaN;
    }
}

namespace {

double ApplyBinary(char code, double l, double r)
{
    switch (code) {
    case '+': return l + r;
    case '-': return l - r;
    case '*': return l * r;
    case '/': return l / r;
    case '^': return std::pow(l, r);
    default: return 0.0;
    }
}

// pi/180 from asin(0.5), so degree results match the constant the user sees.
const double kDegree = std::asin(0.5) * 6.0 * (1.0 / 180.0);

double AngleFactor(bool degree) { return degree ? kDegree : 1.0; }

// In a Qt process the upper halves of the vector registers are often left
// dirty (lazy symbol binding restores them), and every SSE instruction of the
// evaluator then pays an AVX transition penalty: bulk evaluation ran five to
// six times slower. Clearing them once per batch costs nothing.
void ClearUpperVectorState()
{
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        asm volatile("vzeroupper" ::: "memory");
#endif
}

}  // namespace

// One list for the enumeration and the dispatch table of Run.
#define CORVANTA_OPS(X)                                                          \
    X(PushC) X(PushX)                                                            \
    X(Add) X(Sub) X(Mul) X(Div) X(Pow) X(Other)      /* both operands stacked */ \
    X(AddC) X(SubC) X(MulC) X(DivC) X(PowC)          /* right operand constant */\
    X(AddX) X(SubX) X(MulX) X(DivX) X(PowX)          /* right operand x */       \
    X(XAddC) X(XSubC) X(XMulC) X(XDivC) X(XPowC)     /* push x op constant */    \
    X(CAddX) X(CSubX) X(CMulX) X(CDivX) X(CPowX)     /* push constant op x */    \
    X(Sqr) X(XSqr)                                   /* ^2, pushing x^2 */       \
    X(Neg)                                                                       \
    X(FnA) X(FnB) X(FnC) X(FnD) X(FnE) X(FnF) X(FnG) X(FnH) X(FnI) X(FnJ)        \
    X(FnK) X(FnL) X(FnM) X(FnN) X(FnO) X(FnP) X(FnQ) X(FnR) X(FnS) X(FnT)        \
    X(FnU) X(FnV) X(FnW) X(FnX) X(FnY) X(FnZ)                                    \
    X(End)

enum class CExpression::Op : std::uint8_t {
#define CORVANTA_ENUM(name) name,
    CORVANTA_OPS(CORVANTA_ENUM)
#undef CORVANTA_ENUM
};

namespace {

// The top of the stack lives in t; s holds the values beneath it. Threaded
// dispatch: every instruction jumps straight to the next one's code, and the
// program always ends with End. Programs without library calls run in a copy
// that makes none, so it needs no registers saved: that matters for x^2.
template <bool kCalls>
double RunProgram(const CExpression::Instr *p, double *s, double x, double k)
{
    static const void *const kLabels[] = {
#define CORVANTA_LABEL(name) &&L_##name,
        CORVANTA_OPS(CORVANTA_LABEL)
#undef CORVANTA_LABEL
    };
    std::size_t n = 0;
    double t = kNaN;
#define NEXT goto *kLabels[static_cast<int>((++p)->op)]
#define CALL(statement)     \
    if constexpr (kCalls) { \
        statement           \
    }
    goto *kLabels[static_cast<int>(p->op)];
L_PushC: s[n++] = t; t = p->value; NEXT;
L_PushX: s[n++] = t; t = x; NEXT;
L_Add: t = s[--n] + t; NEXT;
L_Sub: t = s[--n] - t; NEXT;
L_Mul: t = s[--n] * t; NEXT;
L_Div: t = s[--n] / t; NEXT;
L_Pow: CALL(t = std::pow(s[--n], t);) NEXT;
L_Other: --n; t = 0.0; NEXT;
L_AddC: t = t + p->value; NEXT;
L_SubC: t = t - p->value; NEXT;
L_MulC: t = t * p->value; NEXT;
L_DivC: t = t / p->value; NEXT;
L_PowC: CALL(t = std::pow(t, p->value);) NEXT;
L_AddX: t = t + x; NEXT;
L_SubX: t = t - x; NEXT;
L_MulX: t = t * x; NEXT;
L_DivX: t = t / x; NEXT;
L_PowX: CALL(t = std::pow(t, x);) NEXT;
L_XAddC: s[n++] = t; t = x + p->value; NEXT;
L_XSubC: s[n++] = t; t = x - p->value; NEXT;
L_XMulC: s[n++] = t; t = x * p->value; NEXT;
L_XDivC: s[n++] = t; t = x / p->value; NEXT;
L_XPowC: CALL(s[n++] = t; t = std::pow(x, p->value);) NEXT;
L_CAddX: s[n++] = t; t = p->value + x; NEXT;
L_CSubX: s[n++] = t; t = p->value - x; NEXT;
L_CMulX: s[n++] = t; t = p->value * x; NEXT;
L_CDivX: s[n++] = t; t = p->value / x; NEXT;
L_CPowX: CALL(s[n++] = t; t = std::pow(p->value, x);) NEXT;
L_Sqr: t = t * t; NEXT;
L_XSqr: s[n++] = t; t = x * x; NEXT;
L_Neg: t = -t; NEXT;
L_FnA: CALL(t = std::sin(k * t);) NEXT;
L_FnB: CALL(t = std::cos(k * t);) NEXT;
L_FnC: CALL(t = std::tan(k * t);) NEXT;
L_FnD: CALL(t = ApplyFunctionCode('D', t, k);) NEXT;
L_FnE: CALL(t = ApplyFunctionCode('E', t, k);) NEXT;
L_FnF: CALL(t = ApplyFunctionCode('F', t, k);) NEXT;
L_FnG: CALL(t = std::asin(t);) NEXT;
L_FnH: CALL(t = std::acos(t);) NEXT;
L_FnI: CALL(t = std::atan(t);) NEXT;
L_FnJ: CALL(t = ApplyFunctionCode('J', t, k);) NEXT;
L_FnK: CALL(t = ApplyFunctionCode('K', t, k);) NEXT;
L_FnL: CALL(t = ApplyFunctionCode('L', t, k);) NEXT;
L_FnM: CALL(t = std::sinh(t);) NEXT;
L_FnN: CALL(t = std::cosh(t);) NEXT;
L_FnO: CALL(t = std::tanh(t);) NEXT;
L_FnP: CALL(t = ApplyFunctionCode('P', t, k);) NEXT;
L_FnQ: CALL(t = ApplyFunctionCode('Q', t, k);) NEXT;
L_FnR: CALL(t = ApplyFunctionCode('R', t, k);) NEXT;
L_FnS: CALL(t = ApplyFunctionCode('S', t, k);) NEXT;
L_FnT: CALL(t = ApplyFunctionCode('T', t, k);) NEXT;
L_FnU: CALL(t = ApplyFunctionCode('U', t, k);) NEXT;
L_FnV: CALL(t = ApplyFunctionCode('V', t, k);) NEXT;
L_FnW: CALL(t = ApplyFunctionCode('W', t, k);) NEXT;
L_FnX: CALL(t = ApplyFunctionCode('X', t, k);) NEXT;
L_FnY: CALL(t = std::log(t);) NEXT;
L_FnZ: CALL(t = std::log10(t);) NEXT;
L_End:
#undef NEXT
#undef CALL
    return t;
}

}  // namespace


std::string CodeExpression(const std::string &text)
{
    std::string s;
    s.reserve(text.size() + 16);
    for (char c : text)
        if (c != ' ')
            s += c;

    // Unary minus, decided before names are coded so that "pi-1" and "e-1" subtract.
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '-')
            continue;
        bool binary = false;
        if (i > 0) {
            char p = s[i - 1];
            binary = IsOperand(p) || p == ')' || p == 'e' || (i >= 2 && p == 'i' && s[i - 2] == 'p');
        }
        if (!binary)
            s[i] = '~';
    }

    for (const auto &f : kFunctionNames)
        ReplaceAll(s, f.name, std::string_view(&f.code, 1));

    // "pi", with a '*' when it follows a number or x (2pi is 2 times pi).
    if (s.find("pi") != std::string::npos) {
        std::string out;
        out.reserve(s.size() * 2);
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (s.compare(i, 2, "pi") == 0) {
                if (!out.empty() && IsOperand(out.back()))
                    out += '*';
                out += kPi;
                ++i;
            } else {
                out += s[i];
            }
        }
        s.swap(out);
    }

    // Implicit products. An inserted '*' starts no rule of its own, so one
    // pass over the pairs of the text gives what inserting in place would.
    if (s.size() >= 2) {
        std::string out;
        out.reserve(s.size() * 2);
        for (std::size_t i = 0; i < s.size(); ++i) {
            out += s[i];
            if (i + 1 < s.size() && NeedsProduct(s[i], s[i + 1]))
                out += '*';
        }
        s.swap(out);
    }

    ReplaceAll(s, "e", kE);
    return s;
}

int CheckSyntax(const std::string &s)
{
    const std::size_t n = s.size();
    if (n == 0)
        return 3;
    int depth = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const char c = s[i];
        if (c == '(') {
            ++depth;
            continue;
        }
        if (c == ')') {
            --depth;
            continue;
        }
        if (!(c == 'x' || IsCapital(c) || IsDigit(c) || IsBinary(c) || c == '~' || c == '.' || c == 'e'))
            return 1;
        if (IsBinary(c)) {
            if (i == 0 || i == n - 1)
                return 2;
            const char p = s[i - 1];
            if (!(p == 'e' || p == 'x' || IsDigit(p) || p == ')') || s[i + 1] == ')')
                return 2;
        } else if (IsUnary(c)) {
            if (i == n - 1 || s[i + 1] == ')')
                return 2;
        }
    }
    return depth == -1 ? 0 : 3;
}

CExpression::CExpression() : m_dResult(kNaN) { SetUndefined(); }

// A program that evaluates to NaN, so Run needs no test of its own.
void CExpression::SetUndefined()
{
    m_aProgram.assign({{Op::PushC, kNaN}, {Op::End, 0.0}});
    m_nMaxDepth = 1;
    m_bCalls = false;
    m_aStack.assign(2, 0.0);
    m_aBatch.clear();
}

CExpression::~CExpression() = default;

void CExpression::SetExpression(const std::string &text)
{
    m_strText = text;
    Compile();
}

void CExpression::Compile()
{
    m_strCoded = CodeExpression(m_strText) + ')';
    BuildPostfix();
    Tokenise();
    BuildProgram();
}

void CExpression::BuildPostfix()
{
    std::vector<char> ops{'('};
    m_strPostfix.clear();
    m_strPostfix.reserve(m_strCoded.size() * 2 + 2);
    for (char c : m_strCoded) {
        if (IsOperand(c)) {
            m_strPostfix += c;
            continue;
        }
        m_strPostfix += ' ';
        if (c == '(') {
            ops.push_back(c);
        } else if (c == ')') {
            while (!ops.empty()) {
                char t = ops.back();
                ops.pop_back();
                if (t == '(')
                    break;
                m_strPostfix += t;
            }
        } else {
            const int pc = Precedence(c);
            while (!ops.empty()) {
                const char t = ops.back();
                const int pt = Precedence(t);
                if (pt < pc)
                    break;
                if (pt == pc && (c == '^' || IsUnary(c)))
                    break;
                m_strPostfix += t;
                ops.pop_back();
            }
            ops.push_back(c);
        }
    }
    m_strPostfix.insert(m_strPostfix.begin(), ' ');
}

void CExpression::Tokenise()
{
    m_aTokenValues.clear();
    m_aTokenCodes.clear();
    m_aXPositions.clear();
    const char *p = m_strPostfix.data();
    const char *end = p + m_strPostfix.size();
    for (++p; p < end;) {
        const char c = *p;
        if (c == ' ') {
            ++p;
        } else if (IsDigit(c) || c == '.') {
            double v = 0.0;
            p += ReadDecimal(p, end, v);
            m_aTokenValues.push_back(v);
            m_aTokenCodes.push_back(0);
        } else if (c == 'x') {
            m_aXPositions.push_back(m_aTokenValues.size());
            m_aTokenValues.push_back(0.0);
            m_aTokenCodes.push_back(0);
            ++p;
        } else {
            m_aTokenValues.push_back(kNaN);
            m_aTokenCodes.push_back(c);
            ++p;
        }
    }
}

void CExpression::BuildProgram()
{
    m_aProgram.clear();
    m_aBatch.clear();
    m_nMaxDepth = 0;

    // The stack depth does not depend on x, so a list that would run out of
    // operands or leave some over is recognised here, once.
    std::size_t depth = 0;
    m_bWellFormed = true;
    for (char code : m_aTokenCodes) {
        if (code == 0) {
            m_nMaxDepth = std::max(m_nMaxDepth, ++depth);
        } else if (IsUnary(code)) {
            m_bWellFormed = m_bWellFormed && depth >= 1;
        } else {
            m_bWellFormed = m_bWellFormed && depth >= 2;
            depth = depth > 0 ? depth - 1 : 0;
        }
    }
    m_bWellFormed = m_bWellFormed && depth == 1;
    if (!m_bWellFormed) {
        SetUndefined();
        return;
    }

    m_aProgram.reserve(m_aTokenCodes.size());
    std::size_t xi = 0;
    for (std::size_t i = 0; i < m_aTokenCodes.size(); ++i) {
        const bool isX = xi < m_aXPositions.size() && m_aXPositions[xi] == i;
        xi += isX ? 1 : 0;
        Emit(m_aTokenCodes[i], m_aTokenValues[i], isX);
    }
    m_aProgram.push_back({Op::End, 0.0});
    m_bCalls = std::any_of(m_aProgram.begin(), m_aProgram.end(), [](const Instr &in) {
        return in.op == Op::Pow || in.op == Op::PowC || in.op == Op::PowX || in.op == Op::XPowC ||
               in.op == Op::CPowX || (in.op >= Op::FnA && in.op <= Op::FnZ);
    });
    m_aStack.assign(m_nMaxDepth + 1, 0.0);
}

// Appends one token, folding constants and fusing a trailing operand into the
// operator. Only exact rewrites: every result is the one the plain stack walk
// would compute.
void CExpression::Emit(char code, double value, bool isX)
{
    auto &prog = m_aProgram;
    const std::size_t n = prog.size();
    if (code == 0) {
        prog.push_back({isX ? Op::PushX : Op::PushC, isX ? 0.0 : value});
        return;
    }
    if (IsUnary(code)) {
        if (n >= 1 && prog[n - 1].op == Op::PushC && !IsAngular(code)) {
            prog[n - 1].value = ApplyFunctionCode(code, prog[n - 1].value, 1.0);
            return;
        }
        prog.push_back({code == '~' ? Op::Neg : static_cast<Op>(static_cast<int>(Op::FnA) + (code - 'A')), 0.0});
        return;
    }
    if (n >= 2 && prog[n - 1].op == Op::PushC && prog[n - 2].op == Op::PushC) {
        prog[n - 2].value = ApplyBinary(code, prog[n - 2].value, prog[n - 1].value);
        prog.pop_back();
        return;
    }
    static constexpr char kCodes[] = {'+', '-', '*', '/', '^'};
    const char *found = std::find(std::begin(kCodes), std::end(kCodes), code);
    if (found == std::end(kCodes)) {
        prog.push_back({Op::Other, 0.0});
        return;
    }
    const int k = static_cast<int>(found - kCodes);
    const auto shifted = [k](Op first) { return static_cast<Op>(static_cast<int>(first) + k); };
    if (n >= 1 && prog[n - 1].op == Op::PushC) {
        const double r = prog[n - 1].value;
        const bool afterX = n >= 2 && prog[n - 2].op == Op::PushX;
        // x*x is the correctly rounded square (pow may be half an ulp off);
        // a cube by two multiplications would round twice, so ^3 stays pow.
        if (code == '^' && r == 2.0) {
            if (afterX) {
                prog.pop_back();
                prog[n - 2] = {Op::XSqr, 0.0};
            } else {
                prog[n - 1] = {Op::Sqr, 0.0};
            }
        } else if (afterX) {
            prog.pop_back();
            prog[n - 2] = {shifted(Op::XAddC), r};
        } else {
            prog[n - 1] = {shifted(Op::AddC), r};
        }
    } else if (n >= 1 && prog[n - 1].op == Op::PushX) {
        if (n >= 2 && prog[n - 2].op == Op::PushC) {
            const double l = prog[n - 2].value;
            prog.pop_back();
            prog[n - 2] = {shifted(Op::CAddX), l};
        } else {
            prog[n - 1] = {shifted(Op::AddX), 0.0};
        }
    } else {
        prog.push_back({static_cast<Op>(static_cast<int>(Op::Add) + k), 0.0});
    }
}


double CExpression::Evaluate(double x)
{
    const double k = AngleFactor(m_bDegree);
    m_bDegree = false;
    m_dResult = m_bCalls ? RunProgram<true>(m_aProgram.data(), m_aStack.data(), x, k)
                         : RunProgram<false>(m_aProgram.data(), m_aStack.data(), x, k);
    return m_dResult;
}

void CExpression::EvaluateMany(const double *x, double *y, std::size_t n)
{
    ClearUpperVectorState();
    const double k = AngleFactor(m_bDegree);
    m_bDegree = false;
    for (std::size_t b = 0; b < n; b += kBatch)
        RunBatch(x + b, y + b, std::min(kBatch, n - b), k);
    if (n > 0)
        m_dResult = y[n - 1];
}

// Token-outer, sample-inner: each instruction sweeps one row per stack level.
void CExpression::RunBatch(const double *x, double *y, std::size_t m, double k)
{
    if (m_aBatch.empty())
        m_aBatch.resize(m_nMaxDepth * kBatch);
    double *const rows = m_aBatch.data();
    std::size_t level = 0;  // rows in use; the top row is level - 1
    double *t = rows;
    double *u = rows;       // the row beneath the top, valid when level >= 2
    for (const Instr &in : m_aProgram) {
        const double c = in.value;
        switch (in.op) {
        case Op::PushC: t = rows + level++ * kBatch; std::fill(t, t + m, c); break;
        case Op::PushX: t = rows + level++ * kBatch; std::memcpy(t, x, m * sizeof(double)); break;
        case Op::Add: u = t - kBatch; for (std::size_t i = 0; i < m; ++i) u[i] = u[i] + t[i]; t = u; --level; break;
        case Op::Sub: u = t - kBatch; for (std::size_t i = 0; i < m; ++i) u[i] = u[i] - t[i]; t = u; --level; break;
        case Op::Mul: u = t - kBatch; for (std::size_t i = 0; i < m; ++i) u[i] = u[i] * t[i]; t = u; --level; break;
        case Op::Div: u = t - kBatch; for (std::size_t i = 0; i < m; ++i) u[i] = u[i] / t[i]; t = u; --level; break;
        case Op::Pow: u = t - kBatch; for (std::size_t i = 0; i < m; ++i) u[i] = std::pow(u[i], t[i]); t = u; --level; break;
        case Op::Other: u = t - kBatch; std::fill(u, u + m, 0.0); t = u; --level; break;
        case Op::AddC: for (std::size_t i = 0; i < m; ++i) t[i] = t[i] + c; break;
        case Op::SubC: for (std::size_t i = 0; i < m; ++i) t[i] = t[i] - c; break;
        case Op::MulC: for (std::size_t i = 0; i < m; ++i) t[i] = t[i] * c; break;
        case Op::DivC: for (std::size_t i = 0; i < m; ++i) t[i] = t[i] / c; break;
        case Op::PowC: for (std::size_t i = 0; i < m; ++i) t[i] = std::pow(t[i], c); break;
        case Op::AddX: for (std::size_t i = 0; i < m; ++i) t[i] = t[i] + x[i]; break;
        case Op::SubX: for (std::size_t i = 0; i < m; ++i) t[i] = t[i] - x[i]; break;
        case Op::MulX: for (std::size_t i = 0; i < m; ++i) t[i] = t[i] * x[i]; break;
        case Op::DivX: for (std::size_t i = 0; i < m; ++i) t[i] = t[i] / x[i]; break;
        case Op::PowX: for (std::size_t i = 0; i < m; ++i) t[i] = std::pow(t[i], x[i]); break;
        case Op::XAddC: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = x[i] + c; break;
        case Op::XSubC: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = x[i] - c; break;
        case Op::XMulC: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = x[i] * c; break;
        case Op::XDivC: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = x[i] / c; break;
        case Op::XPowC: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = std::pow(x[i], c); break;
        case Op::CAddX: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = c + x[i]; break;
        case Op::CSubX: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = c - x[i]; break;
        case Op::CMulX: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = c * x[i]; break;
        case Op::CDivX: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = c / x[i]; break;
        case Op::CPowX: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = std::pow(c, x[i]); break;
        case Op::XSqr: t = rows + level++ * kBatch; for (std::size_t i = 0; i < m; ++i) t[i] = x[i] * x[i]; break;
        case Op::Sqr: for (std::size_t i = 0; i < m; ++i) t[i] = t[i] * t[i]; break;
        case Op::Neg: for (std::size_t i = 0; i < m; ++i) t[i] = -t[i]; break;
        case Op::End: break;
        case Op::FnA: for (std::size_t i = 0; i < m; ++i) t[i] = std::sin(k * t[i]); break;
        case Op::FnB: for (std::size_t i = 0; i < m; ++i) t[i] = std::cos(k * t[i]); break;
        case Op::FnC: for (std::size_t i = 0; i < m; ++i) t[i] = std::tan(k * t[i]); break;
        default: {
            const char code = static_cast<char>('A' + (static_cast<int>(in.op) - static_cast<int>(Op::FnA)));
            for (std::size_t i = 0; i < m; ++i)
                t[i] = ApplyFunctionCode(code, t[i], k);
            break;
        }
        }
    }
    std::memcpy(y, t, m * sizeof(double));
}
