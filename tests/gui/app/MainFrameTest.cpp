#include "gui/view/CommandIds.h"

#include <QtTest/QtTest>

#include "gui/app/FrameTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

void ClickBox(QWidget *pBox)
{
    ASSERT_NE(pBox, nullptr);
    QTest::mouseClick(pBox, Qt::LeftButton, {}, QPoint(5, pBox->height() / 2));
}

}  // namespace

using MainFrame = FrameFixture;

TEST_F(MainFrame, StatusBarShowsThePromptOfTheButtonUnderTheMouse)
{
    ShowFrame();
    EXPECT_EQ(m_pFrame->statusBar()->currentMessage(), "Ready");
    QWidget *pButton = m_pFrame->MainToolBar()->widgetForAction(m_pFrame->Action(ID_VIEW_ZOOM_TOOLBAR));
    ASSERT_NE(pButton, nullptr);
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), pButton->mapToGlobal(QPointF(3, 3)));
    QApplication::sendEvent(pButton, &enter);
    EXPECT_EQ(m_pFrame->statusBar()->currentMessage(), "Show/Hide zoom bar");
}

TEST_F(MainFrame, BarTextsReachOnlyTheirControls)
{
    CViewHost *pHost = m_pFrame.get();
    pHost->SetRangeFieldText(IDC_Y_MAX, "4.00");
    EXPECT_EQ(pHost->RangeFieldText(IDC_Y_MAX), "4.00");
    pHost->SetRangeFieldText(IDC_DERIVATIVE, "x");  // only the four range fields answer
    EXPECT_EQ(m_pFrame->BarControlText(IDC_DERIVATIVE), "");
    EXPECT_EQ(pHost->RangeFieldText(IDC_DEGREE), "");
    m_pFrame->SetBarControlText(9999, "nothing");
    EXPECT_EQ(m_pFrame->BarControlText(9999), "");
    // The user cannot type into the derivative.
    EXPECT_TRUE(qobject_cast<QLineEdit *>(m_pFrame->ExpressionBarControl(IDC_DERIVATIVE))->isReadOnly());
}

TEST_F(MainFrame, BarsToggleWithTheirCommandsAndCheckMarks)
{
    ShowFrame();
    EXPECT_FALSE(m_pFrame->TraceBar()->isVisible() || m_pFrame->TangentBar()->isVisible());
    const struct { int nId; bool bTrace, bTangent; } steps[] = {
        {ID_TRACE, true, false}, {ID_TANGENT, true, true}, {ID_TRACE, false, true}, {ID_ZOOM_IN, false, true}};
    for (const auto &step : steps) {
        m_pFrame->ToggleBar(step.nId);
        EXPECT_EQ(m_pFrame->IsBarVisible(false), step.bTrace) << step.nId;
        EXPECT_EQ(m_pFrame->IsBarVisible(true), step.bTangent) << step.nId;
        EXPECT_EQ(m_pFrame->Action(ID_TRACE)->isChecked(), step.bTrace) << step.nId;
        EXPECT_EQ(m_pFrame->Action(ID_TANGENT)->isChecked(), step.bTangent) << step.nId;
    }
    const struct { int nId; QWidget *pBar; } bars[] = {
        {ID_VIEW_TOOLBAR, m_pFrame->MainToolBar()}, {ID_VIEW_ZOOM_TOOLBAR, m_pFrame->ZoomBar()},
        {ID_VIEW_EXPRESSION_BAR, m_pFrame->ExpressionBar()}, {ID_VIEW_STATUS_BAR, m_pFrame->statusBar()}};
    for (const auto &bar : bars) {
        SCOPED_TRACE(bar.nId);
        for (bool visible : {false, true}) {
            EXPECT_TRUE(m_pFrame->ExecuteCommand(bar.nId));
            EXPECT_EQ(bar.pBar->isVisible(), visible);
            EXPECT_EQ(m_pFrame->Action(bar.nId)->isChecked(), visible);
        }
    }
}

TEST_F(MainFrame, DegreeOptionOnlyForTrigonometryAndOneFlagForBothBoxes)
{
    const struct { const char *pszCoded; bool bTrig; } cases[] = {
        {"A(x))", true}, {"F(x))", true}, {"3*A(2*x))", true}, {"G(x))", false}, {"Z(x))", false},
        {"x^2)", false}, {")", false},    {"", false},          {"a(x))", false}};
    auto *pDegree = m_pFrame->TraceBarControl(IDC_DEGREE);
    for (const auto &c : cases) {
        m_pFrame->UpdateDegreeOption(QString::fromUtf8(c.pszCoded));
        EXPECT_EQ(m_pFrame->IsTrigonometric(), c.bTrig) << c.pszCoded;
        EXPECT_EQ(!pDegree->isHidden(), c.bTrig) << c.pszCoded;
    }

    ShowFrame();
    m_pFrame->ToggleBar(ID_TRACE);
    m_pFrame->ToggleBar(ID_TANGENT);
    m_pFrame->UpdateDegreeOption("A(x))");
    ClickBox(m_pFrame->TraceBarControl(IDC_SCIENTIFIC));
    EXPECT_TRUE(m_pFrame->IsScientific());
    auto *pTraceDegree = qobject_cast<QCheckBox *>(m_pFrame->TraceBarControl(IDC_DEGREE));
    auto *pTangentDegree = qobject_cast<QCheckBox *>(m_pFrame->TangentBarControl(IDC_DEGREE));
    ClickBox(pTangentDegree);
    EXPECT_TRUE(m_pFrame->IsDegree());
    EXPECT_TRUE(pTraceDegree->isChecked());
    EXPECT_TRUE(m_pFrame->Action(ID_DEGREE)->isChecked());
    ClickBox(pTraceDegree);
    EXPECT_FALSE(m_pFrame->IsDegree());
    EXPECT_FALSE(pTangentDegree->isChecked());
}

TEST_F(MainFrame, ExtendedToolsButtonDoesNothingItsArrowOffersTheTools)
{
    ShowFrame();
    QAction *pExtended = m_pFrame->Action(ID_EXTENDED_TOOLS);
    auto *pButton = qobject_cast<QToolButton *>(m_pFrame->MainToolBar()->widgetForAction(pExtended));
    ASSERT_NE(pButton, nullptr);
    EXPECT_EQ(pButton->menu(), m_pFrame->Popup(4));
    std::vector<std::unique_ptr<QSignalSpy>> others;
    for (QAction *pAction : m_pFrame->findChildren<QAction *>())
        if (pAction != pExtended)
            others.push_back(std::make_unique<QSignalSpy>(pAction, &QAction::triggered));
    QTest::mouseClick(pButton, Qt::LeftButton, {}, QPoint(4, pButton->height() / 2));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    for (const auto &pSpy : others)
        EXPECT_EQ(pSpy->count(), 0);
}
