// Undo and Redo in the frame: every undoable command undone gives back the
// document's bytes, redone the bytes after it, and the modified flag follows.
#include "core/doc/CvaFormat.h"
#include "gui/GuiFixtures.h"
#include "gui/app/GraphAttrDlg.h"

#include <QAction>

namespace {

class FrameUndo : public FrameFixture
{
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        m_pFrame->SetDocument(&doc);
        doc.OnNewDocument();
        ShowFrame();
    }
    CCorvantaView &View() { return *m_pFrame->View(); }
    std::vector<std::uint8_t> Bytes() const { return CCvaFormat::Encode(doc.Record()); }
    int Entries() const { return m_pFrame->FunctionList()->count(); }
    template <class Event, class... Args> void Send(Args... args)
    {
        Event e(args...);
        QApplication::sendEvent(&View(), &e);
    }

    CCorvantaDoc doc;
    QTemporaryDir m_files;
};

TEST_F(FrameUndo, EveryCommandUndoneGivesBackTheBytesAndRedoneTheBytesAfter)
{
    const auto wheel = [this](int delta) {
        Send<QWheelEvent>(QPointF(300, 120), QPointF(), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
    };
    const auto mouse = [this](QEvent::Type type, int x, Qt::MouseButtons buttons) {
        Send<QMouseEvent>(type, QPointF(x, x), QPointF(), Qt::LeftButton, buttons, Qt::NoModifier);
    };
    const struct { const char *name; int prepare; std::function<void()> command; } cases[] = {
        {"Plot", 0, [this] { PlotInFrame({"1/x"}); }},
        {"Differentiate", 0, [this] { m_pFrame->ExecuteCommand(ID_DIFFERENTIATE); }},
        {"Clear Graph", 0, [this] { m_pFrame->ExecuteCommand(ID_CLEAR_GRAPH); }},
        {"Graph Attributes", 0, [this] {
             CGraphAttrDlg dlg(m_pFrame.get());
             prompts.colors = {QColor(10, 20, 30)};
             dlg.LoadFrom(View().Graph()), dlg.OnChooseColor(0), m_pFrame->ApplyGraphAttributes(dlg);
         }},
        {"Zoom", ID_ZOOM_IN_X, [this] { m_pFrame->ExecuteCommand(ID_SQUARE_UNITS); }},
        {"Zoom", ID_ZOOM_OUT_X, [this] { m_pFrame->ExecuteCommand(ID_CENTER); }},
        {"Zoom", 0, [this] { m_pFrame->ExecuteCommand(ID_AUTOSCALE); }},  // x^3*100 is steep
        {"Zoom", 0, [this] {  // a typed domain
             m_pFrame->SetRangeFieldText(IDC_X_MIN, "-1"), m_pFrame->SetRangeFieldText(IDC_X_MAX, "3");
             View().RePlot();
         }},
        {"Pan", 0, [&] {  // a drag of several moves is one step
             mouse(QEvent::MouseButtonPress, 100, Qt::LeftButton), mouse(QEvent::MouseMove, 110, Qt::LeftButton);
             mouse(QEvent::MouseMove, 140, Qt::LeftButton), mouse(QEvent::MouseButtonRelease, 140, Qt::NoButton);
         }},
        {"Zoom", 0, [&] { wheel(120), wheel(60), wheel(60), wheel(-120), wheel(240); }},  // so is a run of notches
        {"Pan", 0, [this] {  // and arrow presses
             for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Up})
                 Send<QKeyEvent>(QEvent::KeyPress, key, Qt::NoModifier);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_FILE_NEW));
        PlotInFrame({"x^2", "x^3*100"});
        if (c.prepare)
            m_pFrame->ExecuteCommand(c.prepare);
        ASSERT_TRUE(doc.SaveAs(m_files.filePath("before.cva")));
        const auto before = Bytes();
        c.command();
        m_pFrame->UpdateCommandStates();
        const auto after = Bytes();
        ASSERT_NE(after, before);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(m_pFrame->Action(ID_EDIT_UNDO)->text(), QStringLiteral("&Undo %1").arg(c.name));
        ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_EDIT_UNDO));
        m_pFrame->UpdateCommandStates();
        EXPECT_EQ(m_pFrame->Action(ID_EDIT_REDO)->text(), QStringLiteral("&Redo %1").arg(c.name));
        EXPECT_EQ(Bytes(), before);
        EXPECT_EQ(Entries(), 2);
        EXPECT_FALSE(doc.IsModified() || m_pFrame->isWindowModified());  // closing would ask nothing
        ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_EDIT_REDO));
        EXPECT_EQ(Bytes(), after);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_FALSE(m_pFrame->Action(ID_EDIT_REDO)->isEnabled());
        doc.SetModifiedFlag(false);  // New asks nothing
    }
}

// Ctrl+Z stays with the list while it has typing to undo; then it undoes the graph.
TEST_F(FrameUndo, CtrlZInTheListUndoesItsTypingFirstAndOpenStartsAFreshHistory)
{
    PlotInFrame({"x^2", "sin(x)"});
    ASSERT_TRUE(doc.SaveAs(m_files.filePath("saved.cva")));
    QLineEdit *pEdit = m_pFrame->FunctionList()->lineEdit();
    pEdit->setText(QStringLiteral("x"));
    pEdit->setFocus();
    QTest::keyClicks(pEdit, QStringLiteral("+1"));
    QTest::keyClick(pEdit, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(pEdit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Entries(), 1);  // the typing, then the plot of sin(x) undone; what was typed before stays
    EXPECT_EQ(pEdit->text(), "x");
    EXPECT_TRUE(doc.IsModified());  // the saved state is behind the change undone
    prompts.answers.push_back(MsgAnswer::No);  // "Save changes to ...?"
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(m_files.filePath("saved.cva")));
    m_pFrame->UpdateCommandStates();
    EXPECT_FALSE(m_pFrame->Action(ID_EDIT_UNDO)->isEnabled() || doc.IsModified());
}

}  // namespace
