#include "core/analysis/Integration.h"
#include "core/expr/NumberText.h"
#include "core/expr/Expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace {

using R = EIntegrationRule;
constexpr R kRules[] = {R::MidPoint, R::Trapezoid, R::Simpson};

double Integral(const std::string &text, double a, double b, double h, R rule)
{
    CExpression f;
    f.SetExpression(text);
    return Integrate(f, a, b, h, rule).value;
}

TEST(Integration, ConstantCoversTheIntervalExactlyForEveryRuleAndStep)
{
    // Stepping x by repeated addition gives 1.2 for h = 0.3 and 1.1 for h = 0.1.
    for (double h : {0.01, 0.1, 0.3, 0.5, 0.7, 1.0, 0.00001})
        for (R rule : kRules) {
            SCOPED_TRACE(testing::Message() << "h=" << h << " rule=" << static_cast<int>(rule));
            const double r = Integral("1", 0, 1, h, rule);
            EXPECT_NEAR(r, 1.0, 1e-12);
            EXPECT_EQ(FormatFixed(r, 6), "1.000000");
        }
}

TEST(Integration, NoSampleLeavesTheInterval)
{
    // A sub-interval beyond b would sample asin outside its domain.
    for (R rule : kRules)
        EXPECT_NEAR(Integral("asin(x)", 0, 1, 0.5, rule), std::numbers::pi / 2 - 1, 0.1) << static_cast<int>(rule);
}

TEST(Integration, StepsComeFromTheIndexFarFromZero)
{
    EXPECT_EQ(IntegrationSteps(0, 1, 0.3), 3);
    EXPECT_EQ(IntegrationSteps(0, 1, 0.7), 1);
    EXPECT_EQ(IntegrationSteps(0, 1, 2), 1);
    EXPECT_EQ(IntegrationSteps(1e6, 1e6 + 1, 0.01), 100);
    EXPECT_EQ(IntegrationSteps(3, 3, 0.01), 0);
    for (R rule : kRules) {
        EXPECT_NEAR(Integral("1", 1e9, 1e9 + 2, 0.01, rule), 2.0, 1e-6);
        EXPECT_NEAR(Integral("x", -1e6 - 1, -1e6 + 1, 0.001, rule), -2e6, 1e-3);
    }
}

TEST(Integration, MidPointValueIsTheFunctionAtTheMiddle)
{
    // The mean of both ends would make the mid-point rule the trapezoid rule.
    EXPECT_EQ(FormatFixed(Integral("x^2", 0, 1, 0.01, R::MidPoint), 6), "0.333325");
    EXPECT_EQ(FormatFixed(Integral("x^2", 0, 1, 0.01, R::Trapezoid), 6), "0.333350");
    EXPECT_EQ(FormatFixed(Integral("x^2", 0, 1, 0.01, R::Simpson), 6), "0.333333");
}

TEST(Integration, EqualLimitsGiveZero)
{
    for (R rule : kRules) {
        EXPECT_EQ(Integral("x^2+5", 2, 2, 0.01, rule), 0.0);
        EXPECT_EQ(Integral("ln(x)", -1, -1, 0.01, rule), 0.0);
    }
}

TEST(Integration, UndefinedSamplesAndBadLimitsGiveNaN)
{
    for (R rule : kRules) {
        EXPECT_TRUE(std::isnan(Integral("ln(x)", -1, 1, 0.01, rule)));
        EXPECT_TRUE(std::isnan(Integral("1", 1, 0, 0.01, rule)));  // reversed
        EXPECT_TRUE(std::isnan(Integral("1", 0, 1, 0, rule)));
        EXPECT_TRUE(std::isnan(Integral("1", 0, 1, -0.1, rule)));
        EXPECT_TRUE(std::isnan(Integral("1", 0, INFINITY, 0.1, rule)));
        EXPECT_TRUE(std::isnan(Integral("1", NAN, 1, 0.1, rule)));
    }
    // A pole at an end is infinite, not undefined; only the rules that
    // sample the end see it.
    EXPECT_TRUE(std::isinf(Integral("1/x", 0, 1, 0.1, R::Trapezoid)));
    EXPECT_TRUE(std::isfinite(Integral("1/x", 0, 1, 0.1, R::MidPoint)));
}

TEST(Integration, HugeLimitsNeitherHangNorOverflow)
{
    // 2e308 does not fit a double, its n-th part does.
    CExpression f;
    f.SetExpression("1");
    int calls = 0;
    const SIntegral r = Integrate(f, -1e308, 1e308, 1.0, R::Trapezoid, [&](double) { return ++calls < 3; });
    EXPECT_TRUE(r.cancelled);
}

TEST(Integration, ProgressReportsGrowingSharesAndCancelStops)
{
    CExpression f;
    f.SetExpression("sin(x)*x^2");
    for (R rule : kRules) {
        double last = 0;
        int calls = 0;
        const SIntegral full = Integrate(f, 0, 10, 0.00001, rule, [&](double share) {
            EXPECT_GE(share, last);
            EXPECT_LE(share, 1.0);
            last = share;
            ++calls;
            return true;
        });
        EXPECT_FALSE(full.cancelled);
        EXPECT_GT(calls, 0);
        EXPECT_NEAR(full.value, -100 * std::cos(10.0) + 20 * std::sin(10.0) + 2 * std::cos(10.0) - 2, 1e-6);

        calls = 0;
        const SIntegral stopped = Integrate(f, 0, 10, 0.00001, rule, [&](double) { return ++calls < 2; });
        EXPECT_TRUE(stopped.cancelled);
        EXPECT_EQ(calls, 2);
    }
}

// Closed forms: Simpson's rule with h = 0.01 gives the six decimals shown,
// and halving h divides each rule's error by 2^order.
struct SOracle
{
    const char *text;
    double a, b;
    double exact;
};

const double kE = 2.718281828;  // the expression core's e
const double kPi = std::numbers::pi;

const SOracle kOracles[] = {
    {"x^2", 0, 1, 1.0 / 3},
    {"x^3", -1, 2, 3.75},
    {"x^4", 0, 2, 6.4},
    {"3*x^2-2*x+1", -1, 1, 4},
    {"x^5-x", -2, 3, 729.0 / 6 - 4.5 - 64.0 / 6 + 2},
    {"sin(x)", 0, kPi, 2},
    {"cos(x)", 0, 1, std::sin(1.0)},
    {"sin(2*x)", 0, 1, (1 - std::cos(2.0)) / 2},
    {"x*sin(x)", 0, kPi, kPi},
    {"(cos(x))^2", 0, kPi, kPi / 2},
    {"tan(x)", 0, 1, -std::log(std::cos(1.0))},
    {"e^x", 0, 1, (kE - 1) / std::log(kE)},
    {"2^x", 0, 3, 7 / std::log(2.0)},
    {"x*2^x", 0, 1, 2 / std::log(2.0) - 1 / (std::log(2.0) * std::log(2.0))},
    {"1/(1+x^2)", 0, 1, kPi / 4},
    {"1/(x^2+4)", 0, 2, kPi / 8},
    {"1/x", 1, 2, std::log(2.0)},
    {"1/(x+1)^2", 0, 3, 0.75},
    {"x^0.5", 1, 4, 14.0 / 3},
    {"ln(x)", 1, 2, 2 * std::log(2.0) - 1},
    {"sinh(x)", 0, 1, std::cosh(1.0) - 1},
    {"cosh(x)", -1, 1, 2 * std::sinh(1.0)},
    {"atan(x)", 0, 1, kPi / 4 - std::log(2.0) / 2},
    {"1/(2+sin(x))", 0, 2 * kPi, 2 * kPi / std::sqrt(3.0)},
};

class IntegrationOracle : public testing::TestWithParam<SOracle>
{
};

TEST_P(IntegrationOracle, SimpsonGivesSixDecimals)
{
    const SOracle &o = GetParam();
    EXPECT_NEAR(Integral(o.text, o.a, o.b, 0.01, R::Simpson), o.exact, 1e-7);
}

TEST_P(IntegrationOracle, ErrorShrinksAtEachRulesOrder)
{
    const SOracle &o = GetParam();
    const struct { R rule; double h; int order; } rules[] = {
        {R::MidPoint, 0.1, 2}, {R::Trapezoid, 0.1, 2}, {R::Simpson, 0.25, 4}};
    for (const auto &r : rules) {
        SCOPED_TRACE(static_cast<int>(r.rule));
        const double coarse = std::fabs(Integral(o.text, o.a, o.b, r.h, r.rule) - o.exact);
        const double fine = std::fabs(Integral(o.text, o.a, o.b, r.h / 2, r.rule) - o.exact);
        if (coarse < 1e-11)
            continue;  // the rule is exact for this function
        // At least the rule's order; some functions do better (Simpson's
        // leading error vanishes where f''' is 0 at both ends).
        EXPECT_GT(coarse / fine, std::pow(2.0, r.order) * 0.8);
    }
}

void PrintTo(const SOracle &o, std::ostream *os) { *os << o.text; }

std::string OracleName(const testing::TestParamInfo<SOracle> &info)
{
    return "f" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(ClosedForms, IntegrationOracle, testing::ValuesIn(kOracles), OracleName);

}  // namespace
