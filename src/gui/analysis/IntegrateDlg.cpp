#include "gui/analysis/IntegrateDlg.h"

#include "gui/view/NumberField.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QString ObjectName(int id) { return QStringLiteral("ctl%1").arg(id); }
}  // namespace

CIntegrateDlg::CIntegrateDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Limited Intergration"));
    auto *layout = new QVBoxLayout(this);

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Choose Eqauation:"), this), 0, 0);
    m_pFunctions = new QComboBox(this);
    m_pFunctions->setObjectName(ObjectName(1019));
    m_pFunctions->setMinimumWidth(220);
    grid->addWidget(m_pFunctions, 0, 1, 1, 3);
    connect(m_pFunctions, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int index) { m_nSelected = static_cast<std::int16_t>(index); });

    m_pFrom = new QLineEdit(this);
    m_pFrom->setObjectName(ObjectName(1012));
    m_pTo = new QLineEdit(this);
    m_pTo->setObjectName(ObjectName(1013));
    grid->addWidget(new QLabel(QStringLiteral("Integrate From:"), this), 1, 0);
    grid->addWidget(m_pFrom, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("To:"), this), 1, 2);
    grid->addWidget(m_pTo, 1, 3);

    m_pDivisions = new QLineEdit(this);
    m_pDivisions->setObjectName(ObjectName(1014));
    grid->addWidget(new QLabel(QStringLiteral("Divisions Value:"), this), 2, 0);
    grid->addWidget(m_pDivisions, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Range: 0.00001 -> 1.0000"), this), 2, 2, 1, 2);
    layout->addLayout(grid);

    auto *group = new QGroupBox(QStringLiteral("Evaluation Rule"), this);
    auto *groupLayout = new QVBoxLayout(group);
    m_pRules = new QButtonGroup(this);
    const struct { int id; const char *text; } rules[] = {
        {1002, "Mid-point Rule (Fast, Less Lccurate)"},
        {1003, "Trapiziod Rule (Intermediate)"},
        {1004, "Simpson's Rule (Slow, More accurate)"},
    };
    for (int i = 0; i < 3; ++i) {
        auto *radio = new QRadioButton(QString::fromLatin1(rules[i].text), group);
        radio->setObjectName(ObjectName(rules[i].id));
        m_pRules->addButton(radio, i);
        groupLayout->addWidget(radio);
    }
    layout->addWidget(group);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("&Integrate"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CIntegrateDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CIntegrateDlg::reject);
    layout->addWidget(buttons);
}

void CIntegrateDlg::OnInitDialog()
{
    {
        const QSignalBlocker block(m_pFunctions);
        m_pFunctions->clear();
        for (const QString &text : m_strFunctions) {
            if (text.isEmpty())
                break;
            m_pFunctions->addItem(text);
        }
        // An index that names no entry falls back to the first one, so the
        // function evaluated is always one of the view's.
        const int current = m_nCurrent >= 0 && m_nCurrent < m_pFunctions->count() ? m_nCurrent : 0;
        m_pFunctions->setCurrentIndex(m_pFunctions->count() > 0 ? current : -1);
    }
    m_nSelected = static_cast<std::int16_t>(m_pFunctions->currentIndex());
    m_pFrom->setText(NumberFieldText(m_dFrom));
    m_pTo->setText(NumberFieldText(m_dTo));
    m_pDivisions->setText(NumberFieldText(m_dDivisions));
    if (QAbstractButton *rule = m_pRules->button(m_nRule))
        rule->setChecked(true);
}

bool CIntegrateDlg::UpdateData()
{
    double from = 0, to = 0, divisions = 0;
    if (!ReadNumberField(m_pFrom, from) || !ReadNumberField(m_pTo, to) ||
        !ReadNumberField(m_pDivisions, divisions, kMinDivisions, kMaxDivisions))
        return false;
    m_dFrom = from;
    m_dTo = to;
    m_dDivisions = divisions;
    m_nRule = m_pRules->checkedId() >= 0 ? m_pRules->checkedId() : 1;
    return true;
}

void CIntegrateDlg::showEvent(QShowEvent *event)
{
    if (m_place)
        move(*m_place);
    QDialog::showEvent(event);
}

void CIntegrateDlg::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous())
        m_place = pos();
    QDialog::hideEvent(event);
}

void CIntegrateDlg::accept()
{
    if (UpdateData())
        QDialog::accept();
}
