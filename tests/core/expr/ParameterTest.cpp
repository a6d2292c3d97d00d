// Parameter letters: how they are coded and checked, and that every
// evaluator reads the value set last, without compiling again.
#include "core/expr/ConstantValue.h"
#include "core/expr/Expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace {

bool SameBits(double a, double b) { return std::isnan(a) ? std::isnan(b) : std::memcmp(&a, &b, sizeof a) == 0; }

TEST(ParameterText, IsCodedAsItsOwnLetterWithTheProductsOfX)
{
    const struct { const char *text, *coded; } cases[] = {
        {"a*sin(b*x+c)", "a*A(b*x+c))"}, {"(x-h)^2+k", "(x-h)^2+k)"}, {"m*x+q", "m*x+q)"}, {"2a x", "2*a*x)"},
        {"2a", "2*a)"}, {"ax", "a*x)"}, {"xa", "x*a)"}, {"a(x+1)", "a*(x+1))"}, {"(x+1)a", "(x+1)*a)"}, {"ab", "a*b)"},
        {"abx", "a*b*x)"}, {"a2", "a*2)"}, {"a.5", "a*.5)"}, {"ae", "a*2.718281828)"}, {"ea", "2.718281828*a)"},
        {"api", "a*3.141592654)"}, {"pia", "3.141592654*a)"}, {"ppi", "p*3.141592654)"}, {"pi", "3.141592654)"},
        {"a-b", "a-b)"}, {"-a", "~a)"}, {"a^-b", "a^~b)"}, {"a*-b", "a*~b)"}, {"k sin x", "k*Ax)"},
        {"sin a", "Aa)"}, {"sin(h)", "A(h))"}, {"sin-a", "A~a)"}, {"ln(a x)", "Y(a*x))"}, {"(x-h)(x-k)", "(x-h)*(x-k))"},
        // Names win: what a name can take stays the name.
        {"abs(x)", "$(x))"}, {"absx", "$x)"}, {"asin x", "Gx)"}, {"a sin x", "Gx)"}, {"sinh x", "Mx)"},
        {"sech", "Q)"}, {"cosec", "B2.718281828*c)"}, {"sqr(x)", "s*q*r*(x))"},
    };
    for (const auto &c : cases) {
        CExpression e;
        e.SetExpression(c.text);
        EXPECT_EQ(e.m_strCoded, c.coded) << c.text;
    }
}

TEST(ParameterText, StandsWhereAnOperandMayAndOtherLettersStayRefused)
{
    const struct { const char *text; int code; } cases[] = {
        {"a", 0}, {"a+b*x", 0}, {"sin(a)", 0}, {"x^a", 0}, {"-a", 0}, {"a+", 2}, {"+a", 2}, {"a*/b", 2},
        {"a)", 3}, {"(a", 3}, {"a$", 1}, {"f*x", 1}, {"g", 1}, {"a+y", 1}, {"a+z", 1}, {"sin", 2}, {"a.", 2},
    };
    for (const auto &c : cases) {
        CExpression e;
        e.SetExpression(c.text);
        EXPECT_EQ(CheckSyntax(e.m_strCoded), c.code) << c.text;
        EXPECT_EQ(e.IsWellFormed(), c.code == 0) << c.text;
    }
}

TEST(ParameterValue, IsOneUntilSetAndListedAlphabetically)
{
    CExpression e;
    e.SetExpression("k*sin(b*x+c)-h");
    EXPECT_EQ(e.UsedParameters(), "bchk");
    EXPECT_EQ(e.Evaluate(2.0), 1.0 * std::sin(1.0 * 2.0 + 1.0) - 1.0);
    ASSERT_TRUE(e.SetParameter('k', 2.5));
    ASSERT_TRUE(e.SetParameter('b', -3.0));
    ASSERT_TRUE(e.SetParameter('c', 0.25));
    EXPECT_EQ(e.Evaluate(2.0), 2.5 * std::sin(-3.0 * 2.0 + 0.25) - 1.0);
    for (const char *text : {"abs(x)", "pi*e*x", "sinh(x)", ""}) {
        e.SetExpression(text);
        EXPECT_EQ(e.UsedParameters(), "") << text;
    }
    e.SetExpression("q+r+q+");  // refused, yet its letters are known
    EXPECT_EQ(e.UsedParameters(), "qr");
}

TEST(ParameterValue, RefusesLettersThatAreNoParameterAndValuesThatAreNotFinite)
{
    CExpression e;
    e.SetExpression("a*x");
    for (char letter : {'x', 'e', 'f', 'y', 'A', '1', '\0'})
        EXPECT_FALSE(e.SetParameter(letter, 2.0)) << letter;
    for (double v : {NAN, INFINITY, -INFINITY})
        EXPECT_FALSE(e.SetParameter('a', v));
    SParameterValues values;
    values.Set('b', NAN);
    EXPECT_FALSE(e.SetParameters(values));
    EXPECT_EQ(e.Evaluate(3.0), 3.0);
}

// The value is written into the compiled program: the text is not read
// again (a text changed behind the object's back changes nothing).
TEST(ParameterValue, ChangesWithoutCompilingAgain)
{
    CExpression e;
    e.SetExpression("a*x^2+b");
    const std::string postfix = e.m_strPostfix;
    const auto codes = e.TokenCodes();
    e.m_strText = "x";
    e.m_strCoded = "x)";
    e.SetParameter('a', 3.0);
    e.SetParameter('b', -1.0);
    EXPECT_EQ(e.Evaluate(2.0), 11.0);
    EXPECT_EQ(e.m_strPostfix, postfix);
    EXPECT_EQ(e.TokenCodes(), codes);
    SParameterValues values;
    values.Set('a', 0.5);
    ASSERT_TRUE(e.SetParameters(values));
    EXPECT_EQ(e.Evaluate(2.0), 3.0);  // b is back to 1
}

TEST(ParameterValue, GoesWithCopiesAndStaysThroughANewText)
{
    CExpression e;
    e.SetExpression("a*x");
    e.SetParameter('a', 4.0);
    CExpression copy = e;
    e.SetParameter('a', 5.0);
    EXPECT_EQ(copy.Evaluate(2.0), 8.0);
    EXPECT_EQ(e.Evaluate(2.0), 10.0);
    e.SetExpression("x+a");
    EXPECT_EQ(e.Evaluate(2.0), 7.0);
}

// A derivative restricted to its function: the domain moves with the value.
TEST(ParameterValue, RulesTheRestrictingFunctionToo)
{
    CExpression f, d;
    f.SetExpression("ln(a-x)");
    d.SetExpression("-1/(a-x)");
    d.SetParameter('a', 3.0);
    d.RestrictTo(f);
    EXPECT_EQ(d.Evaluate(2.0), -1.0);
    d.SetParameter('a', 1.0);
    EXPECT_TRUE(std::isnan(d.Evaluate(2.0)));
    double x = 2.0;
    d.EvaluateMany(&x, &x, 1);
    EXPECT_TRUE(std::isnan(x));
    EXPECT_TRUE(d.Range(1.5, 2.5, 1.0).IsEmpty());
}

TEST(ParameterValue, IsNoConstantForANumberField)
{
    for (const char *text : {"a", "2a", "pi*k", "sin(b)"})
        EXPECT_FALSE(ReadConstantValue(text).has_value()) << text;
    EXPECT_EQ(ReadConstantValue("2pi"), 2 * 3.141592653589793);
}

// Random functions written twice: with parameter letters, and with their
// values written in as numbers. Both evaluators give the numbers' bits, and
// the interval evaluator holds every value.
struct SPair
{
    std::string letters, numbers;
};

SPair RandomPair(std::mt19937 &rng, int depth, const double *values)
{
    const int roll = std::uniform_int_distribution<int>(0, 99)(rng);
    if (depth <= 0 || roll < 20) {
        static const char *const kLeaves[] = {"x", "2", "0.5", "3"};
        if (roll % 2 == 0) {
            const int k = roll / 2 % 4;
            char number[40];
            std::snprintf(number, sizeof number, "(%.17g)", values[k]);
            return {std::string(1, "ahkq"[k]), number};
        }
        return {kLeaves[roll / 2 % 4], kLeaves[roll / 2 % 4]};
    }
    if (roll < 45) {
        static const char *const kNames[] = {"sin", "cos", "exp", "sqrt", "ln", "abs", "atan", "tanh", "-"};
        const std::string name = kNames[roll % 9];
        const SPair a = RandomPair(rng, depth - 1, values);
        return {name + "(" + a.letters + ")", name + "(" + a.numbers + ")"};
    }
    const SPair a = RandomPair(rng, depth - 1, values), b = RandomPair(rng, depth - 1, values);
    const std::string op(1, "+-*/^"[roll % 5]);
    return {"(" + a.letters + ")" + op + "(" + b.letters + ")", "(" + a.numbers + ")" + op + "(" + b.numbers + ")"};
}

TEST(ParameterValue, EveryEvaluatorReadsTheValueAsANumberWrittenIn)
{
    std::mt19937 rng(20261207);
    std::uniform_real_distribution<double> value(-4.0, 4.0);
    const double xs[] = {-2.25, -0.5, 0.0, 0.75, 1.5, 3.0};
    for (int trial = 0; trial < 1500; ++trial) {
        double values[4];
        for (double &v : values)
            v = trial % 7 == 0 ? std::round(value(rng)) : value(rng);
        const SPair pair = RandomPair(rng, 4, values);
        CExpression withLetters, withNumbers;
        withLetters.SetExpression(pair.letters);
        withNumbers.SetExpression(pair.numbers);
        ASSERT_TRUE(withLetters.IsWellFormed()) << pair.letters;
        for (int k = 0; k < 4; ++k)
            withLetters.SetParameter("ahkq"[k], values[k]);
        const bool degree = trial % 5 == 0;
        double bulk[std::size(xs)];
        withLetters.m_bDegree = degree;
        withLetters.EvaluateMany(xs, bulk, std::size(xs));
        for (std::size_t i = 0; i < std::size(xs); ++i) {
            withLetters.m_bDegree = degree;
            withNumbers.m_bDegree = degree;
            const double single = withLetters.Evaluate(xs[i]);
            ASSERT_TRUE(SameBits(single, withNumbers.Evaluate(xs[i])))
                << pair.letters << " / " << pair.numbers << " at " << xs[i];
            ASSERT_TRUE(SameBits(bulk[i], single)) << pair.letters << " bulk at " << xs[i];
        }
        const double k = degree ? withLetters.TakeAngleFactor() : 1.0;
        const SInterval range = withLetters.Range(-0.5, 0.75, k);
        // Infinities on the way are poles, which the sets flag, not hold.
        if (range.flags & (SInterval::kPartUndefined | SInterval::kPole))
            continue;
        for (double x : {-0.5, -0.25, 0.0, 0.5, 0.75}) {
            const double v = withLetters.ValueAt(x, k);
            if (!std::isfinite(v))
                continue;
            ASSERT_TRUE(range.Contains(v)) << pair.letters << " at " << x << ": " << v << " outside [" << range.lo
                                           << ", " << range.hi << "]";
        }
    }
}

}  // namespace
