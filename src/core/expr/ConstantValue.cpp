#include "core/expr/ConstantValue.h"

#include "core/expr/Expression.h"
#include "core/expr/FunctionText.h"
#include "core/expr/NumberText.h"

#include <cmath>

std::optional<double> ReadConstantValue(const std::string &text, bool degrees)
{
    const std::string lower = LowerAscii(text);
    const SWholeNumber number = ExamineNumber(lower);
    if (number.kind == NumberKind::Number)
        return number.value;
    if (number.kind != NumberKind::NotNumber || IsBlankText(lower))
        return std::nullopt;
    CExpression constant;
    constant.SetExpression(lower);
    // A parameter has no value of its own to give a number field.
    if (CheckSyntax(constant.m_strCoded) != 0 || !constant.XPositions().empty() || !constant.UsedParameters().empty())
        return std::nullopt;
    constant.m_bDegree = degrees;
    const double value = constant.Evaluate(0.0);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}
