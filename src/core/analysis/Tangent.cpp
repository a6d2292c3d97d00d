#include "core/analysis/Tangent.h"

#include "core/expr/Angle.h"
#include "core/expr/ShownNumber.h"
#include "core/analysis/TraceText.h"
#include "core/analysis/ValueTests.h"
#include "core/deriv/Derivative.h"

#include <cmath>

namespace {
constexpr double kReach = 1000.0;  // units either side of the point
}  // namespace

void CTangent::SetFunction(const std::string &text, bool bDegree, const SParameterValues &parameters)
{
    m_bDegree = bDegree;
    m_function.SetParameters(parameters);
    m_slope.SetParameters(parameters);
    if (m_bCompiled && text == m_strFunction)
        return;
    m_strFunction = text;
    m_function.SetExpression(text);
    const CDerivative derivative(m_function.m_strCoded);
    m_strSlope = derivative.GetResult();
    m_bSlopeTooLong = derivative.TooLong();
    m_slope.SetExpression(m_strSlope);
    m_bCompiled = true;
}

void CTangent::ComputeAt(double x)
{
    m_dX = x;
    m_dY = m_function.Evaluate(x);
    m_dSlope = m_slope.Evaluate(x);
    m_dTheta = std::atan(m_dSlope);
    if (m_bDegree)
        m_dTheta /= kRadiansPerDegree;
    m_bValid = IsFinite(m_dY) && IsNumber(m_dSlope);
}

bool CTangent::IsVertical() const { return m_bValid && IsInfinite(m_dSlope); }

void CTangent::BuildEquation()
{
    if (!m_bValid) {
        m_strEquation = m_bSlopeTooLong ? kDerivativeTooLongText : kUndefined;
        m_dIntercept = 0.0;
        m_dX1 = m_dY1 = m_dX2 = m_dY2 = 0.0;
        return;
    }
    if (IsInfinite(m_dSlope)) {
        m_strEquation = "x= " + ShownValue(m_dX, 6);
        m_dIntercept = 0.0;
        m_dX1 = m_dX2 = m_dX;
        m_dY1 = kReach;
        m_dY2 = -kReach;
        return;
    }
    const double b = m_dY - m_dSlope * m_dX;
    m_dIntercept = b;
    const std::string slope = ShownValue(m_dSlope, 4);
    const std::string intercept = ShownValue(b, 4);  // a tiny negative b shows as +0.0000
    if (m_dSlope == 0)
        m_strEquation = intercept;
    else if (intercept[0] == '-')
        m_strEquation = slope + "*x " + intercept;
    else if (b != 0)
        m_strEquation = slope + "*x+" + intercept;
    else
        m_strEquation = slope + "*x ";
    m_dX1 = m_dX + kReach;
    m_dX2 = m_dX - kReach;
    m_dY1 = m_dSlope * m_dX1 + b;
    m_dY2 = m_dSlope * m_dX2 + b;
}
