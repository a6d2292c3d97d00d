#pragma once

#include <QDialog>
#include <QTimer>

// The splash window: an elliptic picture shown once per run, closing itself
// on the first tick of its one-second timer. Clicks do not close it sooner.
class CSplashDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kWidth = 398;
    static constexpr int kHeight = 248;
    static constexpr int kIntervalMs = 1000;

    explicit CSplashDlg(QWidget *parent = nullptr);

    // Shows the splash modally unless it was already shown in this run or
    // splashes are switched off; returns whether it was shown.
    static bool ShowOnce(QWidget *parent);
    // The one switch for the splash, on by default. Tests switch it off, so
    // a window they open runs no modal loop of its own.
    static void SetEnabled(bool bEnabled);

    int TickCount() const { return m_nTicks; }
    QTimer &Timer() { return m_timer; }

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void OnTimer();
    void PassOn(QKeyEvent *event);

    QTimer m_timer;
    QPixmap m_picture;
    int m_nTicks = 0;
};
