// The calculator window: its texts and results are tested in the core; here the
// buttons and keys, the refusals, the memory, the substitution and the frame's command.
#include "gui/calc/CalcDlg.h"

#include "core/calc/CalcText.h"

#include "gui/GuiFixtures.h"

#include <QCheckBox>
#include <QClipboard>
#include <QTextEdit>

namespace {

class CalcWindow : public ::testing::Test
{
protected:
    void Press(int nId) { QTest::mouseClick(qobject_cast<QAbstractButton *>(m_dlg.Control(nId)), Qt::LeftButton); }
    QString Evaluate(const QString &strText)
    {
        m_dlg.SetExpressionText(strText);
        Press(IDC_CALC_EQUALS);
        return m_dlg.DisplayText();
    }
    QLineEdit *Edit(int nId) { return qobject_cast<QLineEdit *>(m_dlg.Control(nId)); }
    QComboBox *Combo(int nId) { return qobject_cast<QComboBox *>(m_dlg.Control(nId)); }
    void Check(int nId, bool on) { qobject_cast<QAbstractButton *>(m_dlg.Control(nId))->setChecked(on); }

    ScriptedPrompts m_prompts;
    CCalcDlg m_dlg;
};

TEST_F(CalcWindow, ButtonsBuildTheExpressionAndKeysEvaluateIt)
{
    for (int nId : {IDC_CALC_1, IDC_CALC_PLUS, IDC_CALC_OPEN, IDC_CALC_POINT, IDC_CALC_CLOSE, IDC_CALC_SIN})
        Press(nId);
    Check(IDC_CALC_INV, true);  // inverse and hyperbolic name the function
    Check(IDC_CALC_HYP, true);
    Press(IDC_CALC_COT);
    Check(IDC_CALC_INV, false);
    Press(IDC_CALC_SEC);
    EXPECT_EQ(m_dlg.ExpressionText(), "1+(.)sin acoth sech ");

    Press(IDC_CALC_CLEAR);
    auto *pEdit = qobject_cast<QTextEdit *>(m_dlg.Control(IDC_CALC_EXPRESSION));
    QTest::keyClicks(pEdit, "2*3=");  // '=' evaluates and is not typed
    EXPECT_EQ(m_dlg.ExpressionText(), "2*3");
    EXPECT_EQ(m_dlg.DisplayText(), "6. ");
    QTest::keyClicks(pEdit, "+1");
    QTest::keyClick(pEdit, Qt::Key_Return);
    EXPECT_EQ(m_dlg.ExpressionText(), "2*3+1");
    EXPECT_EQ(m_dlg.DisplayText(), "7. ");
    m_dlg.SetExpressionText("1+1");
    QTest::keyClick(Edit(IDC_CALC_COORD_IN1), Qt::Key_Enter);  // Enter elsewhere too
    EXPECT_EQ(m_dlg.DisplayText(), "2. ");
}

// Angles and bases that work, and base 37, are compared with the command line's.
TEST_F(CalcWindow, AngleModeAndBasesReachTheEvaluatorAndBadBasesAreRefused)
{
    EXPECT_EQ(Evaluate("7"), "7. ");
    for (const char *psz : {"1", "abc", "-16"}) {
        m_prompts.Clear();
        Edit(IDC_CALC_BASE_TO)->setText(psz);
        EXPECT_EQ(Evaluate("3"), "7. ") << psz;  // nothing evaluated
        EXPECT_EQ(m_prompts.Texts(), QStringList{"Please enter an integer between 2 and 36."}) << psz;
    }
    Edit(IDC_CALC_BASE_TO)->setText("10");
    Edit(IDC_CALC_BASE_FROM)->setText("0");
    m_prompts.Clear();
    Evaluate("3");
    EXPECT_EQ(m_prompts.shown.size(), 1u);
}

// The coordinate fields take the numbers the command line takes: anything
// else is refused, not read as 0, and the last results stay.
TEST_F(CalcWindow, CoordinateFieldsRefuseWhatIsNoNumber)
{
    for (const char *psz : {"abc", "1,5", "", "inf", "2x"}) {
        m_prompts.Clear();
        Edit(IDC_CALC_COORD_IN1)->setText(psz);
        Edit(IDC_CALC_COORD_IN2)->setText("4");
        Edit(IDC_CALC_COORD_OUT1)->setText("kept");
        Press(IDC_CALC_RECT_TO_POLAR);
        EXPECT_EQ(m_prompts.Texts(), QStringList{"Please enter a number."}) << psz;
        EXPECT_EQ(Edit(IDC_CALC_COORD_OUT1)->text(), "kept") << psz;
    }
}

// D°M'S" and the coordinate conversions are compared with the command line's.
TEST_F(CalcWindow, PowersConversionsAndCopyWorkOnTheDisplayAndTheirFields)
{
    Evaluate("3");  // powers replace the last result
    Press(IDC_CALC_SQUARE);
    Press(IDC_CALC_CUBE);
    EXPECT_EQ(m_dlg.DisplayText(), "729. ");
    Press(IDC_CALC_RECIPROCAL);
    EXPECT_DOUBLE_EQ(m_dlg.LastResult(), 1.0 / 729);
    Evaluate("1.5*10^20");
    m_dlg.OnCommand(ID_CALC_COPY);
    EXPECT_EQ(QApplication::clipboard()->text(), "1.5e+20");
}

TEST_F(CalcWindow, MemoryStoresRecallsAndClears)
{
    QComboBox *pMemory = Combo(IDC_CALC_MEMORY);
    Press(IDC_CALC_STORE);  // "0. " is not stored
    EXPECT_EQ(pMemory->count(), 0);
    Evaluate("2+2");
    Press(IDC_CALC_STORE);
    Press(IDC_CALC_STORE);
    Evaluate("1.5*10^20");
    Press(IDC_CALC_STORE);
    EXPECT_EQ(pMemory->count(), 2);
    EXPECT_EQ(pMemory->itemText(1), "1.5e+20");

    m_dlg.SetExpressionText("");
    pMemory->setEditText("1.5e-07");
    Press(IDC_CALC_RECALL);
    Press(IDC_CALC_EQUALS);
    EXPECT_EQ(m_dlg.DisplayText(), "1.5e-07  ");  // reads back as the same value

    Press(IDC_CALC_STORE_EXPRESSION);
    EXPECT_EQ(pMemory->count(), 3);
    Press(IDC_CALC_CLEAR_ITEM);
    EXPECT_EQ(pMemory->count(), 2);
    Press(IDC_CALC_CLEAR_ALL);
    EXPECT_EQ(pMemory->count(), 0);
    Press(IDC_CALC_CLEAR_ITEM);  // nothing left: nothing happens
    EXPECT_EQ(pMemory->currentText(), "");
}

TEST_F(CalcWindow, SubstituteAppendsTheValueAndClosingOnlyHides)
{
    m_dlg.ShowCalculator({"x^2-1", "    2*x"}, 0);
    for (const char *value : {"3", "-3", "3"}) {
        Combo(IDC_CALC_X_VALUE)->setEditText(value);
        Press(IDC_CALC_SUBSTITUTE);
    }
    EXPECT_EQ(m_dlg.ExpressionText(), "8(8)(8)");  // each value an operand of its own
    ASSERT_EQ(Combo(IDC_CALC_X_VALUE)->count(), 2);
    EXPECT_EQ(Combo(IDC_CALC_X_VALUE)->itemText(0), "-3");  // sorted
    Combo(IDC_CALC_FUNCTION)->setCurrentIndex(1);
    Press(IDC_CALC_SUBSTITUTE);
    EXPECT_EQ(m_dlg.ExpressionText(), "8(8)(8)(6)");
    Press(IDC_CALC_EQUALS);
    EXPECT_EQ(m_dlg.DisplayText(), "3072. ");
    Press(IDC_CALC_CLEAR_VALUES);
    EXPECT_EQ(Combo(IDC_CALC_X_VALUE)->count(), 0);
    // Closing and reopening is the frame's command's test.
}

// Values put in by a key stand apart from the number typed before them.
TEST_F(CalcWindow, InsertedValuesMultiplyTheNumberBeforeThem)
{
    auto *pEdit = qobject_cast<QTextEdit *>(m_dlg.Control(IDC_CALC_EXPRESSION));
    QTest::keyClicks(pEdit, "2");
    Press(IDC_CALC_PI);
    QTest::keyClick(pEdit, Qt::Key_Return);
    EXPECT_EQ(m_dlg.DisplayText(), "6.28318530717959  ");

    Press(IDC_CALC_CLEAR);
    Combo(IDC_CALC_MEMORY)->setEditText("1.5");
    QTest::keyClicks(pEdit, "2");
    Press(IDC_CALC_RECALL);
    QTest::keyClick(pEdit, Qt::Key_Return);
    EXPECT_EQ(m_dlg.DisplayText(), "3. ");
}

// Numerical trouble gives its reason below the display, no number (each
// reason's text is the core's test).
TEST_F(CalcWindow, DomainErrorsShowTheirReason)
{
    auto *pEdit = qobject_cast<QTextEdit *>(m_dlg.Control(IDC_CALC_EXPRESSION));
    const struct { const char *keys, *reason; } cases[] = {
        {"1/0", "Division by zero"}, {"5.5ncr2", "ncr needs whole numbers from 0 up at character 4"},
    };
    for (const auto &c : cases) {
        Press(IDC_CALC_CLEAR);
        QTest::keyClicks(pEdit, c.keys);
        QTest::keyClick(pEdit, Qt::Key_Return);
        EXPECT_EQ(m_dlg.DisplayText(), "") << c.keys;
        EXPECT_EQ(m_dlg.ReasonText(), c.reason) << c.keys;
    }
    EXPECT_EQ(Evaluate("0"), "0. ");
    Press(IDC_CALC_RECIPROCAL);
    EXPECT_EQ(m_dlg.ReasonText(), "Division by zero");
    // The display's own D°M'S" reads back.
    EXPECT_EQ(Evaluate("30.25"), "30.25  ");
    Press(IDC_CALC_DMS);
    EXPECT_EQ(Evaluate(m_dlg.DisplayText()), "30.25  ");
    m_dlg.SetExpressionText("tan(pi/4)");
    Check(IDC_CALC_RAD, true);
    Press(IDC_CALC_EQUALS);
    EXPECT_EQ(m_dlg.DisplayText(), "1. ");
}

// Every key that reads the display reads it in the base it shows.
TEST_F(CalcWindow, KeysReadTheDisplayInItsBase)
{
    Edit(IDC_CALC_BASE_TO)->setText("2");
    EXPECT_EQ(Evaluate("10.5"), "1010.1  ");
    Press(IDC_CALC_DMS);
    EXPECT_EQ(m_dlg.DisplayText(), "10\xC2\xB0 30' 0.00\"  ");
    EXPECT_EQ(Evaluate("10.5"), "1010.1  ");
    Press(IDC_CALC_STORE);
    EXPECT_EQ(Combo(IDC_CALC_MEMORY)->currentText(), "1010.1 (base 2)");
    Press(IDC_CALC_SQUARE);  // 110.25
    EXPECT_EQ(m_dlg.DisplayText(), "1101110.01  ");
    Edit(IDC_CALC_BASE_TO)->setText("10");
    m_dlg.SetExpressionText("");
    Press(IDC_CALC_RECALL);
    EXPECT_EQ(m_dlg.ExpressionText(), "10.5");
    // The From field takes whole numbers only.
    EXPECT_EQ(Evaluate("0.5"), "0.5  ");
    m_prompts.Clear();
    Edit(IDC_CALC_BASE_FROM)->setText("16.9");
    EXPECT_EQ(Evaluate("3"), "0.5  ");
    EXPECT_EQ(m_prompts.Texts(), QStringList{"Please enter an integer between 2 and 36."});
}

// A refused text keeps its place: no number, the reason near the display.
TEST_F(CalcWindow, RefusedTextShowsItsReasonAndIsKept)
{
    EXPECT_EQ(Evaluate("7"), "7. ");
    EXPECT_EQ(Evaluate("(2+3"), "");
    EXPECT_EQ(m_dlg.ReasonText(), "missing ')' at character 5");
    EXPECT_EQ(m_dlg.ExpressionText(), "(2+3");
    EXPECT_DOUBLE_EQ(m_dlg.LastResult(), 7);
    Press(IDC_CALC_STORE);  // nothing shown, nothing stored
    EXPECT_EQ(Combo(IDC_CALC_MEMORY)->count(), 0);
    EXPECT_EQ(Evaluate("(2+3)"), "5. ");
    EXPECT_EQ(m_dlg.ReasonText(), "");

    Edit(IDC_CALC_BASE_TO)->setText("36");  // letters are digits: a plain face, not seven segments
    EXPECT_EQ(Evaluate("1295.5"), "ZZ.I  ");
    EXPECT_NE(m_dlg.Control(IDC_CALC_DISPLAY)->font().family(), "DSEG7 Classic");

    m_dlg.ShowCalculator({"sin(x"}, 0);
    Combo(IDC_CALC_X_VALUE)->setEditText("1");
    Press(IDC_CALC_SUBSTITUTE);
    EXPECT_EQ(m_dlg.ReasonText(), "F(x) is not a function the graph can read");
    EXPECT_EQ(m_dlg.ExpressionText(), "1295.5");
    EXPECT_EQ(Combo(IDC_CALC_X_VALUE)->completer(), nullptr);  // 2 stays 2 with 2e20 in the list
}

// The evaluator's time grows with the square of a run of minus signs: a pasted
// text that long would hang the window.
TEST_F(CalcWindow, TextsTooLongToEvaluateAreRefusedAndKept)
{
    EXPECT_EQ(Evaluate("7"), "7. ");
    const QString strLong = QString(kMaxCalcTextLength, '-') + "1";
    EXPECT_EQ(Evaluate(strLong), "7. ");
    EXPECT_EQ(m_dlg.ExpressionText(), strLong);
    m_dlg.ShowCalculator({strLong}, 0);
    Press(IDC_CALC_SUBSTITUTE);
    EXPECT_EQ(m_dlg.ExpressionText(), strLong);
    EXPECT_EQ(m_prompts.Texts(), QStringList(2, kCalcTooLongText));
}

// The calculator is a tool window: when a message box closes, window managers
// may give the keyboard to the main window instead.
TEST(CalcFocus, AMessageGivesTheKeyboardBackToTheCalculator)
{
    QWidget main;
    main.show();
    CCalcDlg dlg(&main);
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    qobject_cast<QLineEdit *>(dlg.Control(IDC_CALC_BASE_TO))->setText("1");
    QTimer::singleShot(0, [&main] {
        QApplication::activeModalWidget()->close();
        QApplication::setActiveWindow(&main);
    });
    qobject_cast<QAbstractButton *>(dlg.Control(IDC_CALC_EQUALS))->click();
    EXPECT_TRUE(QTest::qWaitFor([&dlg] { return QApplication::activeWindow() == &dlg; }));
}

// A tool window of the main window: above it only, and the main window's
// keys do not act while the calculator has the keyboard.
TEST(CalcFocus, ToolWindowOfItsParentKeepsTheKeys)
{
    QMainWindow main;
    int nTriggered = 0;
    for (const char *keys : {"Ctrl+A", "Ctrl+N", "F6"})
        QObject::connect(main.addAction(QString(), QKeySequence(QString::fromLatin1(keys))), &QAction::triggered,
                         [&nTriggered] { ++nTriggered; });
    main.show();
    CCalcDlg dlg(&main);
    EXPECT_EQ(dlg.windowType(), Qt::Tool);
    EXPECT_FALSE(dlg.windowFlags() & Qt::WindowStaysOnTopHint);
    dlg.ShowCalculator({}, 0);
    QApplication::setActiveWindow(&dlg);
    auto *pEdit = qobject_cast<QTextEdit *>(dlg.Control(IDC_CALC_EXPRESSION));
    dlg.SetExpressionText("12");
    for (QWidget *pTarget : {static_cast<QWidget *>(pEdit), dlg.Control(IDC_CALC_EQUALS)}) {
        pTarget->setFocus();
        QTest::keyClick(pTarget, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(pTarget, Qt::Key_N, Qt::ControlModifier);
        QTest::keyClick(pTarget, Qt::Key_F6);
    }
    EXPECT_EQ(nTriggered, 0);
    EXPECT_EQ(pEdit->textCursor().selectedText(), "12");  // Ctrl+A still selects the text
}

using CalcFrame = FrameFixture;

TEST_F(CalcFrame, CommandOffersThePlottedFunctionsAndHidesWithTheFrame)
{
    ShowFrame();
    CCalcDlg *pCalc = m_pFrame->CalcDlg();
    ASSERT_NE(pCalc, nullptr);
    EXPECT_FALSE(pCalc->isVisible());
    CCorvantaView *pView = m_pFrame->View();
    PlotInFrame({"x^2-1", "2x", "sin(x)"});
    pView->OnSelectFunction(0);
    pView->OnDifferentiate();
    pView->OnSelectFunction(1);
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_CALCULATOR));
    EXPECT_TRUE(pCalc->isVisible());
    auto *pList = qobject_cast<QComboBox *>(pCalc->Control(IDC_CALC_FUNCTION));
    ASSERT_EQ(pList->count(), 4);
    EXPECT_EQ(pList->itemText(1), "    " + QString::fromStdString(pView->State().m_aDerivatives[0].m_strText));
    EXPECT_EQ(pList->currentIndex(), 2);  // slot 1, below slot 0 and its derivative

    pCalc->SetExpressionText("6");
    pCalc->close();  // reopened: the list is refilled, everything else stays
    PlotInFrame({"ln(x)"});
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_CALCULATOR));
    EXPECT_EQ(pList->count(), 5);
    EXPECT_EQ(pCalc->ExpressionText(), "6");
    emit m_pFrame->minimized();
    EXPECT_FALSE(pCalc->isVisible());
}

}  // namespace
