// The frame with its document: typing and plotting, the file commands, the
// recent files, the question before a modified document goes, the title.
#include "core/doc/CvaFormat.h"
#include "gui/GuiFixtures.h"
#include "gui/app/ExpressionBar.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QMimeData>

#include <deque>

namespace {

class FrameDocument : public FrameFixture
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
    QString Path(const char *name) const { return QFileInfo(m_files.filePath(name)).absoluteFilePath(); }
    // Types a function into the list and presses Enter, as a person would.
    void Type(std::initializer_list<const char *> texts)
    {
        for (const char *text : texts) {
            m_pFrame->FunctionList()->setEditText(text);
            QTest::keyClick(m_pFrame->FunctionList()->lineEdit(), Qt::Key_Return);
        }
    }
    QString Derivative() const { return m_pFrame->ExpressionBar()->ControlText(IDC_DERIVATIVE); }
    QStringList Entries() const
    {
        QStringList entries;
        for (int i = 0; i < m_pFrame->FunctionList()->count(); ++i)
            entries << m_pFrame->FunctionList()->itemText(i);
        return entries;
    }
    // Everything a file command may change: the view's graph as a file holds
    // it, its picture, the list, the derivative, the title, the recent files.
    std::tuple<std::vector<std::uint8_t>, QImage, QStringList, QString, QString, QStringList> State()
    {
        EqStore s;
        static_cast<SGraphState &>(s) = static_cast<const SGraphState &>(View().State());
        View().Redraw();
        return {CCvaFormat::Encode(s), View().Picture(), Entries(), Derivative(), m_pFrame->windowTitle(),
                m_pFrame->RecentFiles().Paths()};
    }
    // Writes a graph of the given texts; the last one shows its derivative.
    QString WriteGraph(const char *name, const std::vector<std::string> &texts)
    {
        EqStore s;
        s.m_nLast = static_cast<int>(texts.size()) - 1;
        s.m_dScaleX = s.m_dScaleY = 1;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            s.m_aFunctions[i].SetExpression(texts[i]);
            s.m_aWidth[i] = 2;
        }
        s.m_aDerivativeShown[s.m_nLast] = texts.size() > 1;
        const auto bytes = CCvaFormat::Encode(s);
        EXPECT_TRUE(WriteFile(Path(name), QByteArray(reinterpret_cast<const char *>(bytes.data()),
                                                     static_cast<qsizetype>(bytes.size()))));
        return Path(name);
    }

    // The file names the user picks in the next file dialogs, in order.
    void Names(const QStringList &paths)
    {
        prompts.files.clear();
        for (const QString &path : paths)
            prompts.files.push_back({path, QString()});
    }
    // The file dialogs opened: "save " or "open " and the name offered.
    QStringList Dialogs() const
    {
        QStringList out;
        for (const SFileQuestion &q : prompts.fileQuestions)
            out << QString(q.bSave ? "save " : "open ") + q.suggested;
        return out;
    }

    CCorvantaDoc doc;

private:
    QTemporaryDir m_files;
};

TEST_F(FrameDocument, RoundTripPlotDifferentiateSaveNewOpen)
{
    Type({"X^2-2", "sin(x)", "1/x"});
    m_pFrame->FunctionList()->setCurrentIndex(1);  // choose sin(x), then differentiate it
    emit m_pFrame->FunctionList()->activated(1);
    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_DIFFERENTIATE));
    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_ZOOM_IN_Y));
    EXPECT_EQ(m_pFrame->windowTitle(), "Untitled[*] - Corvanta");
    EXPECT_TRUE(m_pFrame->isWindowModified());
    const auto before = State();

    Names(QStringList{Path("round.cva")});  // Save asks for a name the first time
    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_FILE_SAVE));
    EXPECT_EQ(Dialogs(), QStringList{"save Untitled.cva"});
    EXPECT_EQ(m_pFrame->windowTitle(), "round.cva[*] - Corvanta");
    EXPECT_FALSE(m_pFrame->isWindowModified());
    EXPECT_EQ(m_pFrame->RecentFiles().Paths(), QStringList{Path("round.cva")});

    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_FILE_NEW));
    EXPECT_TRUE(Entries().isEmpty());
    Names(QStringList{Path("round.cva")});
    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_FILE_OPEN));
    const auto after = State();
    EXPECT_EQ(std::get<0>(after), std::get<0>(before));  // the graph and its picture come back
    EXPECT_EQ(std::get<1>(after), std::get<1>(before));
    EXPECT_EQ(Entries(), (QStringList{"x^2-2", "sin(x)", "1/x"}));
    EXPECT_EQ(Derivative(), CCorvantaView::kDerivativeHint);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(prompts.shown.empty());
    emit m_pFrame->FunctionList()->activated(1);  // sin(x) shows its derivative again
    EXPECT_EQ(Derivative(), "cosx");
    Type({"x^3"});  // the ring goes on from the loaded slots, without clearing them
    EXPECT_EQ(Entries(), (QStringList{"x^2-2", "sin(x)", "1/x", "x^3"}));
}

TEST_F(FrameDocument, SaveWritesTheDocumentsOwnFileWithoutAsking)
{
    Type({"x"});
    Names(QStringList{Path("no/such/folder/x.cva")});  // a failed save stays out of the recent files
    m_pFrame->ExecuteCommand(ID_FILE_SAVE);
    EXPECT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(m_pFrame->RecentFiles().Count(), 0);

    Names(QStringList{Path("a.cva")});
    m_pFrame->ExecuteCommand(ID_FILE_SAVE_AS);
    Type({"x^2"});
    m_pFrame->ExecuteCommand(ID_FILE_SAVE);
    EXPECT_EQ(Dialogs().size(), 2);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(ReadFile(Path("a.cva")).endsWith(QByteArray("\x03x^2", 4)));

    m_pFrame->ExecuteCommand(ID_FILE_SAVE_AS);  // the dialog cancelled changes nothing
    EXPECT_EQ(Dialogs().last(), "save " + Path("a.cva"));
    EXPECT_EQ(doc.GetPathName(), Path("a.cva"));
}

// Every answer is in the document tests; here each command asks and obeys.
TEST_F(FrameDocument, PromptBeforeNewOpenRecentDropAndQuit)
{
    const QString other = WriteGraph("other.cva", {"cos(x)"});
    auto command = [&](int id) { return [this, id] { m_pFrame->ExecuteCommand(id); }; };
    // replaced: the typed graph is gone afterwards; saved: it went to mine.cva.
    const struct { const char *what; std::function<void()> run; MsgAnswer answer; bool replaced, saved; } cases[] = {
        {"new, cancel", command(ID_FILE_NEW), MsgAnswer::Cancel, false, false},
        {"new, yes", command(ID_FILE_NEW), MsgAnswer::Yes, true, true},
        {"open, no", [&] { Names(QStringList{other}); m_pFrame->ExecuteCommand(ID_FILE_OPEN); }, MsgAnswer::No, true, false},
        {"recent, cancel", command(ID_FILE_MRU_FILE1), MsgAnswer::Cancel, false, false},
        {"drop, no", [&] { m_pFrame->OpenDocumentFile(other); }, MsgAnswer::No, true, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(Path("mine.cva"));
        doc.OnNewDocument();
        View().Redraw();
        m_pFrame->AddToRecentFileList(other);
        Type({"x^3"});
        Names(c.saved ? QStringList{Path("mine.cva")} : QStringList{});
        prompts.Clear();
        prompts.answers = {c.answer};
        c.run();
        EXPECT_EQ(prompts.Texts(), QStringList{"Save changes to Untitled?"});
        EXPECT_EQ(View().State().m_aFunctions[0].m_strText == "x^3", !c.replaced);
        EXPECT_EQ(QFile::exists(Path("mine.cva")), c.saved);
        if (c.saved) {  // saved under a new name: it joins the recent files
            EXPECT_TRUE(m_pFrame->RecentFiles().Paths().contains(Path("mine.cva")));
        }
    }
    // Quitting: Cancel keeps the window, No lets it close, an unmodified document closes unasked.
    Type({"x^4"});
    prompts.Clear();
    const struct { bool modified; MsgAnswer answer; bool closes; std::size_t questions; } quits[] = {
        {true, MsgAnswer::Cancel, false, 1}, {true, MsgAnswer::No, true, 2}, {false, MsgAnswer::Yes, true, 2}};
    for (const auto &q : quits) {
        doc.SetModifiedFlag(q.modified);
        prompts.answers = {q.answer};
        QCloseEvent close;
        QApplication::sendEvent(m_pFrame.get(), &close);
        EXPECT_EQ(close.isAccepted(), q.closes);
        EXPECT_EQ(prompts.shown.size(), q.questions);
    }
}

// What is refused is tested in the core and the document; here the frame stays as it was.
TEST_F(FrameDocument, RefusedFilesLeaveTheFrameAloneAndOnlyVanishedOnesLeaveTheRecentList)
{
    Type({"x^2", "tan(x)"});
    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_DIFFERENTIATE));
    Names(QStringList{Path("kept.cva")});
    m_pFrame->ExecuteCommand(ID_FILE_SAVE_AS);
    m_pFrame->AddToRecentFileList(Path("gone.cva"));
    ASSERT_TRUE(WriteFile(Path("broken.cva"), "CVD-not-a-document"));
    m_pFrame->AddToRecentFileList(Path("broken.cva"));
    const auto before = State();
    EXPECT_FALSE(m_pFrame->OpenDocumentFile(Path("broken.cva")));
    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_FILE_MRU_FILE1));  // refused: stays in the list
    EXPECT_TRUE(State() == before);
    EXPECT_EQ(doc.GetPathName(), Path("kept.cva"));
    EXPECT_FALSE(doc.IsModified());

    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_FILE_MRU_FILE1 + 1));  // vanished: leaves the list
    EXPECT_FALSE(m_pFrame->RecentFiles().Paths().contains(Path("gone.cva")));
    const QStringList texts = prompts.Texts();
    ASSERT_EQ(texts.size(), 3);
    EXPECT_TRUE(texts[0].contains(Path("broken.cva")) && texts[1].contains(Path("broken.cva")));
    EXPECT_TRUE(texts[2].contains(Path("gone.cva")));
}

// A text the syntax check refuses does not cost the document: it opens, the
// text is kept and marked in the list, and the user is told.
TEST_F(FrameDocument, InvalidFunctionTextsOpenMarkedAndTold)
{
    ASSERT_TRUE(m_pFrame->OpenDocumentFile(WriteGraph("mixed.cva", {"x^2", "sin()", "x+1"})));
    EXPECT_EQ(Entries(), (QStringList{"x^2", "sin()", "x+1"}));
    const QStringList texts = prompts.Texts();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].contains("sin()") && !texts[0].contains("x^2")) << texts[0].toStdString();
    for (int i = 0; i < 3; ++i) {
        const bool marked = m_pFrame->FunctionList()->itemData(i, Qt::ForegroundRole).isValid();
        EXPECT_EQ(marked, i == 1) << i;
    }
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(FrameDocument, DroppedLocalFileOpens)
{
    const QList<QUrl> urls = {QUrl("https://example.org/a.cva"), QUrl::fromLocalFile(WriteGraph("drop.cva", {"x", "x^2"})),
                              QUrl::fromLocalFile(Path("second.cva"))};
    for (const QList<QUrl> &offered : {urls.mid(0, 1), urls}) {
        QMimeData data;
        data.setUrls(offered);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_pFrame.get(), &enter);
        EXPECT_EQ(enter.isAccepted(), offered.size() > 1);  // only local files are taken
    }
    QMimeData data;
    data.setUrls(urls);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_pFrame.get(), &drop);
    EXPECT_EQ(Entries(), (QStringList{"x", "x^2"}));
    EXPECT_EQ(View().State().m_aDerivatives[1].m_strText, "2*x");
    EXPECT_EQ(m_pFrame->windowTitle(), "drop.cva[*] - Corvanta");
}

}  // namespace
