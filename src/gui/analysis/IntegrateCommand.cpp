#include "gui/analysis/IntegrateCommand.h"

#include "core/analysis/IntegralLabel.h"
#include "core/analysis/Integration.h"
#include "gui/analysis/IntegrateDlg.h"
#include "gui/common/Message.h"
#include "gui/common/UserPrompts.h"
#include "gui/view/CorvantaView.h"
#include "gui/view/ViewHost.h"

#include <cmath>

void RunIntegrateCommand(CCorvantaView &view, QWidget *parent)
{
    const CViewState &s = view.State();
    const int entries = view.Host() ? view.Host()->FunctionListCount() : s.m_nLast + 1;
    if (entries <= 0 || s.m_nLast < 0) {
        ShowMessage(parent,
                    QStringLiteral("Error 0x05:\n\nThe are no expressions to inegrate!\nPlease enter at lease one "
                                   "function and try again."),
                    QStringLiteral("No expression found"), MsgIcon::Stop);
        return;
    }

    CIntegrateDlg dlg(parent);
    dlg.m_dDivisions = kDefaultIntegrationWidth;
    dlg.m_nRule = static_cast<int>(kDefaultIntegrationRule);
    dlg.m_nCurrent = s.m_nSelected;
    for (int i = 0; i <= s.m_nLast && i < CCorvantaView::kSlots; ++i)
        if (!s.m_aFunctions[i].m_strCoded.empty())
            dlg.m_strFunctions[i] = QString::fromStdString(s.m_aFunctions[i].m_strText);

    for (;;) {
        dlg.OnInitDialog();
        if (CUserPrompts::Current().RunDialog(dlg) != QDialog::Accepted)
            return;
        if (dlg.m_dTo < dlg.m_dFrom) {
            ShowMessage(parent, QString::fromLatin1(kLimitsOrderText), QString::fromLatin1(kLimitsOrderCaption),
                        MsgIcon::Stop);
            dlg.m_nCurrent = dlg.m_nSelected;  // the function chosen comes back too
            continue;
        }
        break;
    }

    const int slot = dlg.SelectedSlot();
    if (!view.Graph().HasFunction(slot))
        return;

    SIntegral result;
    {
        // A copy: the progress window runs the event loop, which may change the graph.
        CExpression f = s.m_aFunctions[slot];
        const ProgressCallback progress = CUserPrompts::Current().StartProgress(parent, QStringLiteral("Integrating..."));
        result = Integrate(f, dlg.m_dFrom, dlg.m_dTo, dlg.m_dDivisions, static_cast<EIntegrationRule>(dlg.m_nRule),
                           progress);
    }
    if (result.cancelled)
        return;  // the last integral's shading stays: nothing new was found
    // The region of this integral replaces the last one; a refused integral
    // leaves none, as the old region would be read as its answer.
    if (!HasIntegralValue(result))
        view.Graph().Shade(std::nullopt);
    else
        view.Graph().Shade(SShading{slot, dlg.m_dFrom, dlg.m_dTo,
                                    IntegralLabel(dlg.m_dFrom, dlg.m_dTo, result,
                                                  static_cast<EIntegrationRule>(dlg.m_nRule), dlg.m_dDivisions)});
    ShowMessage(parent, QString::fromStdString(IntegralResultText(result)), QString::fromLatin1(kIntegralCaption),
                MsgIcon::None, MsgButtons::Ok);
}
