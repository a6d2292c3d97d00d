#include "app/CommandIds.h"
#include "view/CorvantaView.h"

#include <QtTest/QtTest>

#include "FrameTestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

// The frame around the real graph view: commands reach the view, the view
// reaches the bars.
using FrameView = FrameFixture;

TEST_F(FrameView, ViewIsTheCentralWidgetAndKnowsItsHost)
{
    CCorvantaView *pView = m_pFrame->View();
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(m_pFrame->centralWidget(), pView);
    EXPECT_EQ(pView->Host(), static_cast<CViewHost *>(m_pFrame.get()));
}

TEST_F(FrameView, ZoomCommandsReachTheView)
{
    const struct { int nId; double sx, sy; } cases[] = {
        {ID_ZOOM_IN_X, 2, 1},   {ID_ZOOM_OUT_X, 0.5, 1}, {ID_ZOOM_IN_Y, 1, 2},    {ID_ZOOM_OUT_Y, 1, 0.5},
        {ID_ZOOM_IN, 2, 2},     {ID_ZOOM_OUT, 0.5, 0.5}, {ID_SQUARE_UNITS, 1, 1},
    };
    ShowFrame();
    CCorvantaView *pView = m_pFrame->View();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.nId);
        ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_CENTER));
        EXPECT_EQ(pView->m_dScaleX, 1.0);
        EXPECT_EQ(pView->m_dScaleY, 1.0);
        ASSERT_TRUE(m_pFrame->ExecuteCommand(c.nId));
        EXPECT_EQ(pView->m_dScaleX, c.sx);
        EXPECT_EQ(pView->m_dScaleY, c.sy);
    }
    // The zoom bar's buttons are those same commands.
    m_pFrame->ExecuteCommand(ID_CENTER);
    m_pFrame->ZoomButton(ID_ZOOM_IN_Y)->click();
    EXPECT_EQ(pView->m_dScaleY, 2.0);
}

TEST_F(FrameView, KeysZoomAndCentreAsTheAcceleratorsSay)
{
    ShowFrame();
    CCorvantaView *pView = m_pFrame->View();
    pView->setFocus();
    QTest::keyClick(pView, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(pView->m_dScaleX, 2.0);
    EXPECT_EQ(pView->m_dScaleY, 2.0);
    QTest::keyClick(pView, Qt::Key_Minus, Qt::ControlModifier);  // both axes, unlike "Zoom &Out"
    QTest::keyClick(pView, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(pView->m_dScaleX, 0.5);
    EXPECT_EQ(pView->m_dScaleY, 0.5);
    pView->m_nPanX = 40;
    QTest::keyClick(pView, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(pView->m_dScaleX, 1.0);
    EXPECT_EQ(pView->m_nPanX, 0);
    // The keypad's plus and minus act the same.
    QTest::keyClick(pView, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(pView->m_dScaleY, 2.0);
    QTest::keyClick(pView, Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
    QTest::keyClick(pView, Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(pView->m_dScaleX, 0.5);
    EXPECT_EQ(pView->m_dScaleY, 0.5);
}

TEST_F(FrameView, CheckMarksFollowTheViewState)
{
    ShowFrame();
    CCorvantaView *pView = m_pFrame->View();
    m_pFrame->UpdateCommandStates();
    EXPECT_TRUE(m_pFrame->Action(ID_SHOW_GRID)->isChecked());
    EXPECT_FALSE(m_pFrame->Action(ID_AUTOSCALE)->isChecked());
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_SHOW_GRID));
    EXPECT_FALSE(pView->m_bShowGrid);
    EXPECT_FALSE(m_pFrame->Action(ID_SHOW_GRID)->isChecked());
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_AUTOSCALE));
    EXPECT_TRUE(pView->m_bAutoscale);
    EXPECT_TRUE(m_pFrame->Action(ID_AUTOSCALE)->isChecked());
}

TEST_F(FrameView, ZoomAreaShowsTheTraceBarAndClosingTheBarEndsIt)
{
    ShowFrame();
    CCorvantaView *pView = m_pFrame->View();
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_ZOOM_AREA));
    EXPECT_TRUE(m_pFrame->IsBarVisible(false));
    EXPECT_TRUE(pView->m_bTrace);
    EXPECT_TRUE(m_pFrame->Action(ID_ZOOM_AREA)->isChecked());
    EXPECT_TRUE(m_pFrame->Action(ID_TRACE)->isChecked());

    // The user closes the trace bar: trace and zoom-area mode end with it.
    m_pFrame->TraceBar()->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(pView->m_bTrace);
    EXPECT_FALSE(pView->m_bZoomArea);
    m_pFrame->UpdateCommandStates();
    EXPECT_FALSE(m_pFrame->Action(ID_ZOOM_AREA)->isChecked());

    // Switching it on and off again hides the bar it showed.
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_ZOOM_AREA));
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_ZOOM_AREA));
    EXPECT_FALSE(m_pFrame->IsBarVisible(false));
    EXPECT_FALSE(pView->m_bTrace);
}

TEST_F(FrameView, FirstPaintFillsTheRangeFields)
{
    ShowFrame();
    QTRY_VERIFY(!m_pFrame->RangeFieldText(IDC_X_MIN).isEmpty());
    const double xmin = m_pFrame->RangeFieldText(IDC_X_MIN).toDouble();
    const double xmax = m_pFrame->RangeFieldText(IDC_X_MAX).toDouble();
    const double ymin = m_pFrame->RangeFieldText(IDC_Y_MIN).toDouble();
    const double ymax = m_pFrame->RangeFieldText(IDC_Y_MAX).toDouble();
    // Centred mapping, 50 pixels per unit.
    const int w = m_pFrame->View()->width(), h = m_pFrame->View()->height();
    EXPECT_NEAR(xmax - xmin, w / 50.0, 0.011);
    EXPECT_NEAR(ymax - ymin, h / 50.0, 0.011);
    EXPECT_NEAR(xmin, -xmax, 0.011);
}

TEST_F(FrameView, RangeFieldFocusMarksThemEdited)
{
    ShowFrame();
    CCorvantaView *pView = m_pFrame->View();
    pView->m_bRangeEdited = false;
    m_pFrame->ExpressionBarControl(IDC_X_MAX)->setFocus();
    EXPECT_TRUE(pView->m_bRangeEdited);
}

TEST_F(FrameView, ReplotAppliesTypedDomain)
{
    ShowFrame();
    CCorvantaView *pView = m_pFrame->View();
    const int w = pView->width();
    m_pFrame->SetRangeFieldText(IDC_X_MIN, "0");
    m_pFrame->SetRangeFieldText(IDC_X_MAX, "10");
    m_pFrame->SetRangeFieldText(IDC_Y_MIN, "");
    m_pFrame->SetRangeFieldText(IDC_Y_MAX, "");
    qobject_cast<QPushButton *>(m_pFrame->ExpressionBarControl(IDC_REPLOT))->click();
    EXPECT_DOUBLE_EQ(pView->m_dScaleX, (w / 50.0) / 10.0);
}

TEST_F(FrameView, ViewSyncReachesTheDocumentHook)
{
    QSignalSpy spy(m_pFrame.get(), &CMainFrame::documentSyncRequested);
    ShowFrame();
    m_pFrame->ExecuteCommand(ID_ZOOM_IN);
    EXPECT_GE(spy.count(), 1);
}

TEST_F(FrameView, FirstPaintShowsTheSplashOnce)
{
    // The view calls the host after its first paint; the host shows the splash.
    CSplashDlg::ResetForTests();
    CSplashDlg::SetEnabled(true);
    CSplashTicker ticker;
    ShowFrame();
    QTRY_VERIFY(CSplashDlg::WasShown());
    QTRY_COMPARE(ticker.Ticks(), 1);
    m_pFrame->OnFirstPaint();  // a second call in the same run shows nothing
    EXPECT_EQ(ticker.Ticks(), 1);
    CSplashDlg::SetEnabled(false);
}

TEST_F(FrameView, FunctionListEntriesNeverChangeTheTypedText)
{
    CViewHost *pHost = m_pFrame.get();
    QSignalSpy chosen(m_pFrame.get(), &CMainFrame::functionSelected);
    pHost->SetFunctionListText("typed");
    pHost->AppendFunctionListEntry("x^2");
    pHost->AppendFunctionListEntry("sin(x)");
    pHost->InsertFunctionListEntry(0, "ln(x)");
    pHost->InsertFunctionListEntry(99, "1/x");  // past the end appends
    pHost->InsertFunctionListEntry(-3, "x");    // before the start inserts first
    EXPECT_EQ(pHost->FunctionListText(), "typed");
    ASSERT_EQ(pHost->FunctionListCount(), 5);
    QStringList entries;
    for (int i = 0; i < m_pFrame->FunctionList()->count(); ++i)
        entries << m_pFrame->FunctionList()->itemText(i);
    EXPECT_EQ(entries, (QStringList{"x", "ln(x)", "x^2", "sin(x)", "1/x"}));

    pHost->RemoveFunctionListEntry(1);
    pHost->RemoveFunctionListEntry(5);   // no such entry
    pHost->RemoveFunctionListEntry(-1);  // no such entry
    EXPECT_EQ(pHost->FunctionListCount(), 4);
    EXPECT_EQ(pHost->FunctionListText(), "typed");

    pHost->SelectFunctionListEntry(2);
    EXPECT_EQ(m_pFrame->FunctionList()->currentIndex(), 2);
    EXPECT_EQ(pHost->FunctionListText(), "sin(x)");
    pHost->SelectFunctionListEntry(9);
    EXPECT_EQ(m_pFrame->FunctionList()->currentIndex(), 2);
    EXPECT_EQ(chosen.count(), 0);  // only the user's choices are reported

    pHost->ClearFunctionList();
    EXPECT_EQ(pHost->FunctionListCount(), 0);
    EXPECT_EQ(pHost->FunctionListText(), "");

    pHost->SetDerivativeText("2*x");
    EXPECT_EQ(m_pFrame->BarControlText(IDC_DERIVATIVE), "2*x");
    EXPECT_FALSE(pHost->IsNewDocument());
}

TEST_F(FrameView, TypedFunctionsArePlottedDifferentiatedAndCleared)
{
    ShowFrame();
    CCorvantaView *pView = m_pFrame->View();
    m_pFrame->UpdateCommandStates();
    EXPECT_TRUE(m_pFrame->ExpressionBarControl(IDC_PLOT)->isEnabled());

    auto plot = [&](const char *pszText) {
        m_pFrame->FocusFunctionList();
        QWidget *pFocus = QApplication::focusWidget();
        ASSERT_NE(pFocus, nullptr);
        m_pFrame->SetFunctionListText(QString::fromUtf8(pszText));
        QTest::keyClick(pFocus, Qt::Key_Return);
    };
    plot("x^2");
    plot("SIN(X)");
    EXPECT_EQ(pView->m_nLast, 1);
    ASSERT_EQ(m_pFrame->FunctionList()->count(), 2);
    EXPECT_EQ(m_pFrame->FunctionList()->itemText(0), "x^2");
    EXPECT_EQ(m_pFrame->FunctionList()->itemText(1), "sin(x)");
    EXPECT_TRUE(m_pFrame->IsTrigonometric());  // the last function has a sine
    EXPECT_EQ(m_pFrame->IndicatorColor(), QColor(0, 128, 0));

    // Choosing x^2 in the list and differentiating (Ctrl+D).
    m_pFrame->FunctionList()->setCurrentIndex(0);
    emit m_pFrame->FunctionList()->activated(0);
    EXPECT_EQ(pView->m_nSelected, 0);
    EXPECT_FALSE(m_pFrame->IsTrigonometric());
    EXPECT_EQ(m_pFrame->IndicatorColor(), QColor(255, 0, 0));
    QTest::keyClick(pView, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(m_pFrame->BarControlText(IDC_DERIVATIVE), "2*x");

    // Clear Graph (Ctrl+L).
    QTest::keyClick(pView, Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(m_pFrame->FunctionList()->count(), 0);
    EXPECT_EQ(pView->m_nLast, -1);
    EXPECT_EQ(m_pFrame->BarControlText(IDC_DERIVATIVE), "");
    EXPECT_EQ(m_pFrame->IndicatorColor(), QColor(Qt::white));
}
