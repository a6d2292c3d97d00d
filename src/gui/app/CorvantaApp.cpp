#include "gui/app/CorvantaApp.h"

#include "gui/app/CorvantaDoc.h"
#include "gui/app/MainFrame.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QDir>
#include <QSettings>

#include <clocale>
#include <cstdio>

CCorvantaApp::CCorvantaApp() = default;
CCorvantaApp::~CCorvantaApp() = default;

std::unique_ptr<QSettings> CCorvantaApp::OpenProfile()
{
    return std::make_unique<QSettings>(QStringLiteral("HALDEN"), QStringLiteral("Corvanta"));
}

void CCorvantaApp::SetNumericLocale()
{
    // QApplication adopts the user's locale. Our own number texts do not
    // depend on it, but QString::asprintf and any library printf would then
    // write a decimal comma; the program's number texts keep the point.
    std::setlocale(LC_NUMERIC, "C");
}

QString CCorvantaApp::InstallDirectory()
{
    QString strDir = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    if (!strDir.endsWith(QDir::separator()))
        strDir += QDir::separator();
    return strDir;
}

bool CCorvantaApp::DiscoverInstallDirectory(QSettings &settings, const QString &strDirectory)
{
    if (settings.value(QStringLiteral("Settings/PathSet"), 0).toInt() == 1)
        return false;
    settings.setValue(QStringLiteral("AppPath/Path"), strDirectory);
    settings.setValue(QStringLiteral("Settings/PathSet"), 1);
    settings.sync();
    return true;
}

CCorvantaApp::SCommandLine CCorvantaApp::ParseCommandLine(const QStringList &aArguments)
{
    SCommandLine line;
    bool bOptionsEnd = false;
    for (int i = 1; i < aArguments.size(); ++i) {
        const QString &strArg = aArguments.at(i);
        if (!bOptionsEnd && strArg == QLatin1String("--")) {
            bOptionsEnd = true;
            continue;
        }
        if (!bOptionsEnd && strArg.startsWith(QLatin1Char('-')) && strArg.size() > 1) {
            line.bOk = false;
            line.strError = QStringLiteral("unknown option '%1'").arg(strArg);
            return line;
        }
        if (strArg.isEmpty())
            continue;
        if (line.strFile.isEmpty())
            line.strFile = strArg;  // one document at a time: the first one is opened
    }
    return line;
}

bool CCorvantaApp::InitInstance(const QStringList &aArguments)
{
    QCoreApplication::setOrganizationName(QStringLiteral("HALDEN"));
    QCoreApplication::setApplicationName(QStringLiteral("Corvanta"));
    QGuiApplication::setDesktopFileName(QStringLiteral("corvanta"));  // ties windows to the launcher
    SetNumericLocale();

    std::unique_ptr<QSettings> pProfile = OpenProfile();

    const SCommandLine line = ParseCommandLine(aArguments);
    if (!line.bOk) {
        std::fprintf(stderr, "corvanta: %s\nUsage: corvanta [file.cva]\n", qPrintable(line.strError));
        return false;
    }

    m_pDocument = std::make_unique<CCorvantaDoc>();
    m_pFrame = std::make_unique<CMainFrame>();
    m_pFrame->RecentFiles().Load(*pProfile);
    m_pFrame->RefreshRecentFileMenu();
    m_pFrame->SetDocument(m_pDocument.get());
    m_pDocument->OnNewDocument();
    // A file that cannot be opened has been named in a message; the program
    // goes on with the new document rather than vanishing.
    if (!line.strFile.isEmpty())
        m_pFrame->OpenDocumentFile(line.strFile);

    DiscoverInstallDirectory(*pProfile, InstallDirectory());

    m_pFrame->show();
    return true;
}
