#pragma once

#include "gui/MessageRecorder.h"
#include "gui/app/MainFrame.h"
#include "gui/app/SplashDlg.h"

#include <gtest/gtest.h>

#include <QtTest/QtTest>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

// Stands in for the splash's own timer: ticks a splash that has been on the
// screen for a moment, from inside its modal loop.
class CSplashTicker
{
public:
    CSplashTicker()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            for (QWidget *pWidget : QApplication::topLevelWidgets()) {
                auto *pSplash = qobject_cast<CSplashDlg *>(pWidget);
                if (!pSplash || !pSplash->isVisible())
                    continue;
                if (pSplash != m_pSeen) {  // seen now; ticked next time, inside its loop
                    m_pSeen = pSplash;
                    return;
                }
                pSplash->Timer().stop();
                pSplash->OnTimer();
                m_pSeen = nullptr;
                ++m_nTicks;
            }
        });
        m_timer.start(10);
    }
    int Ticks() const { return m_nTicks; }

private:
    QTimer m_timer;
    QPointer<CSplashDlg> m_pSeen;
    int m_nTicks = 0;
};

// Each frame test gets its own profile directory, no splash window and a
// recorder answering every message box.
class FrameFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_profileDir.isValid());
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_profileDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_profileDir.path());
        CSplashDlg::SetEnabled(false);
        m_pFrame = std::make_unique<CMainFrame>();
    }
    void TearDown() override { m_pFrame.reset(); }

    void ShowFrame()
    {
        m_pFrame->show();
        QApplication::setActiveWindow(m_pFrame.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_pFrame.get()));
    }

    MessageRecorder messages;
    QTemporaryDir m_profileDir;
    std::unique_ptr<CMainFrame> m_pFrame;
};
