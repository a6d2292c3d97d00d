#include "gui/common/Message.h"

#include "gui/common/UserPrompts.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>

MsgAnswer ShowMessage(QWidget *parent, const QString &text, const QString &caption, MsgIcon icon, MsgButtons buttons)
{
    return CUserPrompts::Current().Message(parent, text, caption, icon, buttons);
}

void FitCaption(QMessageBox &box)
{
    // Title bars draw in bold and keep room for an icon and three buttons.
    constexpr int kTitleBarExtra = 120;
    QFont font = box.font();
    font.setBold(true);
    const int width = QFontMetrics(font).horizontalAdvance(box.windowTitle()) + kTitleBarExtra;
    if (auto *pGrid = qobject_cast<QGridLayout *>(box.layout()))
        pGrid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), pGrid->rowCount(), 0, 1,
                       pGrid->columnCount());
}
