#include "gui/view/CorvantaView.h"

#include "gui/view/ViewFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

#include <cmath>

namespace {

class ViewTest : public ViewFixture
{
protected:
    void Plot(int slot, const char *text)
    {
        view.m_aFunctions[slot].SetExpression(text);
        view.m_nLast = std::max<int>(view.m_nLast, slot);
    }
    QImage Render()
    {
        view.Redraw();
        return view.Picture();
    }
    void Drag(QPoint from, QPoint to)
    {
        const struct { QEvent::Type type; QPoint pos; Qt::MouseButtons buttons; } events[] = {
            {QEvent::MouseButtonPress, from, Qt::LeftButton},
            {QEvent::MouseMove, to, Qt::LeftButton},
            {QEvent::MouseButtonRelease, to, Qt::NoButton}};
        for (const auto &m : events) {
            QMouseEvent e(m.type, QPointF(m.pos), view.mapToGlobal(QPointF(m.pos)), Qt::LeftButton, m.buttons,
                          Qt::NoModifier);
            QApplication::sendEvent(&view, &e);
        }
    }
};

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

// Text drawn in the rectangle.
bool HasText(const QImage &img, const QRect &r) { return CountIn(img, r, IsDark) > 10; }

TEST_F(ViewTest, AxesStandAtTheComputedRowAndColumnOrAlongAnEdge)
{
    const QImage img = Render();
    ASSERT_EQ(img.size(), QSize(500, 400));
    // Origin at (W/2 + panX, H/2 - panY); sample away from ticks and labels.
    for (int x : {10, 120, 330, 490})
        EXPECT_TRUE(IsBlack(img.pixel(x, 200))) << x;
    for (int y : {30, 170, 260, 390})
        EXPECT_TRUE(IsBlack(img.pixel(250, y))) << y;
    EXPECT_TRUE(IsWhite(img.pixel(120, 199)) && IsWhite(img.pixel(120, 201)) && IsWhite(img.pixel(249, 30)));

    view.m_nPanX = -37;
    view.m_nPanY = 21;
    const QImage moved = Render();
    for (int x : {10, 120, 330})
        EXPECT_TRUE(IsBlack(moved.pixel(x, 179))) << x;
    EXPECT_TRUE(IsBlack(moved.pixel(213, 30)));

    // Panned past the right edge the y axis runs along it.
    view.m_nPanX = 400;  // origin at column 650
    view.m_nPanY = 0;
    const QImage right = Render();
    for (int y : {30, 170, 260, 390})
        EXPECT_TRUE(IsBlack(right.pixel(499, y))) << y;
    // Its labels stand 100 pixels to its left.
    EXPECT_TRUE(HasText(right, QRect(400, 92, 80, 16)));
    EXPECT_TRUE(HasText(right, QRect(400, 292, 90, 16)));
    EXPECT_EQ(CountIn(right, QRect(300, 92, 90, 16), IsDark), 0);

    view.m_nPanX = 0;
    view.m_nPanY = -300;  // origin below the bottom edge
    const QImage low = Render();
    EXPECT_TRUE(IsBlack(low.pixel(10, 399)));
    EXPECT_TRUE(HasText(low, QRect(340, 380, 60, 16)));  // x labels 20 px above
}

TEST_F(ViewTest, DottedGridEveryFiftyPixelsAndLabels)
{
    const QImage img = Render();
    for (int c = 0; c < 500; c += 50) {
        if (c == 250)
            continue;
        // Rows 10..40 hold no label or tick: only the dotted line.
        const QRect strip(c, 10, 1, 30);
        EXPECT_GE(CountIn(img, strip, IsGridGrey), 12) << "column " << c;
        EXPECT_EQ(CountIn(img, strip, IsGridGrey) + CountIn(img, strip, IsWhite), 30) << c;
        // Nothing grey between grid lines.
        EXPECT_EQ(CountIn(img, QRect(c + 20, 10, 1, 30), IsGridGrey), 0) << c;
    }
    for (int r : {0, 50, 100, 150, 250, 300, 350})
        EXPECT_GE(CountIn(img, QRect(10, r, 30, 1), IsGridGrey), 12) << "row " << r;
    // "2.000000" below the x axis at x = 2, "-2.000000" at x = -2, the y labels
    // right of the y axis, and none at the origin.
    EXPECT_TRUE(HasText(img, QRect(340, 205, 60, 16)));
    EXPECT_TRUE(HasText(img, QRect(140, 205, 70, 16)));
    EXPECT_TRUE(HasText(img, QRect(255, 92, 60, 16)));
    EXPECT_TRUE(HasText(img, QRect(255, 292, 70, 16)));
    EXPECT_EQ(CountIn(img, QRect(256, 205, 30, 14), IsDark), 0);

    view.OnShowGrid();
    EXPECT_EQ(view.CommandChecked(ViewCommand::ShowGrid), false);
    const QImage plain = view.Picture();
    EXPECT_EQ(CountIn(plain, QRect(0, 0, 500, 400), IsGridGrey), 0);
    // Ticks, labels and axes stay.
    EXPECT_TRUE(IsBlack(plain.pixel(350, 203)));  // tick at x = 2
    EXPECT_TRUE(HasText(plain, QRect(340, 205, 60, 16)));
    EXPECT_TRUE(IsBlack(plain.pixel(10, 200)));
}

TEST_F(ViewTest, CurvePixelsFollowTheMappingAndTheSlotPens)
{
    view.m_bShowGrid = false;
    Plot(0, "sin(x)");
    QImage img = Render();
    const float step = static_cast<float>(1.0 / 50);
    int checked = 0;
    for (double x = -5.0 - 5 * static_cast<double>(step); x <= 5.1; x += step) {
        const int col = static_cast<int>(50 * x + 250);
        const int row = static_cast<int>(200 - 50 * std::sin(x));
        // Skip the axes and the x labels.
        if (col < 0 || col >= 500 || std::abs(row - 200) < 4 || std::abs(col - 250) < 4 || (row >= 200 && row <= 222))
            continue;
        EXPECT_TRUE(IsReddish(img.pixel(col, row))) << col << "," << row;
        ++checked;
    }
    EXPECT_GT(checked, 300);
    EXPECT_EQ(CountIn(img, QRect(0, 0, 500, 130), IsReddish), 0);  // nothing red far from it

    // The pens of the other slots, and derivatives in their slot's colour.
    view.m_aFunctions[0].SetExpression("");
    Plot(1, "1");   // slot 2: green RGB(0,128,0), row 150
    Plot(2, "-1");  // slot 3: blue, row 250
    view.m_aFunctions[2].m_bDerivativeShown = true;
    view.m_aDerivatives[2].SetExpression("3");  // row 50
    view.m_aWidth[1] = 3;
    img = Render();
    for (int row : {149, 150, 151})  // width 3
        EXPECT_EQ(img.pixel(100, row), qRgb(0, 128, 0)) << row;
    EXPECT_EQ(img.pixel(100, 250), qRgb(0, 0, 255));
    EXPECT_TRUE(IsWhite(img.pixel(100, 249)));
    EXPECT_EQ(img.pixel(100, 50), qRgb(0, 0, 255));
    // A derivative is drawn only while its flag is set.
    view.m_aFunctions[2].m_bDerivativeShown = false;
    EXPECT_TRUE(IsWhite(Render().pixel(100, 50)));
}

TEST_F(ViewTest, NoLineAcrossPolesAndNothingWhereUndefined)
{
    view.m_bShowGrid = false;
    Plot(0, "1/x");
    QImage img = Render();
    // 1/x is beyond the area within 0.25 of the pole: no red in that band.
    EXPECT_EQ(CountIn(img, QRect(240, 5, 21, 390), IsReddish), 0);
    EXPECT_GT(CountIn(img, QRect(0, 0, 240, 400), IsReddish), 100);
    EXPECT_GT(CountIn(img, QRect(261, 0, 239, 400), IsReddish), 100);

    view.m_aFunctions[0].SetExpression("tan(x)");
    img = Render();
    for (double pole : {-M_PI / 2, M_PI / 2}) {
        const int c = static_cast<int>(250 + 50 * pole);
        EXPECT_EQ(CountIn(img, QRect(c - 1, 10, 3, 380), IsReddish), 0) << c;
        // The branches beside the pole run to the edges where tan is +-4.
        const int top = static_cast<int>(250 + 50 * (pole - M_PI / 2 + std::atan(4.0)));
        const int bottom = static_cast<int>(250 + 50 * (pole + M_PI / 2 - std::atan(4.0)));
        EXPECT_GT(CountIn(img, QRect(top - 2, 0, 5, 2), IsReddish), 0) << top;
        EXPECT_GT(CountIn(img, QRect(bottom - 2, 398, 5, 2), IsReddish), 0) << bottom;
    }

    view.m_aFunctions[0].SetExpression("ln(x)");
    img = Render();
    EXPECT_EQ(CountIn(img, QRect(0, 0, 249, 400), IsReddish), 0);
    EXPECT_GT(CountIn(img, QRect(251, 0, 249, 400), IsReddish), 200);
    EXPECT_GT(CountIn(img, QRect(250, 396, 6, 4), IsReddish), 0);  // down to the bottom edge by the axis
}

TEST_F(ViewTest, TypedRangesAndTheirErrors)
{
    SetFields("1", "", "3", "2");
    view.m_dScaleX = 3;
    view.ApplyDomainRange();
    EXPECT_EQ(captions, (std::vector<QString>{"Domain Error", "Invalid Range"}));  // both Stop boxes
    EXPECT_EQ(view.m_dScaleX, 3);

    // Re-Plot: typed fields win over autoscale.
    shown.clear();
    Plot(0, "200*x");
    view.m_nSelected = 0;
    view.m_bAutoscale = true;
    SetFields("0", "10", "-2", "2");
    view.RePlot();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(view.m_dScaleX, 1.0);
    EXPECT_EQ(view.m_nPanX, -250);
    EXPECT_EQ(view.m_dScaleY, 2.0);
    EXPECT_EQ(host.fields[1050], "0.00");
    EXPECT_EQ(host.fields[1053], "2.00");

    // Centre refills the fields and hands the keys back to the function list.
    const int focus = host.focus;
    EXPECT_TRUE(view.HandleCommand(32776));
    EXPECT_EQ(view.m_nPanX, 0);
    EXPECT_EQ(host.fields[1050], "-5.00");
    EXPECT_EQ(host.fields[1053], "4.00");
    EXPECT_GT(host.focus, focus);
    EXPECT_FALSE(view.HandleCommand(57600));  // File New is not the view's
}

TEST_F(ViewTest, DraggingPansOrZoomsToTheDraggedRectangle)
{
    Render();
    Drag({100, 100}, {130, 80});
    EXPECT_EQ(view.m_nPanX, 30);
    EXPECT_EQ(view.m_nPanY, 20);
    EXPECT_TRUE(IsBlack(view.Picture().pixel(280, 30)));  // the y axis moved 30 px right

    view.HandleCommand(32776);
    view.HandleCommand(1003);
    EXPECT_TRUE(view.m_bTrace);
    EXPECT_TRUE(host.bars[32774]);
    Drag({250, 200}, {250, 200});  // a click without a drag leaves the mode on
    EXPECT_TRUE(view.m_bZoomArea);
    // Right to left and bottom to top: the same area as the other way round.
    Drag({300, 150}, {250, 200});
    EXPECT_EQ(host.fields[1051], "1.00");
    EXPECT_EQ(view.m_dScaleX, 10);
    EXPECT_EQ(view.m_dScaleY, 8);
    EXPECT_FALSE(view.m_bZoomArea);
    EXPECT_FALSE(view.m_bTrace);
    EXPECT_FALSE(host.bars[32774]);
    // x 0..1 and y 0..1 fill the view; the drag itself panned nothing.
    EXPECT_EQ(view.m_nPanX, 250 - 500);
    EXPECT_EQ(view.m_nPanY, 200 - 400);
    EXPECT_TRUE(shown.empty());

    // Never beside the tangent.
    view.m_bTangent = true;
    view.HandleCommand(1003);
    EXPECT_FALSE(view.m_bZoomArea);
    EXPECT_FALSE(view.m_bTrace);
}

TEST_F(ViewTest, PaintCopiesThePictureAndAnyPainterGetsTheSame)
{
    Plot(0, "sin(x)");
    Plot(1, "1/x");
    view.m_nPanX = 17;
    const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, view.Picture());
    QCoreApplication::processEvents();
    view.grab();
    QCoreApplication::processEvents();
    EXPECT_EQ(host.firstPaints, 1);

    QImage other(500, 400, QImage::Format_RGB32);
    QPainter p(&other);
    view.RenderTo(p, QRect(0, 0, 500, 400));
    p.end();
    EXPECT_EQ(other, Render());
}

TEST_F(ViewTest, ExtremeMappingsAndSizesStayResponsive)
{
    const char *texts[] = {"sin(x)", "1/x", "tan(x)", "ln(x)", "(x^2-1)^0.5"};
    for (int i = 0; i < 5; ++i) {
        Plot(i, texts[i]);
        view.m_aFunctions[i].m_bDerivativeShown = true;
        view.m_aDerivatives[i].SetExpression("1/(x-0.000000001)");
    }
    const double scales[] = {CViewState::kMinScale, 1e-45, 1e-3, 1, 1e3, 1e45, CViewState::kMaxScale};
    const int pans[] = {-CViewState::kMaxPan, -3000, 0, 777, CViewState::kMaxPan};
    for (const QSize &s : {QSize(0, 0), QSize(1, 1), QSize(3000, 7), QSize(5, 2000), QSize(500, 400)}) {
        view.resize(s);
        for (double sx : scales) {
            for (int pan : pans) {
                view.m_dScaleX = sx;
                view.m_dScaleY = 1 / sx;
                view.m_nPanX = pan;
                view.m_nPanY = -pan;
                view.HandleCommand(32794);  // zoom in both: redraws
                view.HandleCommand(32795);
                view.PanBy(2000000000, -2000000000);
                view.Redraw();
                EXPECT_EQ(view.Picture().size(), s);
                for (const auto &id : {1050, 1051, 1052, 1053})
                    EXPECT_FALSE(host.fields[id].isEmpty());
            }
        }
        view.HandleCommand(32776);
    }
}

}  // namespace

namespace {

TEST_F(ViewTest, LaterPaintsNeitherSynchroniseNorTakeTheFocus)
{
    view.show();
    QTRY_COMPARE(host.firstPaints, 1);
    const int syncs = host.syncs, focus = host.focus;
    ASSERT_GE(syncs, 1);
    for (int i = 0; i < 3; ++i)
        view.repaint();
    EXPECT_EQ(host.syncs, syncs);
    EXPECT_EQ(host.focus, focus);
}

}  // namespace
