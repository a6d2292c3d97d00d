// The graph handled directly: wheel, arrow keys, the traced point.
#include "gui/GuiFixtures.h"

#include <QKeyEvent>
#include <QPainter>
#include <QUndoStack>
#include <QWheelEvent>

namespace {

class ViewInput : public ViewFixture
{
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        host.doc = &doc;
        doc.SetUndoStack(view.UndoStack());
        view.Redraw();
    }
    void Wheel(QPointF pos, int delta)
    {
        QWheelEvent e(pos, view.mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &e);
    }
    bool Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QKeyEvent e(QEvent::KeyPress, key, mods);
        QApplication::sendEvent(&view, &e);
        return e.isAccepted();
    }
    void Move(QPoint pos)
    {
        QMouseEvent e(QEvent::MouseMove, QPointF(pos), view.mapToGlobal(QPointF(pos)), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(&view, &e);
    }
    QString Label() const { return view.TracePoint() ? view.TracePoint()->label : QString(); }

    CCorvantaDoc doc;
};

TEST_F(ViewInput, WheelNotchesZoomAboutTheCursorTrackpadStepsAddUpAndTheLimitRefuses)
{
    const int focus = host.focus;
    Wheel({350, 100}, 40);
    Wheel({350, 100}, 40);
    EXPECT_EQ(view.m_dScaleX, 1);  // two thirds of a notch do nothing yet
    Wheel({350, 100}, 40);
    EXPECT_EQ(view.m_dScaleX, 2);
    EXPECT_EQ(view.m_dScaleY, 2);
    EXPECT_EQ(view.PixelColumn(2), 350);  // (2, 2) stays under the cursor
    EXPECT_EQ(view.PixelRow(2), 100);
    EXPECT_EQ(view.UndoStack()->count(), 1);
    Wheel({350, 100}, 60);
    Wheel({350, 100}, -120);  // a turn back forgets the half notch
    EXPECT_EQ(view.m_dScaleX, 1);
    EXPECT_EQ(host.focus, focus);  // the keyboard focus stays where it was
    EXPECT_EQ(view.UndoStack()->count(), 0);  // a run that ends where it began leaves no step
    EXPECT_FALSE(doc.IsModified());

    view.m_dScaleX = view.m_dScaleY = CViewState::kMaxScale / 1.5;
    host.status.clear();
    Wheel({10, 10}, 240);
    EXPECT_EQ(view.m_dScaleX, CViewState::kMaxScale / 1.5);
    EXPECT_EQ(host.status, "The graph cannot be zoomed further: the scale is at its limit.");
}

TEST_F(ViewInput, ArrowsPanATenthAndOtherKeysPassOn)
{
    const int focus = host.focus;
    const SUnitArea a = view.VisibleArea();
    EXPECT_TRUE(Key(Qt::Key_Right));
    EXPECT_TRUE(Key(Qt::Key_Down));
    const SUnitArea b = view.VisibleArea();
    EXPECT_DOUBLE_EQ(b.xMin - a.xMin, (a.xMax - a.xMin) / 10);
    EXPECT_DOUBLE_EQ(a.yMin - b.yMin, (a.yMax - a.yMin) / 10);
    EXPECT_EQ(host.fields[IDC_X_MIN], "-4.00");  // the range fields follow
    EXPECT_EQ(host.focus, focus);
    EXPECT_FALSE(Key(Qt::Key_Right, Qt::ControlModifier));
    EXPECT_FALSE(Key(Qt::Key_A));
    EXPECT_EQ(view.VisibleArea().xMin, b.xMin);
}

TEST_F(ViewInput, TraceKeysMoveThePointByPixelsAndTheLabelNeverSaysNan)
{
    Plot("ln(x)");
    view.OnTrace();
    Move({300, 50});
    EXPECT_EQ(Label(), "(1.000000, 0.000000000000000)");
    EXPECT_TRUE(view.TracePoint()->onCurve);
    EXPECT_EQ(view.TracePoint()->point, QPointF(300, 200));
    const struct { Qt::Key key; Qt::KeyboardModifiers mods; int column; } steps[] = {
        {Qt::Key_Right, Qt::NoModifier, 301}, {Qt::Key_Right, Qt::ShiftModifier, 311},
        {Qt::Key_Left, Qt::ShiftModifier, 301}, {Qt::Key_Left, Qt::NoModifier, 300}};
    const std::int32_t pan = view.m_nPanX;
    for (const auto &s : steps) {
        Key(s.key, s.mods);
        EXPECT_EQ(view.TracePoint()->point.x(), s.column) << s.column;
    }
    EXPECT_EQ(view.m_nPanX, pan);  // the arrows move the point, not the graph
    for (int i = 0; i < 30; ++i)
        Key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(view.TracePoint()->point.x(), 0);  // the point stays in the window
    EXPECT_EQ(Label(), "(-5.000000, ----)");  // ln is undefined there
    EXPECT_FALSE(view.TracePoint()->onCurve);

    // Drawn over the window only, never into the picture that is copied.
    Move({300, 50});
    QImage window(view.Picture().size(), QImage::Format_RGB32);
    QPainter p(&window);
    view.PaintWindow(p, QRect(QPoint(), window.size()));
    p.end();
    const auto note = [](const QImage &img) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += img.pixel(x, y) == qRgb(255, 255, 224);
        return n;
    };
    EXPECT_GT(note(window), 100);
    EXPECT_EQ(note(view.Picture()), 0);
    view.OnTrace();
    EXPECT_FALSE(view.TracePoint());
}

}  // namespace
