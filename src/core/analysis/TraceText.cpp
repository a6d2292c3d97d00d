#include "core/analysis/TraceText.h"

#include "core/expr/NumberText.h"
#include "core/analysis/Tangent.h"
#include "core/analysis/ValueTests.h"
#include "core/expr/Expression.h"

double ReadTraceInput(const std::string &text)
{
    std::string kept;
    bool point = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c >= '0' && c <= '9') || (c == '.' && !point) || (c == '-' && i == 0))
            kept += c;
        point = point || c == '.';
    }
    const bool negative = !kept.empty() && kept[0] == '-';
    const std::size_t start = negative ? 1 : 0;
    double value = 0.0;
    ReadDecimal(kept.data() + start, kept.data() + kept.size(), value);
    return negative ? -value : value;
}

std::string TraceResultText(double y, bool scientific)
{
    return scientific ? FormatExp(y, 6) : FormatFixed(y, 15);
}

std::string TracePositionText(double x, double y)
{
    return "x = " + FormatFixed(x, 6) + ", y = " + FormatFixed(y, 6);
}

std::array<std::string, 4> TangentBarTexts(const CTangent &t)
{
    std::array<std::string, 4> texts{"x= " + FormatFixed(t.m_dX, 15), "f(x)= " + FormatFixed(t.m_dY, 15),
                                     "Theta=        ----", "Slope=        ----"};
    if (IsFinite(t.m_dY) && IsNumber(t.m_dSlope)) {
        texts[2] = "Theta= " + FormatFixed(t.m_dTheta, 4);
        texts[3] = "Slope= " + FormatFixed(t.m_dSlope, 15);
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
