#include "gui/view/CommandIds.h"
#include "gui/view/CorvantaView.h"

#include <QtTest/QtTest>

#include "gui/app/FrameTestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

// The frame around the real graph view: commands reach the view, the view
// reaches the bars.
class FrameView : public FrameFixture
{
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        m_pView = m_pFrame->View();
        ASSERT_NE(m_pView, nullptr);
    }
    void ExpectScale(double sx, double sy)
    {
        EXPECT_EQ(m_pView->m_dScaleX, sx);
        EXPECT_EQ(m_pView->m_dScaleY, sy);
    }
    CCorvantaView *m_pView = nullptr;
};

TEST_F(FrameView, ZoomCommandsReachTheView)
{
    EXPECT_EQ(m_pFrame->centralWidget(), m_pView);
    EXPECT_EQ(m_pView->Host(), static_cast<CViewHost *>(m_pFrame.get()));
    const struct { int nId; double sx, sy; } cases[] = {
        {ID_ZOOM_IN_X, 2, 1}, {ID_ZOOM_OUT_X, 0.5, 1}, {ID_ZOOM_IN_Y, 1, 2}, {ID_ZOOM_OUT_Y, 1, 0.5},
        {ID_ZOOM_IN, 2, 2},   {ID_ZOOM_OUT, 0.5, 0.5}, {ID_SQUARE_UNITS, 1, 1}};
    ShowFrame();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.nId);
        ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_CENTER));
        ExpectScale(1, 1);
        ASSERT_TRUE(m_pFrame->ExecuteCommand(c.nId));
        ExpectScale(c.sx, c.sy);
    }
    // The zoom bar's buttons are those same commands.
    m_pFrame->ExecuteCommand(ID_CENTER);
    m_pFrame->ZoomButton(ID_ZOOM_IN_Y)->click();
    EXPECT_EQ(m_pView->m_dScaleY, 2.0);
}

TEST_F(FrameView, KeysZoomAndCentreAsTheAcceleratorsSay)
{
    ShowFrame();
    m_pView->setFocus();
    auto key = [&](Qt::Key k, Qt::KeyboardModifiers m) { QTest::keyClick(m_pView, k, Qt::ControlModifier | m); };
    key(Qt::Key_Equal, {});
    ExpectScale(2, 2);
    key(Qt::Key_Minus, {});  // both axes, unlike "Zoom &Out"
    key(Qt::Key_Minus, {});
    ExpectScale(0.5, 0.5);
    m_pView->m_nPanX = 40;
    key(Qt::Key_C, Qt::ShiftModifier);
    EXPECT_EQ(m_pView->m_dScaleX, 1.0);
    EXPECT_EQ(m_pView->m_nPanX, 0);
    // The keypad's plus and minus act the same.
    key(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(m_pView->m_dScaleY, 2.0);
    key(Qt::Key_Minus, Qt::KeypadModifier);
    key(Qt::Key_Minus, Qt::KeypadModifier);
    ExpectScale(0.5, 0.5);
}

TEST_F(FrameView, CheckMarksFollowTheViewState)
{
    ShowFrame();
    m_pFrame->UpdateCommandStates();
    EXPECT_TRUE(m_pFrame->Action(ID_SHOW_GRID)->isChecked());
    EXPECT_FALSE(m_pFrame->Action(ID_AUTOSCALE)->isChecked());
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_SHOW_GRID));
    EXPECT_FALSE(m_pView->m_bShowGrid);
    EXPECT_FALSE(m_pFrame->Action(ID_SHOW_GRID)->isChecked());
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_AUTOSCALE));
    EXPECT_TRUE(m_pView->m_bAutoscale);
    EXPECT_TRUE(m_pFrame->Action(ID_AUTOSCALE)->isChecked());
}

TEST_F(FrameView, ZoomAreaShowsTheTraceBarAndClosingTheBarEndsIt)
{
    ShowFrame();
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_ZOOM_AREA));
    EXPECT_TRUE(m_pFrame->IsBarVisible(false));
    EXPECT_TRUE(m_pView->m_bTrace);
    EXPECT_TRUE(m_pFrame->Action(ID_ZOOM_AREA)->isChecked());
    EXPECT_TRUE(m_pFrame->Action(ID_TRACE)->isChecked());
    // The user closes the trace bar: trace and zoom-area mode end with it.
    m_pFrame->TraceBar()->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(m_pView->m_bTrace);
    EXPECT_FALSE(m_pView->m_bZoomArea);
    m_pFrame->UpdateCommandStates();
    EXPECT_FALSE(m_pFrame->Action(ID_ZOOM_AREA)->isChecked());
    // Switching it on and off again hides the bar it showed.
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_ZOOM_AREA));
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_ZOOM_AREA));
    EXPECT_FALSE(m_pFrame->IsBarVisible(false));
    EXPECT_FALSE(m_pView->m_bTrace);
}

TEST_F(FrameView, FirstPaintFillsTheRangeFieldsAndFocusMarksThemEdited)
{
    ShowFrame();
    QTRY_VERIFY(!m_pFrame->RangeFieldText(IDC_X_MIN).isEmpty());
    auto value = [&](int nId) { return m_pFrame->RangeFieldText(nId).toDouble(); };
    // Centred mapping, 50 pixels per unit.
    EXPECT_NEAR(value(IDC_X_MAX) - value(IDC_X_MIN), m_pView->width() / 50.0, 0.011);
    EXPECT_NEAR(value(IDC_Y_MAX) - value(IDC_Y_MIN), m_pView->height() / 50.0, 0.011);
    EXPECT_NEAR(value(IDC_X_MIN), -value(IDC_X_MAX), 0.011);

    QSignalSpy focused(m_pFrame.get(), &CMainFrame::rangeFieldFocused);
    m_pView->m_bRangeEdited = false;
    m_pFrame->ExpressionBarControl(IDC_Y_MAX)->setFocus();
    EXPECT_TRUE(m_pView->m_bRangeEdited);
    ASSERT_EQ(focused.count(), 1);
    EXPECT_EQ(focused.at(0).at(0).toInt(), IDC_Y_MAX);
}

TEST_F(FrameView, ReplotAppliesTypedDomain)
{
    ShowFrame();
    const int w = m_pView->width();
    m_pFrame->SetRangeFieldText(IDC_X_MIN, "0");
    m_pFrame->SetRangeFieldText(IDC_X_MAX, "10");
    m_pFrame->SetRangeFieldText(IDC_Y_MIN, "");
    m_pFrame->SetRangeFieldText(IDC_Y_MAX, "");
    QSignalSpy replot(m_pFrame.get(), &CMainFrame::replotRequested);
    QTest::mouseClick(qobject_cast<QPushButton *>(m_pFrame->ExpressionBarControl(IDC_REPLOT)), Qt::LeftButton);
    EXPECT_EQ(replot.count(), 1);
    EXPECT_DOUBLE_EQ(m_pView->m_dScaleX, (w / 50.0) / 10.0);
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
    QComboBox *pList = m_pFrame->FunctionList();
    QSignalSpy chosen(m_pFrame.get(), &CMainFrame::functionSelected);
    pHost->SetFunctionListText("typed");
    for (const char *psz : {"x^2", "sin(x)"})
        pHost->AppendFunctionListEntry(psz);
    pHost->InsertFunctionListEntry(0, "ln(x)");
    pHost->InsertFunctionListEntry(99, "1/x");  // past the end appends
    pHost->InsertFunctionListEntry(-3, "x");    // before the start inserts first
    pHost->RemoveFunctionListEntry(1);
    pHost->RemoveFunctionListEntry(5);   // no such entry
    pHost->RemoveFunctionListEntry(-1);  // no such entry
    EXPECT_EQ(pHost->FunctionListText(), "typed");
    ASSERT_EQ(pHost->FunctionListCount(), 4);
    QStringList entries;
    for (int i = 0; i < pList->count(); ++i)
        entries << pList->itemText(i);
    EXPECT_EQ(entries, (QStringList{"x", "x^2", "sin(x)", "1/x"}));
    pHost->SelectFunctionListEntry(2);
    pHost->SelectFunctionListEntry(9);  // no such entry
    EXPECT_EQ(pList->currentIndex(), 2);
    EXPECT_EQ(pHost->FunctionListText(), "sin(x)");
    EXPECT_EQ(chosen.count(), 0);  // only the user's choices are reported
    pHost->ClearFunctionList();
    EXPECT_EQ(pHost->FunctionListCount(), 0);
    EXPECT_EQ(pHost->FunctionListText(), "");
    pHost->SetDerivativeText("2*x");
    EXPECT_EQ(m_pFrame->BarControlText(IDC_DERIVATIVE), "2*x");
    EXPECT_FALSE(pHost->IsNewDocument());
}

// Plotting, choosing and clearing keep the indicator colour and the Degree
// option in step with the current function.
TEST_F(FrameView, PlotChooseAndClearUpdateIndicatorAndDegreeOption)
{
    ShowFrame();
    QSignalSpy plotted(m_pFrame.get(), &CMainFrame::plotRequested);
    m_pFrame->UpdateCommandStates();  // now something listens: "Plot" is offered
    EXPECT_TRUE(m_pFrame->ExpressionBarControl(IDC_PLOT)->isEnabled());
    m_pFrame->FocusFunctionList();
    QWidget *pFocus = QApplication::focusWidget();
    ASSERT_NE(pFocus, nullptr);
    QTest::keyClicks(pFocus, "x^2");
    QTest::keyClick(pFocus, Qt::Key_Return);  // Enter in the list plots
    m_pFrame->SetFunctionListText("sin(x)");
    QTest::mouseClick(qobject_cast<QPushButton *>(m_pFrame->ExpressionBarControl(IDC_PLOT)), Qt::LeftButton);
    EXPECT_EQ(plotted.count(), 2);
    EXPECT_EQ(m_pView->m_nLast, 1);
    EXPECT_TRUE(m_pFrame->IsTrigonometric());  // the last function has a sine
    EXPECT_EQ(m_pFrame->IndicatorColor(), QColor(0, 128, 0));

    m_pFrame->FunctionList()->setCurrentIndex(0);
    emit m_pFrame->FunctionList()->activated(0);
    EXPECT_EQ(m_pView->m_nSelected, 0);
    EXPECT_FALSE(m_pFrame->IsTrigonometric());
    EXPECT_EQ(m_pFrame->IndicatorColor(), QColor(255, 0, 0));
    QTest::keyClick(m_pView, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(m_pFrame->BarControlText(IDC_DERIVATIVE), "2*x");

    QTest::keyClick(m_pView, Qt::Key_L, Qt::ControlModifier);  // Clear Graph
    EXPECT_EQ(m_pFrame->FunctionList()->count(), 0);
    EXPECT_EQ(m_pView->m_nLast, -1);
    EXPECT_EQ(m_pFrame->BarControlText(IDC_DERIVATIVE), "");
    EXPECT_EQ(m_pFrame->IndicatorColor(), QColor(Qt::white));
}
