// Compiles arbitrary text, checks its syntax and evaluates it at a few
// points, singly and in bulk, with its parameters at 1 and at other values;
// the two must agree.
#include "core/expr/Expression.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    CExpression e;
    e.SetExpression(text);
    const int code = CheckSyntax(e.m_strCoded);
    if (code < 0 || code > 3)
        std::abort();
    (void)CheckSyntax(text);
    (void)CodeExpression(text);

    const double xs[] = {-2.5, -1.0, 0.0, 0.5, 3.0, 1e300, NAN};
    // Parameters at 1 first, then at values picked by the text.
    static const double kValues[] = {0.0, -1.0, 2.5, -1e-300, 1e300, 7.0};
    for (int round = 0; round < 2; ++round) {
        if (round == 1) {
            if (e.UsedParameters().empty())
                break;
            for (char letter : e.UsedParameters())
                if (!e.SetParameter(letter, kValues[(static_cast<unsigned char>(letter) + size) % std::size(kValues)]))
                    std::abort();
        }
        double bulk[std::size(xs)];
        e.m_bDegree = size % 2 == 1;
        e.EvaluateMany(xs, bulk, std::size(xs));
        for (std::size_t i = 0; i < std::size(xs); ++i) {
            e.m_bDegree = size % 2 == 1;
            const double v = e.Evaluate(xs[i]);
            if (std::isnan(v) != std::isnan(bulk[i]) || (!std::isnan(v) && std::memcmp(&v, &bulk[i], sizeof v) != 0))
                std::abort();
        }
    }
    CExpression copy = e;
    (void)copy.Evaluate(1.0);
    return 0;
}
