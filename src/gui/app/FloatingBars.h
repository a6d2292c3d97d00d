#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>

class QDockWidget;
class QMainWindow;

// The floating bars of the main window (zoom, trace, tangent). Each is a tool
// window whose transient parent is the main window, so the window manager
// keeps it above that window and no other. A bar opens where the user last
// left it (kept in the profile), else at its own place moved clear of the
// other bars on the screen.
class CFloatingBars : public QObject
{
    Q_OBJECT
public:
    explicit CFloatingBars(QMainWindow *pFrame);

    // Adds a bar with its place, relative to the top left of the screen's
    // available area.
    void Add(QDockWidget *pBar, QPoint defaultPos);
    // Floats every bar at its place (start-up).
    void PlaceAll();
    // What a bar at its own place must not cover (the graph's legend and
    // labels, on the screen): such a bar moves clear of it. A bar the user
    // has put somewhere stays there.
    void AvoidAreas(const QList<QRect> &busy);

    // The profile key under which a bar's place is kept.
    static QString SettingsKey(const QDockWidget *pBar);
    // The first of wanted, or wanted moved beside one of the taken
    // rectangles, that lies inside area and covers none of them; wanted
    // itself when there is none.
    static QRect FreePlace(const QRect &wanted, const QList<QRect> &taken, const QRect &area);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowWaitingBars();
    void Place(QDockWidget *pBar);
    void KeepAboveFrame(QDockWidget *pBar);

    QMainWindow *m_pFrame;
    QList<QDockWidget *> m_aBars;
    QList<QDockWidget *> m_aWaiting;  // to be shown once the frame is
    QHash<QDockWidget *, QPoint> m_defaults;
    QHash<QDockWidget *, QPoint> m_placed;
    QHash<QDockWidget *, QElapsedTimer> m_shown;  // where this class last put each bar
    bool m_bPlacing = false;  // our own moves are not the user's
    QList<QRect> m_aBusy;
};
