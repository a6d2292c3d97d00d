#pragma once

#include "core/linalg/Matrix.h"
#include "core/linalg/ToolText.h"

#include <QDialog>

#include <optional>

class CEditGrid;
class CKeptWork;
class CSpinButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The matrix tool's memory: a result kept with "Copy Result" and read back
// by "&Paste". It belongs to whoever opens the tool, so it outlives one dialog.
using MatrixMemory = std::optional<CMatrix>;

// "Matrices Operations": multiply two matrices, multiply by a number,
// transpose, invert, adjugate; the result is shown in its own dialog.
class CMatrixOpsDlg : public QDialog
{
    Q_OBJECT
public:
    enum EOperation { Multiply, MultiplyNumber, Transpose, Inverse, Adjoint };
    static constexpr int kMinSize = kMinMatrixSize;
    static constexpr int kMaxSize = kMaxMatrixSize;

    explicit CMatrixOpsDlg(MatrixMemory &memory, QWidget *parent = nullptr);

    // Significant digits of the last result that hold, as its cells show them.
    int ResultDigits() const { return m_nResultDigits; }


    void OnOperationSelected(int nOperation);
    void OnRowsChanged();
    void OnColumnsChanged();
    void OnMatrix1();
    void OnMatrix2();
    void OnCalculate();
    void OnPaste();

    int m_nColumns = 4;
    int m_nRows = 6;
    int m_nOperation = Multiply;
    int m_nMatrixChoice = 0;
    double m_dNumber = 0.0;

private:
    CEditGrid *VisibleGrid() const;
    void SetField(QLineEdit *pField, int nValue);
    void Shape(CEditGrid *pGrid, int nRows, int nCols);
    bool Compute();
    // Shows the result in its own dialog; whether "Copy Result" was pressed.
    bool ShowResult();
    void Show(const SToolMessage &message);
    void KeepWork();
    void GrowFor(CEditGrid *pGrid, int nRows, int nCols);

    CKeptWork *m_pKept = nullptr;
    bool m_bSecondSized = false;  // the user gave the second matrix its columns
    int m_nResultDigits = 15;     // significant digits of the result that hold
    MatrixMemory &m_memory;
    CMatrix m_first, m_second, m_result;

    QComboBox *m_pOperation = nullptr;
    QLineEdit *m_pRows = nullptr;
    QLineEdit *m_pColumns = nullptr;
    QLabel *m_pRowsLabel = nullptr;
    CSpinButton *m_pRowsSpin = nullptr;
    CSpinButton *m_pColumnsSpin = nullptr;
    QRadioButton *m_pMatrix1 = nullptr;
    QRadioButton *m_pMatrix2 = nullptr;
    QLabel *m_pNumberLabel = nullptr;
    QLineEdit *m_pNumber = nullptr;
    QLabel *m_pDescription = nullptr;
    QGroupBox *m_pGroup = nullptr;
    CEditGrid *m_pFirst = nullptr;
    CEditGrid *m_pSecond = nullptr;
};
