#include "core/plot/ViewState.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The unit under the cursor before the zoom lies under it after, within half a pixel.
TEST(ViewNavigation, ZoomAboutKeepsTheUnitUnderTheCursorAndRefusesAtTheLimit)
{
    const double big = CViewState::kMaxScale / 1.5, tiny = CViewState::kMinScale * 1.5;
    const struct { int w; double sx, sy; int panX, panY; double px, py, fx, fy; bool zooms; } cases[] = {
        {500, 1, 1, 0, 0, 250, 200, 2, 2, true},  {500, 1, 1, 0, 0, 10, 390, 2, 2, true},
        {501, 3, 0.25, 37, -81, 123.5, 77.25, 0.5, 0.5, true}, {800, 1e-6, 1e6, -12345, 678, 799, 0, 2, 1, true},
        {800, 1, 1, 999999990, 0, 0, 300, 2, 2, true},  // the pan saturates
        {500, big, 1, 5, 5, 100, 100, 2, 2, false},     {500, 1, tiny, 5, 5, 100, 100, 0.5, 0.5, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " " << c.px << "," << c.py << " by " << c.fx);
        CViewState v;
        v.SetClientSize(c.w, 401);
        v.m_dScaleX = c.sx, v.m_dScaleY = c.sy, v.m_nPanX = c.panX, v.m_nPanY = c.panY;
        const double ux = v.UnitX(c.px), uy = v.UnitY(c.py);
        ASSERT_EQ(v.ZoomAbout(c.px, c.py, c.fx, c.fy), c.zooms);
        EXPECT_EQ(v.m_dScaleX, c.zooms ? c.sx * c.fx : c.sx);
        EXPECT_EQ(v.m_dScaleY, c.zooms ? c.sy * c.fy : c.sy);
        if (!c.zooms) {
            EXPECT_TRUE(v.m_nPanX == c.panX && v.m_nPanY == c.panY);
            continue;
        }
        // A saturated pan may let the point drift.
        EXPECT_TRUE(std::abs(v.m_nPanX) == CViewState::kMaxPan || std::fabs(v.PixelColumn(ux) - c.px) <= 0.5);
        EXPECT_LE(std::fabs(v.PixelRow(uy) - c.py), 0.5);
    }
}

// The arrows' step: a tenth of the visible width and height.
TEST(ViewNavigation, PanStepMovesATenthOfTheVisibleArea)
{
    CViewState v;
    v.SetClientSize(500, 400);
    const SUnitArea a = v.VisibleArea();
    v.PanStep(1, -1);  // right and down
    EXPECT_DOUBLE_EQ(v.VisibleArea().xMin - a.xMin, (a.xMax - a.xMin) / 10);
    EXPECT_DOUBLE_EQ(a.yMin - v.VisibleArea().yMin, (a.yMax - a.yMin) / 10);
}

}  // namespace
