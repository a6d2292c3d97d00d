#include "gui/analysis/PointsTableDlg.h"

#include "core/analysis/PointsTable.h"
#include "gui/analysis/TableSettingsDlg.h"
#include "gui/common/Message.h"
#include "gui/common/UserPrompts.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace {
QString ObjectName(int id) { return QStringLiteral("ctl%1").arg(id); }
}  // namespace

const char *const CPointsTableDlg::kHeading = "             x                                       y";

CPointsTableDlg::CPointsTableDlg(CTableSettingsDlg &settings, QWidget *parent)
    : QDialog(parent), m_settings(settings)
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
    m_pCopy = new QPushButton(QStringLiteral("Copy"), this);
    m_pSave = new QPushButton(QStringLiteral("Save as CSV..."), this);
    for (QPushButton *pButton : {m_pCopy, m_pSave}) {
        pButton->setAutoDefault(false);
        pButton->setEnabled(false);  // until there is a table
        buttons->addWidget(pButton);
    }
    connect(m_pCopy, &QPushButton::clicked, this, &CPointsTableDlg::OnCopy);
    connect(m_pSave, &QPushButton::clicked, this, &CPointsTableDlg::OnSaveCsv);
    layout->addLayout(buttons);
    connect(calculate, &QPushButton::clicked, this, &CPointsTableDlg::OnCalculate);
    connect(close, &QPushButton::clicked, this, &CPointsTableDlg::accept);
    connect(more, &QPushButton::clicked, this, &CPointsTableDlg::OnSettings);
}

int CPointsTableDlg::DoModal()
{
    m_settings.OnInitDialog();
    const int settings = CUserPrompts::Current().RunDialog(m_settings);
    if (settings != QDialog::Accepted)
        return settings;
    OnInitDialog();
    return CUserPrompts::Current().RunDialog(*this);
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
    // A text is plotted once, so it names its slot.
    SParameterValues parameters;
    for (std::size_t i = 0; i < m_strFunctions.size(); ++i)
        if (!m_strFunction.isEmpty() && m_strFunctions[i] == m_strFunction)
            parameters = m_parameters[i];
    m_rows = PointsTableRows(m_strFunction.toStdString(), m_settings.Confirmed(), parameters);
    QStringList items;
    items.reserve(static_cast<qsizetype>(m_rows.size()));
    for (const STableRow &row : m_rows)
        items << QString::fromStdString(TableLine(row.x, row.y));
    m_pTable->addItems(items);
    m_pCopy->setEnabled(!m_rows.empty());
    m_pSave->setEnabled(!m_rows.empty());
    QApplication::restoreOverrideCursor();
    m_pTable->setFocus(Qt::OtherFocusReason);
}

void CPointsTableDlg::OnSettings()
{
    m_settings.OnInitDialog();
    CUserPrompts::Current().RunDialog(m_settings);
}

void CPointsTableDlg::OnCopy()
{
    if (!m_rows.empty())
        QGuiApplication::clipboard()->setText(QString::fromStdString(TableText(m_rows, '\t')));
}

void CPointsTableDlg::OnSaveCsv()
{
    if (m_rows.empty())
        return;
    SFileQuestion question;
    question.title = QStringLiteral("Save as CSV");
    question.bSave = true;
    question.filters = {QStringLiteral("CSV files (*.csv)"), QStringLiteral("All files (*)")};
    question.defaultSuffix = QStringLiteral("csv");
    question.bDialogConfirmsReplace = true;
    const QString path = CUserPrompts::Current().AskFile(this, question).path;
    if (path.isEmpty())
        return;
    // Written beside the target and renamed over it: a failed write leaves
    // an existing file as it was.
    QSaveFile file(path);
    const QByteArray text = QByteArray::fromStdString(TableText(m_rows, ','));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        ShowMessage(this,
                    QStringLiteral("The table could not be saved to %1.\n%2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()),
                    QStringLiteral("Save as CSV"), MsgIcon::Stop);
}
