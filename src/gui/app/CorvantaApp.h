#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class CCorvantaDoc;
class CMainFrame;
class QSettings;

// The application object: profile settings, the main window, the command
// line and the first-run discovery of the installation directory.
class CCorvantaApp
{
public:
    CCorvantaApp();
    ~CCorvantaApp();

    // Start-up; false ends the program (a command line it cannot process).
    bool InitInstance(const QStringList &aArguments);
    CMainFrame *MainFrame() const { return m_pFrame.get(); }
    CCorvantaDoc *Document() const { return m_pDocument.get(); }

    // The profile of the program: company "HALDEN", application "Corvanta".
    static std::unique_ptr<QSettings> OpenProfile();

    // Printf-style formatting must write a decimal point in every locale.
    static void SetNumericLocale();

    // The directory of the executable with a trailing separator.
    static QString InstallDirectory();

    // Writes "AppPath"/"Path" and "Settings"/"PathSet" unless "PathSet" is
    // already 1; returns whether it wrote them.
    static bool DiscoverInstallDirectory(QSettings &settings, const QString &strDirectory);

    struct SCommandLine {
        enum EAction { Run, Help, Version };
        EAction eAction = Run;
        bool bOk = true;
        QString strFile;   // document to open; empty: a new one
        QString strError;  // why the command line was refused
    };
    // Arguments as from QCoreApplication::arguments() (the program name first).
    static SCommandLine ParseCommandLine(const QStringList &aArguments);
    static QString VersionText();  // "Corvanta 1.1.0"
    // Answers --version and --help before any application object exists and
    // returns the exit code; nothing for a command line that starts the
    // program (or that only the application, knowing Qt's own options, can judge).
    static std::optional<int> AnswerWithoutWindows(int argc, char **argv);

    // What main returns when InitInstance declined to start: 0 after
    // --help or --version, 1 for a command line that was refused.
    int ExitCode() const { return m_nExitCode; }

private:
    // The single document outlives the frame that shows it.
    std::unique_ptr<CCorvantaDoc> m_pDocument;
    std::unique_ptr<CMainFrame> m_pFrame;
    int m_nExitCode = 0;
};
