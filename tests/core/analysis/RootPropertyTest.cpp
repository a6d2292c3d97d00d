// Random polynomials with roots known exactly, searched as the pages and the
// command line search them, each listed point checked against MPFR.
#include "core/analysis/AnalysisRun.h"
#include "core/expr/ShownNumber.h"
#include "oracle/Mpfr.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

using oracle::Big;

// Roots are whole multiples of 10^-7, written exactly.
constexpr double kUnit = 1e-7;

std::string Decimal(long units)
{
    const long whole = std::labs(units) / 10000000, part = std::labs(units) % 10000000;
    std::string digits = std::to_string(part);
    digits.insert(0, 7 - digits.size(), '0');
    return std::string(units < 0 ? "-" : "") + std::to_string(whole) + "." + digits;
}

struct SPolynomial
{
    std::string text;
    std::vector<long> roots;  // in units, ascending
    int scale = 0;            // the constant factor is +-10^scale
    bool negative = false;

    Big Value(const Big &x) const
    {
        Big v = Pow(Big(10), Big(scale));
        if (negative)
            v = -v;
        for (const long r : roots)
            v = v * (x - Big::Text(Decimal(r)));
        return v;
    }
};

// One to four roots at least 0.05 apart on a thousandth grid, any of them
// with a partner 10^-7 to 10^-1 beside it, times +-10^-6 to 10^6.
rc::Gen<SPolynomial> Polynomials()
{
    return rc::gen::exec([] {
        SPolynomial p;
        const int count = *rc::gen::inRange(1, 5);
        std::vector<long> base;
        for (int i = 0; i < count; ++i)
            base.push_back(10000L * *rc::gen::inRange(-9500, 9501));
        std::sort(base.begin(), base.end());
        for (std::size_t i = 1; i < base.size(); ++i)
            RC_PRE(base[i] - base[i - 1] >= 500000L);
        for (const long r : base) {
            p.roots.push_back(r);
            if (*rc::gen::inRange(0, 3) == 0)
                p.roots.push_back(r + static_cast<long>(std::lround(std::pow(10.0, *rc::gen::inRange(0, 7)))));
        }
        std::sort(p.roots.begin(), p.roots.end());
        p.scale = *rc::gen::inRange(-6, 7);
        p.negative = *rc::gen::arbitrary<bool>();
        p.text = std::string(p.negative ? "-" : "") + (p.scale < 0 ? "1/10^" : "10^") + std::to_string(std::abs(p.scale));
        for (const long r : p.roots)
            p.text += "*(x" + std::string(r < 0 ? "+" : "-") + Decimal(std::labs(r)) + ")";
        return p;
    });
}

struct SDomain
{
    double from, to;
};

rc::Gen<SDomain> Domains()
{
    return rc::gen::exec([] {
        const int a = *rc::gen::inRange(-20, 19);
        const int b = *rc::gen::inRange(a + 2, 21);
        return SDomain{a / 2.0, b / 2.0};
    });
}

std::string Command(const SPolynomial &p, const SDomain &d, int places)
{
    return "roots '" + p.text + "' --from " + ShownExact(d.from) + " --to " + ShownExact(d.to) +
           " --places " + std::to_string(places);
}

SAnalysisResult Search(EAnalysisKind kind, const SPolynomial &p, const SDomain &d, int places)
{
    return *RunAnalysis({kind, p.text, false, d.from, d.to, places, {}});
}

// The error of a shown root against the nearest true one, in units of its last digit.
double NearestError(const std::string &text, const SPolynomial &p)
{
    double best = HUGE_VAL;
    for (const long r : p.roots)
        best = std::min(best, oracle::ShownError(text, Big::Text(Decimal(r))));
    return best;
}

RC_GTEST_PROP(RootProperties, EachListedRootIsATrueRootToItsShownDigits, ())
{
    const SPolynomial p = *Polynomials();
    const SDomain d = *Domains();
    const int places = *rc::gen::inRange(3, 16);
    RC_LOG() << Command(p, d, places) << "\n";
    const SAnalysisResult result = Search(EAnalysisKind::Roots, p, d, places);
    for (const SAnalysisPoint &point : result.points) {
        const std::string text = point.label.substr(1, point.label.find(',') - 1);
        RC_LOG() << text << "\n";
        RC_ASSERT(NearestError(text, p) <= 1.0);
        RC_ASSERT(point.x >= d.from && point.x <= d.to);
    }
}

RC_GTEST_PROP(RootProperties, NoRootFartherThanThePlacesFromAnotherIsLost, ())
{
    const SPolynomial p = *Polynomials();
    const SDomain d = *Domains();
    const int places = *rc::gen::inRange(3, 16);
    RC_LOG() << Command(p, d, places) << "\n";
    const SAnalysisResult result = Search(EAnalysisKind::Roots, p, d, places);
    const double apart = std::pow(10.0, -places);
    for (std::size_t i = 0; i < p.roots.size(); ++i) {
        const double r = static_cast<double>(p.roots[i]) * kUnit;
        // Clear of the domain's ends and of the other roots.
        if (r < d.from + 0.01 || r > d.to - 0.01)
            continue;
        if ((i > 0 && static_cast<double>(p.roots[i] - p.roots[i - 1]) * kUnit <= apart) ||
            (i + 1 < p.roots.size() && static_cast<double>(p.roots[i + 1] - p.roots[i]) * kUnit <= apart))
            continue;
        const bool listed = std::any_of(result.lines.begin(), result.lines.end(), [&](const std::string &line) {
            return oracle::ShownError(line, Big::Text(Decimal(p.roots[i]))) <= 1.0;
        });
        RC_LOG() << "root " << Decimal(p.roots[i]) << "\n";
        RC_ASSERT(listed);
    }
}

RC_GTEST_PROP(RootProperties, MorePlacesNeverListFewerPoints, ())
{
    const SPolynomial p = *Polynomials();
    const SDomain d = *Domains();
    const int places = *rc::gen::inRange(3, 15);
    const int more = *rc::gen::inRange(places + 1, 16);
    const auto kind = *rc::gen::element(EAnalysisKind::Roots, EAnalysisKind::Extrema, EAnalysisKind::Inflection);
    RC_LOG() << Command(p, d, places) << " (and " << more << " places, kind " << static_cast<int>(kind) << ")\n";
    RC_ASSERT(Search(kind, p, d, places).points.size() <= Search(kind, p, d, more).points.size());
}

RC_GTEST_PROP(RootProperties, ExtremaHaveTheirType, ())
{
    const SPolynomial p = *Polynomials();
    const SDomain d = *Domains();
    const int places = *rc::gen::inRange(3, 16);
    RC_LOG() << Command(p, d, places) << " (extrema)\n";
    const SAnalysisResult result = Search(EAnalysisKind::Extrema, p, d, places);
    for (const SAnalysisPoint &point : result.points) {
        // Half the way to the nearest root on either side, at most 10^-3.
        double reach = 1e-3;
        for (const long r : p.roots)
            reach = std::min(reach, std::fabs(static_cast<double>(r) * kUnit - point.x) / 2);
        const Big at = p.Value(Big(point.x));
        const Big left = p.Value(Big(point.x - reach)), right = p.Value(Big(point.x + reach));
        RC_LOG() << point.label << " reach " << reach << "\n";
        if (point.maximum)
            RC_ASSERT(left <= at && right <= at);
        else
            RC_ASSERT(at <= left && at <= right);
    }
}

}  // namespace
