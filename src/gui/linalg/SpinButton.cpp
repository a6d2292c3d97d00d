#include "gui/linalg/SpinButton.h"

#include "core/expr/NumberText.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

CSpinButton::CSpinButton(QWidget *parent) : QWidget(parent)
{
    auto *pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    for (QToolButton **ppButton : {&m_pUp, &m_pDown}) {
        *ppButton = new QToolButton(this);
        (*ppButton)->setArrowType(ppButton == &m_pUp ? Qt::UpArrow : Qt::DownArrow);
        (*ppButton)->setAutoRepeat(true);
        (*ppButton)->setFixedSize(16, 11);
        (*ppButton)->setFocusPolicy(Qt::NoFocus);
        pLayout->addWidget(*ppButton);
    }
    connect(m_pUp, &QToolButton::clicked, this, [this] { StepBy(1); });
    connect(m_pDown, &QToolButton::clicked, this, [this] { StepBy(-1); });
}

void CSpinButton::SetRange(int nMin, int nMax)
{
    m_nMin = nMin;
    m_nMax = std::max(nMin, nMax);
    m_nPos = std::clamp(m_nPos, m_nMin, m_nMax);
}

void CSpinButton::SetBuddy(QLineEdit *pBuddy)
{
    if (m_pBuddy)
        m_pBuddy->removeEventFilter(this);
    m_pBuddy = pBuddy;
    if (m_pBuddy)
        m_pBuddy->installEventFilter(this);
}

void CSpinButton::StepBy(int nSteps)
{
    // Step from the field's value when it holds an integer, else from the last one.
    if (const std::optional<int> nValue = ReadWholeInteger(m_pBuddy ? m_pBuddy->text().toStdString() : std::string()))
        m_nPos = *nValue;
    const long long nNext = static_cast<long long>(m_nPos) + nSteps;
    m_nPos = static_cast<int>(std::clamp<long long>(nNext, m_nMin, m_nMax));
    if (m_pBuddy && m_pBuddy->text() != QString::number(m_nPos))
        m_pBuddy->setText(QString::number(m_nPos));
}

bool CSpinButton::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pBuddy && event->type() == QEvent::KeyPress && isEnabled()) {
        const int nKey = static_cast<QKeyEvent *>(event)->key();
        if (nKey == Qt::Key_Up || nKey == Qt::Key_Down) {
            StepBy(nKey == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
