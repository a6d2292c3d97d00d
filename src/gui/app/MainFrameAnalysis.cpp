// The frame's part in integration, the points table, trace and tangent.
#include "gui/app/MainFrame.h"

#include "gui/analysis/IntegrateCommand.h"
#include "gui/analysis/PointsTableCommand.h"
#include "gui/analysis/TableSettingsDlg.h"
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
    if (auto *pEdit = qobject_cast<QLineEdit *>(m_traceControls.value(IDC_TRACE_FX)))
        pEdit->setText(strText);
}

void CMainFrame::SetTangentBarText(int nId, const QString &strText)
{
    if (auto *pLabel = qobject_cast<QLabel *>(m_tangentControls.value(nId)))
        pLabel->setText(strText);
}
