// The splash window once per run after the first paint, and the About box's credits.
#include "gui/GuiFixtures.h"
#include "gui/app/AboutDlg.h"

#include <QPointer>
#include <QPushButton>

namespace {

TEST(Splash, EllipticOneSecondAndClicksDoNotCloseIt)
{
    CSplashDlg dlg;
    dlg.show();
    const QRect r = dlg.rect();
    for (QPoint inside : {r.center(), QPoint(r.center().x(), 2), QPoint(3, r.center().y())})
        EXPECT_TRUE(dlg.mask().contains(inside)) << inside.x() << "," << inside.y();
    for (QPoint corner : {QPoint(2, 2), r.bottomRight() - QPoint(2, 2)})
        EXPECT_FALSE(dlg.mask().contains(corner)) << corner.x() << "," << corner.y();
    EXPECT_EQ(dlg.Timer().interval(), 1000);
    QTest::mouseDClick(&dlg, Qt::LeftButton, {}, r.center());
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QTest::keyClick(&dlg, Qt::Key_Return);
    EXPECT_TRUE(dlg.isVisible());
    dlg.OnTimer();
    EXPECT_FALSE(dlg.isVisible() || dlg.Timer().isActive());
}

using SplashFrame = FrameFixture;

TEST_F(SplashFrame, FirstPaintShowsTheSplashOnce)
{
    CSplashDlg::ResetForTests();
    CSplashDlg::SetEnabled(true);
    int ticks = 0;
    QPointer<CSplashDlg> seen;
    QTimer ticker;  // stands in for the splash's own timer, from inside its modal loop
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        for (QWidget *pWidget : QApplication::topLevelWidgets()) {
            auto *pSplash = qobject_cast<CSplashDlg *>(pWidget);
            if (!pSplash || !pSplash->isVisible())
                continue;
            if (pSplash != seen) {  // seen now; ticked next time
                seen = pSplash;
                return;
            }
            pSplash->Timer().stop();
            pSplash->OnTimer();
            ++ticks;
        }
    });
    ticker.start(10);
    ShowFrame();
    QTRY_COMPARE(ticks, 1);
    m_pFrame->OnFirstPaint();  // a second call in the same run shows nothing
    EXPECT_EQ(ticks, 1);
    EXPECT_TRUE(CSplashDlg::WasShown());
    CSplashDlg::SetEnabled(false);
}

// Credits grow from the bottom, one every tick; a late tick reads nothing out of range.
TEST(About, CreditsGrowEveryTickAndReopeningRestartsFromEmpty)
{
    {
        CAboutDlg dlg;
        const QStringList credits = dlg.Credits();
        dlg.show();
        EXPECT_EQ(dlg.CreditText(), "");
        QString expected;
        for (int nTick = 1; nTick <= credits.size() + 1; ++nTick) {
            dlg.OnTimer();
            if (nTick <= credits.size())
                expected.prepend(credits.at(credits.size() - nTick) + "\n\n");
            EXPECT_EQ(dlg.CreditText(), expected) << nTick;
            EXPECT_EQ(dlg.Timer().isActive(), nTick < credits.size()) << nTick;
        }
        dlg.CloseButton()->click();
    }
    CAboutDlg dlg;
    dlg.show();
    EXPECT_EQ(dlg.CreditText(), "");
    dlg.OnTimer();
    EXPECT_EQ(dlg.CreditText(), dlg.Credits().last() + "\n\n");
}

}  // namespace
