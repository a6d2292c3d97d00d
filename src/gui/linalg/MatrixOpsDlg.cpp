#include "gui/linalg/MatrixOpsDlg.h"

#include "core/expr/ShownNumber.h"
#include "core/linalg/ToolText.h"
#include "gui/linalg/EditGrid.h"
#include "gui/linalg/FieldValidation.h"
#include "gui/view/NumberField.h"
#include "gui/linalg/KeptWork.h"
#include "gui/linalg/MatrixResultDlg.h"
#include "gui/linalg/SpinButton.h"
#include "gui/linalg/WaitCursor.h"
#include "gui/common/Message.h"
#include "gui/common/UserPrompts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kHeaderTwips = 400;
constexpr int kCellTwips = 700;

CEditGrid *NewGrid(int nId, QWidget *parent)
{
    auto *pGrid = new CEditGrid(parent);
    pGrid->setObjectName(QStringLiteral("ctl%1").arg(nId));
    pGrid->setMinimumSize(440, 230);
    pGrid->SetHeaderColumnLeftAligned();
    pGrid->horizontalHeader()->setDefaultSectionSize(pGrid->TwipsToPixelsX(kCellTwips));
    return pGrid;
}

QLineEdit *NewField(int nId, QWidget *parent)
{
    auto *pField = new QLineEdit(parent);
    pField->setObjectName(QStringLiteral("ctl%1").arg(nId));
    pField->setFixedWidth(60);
    return pField;
}

CSpinButton *NewSpin(int nId, QLineEdit *pBuddy, QWidget *parent)
{
    auto *pSpin = new CSpinButton(parent);
    pSpin->setObjectName(QStringLiteral("ctl%1").arg(nId));
    pSpin->SetRange(CMatrixOpsDlg::kMinSize, CMatrixOpsDlg::kMaxSize);
    pSpin->SetBuddy(pBuddy);
    return pSpin;
}

}  // namespace

CMatrixOpsDlg::CMatrixOpsDlg(MatrixMemory &memory, QWidget *parent) : QDialog(parent), m_memory(memory)
{
    setWindowTitle(QStringLiteral("Matrices Operations"));
    setObjectName(QStringLiteral("dlg140"));

    m_pOperation = new QComboBox(this);
    m_pOperation->setObjectName(QStringLiteral("ctl1045"));
    m_pOperation->addItems({QStringLiteral("Multiply 2 matrices"), QStringLiteral("Multiply a matrix and a number"),
                            QStringLiteral("Transpose"), QStringLiteral("Inverse matrix"), QStringLiteral("Adjoint matrix")});
    m_pRows = NewField(1046, this);
    m_pColumns = NewField(1048, this);
    m_pRowsSpin = NewSpin(1041, m_pRows, this);
    m_pColumnsSpin = NewSpin(1013, m_pColumns, this);
    m_pRowsLabel = new QLabel(QStringLiteral("Number of rows :"), this);
    m_pMatrix1 = new QRadioButton(QStringLiteral("Matrix 1"), this);
    m_pMatrix1->setObjectName(QStringLiteral("ctl1055"));
    m_pMatrix2 = new QRadioButton(QStringLiteral("Matrix 2"), this);
    m_pMatrix2->setObjectName(QStringLiteral("ctl1056"));
    m_pNumberLabel = new QLabel(QStringLiteral("Enter a number :"), this);
    m_pNumber = NewField(1034, this);
    m_pNumber->setFixedWidth(110);
    m_pDescription = new QLabel(this);
    m_pDescription->setObjectName(QStringLiteral("ctl1049"));
    m_pDescription->setWordWrap(true);
    m_pGroup = new QGroupBox(this);
    m_pGroup->setObjectName(QStringLiteral("ctl1047"));
    m_pFirst = NewGrid(1038, m_pGroup);
    m_pSecond = NewGrid(1039, m_pGroup);
    m_pSecond->hide();

    auto *pCalculate = new QPushButton(QStringLiteral("Calculate"), this);
    pCalculate->setObjectName(QStringLiteral("ctl1050"));
    pCalculate->setDefault(true);
    auto *pPaste = new QPushButton(QStringLiteral("&Paste"), this);
    pPaste->setObjectName(QStringLiteral("ctl1002"));
    pPaste->setAutoDefault(false);
    auto *pClose = new QPushButton(QStringLiteral("Close"), this);
    pClose->setObjectName(QStringLiteral("ctl2"));
    pClose->setAutoDefault(false);

    auto *pFields = new QGridLayout;
    pFields->addWidget(new QLabel(QStringLiteral("Select an operation :"), this), 0, 0);
    pFields->addWidget(m_pOperation, 0, 1, 1, 5);
    pFields->addWidget(m_pRowsLabel, 1, 0);
    pFields->addWidget(m_pRows, 1, 1);
    pFields->addWidget(m_pRowsSpin, 1, 2);
    pFields->addWidget(new QLabel(QStringLiteral("Number of columus :"), this), 1, 3);
    pFields->addWidget(m_pColumns, 1, 4);
    pFields->addWidget(m_pColumnsSpin, 1, 5);
    pFields->addWidget(m_pMatrix1, 2, 0);
    pFields->addWidget(m_pMatrix2, 2, 1, 1, 2);
    pFields->addWidget(m_pNumberLabel, 2, 3);
    pFields->addWidget(m_pNumber, 2, 4, 1, 2);
    pFields->setColumnStretch(6, 1);
    auto *pGrids = new QVBoxLayout(m_pGroup);
    pGrids->addWidget(m_pFirst);
    pGrids->addWidget(m_pSecond);
    auto *pButtons = new QHBoxLayout;
    pButtons->addStretch();
    pButtons->addWidget(pCalculate);
    pButtons->addWidget(pPaste);
    pButtons->addWidget(pClose);
    auto *pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pFields);
    pLayout->addWidget(m_pDescription);
    pLayout->addWidget(m_pGroup, 1);
    pLayout->addLayout(pButtons);

    connect(m_pOperation, &QComboBox::currentIndexChanged, this, &CMatrixOpsDlg::OnOperationSelected);
    connect(m_pRows, &QLineEdit::textChanged, this, &CMatrixOpsDlg::OnRowsChanged);
    connect(m_pColumns, &QLineEdit::textChanged, this, &CMatrixOpsDlg::OnColumnsChanged);
    connect(m_pMatrix1, &QRadioButton::clicked, this, &CMatrixOpsDlg::OnMatrix1);
    connect(m_pMatrix2, &QRadioButton::clicked, this, &CMatrixOpsDlg::OnMatrix2);
    connect(pCalculate, &QPushButton::clicked, this, &CMatrixOpsDlg::OnCalculate);
    connect(pPaste, &QPushButton::clicked, this, &CMatrixOpsDlg::OnPaste);
    connect(pClose, &QPushButton::clicked, this, &QDialog::reject);

    for (CEditGrid *pGrid : {m_pFirst, m_pSecond})
        pGrid->SetGrowRequest([this, pGrid](int nRows, int nCols) { GrowFor(pGrid, nRows, nCols); });
    SetField(m_pRows, m_nRows);
    SetField(m_pColumns, m_nColumns);
    m_pNumber->setText(QString::fromStdString(ShownExact(m_dNumber)));
    Shape(m_pFirst, m_nRows + 1, m_nColumns + 1);  // the second follows: as many rows as the first has columns
    m_pKept = CKeptWork::For(parent, QStringLiteral("MatrixOps"));
    if (m_pKept && m_pKept->m_bKept && m_pKept->m_aSizes.size() == 6 && m_pKept->m_aGrids.size() == 2) {
        const QList<int> &aSizes = m_pKept->m_aSizes;
        m_bSecondSized = aSizes[5] != 0;
        Shape(m_pFirst, aSizes[1], aSizes[2]);
        Shape(m_pSecond, aSizes[3], aSizes[4]);
        m_pFirst->SetCellTexts(m_pKept->m_aGrids[0]);
        m_pSecond->SetCellTexts(m_pKept->m_aGrids[1]);
        m_pNumber->setText(m_pKept->m_strNumber);
        m_nOperation = aSizes[0];
        const QSignalBlocker block(m_pOperation);
        m_pOperation->setCurrentIndex(m_nOperation);
    }
    OnOperationSelected(m_nOperation);
    connect(this, &QDialog::finished, this, &CMatrixOpsDlg::KeepWork);
    resize(600, 480);
}

void CMatrixOpsDlg::KeepWork()
{
    if (!m_pKept)
        return;
    m_pFirst->CommitPending();
    m_pSecond->CommitPending();
    m_pKept->m_bKept = true;
    m_pKept->m_aSizes = {m_nOperation,      m_pFirst->Rows(), m_pFirst->Cols(), m_pSecond->Rows(),
                         m_pSecond->Cols(), m_bSecondSized ? 1 : 0};
    m_pKept->m_aGrids = {m_pFirst->CellTexts(), m_pSecond->CellTexts()};
    m_pKept->m_strNumber = m_pNumber->text();
}

// A pasted block larger than the grid: the size fields grow, as if typed,
// up to the largest size. The second matrix's rows are the first's columns.
void CMatrixOpsDlg::GrowFor(CEditGrid *pGrid, int nRows, int nCols)
{
    if (pGrid != VisibleGrid())
        return;
    const auto grow = [](QLineEdit *pField, int nWanted, int nNow) {
        const int n = std::min(nWanted, kMaxSize);
        if (n > nNow && pField->isEnabled())
            pField->setText(QString::number(n));
    };
    if (m_nOperation == Inverse || m_nOperation == Adjoint) {
        grow(m_pRows, std::max(nRows, nCols), pGrid->rowCount());
        return;
    }
    grow(m_pRows, nRows, pGrid->rowCount());
    grow(m_pColumns, nCols, pGrid->columnCount());
}

CEditGrid *CMatrixOpsDlg::VisibleGrid() const { return m_pSecond->isHidden() ? m_pFirst : m_pSecond; }

// Fields written by the dialog itself are not the user's changes.
void CMatrixOpsDlg::SetField(QLineEdit *pField, int nValue)
{
    const QSignalBlocker block(pField);
    pField->setText(QString::number(nValue));
}

void CMatrixOpsDlg::Shape(CEditGrid *pGrid, int nRows, int nCols)
{
    pGrid->SetRows(nRows);
    pGrid->SetCols(nCols);
    pGrid->SetColWidth(0, kHeaderTwips);
    pGrid->WriteNumberHeaders();
    // The second matrix needs as many rows as the first has columns.
    if (pGrid == m_pFirst && (m_pSecond->Rows() != nCols || (!m_bSecondSized && m_pSecond->Cols() != nCols)))
        Shape(m_pSecond, nCols, m_bSecondSized ? m_pSecond->Cols() : nCols);
}

void CMatrixOpsDlg::OnOperationSelected(int nOperation)
{
    m_nOperation = nOperation;
    m_pSecond->hide();
    m_pFirst->show();
    m_nMatrixChoice = 0;
    m_pMatrix1->setChecked(true);
    const bool bTwo = nOperation == Multiply;
    const bool bNumber = nOperation == MultiplyNumber;
    m_pMatrix1->setVisible(bTwo);
    m_pMatrix2->setVisible(bTwo);
    m_pNumber->setVisible(bNumber);
    m_pNumberLabel->setVisible(bNumber);
    if (bTwo) {
        m_pDescription->setText(QStringLiteral(
            "Input the first matrix ,then click Matrix2 button and input the second. Finally, click calculate"));
        m_pGroup->setTitle(QStringLiteral("First matrix input"));
    } else if (bNumber) {
        m_pDescription->setText(QStringLiteral("Input a matrix and a number.Finally, click calculate."));
        m_pGroup->setTitle(QStringLiteral("Mutiply input"));
    } else {
        m_pDescription->setText(QStringLiteral("Input a matrix .Then, click calculate."));
        m_pGroup->setTitle(QStringLiteral("Matrix input"));
    }
    m_pRows->setEnabled(true);
    m_pRowsLabel->setEnabled(true);
    m_pColumns->setEnabled(true);
    m_pColumnsSpin->setEnabled(true);
    // The fields describe the first grid again (Matrix 2 may have shown the second's).
    m_nRows = m_pFirst->Rows() - 1;
    m_nColumns = m_pFirst->Cols() - 1;
    if (nOperation == Inverse || nOperation == Adjoint) {
        m_nColumns = m_nRows;
        m_pColumns->setEnabled(false);
        m_pColumnsSpin->setEnabled(false);
    }
    SetField(m_pRows, m_nRows);
    SetField(m_pColumns, m_nColumns);
    Shape(m_pFirst, m_nRows + 1, m_nColumns + 1);
}

void CMatrixOpsDlg::OnRowsChanged()
{
    const std::optional<int> nRows = ReadIntegerField(this, m_pRows, kMinSize, kMaxSize);
    if (!nRows)
        return;
    m_nRows = *nRows;
    if (m_nOperation == Inverse || m_nOperation == Adjoint) {
        m_nColumns = m_nRows;
        SetField(m_pColumns, m_nColumns);
        Shape(m_pFirst, m_nRows + 1, m_nRows + 1);
        return;
    }
    CEditGrid *pGrid = VisibleGrid();
    Shape(pGrid, m_nRows + 1, pGrid->Cols());
}

void CMatrixOpsDlg::OnColumnsChanged()
{
    const std::optional<int> nColumns = ReadIntegerField(this, m_pColumns, kMinSize, kMaxSize);
    if (!nColumns)
        return;
    m_nColumns = *nColumns;
    CEditGrid *pGrid = VisibleGrid();
    Shape(pGrid, pGrid->Rows(), m_nColumns + 1);
    pGrid->SetColWidth(m_nColumns, kCellTwips);
    if (pGrid == m_pSecond)
        m_bSecondSized = true;
}

void CMatrixOpsDlg::OnMatrix2()
{
    m_nMatrixChoice = 1;
    m_pGroup->setTitle(QStringLiteral("Second matrix input"));
    Shape(m_pSecond, m_pFirst->Cols(), m_bSecondSized ? m_pSecond->Cols() : m_pFirst->Cols());
    SetField(m_pRows, m_pFirst->Cols() - 1);
    m_pRows->setEnabled(false);
    m_pRowsLabel->setEnabled(false);
    SetField(m_pColumns, m_pSecond->Cols() - 1);
    m_pFirst->hide();
    m_pSecond->show();
}

void CMatrixOpsDlg::OnMatrix1()
{
    m_nMatrixChoice = 0;
    m_pGroup->setTitle(QStringLiteral("First matrix input"));
    SetField(m_pRows, m_pFirst->Rows() - 1);
    SetField(m_pColumns, m_pFirst->Cols() - 1);
    m_pRows->setEnabled(true);
    m_pRowsLabel->setEnabled(true);
    m_pSecond->hide();
    m_pFirst->show();
}

void CMatrixOpsDlg::Show(const SToolMessage &message)
{
    ShowMessage(this, QString::fromStdString(message.text), QString::fromStdString(message.caption), MsgIcon::Stop);
}

bool CMatrixOpsDlg::Compute()
{
    const std::optional<CMatrix> first = m_pFirst->ReadMatrix(this);
    if (!first)
        return false;
    m_first = *first;
    CMatrix::SResult result;
    switch (m_nOperation) {
    case Multiply: {
        const std::optional<CMatrix> second = m_pSecond->ReadMatrix(this);
        if (!second)
            return false;
        m_second = *second;
        result = CMatrix::Checked(m_first.Multiply(m_second));
        if (!result.matrix && result.trouble != CMatrix::ETrouble::OutOfRange) {
            Show(MultiplySizeMessage(m_first.Cols(), m_second.Rows()));
            return false;
        }
        break;
    }
    case MultiplyNumber: {
        if (!ReadNumberField(m_pNumber, m_dNumber))
            return false;
        result = CMatrix::Checked(m_first.Scale(m_dNumber));
        break;
    }
    case Transpose:
        result.matrix = m_first.Transpose();
        break;
    case Inverse: {
        CWaitCursor wait;
        result = m_first.InverseChecked();
        break;
    }
    case Adjoint: {
        CWaitCursor wait;
        result = m_first.AdjugateChecked();
        break;
    }
    default:
        return false;
    }
    if (const auto refusal = MatrixRefusal(result, m_nOperation == Inverse)) {
        Show(*refusal);
        return false;
    }
    if (const auto warning = MatrixWarning(result))
        ShowMessage(this, QString::fromStdString(warning->text), QString::fromStdString(warning->caption),
                    MsgIcon::Warning);
    m_result = std::move(*result.matrix);
    m_nResultDigits = result.digits;
    return true;
}

void CMatrixOpsDlg::OnCalculate()
{
    if (Compute() && ShowResult())
        m_memory = m_result;
}

bool CMatrixOpsDlg::ShowResult()
{
    CMatrixResultDlg dlg(m_result, this, m_nResultDigits);
    CUserPrompts::Current().RunDialog(dlg);
    return dlg.CopyRequested();
}

void CMatrixOpsDlg::OnPaste()
{
    if (!m_memory) {
        ShowMessage(this,
                    QStringLiteral("Error 0xA:\nThere's no data at memory.\n\nYou should copy output data to memory first."),
                    QStringLiteral("No Data exist "), MsgIcon::Stop);
        return;
    }
    CEditGrid *pTarget = m_nOperation == Multiply && m_nMatrixChoice == 1 ? m_pSecond : m_pFirst;
    pTarget->CommitPending();
    if (m_memory->Rows() != pTarget->Rows() - 1 || m_memory->Cols() != pTarget->Cols() - 1) {
        ShowMessage(this,
                    QStringLiteral("Error 0x09:\nCan't paste from memory to input.\n\nThe size of memory data ")
                        + QStringLiteral("(%1 \u00d7 %2)").arg(m_memory->Rows()).arg(m_memory->Cols())
                        + QStringLiteral(" is not match with that of input."),
                    QStringLiteral("Different size "), MsgIcon::Stop);
        return;
    }
    // The shortest text that reads back to the same double: nothing lost in a chain.
    pTarget->WriteMatrix(*m_memory, &ShownExact);
}
