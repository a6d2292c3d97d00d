#include "core/expr/Angle.h"
#include "core/expr/Expression.h"
#include "core/expr/FunctionText.h"
#include "core/expr/IntegerPower.h"
#include "core/expr/NumberText.h"
#include "core/expr/ShownNumber.h"
#include "core/expr/Operations.h"
#include "core/expr/SyntaxPlace.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>
#ifdef CORVANTA_HAVE_MUPARSER
#include <muParser.h>
#endif

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double Eval(const std::string &text, double x, bool degree = false)
{
    CExpression e;
    e.SetExpression(text);
    e.m_bDegree = degree;
    return e.Evaluate(x);
}

bool SameBits(double a, double b)
{
    return std::isnan(a) ? std::isnan(b) : std::memcmp(&a, &b, sizeof a) == 0;
}

// Every other typed text and its coded text is in the valid-text table.
TEST(CodedText, NormalisesTypedText)
{
    const struct { const char *text, *coded; } cases[] = {
        {"$x", "?x)"}, {"e.5", "2.718281828.5)"}, {"", ")"}, {"   ", ")"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CodeExpression(c.text) + ")", c.coded) << c.text;
}

// The codes of typed texts are in the valid- and refused-text tables; here
// coded texts the coder never writes.
TEST(Syntax, ChecksTheCodedText)
{
    EXPECT_EQ(CheckSyntax(""), 3);
    EXPECT_EQ(CheckSyntax("x+)%)"), 2);  // the first failing character decides
    EXPECT_EQ(CheckSyntax("%+)"), 1);
}

// The priorities, special values, and degrees for sin..sec only; each
// function's values are the MPFR oracle's (EvaluateOracle).
TEST(Evaluate, GivesTheValuesOfTheTables)
{
    const double pi = std::acos(-1.0);
    const struct { const char *text; double x, expected; bool degree = false; } cases[] = {
        {"x^2", -3, 9}, {"2^-1", 0, 0.5}, {"-x^2", 3, -9}, {"2^x^2", 2, 16}, {"1-2-3", 0, -4}, {"8/2/2", 0, 2},
        {"x--1", 1, 2}, {"2x+3", 4, 11}, {"x2", 4, 8}, {"2pi", 0, 2 * pi}, {"pi-1", 0, pi - 1},
        {"e^x", 1, std::exp(1.0)}, {"sin(x)^2", 2, std::sin(4.0)}, {"(sin(x))^2", 2, std::sin(2.0) * std::sin(2.0)},
        {"2sin(x)", 1, 2 * std::sin(1.0)}, {"sin x", 1, std::sin(1.0)}, {"ln(0)", 0, -kInf}, {"1/0", 0, kInf},
        {"sin(90)", 0, 1, true}, {"cot(0)", 0, kInf}, {"asin(1)", 0, pi / 2, true}, {"acos(x)", 0.5, std::acos(0.5), true},
        {"acot(0)", 0, pi / 2}, {"log(1000)", 0, 3}, {"1234567.5+x", 0, 1234567.5}, {"0.1+0.2", 0, 0.1 + 0.2},
        // Accurate where the textbook logarithm formulas cancel or overflow (the names muParser
        // knows are compared with it below).
        {"asinh(x)", -1e9, std::asinh(-1e9)}, {"acosh(x)", 1e200, std::acosh(1e200)},
        {"acsch(x)", -1, std::asinh(-1.0)},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(Eval(c.text, c.x, c.degree), c.expected) << c.text << " at " << c.x << " deg " << c.degree;
}

TEST(Evaluate, UndefinedPointsAreNaN)
{
    const struct { const char *text; double x; } cases[] = {
        {"(-8)^(1/3)", 0}, {"acoth(x)", 0.5}, {"asech(x)", -0.5}, {"asech(x)", 2}, {"x^0.5", -1}, {"sqrt(x)", -1},
        {"e.5", 1}, {"", 0}, {"   ", 0}, {"x+", 1}, {"*x", 1}, {"sin", 1}, {"()", 0}, {"1.5.3", 0}, {"x-()", 1},
        {"3x.", 1}, {"x.", 1}, {"2..5x", 1}, {"(x))+(", 1}, {"sin()", 1},
        // The base overflows to -inf: still negative, still no fractional power.
        {"(-x*x)^0.5", 1e200}, {"(-x*x)^-1.5", 1e200}, {"(-x^3)^(1/3)", 1e120},
    };
    for (const auto &c : cases)
        EXPECT_TRUE(std::isnan(Eval(c.text, c.x))) << c.text << " at " << c.x;
    EXPECT_TRUE(std::isnan(CExpression().Evaluate(1.0)));  // never compiled
}

TEST(Limits, LongAndDeeplyNestedTexts)
{
    // 1-(1-(...)) keeps every operand on the stack until the end.
    std::string nested, sines;
    for (int i = 0; i < 5000; ++i) {
        nested += "1-(";
        sines += "sin(";
    }
    nested += "x" + std::string(5000, ')');
    sines += "x" + std::string(5000, ')');
    double sine = 0.5;
    for (int i = 0; i < 5000; ++i)
        sine = std::sin(sine);
    const struct { const std::string &text; double x, expected; } cases[] = {
        {nested, 0.25, 0.25}, {sines, 0.5, sine}};
    for (const auto &c : cases) {
        CExpression e;
        e.SetExpression(c.text);
        EXPECT_EQ(CheckSyntax(e.m_strCoded), 0);
        EXPECT_DOUBLE_EQ(e.Evaluate(c.x), c.expected);
    }
}

TEST(Numbers, LiteralsReadLikeTheCLibraryInAnyLocale)
{
    EXPECT_EQ(Eval(std::string(400, '9'), 0), kInf);
    EXPECT_EQ(Eval("0." + std::string(400, '0') + "1", 0), 0.0);
    EXPECT_EQ(Eval(".5", 0) + Eval("5.", 0) + Eval("007", 0), 12.5);
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 locale not installed (scripts/dev.sh test installs it)";
    const double v = Eval("2.5*x+0.25", 2.0);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(v, 5.25);
}

// printf in the C locale is the oracle for the formats.
std::string Printf(const char *fmt, double v)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, fmt, v);
    return buf;
}

TEST(NumberText, FormatsMatchPrintfAndShortestReadsBack)
{
    for (double v : {0.0, -0.0, 1.0, -5.0, 2.0 / 3, -0.004, 0.005, 0.015, 1234567.891, -1e-7, 1e20, 9.999995, -2.5,
                     123456789012.345678, 5e-324, 1.7e308, kInf, -kInf, kNaN}) {
        EXPECT_EQ(FormatFixed(v, 2), Printf("%.2f", v)) << v;
        EXPECT_EQ(FormatFixed(v, 12), Printf("%.12f", v)) << v;
        EXPECT_EQ(FormatExp(v, 4), Printf("%.4e", v)) << v;
        EXPECT_TRUE(!std::isfinite(v) || SameBits(ReadNumber(ShownExact(v)), v)) << ShownExact(v);
    }
}

// Carries, the switch to an exponent and no negative zero; every other
// value's digits are the MPFR property's (ShownNumber.ValueDigitsAreTheExactOnesRounded).
TEST(NumberText, FixedTextsShowNoDigitADoubleDoesNotHold)
{
    const struct { double value; int decimals; const char *text; } cases[] = {
        {12345.6789, 15, "12345.6789000000"}, {-9, 15, "-9.00000000000000"}, {std::sin(1.1), 15, "0.891207360061435"},
        {0.9999999999999999, 15, "1.00000000000000"}, {99999.99999999999, 10, "100000.000000000"},
        {999999999999999.4, 6, "999999999999999"}, {-1e-20, 15, "0.000000000000000"},
        {999999999999999.6, 6, "1.00000000000000e+15"}, {1e15, 0, "1.00000000000000e+15"},
        {-1.7976931348623157e308, 4, "-1.79769313486232e+308"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ShownValue(c.value, c.decimals), c.text) << c.value;
}

TEST(NumberText, ReadsLikeAtof)
{
    const struct { const char *text; double value; } cases[] = {
        {"10", 10},  {"-2.5", -2.5}, {"  3", 3},   {"+4", 4},     {".5", 0.5},    {"-.25", -0.25},   {"1e3", 1000},
        {"12abc", 12}, {"abc", 0},   {"", 0},      {"-", 0},      {".", 0},       {"nan", 0},        {"inf", 0},
        {"-infinity", 0}, {"1,5", 1}, {"0x10", 0}, {"1e-400", 0}, {"2.", 2},      {" -7e-1x", -0.7},
        {"1e400", std::numeric_limits<double>::max()}, {"-1e400", -std::numeric_limits<double>::max()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ReadNumber(c.text), c.value) << c.text;
    // A field's whole text: a decimal comma or trailing text is no number.
    const struct { const char *text; std::optional<double> value; } fields[] = {
        {" +2.5 ", 2.5}, {"-.5", -0.5}, {"1e5", 1e5}, {"5.", 5}, {"1,5", {}}, {"1e400", {}}, {"nan", {}},
        {"-inf", {}}, {"", {}}, {"-", {}}, {"0x10", {}}, {"2 3", {}},
    };
    for (const auto &c : fields)
        EXPECT_EQ(ReadWholeNumber(c.text), c.value) << c.text;
    // Beyond double either way: the place of the first nonzero digit decides, not the exponent's sign.
    const std::string zeros(400, '0');
    EXPECT_EQ(ReadNumber("0." + zeros + "1"), 0.0);
    EXPECT_EQ(ReadNumber("1" + zeros + "e-10"), std::numeric_limits<double>::max());
    EXPECT_EQ(ReadNumberText("-1" + zeros + "e-10"), -kInf);
    const struct { const char *text; NumberKind kind; } kinds[] = {
        {"+1e400", NumberKind::OutOfRange}, {"1e-400", NumberKind::OutOfRange}, {"-inf", NumberKind::NotFinite},
        {"nan", NumberKind::NotFinite}, {"1e400x", NumberKind::NotNumber}, {" 5 ", NumberKind::Number},
    };
    for (const auto &c : kinds)
        EXPECT_EQ(ExamineNumber(c.text).kind, c.kind) << c.text;
    const struct { const char *text; std::optional<int> value; } integers[] = {
        {" +7 ", 7}, {"-12", -12}, {"07", 7}, {"0x7", {}}, {"7.0", {}}, {"1e1", {}}, {"+-7", {}}, {"", {}},
        {"2147483647", 2147483647}, {"2147483648", {}},
    };
    for (const auto &c : integers)
        EXPECT_EQ(ReadWholeInteger(c.text), c.value) << c.text;
}

// Random, fully bracketed expressions that our parser and muParser read the
// same way; function names per dialect. muParser computes the inverse
// hyperbolics by their logarithm formulas, which lose digits near zero.
struct RandomExpression
{
    std::string ours, theirs;
};

RandomExpression MakeRandomExpression(std::mt19937 &rng, int depth, bool inverseHyperbolics = true)
{
    static const char *const kOurs[] = {"sin",  "cos",   "tan",   "asin",  "acos", "atan", "sinh",
                                        "cosh", "tanh",  "asinh", "acosh", "atanh", "ln",  "log"};
    static const char *const kNumbers[] = {"2", "3", "0.5", "1.25", "10", "7", "0.1", "4.75"};
    const int roll = std::uniform_int_distribution<int>(0, 99)(rng);
    if (depth <= 0 || roll < 20) {
        const std::string leaf = roll % 2 ? "x" : kNumbers[roll % 8];
        return {leaf, leaf};
    }
    const RandomExpression a = MakeRandomExpression(rng, depth - 1, inverseHyperbolics);
    if (roll < 45) {
        const int f = !inverseHyperbolics && roll % 14 >= 9 && roll % 14 <= 11 ? roll % 14 - 3 : roll % 14;
        const std::string theirs = f == 13 ? "log10" : kOurs[f];
        return {std::string(kOurs[f]) + "(" + a.ours + ")", theirs + "(" + a.theirs + ")"};
    }
    if (roll < 52)
        return {"(-(" + a.ours + "))", "(-(" + a.theirs + "))"};
    const char op = "+-*/^"[roll % 5];
    const RandomExpression b = MakeRandomExpression(rng, depth - 1, inverseHyperbolics);
    const std::string ours = "(" + a.ours + ")" + op + "(" + b.ours + ")";
    if (op == '^')  // muParser's ^ is pow's, with (-inf)^0.5 = inf
        return {ours, "rpow(" + a.theirs + "," + b.theirs + ")"};
    return {ours, "(" + a.theirs + ")" + op + "(" + b.theirs + ")"};
}

// x^3 or x^4 rounded once from 128-bit floating point, where x^2 is exact and
// the one rounding of the product lies far below the double's precision (and
// is none at all for the short integers whose powers fall on halfway points).
double ReferencePower(double x, int n)
{
    const __float128 square = static_cast<__float128>(x) * x;
    return static_cast<double>(n == 3 ? square * x : square * square);
}

// About a million bases: any bit pattern (zeros, subnormals, infinities, NaN,
// overflowing powers), ordinary values, and odd integers of 18 (14) bits, whose
// cubes (fourth powers) are exact ties or lie just beside one, scaled into
// the subnormal and overflowing ranges too. Single and bulk agree as well, and
// so does the exact decision taken on its own.
TEST(IntegerPowers, AreTheCorrectlyRoundedExactPowers)
{
    std::mt19937_64 rng(24);
    const auto uniform = [&rng](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    const auto scaledOdd = [&rng](int bits, int lo, int hi) {
        const double k = static_cast<double>((rng() >> (64 - bits)) | (1ull << (bits - 1)) | 1u);
        return std::ldexp(rng() % 2 ? k : -k, static_cast<int>(rng() % (hi - lo + 1)) + lo);
    };
    std::vector<double> xs = {0.0, -0.0, kInf, -kInf, kNaN, 0x1p-1074, -0x1p-1074, 0x1p-1022, 0x1.fffffffffffffp1023,
                              std::cbrt(0x1.fffffffffffffp1023), std::pow(0x1p-1074, 0.25), -0x1p-358, 0x1p-269};
    for (std::uint64_t i = 0; xs.size() < (1u << 20); ++i) {
        std::uint64_t bits = rng();
        double any;
        std::memcpy(&any, &bits, sizeof any);
        xs.push_back(i % 4 == 0 ? any : i % 4 == 1 ? uniform(-10.0, 10.0) : i % 4 == 2 ? scaledOdd(18, -420, 330)
                                                                                        : scaledOdd(14, -300, 250));
    }
    for (int n : {3, 4}) {
        CExpression e;
        e.SetExpression("x^" + std::to_string(n));
        std::vector<double> ys(xs.size());
        e.EvaluateMany(xs.data(), ys.data(), xs.size());
        for (std::size_t i = 0; i < xs.size(); ++i) {
            ASSERT_TRUE(SameBits(ys[i], ReferencePower(xs[i], n))) << std::hexfloat << xs[i] << "^" << n;
            ASSERT_TRUE(SameBits(ys[i], e.Evaluate(xs[i]))) << std::hexfloat << xs[i] << "^" << n;
            // The exact decision, which the quick one leaves to the rare near-halfway case.
            ASSERT_TRUE(i % 8 != 0 || SameBits(ExactSmallPower(xs[i], n), ys[i])) << std::hexfloat << xs[i] << "^" << n;
        }
    }
}

// The plain meaning of a token list: a stack walk, one library call per
// operator, nothing folded, fused or batched.
double ReferenceWalk(const CExpression &e, double x, bool degree)
{
    const double k = degree ? kRadiansPerDegree : 1.0;
    const auto &codes = e.TokenCodes();
    const auto &xs = e.XPositions();
    std::vector<double> s;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const char c = codes[i];
        if (c == 0) {
            s.push_back(std::find(xs.begin(), xs.end(), i) != xs.end() ? x : e.TokenValues()[i]);
            continue;
        }
        const bool unary = c == '~' || FindOperation(c);
        if (s.size() < (unary ? 1u : 2u))
            return NAN;
        const double v = s.back();
        s.pop_back();
        if (unary) {
            s.push_back(ApplyFunctionCode(c, v, k));
            continue;
        }
        const double l = s.back();
        // Squares, cubes and fourth powers are correctly rounded; pow may be half an ulp off.
        s.back() = c == '+' ? l + v : c == '-' ? l - v : c == '*' ? l * v : c == '/' ? l / v
                   : v == 2.0 ? l * l : v == 3.0 || v == 4.0 ? ReferencePower(l, static_cast<int>(v))
                   : l < 0 && v != std::trunc(v) && std::isfinite(v) ? NAN : std::pow(l, v);
    }
    return s.size() == 1 ? s.back() : NAN;
}

// Bulk evaluation (in place, several full batches and a partial one) gives
// bit for bit the single calls and the plain walk of the tokens.
TEST(BulkEvaluation, EqualsSingleCallsAndAPlainWalkOfTheTokens)
{
    std::mt19937 rng(2024);
    std::vector<double> xs(600);
    for (double &x : xs)
        x = std::uniform_real_distribution<double>(-20.0, 20.0)(rng);
    xs[0] = 0.0, xs[1] = 1.0, xs[2] = -1.0;  // poles and zeros
    std::vector<std::string> texts = {"(x+1)(x-1)", "", "ex", "7", "pi", "x", "-x", "sin(30)", "2^x^2", "x$2",
                                      "1/x", "x^3", "x^2", "(x+0.1)^3", "3*x^3-2*x^2+x-5", "x^-1", "2^x", "x^x",
                                      "x^4-(x/3)^4", "cos(x)-sin(x)*cos(x)+sin(x)", "sin(x)^x^3"};
    for (int trial = 0; trial < 400; ++trial)
        texts.push_back(MakeRandomExpression(rng, 5).ours);
    for (const std::string &text : texts) {
        for (bool degree : {false, true}) {
            CExpression bulk;
            bulk.SetExpression(text);
            CExpression single = bulk;
            std::vector<double> ys = xs;
            bulk.m_bDegree = degree;
            bulk.EvaluateMany(ys.data(), ys.data(), ys.size());
            EXPECT_FALSE(bulk.m_bDegree);
            const bool walk = CheckSyntax(bulk.m_strCoded) == 0;
            for (std::size_t i = 0; i < xs.size(); ++i) {
                single.m_bDegree = degree;
                ASSERT_TRUE(SameBits(ys[i], single.Evaluate(xs[i]))) << text << " at " << xs[i];
                ASSERT_FALSE(single.m_bDegree);  // the flag lasts one call
                ASSERT_TRUE(!walk || SameBits(ys[i], ReferenceWalk(bulk, xs[i], degree))) << text << " at " << xs[i];
            }
            bulk.EvaluateMany(nullptr, nullptr, 0);  // an empty batch touches nothing
        }
    }
}

// Each of sqrt, abs, cbrt and exp gives the library's bits on both paths.
TEST(SchoolFunctions, AreTheLibraryFunctionsSingleAndBulk)
{
    std::mt19937_64 rng(25);
    std::vector<double> xs = {0.0, -0.0, -8.0, 4.0, kInf, -kInf, kNaN, 0x1p-1074, 709.8, -745.2}, ys(4000);
    while (xs.size() < ys.size())
        xs.push_back(std::ldexp(std::uniform_real_distribution<double>(-1.0, 1.0)(rng), static_cast<int>(rng() % 40) - 20));
    using F = double (*)(double);
    for (const auto &[text, f] : {std::pair<const char *, F>{"sqrt(x)", [](double v) { return std::sqrt(v); }},
                                  {"abs(x)", [](double v) { return std::fabs(v); }},
                                  {"cbrt(x)", [](double v) { return std::cbrt(v); }}, {"exp(x)", [](double v) { return std::exp(v); }}}) {
        CExpression e;
        e.SetExpression(text);
        e.EvaluateMany(xs.data(), ys.data(), xs.size());
        for (std::size_t i = 0; i < xs.size(); ++i)
            ASSERT_TRUE(SameBits(ys[i], f(xs[i])) && SameBits(e.Evaluate(xs[i]), f(xs[i]))) << text << " at " << xs[i];
    }
}

// A product after a closing bracket has the value of the product written out.
TEST(BracketProducts, EqualTheWrittenProducts)
{
    for (const char *text : {"(x+1)(x-1)", "(x+1)x", "(x+1)2", "(x+1)pi", "(x+1)e", "sin(x)(x+1)", "(x)(x)(x)^2",
                             "2(x-3)(x+.5)x", "(x)-(x)2", "abs(x)(-x)", "(x).5"}) {
        std::string written = text;
        for (std::size_t at = written.find(')'); at != std::string::npos; at = written.find(')', at + 1))
            if (at + 1 < written.size() && std::string("(x.0123456789pe").find(written[at + 1]) != std::string::npos)
                written.insert(at + 1, "*");
        for (double x : {-2.75, -1.0, 0.0, 0.3, 1.5, 4.0})
            EXPECT_TRUE(SameBits(Eval(text, x), Eval(written, x))) << text << " against " << written << " at " << x;
    }
}

// Valid texts of the fuzz corpora, the test tables and random token strings,
// with the coded texts the coder gave them before: none has changed.
TEST(CodedText, ValidTextsKeepTheirCodedText)
{
    std::ifstream in(CORVANTA_CODED_TEXTS);
    int read = 0;
    for (std::string line; std::getline(in, line); ++read)
        EXPECT_EQ("\t" + CodeExpression(line.substr(0, line.find('\t'))), line.substr(line.find('\t'))) << line;
    EXPECT_GT(read, 800);
}

TEST(SyntaxPlace, NamesTheFirstCharacterAtFaultAsTypedAndTheExponentTrap)
{
    const struct { const char *text, *line; } cases[] = {
        {"x+g", "'g', at character 3."}, {"sqrf(x)", "'f', at character 4. Did you mean 'sqrt'?"},
        {"lg(x)", "'l', at character 1. Did you mean 'log'?"}, {"2 * y", "'y', at character 5."},
        {"x$", "'$', at character 2."}, {"(x+1)\xc2\xb2 q", "'\xc2\xb2', at character 6."}, {"sin(x)+", "'+', at character 7."},
        {"x)", "')', at character 2."}, {"((x)", "'(', at character 1."}, {"x^2", nullptr}, {"", nullptr},
        {"x-()", "')', at character 4."}, {"x)+(2", "')', at character 2."}, {"2..5x", "'.', at character 3."},
        {"1.2.3", "'.', at character 4."}, {"x.", "'.', at character 2."},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SyntaxPlaceLine(LocateSyntaxError(c.text)), c.line ? std::string("The first is ") + c.line : "") << c.text;
    EXPECT_EQ(SuggestName("sine"), "sin");
    for (const auto &[text, at] : {std::pair<const char *, std::size_t>{"1e-4", 0}, {"x+2.5e3", 4}, {"3.e+1", 1}})
        EXPECT_EQ(FindExponentTrap(text), at) << text;
    for (const char *text : {"2e", "xe-1", "2exp(x)", "sec-1", "e-4"})
        EXPECT_EQ(FindExponentTrap(text), std::string::npos) << text;
}

#ifdef CORVANTA_HAVE_MUPARSER
TEST(MuParserDifferential, AgreesOnRandomExpressions)
{
    std::mt19937 rng(2026);
    for (int trial = 0; trial < 3000; ++trial) {
        const RandomExpression expr = MakeRandomExpression(rng, 4, false);
        CExpression ours;
        ours.SetExpression(expr.ours);
        ASSERT_EQ(CheckSyntax(ours.m_strCoded), 0) << expr.ours;
        double x = 0;
        mu::Parser theirs;
        theirs.DefineVar("x", &x);
        // A real power: none of a negative base to a fractional exponent, infinite bases too.
        theirs.DefineFun("rpow", +[](double l, double r) {
            return l < 0 && std::isfinite(r) && r != std::trunc(r) ? NAN : std::pow(l, r);
        });
        theirs.SetExpr(expr.theirs);
        for (double at : {-3.5, -1.0, -0.25, 0.0, 0.5, 1.0, 2.0, 7.25}) {
            x = at;
            const double a = ours.Evaluate(at), b = theirs.Eval();
            // muParser does not keep the sign of a zero divisor.
            const bool agree = std::isnan(b)   ? std::isnan(a)
                               : std::isinf(b) ? std::isinf(a)
                                               : std::fabs(a - b) <= 1e-12 * std::max(std::fabs(a), std::fabs(b));
            EXPECT_TRUE(agree) << expr.ours << " at " << at << ": " << a << " vs " << b;
        }
    }
}
#endif

}  // namespace

namespace {

// Degree mode reduces the angle exactly, single and bulk alike.
TEST(Degrees, QuarterTurnsAreExact)
{
    const struct { const char *text; double x, value; } cases[] = {
        {"sin(x)", 180, 0.0}, {"sin(x)", 360, 0.0}, {"cos(x)", 90, 0.0}, {"cos(x)", 270, 0.0}, {"sin(x)", 30, 0.5},
        {"tan(x)", 45, 1.0}, {"cot(x)", 45, 1.0}, {"sec(x)", 60, 2.0}, {"csc(x)", 30, 2.0}, {"sin(x)", -180, 0.0},
        {"sin(x)*cos(x)", 180, 0.0}, {"cos(x)+sin(x)", 90, 1.0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Eval(c.text, c.x, true), c.value) << c.text << " at " << c.x;
        CExpression e;
        e.SetExpression(c.text);
        double y = c.x;
        e.m_bDegree = true;
        e.EvaluateMany(&y, &y, 1);
        EXPECT_EQ(y, c.value) << c.text << " bulk at " << c.x;
    }
    EXPECT_EQ(Eval("sin(x)", 180, false), std::sin(180.0));  // radians as before
}

// A derivative restricted to its function's domain is NaN where the function is.
TEST(Restrict, IsNaNWhereTheFunctionIs)
{
    CExpression f, d;
    f.SetExpression("acoth(x)");
    d.SetExpression("1/(1-x^2)");
    d.RestrictTo(f);
    EXPECT_TRUE(std::isnan(d.Evaluate(0.5)));
    EXPECT_DOUBLE_EQ(d.Evaluate(2.0), 1.0 / (1 - 4.0));
    double xs[] = {-0.5, 0.0, 0.5, 2.0, -3.0};
    double ys[5];
    d.EvaluateMany(xs, ys, 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(SameBits(ys[i], d.Evaluate(xs[i]))) << xs[i];
    d.SetExpression("1/(1-x^2)");  // a new text is not restricted
    EXPECT_FALSE(std::isnan(d.Evaluate(0.5)));
}

// Whatever the check accepts evaluates: random strings of the language's
// pieces either fail the check or compile to a well-formed program.
RC_GTEST_PROP(Syntax, AcceptedTextsAreWellFormed, ())
{
    static const char *const pieces[] = {"x", "e", "pi", "2", ".", "5", "(", ")", "+", "-", "*", "/", "^", "sin", "ln", " "};
    const auto picks = *rc::gen::container<std::vector<std::size_t>>(rc::gen::inRange<std::size_t>(0, std::size(pieces)));
    std::string text;
    for (std::size_t p : picks)
        text += pieces[p];
    RC_PRE(!IsBlankText(text));  // blank texts are turned away before the check
    CExpression e;
    e.SetExpression(text);
    RC_ASSERT((CheckSyntax(e.m_strCoded) == 0) == e.IsWellFormed());
}

}  // namespace
