#include "gui/app/TraceBar.h"

#include "gui/app/BarLabel.h"
#include "gui/common/CommandIds.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

namespace {

// The longest f(x) the field shows: a negative value in exponent form with
// 15 significant digits and a three-digit exponent (22 characters).
const QString kLongestResult = QStringLiteral("-8.88888888888888e+888");

// The width a line edit needs to show the text whole, frame and margins included.
int WidthShowing(const QLineEdit *pEdit, const QString &strText)
{
    QStyleOptionFrame opt;
    opt.initFrom(pEdit);
    opt.lineWidth = pEdit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, pEdit);
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    constexpr int kSideMargin = 2;  // a line edit keeps 2 pixels beside its text, and 1 for the cursor
    const QMargins margins = pEdit->textMargins();
    const QSize contents(pEdit->fontMetrics().horizontalAdvance(strText) + 2 * kSideMargin + 1 + margins.left() +
                             margins.right(),
                         pEdit->fontMetrics().height());
    return pEdit->style()->sizeFromContents(QStyle::CT_LineEdit, &opt, contents, pEdit).width();
}

}  // namespace

CTraceBar::CTraceBar(QWidget *parent) : QDockWidget(QStringLiteral("Trace"), parent)
{
    setObjectName(QStringLiteral("bar%1").arg(IDD_TRACE_BAR));
    setAllowedAreas(Qt::AllDockWidgetAreas);
    auto *pPanel = new QWidget(this);
    auto *pLayout = new QVBoxLayout(pPanel);
    pLayout->setContentsMargins(6, 4, 6, 6);

    auto *pPosition = MakeBarLabel(QStringLiteral("0,0"), pPanel);
    pPosition->setObjectName(BarControlName(IDC_TRACE_POSITION));
    pPosition->setMinimumWidth(180);  // room for "x = -00.000000, y = -00.000000"
    m_controls.insert(IDC_TRACE_POSITION, pPosition);
    pLayout->addWidget(pPosition);

    auto *pGroup = new QGroupBox(QStringLiteral("Direct Function Trace"), pPanel);
    auto *pForm = new QGridLayout(pGroup);
    auto *pX = new QLineEdit(pGroup);
    pX->setObjectName(BarControlName(IDC_TRACE_X));
    m_controls.insert(IDC_TRACE_X, pX);
    auto *pFx = new QLineEdit(pGroup);
    pFx->setReadOnly(true);
    pFx->setObjectName(BarControlName(IDC_TRACE_FX));
    pFx->setMinimumWidth(WidthShowing(pFx, kLongestResult));
    m_controls.insert(IDC_TRACE_FX, pFx);
    pForm->addWidget(MakeBarLabel(QStringLiteral("x ="), pGroup), 0, 0);
    pForm->addWidget(pX, 0, 1);
    pForm->addWidget(MakeBarLabel(QStringLiteral("f(x) ="), pGroup), 1, 0);
    pForm->addWidget(pFx, 1, 1);
    pLayout->addWidget(pGroup);

    auto *pChecks = new QHBoxLayout;
    auto *pScientific = new QCheckBox(QStringLiteral("Scientific"), pPanel);
    pScientific->setObjectName(BarControlName(IDC_SCIENTIFIC));
    m_controls.insert(IDC_SCIENTIFIC, pScientific);
    auto *pDegree = new QCheckBox(QStringLiteral("Degree"), pPanel);
    pDegree->setObjectName(BarControlName(IDC_DEGREE));
    pDegree->setVisible(false);  // shown while the function has a trigonometric part
    m_controls.insert(IDC_DEGREE, pDegree);
    pChecks->addWidget(pScientific);
    pChecks->addWidget(pDegree);
    pChecks->addStretch();
    pLayout->addLayout(pChecks);

    connect(pX, &QLineEdit::textChanged, this, &CTraceBar::xChanged);
    connect(pScientific, &QCheckBox::clicked, this, &CTraceBar::scientificClicked);
    connect(pDegree, &QCheckBox::clicked, this, &CTraceBar::degreeClicked);
    setWidget(pPanel);
}

void CTraceBar::SetPositionText(const QString &strText)
{
    if (auto *pLabel = qobject_cast<QLabel *>(m_controls.value(IDC_TRACE_POSITION)))
        pLabel->setText(strText);
}

void CTraceBar::SetResultText(const QString &strText)
{
    if (auto *pEdit = qobject_cast<QLineEdit *>(m_controls.value(IDC_TRACE_FX))) {
        pEdit->setText(strText);
        pEdit->setCursorPosition(0);  // the sign and first digits, not the last ones
    }
}

QString CTraceBar::XText() const
{
    auto *pX = qobject_cast<QLineEdit *>(m_controls.value(IDC_TRACE_X));
    return pX ? pX->text() : QString();
}

bool CTraceBar::HasResult() const
{
    auto *pFx = qobject_cast<QLineEdit *>(m_controls.value(IDC_TRACE_FX));
    return pFx && !pFx->text().isEmpty();
}

void CTraceBar::SetDegreeVisible(bool bVisible)
{
    if (QWidget *pDegree = m_controls.value(IDC_DEGREE))
        pDegree->setVisible(bVisible);
}

void CTraceBar::SetDegreeChecked(bool bChecked)
{
    if (auto *pCheck = qobject_cast<QCheckBox *>(m_controls.value(IDC_DEGREE)))
        pCheck->setChecked(bChecked);
}
