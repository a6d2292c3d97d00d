// The document and its file: the content's refusals are in the core; here the
// file itself, failed saves, files that are not documents, and the save prompt.
#include "core/doc/CvaFormat.h"
#include "gui/GuiFixtures.h"

#include <sys/stat.h>

namespace {

class DocumentFile : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString Path(const QString &name) const { return m_dir.filePath(name); }
    static QByteArray Bytes(const EqStore &s)
    {
        const auto v = CCvaFormat::Encode(s);
        return QByteArray(reinterpret_cast<const char *>(v.data()), static_cast<qsizetype>(v.size()));
    }
    // A document as the view leaves it after plotting two functions.
    static void Fill(CCorvantaDoc &doc)
    {
        EqStore &s = doc.m_store;
        s.m_nLast = 1;
        s.m_dScaleX = 2.0;
        s.m_nPanX = -17;
        s.m_aFunctions[0].SetExpression("x^2");
        s.m_aFunctions[1].SetExpression("sin(x)");
        s.m_aDerivativeShown[1] = true;
        s.m_aWidth = {1, 3, 0, 0, 0};
    }
    // Exactly one stop message, naming the file.
    void ExpectOneMessageNaming(const QString &path)
    {
        ASSERT_EQ(m_prompts.shown.size(), 1u);
        const QString text = m_prompts.shown[0].text;
        EXPECT_TRUE(text.contains(QDir::toNativeSeparators(path))) << text.toStdString();
        EXPECT_FALSE(text.contains("Unknown error")) << text.toStdString();
        EXPECT_EQ(m_prompts.shown[0].icon, MsgIcon::Stop);
    }

    QTemporaryDir m_dir;
    ScriptedPrompts m_prompts;
};

TEST_F(DocumentFile, SaveWritesTheRecordAndOpensIntoAnEqualRecord)
{
    CCorvantaDoc doc;
    doc.SetModifiedFlag(true);
    EXPECT_FALSE(doc.Save());  // no path yet: nothing written
    EXPECT_TRUE(doc.IsModified());
    Fill(doc);
    ASSERT_TRUE(doc.SaveAs(Path("graph.cva")));
    EXPECT_EQ(ReadFile(Path("graph.cva")), Bytes(doc.m_store));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"graph.cva"});  // no temporary left

    CCorvantaDoc b;
    b.m_bNewDocument = true;
    ASSERT_TRUE(b.OnOpenDocument(Path("graph.cva")));
    EXPECT_FALSE(b.m_bNewDocument);
    EXPECT_EQ(Bytes(b.m_store), Bytes(doc.m_store));
    EXPECT_TRUE(m_prompts.shown.empty());
}

// A failed save keeps the previous file whole, the document modified and untitled.
TEST_F(DocumentFile, FailedSavesKeepTheOldFile)
{
    const struct { const char *name; QString path; bool exists, diskFull; } cases[] = {
        {"missing folder", Path("no/such/folder/graph.cva"), false, false},
        {"disk full half way through", Path("kept.cva"), true, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        m_prompts.Clear();
        if (c.exists) {
            ASSERT_TRUE(WriteFile(c.path, "CVD-previous-contents"));
        }
        CCorvantaDoc doc;
        Fill(doc);
        doc.m_store.m_aFunctions[0].SetExpression(std::string(4000, '1'));
        doc.SetModifiedFlag(true);
        EXPECT_FALSE(c.diskFull ? WithFullDisk([&] { return doc.SaveAs(c.path); }) : doc.SaveAs(c.path));
        ExpectOneMessageNaming(c.path);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_FALSE(doc.HasPath());
        EXPECT_EQ(ReadFile(c.path), c.exists ? QByteArray("CVD-previous-contents") : QByteArray());
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"kept.cva"});  // no temporary left
}

// Files that are not documents at all are refused without reading them (a pipe
// or a device would never end), naming the file and leaving the document as it was.
TEST_F(DocumentFile, NonDocumentsAreRefusedAndLeaveTheDocumentUntouched)
{
    {
        QFile big(Path("big.cva"));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(static_cast<qint64>(CCvaFormat::kMaxFileSize) + 1));  // sparse, nothing written
    }
    ASSERT_TRUE(QDir().mkpath(Path("folder.cva")));
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("pipe.cva")).constData(), 0600), 0);
    ASSERT_TRUE(WriteFile(Path("bad.cva"), "CVX"));
    for (const QString &path : {Path("big.cva"), Path("folder.cva"), Path("missing.cva"), Path("pipe.cva"),
                                QStringLiteral("/dev/zero"), Path("bad.cva")}) {
        SCOPED_TRACE(path.toStdString());
        CCorvantaDoc doc;
        Fill(doc);
        ASSERT_TRUE(doc.SaveAs(Path("current.cva")));
        doc.SetModifiedFlag(true);
        m_prompts.Clear();
        const QByteArray before = Bytes(doc.m_store);
        int emitted = 0;
        QObject::connect(&doc, &CCorvantaDoc::updateAllViews, [&] { ++emitted; });
        QObject::connect(&doc, &CCorvantaDoc::titleChanged, [&] { ++emitted; });

        EXPECT_FALSE(doc.OnOpenDocument(path));
        ExpectOneMessageNaming(path);
        EXPECT_EQ(Bytes(doc.m_store), before);
        EXPECT_TRUE(doc.m_store.m_bSynced && doc.IsModified());
        EXPECT_EQ(doc.GetPathName(), Path("current.cva"));
        EXPECT_EQ(emitted, 0);
    }
    CCorvantaDoc doc;  // the window it shows messages over may go first
    auto frame = std::make_unique<QWidget>();
    doc.SetMessageParent(frame.get());
    frame.reset();
    m_prompts.Clear();
    EXPECT_FALSE(doc.OnOpenDocument(Path("missing.cva")));
    ExpectOneMessageNaming(Path("missing.cva"));
}

// The prompt before a modified document is replaced or the program quits.
TEST_F(DocumentFile, SaveModifiedAsksAndObeys)
{
    const QString target = Path("chosen.cva");
    // chosen: what the save dialog returns.
    const struct { const char *name; bool modified, hasPath; MsgAnswer reply; QString chosen; bool goOn, asked, saved; }
        cases[] = {
        {"unmodified", false, true, MsgAnswer::Yes, {}, true, false, false},
        {"no", true, true, MsgAnswer::No, {}, true, true, false},
        {"cancel", true, true, MsgAnswer::Cancel, {}, false, true, false},
        {"yes with a file", true, true, MsgAnswer::Yes, {}, true, true, true},
        {"yes, untitled, name chosen", true, false, MsgAnswer::Yes, target, true, true, true},
        {"yes, untitled, dialog cancelled", true, false, MsgAnswer::Yes, {}, false, true, false},
        {"yes, untitled, unwritable name", true, false, MsgAnswer::Yes, Path("missing/x.cva"), false, true, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(target);
        CCorvantaDoc doc;
        Fill(doc);
        if (c.hasPath) {
            ASSERT_TRUE(doc.SaveAs(Path("own.cva")));
        }
        QFile::remove(Path("own.cva"));
        doc.SetModifiedFlag(c.modified);
        m_prompts.Clear();
        m_prompts.answers = {c.reply};
        EXPECT_EQ(doc.SaveModified([&] { return c.chosen; }), c.goOn);
        ASSERT_EQ(!m_prompts.shown.empty(), c.asked);
        if (c.asked) {  // the question first; a failed save reports after it
            const QString name = c.hasPath ? QDir::toNativeSeparators(Path("own.cva")) : QStringLiteral("Untitled");
            EXPECT_EQ(m_prompts.shown[0].text, QStringLiteral("Save changes to %1?").arg(name));
            EXPECT_EQ(m_prompts.shown[0].buttons, MsgButtons::YesNoCancel);
        }
        EXPECT_EQ(QFile::exists(c.hasPath ? Path("own.cva") : target), c.saved);
        EXPECT_EQ(doc.IsModified(), !c.saved && c.modified);
    }
}

}  // namespace
