// Differentiates arbitrary text, then its result again. Whatever comes in,
// nothing may crash, read out of range or hang; a valid function must give
// derivative texts the expression core accepts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/deriv/Derivative.h"
#include "core/expr/Expression.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    CDerivative derivative(text);
    const std::string first = derivative.GetResult();
    derivative.Rederive(first);

    // A function the expression core accepts, handed over in its coded form
    // as the view does, must give derivative texts the core accepts too.
    // The check lets empty brackets pass: no function, that. (An operand
    // after a closing bracket is a product in the coded text by now.)
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
        // Compiling takes the expression core close to a second for texts
        // of hundreds of thousands of characters (a second derivative of a
        // chain of fifty csc); those are left out of the syntax check.
        for (const std::string *d : {&d1, &d2}) {
            if (d->empty() || d->size() > 100000)
                continue;
            CExpression e;
            e.SetExpression(*d);
            if (CheckSyntax(e.m_strCoded) != 0)
                std::abort();
        }
    }
    return 0;
}
