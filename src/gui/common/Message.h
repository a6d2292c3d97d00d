#pragma once

#include <QString>

class QMessageBox;
class QWidget;

// The caption of the program's own messages (the framework's, in its dialogs).
inline constexpr const char *kProgramName = "Corvanta";

enum class MsgIcon { Stop, Question, Information, Warning, None };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

// Every message box of the program: asked through the prompts in force
// (see UserPrompts.h), so tests record what would have been shown and
// answer for the user.
MsgAnswer ShowMessage(QWidget *parent, const QString &text, const QString &caption,
                      MsgIcon icon = MsgIcon::Stop, MsgButtons buttons = MsgButtons::Ok);

// Widens a message box so that the window manager shows its whole caption
// (a short text made a box whose title read "Limite...").
void FitCaption(QMessageBox &box);
