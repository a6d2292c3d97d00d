#include "core/expr/RandomExpression.h"
#include "core/expr/Expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

bool SameBits(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::vector<double> Samples(std::mt19937 &rng, std::size_t n)
{
    std::uniform_real_distribution<double> d(-20.0, 20.0);
    std::vector<double> xs(n);
    for (auto &x : xs)
        x = d(rng);
    xs[0] = 0.0;  // poles and zeros
    xs[1] = 1.0;
    xs[2] = -1.0;
    return xs;
}

TEST(BulkEvaluation, MatchesSingleCallsBitForBitOnRandomExpressions)
{
    std::mt19937 rng(12345);
    // 600 samples: several full batches and a partial one.
    const std::vector<double> xs = Samples(rng, 600);
    for (int trial = 0; trial < 400; ++trial) {
        const std::string text = MakeRandomExpression(rng, 5).ours;
        for (bool degree : {false, true}) {
            CExpression bulk;
            bulk.SetExpression(text);
            CExpression single = bulk;
            std::vector<double> ys(xs.size());
            bulk.m_bDegree = degree;
            bulk.EvaluateMany(xs.data(), ys.data(), xs.size());
            EXPECT_FALSE(bulk.m_bDegree);
            for (std::size_t i = 0; i < xs.size(); ++i) {
                single.m_bDegree = degree;
                const double v = single.Evaluate(xs[i]);
                ASSERT_TRUE(SameBits(v, ys[i])) << text << " at " << xs[i] << ": " << v << " vs " << ys[i];
            }
        }
    }
}

TEST(BulkEvaluation, HandlesTheSpecialListsAndInPlaceUse)
{
    const char *texts[] = {"(x+1)(x-1)", "", "ex", "7", "pi", "x", "-x", "sin(30)", "2^x^2", "x$2", "1/x"};
    std::mt19937 rng(7);
    const std::vector<double> xs = Samples(rng, 300);
    for (const char *text : texts) {
        CExpression e;
        e.SetExpression(text);
        std::vector<double> ys = xs;
        e.EvaluateMany(ys.data(), ys.data(), ys.size());  // in place
        for (std::size_t i = 0; i < xs.size(); ++i)
            ASSERT_TRUE(SameBits(ys[i], e.Evaluate(xs[i]))) << text << " at " << xs[i];
        e.EvaluateMany(nullptr, nullptr, 0);  // an empty batch touches nothing
    }
}

}  // namespace
