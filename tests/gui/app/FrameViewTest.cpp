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

// The frame around the real graph view: commands and keys reach the view, the view reaches the bars.
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
    // Keys go where a person's keys go: to the widget with the focus.
    static void TypeAndPlot(const QString &text)
    {
        QTest::keyClicks(QApplication::focusWidget(), text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    CCorvantaView *m_pView = nullptr;
};

TEST_F(FrameView, ZoomCommandsButtonsAndKeysReachTheView)
{
    const struct { int nId; double sx, sy; } cases[] = {
        {ID_ZOOM_IN_X, 2, 1}, {ID_ZOOM_OUT_X, 0.5, 1}, {ID_ZOOM_IN_Y, 1, 2}, {ID_ZOOM_OUT_Y, 1, 0.5},
        {ID_ZOOM_IN, 2, 2},   {ID_ZOOM_OUT, 0.5, 0.5}, {ID_SQUARE_UNITS, 1, 1}};
    ShowFrame();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.nId);
        ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_CENTER));
        ASSERT_TRUE(m_pFrame->ExecuteCommand(c.nId));
        ExpectScale(c.sx, c.sy);
    }
    m_pFrame->ExecuteCommand(ID_CENTER);
    m_pFrame->ZoomButton(ID_ZOOM_IN_Y)->click();
    ExpectScale(1, 2);

    m_pView->setFocus();
    auto key = [&](Qt::Key k, Qt::KeyboardModifiers m) { QTest::keyClick(m_pView, k, Qt::ControlModifier | m); };
    key(Qt::Key_C, Qt::ShiftModifier);  // centre
    key(Qt::Key_Equal, {});
    ExpectScale(2, 2);
    key(Qt::Key_Minus, {});  // both axes, unlike "Zoom &Out"
    key(Qt::Key_Minus, {});
    ExpectScale(0.5, 0.5);
    key(Qt::Key_Plus, Qt::KeypadModifier);  // the keypad's keys act the same
    ExpectScale(1, 1);
    key(Qt::Key_Minus, Qt::KeypadModifier);
    ExpectScale(0.5, 0.5);
}

TEST_F(FrameView, CheckMarksFollowTheViewState)
{
    ShowFrame();
    m_pFrame->UpdateCommandStates();
    EXPECT_TRUE(m_pFrame->Action(ID_SHOW_GRID)->isChecked());
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_SHOW_GRID));
    EXPECT_FALSE(m_pView->m_bShowGrid);
    EXPECT_FALSE(m_pFrame->Action(ID_SHOW_GRID)->isChecked());
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_AUTOSCALE));
    EXPECT_TRUE(m_pFrame->Action(ID_AUTOSCALE)->isChecked());

    // Zoom area shows the trace bar; the user closing the bar ends both modes.
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_ZOOM_AREA));
    EXPECT_TRUE(m_pFrame->IsBarVisible(false));
    EXPECT_TRUE(m_pFrame->Action(ID_ZOOM_AREA)->isChecked());
    m_pFrame->TraceBar()->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(m_pView->m_bTrace || m_pView->m_bZoomArea);
    m_pFrame->UpdateCommandStates();
    EXPECT_FALSE(m_pFrame->Action(ID_ZOOM_AREA)->isChecked());
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_ZOOM_AREA));  // on and off again hides the bar it showed
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_ZOOM_AREA));
    EXPECT_FALSE(m_pFrame->IsBarVisible(false));
}

TEST_F(FrameView, FirstPaintFillsTheRangeFieldsAndReplotAppliesThem)
{
    ShowFrame();
    QTRY_VERIFY(!m_pFrame->RangeFieldText(IDC_X_MIN).isEmpty());
    auto value = [&](int nId) { return m_pFrame->RangeFieldText(nId).toDouble(); };
    EXPECT_NEAR(value(IDC_X_MAX) - value(IDC_X_MIN), m_pView->width() / 50.0, 0.011);
    EXPECT_NEAR(value(IDC_Y_MAX) - value(IDC_Y_MIN), m_pView->height() / 50.0, 0.011);
    EXPECT_NEAR(value(IDC_X_MIN), -value(IDC_X_MAX), 0.011);

    m_pView->m_bRangeEdited = false;
    m_pFrame->ExpressionBarControl(IDC_Y_MAX)->setFocus();
    EXPECT_TRUE(m_pView->m_bRangeEdited);
    m_pFrame->SetRangeFieldText(IDC_X_MIN, "0");
    m_pFrame->SetRangeFieldText(IDC_X_MAX, "10");
    QTest::mouseClick(qobject_cast<QPushButton *>(m_pFrame->ExpressionBarControl(IDC_REPLOT)), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(m_pView->m_dScaleX, (m_pView->width() / 50.0) / 10.0);
}

TEST_F(FrameView, FirstPaintShowsTheSplashOnce)
{
    CSplashDlg::ResetForTests();
    CSplashDlg::SetEnabled(true);
    CSplashTicker ticker;
    ShowFrame();
    QTRY_COMPARE(ticker.Ticks(), 1);
    m_pFrame->OnFirstPaint();  // a second call in the same run shows nothing
    EXPECT_EQ(ticker.Ticks(), 1);
    CSplashDlg::SetEnabled(false);
}

TEST_F(FrameView, FunctionListEntriesNeverChangeTheTypedText)
{
    CViewHost *pHost = m_pFrame.get();
    QComboBox *pList = m_pFrame->FunctionList();
    pHost->SetFunctionListText("typed");
    for (const char *psz : {"x^2", "sin(x)"})
        pHost->AppendFunctionListEntry(psz);
    pHost->InsertFunctionListEntry(0, "ln(x)");
    pHost->InsertFunctionListEntry(99, "1/x");  // past the end appends
    pHost->InsertFunctionListEntry(-3, "x");    // before the start inserts first
    pHost->RemoveFunctionListEntry(1);
    pHost->RemoveFunctionListEntry(5);  // no such entries
    pHost->RemoveFunctionListEntry(-1);
    EXPECT_EQ(pHost->FunctionListText(), "typed");
    QStringList entries;
    for (int i = 0; i < pList->count(); ++i)
        entries << pList->itemText(i);
    EXPECT_EQ(entries, (QStringList{"x", "x^2", "sin(x)", "1/x"}));
    pHost->SelectFunctionListEntry(2);
    pHost->SelectFunctionListEntry(9);  // no such entry
    EXPECT_EQ(pHost->FunctionListText(), "sin(x)");
    pHost->ClearFunctionList();
    EXPECT_EQ(pHost->FunctionListCount(), 0);
    EXPECT_EQ(pHost->FunctionListText(), "");
}

// A person types, presses Enter, types on and presses Ctrl+D without leaving the list.
TEST_F(FrameView, KeyboardPlottingChoosingAndClearing)
{
    ShowFrame();
    m_pFrame->FocusFunctionList();
    QLineEdit *pEdit = m_pFrame->FunctionList()->lineEdit();
    TypeAndPlot("x+");  // a rejected text stays in the field to be corrected
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_TRUE(messages.Texts()[0].startsWith("Error 0x02:"));
    TypeAndPlot("1");
    TypeAndPlot("sin(x)");  // typing after a plot replaces the text
    TypeAndPlot("x^2");
    EXPECT_EQ(pEdit->text(), "x^2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(m_pFrame->BarControlText(IDC_DERIVATIVE), "2*x");
    EXPECT_EQ(pEdit->text(), "x^2");
    EXPECT_EQ(m_pView->m_nLast, 2);
    EXPECT_FALSE(m_pFrame->IsTrigonometric());
    EXPECT_EQ(m_pFrame->IndicatorColor(), QColor(0, 0, 255));

    m_pFrame->FunctionList()->setCurrentIndex(1);
    emit m_pFrame->FunctionList()->activated(1);
    EXPECT_EQ(m_pView->m_nSelected, 1);
    EXPECT_EQ(m_pView->m_aFunctions[0].m_strText, "x+1");
    EXPECT_TRUE(m_pFrame->IsTrigonometric());
    EXPECT_EQ(m_pFrame->IndicatorColor(), QColor(0, 128, 0));

    QTest::keyClick(m_pView, Qt::Key_L, Qt::ControlModifier);  // Clear Graph
    EXPECT_EQ(m_pFrame->FunctionList()->count(), 0);
    EXPECT_EQ(m_pView->m_nLast, -1);
    EXPECT_EQ(m_pFrame->BarControlText(IDC_DERIVATIVE), "");
    EXPECT_EQ(m_pFrame->IndicatorColor(), QColor(Qt::white));
}
