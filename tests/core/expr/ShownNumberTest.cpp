#include "core/expr/NumberText.h"
#include "core/expr/ShownNumber.h"
#include "oracle/Mpfr.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// The exact decimal expansion of a double, rounded once by MPFR: an oracle
// independent of the library's to_chars.
std::string MpfrText(double value, const char *format, int precision)
{
    char buffer[1024];
    mpfr_t v;
    mpfr_init2(v, 64);
    mpfr_set_d(v, value, MPFR_RNDN);
    mpfr_snprintf(buffer, sizeof buffer, format, precision, v);
    mpfr_clear(v);
    return buffer;
}

// Any finite double: every exponent, every mantissa.
double AnyFinite()
{
    for (;;) {
        const double d = std::bit_cast<double>(*rc::gen::arbitrary<std::uint64_t>());
        if (std::isfinite(d))
            return d;
    }
}

// Doubles of the sizes the windows show: a mantissa and a power of ten.
double Everyday()
{
    return *rc::gen::inRange(-1000000000, 1000000000) * std::pow(10.0, *rc::gen::inRange(-12, 8));
}

int SignificantDigits(const std::string &text)
{
    const std::size_t e = std::min(text.find('e'), text.size());
    const std::size_t lead = std::min(text.find_first_of("123456789"), e);
    int n = 0;
    for (std::size_t i = lead; i < e; ++i)
        n += text[i] != '.';
    return n;
}

}  // namespace

RC_GTEST_PROP(ShownNumber, ValueDigitsAreTheExactOnesRounded, ())
{
    const double value = *rc::gen::arbitrary<bool>() ? Everyday() : AnyFinite();
    const int decimals = *rc::gen::inRange(0, 16);
    const std::string text = ShownValue(value, decimals);
    RC_ASSERT(SignificantDigits(text) <= 15);
    const bool exponent = text.find('e') != std::string::npos;
    const std::size_t point = text.find('.');
    const int shown = exponent ? 14 : point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
    std::string exact = MpfrText(value, exponent ? "%.*Re" : "%.*Rf", shown);
    if (exact[0] == '-' && exact.find_first_of("123456789") == std::string::npos)
        exact.erase(0, 1);  // no negative zero is shown
    RC_ASSERT(text == exact);
    // Decimals are given up only for the digits a double holds.
    RC_ASSERT(exponent || shown == decimals || SignificantDigits(text) == 15);
}

RC_GTEST_PROP(ShownNumber, FieldsShowFifteenSignificantDigits, ())
{
    const double value = *rc::gen::arbitrary<bool>() ? Everyday() : AnyFinite();
    const std::string text = ShownField(value);
    RC_ASSERT(text == MpfrText(value, "%.*Rg", 15));
    RC_ASSERT(SignificantDigits(text) <= 15);
}

RC_GTEST_PROP(ShownNumber, ExactTextsReadBackAndAreShortest, ())
{
    const double value = AnyFinite();
    const std::string text = ShownExact(value);
    RC_ASSERT(std::bit_cast<std::uint64_t>(ReadWholeNumber(text).value_or(NAN)) == std::bit_cast<std::uint64_t>(value));
    // Trailing zeros of a whole number written out in full only place the point.
    std::string mantissa = text;
    if (text.find_first_of(".e") == std::string::npos)
        mantissa.erase(mantissa.find_last_not_of('0') + 1);
    const int digits = SignificantDigits(mantissa);
    if (digits > 1)
        RC_ASSERT(ReadWholeNumber(MpfrText(value, "%.*Rg", digits - 1)) != value);
}

TEST(ShownNumber, NoValueShowsANegativeZero)
{
    for (const double v : {-0.0, -1e-300, -4.999e-7})
        EXPECT_EQ(ShownValue(v, 6), "0.000000") << v;
    EXPECT_EQ(ShownValue(-0.00005, 4), "-0.0001");
}

TEST(ShownNumber, RootsShowTheirKnownDecimals)
{
    const struct { double value; int decimals; const char *text; } cases[] = {
        {1.2345, 2, "1.23e+00"},       {0.001234, 5, "1.23e-03"},   {-123.456, 1, "-1.235e+02"},
        {0.004, 2, "0.00e+00"},        {0.005, 2, "5e-03"},         {1.0 / 3, 40, "3.33333333333333e-01"},
        {12345.678, -3, "1.2e+04"},    {NAN, 4, "nan"},             {-INFINITY, 4, "-inf"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ShownRoot(c.value, c.decimals), c.text) << c.value << " to " << c.decimals;
}

TEST(ShownNumber, TableCellsAndTheirWords)
{
    EXPECT_EQ(ShownTableCell(-123456.5), "-1.23456e+05");
    EXPECT_EQ(ShownTableCell(0.0), "0.00000e+00");
    EXPECT_EQ(ShownTableCell(NAN), "NOT DEFINE");
    EXPECT_EQ(ShownTableCell(INFINITY), "INFINTY");
    EXPECT_EQ(ShownTableCell(-INFINITY), "Minus INFINTY");
    EXPECT_EQ(UndefinedWord(std::numeric_limits<double>::max()), "");
    EXPECT_EQ(ShownTableCell(-9.000001e200, 9e200), "Minus INFINTY");
    EXPECT_EQ(ShownTableCell(9e200, 9e200), "9.00000e+200");
}

TEST(ShownNumber, NoNumberIsWrittenAsADigit)
{
    for (const double v : {NAN, INFINITY, -INFINITY}) {
        EXPECT_EQ(ShownField(v).find_first_of("0123456789"), std::string::npos);
        EXPECT_EQ(ShownExact(v).find_first_of("0123456789"), std::string::npos);
        EXPECT_EQ(ShownValue(v, 6).find_first_of("0123456789"), std::string::npos);
    }
    EXPECT_EQ(ShownCondition(INFINITY), "infinity");
    EXPECT_EQ(ShownCondition(2e-5), "2.0e-5");
}
