#pragma once

#include "gui/common/Message.h"

#include <QStringList>

#include <deque>
#include <vector>

// Records every message box the program would show and answers for the user:
// queued answers first, then Yes for questions and Ok otherwise. Restores the
// previous handler when it goes out of scope.
class MessageRecorder
{
public:
    struct Shown
    {
        QString text, caption;
        MsgIcon icon;
        MsgButtons buttons;
    };

    MessageRecorder()
    {
        m_previous = SetMessageHandler([this](const QString &text, const QString &caption, MsgIcon icon, MsgButtons b) {
            shown.push_back({text, caption, icon, b});
            if (answers.empty())
                return b == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Yes;
            const MsgAnswer a = answers.front();
            answers.pop_front();
            return a;
        });
    }
    ~MessageRecorder() { SetMessageHandler(m_previous); }
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    QStringList Texts() const
    {
        QStringList out;
        for (const Shown &s : shown)
            out << s.text;
        return out;
    }
    void Clear() { shown.clear(); }

    std::vector<Shown> shown;
    std::deque<MsgAnswer> answers;

private:
    MessageHandler m_previous;
};
