#include "gui/app/SplashDlg.h"

#include "gui/app/Artwork.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>

namespace {
bool g_bEnabled = true;
bool g_bShown = false;
}  // namespace

CSplashDlg::CSplashDlg(QWidget *parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_TranslucentBackground, false);
    m_picture = SplashPixmap(kWidth, kHeight);
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &CSplashDlg::OnTimer);
}

void CSplashDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->geometry();
        move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
    }
    setMask(QRegion(0, 0, kWidth, kHeight, QRegion::Ellipse));
    update();
    m_nTicks = 0;
    m_timer.start();
}

void CSplashDlg::OnTimer()
{
    ++m_nTicks;
    if (m_nTicks == 1) {
        m_timer.stop();
        accept();
    }
}

void CSplashDlg::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(0, 0, m_picture);
}

// Neither clicks nor keys end the splash early; only its timer does.
void CSplashDlg::mousePressEvent(QMouseEvent *event) { event->accept(); }
void CSplashDlg::mouseReleaseEvent(QMouseEvent *event) { event->accept(); }
void CSplashDlg::mouseDoubleClickEvent(QMouseEvent *event) { event->accept(); }

// Keys typed while the splash shows were meant for the program: they go on
// to the frame's focused field, so "x^2-2" and Enter typed at start plot.
void CSplashDlg::keyPressEvent(QKeyEvent *event) { PassOn(event); }
void CSplashDlg::keyReleaseEvent(QKeyEvent *event) { PassOn(event); }

void CSplashDlg::PassOn(QKeyEvent *event)
{
    event->accept();
    QWidget *target = parentWidget() ? parentWidget()->focusWidget() : nullptr;
    if (!target)
        return;
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(), event->isAutoRepeat(),
                   static_cast<quint16>(event->count()));
    QCoreApplication::sendEvent(target, &copy);
}

bool CSplashDlg::ShowOnce(QWidget *parent)
{
    if (!g_bEnabled || g_bShown)
        return false;
    g_bShown = true;
    CSplashDlg dlg(parent);
    dlg.exec();
    return true;
}

void CSplashDlg::SetEnabled(bool bEnabled) { g_bEnabled = bEnabled; }
