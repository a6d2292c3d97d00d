#include "core/calc/CalcFunctions.h"

#include "core/calc/CalcEvaluator.h"
#include "core/calc/CalcRefusals.h"
#include "core/expr/Angle.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>
#include <string>

// The calculator's names and the values of its functions.

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr long double kPiL = 3.141592653589793238462643383279502884L;
constexpr std::size_t kNoPlace = SCalcResult::kNoPosition;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

double ToDegrees(long double a) { return static_cast<double>(a * (180.0L / kPiL)); }

using K = SCalcName;
constexpr std::array<SCalcName, 34> kNames{{
    {"ncr", K::Operator, '@'},  {"npr", K::Operator, '$'},  {"asinh", K::Function, 'a'}, {"acosh", K::Function, 'b'},
    {"atanh", K::Function, 'c'}, {"asech", K::Function, 'd'}, {"acsch", K::Function, 'e'}, {"acoth", K::Function, 'f'},
    {"sinh", K::Function, 'g'}, {"cosh", K::Function, 'h'}, {"tanh", K::Function, 'i'}, {"coth", K::Function, 'j'},
    {"sech", K::Function, 'k'}, {"csch", K::Function, 'l'}, {"atan", K::Function, 'm'}, {"asin", K::Function, 'n'},
    {"acos", K::Function, 'o'}, {"asec", K::Function, 'p'}, {"acsc", K::Function, 'q'}, {"acot", K::Function, 'r'},
    {"sin", K::Function, 's'},  {"cos", K::Function, 't'},  {"tan", K::Function, 'u'},  {"sec", K::Function, 'v'},
    {"csc", K::Function, 'w'},  {"cot", K::Function, 'y'},  {"ln", K::Function, 'z'},   {"log", K::Function, '{'},
    {"sqrt", K::Function, 'A'}, {"abs", K::Function, 'B'},  {"cbrt", K::Function, 'C'}, {"exp", K::Function, 'D'},
    {"pi", K::Constant, 0, std::numbers::pi}, {"e", K::Constant, 0, std::numbers::e},
}};

}  // namespace

const SCalcName *LongestCalcName(std::string_view text)
{
    const SCalcName *pBest = nullptr;
    for (const SCalcName &entry : kNames) {
        if (entry.name.size() > text.size())
            continue;
        bool bMatch = true;
        for (std::size_t k = 0; k < entry.name.size() && bMatch; ++k)
            bMatch = Lower(text[k]) == entry.name[k];
        if (bMatch && (!pBest || entry.name.size() > pBest->name.size()))
            pBest = &entry;
    }
    return pBest;
}

std::string_view CalcFunctionName(char code)
{
    const auto it = std::find_if(kNames.begin(), kNames.end(),
                                 [code](const SCalcName &n) { return n.kind == SCalcName::Function && n.code == code; });
    return it == kNames.end() ? std::string_view() : it->name;
}

// Inverse functions through forms that keep their digits near the edges of
// their domains: asech(0.999999) and acoth(1.000001) work with 1 - x and
// x - 1, which are exact there, instead of 1/x.
namespace {

long double Asec(long double x)
{
    const long double a = std::fabs(x);
    const long double t = std::atan(std::sqrt((a - 1) * (a + 1)));
    return x > 0 ? t : kPiL - t;
}

long double Acsc(long double x)
{
    const long double a = std::fabs(x);
    const long double t = std::atan2(1.0L, std::sqrt((a - 1) * (a + 1)));
    return x > 0 ? t : -t;
}

long double Asech(long double x)
{
    const long double t = (1 - x) / x;  // 1/x - 1
    return std::log1p(t + std::sqrt(t * (t + 2)));
}

long double Acoth(long double x)
{
    const long double a = std::fabs(x);
    const long double t = 0.5L * std::log1p(2 / (a - 1));
    return x > 0 ? t : -t;
}

}  // namespace

double CCalcEvaluator::ApplyFunction(char code, const SValue &arg, std::size_t nAt)
{
    const double x = arg.v;
    const bool bDegrees = !m_bRadian;
    const std::string_view trig("stuvwy");
    const auto name = [code] { return std::string(CalcFunctionName(code)); };
    // In degrees, and in radians for an exact multiple of pi, the angle is
    // reduced exactly: sin 180 and sin(pi) are 0, tan(pi/4) is 1.
    const bool bExactAngle = bDegrees || arg.kind == SValue::PiMultiple;
    if (bExactAngle && std::isfinite(x) && trig.find(code) != std::string_view::npos) {
        const double dDegrees = bDegrees ? x : 180.0 * static_cast<double>(arg.p) / static_cast<double>(arg.q);
        const auto [s, c] = SinCosDegrees(dDegrees);
        const long double fractions[][2] = {{s, 1}, {c, 1}, {s, c}, {1, c}, {1, s}, {c, s}};
        const auto &f = fractions[trig.find(code)];
        if (f[1] == 0) {
            char buf[64];
            std::snprintf(buf, sizeof buf, " %.16g is undefined", x);
            return Fail(nAt, name() + buf);
        }
        return static_cast<double>(f[0] / f[1]);
    }
    const long double y = x;
    const auto angle = [bDegrees](long double a) { return bDegrees ? ToDegrees(a) : static_cast<double>(a); };
    const auto outside = [&](const char *pszWhy) { return Fail(kNoPlace, CalcDomainText(name() + " " + pszWhy)); };
    const auto reciprocal = [&](double d) { return d == 0 ? Fail(kNoPlace, kCalcDivision) : Checked(1 / d); };
    switch (code) {
    case 's': return std::sin(x);
    case 't': return std::cos(x);
    case 'u': return Checked(std::tan(x));
    case 'v': return reciprocal(std::cos(x));
    case 'w': return reciprocal(std::sin(x));
    case 'y': return reciprocal(std::tan(x));
    case 'n': return std::fabs(x) > 1 ? outside("needs a value from -1 to 1") : angle(std::asin(y));
    case 'o': return std::fabs(x) > 1 ? outside("needs a value from -1 to 1") : angle(std::acos(y));
    case 'm': return angle(std::atan(y));
    case 'p': return std::fabs(x) < 1 ? outside("needs a value of at least 1 in size") : angle(Asec(y));
    case 'q': return std::fabs(x) < 1 ? outside("needs a value of at least 1 in size") : angle(Acsc(y));
    case 'r': return x == 0 ? angle(kPiL / 2) : angle(std::atan(1 / y));
    case 'g': return Checked(std::sinh(x));
    case 'h': return Checked(std::cosh(x));
    case 'i': return std::tanh(x);
    case 'j': return reciprocal(std::tanh(x));
    case 'k': return 1 / std::cosh(x);
    case 'l': return reciprocal(std::sinh(x));
    case 'a': return std::asinh(x);
    case 'b': return x < 1 ? outside("needs a value of at least 1") : std::acosh(x);
    case 'c': return std::fabs(x) >= 1 ? outside("needs a value between -1 and 1") : std::atanh(x);
    case 'd': return x <= 0 || x > 1 ? outside("needs a value above 0 and at most 1") : static_cast<double>(Asech(y));
    case 'e': return x == 0 ? Fail(kNoPlace, kCalcDivision) : static_cast<double>(std::asinh(1 / y));
    case 'f': return std::fabs(x) <= 1 ? outside("needs a value above 1 in size") : static_cast<double>(Acoth(y));
    case 'z': case '{':
        if (x == 0)
            return outside("of 0");
        if (x < 0)
            return outside("of a negative number");
        return code == 'z' ? std::log(x) : std::log10(x);
    case 'A': return x < 0 ? outside("of a negative number") : std::sqrt(x);
    case 'B': return std::fabs(x);
    case 'C': return std::cbrt(x);
    case 'D': return Checked(std::exp(x));
    default: return kNaN;
    }
}
