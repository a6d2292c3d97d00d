#pragma once

#include "core/linalg/ToolText.h"

#include <QDialog>

class CEditGrid;
class CKeptWork;
class CSpinButton;
class QLineEdit;
class QPushButton;

// "Solving Determinants": the determinant of a square matrix typed into a grid.
class CDetDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kMinSize = kMinDeterminant;
    static constexpr int kMaxSize = kMaxDeterminant;

    explicit CDetDlg(QWidget *parent = nullptr);

    CEditGrid *Grid() const { return m_pGrid; }
    QLineEdit *SizeField() const { return m_pSize; }
    QLineEdit *ResultField() const { return m_pResult; }
    CSpinButton *Spin() const { return m_pSpin; }
    QPushButton *SolveButton() const { return m_pSolve; }

    void OnSizeChanged();
    void OnSolve();

    double m_dResult = 0.0;
    int m_nSize = 5;

private:
    void LayOut(int n);
    void KeepWork();

    CKeptWork *m_pKept = nullptr;
    CSpinButton *m_pSpin = nullptr;
    QLineEdit *m_pSize = nullptr;
    QLineEdit *m_pResult = nullptr;
    CEditGrid *m_pGrid = nullptr;
    QPushButton *m_pSolve = nullptr;
};
