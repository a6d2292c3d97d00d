#include "gui/app/AboutDlg.h"
#include "gui/app/SplashDlg.h"

#include "gui/app/FrameTestSupport.h"

#include <QtTest/QtTest>
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

TEST(Splash, EllipticOneSecondAndClicksDoNotCloseIt)
{
    CSplashDlg dlg;
    EXPECT_EQ(dlg.size(), QSize(398, 248));
    dlg.show();
    const QRegion mask = dlg.mask();
    for (QPoint inside : {QPoint(199, 124), QPoint(199, 2), QPoint(3, 124)})
        EXPECT_TRUE(mask.contains(inside)) << inside.x() << "," << inside.y();
    for (QPoint corner : {QPoint(2, 2), QPoint(395, 2), QPoint(2, 245), QPoint(395, 245), QPoint(40, 20)})
        EXPECT_FALSE(mask.contains(corner)) << corner.x() << "," << corner.y();
    EXPECT_TRUE(dlg.Timer().isActive());
    EXPECT_EQ(dlg.Timer().interval(), 1000);
    EXPECT_EQ(dlg.TickCount(), 0);

    QTest::mouseClick(&dlg, Qt::LeftButton, {}, QPoint(199, 124));
    QTest::mouseDClick(&dlg, Qt::LeftButton, {}, QPoint(199, 124));
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
    EXPECT_EQ(dlg.windowTitle(), "About Corvanta");
    QStringList titles;
    for (QGroupBox *pGroup : dlg.findChildren<QGroupBox *>())
        titles << pGroup->title();
    EXPECT_TRUE(titles.contains("Credits"));
    EXPECT_TRUE(titles.contains("About Corvanta v1.1"));
    EXPECT_EQ(dlg.CloseButton()->text(), "&Close");
    ASSERT_NE(dlg.findChild<QLabel *>("bmp133"), nullptr);
    EXPECT_FALSE(dlg.findChild<QLabel *>("bmp133")->pixmap().isNull());
    ASSERT_EQ(dlg.Credits().size(), 7);
    for (const QString &line : dlg.Credits())
        EXPECT_FALSE(line.isEmpty());

    dlg.show();
    EXPECT_TRUE(dlg.Timer().isActive());
    EXPECT_EQ(dlg.Timer().interval(), 800);
    EXPECT_EQ(CAboutDlg::Counter(), 6);
    EXPECT_EQ(dlg.CreditText(), "");
    EXPECT_TRUE(dlg.CreditLabel()->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(dlg.CreditLabel()->objectName(), "ctl1005");
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
    EXPECT_TRUE(dlg.CreditText().startsWith(dlg.Credits().first()));
}

TEST(About, ReopeningRestartsFromEmpty)
{
    {
        CAboutDlg dlg;
        dlg.show();
        dlg.OnTimer();
        dlg.OnTimer();
        EXPECT_EQ(CAboutDlg::Counter(), 4);
        dlg.CloseButton()->click();
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_FALSE(dlg.Timer().isActive());
    }
    CAboutDlg dlg;
    dlg.show();
    EXPECT_EQ(CAboutDlg::Counter(), 6);
    EXPECT_EQ(dlg.CreditText(), "");
    dlg.OnTimer();
    EXPECT_EQ(dlg.CreditText(), dlg.Credits().last() + "\n\n");
}
