#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "core/deriv/Derivative.h"
#include "core/deriv/Simplify.h"
#include "core/expr/Expression.h"

namespace {

// The derivative texts of the valid-text table, as they were before
// parameter letters existed ("-" where the table kept none).
TEST(DerivativeOfValidTexts, IsTheTextItWas)
{
    std::ifstream in(CORVANTA_VALID_TEXTS);
    int compared = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string text, coded, values, derivative;
        std::getline(fields, text, '\t');
        std::getline(fields, coded, '\t');
        std::getline(fields, values, '\t');
        std::getline(fields, derivative, '\t');
        if (derivative == "-")
            continue;
        CExpression f;
        f.SetExpression(text);
        EXPECT_EQ(CDerivative(f.m_strCoded).GetResult(), derivative) << text;
        ++compared;
    }
    EXPECT_GT(compared, 1000);
}

}  // namespace

namespace {

TEST(DerivativeOfParameters, KeepsTheLettersAsConstants)
{
    const struct { const char *text, *derivative; } cases[] = {
        {"a*sin(b*x+c)", "a*cos(b*x+c)*b"}, {"(x-h)^2+k", "2*(x-h)"}, {"m*x+q", "m"}, {"a*x^n", "a*n*x^(n-1)"},
        {"e^(k x)", "k*e^(k*x)"}, {"a-b*x", "-b"}, {"a^x", "a^x*ln(a)"}, {"2a x", "2*a"}, {"-a*x", "-a"},
        {"a*(x-b)^2", "a*2*(x-b)"}, {"ab", "0"}, {"x*a*0", "0"}, {"1*a*x", "a"}, {"x*2*pi*r", "r*pi*2"},
        // A parameter that is a function's argument keeps its brackets: sinh is another function.
        {"x*sin(h)", "sin(h)"}, {"x*cos(h)", "cos(h)"}, {"x*tan(h)", "tan(h)"}, {"x*ln(a)", "ln(a)"},
        {"x*sec(h)", "sec(h)"}, {"x*abs(s)", "abs(s)"}, {"x*sin(pi*a)", "sin(pi*a)"}, {"x*cos(p)", "cos(p)"},
    };
    for (const auto &c : cases) {
        CExpression f;
        f.SetExpression(c.text);
        EXPECT_EQ(CDerivative(f.m_strCoded).GetResult(), c.derivative) << c.text;
    }
}

// A group with a parameter is no constant, however many digits it has.
TEST(DerivativeOfParameters, SimplifierNeverFoldsALetter)
{
    const struct { const char *raw, *simplified; } cases[] = {
        {"(2*a)*(1)", "2*a"}, {"(a)*(0)+(x)*(1)", "x"}, {"(1)*(a)", "a"}, {"(2+3)*(a-1)", "5*(a-1)"},
        {"a-(b-c)", "a-(b-c)"}, {"a+(b+c)", "a+b+c"}, {"-(a)", "-a"}, {"a-0*x", "a"}, {"sin(a*2)", "A(a*2)"},
    };
    for (const auto &c : cases) {
        std::string text = c.raw;
        Simplify(text);
        EXPECT_EQ(text, c.simplified) << c.raw;
    }
}

// With the letters set, the derivative's value is the slope of the function:
// a central difference, checked at drawn values and points.
TEST(DerivativeOfParameters, IsTheSlopeAtTheValuesSet)
{
    const char *texts[] = {"a*sin(b*x+c)", "(x-h)^2+k", "a*x^n", "e^(k x)", "a^x", "m*x+q",
                           "a*ln(b*x)", "sqrt(a*x+b)", "a/(x^2+b)", "cos(a x)^2*d", "t*x*exp(-s*x)"};
    std::mt19937 draw(2026);
    std::uniform_real_distribution<double> value(0.5, 3.0), point(0.2, 2.0);
    for (const char *text : texts) {
        CExpression f, d;
        f.SetExpression(text);
        d.SetExpression(CDerivative(f.m_strCoded).GetResult());
        for (int trial = 0; trial < 20; ++trial) {
            SParameterValues values;
            for (const char letter : f.UsedParameters())
                values.Set(letter, value(draw));
            f.SetParameters(values);
            d.SetParameters(values);
            const double x = point(draw), h = 1e-5 * std::max(1.0, std::abs(x));
            const double slope = (f.Evaluate(x + h) - f.Evaluate(x - h)) / (2 * h);
            EXPECT_NEAR(d.Evaluate(x), slope, 1e-6 * std::max(1.0, std::abs(slope))) << text << " at " << x;
        }
    }
}

}  // namespace
