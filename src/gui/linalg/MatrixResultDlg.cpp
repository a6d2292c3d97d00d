#include "gui/linalg/MatrixResultDlg.h"

#include "core/expr/ShownNumber.h"
#include "core/linalg/ToolText.h"
#include "gui/linalg/Grid.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kHeaderTwips = 400;
constexpr int kCellTwips = 700;
}  // namespace

CMatrixResultDlg::CMatrixResultDlg(const CMatrix &result, QWidget *parent, int digits)
    : QDialog(parent), m_result(result)
{
    setWindowTitle(QStringLiteral("Result of a matrices operation"));
    setObjectName(QStringLiteral("dlg142"));

    m_pGrid = new CGrid(this);
    m_pGrid->setObjectName(QStringLiteral("ctl1038"));
    m_pGrid->setMinimumSize(420, 220);
    m_pGrid->SetHeaderColumnLeftAligned();
    m_pGrid->horizontalHeader()->setDefaultSectionSize(m_pGrid->TwipsToPixelsX(kCellTwips));
    m_pGrid->SetRows(m_result.Rows() + 1);
    m_pGrid->SetCols(m_result.Cols() + 1);
    m_pGrid->SetColWidth(0, kHeaderTwips);
    m_pGrid->WriteNumberHeaders();
    // Widens the columns to the numbers.
    m_pGrid->WriteMatrix(m_result, [digits](double value) { return ShownMatrixCell(value, digits); });

    auto *pCopy = new QPushButton(QStringLiteral("Copy Result"), this);
    pCopy->setObjectName(QStringLiteral("ctl1001"));
    pCopy->setAutoDefault(false);
    auto *pOk = new QPushButton(QStringLiteral("OK"), this);
    pOk->setObjectName(QStringLiteral("ctl1"));
    pOk->setDefault(true);
    // Tab-separated full values for a spreadsheet or a text file (Ctrl+C in the grid does the same).
    auto *pCopyText = new QPushButton(QStringLiteral("Copy as &Text"), this);
    pCopyText->setAutoDefault(false);
    connect(pCopy, &QPushButton::clicked, this, &CMatrixResultDlg::OnCopyResult);
    connect(pCopyText, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(m_pGrid->CellsAsText()); });
    connect(pOk, &QPushButton::clicked, this, &QDialog::accept);

    auto *pButtons = new QHBoxLayout;
    pButtons->addStretch();
    pButtons->addWidget(pCopyText);
    pButtons->addWidget(pCopy);
    pButtons->addWidget(pOk);
    auto *pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pGrid, 1);
    pLayout->addLayout(pButtons);
    resize(480, 300);
}
