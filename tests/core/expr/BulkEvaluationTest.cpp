#include "core/expr/RandomExpression.h"
#include "core/expr/Expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <algorithm>
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

// The plain meaning of a token list: a stack walk calling the library for
// every operator and function, nothing folded, fused or rewritten.
double ReferenceWalk(const CExpression &e, double x, bool degree)
{
    const double k = degree ? std::asin(0.5) * 6.0 * (1.0 / 180.0) : 1.0;
    const auto &values = e.TokenValues();
    const auto &codes = e.TokenCodes();
    const auto &xs = e.XPositions();
    std::vector<double> s;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const char c = codes[i];
        if (c == 0) {
            s.push_back(std::find(xs.begin(), xs.end(), i) != xs.end() ? x : values[i]);
            continue;
        }
        if (s.empty())
            return NAN;
        const double v = s.back();
        s.pop_back();
        double r;
        if (std::strchr("+-*/^", c)) {
            if (s.empty())
                return NAN;
            const double l = s.back();
            s.pop_back();
            // A square is the correctly rounded l*l; pow itself may be half an ulp off.
            r = c == '+' ? l + v : c == '-' ? l - v : c == '*' ? l * v : c == '/' ? l / v
                : v == 2.0 ? l * l : std::pow(l, v);
        } else {
            switch (c) {
            case '~': r = -v; break;
            case 'A': r = std::sin(k * v); break;
            case 'B': r = std::cos(k * v); break;
            case 'C': r = std::tan(k * v); break;
            case 'G': r = std::asin(v); break;
            case 'H': r = std::acos(v); break;
            case 'I': r = std::atan(v); break;
            case 'M': r = std::sinh(v); break;
            case 'N': r = std::cosh(v); break;
            case 'O': r = std::tanh(v); break;
            case 'S': r = std::asinh(v); break;
            case 'T': r = std::acosh(v); break;
            case 'U': r = std::atanh(v); break;
            case 'Y': r = std::log(v); break;
            case 'Z': r = std::log10(v); break;
            default: ADD_FAILURE() << "unexpected code " << c; return NAN;
            }
        }
        s.push_back(r);
    }
    return s.size() == 1 ? s.back() : NAN;
}

TEST(BulkEvaluation, CompiledProgramEqualsAPlainWalkOfTheTokens)
{
    std::mt19937 rng(2024);
    const std::vector<double> xs = Samples(rng, 300);
    std::vector<std::string> texts = {"x^3", "x^2", "(x+0.1)^3", "3*x^3-2*x^2+x-5", "x^-1", "2^x", "x^x"};
    for (int trial = 0; trial < 400; ++trial)
        texts.push_back(MakeRandomExpression(rng, 5).ours);
    for (const std::string &text : texts) {
        for (bool degree : {false, true}) {
            CExpression e;
            e.SetExpression(text);
            std::vector<double> ys(xs.size());
            e.m_bDegree = degree;
            e.EvaluateMany(xs.data(), ys.data(), xs.size());
            for (std::size_t i = 0; i < xs.size(); ++i)
                ASSERT_TRUE(SameBits(ys[i], ReferenceWalk(e, xs[i], degree))) << text << " at " << xs[i];
        }
    }
}

}  // namespace
