// The command table is data; these are the rules every row must keep, and its icons.
#include "gui/GuiFixtures.h"
#include "gui/app/Artwork.h"
#include "gui/app/CommandTable.h"

#include <QAction>
#include <QDirIterator>
#include <QSvgRenderer>

#include <set>

namespace {

QList<QKeySequence> Keys(const SCommandInfo &info)
{
    return info.pszKeys ? QKeySequence::listFromString(QString::fromUtf8(info.pszKeys), QKeySequence::PortableText)
                        : QList<QKeySequence>{};
}

bool HasInk(const QPixmap &pm)
{
    const QImage img = pm.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) > 0)
                return true;
    return false;
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
            if (id != 0) {
                EXPECT_TRUE(FindCommand(id)) << id;
                EXPECT_TRUE(HasInk(CommandIcon(id).pixmap(16))) << id;
            }
}

TEST(Artwork, EveryPictureIsValidSvgAndRendersAtTheAskedSize)
{
    EXPECT_TRUE(HasInk(AboutPixmap(64)));  // also makes the resources available
    EXPECT_EQ(SplashPixmap(398, 248).size(), QSize(398, 248));
    int nFiles = 0;
    for (QDirIterator it(QStringLiteral(":/"), {QStringLiteral("*.svg")}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext(); ++nFiles) {
        const QString strFile = it.next();
        EXPECT_TRUE(QSvgRenderer(strFile).isValid()) << strFile.toStdString();
    }
    EXPECT_GE(nFiles, 3);
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
        case ECommandRoute::Frame: EXPECT_TRUE(info.handler && pAction->isEnabled()); break;
        case ECommandRoute::View: EXPECT_TRUE(bare.HandleCommand(info.nId)); break;
        }
    }
}

// Ctrl+C in the function list is Copy Graph, not the field's copy, while Copy Graph is enabled.
TEST_F(CommandFrame, KeysReachTheirCommandsEvenFromAField)
{
    ShowFrame();
    QAction *pCopy = m_pFrame->Action(ID_EDIT_COPY);
    pCopy->setEnabled(true);
    int copies = 0;
    QObject::connect(pCopy, &QAction::triggered, [&] { ++copies; });
    m_pFrame->FocusFunctionList();
    QWidget *pEdit = QApplication::focusWidget();
    ASSERT_NE(pEdit, nullptr);
    QTest::keyClick(pEdit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copies, 1);
    pCopy->setEnabled(false);
    QTest::keyClick(pEdit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copies, 1);
}

}  // namespace
