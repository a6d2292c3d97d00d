#include "gui/app/ExpressionBar.h"

#include "gui/app/BarLabel.h"
#include "gui/common/CommandIds.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

// A small bordered box showing one solid colour, disabled or not.
class CColorIndicator : public QFrame
{
public:
    explicit CColorIndicator(QWidget *parent) : QFrame(parent) { setFrameStyle(QFrame::Box | QFrame::Plain); }
    void SetColor(const QColor &color)
    {
        m_color = color;
        update();
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter p(this);
        p.fillRect(contentsRect(), m_color);
        p.end();
        QFrame::paintEvent(event);
    }

private:
    QColor m_color = Qt::white;
};

CExpressionBar::CExpressionBar(QWidget *parent) : QToolBar(QStringLiteral("Function Entry"), parent)
{
    setObjectName(QStringLiteral("bar%1").arg(IDD_EXPRESSION_BAR));
    setMovable(true);
    setFloatable(false);

    auto *pPanel = new QWidget(this);
    auto *pGrid = new QGridLayout(pPanel);
    pGrid->setContentsMargins(4, 2, 4, 2);
    pGrid->setHorizontalSpacing(6);
    pGrid->setVerticalSpacing(3);

    auto reg = [this](int nId, QWidget *pWidget) {
        pWidget->setObjectName(BarControlName(nId));
        m_controls.insert(nId, pWidget);
    };

    pGrid->addWidget(MakeBarLabel(QStringLiteral("f(x) ="), pPanel), 0, 0);

    m_pFunctionList = new QComboBox(pPanel);
    m_pFunctionList->setEditable(true);
    m_pFunctionList->setInsertPolicy(QComboBox::NoInsert);
    // Only what the user typed is plotted: no completion from the list.
    m_pFunctionList->setCompleter(nullptr);
    m_pFunctionList->setMaxVisibleItems(8);
    // 310 pixels when there is room; the bar's fields give way on small
    // screens so the window still fits 800 pixels.
    m_pFunctionList->setMinimumWidth(100);
    m_pFunctionList->setMaximumWidth(310);
    m_pFunctionList->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_pFunctionList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_pFunctionList->setMinimumContentsLength(8);
    m_pFunctionList->setFocusPolicy(Qt::StrongFocus);
    m_pFunctionList->setToolTip(QStringLiteral("Type a function of x and press Enter or \"Plot\""));
    reg(IDC_FUNCTION_LIST, m_pFunctionList);
    pGrid->addWidget(m_pFunctionList, 0, 1);

    m_pColorIndicator = new CColorIndicator(pPanel);
    m_pColorIndicator->setFixedSize(17, 16);  // 353 .. 370
    m_pColorIndicator->setEnabled(false);
    reg(IDC_COLOR_INDICATOR, m_pColorIndicator);
    SetIndicatorColor(Qt::white);
    pGrid->addWidget(m_pColorIndicator, 0, 2);

    auto *pPlot = new QPushButton(QStringLiteral("Plot"), pPanel);
    reg(IDC_PLOT, pPlot);
    auto *pReplot = new QPushButton(QStringLiteral("Re-Plot"), pPanel);
    reg(IDC_REPLOT, pReplot);
    for (QPushButton *pButton : {pPlot, pReplot}) {
        pButton->setAutoDefault(false);
        pButton->setFocusPolicy(Qt::TabFocus);
    }
    pGrid->addWidget(pPlot, 0, 3);
    pGrid->addWidget(pReplot, 0, 4);
    connect(pPlot, &QPushButton::clicked, this, &CExpressionBar::plotRequested);
    connect(pReplot, &QPushButton::clicked, this, &CExpressionBar::replotRequested);
    // Enter in the bar is the plot command too.
    connect(m_pFunctionList->lineEdit(), &QLineEdit::returnPressed, this, &CExpressionBar::plotRequested);
    connect(m_pFunctionList, qOverload<int>(&QComboBox::activated), this, &CExpressionBar::functionSelected);

    auto *pRanges = new QHBoxLayout;
    pRanges->setSpacing(4);
    const struct { int nId; const char *pszLabel; } ranges[] = {
        {IDC_X_MIN, "x min:"}, {IDC_X_MAX, "x max:"}, {IDC_Y_MIN, "y min:"}, {IDC_Y_MAX, "y max:"}};
    for (const auto &range : ranges) {
        auto *pLabel = MakeBarLabel(QString::fromLatin1(range.pszLabel), pPanel);
        auto *pEdit = new QLineEdit(pPanel);
        pEdit->setMinimumWidth(44);
        pEdit->setMaximumWidth(78);
        pEdit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        reg(range.nId, pEdit);
        pEdit->installEventFilter(this);
        pRanges->addSpacing(6);
        pRanges->addWidget(pLabel);
        pRanges->addWidget(pEdit);
    }
    pRanges->addStretch();
    pGrid->addLayout(pRanges, 0, 5);
    pGrid->setColumnStretch(1, 1);  // spare width goes to the function list first

    pGrid->addWidget(MakeBarLabel(QStringLiteral("f'(x) = "), pPanel), 1, 0);
    auto *pDerivative = new QLineEdit(pPanel);
    pDerivative->setReadOnly(true);
    pDerivative->setFocusPolicy(Qt::ClickFocus);
    reg(IDC_DERIVATIVE, pDerivative);
    pGrid->addWidget(pDerivative, 1, 1, 1, 5);
    pGrid->setColumnStretch(5, 1);

    addWidget(pPanel);
}

QList<QWidget *> CExpressionBar::TextFields() const
{
    QList<QWidget *> fields;
    for (int nId = IDC_X_MIN; nId <= IDC_Y_MAX; ++nId)
        if (QWidget *pField = m_controls.value(nId))
            fields.append(pField);
    fields << m_pFunctionList << m_pFunctionList->lineEdit();
    return fields;
}

void CExpressionBar::SetControlText(int nId, const QString &strText)
{
    QWidget *pControl = m_controls.value(nId);
    if (auto *pEdit = qobject_cast<QLineEdit *>(pControl)) {
        pEdit->setText(strText);
        pEdit->setCursorPosition(0);  // a long number shows its sign and first digits
    }
    else if (auto *pCombo = qobject_cast<QComboBox *>(pControl))
        pCombo->setEditText(strText);
    else if (auto *pButton = qobject_cast<QPushButton *>(pControl))
        pButton->setText(strText);
    else if (auto *pLabel = qobject_cast<QLabel *>(pControl))
        pLabel->setText(strText);
}

QString CExpressionBar::ControlText(int nId) const
{
    QWidget *pControl = m_controls.value(nId);
    if (auto *pEdit = qobject_cast<QLineEdit *>(pControl))
        return pEdit->text();
    if (auto *pCombo = qobject_cast<QComboBox *>(pControl))
        return pCombo->currentText();
    if (auto *pButton = qobject_cast<QPushButton *>(pControl))
        return pButton->text();
    if (auto *pLabel = qobject_cast<QLabel *>(pControl))
        return pLabel->text();
    return {};
}

void CExpressionBar::SetIndicatorColor(const QColor &color)
{
    m_indicatorColor = color;
    m_pColorIndicator->SetColor(color);
}

bool CExpressionBar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        const int nId = m_controls.key(qobject_cast<QWidget *>(watched), 0);
        if (nId >= IDC_X_MIN && nId <= IDC_Y_MAX)
            emit rangeFieldFocused(nId);
    }
    return QToolBar::eventFilter(watched, event);
}
