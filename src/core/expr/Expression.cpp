#include "core/expr/Expression.h"

#include "core/expr/SingleEvaluator.h"

#include <cmath>
#include <limits>

// The jobs live in their own files: coding and the syntax check in
// CodedText.cpp, postfix and tokens in Postfix.cpp, the program in
// Program.cpp, the evaluators in SingleEvaluator.cpp and BulkEvaluator.cpp,
// the functions in Operations.cpp. This class ties them together.

namespace {

// pi/180 from asin(0.5), so degree results match the constant the user sees.
const double kDegree = std::asin(0.5) * 6.0 * (1.0 / 180.0);

double AngleFactor(bool degree) { return degree ? kDegree : 1.0; }

}  // namespace

CExpression::CExpression() : m_dResult(std::numeric_limits<double>::quiet_NaN()), m_aStack(2, 0.0) {}

CExpression::~CExpression() = default;

void CExpression::SetExpression(const std::string &text)
{
    m_strText = text;
    Compile();
}

void CExpression::Compile()
{
    m_strCoded = CodeExpression(m_strText) + ')';
    m_strPostfix = PostfixOf(m_strCoded);
    TokenisePostfix(m_strPostfix, m_tokens);
    m_bWellFormed = m_program.Build(m_tokens);
    m_aStack.assign(m_program.MaxDepth() + 1, 0.0);
}

double CExpression::Evaluate(double x)
{
    const double k = AngleFactor(m_bDegree);
    m_bDegree = false;
    m_dResult = RunProgram(m_program, m_aStack.data(), x, k);
    return m_dResult;
}

void CExpression::EvaluateMany(const double *x, double *y, std::size_t n)
{
    const double k = AngleFactor(m_bDegree);
    m_bDegree = false;
    m_bulk.Run(m_program, x, y, n, k);
    if (n > 0)
        m_dResult = y[n - 1];
}
