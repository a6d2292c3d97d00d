#include "gui/app/AboutDlg.h"
#include "gui/app/SplashDlg.h"

#include "gui/app/FrameTestSupport.h"

#include <QtTest/QtTest>
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>

TEST(Splash, EllipticOneSecondAndClicksDoNotCloseIt)
{
    CSplashDlg dlg;
    dlg.show();
    const QRect r = dlg.rect();
    const QRegion mask = dlg.mask();
    for (QPoint inside : {r.center(), QPoint(r.center().x(), 2), QPoint(3, r.center().y())})
        EXPECT_TRUE(mask.contains(inside)) << inside.x() << "," << inside.y();
    for (QPoint corner : {QPoint(2, 2), r.topRight() + QPoint(-2, 2), r.bottomLeft() + QPoint(2, -2)})
        EXPECT_FALSE(mask.contains(corner)) << corner.x() << "," << corner.y();
    EXPECT_EQ(dlg.Timer().interval(), 1000);

    QTest::mouseClick(&dlg, Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(&dlg, Qt::LeftButton, {}, r.center());
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QTest::keyClick(&dlg, Qt::Key_Return);
    EXPECT_TRUE(dlg.isVisible());
    dlg.OnTimer();
    EXPECT_EQ(dlg.TickCount(), 1);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.Timer().isActive());
}

TEST(Splash, ShownOncePerRunAndNotWhenSwitchedOff)
{
    CSplashDlg::SetEnabled(false);
    CSplashDlg::ResetForTests();
    EXPECT_FALSE(CSplashDlg::ShowOnce(nullptr));
    EXPECT_FALSE(CSplashDlg::WasShown());
    CSplashDlg::SetEnabled(true);
    CSplashTicker ticker;
    EXPECT_TRUE(CSplashDlg::ShowOnce(nullptr));
    EXPECT_EQ(ticker.Ticks(), 1);
    EXPECT_TRUE(CSplashDlg::WasShown());
    EXPECT_FALSE(CSplashDlg::ShowOnce(nullptr));
    EXPECT_EQ(ticker.Ticks(), 1);
    CSplashDlg::SetEnabled(false);
}

namespace {
// The last `nShown` credits, each followed by a blank line.
QString Expected(const QStringList &credits, int nShown)
{
    QString text;
    for (int i = credits.size() - nShown; i < credits.size(); ++i)
        text += credits.at(i) + "\n\n";
    return text;
}
}  // namespace

TEST(About, FramesAndCreditsGrowingFromTheBottomEveryTick)
{
    CAboutDlg dlg;
    ASSERT_EQ(dlg.Credits().size(), 7);
    dlg.show();
    EXPECT_EQ(dlg.Timer().interval(), 800);
    EXPECT_EQ(dlg.CreditText(), "");
    for (int nTick = 1; nTick <= 7; ++nTick) {
        SCOPED_TRACE(nTick);
        dlg.OnTimer();
        EXPECT_EQ(dlg.CreditText(), Expected(dlg.Credits(), nTick));
        EXPECT_EQ(CAboutDlg::Counter(), 6 - nTick);
        EXPECT_EQ(dlg.Timer().isActive(), nTick < 7);
    }
    // A late tick changes nothing and reads nothing out of range.
    dlg.OnTimer();
    EXPECT_EQ(dlg.CreditText(), Expected(dlg.Credits(), 7));
}

TEST(About, ReopeningRestartsFromEmpty)
{
    {
        CAboutDlg dlg;
        dlg.show();
        dlg.OnTimer();
        dlg.OnTimer();
        dlg.CloseButton()->click();
        EXPECT_FALSE(dlg.Timer().isActive());
    }
    CAboutDlg dlg;
    dlg.show();
    EXPECT_EQ(CAboutDlg::Counter(), 6);
    EXPECT_EQ(dlg.CreditText(), "");
    dlg.OnTimer();
    EXPECT_EQ(dlg.CreditText(), dlg.Credits().last() + "\n\n");
}
