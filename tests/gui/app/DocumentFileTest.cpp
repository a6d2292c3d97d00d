#include "gui/app/CorvantaDoc.h"
#include "core/doc/CvaFormat.h"
#include "gui/MessageRecorder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class DocumentFile : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString Path(const QString &name) const { return m_dir.filePath(name); }

    static void Write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    static QByteArray Read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QByteArray ToBytes(const std::vector<std::uint8_t> &v)
    {
        return QByteArray(reinterpret_cast<const char *>(v.data()), static_cast<qsizetype>(v.size()));
    }

    // A document as the view leaves it after plotting two functions.
    static void Fill(CCorvantaDoc &doc)
    {
        EqStore &s = doc.m_store;
        s.m_nLast = 1;
        s.m_dScaleX = 2.0;
        s.m_dScaleY = 0.5;
        s.m_nPanX = -17;
        s.m_nPanY = 3;
        s.m_aFunctions[0].SetExpression("x^2");
        s.m_aFunctions[1].SetExpression("sin(x)");
        s.m_aFunctions[1].m_bDerivativeShown = true;
        s.m_aColor = {0xFF, 0xFF00, 0, 0, 0};
        s.m_aWidth = {1, 3, 0, 0, 0};
    }

    // Exactly one stop message, naming the file.
    void ExpectOneMessageNaming(const QString &path)
    {
        ASSERT_EQ(m_messages.shown.size(), 1u);
        const QString text = m_messages.shown[0].text;
        EXPECT_TRUE(text.contains(QDir::toNativeSeparators(path))) << text.toStdString();
        EXPECT_FALSE(text.contains("Unknown error")) << text.toStdString();
        EXPECT_EQ(m_messages.shown[0].icon, MsgIcon::Stop);
    }

    QTemporaryDir m_dir;
    MessageRecorder m_messages;
};

// The frame's round trip covers titles, paths and the modified flag; here the file itself.
TEST_F(DocumentFile, SaveWritesTheRecordAndOpensIntoAnEqualRecord)
{
    CCorvantaDoc doc;
    doc.SetModifiedFlag(true);
    EXPECT_FALSE(doc.Save());  // no path yet: nothing written
    EXPECT_TRUE(doc.IsModified());
    Fill(doc);
    const QString path = Path("graph.cva");
    ASSERT_TRUE(doc.SaveAs(path));
    EXPECT_EQ(Read(path), ToBytes(CCvaFormat::Encode(doc.m_store)));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"graph.cva"});  // no temporary left

    CCorvantaDoc b;
    QSignalSpy updates(&b, &CCorvantaDoc::updateAllViews);
    b.m_bNewDocument = true;
    ASSERT_TRUE(b.OnOpenDocument(path));
    EXPECT_TRUE(m_messages.shown.empty());
    EXPECT_EQ(updates.count(), 1);
    EXPECT_FALSE(b.m_bNewDocument);
    EXPECT_FALSE(b.m_store.m_bSynced);
    EXPECT_EQ(CCvaFormat::Encode(b.m_store), CCvaFormat::Encode(doc.m_store));
}

// A failed save keeps the previous file whole, the document modified and untitled.
TEST_F(DocumentFile, FailedSavesKeepTheOldFile)
{
    const QString locked = Path("locked");
    ASSERT_TRUE(QDir().mkpath(locked));
    const struct
    {
        const char *name;
        QString path;
        bool exists;
        bool fileSizeLimit;  // the disk full, half way through the write
    } cases[] = {
        {"missing folder", Path("no/such/folder/graph.cva"), false, false},
        {"interrupted write", Path("kept.cva"), true, true},
        {"unwritable folder", locked + "/graph.cva", true, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.path.startsWith(locked) && geteuid() == 0)
            continue;  // permissions do not bind root
        m_messages.Clear();
        if (c.exists)
            Write(c.path, "CVD-previous-contents");
        if (c.path.startsWith(locked)) {
            ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
        }
        CCorvantaDoc doc;
        Fill(doc);
        doc.m_store.m_aFunctions[0].SetExpression(std::string(4000, '1'));
        doc.SetModifiedFlag(true);

        struct rlimit saved;
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = saved;
        small.rlim_cur = 64;
        if (c.fileSizeLimit) {
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        }
        const bool ok = doc.SaveAs(c.path);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        EXPECT_FALSE(ok);
        ExpectOneMessageNaming(c.path);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_FALSE(doc.HasPath());
        EXPECT_EQ(QFile::exists(c.path), c.exists);
        if (c.exists) {
            EXPECT_EQ(Read(c.path), QByteArray("CVD-previous-contents"));
        }
    }
    // No temporary left behind.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"kept.cva"});
    EXPECT_EQ(QDir(locked).entryList(QDir::Files), geteuid() == 0 ? QStringList{} : QStringList{"graph.cva"});
}

// Refusals of the content are tested in the core; these are the files that
// are not documents at all, refused without reading them (a pipe or a device
// would never end). Each names the file and leaves the document as it was.
TEST_F(DocumentFile, NonDocumentsAreRefusedAndLeaveTheDocumentUntouched)
{
    {
        QFile big(Path("big.cva"));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(static_cast<qint64>(CCvaFormat::kMaxFileSize) + 1));  // sparse, nothing written
    }
    ASSERT_TRUE(QDir().mkpath(Path("folder.cva")));
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("pipe.cva")).constData(), 0600), 0);
    Write(Path("bad.cva"), "CVX");
    for (const QString &path : {Path("big.cva"), Path("folder.cva"), Path("missing.cva"), Path("pipe.cva"),
                                QStringLiteral("/dev/zero"), Path("bad.cva")}) {
        SCOPED_TRACE(path.toStdString());
        CCorvantaDoc doc;
        Fill(doc);
        ASSERT_TRUE(doc.SaveAs(Path("current.cva")));
        doc.SetModifiedFlag(true);
        m_messages.Clear();
        const auto before = CCvaFormat::Encode(doc.m_store);
        QSignalSpy updates(&doc, &CCorvantaDoc::updateAllViews);
        QSignalSpy titles(&doc, &CCorvantaDoc::titleChanged);

        EXPECT_FALSE(doc.OnOpenDocument(path));
        ExpectOneMessageNaming(path);
        EXPECT_EQ(CCvaFormat::Encode(doc.m_store), before);
        EXPECT_TRUE(doc.m_store.m_bSynced);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.GetPathName(), Path("current.cva"));
        EXPECT_EQ(updates.count() + titles.count(), 0);
    }
}

TEST_F(DocumentFile, OutlivesTheWindowItShowsMessagesOver)
{
    CCorvantaDoc doc;
    auto frame = std::make_unique<QWidget>();
    doc.SetMessageParent(frame.get());
    frame.reset();
    EXPECT_EQ(doc.MessageParent(), nullptr);
    EXPECT_FALSE(doc.OnOpenDocument(Path("missing.cva")));
    ExpectOneMessageNaming(Path("missing.cva"));
}

// The prompt before a modified document is replaced or the program quits.
TEST_F(DocumentFile, SaveModifiedAsksAndObeys)
{
    const QString target = Path("chosen.cva");
    const struct
    {
        const char *name;
        bool modified, hasPath;
        MsgAnswer answer;
        QString chosen;  // what the save dialog returns
        bool expectGoOn, expectAsked, expectWritten;
    } cases[] = {
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

        m_messages.Clear();
        m_messages.answers = {c.answer};
        EXPECT_EQ(doc.SaveModified([&] { return c.chosen; }), c.expectGoOn);
        EXPECT_EQ(!m_messages.shown.empty(), c.expectAsked);
        if (!m_messages.shown.empty()) {  // the question first; a failed save reports after it
            const QString name = c.hasPath ? QDir::toNativeSeparators(Path("own.cva")) : QStringLiteral("Untitled");
            EXPECT_EQ(m_messages.shown[0].text, QStringLiteral("Save changes to %1?").arg(name));
            EXPECT_EQ(m_messages.shown[0].buttons, MsgButtons::YesNoCancel);
        }
        EXPECT_EQ(QFile::exists(c.hasPath ? Path("own.cva") : target), c.expectWritten);
        EXPECT_EQ(doc.IsModified(), c.expectWritten ? false : c.modified);
    }
}
}  // namespace
