// The picture at computed pixels, the mouse, the paint rules, extreme mappings;
// trace and tangent, whose texts come from the core: their routing, the line and the picture.
#include "core/analysis/Tangent.h"
#include "gui/GuiFixtures.h"

#include <QMouseEvent>
#include <QTest>
#include <QPainter>

#include <cmath>

namespace {

bool IsWhite(QRgb c) { return (c & 0xFFFFFF) == 0xFFFFFF; }
bool IsBlack(QRgb c) { return (c & 0xFFFFFF) == 0; }
bool IsGridGrey(QRgb c) { return (c & 0xFFFFFF) == 0xC8C8C8; }
bool IsReddish(QRgb c) { return qRed(c) > 200 && qGreen(c) < 170 && qBlue(c) < 170; }
bool IsDark(QRgb c) { return qGray(c) < 128; }

int CountIn(const QImage &img, const QRect &r, bool (*pred)(QRgb))
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += pred(img.pixel(x, y)) ? 1 : 0;
    return n;
}

class ViewTest : public ViewFixture
{
protected:
    QImage Render()
    {
        view.Redraw();
        return view.Picture();
    }
    void Mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, QPointF(pos), view.mapToGlobal(QPointF(pos)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(&view, &e);
    }
    void Drag(QPoint from, QPoint to)
    {
        Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        Mouse(QEvent::MouseMove, to, Qt::LeftButton, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
    void Move(QPoint pos) { Mouse(QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton); }
    void RightClick(QPoint pos) { Mouse(QEvent::MouseButtonPress, pos, Qt::RightButton, Qt::RightButton); }
};

// The grid layout's positions are tested in the core; here the picture must show them.
TEST_F(ViewTest, AxesDottedGridAndLabelsAreDrawn)
{
    const QImage img = Render();
    for (int t : {10, 120, 330, 390})
        EXPECT_TRUE(IsBlack(img.pixel(t, 200)) && IsBlack(img.pixel(250, t))) << t;
    for (int c = 0; c < 500; c += 50) {
        const QRect strip(c, 10, 1, 30);  // no label or tick here: only the dotted line
        if (c != 250) {
            EXPECT_GE(CountIn(img, strip, IsGridGrey), 12) << c;
            EXPECT_EQ(CountIn(img, strip, IsGridGrey) + CountIn(img, strip, IsWhite), 30) << c;
        }
        EXPECT_EQ(CountIn(img, strip.translated(20, 0), IsGridGrey), 0) << c;
    }
    EXPECT_GT(CountIn(img, QRect(340, 205, 60, 16), IsDark), 10);  // "2.000000" under x = 2
    EXPECT_GT(CountIn(img, QRect(255, 292, 70, 16), IsDark), 10);  // "-2.000000" right of y = -2
    EXPECT_EQ(CountIn(img, QRect(256, 205, 30, 14), IsDark), 0);   // none at the origin
    view.OnShowGrid();
    EXPECT_EQ(CountIn(view.Picture(), img.rect(), IsGridGrey), 0);
    EXPECT_GT(CountIn(view.Picture(), QRect(340, 205, 60, 16), IsDark), 10);  // labels stay
}

TEST_F(ViewTest, CurvePixelsFollowTheMappingAndTheSlotPens)
{
    view.Graph().SetShowGrid(false);
    PlotInto(0, "sin(x)");
    QImage img = Render();
    const float step = static_cast<float>(1.0 / 50);
    int checked = 0;
    for (double x = -5.0 - 5 * static_cast<double>(step); x <= 5.1; x += step) {
        const int col = static_cast<int>(50 * x + 250), row = static_cast<int>(200 - 50 * std::sin(x));
        if (col < 0 || col >= 500 || std::abs(row - 200) < 4 || std::abs(col - 250) < 4 || (row >= 200 && row <= 222))
            continue;  // the axes and the x labels
        EXPECT_TRUE(IsReddish(img.pixel(col, row))) << col << "," << row;
        ++checked;
    }
    EXPECT_GT(checked, 300);
    EXPECT_EQ(CountIn(img, QRect(0, 0, 500, 130), IsReddish), 0);

    view.OnClearGraph();
    PlotInto(0, "1/x");  // each branch is drawn on its own: nothing joins them across the pole
    img = Render();
    EXPECT_EQ(CountIn(img, QRect(240, 5, 21, 390), IsReddish), 0);
    EXPECT_GT(CountIn(img, QRect(261, 0, 239, 400), IsReddish), 100);

    // Another slot's pen (green, three pixels wide), and its derivative in its colour once shown.
    view.OnClearGraph();
    PlotInto(1, "3*x+10");  // (-3, 1) at pixel (100, 150); its derivative 3 on row 50
    view.Graph().SetPens(view.State().m_aColor, {1, 3, 1, 1, 1});
    EXPECT_TRUE(IsWhite(Render().pixel(100, 50)));
    ASSERT_TRUE(view.Graph().Differentiate(1));
    img = Render();
    const auto green = [](QRgb c) { return qGreen(c) > 100 && qRed(c) < 60 && qBlue(c) < 60; };
    for (int row : {150, 50})
        EXPECT_TRUE(green(img.pixel(100, row))) << row;
    for (int row : {148, 152})  // the wide pen inks beside the centre line
        EXPECT_FALSE(IsWhite(img.pixel(100, row))) << row;
    EXPECT_TRUE(IsWhite(img.pixel(100, 140)));
}

TEST_F(ViewTest, RePlotPrefersTypedFieldsAndCentreRefillsThem)
{
    PlotInto(0, "200*x");
    view.HandleCommand(ID_AUTOSCALE);
    SetFields("0", "10", "-2", "2");
    view.RePlot();
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(view.State().m_dScaleX, 1.0);
    EXPECT_EQ(view.State().m_nPanX, -250);
    EXPECT_EQ(view.State().m_dScaleY, 2.0);
    const int focus = host.focus;
    EXPECT_TRUE(view.HandleCommand(ID_CENTER));
    EXPECT_EQ(view.State().m_nPanX, 0);
    EXPECT_EQ(host.fields[IDC_X_MIN], "-5.00");
    EXPECT_GT(host.focus, focus);  // the keys go back to the function list
}

// Zoomed far in, Re-Plot with the fields as the view wrote them keeps the
// view exactly; an edited x field moves only x.
TEST_F(ViewTest, RePlotAfterZoomingInKeepsTheView)
{
    PlotInto(0, "x");
    for (bool autoscale : {false, true}) {
        if (view.State().m_bAutoscale != autoscale)
            view.HandleCommand(ID_AUTOSCALE);
        for (int i = 0; i < 14; ++i)
            view.HandleCommand(ID_ZOOM_IN);
        QTest::keyClick(&view, Qt::Key_Right);
        QTest::keyClick(&view, Qt::Key_Up);
        const double sx = view.State().m_dScaleX, sy = view.State().m_dScaleY;
        const std::int32_t px = view.State().m_nPanX, py = view.State().m_nPanY;
        prompts.Clear();
        view.RePlot();
        EXPECT_TRUE(prompts.shown.empty()) << prompts.Texts().join(' ').toStdString();
        EXPECT_EQ(view.State().m_dScaleX, sx);
        EXPECT_EQ(view.State().m_dScaleY, sy);
        EXPECT_EQ(view.State().m_nPanX, px);
        EXPECT_EQ(view.State().m_nPanY, py);
        // The fields show more than two decimals here: two would read back as an empty range.
        EXPECT_GT(host.fields[IDC_X_MAX].size(), 6);
        host.fields[IDC_X_MAX] = QString::number(host.fields[IDC_X_MAX].toDouble() + 1.0 / (CViewState::kUnit * sx) * 100, 'f', 12);
        view.RePlot();
        EXPECT_TRUE(prompts.shown.empty());
        EXPECT_NE(view.State().m_dScaleX, sx);
        EXPECT_EQ(view.State().m_dScaleY, sy);
        EXPECT_EQ(view.State().m_nPanY, py);
        view.HandleCommand(ID_CENTER);
    }
}

TEST_F(ViewTest, DraggingPansOrZoomsToTheDraggedRectangle)
{
    Render();
    Drag({100, 100}, {130, 80});
    EXPECT_EQ(view.State().m_nPanX, 30);
    EXPECT_EQ(view.State().m_nPanY, 20);
    EXPECT_TRUE(IsBlack(view.Picture().pixel(280, 30)));  // the y axis moved with it

    view.HandleCommand(ID_CENTER);
    view.HandleCommand(ID_ZOOM_AREA);
    EXPECT_TRUE(view.IsTracing() && host.bars[ID_TRACE]);
    Drag({250, 200}, {250, 200});  // a click without a drag leaves the mode on
    EXPECT_TRUE(view.IsZoomArea());
    Drag({300, 150}, {250, 200});  // right to left, bottom to top: x 0..1 and y 0..1 fill the view
    EXPECT_EQ(view.State().m_dScaleX, 10);
    EXPECT_EQ(view.State().m_dScaleY, 8);
    EXPECT_EQ(view.State().m_nPanX, 250 - 500);
    EXPECT_EQ(view.State().m_nPanY, 200 - 400);
    EXPECT_FALSE(view.IsZoomArea() || view.IsTracing() || host.bars[ID_TRACE]);
    view.SetTangentMode(true);  // never beside the tangent
    view.HandleCommand(ID_ZOOM_AREA);
    EXPECT_FALSE(view.IsZoomArea() || view.IsTracing());
}

TEST_F(ViewTest, PaintCopiesThePictureAndLaterPaintsDoNoWork)
{
    PlotInto(0, "sin(x)");
    PlotInto(1, "1/x");
    view.Graph().SetMapping(1, 1, 17, 0);
    const QImage painted = view.grab().toImage().convertToFormat(QImage::Format_RGB32);  // the first paint draws
    EXPECT_EQ(painted, view.Picture());
    QImage other(500, 400, QImage::Format_RGB32);
    QPainter p(&other);
    view.RenderTo(p, other.rect());
    p.end();
    EXPECT_EQ(other, Render());

    view.show();
    QTRY_COMPARE(host.firstPaints, 1);
    const int focus = host.focus;
    for (int i = 0; i < 3; ++i)
        view.repaint();
    EXPECT_EQ(host.firstPaints + host.focus, 1 + focus);
}

TEST_F(ViewTest, ExtremeMappingsAndSizesStayResponsive)
{
    const char *texts[] = {"sin(x)", "1/x", "tan(x)", "ln(x)", "(x^2-1)^0.5"};
    for (int i = 0; i < 5; ++i) {
        PlotInto(i, texts[i]);
        view.Graph().Differentiate(i);
    }
    for (const QSize &s : {QSize(0, 0), QSize(1, 1), QSize(3000, 7), QSize(5, 2000), QSize(500, 400)}) {
        view.resize(s);
        for (double sx : {CViewState::kMinScale, 1e-45, 1.0, 1e45, CViewState::kMaxScale}) {
            for (int pan : {-CViewState::kMaxPan, 0, 777, CViewState::kMaxPan}) {
                view.Graph().SetMapping(sx, 1 / sx, pan, -pan);
                view.HandleCommand(ID_ZOOM_IN);
                view.Graph().Pan(2000000000, -2000000000);
                view.Redraw();
                EXPECT_EQ(view.Picture().size(), s);
                for (int id = IDC_X_MIN; id <= IDC_Y_MAX; ++id)
                    EXPECT_FALSE(host.fields[id].isEmpty());
            }
        }
    }
}

class TraceTangent : public ViewTest
{
protected:
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

TEST_F(TraceTangent, TraceShowsThePositionAndTheValueInDegreesOnlyWhenTheBoxIsShownAndChecked)
{
    Plot("sin(x)");
    view.OnTrace();
    EXPECT_TRUE(host.bars[ID_TRACE] && view.cursor().shape() == Qt::CrossCursor);
    Move({300, 100});
    EXPECT_EQ(host.position, "x = 1.000000, y = 2.000000");
    const struct { bool trig, degree, scientific; const char *shown; } cases[] = {
        {true, true, false, "1.00000000000000"}, {false, true, false, "0.893996663600558"},
        {true, false, false, "0.893996663600558"}, {true, true, true, "1.000000e+00"}};
    for (const auto &c : cases) {
        host.trigonometric = c.trig;
        host.degree = c.degree;
        host.scientific = c.scientific;
        view.OnTraceInput(QStringLiteral("90"));
        EXPECT_EQ(host.result, c.shown);
    }
}

TEST_F(TraceTangent, LiveTangentFollowsTheMouse)
{
    Plot("x^2");
    view.OnTangent();
    EXPECT_TRUE(host.bars[ID_TANGENT] && view.IsTangentMode());
    Move({300, 20});  // x = 1; the bar's texts are compared with the command line's
    EXPECT_EQ(view.CursorLineColumn(), 300);
    const auto line = view.TangentLine();
    ASSERT_TRUE(line);
    EXPECT_LT(Miss(*line, {300, 150}), 0.01);
    EXPECT_NEAR((line->p2().y() - line->p1().y()) / (line->p2().x() - line->p1().x()), -2.0, 1e-9);
    Move({200, 20});  // x = -1
    EXPECT_EQ(host.tangent[IDC_TANGENT_X], "x= -1.00000000000000");

    view.OnTangent();  // ending the mode removes line, cursor line and bar
    EXPECT_FALSE(host.bars[ID_TANGENT]);
    EXPECT_FALSE(view.CursorLineColumn());
    EXPECT_NE(view.cursor().shape(), Qt::CrossCursor);
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
    view.Graph().SetMapping(view.State().m_dScaleX, 0.001, view.State().m_nPanX, view.State().m_nPanY);  // zoomed out, the segment ends 1000 units either side
    const auto far = view.TangentLine();
    ASSERT_TRUE(far);
    EXPECT_NEAR(std::fabs(far->y2() - far->y1()), 100, 1e-9);
}

TEST_F(TraceTangent, LineComesFromTheExactSlopeWhenZoomedIn)
{
    Plot("x^3");
    // Around (1.23456, 1.88) at 65536 times the usual scale.
    const int panX = -static_cast<int>(50 * 65536 * 1.23456);
    view.Graph().SetMapping(65536, 65536, panX, 0);
    const double x = view.State().UnitX(310);
    view.Graph().SetMapping(65536, 65536, panX, -static_cast<int>(50 * 65536 * x * x * x));
    view.OnTangent();
    Move({310, 20});
    const auto line = view.TangentLine();
    ASSERT_TRUE(line);
    const QPointF touch(view.State().PixelColumn(x), view.State().PixelRow(x * x * x));
    EXPECT_LT(Miss(*line, touch), 0.01);
    // The four-decimal text would miss the point by many pixels.
    CExpression rounded;
    rounded.SetExpression(view.Tangent().m_strEquation);
    EXPECT_GT(std::fabs(view.State().PixelRow(rounded.Evaluate(x)) - touch.y()), 20.0);
}

TEST_F(TraceTangent, RightClickFreezesTheTangentIntoThePicture)
{
    Plot("x^2");
    RightClick({300, 20});  // outside tangent mode: only the flag, and the mode starts live
    view.OnTangent();
    EXPECT_TRUE(view.IsLive());
    view.Redraw();
    Move({300, 20});
    RightClick({300, 20});
    EXPECT_FALSE(view.IsLive());
    // Slope -2 in pixels: the line crosses column 320 at row 110.
    EXPECT_LT(DarkestNear(view.Picture(), 320, 110), 100);
    Move({200, 20});  // frozen: moving on changes neither tangent nor texts
    EXPECT_EQ(view.Tangent().m_dX, 1.0);
    EXPECT_EQ(host.tangent[IDC_TANGENT_X], "x= 1.00000000000000");
    RightClick({200, 20});  // follows again, and the frozen line goes
    EXPECT_TRUE(view.IsLive());
    EXPECT_GT(DarkestNear(view.Picture(), 320, 110), 150);
}

TEST_F(TraceTangent, NoLineWhereTheFunctionIsUndefinedOrNoneIsSelected)
{
    Plot("ln(x)");
    view.Redraw();
    view.OnTangent();
    Move({350, 20});  // x = 2 has an equation, which must not stay at x = -1
    Move({200, 20});  // x = -1: the bar's texts are compared with the command line's
    EXPECT_FALSE(view.TangentLine() || view.CursorLineColumn());
    EXPECT_EQ(host.tangent[IDC_TANGENT_EQUATION], QString::fromLatin1(CTangent::kUndefined));

    Move({300, 20});
    view.OnClearGraph();
    view.OnTraceInput(QStringLiteral("2"));
    EXPECT_EQ(host.result, "");
    Move({320, 20});
    EXPECT_FALSE(view.TangentLine() || view.CursorLineColumn());
    const QImage before = view.Picture();
    RightClick({320, 20});  // freezes nothing, old or new
    EXPECT_EQ(view.Picture(), before);
}

}  // namespace
