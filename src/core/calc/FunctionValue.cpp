#include "core/calc/FunctionValue.h"

#include "core/expr/Expression.h"
#include "core/expr/FunctionText.h"

SCalcResult FunctionValue(const std::string &strFunction, double x, const SParameterValues &parameters)
{
    SCalcResult result;
    if (IsBlankText(strFunction)) {
        result.strReason = "no function";
        return result;
    }
    CExpression function;
    function.SetParameters(parameters);
    function.SetExpression(LowerAscii(strFunction));
    if (const int code = CheckSyntax(function.m_strCoded); code != 0 || !function.IsWellFormed()) {
        result.strReason = "F(x) is not a function the graph can read";
        return result;
    }
    result.dValue = function.Evaluate(x);
    return result;
}
