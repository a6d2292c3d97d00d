// What the GUI tests share: a fake frame for the view, a view on it, the real frame, files.
#pragma once

#include "gui/ScriptedPrompts.h"
#include "gui/app/CorvantaDoc.h"
#include "gui/app/MainFrame.h"
#include "gui/app/SplashDlg.h"
#include "gui/common/CommandIds.h"
#include "gui/view/CorvantaView.h"
#include "gui/view/ViewHost.h"

#include <gtest/gtest.h>

#include <QtTest/QtTest>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <csignal>
#include <map>
#include <memory>

#include <sys/resource.h>

// Records what the view tells its frame and answers for the frame.
class CFakeHost : public CViewHost
{
public:
    QString RangeFieldText(int id) const override { return fields.count(id) ? fields.at(id) : QString(); }
    void SetRangeFieldText(int id, const QString &text) override { fields[id] = text; }
    void FocusFunctionList() override { ++focus; }
    void SelectFunctionListText(int start, int length) override { selection = {start, length}; }
    void ShowStatusText(const QString &text) override { status = text; }
    void SetBarVisible(int id, bool visible) override { bars[id] = visible; }
    void OnFirstPaint() override { ++firstPaints; }
    QString FunctionListText() const override { return edit; }
    void SetFunctionListText(const QString &text) override { edit = text; }
    int FunctionListCount() const override { return static_cast<int>(entries.size()); }
    void AppendFunctionListEntry(const QString &text) override { entries.append(text); }
    void InsertFunctionListEntry(int index, const QString &text) override
    {
        entries.insert(std::min<qsizetype>(index, entries.size()), text);
    }
    void RemoveFunctionListEntry(int index) override
    {
        if (index >= 0 && index < entries.size())
            entries.removeAt(index);
    }
    void ClearFunctionList() override { entries.clear(), edit.clear(); }
    void SetDerivativeText(const QString &text) override { derivative = text; }
    void SetTracePositionText(const QString &text) override { position = text; }
    void SetTraceResultText(const QString &text) override { result = text; }
    void SetTangentBarText(int id, const QString &text) override { tangent[id] = text; }
    bool IsScientific() const override { return scientific; }
    bool IsDegree() const override { return degree; }
    bool IsTrigonometric() const override { return trigonometric; }
    bool IsNewDocument() const override { return newDocument || (doc && doc->m_bNewDocument); }

    std::map<int, QString> fields, tangent;
    std::map<int, bool> bars;
    std::pair<int, int> selection{-1, 0};
    QString edit, status, position, derivative = QStringLiteral("untouched"), result = QStringLiteral("untouched");
    QStringList entries;
    bool scientific = false, degree = false, trigonometric = false, newDocument = false;
    CCorvantaDoc *doc = nullptr;
    int focus = 0, firstPaints = 0;
};

// A 500 x 400 view on the fake frame: 50 pixels a unit, the origin at (250, 200).
class ViewFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        view.SetHost(&host);
        view.resize(500, 400);
    }
    // Types a function into the fake list and plots it.
    void Plot(const QString &text)
    {
        host.edit = text;
        view.OnPlot();
    }
    void Plot(std::initializer_list<const char *> texts)
    {
        for (const char *t : texts)
            Plot(QString::fromLatin1(t));
    }
    // Plots text into slot, the slots before it filled with constants far off the picture.
    void PlotInto(int slot, const char *text)
    {
        while (view.State().m_nLast < slot - 1)
            view.Graph().Plot("1000000+" + std::to_string(view.State().m_nLast + 1));
        view.Graph().Plot(text);
    }
    void SetFields(const char *xMin, const char *xMax, const char *yMin, const char *yMax)
    {
        const char *texts[] = {xMin, xMax, yMin, yMax};
        for (int i = 0; i < 4; ++i)
            host.fields[IDC_X_MIN + i] = QString::fromLatin1(texts[i]);
    }

    ScriptedPrompts prompts;
    CFakeHost host;
    CCorvantaView view;
};

// The real frame, with its own profile directory and no splash window.
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
    // Types a function into the frame's list and plots it.
    void PlotInFrame(std::initializer_list<const char *> texts)
    {
        for (const char *t : texts) {
            m_pFrame->SetFunctionListText(QString::fromLatin1(t));
            m_pFrame->View()->OnPlot();
        }
    }

    ScriptedPrompts prompts;
    QTemporaryDir m_profileDir;
    std::unique_ptr<CMainFrame> m_pFrame;
};

inline QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Runs `write` as on a disk that fills up after 64 bytes of a file.
template <class Write> bool WithFullDisk(Write write)
{
    rlimit saved{}, small{};
    getrlimit(RLIMIT_FSIZE, &saved);
    small = saved;
    small.rlim_cur = 64;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const bool ok = setrlimit(RLIMIT_FSIZE, &small) == 0 && write();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    return ok;
}
