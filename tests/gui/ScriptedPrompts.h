#pragma once

#include "gui/common/UserPrompts.h"

#include <QDialog>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

// Answers every question the program puts to the user, in place of the real
// dialogs, while it lives; records what was asked. Unscripted, it answers as
// a user who agrees to messages and cancels everything else: questions get
// Yes, other boxes Ok, file and colour choosers nothing, dialogs Rejected
// without a modal loop, and progress never cancels.
class ScriptedPrompts : public CUserPrompts
{
public:
    struct Shown
    {
        QString text, caption;
        MsgIcon icon;
        MsgButtons buttons;
    };

    ScriptedPrompts() : m_pPrevious(CUserPrompts::Install(this)) {}
    ~ScriptedPrompts() override { CUserPrompts::Install(m_pPrevious); }
    ScriptedPrompts(const ScriptedPrompts &) = delete;
    ScriptedPrompts &operator=(const ScriptedPrompts &) = delete;

    MsgAnswer Message(QWidget *, const QString &text, const QString &caption, MsgIcon icon,
                      MsgButtons buttons) override
    {
        shown.push_back({text, caption, icon, buttons});
        return Next(answers, buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Yes);
    }
    SFileAnswer AskFile(QWidget *, const SFileQuestion &question) override
    {
        fileQuestions.push_back(question);
        return Next(files, SFileAnswer{});
    }
    std::optional<QColor> ChooseColor(QWidget *, const QColor &current) override
    {
        colorsOffered.push_back(current);
        return Next(colors, std::optional<QColor>());
    }
    int RunDialog(QDialog &dialog) override
    {
        dialogTitles << dialog.windowTitle();
        return onDialog ? onDialog(dialog) : int(QDialog::Rejected);
    }
    ProgressCallback StartProgress(QWidget *, const QString &label) override
    {
        progressLabels << label;
        return [this](double fraction) { return !onProgress || onProgress(fraction); };
    }

    QStringList Texts() const
    {
        QStringList out;
        for (const Shown &s : shown)
            out << s.text;
        return out;
    }
    void Clear() { shown.clear(); }

    // Messages shown, and the answers to give, in order.
    std::vector<Shown> shown;
    std::deque<MsgAnswer> answers;
    // File questions asked, and the answers (an empty path cancels).
    std::vector<SFileQuestion> fileQuestions;
    std::deque<SFileAnswer> files;
    // Colours the chooser opened on, and the choices (empty: cancelled).
    std::vector<QColor> colorsOffered;
    std::deque<std::optional<QColor>> colors;
    // Plays the user in a modal dialog and returns its result code.
    std::function<int(QDialog &)> onDialog;
    QStringList dialogTitles;
    // Sees each progress report; false presses Cancel.
    std::function<bool(double)> onProgress;
    QStringList progressLabels;

private:
    template <class T> static T Next(std::deque<T> &queue, T otherwise)
    {
        if (queue.empty())
            return otherwise;
        T next = std::move(queue.front());
        queue.pop_front();
        return next;
    }

    CUserPrompts *m_pPrevious;
};
