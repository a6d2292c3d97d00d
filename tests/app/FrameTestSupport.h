#pragma once

#include "app/MainFrame.h"
#include "app/SplashDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>

// Each frame test gets its own profile directory and no splash window.
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

    QTemporaryDir m_profileDir;
    std::unique_ptr<CMainFrame> m_pFrame;
};
