#pragma once

#include "core/expr/BulkEvaluator.h"
#include "core/expr/CodedText.h"
#include "core/expr/Interval.h"
#include "core/expr/Postfix.h"
#include "core/expr/Program.h"

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

    // Makes this expression undefined wherever `function` is (NaN there):
    // a derivative exists only where its function does. The next
    // SetExpression lifts it.
    void RestrictTo(const CExpression &function);

    // Parameters: the letters of kParameterLetters (CodedText.h) that the
    // text uses, each standing for a value that is 1 until set. The values
    // belong to this object, not to its text: they stay through
    // SetExpression and go with a copy. Setting one writes it into the
    // compiled program (and the restricting one): nothing is compiled again.
    // False, and nothing changed, for a letter that is no parameter or a
    // value that is not finite.
    bool SetParameter(char letter, double value);
    bool SetParameters(const SParameterValues &values);
    double Parameter(char letter) const { return m_parameters.Of(letter); }
    const SParameterValues &Parameters() const { return m_parameters; }
    // The parameter letters the text uses, each once, in alphabetical order
    // (the order does not change when the text is rewritten). Also for a text
    // the syntax check refuses.
    const std::string &UsedParameters() const { return m_strUsedParameters; }

    // Value at x. Reads m_bDegree for this call only and clears it.
    double Evaluate(double x);

    // Values at n points, bit for bit those of n single Evaluate calls.
    // Reads m_bDegree for the whole batch and clears it. x and y may alias.
    void EvaluateMany(const double *x, double *y, std::size_t n);

    // For samplers that make many calls for one picture: the degree factor
    // the next call would use (clearing m_bDegree), then values at points
    // and over sets with that factor. Neither reads m_bDegree nor sets
    // m_dResult. Range(lo, hi, k) holds every value on [lo, hi] (Interval.h).
    double TakeAngleFactor();
    double ValueAt(double x, double angleFactor);
    SInterval Range(double lo, double hi, double angleFactor);

    // False when the text fails the syntax check or the token list cannot be
    // evaluated (too few operands for an operator, operands left over,
    // nothing compiled); its value is then NaN everywhere.
    bool IsWellFormed() const { return m_bWellFormed; }

    // The token list: numbers and x have code 0, operators their character
    // and a NaN value, parameters their letter and a NaN value; x slots are
    // listed in XPositions().
    const std::vector<double> &TokenValues() const { return m_tokens.values; }
    const std::vector<char> &TokenCodes() const { return m_tokens.codes; }
    const std::vector<std::size_t> &XPositions() const { return m_tokens.xPositions; }

    bool m_bDegree = false;           // trigonometric arguments in degrees, next call only
    std::string m_strText;            // as given by the caller
    std::string m_strCoded;           // normalised text plus the appended ')'
    double m_dResult;                 // value of the last evaluation
    std::string m_strPostfix;         // blank-separated postfix, with a leading blank

    // The compiled program and its instructions (see Program.h).
    using Op = CProgram::Op;
    using Instr = CProgram::Instr;

private:
    void Compile();

    STokenList m_tokens;
    SParameterValues m_parameters;
    std::string m_strUsedParameters;
    CProgram m_program;
    bool m_bWellFormed = false;
    mutable std::vector<double> m_aStack;  // preallocated: one slot per depth level
    CBulkEvaluator m_bulk;
    CProgram m_domain;  // where the value exists, when restricted
    bool m_bRestricted = false;
    std::vector<double> m_aDomainValues;
    std::vector<SInterval> m_aSets;  // the interval evaluator's stack
};

// The function names and their code letters ('A' sin .. 'Z' log), longer
// names before the names they contain, so replacing in this order never
// splits a name. Read from the operation table (Operations.h).
struct SFunctionName
{
    const char *name;
    char code;
};
std::span<const SFunctionName> FunctionNames();

// Normalises typed text into the coded expression (without the appended ')').
std::string CodeExpression(const std::string &text);

// Value of the one-argument operation `code` ('~' or a function letter of
// the operation table) at v; angleFactor multiplies the arguments of sin..sec. NaN for
// any other code.
double ApplyFunctionCode(char code, double v, double angleFactor = 1.0);

// 0 accepted, 1 invalid character, 2 invalid operator syntax, 3 bracket mismatch.
// Takes the coded text as it stands in m_strCoded, appended ')' included.
int CheckSyntax(const std::string &codedText);
