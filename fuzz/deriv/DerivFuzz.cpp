// Differentiates arbitrary text, then its result again. Whatever comes in,
// nothing may crash, read out of range or hang; a valid function must give
// derivative texts the expression core accepts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "deriv/Derivative.h"
#include "expr/Expression.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    CDerivative derivative(text);
    const std::string first = derivative.GetResult();
    derivative.Rederive(first);

    // A function the expression core accepts, handed over in its coded form
    // as the view does, must give derivative texts the core accepts too.
    // The check lets operands meet without an operator after a bracket
    // ("(x+1)(x-1)", "(x)x") and empty brackets pass: no functions, those.
    CExpression f;
    f.SetExpression(text);
    const std::string &c = f.m_strCoded;
    bool juxtaposed = false;
    for (std::size_t i = 0; i + 1 < c.size(); ++i)
        juxtaposed = juxtaposed || (c[i] == '(' && c[i + 1] == ')') ||
                     (c[i] == ')' && std::strchr("(x.0123456789", c[i + 1]) != nullptr);
    if (!text.empty() && CheckSyntax(c) == 0 && f.IsWellFormed() && !juxtaposed) {
        CDerivative coded(f.m_strCoded);
        const std::string d1 = coded.GetResult();
        coded.Rederive(d1);
        const std::string d2 = coded.GetResult();
        CExpression e1;
        e1.SetExpression(d1);
        CExpression e2;
        e2.SetExpression(d2);
        if (!d1.empty() && (CheckSyntax(e1.m_strCoded) != 0 || CheckSyntax(e2.m_strCoded) != 0))
            std::abort();
    }
    return 0;
}
