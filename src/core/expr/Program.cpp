#include "core/expr/Program.h"

#include "core/expr/CodedText.h"
#include "core/expr/Operations.h"
#include "core/expr/Postfix.h"

#include <algorithm>
#include <limits>
#include <string_view>

// A program that evaluates to NaN, so the evaluators need no test of their own.
void CProgram::SetUndefined()
{
    m_aCode.assign({{Op::PushC, {std::numeric_limits<double>::quiet_NaN()}}, {Op::End, {0.0}}});
    m_aParameters.clear();
    m_nMaxDepth = 1;
    m_bCalls = false;
}

bool CProgram::Build(const STokenList &tokens)
{
    // The stack depth does not depend on x, so a list that would run out of
    // operands or leave some over is recognised here, once.
    std::size_t depth = 0;
    std::size_t maxDepth = 0;
    bool wellFormed = true;
    for (char code : tokens.codes) {
        if (code == 0 || IsParameterLetter(code)) {
            maxDepth = std::max(maxDepth, ++depth);
        } else if (IsUnaryCode(code)) {
            wellFormed = wellFormed && depth >= 1;
        } else {
            wellFormed = wellFormed && depth >= 2;
            depth = depth > 0 ? depth - 1 : 0;
        }
    }
    if (!wellFormed || depth != 1) {
        SetUndefined();
        return false;
    }

    m_aCode.clear();
    m_aCode.reserve(tokens.codes.size() + 1);
    m_aParameters.clear();
    m_nMaxDepth = maxDepth;
    std::size_t xi = 0;
    for (std::size_t i = 0; i < tokens.codes.size(); ++i) {
        const bool isX = xi < tokens.xPositions.size() && tokens.xPositions[xi] == i;
        xi += isX ? 1 : 0;
        Emit(tokens.codes[i], tokens.values[i], isX);
    }
    PairSineAndCosine();
    m_aCode.push_back({Op::End, {0.0}});
    // No rewrite removes or reorders a PushP: the k-th one is the k-th
    // parameter of the list.
    std::size_t use = 0;
    for (std::size_t i = 0; i < m_aCode.size(); ++i)
        if (m_aCode[i].op == Op::PushP)
            m_aParameters[use++].instruction = static_cast<std::uint32_t>(i);
    m_bCalls = std::any_of(m_aCode.begin(), m_aCode.end(), [](const Instr &in) {
        switch (in.op) {
        case Op::Pow: case Op::PowC: case Op::PowX: case Op::XPowC: case Op::CPowX:
        case Op::Cube: case Op::Fourth: case Op::XCube: case Op::XFourth: case Op::Fn:
        case Op::XSinCos: case Op::XCosSin:
            return true;
        default:
            return false;
        }
    });
    return true;
}

// Appends one token, folding constants and fusing a trailing operand into the
// operator. Only exact rewrites: every result is the one the plain stack walk
// would compute.
void CProgram::Emit(char code, double value, bool isX)
{
    auto &prog = m_aCode;
    const std::size_t n = prog.size();
    // A parameter is never folded: its value changes after compiling.
    if (IsParameterLetter(code)) {
        prog.push_back({Op::PushP, {1.0}});
        m_aParameters.push_back({0, code});
        return;
    }
    if (code == 0) {
        prog.push_back({isX ? Op::PushX : Op::PushC, {isX ? 0.0 : value}});
        return;
    }
    if (IsUnaryCode(code)) {
        const SOperation *f = FindOperation(code);
        if (n >= 1 && prog[n - 1].op == Op::PushC && !(f && f->angular)) {
            const double v = prog[n - 1].value;
            prog[n - 1].value = f ? f->value(v, 1.0) : -v;
            return;
        }
        Instr in{f ? Op::Fn : Op::Neg, {0.0}};
        if (f)
            in.operation = f;
        prog.push_back(in);
        return;
    }
    if (n >= 2 && prog[n - 1].op == Op::PushC && prog[n - 2].op == Op::PushC) {
        prog[n - 2].value = ApplyBinaryCode(code, prog[n - 2].value, prog[n - 1].value);
        prog.pop_back();
        return;
    }
    static constexpr char kCodes[] = {'+', '-', '*', '/', '^'};
    const char *found = std::find(std::begin(kCodes), std::end(kCodes), code);
    if (found == std::end(kCodes)) {
        prog.push_back({Op::Other, {0.0}});
        return;
    }
    const int k = static_cast<int>(found - kCodes);
    const auto shifted = [k](Op first) { return static_cast<Op>(static_cast<int>(first) + k); };
    if (n >= 1 && prog[n - 1].op == Op::PushC) {
        const double r = prog[n - 1].value;
        const bool afterX = n >= 2 && prog[n - 2].op == Op::PushX;
        // ^2, ^3 and ^4 have exact instructions (see IntegerPower.h).
        const int power = code != '^' ? 0 : r == 2.0 ? 1 : r == 3.0 ? 2 : r == 4.0 ? 3 : 0;
        if (power > 0 && afterX) {
            prog.pop_back();
            prog[n - 2] = {static_cast<Op>(static_cast<int>(Op::XSqr) + power - 1), {0.0}};
        } else if (power > 0) {
            prog[n - 1] = {static_cast<Op>(static_cast<int>(Op::Sqr) + power - 1), {0.0}};
        } else if (afterX) {
            prog.pop_back();
            prog[n - 2] = {shifted(Op::XAddC), {r}};
        } else {
            prog[n - 1] = {shifted(Op::AddC), {r}};
        }
    } else if (n >= 1 && prog[n - 1].op == Op::PushX) {
        if (n >= 2 && prog[n - 2].op == Op::PushC) {
            const double l = prog[n - 2].value;
            prog.pop_back();
            prog[n - 2] = {shifted(Op::CAddX), {l}};
        } else {
            prog[n - 1] = {shifted(Op::AddX), {0.0}};
        }
    } else {
        prog.push_back({static_cast<Op>(static_cast<int>(Op::Add) + k), {0.0}});
    }
}

// sin(x) and cos(x) in one program (sin(x)*cos(x) is common) come from one
// call that gives both: the first pushes its value and keeps the other for
// the second. The C library computes them as the two calls would.
void CProgram::PairSineAndCosine()
{
    const auto find = [this](const SOperation *f) {
        for (std::size_t i = 0; i + 1 < m_aCode.size(); ++i)
            if (m_aCode[i].op == Op::PushX && m_aCode[i + 1].op == Op::Fn && m_aCode[i + 1].operation == f)
                return i;
        return m_aCode.size();
    };
    const auto named = [](std::string_view name) {
        for (const SOperation &f : Operations())
            if (name == f.name)
                return &f;
        return static_cast<const SOperation *>(nullptr);
    };
    const std::size_t sine = find(named("sin")), cosine = find(named("cos"));
    if (sine == m_aCode.size() || cosine == m_aCode.size())
        return;
    const std::size_t first = std::min(sine, cosine), second = std::max(sine, cosine);
    m_aCode[first] = {sine < cosine ? Op::XSinCos : Op::XCosSin, {0.0}};
    m_aCode[second] = {Op::PushKept, {0.0}};
    m_aCode.erase(m_aCode.begin() + static_cast<std::ptrdiff_t>(second) + 1);
    m_aCode.erase(m_aCode.begin() + static_cast<std::ptrdiff_t>(first) + 1);
}

void CProgram::SetParameters(const SParameterValues &values)
{
    for (const SUse &use : m_aParameters)
        m_aCode[use.instruction].value = values.Of(use.letter);
}

void CProgram::SetParameter(char letter, double value)
{
    for (const SUse &use : m_aParameters)
        if (use.letter == letter)
            m_aCode[use.instruction].value = value;
}
