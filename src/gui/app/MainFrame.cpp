#include "gui/app/MainFrame.h"

#include "gui/analysis/AnalysisSheet.h"
#include "gui/app/AboutDlg.h"
#include "gui/calc/CalcDlg.h"
#include "gui/app/Artwork.h"
#include "gui/view/CommandIds.h"
#include "gui/app/CommandTable.h"
#include "gui/app/SplashDlg.h"
#include "gui/app/FloatingBars.h"
#include "gui/app/CorvantaDoc.h"
#include "gui/linalg/DetDlg.h"
#include "gui/linalg/MatrixOpsDlg.h"
#include "gui/linalg/SimEqDlg.h"
#include "gui/view/Message.h"
#include "gui/view/CorvantaView.h"
#include "gui/app/ShortcutsPage.h"
#include "gui/output/OutputCommands.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMetaMethod>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/app/LockKeys.h"

namespace {

QString ObjectName(int nId) { return QStringLiteral("ctl%1").arg(nId); }

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

// A small bordered box showing one solid colour, disabled or not.
class CColorIndicator : public QFrame
{
public:
    explicit CColorIndicator(QWidget *parent) : QFrame(parent) { setFrameStyle(QFrame::Box | QFrame::Plain); }
    void SetColor(const QColor &color)
    {
        m_color = color;
        update();
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter p(this);
        p.fillRect(contentsRect(), m_color);
        p.end();
        QFrame::paintEvent(event);
    }

private:
    QColor m_color = Qt::white;
};

namespace {

QLabel *MakeLabel(const QString &strText, QWidget *parent)
{
    auto *pLabel = new QLabel(strText, parent);
    pLabel->setTextFormat(Qt::PlainText);
    return pLabel;
}

}  // namespace

CMainFrame::CMainFrame(QWidget *parent) : QMainWindow(parent), m_recent(kRecentFileCount)
{
    setObjectName(QStringLiteral("MainFrame"));
    UpdateTitle();
    setWindowIcon(AppIcon());
    setAcceptDrops(true);
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);

    CreateActions();
    CreateMenus();
    CreateMainToolBar();
    CreateStatusBar();
    CreateExpressionBar();
    CreateTraceBar();
    CreateTangentBar();
    CreateZoomBar();
    CreateGraphArea();
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
        QLabel *pPane = MakeLabel(QString::fromLatin1(pszPane), pStatus);
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

void CMainFrame::CreateExpressionBar()
{
    m_pExpressionBar = new QToolBar(QStringLiteral("Function Entry"), this);
    m_pExpressionBar->setObjectName(QStringLiteral("bar%1").arg(IDD_EXPRESSION_BAR));
    m_pExpressionBar->setMovable(true);
    m_pExpressionBar->setFloatable(false);

    auto *pPanel = new QWidget(m_pExpressionBar);
    auto *pGrid = new QGridLayout(pPanel);
    pGrid->setContentsMargins(4, 2, 4, 2);
    pGrid->setHorizontalSpacing(6);
    pGrid->setVerticalSpacing(3);

    auto reg = [this](int nId, QWidget *pWidget) {
        pWidget->setObjectName(ObjectName(nId));
        m_exprControls.insert(nId, pWidget);
    };

    pGrid->addWidget(MakeLabel(QStringLiteral("f(x) ="), pPanel), 0, 0);

    m_pFunctionList = new QComboBox(pPanel);
    m_pFunctionList->setEditable(true);
    m_pFunctionList->setInsertPolicy(QComboBox::NoInsert);
    // Only what the user typed is plotted: no completion from the list.
    m_pFunctionList->setCompleter(nullptr);
    m_pFunctionList->setMaxVisibleItems(8);
    // 310 pixels when there is room; the bar's fields give way on small
    // screens so the window still fits 800 pixels.
    m_pFunctionList->setMinimumWidth(100);
    m_pFunctionList->setMaximumWidth(310);
    m_pFunctionList->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_pFunctionList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_pFunctionList->setMinimumContentsLength(8);
    m_pFunctionList->setFocusPolicy(Qt::StrongFocus);
    m_pFunctionList->setToolTip(QStringLiteral("Type a function of x and press Enter or \"Plot\""));
    reg(IDC_FUNCTION_LIST, m_pFunctionList);
    pGrid->addWidget(m_pFunctionList, 0, 1);

    m_pColorIndicator = new CColorIndicator(pPanel);
    m_pColorIndicator->setFixedSize(17, 16);  // 353 .. 370
    m_pColorIndicator->setEnabled(false);
    reg(IDC_COLOR_INDICATOR, m_pColorIndicator);
    SetIndicatorColor(Qt::white);
    pGrid->addWidget(m_pColorIndicator, 0, 2);

    auto *pPlot = new QPushButton(QStringLiteral("Plot"), pPanel);
    reg(IDC_PLOT, pPlot);
    auto *pReplot = new QPushButton(QStringLiteral("Re-Plot"), pPanel);
    reg(IDC_REPLOT, pReplot);
    for (QPushButton *pButton : {pPlot, pReplot}) {
        pButton->setAutoDefault(false);
        pButton->setFocusPolicy(Qt::TabFocus);
    }
    pGrid->addWidget(pPlot, 0, 3);
    pGrid->addWidget(pReplot, 0, 4);
    connect(pPlot, &QPushButton::clicked, this, &CMainFrame::plotRequested);
    connect(pReplot, &QPushButton::clicked, this, &CMainFrame::replotRequested);
    // Enter in the bar is the plot command too.
    connect(m_pFunctionList->lineEdit(), &QLineEdit::returnPressed, this, &CMainFrame::plotRequested);
    connect(m_pFunctionList, qOverload<int>(&QComboBox::activated), this, &CMainFrame::functionSelected);

    auto *pRanges = new QHBoxLayout;
    pRanges->setSpacing(4);
    const struct { int nId; const char *pszLabel; } ranges[] = {
        {IDC_X_MIN, "x min:"}, {IDC_X_MAX, "x max:"}, {IDC_Y_MIN, "y min:"}, {IDC_Y_MAX, "y max:"}};
    for (const auto &range : ranges) {
        auto *pLabel = MakeLabel(QString::fromLatin1(range.pszLabel), pPanel);
        auto *pEdit = new QLineEdit(pPanel);
        pEdit->setMinimumWidth(44);
        pEdit->setMaximumWidth(78);
        pEdit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        reg(range.nId, pEdit);
        pEdit->installEventFilter(this);
        pRanges->addSpacing(6);
        pRanges->addWidget(pLabel);
        pRanges->addWidget(pEdit);
    }
    pRanges->addStretch();
    pGrid->addLayout(pRanges, 0, 5);
    pGrid->setColumnStretch(1, 1);  // spare width goes to the function list first

    pGrid->addWidget(MakeLabel(QStringLiteral("f'(x) = "), pPanel), 1, 0);
    auto *pDerivative = new QLineEdit(pPanel);
    pDerivative->setReadOnly(true);
    pDerivative->setFocusPolicy(Qt::ClickFocus);
    reg(IDC_DERIVATIVE, pDerivative);
    pGrid->addWidget(pDerivative, 1, 1, 1, 5);
    pGrid->setColumnStretch(5, 1);

    m_pFunctionList->installEventFilter(this);
    m_pFunctionList->lineEdit()->installEventFilter(this);
    m_pExpressionBar->addWidget(pPanel);

    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_pExpressionBar);
}

QDockWidget *CMainFrame::NewToolBarDock(const QString &strTitle, int nId)
{
    auto *pBar = new QDockWidget(strTitle, this);
    pBar->setObjectName(QStringLiteral("bar%1").arg(nId));
    pBar->setAllowedAreas(Qt::AllDockWidgetAreas);
    return pBar;
}

// The trace and tangent bars start hidden; their menu check marks follow them.
void CMainFrame::AddHiddenBar(QDockWidget *pBar, QWidget *pPanel)
{
    pBar->setWidget(pPanel);
    addDockWidget(Qt::TopDockWidgetArea, pBar);
    pBar->hide();
    connect(pBar, &QDockWidget::visibilityChanged, this, &CMainFrame::UpdateCommandStates);
}

void CMainFrame::CreateTraceBar()
{
    m_pTraceBar = NewToolBarDock(QStringLiteral("Trace"), IDD_TRACE_BAR);
    auto *pPanel = new QWidget(m_pTraceBar);
    auto *pLayout = new QVBoxLayout(pPanel);
    pLayout->setContentsMargins(6, 4, 6, 6);

    auto *pPosition = MakeLabel(QStringLiteral("0,0"), pPanel);
    pPosition->setObjectName(ObjectName(IDC_TRACE_POSITION));
    pPosition->setMinimumWidth(180);  // room for "x = -00.000000, y = -00.000000"
    m_traceControls.insert(IDC_TRACE_POSITION, pPosition);
    pLayout->addWidget(pPosition);

    auto *pGroup = new QGroupBox(QStringLiteral("Direct Function Trace"), pPanel);
    auto *pForm = new QGridLayout(pGroup);
    auto *pX = new QLineEdit(pGroup);
    pX->setObjectName(ObjectName(IDC_TRACE_X));
    m_traceControls.insert(IDC_TRACE_X, pX);
    auto *pFx = new QLineEdit(pGroup);
    pFx->setReadOnly(true);
    pFx->setObjectName(ObjectName(IDC_TRACE_FX));
    m_traceControls.insert(IDC_TRACE_FX, pFx);
    pForm->addWidget(MakeLabel(QStringLiteral("x ="), pGroup), 0, 0);
    pForm->addWidget(pX, 0, 1);
    pForm->addWidget(MakeLabel(QStringLiteral("f(x) ="), pGroup), 1, 0);
    pForm->addWidget(pFx, 1, 1);
    pLayout->addWidget(pGroup);

    auto *pChecks = new QHBoxLayout;
    auto *pScientific = new QCheckBox(QStringLiteral("Scientific"), pPanel);
    pScientific->setObjectName(ObjectName(IDC_SCIENTIFIC));
    m_traceControls.insert(IDC_SCIENTIFIC, pScientific);
    auto *pDegree = new QCheckBox(QStringLiteral("Degree"), pPanel);
    pDegree->setObjectName(ObjectName(IDC_DEGREE));
    pDegree->setVisible(false);  // shown while the function has a trigonometric part
    m_traceControls.insert(IDC_DEGREE, pDegree);
    pChecks->addWidget(pScientific);
    pChecks->addWidget(pDegree);
    pChecks->addStretch();
    pLayout->addLayout(pChecks);

    connect(pScientific, &QCheckBox::clicked, this, [this] { Dispatch(ID_SCIENTIFIC); });
    connect(pDegree, &QCheckBox::clicked, this, [this] { Dispatch(ID_DEGREE); });

    AddHiddenBar(m_pTraceBar, pPanel);
}

void CMainFrame::CreateTangentBar()
{
    m_pTangentBar = NewToolBarDock(QStringLiteral("Tangent Bar"), IDD_TANGENT_BAR);
    auto *pPanel = new QWidget(m_pTangentBar);
    auto *pLayout = new QVBoxLayout(pPanel);
    pLayout->setContentsMargins(6, 4, 6, 6);
    const struct { int nId; const char *pszText; } labels[] = {
        {IDC_TANGENT_X, "x =               ----"},
        {IDC_TANGENT_FX, "f(x) =            ----"},
        {IDC_TANGENT_THETA, "Theta =        ----"},
        {IDC_TANGENT_SLOPE, "Slope =        ----"},
        {IDC_TANGENT_EQUATION, "Equation :Click right button."},
    };
    for (const auto &label : labels) {
        auto *pLabel = MakeLabel(QString::fromLatin1(label.pszText), pPanel);
        pLabel->setObjectName(ObjectName(label.nId));
        pLabel->setMinimumWidth(240);
        pLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_tangentControls.insert(label.nId, pLabel);
        pLayout->addWidget(pLabel);
    }
    auto *pDegree = new QCheckBox(QStringLiteral("Degree"), pPanel);
    pDegree->setObjectName(ObjectName(IDC_DEGREE));
    m_tangentControls.insert(IDC_DEGREE, pDegree);
    pLayout->addWidget(pDegree);
    connect(pDegree, &QCheckBox::clicked, this, [this] { Dispatch(ID_DEGREE); });

    AddHiddenBar(m_pTangentBar, pPanel);
}

void CMainFrame::CreateZoomBar()
{
    m_pZoomBar = new QDockWidget(QStringLiteral("Zoom"), this);
    m_pZoomBar->setObjectName(QStringLiteral("bar%1").arg(IDR_ZOOM_TOOLBAR));
    // It only floats.
    m_pZoomBar->setAllowedAreas(Qt::NoDockWidgetArea);
    m_pZoomBar->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    auto *pPanel = new QWidget(m_pZoomBar);
    auto *pGrid = new QGridLayout(pPanel);
    pGrid->setContentsMargins(3, 3, 3, 3);
    pGrid->setSpacing(1);
    pGrid->setAlignment(Qt::AlignCenter);
    int nIndex = 0;
    for (int nId : ZoomToolbarLayout()) {
        auto *pButton = new QToolButton(pPanel);
        pButton->setObjectName(QStringLiteral("zoom%1").arg(nId));
        pButton->setDefaultAction(m_actions.value(nId));
        pButton->setAutoRaise(true);
        pButton->setIconSize(QSize(16, 16));
        pButton->setFocusPolicy(Qt::NoFocus);
        // Two columns: the row ends after the buttons at 1, 3, 5, 7 and 9.
        pGrid->addWidget(pButton, nIndex / 2, nIndex % 2);
        m_zoomButtons.insert(nId, pButton);
        ++nIndex;
    }
    // Just wide enough for the two columns and the title "Zoom" with its buttons.
    const int nTitle = m_pZoomBar->fontMetrics().horizontalAdvance(m_pZoomBar->windowTitle()) + 52;
    pPanel->setFixedSize(qMax(pGrid->sizeHint().width(), nTitle), pGrid->sizeHint().height());
    m_pZoomBar->setWidget(pPanel);
    addDockWidget(Qt::RightDockWidgetArea, m_pZoomBar);
    m_pZoomBar->setFloating(true);
    connect(m_pZoomBar, &QDockWidget::visibilityChanged, this, &CMainFrame::UpdateCommandStates);
    connect(m_pZoomBar, &QDockWidget::topLevelChanged, this, [this](bool bFloating) {
        if (!bFloating)
            m_pZoomBar->setFloating(true);
    });
}

void CMainFrame::CreateGraphArea()
{
    m_pView = new CCorvantaView(this);
    m_pView->setObjectName(QStringLiteral("GraphArea"));
    m_pView->setMinimumSize(200, 150);
    m_pView->SetHost(this);
    m_pGraphArea = m_pView;
    setCentralWidget(m_pView);

    connect(this, &CMainFrame::rangeFieldFocused, m_pView, &CCorvantaView::OnRangeFieldFocus);
    connect(this, &CMainFrame::replotRequested, m_pView, &CCorvantaView::RePlot);
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
        case ID_TRACE: bChecked = IsBarVisible(false); break;
        case ID_TANGENT: bChecked = IsBarVisible(true); break;
        case ID_SCIENTIFIC: bChecked = m_bScientific; break;
        case ID_DEGREE: bChecked = m_bDegree; break;
        case ID_FULLSCREEN: bChecked = m_pOutput && m_pOutput->IsFullscreen(); break;
        default: break;
        }
        if (pAction->isEnabled() != bEnabled)
            pAction->setEnabled(bEnabled);
        if (pAction->isCheckable() && pAction->isChecked() != bChecked)
            pAction->setChecked(bChecked);
    }
    // The "Degree" boxes are checked from the frame's flag.
    for (QWidget *pBox : {m_traceControls.value(IDC_DEGREE), m_tangentControls.value(IDC_DEGREE)})
        if (auto *pCheck = qobject_cast<QCheckBox *>(pBox))
            pCheck->setChecked(m_bDegree);
    for (int i = 0; i < m_aRecentActions.size(); ++i)
        m_aRecentActions.at(i)->setEnabled(i < m_recent.Count());
    // "Plot" is offered once something carries the plot command out.
    if (QWidget *pPlot = m_exprControls.value(IDC_PLOT))
        pPlot->setEnabled(isSignalConnected(QMetaMethod::fromSignal(&CMainFrame::plotRequested)));
}

void CMainFrame::OnRecentFile(int nId)
{
    const int nIndex = nId - ID_FILE_MRU_FILE1;
    const QString strPath = m_recent.Path(nIndex);
    if (strPath.isEmpty())
        return;
    // A file that has gone away leaves the list once it has been reported.
    if (!OpenDocumentFile(strPath) && m_pDocument && !QFileInfo::exists(strPath) &&
        m_recent.Path(nIndex) == strPath) {
        m_recent.Remove(nIndex);
        QSettings settings(QStringLiteral("HALDEN"), QStringLiteral("Corvanta"));
        m_recent.Save(settings);
        RefreshRecentFileMenu();
    }
}

void CMainFrame::OnAppExit(int) { close(); }

void CMainFrame::OnBarCheck(int nId)
{
    QWidget *pBar = nullptr;
    switch (nId) {
    case ID_VIEW_TOOLBAR: pBar = m_pMainToolBar; break;
    case ID_VIEW_ZOOM_TOOLBAR: pBar = m_pZoomBar; break;
    case ID_VIEW_EXPRESSION_BAR: pBar = m_pExpressionBar; break;
    case ID_VIEW_STATUS_BAR: pBar = statusBar(); break;
    default: return;
    }
    pBar->setVisible(pBar->isHidden());
}

void CMainFrame::OnExtendedTools(int) {}  // the arrow beside the button offers the tools

void CMainFrame::OnAppAbout(int)
{
    CAboutDlg dlg(this);
    dlg.exec();
}

void CMainFrame::OnAnalyzeGraph(int)
{
    if (FunctionListCount() == 0 || !m_pView) {
        ShowMessage(this,
                    QStringLiteral("Error 0x05:\n\nThe are no expressions to Analyse!\n"
                                   "Please enter at lease one function and try again."),
                    QStringLiteral("No expression found"), MsgIcon::Stop);
        return;
    }
    // The pages get copies of the texts; the view's slots stay untouched.
    CAnalysisSheet sheet(CAnalysisSheet::InputFromView(*m_pView, m_pView->screen()->geometry().width()), m_pView);
    sheet.exec();
}

// The calculator offers the plotted functions, each shown derivative
// indented below its function, with the selected slot chosen.
void CMainFrame::OnCalculator(int)
{
    QStringList functions;
    for (int i = 0; i <= m_pView->m_nLast && i < CViewState::kSlots; ++i) {
        functions << QString::fromStdString(m_pView->m_aFunctions[i].m_strText);
        if (m_pView->m_aFunctions[i].m_bDerivativeShown)
            functions << QStringLiteral("    ") + QString::fromStdString(m_pView->m_aDerivatives[i].m_strText);
    }
    m_pCalcDlg->ShowCalculator(functions, m_pView->m_nSelected);
}

void CMainFrame::OnLinearAlgebra(int nId)
{
    if (nId == ID_SIMULTANEOUS) {
        CSimEqDlg(this).exec();
    } else if (nId == ID_DETERMINANTS) {
        CDetDlg(this).exec();
    } else if (nId == ID_MATRICES) {
        CMatrixOpsDlg dlg(m_matrixMemory, this);
        dlg.exec();
    }
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

// --- Frame operations -------------------------------------------------------

QString CMainFrame::RangeFieldText(int nId) const
{
    if (nId < IDC_X_MIN || nId > IDC_Y_MAX)
        return {};
    return BarControlText(nId);
}

void CMainFrame::SetRangeFieldText(int nId, const QString &strText)
{
    if (nId >= IDC_X_MIN && nId <= IDC_Y_MAX)
        SetBarControlText(nId, strText);
}

void CMainFrame::FocusFunctionList()
{
    m_pFunctionList->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::SelectFunctionListText(int nStart, int nLength)
{
    if (QLineEdit *pEdit = m_pFunctionList->lineEdit())
        pEdit->setSelection(nStart, nLength);
}

void CMainFrame::SetBarVisible(int nCommand, bool bVisible)
{
    if (nCommand != ID_TRACE && nCommand != ID_TANGENT)
        return;
    if (IsBarVisible(nCommand == ID_TANGENT) != bVisible)
        ToggleBar(nCommand);
}

void CMainFrame::OnFirstPaint()
{
    // Once per run, after the first picture is on the screen.
    CSplashDlg::ShowOnce(this);
}

CDocumentSync::Outcome CMainFrame::SyncDocument(SGraphState &view, SGraphState &snapshot,
                                                 const std::function<void(bool)> &clearGraph)
{
    if (!m_pDocument)
        return {};
    return m_pDocument->SyncView(view, snapshot, clearGraph);
}

// --- The function list, for the view ---------------------------------------
// Changing the entries never changes what the user has typed in the edit part.

QString CMainFrame::FunctionListText() const { return m_pFunctionList->currentText(); }

void CMainFrame::SetFunctionListText(const QString &strText) { m_pFunctionList->setEditText(strText); }

int CMainFrame::FunctionListCount() const { return m_pFunctionList->count(); }

void CMainFrame::AppendFunctionListEntry(const QString &strText)
{
    InsertFunctionListEntry(m_pFunctionList->count(), strText);
}

void CMainFrame::InsertFunctionListEntry(int nIndex, const QString &strText)
{
    const QString strEdit = m_pFunctionList->currentText();
    const QSignalBlocker block(m_pFunctionList);
    m_pFunctionList->insertItem(qBound(0, nIndex, m_pFunctionList->count()), strText);
    m_pFunctionList->setEditText(strEdit);
}

void CMainFrame::RemoveFunctionListEntry(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_pFunctionList->count())
        return;
    const QString strEdit = m_pFunctionList->currentText();
    const QSignalBlocker block(m_pFunctionList);
    m_pFunctionList->removeItem(nIndex);
    m_pFunctionList->setEditText(strEdit);
}

void CMainFrame::ClearFunctionList()
{
    const QSignalBlocker block(m_pFunctionList);
    m_pFunctionList->clear();
    m_pFunctionList->clearEditText();
}

void CMainFrame::SelectFunctionListEntry(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_pFunctionList->count())
        return;
    const QSignalBlocker block(m_pFunctionList);
    m_pFunctionList->setCurrentIndex(nIndex);
}

void CMainFrame::SetDerivativeText(const QString &strText) { SetBarControlText(IDC_DERIVATIVE, strText); }

void CMainFrame::ShowStatusText(const QString &strText) { statusBar()->showMessage(strText, 5000); }

bool CMainFrame::IsNewDocument() const { return m_pDocument && m_pDocument->m_bNewDocument; }

void CMainFrame::SetDocument(CCorvantaDoc *pDocument)
{
    if (m_pDocument) {
        disconnect(m_pDocument, nullptr, this, nullptr);
        if (m_pView)
            disconnect(m_pDocument, nullptr, m_pView, nullptr);
    }
    m_pDocument = pDocument;
    if (m_pDocument) {
        m_pDocument->SetMessageParent(this);
        connect(m_pDocument, &CCorvantaDoc::modifiedChanged, this, &CMainFrame::UpdateTitle);
        connect(m_pDocument, &CCorvantaDoc::titleChanged, this, &CMainFrame::UpdateTitle);
        // A new or opened document reaches the view at its next synchronisation.
        if (m_pView)
            connect(m_pDocument, &CCorvantaDoc::updateAllViews, m_pView, [this] { m_pView->Redraw(); });
    }
    UpdateTitle();
}

void CMainFrame::UpdateTitle()
{
    const QString strName = m_pDocument ? m_pDocument->GetTitle() : QString::fromLatin1(CCorvantaDoc::kUntitled);
    // "[*]" shows as "*" while the window is marked modified.
    setWindowTitle(strName + QStringLiteral("[*] - ") + QString::fromLatin1(CCorvantaDoc::kWindowTitle));
    setWindowModified(m_pDocument && m_pDocument->IsModified());
}

// --- Documents ----------------------------------------------------------------

QString CMainFrame::AskFileName(bool bSave, const QString &strSuggested)
{
    if (m_fileDialog)
        return m_fileDialog(bSave, strSuggested);

    QFileDialog dlg(this, bSave ? QStringLiteral("Save As") : QStringLiteral("Open"));
    dlg.setNameFilter(QString::fromLatin1(CCorvantaDoc::kFilterName));
    dlg.setAcceptMode(bSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(bSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setDefaultSuffix(QString::fromLatin1(CCorvantaDoc::kExtension).mid(1));
    // The question about replacing a file goes through the program's own boxes.
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QFileInfo suggested(strSuggested);
    if (!strSuggested.isEmpty() && suggested.isAbsolute())
        dlg.setDirectory(suggested.absolutePath());
    else if (!m_strLastDirectory.isEmpty())
        dlg.setDirectory(m_strLastDirectory);
    if (!strSuggested.isEmpty())
        dlg.selectFile(suggested.fileName());
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    const QString strPath = dlg.selectedFiles().constFirst();
    m_strLastDirectory = QFileInfo(strPath).absolutePath();
    if (bSave && QFileInfo::exists(strPath) &&
        ShowMessage(this,
                    QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QDir::toNativeSeparators(strPath)),
                    QStringLiteral("Save As"), MsgIcon::Warning, MsgButtons::YesNo) != MsgAnswer::Yes)
        return {};
    return strPath;
}

bool CMainFrame::SaveModified()
{
    if (!m_pDocument)
        return true;
    const QString strBefore = m_pDocument->GetPathName();
    const bool bGoOn = m_pDocument->SaveModified([this] {
        return AskFileName(true, m_pDocument->GetTitle() + QString::fromLatin1(CCorvantaDoc::kExtension));
    });
    // A document saved under a new name joins the recent files.
    if (bGoOn && m_pDocument->HasPath() && m_pDocument->GetPathName() != strBefore)
        AddToRecentFileList(m_pDocument->GetPathName());
    return bGoOn;
}

void CMainFrame::OnFileNew(int)
{
    if (!m_pDocument || !SaveModified())
        return;
    m_pDocument->OnNewDocument();
}

void CMainFrame::OnFileOpen(int)
{
    if (!m_pDocument)
        return;
    const QString strPath = AskFileName(false, QString());
    if (!strPath.isEmpty())
        OpenDocumentFile(strPath);
}

void CMainFrame::OnFileSave(int)
{
    if (!m_pDocument)
        return;
    if (m_pDocument->HasPath())
        m_pDocument->Save();
    else
        OnFileSaveAs(ID_FILE_SAVE_AS);
}

void CMainFrame::OnFileSaveAs(int)
{
    if (!m_pDocument)
        return;
    const QString strSuggested = m_pDocument->HasPath()
                                     ? m_pDocument->GetPathName()
                                     : m_pDocument->GetTitle() + QString::fromLatin1(CCorvantaDoc::kExtension);
    const QString strPath = AskFileName(true, strSuggested);
    if (!strPath.isEmpty() && m_pDocument->SaveAs(strPath))
        AddToRecentFileList(m_pDocument->GetPathName());
}

void CMainFrame::SetBarControlText(int nId, const QString &strText)
{
    QWidget *pControl = m_exprControls.value(nId);
    if (auto *pEdit = qobject_cast<QLineEdit *>(pControl)) {
        pEdit->setText(strText);
        pEdit->setCursorPosition(0);  // a long number shows its sign and first digits
    }
    else if (auto *pCombo = qobject_cast<QComboBox *>(pControl))
        pCombo->setEditText(strText);
    else if (auto *pButton = qobject_cast<QPushButton *>(pControl))
        pButton->setText(strText);
    else if (auto *pLabel = qobject_cast<QLabel *>(pControl))
        pLabel->setText(strText);
}

QString CMainFrame::BarControlText(int nId) const
{
    QWidget *pControl = m_exprControls.value(nId);
    if (auto *pEdit = qobject_cast<QLineEdit *>(pControl))
        return pEdit->text();
    if (auto *pCombo = qobject_cast<QComboBox *>(pControl))
        return pCombo->currentText();
    if (auto *pButton = qobject_cast<QPushButton *>(pControl))
        return pButton->text();
    if (auto *pLabel = qobject_cast<QLabel *>(pControl))
        return pLabel->text();
    return {};
}

void CMainFrame::SetTracePositionText(const QString &strText)
{
    if (auto *pLabel = qobject_cast<QLabel *>(m_traceControls.value(IDC_TRACE_POSITION)))
        pLabel->setText(strText);
}

void CMainFrame::ToggleBar(int nCommand)
{
    QDockWidget *pBar = nCommand == ID_TRACE ? m_pTraceBar : nCommand == ID_TANGENT ? m_pTangentBar : nullptr;
    if (!pBar)
        return;
    pBar->setVisible(pBar->isHidden());
    UpdateCommandStates();
}

bool CMainFrame::IsBarVisible(bool bTangent) const
{
    return !(bTangent ? m_pTangentBar : m_pTraceBar)->isHidden();
}

void CMainFrame::UpdateDegreeOption(const QString &strCoded)
{
    // Codes A .. F are sin, cos, tan, cot, csc and sec.
    bool bTrig = false;
    for (QChar c : strCoded)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('F')) {
            bTrig = true;
            break;
        }
    m_bTrigonometric = bTrig;
    if (QWidget *pDegree = m_traceControls.value(IDC_DEGREE))
        pDegree->setVisible(bTrig);
}

void CMainFrame::SetIndicatorColor(const QColor &color)
{
    m_indicatorColor = color;
    m_pColorIndicator->SetColor(color);
}

QColor CMainFrame::IndicatorColor() const { return m_indicatorColor; }

bool CMainFrame::OpenDocumentFile(const QString &strPath)
{
    if (strPath.isEmpty())
        return false;
    m_strPendingPath = QFileInfo(strPath).absoluteFilePath();
    emit documentOpenRequested(m_strPendingPath);
    if (!m_pDocument || !SaveModified())
        return false;
    // A file that is refused has been named in a message; nothing changed.
    if (!m_pDocument->OnOpenDocument(m_strPendingPath))
        return false;
    m_strLastDirectory = QFileInfo(m_strPendingPath).absolutePath();
    AddToRecentFileList(m_strPendingPath);
    return true;
}

void CMainFrame::AddToRecentFileList(const QString &strPath)
{
    m_recent.Add(strPath);
    QSettings settings(QStringLiteral("HALDEN"), QStringLiteral("Corvanta"));
    m_recent.Save(settings);
    RefreshRecentFileMenu();
}

void CMainFrame::RefreshRecentFileMenu()
{
    for (int i = 0; i < m_aRecentActions.size(); ++i) {
        QAction *pAction = m_aRecentActions.at(i);
        pAction->setVisible(i < m_recent.Count());
        pAction->setText(m_recent.MenuText(i));
        pAction->setEnabled(i < m_recent.Count());
    }
    m_pRecentPlaceholder->setVisible(m_recent.Count() == 0);
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
    const bool bKey = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (bKey && (qobject_cast<QLineEdit *>(watched) || qobject_cast<QComboBox *>(watched))) {
        // The program's other keys act even while a field of the bar has the
        // focus (Ctrl+D differentiates): the field is told it wants the key,
        // so that the key press comes here and is carried out once, and never
        // edits the field. The field's own editing keys (select all, copy,
        // cut, paste, undo) stay with the text.
        auto *pKey = static_cast<QKeyEvent *>(event);
        if (IsTextEditingKey(pKey))
            return QMainWindow::eventFilter(watched, event);
        if (QAction *pAction = EnabledShortcutAction(QKeySequence(pKey->keyCombination()))) {
            if (event->type() == QEvent::ShortcutOverride)
                event->accept();
            else
                pAction->trigger();
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn) {
        const int nId = m_exprControls.key(qobject_cast<QWidget *>(watched), 0);
        if (nId >= IDC_X_MIN && nId <= IDC_Y_MAX)
            emit rangeFieldFocused(nId);
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
