#include "core/expr/Expression.h"

#include "core/expr/Angle.h"
#include "core/expr/IntervalEvaluator.h"
#include "core/expr/SingleEvaluator.h"

#include <algorithm>
#include <cmath>
#include <limits>

// The jobs live in their own files: coding and the syntax check in
// CodedText.cpp, postfix and tokens in Postfix.cpp, the program in
// Program.cpp, the evaluators in SingleEvaluator.cpp and BulkEvaluator.cpp,
// the functions in Operations.cpp. This class ties them together.

namespace {

double AngleFactor(bool degree) { return degree ? kRadiansPerDegree : 1.0; }

}  // namespace

CExpression::CExpression() : m_dResult(std::numeric_limits<double>::quiet_NaN()), m_aStack(2, 0.0) {}

CExpression::~CExpression() = default;

void CExpression::SetExpression(const std::string &text)
{
    m_strText = text;
    m_bRestricted = false;
    Compile();
}

void CExpression::RestrictTo(const CExpression &function)
{
    // The function's parameters are this object's: a derivative and its
    // function share their letters, and the values set here rule both.
    m_domain = function.m_program;
    m_domain.SetParameters(m_parameters);
    m_bRestricted = true;
    m_aStack.resize(std::max(m_aStack.size(), m_domain.MaxDepth() + 1), 0.0);
}

void CExpression::Compile()
{
    m_strCoded = CodeExpression(m_strText) + ')';
    m_strPostfix = PostfixOf(m_strCoded);
    TokenisePostfix(m_strPostfix, m_tokens);
    // A text the syntax check refuses has no value anywhere, so whatever
    // holds one draws and computes nothing rather than something else.
    m_bWellFormed = CheckSyntax(m_strCoded) == 0 && m_program.Build(m_tokens);
    if (!m_bWellFormed)
        m_program = CProgram();
    m_program.SetParameters(m_parameters);
    m_aStack.assign(m_program.MaxDepth() + 1, 0.0);
    bool used[26] = {};
    for (char c : m_strCoded)
        if (IsParameterLetter(c))
            used[SParameterValues::Index(c)] = true;
    m_strUsedParameters.clear();
    for (const char *p = kParameterLetters; *p; ++p)
        if (used[SParameterValues::Index(*p)])
            m_strUsedParameters += *p;
}

bool CExpression::SetParameter(char letter, double value)
{
    if (!IsParameterLetter(letter) || !std::isfinite(value))
        return false;
    m_parameters.Set(letter, value);
    m_program.SetParameter(letter, value);
    if (m_bRestricted)
        m_domain.SetParameter(letter, value);
    return true;
}

bool CExpression::SetParameters(const SParameterValues &values)
{
    for (const char *p = kParameterLetters; *p; ++p)
        if (!std::isfinite(values.Of(*p)))
            return false;
    m_parameters = values;
    m_program.SetParameters(m_parameters);
    if (m_bRestricted)
        m_domain.SetParameters(m_parameters);
    return true;
}

double CExpression::Evaluate(double x)
{
    const double k = AngleFactor(m_bDegree);
    m_bDegree = false;
    m_dResult = RunProgram(m_program, m_aStack.data(), x, k);
    if (m_bRestricted && std::isnan(RunProgram(m_domain, m_aStack.data(), x, k)))
        m_dResult = std::numeric_limits<double>::quiet_NaN();
    return m_dResult;
}

void CExpression::EvaluateMany(const double *x, double *y, std::size_t n)
{
    const double k = AngleFactor(m_bDegree);
    m_bDegree = false;
    if (m_bRestricted) {
        m_aDomainValues.resize(n);
        m_bulk.Run(m_domain, x, m_aDomainValues.data(), n, k);
    }
    m_bulk.Run(m_program, x, y, n, k);
    if (m_bRestricted)
        for (std::size_t i = 0; i < n; ++i)
            if (std::isnan(m_aDomainValues[i]))
                y[i] = std::numeric_limits<double>::quiet_NaN();
    if (n > 0)
        m_dResult = y[n - 1];
}

double CExpression::TakeAngleFactor()
{
    const double k = AngleFactor(m_bDegree);
    m_bDegree = false;
    return k;
}

double CExpression::ValueAt(double x, double k)
{
    const double v = RunProgram(m_program, m_aStack.data(), x, k);
    if (m_bRestricted && std::isnan(RunProgram(m_domain, m_aStack.data(), x, k)))
        return std::numeric_limits<double>::quiet_NaN();
    return v;
}

SInterval CExpression::Range(double lo, double hi, double k)
{
    const SInterval x = SInterval::Of(lo, hi);
    SInterval r = RunIntervalProgram(m_program, m_aSets, x, k);
    if (m_bRestricted && !r.IsEmpty()) {
        // Undefined where the function is: only its gaps carry over.
        const SInterval domain = RunIntervalProgram(m_domain, m_aSets, x, k);
        if (domain.IsEmpty())
            return SInterval::Empty();
        r.flags |= domain.flags & SInterval::kPartUndefined;
    }
    return r;
}
