// The frame's commands that open the tools: the analysis sheet, the
// calculator, the three linear-algebra dialogs and the graph attributes.
#include "gui/app/MainFrame.h"

#include "gui/analysis/AnalysisSheet.h"
#include "gui/app/GraphAttrDlg.h"
#include "gui/calc/CalcDlg.h"
#include "gui/common/CommandIds.h"
#include "gui/common/Message.h"
#include "gui/common/UserPrompts.h"
#include "gui/linalg/DetDlg.h"
#include "gui/linalg/MatrixOpsDlg.h"
#include "gui/linalg/SimEqDlg.h"
#include "gui/view/CorvantaView.h"

#include <QScreen>

void CMainFrame::OnAnalyzeGraph(int)
{
    if (FunctionListCount() == 0 || !m_pView) {
        ShowMessage(this,
                    QStringLiteral("Error 0x05:\n\nThe are no expressions to Analyse!\n"
                                   "Please enter at lease one function and try again."),
                    QStringLiteral("No expression found"), MsgIcon::Stop);
        return;
    }
    // The pages get copies of the texts; the view's slots stay untouched.
    SAnalysisInput input = CAnalysisSheet::InputFromView(m_pView->State(), m_pView->screen()->geometry().width());
    // Their listed points are marked on the graph while the sheet is open.
    input.showMarks = [this](EMarkSource source, std::vector<SGraphMark> marks) {
        m_pView->Graph().Mark(source, std::move(marks));
    };
    input.highlightMark = [this](EMarkSource source, int point) { m_pView->Graph().Highlight(source, point); };
    input.parameters = [this](int slot) { return m_pView->State().m_aFunctions[slot].Parameters(); };
    CAnalysisSheet sheet(input, m_pView);
    CUserPrompts::Current().RunDialog(sheet);
}

// The calculator offers the plotted functions, each shown derivative
// indented below its function, with the selected slot chosen.
void CMainFrame::OnCalculator(int)
{
    QStringList functions;
    const CViewState &s = m_pView->State();
    for (int i = 0; i <= s.m_nLast && i < CViewState::kSlots; ++i) {
        functions << QString::fromStdString(s.m_aFunctions[i].m_strText);
        if (s.m_aDerivativeShown[i])
            functions << QStringLiteral("    ") + QString::fromStdString(s.m_aDerivatives[i].m_strText);
    }
    m_pCalcDlg->SetParameterSource([this] { return m_pView->Graph().ParameterValues(); });
    m_pCalcDlg->ShowCalculator(functions, s.m_nSelected);
}

void CMainFrame::OnLinearAlgebra(int nId)
{
    if (nId == ID_SIMULTANEOUS) {
        CSimEqDlg dlg(this);
        CUserPrompts::Current().RunDialog(dlg);
    } else if (nId == ID_DETERMINANTS) {
        CDetDlg dlg(this);
        CUserPrompts::Current().RunDialog(dlg);
    } else if (nId == ID_MATRICES) {
        CMatrixOpsDlg dlg(m_matrixMemory, this);
        CUserPrompts::Current().RunDialog(dlg);
    }
}

void CMainFrame::OnGraphAttributes(int)
{
    if (!m_pView)
        return;
    CGraphAttrDlg dlg(this);
    dlg.LoadFrom(m_pView->Graph());
    if (CUserPrompts::Current().RunDialog(dlg) == QDialog::Accepted)
        ApplyGraphAttributes(dlg);
}

void CMainFrame::ApplyGraphAttributes(const CGraphAttrDlg &dlg)
{
    dlg.StoreInto(m_pView->Graph());
}
