#include "core/analysis/AnalysisRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

using Fn = std::function<double(double)>;

std::string Exp7(double v)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.7e", v);
    return buffer;
}

SAnalysisRequest Request(const std::string &f, const std::string &g, double from = -10, double to = 10,
                         bool near = false)
{
    return {EAnalysisKind::Intersections, f, near, from, to, 6, g};
}

// Pairs whose crossings are worked out here in closed form; f and g are
// evaluated with the standard library, not the expression core. Touching
// pairs (a double root of f - g) are found only to about the square root of
// the tolerance, as the roots page finds a double root.
TEST(Intersections, CrossingsOfKnownPairs)
{
    const double pi = std::numbers::pi;
    std::vector<double> sinCos;
    for (int k = -3; k <= 2; ++k)
        sinCos.push_back(pi / 4 + k * pi);
    std::vector<double> tanZero;
    for (int k = -3; k <= 3; ++k)
        tanZero.push_back(k * pi);
    const struct {
        const char *f, *g;
        Fn fv, gv;
        std::vector<double> x;
        double reach;  // how far from the exact x a listed point may lie
        double from, to;
        bool near;
    } cases[] = {
        {"x^2", "x+2", [](double x) { return x * x; }, [](double x) { return x + 2; }, {-1, 2}, 1e-6, -10, 10, false},
        {"x^2", "x+2", [](double x) { return x * x; }, [](double x) { return x + 2; }, {2}, 1e-6, 1.9, 0, true},
        {"sin(x)", "cos(x)", [](double x) { return std::sin(x); }, [](double x) { return std::cos(x); }, sinCos, 1e-6,
         -10, 10, false},
        {"exp(x)", "x+1", [](double x) { return std::exp(x); }, [](double x) { return x + 1; }, {0}, 3e-3, -10, 10,
         false},
        {"x^2", "2*x-1", [](double x) { return x * x; }, [](double x) { return 2 * x - 1; }, {1}, 3e-3, -10, 10,
         false},
        {"x^2-2.02*x+4.02", "3", [](double x) { return x * x - 2.02 * x + 4.02; }, [](double) { return 3.0; },
         {1, 1.02}, 1e-6, -10, 10, false},
        {"x^3", "x", [](double x) { return x * x * x; }, [](double x) { return x; }, {-1, 0, 1}, 1e-6, -10, 10, false},
        {"exp(x)", "ln(x)", [](double x) { return std::exp(x); }, [](double x) { return std::log(x); }, {}, 0, -10,
         10, false},
        // A change of sign at a pole is no crossing, on either curve.
        {"tan(x)", "0", [](double x) { return std::tan(x); }, [](double) { return 0.0; }, tanZero, 1e-6, -10, 10,
         false},
        {"1/(x-1)", "-1/(x-1)", [](double x) { return 1 / (x - 1); }, [](double x) { return -1 / (x - 1); }, {}, 0,
         -10, 10, false},
        {"tan(x)", "tan(x)+1/(x-2)", [](double x) { return std::tan(x); },
         [](double x) { return std::tan(x) + 1 / (x - 2); }, {}, 0, -10, 10, false},
        // Undefined on both sides: nothing, and no refusal.
        {"sqrt(-1-x^2)", "ln(-1-x^2)", [](double x) { return std::sqrt(-1 - x * x); },
         [](double x) { return std::log(-1 - x * x); }, {}, 0, -10, 10, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.f << " = " << c.g << (c.near ? " near " : " from ") << c.from);
        const SAnalysisRequest request = Request(c.f, c.g, c.from, c.to, c.near);
        EXPECT_EQ(IntersectionRefusal(request), nullptr);
        const auto result = RunAnalysis(request);
        ASSERT_TRUE(result);
        ASSERT_EQ(result->points.size(), c.x.size());
        if (c.x.empty()) {
            EXPECT_EQ(result->lines, std::vector<std::string>{"None"});
            continue;
        }
        ASSERT_EQ(result->lines.size(), c.x.size());
        for (std::size_t i = 0; i < c.x.size(); ++i) {
            const SAnalysisPoint &p = result->points[i];
            EXPECT_NEAR(p.x, c.x[i], c.reach) << i;
            EXPECT_NEAR(p.y, c.fv(p.x), 1e-12 * std::max(1.0, std::fabs(p.y)));
            EXPECT_LT(std::fabs(c.fv(p.x) - c.gv(p.x)), 1e-6) << p.x;
        }
    }
}

// The list reads as the inflection page's (x left in 19 columns, y right in
// 26) and each mark's label takes the same numbers.
TEST(Intersections, LinesAndLabelsAsTheInflectionList)
{
    const auto result = RunAnalysis(Request("x^2", "x+2"));
    ASSERT_TRUE(result && result->points.size() == 2);
    EXPECT_EQ(result->lines[0], "-1.0000000e+00     " + std::string(13, ' ') + "1.0000000e+00");
    EXPECT_EQ(result->points[0].label, "(-1.0000000e+00, 1.0000000e+00)");
    EXPECT_EQ(result->points[1].label, "(" + Exp7(2) + ", " + Exp7(4) + ")");
}

TEST(Intersections, RefusedWithoutTwoDifferentFunctions)
{
    const struct { const char *f, *g; const char *refusal; } cases[] = {
        {"x^2", "", kNoSecondFunctionText},
        {"x^2", "  ", kNoSecondFunctionText},
        {"x^2", "x ^ 2", kSameFunctionsText},
        {"x+x", "2*x", kSameFunctionsText},
        {"(sin(x))^2+(cos(x))^2", "1", kSameFunctionsText},
        {"sqrt(x)", "sqrt(x)+0*x", kSameFunctionsText},
        {"x", "sin(x)", nullptr},
        {"sqrt(x)", "sqrt(-x)", nullptr},  // equal only at 0
        {"sqrt(-1-x^2)", "sqrt(-2-x^2)", nullptr},  // nowhere defined
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.f << " = " << c.g);
        const char *refusal = IntersectionRefusal(Request(c.f, c.g));
        if (c.refusal)
            EXPECT_STREQ(refusal, c.refusal);
        else
            EXPECT_EQ(refusal, nullptr);
    }
    EXPECT_EQ(IntersectionRefusal({EAnalysisKind::Roots, "x", false, -10, 10, 6, {}}), nullptr);
}

// Marks come from the points, rows of the list from lines: extrema list four
// lines a point.
TEST(AnalysisRun, PointsCarryTheirListedCoordinatesAndRows)
{
    const auto extrema = RunAnalysis({EAnalysisKind::Extrema, "x^3-3*x", false, -10, 10, 6, {}});
    ASSERT_TRUE(extrema && extrema->points.size() == 2);
    EXPECT_EQ(extrema->points[0].label, "(" + Exp7(-1) + ", " + Exp7(2) + ")");
    EXPECT_EQ(extrema->points[1].label, "(" + Exp7(1) + ", " + Exp7(-2) + ")");
    const int rows[][2] = {{-1, -1}, {0, 0}, {3, 0}, {4, 1}, {7, 1}, {8, -1}};
    for (const auto &r : rows)
        EXPECT_EQ(extrema->PointOfLine(r[0]), r[1]) << r[0];

    const auto roots = RunAnalysis({EAnalysisKind::Roots, "x^2-4", false, -10, 10, 6, {}});
    ASSERT_TRUE(roots && roots->points.size() == 2);
    EXPECT_EQ(roots->points[1].label, "(2.0000000, 0.0000000)");
    EXPECT_EQ(roots->PointOfLine(1), 1);

    const auto none = RunAnalysis({EAnalysisKind::Roots, "x^2+1", false, -10, 10, 6, {}});
    ASSERT_TRUE(none);
    EXPECT_EQ(none->PointOfLine(0), -1);
}

}  // namespace
