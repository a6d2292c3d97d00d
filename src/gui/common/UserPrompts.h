#pragma once

#include "core/analysis/Progress.h"
#include "gui/common/Message.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QDialog;
class QWidget;

// A file name to ask for.
struct SFileQuestion
{
    QString title;
    bool bSave = false;  // the file may be new; otherwise it must exist
    QStringList filters;
    QString defaultSuffix;  // added to a name typed without one
    // A name to offer; when it is an absolute path the dialog opens in its folder.
    QString suggested;
    QString directory;  // where the dialog opens otherwise; empty: its own choice
    // Set when the suffix should follow the filter the user picks.
    std::function<QString(const QString &filter)> suffixFor;
    // The dialog asks before replacing a file itself; most commands ask
    // through the program's own boxes instead.
    bool bDialogConfirmsReplace = false;
};

struct SFileAnswer
{
    QString path;  // empty: cancelled
    QString filter;
};

// Every question the program puts to the user: message boxes, file names,
// colours, modal dialogs and the progress window with its Cancel. The real
// dialogs answer unless other prompts are installed, as tests do.
class CUserPrompts
{
public:
    virtual ~CUserPrompts() = default;

    virtual MsgAnswer Message(QWidget *parent, const QString &text, const QString &caption, MsgIcon icon,
                              MsgButtons buttons) = 0;
    virtual SFileAnswer AskFile(QWidget *parent, const SFileQuestion &question) = 0;
    // Empty when the user cancelled.
    virtual std::optional<QColor> ChooseColor(QWidget *parent, const QColor &current) = 0;
    // Runs a dialog modally; returns its result code (QDialog::Accepted or Rejected).
    virtual int RunDialog(QDialog &dialog) = 0;
    // A progress window for a long computation: the callback for the engine,
    // false once the user cancelled. The window lasts as long as the callback.
    virtual ProgressCallback StartProgress(QWidget *parent, const QString &label) = 0;

    // The prompts in force.
    static CUserPrompts &Current();
    // Puts prompts in place of the real dialogs (nullptr brings those back);
    // returns what was installed before. The caller keeps ownership.
    static CUserPrompts *Install(CUserPrompts *pPrompts);
};
