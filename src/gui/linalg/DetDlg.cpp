#include "gui/linalg/DetDlg.h"

#include "core/linalg/Determinant.h"
#include "core/linalg/Matrix.h"
#include "core/linalg/ToolText.h"
#include "gui/linalg/EditGrid.h"
#include "gui/linalg/FieldValidation.h"
#include "gui/linalg/KeptWork.h"
#include "gui/linalg/SpinButton.h"
#include "gui/linalg/WaitCursor.h"
#include "gui/common/Message.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kHeaderTwips = 400;
constexpr int kCellTwips = 700;
// The spin control goes further than the sizes that are computed.
constexpr int kSpinMin = 2;
constexpr int kSpinMax = 200;
}  // namespace

CDetDlg::CDetDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Solving Determinants"));
    setObjectName(QStringLiteral("dlg144"));

    auto *pSizeLabel = new QLabel(QStringLiteral("Enter number of rows and columus :"), this);
    m_pSize = new QLineEdit(this);
    m_pSize->setObjectName(QStringLiteral("ctl1063"));
    m_pSize->setFixedWidth(60);
    m_pSpin = new CSpinButton(this);
    m_pSpin->setObjectName(QStringLiteral("ctl1041"));
    m_pSpin->SetRange(kSpinMin, kSpinMax);
    m_pSpin->SetBuddy(m_pSize);

    m_pGrid = new CEditGrid(this);
    m_pGrid->setObjectName(QStringLiteral("ctl1038"));
    m_pGrid->setMinimumSize(460, 240);
    m_pGrid->SetHeaderColumnLeftAligned();
    m_pGrid->horizontalHeader()->setDefaultSectionSize(m_pGrid->TwipsToPixelsX(kCellTwips));

    auto *pResultLabel = new QLabel(QStringLiteral("The determinant value :"), this);
    m_pResult = new QLineEdit(this);
    m_pResult->setObjectName(QStringLiteral("ctl1062"));
    m_pResult->setReadOnly(true);

    m_pSolve = new QPushButton(QStringLiteral("Solve"), this);
    m_pSolve->setObjectName(QStringLiteral("ctl1000"));
    m_pSolve->setDefault(true);
    auto *pClose = new QPushButton(QStringLiteral("Close"), this);
    pClose->setObjectName(QStringLiteral("ctl2"));
    pClose->setAutoDefault(false);

    auto *pTop = new QHBoxLayout;
    pTop->addWidget(pSizeLabel);
    pTop->addWidget(m_pSize);
    pTop->addWidget(m_pSpin);
    pTop->addStretch();
    auto *pBottom = new QHBoxLayout;
    pBottom->addWidget(pResultLabel);
    pBottom->addWidget(m_pResult, 1);
    pBottom->addWidget(m_pSolve);
    pBottom->addWidget(pClose);
    auto *pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pTop);
    pLayout->addWidget(m_pGrid, 1);
    pLayout->addLayout(pBottom);

    connect(m_pSize, &QLineEdit::textChanged, this, &CDetDlg::OnSizeChanged);
    connect(m_pSolve, &QPushButton::clicked, this, &CDetDlg::OnSolve);
    connect(pClose, &QPushButton::clicked, this, &QDialog::reject);

    m_pSize->setText(QString::number(m_nSize));  // lays out the grid
    // A pasted block larger than the matrix makes it larger, up to the largest size.
    m_pGrid->SetGrowRequest([this](int nRows, int nCols) {
        const int n = std::min(std::max(nRows, nCols), kMaxSize);
        if (n > m_nSize)
            m_pSize->setText(QString::number(n));
    });
    m_pKept = CKeptWork::For(parent, QStringLiteral("Det"));
    if (m_pKept && m_pKept->m_bKept) {
        m_pSize->setText(QString::number(m_pKept->m_aSizes.value(0, m_nSize)));
        m_pGrid->SetCellTexts(m_pKept->m_aGrids.value(0));
    }
    // A value of another matrix must not stay beside the typed one.
    connect(m_pGrid, &QTableWidget::itemChanged, m_pResult, &QLineEdit::clear);
    connect(this, &QDialog::finished, this, &CDetDlg::KeepWork);
    m_pResult->setText(QString::fromStdString(DeterminantText(m_dResult)));
    resize(560, 380);
}

void CDetDlg::OnSizeChanged()
{
    const std::optional<int> nSize = ReadIntegerField(this, m_pSize, kMinSize, kMaxSize);
    if (!nSize)
        return;
    m_nSize = *nSize;
    LayOut(m_nSize);
}

void CDetDlg::LayOut(int n)
{
    if (n + 1 != m_pGrid->Rows())
        m_pResult->clear();
    m_pGrid->SetRows(n + 1);
    m_pGrid->SetCols(n + 1);
    m_pGrid->SetColWidth(0, kHeaderTwips);
    m_pGrid->SetColWidth(n, kCellTwips);
    m_pGrid->WriteNumberHeaders();
}

void CDetDlg::OnSolve()
{
    m_pGrid->CommitPending();
    const std::optional<int> nSize = ReadIntegerField(this, m_pSize, kMinSize, kMaxSize);
    if (!nSize)
        return;
    if (*nSize + 1 != m_pGrid->Rows())
        LayOut(*nSize);
    const std::optional<CMatrix> matrix = m_pGrid->ReadMatrix(this);
    if (!matrix)
        return;
    std::optional<CDeterminant> determinant;
    {
        CWaitCursor wait;
        determinant.emplace(matrix->Rows(), matrix->Values());
    }
    m_dResult = determinant->Value();
    m_pResult->setText(QString::fromStdString(DeterminantFieldText(*determinant)));
    m_pResult->setCursorPosition(0);
    if (const auto warning = DeterminantWarning(*determinant))
        ShowMessage(this, QString::fromStdString(warning->text), QString::fromStdString(warning->caption),
                    MsgIcon::Warning);
}

void CDetDlg::KeepWork()
{
    if (!m_pKept)
        return;
    m_pGrid->CommitPending();
    m_pKept->m_bKept = true;
    m_pKept->m_aSizes = {m_nSize};
    m_pKept->m_aGrids = {m_pGrid->CellTexts()};
}
