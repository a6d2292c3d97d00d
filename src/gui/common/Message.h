#pragma once

#include <QString>

#include <functional>

class QMessageBox;
class QWidget;

// Every message box of the program goes through ShowMessage, so tests can
// record what would have been shown and answer for the user.
// The caption of the program's own messages (the framework's, in its dialogs).
inline constexpr const char *kProgramName = "Corvanta";

enum class MsgIcon { Stop, Question, Information, Warning, None };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

using MessageHandler = std::function<MsgAnswer(const QString &text, const QString &caption, MsgIcon, MsgButtons)>;

MsgAnswer ShowMessage(QWidget *parent, const QString &text, const QString &caption,
                      MsgIcon icon = MsgIcon::Stop, MsgButtons buttons = MsgButtons::Ok);

// Widens a message box so that the window manager shows its whole caption
// (a short text made a box whose title read "Limite...").
void FitCaption(QMessageBox &box);

// Installs a handler in place of the real boxes (an empty one restores them);
// returns the previous handler.
MessageHandler SetMessageHandler(MessageHandler handler);
