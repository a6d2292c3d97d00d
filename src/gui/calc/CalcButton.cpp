#include "gui/calc/CalcButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

CCalcButton::CCalcButton(const QString &strCaption, QWidget *parent) : QPushButton(strCaption, parent)
{
    setAutoDefault(false);
    // The keyboard stays in the expression while the keypad is used.
    setFocusPolicy(Qt::NoFocus);
}

QColor CCalcButton::CaptionColor() const
{
    const QString strText = text();
    const bool bDigit = strText.size() == 1 && (strText[0].isDigit() || strText[0] == u'.');
    return bDigit ? QColor(0, 0, 255) : QColor(255, 0, 0);
}

void CCalcButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    QRect rect = option.rect;
    if (isDown())
        rect.translate(1, 1);
    painter.setPen(CaptionColor());
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, text());
}
