#include "core/expr/NumberText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

namespace {

// printf in the C locale is the oracle for the formats.
std::string Printf(const char *fmt, double v)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, fmt, v);
    return buf;
}

TEST(NumberText, FormatsMatchPrintf)
{
    const double values[] = {0.0, -0.0, 1.0, -5.0, 2.0 / 3, -0.004, 0.005, 0.015, 1234567.891, -1e-7,
                             1e20, 9.999995, -2.5, 123456789012.345678, 5e-324, 1.7e308};
    for (double v : values) {
        EXPECT_EQ(FormatFixed(v, 2), Printf("%.2f", v)) << v;
        EXPECT_EQ(FormatFixed(v, 6), Printf("%.6f", v)) << v;
        EXPECT_EQ(FormatFixed(v, 12), Printf("%.12f", v)) << v;
        EXPECT_EQ(FormatExp(v, 4), Printf("%.4e", v)) << v;
    }
}

TEST(NumberText, NonFiniteValuesAreWrittenLikePrintf)
{
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::infinity(), 2), "inf");
    EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::infinity(), 2), "-inf");
    EXPECT_EQ(FormatExp(std::numeric_limits<double>::quiet_NaN(), 4), "nan");
}

TEST(NumberText, ReadsLikeAtof)
{
    const struct { const char *text; double value; } cases[] = {
        {"10", 10},       {"-2.5", -2.5},   {"  3", 3},        {"+4", 4},        {".5", 0.5},
        {"-.25", -0.25},  {"1e3", 1000},    {"12abc", 12},     {"abc", 0},       {"", 0},
        {"-", 0},         {".", 0},         {"nan", 0},        {"inf", 0},       {"-infinity", 0},
        {"1,5", 1},       {"0x10", 0},      {"1e-400", 0},     {"2.", 2},        {" -7e-1x", -0.7},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(ReadNumber(c.text), c.value) << c.text;
    EXPECT_EQ(ReadNumber("1e400"), std::numeric_limits<double>::max());
    EXPECT_EQ(ReadNumber("-1e400"), -std::numeric_limits<double>::max());
}

}  // namespace
