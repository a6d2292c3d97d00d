// Trace and tangent: the texts come from the core; here their routing, the line and the picture.
#include "gui/GuiFixtures.h"

#include <QMouseEvent>

#include <cmath>

namespace {

class TraceTangent : public ViewFixture
{
protected:
    void Mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::NoButton)
    {
        QMouseEvent e(type, QPointF(pos), view.mapToGlobal(QPointF(pos)), button, button, Qt::NoModifier);
        QApplication::sendEvent(&view, &e);
    }
    void Move(QPoint pos) { Mouse(QEvent::MouseMove, pos); }
    void RightClick(QPoint pos) { Mouse(QEvent::MouseButtonPress, pos, Qt::RightButton); }
    // Distance in pixels from a point to the drawn tangent.
    static double Miss(const QLineF &line, QPointF p)
    {
        const QPointF d = line.p2() - line.p1(), v = p - line.p1();
        return std::fabs(d.x() * v.y() - d.y() * v.x()) / std::hypot(d.x(), d.y());
    }
    // The darkest grey around a pixel (an antialiased line shares its ink).
    static int DarkestNear(const QImage &img, int x, int y)
    {
        int g = 255;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                g = std::min(g, qGray(img.pixel(x + dx, y + dy)));
        return g;
    }
};

TEST_F(TraceTangent, TraceFieldUsesDegreesOnlyWhenTheBoxIsShownAndChecked)
{
    Plot("sin(x)");
    const struct { bool trig, degree, scientific; const char *shown; } cases[] = {
        {true, true, false, "1.000000000000000"}, {false, true, false, "0.893996663600558"},
        {true, false, false, "0.893996663600558"}, {true, true, true, "1.000000e+00"}};
    for (const auto &c : cases) {
        host.trigonometric = c.trig;
        host.degree = c.degree;
        host.scientific = c.scientific;
        view.OnTraceInput(QStringLiteral("9a0"));  // letters are dropped
        EXPECT_EQ(host.result, c.shown);
    }
}

TEST_F(TraceTangent, TraceModeShowsTheMousePosition)
{
    view.OnTrace();
    EXPECT_TRUE(host.bars[ID_TRACE]);
    EXPECT_EQ(view.cursor().shape(), Qt::CrossCursor);
    Move({300, 100});
    EXPECT_EQ(host.position, "x = 1.000000, y = 2.000000");
}

TEST_F(TraceTangent, LiveTangentFollowsTheMouse)
{
    Plot("x^2");
    view.OnTangent();
    EXPECT_TRUE(host.bars[ID_TANGENT] && view.m_bTangent);
    Move({300, 20});  // x = 1
    EXPECT_EQ(host.tangent[IDC_TANGENT_X], "x= 1.000000000000000");
    EXPECT_EQ(host.tangent[IDC_TANGENT_EQUATION], "Equation: y = 2.0000*x -1.0000");
    EXPECT_EQ(view.CursorLineColumn(), 300);
    const auto line = view.TangentLine();
    ASSERT_TRUE(line);
    EXPECT_LT(Miss(*line, {300, 150}), 0.01);
    EXPECT_NEAR((line->p2().y() - line->p1().y()) / (line->p2().x() - line->p1().x()), -2.0, 1e-9);
    Move({200, 20});  // x = -1
    EXPECT_EQ(host.tangent[IDC_TANGENT_EQUATION], "Equation: y = -2.0000*x -1.0000");

    view.OnTangent();  // ending the mode removes line, cursor line and bar
    EXPECT_FALSE(host.bars[ID_TANGENT]);
    EXPECT_FALSE(view.CursorLineColumn());
    EXPECT_NE(view.cursor().shape(), Qt::CrossCursor);
}

TEST_F(TraceTangent, UndefinedPointShowsDashesAndNoLine)
{
    Plot("ln(x)");
    view.OnTangent();
    Move({200, 20});  // x = -1
    EXPECT_EQ(host.tangent[IDC_TANGENT_SLOPE], "Slope=        ----");
    EXPECT_FALSE(view.TangentLine());
    EXPECT_FALSE(view.CursorLineColumn());
    RightClick({200, 20});
    EXPECT_EQ(host.tangent[IDC_TANGENT_EQUATION], "Equation: y = This value of x isn't defined.");
}

TEST_F(TraceTangent, VerticalTangentIsAVerticalSegment)
{
    Plot("x^0.5");
    view.OnTangent();
    Move({250, 20});  // x = 0
    const auto line = view.TangentLine();
    ASSERT_TRUE(line);
    EXPECT_EQ(line->x1(), 250);
    EXPECT_EQ(line->x2(), 250);
    EXPECT_NEAR(std::fabs(line->y2() - line->y1()), 402, 1e-9);  // the whole height and a pixel
    view.m_dScaleY = 0.001;  // zoomed out, the segment ends 1000 units either side
    const auto far = view.TangentLine();
    ASSERT_TRUE(far);
    EXPECT_NEAR(std::fabs(far->y2() - far->y1()), 100, 1e-9);
}

TEST_F(TraceTangent, LineComesFromTheExactSlopeWhenZoomedIn)
{
    Plot("x^3");
    // Around (1.23456, 1.88) at 65536 times the usual scale.
    view.m_dScaleX = view.m_dScaleY = 65536;
    view.m_nPanX = -static_cast<int>(50 * 65536 * 1.23456);
    const double x = view.UnitX(310);
    view.m_nPanY = -static_cast<int>(50 * 65536 * x * x * x);
    view.OnTangent();
    Move({310, 20});
    const auto line = view.TangentLine();
    ASSERT_TRUE(line);
    const QPointF touch(view.PixelColumn(x), view.PixelRow(x * x * x));
    EXPECT_LT(Miss(*line, touch), 0.01);
    // The four-decimal text would miss the point by many pixels.
    CExpression rounded;
    rounded.SetExpression(view.Tangent().m_strEquation);
    EXPECT_GT(std::fabs(view.PixelRow(rounded.Evaluate(x)) - touch.y()), 20.0);
}

TEST_F(TraceTangent, RightClickFreezesTheTangentIntoThePicture)
{
    Plot("x^2");
    RightClick({300, 20});  // outside tangent mode: only the flag, and the mode starts live
    view.OnTangent();
    EXPECT_TRUE(view.m_bLive);
    view.Redraw();
    Move({300, 20});
    RightClick({300, 20});
    EXPECT_FALSE(view.m_bLive);
    // Slope -2 in pixels: the line crosses column 320 at row 110.
    EXPECT_LT(DarkestNear(view.Picture(), 320, 110), 100);
    Move({200, 20});  // frozen: moving on changes neither tangent nor texts
    EXPECT_EQ(view.Tangent().m_dX, 1.0);
    EXPECT_EQ(host.tangent[IDC_TANGENT_X], "x= 1.000000000000000");
    RightClick({200, 20});  // follows again, and the frozen line goes
    EXPECT_TRUE(view.m_bLive);
    EXPECT_GT(DarkestNear(view.Picture(), 320, 110), 150);
}

TEST_F(TraceTangent, NothingWithoutASelectedFunction)
{
    Plot("x^2");
    view.Redraw();
    view.OnTangent();
    Move({300, 20});
    view.OnClearGraph();
    view.OnTraceInput(QStringLiteral("2"));
    EXPECT_EQ(host.result, "");
    Move({320, 20});
    EXPECT_FALSE(view.TangentLine());
    EXPECT_FALSE(view.CursorLineColumn());
    const QImage before = view.Picture();
    RightClick({320, 20});  // freezes nothing, old or new
    EXPECT_EQ(view.Picture(), before);
}

}  // namespace
