#include "core/plot/ViewState.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

namespace {

// The unit under the cursor before the zoom lies under it after, within half a pixel.
TEST(ViewNavigation, ZoomAboutKeepsTheUnitUnderTheCursorAndRefusesAtTheLimit)
{
    const double big = CViewState::kMaxScale / 1.5, tiny = CViewState::kMinScale * 1.5;
    const struct { int w; double sx, sy; int panX, panY; double px, py, fx, fy; bool zooms; } cases[] = {
        {500, 1, 1, 0, 0, 250, 200, 2, 2, true},  {500, 1, 1, 0, 0, 10, 390, 2, 2, true},
        {501, 3, 0.25, 37, -81, 123.5, 77.25, 0.5, 0.5, true}, {800, 1e-6, 1e6, -12345, 678, 799, 0, 2, 1, true},
        {800, 1, 1, 999999990, 0, 0, 300, 2, 2, false},  // the pan would saturate: refused
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
        EXPECT_LE(std::fabs(v.PixelColumn(ux) - c.px), 0.5);
        EXPECT_LE(std::fabs(v.PixelRow(uy) - c.py), 0.5);
    }
}

// Wheel notches at one point keep that point under the cursor until the pans
// could not hold it; then the zoom stops instead of sliding the view away.
TEST(ViewNavigation, ARunOfZoomsHoldsThePointOrStops)
{
    CViewState v;
    v.SetClientSize(640, 480);
    const double px = v.PixelColumn(1.9), py = v.PixelRow(1.3);
    int zooms = 0;
    for (int notch = 0; notch < 40; ++notch) {
        if (!v.ZoomAbout(px, py, 2, 2))
            break;
        ++zooms;
        EXPECT_NEAR(v.UnitX(px), 1.9, 1 / (CViewState::kUnit * v.m_dScaleX));
        EXPECT_NEAR(v.UnitY(py), 1.3, 1 / (CViewState::kUnit * v.m_dScaleY));
    }
    EXPECT_GT(zooms, 15);
    EXPECT_LT(zooms, 40);
    EXPECT_LT(std::abs(v.m_nPanX), CViewState::kMaxPan);
}

// A typed range comes back in the fields as typed while the view is as it made it.
TEST(ViewNavigation, TypedRangesComeBackAsTyped)
{
    CViewState v;
    v.SetClientSize(633, 401);
    EXPECT_TRUE(v.ApplyDomainRange({"0", "10", "-1", "pi"}).empty());
    EXPECT_EQ(v.RangeFieldTexts(), (std::array<std::string, 4>{"0", "10", "-1", "pi"}));
    EXPECT_TRUE(v.ApplyDomainRange(v.RangeFieldTexts()).empty());  // applied again: nothing moves
    EXPECT_EQ(v.RangeFieldTexts()[1], "10");
    v.PanBy(3, 0);  // the view moved: the fields show where it is
    EXPECT_NE(v.RangeFieldTexts()[0], "0");
    EXPECT_EQ(v.RangeFieldTexts()[3], "pi");
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
