#include "core/plot/ViewState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using Fields = std::array<std::string, 4>;

CViewState Sized(int w, int h)
{
    CViewState v;
    v.SetClientSize(w, h);
    return v;
}

TEST(ViewState, MappingFollowsTheUnitLengthAndTruncatedHalves)
{
    CViewState v = Sized(501, 401);  // odd sizes: halves are 250 and 200
    v.m_dScaleX = 2;
    v.m_dScaleY = 0.5;
    v.m_nPanX = 10;
    v.m_nPanY = -20;
    EXPECT_DOUBLE_EQ(v.PixelColumn(0), 260);
    EXPECT_DOUBLE_EQ(v.PixelColumn(1), 360);
    EXPECT_DOUBLE_EQ(v.PixelRow(0), 220);
    EXPECT_DOUBLE_EQ(v.PixelRow(2), 170);
    for (double x : {-3.5, 0.0, 0.01, 7.0}) {
        EXPECT_NEAR(v.UnitX(v.PixelColumn(x)), x, 1e-12);
        EXPECT_NEAR(v.UnitY(v.PixelRow(x)), x, 1e-12);
    }
    // The visible area uses the exact halves.
    const SUnitArea a = v.VisibleArea();
    EXPECT_DOUBLE_EQ(a.xMin, -501.0 / 200 - 10.0 / 100);
    EXPECT_DOUBLE_EQ(a.yMax, 401.0 / 50 + 20.0 / 25);
}

TEST(ViewState, MappingStaysInBounds)
{
    CViewState v;
    v.m_dScaleX = 0;
    v.m_dScaleY = NAN;
    v.m_nPanX = -2147483647 - 1;
    v.SanitizeMapping();
    EXPECT_EQ(v.m_dScaleX, CViewState::kMinScale);
    EXPECT_EQ(v.m_dScaleY, 1.0);  // NaN: the default
    EXPECT_EQ(v.m_nPanX, -CViewState::kMaxPan);
    v.m_dScaleX = -4;
    v.m_dScaleY = INFINITY;
    v.SanitizeMapping();
    EXPECT_EQ(v.m_dScaleX, CViewState::kMinScale);
    EXPECT_EQ(v.m_dScaleY, CViewState::kMaxScale);

    // Panning saturates, and drags back from the limit.
    for (int i = 0; i < 10; ++i)
        v.PanBy(2000000000, -2000000000);
    EXPECT_EQ(v.m_nPanX, CViewState::kMaxPan);
    EXPECT_EQ(v.m_nPanY, CViewState::kMaxPan);
    v.PanBy(-5, 7);
    EXPECT_EQ(v.m_nPanX, CViewState::kMaxPan - 5);
    EXPECT_EQ(v.m_nPanY, CViewState::kMaxPan - 7);

    // Endless zooming stays finite and positive.
    CViewState z = Sized(800, 600);
    int held = 0;
    for (int i = 0; i < 5000; ++i)
        held += z.Zoom(0.5, 2) ? 1 : 0;
    EXPECT_LT(held, 1000);  // the steps beyond the bounds change nothing
    EXPECT_GT(z.m_dScaleX, 0);
    EXPECT_TRUE(std::isfinite(z.m_dScaleY));
    const SUnitArea a = z.VisibleArea();
    EXPECT_TRUE(std::isfinite(a.xMin) && std::isfinite(a.xMax) && a.xMax > a.xMin);
    EXPECT_TRUE(std::isfinite(a.yMin) && std::isfinite(a.yMax) && a.yMax > a.yMin);
    EXPECT_GT(z.SampleStep(), 0);  // a float step of one pixel is still representable
    EXPECT_TRUE(std::isfinite(z.HalfRange(800)));
}

TEST(ViewState, TypedDomainPutsItsEndsOnTheEdges)
{
    CViewState v = Sized(500, 400);
    EXPECT_TRUE(v.ApplyDomainRange({"0", "10", "", ""}).empty());
    EXPECT_EQ(v.m_dScaleX, 1.0);
    EXPECT_EQ(v.m_nPanX, -250);
    EXPECT_EQ(v.m_dScaleY, 1.0);
    EXPECT_EQ(v.m_nPanY, 0);

    // A width that 50 does not divide still puts the ends on the edges.
    CViewState w = Sized(520, 400);
    w.ApplyDomainRange({"-1", "3", "-2", "0.5"});
    const SUnitArea a = w.VisibleArea();
    EXPECT_NEAR(a.xMin, -1, 0.01);
    EXPECT_NEAR(a.xMax, 3, 0.01);
    EXPECT_NEAR(a.yMin, -2, 0.01);
    EXPECT_NEAR(a.yMax, 0.5, 0.01);
}

TEST(ViewState, DomainAndRangeMessages)
{
    const SViewMessage domainMissing{"Error 0x07:\n\nOne of Domain values is missing!\nDefault Domain will be used.",
                                     "Domain Error"};
    const SViewMessage domainInvalid{
        "Error 0x06:\n\n'x max' must be greater that 'x min'!\nDefault Domain will be used.", "Invalid Domain"};
    const SViewMessage rangeMissing{"Error 0x07:\n\nOne of Range values is missing!\nDefault Range will be used.",
                                    "Range Error"};
    const SViewMessage rangeInvalid{"Error 0x06:\n\n'y max' must be greater that 'y min'!\nDefault Range will be used.",
                                    "Invalid Range"};
    const struct { Fields fields; std::vector<SViewMessage> expected; bool xKept, yKept; } cases[] = {
        {{"1", "", "", ""}, {domainMissing}, true, true},
        {{"", "2", "-1", "1"}, {domainMissing}, true, false},
        {{"3", "3", "", ""}, {domainInvalid}, true, true},
        {{"", "", "", "4"}, {rangeMissing}, true, true},
        {{"", "", "5", "-5"}, {rangeInvalid}, true, true},
        {{"4", "1", "x", ""}, {domainInvalid, rangeMissing}, true, true},
        // Text that is not a number reads as 0: "abc" to "abc" is 0 to 0.
        {{"abc", "abc", "", ""}, {domainInvalid}, true, true},
        {{"abc", "4", "", ""}, {}, false, true},
    };
    for (const auto &c : cases) {
        CViewState v = Sized(500, 400);
        v.m_dScaleX = 3;
        v.m_nPanX = 7;
        v.m_dScaleY = 0.25;
        v.m_nPanY = -9;
        v.m_bRangeEdited = true;
        const auto msgs = v.ApplyDomainRange(c.fields);
        ASSERT_EQ(msgs.size(), c.expected.size()) << c.fields[0] << "|" << c.fields[1];
        for (std::size_t i = 0; i < msgs.size(); ++i) {
            EXPECT_EQ(msgs[i].text, c.expected[i].text);
            EXPECT_EQ(msgs[i].caption, c.expected[i].caption);
        }
        EXPECT_EQ(v.m_dScaleX == 3 && v.m_nPanX == 7, c.xKept) << c.fields[0];
        EXPECT_EQ(v.m_dScaleY == 0.25 && v.m_nPanY == -9, c.yKept) << c.fields[2];
        EXPECT_FALSE(v.m_bRangeEdited);
    }
}

// A typed domain or range is either shown as typed, both ends on the edges,
// or refused with a message and the mapping left as it was: never another region.
TEST(ViewState, TypedAreasAreShownAsTypedOrRefused)
{
    const struct { Fields f; bool xShownAt500, yShownAt500; } cases[] = {
        {{"5", "5.000001", "", ""}, false, true},  // the pan would pass 32 bits
        {{"1", "1.0000000001", "", ""}, false, true},
        {{"0.01", "0.0100001", "", ""}, true, true},
        {{"-1e300", "1e300", "", ""}, false, true},  // the scale would pass its bound
        {{"-1e70", "1e70", "-1e-3", "1e-3"}, true, true},
        {{"-1e308", "1e308", "-1e308", "1e308"}, false, false},  // the difference overflows
        {{"1e-300", "2e-300", "0", "1e-310"}, false, false},
        {{"1e300", "1e301", "-5", "5"}, false, true},
        {{"-1e400", "1e400", "0", "1"}, false, true},
    };
    for (const auto &c : cases) {
        for (int size : {1, 500, 3840}) {
            SCOPED_TRACE(c.f[0] + " " + c.f[1] + " " + c.f[2] + " " + c.f[3] + " at " + std::to_string(size));
            CViewState v = Sized(size, size);
            v.m_dScaleX = v.m_dScaleY = 3;
            v.m_nPanX = v.m_nPanY = 7;
            const auto msgs = v.ApplyDomainRange(c.f);
            const SUnitArea a = v.VisibleArea();
            const double got[][2] = {{a.xMin, a.xMax}, {a.yMin, a.yMax}};
            const double scale[] = {v.m_dScaleX, v.m_dScaleY};
            const std::int32_t pan[] = {v.m_nPanX, v.m_nPanY};
            const char *captions[] = {"Invalid Domain", "Invalid Range"};
            for (int axis = 0; axis < 2; ++axis) {
                if (c.f[2 * axis].empty())
                    continue;
                const bool refused = std::any_of(msgs.begin(), msgs.end(),
                                                 [&](const SViewMessage &m) { return m.caption == captions[axis]; });
                if (size == 500) {
                    EXPECT_EQ(!refused, axis == 0 ? c.xShownAt500 : c.yShownAt500) << axis;
                }
                if (refused) {
                    EXPECT_EQ(scale[axis], 3) << axis;
                    EXPECT_EQ(pan[axis], 7) << axis;
                } else {
                    const double pixel = 1.0 / (CViewState::kUnit * scale[axis]);
                    EXPECT_NEAR(got[axis][0], std::strtod(c.f[2 * axis].c_str(), nullptr), pixel) << axis;
                    EXPECT_NEAR(got[axis][1], std::strtod(c.f[2 * axis + 1].c_str(), nullptr), pixel) << axis;
                }
            }
            for (const auto &t : v.RangeFieldTexts())
                EXPECT_FALSE(t.empty());
        }
    }
}

TEST(ViewState, MeanSlopeAgreesWithTheSecantOracle)
{
    auto slope = [](const char *text) {
        CExpression f;
        f.SetExpression(text);
        return CViewState::MeanSlope(f);
    };
    // The sum of forward differences telescopes: mean slope ~ secant slope.
    EXPECT_NEAR(slope("x"), 1.0, 0.011);
    EXPECT_NEAR(slope("3*x+7"), 3.0, 0.031);
    // x^2: secants over [-5,5], [0,10], [-10,0] are 0, 10 and 10 (abs); the
    // runs may take one step past their end, hence the tolerance.
    EXPECT_NEAR(slope("x^2"), 20.0 / 3, 0.15);
    EXPECT_TRUE(std::isnan(slope("ln(x)")));
}

TEST(ViewState, AutoScaleChoosesScalesFromTheMeanSlope)
{
    const struct { const char *text; double sx, sy; } cases[] = {
        {"x", 1, 1}, {"200*x", 1, std::ldexp(1.0, -4)}, {"0.05*x", 16, 1}, {"20000*x", 1, std::ldexp(1.0, -12)},
        {"0.0005*x", std::ldexp(1.0, -4), 1}, {"10^40*x", 1, std::ldexp(1.0, 4 * (2 - 41))},
        // Unchanged: slope 0, NaN slope, more than 50 divisions or multiplications, nothing compiled.
        {"7", 3, 5}, {"ln(x)", 3, 5}, {"10^60*x", 3, 5}, {"10^(-60)*x", 3, 5}, {"", 3, 5},
    };
    for (const auto &c : cases) {
        CExpression f;
        f.SetExpression(c.text);
        double sx = 3, sy = 5;
        CViewState::AutoScale(f, sx, sy);
        EXPECT_EQ(sx, c.sx) << c.text;
        EXPECT_EQ(sy, c.sy) << c.text;
    }
    // The toggle scales the selected function only, and leaves the pans.
    CViewState v;
    v.m_aFunctions[2].SetExpression("200*x");
    v.ToggleAutoscale();  // nothing selected: only the flag
    EXPECT_TRUE(v.m_bAutoscale);
    EXPECT_EQ(v.m_dScaleY, 1.0);
    v.ToggleAutoscale();
    v.m_nSelected = 2;
    v.m_nPanX = 40;
    v.ToggleAutoscale();
    EXPECT_EQ(v.m_dScaleY, 1.0 / 16);
    EXPECT_EQ(v.m_nPanX, 40);
}

TEST(ViewState, ZoomAreaFieldsIgnoreDragDirectionAndApplyBack)
{
    CViewState v = Sized(500, 400);
    const Fields expected{"0.000000000000", "1.000000000000", "0.000000000000", "1.000000000000"};
    EXPECT_EQ(v.ZoomAreaFields(250, 200, 300, 150), expected);
    EXPECT_EQ(v.ZoomAreaFields(300, 200, 250, 150), expected);
    v.m_dScaleX = 4;
    v.m_nPanY = 100;
    EXPECT_EQ(v.ZoomAreaFields(0, 0, 500, 400),
              (Fields{"-1.250000000000", "1.250000000000", "-6.000000000000", "2.000000000000"}));

    // Applied back, the dragged rectangle fills the view.
    CViewState s = Sized(600, 300);
    s.m_nPanX = -37;
    s.m_dScaleY = 3;
    CViewState w = s;
    EXPECT_TRUE(w.ApplyDomainRange(s.ZoomAreaFields(120, 40, 420, 190)).empty());
    EXPECT_NEAR(w.UnitX(0), s.UnitX(120), 0.02);
    EXPECT_NEAR(w.UnitX(600), s.UnitX(420), 0.02);
    EXPECT_NEAR(w.UnitY(300), s.UnitY(190), 0.02);
}

}  // namespace
