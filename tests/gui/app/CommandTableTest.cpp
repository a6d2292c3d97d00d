// The command table is data; these are the rules every row must keep.
#include "gui/view/CommandIds.h"
#include "gui/view/CorvantaView.h"
#include "gui/app/CommandTable.h"

#include "gui/app/FrameTestSupport.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <set>

namespace {

QList<QKeySequence> Keys(const SCommandInfo &info)
{
    return info.pszKeys ? QKeySequence::listFromString(QString::fromUtf8(info.pszKeys), QKeySequence::PortableText)
                        : QList<QKeySequence>{};
}

}  // namespace

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
        if (info.pszPopup) {
            EXPECT_TRUE(std::find_if(MenuPopups().begin(), MenuPopups().end(), [&](const char *p) {
                            return QLatin1String(p) == QLatin1String(info.pszPopup);
                        }) != MenuPopups().end());
        }
    }
    EXPECT_EQ(FindCommand(0), nullptr);
    for (std::span<const int> bar : {MainToolbarLayout(), ZoomToolbarLayout()})
        for (int id : bar)
            EXPECT_TRUE(id == 0 || FindCommand(id)) << id;
}

using CommandFrame = FrameFixture;

// Each menu shows its rows in table order; the recent files follow their row.
TEST_F(CommandFrame, MenusFollowTheTable)
{
    const QList<QAction *> bar = m_pFrame->menuBar()->actions();
    ASSERT_EQ(static_cast<std::size_t>(bar.size()), MenuPopups().size());
    for (int p = 0; p < bar.size(); ++p) {
        EXPECT_EQ(bar[p]->text(), QLatin1String(MenuPopups()[p]));
        std::vector<int> expected, actual;
        for (const SCommandInfo &info : CommandTable())
            if (info.pszPopup && QLatin1String(info.pszPopup) == QLatin1String(MenuPopups()[p]))
                for (int i = info.nId == ID_FILE_MRU_FILE1 ? -1 : 0; i < (info.nId == ID_FILE_MRU_FILE1 ? kRecentFileCount : 1); ++i)
                    expected.push_back(info.nId + std::max(i, 0));
        for (QAction *a : bar[p]->menu()->actions())
            actual.push_back(a->isSeparator() ? 0 : a->data().isValid() ? a->data().toInt() : ID_FILE_MRU_FILE1);
        EXPECT_EQ(actual, expected) << MenuPopups()[p];
    }
}

// Unavailable commands are shown disabled; every other command has someone to carry it out.
TEST_F(CommandFrame, EveryAvailableCommandHasAHandler)
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
        case ECommandRoute::Frame: EXPECT_TRUE(info.handler && pAction->isEnabled()); break;
        case ECommandRoute::View: EXPECT_TRUE(bare.HandleCommand(info.nId)); break;
        }
    }
}

TEST_F(CommandFrame, KeysReachTheirCommandsEvenFromAField)
{
    ShowFrame();
    QSignalSpy noAction(m_pFrame->Action(ID_NO_ACTION), &QAction::triggered);
    QTest::keyClick(m_pFrame.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(noAction.count(), 1);

    // Ctrl+C in the function list is Copy Graph, not the field's copy, while Copy Graph is enabled.
    QAction *pCopy = m_pFrame->Action(ID_EDIT_COPY);
    pCopy->setEnabled(true);
    QSignalSpy copy(pCopy, &QAction::triggered);
    m_pFrame->FocusFunctionList();
    QWidget *pEdit = QApplication::focusWidget();
    ASSERT_NE(pEdit, nullptr);
    QTest::keyClick(pEdit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copy.count(), 1);
    pCopy->setEnabled(false);
    QTest::keyClick(pEdit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copy.count(), 1);
}
