// Its own process: every window of this test runs at 200%.
#include "gui/view/CorvantaView.h"

#include <gtest/gtest.h>

#include <QtTest/QtTest>

static const bool kScaled = qputenv("QT_SCALE_FACTOR", "2");  // before the application object exists

TEST(DenseScreen, ThePictureHasDevicePixelsAndTheLayoutStaysLogical)
{
    ASSERT_TRUE(kScaled);
    CCorvantaView view;
    view.resize(400, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.Graph().Plot("x/2");
    view.Graph().SetMapping(1, 1, 20, 0);  // logical pixels: the y axis stands at device column 2 * (200 + 20)
    const QImage picture = view.Picture();
    ASSERT_EQ(picture.size(), QSize(800, 600));
    EXPECT_EQ(picture.pixel(440, 10) & 0xFFFFFF, 0u);
    // Sampled per device column, y = x/2 rises one device row every four
    // columns, with none of the two-row steps of a logical-pixel sampling.
    int lastRow = -1;
    for (int x = 500; x < 700; ++x) {
        int row = 0;
        while (row < 600 && !(qRed(picture.pixel(x, row)) > 200 && qGreen(picture.pixel(x, row)) < 120))
            ++row;
        EXPECT_TRUE(row < 600 && (lastRow < 0 || std::abs(row - lastRow) <= 1)) << x;
        lastRow = row;
    }
}
