#pragma once

#include <QDockWidget>
#include <QHash>

#include <functional>

class QAction;
class QToolButton;

// The zoom bar: two columns of buttons, each showing a zoom command's action.
// It only floats.
class CZoomBar : public QDockWidget
{
    Q_OBJECT
public:
    CZoomBar(QWidget *parent, const std::function<QAction *(int nId)> &action);

    QToolButton *Button(int nId) const { return m_buttons.value(nId); }
    // Floats the bar and keeps it floating once it is in its main window.
    void KeepFloating();

private:
    QHash<int, QToolButton *> m_buttons;
};
