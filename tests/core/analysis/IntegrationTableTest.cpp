#include "core/analysis/IntegralLabel.h"
#include "core/analysis/Integration.h"
#include "core/analysis/PointsTable.h"
#include "core/analysis/Tangent.h"
#include "core/analysis/TraceText.h"
#include "core/deriv/Derivative.h"
#include "core/expr/Expression.h"
#include "core/expr/ShownNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <numbers>
#include <string>
#include <vector>

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
        for (R rule : kRules)
            EXPECT_EQ(FormatFixed(Integral("1", 0, 1, h, rule), 6), "1.000000") << h << " " << static_cast<int>(rule);
}

TEST(Integration, StepsComeFromTheIndexAndNoSampleLeavesTheInterval)
{
    EXPECT_EQ(IntegrationSteps(0, 1, 0.3), 3);
    EXPECT_EQ(IntegrationSteps(0, 1, 0.7), 1);
    EXPECT_EQ(IntegrationSteps(0, 1, 2), 1);
    EXPECT_EQ(IntegrationSteps(1e6, 1e6 + 1, 0.01), 100);
    EXPECT_EQ(IntegrationSteps(3, 3, 0.01), 0);
    for (R rule : kRules) {
        SCOPED_TRACE(static_cast<int>(rule));
        EXPECT_NEAR(Integral("1", 1e9, 1e9 + 2, 0.01, rule), 2.0, 1e-6);
        EXPECT_NEAR(Integral("x", -1e6 - 1, -1e6 + 1, 0.001, rule), -2e6, 1e-3);
        // A sub-interval beyond b would sample asin outside its domain.
        EXPECT_NEAR(Integral("asin(x)", 0, 1, 0.5, rule), std::numbers::pi / 2 - 1, 0.1);
    }
    // The mean of both ends would make the mid-point rule the trapezoid rule.
    EXPECT_EQ(FormatFixed(Integral("x^2", 0, 1, 0.01, R::MidPoint), 6), "0.333325");
    EXPECT_EQ(FormatFixed(Integral("x^2", 0, 1, 0.01, R::Trapezoid), 6), "0.333350");
    EXPECT_EQ(FormatFixed(Integral("x^2", 0, 1, 0.01, R::Simpson), 6), "0.333333");
}

TEST(Integration, EqualLimitsGiveZeroUndefinedSamplesAndBadLimitsNaN)
{
    const struct { const char *text; double a, b, h, expected; } cases[] = {
        {"x^2+5", 2, 2, 0.01, 0}, {"ln(x)", -1, -1, 0.01, 0}, {"ln(x)", -1, 1, 0.01, NAN}, {"1", 1, 0, 0.01, NAN},
        {"1", 0, 1, 0, NAN}, {"1", 0, 1, -0.1, NAN}, {"1", 0, INFINITY, 0.1, NAN}, {"1", NAN, 1, 0.1, NAN},
    };
    for (const auto &c : cases)
        for (R rule : kRules) {
            const double v = Integral(c.text, c.a, c.b, c.h, rule);
            EXPECT_TRUE(std::isnan(c.expected) ? std::isnan(v) : v == c.expected) << c.text << " " << c.a << " " << v;
        }
}

// None of these integrals exists: every rule names the pole instead of a
// number, whether a sample lands on it, beside it or it lies at an end.
TEST(Integration, PoleInsideOrAtAnEndGivesNoNumber)
{
    const double pi = std::numbers::pi;
    const struct { const char *text; double a, b, pole; } cases[] = {
        {"1/(x-1)", 0, 3, 1},    {"tan(x)", 0, 3, pi / 2},          {"1/x^2", -1, 1, 0},
        {"1/x", -1, 1, 0},       {"1/x", 0, 1, 0},                  {"1/(x-0.70711)^2", 0, 2, 0.70711},
        {"-1/(x-2.5)", 0, 2.5, 2.5}, {"1/(x-1.23456)^3", -2, 2, 1.23456}, {"1/((x-0.3)^2)^0.5", 0, 1, 0.3},
    };
    for (const auto &c : cases)
        for (const double h : {0.01, 0.001, 0.3})
            for (R rule : kRules) {
                SCOPED_TRACE(testing::Message() << c.text << " h " << h << " rule " << static_cast<int>(rule));
                CExpression f;
                f.SetExpression(c.text);
                const SIntegral r = Integrate(f, c.a, c.b, h, rule);
                ASSERT_TRUE(r.pole.has_value()) << r.value;
                EXPECT_NEAR(*r.pole, c.pole, h);
            }
    CExpression f;
    f.SetExpression("1/(x-1)");
    EXPECT_EQ(IntegralText(Integrate(f, 0, 3, 0.01, R::MidPoint)),
              "The function has a pole near x = 1: the integral does not exist on this interval.");
}

// The value shown lies within its error estimate of the closed form: at an
// integrable singular upper end (where the rule avoids it), near a pole and
// at a steep step; a rule that samples an unbounded end says so instead.
// Singular lower ends and narrow peaks are the random integrands' (IntegrationProperty).
TEST(IntegrationOracle, ValueLiesWithinItsErrorEstimate)
{
    const double pi = std::numbers::pi;
    const struct { const char *text; double a, b, exact; bool singularEnd; } cases[] = {
        {"(1-x)^(-0.3)", 0, 1, 1 / 0.7, true},
        {"x/(x^2+0.000001)", -1, 2, 0.5 * std::log((4 + 1e-6) / (1 + 1e-6)), false},
        {"atan(1000*x)", -1, 2, 2 * std::atan(2000.0) - std::log1p(4e6) / 2000 - std::atan(1000.0) +
                                    std::log1p(1e6) / 2000, false},
        {"x^2", 0, 1, 1.0 / 3, false},
        {"sin(x)", 0, pi, 2, false},
    };
    int estimated = 0;
    for (const auto &c : cases)
        for (const double h : {0.01, 0.001, 0.0001})
            for (R rule : kRules) {
                SCOPED_TRACE(testing::Message() << c.text << " h " << h << " rule " << static_cast<int>(rule));
                CExpression f;
                f.SetExpression(c.text);
                const SIntegral r = Integrate(f, c.a, c.b, h, rule);
                ASSERT_FALSE(r.pole.has_value()) << *r.pole;
                if (c.singularEnd && rule != R::MidPoint) {
                    EXPECT_TRUE(r.unboundedEnd.has_value());
                    continue;
                }
                ASSERT_TRUE(HasIntegralValue(r)) << IntegralText(r);
                if (r.errorEstimate) {
                    ++estimated;
                    EXPECT_LE(std::fabs(r.value - c.exact), *r.errorEstimate) << r.value;
                }
            }
    EXPECT_GT(estimated, 35);
    // (10^6 + 1)^3 / 3 - 10^18 / 3 = 10^12 + 10^6 + 1/3.
    EXPECT_NEAR(Integral("x^2", 1e6, 1e6 + 1, 1e-5, R::Simpson), 1e12 + 1e6 + 1.0 / 3, 1e-4);
}

TEST(IntegrationOracle, RefusalsAndNotesSayWhatHappened)
{
    const auto result = [](const char *text, double a, double b, double h, R rule) {
        CExpression f;
        f.SetExpression(text);
        return Integrate(f, a, b, h, rule);
    };
    // The rule samples the end where ln is -infinity; the mid-point rule gives -1.
    EXPECT_EQ(IntegralResultText(result("ln(x)", 0, 1, 0.01, R::Trapezoid)),
              "f is unbounded at x = 0, where this rule takes a sample; the mid-point rule avoids it.");
    EXPECT_EQ(IntegralText(result("1/sqrt(x)", 0, 1, 0.01, R::Simpson)),
              "f is unbounded at x = 0, where this rule takes a sample; the mid-point rule avoids it.");
    const SIntegral ln = result("ln(x)", 0, 1, 0.01, R::MidPoint);
    ASSERT_TRUE(ln.errorEstimate.has_value());
    EXPECT_LE(std::fabs(ln.value + 1), *ln.errorEstimate);
    // The trapezoid rule on the narrow peak: its node on the top weighs 10^8;
    // the estimate covers that and calls the step too coarse.
    const SIntegral peak = result("1/(x^2+0.0000000001)", -1, 1, 0.01, R::Trapezoid);
    ASSERT_TRUE(peak.errorEstimate.has_value());
    EXPECT_GE(*peak.errorEstimate, std::fabs(peak.value - 2e5 * std::atan(1e5)));
    EXPECT_NE(IntegralNotes(peak).find("The step is too coarse for this function"), std::string::npos);
    // The mid-point rule misses the top: no order shows, no estimate is given.
    const SIntegral midPeak = result("1/(x^2+0.0000000001)", -1, 1, 0.01, R::MidPoint);
    EXPECT_FALSE(midPeak.pole.has_value());
    EXPECT_FALSE(midPeak.errorEstimate.has_value());
    EXPECT_EQ(ErrorEstimateText(midPeak), "\u00b1 ?");
    EXPECT_NE(IntegralNotes(midPeak).find("No reliable error estimate"), std::string::npos);
    // A smooth integral: value and estimate, no notes.
    EXPECT_EQ(IntegralResultText(result("x^2", 0, 1, 0.01, R::Simpson)).substr(0, 11), "0.333333 \u00b1");
    EXPECT_EQ(IntegralNotes(result("x^2", 0, 1, 0.01, R::Simpson)), "");
}

// One undefined sample with finite limits beside it is bridged and named.
TEST(IntegrationOracle, RemovableGapsAreBridgedAndNamed)
{
    const struct { const char *text; double a, b, exact; const char *note; } cases[] = {
        {"sin(x)/x", -1, 1, 2 * 0.94608307036718301494, "f is undefined at x = 0; its limit there, 1, was used."},
        {"x/abs(x)", -1, 2, 1, "f is undefined at x = 0; its limits there differ (-1 and 1), their mean was used."},
        {"sin(x)/x", 0, 1, 0.94608307036718301494, "f is undefined at x = 0; its limit there, 1, was used."},
    };
    for (const auto &c : cases)
        for (R rule : {R::Trapezoid, R::Simpson}) {
            SCOPED_TRACE(testing::Message() << c.text << " rule " << static_cast<int>(rule));
            CExpression f;
            f.SetExpression(c.text);
            const SIntegral r = Integrate(f, c.a, c.b, 0.01, rule);
            ASSERT_TRUE(HasIntegralValue(r)) << IntegralText(r);
            ASSERT_TRUE(r.errorEstimate.has_value());
            EXPECT_LE(std::fabs(r.value - c.exact), *r.errorEstimate);
            const std::string notes = IntegralNotes(r);
            EXPECT_EQ(notes.substr(notes.find('\n') + 1), c.note);
        }
    // Undefined over a stretch, not at a point: still no value.
    EXPECT_TRUE(std::isnan(Integral("sqrt(x)", -1, 1, 0.01, R::Trapezoid)));
}

// A single trapezoid step across a pole still sees it.
TEST(Integration, OneStepAcrossAPoleSeesIt)
{
    for (const char *text : {"1/(x-0.5)^2", "1/(x-0.4)^2", "1/(x-0.3)", "tan(x)"})
        for (R rule : kRules) {
            CExpression f;
            f.SetExpression(text);
            const double b = std::string(text) == "tan(x)" ? 2.0 : 1.0;
            const SIntegral r = Integrate(f, 0, b, 1.0, rule);
            EXPECT_TRUE(r.pole.has_value()) << text << " " << static_cast<int>(rule) << " " << r.value;
        }
}

TEST(Integration, ProgressReportsGrowingSharesAndCancelStops)
{
    CExpression f;
    f.SetExpression("sin(x)*x^2");
    for (R rule : kRules) {
        double last = 0;
        int calls = 0;
        const SIntegral full = Integrate(f, 0, 10, 0.00001, rule, [&](double share) {
            EXPECT_TRUE(share >= last && share <= 1.0) << share;
            last = share;
            return ++calls > 0;
        });
        EXPECT_FALSE(full.cancelled);
        EXPECT_GT(calls, 0);
        EXPECT_NEAR(full.value, -100 * std::cos(10.0) + 20 * std::sin(10.0) + 2 * std::cos(10.0) - 2, 1e-6);
        calls = 0;
        EXPECT_TRUE(Integrate(f, 0, 10, 0.00001, rule, [&](double) { return ++calls < 2; }).cancelled);
        EXPECT_EQ(calls, 2);
    }
    // 2e308 does not fit a double, its n-th part does: the sums start and can be stopped.
    f.SetExpression("1");
    int calls = 0;
    EXPECT_TRUE(Integrate(f, -1e308, 1e308, 1.0, R::Trapezoid, [&](double) { return ++calls < 3; }).cancelled);
}

// Closed forms: Simpson's rule with h = 0.01 gives the six decimals shown,
// and halving h divides each rule's error by 2^order.
TEST(IntegrationOracle, SimpsonGivesSixDecimalsAndErrorsShrinkAtEachRulesOrder)
{
    const double e = 2.718281828, pi = std::numbers::pi, ln2 = std::log(2.0);  // the expression core's e
    const struct { const char *text; double a, b, exact; } cases[] = {
        {"x^2", 0, 1, 1.0 / 3}, {"x^3", -1, 2, 3.75}, {"x^5-x", -2, 3, 729.0 / 6 - 4.5 - 64.0 / 6 + 2},
        {"x*sin(x)", 0, pi, pi}, {"tan(x)", 0, 1, -std::log(std::cos(1.0))}, {"e^x", 0, 1, (e - 1) / std::log(e)},
        {"x*2^x", 0, 1, 2 / ln2 - 1 / (ln2 * ln2)}, {"1/(x^2+4)", 0, 2, pi / 8}, {"x^0.5", 1, 4, 14.0 / 3},
        {"ln(x)", 1, 2, 2 * ln2 - 1}, {"cosh(x)", -1, 1, 2 * std::sinh(1.0)},
        {"1/(2+sin(x))", 0, 2 * pi, 2 * pi / std::sqrt(3.0)},
    };
    const struct { R rule; double h; int order; } rules[] = {
        {R::MidPoint, 0.1, 2}, {R::Trapezoid, 0.1, 2}, {R::Simpson, 0.25, 4}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_NEAR(Integral(c.text, c.a, c.b, 0.01, R::Simpson), c.exact, 1e-7);
        for (const auto &r : rules) {
            const double coarse = std::fabs(Integral(c.text, c.a, c.b, r.h, r.rule) - c.exact);
            const double fine = std::fabs(Integral(c.text, c.a, c.b, r.h / 2, r.rule) - c.exact);
            // At least the rule's order unless the rule is exact; some functions do
            // better (Simpson's leading error vanishes where f''' is 0 at both ends).
            EXPECT_TRUE(coarse < 1e-11 || coarse / fine > std::pow(2.0, r.order) * 0.8) << static_cast<int>(r.rule);
        }
    }
}

TEST(TableSettings, RefusalsInOrderWithTheirTexts)
{
    using V = std::vector<std::string>;
    const struct { STableSettings s; V captions; } cases[] = {
        {{-20, 20, 0.5}, {}}, {{0, 1, 0.0001}, {}},  // exactly 10,000 steps are accepted
        {{0, 1, 0.00009999}, {"Too many points"}}, {{5, 1, 0}, {"Invalid Increment", "Invalid domain"}},
        {{5, 1, 0.5}, {"Invalid domain"}}, {{1, 1, 0.5}, {"Invalid domain"}},  // never an empty table
        {{0, 1, -0.5}, {"Invalid Increment"}}, {{0, 1, NAN}, {"Invalid Increment"}},
        {{1e17, 1e17 + 1000, 1}, {"Too many points"}},  // adding 1 leaves 1e17 as it is
        {{-INFINITY, 0, 1}, {"Too many points"}},
    };
    for (const auto &c : cases) {
        V captions;
        for (const STableMessage &m : CheckTableSettings(c.s))
            captions.push_back(m.caption);
        EXPECT_EQ(captions, c.captions) << c.s.from << " " << c.s.to << " " << c.s.increment;
    }
    const auto m = CheckTableSettings({5, 1, 0});
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].text, "Error 0x0B:\n\nThe increment must be greater than zero.\nPlease,re-enter the increment.");
    EXPECT_EQ(m[1].text, "Error 0x06:\n\nThe start of domain must be less than the end.\nPlease correct the error and "
                         "try again.");
    EXPECT_EQ(CheckTableSettings({0, 100, 0.001}).at(0).text,
              "Error 0x0C:\n\nThe values in the domain which you specified is too large, and will take "
              "a lot of time.\nPlease, re-enter another domain or increment.");
}

TEST(PointsTable, LinesOfTheTable)
{
    const auto square = ComputePointsTable("x^2", {});
    ASSERT_EQ(square.size(), 81u);
    EXPECT_EQ(square.front(), "-2.00000e+01                  4.00000e+02         ");
    EXPECT_EQ(square[41], "5.00000e-01                   2.50000e-01         ");
    EXPECT_EQ(square.back(), "2.00000e+01                   4.00000e+02         ");
    // Words for infinite and undefined values.
    const auto inverse = ComputePointsTable("1/x", {-1, 1, 0.5});
    ASSERT_EQ(inverse.size(), 5u);
    EXPECT_EQ(inverse[0], "-1.00000e+00                  -1.00000e+00        ");
    EXPECT_EQ(inverse[2], "0.00000e+00                   INFINTY             ");
    EXPECT_EQ(ComputePointsTable("-1/x^2", {-1, 1, 0.5})[2], "0.00000e+00                   Minus INFINTY       ");
    const auto log = ComputePointsTable("ln(x)", {-1, 1, 0.5});
    EXPECT_EQ(log[0], "-1.00000e+00                  NOT DEFINE          ");
    EXPECT_EQ(log[4], "1.00000e+00                   0.00000e+00         ");
    // Values up to 9e200 are written in full; beyond, they count as infinite.
    EXPECT_EQ(TableLine(1, 9e200).substr(30), "9.00000e+200        ");
    EXPECT_EQ(TableLine(1, -9.000001e200).substr(30), "Minus INFINTY       ");
    EXPECT_EQ(TableLine(-123456.5, -0.000001), "-1.23456e+05                  -1.00000e-06        ");
    // 0.1 * 3 is 0.30000000000000004; the table substitutes 0.3. Every other
    // row's digits are the random tables' (PointsTableProperty).
    EXPECT_EQ(ComputePointsTable("x*10^15", {0, 1, 0.1})[3].substr(30, 11), "3.00000e+14");
    // -0.3 + 3 * 0.1 is 5.6e-17; no minus on the zero.
    EXPECT_EQ(ComputePointsTable("-x", {-0.3, 1, 0.1})[3], "0.00000e+00                   0.00000e+00         ");
}

TEST(PointsTable, RowsComeFromTheIndexAndBadInputGivesNone)
{
    // Repeated addition of 0.01 misses x = 1.
    const auto lines = ComputePointsTable("x", {0, 1, 0.01});
    ASSERT_EQ(lines.size(), 101u);
    EXPECT_EQ(lines.back().substr(0, 11), "1.00000e+00");
    EXPECT_EQ(TableRowCount({0, 1, 0.3}), 4);
    EXPECT_EQ(TableRowCount({0, 1, 0.0001}), 10001);
    EXPECT_EQ(ComputePointsTable("x", {1e15, 1e15 + 10, 1}).size(), 11u);
    EXPECT_TRUE(ComputePointsTable("", {}).empty());
    EXPECT_TRUE(ComputePointsTable("   ", {}).empty());
    EXPECT_TRUE(ComputePointsTable("x", {5, 1, 0.5}).empty());
    EXPECT_TRUE(ComputePointsTable("x", {0, 1, 0}).empty());
}

CTangent TangentAt(const std::string &text, double x)
{
    CTangent t;
    t.SetFunction(text, true);
    t.ComputeAt(x);
    t.BuildEquation();
    return t;
}

TEST(Tangent, EquationTexts)
{
    const struct { const char *f; double x; const char *equation; } cases[] = {
        {"x^2", 1, "2.0000*x -1.0000"}, {"x^2", 0, "0.0000"}, {"2*x", 3, "2.0000*x "},  // trailing blank
        {"x^2", -1, "-2.0000*x -1.0000"}, {"-x^2+4", 1, "-2.0000*x+5.0000"},
        {"ln(x)", -1, "This value of x isn't defined."}, {"x^0.5", 0, "x= 0.000000"},  // vertical
        {"x^3", 1.23456789, "4.5725*x -3.7634"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TangentAt(c.f, c.x).m_strEquation, c.equation) << c.f;
}

TEST(Tangent, ValuesAngleAndPoints)
{
    const CTangent t = TangentAt("x^2", 1);
    const double got[] = {t.m_dY, t.m_dSlope, t.m_dIntercept, t.m_dX1, t.m_dY1, t.m_dX2, t.m_dY2};
    const double expected[] = {1, 2, -1, 1001, 2001, -999, -1999};
    for (int i = 0; i < 7; ++i)
        EXPECT_DOUBLE_EQ(got[i], expected[i]) << i;
    const CTangent vertical = TangentAt("x^0.5", 0);
    EXPECT_TRUE(vertical.IsVertical());
    EXPECT_EQ(vertical.m_dY1, 1000);
    EXPECT_EQ(vertical.m_dY2, -1000);
    // Radians, and a new function replaces the old one.
    CTangent r;
    r.SetFunction("x^2", false);
    r.SetFunction("x^3", false);
    r.ComputeAt(2);
    EXPECT_EQ(r.m_strFunction, "x^3");
    EXPECT_DOUBLE_EQ(r.m_dY, 8);
    EXPECT_DOUBLE_EQ(r.m_dSlope, 12);
    EXPECT_DOUBLE_EQ(r.m_dTheta, std::atan(12.0));
}

TEST(TraceText, TypedXIsReadAsEveryFieldReadsIt)
{
    // The whole text is the x, or there is none: no digit filter that reads
    // "1e-3" as 13 or "pi" as 0.
    const struct { const char *typed; const char *shown; } cases[] = {
        {"1e-3", "0.001000000000000"}, {"1/2", "0.500000000000000"}, {"pi", "3.14159265358979"},
        {"-.5", "-0.500000000000000"}, {" 2 ", "2.00000000000000"}, {"5-3", "2.00000000000000"},
        {"1a2", ""}, {"1.2.3", ""}, {"", ""}, {"-", ""}, {"1e-", ""}, {"x", ""}, {"1e999", ""},
    };
    CExpression f;
    f.SetExpression("x");
    for (const auto &c : cases)
        EXPECT_EQ(TraceInputResult(f, c.typed, false), c.shown) << c.typed;
    // A function in degrees reads the typed x in degrees too: sin(30) is 1/2.
    f.SetExpression("sin(x)");
    f.m_bDegree = true;
    EXPECT_EQ(TraceInputResult(f, "180*sin(30)", false), "1.00000000000000");
    EXPECT_EQ(TraceInputResult(f, "1/0", true), "");
}

TEST(TraceText, FormatsAndTangentBar)
{
    EXPECT_EQ(TraceResultText(1, false), "1.00000000000000");
    EXPECT_EQ(TraceResultText(1, true), "1.000000e+00");
    // No "nan" or "inf" reaches the trace bar: sqrt(-1) is -nan, ln(0) is -inf.
    const struct { double y; const char *text; } words[] = {
        {std::sqrt(-1.0), "NOT DEFINE"}, {NAN, "NOT DEFINE"}, {-INFINITY, "Minus INFINTY"}, {INFINITY, "INFINTY"}};
    for (const auto &w : words) {
        EXPECT_EQ(TraceResultText(w.y, false), w.text);
        EXPECT_EQ(TraceResultText(w.y, true), w.text);
        EXPECT_EQ(TracePositionText(1, w.y), std::string("x = 1.000000, y = ") + w.text);
    }
    EXPECT_EQ(TraceResultText(-1e300, false), "-1.00000000000000e+300");  // not 301 digits, 286 of them noise
    EXPECT_EQ(TracePositionText(-1.5, 2), "x = -1.500000, y = 2.000000");
    const CTangent t = TangentAt("x^2", 1);
    EXPECT_EQ(TangentBarTexts(t), (std::array<std::string, 4>{"x= 1.00000000000000", "f(x)= 1.00000000000000",
                                                               "Theta= 63.4349", "Slope= 2.00000000000000"}));
    EXPECT_EQ(TangentEquationText(t), "Equation: y = 2.0000*x -1.0000");
    std::string product = "x";
    for (int i = 1; i < 600; ++i)
        product += "*x";
    EXPECT_EQ(TangentEquationText(TangentAt(product, 0.5)), kDerivativeTooLongText);
    // Where f is undefined the bar shows dashes and the equation line says
    // so: never "nan"; and no number shows as a negative zero.
    for (const auto &[text, x] : {std::pair{"ln(x)", -1.0}, {"x^0.5", -1.0}, {"asin(x)", 2.0}, {"1/x", 0.0}}) {
        const CTangent u = TangentAt(text, x);
        const auto bar = TangentBarTexts(u);
        EXPECT_EQ((std::array<std::string, 3>{bar[1], bar[2], bar[3]}),
                  (std::array<std::string, 3>{"f(x)=        ----", "Theta=        ----", "Slope=        ----"}))
            << text;
        EXPECT_EQ(TangentEquationText(u), CTangent::kUndefined) << text;
    }
    const CTangent flat = TangentAt("cos(x)", 0);
    EXPECT_EQ(TangentBarTexts(flat)[2], "Theta= 0.0000");
    EXPECT_EQ(TangentBarTexts(flat)[3], "Slope= 0.000000000000000");
    EXPECT_EQ(TangentAt("-0.00001*x", 0).m_strEquation, "0.0000*x ");
}

// The shaded integral's label: limits as typed values, the value as the result box shows it.
TEST(IntegralLabel, LimitsValueRuleAndStep)
{
    const struct { double from, to, value; R rule; double step; const char *text; } cases[] = {
        {0, 2, 2, R::Trapezoid, 0.01, "Integral from 0 to 2 = 2.000000 (trapezoid rule, step 0.01)"},
        {-0.0, 0.1, -1.0 / 3, R::MidPoint, 1e-5, "Integral from 0 to 0.1 = -0.333333 (mid-point rule, step 1e-05)"},
        {-1.5, 1e6, 12345.6789126, R::Simpson, 1, "Integral from -1.5 to 1e+06 = 12345.678913 (Simpson's rule, step 1)"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IntegralLabel(c.from, c.to, c.value, c.rule, c.step), c.text);
}

// Copied (tab) and saved (comma) tables: each value reads back with strtod
// to the double nearest the decimal meant; where f is undefined (sqrt of a
// negative) or infinite (1/0) the field is empty.
TEST(PointsTable, TextReadsBackToTheExactValues)
{
    const struct { const char *text; double (*f)(double); } functions[] = {
        {"1/x", [](double x) { return 1 / x; }}, {"sqrt(x)", [](double x) { return std::sqrt(x); }}};
    for (const auto &fn : functions)
        for (const char separator : {'\t', ','}) {
            SCOPED_TRACE(testing::Message() << fn.text << " '" << separator << "'");
            std::istringstream text(TableText(PointsTableRows(fn.text, {-1, 1, 0.1}), separator));
            std::string line;
            std::getline(text, line);
            EXPECT_EQ(line, std::string("x") + separator + "f(x)");
            int i = 0;
            for (; std::getline(text, line); ++i) {
                // The decimal -1 + i/10 itself, not the sum of doubles (0.30000000000000004).
                const double x = std::strtod((std::to_string(i - 10) + "e-1").c_str(), nullptr);
                const std::size_t cut = line.find(separator);
                EXPECT_EQ(std::strtod(line.substr(0, cut).c_str(), nullptr), x) << line;
                const std::string y = line.substr(cut + 1);
                EXPECT_EQ(std::isfinite(fn.f(x)) ? std::strtod(y.c_str(), nullptr) : 0.0,
                          std::isfinite(fn.f(x)) ? fn.f(x) : 0.0) << line;
                EXPECT_EQ(y.empty(), !std::isfinite(fn.f(x))) << line;
            }
            EXPECT_EQ(i, 21);
        }
}

TEST(TraceText, TracedPointLabelNeverSaysNan)
{
    EXPECT_EQ(TracePointText(-0.0000001, 0.5, false) + TracePointText(2, -3, true),
              "(0.000000, 0.500000000000000)(2.000000, -3.000000e+00)");
    EXPECT_EQ(TracePointText(1, NAN, true) + TracePointText(1, -INFINITY, false),
              "(1.000000, NOT DEFINE)(1.000000, Minus INFINTY)");
}

}  // namespace
