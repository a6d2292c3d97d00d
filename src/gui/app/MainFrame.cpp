#include "gui/app/MainFrame.h"

#include "gui/app/AboutDlg.h"
#include "gui/calc/CalcDlg.h"
#include "gui/app/Artwork.h"
#include "gui/app/BarLabel.h"
#include "gui/common/CommandIds.h"
#include "gui/common/UserPrompts.h"
#include "gui/app/CommandTable.h"
#include "gui/app/ExpressionBar.h"
#include "gui/app/FloatingBars.h"
#include "gui/app/CorvantaDoc.h"
#include "gui/app/TangentBar.h"
#include "gui/app/TraceBar.h"
#include "gui/app/ParameterPanel.h"
#include "gui/app/ZoomBar.h"
#include "gui/view/CorvantaView.h"
#include "gui/app/ShortcutsPage.h"
#include "gui/output/OutputCommands.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMetaMethod>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QUrl>

#include "gui/app/LockKeyWatcher.h"

namespace {

// The status prompt is the text before "\n"; the short name after it.
QString PromptText(const SCommandInfo &info)
{
    return info.pszPrompt ? QString::fromUtf8(info.pszPrompt).section(QLatin1Char('\n'), 0, 0) : QString();
}

QString TooltipText(const SCommandInfo &info)
{
    if (info.pszTooltip)
        return QString::fromUtf8(info.pszTooltip);
    if (info.pszPrompt && QString::fromUtf8(info.pszPrompt).contains(QLatin1Char('\n')))
        return QString::fromUtf8(info.pszPrompt).section(QLatin1Char('\n'), 1);
    return info.pszCaption ? QString::fromUtf8(info.pszCaption).remove(QLatin1Char('&')) : QString();
}

}  // namespace

CMainFrame::CMainFrame(QWidget *parent)
    : QMainWindow(parent), m_pDocuments(new CDocumentCommands(this, kRecentFileCount))
{
    connect(m_pDocuments, &CDocumentCommands::documentOpenRequested, this, &CMainFrame::documentOpenRequested);
    connect(m_pDocuments, &CDocumentCommands::recentFilesChanged, this, &CMainFrame::RefreshRecentFileMenu);
    setObjectName(QStringLiteral("MainFrame"));
    UpdateTitle();
    setWindowIcon(AppIcon());
    setAcceptDrops(true);
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);

    CreateActions();
    CreateMenus();
    CreateMainToolBar();
    CreateStatusBar();
    CreateBars();
    CreateGraphArea();
    connect(m_pView->UndoStack(), &QUndoStack::indexChanged, this, &CMainFrame::UpdateUndoActions);
    connect(m_pView->UndoStack(), &QUndoStack::cleanChanged, this, &CMainFrame::UpdateUndoActions);
    CreateAnalysisParts();
    PlaceFloatingBars();
    m_pOutput = new COutputCommands(this, m_pView, m_pFunctionList, Popup(3));
    m_pOutput->SetShortcutsPage(&ShortcutsPageHtml);

    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        resize(qMin(1200, avail.width() * 9 / 10), qMin(820, avail.height() * 9 / 10));
    }

    // Command states follow the commands, menus and bars that change them;
    // the lock-key panes follow key events anywhere in the program and the
    // window's activation, so an idle program does no work.
    qApp->installEventFilter(new CLockKeyWatcher(this, [this] { UpdateIndicators(); }));
    UpdateIndicators();
    UpdateCommandStates();
}

// The calculator goes first: while it is the active window, its going moves
// the focus into bars that are already half taken down.
CMainFrame::~CMainFrame()
{
    // Children report focus and selection changes while they are destroyed;
    // none of it may reach this half-destroyed frame.
    for (QObject *pChild : findChildren<QObject *>())
        pChild->disconnect(this);
    qDeleteAll(findChildren<CLockKeyWatcher *>(Qt::FindDirectChildrenOnly));  // app-wide: must not see the rest
    delete m_pCalcDlg;
}

// --- Building -------------------------------------------------------------

void CMainFrame::CreateActions()
{
    for (const SCommandInfo &info : CommandTable()) {
        if (info.nId == 0 || info.nId == ID_FILE_MRU_FILE1)
            continue;
        auto *pAction = new QAction(this);
        pAction->setObjectName(QStringLiteral("cmd%1").arg(info.nId));
        pAction->setData(info.nId);
        if (info.pszCaption)
            pAction->setText(QString::fromUtf8(info.pszCaption));
        const QString strPrompt = PromptText(info);
        if (!strPrompt.isEmpty())
            pAction->setStatusTip(strPrompt);
        pAction->setToolTip(TooltipText(info));
        pAction->setIcon(CommandIcon(info.nId));
        pAction->setIconVisibleInMenu(false);
        pAction->setCheckable(info.bCheckable);
        if (info.pszKeys)
            pAction->setShortcuts(QKeySequence::listFromString(QString::fromUtf8(info.pszKeys), QKeySequence::PortableText));
        pAction->setShortcutContext(Qt::WindowShortcut);
        pAction->setAutoRepeat(false);
        const int nId = info.nId;
        connect(pAction, &QAction::triggered, this, [this, nId] { Dispatch(nId); });
        addAction(pAction);  // keys act even for commands that are in no menu
        m_actions.insert(nId, pAction);
    }

    // The recent-file entries: 57616 .. 57619.
    const SCommandInfo *pMru = FindCommand(ID_FILE_MRU_FILE1);
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto *pAction = new QAction(this);
        const int nId = ID_FILE_MRU_FILE1 + i;
        pAction->setObjectName(QStringLiteral("cmd%1").arg(nId));
        pAction->setData(nId);
        pAction->setStatusTip(PromptText(*pMru));
        connect(pAction, &QAction::triggered, this, [this, nId] { Dispatch(nId); });
        m_aRecentActions.append(pAction);
    }
    m_pRecentPlaceholder = new QAction(QString::fromUtf8(pMru->pszCaption), this);
    m_pRecentPlaceholder->setObjectName(QStringLiteral("cmd%1").arg(ID_FILE_MRU_FILE1));
    m_pRecentPlaceholder->setStatusTip(PromptText(*pMru));
    m_pRecentPlaceholder->setEnabled(false);
}

void CMainFrame::CreateMenus()
{
    for (const char *pszPopup : MenuPopups()) {
        QMenu *pMenu = menuBar()->addMenu(QString::fromUtf8(pszPopup));
        pMenu->setObjectName(QString::fromUtf8(pszPopup).remove(QLatin1Char('&')));
        connect(pMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
        for (const SCommandInfo &info : CommandTable()) {
            if (!info.pszPopup || qstrcmp(info.pszPopup, pszPopup) != 0)
                continue;
            if (info.nId == 0)
                pMenu->addSeparator();
            else if (info.nId == ID_FILE_MRU_FILE1) {
                pMenu->addAction(m_pRecentPlaceholder);
                pMenu->addActions(m_aRecentActions);
            } else
                pMenu->addAction(m_actions.value(info.nId));
        }
        m_aPopups.append(pMenu);
    }
    RefreshRecentFileMenu();
}

void CMainFrame::CreateMainToolBar()
{
    m_pMainToolBar = new QToolBar(QStringLiteral("Standard"), this);
    m_pMainToolBar->setObjectName(QStringLiteral("bar%1").arg(IDR_MAINFRAME));
    m_pMainToolBar->setIconSize(QSize(16, 16));
    m_pMainToolBar->setMovable(true);
    for (int nId : MainToolbarLayout()) {
        if (nId == 0)
            m_pMainToolBar->addSeparator();
        else
            m_pMainToolBar->addAction(m_actions.value(nId));
    }
    addToolBar(Qt::TopToolBarArea, m_pMainToolBar);

    // Extended Tools: the button itself does nothing; its arrow offers the Tools menu.
    if (auto *pButton = qobject_cast<QToolButton *>(m_pMainToolBar->widgetForAction(m_actions.value(ID_EXTENDED_TOOLS)))) {
        pButton->setMenu(Popup(4));
        pButton->setPopupMode(QToolButton::MenuButtonPopup);
    }
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar *pStatus = statusBar();
    pStatus->setObjectName(QStringLiteral("StatusBar"));
    for (const char *pszPane : {"CAPS", "NUM", "SCRL"}) {
        QLabel *pPane = MakeBarLabel(QString::fromLatin1(pszPane), pStatus);
        pPane->setObjectName(QStringLiteral("pane") + QString::fromLatin1(pszPane));
        pPane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pPane->setAlignment(Qt::AlignCenter);
        pPane->setMinimumWidth(pPane->fontMetrics().horizontalAdvance(QStringLiteral("CAPS")) + 12);
        pStatus->addPermanentWidget(pPane);
        m_aIndicators.append(pPane);
    }
    pStatus->showMessage(QString());
    connect(pStatus, &QStatusBar::messageChanged, this, [pStatus](const QString &strText) {
        if (strText.isEmpty())
            pStatus->showMessage(QStringLiteral("Ready"));  // the idle prompt
    });
    pStatus->showMessage(QStringLiteral("Ready"));
}

// The bars are parts of their own; the frame places them and wires what
// they ask for to the commands and the view.
void CMainFrame::CreateBars()
{
    m_pExpressionBar = new CExpressionBar(this);
    m_pFunctionList = m_pExpressionBar->FunctionList();
    connect(m_pExpressionBar, &CExpressionBar::plotRequested, this, &CMainFrame::plotRequested);
    connect(m_pExpressionBar, &CExpressionBar::replotRequested, this, &CMainFrame::replotRequested);
    connect(m_pExpressionBar, &CExpressionBar::functionSelected, this, &CMainFrame::functionSelected);
    connect(m_pExpressionBar, &CExpressionBar::rangeFieldFocused, this, &CMainFrame::rangeFieldFocused);
    // The program's keys act in the bar's fields too (see eventFilter).
    for (QWidget *pField : m_pExpressionBar->TextFields())
        pField->installEventFilter(this);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_pExpressionBar);

    m_pTraceBar = new CTraceBar(this);
    connect(m_pTraceBar, &CTraceBar::scientificClicked, this, [this] { Dispatch(ID_SCIENTIFIC); });
    connect(m_pTraceBar, &CTraceBar::degreeClicked, this, [this] { Dispatch(ID_DEGREE); });
    AddHiddenBar(m_pTraceBar);

    m_pTangentBar = new CTangentBar(this);
    connect(m_pTangentBar, &CTangentBar::degreeClicked, this, [this] { Dispatch(ID_DEGREE); });
    AddHiddenBar(m_pTangentBar);

    m_pZoomBar = new CZoomBar(this, [this](int nId) { return m_actions.value(nId); });
    addDockWidget(Qt::RightDockWidgetArea, m_pZoomBar);
    m_pZoomBar->KeepFloating();
    connect(m_pZoomBar, &QDockWidget::visibilityChanged, this, &CMainFrame::UpdateCommandStates);
}

// The trace and tangent bars start hidden; their menu check marks follow them.
void CMainFrame::AddHiddenBar(QDockWidget *pBar)
{
    addDockWidget(Qt::TopDockWidgetArea, pBar);
    pBar->hide();
    connect(pBar, &QDockWidget::visibilityChanged, this, &CMainFrame::UpdateCommandStates);
}

void CMainFrame::CreateGraphArea()
{
    m_pView = new CCorvantaView(this);
    m_pView->setObjectName(QStringLiteral("GraphArea"));
    m_pView->setMinimumSize(200, 150);
    m_pView->SetHost(this);
    setCentralWidget(m_pView);

    m_pParameterPanel = new CParameterPanel(m_pView->Graph(), this);
    addDockWidget(Qt::RightDockWidgetArea, m_pParameterPanel);
    if (m_pView->Graph().UsedParameters().empty())
        m_pParameterPanel->hide();
    connect(m_pParameterPanel, &QDockWidget::visibilityChanged, this, &CMainFrame::UpdateCommandStates);
    // A bar at its own place moves clear of the docked panel as of the
    // legend, once the panel has come to rest (docks slide in).
    m_pParameterPanel->installEventFilter(this);

    connect(this, &CMainFrame::rangeFieldFocused, m_pView, &CCorvantaView::OnRangeFieldFocus);
    connect(this, &CMainFrame::replotRequested, m_pView, &CCorvantaView::RePlot);
    connect(m_pView, &CCorvantaView::overlayMoved, this, [this](const QList<QRect> &boxes) {
        m_aOverlays = boxes;
        AvoidOverlays();
    });
    connect(this, &CMainFrame::plotRequested, m_pView, &CCorvantaView::OnPlot);
    // Once a text is in the list, the next one typed replaces it; a rejected
    // text stays as it is, to be corrected.
    connect(this, &CMainFrame::plotRequested, this, [this] {
        QLineEdit *pEdit = m_pFunctionList->lineEdit();
        if (m_pFunctionList->findText(pEdit->text().toLower(), Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0)
            pEdit->selectAll();
    });
    connect(this, &CMainFrame::functionSelected, m_pView, &CCorvantaView::OnSelectFunction);
    // Trace mode follows its bar, however the bar was shown or closed.
    connect(m_pTraceBar, &QDockWidget::visibilityChanged, m_pView, [this] {
        m_pView->SetTraceMode(IsBarVisible(false));
    });

    m_pCalcDlg = new CCalcDlg(this);
    connect(this, &CMainFrame::minimized, m_pCalcDlg, &QWidget::hide);
}

void CMainFrame::PlaceFloatingBars()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize area = screen->availableGeometry().size();
    const int cx = area.width(), cy = area.height();
    if (!m_pFloatingBars) {
        m_pFloatingBars = new CFloatingBars(this);
        m_pFloatingBars->Add(m_pZoomBar, QPoint(cx - 300, cy / 4));
        m_pFloatingBars->Add(m_pTraceBar, QPoint(cx - 200, cy / 3));
        m_pFloatingBars->Add(m_pTangentBar, QPoint(cx - 300, cy / 3 + 50));
    }
    m_pFloatingBars->PlaceAll();
}

// --- Commands ---------------------------------------------------------------

QAction *CMainFrame::Action(int nId) const
{
    if (nId >= ID_FILE_MRU_FILE1 && nId < ID_FILE_MRU_FILE1 + kRecentFileCount)
        return m_aRecentActions.value(nId - ID_FILE_MRU_FILE1);
    return m_actions.value(nId);
}

QMenu *CMainFrame::Popup(int nIndex) const { return m_aPopups.value(nIndex); }

bool CMainFrame::ExecuteCommand(int nId)
{
    UpdateCommandStates();
    QAction *pAction = Action(nId);
    if (!pAction || !pAction->isEnabled())
        return false;
    pAction->trigger();
    return true;
}

void CMainFrame::Dispatch(int nId)
{
    if (nId >= ID_FILE_MRU_FILE1 && nId < ID_FILE_MRU_FILE1 + kRecentFileCount)
        OnRecentFile(nId);
    else if (const SCommandInfo *pInfo = FindCommand(nId)) {
        switch (pInfo->route) {
        case ECommandRoute::Frame:
            if (pInfo->handler)
                (this->*pInfo->handler)(nId);
            break;
        case ECommandRoute::View: RouteToView(nId, true, nullptr); break;
        case ECommandRoute::Unavailable: break;
        }
    }
    UpdateCommandStates();
}

bool CMainFrame::RouteToView(int nId, bool bExecute, bool *pbChecked)
{
    if (!m_pView)
        return false;
    if (bExecute)
        return m_pView->HandleCommand(nId);
    if (pbChecked)
        *pbChecked = m_pView->CommandChecked(nId).value_or(false);
    return true;
}

void CMainFrame::UpdateCommandStates()
{
    for (const SCommandInfo &info : CommandTable()) {
        QAction *pAction = m_actions.value(info.nId);
        if (!pAction)
            continue;
        bool bEnabled = false;
        bool bChecked = false;
        switch (info.route) {
        case ECommandRoute::Frame: bEnabled = true; break;
        case ECommandRoute::View: bEnabled = RouteToView(info.nId, false, &bChecked); break;
        case ECommandRoute::Unavailable: bEnabled = false; break;
        }
        switch (info.nId) {
        case ID_VIEW_TOOLBAR: bChecked = !m_pMainToolBar->isHidden(); break;
        case ID_VIEW_ZOOM_TOOLBAR: bChecked = !m_pZoomBar->isHidden(); break;
        case ID_VIEW_EXPRESSION_BAR: bChecked = !m_pExpressionBar->isHidden(); break;
        case ID_VIEW_STATUS_BAR: bChecked = !statusBar()->isHidden(); break;
        case ID_VIEW_PARAMETERS: bChecked = !m_pParameterPanel->isHidden(); break;
        case ID_TRACE: bChecked = IsBarVisible(false); break;
        case ID_TANGENT: bChecked = IsBarVisible(true); break;
        case ID_SCIENTIFIC: bChecked = m_bScientific; break;
        case ID_DEGREE: bChecked = m_bDegree; break;
        case ID_FULLSCREEN: bChecked = m_pOutput && m_pOutput->IsFullscreen(); break;
        default: break;
        }
        if (info.nId == ID_EDIT_UNDO || info.nId == ID_EDIT_REDO)
            continue;  // they follow the undo history
        if (pAction->isEnabled() != bEnabled)
            pAction->setEnabled(bEnabled);
        if (pAction->isCheckable() && pAction->isChecked() != bChecked)
            pAction->setChecked(bChecked);
    }
    UpdateUndoActions();
    // The "Degree" boxes are checked from the frame's flag.
    m_pTraceBar->SetDegreeChecked(m_bDegree);
    m_pTangentBar->SetDegreeChecked(m_bDegree);
    for (int i = 0; i < m_aRecentActions.size(); ++i)
        m_aRecentActions.at(i)->setEnabled(i < RecentFiles().Count());
    // "Plot" is offered once something carries the plot command out.
    if (QWidget *pPlot = m_pExpressionBar->Control(IDC_PLOT))
        pPlot->setEnabled(isSignalConnected(QMetaMethod::fromSignal(&CMainFrame::plotRequested)));
}

void CMainFrame::OnRecentFile(int nId) { m_pDocuments->OpenRecent(nId - ID_FILE_MRU_FILE1); }

void CMainFrame::OnAppExit(int) { close(); }

void CMainFrame::AvoidOverlays()
{
    if (!m_pFloatingBars)
        return;
    QList<QRect> busy = m_aOverlays;
    if (m_pParameterPanel->isVisible() && !m_pParameterPanel->isFloating())
        busy.append(QRect(m_pParameterPanel->mapToGlobal(QPoint(0, 0)), m_pParameterPanel->size()));
    m_pFloatingBars->AvoidAreas(busy);
}

void CMainFrame::OnBarCheck(int nId)
{
    QWidget *pBar = nullptr;
    switch (nId) {
    case ID_VIEW_TOOLBAR: pBar = m_pMainToolBar; break;
    case ID_VIEW_ZOOM_TOOLBAR: pBar = m_pZoomBar; break;
    case ID_VIEW_EXPRESSION_BAR: pBar = m_pExpressionBar; break;
    case ID_VIEW_STATUS_BAR: pBar = statusBar(); break;
    case ID_VIEW_PARAMETERS: pBar = m_pParameterPanel; break;
    default: return;
    }
    pBar->setVisible(pBar->isHidden());
}

void CMainFrame::OnExtendedTools(int) {}  // the arrow beside the button offers the tools

void CMainFrame::OnAppAbout(int)
{
    CAboutDlg dlg(this);
    CUserPrompts::Current().RunDialog(dlg);
}

void CMainFrame::OnNoAction(int) {}

void CMainFrame::OnNextPane(int) { focusNextChild(); }
void CMainFrame::OnPrevPane(int) { focusPreviousChild(); }

void CMainFrame::OnScientific(int)
{
    m_bScientific = !m_bScientific;
    RefreshTraceResult();
}

void CMainFrame::OnDegree(int)
{
    m_bDegree = !m_bDegree;
    RefreshTraceResult();
}

void CMainFrame::OnOutputCommand(int nId) { m_pOutput->Handle(nId); }

// --- Documents ----------------------------------------------------------------

void CMainFrame::OnFileNew(int) { m_pDocuments->New(); }
void CMainFrame::OnFileOpen(int) { m_pDocuments->Open(); }
void CMainFrame::OnFileSave(int) { m_pDocuments->Save(); }
void CMainFrame::OnFileSaveAs(int) { m_pDocuments->SaveAs(); }

void CMainFrame::SetDocument(CCorvantaDoc *pDocument)
{
    if (CCorvantaDoc *pOld = Document()) {
        disconnect(pOld, nullptr, this, nullptr);
        if (m_pView)
            disconnect(pOld, nullptr, m_pView, nullptr);
        pOld->SetGraph(nullptr);
    }
    m_pDocuments->SetDocument(pDocument);
    if (pDocument) {
        pDocument->SetMessageParent(this);
        connect(pDocument, &CCorvantaDoc::modifiedChanged, this, &CMainFrame::UpdateTitle);
        connect(pDocument, &CCorvantaDoc::titleChanged, this, &CMainFrame::UpdateTitle);
        // The document reads and writes the view's graph.
        if (m_pView)
            pDocument->SetGraph(&m_pView->Graph());
    }
    UpdateTitle();
}

void CMainFrame::UpdateTitle()
{
    const CCorvantaDoc *pDocument = Document();
    const QString strName = pDocument ? pDocument->GetTitle() : QString::fromLatin1(CCorvantaDoc::kUntitled);
    // "[*]" shows as "*" while the window is marked modified.
    setWindowTitle(strName + QStringLiteral("[*] - ") + QString::fromLatin1(CCorvantaDoc::kWindowTitle));
    setWindowModified(pDocument && pDocument->IsModified());
}


void CMainFrame::RefreshRecentFileMenu()
{
    for (int i = 0; i < m_aRecentActions.size(); ++i) {
        QAction *pAction = m_aRecentActions.at(i);
        pAction->setVisible(i < RecentFiles().Count());
        pAction->setText(RecentFiles().MenuText(i));
        pAction->setEnabled(i < RecentFiles().Count());
    }
    m_pRecentPlaceholder->setVisible(RecentFiles().Count() == 0);
}

// --- Events -----------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent *event)
{
    // Quitting offers a modified document for saving; Cancel keeps the program.
    if (!SaveModified()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void CMainFrame::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        emit minimized();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    for (const QUrl &url : urls)
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
}

void CMainFrame::dropEvent(QDropEvent *event)
{
    // One document at a time: the first local file is opened.
    const QList<QUrl> urls = event->mimeData()->urls();
    for (const QUrl &url : urls)
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            activateWindow();
            OpenDocumentFile(url.toLocalFile());
            return;
        }
}

bool CMainFrame::IsTextEditingKey(const QKeyEvent *pKey)
{
    for (QKeySequence::StandardKey key : {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut,
                                          QKeySequence::Paste, QKeySequence::Undo, QKeySequence::Redo})
        if (pKey->matches(key))
            return true;
    return false;
}

QAction *CMainFrame::EnabledShortcutAction(const QKeySequence &keys) const
{
    for (QAction *pAction : m_actions)
        if (pAction->isEnabled() && pAction->shortcuts().contains(keys))
            return pAction;
    return nullptr;
}

bool CMainFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pParameterPanel && (event->type() == QEvent::Resize || event->type() == QEvent::Move ||
                                         event->type() == QEvent::Show || event->type() == QEvent::Hide))
        QTimer::singleShot(0, this, &CMainFrame::AvoidOverlays);
    const bool bKey = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (bKey && (qobject_cast<QLineEdit *>(watched) || qobject_cast<QComboBox *>(watched))) {
        // The program's other keys act even while a field of the bar has the
        // focus (Ctrl+D differentiates): the field is told it wants the key,
        // so that the key press comes here and is carried out once, and never
        // edits the field. The field's own editing keys (select all, copy,
        // cut, paste, undo) stay with the text.
        auto *pKey = static_cast<QKeyEvent *>(event);
        if (IsTextEditingKey(pKey) && !FieldHasNoUndo(watched, pKey))
            return QMainWindow::eventFilter(watched, event);
        if (QAction *pAction = EnabledShortcutAction(QKeySequence(pKey->keyCombination()))) {
            if (event->type() == QEvent::ShortcutOverride)
                event->accept();
            else
                pAction->trigger();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::UpdateIndicators()
{
    const unsigned int nState = LockKeyState();
    // Bits 0, 1 and 2: caps, num and scroll lock.
    for (int i = 0; i < m_aIndicators.size(); ++i)
        m_aIndicators.at(i)->setEnabled((nState >> i) & 1u);
}
