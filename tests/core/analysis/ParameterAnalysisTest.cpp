// Every analysis with a parameter letter at a value other than 1, checked
// against the closed form for that value.
#include "core/analysis/AnalysisRun.h"
#include "core/analysis/Integration.h"
#include "core/analysis/PointsTable.h"
#include "core/analysis/Tangent.h"
#include "core/calc/FunctionValue.h"
#include "core/expr/Expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

SParameterValues Values(std::initializer_list<std::pair<char, double>> set)
{
    SParameterValues values;
    for (const auto &[letter, value] : set)
        values.Set(letter, value);
    return values;
}

// The x and y of every point a search lists, in order.
std::vector<double> Search(EAnalysisKind kind, const std::string &f, const SParameterValues &values,
                           const std::string &g = {})
{
    SAnalysisRequest request;
    request.kind = kind;
    request.function = f;
    request.function2 = g;
    request.parameters = values;
    const std::optional<SAnalysisResult> result = RunAnalysis(request);
    std::vector<double> xy;
    for (const SAnalysisPoint &p : result->points) {
        xy.push_back(p.x);
        xy.push_back(p.y);
    }
    return xy;
}

TEST(ParameterAnalysis, EachAnalysisUsesTheGivenValues)
{
    const double r2 = std::sqrt(2.0);
    const struct {
        const char *what;
        std::function<std::vector<double>()> run;
        std::vector<double> expected;
    } cases[] = {
        {"roots of x^2-a, a=2", [] { return Search(EAnalysisKind::Roots, "x^2-a", Values({{'a', 2}})); },
         {-r2, 0, r2, 0}},
        {"minimum of (x-h)^2+k",
         [] { return Search(EAnalysisKind::Extrema, "(x-h)^2+k", Values({{'h', 1.5}, {'k', -2}})); }, {1.5, -2}},
        // f'' = 6x - 6a
        {"inflection of x^3-3*a*x^2",
         [] { return Search(EAnalysisKind::Inflection, "x^3-3*a*x^2", Values({{'a', 2}})); }, {2, -16}},
        {"a*x meets x^2 at 0 and a",
         [] { return Search(EAnalysisKind::Intersections, "a*x", Values({{'a', 3}}), "x^2"); }, {0, 0, 3, 9}},
        {"integral of a*x on [0,1]",
         [] {
             CExpression f;
             f.SetParameters(Values({{'a', 5}}));
             f.SetExpression("a*x");
             return std::vector<double>{Integrate(f, 0, 1, 0.01, EIntegrationRule::Simpson).value};
         },
         {2.5}},
        {"table row of a*x^2+b at x=2",
         [] {
             const auto rows = PointsTableRows("a*x^2+b", {0, 2, 1}, Values({{'a', 3}, {'b', -1}}));
             return std::vector<double>{rows.back().x, rows.back().y};
         },
         {2, 11}},
        // The same text again with new values: the kept compilation takes them.
        {"tangent of a*x^2 at 2",
         [] {
             CTangent tangent;
             tangent.SetFunction("a*x^2", false);
             tangent.SetFunction("a*x^2", false, Values({{'a', 3}}));
             tangent.ComputeAt(2);
             return std::vector<double>{tangent.m_dY, tangent.m_dSlope};
         },
         {12, 12}},
        {"substituted value of a*x+b at 2",
         [] { return std::vector<double>{FunctionValue("a*x+b", 2, Values({{'a', 3}, {'b', -1}})).dValue}; }, {5}},
    };
    for (const auto &c : cases) {
        const std::vector<double> got = c.run();
        ASSERT_EQ(got.size(), c.expected.size()) << c.what;
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_NEAR(got[i], c.expected[i], 1e-6) << c.what << " [" << i << "]";
    }
}

}  // namespace
