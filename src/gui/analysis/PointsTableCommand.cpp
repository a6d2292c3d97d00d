#include "gui/analysis/PointsTableCommand.h"

#include "gui/analysis/PointsTableDlg.h"
#include "gui/view/CorvantaView.h"

void RunPointsTableCommand(const CCorvantaView &view, CTableSettingsDlg &settings, QWidget *parent,
                           const DialogRunner &run)
{
    CPointsTableDlg dlg(settings, parent, run);
    if (view.m_nSelected != -1 && view.m_nLast >= 0)
        for (int i = 0; i <= view.m_nLast && i < CCorvantaView::kSlots; ++i)
            dlg.m_strFunctions[i] = QString::fromStdString(view.m_aFunctions[i].m_strText);
    dlg.m_nCurrent = view.m_nSelected;
    dlg.DoModal();
}
