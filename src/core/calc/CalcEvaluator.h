#pragma once

#include "core/calc/CalcResult.h"

#include <cstddef>
#include <string>

struct SCalcName;

// The calculator's own evaluator: a recursive reader over the typed text.
// Priorities: "+" "-" below "*" "/" ncr npr (and a number written directly
// before a name or "(", which multiplies), below a unary sign, below "^"
// (grouped from left to right), below "!" and the functions. Text that
// cannot be read completely is refused with a reason and its position;
// numerical trouble (1/0, ln of -1, a result beyond the doubles) is refused
// with its reason and no position.
class CCalcEvaluator
{
public:
    explicit CCalcEvaluator(std::string strText);
    virtual ~CCalcEvaluator() = default;

    void SetRadian(bool bRadian) { m_bRadian = bRadian; }
    // -1: plain decimal numbers; otherwise the base (2..36) of number tokens.
    void SetBase(int nBase) { m_nBase = nBase; }

    // The value of the text, or why it is refused; with bSubstitute the
    // name x stands for the value x.
    SCalcResult Calculate(bool bSubstitute = false, double x = 0.0);
    // Calculate's value alone: NaN for a refused text.
    double Evaluate(bool bSubstitute = false, double x = 0.0) { return Calculate(bSubstitute, x).dValue; }

    // n! correctly rounded; NaN for a negative or fractional n, infinity
    // above 170. nPr and nCr of whole numbers 0 <= r, 0 <= n worked with
    // exact integers and rounded once: NaN for any other n or r, infinity
    // above the largest double.
    static double Factorial(double n);
    static double Permutations(double n, double r);
    static double Combinations(double n, double r);

    // A value, and what is known of it exactly: p/q, or p/q times pi (the
    // calculator's pi), so sin(pi) in radians is 0 and tan(pi/2) undefined.
    struct SValue
    {
        double v = 0.0;
        enum Kind { Inexact, Rational, PiMultiple } kind = Inexact;
        long long p = 0, q = 1;
    };

private:
    SValue ReadSum(int nDepth);
    SValue ReadTerm(int nDepth);
    SValue ReadSigned(int nDepth);
    SValue ReadPower(int nDepth);
    SValue ReadPostfix(int nDepth);
    SValue ReadPrimary(int nDepth);
    SValue ReadArgument(int nDepth);
    SValue ReadNumber();
    bool ReadToken(SValue *pValue);
    double ApplyFunction(char code, const SValue &x, std::size_t nAt);
    double FactorialAt(double n, std::size_t nAt);
    double CombineAt(char op, double a, double b, std::size_t nAt);
    // Refuses an infinite or NaN result with its reason.
    double Checked(double v);
    void RefuseRest();

    double Fail(std::size_t nAt, std::string strReason);
    char Peek();
    char At(std::size_t i) const { return i < m_strText.size() ? m_strText[i] : '\0'; }
    bool AtEnd() const { return m_nPos >= m_strText.size(); }
    const SCalcName *NameAt(std::size_t i) const;
    bool IsDigitHere(char c) const;
    int Base() const { return m_nBase == -1 ? 10 : m_nBase; }

    std::string m_strText;
    bool m_bRadian = false;
    int m_nBase = -1;
    bool m_bSubstitute = false;
    double m_dX = 0.0;
    std::size_t m_nPos = 0;
    SCalcResult m_result;
};

// The calculator's "=": the text evaluated with the angle mode and the base
// of number tokens (-1 for plain decimal).
SCalcResult EvaluateCalcText(const std::string &strText, bool bRadian, int nTokenBase);
