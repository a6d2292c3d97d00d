// The picture at computed pixels, the mouse, the paint rules, extreme mappings.
#include "gui/GuiFixtures.h"

#include <QMouseEvent>
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
    void Put(int slot, const char *text)
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

// The grid layout's positions are tested in the core; here the picture must show them.
TEST_F(ViewTest, AxesDottedGridAndLabelsAreDrawn)
{
    const QImage img = Render();
    for (int x : {10, 120, 330, 490})
        EXPECT_TRUE(IsBlack(img.pixel(x, 200))) << x;
    for (int y : {30, 170, 260, 390})
        EXPECT_TRUE(IsBlack(img.pixel(250, y))) << y;
    for (int c = 0; c < 500; c += 50) {
        if (c == 250)
            continue;
        const QRect strip(c, 10, 1, 30);  // no label or tick here: only the dotted line
        EXPECT_GE(CountIn(img, strip, IsGridGrey), 12) << c;
        EXPECT_EQ(CountIn(img, strip, IsGridGrey) + CountIn(img, strip, IsWhite), 30) << c;
        EXPECT_EQ(CountIn(img, QRect(c + 20, 10, 1, 30), IsGridGrey), 0) << c;
    }
    EXPECT_GT(CountIn(img, QRect(340, 205, 60, 16), IsDark), 10);  // "2.000000" under x = 2
    EXPECT_GT(CountIn(img, QRect(255, 292, 70, 16), IsDark), 10);  // "-2.000000" right of y = -2
    EXPECT_EQ(CountIn(img, QRect(256, 205, 30, 14), IsDark), 0);   // none at the origin

    view.OnShowGrid();
    const QImage plain = view.Picture();
    EXPECT_EQ(CountIn(plain, plain.rect(), IsGridGrey), 0);
    EXPECT_GT(CountIn(plain, QRect(340, 205, 60, 16), IsDark), 10);  // labels stay
}

TEST_F(ViewTest, CurvePixelsFollowTheMappingAndTheSlotPens)
{
    view.m_bShowGrid = false;
    Put(0, "sin(x)");
    QImage img = Render();
    const float step = static_cast<float>(1.0 / 50);
    int checked = 0;
    for (double x = -5.0 - 5 * static_cast<double>(step); x <= 5.1; x += step) {
        const int col = static_cast<int>(50 * x + 250);
        const int row = static_cast<int>(200 - 50 * std::sin(x));
        if (col < 0 || col >= 500 || std::abs(row - 200) < 4 || std::abs(col - 250) < 4 || (row >= 200 && row <= 222))
            continue;  // the axes and the x labels
        EXPECT_TRUE(IsReddish(img.pixel(col, row))) << col << "," << row;
        ++checked;
    }
    EXPECT_GT(checked, 300);
    EXPECT_EQ(CountIn(img, QRect(0, 0, 500, 130), IsReddish), 0);

    // Each branch is drawn on its own: nothing joins them across the pole.
    Put(0, "1/x");
    img = Render();
    EXPECT_EQ(CountIn(img, QRect(240, 5, 21, 390), IsReddish), 0);
    EXPECT_GT(CountIn(img, QRect(261, 0, 239, 400), IsReddish), 100);

    // The pens of the other slots, and derivatives in their slot's colour while flagged.
    Put(0, "");
    Put(1, "1");   // green, row 150, three pixels wide
    Put(2, "-1");  // blue, row 250
    view.m_aFunctions[2].m_bDerivativeShown = true;
    view.m_aDerivatives[2].SetExpression("3");  // row 50
    view.m_aWidth[1] = 3;
    img = Render();
    for (int row : {149, 150, 151})
        EXPECT_EQ(img.pixel(100, row), qRgb(0, 128, 0)) << row;
    EXPECT_EQ(img.pixel(100, 250), qRgb(0, 0, 255));
    EXPECT_TRUE(IsWhite(img.pixel(100, 249)));
    EXPECT_EQ(img.pixel(100, 50), qRgb(0, 0, 255));
    view.m_aFunctions[2].m_bDerivativeShown = false;
    EXPECT_TRUE(IsWhite(Render().pixel(100, 50)));
}

TEST_F(ViewTest, RePlotPrefersTypedFieldsAndCentreRefillsThem)
{
    Put(0, "200*x");
    view.m_nSelected = 0;
    view.m_bAutoscale = true;
    SetFields("0", "10", "-2", "2");
    view.RePlot();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(view.m_dScaleX, 1.0);
    EXPECT_EQ(view.m_nPanX, -250);
    EXPECT_EQ(view.m_dScaleY, 2.0);

    const int focus = host.focus;
    EXPECT_TRUE(view.HandleCommand(ID_CENTER));
    EXPECT_EQ(view.m_nPanX, 0);
    EXPECT_EQ(host.fields[IDC_X_MIN], "-5.00");
    EXPECT_GT(host.focus, focus);  // the keys go back to the function list
}

TEST_F(ViewTest, DraggingPansOrZoomsToTheDraggedRectangle)
{
    Render();
    Drag({100, 100}, {130, 80});
    EXPECT_EQ(view.m_nPanX, 30);
    EXPECT_EQ(view.m_nPanY, 20);
    EXPECT_TRUE(IsBlack(view.Picture().pixel(280, 30)));  // the y axis moved with it

    view.HandleCommand(ID_CENTER);
    view.HandleCommand(ID_ZOOM_AREA);
    EXPECT_TRUE(view.m_bTrace && host.bars[ID_TRACE]);
    Drag({250, 200}, {250, 200});  // a click without a drag leaves the mode on
    EXPECT_TRUE(view.m_bZoomArea);
    Drag({300, 150}, {250, 200});  // right to left, bottom to top: x 0..1 and y 0..1 fill the view
    EXPECT_EQ(view.m_dScaleX, 10);
    EXPECT_EQ(view.m_dScaleY, 8);
    EXPECT_EQ(view.m_nPanX, 250 - 500);
    EXPECT_EQ(view.m_nPanY, 200 - 400);
    EXPECT_FALSE(view.m_bZoomArea || view.m_bTrace || host.bars[ID_TRACE]);
    EXPECT_TRUE(messages.shown.empty());

    view.m_bTangent = true;  // never beside the tangent
    view.HandleCommand(ID_ZOOM_AREA);
    EXPECT_FALSE(view.m_bZoomArea || view.m_bTrace);
}

TEST_F(ViewTest, PaintCopiesThePictureAndLaterPaintsDoNoWork)
{
    Put(0, "sin(x)");
    Put(1, "1/x");
    view.m_nPanX = 17;
    const QImage painted = view.grab().toImage().convertToFormat(QImage::Format_RGB32);  // the first paint draws
    EXPECT_EQ(painted, view.Picture());
    QImage other(500, 400, QImage::Format_RGB32);
    QPainter p(&other);
    view.RenderTo(p, other.rect());
    p.end();
    EXPECT_EQ(other, Render());

    view.show();
    QTRY_COMPARE(host.firstPaints, 1);
    const int syncs = host.syncs, focus = host.focus;
    for (int i = 0; i < 3; ++i)
        view.repaint();
    EXPECT_EQ(host.firstPaints, 1);
    EXPECT_EQ(host.syncs, syncs);
    EXPECT_EQ(host.focus, focus);
}

TEST_F(ViewTest, ExtremeMappingsAndSizesStayResponsive)
{
    const char *texts[] = {"sin(x)", "1/x", "tan(x)", "ln(x)", "(x^2-1)^0.5"};
    for (int i = 0; i < 5; ++i) {
        Put(i, texts[i]);
        view.m_aFunctions[i].m_bDerivativeShown = true;
        view.m_aDerivatives[i].SetExpression("1/(x-0.000000001)");
    }
    for (const QSize &s : {QSize(0, 0), QSize(1, 1), QSize(3000, 7), QSize(5, 2000), QSize(500, 400)}) {
        view.resize(s);
        for (double sx : {CViewState::kMinScale, 1e-45, 1.0, 1e45, CViewState::kMaxScale}) {
            for (int pan : {-CViewState::kMaxPan, 0, 777, CViewState::kMaxPan}) {
                view.m_dScaleX = sx;
                view.m_dScaleY = 1 / sx;
                view.m_nPanX = pan;
                view.m_nPanY = -pan;
                view.HandleCommand(ID_ZOOM_IN);
                view.PanBy(2000000000, -2000000000);
                view.Redraw();
                EXPECT_EQ(view.Picture().size(), s);
                for (int id = IDC_X_MIN; id <= IDC_Y_MAX; ++id)
                    EXPECT_FALSE(host.fields[id].isEmpty());
            }
        }
    }
}

}  // namespace
