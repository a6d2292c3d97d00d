#include "gui/linalg/SimEqDlg.h"

#include "core/linalg/LinearSystem.h"
#include "core/linalg/ToolText.h"
#include "core/expr/NumberText.h"
#include "core/expr/ShownNumber.h"
#include "gui/linalg/EditGrid.h"
#include "gui/linalg/FieldValidation.h"
#include "gui/linalg/KeptWork.h"
#include "gui/linalg/SpinButton.h"
#include "gui/linalg/WaitCursor.h"
#include "gui/common/Message.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kRowTwips = 400;
constexpr int kLastCoefficientTwips = 900;

QString Ten(double value) { return QString::fromStdString(ShownSolution(value)); }

}  // namespace

CSimEqDlg::CSimEqDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Simultaneous Equation Calculator"));
    setObjectName(QStringLiteral("dlg155"));

    auto *pLabel = new QLabel(QStringLiteral("Enter the number of equation to be solved:"), this);
    m_pCount = new QLineEdit(this);
    m_pCount->setObjectName(QStringLiteral("ctl1001"));
    m_pCount->setFixedWidth(60);
    m_pSpin = new CSpinButton(this);
    m_pSpin->setObjectName(QStringLiteral("ctl1041"));
    m_pSpin->SetRange(kMinEquations, kMaxEquations);
    m_pSpin->SetBuddy(m_pCount);

    m_pCoefficients = new CEditGrid(this);
    m_pCoefficients->setObjectName(QStringLiteral("ctl1038"));
    m_pCoefficients->setMinimumSize(480, 260);
    m_pSolutions = new CGrid(this);
    m_pSolutions->setObjectName(QStringLiteral("ctl1039"));
    m_pSolutions->SetFixedCols(0);
    m_pSolutions->SetCols(1);
    m_pSolutions->setFixedWidth(190);
    m_pSolutions->horizontalHeader()->setStretchLastSection(true);
    m_pSolutions->SetTextMatrix(0, 0, QStringLiteral("Solutions"));

    m_pSolve = new QPushButton(QStringLiteral("&Solve"), this);
    m_pSolve->setObjectName(QStringLiteral("ctl1040"));
    m_pSolve->setAutoDefault(false);
    auto *pClose = new QPushButton(QStringLiteral("&Close"), this);
    pClose->setObjectName(QStringLiteral("ctl2"));
    pClose->setAutoDefault(false);

    auto *pTop = new QHBoxLayout;
    pTop->addWidget(pLabel);
    pTop->addWidget(m_pCount);
    pTop->addWidget(m_pSpin);
    pTop->addStretch();
    auto *pGrids = new QHBoxLayout;
    pGrids->addWidget(m_pCoefficients, 1);
    pGrids->addWidget(m_pSolutions);
    auto *pButtons = new QHBoxLayout;
    pButtons->addStretch();
    pButtons->addWidget(m_pSolve);
    pButtons->addWidget(pClose);
    auto *pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pTop);
    pLayout->addLayout(pGrids, 1);
    pLayout->addLayout(pButtons);

    connect(m_pCount, &QLineEdit::textChanged, this, &CSimEqDlg::OnCountChanged);
    // Solutions of another system must not stay beside the typed one.
    connect(m_pCoefficients, &QTableWidget::itemChanged, this, &CSimEqDlg::ClearSolutions);
    connect(m_pSolve, &QPushButton::clicked, this, &CSimEqDlg::OnSolve);
    connect(pClose, &QPushButton::clicked, this, &QDialog::reject);

    // The free terms stay in the last column whatever the count passes through.
    m_pCoefficients->SetLastColumnApart(true);
    m_pCount->setText(QString::number(m_nEquations));  // lays out the grids
    // A pasted system larger than the grid makes the count larger, up to the largest.
    m_pCoefficients->SetGrowRequest([this](int nRows, int nCols) {
        const int n = std::min(std::max(nRows, nCols - 1), kMaxEquations);
        if (n > m_nEquations)
            m_pCount->setText(QString::number(n));
    });
    // The example system x + 2y + 3z = 9, 2x - y + z = 8, 3x - z = 3.
    const char *const kExample[3][4] = {{"1", "2", "3", "9"}, {"2", "-1", "1", "8"}, {"3", "0", "-1", "3"}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            m_pCoefficients->SetTextMatrix(i + 1, j + 1, QString::fromLatin1(kExample[i][j]));
    m_pKept = CKeptWork::For(parent, QStringLiteral("SimEq"));
    if (m_pKept && m_pKept->m_bKept) {
        m_pCount->setText(QString::number(m_pKept->m_aSizes.value(0, m_nEquations)));
        m_pCoefficients->SetCellTexts(m_pKept->m_aGrids.value(0));
    }
    connect(this, &QDialog::finished, this, &CSimEqDlg::KeepWork);
    resize(720, 420);
}

void CSimEqDlg::KeepWork()
{
    if (!m_pKept)
        return;
    m_pCoefficients->CommitPending();
    m_pKept->m_bKept = true;
    m_pKept->m_aSizes = {m_nEquations};
    m_pKept->m_aGrids = {m_pCoefficients->CellTexts()};
}

void CSimEqDlg::ClearSolutions()
{
    for (int i = 1; i < m_pSolutions->Rows(); ++i)
        if (!m_pSolutions->TextMatrix(i, 0).isEmpty())
            m_pSolutions->SetTextMatrix(i, 0, QStringLiteral(" "));
}

void CSimEqDlg::OnCountChanged()
{
    // Typing passes through counts like "1" on the way to "150": those are
    // left alone here, and Solve says what is wrong.
    const std::optional<int> nCount = ReadWholeInteger(m_pCount->text().toStdString());
    if (!nCount || *nCount < kMinEquations || *nCount > kMaxEquations)
        return;
    m_nEquations = *nCount;
    LayOut(m_nEquations);
}

void CSimEqDlg::LayOut(int n)
{
    CEditGrid &grid = *m_pCoefficients;
    // Blank the old headers: the cells that become ordinary cells must not keep
    // them. The grid itself keeps each coefficient with its variable and the
    // free terms in the last column.
    for (int c = 1; c < grid.Cols(); ++c)
        grid.SetTextMatrix(0, c, QStringLiteral(" "));
    for (int r = 1; r < grid.Rows(); ++r)
        grid.SetTextMatrix(r, 0, QStringLiteral(" "));
    grid.SetCols(n + 2);
    grid.SetRows(n + 1);
    m_pSolutions->SetRows(n + 1);
    ClearSolutions();
    for (int j = 1; j <= n; ++j)
        grid.SetTextMatrix(0, j, QStringLiteral("Coeff. ") + Ten(j));
    grid.SetTextMatrix(0, n + 1, QStringLiteral("Free Term"));
    for (int i = 1; i <= n; ++i)
        grid.SetTextMatrix(i, 0, QStringLiteral("Equa. ") + Ten(i));
    grid.SetRowHeights(kRowTwips);
    m_pSolutions->SetRowHeights(kRowTwips);
    grid.SetColWidth(n, kLastCoefficientTwips);
}

void CSimEqDlg::OnSolve()
{
    m_pCoefficients->CommitPending();
    const std::optional<int> nCount = ReadIntegerField(this, m_pCount, kMinEquations, kMaxEquations);
    if (!nCount)
        return;
    if (*nCount + 1 != m_pCoefficients->Rows())
        LayOut(*nCount);
    const int n = *nCount;
    const std::optional<CMatrix> augmented = m_pCoefficients->ReadMatrix(this);
    if (!augmented)
        return;
    CLinearSystem system(n, augmented->Values());
    {
        CWaitCursor wait;
        system.Solve();
    }
    ClearSolutions();
    if (const auto refusal = SystemRefusal(system)) {
        ShowMessage(this, QString::fromStdString(refusal->text), QString::fromStdString(refusal->caption), MsgIcon::Stop);
        return;
    }
    for (int i = 1; i <= n; ++i)
        m_pSolutions->SetTextMatrix(i, 0, QString::fromStdString(SolutionText(system, i)));
    if (const auto warning = SystemWarning(system))
        ShowMessage(this, QString::fromStdString(warning->text), QString::fromStdString(warning->caption),
                    MsgIcon::Warning);
}
