// The frame's part in integration, the points table, trace and tangent.
#include "gui/app/MainFrame.h"

#include "gui/analysis/IntegrateCommand.h"
#include "gui/analysis/PointsTableCommand.h"
#include "gui/analysis/TableSettingsDlg.h"
#include "gui/app/FollowCommand.h"
#include "gui/view/CommandIds.h"
#include "gui/view/CorvantaView.h"

#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>

void CMainFrame::CreateAnalysisParts()
{
    m_pTableSettings = new CTableSettingsDlg(this);
    // Tangent mode follows its bar, however the bar was shown or closed.
    connect(m_pTangentBar, &QDockWidget::visibilityChanged, m_pView,
            [this] { m_pView->SetTangentMode(IsBarVisible(true)); });
    if (auto *pX = qobject_cast<QLineEdit *>(m_traceControls.value(IDC_TRACE_X)))
        connect(pX, &QLineEdit::textChanged, m_pView, &CCorvantaView::OnTraceInput);

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
    follow(m_traceControls, ID_TRACE);
    follow(m_tangentControls, ID_TANGENT);
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
    if (auto *pEdit = qobject_cast<QLineEdit *>(m_traceControls.value(IDC_TRACE_FX))) {
        pEdit->setText(strText);
        pEdit->setCursorPosition(0);  // the sign and first digits, not the last ones
    }
}

// The value already shown takes a changed "Scientific" or "Degree" at once.
void CMainFrame::RefreshTraceResult()
{
    auto *pX = qobject_cast<QLineEdit *>(m_traceControls.value(IDC_TRACE_X));
    auto *pFx = qobject_cast<QLineEdit *>(m_traceControls.value(IDC_TRACE_FX));
    if (m_pView && pX && pFx && !pFx->text().isEmpty())
        m_pView->OnTraceInput(pX->text());
}

void CMainFrame::SetTangentBarText(int nId, const QString &strText)
{
    if (auto *pLabel = qobject_cast<QLabel *>(m_tangentControls.value(nId)))
        pLabel->setText(strText);
}
