#include "view/CorvantaView.h"

#include "app/Message.h"
#include "view/ViewHost.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>
#include <map>

namespace {

// The frame as the view sees it: range fields and bar visibility.
class CFakeHost : public CViewHost
{
public:
    QString RangeFieldText(int id) const override
    {
        auto it = fields.find(id);
        return it == fields.end() ? QString() : it->second;
    }
    void SetRangeFieldText(int id, const QString &text) override { fields[id] = text; }
    void FocusFunctionList() override { ++focus; }
    void SetBarVisible(int id, bool visible) override { bars[id] = visible; }
    void OnFirstPaint() override { ++firstPaints; }
    void SyncDocument() override { ++syncs; }

    std::map<int, QString> fields;
    std::map<int, bool> bars;
    int focus = 0, firstPaints = 0, syncs = 0;
};

struct SRecorded
{
    QString text, caption;
    MsgIcon icon;
};

class ViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = SetMessageHandler([this](const QString &text, const QString &caption, MsgIcon icon, MsgButtons) {
            messages.push_back({text, caption, icon});
            return MsgAnswer::Ok;
        });
        view.SetHost(&host);
        view.resize(500, 400);
    }
    void TearDown() override { SetMessageHandler(m_previous); }

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

    void Mouse(QEvent::Type type, QPoint pos, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, QPointF(pos), view.mapToGlobal(QPointF(pos)), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&view, &e);
    }
    void Drag(QPoint from, QPoint to)
    {
        Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        Mouse(QEvent::MouseMove, to, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }

    CFakeHost host;
    CCorvantaView view;
    std::vector<SRecorded> messages;

private:
    MessageHandler m_previous;
};

bool IsWhite(QRgb c) { return qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 255; }
bool IsBlack(QRgb c) { return qRed(c) == 0 && qGreen(c) == 0 && qBlue(c) == 0; }
bool IsGridGrey(QRgb c) { return qRed(c) == 200 && qGreen(c) == 200 && qBlue(c) == 200; }
bool IsReddish(QRgb c) { return qRed(c) > 200 && qGreen(c) < 170 && qBlue(c) < 170; }
bool IsDark(QRgb c) { return qGray(c) < 128; }

int CountIn(const QImage &img, const QRect &r, bool (*pred)(QRgb))
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (pred(img.pixel(x, y)))
                ++n;
    return n;
}

TEST_F(ViewTest, AxesStandAtTheComputedRowAndColumn)
{
    const QImage img = Render();
    ASSERT_EQ(img.size(), QSize(500, 400));
    // Origin at (W/2 + panX, H/2 - panY); sample away from ticks and labels.
    for (int x : {10, 120, 330, 490})
        EXPECT_TRUE(IsBlack(img.pixel(x, 200))) << x;
    for (int y : {30, 170, 260, 390})
        EXPECT_TRUE(IsBlack(img.pixel(250, y))) << y;
    EXPECT_TRUE(IsWhite(img.pixel(120, 199)));
    EXPECT_TRUE(IsWhite(img.pixel(120, 201)));
    EXPECT_TRUE(IsWhite(img.pixel(249, 30)));

    view.m_nPanX = -37;
    view.m_nPanY = 21;
    const QImage moved = Render();
    for (int x : {10, 120, 330})
        EXPECT_TRUE(IsBlack(moved.pixel(x, 179))) << x;
    EXPECT_TRUE(IsBlack(moved.pixel(213, 30)));
}

TEST_F(ViewTest, DottedGridEveryFiftyPixels)
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
    for (int r = 0; r < 400; r += 50) {
        if (r == 200)
            continue;
        EXPECT_GE(CountIn(img, QRect(10, r, 30, 1), IsGridGrey), 12) << "row " << r;
    }

    view.OnShowGrid();
    EXPECT_EQ(view.CommandChecked(ViewCommand::ShowGrid), false);
    const QImage plain = view.Picture();
    EXPECT_EQ(CountIn(plain, QRect(0, 0, 500, 400), IsGridGrey), 0);
    // Ticks, labels and axes stay.
    EXPECT_TRUE(IsBlack(plain.pixel(350, 203)));  // tick at x = 2
    EXPECT_GT(CountIn(plain, QRect(340, 205, 60, 16), IsDark), 10);
    EXPECT_TRUE(IsBlack(plain.pixel(10, 200)));
}

TEST_F(ViewTest, LabelsStandWhereTheLayoutPutsThem)
{
    const QImage img = Render();
    // "2.000000" below the x axis at x = 2, "-2.000000" at x = -2, and the
    // y labels right of the y axis.
    EXPECT_GT(CountIn(img, QRect(340, 205, 60, 16), IsDark), 10);
    EXPECT_GT(CountIn(img, QRect(140, 205, 70, 16), IsDark), 10);
    EXPECT_GT(CountIn(img, QRect(255, 92, 60, 16), IsDark), 10);
    EXPECT_GT(CountIn(img, QRect(255, 292, 70, 16), IsDark), 10);
    // The origin has no label.
    EXPECT_EQ(CountIn(img, QRect(256, 205, 30, 14), IsDark), 0);
}

TEST_F(ViewTest, PannedPastTheRightEdgeTheYAxisRunsAlongIt)
{
    view.m_nPanX = 400;  // origin at column 650
    const QImage img = Render();
    for (int y : {30, 170, 260, 390})
        EXPECT_TRUE(IsBlack(img.pixel(499, y))) << y;
    // Its labels stand 100 pixels to its left.
    EXPECT_GT(CountIn(img, QRect(400, 92, 80, 16), IsDark), 10);
    EXPECT_GT(CountIn(img, QRect(400, 292, 90, 16), IsDark), 10);
    EXPECT_EQ(CountIn(img, QRect(300, 92, 90, 16), IsDark), 0);

    view.m_nPanX = 0;
    view.m_nPanY = -300;  // origin below the bottom edge
    const QImage low = Render();
    EXPECT_TRUE(IsBlack(low.pixel(10, 399)));
    EXPECT_GT(CountIn(low, QRect(340, 380, 60, 16), IsDark), 10);  // x labels 20 px above
}

TEST_F(ViewTest, CurvePixelsFollowTheMapping)
{
    view.m_bShowGrid = false;
    Plot(0, "sin(x)");
    const QImage img = Render();
    const float step = static_cast<float>(1.0 / 50);
    int checked = 0;
    for (double x = -5.0 - 5 * static_cast<double>(step); x <= 5.1; x += step) {
        const int col = static_cast<int>(50 * x + 250);
        const int row = static_cast<int>(200 - 50 * std::sin(x));
        if (col < 0 || col >= 500 || std::abs(row - 200) < 4 || std::abs(col - 250) < 4)
            continue;
        if (row >= 200 && row <= 222)  // the x labels
            continue;
        EXPECT_TRUE(IsReddish(img.pixel(col, row))) << col << "," << row;
        ++checked;
    }
    EXPECT_GT(checked, 300);
    // Nothing red far from the curve.
    EXPECT_EQ(CountIn(img, QRect(0, 0, 500, 130), IsReddish), 0);
}

TEST_F(ViewTest, SlotPensAndDerivatives)
{
    view.m_bShowGrid = false;
    Plot(1, "1");   // slot 2: green RGB(0,128,0), row 150
    Plot(2, "-1");  // slot 3: blue, row 250
    view.m_aFunctions[2].m_bDerivativeShown = true;
    view.m_aDerivatives[2].SetExpression("3");  // drawn in slot 3's colour, row 50
    view.m_aWidth[1] = 3;
    const QImage img = Render();
    EXPECT_EQ(img.pixel(100, 150), qRgb(0, 128, 0));
    EXPECT_EQ(img.pixel(100, 149), qRgb(0, 128, 0));  // width 3
    EXPECT_EQ(img.pixel(100, 151), qRgb(0, 128, 0));
    EXPECT_EQ(img.pixel(100, 250), qRgb(0, 0, 255));
    EXPECT_TRUE(IsWhite(img.pixel(100, 249)));
    EXPECT_EQ(img.pixel(100, 50), qRgb(0, 0, 255));
    // A derivative is drawn only while its flag is set.
    view.m_aFunctions[2].m_bDerivativeShown = false;
    EXPECT_TRUE(IsWhite(Render().pixel(100, 50)));
}

TEST_F(ViewTest, NoLineAcrossThePolesOfReciprocalAndTangent)
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
}

TEST_F(ViewTest, LogarithmShowsNothingLeftOfZero)
{
    view.m_bShowGrid = false;
    Plot(0, "ln(x)");
    const QImage img = Render();
    EXPECT_EQ(CountIn(img, QRect(0, 0, 249, 400), IsReddish), 0);
    EXPECT_GT(CountIn(img, QRect(251, 0, 249, 400), IsReddish), 200);
    // It runs down to the bottom edge next to the axis.
    EXPECT_GT(CountIn(img, QRect(250, 396, 6, 4), IsReddish), 0);
}

TEST_F(ViewTest, CommandsChangeTheMappingAndRedraw)
{
    EXPECT_TRUE(view.HandleCommand(32789));
    EXPECT_EQ(view.m_dScaleX, 2);
    EXPECT_TRUE(view.HandleCommand(32793));
    EXPECT_EQ(view.m_dScaleY, 2);
    EXPECT_TRUE(view.HandleCommand(32795));
    EXPECT_EQ(view.m_dScaleX, 1);
    EXPECT_EQ(view.m_dScaleY, 1);
    view.HandleCommand(32794);
    view.HandleCommand(32790);
    view.HandleCommand(32791);
    EXPECT_EQ(view.m_dScaleX, 1);
    EXPECT_EQ(view.m_dScaleY, 1);
    view.m_dScaleX = 4;
    view.m_dScaleY = 0.5;
    view.HandleCommand(32798);
    EXPECT_EQ(view.m_dScaleX, 0.5);
    view.m_nPanX = 12;
    view.HandleCommand(32776);
    EXPECT_EQ(view.m_dScaleX, 1);
    EXPECT_EQ(view.m_nPanX, 0);
    EXPECT_EQ(host.fields[1050], "-5.00");
    EXPECT_EQ(host.fields[1051], "5.00");
    EXPECT_EQ(host.fields[1052], "-4.00");
    EXPECT_EQ(host.fields[1053], "4.00");
    EXPECT_GT(host.focus, 0);
    EXPECT_GT(host.syncs, 0);
    EXPECT_FALSE(view.HandleCommand(57600));  // File New is not the view's

    EXPECT_EQ(view.CommandChecked(32800), false);
    view.m_aFunctions[0].SetExpression("200*x");
    view.m_nSelected = 0;
    view.HandleCommand(32800);
    EXPECT_EQ(view.CommandChecked(32800), true);
    EXPECT_EQ(view.m_dScaleY, 1.0 / 16);
    EXPECT_FALSE(view.CommandChecked(32789).has_value());
}

TEST_F(ViewTest, TypedRangeErrorsShowStopBoxes)
{
    host.fields[1050] = "1";
    host.fields[1052] = "3";
    host.fields[1053] = "2";
    view.m_dScaleX = 3;
    view.ApplyDomainRange();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].caption, "Domain Error");
    EXPECT_EQ(messages[0].text, "Error 0x07:\n\nOne of Domain values is missing!\nDefault Domain will be used.");
    EXPECT_EQ(messages[1].caption, "Invalid Range");
    EXPECT_EQ(messages[0].icon, MsgIcon::Stop);
    EXPECT_EQ(messages[1].icon, MsgIcon::Stop);
    EXPECT_EQ(view.m_dScaleX, 3);
}

TEST_F(ViewTest, RePlotTypedFieldsWinOverAutoscale)
{
    view.m_aFunctions[0].SetExpression("200*x");
    view.m_nSelected = 0;
    view.m_bAutoscale = true;
    host.fields[1050] = "0";
    host.fields[1051] = "10";
    host.fields[1052] = "-2";
    host.fields[1053] = "2";
    view.RePlot();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(view.m_dScaleX, 1.0);
    EXPECT_EQ(view.m_nPanX, -250);
    EXPECT_EQ(view.m_dScaleY, 2.0);
    EXPECT_EQ(host.fields[1050], "0.00");
    EXPECT_EQ(host.fields[1053], "2.00");
}

TEST_F(ViewTest, DraggingPans)
{
    Render();
    Drag({100, 100}, {130, 80});
    EXPECT_EQ(view.m_nPanX, 30);
    EXPECT_EQ(view.m_nPanY, 20);
    // The picture follows: the y axis moved 30 px right.
    EXPECT_TRUE(IsBlack(view.Picture().pixel(280, 30)));
}

TEST_F(ViewTest, ZoomAreaSwitchesTraceAndZoomsToTheDraggedRectangle)
{
    Render();
    view.HandleCommand(1003);
    EXPECT_TRUE(view.m_bTrace);
    EXPECT_TRUE(host.bars[32774]);
    EXPECT_EQ(view.CommandChecked(1003), true);
    // A click without a drag leaves the mode on.
    Drag({250, 200}, {250, 200});
    EXPECT_TRUE(view.m_bZoomArea);
    EXPECT_TRUE(messages.empty());
    // Right to left and bottom to top: the same area as the other way round.
    Drag({300, 150}, {250, 200});
    EXPECT_EQ(host.fields[1050], "0.00");
    EXPECT_EQ(host.fields[1051], "1.00");
    EXPECT_EQ(view.m_dScaleX, 10);
    EXPECT_EQ(view.m_dScaleY, 8);
    EXPECT_FALSE(view.m_bZoomArea);
    EXPECT_FALSE(view.m_bTrace);
    EXPECT_FALSE(host.bars[32774]);
    // x 0..1 and y 0..1 fill the view; the drag itself panned nothing.
    EXPECT_EQ(view.m_nPanX, 250 - 500);
    EXPECT_EQ(view.m_nPanY, 200 - 400);
    EXPECT_TRUE(messages.empty());

    // Toggled twice: trace ends with it.
    view.HandleCommand(1003);
    view.HandleCommand(1003);
    EXPECT_FALSE(view.m_bTrace);
    // Trace ended elsewhere ends zoom-area mode.
    view.HandleCommand(1003);
    view.SetTraceMode(false);
    EXPECT_FALSE(view.m_bZoomArea);
    EXPECT_EQ(view.CommandChecked(1003), false);
    // Never beside the tangent.
    view.m_bTangent = true;
    view.HandleCommand(1003);
    EXPECT_FALSE(view.m_bZoomArea);
    EXPECT_FALSE(view.m_bTrace);
}

TEST_F(ViewTest, PaintOnlyCopiesThePicture)
{
    Plot(0, "x^2");
    view.m_nPanX = 17;
    const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, view.Picture());
    QCoreApplication::processEvents();
    EXPECT_EQ(host.firstPaints, 1);
    view.grab();
    QCoreApplication::processEvents();
    EXPECT_EQ(host.firstPaints, 1);
}

TEST_F(ViewTest, RendererDrawsTheSameOnAnyPainter)
{
    Plot(0, "sin(x)");
    Plot(1, "1/x");
    const QImage picture = Render();
    QImage other(500, 400, QImage::Format_RGB32);
    QPainter p(&other);
    view.RenderTo(p, QRect(0, 0, 500, 400));
    p.end();
    EXPECT_EQ(other, picture);
}

TEST_F(ViewTest, ExtremeMappingsAndSizesStayResponsive)
{
    Plot(0, "sin(x)");
    Plot(1, "1/x");
    Plot(2, "tan(x)");
    Plot(3, "ln(x)");
    Plot(4, "(x^2-1)^0.5");
    for (int i = 0; i < 5; ++i) {
        view.m_aFunctions[i].m_bDerivativeShown = true;
        view.m_aDerivatives[i].SetExpression("1/(x-0.000000001)");
    }
    const QSize sizes[] = {{0, 0}, {1, 1}, {3000, 7}, {5, 2000}, {500, 400}};
    const double scales[] = {CViewState::kMinScale, 1e-45, 1e-3, 1, 1e3, 1e45, CViewState::kMaxScale};
    const int pans[] = {-CViewState::kMaxPan, -3000, 0, 777, CViewState::kMaxPan};
    for (const QSize &s : sizes) {
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
