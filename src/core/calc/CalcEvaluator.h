#pragma once

#include <cstdint>
#include <string>

// The calculator's own evaluator. The text is rewritten in steps (spaces
// out, a degrees-minutes-seconds literal to a number, names to one-character
// codes, unary minus made explicit, brackets inserted for the priorities) and
// then read strictly from left to right. Each evaluation of a new text uses
// a new evaluator: the working text is rewritten in place.
class CCalcEvaluator
{
public:
    explicit CCalcEvaluator(std::string strText);
    virtual ~CCalcEvaluator() = default;

    void SetRadian(bool bRadian) { m_bRadian = bRadian; }
    // -1: plain decimal numbers; otherwise the base (2..36) of number tokens.
    void SetBase(int nBase) { m_nBase = nBase; }

    // The value of the text; with bSubstitute every "x" of the text is x.
    // Text that does not follow the grammar still gives a number (NaN when
    // nothing sensible can be read).
    double Evaluate(bool bSubstitute = false, double x = 0.0);

    // The rewritten text of the last evaluation.
    const std::string &WorkingText() const { return m_strWork; }

    // n!, nPr and nCr as the calculator computes them.
    static double Factorial(double n);
    static double Permutations(double n, double r);
    static double Combinations(double n, double r);
    // Applies the function of a one-character code; NaN for no code.
    static double ApplyFunction(char code, double x, bool bRadian);

private:
    void Substitute(double x);
    void ConvertDmsLiteral();
    void ReplaceNames();
    void RewriteUnaryMinus();
    void InsertBrackets();
    std::size_t InsertLeft(std::size_t op, std::size_t edge);
    std::size_t InsertRight(std::size_t op, std::size_t edge);

    double ReadExpression(int nDepth);
    double ReadFactor(int nDepth);
    char At(std::size_t i) const { return i < m_strWork.size() ? m_strWork[i] : '\0'; }

    // A number as a token of the current base, without exponent, that the
    // reader reads back to the same value.
    std::string NumberToken(double dValue) const;
    double ReadToken(std::string strToken) const;

    std::int32_t m_nBracketPending = 0;
    std::int32_t m_nPosition = 0;
    std::string m_strScratch;
    bool m_bRadian = false;
    std::int32_t m_nBase = -1;
    std::string m_strSource;
    std::string m_strWork;
};

// The calculator's "=": the text evaluated with the angle mode and the base
// of number tokens (-1 for plain decimal).
double EvaluateCalcText(const std::string &strText, bool bRadian, int nTokenBase);
