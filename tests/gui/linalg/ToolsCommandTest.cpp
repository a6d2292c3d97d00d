#include "gui/app/MainFrame.h"
#include "gui/linalg/EditGrid.h"
#include "gui/linalg/MatrixOpsDlg.h"
#include "gui/view/CommandIds.h"

#include "gui/app/FrameTestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

namespace {

class ToolsCommands : public FrameFixture
{
protected:
    // Runs a command whose modal dialog is closed from inside its loop,
    // after `inside` has looked at it.
    QString RunAndClose(int nId, const std::function<void(QDialog *)> &inside = {})
    {
        QString strTitle;
        QTimer::singleShot(0, [&] {
            if (auto *pDialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                strTitle = pDialog->windowTitle();
                if (inside)
                    inside(pDialog);
                pDialog->reject();
            }
        });
        EXPECT_TRUE(m_pFrame->ExecuteCommand(nId));
        return strTitle;
    }
};

TEST_F(ToolsCommands, OpenTheirDialogs)
{
    ShowFrame();
    m_pFrame->UpdateCommandStates();
    for (int nId : {ID_SIMULTANEOUS, ID_DETERMINANTS, ID_MATRICES})
        EXPECT_TRUE(m_pFrame->Action(nId)->isEnabled()) << nId;
    EXPECT_EQ(RunAndClose(ID_SIMULTANEOUS), "Simultaneous Equation Calculator");
    EXPECT_EQ(RunAndClose(ID_DETERMINANTS), "Solving Determinants");
    EXPECT_EQ(RunAndClose(ID_MATRICES), "Matrices Operations");
}

// A result copied in one run of the matrix tool is pasted in the next.
TEST_F(ToolsCommands, MatrixMemoryLastsBetweenRuns)
{
    ShowFrame();
    RunAndClose(ID_MATRICES, [](QDialog *pDialog) {
        auto *pOps = static_cast<CMatrixOpsDlg *>(pDialog);
        pOps->SetResultRunner([](const CMatrix &) { return true; });
        pOps->OperationList()->setCurrentIndex(CMatrixOpsDlg::Transpose);
        pOps->RowsField()->setText(QStringLiteral("1"));
        pOps->ColumnsField()->setText(QStringLiteral("1"));
        pOps->FirstGrid()->SetTextMatrix(1, 1, QStringLiteral("9"));
        pOps->OnCalculate();
    });
    QString strPasted;
    RunAndClose(ID_MATRICES, [&](QDialog *pDialog) {
        auto *pOps = static_cast<CMatrixOpsDlg *>(pDialog);
        pOps->RowsField()->setText(QStringLiteral("1"));
        pOps->ColumnsField()->setText(QStringLiteral("1"));
        pOps->OnPaste();
        strPasted = pOps->FirstGrid()->TextMatrix(1, 1);
    });
    EXPECT_EQ(strPasted, "9");
}

}  // namespace
