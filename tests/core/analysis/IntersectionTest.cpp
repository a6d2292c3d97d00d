#include "core/analysis/AnalysisRun.h"
#include "core/analysis/AnalysisWording.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

using Fn = double (*)(double);

// Pairs whose crossings are worked out here in closed form, f and g evaluated
// with the standard library. A touching pair (a double root of f - g) is
// found only to about the square root of the tolerance, as a double root is.
TEST(Intersections, CrossingsOfKnownPairs)
{
    constexpr double pi = std::numbers::pi;
    const Fn square = [](double x) { return x * x; }, zero = [](double) { return 0.0; };
    const Fn tan = [](double x) { return std::tan(x); }, exp = [](double x) { return std::exp(x); };
    const struct { const char *f, *g; Fn fv, gv; std::vector<double> x; double reach, from; bool near; } cases[] = {
        {"x^2", "x+2", square, [](double x) { return x + 2; }, {-1, 2}, 1e-6, -10, false},
        {"x^2", "x+2", square, [](double x) { return x + 2; }, {2}, 1e-6, 1.9, true},
        {"sin(x)", "cos(x)", [](double x) { return std::sin(x); }, [](double x) { return std::cos(x); },
         {pi / 4 - 3 * pi, pi / 4 - 2 * pi, pi / 4 - pi, pi / 4, pi / 4 + pi, pi / 4 + 2 * pi}, 1e-6, -10, false},
        {"exp(x)", "x+1", exp, [](double x) { return x + 1; }, {0}, 3e-3, -10, false},
        {"x^2", "2*x-1", square, [](double x) { return 2 * x - 1; }, {1}, 3e-3, -10, false},
        {"x^2-2.02*x+4.02", "3", [](double x) { return x * x - 2.02 * x + 4.02; }, [](double) { return 3.0; },
         {1, 1.02}, 1e-6, -10, false},
        {"x^3", "x", [](double x) { return x * x * x; }, [](double x) { return x; }, {-1, 0, 1}, 1e-6, -10, false},
        {"exp(x)", "ln(x)", exp, [](double x) { return std::log(x); }, {}, 0, -10, false},
        // A change of sign at a pole is no crossing.
        {"tan(x)", "0", tan, zero, {-3 * pi, -2 * pi, -pi, 0, pi, 2 * pi, 3 * pi}, 1e-6, -10, false},
        {"1/(x-1)", "-1/(x-1)", [](double x) { return 1 / (x - 1); }, zero, {}, 0, -10, false},
        {"sqrt(-1-x^2)", "ln(-1-x^2)", zero, zero, {}, 0, -10, false},  // both undefined everywhere
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.f << " = " << c.g << (c.near ? " near " : " from ") << c.from);
        const SAnalysisRequest request{EAnalysisKind::Intersections, c.f, c.near, c.from, 10, 6, c.g};
        EXPECT_EQ(IntersectionRefusal(request), EIntersectionRefusal::None);
        const auto result = RunAnalysis(request);
        ASSERT_TRUE(result);
        ASSERT_EQ(result->points.size(), c.x.size());
        EXPECT_EQ(result->lines.size(), std::max<std::size_t>(1, c.x.size()));
        for (std::size_t i = 0; i < c.x.size(); ++i) {
            const SAnalysisPoint &p = result->points[i];
            EXPECT_NEAR(p.x, c.x[i], c.reach) << i;
            EXPECT_NEAR(p.y, c.fv(p.x), 1e-12 * std::max(1.0, std::fabs(p.y)));
            EXPECT_LT(std::fabs(c.fv(p.x) - c.gv(p.x)), 1e-6) << p.x;
        }
    }
    // Lines as the inflection page's (x left in 19 columns, y right in 26);
    // a mark's label takes the same numbers.
    const auto result = RunAnalysis({EAnalysisKind::Intersections, "x^2", false, -10, 10, 6, "x+2"});
    ASSERT_TRUE(result && result->points.size() == 2);
    EXPECT_EQ(result->lines[0], "-1.000000e+00" + std::string(19, ' ') + "1.0000000e+00");
    EXPECT_EQ(result->points[0].label, "(-1.000000e+00, 1.0000000e+00)");
}

TEST(Intersections, RefusedWithoutTwoDifferentFunctions)
{
    using R = EIntersectionRefusal;
    const struct { const char *f, *g; R refusal; } cases[] = {
        {"x^2", " ", R::NoSecondFunction}, {"x^2", "x ^ 2", R::SameFunctions}, {"x+x", "2*x", R::SameFunctions},
        {"(sin(x))^2+(cos(x))^2", "1", R::SameFunctions}, {"x", "sin(x)", R::None}, {"sqrt(x)", "sqrt(-x)", R::None},
        {"sqrt(-1-x^2)", "sqrt(-2-x^2)", R::None},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IntersectionRefusal({EAnalysisKind::Intersections, c.f, false, -10, 10, 6, c.g}), c.refusal) << c.g;
    // Other kinds are not refused here, whatever the second text.
    EXPECT_EQ(IntersectionRefusal({EAnalysisKind::Roots, "x", false, -10, 10, 6, " "}), R::None);
}

// Each code has its own words, the same for the sheet and the command line.
TEST(AnalysisWording, EveryCodeIsWorded)
{
    EXPECT_EQ(IntersectionRefusalText(EIntersectionRefusal::None), nullptr);
    EXPECT_STREQ(IntersectionRefusalText(EIntersectionRefusal::NoSecondFunction), kNoSecondFunctionText);
    EXPECT_STREQ(IntersectionRefusalText(EIntersectionRefusal::SameFunctions), kSameFunctionsText);
    for (const EAnalysisKind kind :
         {EAnalysisKind::Roots, EAnalysisKind::Extrema, EAnalysisKind::Inflection, EAnalysisKind::Intersections}) {
        SAnalysisRequest request{kind, "x", false, 0, LargeDomainLimit(kind) * 1.5, 6, {}};
        ASSERT_EQ(CheckAnalysis(request), EAnalysisCheck::LargeDomain);
        EXPECT_STREQ(CheckText(request, EAnalysisCheck::LargeDomain), AnalysisTexts(kind).largeQuestion);
        request.to = LargeDomainLimit(kind);
        EXPECT_EQ(CheckAnalysis(request), EAnalysisCheck::Ok);
        EXPECT_STREQ(CheckText(request, EAnalysisCheck::Ok), "");
    }
    SAnalysisRequest far{EAnalysisKind::Roots, "x", true, 1e300, 0, 6, {}};
    ASSERT_EQ(CheckAnalysis(far), EAnalysisCheck::TooFar);
    EXPECT_STREQ(CheckText(far, EAnalysisCheck::TooFar), kFarPointText);
    far.near = false, far.to = 2e300;
    EXPECT_STREQ(CheckText(far, EAnalysisCheck::TooFar), kFarDomainText);
    EXPECT_STREQ(CheckText(far, EAnalysisCheck::DomainOrder), kDomainOrderText);
}

// Rows of a list map to its points: extrema list four lines a point.
TEST(AnalysisRun, PointsCarryTheirListedCoordinatesAndRows)
{
    const auto extrema = RunAnalysis({EAnalysisKind::Extrema, "x^3-3*x", false, -10, 10, 6, {}});
    ASSERT_TRUE(extrema && extrema->points.size() == 2);
    EXPECT_EQ(extrema->points[1].label, "(1.000000e+00, -2.0000000e+00)");
    for (const auto &[line, point] : {std::pair{-1, -1}, {0, 0}, {3, 0}, {4, 1}, {7, 1}, {8, -1}})
        EXPECT_EQ(extrema->PointOfLine(line), point) << line;
    EXPECT_EQ(RunAnalysis({EAnalysisKind::Roots, "x^2-4", false, -10, 10, 6, {}})->points.at(1).label,
              "(2.000000, 0.000000)");
}

}  // namespace

namespace {

// The y of a listed intersection keeps its significant digits however small.
TEST(Intersections, SmallValuesKeepTheirDigits)
{
    const struct { const char *f, *g, *y; } cases[] = {
        {"x-1", "0.0000123456789", "(1.000012e+00, 1.2345679e-05)"},
        {"x", "0.00000001234", "(0.000000e+00, 1.2340000e-08)"},
    };
    for (const auto &c : cases) {
        const auto result = RunAnalysis({EAnalysisKind::Intersections, c.f, false, -10, 10, 6, c.g});
        ASSERT_TRUE(result && result->points.size() == 1) << c.f;
        EXPECT_EQ(result->points[0].label, c.y);
    }
}

}  // namespace
