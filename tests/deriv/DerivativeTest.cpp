#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

#include "deriv/Derivative.h"
#include "expr/Expression.h"

namespace {

struct SExample
{
    const char *m_szInput;
    const char *m_szRaw;  // nullptr: not checked
    const char *m_szResult;
};

class DerivativeExample : public ::testing::TestWithParam<SExample>
{
};

TEST_P(DerivativeExample, RawAndSimplifiedText)
{
    const SExample &e = GetParam();
    CDerivative d(e.m_szInput);
    if (e.m_szRaw) {
        EXPECT_EQ(d.GetRawResult(), e.m_szRaw) << e.m_szInput;
    }
    EXPECT_EQ(d.GetResult(), e.m_szResult) << e.m_szInput;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, DerivativeExample,
    ::testing::Values(
        SExample{"x^2", "(2)*(x)^(2-1)*(1)+(0)*(x)^(2)*ln(x)", "2*x"},
        SExample{"A(x)", "cos(x)*(1)", "cosx"}, SExample{"sin(x)", "cos(x)*(1)", "cosx"},
        SExample{"5", "0", "0"}, SExample{"x", "1", "1"},
        SExample{"x*sin(x)", "(x)*(cos(x)*(1))+(A(x))*(1)", "x*cosx+sinx"},
        SExample{"x^2*sin(x)", nullptr, "x^2*cosx+sinx*2*x"},
        SExample{"1/x", "((0)*(x)-(1)*(1))/(x)^2", "-1/x^2"},
        SExample{"cos(x)", nullptr, "-sinx"}, SExample{"ln(x)", nullptr, "1/x"},
        SExample{"(sin(x))^2", nullptr, "2*sinx*cosx"},
        SExample{"sin(x)^2", "cos((x)^2)*((2)*(x)^(2-1)*(1)+(0)*(x)^(2)*ln(x))", "cos(x^2)*2*x"},
        SExample{"-x^2", "-((2)*(x)^(2-1)*(1)+(0)*(x)^(2)*ln(x))", "-(2*x)"},
        SExample{"tan(x)", "(sec(x))^2*(1)", "(secx)^2"},
        SExample{"5*x", nullptr, "5"}, SExample{"x^3", nullptr, "3*x^2"},
        SExample{"2^x", nullptr, "2^x*ln2"}, SExample{"pi*x", nullptr, "pi"},
        SExample{"3.141592654*x", nullptr, "pi"}, SExample{"x^1", nullptr, "x^0"},
        SExample{"x-(x-x^2)", nullptr, "1-(1-2*x)"},
        SExample{"log(x)", "1/((x)*ln10)*(1)", "1/(x*ln10)"},
        SExample{"x^x", nullptr, "x*x^(x-1)+x^x*lnx"},
        SExample{"e*x", nullptr, "e"}, SExample{"2.718281828*x", nullptr, "e"},
        // Equivalent spellings of the input.
        SExample{"A(x))", nullptr, "cosx"}, SExample{" s i n ( x ) ", nullptr, "cosx"},
        SExample{"~x", "-(1)", "-1"}, SExample{"~x^2", nullptr, "-(2*x)"},
        SExample{"sin(x)+A(x)", nullptr, "cosx+cosx"}));

INSTANTIATE_TEST_SUITE_P(
    FoldedConstantsKeepTheirValue, DerivativeExample,
    ::testing::Values(
        SExample{"x^2-1.23456*x", nullptr, "2*x-1.23456"},
        SExample{"-1234.5*x", nullptr, "-1234.5"}, SExample{"12.345*x", nullptr, "12.345"},
        SExample{"x*(2-14.345)", nullptr, "-12.345"}, SExample{"x/3", nullptr, "3/3^2"},
        SExample{"x*(1/3)", nullptr, "0.3333333333333333"},
        SExample{"x*(0.1+0.2)", nullptr, "0.30000000000000004"},
        SExample{"x^0.5", nullptr, "0.5*x^-0.5"}, SExample{"x*49", nullptr, "49"},
        SExample{"0.25*x", nullptr, "0.25"},
        SExample{"x*0.000000000000000000012345", nullptr, "12345/10^24"},
        SExample{"x*10^300", nullptr, "10^300"},
        // The short forms are ordinary numbers now that folds are exact.
        SExample{"3.142*x", nullptr, "3.142"}, SExample{"2.718*x", nullptr, "2.718"},
        // A negative base keeps its brackets: -3^2 would be -(3^2).
        SExample{"x*(~3)^2", nullptr, "9"}, SExample{"(~2)^3*x", nullptr, "-8"},
        // Dead terms do not poison a constant group with 0*ln(-3).
        SExample{"x^2*(~3)^2", nullptr, "9*2*x"},
        // Undefined constants stay undefined in a form the core reads.
        SExample{"ln(~1)*x", nullptr, "asin2"}, SExample{"x*ln(0)", nullptr, "ln0"}));

INSTANTIATE_TEST_SUITE_P(
    SoundRewriting, DerivativeExample,
    ::testing::Values(
        // A 1 that is an argument, exponent or divisor is no factor.
        SExample{"sinh(asinh(1)*x)", nullptr, "cosh(asinh1*x)*0.881373587019543"},
        SExample{"sin(x/1*2)", nullptr, "cos(x/1*2)*2*(1/1^2)"},
        SExample{"sin(x^~1*2)", nullptr, "cos(x^-1*2)*2*-x^-2"},
        SExample{"sin(2*1^x)", nullptr, "cos(2*1^x)*2*1^x*ln1"}));

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

// Long first derivatives are differentiated again in full: no work area
// limits the text (the oracle tests check the values).
TEST(Derivative, LongTextsAreNotTruncated)
{
    std::string f = "x";
    for (int i = 0; i < 40; ++i)
        f += "+sin(" + std::to_string(i + 2) + "*x)";
    CDerivative d(f);
    const std::string first = d.GetResult();
    EXPECT_GT(first.size(), 400u);
    d.Rederive(first);
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
// hangs (the sanitizer build and the fuzzer check the memory side).
TEST(Derivative, MalformedInputGivesSomeText)
{
    const char *inputs[] = {
        "", "(", ")", "((((", "))))", "A", "sin", "A(", "(x", "x)", "x))((", "+", "-", "*", "^",
        "/", "x+", "*x", "x^", "^x", "x$", "y", "2.-1", "..", "x..2", "()", "(+)", "(-)", "A()",
        "x*()", "0/0", "x/0", "1/(x-x)", "AAAAx", "x^^2", "x**2", "~~~x", "sin(x", "sinx)",
        "((x)", "x(", ")x(", "ln", "e", "pi", "2pi", "x2", "(x+1)(x-1)", "xxxx", "\t\n",
        "A(x)B(x)", "x^(", "(0*(x))+x", "(x)*0*(x)+1", "-0", "0.0.0", "1e5", "x*1e-300",
    };
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

// Numbers are read and written the same whatever the process locale says
// about decimal separators.
TEST(Derivative, LocaleDoesNotChangeNumbers)
{
    const std::string before = CDerivative("x^2-1.23456*x+x*0.000000000000000000012345").GetResult();
    const char *previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
        GTEST_SKIP() << "no German locale installed";
    const std::string after = CDerivative("x^2-1.23456*x+x*0.000000000000000000012345").GetResult();
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(before, "(2*x-1.23456)+12345/10^24");
    EXPECT_EQ(after, before);
}

// Inputs the fuzzer found. A lone '.' is the number zero to the core and
// stays a number; sides by side operands are no functions but must not crash.
TEST(Derivative, FuzzFindings)
{
    for (const char *text : {"x13x.", "xCC.", "x*(.)+x", "A(.)*x"}) {
        CExpression f;
        f.SetExpression(text);
        ASSERT_EQ(CheckSyntax(f.m_strCoded), 0) << text;
        CDerivative d(f.m_strCoded);
        CExpression d1;
        d1.SetExpression(d.GetResult());
        EXPECT_EQ(CheckSyntax(d1.m_strCoded), 0) << text << " -> " << d.GetResult();
        d.Rederive(d.GetResult());
        CExpression d2;
        d2.SetExpression(d.GetResult());
        EXPECT_EQ(CheckSyntax(d2.m_strCoded), 0) << text << " -> " << d.GetResult();
    }
    for (const char *text : {"(x-1)*(x+2/-x)(3)", "-2+pi+xAx(xAx)x()",
                             "\x1d-x-+QQQ\rQQQ(QQ\x1dQ QQ(xQ0(zQ040\xf8",
                             "EEEEEEEEUEEEEUEEEEEEEEEAUEEEEUEEEEEEEUEEEWEEEEUx"}) {
        CDerivative d(text);
        d.Rederive(d.GetResult());
        EXPECT_FALSE(d.GetResult().empty()) << text;
    }
}

// Runaway inputs are refused rather than worked on for minutes.
TEST(Derivative, RunawayNestingGivesNoResult)
{
    std::string deep;
    for (int i = 0; i < 3000; ++i)
        deep += "A(";
    deep += "x";
    deep += std::string(3000, ')');
    CDerivative d(deep);
    EXPECT_EQ(d.GetResult(), "");
    CDerivative ok("A(A(A(A(A(x)))))");
    EXPECT_FALSE(ok.GetResult().empty());
}

}  // namespace
