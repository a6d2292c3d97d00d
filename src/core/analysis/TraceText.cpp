#include "core/analysis/TraceText.h"

#include "core/expr/ShownNumber.h"
#include "core/analysis/Tangent.h"
#include "core/analysis/ValueTests.h"
#include "core/expr/ConstantValue.h"
#include "core/expr/Expression.h"

#include <cmath>


std::string TraceResultText(double y, bool scientific)
{
    if (std::string word = UndefinedWord(y); !word.empty())
        return word;
    return scientific ? FormatExp(y == 0 ? 0.0 : y, 6) : ShownValue(y, 15);
}

std::string TracePositionText(double x, double y)
{
    const std::string word = UndefinedWord(y);
    return "x = " + ShownValue(x, 6) + ", y = " + (word.empty() ? ShownValue(y, 6) : word);
}

std::array<std::string, 4> TangentBarTexts(const CTangent &t)
{
    // Where f is undefined or infinite the equation line says so; no "nan"
    // or "inf" is shown.
    std::array<std::string, 4> texts{"x= " + ShownValue(t.m_dX, 15), "f(x)=        ----", "Theta=        ----",
                                     "Slope=        ----"};
    if (IsFinite(t.m_dY))
        texts[1] = "f(x)= " + ShownValue(t.m_dY, 15);
    if (IsFinite(t.m_dY) && IsNumber(t.m_dSlope)) {
        texts[2] = "Theta= " + ShownValue(t.m_dTheta, 4);
        texts[3] = "Slope= " + ShownValue(t.m_dSlope, 15);
    }
    return texts;
}

std::string TangentEquationText(const CTangent &t)
{
    if (!t.m_bValid)
        return t.m_strEquation;  // the undefined message is no equation
    if (t.IsVertical())
        return "Equation: " + t.m_strEquation;  // x= c, not y as a function of x
    return "Equation: y = " + t.m_strEquation;
}

std::string TracePointText(double x, double y, bool scientific)
{
    return "(" + ShownValue(x, 6) + ", " + TraceResultText(y, scientific) + ")";
}

std::string TraceInputResult(CExpression &f, const std::string &typed, bool scientific)
{
    const std::optional<double> x = ReadConstantValue(typed, f.m_bDegree);
    return x ? TraceResultText(f.Evaluate(*x), scientific) : std::string();
}
