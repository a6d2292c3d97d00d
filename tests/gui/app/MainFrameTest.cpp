// The main frame around the real view: the command table's rules, bars, modes
// and check marks, keys, the first paint.
#include "core/analysis/TraceText.h"
#include "gui/GuiFixtures.h"
#include "gui/app/ExpressionBar.h"
#include "gui/app/LockKeyWatcher.h"
#include "gui/app/TangentBar.h"
#include "gui/app/TraceBar.h"
#include "gui/app/ZoomBar.h"
#include "gui/app/CommandTable.h"
#include "graph/model/Graph.h"
#include "graph/render/GraphRenderer.h"
#include "gui/view/AxisProfile.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QClipboard>
#include <QCheckBox>
#include <QDockWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QScreen>
#include <QWindow>

#include <map>
#include <set>

namespace {

QList<QKeySequence> Keys(const SCommandInfo &info)
{
    return info.pszKeys ? QKeySequence::listFromString(QString::fromUtf8(info.pszKeys), QKeySequence::PortableText)
                        : QList<QKeySequence>{};
}

TEST(CommandTable, IdsUniqueKeysParseAndNoKeyServesTwoCommands)
{
    std::set<int> ids;
    std::set<QString> keys;
    for (const SCommandInfo &info : CommandTable()) {
        SCOPED_TRACE(info.nId);
        if (info.nId == 0)
            continue;
        EXPECT_TRUE(ids.insert(info.nId).second);
        EXPECT_EQ(FindCommand(info.nId), &info);
        if (info.pszKeys) {
            EXPECT_EQ(Keys(info).size(), QString::fromUtf8(info.pszKeys).count(';') + 1);
        }
        for (const QKeySequence &k : Keys(info)) {
            EXPECT_EQ(k.count(), 1) << info.pszKeys;
            EXPECT_NE(k[0].key(), Qt::Key_unknown) << info.pszKeys;
            EXPECT_TRUE(keys.insert(k.toString(QKeySequence::PortableText)).second) << info.pszKeys;
        }
    }
    for (std::span<const int> bar : {MainToolbarLayout(), ZoomToolbarLayout()})
        for (int id : bar)
            EXPECT_TRUE(id == 0 || FindCommand(id)) << id;
}

using CommandFrame = FrameFixture;

// Unavailable commands are shown disabled; every other command has someone to carry it out.
TEST_F(CommandFrame, EveryAvailableCommandHasAHandlerAndItsKeys)
{
    m_pFrame->UpdateCommandStates();
    CCorvantaView bare;
    for (const SCommandInfo &info : CommandTable()) {
        QAction *pAction = m_pFrame->Action(info.nId);
        if (!pAction || info.nId == ID_FILE_MRU_FILE1)
            continue;
        SCOPED_TRACE(info.nId);
        EXPECT_EQ(pAction->shortcuts(), Keys(info));
        switch (info.route) {
        case ECommandRoute::Unavailable: EXPECT_FALSE(pAction->isEnabled()); break;
        case ECommandRoute::Frame:  // Undo and Redo wait for a history
            EXPECT_TRUE(info.handler && pAction->isEnabled() == (info.nId != ID_EDIT_UNDO && info.nId != ID_EDIT_REDO));
            break;
        case ECommandRoute::View: EXPECT_TRUE(bare.HandleCommand(info.nId)); break;
        }
    }
}

// In a field the editing keys edit the text; other keys, and the editing keys elsewhere, are commands.
TEST_F(CommandFrame, EditingKeysStayWithAFieldOtherKeysReachTheirCommands)
{
    ShowFrame();
    std::map<int, int> runs;
    for (int id : {ID_ANALYZE, ID_EDIT_COPY, ID_EDIT_PASTE, ID_DIFFERENTIATE})
        QObject::connect(m_pFrame->Action(id), &QAction::triggered, [&runs, id] { ++runs[id]; });
    m_pFrame->FocusFunctionList();
    QLineEdit *pEdit = m_pFrame->FunctionList()->lineEdit();
    pEdit->setText(QStringLiteral("x^3-2x"));
    const auto key = [](QWidget *pTo, Qt::Key k) { QTest::keyClick(pTo, k, Qt::ControlModifier); };
    const struct { Qt::Key key; const char *text; } steps[] = {  // select all, copy, cut, undo, paste
        {Qt::Key_A, "x^3-2x"}, {Qt::Key_C, "x^3-2x"}, {Qt::Key_X, ""}, {Qt::Key_Z, "x^3-2x"}, {Qt::Key_V, "x^3-2x"}};
    for (const auto &step : steps) {
        key(QApplication::focusWidget(), step.key);
        EXPECT_EQ(pEdit->text(), step.text) << step.key;
    }
    EXPECT_EQ(QApplication::clipboard()->text(), "x^3-2x");
    key(QApplication::focusWidget(), Qt::Key_D);
    EXPECT_EQ(runs, (std::map<int, int>{{ID_DIFFERENTIATE, 1}}));

    m_pFrame->View()->setFocus();
    key(m_pFrame->View(), Qt::Key_C);
    key(m_pFrame->View(), Qt::Key_A);
    EXPECT_EQ(runs, (std::map<int, int>{{ID_ANALYZE, 1}, {ID_EDIT_COPY, 1}, {ID_DIFFERENTIATE, 1}}));
}

class MainFrame : public FrameFixture
{
protected:
    void ExpectScale(double sx, double sy)
    {
        EXPECT_EQ(m_pFrame->View()->State().m_dScaleX, sx);
        EXPECT_EQ(m_pFrame->View()->State().m_dScaleY, sy);
    }
    static void ClickBox(QWidget *pBox) { QTest::mouseClick(pBox, Qt::LeftButton, {}, QPoint(5, pBox->height() / 2)); }
    // Keys go where a person's keys go: to the widget with the focus.
    static void TypeAndPlot(const QString &text)
    {
        QTest::keyClicks(QApplication::focusWidget(), text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
};

// The lock-key watcher filters every event of the program, so it goes while
// the frame is still whole: events sent while the widgets are taken down
// must not reach a half-destroyed frame through it.
TEST_F(MainFrame, ApplicationWideFilterGoesBeforeTheFrame)
{
    const auto watchers = m_pFrame->findChildren<CLockKeyWatcher *>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(watchers.size(), 1);
    QObject *frame = m_pFrame.get();
    bool frameWhole = false;
    QObject::connect(watchers[0], &QObject::destroyed,
                     [&] { frameWhole = dynamic_cast<CMainFrame *>(frame) != nullptr; });
    m_pFrame.reset();
    EXPECT_TRUE(frameWhole);
}

TEST_F(MainFrame, BarsFollowTheirCommandsAndClosingAModesBarEndsTheMode)
{
    ShowFrame();
    CCorvantaView *view = m_pFrame->View();
    const struct { int id; QDockWidget *bar; bool (CCorvantaView::*flag)() const; } modes[] = {
        {ID_TRACE, m_pFrame->TraceBar(), &CCorvantaView::IsTracing},
        {ID_TANGENT, m_pFrame->TangentBar(), &CCorvantaView::IsTangentMode},
        {ID_ZOOM_AREA, m_pFrame->TraceBar(), &CCorvantaView::IsZoomArea}};
    for (const auto &m : modes) {
        SCOPED_TRACE(m.id);
        ASSERT_TRUE(m_pFrame->ExecuteCommand(m.id));
        EXPECT_TRUE(m.bar->isVisible() && (view->*m.flag)() && view->hasMouseTracking());
        EXPECT_TRUE(m_pFrame->Action(m.id)->isChecked());
        m.bar->close();  // the user closes the bar
        QCoreApplication::processEvents();
        EXPECT_FALSE((view->*m.flag)() || view->hasMouseTracking());
        m_pFrame->UpdateCommandStates();
        EXPECT_FALSE(m_pFrame->Action(m.id)->isChecked());
        ASSERT_TRUE(m_pFrame->ExecuteCommand(m.id));  // on and off again hides the bar it showed
        ASSERT_TRUE(m_pFrame->ExecuteCommand(m.id));
        EXPECT_FALSE(m.bar->isVisible());
    }
    const struct { int id; QWidget *bar; } bars[] = {
        {ID_VIEW_TOOLBAR, m_pFrame->MainToolBar()}, {ID_VIEW_ZOOM_TOOLBAR, m_pFrame->ZoomBar()},
        {ID_VIEW_EXPRESSION_BAR, m_pFrame->ExpressionBar()}, {ID_VIEW_STATUS_BAR, m_pFrame->statusBar()}};
    for (const auto &bar : bars) {
        for (bool visible : {false, true}) {
            EXPECT_TRUE(m_pFrame->ExecuteCommand(bar.id));
            EXPECT_EQ(bar.bar->isVisible(), visible) << bar.id;
            EXPECT_EQ(m_pFrame->Action(bar.id)->isChecked(), visible) << bar.id;
        }
    }
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_SHOW_GRID));  // the view's own check marks
    EXPECT_FALSE(view->State().m_bShowGrid || m_pFrame->Action(ID_SHOW_GRID)->isChecked());
}

TEST_F(MainFrame, DegreeOptionOnlyForTrigonometryAndOneFlagForBothBoxes)
{
    const struct { const char *pszCoded; bool bTrig; } cases[] = {
        {"A(x))", true}, {"3*F(2*x))", true}, {"G(x))", false}, {"x^2)", false}, {"", false}, {"a(x))", false}};
    for (const auto &c : cases) {
        m_pFrame->UpdateDegreeOption(QString::fromUtf8(c.pszCoded));
        EXPECT_EQ(m_pFrame->IsTrigonometric(), c.bTrig) << c.pszCoded;
        EXPECT_EQ(!m_pFrame->TraceBar()->Control(IDC_DEGREE)->isHidden(), c.bTrig) << c.pszCoded;
    }
    ShowFrame();
    m_pFrame->ToggleBar(ID_TRACE);
    m_pFrame->ToggleBar(ID_TANGENT);
    m_pFrame->UpdateDegreeOption("A(x))");
    auto *pTraceDegree = qobject_cast<QCheckBox *>(m_pFrame->TraceBar()->Control(IDC_DEGREE));
    auto *pTangentDegree = qobject_cast<QCheckBox *>(m_pFrame->TangentBar()->Control(IDC_DEGREE));
    ClickBox(pTangentDegree);
    EXPECT_TRUE(m_pFrame->IsDegree() && pTraceDegree->isChecked() && m_pFrame->Action(ID_DEGREE)->isChecked());
    ClickBox(pTraceDegree);
    EXPECT_FALSE(m_pFrame->IsDegree() || pTangentDegree->isChecked());
}

TEST_F(MainFrame, ZoomKeysAndButtonsReachTheView)
{
    ShowFrame();
    CCorvantaView *pView = m_pFrame->View();
    // Each of the six zoom commands, run and clicked, doubles or halves its axes alone.
    const struct { int id; double sx, sy; } zooms[] = {
        {ID_ZOOM_IN_X, 2, 1}, {ID_ZOOM_OUT_X, 0.5, 1}, {ID_ZOOM_IN_Y, 1, 2},
        {ID_ZOOM_OUT_Y, 1, 0.5}, {ID_ZOOM_IN, 2, 2}, {ID_ZOOM_OUT, 0.5, 0.5},
    };
    for (const auto &z : zooms) {
        SCOPED_TRACE(z.id);
        for (bool button : {false, true}) {
            pView->Graph().SetMapping(1, 1, pView->State().m_nPanX, pView->State().m_nPanY);
            if (button)
                m_pFrame->ZoomBar()->Button(z.id)->click();
            else
                ASSERT_TRUE(m_pFrame->ExecuteCommand(z.id));
            ExpectScale(z.sx, z.sy);
        }
    }
    pView->Graph().SetMapping(1, 1, pView->State().m_nPanX, pView->State().m_nPanY);
    m_pFrame->ZoomBar()->Button(ID_ZOOM_IN_Y)->click();
    pView->setFocus();
    QTest::keyClick(m_pFrame->View(), Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);  // keypad keys too
    ExpectScale(0.5, 1);

    // A step beyond the scale limit says so and changes nothing.
    pView->Graph().SetMapping(CViewState::kMaxScale, CViewState::kMaxScale, 0, 0);
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_ZOOM_IN));
    EXPECT_EQ(pView->State().m_dScaleX, CViewState::kMaxScale);
    EXPECT_FALSE(m_pFrame->statusBar()->currentMessage().isEmpty());
}

TEST_F(MainFrame, FirstPaintFillsTheRangeFieldsAndReplotAppliesThem)
{
    ShowFrame();
    CCorvantaView *pView = m_pFrame->View();
    QTRY_VERIFY(!m_pFrame->RangeFieldText(IDC_X_MIN).isEmpty());
    auto value = [&](int nId) { return m_pFrame->RangeFieldText(nId).toDouble(); };
    EXPECT_NEAR(value(IDC_X_MAX) - value(IDC_X_MIN), pView->width() / 50.0, 0.011);
    EXPECT_NEAR(value(IDC_Y_MAX) - value(IDC_Y_MIN), pView->height() / 50.0, 0.011);

    pView->RePlot();  // the fields applied: no longer edited
    EXPECT_FALSE(pView->State().m_bRangeEdited);
    m_pFrame->ExpressionBar()->Control(IDC_Y_MAX)->setFocus();
    EXPECT_TRUE(pView->State().m_bRangeEdited);
    m_pFrame->SetRangeFieldText(IDC_X_MIN, "0");
    m_pFrame->SetRangeFieldText(IDC_X_MAX, "10");
    QTest::mouseClick(qobject_cast<QPushButton *>(m_pFrame->ExpressionBar()->Control(IDC_REPLOT)), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(pView->State().m_dScaleX, (pView->width() / 50.0) / 10.0);

    m_pFrame->SetRangeFieldText(IDC_X_MIN, "-1e70");
    m_pFrame->SetRangeFieldText(IDC_X_MAX, "1e70");
    pView->RePlot();
    const double scale = pView->State().m_dScaleX;
    pView->RePlot();  // applying them as they now stand changes nothing
    EXPECT_EQ(pView->State().m_dScaleX, scale);
}

// A person types, presses Enter, types on and presses Ctrl+D without leaving the list.
TEST_F(MainFrame, KeyboardPlottingChoosingAndClearing)
{
    ShowFrame();
    m_pFrame->FocusFunctionList();
    QLineEdit *pEdit = m_pFrame->FunctionList()->lineEdit();
    TypeAndPlot("x+");  // a rejected text stays in the field to be corrected
    EXPECT_EQ(prompts.Texts().size(), 1);
    EXPECT_EQ(pEdit->selectedText(), "+");  // the character at fault
    QTest::keyClick(pEdit, Qt::Key_End);
    TypeAndPlot("1");
    TypeAndPlot("sin(x)");  // typing after a plot replaces the text
    TypeAndPlot("x^2");
    EXPECT_EQ(pEdit->text(), "x^2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(m_pFrame->ExpressionBar()->ControlText(IDC_DERIVATIVE), "2*x");
    EXPECT_EQ(m_pFrame->View()->State().m_nLast, 2);
    EXPECT_FALSE(m_pFrame->IsTrigonometric());

    m_pFrame->FunctionList()->setCurrentIndex(1);
    emit m_pFrame->FunctionList()->activated(1);
    EXPECT_EQ(m_pFrame->View()->State().m_nSelected, 1);
    EXPECT_EQ(m_pFrame->View()->State().m_aFunctions[0].m_strText, "x+1");
    EXPECT_TRUE(m_pFrame->IsTrigonometric());

    QTest::keyClick(m_pFrame->View(), Qt::Key_L, Qt::ControlModifier);  // Clear Graph
    EXPECT_EQ(m_pFrame->FunctionList()->count(), 0);
    EXPECT_EQ(m_pFrame->ExpressionBar()->ControlText(IDC_DERIVATIVE), "");
}

// A typed prefix of a plotted function is plotted as typed; a function already plotted is said so.
TEST_F(MainFrame, OnlyTheTypedTextIsPlottedAndADuplicateIsReported)
{
    ShowFrame();
    m_pFrame->FocusFunctionList();
    TypeAndPlot("x^3-2x");
    TypeAndPlot("x^3");
    EXPECT_EQ(m_pFrame->FunctionList()->lineEdit()->text(), "x^3");
    ASSERT_EQ(m_pFrame->View()->State().m_nLast, 1);
    EXPECT_EQ(m_pFrame->View()->State().m_aFunctions[1].m_strText, "x^3");
    TypeAndPlot("x^3");
    EXPECT_EQ(m_pFrame->View()->State().m_nLast, 1);
    EXPECT_EQ(m_pFrame->statusBar()->currentMessage(), "This function is already plotted.");
}

// A traced value shows its start, sign included; "Scientific" reformats the value already shown.
TEST_F(MainFrame, TracedValueShowsItsSignAndTakesScientificAtOnce)
{
    ShowFrame();
    PlotInFrame({"x^3"});
    m_pFrame->ToggleBar(ID_TRACE);
    auto *pX = qobject_cast<QLineEdit *>(m_pFrame->TraceBar()->Control(IDC_TRACE_X));
    auto *pFx = qobject_cast<QLineEdit *>(m_pFrame->TraceBar()->Control(IDC_TRACE_FX));
    pX->setText(QStringLiteral("-0.5"));
    EXPECT_EQ(pFx->cursorPosition(), 0);
    EXPECT_EQ(pFx->text().toDouble(), -0.125);
    ClickBox(m_pFrame->TraceBar()->Control(IDC_SCIENTIFIC));
    EXPECT_TRUE(m_pFrame->IsScientific());
    EXPECT_TRUE(pFx->text().contains(QLatin1Char('e'), Qt::CaseInsensitive)) << pFx->text().toStdString();
    EXPECT_EQ(pFx->text().toDouble(), -0.125);
}

// The longest traced value (22 characters) shows whole: its end stands its full advance from its start.
TEST(TraceBar, LongestValueShowsWhole)
{
    CTraceBar bar(nullptr);
    bar.show();
    auto *pFx = qobject_cast<QLineEdit *>(bar.Control(IDC_TRACE_FX));
    const auto cursorX = [pFx] { return pFx->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x(); };
    bar.SetResultText(QString::fromStdString(TraceResultText(-2.86797186029972e300, false)));
    const int start = cursorX();
    pFx->end(false), pFx->grab();  // it scrolls while painting
    EXPECT_EQ(cursorX() - start, pFx->fontMetrics().horizontalAdvance(pFx->text())) << pFx->text().toStdString();
}

// The floating bars are tool windows of the frame, shown after it (so the window manager keeps them above
// it); each opens clear of the others, or where the user left it, also in the next run.
TEST_F(MainFrame, FloatingBarsAreToolWindowsOfTheFrameAndOpenWhereTheyCoverNoOther)
{
    EXPECT_FALSE(m_pFrame->ZoomBar()->isVisible());
    ShowFrame();
    QTRY_VERIFY(m_pFrame->ZoomBar()->isVisible());
    m_pFrame->ToggleBar(ID_TANGENT);
    m_pFrame->ToggleBar(ID_TRACE);
    const QList<QDockWidget *> bars{m_pFrame->ZoomBar(), m_pFrame->TangentBar(), m_pFrame->TraceBar()};
    for (int i = 0; i < bars.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(bars[i]->isVisible() && bars[i]->windowType() == Qt::Tool && bars[i]->windowHandle());
        EXPECT_EQ(bars[i]->windowHandle()->transientParent(), m_pFrame->windowHandle());
        for (int j = i + 1; j < bars.size(); ++j)
            EXPECT_FALSE(bars[i]->frameGeometry().intersects(bars[j]->frameGeometry())) << j;
    }
    m_pFrame->TangentBar()->move(40, 60);  // as the user drags it
    m_pFrame->ToggleBar(ID_TANGENT);
    m_pFrame->ToggleBar(ID_TANGENT);
    EXPECT_EQ(m_pFrame->TangentBar()->pos(), QPoint(40, 60));
    m_pFrame = std::make_unique<CMainFrame>();
    ShowFrame();
    m_pFrame->ToggleBar(ID_TANGENT);
    EXPECT_EQ(m_pFrame->TangentBar()->pos(), QPoint(40, 60));
}

// At their own places the floating bars leave the legend and the result
// labels on the graph free, however many functions the legend lists, with
// the frame filling the screen (the bars' places are the screen's).
TEST_F(MainFrame, FloatingBarsCoverNeitherLegendNorLabels)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QSize size : {screen.size(), QSize(screen.width() * 3 / 4, screen.height())}) {
        SCOPED_TRACE(size.width());
        m_pFrame = std::make_unique<CMainFrame>();
        m_pFrame->setGeometry(QRect(screen.topLeft(), size));
        ShowFrame();
        QTRY_VERIFY(m_pFrame->ZoomBar()->isVisible());
        m_pFrame->ToggleBar(ID_TRACE);
        m_pFrame->ToggleBar(ID_TANGENT);
        CGraph &graph = m_pFrame->View()->Graph();
        for (const char *f : {"sin(x)+cos(2x)/3", "x^3/20-x", "exp(-x^2)*4", "ln(abs(x))", "sqrt(abs(x))-1"})
            ASSERT_EQ(graph.Plot(f), CGraph::EPlot::Plotted);
        for (int i = 0; i < CGraph::kSlots; ++i)
            graph.Differentiate(i);
        graph.SetShowLegend(true);
        graph.Shade(SShading{0, -1, 2, "Integral from -1 to 2 = 1.2345678\n(trapezoid rule, step 0.01)"});
        QApplication::processEvents();
        std::vector<QRect> boxes;
        for (const QRect &b : graph.Renderer().OverlayBoxes())
            boxes.emplace_back(m_pFrame->View()->mapToGlobal(b.topLeft()), b.size());
        ASSERT_EQ(boxes.size(), 2u);
        for (QDockWidget *bar : {static_cast<QDockWidget *>(m_pFrame->ZoomBar()),
                                 static_cast<QDockWidget *>(m_pFrame->TraceBar()),
                                 static_cast<QDockWidget *>(m_pFrame->TangentBar())}) {
            if (!bar->isVisible())
                continue;
            for (const QRect &b : boxes)
                EXPECT_FALSE(bar->frameGeometry().intersects(b))
                    << bar->objectName().toStdString() << " over " << b.x() << "," << b.y() << " " << b.width()
                    << "x" << b.height();
        }
    }
}

// Readable axes are on in a new profile; both label options are menu
// entries whose choice the next run keeps.
TEST_F(MainFrame, AxisLabelOptionsAreKeptInTheProfile)
{
    CGraph fresh;
    LoadAxisLabels(fresh);
    EXPECT_TRUE(fresh.State().m_bReadableAxes);
    EXPECT_FALSE(fresh.State().m_bPiUnits);
    CCorvantaView *view = m_pFrame->View();
    LoadAxisLabels(view->Graph());
    ASSERT_TRUE(view->HandleCommand(ID_PI_UNITS));
    ASSERT_TRUE(view->HandleCommand(ID_READABLE_AXES));
    EXPECT_EQ(view->CommandChecked(ID_PI_UNITS), std::optional<bool>(true));
    EXPECT_EQ(view->CommandChecked(ID_READABLE_AXES), std::optional<bool>(false));
    CGraph next;
    LoadAxisLabels(next);
    EXPECT_FALSE(next.State().m_bReadableAxes);
    EXPECT_TRUE(next.State().m_bPiUnits);
}

// Each control of a bar is enabled exactly when its command is; a check box takes its command's mark.
TEST_F(MainFrame, BarControlsFollowTheirCommands)
{
    CMainFrame *f = m_pFrame.get();
    const struct { QWidget *control; int id; } controls[] = {
        {f->TraceBar()->Control(IDC_TRACE_X), ID_TRACE}, {f->TraceBar()->Control(IDC_TRACE_FX), ID_TRACE},
        {f->TraceBar()->Control(IDC_SCIENTIFIC), ID_SCIENTIFIC}, {f->TraceBar()->Control(IDC_DEGREE), ID_DEGREE},
        {f->TangentBar()->Control(IDC_TANGENT_EQUATION), ID_TANGENT}, {f->TangentBar()->Control(IDC_DEGREE), ID_DEGREE},
        {f->ZoomBar()->Button(ID_SQUARE_UNITS), ID_SQUARE_UNITS}};
    for (const auto &c : controls) {
        SCOPED_TRACE(c.id);
        ASSERT_NE(c.control, nullptr);
        for (bool enabled : {false, true}) {
            m_pFrame->Action(c.id)->setEnabled(enabled);
            EXPECT_EQ(c.control->isEnabled(), enabled);
        }
    }
    m_pFrame->Action(ID_SCIENTIFIC)->setChecked(true);
    EXPECT_TRUE(qobject_cast<QCheckBox *>(m_pFrame->TraceBar()->Control(IDC_SCIENTIFIC))->isChecked());
}

}  // namespace

// The graph is reached with Tab, its arrows pan at once, and the one-axis
// zooms, square units and zoom area have menu entries with keys.
TEST_F(MainFrame, TheGraphIsReachedByKeyboardAndEveryZoomHasAMenuEntryAndKey)
{
    ShowFrame();
    CCorvantaView *pView = m_pFrame->View();
    m_pFrame->FunctionList()->setFocus();
    for (int i = 0; i < 30 && !pView->hasFocus(); ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(pView->hasFocus());
    const int panX = pView->State().m_nPanX;
    QTest::keyClick(pView, Qt::Key_Left);
    EXPECT_GT(pView->State().m_nPanX, panX);

    for (int id : {ID_ZOOM_IN_X, ID_ZOOM_OUT_X, ID_ZOOM_IN_Y, ID_ZOOM_OUT_Y, ID_SQUARE_UNITS, ID_ZOOM_AREA}) {
        SCOPED_TRACE(id);
        QAction *pAction = m_pFrame->Action(id);
        ASSERT_NE(pAction, nullptr);
        EXPECT_FALSE(pAction->shortcut().isEmpty());
        bool inMenu = false;
        for (QAction *pMenu : m_pFrame->menuBar()->actions())
            inMenu = inMenu || (pMenu->menu() && pMenu->menu()->actions().contains(pAction));
        EXPECT_TRUE(inMenu);
    }
    const double sy = pView->State().m_dScaleY;
    QTest::keyClick(pView, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(pView->State().m_dScaleY, 2 * sy);
}
