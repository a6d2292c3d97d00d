#include "view/GridLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace {

std::set<double> InArea(const std::vector<double> &v, double limit)
{
    std::set<double> s;
    for (double x : v)
        if (x >= 0 && x <= limit)
            s.insert(x);
    return s;
}

std::set<double> EveryFifty(double from, double to, double except)
{
    std::set<double> s;
    for (double x = from; x <= to; x += 50)
        if (x != except)
            s.insert(x);
    return s;
}

const CGridLayout::SLabel *Find(const std::vector<CGridLayout::SLabel> &labels, const std::string &text)
{
    for (const auto &l : labels)
        if (l.text == text)
            return &l;
    return nullptr;
}

TEST(GridLayout, CentredViewHasLinesEveryFiftyPixelsAndLabelsEveryHundred)
{
    const CGridLayout g = CGridLayout::Compute(500, 400, 1, 1, 1, 0, 0, true);
    EXPECT_EQ(g.m_dAxisColumn, 250);
    EXPECT_EQ(g.m_dAxisRow, 200);
    EXPECT_EQ(InArea(g.m_aGridColumns, 500), EveryFifty(0, 500, 250));
    EXPECT_EQ(InArea(g.m_aGridRows, 400), EveryFifty(0, 400, 200));
    EXPECT_EQ(InArea(g.m_aTickColumns, 500), (std::set<double>{50, 150, 350, 450}));
    EXPECT_EQ(InArea(g.m_aTickRows, 400), (std::set<double>{0, 100, 300, 400}));

    struct Expect
    {
        const char *text;
        double left, top;
    };
    const Expect xs[] = {{"2.000000", 340, 205}, {"4.000000", 440, 205}, {"-2.000000", 140, 205},
                         {"-4.000000", 40, 205}};
    for (const auto &e : xs) {
        const auto *l = Find(g.m_aXLabels, e.text);
        ASSERT_NE(l, nullptr) << e.text;
        EXPECT_EQ(l->left, e.left);
        EXPECT_EQ(l->top, e.top);
    }
    const Expect ys[] = {{"2.000000", 255, 92}, {"4.000000", 255, -8}, {"-2.000000", 255, 292},
                         {"-4.000000", 255, 392}};
    for (const auto &e : ys) {
        const auto *l = Find(g.m_aYLabels, e.text);
        ASSERT_NE(l, nullptr) << e.text;
        EXPECT_EQ(l->left, e.left);
        EXPECT_EQ(l->top, e.top);
    }
    // The origin carries no label.
    EXPECT_EQ(Find(g.m_aXLabels, "0.000000"), nullptr);
    EXPECT_EQ(Find(g.m_aYLabels, "0.000000"), nullptr);
}

TEST(GridLayout, LabelFormatsDependOnTheSpacingNotTheValue)
{
    struct Case
    {
        double sx, sy;
        const char *x2, *y2;  // labels 100 px right of / above the origin
    } cases[] = {
        {1, 1, "2.000000", "2.000000"},
        {0.001, 1, "2.0000e+03", "2.000000"},
        {0.002001, 1, "999.500250", "2.000000"},
        {0.002, 0.001, "1.0000e+03", "2000.000000"},
        {1, 0.0002, "2.000000", "1.0000e+04"},
        {1, 0.00020001, "2.000000", "9999.500025"},
        {1e6, 1e-9, "0.000002", "2.0000e+09"},
    };
    for (const auto &c : cases) {
        const CGridLayout g = CGridLayout::Compute(500, 400, 1, c.sx, c.sy, 0, 0, true);
        EXPECT_NE(Find(g.m_aXLabels, c.x2), nullptr) << c.sx << " " << g.m_aXLabels[0].text;
        EXPECT_NE(Find(g.m_aYLabels, c.y2), nullptr) << c.sy << " " << g.m_aYLabels[0].text;
        // One format per axis: every label of an axis looks alike.
        const bool xExp = std::string(c.x2).find('e') != std::string::npos;
        for (const auto &l : g.m_aXLabels)
            EXPECT_EQ(l.text.find('e') != std::string::npos, xExp) << l.text;
    }
}

TEST(GridLayout, AxesPannedPastAnEdgeRunAlongItWithLabelsInside)
{
    struct Case
    {
        int panX, panY;
        double axisColumn, axisRow, yLabelLeft, xLabelTop;
    } cases[] = {
        {400, 0, 500, 200, 400, 205},     // origin past the right edge
        {-400, 0, 0, 200, 5, 205},        // past the left edge
        {0, -300, 250, 400, 255, 380},    // past the bottom edge
        {0, 300, 250, 0, 255, 5},         // past the top edge
        {250, -200, 500, 400, 505, 405},  // exactly on the corner: not limited
        {251, -201, 500, 400, 400, 380},
    };
    for (const auto &c : cases) {
        const CGridLayout g = CGridLayout::Compute(500, 400, 1, 1, 1, c.panX, c.panY, true);
        EXPECT_EQ(g.m_dAxisColumn, c.axisColumn) << c.panX << "," << c.panY;
        EXPECT_EQ(g.m_dAxisRow, c.axisRow) << c.panX << "," << c.panY;
        ASSERT_FALSE(g.m_aYLabels.empty());
        ASSERT_FALSE(g.m_aXLabels.empty());
        for (const auto &l : g.m_aYLabels)
            EXPECT_EQ(l.left, c.yLabelLeft);
        for (const auto &l : g.m_aXLabels)
            EXPECT_EQ(l.top, c.xLabelTop);
    }
}

TEST(GridLayout, LabelValuesFollowTheMappingWhenPanned)
{
    const int panX = 137, panY = -61;
    const double sx = 0.5, sy = 4;
    const CGridLayout g = CGridLayout::Compute(640, 480, 1, sx, sy, panX, panY, true);
    // Oracle: the unit of a column/row by the view's mapping.
    for (const auto &l : g.m_aXLabels) {
        const double col = l.left + 10;
        const double x = (col - panX - 320) / (50 * sx);
        EXPECT_NEAR(std::stod(l.text), x, 1e-6) << l.text;
    }
    for (const auto &l : g.m_aYLabels) {
        const double row = l.top + 8;
        const double y = (row - 240 + panY) / (-50 * sy);
        EXPECT_NEAR(std::stod(l.text), y, 1e-6) << l.text;
    }
}

TEST(GridLayout, GridSwitchedOffKeepsTicksAndLabels)
{
    const CGridLayout g = CGridLayout::Compute(500, 400, 1, 1, 1, 0, 0, false);
    EXPECT_TRUE(g.m_aGridRows.empty());
    EXPECT_TRUE(g.m_aGridColumns.empty());
    EXPECT_FALSE(g.m_aTickRows.empty());
    EXPECT_FALSE(g.m_aXLabels.empty());
}

TEST(GridLayout, PrintScaleSpreadsLinesButKeepsValues)
{
    const CGridLayout g = CGridLayout::Compute(1000, 800, 2, 1, 1, 0, 0, true);
    // Lines every 100 px; the loops' margin of 50 px is not scaled.
    EXPECT_EQ(InArea(g.m_aGridColumns, 1000), (std::set<double>{100, 200, 300, 400, 600, 700, 800, 900}));
    const auto *l = Find(g.m_aXLabels, "2.000000");
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->left, 700 - 10);
}

TEST(GridLayout, FarPansCostNothingAndStillFillTheArea)
{
    const int pans[] = {-1000000000, -987654321, 123456789, 1000000000};
    for (int px : pans) {
        for (int py : pans) {
            const CGridLayout g = CGridLayout::Compute(500, 400, 1, 1, 1, px, py, true);
            EXPECT_LT(g.m_aGridColumns.size(), 40u);
            EXPECT_LT(g.m_aXLabels.size(), 20u);
            // Lines every 50 px across the area, aligned with the far origin.
            const std::set<double> cols = InArea(g.m_aGridColumns, 500);
            ASSERT_GE(cols.size(), 9u) << px;
            for (double c : cols)
                EXPECT_EQ(std::fmod(std::fabs(c - 250.0 - px), 50.0), 0.0);
            const std::set<double> rows = InArea(g.m_aGridRows, 400);
            ASSERT_GE(rows.size(), 7u) << py;
        }
    }
}

TEST(GridLayout, DegenerateInputsDoNotHang)
{
    const double ks[] = {0, -1, 1e-300, NAN, 1e300};
    for (double k : ks) {
        const CGridLayout g = CGridLayout::Compute(500, 400, k, 1, 1, 0, 0, true);
        EXPECT_LE(g.m_aGridRows.size(), 4000u);
    }
    const CGridLayout z = CGridLayout::Compute(0, 0, 1, 1, 1, 0, 0, true);
    EXPECT_EQ(z.m_dAxisColumn, 0);
}

}  // namespace
