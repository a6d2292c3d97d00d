#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <span>
#include <string>

#include "core/deriv/Derivative.h"
#include "core/expr/Expression.h"

namespace {

struct SExample
{
    const char *m_szInput;
    const char *m_szRaw;  // nullptr: not checked
    const char *m_szResult;
};

void ExpectDerivatives(std::span<const SExample> examples)
{
    for (const SExample &e : examples) {
        CDerivative d(e.m_szInput);
        if (e.m_szRaw) {
            EXPECT_EQ(d.GetRawResult(), e.m_szRaw) << e.m_szInput;
        }
        EXPECT_EQ(d.GetResult(), e.m_szResult) << e.m_szInput;
    }
}

const SExample kWorked[] = {
    {"x^2", "(2)*(x)^(2-1)*(1)+(0)*(x)^(2)*ln(x)", "2*x"}, {"A(x)", "cos(x)*(1)", "cosx"}, {"5", "0", "0"},
    {"sin(x)", "cos(x)*(1)", "cosx"}, {"x", "1", "1"}, {"x*sin(x)", "(x)*(cos(x)*(1))+(A(x))*(1)", "x*cosx+sinx"},
    {"x^2*sin(x)", nullptr, "x^2*cosx+sinx*2*x"}, {"1/x", "((0)*(x)-(1)*(1))/(x)^2", "-1/x^2"},
    {"cos(x)", nullptr, "-sinx"}, {"ln(x)", nullptr, "1/x"}, {"(sin(x))^2", nullptr, "2*sinx*cosx"},
    {"sin(x)^2", "cos((x)^2)*((2)*(x)^(2-1)*(1)+(0)*(x)^(2)*ln(x))", "cos(x^2)*2*x"},
    {"-x^2", "-((2)*(x)^(2-1)*(1)+(0)*(x)^(2)*ln(x))", "-(2*x)"}, {"tan(x)", "(sec(x))^2*(1)", "(secx)^2"},
    {"5*x", nullptr, "5"}, {"x^3", nullptr, "3*x^2"}, {"2^x", nullptr, "2^x*ln2"}, {"pi*x", nullptr, "pi"},
    {"3.141592654*x", nullptr, "pi"}, {"x^1", nullptr, "x^0"}, {"x-(x-x^2)", nullptr, "1-(1-2*x)"},
    {"log(x)", "1/((x)*ln10)*(1)", "1/(x*ln10)"}, {"x^x", nullptr, "x*x^(x-1)+x^x*lnx"}, {"e*x", nullptr, "e"},
    {"2.718281828*x", nullptr, "e"},
    // Equivalent spellings of the input.
    {"A(x))", nullptr, "cosx"}, {" s i n ( x ) ", nullptr, "cosx"}, {"~x", "-(1)", "-1"},
    {"~x^2", nullptr, "-(2*x)"}, {"sin(x)+A(x)", nullptr, "cosx+cosx"}};
TEST(Derivative, WorkedExamples) { ExpectDerivatives(kWorked); }

const SExample kFolded[] = {
    {"x^2-1.23456*x", nullptr, "2*x-1.23456"}, {"-1234.5*x", nullptr, "-1234.5"}, {"12.345*x", nullptr, "12.345"},
    {"x*(2-14.345)", nullptr, "-12.345"}, {"x/3", nullptr, "3/3^2"}, {"x*(1/3)", nullptr, "0.3333333333333333"},
    {"x*(0.1+0.2)", nullptr, "0.30000000000000004"}, {"x^0.5", nullptr, "0.5*x^-0.5"}, {"x*49", nullptr, "49"},
    {"0.25*x", nullptr, "0.25"}, {"x*0.000000000000000000012345", nullptr, "12345/10^24"},
    {"x*10^300", nullptr, "10^300"},
    // The short forms are ordinary numbers now that folds are exact.
    {"3.142*x", nullptr, "3.142"}, {"2.718*x", nullptr, "2.718"},
    // A negative base keeps its brackets: -3^2 would be -(3^2).
    {"x*(~3)^2", nullptr, "9"}, {"(~2)^3*x", nullptr, "-8"},
    // Dead terms do not poison a constant group with 0*ln(-3).
    {"x^2*(~3)^2", nullptr, "9*2*x"},
    // Undefined constants stay undefined in a form the core reads.
    {"ln(~1)*x", nullptr, "asin2"}, {"x*ln(0)", nullptr, "ln0"},
    // A 1 that is an argument, exponent or divisor is no factor.
    {"sinh(asinh(1)*x)", nullptr, "cosh(asinh1*x)*0.881373587019543"},
    {"sin(x/1*2)", nullptr, "cos(x/1*2)*2*(1/1^2)"}, {"sin(x^~1*2)", nullptr, "cos(x^-1*2)*2*-x^-2"},
    {"sin(2*1^x)", nullptr, "cos(2*1^x)*2*1^x*ln1"}};
TEST(Derivative, SoundConstantsAndFactors) { ExpectDerivatives(kFolded); }

int SyntaxOf(const std::string &text)
{
    CExpression e;
    e.SetExpression(text);
    return CheckSyntax(e.m_strCoded);
}

TEST(Derivative, EmptyTextAndRederive)
{
    CDerivative empty("");
    EXPECT_EQ(empty.GetResult(), "");
    empty.Rederive("");
    EXPECT_EQ(empty.GetResult(), "0");
    CDerivative d("x^3");
    EXPECT_EQ(d.GetResult(), "3*x^2");
    EXPECT_EQ(d.GetResult(), "3*x^2");
    d.Rederive(d.GetResult());
    EXPECT_EQ(d.GetResult(), "3*2*x");
    d.Rederive(d.GetResult());
    EXPECT_EQ(d.GetResult(), "6");
}

// Long first derivatives are differentiated again in full: no work area limits the text.
TEST(Derivative, LongTextsAreNotTruncated)
{
    std::string f = "x";
    for (int i = 0; i < 40; ++i)
        f += "+sin(" + std::to_string(i + 2) + "*x)";
    CDerivative d(f);
    EXPECT_GT(d.GetResult().size(), 400u);
    d.Rederive(d.GetResult());
    const std::string second = d.GetResult();
    EXPECT_GT(second.size(), 400u);
    CExpression e;
    e.SetExpression(second);
    ASSERT_EQ(CheckSyntax(e.m_strCoded), 0);
    double expected = 0;
    for (int i = 0; i < 40; ++i)
        expected -= (i + 2.0) * (i + 2.0) * std::sin((i + 2.0) * 0.3);
    EXPECT_NEAR(e.Evaluate(0.3), expected, 1e-9 * std::abs(expected));
}

// Malformed text gives some text and never crashes, reads out of range or
// hangs (the sanitizer build and the fuzzer check the memory side). The
// last four were found by the fuzzer.
TEST(Derivative, MalformedInputGivesSomeText)
{
    const char *inputs[] = {
        "", "(", ")", "((((", "))))", "A", "sin", "A(", "(x", "x)", "x))((", "+", "-", "*", "^",
        "/", "x+", "*x", "x^", "^x", "x$", "y", "2.-1", "..", "x..2", "()", "(+)", "(-)", "A()",
        "x*()", "0/0", "x/0", "1/(x-x)", "AAAAx", "x^^2", "x**2", "~~~x", "sin(x", "sinx)",
        "((x)", "x(", ")x(", "ln", "e", "pi", "2pi", "x2", "(x+1)(x-1)", "xxxx", "\t\n",
        "A(x)B(x)", "x^(", "(0*(x))+x", "(x)*0*(x)+1", "-0", "0.0.0", "1e5", "x*1e-300",
        "(x-1)*(x+2/-x)(3)", "-2+pi+xAx(xAx)x()", "\x1d-x-+QQQ\rQQQ(QQ\x1dQ QQ(xQ0(zQ040\xf8",
        "EEEEEEEEUEEEEUEEEEEEEEEAUEEEEUEEEEEEEUEEEWEEEEUx"};
    for (const char *text : inputs) {
        CDerivative d(text);
        const std::string first = d.GetResult();
        if (*text) {
            EXPECT_FALSE(first.empty()) << text;
        }
        d.Rederive(first);
        EXPECT_FALSE(d.GetResult().empty()) << text;
    }
}

// Fuzzer findings: a lone '.' is the number zero to the core and stays a
// number in both derivatives.
TEST(Derivative, LoneDecimalPointStaysANumber)
{
    for (const char *text : {"x13x.", "xCC.", "x*(.)+x", "A(.)*x"}) {
        CExpression f;
        f.SetExpression(text);
        ASSERT_EQ(CheckSyntax(f.m_strCoded), 0) << text;
        CDerivative d(f.m_strCoded);
        EXPECT_EQ(SyntaxOf(d.GetResult()), 0) << text << " -> " << d.GetResult();
        d.Rederive(d.GetResult());
        EXPECT_EQ(SyntaxOf(d.GetResult()), 0) << text << " -> " << d.GetResult();
    }
}

// Numbers are read and written the same whatever the process locale says about decimal separators.
TEST(Derivative, LocaleDoesNotChangeNumbers)
{
    const char *f = "x^2-1.23456*x+x*0.000000000000000000012345";
    const std::string before = CDerivative(f).GetResult();
    const char *previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
        GTEST_SKIP() << "no German locale installed";
    const std::string after = CDerivative(f).GetResult();
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(before, "(2*x-1.23456)+12345/10^24");
    EXPECT_EQ(after, before);
}

// Runaway inputs are refused rather than worked on for minutes.
TEST(Derivative, RunawayNestingGivesNoResult)
{
    std::string deep;
    for (int i = 0; i < 3000; ++i)
        deep += "A(";
    EXPECT_EQ(CDerivative(deep + "x" + std::string(3000, ')')).GetResult(), "");
    EXPECT_FALSE(CDerivative("A(A(A(A(A(x)))))").GetResult().empty());
}

}  // namespace
