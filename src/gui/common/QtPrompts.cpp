#include "gui/common/QtPrompts.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>

#include <memory>

MsgAnswer CQtPrompts::Message(QWidget *parent, const QString &text, const QString &caption, MsgIcon icon,
                              MsgButtons buttons)
{
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

SFileAnswer CQtPrompts::AskFile(QWidget *parent, const SFileQuestion &question)
{
    QFileDialog dlg(parent, question.title);
    dlg.setNameFilters(question.filters);
    dlg.setAcceptMode(question.bSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(question.bSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!question.defaultSuffix.isEmpty())
        dlg.setDefaultSuffix(question.defaultSuffix);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !question.bDialogConfirmsReplace);
    const QFileInfo suggested(question.suggested);
    if (!question.suggested.isEmpty() && suggested.isAbsolute())
        dlg.setDirectory(suggested.absolutePath());
    else if (!question.directory.isEmpty())
        dlg.setDirectory(question.directory);
    if (!question.suggested.isEmpty())
        dlg.selectFile(suggested.fileName());
    if (question.suffixFor)
        QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg, [&dlg, &question](const QString &strFilter) {
            dlg.setDefaultSuffix(question.suffixFor(strFilter));
        });
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return {dlg.selectedFiles().constFirst(), dlg.selectedNameFilter()};
}

std::optional<QColor> CQtPrompts::ChooseColor(QWidget *parent, const QColor &current)
{
    const QColor chosen = QColorDialog::getColor(current, parent);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

int CQtPrompts::RunDialog(QDialog &dialog) { return dialog.exec(); }

ProgressCallback CQtPrompts::StartProgress(QWidget *parent, const QString &label)
{
    // The window belongs to the callback's copies; a parent closed first has
    // deleted it already, which the guarded pointer notices.
    struct SWindow
    {
        QPointer<QProgressDialog> dialog;
        ~SWindow() { delete dialog.data(); }
    };
    auto window = std::make_shared<SWindow>();
    window->dialog = new QProgressDialog(label, QProgressDialog::tr("Cancel"), 0, kProgressSteps, parent);
    QProgressDialog &dlg = *window->dialog;
    dlg.setWindowModality(Qt::WindowModal);
    dlg.setMinimumDuration(kProgressShowAfterMs);
    dlg.setAutoClose(false);
    dlg.setAutoReset(false);
    dlg.setValue(0);
    return [window](double fraction) {
        if (!window->dialog)
            return false;  // its window went with its parent: nobody is waiting
        // setValue shows the window once the minimum duration has passed and
        // processes events while it is shown, so Cancel can be clicked.
        window->dialog->setValue(static_cast<int>(fraction * kProgressSteps));
        return window->dialog && !window->dialog->wasCanceled();
    };
}
