// The frame's part in integration, the points table, trace and tangent.
#include "gui/app/MainFrame.h"

#include "gui/analysis/IntegrateCommand.h"
#include "gui/analysis/PointsTableCommand.h"
#include "gui/analysis/TableSettingsDlg.h"
#include "gui/app/FollowCommand.h"
#include "gui/app/TangentBar.h"
#include "gui/app/TraceBar.h"
#include "gui/common/CommandIds.h"
#include "gui/view/CorvantaView.h"


void CMainFrame::CreateAnalysisParts()
{
    m_pTableSettings = new CTableSettingsDlg(this);
    // Tangent mode follows its bar, however the bar was shown or closed.
    connect(m_pTangentBar, &QDockWidget::visibilityChanged, m_pView,
            [this] { m_pView->SetTangentMode(IsBarVisible(true)); });
    connect(m_pTraceBar, &CTraceBar::xChanged, m_pView, &CCorvantaView::OnTraceInput);

    // The bars' controls follow the commands they stand for (the zoom
    // buttons do through their actions).
    const auto follow = [this](const QHash<int, QWidget *> &controls, int nBarCommand) {
        for (auto it = controls.cbegin(); it != controls.cend(); ++it) {
            const int nCommand = it.key() == IDC_SCIENTIFIC ? ID_SCIENTIFIC
                                 : it.key() == IDC_DEGREE   ? ID_DEGREE
                                                            : nBarCommand;
            FollowCommand(it.value(), Action(nCommand));
        }
    };
    follow(m_pTraceBar->Controls(), ID_TRACE);
    follow(m_pTangentBar->Controls(), ID_TANGENT);
}

void CMainFrame::OnIntegrate(int)
{
    if (m_pView)
        RunIntegrateCommand(*m_pView, this);
}

void CMainFrame::OnDomainSubstitution(int)
{
    if (m_pView)
        RunPointsTableCommand(*m_pView, *m_pTableSettings, this);
}

void CMainFrame::SetTraceResultText(const QString &strText)
{
    m_pTraceBar->SetResultText(strText);
}

// The value already shown takes a changed "Scientific" or "Degree" at once.
void CMainFrame::RefreshTraceResult()
{
    if (m_pView && m_pTraceBar->HasResult())
        m_pView->OnTraceInput(m_pTraceBar->XText());
}

void CMainFrame::SetTangentBarText(int nId, const QString &strText)
{
    m_pTangentBar->SetText(nId, strText);
}
