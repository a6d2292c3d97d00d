#include "gui/app/FrameTestSupport.h"

#include "gui/MessageRecorder.h"
#include "gui/app/ShortcutsPage.h"
#include "gui/app/CommandTable.h"
#include "gui/output/HelpWindow.h"
#include "gui/output/OutputCommands.h"
#include "gui/view/CommandIds.h"
#include "gui/view/CorvantaView.h"

#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

class FrameOutput : public FrameFixture
{
protected:
    QLineEdit *Edit() { return m_pFrame->FunctionList()->lineEdit(); }
    COutputCommands &Output() { return *m_pFrame->Output(); }
    void RightClickView()
    {
        CCorvantaView *pView = m_pFrame->View();
        const QPoint pos(30, 30);
        QContextMenuEvent e(QContextMenuEvent::Mouse, pos, pView->mapToGlobal(pos));
        QApplication::sendEvent(pView, &e);
    }
};

TEST_F(FrameOutput, CopyGraphPutsTheViewsPictureOnTheClipboard)
{
    ShowFrame();
    QApplication::clipboard()->clear();
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_EDIT_COPY));
    const QImage copied = QApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32),
              m_pFrame->View()->Picture().convertToFormat(QImage::Format_RGB32));
}

TEST_F(FrameOutput, CopyFunctionTakesOnlyTheSelectionAndPasteInsertsWithoutPlotting)
{
    ShowFrame();
    int plots = 0;
    QObject::connect(m_pFrame.get(), &CMainFrame::plotRequested, [&] { ++plots; });
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
    EXPECT_EQ(plots, 0);
    EXPECT_EQ(m_pFrame->View()->m_nLast, -1);
}

TEST_F(FrameOutput, FullscreenTwiceReturnsTheWindowWithItsMenuAndCheckMark)
{
    ShowFrame();
    const Qt::WindowStates before = m_pFrame->windowState();
    const QList<QAction *> menus = m_pFrame->menuBar()->actions();
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_FULLSCREEN));
        EXPECT_TRUE(m_pFrame->windowState() & Qt::WindowFullScreen);
        EXPECT_TRUE(m_pFrame->menuBar()->isHidden());
        EXPECT_TRUE(m_pFrame->Action(ID_FULLSCREEN)->isChecked());
        EXPECT_TRUE(m_pFrame->ZoomButton(ID_FULLSCREEN)->isChecked());
        EXPECT_TRUE(m_pFrame->MainToolBar()->isVisibleTo(m_pFrame.get()));  // bars stay

        ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_FULLSCREEN));
        EXPECT_EQ(m_pFrame->windowState(), before) << round;
        EXPECT_FALSE(m_pFrame->menuBar()->isHidden());
        EXPECT_EQ(m_pFrame->menuBar()->actions(), menus);
        EXPECT_FALSE(m_pFrame->Action(ID_FULLSCREEN)->isChecked());
    }
}

TEST_F(FrameOutput, TheContextMenuIsTheGraphMenuExceptWhileTangentTracing)
{
    ShowFrame();
    RightClickView();
    QWidget *pPopup = QApplication::activePopupWidget();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pPopup, m_pFrame->Popup(3));
    EXPECT_TRUE(m_pFrame->Popup(3)->actions().contains(m_pFrame->Action(ID_DIFFERENTIATE)));
    pPopup->close();

    m_pFrame->View()->m_bTangent = true;
    RightClickView();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    m_pFrame->View()->m_bTangent = false;
}

TEST_F(FrameOutput, OutputCommandsAreEnabledFromMenusKeysAndToolbar)
{
    m_pFrame->UpdateCommandStates();
    for (int id : {ID_EDIT_COPY, ID_COPY_FUNCTION, ID_EDIT_PASTE, ID_EXPORT_BITMAP, ID_FILE_PRINT,
                   ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, ID_FULLSCREEN, ID_HELP_CONTENTS, ID_GRAPH_ATTRIBUTES})
        EXPECT_TRUE(m_pFrame->Action(id)->isEnabled()) << id;
}

TEST_F(FrameOutput, ExportAsksBeforeReplacingAndCancelWritesNothing)
{
    ShowFrame();
    QTemporaryDir dir;
    const QString path = dir.filePath("graph.png");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    QString chosen;
    Output().SetExportDialog([&] { return COutputCommands::SChoice{chosen, QString()}; });

    MessageRecorder messages;
    chosen.clear();  // the save dialog cancelled
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_EXPORT_BITMAP));
    EXPECT_TRUE(messages.shown.empty());

    chosen = path;
    messages.answers = {MsgAnswer::No};
    m_pFrame->ExecuteCommand(ID_EXPORT_BITMAP);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_TRUE(messages.shown[0].text.contains("graph.png"));
    QFile same(path);
    ASSERT_TRUE(same.open(QIODevice::ReadOnly));
    EXPECT_EQ(same.readAll(), "old");
    same.close();

    messages.answers = {MsgAnswer::Yes};
    m_pFrame->ExecuteCommand(ID_EXPORT_BITMAP);
    EXPECT_FALSE(QImage(path).isNull());

    const QString bmp = dir.filePath("fresh.bmp");  // a new file: no question
    chosen = bmp;
    messages.Clear();
    m_pFrame->ExecuteCommand(ID_EXPORT_BITMAP);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(QImage(bmp).size(), m_pFrame->View()->Picture().size());
}

TEST_F(FrameOutput, HelpOpensItsOwnWindowOnTheContents)
{
    QSettings profile(QStringLiteral("HALDEN"), QStringLiteral("Corvanta"));
    profile.setValue(QStringLiteral("AppPath/Path"), QStringLiteral(CORVANTA_HELP_PARENT));
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_HELP_CONTENTS));
    CHelpWindow *pHelp = Output().HelpWindow();
    ASSERT_NE(pHelp, nullptr);
    EXPECT_TRUE(pHelp->isVisible());
    EXPECT_EQ(pHelp->Browser()->source().fileName(), "index.html");
    EXPECT_FALSE(pHelp->Browser()->toPlainText().isEmpty());
    // The keyboard page comes from the command table.
    pHelp->ShowPage(CHelpBrowser::kShortcutsPage);
    EXPECT_TRUE(pHelp->Browser()->toPlainText().contains(QStringLiteral("Copy Graph")));
    EXPECT_TRUE(pHelp->Browser()->isBackwardAvailable());
    pHelp->close();
}

TEST(ShortcutsPage, ListsEveryKeyOfTheCommandTable)
{
    const QString html = ShortcutsPageHtml();
    for (const SCommandInfo &info : CommandTable()) {
        if (!info.pszKeys)
            continue;
        const auto keys = QKeySequence::listFromString(QString::fromUtf8(info.pszKeys), QKeySequence::PortableText);
        for (const QKeySequence &k : keys) {
            EXPECT_TRUE(html.contains(k.toString(QKeySequence::NativeText).toHtmlEscaped())) << info.pszKeys;
        }
        if (info.pszCaption) {
            EXPECT_TRUE(html.contains(QString::fromUtf8(info.pszCaption).remove('&').toHtmlEscaped())) << info.nId;
        }
    }
}

}  // namespace
