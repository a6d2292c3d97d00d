#include "core/plot/GridLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

using Set = std::set<double>;

Set InArea(const std::vector<double> &v, double limit)
{
    Set s;
    for (double x : v)
        if (x >= 0 && x <= limit)
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
    EXPECT_EQ(InArea(g.m_aGridColumns, 500), (Set{0, 50, 100, 150, 200, 300, 350, 400, 450, 500}));
    EXPECT_EQ(InArea(g.m_aGridRows, 400), (Set{0, 50, 100, 150, 250, 300, 350, 400}));
    EXPECT_EQ(InArea(g.m_aTickColumns, 500), (Set{50, 150, 350, 450}));
    EXPECT_EQ(InArea(g.m_aTickRows, 400), (Set{0, 100, 300, 400}));
    const struct { bool xAxis; const char *text; double left, top; } labels[] = {
        {true, "2.000000", 340, 205},   {true, "4.000000", 440, 205},   {true, "-2.000000", 140, 205},
        {true, "-4.000000", 40, 205},   {false, "2.000000", 255, 92},   {false, "4.000000", 255, -8},
        {false, "-2.000000", 255, 292}, {false, "-4.000000", 255, 392},
    };
    for (const auto &e : labels) {
        const auto *l = Find(e.xAxis ? g.m_aXLabels : g.m_aYLabels, e.text);
        ASSERT_NE(l, nullptr) << e.text;
        EXPECT_EQ(l->left, e.left) << e.text;
        EXPECT_EQ(l->top, e.top) << e.text;
    }
    // The origin carries no label.
    EXPECT_EQ(Find(g.m_aXLabels, "0.000000"), nullptr);
    EXPECT_EQ(Find(g.m_aYLabels, "0.000000"), nullptr);

    // Print scale 2: lines every 100 px (the loops' 50 px margin is not
    // scaled), values kept.
    const CGridLayout p = CGridLayout::Compute(1000, 800, 2, 1, 1, 0, 0, true);
    EXPECT_EQ(InArea(p.m_aGridColumns, 1000), (Set{100, 200, 300, 400, 600, 700, 800, 900}));
    const auto *l = Find(p.m_aXLabels, "2.000000");
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->left, 700 - 10);
}

TEST(GridLayout, LabelFormatsDependOnTheSpacingNotTheValue)
{
    // x2 and y2: the labels 100 px right of / above the origin.
    const struct { double sx, sy; const char *x2, *y2; } cases[] = {
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
    const struct { int panX, panY; double axisColumn, axisRow, yLabelLeft, xLabelTop; } cases[] = {
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
    // Oracle: the unit of a label's column/row by the view's mapping.
    for (const auto &l : g.m_aXLabels)
        EXPECT_NEAR(std::stod(l.text), (l.left + 10 - panX - 320) / (50 * sx), 1e-6) << l.text;
    for (const auto &l : g.m_aYLabels)
        EXPECT_NEAR(std::stod(l.text), (l.top + 8 - 240 + panY) / (-50 * sy), 1e-6) << l.text;
}

TEST(GridLayout, FarPansAndDegenerateInputsStayCheap)
{
    const int pans[] = {-1000000000, -987654321, 123456789, 1000000000};
    for (int px : pans) {
        for (int py : pans) {
            const CGridLayout g = CGridLayout::Compute(500, 400, 1, 1, 1, px, py, true);
            EXPECT_LT(g.m_aGridColumns.size(), 40u);
            EXPECT_LT(g.m_aXLabels.size(), 20u);
            // Lines every 50 px across the area, aligned with the far origin.
            const Set cols = InArea(g.m_aGridColumns, 500);
            ASSERT_GE(cols.size(), 9u) << px;
            for (double c : cols)
                EXPECT_EQ(std::fmod(std::fabs(c - 250.0 - px), 50.0), 0.0);
            ASSERT_GE(InArea(g.m_aGridRows, 400).size(), 7u) << py;
        }
    }
    for (double k : {0.0, -1.0, 1e-300, double(NAN), 1e300})
        EXPECT_LE(CGridLayout::Compute(500, 400, k, 1, 1, 0, 0, true).m_aGridRows.size(), 4000u) << k;
    EXPECT_EQ(CGridLayout::Compute(0, 0, 1, 1, 1, 0, 0, true).m_dAxisColumn, 0);
    // Grid switched off: ticks and labels stay.
    const CGridLayout off = CGridLayout::Compute(500, 400, 1, 1, 1, 0, 0, false);
    EXPECT_TRUE(off.m_aGridRows.empty() && off.m_aGridColumns.empty());
    EXPECT_FALSE(off.m_aTickRows.empty());
    EXPECT_FALSE(off.m_aXLabels.empty());
}

}  // namespace
