#include "gui/calc/CalcDlg.h"

#include "gui/MessageRecorder.h"
#include "gui/calc/CalcButton.h"
#include "gui/view/CommandIds.h"

#include <gtest/gtest.h>

#include <QtTest/QtTest>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
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

    CCalcDlg m_dlg;
};

TEST_F(CalcWindow, StartsInItsInitialState)
{
    EXPECT_EQ(m_dlg.windowTitle(), "Exepression Calculator");
    EXPECT_TRUE(m_dlg.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(m_dlg.isModal());
    EXPECT_EQ(m_dlg.DisplayText(), "0. ");
    EXPECT_EQ(Edit(IDC_CALC_BASE_FROM)->text(), "10");
    EXPECT_EQ(Edit(IDC_CALC_BASE_TO)->text(), "10");
    EXPECT_TRUE(qobject_cast<QRadioButton *>(m_dlg.Control(IDC_CALC_DEG))->isChecked());
    auto *pDisplay = qobject_cast<QLabel *>(m_dlg.Control(IDC_CALC_DISPLAY));
    EXPECT_EQ(pDisplay->palette().color(QPalette::Window), QColor(2, 35, 24));
    EXPECT_EQ(pDisplay->palette().color(QPalette::WindowText), QColor(148, 230, 141));
    EXPECT_EQ(pDisplay->font().pixelSize(), 30);
    EXPECT_EQ(qobject_cast<CCalcButton *>(m_dlg.Control(IDC_CALC_4 + 3))->CaptionColor(), QColor(0, 0, 255));
    EXPECT_EQ(qobject_cast<CCalcButton *>(m_dlg.Control(IDC_CALC_POINT))->CaptionColor(), QColor(0, 0, 255));
    EXPECT_EQ(qobject_cast<CCalcButton *>(m_dlg.Control(IDC_CALC_PLUS))->CaptionColor(), QColor(255, 0, 0));
    EXPECT_FALSE(m_dlg.Control(IDC_CALC_ADD_VALUE)->isVisibleTo(&m_dlg));
}

TEST_F(CalcWindow, ButtonsBuildTheExpression)
{
    for (int nId : {IDC_CALC_1, IDC_CALC_PLUS, IDC_CALC_2, IDC_CALC_TIMES, IDC_CALC_OPEN, IDC_CALC_3, IDC_CALC_CLOSE,
                    IDC_CALC_POWER, IDC_CALC_POINT, IDC_CALC_4 + 5, IDC_CALC_LOG, IDC_CALC_LN, IDC_CALC_TEN_POWER,
                    IDC_CALC_FACTORIAL, IDC_CALC_NCR, IDC_CALC_NPR, IDC_CALC_MINUS, IDC_CALC_DIVIDE, IDC_CALC_0})
        Press(nId);
    EXPECT_EQ(m_dlg.ExpressionText(), "1+2*(3)^.9log ln *10^ ! ncrnpr-/0");
    Press(IDC_CALC_CLEAR);
    Press(IDC_CALC_PI);
    EXPECT_EQ(m_dlg.ExpressionText(), "3.1415926535897932384626433832795");
}

TEST_F(CalcWindow, InverseAndHyperbolicNameTheFunction)
{
    Press(IDC_CALC_SIN);
    qobject_cast<QCheckBox *>(m_dlg.Control(IDC_CALC_INV))->setChecked(true);
    qobject_cast<QCheckBox *>(m_dlg.Control(IDC_CALC_HYP))->setChecked(true);
    Press(IDC_CALC_COT);
    qobject_cast<QCheckBox *>(m_dlg.Control(IDC_CALC_INV))->setChecked(false);
    Press(IDC_CALC_SEC);
    EXPECT_EQ(m_dlg.ExpressionText(), "sin acoth sech ");
}

TEST_F(CalcWindow, EvaluateShowsTheResultFormat)
{
    EXPECT_EQ(Evaluate("1/4"), "0.25  ");
    EXPECT_EQ(Evaluate("2+2"), "4. ");
    EXPECT_EQ(Evaluate("5+"), "nan  ");
    qobject_cast<QRadioButton *>(m_dlg.Control(IDC_CALC_RAD))->setChecked(true);
    EXPECT_EQ(Evaluate("cos(0)+sin(pi/2)"), "2. ");
}

TEST_F(CalcWindow, KeyboardEqualsAndEnterEvaluate)
{
    QTextEdit *pEdit = qobject_cast<QTextEdit *>(m_dlg.Control(IDC_CALC_EXPRESSION));
    QTest::keyClicks(pEdit, "2*3=");
    EXPECT_EQ(m_dlg.ExpressionText(), "2*3");
    EXPECT_EQ(m_dlg.DisplayText(), "6. ");
    QTest::keyClicks(pEdit, "+1");
    QTest::keyClick(pEdit, Qt::Key_Return);
    EXPECT_EQ(m_dlg.ExpressionText(), "2*3+1");
    EXPECT_EQ(m_dlg.DisplayText(), "7. ");
    m_dlg.SetExpressionText("1+1");
    QTest::keyClick(Edit(IDC_CALC_COORD_IN1), Qt::Key_Enter);  // Enter elsewhere
    EXPECT_EQ(m_dlg.DisplayText(), "2. ");
}

TEST_F(CalcWindow, BaseConversion)
{
    Edit(IDC_CALC_BASE_FROM)->setText("16");
    Edit(IDC_CALC_BASE_TO)->setText("2");
    EXPECT_EQ(Evaluate("FF+1"), "100000000. ");
    Edit(IDC_CALC_BASE_TO)->setText("10");
    EXPECT_EQ(Evaluate("A.8"), "10.5  ");
    Edit(IDC_CALC_BASE_FROM)->setText("10");
    Edit(IDC_CALC_BASE_TO)->setText("16");
    EXPECT_EQ(Evaluate("0-255"), "-FF. ");
    EXPECT_EQ(Evaluate("1/0"), "inf. ");
}

TEST_F(CalcWindow, BaseOutsideTwoToThirtySixIsRefused)
{
    MessageRecorder messages;
    Evaluate("2+2");
    for (const char *psz : {"37", "1", "abc", "1e300", "-16"}) {
        Edit(IDC_CALC_BASE_TO)->setText(psz);
        EXPECT_EQ(Evaluate("3"), "4. ") << psz;  // nothing evaluated
    }
    ASSERT_EQ(messages.shown.size(), 5u);
    EXPECT_EQ(messages.shown[0].text, "Please enter an integer between 2 and 36.");
    Edit(IDC_CALC_BASE_TO)->setText("10");
    Edit(IDC_CALC_BASE_FROM)->setText("0");
    m_dlg.SetExpressionText("3");
    Press(IDC_CALC_EQUALS);
    EXPECT_EQ(messages.shown.size(), 6u);
}

TEST_F(CalcWindow, PowersReplaceTheLastResult)
{
    Evaluate("3");
    Press(IDC_CALC_SQUARE);
    EXPECT_EQ(m_dlg.DisplayText(), "9. ");
    Press(IDC_CALC_CUBE);
    EXPECT_EQ(m_dlg.DisplayText(), "729. ");
    Press(IDC_CALC_RECIPROCAL);
    EXPECT_EQ(m_dlg.DisplayText(), QString("0.001371742112482853 "));
    EXPECT_DOUBLE_EQ(m_dlg.LastResult(), 1.0 / 729);
}

TEST_F(CalcWindow, MemoryStoresRecallsAndClears)
{
    QComboBox *pMemory = Combo(IDC_CALC_MEMORY);
    Press(IDC_CALC_STORE);  // "0. " is not stored
    EXPECT_EQ(pMemory->count(), 0);
    Evaluate("2+2");
    Press(IDC_CALC_STORE);
    Press(IDC_CALC_STORE);
    EXPECT_EQ(pMemory->count(), 1);
    EXPECT_EQ(pMemory->itemText(0), "4");
    Evaluate("1/4");
    Press(IDC_CALC_STORE);
    EXPECT_EQ(pMemory->itemText(1), "0.25");
    Evaluate("1.5*10^20");
    Press(IDC_CALC_STORE);
    EXPECT_EQ(pMemory->itemText(2), "1.5e+20");  // only the appended point goes

    m_dlg.SetExpressionText("");
    pMemory->setEditText("1.5e-07");
    Press(IDC_CALC_RECALL);
    EXPECT_EQ(m_dlg.ExpressionText(), "1.5*10^-07");
    Press(IDC_CALC_EQUALS);
    EXPECT_EQ(m_dlg.DisplayText(), "1.5e-07  ");  // reads back as the same value

    Press(IDC_CALC_STORE_EXPRESSION);
    Press(IDC_CALC_STORE_EXPRESSION);
    EXPECT_EQ(pMemory->count(), 5);  // the expression may be there twice
    Press(IDC_CALC_CLEAR_ITEM);
    EXPECT_EQ(pMemory->count(), 4);
    EXPECT_EQ(pMemory->currentText(), "0.25");
    Press(IDC_CALC_CLEAR_ALL);
    EXPECT_EQ(pMemory->count(), 0);
    Press(IDC_CALC_CLEAR_ITEM);  // nothing left: nothing happens
    EXPECT_EQ(pMemory->currentText(), "");
}

TEST_F(CalcWindow, SubstituteAppendsTheValue)
{
    m_dlg.ShowCalculator({"x^2-1", "    2*x"}, 0);
    Combo(IDC_CALC_X_VALUE)->setEditText("3");
    Press(IDC_CALC_SUBSTITUTE);
    EXPECT_EQ(m_dlg.ExpressionText(), "8");
    Combo(IDC_CALC_X_VALUE)->setEditText("-3");
    Press(IDC_CALC_SUBSTITUTE);
    Combo(IDC_CALC_X_VALUE)->setEditText("3");
    Press(IDC_CALC_SUBSTITUTE);
    EXPECT_EQ(m_dlg.ExpressionText(), "888");
    EXPECT_EQ(Combo(IDC_CALC_FUNCTION)->count(), 2);
    ASSERT_EQ(Combo(IDC_CALC_X_VALUE)->count(), 2);
    EXPECT_EQ(Combo(IDC_CALC_X_VALUE)->itemText(0), "-3");  // sorted
    Combo(IDC_CALC_FUNCTION)->setCurrentIndex(1);
    Press(IDC_CALC_SUBSTITUTE);
    EXPECT_EQ(m_dlg.ExpressionText(), "8886");
    Press(IDC_CALC_CLEAR_VALUES);
    EXPECT_EQ(Combo(IDC_CALC_X_VALUE)->count(), 0);
    m_dlg.hide();
}

TEST_F(CalcWindow, DegreesMinutesSecondsBothWays)
{
    Evaluate("30.25");
    Press(IDC_CALC_DMS);
    EXPECT_EQ(m_dlg.DisplayText(), QString::fromUtf8("30\u00B0 15' 0.00\"  "));
    Press(IDC_CALC_DMS);
    EXPECT_EQ(m_dlg.DisplayText(), "30.25  ");
    Evaluate("0-1E10-0.5");
    Press(IDC_CALC_DMS);
    EXPECT_EQ(m_dlg.DisplayText(), QString::fromUtf8("-10000000000\u00B0 30' 0.00\"  "));
}

TEST_F(CalcWindow, RectangularAndPolar)
{
    Edit(IDC_CALC_COORD_IN1)->setText("1");
    Edit(IDC_CALC_COORD_IN2)->setText("-1");
    Press(IDC_CALC_RECT_TO_POLAR);
    EXPECT_EQ(Edit(IDC_CALC_COORD_OUT1)->text(), "1.414213562");
    EXPECT_EQ(Edit(IDC_CALC_COORD_OUT2)->text(), "-45");
    Edit(IDC_CALC_COORD_IN1)->setText("2");
    Edit(IDC_CALC_COORD_IN2)->setText("30");
    Press(IDC_CALC_POLAR_TO_RECT);
    EXPECT_EQ(Edit(IDC_CALC_COORD_OUT1)->text(), "1.732050808");
    EXPECT_EQ(Edit(IDC_CALC_COORD_OUT2)->text(), "1");
}

TEST_F(CalcWindow, CopyKeepsTheValue)
{
    Evaluate("1.5*10^20");
    m_dlg.OnCommand(ID_CALC_COPY);
    EXPECT_EQ(QApplication::clipboard()->text(), "1.5e+20");
    Evaluate("2+2");
    m_dlg.OnCommand(ID_CALC_COPY);
    EXPECT_EQ(QApplication::clipboard()->text(), "4");
}

TEST_F(CalcWindow, ClosingOnlyHides)
{
    m_dlg.ShowCalculator({"x"}, 0);
    Evaluate("2+2");
    Press(IDC_CALC_STORE);
    m_dlg.close();
    EXPECT_FALSE(m_dlg.isVisible());
    m_dlg.ShowCalculator({"x", "x^3"}, 1);
    EXPECT_TRUE(m_dlg.isVisible());
    EXPECT_EQ(m_dlg.DisplayText(), "4. ");
    EXPECT_EQ(Combo(IDC_CALC_MEMORY)->count(), 1);
    EXPECT_EQ(Combo(IDC_CALC_FUNCTION)->currentText(), "x^3");
    m_dlg.hide();
}

}  // namespace
