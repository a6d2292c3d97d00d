// Independent oracle: functions whose roots are known in closed form,
// evaluated here with plain arithmetic rather than the expression core.
#include "core/analysis/ExtremaFinder.h"
#include "core/analysis/RootFinder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

struct OracleFunction
{
    friend void PrintTo(const OracleFunction &c, std::ostream *os) { *os << c.text; }
    std::string name;
    std::string text;
    std::function<double(double)> f;
    std::vector<double> roots;  // every root in [-10, 10]
};

std::string Number(double v)
{
    std::string s = std::to_string(v);
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.')
        s.pop_back();
    return s;
}

// Products of (x - r) over well separated simple roots inside [-9, 9].
std::vector<OracleFunction> Polynomials()
{
    std::vector<OracleFunction> out;
    for (int p = 0; p < 30; ++p) {
        std::vector<double> roots;
        const int degree = 1 + p % 5;
        for (int j = 0; roots.size() < static_cast<std::size_t>(degree); ++j) {
            const double r = -9 + ((p * 29 + j * 53) % 73) * 0.25;
            bool apart = true;
            for (const double q : roots)
                apart = apart && std::fabs(q - r) >= 0.5;
            if (apart)
                roots.push_back(r);
        }
        std::string text;
        for (const double r : roots)
            text += std::string(text.empty() ? "" : "*") + "(x" + (r < 0 ? "+" : "-") + Number(std::fabs(r)) + ")";
        const double scale = p % 3 == 0 ? 0.01 : 1.0;  // some flat ones
        if (scale != 1.0)
            text = "0.01*" + text;
        out.push_back({"Polynomial" + std::to_string(p), text,
                       [roots, scale](double x) {
                           double v = scale;
                           for (const double r : roots)
                               v *= x - r;
                           return v;
                       },
                       roots});
    }
    return out;
}

// sin(a x + b): roots (k pi - b) / a.
std::vector<OracleFunction> Trigonometric()
{
    std::vector<OracleFunction> out;
    const struct { double a, b; } params[] = {{1, 0}, {2, 0.5}, {0.5, -1}, {3, 1.25}, {1.5, 2}, {0.75, 0.3}};
    int n = 0;
    for (const auto &[a, b] : params) {
        std::vector<double> roots;
        for (int k = -40; k <= 40; ++k) {
            const double r = (k * std::numbers::pi - b) / a;
            if (r > -9.95 && r < 9.95)
                roots.push_back(r);
        }
        const std::string text = "sin(" + Number(a) + "*x" + (b < 0 ? "-" : "+") + Number(std::fabs(b)) + ")";
        out.push_back({"Sine" + std::to_string(n++), text, [a, b](double x) { return std::sin(a * x + b); }, roots});
    }
    return out;
}

std::vector<OracleFunction> All()
{
    std::vector<OracleFunction> all = Polynomials();
    for (OracleFunction &f : Trigonometric())
        all.push_back(std::move(f));
    return all;
}

class SearchOracle : public testing::TestWithParam<OracleFunction>
{
};

TEST_P(SearchOracle, RootsAreRootsAndNoneIsMissed)
{
    const OracleFunction &c = GetParam();
    const double t = 1e-6;
    CRootFinder finder;
    finder.SearchDomain(c.text, -10, 10, t);
    std::vector<double> listed;
    for (int i = 0; i < finder.m_nCount; ++i)
        if (finder.m_bValid[i]) {
            EXPECT_LT(std::fabs(c.f(finder.m_dRoots[i])), t) << c.text << " at " << finder.m_dRoots[i];
            listed.push_back(finder.m_dRoots[i]);
        }
    for (const double r : c.roots) {
        bool found = false;
        for (const double x : listed)
            found = found || std::fabs(x - r) < 1e-5;
        EXPECT_TRUE(found) << c.text << " misses " << r;
    }
    EXPECT_EQ(listed.size(), c.roots.size()) << c.text;
}

TEST_P(SearchOracle, EveryExtremumHasTheSlopeChangingSign)
{
    const OracleFunction &c = GetParam();
    CExtremaFinder finder;
    finder.SearchDomain(c.text, -10, 10, 1e-6);
    // Central differences of the oracle's own f, a little to either side.
    const auto slope = [&](double x) { return (c.f(x + 1e-4) - c.f(x - 1e-4)) / 2e-4; };
    for (int i = 0; i < finder.m_nCount; ++i) {
        if (!finder.IsListed(i))
            continue;
        const double x = finder.m_dX[i];
        const double left = slope(x - 0.02), right = slope(x + 0.02);
        if (finder.m_nType[i] == CExtremaFinder::Minimum)
            EXPECT_TRUE(left < 0 && right > 0) << c.text << " at " << x;
        else
            EXPECT_TRUE(left > 0 && right < 0) << c.text << " at " << x;
    }
}

INSTANTIATE_TEST_SUITE_P(Functions, SearchOracle, testing::ValuesIn(All()),
                         [](const testing::TestParamInfo<OracleFunction> &info) { return info.param.name; });

}  // namespace
