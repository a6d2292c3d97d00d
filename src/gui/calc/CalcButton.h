#pragma once

#include <QPushButton>

// A keypad button of the calculator: a push-button frame, pressed while held
// down, with its caption centred on one line, blue for the digits and the
// point, red for everything else.
class CCalcButton : public QPushButton
{
    Q_OBJECT
public:
    CCalcButton(const QString &strCaption, QWidget *parent = nullptr);

    QColor CaptionColor() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
