#pragma once

#include "core/linalg/Matrix.h"

#include <QDialog>

class CGrid;

// "Result of a matrices operation": shows a result; "Copy Result" asks for it
// to be kept in the matrix tool's memory when the dialog closes.
class CMatrixResultDlg : public QDialog
{
    Q_OBJECT
public:
    // digits: the significant digits of the elements that hold; no more are shown.
    explicit CMatrixResultDlg(const CMatrix &result, QWidget *parent = nullptr, int digits = 15);

    const CMatrix &Result() const { return m_result; }
    CGrid *Grid() const { return m_pGrid; }
    bool CopyRequested() const { return m_bCopyRequested; }
    void OnCopyResult() { m_bCopyRequested = true; }

private:
    CMatrix m_result;
    CGrid *m_pGrid = nullptr;
    bool m_bCopyRequested = false;
};
