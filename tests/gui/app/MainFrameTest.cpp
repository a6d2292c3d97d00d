#include "gui/app/AboutDlg.h"
#include "gui/view/CommandIds.h"

#include <QtTest/QtTest>

#include "gui/app/FrameTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

QString TextOf(QWidget *pWidget)
{
    if (auto *pLabel = qobject_cast<QLabel *>(pWidget))
        return pLabel->text();
    if (auto *pButton = qobject_cast<QAbstractButton *>(pWidget))
        return pButton->text();
    auto *pEdit = qobject_cast<QLineEdit *>(pWidget);
    return pEdit ? pEdit->text() : QString();
}

void ClickBox(QWidget *pBox)
{
    ASSERT_NE(pBox, nullptr);
    QTest::mouseClick(pBox, Qt::LeftButton, {}, QPoint(5, pBox->height() / 2));
}

}  // namespace

using MainFrame = FrameFixture;

TEST_F(MainFrame, StatusBarHasTheMessagePaneAndThreeIndicators)
{
    const QList<QLabel *> panes = m_pFrame->IndicatorPanes();
    ASSERT_EQ(panes.size(), 3);
    EXPECT_EQ(QStringList({panes[0]->text(), panes[1]->text(), panes[2]->text()}), QStringList({"CAPS", "NUM", "SCRL"}));
    ShowFrame();
    EXPECT_EQ(m_pFrame->statusBar()->currentMessage(), "Ready");
    // Indicators sit right of the message pane, in order.
    EXPECT_LT(panes.at(0)->x(), panes.at(1)->x());
    EXPECT_LT(panes.at(1)->x(), panes.at(2)->x());
    EXPECT_GT(panes.at(0)->x(), m_pFrame->statusBar()->width() / 2);
    // Entering a toolbar button shows its command's prompt.
    QWidget *pButton = m_pFrame->MainToolBar()->widgetForAction(m_pFrame->Action(ID_VIEW_ZOOM_TOOLBAR));
    ASSERT_NE(pButton, nullptr);
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), pButton->mapToGlobal(QPointF(3, 3)));
    QApplication::sendEvent(pButton, &enter);
    EXPECT_EQ(m_pFrame->statusBar()->currentMessage(), "Show/Hide zoom bar");
}

// Every control of the three bars by id: its kind and its first text.
TEST_F(MainFrame, BarControlsByIdKindAndText)
{
    const struct { char cBar; int nId; const char *pszClass; const char *pszText; } controls[] = {
        {'E', IDC_FUNCTION_LIST, "QComboBox", ""}, {'E', IDC_PLOT, "QPushButton", "Plot"},
        {'E', IDC_REPLOT, "QPushButton", "Re-Plot"}, {'E', IDC_X_MIN, "QLineEdit", ""}, {'E', IDC_X_MAX, "QLineEdit", ""},
        {'E', IDC_Y_MIN, "QLineEdit", ""}, {'E', IDC_Y_MAX, "QLineEdit", ""}, {'E', IDC_DERIVATIVE, "QLineEdit", ""},
        {'E', IDC_COLOR_INDICATOR, "QWidget", ""}, {'T', 1016, "QLabel", "0,0"}, {'T', 1045, "QLineEdit", ""},
        {'T', 1046, "QLineEdit", ""}, {'T', 1048, "QCheckBox", "Scientific"}, {'T', 1049, "QCheckBox", "Degree"},
        {'G', 1016, "QLabel", "x =               ----"}, {'G', 1017, "QLabel", "f(x) =            ----"},
        {'G', 1018, "QLabel", "Theta =        ----"}, {'G', 1019, "QLabel", "Slope =        ----"},
        {'G', 1020, "QLabel", "Equation :Click right button."}, {'G', 1049, "QCheckBox", "Degree"}};
    for (const auto &c : controls) {
        QWidget *pControl = c.cBar == 'E'   ? m_pFrame->ExpressionBarControl(c.nId)
                            : c.cBar == 'T' ? m_pFrame->TraceBarControl(c.nId)
                                            : m_pFrame->TangentBarControl(c.nId);
        ASSERT_NE(pControl, nullptr) << c.cBar << c.nId;
        EXPECT_TRUE(pControl->inherits(c.pszClass)) << c.cBar << c.nId;
        EXPECT_EQ(TextOf(pControl), c.pszText) << c.cBar << c.nId;
    }
    QToolBar *pBar = m_pFrame->ExpressionBar();
    EXPECT_EQ(pBar->windowTitle(), "Function Entry");
    EXPECT_TRUE(m_pFrame->toolBarBreak(pBar));  // on its own row below the main toolbar
    EXPECT_EQ(m_pFrame->toolBarArea(pBar), Qt::TopToolBarArea);
    EXPECT_EQ(m_pFrame->ExpressionBarControl(IDC_FUNCTION_LIST), m_pFrame->FunctionList());
    EXPECT_TRUE(m_pFrame->FunctionList()->isEditable());
    EXPECT_EQ(m_pFrame->FunctionList()->maximumWidth(), 310);  // when there is room
    EXPECT_TRUE(qobject_cast<QLineEdit *>(m_pFrame->ExpressionBarControl(IDC_DERIVATIVE))->isReadOnly());
    EXPECT_TRUE(qobject_cast<QLineEdit *>(m_pFrame->TraceBarControl(1046))->isReadOnly());
    EXPECT_FALSE(m_pFrame->ExpressionBarControl(IDC_COLOR_INDICATOR)->isEnabled());
    EXPECT_EQ(m_pFrame->ExpressionBarControl(IDC_COLOR_INDICATOR)->size(), QSize(17, 16));
    EXPECT_TRUE(m_pFrame->TraceBarControl(1049)->isHidden());
    QStringList texts;
    for (QLabel *pLabel : pBar->findChildren<QLabel *>())
        texts << pLabel->text();
    for (QGroupBox *pGroup : m_pFrame->TraceBar()->findChildren<QGroupBox *>())
        texts << pGroup->title();
    for (const char *psz : {"f(x) =", "x min:", "x max:", "y min:", "y max:", "f'(x) = ", "Direct Function Trace"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(psz))) << psz;

    EXPECT_EQ(m_pFrame->TraceBar()->windowTitle(), "Trace");
    EXPECT_EQ(m_pFrame->TangentBar()->windowTitle(), "Tangent Bar");
    for (QDockWidget *pDock : {m_pFrame->TraceBar(), m_pFrame->TangentBar()}) {
        EXPECT_TRUE(pDock->isHidden());
        EXPECT_TRUE(pDock->isFloating());
    }
    EXPECT_EQ(m_pFrame->TraceBar()->allowedAreas(), Qt::AllDockWidgetAreas);
}

TEST_F(MainFrame, BarTextsReachOnlyTheirControls)
{
    CViewHost *pHost = m_pFrame.get();
    pHost->SetRangeFieldText(IDC_Y_MAX, "4.00");
    EXPECT_EQ(TextOf(m_pFrame->ExpressionBarControl(IDC_Y_MAX)), "4.00");
    EXPECT_EQ(pHost->RangeFieldText(IDC_Y_MAX), "4.00");
    // Only the four range fields answer to these.
    pHost->SetRangeFieldText(IDC_DERIVATIVE, "x");
    EXPECT_EQ(m_pFrame->BarControlText(IDC_DERIVATIVE), "");
    EXPECT_EQ(pHost->RangeFieldText(1049), "");
    EXPECT_EQ(pHost->RangeFieldText(1054), "");
    m_pFrame->SetBarControlText(IDC_FUNCTION_LIST, "sin(x)");
    EXPECT_EQ(m_pFrame->FunctionList()->currentText(), "sin(x)");
    EXPECT_EQ(m_pFrame->BarControlText(IDC_FUNCTION_LIST), "sin(x)");
    m_pFrame->SetBarControlText(IDC_DERIVATIVE, "cos(x)");
    EXPECT_EQ(m_pFrame->BarControlText(IDC_DERIVATIVE), "cos(x)");
    m_pFrame->SetBarControlText(9999, "nothing");  // unknown id: no effect, no crash
    EXPECT_EQ(m_pFrame->BarControlText(9999), "");
    m_pFrame->SetTracePositionText("x = 1.000000, y = 2.000000");
    EXPECT_EQ(TextOf(m_pFrame->TraceBarControl(1016)), "x = 1.000000, y = 2.000000");
}

TEST_F(MainFrame, FloatingBarsStandWhereTheScreenSays)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    auto expected = [&](QDockWidget *pBar, int x, int y) {
        // Placed at the given point, moved in only as far as keeps it on the screen.
        return QPoint(qBound(screen.left(), screen.left() + x, qMax(screen.left(), screen.right() - pBar->width())),
                      qBound(screen.top(), screen.top() + y, qMax(screen.top(), screen.bottom() - pBar->height())));
    };
    const int cx = screen.width(), cy = screen.height();
    EXPECT_EQ(m_pFrame->TraceBar()->pos(), expected(m_pFrame->TraceBar(), cx - 200, cy / 3));
    EXPECT_EQ(m_pFrame->TangentBar()->pos(), expected(m_pFrame->TangentBar(), cx - 300, cy / 3 + 50));
    EXPECT_EQ(m_pFrame->ZoomBar()->pos(), expected(m_pFrame->ZoomBar(), cx - 300, cy / 4));
}

// The zoom bar only floats and shows; trace and tangent wait for their commands.
TEST_F(MainFrame, ZoomBarOnlyFloatsTraceAndTangentToggle)
{
    QDockWidget *pZoom = m_pFrame->ZoomBar();
    EXPECT_EQ(pZoom->windowTitle(), "Zoom");
    for (auto area : {Qt::LeftDockWidgetArea, Qt::RightDockWidgetArea, Qt::TopDockWidgetArea, Qt::BottomDockWidgetArea})
        EXPECT_FALSE(pZoom->isAreaAllowed(area));
    pZoom->setFloating(false);  // someone tries to dock it
    EXPECT_TRUE(pZoom->isFloating());
    ShowFrame();
    EXPECT_TRUE(pZoom->isVisible());
    EXPECT_FALSE(m_pFrame->TraceBar()->isVisible());
    EXPECT_FALSE(m_pFrame->TangentBar()->isVisible());
    const struct { int nId; bool bTrace, bTangent; } steps[] = {
        {ID_TRACE, true, false}, {ID_TANGENT, true, true}, {ID_TRACE, false, true}, {ID_ZOOM_IN, false, true}};
    for (const auto &step : steps) {  // any other id does nothing
        m_pFrame->ToggleBar(step.nId);
        EXPECT_EQ(m_pFrame->IsBarVisible(false), step.bTrace) << step.nId;
        EXPECT_EQ(m_pFrame->IsBarVisible(true), step.bTangent) << step.nId;
        EXPECT_EQ(m_pFrame->Action(ID_TRACE)->isChecked(), step.bTrace) << step.nId;
        EXPECT_EQ(m_pFrame->Action(ID_TANGENT)->isChecked(), step.bTangent) << step.nId;
    }
}

TEST_F(MainFrame, BarCommandsToggleTheirBarsWithCheckMarks)
{
    ShowFrame();
    const struct { int nId; QWidget *pBar; } bars[] = {
        {ID_VIEW_TOOLBAR, m_pFrame->MainToolBar()}, {ID_VIEW_ZOOM_TOOLBAR, m_pFrame->ZoomBar()},
        {ID_VIEW_EXPRESSION_BAR, m_pFrame->ExpressionBar()}, {ID_VIEW_STATUS_BAR, m_pFrame->statusBar()}};
    for (const auto &bar : bars) {
        SCOPED_TRACE(bar.nId);
        m_pFrame->UpdateCommandStates();
        for (int i = 0; i < 3; ++i) {  // shown, hidden, shown again
            EXPECT_EQ(bar.pBar->isVisible(), i != 1);
            EXPECT_EQ(m_pFrame->Action(bar.nId)->isChecked(), i != 1);
            if (i < 2) {
                EXPECT_TRUE(m_pFrame->ExecuteCommand(bar.nId));
            }
        }
    }
}

TEST_F(MainFrame, DegreeOptionFollowsTrigonometricCodes)
{
    const struct { const char *pszCoded; bool bTrig; } cases[] = {
        {"A(x))", true}, {"B(x))", true}, {"C(x))", true}, {"D(x))", true}, {"E(x))", true}, {"F(x))", true},
        {"G(x))", false}, {"Z(x))", false}, {"x^2)", false}, {")", false}, {"", false}, {"3*A(2*x))", true},
        {"a(x))", false}};
    auto *pDegree = m_pFrame->TraceBarControl(IDC_DEGREE);
    for (const auto &c : cases) {
        m_pFrame->UpdateDegreeOption(QString::fromUtf8(c.pszCoded));
        EXPECT_EQ(m_pFrame->IsTrigonometric(), c.bTrig) << c.pszCoded;
        EXPECT_EQ(!pDegree->isHidden(), c.bTrig) << c.pszCoded;
    }
}

TEST_F(MainFrame, ScientificAndDegreeFlagsToggleFromTheirBoxes)
{
    ShowFrame();
    m_pFrame->ToggleBar(ID_TRACE);
    m_pFrame->ToggleBar(ID_TANGENT);
    m_pFrame->UpdateDegreeOption("A(x))");
    EXPECT_FALSE(m_pFrame->IsScientific());
    EXPECT_FALSE(m_pFrame->IsDegree());
    auto *pScientific = qobject_cast<QCheckBox *>(m_pFrame->TraceBarControl(IDC_SCIENTIFIC));
    ClickBox(pScientific);
    EXPECT_TRUE(m_pFrame->IsScientific());
    EXPECT_TRUE(pScientific->isChecked());
    ClickBox(pScientific);
    EXPECT_FALSE(m_pFrame->IsScientific());

    // Either bar's "Degree" toggles the one flag; both boxes show it.
    auto *pTraceDegree = qobject_cast<QCheckBox *>(m_pFrame->TraceBarControl(IDC_DEGREE));
    auto *pTangentDegree = qobject_cast<QCheckBox *>(m_pFrame->TangentBarControl(IDC_DEGREE));
    ClickBox(pTangentDegree);
    EXPECT_TRUE(m_pFrame->IsDegree());
    EXPECT_TRUE(pTraceDegree->isChecked());
    EXPECT_TRUE(m_pFrame->Action(ID_DEGREE)->isChecked());
    ClickBox(pTraceDegree);
    EXPECT_FALSE(m_pFrame->IsDegree());
    EXPECT_FALSE(pTangentDegree->isChecked());
}

TEST_F(MainFrame, ExtendedToolsButtonDoesNothingItsArrowOffersTools)
{
    ShowFrame();
    QAction *pExtended = m_pFrame->Action(ID_EXTENDED_TOOLS);
    auto *pButton = qobject_cast<QToolButton *>(m_pFrame->MainToolBar()->widgetForAction(pExtended));
    ASSERT_NE(pButton, nullptr);
    EXPECT_EQ(pButton->popupMode(), QToolButton::MenuButtonPopup);
    QMenu *pTools = m_pFrame->Popup(4);
    ASSERT_EQ(pButton->menu(), pTools);
    QList<int> toolIds;
    for (QAction *pAction : pTools->actions())
        toolIds << pAction->data().toInt();
    EXPECT_EQ(toolIds, (QList<int>{ID_SIMULTANEOUS, ID_DETERMINANTS, ID_CALCULATOR, ID_MATRICES}));

    // Clicking the button runs its command, which does nothing: no other command, no menu.
    std::vector<std::unique_ptr<QSignalSpy>> others;
    for (QAction *pAction : m_pFrame->findChildren<QAction *>())
        if (pAction != pExtended)
            others.push_back(std::make_unique<QSignalSpy>(pAction, &QAction::triggered));
    QSignalSpy own(pExtended, &QAction::triggered);
    QTest::mouseClick(pButton, Qt::LeftButton, {}, QPoint(4, pButton->height() / 2));
    EXPECT_EQ(own.count(), 1);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    for (const auto &pSpy : others)
        EXPECT_EQ(pSpy->count(), 0);

    // The arrow opens the Tools popup just below the button, at its left edge.
    QWidget *pShown = nullptr;
    QPoint shownAt;
    QTimer::singleShot(50, [&] {
        if ((pShown = QApplication::activePopupWidget())) {
            shownAt = pShown->pos();
            pShown->close();
        }
    });
    QTest::mouseClick(pButton, Qt::LeftButton, {}, QPoint(pButton->width() - 3, pButton->height() / 2));
    QTRY_VERIFY(pShown != nullptr);
    EXPECT_EQ(pShown, pTools);
    const QPoint below = pButton->mapToGlobal(QPoint(0, pButton->height()));
    EXPECT_EQ(shownAt.x(), below.x());
    EXPECT_NEAR(shownAt.y(), below.y(), 1);
}

TEST_F(MainFrame, MinimisingTellsTheView)
{
    ShowFrame();
    QSignalSpy spy(m_pFrame.get(), &CMainFrame::minimized);
    m_pFrame->setWindowState(Qt::WindowMinimized);
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(MainFrame, DroppedLocalFilesAreHandedOn)
{
    QSignalSpy spy(m_pFrame.get(), &CMainFrame::documentOpenRequested);
    auto enter = [&](const QList<QUrl> &urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent event(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_pFrame.get(), &event);
        return event.isAccepted();
    };
    const QList<QUrl> local = {QUrl("https://example.org/a.cva"), QUrl::fromLocalFile("/tmp/graphs/one.cva"),
                               QUrl::fromLocalFile("/tmp/graphs/two.cva")};
    EXPECT_FALSE(enter({QUrl("https://example.org/a.cva")}));
    EXPECT_TRUE(enter(local));
    QMimeData data;
    data.setUrls(local);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_pFrame.get(), &drop);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), "/tmp/graphs/one.cva");
    EXPECT_EQ(m_pFrame->PendingDocumentPath(), "/tmp/graphs/one.cva");
}

TEST_F(MainFrame, RecentFilesMenuKeepsFourAndOpensThem)
{
    auto visibleRecent = [&] {
        QStringList texts;
        for (QAction *pAction : m_pFrame->Popup(0)->actions())
            if (pAction->objectName().startsWith("cmd5761") && pAction->isVisible())
                texts << pAction->text();
        return texts;
    };
    EXPECT_EQ(visibleRecent(), QStringList{"Recent File"});
    EXPECT_FALSE(m_pFrame->Action(ID_FILE_MRU_FILE1)->isEnabled());
    for (const char *psz : {"/d/a.cva", "/d/b.cva", "/d/c.cva", "/d/d.cva", "/d/e.cva"})
        m_pFrame->AddToRecentFileList(QString::fromUtf8(psz));
    EXPECT_EQ(visibleRecent(), (QStringList{"&1 e.cva", "&2 d.cva", "&3 c.cva", "&4 b.cva"}));
    QSettings profile(QStringLiteral("HALDEN"), QStringLiteral("Corvanta"));
    EXPECT_EQ(profile.value("Recent File List/File1").toString(), "/d/e.cva");
    EXPECT_EQ(profile.value("Recent File List/File4").toString(), "/d/b.cva");

    QSignalSpy spy(m_pFrame.get(), &CMainFrame::documentOpenRequested);
    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_FILE_MRU_FILE1 + 2));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), "/d/c.cva");
}

TEST_F(MainFrame, IndicatorShowsItsColour)
{
    EXPECT_EQ(m_pFrame->IndicatorColor(), QColor(Qt::white));
    m_pFrame->SetIndicatorColor(QColor(0, 128, 0));
    EXPECT_EQ(m_pFrame->IndicatorColor(), QColor(0, 128, 0));
    ShowFrame();
    const QImage image = m_pFrame->ExpressionBarControl(IDC_COLOR_INDICATOR)->grab().toImage();
    EXPECT_EQ(QColor(image.pixel(image.width() / 2, image.height() / 2)), QColor(0, 128, 0));
}

TEST_F(MainFrame, AboutCommandOpensTheBoxWithItsAnimationRunning)
{
    ShowFrame();
    bool bSeen = false;
    QPointer<CAboutDlg> pOpen;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget *pWidget : QApplication::topLevelWidgets())
            if (auto *pAbout = qobject_cast<CAboutDlg *>(pWidget); pAbout && pAbout->isVisible()) {
                if (pAbout != pOpen) {  // closed on the next tick, inside its loop
                    pOpen = pAbout;
                    bSeen = pAbout->Timer().isActive() && CAboutDlg::Counter() == 6;
                    return;
                }
                pAbout->CloseButton()->click();
            }
    });
    closer.start(20);
    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_APP_ABOUT));  // returns once the box is closed
    EXPECT_TRUE(bSeen);
}
