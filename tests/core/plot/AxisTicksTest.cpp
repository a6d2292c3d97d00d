// Readable axis ticks: the steps, the label texts and where the ticks fall
// for a few zoom levels, in decimal and pi units.
#include "core/plot/AxisTicks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace {

constexpr double kPi = std::numbers::pi;

struct SStep
{
    double units, step;
};

class DecimalStepCase : public ::testing::TestWithParam<SStep> {};

TEST_P(DecimalStepCase, IsTheNearestOneTwoFive)
{
    EXPECT_DOUBLE_EQ(axis_ticks::DecimalStep(GetParam().units), GetParam().step) << GetParam().units;
}

INSTANTIATE_TEST_SUITE_P(Table, DecimalStepCase, ::testing::Values(
    SStep{2, 2}, SStep{1.5625, 2}, SStep{1.3, 1}, SStep{3.3, 5}, SStep{7.5, 10}, SStep{0.07, 0.05},
    SStep{0.0002, 0.0002}, SStep{3e-9, 2e-9}, SStep{4e20, 5e20},
    SStep{0, 0}, SStep{-1, 0}, SStep{HUGE_VAL, 0}, SStep{NAN, 0}));

struct SText
{
    double value, step;
    const char *text;
};

class DecimalTextCase : public ::testing::TestWithParam<SText> {};

TEST_P(DecimalTextCase, HasNoTrailingZeros)
{
    EXPECT_EQ(axis_ticks::DecimalText(GetParam().value, GetParam().step), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, DecimalTextCase, ::testing::Values(
    SText{2, 1, "2"}, SText{0.25, 0.05, "0.25"}, SText{1.5e-7, 5e-8, "1.5e-7"}, SText{-1.5, 0.5, "-1.5"},
    SText{3 * 0.1, 0.1, "0.3"},          // 0.30000000000000004 as computed
    SText{1e-17, 0.1, "0"},              // rounding residue at the origin
    SText{-1e-17, 0.1, "0"},             // never "-0"
    SText{100, 50, "100"}, SText{-40, 20, "-40"}, SText{0.002, 0.002, "0.002"},
    SText{2e12, 1e12, "2e12"}, SText{-2e-7, 1e-7, "-2e-7"}, SText{1e-6, 1e-6, "1e-6"},
    SText{1.0000005, 5e-7, "1.0000005"}, SText{1e-4, 1e-4, "0.0001"}, SText{3e-5, 1e-5, "3e-5"}));

struct SPi
{
    long n, d;
    const char *text;
};

class PiTextCase : public ::testing::TestWithParam<SPi> {};

TEST_P(PiTextCase, IsInLowestTerms)
{
    EXPECT_EQ(axis_ticks::PiText(GetParam().n, GetParam().d), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, PiTextCase, ::testing::Values(
    SPi{0, 4, "0"}, SPi{1, 4, "π/4"}, SPi{2, 4, "π/2"}, SPi{-2, 4, "-π/2"}, SPi{6, 4, "3π/2"}, SPi{4, 4, "π"},
    SPi{-4, 4, "-π"}, SPi{8, 4, "2π"}, SPi{-3, 1, "-3π"}, SPi{3, -4, "-3π/4"}));

// The tick of a value, or nullptr.
const SAxisTick *TickAt(const std::vector<SAxisTick> &ticks, double value)
{
    for (const SAxisTick &t : ticks)
        if (std::fabs(t.value - value) <= 1e-9 * (1 + std::fabs(value)))
            return &t;
    return nullptr;
}

struct SZoom
{
    double scaleX;
    int panX;
    EAxisUnits units;
    double value;      // a tick that must be there
    double pixel;      // at this column
    const char *text;  // labelled so
    double step;       // distance to the next tick
};

class XTicksCase : public ::testing::TestWithParam<SZoom> {};

TEST_P(XTicksCase, StandAtComputedColumns)
{
    const SZoom &z = GetParam();
    const SPlotMapping map{z.scaleX, 1, 960, 540, z.panX, 0};
    const auto ticks = ReadableXTicks(map, 1920, z.units);
    const SAxisTick *t = TickAt(ticks, z.value);
    ASSERT_NE(t, nullptr) << z.value;
    EXPECT_NEAR(t->pixel, z.pixel, 1e-6);
    EXPECT_EQ(t->text, z.text);
    const SAxisTick *next = TickAt(ticks, z.value + z.step);
    ASSERT_NE(next, nullptr);
    EXPECT_NEAR(next->pixel - t->pixel, 50 * z.scaleX * z.step, 1e-6);
    // Roughly 100 pixels apart, and every tick inside the area.
    EXPECT_GE(next->pixel - t->pixel, 60);
    EXPECT_LE(next->pixel - t->pixel, 170);
    for (const SAxisTick &k : ticks) {
        EXPECT_GE(k.pixel, 0);
        EXPECT_LE(k.pixel, 1920);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, XTicksCase, ::testing::Values(
    SZoom{1, 0, EAxisUnits::Decimal, 2, 1060, "2", 2},                       // one unit 50 px: steps of 2
    SZoom{1, 0, EAxisUnits::Decimal, -18, 60, "-18", 2},
    SZoom{0.8, 0, EAxisUnits::Decimal, 4, 960 + 160, "4", 2},
    SZoom{1000, 0, EAxisUnits::Decimal, 0.004, 960 + 200, "0.004", 0.002},
    SZoom{1000, -50000, EAxisUnits::Decimal, 1.004, 960 - 50000 + 50200, "1.004", 0.002},  // panned to x = 1
    SZoom{1e-5, 0, EAxisUnits::Decimal, 2e5, 960 + 100, "200000", 2e5},
    SZoom{1, 0, EAxisUnits::Pi, kPi / 2, 960 + 25 * kPi, "π/2", kPi / 2},
    SZoom{1, 0, EAxisUnits::Pi, 3 * kPi / 2, 960 + 75 * kPi, "3π/2", kPi / 2},
    SZoom{1, 0, EAxisUnits::Pi, -kPi, 960 - 50 * kPi, "-π", kPi / 2},
    SZoom{3, 0, EAxisUnits::Pi, kPi / 4, 960 + 37.5 * kPi, "π/4", kPi / 4},    // zoomed in
    SZoom{0.1, 0, EAxisUnits::Pi, 5 * kPi, 960 + 25 * kPi, "5π", 5 * kPi},     // zoomed out
    SZoom{100, 0, EAxisUnits::Pi, 0.02, 960 + 100, "0.02", 0.02}));            // too far in for pi steps

TEST(AxisTicks, RowsGrowDownward)
{
    const SPlotMapping map{1, 1, 960, 540, 0, 0};
    const auto ticks = ReadableYTicks(map, 1080);
    const SAxisTick *two = TickAt(ticks, 2);
    ASSERT_NE(two, nullptr);
    EXPECT_DOUBLE_EQ(two->pixel, 440);
    EXPECT_EQ(two->text, "2");
    EXPECT_EQ(ticks.size(), 11u);  // -10 .. 10 in steps of 2
    // A first-quadrant view: y from 0 up, the axis on the bottom edge.
    const SPlotMapping quadrant{1, 1, 960, 540, 0, -540};
    const auto q = ReadableYTicks(quadrant, 1080);
    ASSERT_NE(TickAt(q, 0), nullptr);
    EXPECT_DOUBLE_EQ(TickAt(q, 0)->pixel, 1080);
}

struct SThin
{
    double extent;  // every label this wide
    long every;     // then every n-th value is labelled
};

class ShownLabelsCase : public ::testing::TestWithParam<SThin> {};

TEST_P(ShownLabelsCase, KeepARegularPatternClearOfTheOtherAxis)
{
    const SPlotMapping map{1, 1, 960, 540, 130, 0};  // 100 px a step of 2, the y axis at 1090
    const auto ticks = ReadableXTicks(map, 1920, EAxisUnits::Decimal);
    const std::vector<double> extents(ticks.size(), GetParam().extent);
    const auto shown = ShownLabels(ticks, extents, 8, 1090);
    ASSERT_FALSE(shown.empty());
    double previous = -HUGE_VAL;
    for (std::size_t i : shown) {
        EXPECT_EQ(std::fmod(std::fabs(ticks[i].value / 2), static_cast<double>(GetParam().every)), 0.0)
            << ticks[i].text;
        EXPECT_NE(ticks[i].value, 0.0);  // on the y axis
        EXPECT_GE(ticks[i].pixel - previous, GetParam().extent + 8);
        previous = ticks[i].pixel;
    }
    // All the others that are clear of the axis are shown.
    std::size_t expected = 0;
    for (const SAxisTick &t : ticks)
        expected += (t.value != 0 && std::fmod(std::fabs(t.value / 2), static_cast<double>(GetParam().every)) == 0);
    EXPECT_EQ(shown.size(), expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ShownLabelsCase, ::testing::Values(
    SThin{30, 1}, SThin{92, 1}, SThin{93, 2}, SThin{150, 2}, SThin{250, 5}, SThin{450, 5}, SThin{600, 10}));

TEST(AxisTicks, ShownLabelsRefuseMismatchedInput)
{
    const SPlotMapping map{1, 1, 960, 540, 0, 0};
    const auto ticks = ReadableXTicks(map, 1920, EAxisUnits::Decimal);
    EXPECT_TRUE(ShownLabels(ticks, {10, 10}, 8, NAN).empty());
    EXPECT_TRUE(ShownLabels({}, {}, 8, NAN).empty());
    EXPECT_EQ(ShownLabels(ticks, std::vector<double>(ticks.size(), 10), 8, NAN).size(), ticks.size());
}

TEST(AxisTicks, DegenerateAxesHaveNoTicks)
{
    EXPECT_TRUE(ReadableTicks(0, 0, 0, 100, EAxisUnits::Decimal).empty());
    EXPECT_TRUE(ReadableTicks(NAN, 50, 0, 100, EAxisUnits::Decimal).empty());
    EXPECT_TRUE(ReadableTicks(0, HUGE_VAL, 0, 100, EAxisUnits::Decimal).empty());
    EXPECT_TRUE(ReadableTicks(0, 50, 0, 100, EAxisUnits::Decimal, 0).empty());
    // So far from 0 that neighbouring steps are the same double.
    EXPECT_TRUE(ReadableTicks(-1e300, 1e-280, 0, 100, EAxisUnits::Decimal).empty());
    // Empty area: at most the tick at its one pixel.
    EXPECT_LE(ReadableTicks(0, 50, 0, 0, EAxisUnits::Decimal).size(), 1u);
}

}  // namespace
