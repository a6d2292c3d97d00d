#include "gui/app/TangentBar.h"

#include "gui/app/BarLabel.h"
#include "gui/common/CommandIds.h"

#include <QCheckBox>
#include <QVBoxLayout>

CTangentBar::CTangentBar(QWidget *parent) : QDockWidget(QStringLiteral("Tangent Bar"), parent)
{
    setObjectName(QStringLiteral("bar%1").arg(IDD_TANGENT_BAR));
    setAllowedAreas(Qt::AllDockWidgetAreas);
    auto *pPanel = new QWidget(this);
    auto *pLayout = new QVBoxLayout(pPanel);
    pLayout->setContentsMargins(6, 4, 6, 6);
    const struct { int nId; const char *pszText; } labels[] = {
        {IDC_TANGENT_X, "x =               ----"},
        {IDC_TANGENT_FX, "f(x) =            ----"},
        {IDC_TANGENT_THETA, "Theta =        ----"},
        {IDC_TANGENT_SLOPE, "Slope =        ----"},
        {IDC_TANGENT_EQUATION, "Equation :Click right button."},
    };
    for (const auto &label : labels) {
        auto *pLabel = MakeBarLabel(QString::fromLatin1(label.pszText), pPanel);
        pLabel->setObjectName(BarControlName(label.nId));
        pLabel->setMinimumWidth(240);
        pLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_controls.insert(label.nId, pLabel);
        pLayout->addWidget(pLabel);
    }
    auto *pDegree = new QCheckBox(QStringLiteral("Degree"), pPanel);
    pDegree->setObjectName(BarControlName(IDC_DEGREE));
    m_controls.insert(IDC_DEGREE, pDegree);
    pLayout->addWidget(pDegree);
    connect(pDegree, &QCheckBox::clicked, this, &CTangentBar::degreeClicked);
    setWidget(pPanel);
}

void CTangentBar::SetText(int nId, const QString &strText)
{
    if (auto *pLabel = qobject_cast<QLabel *>(m_controls.value(nId)))
        pLabel->setText(strText);
}

void CTangentBar::SetDegreeChecked(bool bChecked)
{
    if (auto *pCheck = qobject_cast<QCheckBox *>(m_controls.value(IDC_DEGREE)))
        pCheck->setChecked(bChecked);
}
