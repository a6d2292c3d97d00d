#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// An up-down control beside a text field (its buddy): the arrows, and the Up
// and Down keys in the field, step the field's integer within the range. The
// field itself takes any text; the dialog validates what it reads.
class CSpinButton : public QWidget
{
    Q_OBJECT
public:
    explicit CSpinButton(QWidget *parent = nullptr);

    void SetRange(int nMin, int nMax);
    int Minimum() const { return m_nMin; }
    int Maximum() const { return m_nMax; }
    void SetBuddy(QLineEdit *pBuddy);
    void StepBy(int nSteps);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_pBuddy = nullptr;
    QToolButton *m_pUp = nullptr;
    QToolButton *m_pDown = nullptr;
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nPos = 0;
};
