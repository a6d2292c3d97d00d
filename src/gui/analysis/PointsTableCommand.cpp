#include "gui/analysis/PointsTableCommand.h"

#include "gui/analysis/PointsTableDlg.h"
#include "gui/view/CorvantaView.h"

void RunPointsTableCommand(const CCorvantaView &view, CTableSettingsDlg &settings, QWidget *parent)
{
    CPointsTableDlg dlg(settings, parent);
    const CViewState &s = view.State();
    if (s.m_nSelected != -1 && s.m_nLast >= 0)
        for (int i = 0; i <= s.m_nLast && i < CCorvantaView::kSlots; ++i) {
            dlg.m_strFunctions[i] = QString::fromStdString(s.m_aFunctions[i].m_strText);
            dlg.m_parameters[i] = s.m_aFunctions[i].Parameters();
        }
    dlg.m_nCurrent = s.m_nSelected;
    dlg.DoModal();
}
