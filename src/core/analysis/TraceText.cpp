#include "core/analysis/TraceText.h"

#include "core/expr/NumberText.h"
#include "core/analysis/Tangent.h"
#include "core/analysis/ValueTests.h"
#include "core/expr/Expression.h"

#include <cmath>

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

std::string ShownFixed(double value, int decimals)
{
    std::string text = FormatFixedHeld(value, decimals);
    if (!text.empty() && text[0] == '-' && text.find_first_of("123456789") == std::string::npos &&
        text.find_first_of("0") != std::string::npos)
        text.erase(0, 1);
    return text;
}

namespace {

// An undefined or infinite value in the points table's words, never "nan"
// or "inf"; empty for a number.
std::string ValueWord(double y)
{
    if (std::isnan(y))
        return "NOT DEFINE";
    if (std::isinf(y))
        return y < 0 ? "Minus INFINTY" : "INFINTY";
    return {};
}

}  // namespace

std::string TraceResultText(double y, bool scientific)
{
    if (std::string word = ValueWord(y); !word.empty())
        return word;
    return scientific ? FormatExp(y == 0 ? 0.0 : y, 6) : ShownFixed(y, 15);
}

std::string TracePositionText(double x, double y)
{
    const std::string word = ValueWord(y);
    return "x = " + ShownFixed(x, 6) + ", y = " + (word.empty() ? ShownFixed(y, 6) : word);
}

std::array<std::string, 4> TangentBarTexts(const CTangent &t)
{
    // Where f is undefined or infinite the equation line says so; no "nan"
    // or "inf" is shown.
    std::array<std::string, 4> texts{"x= " + ShownFixed(t.m_dX, 15), "f(x)=        ----", "Theta=        ----",
                                     "Slope=        ----"};
    if (IsFinite(t.m_dY))
        texts[1] = "f(x)= " + ShownFixed(t.m_dY, 15);
    if (IsFinite(t.m_dY) && IsNumber(t.m_dSlope)) {
        texts[2] = "Theta= " + ShownFixed(t.m_dTheta, 4);
        texts[3] = "Slope= " + ShownFixed(t.m_dSlope, 15);
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
    return "(" + ShownFixed(x, 6) + ", " + TraceResultText(y, scientific) + ")";
}
