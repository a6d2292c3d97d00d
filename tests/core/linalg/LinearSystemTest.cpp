#include "core/linalg/LinearSystem.h"

#include <gtest/gtest.h>

namespace {

struct SystemCase {
    const char *name;
    int n;
    std::vector<double> augmented;
    std::vector<double> solution;
};

class SolvableSystem : public ::testing::TestWithParam<SystemCase> {};

TEST_P(SolvableSystem, Solves)
{
    CLinearSystem system(GetParam().n, GetParam().augmented);
    ASSERT_TRUE(system.Solve());
    ASSERT_EQ(system.Solution().size(), GetParam().solution.size());
    for (std::size_t i = 0; i < GetParam().solution.size(); ++i)
        EXPECT_NEAR(system.Solution()[i], GetParam().solution[i], 1e-12) << "variable " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(
    Systems, SolvableSystem,
    ::testing::Values(SystemCase{"Example", 3, {1, 2, 3, 9, 2, -1, 1, 8, 3, 0, -1, 3}, {2, -1, 3}},
                      SystemCase{"LeadingZero", 2, {0, 1, 1, 1, 1, 3}, {2, 1}},
                      // Zero pivot in the second column unless rows are exchanged there too.
                      SystemCase{"LaterZeroPivot", 3, {1, 1, 1, 6, 1, 1, 2, 9, 1, 2, 3, 14}, {1, 2, 3}},
                      // A tiny first pivot kept in place loses x entirely.
                      SystemCase{"TinyPivot", 2, {1e-20, 1, 1, 1, 1, 2}, {1, 1}},
                      // Rows of very different scale are still a regular system.
                      SystemCase{"ScaledRows", 2, {1e-200, 2e-200, 5e-200, 3, 4, 11}, {1, 2}},
                      SystemCase{"HugeRow", 2, {1.7e308, 1.7e308, 1.7e308, 1, 2, 3}, {-1, 2}}),
    [](const auto &info) { return std::string(info.param.name); });

struct SingularCase {
    const char *name;
    int n;
    std::vector<double> augmented;
};

class SingularSystem : public ::testing::TestWithParam<SingularCase> {};

TEST_P(SingularSystem, HasNoSolution)
{
    CLinearSystem system(GetParam().n, GetParam().augmented);
    EXPECT_FALSE(system.Solve());
    EXPECT_TRUE(system.Solution().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Systems, SingularSystem,
    ::testing::Values(SingularCase{"FirstColumnZero", 2, {0, 1, 1, 0, 2, 2}},
                      SingularCase{"ProportionalRows", 2, {1, 2, 3, 2, 4, 6}},
                      SingularCase{"RoundedDependence", 3, {0.1, 0.2, 0.3, 1, 0.4, 0.5, 0.6, 1, 0.7, 0.8, 0.9, 1}},
                      SingularCase{"ZeroEquation", 2, {1, 1, 1, 0, 0, 5}},
                      SingularCase{"NoEquations", 0, {}}, SingularCase{"WrongShape", 2, {1, 2, 3}}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
