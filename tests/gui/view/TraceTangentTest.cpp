#include "gui/view/CommandIds.h"
#include "gui/view/CorvantaView.h"

#include "gui/view/ViewFixture.h"

#include <QApplication>
#include <QMouseEvent>

#include <cmath>

namespace {

// The fake frame, with the trace and tangent bars.
class CBarsHost : public CFakeHost
{
public:
    void SetTracePositionText(const QString &text) override { position = text; }
    void SetTraceResultText(const QString &text) override { result = text; }
    void SetTangentBarText(int id, const QString &text) override { tangent[id] = text; }
    bool IsScientific() const override { return scientific; }
    bool IsDegree() const override { return degree; }
    bool IsTrigonometric() const override { return trigonometric; }

    QString position, result = QStringLiteral("untouched");
    std::map<int, QString> tangent;
    bool scientific = false, degree = false, trigonometric = false;
};

class TraceTangent : public ::testing::Test
{
protected:
    void SetUp() override
    {
        view.SetHost(&host);
        view.resize(500, 400);
        view.SetClientSize(500, 400);
    }
    void Plot(const char *text)
    {
        host.edit = QString::fromLatin1(text);
        view.OnPlot();
    }
    void Move(QPoint pos)
    {
        QMouseEvent e(QEvent::MouseMove, QPointF(pos), view.mapToGlobal(QPointF(pos)), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(&view, &e);
    }
    void RightClick(QPoint pos)
    {
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(pos), view.mapToGlobal(QPointF(pos)), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &e);
    }
    // Distance in pixels from a point to the drawn tangent.
    double Miss(const QLineF &line, QPointF p) const
    {
        const QPointF d = line.p2() - line.p1();
        const QPointF v = p - line.p1();
        return std::fabs(d.x() * v.y() - d.y() * v.x()) / std::hypot(d.x(), d.y());
    }
    // The darkest grey around a pixel (an antialiased line shares its ink).
    int DarkestNear(const QImage &img, int x, int y) const
    {
        int g = 255;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                g = std::min(g, qGray(img.pixel(x + dx, y + dy)));
        return g;
    }

    CBarsHost host;
    CCorvantaView view;
};

TEST_F(TraceTangent, DirectFunctionTrace)
{
    Plot("x");
    const struct { const char *typed; bool scientific; const char *shown; } cases[] = {
        {"1a2", false, "12.000000000000000"}, {"1", true, "1.000000e+00"},
    };
    for (const auto &c : cases) {
        host.scientific = c.scientific;
        view.OnTraceInput(QString::fromLatin1(c.typed));
        EXPECT_EQ(host.result, c.shown) << c.typed;
    }
    // "%.15f" of 10^300 is written in full.
    host.scientific = false;
    Plot("10^300*x");
    view.OnTraceInput(QStringLiteral("1"));
    EXPECT_EQ(host.result.size(), 317);
}

TEST_F(TraceTangent, DegreesOnlyWhenTheBoxIsShownAndChecked)
{
    Plot("sin(x)");
    const struct { bool trig, degree; const char *shown; } cases[] = {
        {true, true, "1.000000000000000"}, {false, true, "0.893996663600558"}, {true, false, "0.893996663600558"}};
    for (const auto &c : cases) {
        host.trigonometric = c.trig;
        host.degree = c.degree;
        view.OnTraceInput(QStringLiteral("90"));
        EXPECT_EQ(host.result, c.shown);
    }
}

TEST_F(TraceTangent, MousePositionInTraceMode)
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
    EXPECT_TRUE(host.bars[ID_TANGENT]);
    EXPECT_TRUE(view.m_bTangent);
    Move({300, 20});  // x = 1
    EXPECT_EQ(host.tangent[IDC_TANGENT_X], "x= 1.000000000000000");
    EXPECT_EQ(host.tangent[IDC_TANGENT_FX], "f(x)= 1.000000000000000");
    EXPECT_EQ(host.tangent[IDC_TANGENT_THETA], "Theta= 63.4349");
    EXPECT_EQ(host.tangent[IDC_TANGENT_SLOPE], "Slope= 2.000000000000000");
    EXPECT_EQ(host.tangent[IDC_TANGENT_EQUATION], "Equation: y = 2.0000*x -1.0000");
    EXPECT_EQ(view.CursorLineColumn(), 300);
    const auto line = view.TangentLine();
    ASSERT_TRUE(line);
    EXPECT_LT(Miss(*line, {300, 150}), 0.01);
    EXPECT_NEAR((line->p2().y() - line->p1().y()) / (line->p2().x() - line->p1().x()), -2.0, 1e-9);

    Move({200, 20});  // x = -1
    EXPECT_EQ(host.tangent[IDC_TANGENT_EQUATION], "Equation: y = -2.0000*x -1.0000");
}

TEST_F(TraceTangent, UndefinedPointShowsDashesAndNoLine)
{
    Plot("ln(x)");
    view.OnTangent();
    Move({200, 20});  // x = -1
    EXPECT_EQ(host.tangent[IDC_TANGENT_THETA], "Theta=        ----");
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
    EXPECT_EQ(host.tangent[IDC_TANGENT_EQUATION], "Equation: y = x= 0.000000");
    const auto line = view.TangentLine();
    ASSERT_TRUE(line);
    EXPECT_EQ(line->x1(), 250);
    EXPECT_EQ(line->x2(), 250);
    EXPECT_NEAR(std::fabs(line->y2() - line->y1()), 402, 1e-9);  // the whole height and a pixel
    // Zoomed out, the segment ends 1000 units either side.
    view.m_dScaleY = 0.001;
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
    view.Redraw();
    view.OnTangent();
    Move({300, 20});
    RightClick({300, 20});
    EXPECT_FALSE(view.m_bLive);
    EXPECT_EQ(host.tangent[IDC_TANGENT_EQUATION], "Equation: y = 2.0000*x -1.0000");
    // Slope -2 in pixels: the line crosses column 320 at row 110.
    EXPECT_LT(DarkestNear(view.Picture(), 320, 110), 100);
    // Frozen: moving on changes neither tangent nor equation.
    Move({200, 20});
    EXPECT_EQ(view.Tangent().m_dX, 1.0);
    EXPECT_EQ(host.tangent[IDC_TANGENT_X], "x= 1.000000000000000");
    // A second right click lets it follow again and removes it.
    RightClick({200, 20});
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

TEST_F(TraceTangent, TangentModeAlwaysStartsLive)
{
    Plot("x^2");
    RightClick({300, 20});  // outside tangent mode: only the flag
    EXPECT_FALSE(view.m_bLive);
    view.OnTangent();
    EXPECT_TRUE(view.m_bLive);
    Move({300, 20});
    EXPECT_TRUE(view.TangentLine());
    // Ending the mode redraws without the tangent.
    view.OnTangent();
    EXPECT_FALSE(host.bars[ID_TANGENT]);
    EXPECT_FALSE(view.CursorLineColumn());
    EXPECT_NE(view.cursor().shape(), Qt::CrossCursor);
}

}  // namespace
