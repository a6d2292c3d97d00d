#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// One compiled function of x. Compiling never fails: SetExpression always
// produces some token list, and CheckSyntax says separately whether the text
// was acceptable. Evaluate never reports: undefined points come back as NaN,
// poles as an infinity or a huge value.
class CExpression
{
public:
    CExpression();
    virtual ~CExpression();
    CExpression(const CExpression &) = default;
    CExpression &operator=(const CExpression &) = default;
    CExpression(CExpression &&) noexcept = default;
    CExpression &operator=(CExpression &&) noexcept = default;

    // Stores the text and compiles it, replacing any previous compiled form.
    void SetExpression(const std::string &text);

    // Value at x. Reads m_bDegree for this call only and clears it.
    double Evaluate(double x);

    // Values at n points, bit for bit those of n single Evaluate calls.
    // Reads m_bDegree for the whole batch and clears it. x and y may alias.
    void EvaluateMany(const double *x, double *y, std::size_t n);

    // False when the token list cannot be evaluated (too few operands for an
    // operator, operands left over, nothing compiled); its value is then NaN.
    bool IsWellFormed() const { return m_bWellFormed; }

    // The token list: numbers and x have code 0, operators their character
    // and a NaN value; x slots are listed in XPositions().
    const std::vector<double> &TokenValues() const { return m_aTokenValues; }
    const std::vector<char> &TokenCodes() const { return m_aTokenCodes; }
    const std::vector<std::size_t> &XPositions() const { return m_aXPositions; }

    bool m_bDegree = false;           // trigonometric arguments in degrees, next call only
    bool m_bDerivativeShown = false;  // the slot's derivative is shown; unused here
    std::string m_strText;            // as given by the caller
    std::string m_strCoded;           // normalised text plus the appended ')'
    double m_dResult;                 // value of the last evaluation
    std::string m_strPostfix;         // blank-separated postfix, with a leading blank

    // The compiled program: the token list with constant sub-expressions
    // folded and common operand patterns fused into one instruction.
    enum class Op : std::uint8_t;
    struct Instr
    {
        Op op;
        double value;
    };

private:
    void Compile();
    void SetUndefined();
    void BuildPostfix();
    void Tokenise();
    void BuildProgram();
    void Emit(char code, double value, bool isX);
    void RunBatch(const double *x, double *y, std::size_t n, double angle);

    std::vector<double> m_aTokenValues;
    std::vector<char> m_aTokenCodes;
    std::vector<std::size_t> m_aXPositions;

    std::vector<Instr> m_aProgram;
    std::size_t m_nMaxDepth = 0;
    bool m_bWellFormed = false;
    bool m_bCalls = false;  // the program calls the maths library
    mutable std::vector<double> m_aStack;  // preallocated: one slot per depth level
    std::vector<double> m_aBatch;          // bulk evaluation: one row per depth level
};

// The 26 function names and their code letters ('A' sin .. 'Z' log), longer
// names before the names they contain, so replacing in this order never
// splits a name.
struct SFunctionName
{
    const char *name;
    char code;
};
std::span<const SFunctionName> FunctionNames();

// Normalises typed text into the coded expression (without the appended ')').
std::string CodeExpression(const std::string &text);

// Value of the one-argument operation `code` ('~' or a function letter
// 'A'..'Z') at v; angleFactor multiplies the arguments of sin..sec. NaN for
// any other code.
double ApplyFunctionCode(char code, double v, double angleFactor = 1.0);

// 0 accepted, 1 invalid character, 2 invalid operator syntax, 3 bracket mismatch.
// Takes the coded text as it stands in m_strCoded, appended ')' included.
int CheckSyntax(const std::string &codedText);
