#include "core/expr/RandomExpression.h"
#include "core/expr/Expression.h"

#include <gtest/gtest.h>
#include <muParser.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

// Our value against muParser's on random fully bracketed expressions.
TEST(MuParserDifferential, AgreesOnRandomExpressions)
{
    std::mt19937 rng(2026);
    const double xs[] = {-3.5, -1.0, -0.25, 0.0, 0.5, 1.0, 2.0, 7.25};
    int compared = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        const RandomExpression expr = MakeRandomExpression(rng, 4, false);
        CExpression ours;
        ours.SetExpression(expr.ours);
        ASSERT_EQ(CheckSyntax(ours.m_strCoded), 0) << expr.ours;

        double x = 0;
        mu::Parser theirs;
        theirs.DefineVar("x", &x);
        theirs.SetExpr(expr.theirs);
        for (double at : xs) {
            x = at;
            const double a = ours.Evaluate(at);
            const double b = theirs.Eval();
            if (std::isnan(b)) {
                EXPECT_TRUE(std::isnan(a)) << expr.ours << " at " << at << ": " << a;
            } else if (std::isinf(b)) {
                // The sign may differ: muParser does not keep the sign of a zero divisor.
                EXPECT_TRUE(std::isinf(a)) << expr.ours << " at " << at << ": " << a;
            } else {
                const double scale = std::max(std::fabs(a), std::fabs(b));
                EXPECT_LE(std::fabs(a - b), 1e-12 * scale) << expr.ours << " at " << at << ": " << a << " vs " << b;
            }
            ++compared;
        }
    }
    EXPECT_EQ(compared, 3000 * 8);
}

}  // namespace
