#include "gui/analysis/TableSettingsDlg.h"
#include "gui/view/CommandIds.h"
#include "gui/view/CorvantaView.h"

#include "gui/MessageRecorder.h"
#include "gui/app/FrameTestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>

namespace {

using AnalysisFrame = FrameFixture;

TEST_F(AnalysisFrame, CommandsAreOfferedInMenuKeysAndToolbar)
{
    m_pFrame->UpdateCommandStates();
    const struct { int id; const char *keys; } commands[] = {
        {ID_INTEGRATE, "Ctrl+I"}, {ID_TRACE, "Ctrl+T"}, {ID_DOMAIN_SUBSTITUTION, ""}, {ID_TANGENT, ""}};
    for (const auto &c : commands) {
        SCOPED_TRACE(c.id);
        QAction *action = m_pFrame->Action(c.id);
        ASSERT_NE(action, nullptr);
        EXPECT_TRUE(action->isEnabled());
        EXPECT_EQ(action->shortcut().toString(QKeySequence::PortableText), c.keys);
        EXPECT_TRUE(m_pFrame->MainToolBar()->actions().contains(action));
    }
}

TEST_F(AnalysisFrame, TraceAndTangentFollowTheirBars)
{
    CCorvantaView *view = m_pFrame->View();
    const struct { int id; bool tangent; } modes[] = {{ID_TRACE, false}, {ID_TANGENT, true}};
    for (const auto &m : modes) {
        SCOPED_TRACE(m.id);
        bool &flag = m.tangent ? view->m_bTangent : view->m_bTrace;
        ASSERT_TRUE(m_pFrame->ExecuteCommand(m.id));
        EXPECT_TRUE(m_pFrame->IsBarVisible(m.tangent));
        EXPECT_TRUE(flag);
        EXPECT_TRUE(m_pFrame->Action(m.id)->isChecked());
        EXPECT_TRUE(view->hasMouseTracking());
        // Closing the bar ends the mode.
        (m.tangent ? m_pFrame->TangentBar() : m_pFrame->TraceBar())->close();
        EXPECT_FALSE(flag);
        ASSERT_TRUE(m_pFrame->ExecuteCommand(m.id));
        ASSERT_TRUE(m_pFrame->ExecuteCommand(m.id));
        EXPECT_FALSE(m_pFrame->IsBarVisible(m.tangent));
        EXPECT_FALSE(flag);
    }
    EXPECT_FALSE(view->hasMouseTracking());
}

TEST_F(AnalysisFrame, TraceFieldGivesTheValueOfTheSelectedFunction)
{
    m_pFrame->FunctionList()->setEditText(QStringLiteral("sin(x)"));
    emit m_pFrame->plotRequested();
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_TRACE));
    auto *x = qobject_cast<QLineEdit *>(m_pFrame->TraceBarControl(IDC_TRACE_X));
    auto *fx = qobject_cast<QLineEdit *>(m_pFrame->TraceBarControl(IDC_TRACE_FX));
    ASSERT_TRUE(x && fx);
    x->setText(QStringLiteral("9a0"));
    EXPECT_EQ(fx->text(), "0.893996663600558");
    m_pFrame->ExecuteCommand(ID_DEGREE);
    x->setText(QStringLiteral("90"));
    EXPECT_EQ(fx->text(), "1.000000000000000");
}

TEST_F(AnalysisFrame, IntegrateWithoutFunctionsAndSettingsForTheWholeRun)
{
    MessageRecorder messages;
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_INTEGRATE));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "No expression found");
    ASSERT_NE(m_pFrame->TableSettings(), nullptr);
    EXPECT_EQ(m_pFrame->TableSettings()->Confirmed().from, -20.0);
}

}  // namespace
