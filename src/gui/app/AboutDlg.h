#pragma once

#include <QDialog>
#include <QStringList>
#include <QTimer>

class QLabel;
class QPushButton;

// The About box: a picture, the program's name and version, and credits that
// appear one line every 0.8 s from the bottom line upwards.
class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 800;

    explicit CAboutDlg(QWidget *parent = nullptr);

    const QStringList &Credits() const { return m_aCredits; }
    QString CreditText() const;  // text of control 1005
    static int Counter();
    QTimer &Timer() { return m_timer; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void StartAnimation();
    void OnTimer();  // adds the next credit line

    QStringList m_aCredits;
    QTimer m_timer;
    QLabel *m_pCredits = nullptr;
};
