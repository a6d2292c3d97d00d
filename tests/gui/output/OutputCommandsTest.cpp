// The output commands: clipboard, the graph's context menu, export, the graph
// attributes, and help with its pages.
#include "gui/GuiFixtures.h"
#include "gui/app/ExpressionBar.h"
#include "gui/output/GraphAttrDlg.h"
#include "gui/output/HelpWindow.h"
#include "gui/output/OutputCommands.h"

#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
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
    EXPECT_EQ(m_pFrame->View()->m_nLast, -1);
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

class GraphAttributes : public ::testing::Test
{
protected:
    GraphAttributes() { dlg.SetColorChooser([this](const QColor &) { return answer; }); }
    template <class T> T *Ctl(int id) const { return dlg.findChild<T *>(QStringLiteral("ctl%1").arg(id)); }
    QRadioButton *Radio(int graph) const { return Ctl<QRadioButton>(CGraphAttrDlg::kFirstRadio + graph); }
    QComboBox *Picker(int graph) const { return Ctl<QComboBox>(CGraphAttrDlg::kFirstPicker + graph); }
    QColor Sample(int graph) const
    {
        return Ctl<QTextEdit>(CGraphAttrDlg::kFirstSample + graph)->palette().color(QPalette::Disabled, QPalette::Base);
    }

    CViewState view;
    CGraphAttrDlg dlg;
    std::optional<QColor> answer;
};

// A document can hold any thickness: it shows clamped to 1..5, and OK keeps every thickness not picked.
TEST_F(GraphAttributes, OkWithoutChangesKeepsEveryColourAndThickness)
{
    view.m_aWidth = {0, -7, 3, 6, 100};
    dlg.LoadFrom(view);
    EXPECT_EQ(Picker(2)->currentIndex(), 2);  // thickness 3: the third picture
    EXPECT_EQ(Picker(4)->currentIndex(), 4);
    EXPECT_EQ(Sample(2), QColor(0, 0, 255));
    CViewState after = view;
    dlg.StoreInto(after);
    EXPECT_EQ(after.m_aColor, view.m_aColor);
    EXPECT_EQ(after.m_aWidth, view.m_aWidth);
    Picker(3)->setCurrentIndex(1);  // one picked: only that one changes
    dlg.StoreInto(after);
    EXPECT_EQ(after.m_aWidth, (decltype(view.m_aWidth){0, -7, 3, 2, 100}));
}

// The chooser opens on the graph's colour; OK passes the colour to the indicator of the selected graph.
TEST_F(FrameOutput, ColourChooserStartsOnTheGraphsColourAndTheIndicatorFollows)
{
    PlotInFrame({"x"});
    CGraphAttrDlg dlg;
    dlg.LoadFrom(*m_pFrame->View());
    QColor opened;
    dlg.SetColorChooser([&opened](const QColor &current) {
        opened = current;
        return std::optional<QColor>(QColor(255, 128, 0));
    });
    dlg.OnChooseColor(0);
    EXPECT_EQ(opened, m_pFrame->ExpressionBar()->IndicatorColor());
    EXPECT_NE(opened, QColor(Qt::black));
    m_pFrame->Output()->ApplyGraphAttributes(dlg);
    EXPECT_EQ(m_pFrame->ExpressionBar()->IndicatorColor(), QColor(255, 128, 0));
}

TEST_F(GraphAttributes, ChosenColoursAndThicknessesReachTheViewOnOkOnly)
{
    dlg.LoadFrom(view);
    const CViewState before = view;
    Picker(3)->setCurrentIndex(4);
    answer = QColor(12, 34, 56);
    QTest::mouseClick(Radio(1), Qt::LeftButton);
    EXPECT_EQ(Sample(1), QColor(12, 34, 56));
    answer = std::nullopt;  // the chooser cancelled: the colour stays
    dlg.OnChooseColor(4);
    CViewState kept = before;
    dlg.StoreInto(kept);
    EXPECT_EQ(kept.m_aColor[4], before.m_aColor[4]);
    dlg.reject();
    EXPECT_EQ(view.m_aColor, before.m_aColor);
    dlg.StoreInto(view);
    EXPECT_EQ(view.m_aWidth[3], 5);
    EXPECT_EQ(view.m_aColor[1], MakeColorRef(12, 34, 56));
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
