#include "core/plot/ViewSnapshot.h"
#include "core/plot/ViewState.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ViewNavigation, ZoomAboutKeepsTheUnitUnderTheCursor)
{
    struct Case
    {
        int w, h;
        double sx, sy;
        int panX, panY;
        double px, py, fx, fy;
        bool zooms;
    };
    const double big = CViewState::kMaxScale / 1.5;
    const Case cases[] = {
        {500, 400, 1, 1, 0, 0, 250, 200, 2, 2, true},       // at the origin: only the scales change
        {500, 400, 1, 1, 0, 0, 10, 390, 2, 2, true},        // a corner
        {501, 401, 3, 0.25, 37, -81, 123.5, 77.25, 0.5, 0.5, true},
        {800, 600, 1e-6, 1e6, -12345, 678, 799, 0, 2, 1, true},  // one axis only
        {800, 600, 1, 1, 999999990, 0, 0, 300, 2, 2, true},  // the pan saturates
        {500, 400, big, 1, 5, 5, 100, 100, 2, 2, false},     // the scale limit refuses
        {500, 400, 1, CViewState::kMinScale * 1.5, 5, 5, 100, 100, 0.5, 0.5, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.px << "," << c.py << " by " << c.fx << "," << c.fy);
        CViewState v;
        v.SetClientSize(c.w, c.h);
        v.m_dScaleX = c.sx, v.m_dScaleY = c.sy, v.m_nPanX = c.panX, v.m_nPanY = c.panY;
        const double ux = v.UnitX(c.px), uy = v.UnitY(c.py);
        ASSERT_EQ(v.ZoomAbout(c.px, c.py, c.fx, c.fy), c.zooms);
        if (!c.zooms) {
            EXPECT_EQ(v.m_dScaleX, c.sx);
            EXPECT_EQ(v.m_dScaleY, c.sy);
            EXPECT_EQ(v.m_nPanX, c.panX);
            EXPECT_EQ(v.m_nPanY, c.panY);
            continue;
        }
        EXPECT_EQ(v.m_dScaleX, c.sx * c.fx);
        EXPECT_EQ(v.m_dScaleY, c.sy * c.fy);
        EXPECT_LE(std::abs(v.m_nPanX), CViewState::kMaxPan);
        if (std::abs(v.m_nPanX) == CViewState::kMaxPan)
            continue;  // saturated: the point may drift, the pan stays in bounds
        // The same unit lies under the cursor within half a pixel.
        EXPECT_LE(std::fabs(v.PixelColumn(ux) - c.px), 0.5 + 1e-9);
        EXPECT_LE(std::fabs(v.PixelRow(uy) - c.py), 0.5 + 1e-9);
    }
}

TEST(ViewNavigation, PanStepMovesATenthOfTheVisibleArea)
{
    CViewState v;
    v.SetClientSize(500, 400);
    v.m_dScaleX = 2, v.m_dScaleY = 0.5;
    const SUnitArea a = v.VisibleArea();
    v.PanStep(1, 0);  // right: the area moves right by a tenth of its width
    EXPECT_DOUBLE_EQ(v.VisibleArea().xMin - a.xMin, (a.xMax - a.xMin) / 10);
    v.PanStep(-1, 1);  // back, and up by a tenth of its height
    EXPECT_DOUBLE_EQ(v.VisibleArea().xMin, a.xMin);
    EXPECT_DOUBLE_EQ(v.VisibleArea().yMin - a.yMin, (a.yMax - a.yMin) / 10);
    v.m_nPanX = -CViewState::kMaxPan + 3;
    v.PanStep(1, 0);
    EXPECT_EQ(v.m_nPanX, -CViewState::kMaxPan);  // saturates at the bound
}

TEST(ViewNavigation, ChangeNamesAndRestoreDropTheChangedSlotsMarks)
{
    CViewState v;
    v.m_aFunctions[0].SetExpression("x");
    v.m_aFunctions[1].SetExpression("x^2");
    v.m_nLast = 1;
    const SViewSnapshot before = v.Snapshot();
    v.m_results.SetMarks(EMarkSource::Roots, {{0, -1, 0, 0, EMarkKind::Root, EMarkSource::Roots, "a"},
                                              {1, -1, 0, 0, EMarkKind::Root, EMarkSource::Roots, "b"}});
    struct Case
    {
        const char *name;
        void (*change)(SGraphState &);
    };
    const Case cases[] = {
        {"Plot", [](SGraphState &g) { g.m_aFunctions[1].SetExpression("cos(x)"); }},
        {"Clear Graph", [](SGraphState &g) { g.m_nLast = -1, g.m_dScaleX = 3; }},
        {"Differentiate", [](SGraphState &g) { g.m_aFunctions[0].m_bDerivativeShown = true; }},
        {"Graph Attributes", [](SGraphState &g) { g.m_aWidth[3] = 4; }},
        {"Zoom", [](SGraphState &g) { g.m_dScaleY = 2, g.m_nPanX = 4; }},
        {"Pan", [](SGraphState &g) { g.m_nPanY = -1; }},
        {"", [](SGraphState &) {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SGraphState after = before.graph;
        c.change(after);
        EXPECT_EQ(ChangeName(before.graph, after), c.name);
    }
    // Back to a state where slot 1 held another function: only its mark goes.
    SViewSnapshot other = before;
    other.graph.m_aFunctions[1].SetExpression("cos(x)");
    other.selected = 1;
    v.Restore(other);
    ASSERT_EQ(v.m_results.marks.size(), 1u);
    EXPECT_EQ(v.m_results.marks[0].label, "a");
    EXPECT_EQ(v.m_aFunctions[1].m_strText, "cos(x)");
    EXPECT_EQ(v.m_nSelected, 1);
    // An emptied graph keeps no marks at all, shading included.
    v.m_results.shading = SShading{0, 0, 1, "s"};
    SViewSnapshot empty;
    v.Restore(empty);
    EXPECT_TRUE(v.m_results.Empty());
}

}  // namespace
