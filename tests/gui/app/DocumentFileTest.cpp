#include "gui/app/CorvantaDoc.h"
#include "core/doc/CvaFormat.h"
#include "gui/view/Message.h"

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

// Records every message instead of showing it.
class DocumentFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_previous = SetMessageHandler([this](const QString &text, const QString &, MsgIcon icon, MsgButtons) {
            m_shown.push_back({text, icon});
            return MsgAnswer::Ok;
        });
    }
    void TearDown() override { SetMessageHandler(m_previous); }

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
        ASSERT_EQ(m_shown.size(), 1u);
        EXPECT_TRUE(m_shown[0].first.contains(QDir::toNativeSeparators(path))) << m_shown[0].first.toStdString();
        EXPECT_EQ(m_shown[0].second, MsgIcon::Stop);
    }

    QTemporaryDir m_dir;
    std::vector<std::pair<QString, MsgIcon>> m_shown;
    MessageHandler m_previous;
};

TEST_F(DocumentFile, SaveWritesTheRecordAndOpensIntoAnEqualRecord)
{
    CCorvantaDoc doc;
    doc.SetModifiedFlag(true);
    EXPECT_FALSE(doc.Save());  // no path yet: nothing written
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("Untitled"));

    Fill(doc);
    QSignalSpy titles(&doc, &CCorvantaDoc::titleChanged);
    const QString path = Path("graph.cva");
    ASSERT_TRUE(doc.SaveAs(path));
    EXPECT_TRUE(m_shown.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), path);
    ASSERT_EQ(titles.count(), 1);
    EXPECT_EQ(titles.at(0).at(0).toString(), QStringLiteral("graph.cva"));
    EXPECT_EQ(Read(path), ToBytes(CCvaFormat::Encode(doc.m_store)));
    // Only the document itself is left in the folder.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"graph.cva"});

    CCorvantaDoc b;
    QSignalSpy updates(&b, &CCorvantaDoc::updateAllViews);
    b.m_bNewDocument = true;
    ASSERT_TRUE(b.OnOpenDocument(path));
    EXPECT_TRUE(m_shown.empty());
    EXPECT_EQ(updates.count(), 1);
    EXPECT_FALSE(b.m_bNewDocument);
    EXPECT_FALSE(b.m_store.m_bSynced);
    EXPECT_FALSE(b.IsModified());
    EXPECT_EQ(b.GetPathName(), path);
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
        m_shown.clear();
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
        EXPECT_FALSE(m_shown[0].first.contains("Unknown error")) << m_shown[0].first.toStdString();
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

// Every refusal names the file and the problem, and leaves the document as it was.
// Files that are not documents at all are refused without reading them.
TEST_F(DocumentFile, RefusedFilesLeaveTheDocumentUntouched)
{
    CCorvantaDoc filled;
    Fill(filled);
    const QByteArray g = ToBytes(CCvaFormat::Encode(filled.m_store));
    QByteArray wrongMagic = g, badLast = g, badText = g;
    wrongMagic[1] = 'X';
    badLast[3] = 9;
    badText[badText.size() - 1] = '+';  // "sin(x+"
    const std::pair<const char *, QByteArray> contents[] = {
        {"empty", QByteArray()},
        {"CVD", wrongMagic},
        {"ends early", g.left(40)},
        {"functions", badLast},
        {"past the end", g.left(g.size() - 2)},
        {"unexpected", g + QByteArray("\0", 1)},
        {"function 2", badText},
    };
    std::vector<std::pair<QString, QString>> cases;  // path, words
    for (const auto &[words, bytes] : contents) {
        cases.push_back({Path(QStringLiteral("bad %1.cva").arg(words)), words});
        Write(cases.back().first, bytes);
    }
    {
        QFile big(Path("big.cva"));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(static_cast<qint64>(CCvaFormat::kMaxFileSize) + 1));  // sparse, nothing written
    }
    ASSERT_TRUE(QDir().mkpath(Path("folder.cva")));
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("pipe.cva")).constData(), 0600), 0);
    for (const char *name : {"big.cva", "folder.cva", "missing.cva", "pipe.cva"})
        cases.push_back({Path(name), {}});
    cases.push_back({"/dev/zero", {}});

    for (const auto &[path, words] : cases) {
        SCOPED_TRACE(path.toStdString());
        CCorvantaDoc doc;
        Fill(doc);
        ASSERT_TRUE(doc.SaveAs(Path("current.cva")));
        doc.SetModifiedFlag(true);
        m_shown.clear();
        const auto before = CCvaFormat::Encode(doc.m_store);
        QSignalSpy updates(&doc, &CCorvantaDoc::updateAllViews);
        QSignalSpy titles(&doc, &CCorvantaDoc::titleChanged);

        EXPECT_FALSE(doc.OnOpenDocument(path));
        ExpectOneMessageNaming(path);
        EXPECT_TRUE(m_shown[0].first.contains(words)) << m_shown[0].first.toStdString();
        EXPECT_EQ(CCvaFormat::Encode(doc.m_store), before);
        EXPECT_TRUE(doc.m_store.m_bSynced);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.GetPathName(), Path("current.cva"));
        EXPECT_EQ(updates.count(), 0);
        EXPECT_EQ(titles.count(), 0);
    }
}

// The prompt before a modified document is replaced or the program quits.
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

        std::vector<QString> asked;
        SetMessageHandler([&](const QString &text, const QString &, MsgIcon, MsgButtons buttons) {
            asked.push_back(text);
            // The question first; a failed save reports after it.
            EXPECT_EQ(buttons, asked.size() == 1 ? MsgButtons::YesNoCancel : MsgButtons::Ok);
            return buttons == MsgButtons::Ok ? MsgAnswer::Ok : c.answer;
        });
        EXPECT_EQ(doc.SaveModified([&] { return c.chosen; }), c.expectGoOn);
        EXPECT_EQ(!asked.empty(), c.expectAsked);
        if (!asked.empty()) {
            const QString name = c.hasPath ? QDir::toNativeSeparators(Path("own.cva")) : QStringLiteral("Untitled");
            EXPECT_EQ(asked[0], QStringLiteral("Save changes to %1?").arg(name));
        }
        EXPECT_EQ(QFile::exists(c.hasPath ? Path("own.cva") : target), c.expectWritten);
        EXPECT_EQ(doc.IsModified(), c.expectWritten ? false : c.modified);
    }
}
}  // namespace
