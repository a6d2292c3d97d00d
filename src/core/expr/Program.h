#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

struct SOperation;
struct STokenList;

// A value for each parameter letter (kParameterLetters in CodedText.h), 1
// until set. Letters that are no parameter are never read.
struct SParameterValues
{
    SParameterValues() { value.fill(1.0); }
    double Of(char letter) const { return value[Index(letter)]; }
    void Set(char letter, double v) { value[Index(letter)] = v; }
    static std::size_t Index(char letter) { return static_cast<unsigned char>(letter - 'a') % 26u; }
    bool operator==(const SParameterValues &) const = default;

    std::array<double, 26> value;
};

// One list for the enumeration and the dispatch tables of the evaluators.
#define CORVANTA_OPS(X)                                                          \
    X(PushC) X(PushX) X(PushP)                       /* PushP: a parameter */    \
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
    // Parameters start at 1; SetParameters gives them their values.
    bool Build(const STokenList &tokens);

    // Writes the values into the program's parameter instructions: a value
    // changes without compiling again. Costs one store per use of a letter.
    void SetParameters(const SParameterValues &values);
    void SetParameter(char letter, double value);

    const Instr *Code() const { return m_aCode.data(); }
    std::size_t MaxDepth() const { return m_nMaxDepth; }
    bool Calls() const { return m_bCalls; }  // calls the maths library

private:
    void SetUndefined();
    void Emit(char code, double value, bool isX);
    void PairSineAndCosine();

    struct SUse
    {
        std::uint32_t instruction;  // index of its PushP in m_aCode
        char letter;
    };

    std::vector<Instr> m_aCode;
    std::vector<SUse> m_aParameters;
    std::size_t m_nMaxDepth = 0;
    bool m_bCalls = false;
};
