#include "gui/app/FrameTestSupport.h"

#include "gui/calc/CalcDlg.h"
#include "gui/view/CommandIds.h"
#include "gui/view/CorvantaView.h"

#include <QComboBox>

namespace {

using CalcFrame = FrameFixture;

TEST_F(CalcFrame, CommandOffersThePlottedFunctions)
{
    ShowFrame();
    ASSERT_TRUE(m_pFrame->Action(ID_CALCULATOR)->isEnabled());
    CCalcDlg *pCalc = m_pFrame->CalcDlg();
    ASSERT_NE(pCalc, nullptr);
    EXPECT_FALSE(pCalc->isVisible());  // made hidden with the view

    CCorvantaView *pView = m_pFrame->View();
    for (const char *psz : {"x^2-1", "2x", "sin(x)"}) {
        m_pFrame->SetFunctionListText(psz);
        pView->OnPlot();
    }
    pView->OnSelectFunction(0);
    pView->OnDifferentiate();
    pView->OnSelectFunction(1);
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_CALCULATOR));
    EXPECT_TRUE(pCalc->isVisible());
    auto *pList = qobject_cast<QComboBox *>(pCalc->Control(IDC_CALC_FUNCTION));
    ASSERT_EQ(pList->count(), 4);
    EXPECT_EQ(pList->itemText(0), "x^2-1");
    EXPECT_EQ(pList->itemText(1), "    " + QString::fromStdString(pView->m_aDerivatives[0].m_strText));
    EXPECT_EQ(pList->itemText(2), "2x");
    EXPECT_EQ(pList->currentIndex(), 1);  // the slot's index, derivative lines counted

    // The graph's implicit product holds in the substitution too.
    pList->setCurrentIndex(2);
    qobject_cast<QComboBox *>(pCalc->Control(IDC_CALC_X_VALUE))->setEditText("3");
    pCalc->OnCommand(IDC_CALC_SUBSTITUTE);
    EXPECT_EQ(pCalc->ExpressionText(), "6");

    // Closed and reopened: the list is refilled, everything else stays.
    pCalc->close();
    m_pFrame->SetFunctionListText("ln(x)");
    pView->OnPlot();
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_CALCULATOR));
    EXPECT_EQ(pList->count(), 5);
    EXPECT_EQ(pCalc->ExpressionText(), "6");
    EXPECT_EQ(qobject_cast<QComboBox *>(pCalc->Control(IDC_CALC_X_VALUE))->count(), 1);
}

TEST_F(CalcFrame, HidesWhenTheFrameIsMinimised)
{
    ShowFrame();
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_CALCULATOR));
    EXPECT_TRUE(m_pFrame->CalcDlg()->isVisible());
    emit m_pFrame->minimized();
    EXPECT_FALSE(m_pFrame->CalcDlg()->isVisible());
}

}  // namespace
