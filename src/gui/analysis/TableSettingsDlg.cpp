#include "gui/analysis/TableSettingsDlg.h"

#include "gui/view/NumberField.h"
#include "gui/common/Message.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
QString ObjectName(int id) { return QStringLiteral("ctl%1").arg(id); }
}  // namespace

CTableSettingsDlg::CTableSettingsDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Settings of Points Table"));
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("1- Specify domain :"), this), 0, 0, 1, 4);
    m_pFrom = new QLineEdit(this);
    m_pFrom->setObjectName(ObjectName(1003));
    m_pTo = new QLineEdit(this);
    m_pTo->setObjectName(ObjectName(1027));
    grid->addWidget(new QLabel(QStringLiteral("From:"), this), 1, 0);
    grid->addWidget(m_pFrom, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("To:"), this), 1, 2);
    grid->addWidget(m_pTo, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("2 - Specify Increment:"), this), 2, 0, 1, 2);
    m_pIncrement = new QLineEdit(this);
    m_pIncrement->setObjectName(ObjectName(1028));
    grid->addWidget(m_pIncrement, 2, 2, 1, 2);
    layout->addLayout(grid);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTableSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTableSettingsDlg::reject);
    layout->addWidget(buttons);
    OnInitDialog();
}

void CTableSettingsDlg::OnInitDialog()
{
    m_pFrom->setText(NumberFieldText(m_dFrom));
    m_pTo->setText(NumberFieldText(m_dTo));
    m_pIncrement->setText(NumberFieldText(m_dIncrement));
}

void CTableSettingsDlg::accept()
{
    if (!ReadNumberField(m_pFrom, m_dFrom) || !ReadNumberField(m_pTo, m_dTo) ||
        !ReadNumberField(m_pIncrement, m_dIncrement))
        return;
    const auto messages = CheckTableSettings({m_dFrom, m_dTo, m_dIncrement});
    for (const STableMessage &m : messages)
        ShowMessage(this, QString::fromStdString(m.text), QString::fromStdString(m.caption), MsgIcon::Stop);
    if (!messages.empty())
        return;
    m_dTableFrom = m_dFrom;
    m_dTableTo = m_dTo;
    m_dTableIncrement = m_dIncrement;
    QDialog::accept();
}

void CTableSettingsDlg::reject()
{
    m_dFrom = m_dTableFrom;
    m_dTo = m_dTableTo;
    m_dIncrement = m_dTableIncrement;
    OnInitDialog();
    QDialog::reject();
}
