#include "gui/output/OutputCommands.h"

#include "gui/common/CommandIds.h"
#include "gui/common/Message.h"
#include "gui/common/UserPrompts.h"
#include "gui/output/GraphExport.h"
#include "gui/output/GraphPrinter.h"
#include "gui/output/HelpWindow.h"
#include "gui/view/CorvantaView.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSettings>

COutputCommands::COutputCommands(QMainWindow *pFrame, CCorvantaView *pView, QComboBox *pFunctionList,
                                 QMenu *pGraphMenu)
    : QObject(pFrame), m_pFrame(pFrame), m_pView(pView), m_pFunctionList(pFunctionList), m_pGraphMenu(pGraphMenu)
{
    if (m_pView)
        m_pView->installEventFilter(this);
}

CHelpWindow *COutputCommands::HelpWindow() const { return m_pHelp.data(); }

COutputCommands::~COutputCommands()
{
    delete m_pHelp.data();
}

bool COutputCommands::IsOutputCommand(int nId)
{
    switch (nId) {
    case ID_EDIT_COPY:
    case ID_COPY_FUNCTION:
    case ID_EDIT_PASTE:
    case ID_EXPORT_BITMAP:
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_PREVIEW:
    case ID_FILE_PRINT_SETUP:
    case ID_FULLSCREEN:
    case ID_HELP_CONTENTS: return true;
    default: return false;
    }
}

bool COutputCommands::Handle(int nId)
{
    switch (nId) {
    case ID_EDIT_COPY: OnCopyGraph(); return true;
    case ID_COPY_FUNCTION: OnCopyFunction(); return true;
    case ID_EDIT_PASTE: OnPasteFunction(); return true;
    case ID_EXPORT_BITMAP: OnExport(); return true;
    case ID_FILE_PRINT: OnPrint(); return true;
    case ID_FILE_PRINT_PREVIEW: OnPrintPreview(); return true;
    case ID_FILE_PRINT_SETUP: OnPrintSetup(); return true;
    case ID_FULLSCREEN: OnFullscreen(); return true;
    case ID_HELP_CONTENTS: OnHelp(); return true;
    default: return false;
    }
}

std::optional<bool> COutputCommands::Checked(int nId) const
{
    if (nId == ID_FULLSCREEN)
        return m_bFullscreen;
    return std::nullopt;
}

// --- Clipboard ----------------------------------------------------------------

void COutputCommands::OnCopyGraph()
{
    const QImage picture = m_pView ? m_pView->Picture() : QImage();
    if (!picture.isNull())
        QApplication::clipboard()->setImage(picture);
}

// The function list's own copy and paste: only its selection is copied, a
// paste replaces the selection or goes in at the caret. Neither plots.
void COutputCommands::OnCopyFunction()
{
    if (m_pFunctionList && m_pFunctionList->lineEdit())
        m_pFunctionList->lineEdit()->copy();
}

void COutputCommands::OnPasteFunction()
{
    if (m_pFunctionList && m_pFunctionList->lineEdit())
        m_pFunctionList->lineEdit()->paste();
}

// --- Export -----------------------------------------------------------------

void COutputCommands::OnExport()
{
    if (!m_pView)
        return;
    SFileQuestion question;
    question.title = QStringLiteral("Export to Bitmap");
    question.bSave = true;
    question.filters = ExportFilters();
    question.defaultSuffix = QStringLiteral("bmp");
    question.directory = m_strLastDirectory;
    question.suffixFor = [](const QString &strFilter) { return ExportSuffix(ExportFormatFor(QString(), strFilter)); };
    const SFileAnswer choice = CUserPrompts::Current().AskFile(m_pFrame, question);
    if (choice.path.isEmpty())
        return;
    m_strLastDirectory = QFileInfo(choice.path).absolutePath();
    if (QFileInfo::exists(choice.path) &&
        ShowMessage(m_pFrame,
                    QStringLiteral("%1 already exists.\nDo you want to replace it?")
                        .arg(QDir::toNativeSeparators(choice.path)),
                    QStringLiteral("Export to Bitmap"), MsgIcon::Warning, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    ExportGraph(*m_pView, choice.path, ExportFormatFor(choice.path, choice.filter), m_pFrame);
}

// --- Printing -----------------------------------------------------------------

QPrinter &COutputCommands::Printer()
{
    if (!m_pPrinter) {
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_pPrinter->setDocName(m_pFrame ? m_pFrame->windowTitle().remove(QStringLiteral("[*]")) : QString());
        // The document is one page.
        m_pPrinter->setFromTo(1, 1);
    }
    return *m_pPrinter;
}

void COutputCommands::OnPrint()
{
    if (!m_pView)
        return;
    QPrintDialog dlg(&Printer(), m_pFrame);
    dlg.setMinMax(1, 1);
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (CUserPrompts::Current().RunDialog(dlg) == QDialog::Accepted)
        PrintGraph(*m_pView, Printer());
}

void COutputCommands::OnPrintPreview()
{
    if (!m_pView)
        return;
    QPrintPreviewDialog dlg(&Printer(), m_pFrame);
    dlg.setObjectName(QStringLiteral("PrintPreview"));
    dlg.resize(900, 700);
    connect(&dlg, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *pPrinter) {
        PrintGraph(*m_pView, *pPrinter);
    });
    CUserPrompts::Current().RunDialog(dlg);
}

void COutputCommands::OnPrintSetup()
{
    QPageSetupDialog dlg(&Printer(), m_pFrame);
    CUserPrompts::Current().RunDialog(dlg);
}

// --- Fullscreen ---------------------------------------------------------------

void COutputCommands::OnFullscreen()
{
    if (!m_pFrame)
        return;
    QMenuBar *pMenu = m_pFrame->menuBar();
    if (!m_bFullscreen) {
        m_savedGeometry = m_pFrame->saveGeometry();
        m_savedState = m_pFrame->windowState();
        m_bMenuWasVisible = !pMenu->isHidden();
        pMenu->hide();
        m_pFrame->setWindowState((m_savedState & ~(Qt::WindowMinimized | Qt::WindowMaximized)) |
                                 Qt::WindowFullScreen);
        m_bFullscreen = true;
    } else {
        m_pFrame->setWindowState(m_savedState & ~Qt::WindowFullScreen);
        if (!(m_savedState & (Qt::WindowMaximized | Qt::WindowFullScreen)))
            m_pFrame->restoreGeometry(m_savedGeometry);
        pMenu->setVisible(m_bMenuWasVisible);
        m_bFullscreen = false;
    }
    m_pFrame->show();
}

// --- Help ---------------------------------------------------------------------

void COutputCommands::OnHelp()
{
    if (!m_pHelp) {
        const QSettings profile(QStringLiteral("HALDEN"), QStringLiteral("Corvanta"));
        const QString strDir = CHelpWindow::FindHelpDirectory(profile.value(QStringLiteral("AppPath/Path")).toString());
        // A window of its own, but the frame's, and one that does not keep
        // the program running: closing the frame ends it with Help open.
        m_pHelp = new CHelpWindow(strDir, m_pFrame);
        m_pHelp->setAttribute(Qt::WA_DeleteOnClose, false);
        m_pHelp->setAttribute(Qt::WA_QuitOnClose, false);
        m_pHelp->SetShortcutsPage(m_shortcuts);
        if (strDir.isEmpty())
            m_pHelp->Browser()->setHtml(QStringLiteral("<h1>Help</h1><p>The help pages are not installed.</p>"));
        else
            m_pHelp->ShowPage(QStringLiteral("index.html"));
    }
    m_pHelp->show();
    m_pHelp->raise();
    m_pHelp->activateWindow();
}

// --- Context menu -------------------------------------------------------------

bool COutputCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pView && event->type() == QEvent::ContextMenu) {
        // While tracing the tangent the right button belongs to the trace.
        if (!m_pView->IsTangentMode() && m_pGraphMenu)
            m_pGraphMenu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
