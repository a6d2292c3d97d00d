#include "app/CommandIds.h"
#include "app/CommandTable.h"

#include <QtTest/QtTest>

#include "FrameTestSupport.h"

#include <QAction>
#include <QDockWidget>
#include <QGridLayout>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <map>
#include <set>

namespace {

// The menu as the user must see it: popup, id (0 = separator), caption with
// the keys the menu promises, status prompt (nullptr = none).
struct SMenuRow {
    const char *pszPopup;
    int nId;
    const char *pszCaption;
    const char *pszPrompt;
};

const SMenuRow kMenu[] = {
    {"&File", 57600, "&New\tCtrl+N", "Create a new document\nNew"},
    {"&File", 57601, "&Open...\tCtrl+O", "Open an existing document\nOpen"},
    {"&File", 57603, "&Save\tCtrl+S", "Save the active document\nSave"},
    {"&File", 57604, "Save &As...", "Save the active document with a new name\nSave As"},
    {"&File", 32803, "Export to Bitmap...", "Export current graph area as a bitmap file"},
    {"&File", 0, nullptr, nullptr},
    {"&File", 57607, "&Print...\tCtrl+P", "Print the active document\nPrint"},
    {"&File", 57609, "Print Pre&view", "Display full pages\nPrint Preview"},
    {"&File", 57606, "P&rint Setup...", "Change the printer and printing options\nPrint Setup"},
    {"&File", 0, nullptr, nullptr},
    {"&File", 57616, "Recent File", "Open this document"},
    {"&File", 0, nullptr, nullptr},
    {"&File", 57665, "E&xit", "Quit the application; prompts to save documents\nExit"},
    {"&Edit", 57643, "&Undo\tCtrl+Z", "Undo the last action\nUndo"},
    {"&Edit", 0, nullptr, nullptr},
    {"&Edit", 57635, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut"},
    {"&Edit", 57634, "&Copy Graph\tShift+Ctrl+C", "Copy the graph are to clipboard"},
    {"&Edit", 32820, "Copy Graph &Function\tCtrl+C", "Copy current expression to clipboard"},
    {"&Edit", 57637, "&Paste Funcation\tCtrl+V", "Paste a function into the function combobox"},
    {"&View", 59392, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar"},
    {"&View", 32801, "&Zoom Toolbar", "Show/Hide zoom bar"},
    {"&View", 32802, "E&xpression Bar", nullptr},
    {"&View", 59393, "&Status Bar", "Show or hide the status bar\nToggle StatusBar"},
    {"&View", 0, nullptr, nullptr},
    {"&View", 32794, "Zoom &In\tCtrl + \"+\"", nullptr},
    {"&View", 32790, "Zoom &Out\tCtrl + \" - \"", nullptr},
    {"&View", 32776, "&Center\t\" C \"", nullptr},
    {"&View", 32818, "&Fullscreen\tAlt + Enter", nullptr},
    {"&Graph", 32811, "&Analyze Graph...\tCtrl + A", "Graph analysis"},
    {"&Graph", 32775, "&Integrate...\tCtrl + I", "Apply limited integration"},
    {"&Graph", 32787, "&Differentiate\tCtrl + D", "Differentiate current function"},
    {"&Graph", 32785, "&Clear Graph\tCtrl + L", "Clear all graphs"},
    {"&Graph", 32774, "&Trace\tCtrl + T", "Trace a point in the graph area"},
    {"&Graph", 32822, "Domain &Substitution...", "Substitute in a specifed domain"},
    {"&Tools", 32799, "&Simultaneous Equations Solver...", nullptr},
    {"&Tools", 32816, "&Determinants Solver...", nullptr},
    {"&Tools", 32815, "Scientific &Calculator...", nullptr},
    {"&Tools", 32821, "&Matrices Operations...", nullptr},
    {"&Options", 32781, "Show Grid", "Show/Hide grid lines"},
    {"&Options", 32782, "Graph Attributes...", "Change graphs' attributes"},
    {"&Options", 32800, "&Autoscale", nullptr},
    {"&Help", 32824, "&Help...", nullptr},
    {"&Help", 57664, "&About Corvanta...", "Display program information, version number and copyright\nAbout"},
};

// Commands on toolbars or keys only, with their prompts.
const SMenuRow kOffMenu[] = {
    {nullptr, 32789, nullptr, nullptr},
    {nullptr, 32793, nullptr, nullptr},
    {nullptr, 32791, nullptr, nullptr},
    {nullptr, 32795, nullptr, nullptr},
    {nullptr, 32798, nullptr, nullptr},
    {nullptr, 1003, nullptr, "Click and drag the area to be zoomed"},
    {nullptr, 32823, nullptr, "Trace current function's tangent"},
    {nullptr, 32825, nullptr, "Extended funtions\nExtended Functions"},
};

// The keys that really act.
const std::multimap<int, QKeySequence> &Accelerators()
{
    static const std::multimap<int, QKeySequence> keys = {
        {57600, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {57601, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {57603, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {57607, QKeySequence(Qt::CTRL | Qt::Key_P)},
        {57643, QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {57643, QKeySequence(Qt::ALT | Qt::Key_Backspace)},
        {57635, QKeySequence(Qt::CTRL | Qt::Key_X)},
        {57635, QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
        {57634, QKeySequence(Qt::CTRL | Qt::Key_C)},
        {57634, QKeySequence(Qt::CTRL | Qt::Key_Insert)},
        {57637, QKeySequence(Qt::CTRL | Qt::Key_V)},
        {57637, QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
        {32776, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
        {32786, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {32794, QKeySequence(Qt::CTRL | Qt::Key_Plus)},
        {32794, QKeySequence(Qt::CTRL | Qt::Key_Equal)},
        {32795, QKeySequence(Qt::CTRL | Qt::Key_Minus)},
        {32811, QKeySequence(Qt::CTRL | Qt::Key_A)},
        {32787, QKeySequence(Qt::CTRL | Qt::Key_D)},
        {32775, QKeySequence(Qt::CTRL | Qt::Key_I)},
        {32785, QKeySequence(Qt::CTRL | Qt::Key_L)},
        {32774, QKeySequence(Qt::CTRL | Qt::Key_T)},
        {32818, QKeySequence(Qt::ALT | Qt::Key_Return)},
        {32818, QKeySequence(Qt::ALT | Qt::Key_Enter)},
        {57680, QKeySequence(Qt::Key_F6)},
        {57681, QKeySequence(Qt::SHIFT | Qt::Key_F6)},
    };
    return keys;
}

QString Before(const char *psz, char c)
{
    return QString::fromUtf8(psz).section(QLatin1Char(c), 0, 0);
}

struct STooltip {
    int nId;
    const char *pszText;
};
const STooltip kTooltips[] = {
    {32803, "Export As Bitmap"}, {57634, "Copy Graph"}, {32820, "Copy Function"}, {57637, "Paste Function"},
    {32801, "Show/Hide Zoom Tool Bar"}, {32811, "Analyze Graph"}, {32822, "Domain Substitution"},
    {32774, "Trace Point"}, {32823, "Tangent Trace"}, {32775, "Integrate"},
    {32787, "Differentiation Current Function"}, {32781, "Show/Hide Grid Lines"}, {32782, "Graph Attributes"},
    {32785, "Clear Graph Area"}, {32825, "Extended Tools"}, {32824, "Help"},
    {32789, "Zoom in the x-axis"}, {32794, "Zoom in the both axes"}, {32793, "Zoom in the y-axis"},
    {32790, "Zoom out the x-axis"}, {32795, "Zoom out the both axes"}, {32791, "Zoom out the y-axis"},
    {32776, "Reset zoomin and shifting to default"}, {32818, "Toggle fullscreen view"},
    {1003, "Custom zoom area"}, {32800, "Enable/Disable autoscaling"}, {32798, "Square graph units"},
    // The framework's short names for the buttons without their own text.
    {57600, "New"}, {57601, "Open"}, {57603, "Save"}, {57607, "Print"},
};

int ActionId(const QAction *pAction)
{
    return pAction->isSeparator() ? 0 : pAction->data().toInt();
}

}  // namespace

TEST(CommandTable, MenuRowsMatchTheirIdsCaptionsAndPrompts)
{
    for (const SMenuRow &row : kMenu) {
        if (row.nId == 0)
            continue;
        SCOPED_TRACE(row.nId);
        const SCommandInfo *pInfo = FindCommand(row.nId);
        ASSERT_NE(pInfo, nullptr);
        EXPECT_STREQ(pInfo->pszPopup, row.pszPopup);
        EXPECT_EQ(QString::fromUtf8(pInfo->pszCaption), Before(row.pszCaption, '\t'));
        if (row.pszPrompt)
            EXPECT_STREQ(pInfo->pszPrompt, row.pszPrompt);
        else
            EXPECT_EQ(pInfo->pszPrompt, nullptr);
    }
    for (const SMenuRow &row : kOffMenu) {
        SCOPED_TRACE(row.nId);
        const SCommandInfo *pInfo = FindCommand(row.nId);
        ASSERT_NE(pInfo, nullptr);
        EXPECT_EQ(pInfo->pszPopup, nullptr);
        if (row.pszPrompt) {
            EXPECT_STREQ(pInfo->pszPrompt, row.pszPrompt);
        }
    }
}

TEST(CommandTable, IdsAreUnique)
{
    std::set<int> ids;
    for (const SCommandInfo &info : CommandTable())
        if (info.nId != 0) {
            EXPECT_TRUE(ids.insert(info.nId).second) << info.nId;
        }
    EXPECT_EQ(FindCommand(0), nullptr);
    EXPECT_EQ(FindCommand(12345), nullptr);
}

TEST(CommandTable, ToolbarLayoutsAreInTheirOrder)
{
    const std::vector<int> main(MainToolbarLayout().begin(), MainToolbarLayout().end());
    EXPECT_EQ(main, (std::vector<int>{57600, 57601, 57603, 32803, 57607, 0, 57634, 32820, 57637, 0, 32801, 0,
                                      32811, 32822, 32774, 32823, 0, 32775, 32787, 0, 32781, 32782, 32785, 0,
                                      32825, 0, 32824}));
    const std::vector<int> zoom(ZoomToolbarLayout().begin(), ZoomToolbarLayout().end());
    EXPECT_EQ(zoom, (std::vector<int>{32789, 32790, 32793, 32791, 32794, 32795, 32798, 32800, 1003, 32776, 32818}));
    for (int nId : main)
        if (nId != 0) {
            EXPECT_NE(FindCommand(nId), nullptr) << nId;
        }
    for (int nId : zoom)
        EXPECT_NE(FindCommand(nId), nullptr) << nId;
}

using CommandMenus = FrameFixture;

TEST_F(CommandMenus, MenuBarHoldsThePopupsAndItemsInOrder)
{
    const QList<QAction *> bar = m_pFrame->menuBar()->actions();
    const QStringList expectedPopups = {"&File", "&Edit", "&View", "&Graph", "&Tools", "&Options", "&Help"};
    ASSERT_EQ(bar.size(), expectedPopups.size());
    for (int p = 0; p < bar.size(); ++p) {
        EXPECT_EQ(bar.at(p)->text(), expectedPopups.at(p));
        QMenu *pMenu = bar.at(p)->menu();
        ASSERT_NE(pMenu, nullptr);
        EXPECT_EQ(pMenu, m_pFrame->Popup(p));
        std::vector<int> expected;
        for (const SMenuRow &row : kMenu)
            if (expectedPopups.at(p) == QLatin1String(row.pszPopup)) {
                expected.push_back(row.nId);
                if (row.nId == ID_FILE_MRU_FILE1)  // then the four recent-file entries
                    for (int i = 0; i < kRecentFileCount; ++i)
                        expected.push_back(ID_FILE_MRU_FILE1 + i);
            }
        std::vector<int> actual;
        for (QAction *pAction : pMenu->actions())
            actual.push_back(pAction->objectName() == QLatin1String("cmd57616") && !pAction->data().isValid()
                                 ? ID_FILE_MRU_FILE1
                                 : ActionId(pAction));
        EXPECT_EQ(actual, expected) << expectedPopups.at(p).toStdString();
    }
}

TEST_F(CommandMenus, CaptionsPromptsAndShownKeys)
{
    for (const SMenuRow &row : kMenu) {
        if (row.nId == 0 || row.nId == ID_FILE_MRU_FILE1)
            continue;
        SCOPED_TRACE(row.nId);
        QAction *pAction = m_pFrame->Action(row.nId);
        ASSERT_NE(pAction, nullptr);
        EXPECT_EQ(pAction->text(), Before(row.pszCaption, '\t'));
        EXPECT_EQ(pAction->statusTip(), row.pszPrompt ? Before(row.pszPrompt, '\n') : QString());
        // The key shown beside the item is the first accelerator of the command.
        const auto range = Accelerators().equal_range(row.nId);
        if (range.first == range.second)
            EXPECT_TRUE(pAction->shortcut().isEmpty()) << pAction->shortcut().toString().toStdString();
        else
            EXPECT_EQ(pAction->shortcut(), range.first->second);
    }
}

TEST_F(CommandMenus, KeysAreTheAcceleratorTableExactly)
{
    std::multimap<int, QKeySequence> actual;
    for (const SCommandInfo &info : CommandTable()) {
        if (QAction *pAction = m_pFrame->Action(info.nId))
            for (const QKeySequence &keys : pAction->shortcuts())
                actual.emplace(info.nId, keys);
    }
    auto asStrings = [](const std::multimap<int, QKeySequence> &m) {
        std::multiset<std::string> out;
        for (const auto &[id, keys] : m)
            out.insert(std::to_string(id) + " " + keys.toString(QKeySequence::PortableText).toStdString());
        return out;
    };
    EXPECT_EQ(asStrings(actual), asStrings(Accelerators()));
}

TEST_F(CommandMenus, CaptionKeysThatDisagreeFollowTheAccelerators)
{
    // Ctrl+C copies the graph; Copy Graph Function has no key.
    EXPECT_EQ(m_pFrame->Action(ID_EDIT_COPY)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_TRUE(m_pFrame->Action(ID_COPY_FUNCTION)->shortcuts().isEmpty());
    // Ctrl+Shift+C centres.
    EXPECT_EQ(m_pFrame->Action(ID_CENTER)->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    // "Zoom &Out" halves x only and has no key; Ctrl+minus is the both-axes zoom out.
    EXPECT_TRUE(m_pFrame->Action(ID_ZOOM_OUT_X)->shortcuts().isEmpty());
    EXPECT_TRUE(m_pFrame->Action(ID_ZOOM_OUT)->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Minus)));
    EXPECT_TRUE(m_pFrame->Action(ID_ZOOM_IN)->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Plus)));
}

TEST_F(CommandMenus, TooltipsOfBothToolbars)
{
    for (const STooltip &tip : kTooltips) {
        SCOPED_TRACE(tip.nId);
        ASSERT_NE(m_pFrame->Action(tip.nId), nullptr);
        EXPECT_EQ(m_pFrame->Action(tip.nId)->toolTip(), QString::fromUtf8(tip.pszText));
    }
}

TEST_F(CommandMenus, MainToolbarButtonsInOrder)
{
    std::vector<int> actual;
    for (QAction *pAction : m_pFrame->MainToolBar()->actions())
        actual.push_back(ActionId(pAction));
    EXPECT_EQ(actual, std::vector<int>(MainToolbarLayout().begin(), MainToolbarLayout().end()));
    for (QAction *pAction : m_pFrame->MainToolBar()->actions())
        if (!pAction->isSeparator()) {
            EXPECT_FALSE(pAction->icon().isNull()) << ActionId(pAction);
        }
}

TEST_F(CommandMenus, ZoomBarIsTwoColumnsWithFullscreenAlone)
{
    auto *pGrid = qobject_cast<QGridLayout *>(m_pFrame->ZoomBar()->widget()->layout());
    ASSERT_NE(pGrid, nullptr);
    const auto zoom = ZoomToolbarLayout();
    for (size_t i = 0; i < zoom.size(); ++i) {
        QToolButton *pButton = m_pFrame->ZoomButton(zoom[i]);
        ASSERT_NE(pButton, nullptr) << zoom[i];
        int row = -1, col = -1, rs = 0, cs = 0;
        pGrid->getItemPosition(pGrid->indexOf(pButton), &row, &col, &rs, &cs);
        EXPECT_EQ(row, static_cast<int>(i) / 2) << zoom[i];
        EXPECT_EQ(col, static_cast<int>(i) % 2) << zoom[i];
        EXPECT_EQ(pButton->defaultAction(), m_pFrame->Action(zoom[i]));
    }
    EXPECT_EQ(pGrid->rowCount(), 6);
    EXPECT_EQ(pGrid->itemAtPosition(5, 1), nullptr);  // the last row holds fullscreen alone
    EXPECT_TRUE(m_pFrame->Action(ID_AUTOSCALE)->isCheckable());
}

TEST_F(CommandMenus, LaterCommandsAreDisabledAndFrameCommandsEnabled)
{
    m_pFrame->UpdateCommandStates();
    for (const SCommandInfo &info : CommandTable()) {
        QAction *pAction = m_pFrame->Action(info.nId);
        if (!pAction)
            continue;
        SCOPED_TRACE(info.nId);
        if (info.route == ECommandRoute::Later) {
            EXPECT_FALSE(pAction->isEnabled());
        }
        if (info.route == ECommandRoute::Frame && info.nId != ID_FILE_MRU_FILE1) {
            EXPECT_TRUE(pAction->isEnabled());
        }
    }
    EXPECT_FALSE(m_pFrame->ExecuteCommand(ID_EDIT_UNDO));
    EXPECT_FALSE(m_pFrame->ExecuteCommand(ID_EDIT_CUT));
    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_NO_ACTION));
}

TEST_F(CommandMenus, KeysReachTheirCommands)
{
    ShowFrame();
    QSignalSpy noAction(m_pFrame->Action(ID_NO_ACTION), &QAction::triggered);
    QTest::keyClick(m_pFrame.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(noAction.count(), 1);

    // While a field of the bar has the focus, the program's keys still act:
    // Ctrl+C is Copy Graph, not the field's copy.
    QAction *pCopy = m_pFrame->Action(ID_EDIT_COPY);
    pCopy->setEnabled(true);  // as it will be once the graph can be copied
    QSignalSpy copy(pCopy, &QAction::triggered);
    m_pFrame->FocusFunctionList();
    QWidget *pEdit = QApplication::focusWidget();
    ASSERT_NE(pEdit, nullptr);
    QTest::keyClick(pEdit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copy.count(), 1);

    // A disabled command leaves the key to the field.
    pCopy->setEnabled(false);
    QTest::keyClick(pEdit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copy.count(), 1);
}
