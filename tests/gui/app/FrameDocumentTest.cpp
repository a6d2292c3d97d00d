// The frame with its document: typing and plotting, the file commands, the
// recent files, the question before a modified document goes, the title.
#include "gui/app/FrameTestSupport.h"

#include "gui/view/CommandIds.h"
#include "gui/app/CorvantaDoc.h"
#include "core/doc/CvaFormat.h"
#include "gui/view/Message.h"
#include "gui/view/CorvantaView.h"

#include <QComboBox>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include <deque>
#include <tuple>
#include <vector>

namespace {

struct SAsked
{
    QString text, caption;
    MsgIcon icon;
    MsgButtons buttons;
};

class FrameDocument : public FrameFixture
{
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        ASSERT_TRUE(m_files.isValid());
        m_previous = SetMessageHandler([this](const QString &text, const QString &caption, MsgIcon icon, MsgButtons b) {
            asked.push_back({text, caption, icon, b});
            if (answers.empty())
                return b == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
            const MsgAnswer a = answers.front();
            answers.pop_front();
            return a;
        });
        m_pFrame->SetFileDialogHandler([this](bool bSave, const QString &suggested) {
            dialogs.push_back({bSave, suggested});
            if (names.empty())
                return QString();
            const QString name = names.front();
            names.pop_front();
            return name;
        });
        m_pFrame->SetDocument(&doc);
        doc.OnNewDocument();
        ShowFrame();
    }
    void TearDown() override
    {
        FrameFixture::TearDown();
        SetMessageHandler(m_previous);
    }

    CCorvantaView &View() { return *m_pFrame->View(); }
    QString Path(const char *name) const { return m_files.filePath(QString::fromLatin1(name)); }
    static QByteArray Read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Types a function into the list and presses Enter, as a person would.
    void Type(const QString &text)
    {
        QComboBox *pList = m_pFrame->FunctionList();
        pList->setEditText(text);
        QTest::keyClick(pList->lineEdit(), Qt::Key_Return);
    }

    QString DerivativeField() const { return m_pFrame->BarControlText(IDC_DERIVATIVE); }

    QStringList Entries() const
    {
        QStringList entries;
        for (int i = 0; i < m_pFrame->FunctionList()->count(); ++i)
            entries << m_pFrame->FunctionList()->itemText(i);
        return entries;
    }

    // What the view holds that a document keeps, all five slots.
    auto Slots()
    {
        CCorvantaView &v = View();
        std::vector<std::tuple<std::string, bool, ColorRef, int>> all;
        for (int i = 0; i < 5; ++i)
            all.emplace_back(v.m_aFunctions[i].m_strText, v.m_aFunctions[i].m_bDerivativeShown, v.m_aColor[i],
                               v.m_aWidth[i]);
        return std::tuple{all, v.m_nLast, v.m_dScaleX, v.m_dScaleY, v.m_nPanX, v.m_nPanY};
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
        s.m_aFunctions[s.m_nLast].m_bDerivativeShown = texts.size() > 1;
        const auto bytes = CCvaFormat::Encode(s);
        QFile f(Path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char *>(bytes.data()), static_cast<qint64>(bytes.size()));
        return QFileInfo(f).absoluteFilePath();
    }

    QImage Picture()
    {
        View().Redraw();
        return View().Picture();
    }

    CCorvantaDoc doc;
    std::vector<SAsked> asked;
    std::deque<MsgAnswer> answers;
    std::vector<std::pair<bool, QString>> dialogs;
    std::deque<QString> names;

private:
    QTemporaryDir m_files;
    MessageHandler m_previous;
};

TEST_F(FrameDocument, RoundTripPlotDifferentiateSaveNewOpen)
{
    Type("X^2-2");
    Type("sin(x)");
    Type("1/x");
    EXPECT_EQ(Entries(), (QStringList{"x^2-2", "sin(x)", "1/x"}));
    // Choosing sin(x) in the list, then differentiating it.
    m_pFrame->FunctionList()->setCurrentIndex(1);
    emit m_pFrame->FunctionList()->activated(1);
    EXPECT_EQ(View().m_nSelected, 1);
    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_DIFFERENTIATE));
    EXPECT_EQ(DerivativeField(), "cosx");
    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_ZOOM_IN_Y));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(m_pFrame->isWindowModified());
    EXPECT_EQ(m_pFrame->windowTitle(), "Untitled[*] - Corvanta");

    const auto saved = Slots();
    const QImage expected = Picture();

    // Save asks for a name the first time, then writes to it.
    names = {Path("round.cva")};
    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_FILE_SAVE));
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_TRUE(dialogs[0].first);
    EXPECT_EQ(dialogs[0].second, "Untitled.cva");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(m_pFrame->isWindowModified());
    EXPECT_EQ(m_pFrame->windowTitle(), "round.cva[*] - Corvanta");
    EXPECT_EQ(m_pFrame->RecentFiles().Path(0), QFileInfo(Path("round.cva")).absoluteFilePath());
    EXPECT_TRUE(asked.empty());

    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_FILE_NEW));
    EXPECT_TRUE(asked.empty());  // nothing to save
    EXPECT_EQ(View().m_nLast, -1);
    EXPECT_TRUE(Entries().isEmpty());
    EXPECT_EQ(View().m_dScaleY, 1.0);
    EXPECT_EQ(m_pFrame->windowTitle(), "Untitled[*] - Corvanta");
    EXPECT_NE(Picture(), expected);

    names = {Path("round.cva")};
    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_FILE_OPEN));
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_FALSE(dialogs[1].first);
    EXPECT_TRUE(Slots() == saved);
    EXPECT_EQ(Picture(), expected);
    EXPECT_EQ(Entries(), (QStringList{"x^2-2", "sin(x)", "1/x"}));
    EXPECT_EQ(m_pFrame->FunctionList()->currentIndex(), 0);
    EXPECT_EQ(View().m_nSelected, 0);
    EXPECT_EQ(View().m_nCurrent, 2);
    EXPECT_EQ(DerivativeField(), CCorvantaView::kDerivativeHint);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(m_pFrame->windowTitle(), "round.cva[*] - Corvanta");
    EXPECT_TRUE(asked.empty());

    // Selecting sin(x) shows its derivative again.
    emit m_pFrame->FunctionList()->activated(1);
    EXPECT_EQ(DerivativeField(), "cosx");
}

TEST_F(FrameDocument, SaveWritesTheDocumentsOwnFileWithoutAsking)
{
    Type("x");
    // A failed save names the file, keeps the document modified and out of the recent files.
    names = {Path("no/such/folder/x.cva")};
    m_pFrame->ExecuteCommand(ID_FILE_SAVE);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].text.contains("x.cva"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.HasPath());
    EXPECT_EQ(m_pFrame->RecentFiles().Count(), 0);

    names = {Path("a.cva")};
    m_pFrame->ExecuteCommand(ID_FILE_SAVE_AS);
    Type("x^2");
    EXPECT_TRUE(doc.IsModified());
    m_pFrame->ExecuteCommand(ID_FILE_SAVE);
    EXPECT_EQ(dialogs.size(), 2u);
    EXPECT_FALSE(doc.IsModified());
    QFile f(Path("a.cva"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    // Two slots: header, then x and x^2 with their pens.
    EXPECT_EQ(bytes.size(), 31 + (9 + 2) + (9 + 4));
    EXPECT_TRUE(bytes.endsWith(QByteArray("\x03x^2", 4)));

    // Save As with the dialog cancelled changes nothing.
    m_pFrame->ExecuteCommand(ID_FILE_SAVE_AS);
    EXPECT_EQ(dialogs.back().second, QFileInfo(Path("a.cva")).absoluteFilePath());
    EXPECT_EQ(doc.GetPathName(), QFileInfo(Path("a.cva")).absoluteFilePath());
}

TEST_F(FrameDocument, PromptBeforeNewOpenRecentAndQuit)
{
    const QString other = WriteGraph("other.cva", {"cos(x)"});
    auto command = [&](int id) { return [this, id] { m_pFrame->ExecuteCommand(id); }; };
    auto open = [&] { names.push_front(other); m_pFrame->ExecuteCommand(ID_FILE_OPEN); };
    const struct
    {
        const char *what;
        std::function<void()> run;
        MsgAnswer answer;
        bool replaced;  // the typed graph is gone afterwards
        bool saved;     // the typed graph went to mine.cva
    } cases[] = {  // every answer is in the document tests; here each command asks and obeys
        {"new, cancel", command(ID_FILE_NEW), MsgAnswer::Cancel, false, false},
        {"new, yes", command(ID_FILE_NEW), MsgAnswer::Yes, true, true},
        {"open, cancel", open, MsgAnswer::Cancel, false, false},
        {"open, no", open, MsgAnswer::No, true, false},
        {"recent, cancel", command(ID_FILE_MRU_FILE1), MsgAnswer::Cancel, false, false},
        {"recent, yes", command(ID_FILE_MRU_FILE1), MsgAnswer::Yes, true, true},
        {"drop, no", [&] { m_pFrame->OpenDocumentFile(other); }, MsgAnswer::No, true, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(Path("mine.cva"));
        doc.OnNewDocument();
        View().Redraw();
        m_pFrame->AddToRecentFileList(other);  // the newest recent file
        Type("x^3");
        ASSERT_TRUE(doc.IsModified());
        if (c.saved)
            names = {Path("mine.cva")};
        asked.clear();
        answers = {c.answer};
        c.run();
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].text, "Save changes to Untitled?");
        EXPECT_EQ(asked[0].buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(View().m_aFunctions[0].m_strText == "x^3", !c.replaced);
        EXPECT_EQ(QFile::exists(Path("mine.cva")), c.saved);
        EXPECT_EQ(doc.IsModified(), !c.replaced);
        EXPECT_TRUE(names.empty());
        names.clear();
        // A document saved under a new name joins the recent files.
        if (c.saved) {
            EXPECT_TRUE(m_pFrame->RecentFiles().Paths().contains(QFileInfo(Path("mine.cva")).absoluteFilePath()));
        }
    }

    // Quitting: Cancel keeps the window, No lets it close, and an unmodified
    // document closes without a question.
    doc.OnNewDocument();
    View().Redraw();
    Type("x^4");
    asked.clear();
    const struct
    {
        bool modified;
        MsgAnswer answer;
        bool closes;
        std::size_t questions;
    } quits[] = {{true, MsgAnswer::Cancel, false, 1}, {true, MsgAnswer::No, true, 2}, {false, MsgAnswer::Yes, true, 2}};
    for (const auto &q : quits) {
        doc.SetModifiedFlag(q.modified);
        answers = {q.answer};
        QCloseEvent close;
        QApplication::sendEvent(m_pFrame.get(), &close);
        EXPECT_EQ(close.isAccepted(), q.closes);
        EXPECT_EQ(asked.size(), q.questions);
    }
}

TEST_F(FrameDocument, RefusedFilesNameTheFileAndLeaveTheViewAlone)
{
    Type("x^2");
    Type("tan(x)");
    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_DIFFERENTIATE));
    names = {Path("kept.cva")};
    m_pFrame->ExecuteCommand(ID_FILE_SAVE_AS);
    const auto before = Slots();
    const QImage picture = Picture();
    const QStringList entries = Entries();
    const QString derivative = DerivativeField();
    const QStringList recent = m_pFrame->RecentFiles().Paths();

    // A bad magic, a text longer than the file, a syntax error, no file at all.
    QByteArray magic = Read(WriteGraph("magic.cva", {"x"}));
    magic[1] = 'X';
    QByteArray longText = Read(WriteGraph("long.cva", {"x"}));
    longText[31 + 9] = 100;  // the text claims 100 characters
    const std::pair<QString, QByteArray> cases[] = {
        {Path("magic.cva"), magic}, {Path("long.cva"), longText}, {WriteGraph("syntax.cva", {"x+"}), {}},
        {Path("missing.cva"), {}}};
    for (const auto &[path, bytes] : cases) {
        SCOPED_TRACE(path.toStdString());
        if (!bytes.isEmpty()) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        asked.clear();
        EXPECT_FALSE(m_pFrame->OpenDocumentFile(path));
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_TRUE(asked[0].text.contains(path)) << asked[0].text.toStdString();
        EXPECT_EQ(asked[0].icon, MsgIcon::Stop);
        EXPECT_TRUE(Slots() == before);
        EXPECT_EQ(Picture(), picture);
        EXPECT_EQ(Entries(), entries);
        EXPECT_EQ(DerivativeField(), derivative);
        EXPECT_EQ(m_pFrame->RecentFiles().Paths(), recent);
        EXPECT_EQ(doc.GetPathName(), QFileInfo(Path("kept.cva")).absoluteFilePath());
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST_F(FrameDocument, VanishedRecentFileIsReportedAndLeavesTheList)
{
    Type("x");
    names = {Path("here.cva")};
    m_pFrame->ExecuteCommand(ID_FILE_SAVE_AS);
    const QString here = QFileInfo(Path("here.cva")).absoluteFilePath();
    const QString gone = QFileInfo(Path("gone.cva")).absoluteFilePath();
    m_pFrame->AddToRecentFileList(gone);
    m_pFrame->AddToRecentFileList(here);
    ASSERT_EQ(m_pFrame->RecentFiles().Paths(), (QStringList{here, gone}));

    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_FILE_MRU_FILE1 + 1));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].text.contains(gone));
    EXPECT_EQ(m_pFrame->RecentFiles().Paths(), QStringList{here});
    EXPECT_EQ(View().m_aFunctions[0].m_strText, "x");

    // A file that is there but refused stays in the list.
    QFile f(here);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a graph");
    f.close();
    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_FILE_MRU_FILE1));
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(m_pFrame->RecentFiles().Paths(), QStringList{here});
}

TEST_F(FrameDocument, DroppedFileOpens)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(WriteGraph("drop.cva", {"x", "x^2"}))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_pFrame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_pFrame.get(), &drop);
    EXPECT_EQ(Entries(), (QStringList{"x", "x^2"}));
    EXPECT_EQ(View().m_aDerivatives[1].m_strText, "2*x");
    EXPECT_EQ(m_pFrame->windowTitle(), "drop.cva[*] - Corvanta");
}

}  // namespace
