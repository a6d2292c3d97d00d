// The frame's output commands: clipboard, full screen, the graph's context menu, export, help.
#include "gui/GuiFixtures.h"
#include "gui/app/CommandTable.h"
#include "gui/app/ShortcutsPage.h"
#include "gui/output/HelpWindow.h"
#include "gui/output/OutputCommands.h"

#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace {

class FrameOutput : public FrameFixture
{
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        ShowFrame();
    }
    QLineEdit *Edit() { return m_pFrame->FunctionList()->lineEdit(); }
    void RightClickView()
    {
        const QPoint pos(30, 30);
        QContextMenuEvent e(QContextMenuEvent::Mouse, pos, m_pFrame->View()->mapToGlobal(pos));
        QApplication::sendEvent(m_pFrame->View(), &e);
    }
};

TEST_F(FrameOutput, CopyGraphPutsTheViewsPictureOnTheClipboard)
{
    QApplication::clipboard()->clear();
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_EDIT_COPY));
    EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              m_pFrame->View()->Picture().convertToFormat(QImage::Format_RGB32));
}

TEST_F(FrameOutput, CopyFunctionTakesOnlyTheSelectionAndPasteInsertsWithoutPlotting)
{
    QApplication::clipboard()->setText(QStringLiteral("before"));
    Edit()->setText(QStringLiteral("sin(x)+cos(x)"));
    Edit()->deselect();
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_COPY_FUNCTION));
    EXPECT_EQ(QApplication::clipboard()->text(), "before");  // nothing selected: unchanged
    Edit()->setSelection(0, 6);
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_COPY_FUNCTION));
    EXPECT_EQ(QApplication::clipboard()->text(), "sin(x)");

    Edit()->setSelection(7, 6);  // "cos(x)" is replaced
    QApplication::clipboard()->setText(QStringLiteral("tan(x)"));
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_EDIT_PASTE));
    EXPECT_EQ(Edit()->text(), "sin(x)+tan(x)");
    Edit()->setCursorPosition(0);
    QTest::keyClick(Edit(), Qt::Key_V, Qt::ControlModifier);  // at the caret
    EXPECT_EQ(Edit()->text(), "tan(x)sin(x)+tan(x)");
    EXPECT_EQ(m_pFrame->View()->m_nLast, -1);
}

TEST_F(FrameOutput, FullscreenTwiceReturnsTheWindowWithItsMenuAndCheckMark)
{
    const Qt::WindowStates before = m_pFrame->windowState();
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_FULLSCREEN));
        EXPECT_TRUE(m_pFrame->windowState() & Qt::WindowFullScreen);
        EXPECT_TRUE(m_pFrame->menuBar()->isHidden());
        EXPECT_TRUE(m_pFrame->Action(ID_FULLSCREEN)->isChecked() && m_pFrame->ZoomButton(ID_FULLSCREEN)->isChecked());
        ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_FULLSCREEN));
        EXPECT_EQ(m_pFrame->windowState(), before) << round;
        EXPECT_FALSE(m_pFrame->menuBar()->isHidden());
        EXPECT_FALSE(m_pFrame->Action(ID_FULLSCREEN)->isChecked());
    }
}

TEST_F(FrameOutput, TheContextMenuIsTheGraphMenuExceptWhileTangentTracing)
{
    RightClickView();
    QWidget *pPopup = QApplication::activePopupWidget();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_TRUE(pPopup->actions().contains(m_pFrame->Action(ID_DIFFERENTIATE)));
    pPopup->close();
    m_pFrame->View()->m_bTangent = true;  // the right button belongs to the tangent
    RightClickView();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(FrameOutput, ExportAsksBeforeReplacingAndCancelWritesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("graph.png");
    ASSERT_TRUE(WriteFile(path, "old"));
    QString chosen;
    m_pFrame->Output()->SetExportDialog([&] { return COutputCommands::SChoice{chosen, QString()}; });
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_EXPORT_BITMAP));  // the save dialog cancelled
    EXPECT_TRUE(messages.shown.empty());

    chosen = path;
    messages.answers = {MsgAnswer::No};
    m_pFrame->ExecuteCommand(ID_EXPORT_BITMAP);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_TRUE(messages.shown[0].text.contains("graph.png"));
    EXPECT_EQ(ReadFile(path), "old");
    messages.answers = {MsgAnswer::Yes};
    m_pFrame->ExecuteCommand(ID_EXPORT_BITMAP);
    EXPECT_FALSE(QImage(path).isNull());

    chosen = dir.filePath("fresh.bmp");  // a new file: no question
    messages.Clear();
    m_pFrame->ExecuteCommand(ID_EXPORT_BITMAP);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(QImage(chosen).size(), m_pFrame->View()->Picture().size());
}

TEST_F(FrameOutput, HelpOpensItsOwnWindowAndTheKeysPageListsEveryKey)
{
    QSettings(QStringLiteral("HALDEN"), QStringLiteral("Corvanta"))
        .setValue(QStringLiteral("AppPath/Path"), QStringLiteral(CORVANTA_HELP_PARENT));
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_HELP_CONTENTS));
    CHelpWindow *pHelp = m_pFrame->Output()->HelpWindow();
    ASSERT_NE(pHelp, nullptr);
    EXPECT_TRUE(pHelp->isVisible());
    EXPECT_EQ(pHelp->Browser()->source().fileName(), "index.html");
    pHelp->ShowPage(CHelpBrowser::kShortcutsPage);
    EXPECT_TRUE(pHelp->Browser()->isBackwardAvailable());
    pHelp->close();

    const QString html = ShortcutsPageHtml();  // made from the command table
    for (const SCommandInfo &info : CommandTable()) {
        if (!info.pszKeys)
            continue;
        for (const QKeySequence &k : QKeySequence::listFromString(QString::fromUtf8(info.pszKeys), QKeySequence::PortableText))
            EXPECT_TRUE(html.contains(k.toString(QKeySequence::NativeText).toHtmlEscaped())) << info.pszKeys;
        if (info.pszCaption) {
            EXPECT_TRUE(html.contains(QString::fromUtf8(info.pszCaption).remove('&').toHtmlEscaped())) << info.nId;
        }
    }
}

}  // namespace
