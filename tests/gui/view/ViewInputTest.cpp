// The traced point of trace mode, moved by the keys.
#include "gui/GuiFixtures.h"

#include <QPainter>

namespace {

using TracedPoint = ViewFixture;

TEST_F(TracedPoint, KeysMoveItByPixelsAndItsLabelIsDrawnOverTheWindowOnly)
{
    Plot("ln(x)");
    view.OnTrace();
    const auto key = [this](Qt::Key k, Qt::KeyboardModifiers mods, int times = 1) {
        for (int i = 0; i < times; ++i) {
            QKeyEvent e(QEvent::KeyPress, k, mods);
            QApplication::sendEvent(&view, &e);
        }
        return view.TracePoint()->point.x();
    };
    EXPECT_EQ(key(Qt::Key_Right, Qt::NoModifier), 251);  // from the middle column
    // The position as the mouse on the point gives it: ln(0.02) = -3.912 is row
    // 395.6, the pixel 396 is y = -196/50.
    EXPECT_EQ(host.position, "x = 0.020000, y = -3.920000");
    EXPECT_EQ(key(Qt::Key_Right, Qt::ShiftModifier), 261);
    EXPECT_EQ(key(Qt::Key_Left, Qt::ShiftModifier), 251);
    EXPECT_EQ(key(Qt::Key_Left, Qt::NoModifier), 250);
    EXPECT_EQ(view.State().m_nPanX, 0);  // the point moves, not the graph
    EXPECT_EQ(key(Qt::Key_Left, Qt::ShiftModifier, 30), 0);  // it stops at the window's edge
    EXPECT_EQ(view.TracePoint()->label, "(-5.000000, NOT DEFINE)");
    EXPECT_EQ(host.position, "x = -5.000000, y = 0.000000");  // undefined: the middle row
    EXPECT_EQ(key(Qt::Key_Right, Qt::ShiftModifier, 30), 300);
    EXPECT_EQ(view.TracePoint()->label, "(1.000000, 0.000000000000000)");

    QImage window = view.Picture();
    QPainter p(&window);
    view.PaintWindow(p, window.rect());
    p.end();
    EXPECT_NE(window, view.Picture());  // the point and its label are over the window, not in the copied picture
}

}  // namespace
