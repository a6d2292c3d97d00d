// The output commands: clipboard, the graph's context menu, export, and help
// with its pages.
#include "gui/GuiFixtures.h"
#include "gui/app/ExpressionBar.h"
#include "gui/output/HelpWindow.h"
#include "gui/output/OutputCommands.h"

#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>
#include <QTextEdit>

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

// Copy Graph copies the view's picture; Copy Function only the selection, and Paste inserts without plotting.
TEST_F(FrameOutput, ClipboardCommands)
{
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_EDIT_COPY));
    EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              m_pFrame->View()->Picture().convertToFormat(QImage::Format_RGB32));
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
    EXPECT_EQ(m_pFrame->View()->State().m_nLast, -1);
}

TEST_F(FrameOutput, TheContextMenuIsTheGraphMenuExceptWhileTangentTracing)
{
    RightClickView();
    QWidget *pPopup = QApplication::activePopupWidget();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_TRUE(pPopup->actions().contains(m_pFrame->Action(ID_DIFFERENTIATE)));
    pPopup->close();
    m_pFrame->View()->SetTangentMode(true);  // the right button belongs to the tangent
    RightClickView();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(FrameOutput, ExportAsksBeforeReplacingAndCancelWritesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("graph.png");
    ASSERT_TRUE(WriteFile(path, "old"));
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_EXPORT_BITMAP));  // the save dialog cancelled
    EXPECT_TRUE(prompts.shown.empty());
    ASSERT_EQ(prompts.fileQuestions.size(), 1u);
    EXPECT_EQ(prompts.fileQuestions[0].title, "Export to Bitmap");
    EXPECT_EQ(prompts.fileQuestions[0].defaultSuffix, "bmp");

    prompts.files = {{path, QString()}};
    prompts.answers = {MsgAnswer::No};
    m_pFrame->ExecuteCommand(ID_EXPORT_BITMAP);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_TRUE(prompts.shown[0].text.contains("graph.png"));
    EXPECT_EQ(ReadFile(path), "old");
    prompts.files = {{path, QString()}};
    prompts.answers = {MsgAnswer::Yes};
    m_pFrame->ExecuteCommand(ID_EXPORT_BITMAP);
    EXPECT_FALSE(QImage(path).isNull());
    EXPECT_EQ(prompts.fileQuestions.back().directory, dir.path());  // the next dialog opens where the last file went

    const QString chosen = dir.filePath("fresh.bmp");  // a new file: no question
    prompts.files = {{chosen, QString()}};
    prompts.Clear();
    m_pFrame->ExecuteCommand(ID_EXPORT_BITMAP);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(QImage(chosen).size(), m_pFrame->View()->Picture().size());
}

TEST_F(FrameOutput, HelpOpensItsOwnWindow)
{
    QSettings(QStringLiteral("HALDEN"), QStringLiteral("Corvanta"))
        .setValue(QStringLiteral("AppPath/Path"), QStringLiteral(CORVANTA_HELP_PARENT));
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_HELP_CONTENTS));
    CHelpWindow *pHelp = m_pFrame->Output()->HelpWindow();
    ASSERT_NE(pHelp, nullptr);
    EXPECT_TRUE(pHelp->isVisible());
    EXPECT_EQ(pHelp->Browser()->source().fileName(), "index.html");
    const QRect area = pHelp->screen()->availableGeometry();  // with room for its frame
    EXPECT_LE(pHelp->height() + 48, area.height());
    EXPECT_LE(pHelp->width() + 16, area.width());
    pHelp->close();
}

// With Help open, File > Exit still ends the program: the help window does
// not keep it running. The program only tells of its last window from
// inside its event loop, so the exit runs there; a second turn of the loop
// ends it in any case.
TEST_F(FrameOutput, ExitWithHelpOpenClosesTheLastWindow)
{
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_HELP_CONTENTS));
    ASSERT_TRUE(m_pFrame->Output()->HelpWindow()->isVisible());
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    QTimer::singleShot(0, m_pFrame.get(), [this] {
        m_pFrame->ExecuteCommand(ID_APP_EXIT);
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    });
    QApplication::exec();
    EXPECT_FALSE(m_pFrame->isVisible());
    EXPECT_EQ(lastClosed.count(), 1);
}

// Every link of every page leads to a page and an anchor that exist.
TEST(HelpPages, EveryLinkResolves)
{
    const QDir dir(QStringLiteral(CORVANTA_HELP_PARENT "help"));
    const QStringList pages = dir.entryList({QStringLiteral("*.html")}, QDir::Files);
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    for (const QString &page : pages)
        for (auto it = href.globalMatch(QString::fromUtf8(ReadFile(dir.filePath(page)))); it.hasNext();) {
            const QUrl url(it.next().captured(1));
            const QString target = url.path().isEmpty() ? page : url.path();
            if (!url.scheme().isEmpty() || target == QLatin1String(CHelpBrowser::kShortcutsPage))  // made at run time
                continue;
            SCOPED_TRACE((page + ": " + url.toString()).toStdString());
            ASSERT_TRUE(pages.contains(target));
            const QByteArray anchor = "id=\"" + url.fragment().toUtf8() + '"';
            EXPECT_TRUE(!url.hasFragment() || ReadFile(dir.filePath(target)).contains(anchor));
        }
}

}  // namespace
