#include "gui/app/FloatingBars.h"

#include <QDockWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace {

constexpr int kGap = 4;

QSettings Profile() { return QSettings(QStringLiteral("HALDEN"), QStringLiteral("Corvanta")); }

QRect AvailableArea()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

}  // namespace

CFloatingBars::CFloatingBars(QMainWindow *pFrame) : QObject(pFrame), m_pFrame(pFrame)
{
    m_pFrame->installEventFilter(this);
}

QString CFloatingBars::SettingsKey(const QDockWidget *pBar)
{
    return QStringLiteral("Bars/") + pBar->objectName();
}

void CFloatingBars::Add(QDockWidget *pBar, QPoint defaultPos)
{
    m_aBars.append(pBar);
    m_defaults.insert(pBar, defaultPos);
    pBar->installEventFilter(this);
}

void CFloatingBars::PlaceAll()
{
    for (QDockWidget *pBar : m_aBars) {
        m_bPlacing = true;
        pBar->setFloating(true);
        pBar->adjustSize();
        m_bPlacing = false;
        Place(pBar);
        // A bar mapped before its main window is taken by the window manager
        // for a window of its own, stacked as any other: it waits for the frame.
        if (!m_pFrame->isVisible() && !pBar->isHidden()) {
            pBar->hide();
            m_aWaiting.append(pBar);
        }
    }
}

QRect CFloatingBars::FreePlace(const QRect &wanted, const QList<QRect> &taken, const QRect &area)
{
    QList<QRect> candidates{wanted};
    for (const QRect &t : taken) {
        const QPoint beside[] = {{t.left() - kGap - wanted.width(), wanted.top()},
                                 {wanted.left(), t.bottom() + 1 + kGap},
                                 {wanted.left(), t.top() - kGap - wanted.height()},
                                 {t.right() + 1 + kGap, wanted.top()}};
        for (const QPoint &p : beside)
            candidates.append(QRect(p, wanted.size()));
    }
    for (const QRect &c : candidates) {
        if (area.isValid() && !area.contains(c))
            continue;
        bool bFree = true;
        for (const QRect &t : taken)
            bFree = bFree && !c.intersects(t);
        if (bFree)
            return c;
    }
    return wanted;
}

void CFloatingBars::Place(QDockWidget *pBar)
{
    const QRect area = AvailableArea();
    // Always on the screen, however small it is or was.
    const auto onScreen = [&area](QRect &place) {
        if (!area.isValid())
            return;
        place.moveLeft(qBound(area.left(), place.left(), qMax(area.left(), area.right() + 1 - place.width())));
        place.moveTop(qBound(area.top(), place.top(), qMax(area.top(), area.bottom() + 1 - place.height())));
    };
    QRect place;
    const QVariant saved = Profile().value(SettingsKey(pBar));
    if (saved.canConvert<QPoint>() && saved.isValid()) {
        place = QRect(saved.toPoint(), pBar->size());  // where the user left it
    } else {
        const QPoint offset = m_defaults.value(pBar);
        place = QRect(area.topLeft() + offset, pBar->size());
        // A bar wider than its place's room to the screen's edge moves in
        // first, so the other bars are cleared where it will really be.
        onScreen(place);
        QList<QRect> taken = m_aBusy;
        for (QDockWidget *pOther : m_aBars)
            if (pOther != pBar && pOther->isFloating() && pOther->isVisible())
                taken.append(pOther->frameGeometry());
        place = FreePlace(place, taken, area);
    }
    onScreen(place);
    m_bPlacing = true;
    pBar->move(place.topLeft());
    m_bPlacing = false;
    m_placed.insert(pBar, place.topLeft());
}

void CFloatingBars::AvoidAreas(const QList<QRect> &busy)
{
    m_aBusy = busy;
    for (QDockWidget *pBar : m_aBars) {
        if (!pBar->isFloating() || !pBar->isVisible() || Profile().contains(SettingsKey(pBar)))
            continue;
        const QRect bar = pBar->frameGeometry();
        if (std::any_of(busy.begin(), busy.end(), [&bar](const QRect &b) { return b.intersects(bar); }))
            Place(pBar);
    }
}

void CFloatingBars::ShowWaitingBars()
{
    if (m_aWaiting.isEmpty())
        return;
    for (QDockWidget *pBar : std::exchange(m_aWaiting, {})) {
        const bool bQuiet = pBar->testAttribute(Qt::WA_ShowWithoutActivating);
        pBar->setAttribute(Qt::WA_ShowWithoutActivating);
        pBar->show();
        pBar->setAttribute(Qt::WA_ShowWithoutActivating, bQuiet);
    }
    m_pFrame->activateWindow();  // the keyboard stays with the main window
}

// The window manager keeps a tool window above its transient parent; Qt
// names that parent only when the frame's window already exists.
void CFloatingBars::KeepAboveFrame(QDockWidget *pBar)
{
    if (!pBar->isWindow())
        return;
    m_pFrame->winId();  // the frame needs its window before the bar names it
    if (QWindow *pWindow = pBar->windowHandle())
        if (pWindow->transientParent() != m_pFrame->windowHandle())
            pWindow->setTransientParent(m_pFrame->windowHandle());
}

bool CFloatingBars::eventFilter(QObject *watched, QEvent *event)
{
    // The frame's show event comes before its window is mapped; the waiting
    // bars follow when the window manager has shown it.
    if (watched == m_pFrame) {
        if (event->type() == QEvent::Show && m_pFrame->windowHandle())
            m_pFrame->windowHandle()->installEventFilter(this);
        return QObject::eventFilter(watched, event);
    }
    if (watched == m_pFrame->windowHandle()) {
        if (event->type() == QEvent::Expose && m_pFrame->windowHandle()->isExposed())
            ShowWaitingBars();
        return QObject::eventFilter(watched, event);
    }

    auto *pBar = qobject_cast<QDockWidget *>(watched);
    if (pBar && m_defaults.contains(pBar)) {
        switch (event->type()) {
        case QEvent::Show:
            if (pBar->isFloating()) {
                m_shown[pBar].start();
                KeepAboveFrame(pBar);
                if (!m_bPlacing)
                    Place(pBar);
            }
            break;
        case QEvent::Move:
            if (m_bPlacing || !pBar->isFloating() || !pBar->isVisible() || pBar->pos() == m_placed.value(pBar))
                break;
            if (event->spontaneous()) {
                // Mapping a bar, some window managers report their frame's
                // first place (the screen's corner) for it; it stays where
                // it was put, or later drags would start from that corner.
                if (m_shown.value(pBar).isValid() && !m_shown.value(pBar).hasExpired(1000))
                    QTimer::singleShot(0, pBar, [this, pBar] { Place(pBar); });
                break;
            }
            // Qt draws the title bar: a drag moves the bar from here.
            m_placed.insert(pBar, pBar->pos());
            Profile().setValue(SettingsKey(pBar), pBar->pos());
            break;
        default: break;
        }
    }
    return QObject::eventFilter(watched, event);
}
