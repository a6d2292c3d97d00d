// Its own process: every window of this test runs at 200%.
#include "gui/view/CorvantaView.h"

#include <gtest/gtest.h>

#include <QtTest/QtTest>

// Before the application object exists.
static const bool kScaled = qputenv("QT_SCALE_FACTOR", "2");

TEST(DenseScreen, ThePictureHasDevicePixelsAndTheLayoutStaysLogical)
{
    ASSERT_TRUE(kScaled);
    CCorvantaView view;
    view.resize(400, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.m_aFunctions[0].SetExpression("x/2");
    view.m_nLast = 0;
    view.m_nPanX = 20;  // logical pixels
    view.Redraw();
    const QImage picture = view.Picture();
    ASSERT_EQ(picture.size(), QSize(800, 600));
    int axis = 0;  // the y axis stands at logical column 200 + 20, device column 440
    for (int y = 0; y < 600; y += 10)
        axis += (picture.pixel(440, y) & 0xFFFFFF) == 0 ? 1 : 0;
    EXPECT_GE(axis, 55);
    // Sampled per device column: y = x/2 rises one device row every four
    // columns, with none of the two-row steps of a logical-pixel sampling.
    int lastRow = -1, bigSteps = 0;
    for (int x = 500; x < 700; ++x) {
        int row = -1;
        for (int y = 0; y < 600 && row < 0; ++y)
            if (qRed(picture.pixel(x, y)) > 200 && qGreen(picture.pixel(x, y)) < 120)
                row = y;
        bigSteps += row >= 0 && lastRow >= 0 && std::abs(row - lastRow) > 1 ? 1 : 0;
        lastRow = row;
    }
    EXPECT_EQ(bigSteps, 0);
}
