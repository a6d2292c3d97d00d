#include "gui/app/FrameTestSupport.h"

#include "gui/view/CommandIds.h"
#include "gui/view/Message.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

class FrameKeys : public FrameFixture
{
protected:
    QLineEdit *Edit()
    {
        return qobject_cast<QComboBox *>(m_pFrame->ExpressionBarControl(IDC_FUNCTION_LIST))->lineEdit();
    }
    // Keys go where a person's keys go: to the widget with the focus.
    QWidget *Focus() { return QApplication::focusWidget(); }
    void TypeAndPlot(const QString &text)
    {
        QTest::keyClicks(Focus(), text);
        QTest::keyClick(Focus(), Qt::Key_Return);
    }
};

// A person types a function, presses Enter, types the next one and presses
// Ctrl+D without ever leaving the function list.
TEST_F(FrameKeys, TypingAfterAPlotReplacesTheTextAndCtrlDDifferentiates)
{
    ShowFrame();
    m_pFrame->FocusFunctionList();
    TypeAndPlot("sin(x)");
    TypeAndPlot("x^2");
    EXPECT_EQ(m_pFrame->BarControlText(IDC_FUNCTION_LIST), "x^2");
    QTest::keyClick(Focus(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(m_pFrame->BarControlText(IDC_DERIVATIVE), "2*x");
    EXPECT_EQ(Edit()->text(), "x^2");  // the key did not edit the field
}

TEST_F(FrameKeys, ARejectedTextStaysToBeCorrected)
{
    ShowFrame();
    m_pFrame->FocusFunctionList();
    QStringList shown;
    SetMessageHandler([&](const QString &text, const QString &, MsgIcon, MsgButtons) {
        shown << text;
        return MsgAnswer::Ok;
    });
    int plots = 0;
    QObject::connect(m_pFrame.get(), &CMainFrame::plotRequested, [&] { ++plots; });
    TypeAndPlot("x+");
    SetMessageHandler({});
    EXPECT_EQ(plots, 1);
    ASSERT_EQ(shown.size(), 1) << shown.join("|").toStdString();
    EXPECT_TRUE(shown[0].startsWith("Error 0x02:"));
    QTest::keyClick(Focus(), Qt::Key_1);
    EXPECT_EQ(Edit()->text(), "x+1");
}

}  // namespace
