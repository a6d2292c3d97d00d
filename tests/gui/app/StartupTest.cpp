// Start-up: the install directory, the command line, the profile, the numeric
// locale, the recent files the profile keeps; About.
#include "gui/GuiFixtures.h"
#include "gui/app/AboutDlg.h"
#include "gui/app/CorvantaApp.h"
#include "gui/app/RecentFileList.h"

#include <QRegularExpression>

#include <clocale>
#include <cstdio>

namespace {

// The profile of a frame test, without the frame: the application makes its own.
class Startup : public FrameFixture
{
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        m_pFrame.reset();
    }
};

TEST_F(Startup, CommandLines)
{
    using Line = CCorvantaApp::SCommandLine;
    const struct { QStringList args; bool bOk; const char *pszFile; Line::EAction eAction = Line::Run; } cases[] = {
        {{"corvanta"}, true, ""}, {{"corvanta", "/home/u/my graphs/a b.cva"}, true, "/home/u/my graphs/a b.cva"},
        {{"corvanta", "first.cva", "second.cva"}, true, "first.cva"}, {{"corvanta", "--", "-odd.cva"}, true, "-odd.cva"},
        {{"corvanta", ""}, true, ""}, {{"corvanta", "-p", "graph.cva"}, false, ""}, {{}, true, ""},
        {{"corvanta", "--help"}, true, "", Line::Help}, {{"corvanta", "--help-all"}, true, "", Line::Help},
        {{"corvanta", "a.cva", "--version"}, true, "", Line::Version}, {{"corvanta", "-v"}, true, "", Line::Version},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CCorvantaApp::SCommandLine line = CCorvantaApp::ParseCommandLine(c.args);
        EXPECT_EQ(line.bOk, c.bOk);
        EXPECT_EQ(line.eAction, c.eAction);
        EXPECT_EQ(line.strFile, QString::fromUtf8(c.pszFile));
        EXPECT_EQ(line.strError.isEmpty(), c.bOk);
    }
    EXPECT_TRUE(CCorvantaApp::VersionText().contains(QRegularExpression("^Corvanta \\d+\\.\\d+\\.\\d+$")));
    CCorvantaApp refused;  // an unknown option ends start-up with status 1
    EXPECT_FALSE(refused.InitInstance({"corvanta", "-x"}));
    EXPECT_EQ(refused.MainFrame(), nullptr);
    EXPECT_EQ(refused.ExitCode(), 1);
}

TEST_F(Startup, InitInstanceUsesTheHaldenProfile)
{
    {
        QSettings profile("HALDEN", "Corvanta");
        profile.setValue("Recent File List/File1", "/data/one.cva");
        profile.setValue("Recent File List/File2", "/data/two.cva");
        profile.setValue("Settings/PathSet", "yes");  // only 1 marks a later run
        profile.setValue("AppPath/Path", "/stale/");
    }
    CCorvantaApp app;
    ASSERT_TRUE(app.InitInstance({"corvanta", "/data/start.cva"}));
    CMainFrame *pFrame = app.MainFrame();
    ASSERT_NE(pFrame, nullptr);
    EXPECT_TRUE(pFrame->isVisible());
    // The file does not exist: named in a message, and the program goes on with a new document.
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.contains("/data/start.cva"));
    EXPECT_EQ(app.Document()->GetTitle(), "Untitled");
    EXPECT_EQ(pFrame->RecentFiles().Paths(), (QStringList{"/data/one.cva", "/data/two.cva"}));
    EXPECT_EQ(pFrame->Action(ID_FILE_MRU_FILE1)->text(), "&1 one.cva");

    QSettings profile("HALDEN", "Corvanta");  // the install directory: the executable's, with a separator
    EXPECT_EQ(profile.value("Settings/PathSet").toInt(), 1);
    const QString strDir = QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + '/');
    EXPECT_EQ(profile.value("AppPath/Path").toString(), strDir);
    EXPECT_FALSE(CCorvantaApp::DiscoverInstallDirectory(profile, "/elsewhere/"));  // a later run leaves it
    EXPECT_EQ(profile.value("AppPath/Path").toString(), strDir);
}

TEST_F(Startup, NumbersKeepTheDecimalPointInAnyLocale)
{
    const auto format = [](double d) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.2f", d);
        return std::string(buf);
    };
    if (std::setlocale(LC_NUMERIC, "de_DE.utf8")) {
        EXPECT_EQ(format(1.5), "1,50");  // the fault being guarded against
    }
    CCorvantaApp app;
    ASSERT_TRUE(app.InitInstance({"corvanta"}));
    EXPECT_EQ(format(-1234.25), "-1234.25");
}

// Keys typed while the splash shows are not lost: typing a function and
// Enter right after start plots it.
TEST_F(FrameFixture, KeysTypedDuringTheSplashReachTheFunctionList)
{
    ShowFrame();
    m_pFrame->FocusFunctionList();
    CSplashDlg splash(m_pFrame.get());
    splash.show();
    QTest::keyClicks(&splash, QStringLiteral("x^2-2"));
    QTest::keyClick(&splash, Qt::Key_Return);
    EXPECT_TRUE(splash.isVisible());  // only its timer ends it
    EXPECT_EQ(m_pFrame->View()->State().m_aFunctions[0].m_strText, "x^2-2");
}

TEST(RecentFileList, NewestFirstNoDuplicatesAtMostFour)
{
    CRecentFileList list(4);
    for (const char *psz : {"/a/1.cva", "/a/2.cva", "/a/3.cva", "/a/1.cva"})  // again: moves up
        list.Add(psz);
    EXPECT_EQ(list.Paths(), (QStringList{"/a/1.cva", "/a/3.cva", "/a/2.cva"}));
    list.Add("/a/./x/../2.cva");  // the same file by another spelling
    EXPECT_EQ(list.Paths(), (QStringList{"/a/2.cva", "/a/1.cva", "/a/3.cva"}));
    for (const char *psz : {"/a/4.cva", "/a/5.cva", ""})
        list.Add(psz);
    EXPECT_EQ(list.Paths(), (QStringList{"/a/5.cva", "/a/4.cva", "/a/2.cva", "/a/1.cva"}));
    for (int i : {1, 7, -1})
        list.Remove(i);
    EXPECT_EQ(list.Paths(), (QStringList{"/a/5.cva", "/a/2.cva", "/a/1.cva"}));

    CRecentFileList names(4);  // menu texts: the name alone unless two share it
    for (const char *psz : {"/x/a&b.cva", "/y/same.cva", "/z/same.cva"})
        names.Add(psz);
    EXPECT_EQ(names.MenuText(0), QString("&1 ") + QDir::toNativeSeparators("/z/same.cva"));
    EXPECT_EQ(names.MenuText(2), "&3 a&&b.cva");  // '&' shown, not a mnemonic
    EXPECT_EQ(names.MenuText(3), "");
}

TEST(RecentFileList, ProfileRoundTripSkipsHolesAndDuplicates)
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath("p.ini"), QSettings::IniFormat);
    settings.setValue("Recent File List/File1", "/p/1.cva");
    settings.setValue("Recent File List/File3", "/p/3.cva");
    settings.setValue("Recent File List/File4", "/p/1.cva");
    settings.setValue("Recent File List/File5", "/p/5.cva");  // beyond the four
    CRecentFileList list(4);
    list.Load(settings);
    EXPECT_EQ(list.Paths(), (QStringList{"/p/1.cva", "/p/3.cva"}));
    list.Add("/p/new.cva");
    list.Save(settings);
    EXPECT_FALSE(settings.contains("Recent File List/File4"));
    CRecentFileList again(4);
    again.Load(settings);
    EXPECT_EQ(again.Paths(), list.Paths());
}

// One tick of a timer, as its timeout gives it, without waiting for it.
void Tick(QTimer &timer) { ASSERT_TRUE(QMetaObject::invokeMethod(&timer, "timeout", Qt::DirectConnection)); }

// Credits grow from the bottom, one a tick; a late tick reads nothing out of range;
// a second dialog starts empty again.
TEST(About, CreditsGrowEveryTickAndReopeningRestartsFromEmpty)
{
    for (int round = 0; round < 2; ++round) {
        CAboutDlg dlg;
        dlg.show();
        EXPECT_EQ(dlg.CreditText(), "");
        Tick(dlg.Timer());
        EXPECT_EQ(dlg.CreditText(), dlg.Credits().last() + "\n\n");
        for (qsizetype tick = 2; tick <= dlg.Credits().size(); ++tick) {
            EXPECT_TRUE(dlg.Timer().isActive()) << tick;
            Tick(dlg.Timer());
        }
        EXPECT_FALSE(dlg.Timer().isActive());
        Tick(dlg.Timer());
        EXPECT_EQ(dlg.CreditText(), dlg.Credits().join("\n\n") + "\n\n");
    }
}

}  // namespace
