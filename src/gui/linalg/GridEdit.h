#pragma once

#include <QLineEdit>

// The in-place cell editor of CEditGrid. Enter and Escape are its own keys:
// they end the edit instead of reaching the dialog's default or cancel button.
class CGridEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit CGridEdit(QWidget *parent = nullptr);

signals:
    void commitRequested();
    void discardRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
