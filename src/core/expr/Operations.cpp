#include "core/expr/Operations.h"

#include "core/expr/Angle.h"
#include "core/expr/Expression.h"
#include "core/expr/IntegerPower.h"
#include "core/expr/Interval.h"

#include <array>
#include <cmath>
#include <limits>

namespace {

// One function of the table per line: v is the argument, k the degree
// factor (1 in radians), read only by the angular ones.
// In degree mode the angle is reduced exactly (sin 180 is 0); in radians
// these are the library's functions of k * v.
bool InDegrees(double k) { return k == kRadiansPerDegree; }
std::pair<long double, long double> Degrees(double v) { return SinCosDegrees(v); }
double Sin(double v, double k) { return InDegrees(k) ? static_cast<double>(Degrees(v).first) : std::sin(k * v); }
double Cos(double v, double k) { return InDegrees(k) ? static_cast<double>(Degrees(v).second) : std::cos(k * v); }
double Tan(double v, double k)
{
    if (!InDegrees(k))
        return std::tan(k * v);
    const auto [s, c] = Degrees(v);
    return static_cast<double>(s / c);
}
double Cot(double v, double k)
{
    if (!InDegrees(k))
        return 1.0 / std::tan(k * v);
    const auto [s, c] = Degrees(v);
    return static_cast<double>(c / s);
}
double Csc(double v, double k) { return InDegrees(k) ? static_cast<double>(1.0L / Degrees(v).first) : 1.0 / std::sin(k * v); }
double Sec(double v, double k) { return InDegrees(k) ? static_cast<double>(1.0L / Degrees(v).second) : 1.0 / std::cos(k * v); }
double Asin(double v, double) { return std::asin(v); }
double Acos(double v, double) { return std::acos(v); }
double Atan(double v, double) { return std::atan(v); }
double Acot(double v, double) { return std::atan(1.0 / v); }
double Acsc(double v, double) { return std::asin(1.0 / v); }
double Asec(double v, double) { return std::acos(1.0 / v); }
double Sinh(double v, double) { return std::sinh(v); }
double Cosh(double v, double) { return std::cosh(v); }
double Tanh(double v, double) { return std::tanh(v); }
double Coth(double v, double) { return 1.0 / std::tanh(v); }
double Sech(double v, double) { return 1.0 / std::cosh(v); }
double Csch(double v, double) { return 1.0 / std::sinh(v); }
// The inverse hyperbolics use the library functions rather than their
// logarithmic formulas, which cancel or overflow for large |v|.
double Asinh(double v, double) { return std::asinh(v); }
double Acosh(double v, double) { return std::acosh(v); }
double Atanh(double v, double) { return std::atanh(v); }
double Acoth(double v, double) { return std::atanh(1.0 / v); }
double Asech(double v, double) { return std::acosh(1.0 / v); }
double Acsch(double v, double) { return std::asinh(1.0 / v); }
double Ln(double v, double) { return std::log(v); }
double Log(double v, double) { return std::log10(v); }
double Sqrt(double v, double) { return std::sqrt(v); }
double Abs(double v, double) { return std::fabs(v); }
double Cbrt(double v, double) { return std::cbrt(v); }
double Exp(double v, double) { return std::exp(v); }

// The row loop calls the function directly, so the compiler inlines it: the
// same operations as the single evaluator's call, the same bits.
template <double (*F)(double, double)>
void Sweep(double *row, std::size_t n, double k)
{
    for (std::size_t i = 0; i < n; ++i)
        row[i] = F(row[i], k);
}

template <double (*F)(double, double), SInterval (*I)(const SInterval &, double)>
constexpr SOperation Row(const char *name, char code, bool angular)
{
    return {name, code, angular, F, &Sweep<F>, I};
}

// Longer names first: the coder replaces names in this order, so each must
// come before the names it contains ("asinh" before "sinh", "sin", "asin").
// To add a function, see Operations.h.
constexpr SOperation kOperations[] = {
    Row<Asinh, interval::Asinh>("asinh", 'S', false), Row<Acosh, interval::Acosh>("acosh", 'T', false),
    Row<Atanh, interval::Atanh>("atanh", 'U', false), Row<Acoth, interval::Acoth>("acoth", 'V', false),
    Row<Asech, interval::Asech>("asech", 'W', false), Row<Acsch, interval::Acsch>("acsch", 'X', false),
    Row<Sinh, interval::Sinh>("sinh", 'M', false), Row<Cosh, interval::Cosh>("cosh", 'N', false),
    Row<Tanh, interval::Tanh>("tanh", 'O', false), Row<Coth, interval::Coth>("coth", 'P', false),
    Row<Sech, interval::Sech>("sech", 'Q', false), Row<Csch, interval::Csch>("csch", 'R', false),
    Row<Asin, interval::Asin>("asin", 'G', false), Row<Acos, interval::Acos>("acos", 'H', false),
    Row<Atan, interval::Atan>("atan", 'I', false), Row<Acot, interval::Acot>("acot", 'J', false),
    Row<Acsc, interval::Acsc>("acsc", 'K', false), Row<Asec, interval::Asec>("asec", 'L', false),
    Row<Sin, interval::Sin>("sin", 'A', true), Row<Cos, interval::Cos>("cos", 'B', true),
    Row<Tan, interval::Tan>("tan", 'C', true), Row<Cot, interval::Cot>("cot", 'D', true),
    Row<Csc, interval::Csc>("csc", 'E', true), Row<Sec, interval::Sec>("sec", 'F', true),
    Row<Ln, interval::Ln>("ln", 'Y', false), Row<Log, interval::Log>("log", 'Z', false),
    // Past Z the codes are punctuation that typed text cannot carry through
    // the coder (see CodeExpression).
    Row<Sqrt, interval::Sqrt>("sqrt", '#', false), Row<Abs, interval::Abs>("abs", '$', false),
    Row<Cbrt, interval::Cbrt>("cbrt", '&', false), Row<Exp, interval::Exp>("exp", '@', false),
};

constexpr auto kNames = [] {
    std::array<SFunctionName, std::size(kOperations)> names{};
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = {kOperations[i].name, kOperations[i].code};
    return names;
}();

}  // namespace

// Character -> row, so that looking a letter up costs one load.
constinit const std::array<signed char, 256> operation_detail::kRowOfCode = [] {
    std::array<signed char, 256> index{};
    index.fill(-1);
    for (std::size_t i = 0; i < std::size(kOperations); ++i)
        index[static_cast<unsigned char>(kOperations[i].code)] = static_cast<signed char>(i);
    return index;
}();

std::span<const SOperation> Operations() { return kOperations; }

const SOperation *FindOperation(char code)
{
    const int i = operation_detail::kRowOfCode[static_cast<unsigned char>(code)];
    return i < 0 ? nullptr : &kOperations[i];
}

std::span<const SFunctionName> FunctionNames() { return kNames; }

double ApplyFunctionCode(char code, double v, double k)
{
    if (code == '~')
        return -v;
    const SOperation *op = FindOperation(code);
    return op ? op->value(v, k) : std::numeric_limits<double>::quiet_NaN();
}

void SineAndCosine(double a, double &sine, double &cosine)
{
#if defined(__GLIBC__)
    ::sincos(a, &sine, &cosine);  // the same code as sin and cos, run once
#else
    sine = std::sin(a);
    cosine = std::cos(a);
#endif
}

double ApplyBinaryCode(char code, double l, double r)
{
    switch (code) {
    case '+': return l + r;
    case '-': return l - r;
    case '*': return l * r;
    case '/': return l / r;
    case '^': return Power(l, r);
    default: return 0.0;
    }
}
