#pragma once

#include "gui/common/UserPrompts.h"

// The prompts as the user meets them: Qt's message boxes and file, colour
// and progress dialogs, and each modal dialog's own event loop.
class CQtPrompts final : public CUserPrompts
{
public:
    MsgAnswer Message(QWidget *parent, const QString &text, const QString &caption, MsgIcon icon,
                      MsgButtons buttons) override;
    SFileAnswer AskFile(QWidget *parent, const SFileQuestion &question) override;
    std::optional<QColor> ChooseColor(QWidget *parent, const QColor &current) override;
    int RunDialog(QDialog &dialog) override;
    ProgressCallback StartProgress(QWidget *parent, const QString &label) override;

    // The progress window stays hidden this long, so quick work shows nothing.
    static constexpr int kProgressShowAfterMs = 300;
    static constexpr int kProgressSteps = 1000;
};
