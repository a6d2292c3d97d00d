#include "gui/app/CorvantaApp.h"

#include "gui/app/CorvantaDoc.h"
#include "gui/app/MainFrame.h"
#include "gui/view/AxisProfile.h"
#include "gui/view/CorvantaView.h"

#include "CorvantaVersion.h"

#include <QCommandLineParser>
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

namespace {

void DescribeCommandLine(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral("Corvanta: plot, differentiate and analyse functions of one variable."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A .cva document to open."),
                                 QStringLiteral("[file.cva]"));
}

}  // namespace

CCorvantaApp::SCommandLine CCorvantaApp::ParseCommandLine(const QStringList &aArguments)
{
    SCommandLine line;
    if (aArguments.isEmpty())
        return line;
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    if (!parser.parse(aArguments)) {
        line.bOk = false;
        line.strError = parser.errorText();
        return line;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        line.eAction = SCommandLine::Help;
        return line;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        line.eAction = SCommandLine::Version;
        return line;
    }
    for (const QString &strArg : parser.positionalArguments())
        if (!strArg.isEmpty()) {
            line.strFile = strArg;  // one document at a time: the first one is opened
            break;
        }
    return line;
}

QString CCorvantaApp::VersionText()
{
    return QStringLiteral("Corvanta " CORVANTA_VERSION);
}

std::optional<int> CCorvantaApp::AnswerWithoutWindows(int argc, char **argv)
{
    QStringList aArguments;
    for (int i = 0; i < argc; ++i)
        aArguments << QString::fromLocal8Bit(argv[i]);
    const SCommandLine line = ParseCommandLine(aArguments);
    if (!line.bOk || line.eAction == SCommandLine::Run)
        return std::nullopt;
    if (line.eAction == SCommandLine::Version) {
        std::printf("%s\n", qPrintable(VersionText()));
        return 0;
    }
    // The parser prints the help and ends the program; it needs an
    // application object for the program's name, and a core one opens no display.
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("corvanta"));
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    parser.process(aArguments);
    return 0;
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
        std::fprintf(stderr, "corvanta: %s\nUsage: corvanta [options] [file.cva]; corvanta --help lists them.\n",
                     qPrintable(line.strError));
        m_nExitCode = 1;
        return false;
    }
    if (line.eAction == SCommandLine::Version) {
        std::printf("%s\n", qPrintable(VersionText()));
        return false;
    }
    if (line.eAction == SCommandLine::Help) {
        // The parser prints the help (Qt's own options too for --help-all) and ends the program.
        QCommandLineParser parser;
        DescribeCommandLine(parser);
        parser.process(aArguments);
        return false;
    }

    m_pDocument = std::make_unique<CCorvantaDoc>();
    m_pFrame = std::make_unique<CMainFrame>();
    m_pFrame->RecentFiles().Load(*pProfile);
    m_pFrame->RefreshRecentFileMenu();
    m_pFrame->SetDocument(m_pDocument.get());
    LoadAxisLabels(m_pFrame->View()->Graph());
    m_pDocument->OnNewDocument();
    // A file that cannot be opened has been named in a message; the program
    // goes on with the new document rather than vanishing.
    if (!line.strFile.isEmpty())
        m_pFrame->OpenDocumentFile(line.strFile);

    DiscoverInstallDirectory(*pProfile, InstallDirectory());

    m_pFrame->show();
    return true;
}
