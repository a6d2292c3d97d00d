#include "gui/view/CommandIds.h"
#include "gui/app/CommandTable.h"

#include <QtTest/QtTest>

#include "gui/app/FrameTestSupport.h"

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
    const char *pszCaption = nullptr;
    const char *pszPrompt = nullptr;
};

const SMenuRow kMenu[] = {
    {"&File", 57600, "&New\tCtrl+N", "Create a new document\nNew"},
    {"&File", 57601, "&Open...\tCtrl+O", "Open an existing document\nOpen"},
    {"&File", 57603, "&Save\tCtrl+S", "Save the active document\nSave"},
    {"&File", 57604, "Save &As...", "Save the active document with a new name\nSave As"},
    {"&File", 32803, "Export to Bitmap...", "Export current graph area as a bitmap file"}, {"&File", 0},
    {"&File", 57607, "&Print...\tCtrl+P", "Print the active document\nPrint"},
    {"&File", 57609, "Print Pre&view", "Display full pages\nPrint Preview"},
    {"&File", 57606, "P&rint Setup...", "Change the printer and printing options\nPrint Setup"}, {"&File", 0},
    {"&File", 57616, "Recent File", "Open this document"}, {"&File", 0},
    {"&File", 57665, "E&xit", "Quit the application; prompts to save documents\nExit"},
    {"&Edit", 57643, "&Undo\tCtrl+Z", "Undo the last action\nUndo"}, {"&Edit", 0},
    {"&Edit", 57635, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut"},
    {"&Edit", 57634, "&Copy Graph\tShift+Ctrl+C", "Copy the graph are to clipboard"},
    {"&Edit", 32820, "Copy Graph &Function\tCtrl+C", "Copy current expression to clipboard"},
    {"&Edit", 57637, "&Paste Funcation\tCtrl+V", "Paste a function into the function combobox"},
    {"&View", 59392, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar"},
    {"&View", 32801, "&Zoom Toolbar", "Show/Hide zoom bar"}, {"&View", 32802, "E&xpression Bar"},
    {"&View", 59393, "&Status Bar", "Show or hide the status bar\nToggle StatusBar"}, {"&View", 0},
    {"&View", 32794, "Zoom &In\tCtrl + \"+\""}, {"&View", 32790, "Zoom &Out\tCtrl + \" - \""},
    {"&View", 32776, "&Center\t\" C \""}, {"&View", 32818, "&Fullscreen\tAlt + Enter"},
    {"&Graph", 32811, "&Analyze Graph...\tCtrl + A", "Graph analysis"},
    {"&Graph", 32775, "&Integrate...\tCtrl + I", "Apply limited integration"},
    {"&Graph", 32787, "&Differentiate\tCtrl + D", "Differentiate current function"},
    {"&Graph", 32785, "&Clear Graph\tCtrl + L", "Clear all graphs"},
    {"&Graph", 32774, "&Trace\tCtrl + T", "Trace a point in the graph area"},
    {"&Graph", 32822, "Domain &Substitution...", "Substitute in a specifed domain"},
    {"&Tools", 32799, "&Simultaneous Equations Solver..."}, {"&Tools", 32816, "&Determinants Solver..."},
    {"&Tools", 32815, "Scientific &Calculator..."}, {"&Tools", 32821, "&Matrices Operations..."},
    {"&Options", 32781, "Show Grid", "Show/Hide grid lines"},
    {"&Options", 32782, "Graph Attributes...", "Change graphs' attributes"}, {"&Options", 32800, "&Autoscale"},
    {"&Help", 32824, "&Help..."},
    {"&Help", 57664, "&About Corvanta...", "Display program information, version number and copyright\nAbout"},
};

// Commands on toolbars or keys only, with their prompts.
const SMenuRow kOffMenu[] = {
    {nullptr, 32789}, {nullptr, 32793}, {nullptr, 32791}, {nullptr, 32795}, {nullptr, 32798},
    {nullptr, 1003, nullptr, "Click and drag the area to be zoomed"},
    {nullptr, 32823, nullptr, "Trace current function's tangent"},
    {nullptr, 32825, nullptr, "Extended funtions\nExtended Functions"},
};

// The keys that really act.
const std::multimap<int, QKeySequence> &Accelerators()
{
    const auto ctrl = Qt::CTRL, shift = Qt::SHIFT, alt = Qt::ALT;
    static const std::multimap<int, QKeySequence> keys = {
        {57600, ctrl | Qt::Key_N}, {57601, ctrl | Qt::Key_O}, {57603, ctrl | Qt::Key_S}, {57607, ctrl | Qt::Key_P},
        {57643, ctrl | Qt::Key_Z}, {57643, alt | Qt::Key_Backspace}, {57635, ctrl | Qt::Key_X},
        {57635, shift | Qt::Key_Delete}, {57634, ctrl | Qt::Key_C}, {57634, ctrl | Qt::Key_Insert},
        {57637, ctrl | Qt::Key_V}, {57637, shift | Qt::Key_Insert}, {32776, ctrl | shift | Qt::Key_C},
        {32786, ctrl | shift | Qt::Key_S}, {32794, ctrl | Qt::Key_Plus}, {32794, ctrl | Qt::Key_Equal},
        {32795, ctrl | Qt::Key_Minus}, {32811, ctrl | Qt::Key_A}, {32787, ctrl | Qt::Key_D}, {32775, ctrl | Qt::Key_I},
        {32785, ctrl | Qt::Key_L}, {32774, ctrl | Qt::Key_T}, {32818, alt | Qt::Key_Return},
        {32818, alt | Qt::Key_Enter}, {57680, QKeySequence(Qt::Key_F6)}, {57681, shift | Qt::Key_F6},
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

std::vector<int> Ids(const QList<QAction *> &actions)
{
    std::vector<int> ids;
    for (QAction *pAction : actions)
        ids.push_back(ActionId(pAction));
    return ids;
}

}  // namespace

TEST(CommandTable, IdsAreUniqueAndOffMenuCommandsHaveTheirPrompts)
{
    std::set<int> ids;
    for (const SCommandInfo &info : CommandTable())
        if (info.nId != 0) {
            EXPECT_TRUE(ids.insert(info.nId).second) << info.nId;
        }
    EXPECT_EQ(FindCommand(0), nullptr);
    EXPECT_EQ(FindCommand(12345), nullptr);
    for (const SMenuRow &row : kOffMenu) {
        const SCommandInfo *pInfo = FindCommand(row.nId);
        ASSERT_NE(pInfo, nullptr) << row.nId;
        EXPECT_EQ(pInfo->pszPopup, nullptr) << row.nId;
        if (row.pszPrompt) {
            EXPECT_STREQ(pInfo->pszPrompt, row.pszPrompt);
        }
    }
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
        std::vector<int> actual = Ids(pMenu->actions());
        for (size_t i = 0; i < actual.size(); ++i)  // the placeholder carries no data
            if (pMenu->actions().at(i)->objectName() == QLatin1String("cmd57616") &&
                !pMenu->actions().at(i)->data().isValid())
                actual[i] = ID_FILE_MRU_FILE1;
        EXPECT_EQ(actual, expected) << expectedPopups.at(p).toStdString();
    }
}

// Table and actions agree with the menu: popup, caption, full prompt, status
// tip and the key shown beside the item (the first accelerator).
TEST_F(CommandMenus, CaptionsPromptsAndShownKeys)
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
        if (row.nId == ID_FILE_MRU_FILE1)
            continue;
        QAction *pAction = m_pFrame->Action(row.nId);
        ASSERT_NE(pAction, nullptr);
        EXPECT_EQ(pAction->text(), Before(row.pszCaption, '\t'));
        EXPECT_EQ(pAction->statusTip(), row.pszPrompt ? Before(row.pszPrompt, '\n') : QString());
        const auto range = Accelerators().equal_range(row.nId);
        if (range.first == range.second)
            EXPECT_TRUE(pAction->shortcut().isEmpty()) << pAction->shortcut().toString().toStdString();
        else
            EXPECT_EQ(pAction->shortcut(), range.first->second);
    }
}

TEST_F(CommandMenus, KeysAreTheAcceleratorTableExactly)
{
    std::multiset<std::string> actual, expected;
    for (const SCommandInfo &info : CommandTable())
        if (QAction *pAction = m_pFrame->Action(info.nId))
            for (const QKeySequence &keys : pAction->shortcuts())
                actual.insert(std::to_string(info.nId) + " " + keys.toString(QKeySequence::PortableText).toStdString());
    for (const auto &[nId, keys] : Accelerators())
        expected.insert(std::to_string(nId) + " " + keys.toString(QKeySequence::PortableText).toStdString());
    EXPECT_EQ(actual, expected);
}

TEST_F(CommandMenus, TooltipsOfBothToolbars)
{
    for (const STooltip &tip : kTooltips) {
        ASSERT_NE(m_pFrame->Action(tip.nId), nullptr) << tip.nId;
        EXPECT_EQ(m_pFrame->Action(tip.nId)->toolTip(), QString::fromUtf8(tip.pszText)) << tip.nId;
    }
}

TEST_F(CommandMenus, MainToolbarButtonsInOrder)
{
    const std::vector<int> expected = {57600, 57601, 57603, 32803, 57607, 0, 57634, 32820, 57637, 0, 32801, 0,
                                       32811, 32822, 32774, 32823, 0, 32775, 32787, 0, 32781, 32782, 32785, 0,
                                       32825, 0, 32824};
    EXPECT_EQ(std::vector<int>(MainToolbarLayout().begin(), MainToolbarLayout().end()), expected);
    EXPECT_EQ(Ids(m_pFrame->MainToolBar()->actions()), expected);
    for (QAction *pAction : m_pFrame->MainToolBar()->actions())
        if (!pAction->isSeparator()) {
            EXPECT_FALSE(pAction->icon().isNull()) << ActionId(pAction);
        }
}

TEST_F(CommandMenus, ZoomBarIsTwoColumnsWithFullscreenAlone)
{
    const std::vector<int> zoom = {32789, 32790, 32793, 32791, 32794, 32795, 32798, 32800, 1003, 32776, 32818};
    EXPECT_EQ(std::vector<int>(ZoomToolbarLayout().begin(), ZoomToolbarLayout().end()), zoom);
    auto *pGrid = qobject_cast<QGridLayout *>(m_pFrame->ZoomBar()->widget()->layout());
    ASSERT_NE(pGrid, nullptr);
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
        if (info.route == ECommandRoute::Later) {
            EXPECT_FALSE(pAction->isEnabled()) << info.nId;
        }
        if (info.route == ECommandRoute::Frame && info.nId != ID_FILE_MRU_FILE1) {
            EXPECT_TRUE(pAction->isEnabled()) << info.nId;
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
    pCopy->setEnabled(false);  // a disabled command leaves the key to the field
    QTest::keyClick(pEdit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copy.count(), 1);
}
