// Undo and Redo in the frame: every undoable command undone gives back the
// document's bytes, redone the bytes after it, and the modified flag follows.
#include "core/doc/CvaFormat.h"
#include "gui/GuiFixtures.h"
#include "gui/app/GraphAttrDlg.h"

#include <QAction>
#include <QUndoStack>
#include <QWheelEvent>

namespace {

class FrameUndo : public FrameFixture
{
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        ASSERT_TRUE(m_files.isValid());
        m_pFrame->SetDocument(&doc);
        doc.OnNewDocument();
        ShowFrame();
    }
    CCorvantaView &View() { return *m_pFrame->View(); }
    std::vector<std::uint8_t> Bytes() const { return CCvaFormat::Encode(doc.m_store); }
    QStringList Entries() const
    {
        QStringList entries;
        for (int i = 0; i < m_pFrame->FunctionList()->count(); ++i)
            entries << m_pFrame->FunctionList()->itemText(i);
        return entries;
    }
    QString Path(const char *name) const { return m_files.filePath(QString::fromLatin1(name)); }
    void Mouse(QEvent::Type type, QPoint pos, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, QPointF(pos), View().mapToGlobal(QPointF(pos)), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&View(), &e);
    }
    void Wheel(QPoint pos, int delta)
    {
        QWheelEvent e(QPointF(pos), View().mapToGlobal(QPointF(pos)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&View(), &e);
    }
    void Key(Qt::Key key)
    {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&View(), &e);
    }

    CCorvantaDoc doc;
    QTemporaryDir m_files;
};

TEST_F(FrameUndo, EveryCommandUndoneGivesBackTheBytesAndRedoneTheBytesAfter)
{
    struct Case
    {
        const char *name;  // as the Undo command names it
        std::function<void()> command;
        int prepare = 0;  // a command run before the state the undo must give back
    };
    const Case cases[] = {
        {"Plot", [this] { PlotInFrame({"1/x"}); }},
        {"Differentiate", [this] { m_pFrame->ExecuteCommand(ID_DIFFERENTIATE); }},
        {"Clear Graph", [this] { m_pFrame->ExecuteCommand(ID_CLEAR_GRAPH); }},
        {"Graph Attributes",
         [this] {
             CGraphAttrDlg dlg(m_pFrame.get());
             dlg.SetColorChooser([](const QColor &) { return QColor(10, 20, 30); });
             dlg.LoadFrom(View());
             dlg.OnChooseColor(0);
             m_pFrame->ApplyGraphAttributes(dlg);
         }},
        {"Zoom", [this] { m_pFrame->ExecuteCommand(ID_ZOOM_IN); }},
        {"Zoom", [this] { m_pFrame->ExecuteCommand(ID_SQUARE_UNITS); }, ID_ZOOM_IN_X},
        {"Zoom", [this] { m_pFrame->ExecuteCommand(ID_AUTOSCALE); }},  // x^3*100 is steep
        {"Pan",  // a drag in several moves is one step
         [this] {
             Mouse(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
             Mouse(QEvent::MouseMove, {110, 90}, Qt::LeftButton);
             Mouse(QEvent::MouseMove, {140, 70}, Qt::LeftButton);
             Mouse(QEvent::MouseButtonRelease, {140, 70}, Qt::NoButton);
         }},
        {"Zoom",  // a typed domain
         [this] {
             m_pFrame->SetRangeFieldText(IDC_X_MIN, "-1");
             m_pFrame->SetRangeFieldText(IDC_X_MAX, "3");
             View().RePlot();
         }},
        {"Zoom", [this] { m_pFrame->ExecuteCommand(ID_CENTER); }, ID_ZOOM_OUT_X},
        {"Zoom",  // three wheel notches, one of them in trackpad steps, are one step
         [this] {
             Wheel({300, 120}, 120);
             Wheel({300, 120}, 60), Wheel({300, 120}, 60);
             Wheel({300, 120}, 120);
         }},
        {"Pan",
         [this] {
             View().setFocus();
             Key(Qt::Key_Right), Key(Qt::Key_Right), Key(Qt::Key_Up);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_FILE_NEW));
        EXPECT_FALSE(View().UndoStack()->canUndo());  // New starts a fresh history
        PlotInFrame({"x^2", "x^3*100"});
        if (c.prepare)
            m_pFrame->ExecuteCommand(c.prepare);
        ASSERT_TRUE(doc.SaveAs(Path("before.cva")));
        EXPECT_FALSE(m_pFrame->Action(ID_EDIT_REDO)->isEnabled());
        const auto before = Bytes();
        const QStringList entries = Entries();

        c.command();
        m_pFrame->UpdateCommandStates();
        const auto after = Bytes();
        ASSERT_NE(after, before);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(m_pFrame->Action(ID_EDIT_UNDO)->text(), QStringLiteral("&Undo %1").arg(c.name));

        ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_EDIT_UNDO));
        EXPECT_EQ(Bytes(), before);
        EXPECT_EQ(Entries(), entries);
        EXPECT_FALSE(doc.IsModified());  // back at the saved state: nothing to ask on closing
        EXPECT_FALSE(m_pFrame->isWindowModified());

        ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_EDIT_REDO));
        EXPECT_EQ(Bytes(), after);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(m_pFrame->Action(ID_EDIT_REDO)->text(), "&Redo");
        EXPECT_FALSE(m_pFrame->Action(ID_EDIT_REDO)->isEnabled());
        doc.SetModifiedFlag(false);  // New asks nothing
    }
    EXPECT_TRUE(messages.shown.empty());
}

// Ctrl+Z stays with a field while the field has typing to undo; then it undoes the graph.
TEST_F(FrameUndo, CtrlZInTheListUndoesItsTypingFirstAndSavingMovesTheCleanState)
{
    PlotInFrame({"x^2", "sin(x)"});
    QLineEdit *pEdit = m_pFrame->FunctionList()->lineEdit();
    pEdit->setText(QStringLiteral("x"));  // no typing to undo
    pEdit->setFocus();
    QTest::keyClicks(pEdit, QStringLiteral("+1"));
    QTest::keyClick(pEdit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(pEdit->text(), "x");
    EXPECT_EQ(Entries(), (QStringList{"x^2", "sin(x)"}));
    QTest::keyClick(pEdit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Entries(), QStringList{"x^2"});  // the plot of sin(x) is undone
    EXPECT_EQ(pEdit->text(), "x");             // and what was typed stays
    EXPECT_EQ(View().m_nSelected, 0);
    QTest::keyClick(pEdit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Entries(), (QStringList{"x^2", "sin(x)"}));

    ASSERT_TRUE(doc.SaveAs(Path("saved.cva")));
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_EDIT_UNDO));
    EXPECT_TRUE(doc.IsModified());  // the saved state is behind the change undone
    EXPECT_TRUE(m_pFrame->isWindowModified());
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_EDIT_REDO));
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_EDIT_UNDO));
    PlotInFrame({"cos(x)"});  // a new change after an undo: the saved state is gone for good
    EXPECT_FALSE(m_pFrame->Action(ID_EDIT_REDO)->isEnabled());
    messages.answers.push_back(MsgAnswer::No);  // "Save changes to ...?"
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(Path("saved.cva")));
    EXPECT_EQ(Entries(), (QStringList{"x^2", "sin(x)"}));
    m_pFrame->UpdateCommandStates();
    EXPECT_FALSE(m_pFrame->Action(ID_EDIT_UNDO)->isEnabled());  // an opened file starts a fresh history
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
