#pragma once

#include <QEvent>
#include <QObject>

#include <functional>

// State of the lock keys: bit 0 Caps Lock, bit 1 Num Lock, bit 2 Scroll Lock.
// 0 where the platform does not tell.
unsigned int LockKeyState();

// Calls back after every key event of the program and when it becomes
// active: the only moments a lock key can have changed for us to see.
class CLockKeyWatcher : public QObject
{
    Q_OBJECT  // so its owner can find it among its children
public:
    CLockKeyWatcher(QObject *parent, std::function<void()> changed) : QObject(parent), m_changed(std::move(changed)) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const QEvent::Type t = event->type();
        if (t == QEvent::KeyPress || t == QEvent::KeyRelease || t == QEvent::ApplicationActivate)
            m_changed();
        return false;
    }

private:
    std::function<void()> m_changed;
};
