#include "core/expr/ConstantValue.h"

#include "core/expr/Expression.h"
#include "core/expr/FunctionText.h"
#include "core/expr/NumberText.h"

#include <cmath>

std::optional<double> ReadConstantValue(const std::string &text)
{
    const SWholeNumber number = ExamineNumber(text);
    if (number.kind == NumberKind::Number)
        return number.value;
    if (number.kind != NumberKind::NotNumber || IsBlankText(text))
        return std::nullopt;
    const std::string lower = LowerAscii(text);
    CExpression constant;
    constant.SetExpression(lower);
    if (CheckSyntax(constant.m_strCoded) != 0 || !constant.XPositions().empty())
        return std::nullopt;
    const double value = constant.Evaluate(0.0);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}
