#include "gui/linalg/GridEdit.h"

#include <QKeyEvent>

CGridEdit::CGridEdit(QWidget *parent) : QLineEdit(parent)
{
    setFrame(false);
    hide();
}

void CGridEdit::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        emit commitRequested();
        return;
    case Qt::Key_Escape:
        event->accept();
        emit discardRequested();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}
