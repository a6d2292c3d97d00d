#include "gui/analysis/PointsTableDlg.h"

#include "core/analysis/PointsTable.h"
#include "gui/analysis/TableSettingsDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString ObjectName(int id) { return QStringLiteral("ctl%1").arg(id); }
}  // namespace

const char *const CPointsTableDlg::kHeading = "             x                                       y";

CPointsTableDlg::CPointsTableDlg(CTableSettingsDlg &settings, QWidget *parent, DialogRunner run)
    : QDialog(parent), m_settings(settings), m_run(std::move(run))
{
    setWindowTitle(QStringLiteral("Make Points Table"));
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("y="), this));
    m_pFunctions = new QComboBox(this);
    m_pFunctions->setObjectName(ObjectName(1023));
    m_pFunctions->setMinimumWidth(260);
    top->addWidget(m_pFunctions, 1);
    layout->addLayout(top);

    // Fixed pitch, so the padded columns line up under the heading.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto *heading = new QLabel(QString::fromLatin1(kHeading), this);
    heading->setTextFormat(Qt::PlainText);
    layout->addWidget(heading);
    m_pTable = new QListWidget(this);
    m_pTable->setObjectName(ObjectName(1022));
    m_pTable->setFont(fixed);
    m_pTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pTable->setMinimumSize(QFontMetrics(fixed).horizontalAdvance(QString(56, QLatin1Char('0'))), 320);
    m_pTable->setUniformItemSizes(true);
    layout->addWidget(m_pTable, 1);

    auto *buttons = new QHBoxLayout;
    auto *calculate = new QPushButton(QStringLiteral("Calculate"), this);
    calculate->setObjectName(ObjectName(1008));
    calculate->setDefault(true);
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    auto *more = new QPushButton(QStringLiteral("Settings..."), this);
    more->setObjectName(ObjectName(1024));
    buttons->addWidget(calculate);
    buttons->addWidget(close);
    buttons->addWidget(more);
    layout->addLayout(buttons);
    connect(calculate, &QPushButton::clicked, this, &CPointsTableDlg::OnCalculate);
    connect(close, &QPushButton::clicked, this, &CPointsTableDlg::accept);
    connect(more, &QPushButton::clicked, this, &CPointsTableDlg::OnSettings);
}

int CPointsTableDlg::DoModal()
{
    m_settings.OnInitDialog();
    const int settings = RunDialog(m_settings, m_run);
    if (settings != QDialog::Accepted)
        return settings;
    OnInitDialog();
    return RunDialog(*this, m_run);
}

void CPointsTableDlg::OnInitDialog()
{
    m_pFunctions->clear();
    int current = -1;
    for (int i = 0; i < static_cast<int>(m_strFunctions.size()); ++i) {
        if (m_strFunctions[i].isEmpty())
            continue;
        if (i == m_nCurrent)
            current = m_pFunctions->count();
        m_pFunctions->addItem(m_strFunctions[i]);
    }
    m_pFunctions->setCurrentIndex(current);
}

void CPointsTableDlg::OnCalculate()
{
    m_strFunction = m_pFunctions->currentText();
    m_pTable->clear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto lines = ComputePointsTable(m_strFunction.toStdString(), m_settings.Confirmed());
    QStringList items;
    items.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string &line : lines)
        items << QString::fromStdString(line);
    m_pTable->addItems(items);
    QApplication::restoreOverrideCursor();
    m_pTable->setFocus(Qt::OtherFocusReason);
}

void CPointsTableDlg::OnSettings()
{
    m_settings.OnInitDialog();
    RunDialog(m_settings, m_run);
}
