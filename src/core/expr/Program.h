#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct SOperation;
struct STokenList;

// One list for the enumeration and the dispatch tables of the evaluators.
#define CORVANTA_OPS(X)                                                          \
    X(PushC) X(PushX)                                                            \
    X(Add) X(Sub) X(Mul) X(Div) X(Pow) X(Other)      /* both operands stacked */ \
    X(AddC) X(SubC) X(MulC) X(DivC) X(PowC)          /* right operand constant */\
    X(AddX) X(SubX) X(MulX) X(DivX) X(PowX)          /* right operand x */       \
    X(XAddC) X(XSubC) X(XMulC) X(XDivC) X(XPowC)     /* push x op constant */    \
    X(CAddX) X(CSubX) X(CMulX) X(CDivX) X(CPowX)     /* push constant op x */    \
    X(Sqr) X(Cube) X(Fourth)                         /* exact ^2, ^3, ^4 */      \
    X(XSqr) X(XCube) X(XFourth)                      /* the same, pushing x^n */ \
    X(Neg) X(Fn)                                     /* Fn: a table function */  \
    X(XSinCos) X(XCosSin) X(PushKept)                /* sin(x), cos(x): one call */\
    X(End)

// The token list compiled for the evaluators: constant sub-expressions
// folded and common operand patterns fused into one instruction. Both
// evaluators run this program, so they compute the same operations.
class CProgram
{
public:
    enum class Op : std::uint8_t {
#define CORVANTA_ENUM(name) name,
        CORVANTA_OPS(CORVANTA_ENUM)
#undef CORVANTA_ENUM
    };
    struct Instr
    {
        Op op;
        union {
            double value;                 // constants
            const SOperation *operation;  // Fn
        };
    };

    CProgram() { SetUndefined(); }

    // False (and a program giving NaN) when the list cannot be evaluated.
    bool Build(const STokenList &tokens);

    const Instr *Code() const { return m_aCode.data(); }
    std::size_t MaxDepth() const { return m_nMaxDepth; }
    bool Calls() const { return m_bCalls; }  // calls the maths library

private:
    void SetUndefined();
    void Emit(char code, double value, bool isX);
    void PairSineAndCosine();

    std::vector<Instr> m_aCode;
    std::size_t m_nMaxDepth = 0;
    bool m_bCalls = false;
};
