#pragma once

#include "core/linalg/ToolText.h"

#include <QDialog>

class CEditGrid;
class CGrid;
class CKeptWork;
class CSpinButton;
class QLineEdit;
class QPushButton;

// "Simultaneous Equation Calculator": n linear equations in n unknowns typed
// into a grid, their solutions shown in a second grid. The typed system is
// kept by the parent window for the next opening.
class CSimEqDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kMinEquations = ::kMinEquations;
    static constexpr int kMaxEquations = ::kMaxEquations;

    explicit CSimEqDlg(QWidget *parent = nullptr);

    CEditGrid *CoefficientGrid() const { return m_pCoefficients; }
    CGrid *SolutionsGrid() const { return m_pSolutions; }
    QLineEdit *CountField() const { return m_pCount; }
    CSpinButton *Spin() const { return m_pSpin; }
    QPushButton *SolveButton() const { return m_pSolve; }

    void OnCountChanged();
    void OnSolve();

    int m_nEquations = 3;

private:
    void LayOut(int nEquations);
    void ClearSolutions();
    void KeepWork();

    CKeptWork *m_pKept = nullptr;
    CSpinButton *m_pSpin = nullptr;
    QLineEdit *m_pCount = nullptr;
    CEditGrid *m_pCoefficients = nullptr;
    CGrid *m_pSolutions = nullptr;
    QPushButton *m_pSolve = nullptr;
};
