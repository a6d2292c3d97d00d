// The frame as the view's host: the range fields, the function list and
// the bars' texts and flags that the view sets.
#include "gui/app/MainFrame.h"

#include "gui/app/CorvantaDoc.h"
#include "gui/app/ParameterPanel.h"
#include "gui/app/ExpressionBar.h"
#include "gui/app/SplashDlg.h"
#include "gui/app/TangentBar.h"
#include "gui/app/TraceBar.h"
#include "gui/common/CommandIds.h"

#include "core/expr/FunctionText.h"
#include "core/expr/SyntaxPlace.h"

#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QStatusBar>

QString CMainFrame::RangeFieldText(int nId) const
{
    if (nId < IDC_X_MIN || nId > IDC_Y_MAX)
        return {};
    return m_pExpressionBar->ControlText(nId);
}

void CMainFrame::SetRangeFieldText(int nId, const QString &strText)
{
    if (nId >= IDC_X_MIN && nId <= IDC_Y_MAX)
        m_pExpressionBar->SetControlText(nId, strText);
}

void CMainFrame::FocusFunctionList()
{
    // A slider or field of the parameter panel keeps the keyboard while it
    // changes the graph: its arrow keys go on stepping.
    if (const QWidget *pFocus = QApplication::focusWidget(); pFocus && m_pParameterPanel->isAncestorOf(pFocus))
        return;
    m_pFunctionList->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::SelectFunctionListText(int nStart, int nLength)
{
    if (QLineEdit *pEdit = m_pFunctionList->lineEdit())
        pEdit->setSelection(nStart, nLength);
}

void CMainFrame::SetBarVisible(int nCommand, bool bVisible)
{
    if (nCommand != ID_TRACE && nCommand != ID_TANGENT)
        return;
    if (IsBarVisible(nCommand == ID_TANGENT) != bVisible)
        ToggleBar(nCommand);
}

void CMainFrame::OnFirstPaint()
{
    // Once per run, after the first picture is on the screen.
    CSplashDlg::ShowOnce(this);
}

// --- The function list, for the view ---------------------------------------
// Changing the entries never changes what the user has typed in the edit part.

QString CMainFrame::FunctionListText() const { return m_pFunctionList->currentText(); }

void CMainFrame::SetFunctionListText(const QString &strText) { m_pFunctionList->setEditText(strText); }

int CMainFrame::FunctionListCount() const { return m_pFunctionList->count(); }

void CMainFrame::AppendFunctionListEntry(const QString &strText)
{
    InsertFunctionListEntry(m_pFunctionList->count(), strText);
}

void CMainFrame::InsertFunctionListEntry(int nIndex, const QString &strText)
{
    const QString strEdit = m_pFunctionList->currentText();
    const QSignalBlocker block(m_pFunctionList);
    const int nAt = qBound(0, nIndex, m_pFunctionList->count());
    m_pFunctionList->insertItem(nAt, strText);
    // Only a document brings a text the syntax check refuses: it is kept, and
    // marked so the user sees why nothing is drawn for it.
    const SSyntaxPlace place = LocateSyntaxError(LowerAscii(strText.toStdString()));
    if (place.code != 0) {
        m_pFunctionList->setItemData(nAt, QColor(Qt::red), Qt::ForegroundRole);
        m_pFunctionList->setItemData(nAt, QStringLiteral("Not a valid function; it is not drawn.\n\n") +
                                              QString::fromStdString(SyntaxMessage(place)), Qt::ToolTipRole);
    }
    m_pFunctionList->setEditText(strEdit);
}

void CMainFrame::RemoveFunctionListEntry(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_pFunctionList->count())
        return;
    const QString strEdit = m_pFunctionList->currentText();
    const QSignalBlocker block(m_pFunctionList);
    m_pFunctionList->removeItem(nIndex);
    m_pFunctionList->setEditText(strEdit);
}

void CMainFrame::ClearFunctionList()
{
    const QSignalBlocker block(m_pFunctionList);
    m_pFunctionList->clear();
    m_pFunctionList->clearEditText();
}

void CMainFrame::SelectFunctionListEntry(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_pFunctionList->count())
        return;
    const QSignalBlocker block(m_pFunctionList);
    m_pFunctionList->setCurrentIndex(nIndex);
}

void CMainFrame::SetDerivativeText(const QString &strText)
{
    m_pExpressionBar->SetControlText(IDC_DERIVATIVE, strText);
}

void CMainFrame::ShowStatusText(const QString &strText) { statusBar()->showMessage(strText, 5000); }

bool CMainFrame::IsNewDocument() const { return Document() && Document()->m_bNewDocument; }

void CMainFrame::SetTracePositionText(const QString &strText) { m_pTraceBar->SetPositionText(strText); }

void CMainFrame::ToggleBar(int nCommand)
{
    QDockWidget *pBar = nCommand == ID_TRACE ? static_cast<QDockWidget *>(m_pTraceBar)
                        : nCommand == ID_TANGENT ? static_cast<QDockWidget *>(m_pTangentBar)
                                                 : nullptr;
    if (!pBar)
        return;
    pBar->setVisible(pBar->isHidden());
    UpdateCommandStates();
}

bool CMainFrame::IsBarVisible(bool bTangent) const
{
    return bTangent ? !m_pTangentBar->isHidden() : !m_pTraceBar->isHidden();
}

void CMainFrame::UpdateDegreeOption(const QString &strCoded)
{
    // Codes A .. F are sin, cos, tan, cot, csc and sec.
    bool bTrig = false;
    for (QChar c : strCoded)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('F')) {
            bTrig = true;
            break;
        }
    m_bTrigonometric = bTrig;
    m_pTraceBar->SetDegreeVisible(bTrig);
}

void CMainFrame::SetIndicatorColor(const QColor &color) { m_pExpressionBar->SetIndicatorColor(color); }
