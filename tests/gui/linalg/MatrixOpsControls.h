#pragma once

// The controls of "Matrices Operations", found by their control names.
#include "gui/linalg/EditGrid.h"
#include "gui/linalg/MatrixOpsDlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

template <class T> T *MatrixOpsControl(const CMatrixOpsDlg &dlg, int id)
{
    return dlg.findChild<T *>(QStringLiteral("ctl%1").arg(id));
}
inline CEditGrid *FirstGrid(const CMatrixOpsDlg &d) { return MatrixOpsControl<CEditGrid>(d, 1038); }
inline CEditGrid *SecondGrid(const CMatrixOpsDlg &d) { return MatrixOpsControl<CEditGrid>(d, 1039); }
inline QLineEdit *RowsField(const CMatrixOpsDlg &d) { return MatrixOpsControl<QLineEdit>(d, 1046); }
inline QLineEdit *ColumnsField(const CMatrixOpsDlg &d) { return MatrixOpsControl<QLineEdit>(d, 1048); }
inline QLineEdit *NumberField(const CMatrixOpsDlg &d) { return MatrixOpsControl<QLineEdit>(d, 1034); }
inline QComboBox *OperationList(const CMatrixOpsDlg &d) { return MatrixOpsControl<QComboBox>(d, 1045); }
inline QRadioButton *MatrixButton(const CMatrixOpsDlg &d, int index)
{
    return MatrixOpsControl<QRadioButton>(d, index == 0 ? 1055 : 1056);
}
