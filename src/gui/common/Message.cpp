#include "gui/common/Message.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>

namespace {
MessageHandler &Handler()
{
    static MessageHandler handler;
    return handler;
}
}  // namespace

MsgAnswer ShowMessage(QWidget *parent, const QString &text, const QString &caption, MsgIcon icon, MsgButtons buttons)
{
    if (Handler())
        return Handler()(text, caption, icon, buttons);

    QMessageBox box(parent);
    box.setText(text);
    box.setWindowTitle(caption);
    switch (icon) {
    case MsgIcon::Stop: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::None: break;
    }
    switch (buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    FitCaption(box);
    // The window that asked gets the keyboard back: window managers may hand it
    // to the main window instead when the asker is a tool window.
    const QPointer<QWidget> asker = parent ? parent->window() : nullptr;
    const int answer = box.exec();
    if (asker && asker->isVisible())
        asker->activateWindow();
    switch (answer) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    default: return MsgAnswer::Ok;
    }
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

MessageHandler SetMessageHandler(MessageHandler handler)
{
    MessageHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}
