#include "gui/app/FollowCommand.h"

#include <QAbstractButton>
#include <QAction>
#include <QPointer>

void FollowCommand(QWidget *pControl, QAction *pAction)
{
    if (!pControl || !pAction)
        return;
    auto update = [pControl = QPointer<QWidget>(pControl), pAction] {
        if (!pControl)
            return;
        pControl->setEnabled(pAction->isEnabled());
        auto *pButton = qobject_cast<QAbstractButton *>(pControl.data());
        if (pButton && pButton->isCheckable() && pAction->isCheckable() && pButton->isChecked() != pAction->isChecked())
            pButton->setChecked(pAction->isChecked());
    };
    QObject::connect(pAction, &QAction::changed, pControl, update);
    update();
}
