#include "app/CorvantaDoc.h"
#include "app/CvaFormat.h"
#include "app/Message.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

struct Shown
{
    QString text;
    QString caption;
    MsgIcon icon;
};

// Records every message instead of showing it.
class DocumentFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_previous = SetMessageHandler([this](const QString &text, const QString &caption, MsgIcon icon, MsgButtons) {
            m_shown.push_back({text, caption, icon});
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
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return f.readAll();
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

    QTemporaryDir m_dir;
    std::vector<Shown> m_shown;
    MessageHandler m_previous;
};

TEST_F(DocumentFile, SaveWritesTheRecordAndClearsModified)
{
    CCorvantaDoc doc;
    Fill(doc);
    doc.SetModifiedFlag(true);
    QSignalSpy titles(&doc, &CCorvantaDoc::titleChanged);
    const QString path = Path("graph.cva");
    ASSERT_TRUE(doc.SaveAs(path));
    EXPECT_TRUE(m_shown.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), path);
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("graph.cva"));
    ASSERT_EQ(titles.count(), 1);
    EXPECT_EQ(titles.at(0).at(0).toString(), QStringLiteral("graph.cva"));
    EXPECT_EQ(Read(path), ToBytes(CCvaFormat::Encode(doc.m_store)));
    // Only the document itself is left in the folder.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"graph.cva"});
}

TEST_F(DocumentFile, SaveWithoutAPathWritesNothing)
{
    CCorvantaDoc doc;
    doc.SetModifiedFlag(true);
    EXPECT_FALSE(doc.Save());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("Untitled"));
    EXPECT_TRUE(m_shown.empty());
}

TEST_F(DocumentFile, SavedFileOpensIntoAnEqualRecord)
{
    CCorvantaDoc a;
    Fill(a);
    const QString path = Path("round.cva");
    ASSERT_TRUE(a.SaveAs(path));

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
    EXPECT_EQ(CCvaFormat::Encode(b.m_store), CCvaFormat::Encode(a.m_store));
    EXPECT_TRUE(b.m_store.m_aFunctions[1].m_bDerivativeShown);
    EXPECT_EQ(b.m_store.m_aWidth[1], 3);

    // The view's next synchronisation loads it and finds nothing modified.
    CDocViewState view;
    EqStore snapshot;
    const auto o = b.SyncView(view, snapshot, [&](bool recentre) { CDocumentSync::ClearView(view, recentre); });
    EXPECT_TRUE(o.loaded);
    EXPECT_EQ(view.m_aFunctions[1].m_strText, "sin(x)");
    EXPECT_EQ(view.m_dScaleY, 0.5);
    b.SyncView(view, snapshot, {});
    EXPECT_FALSE(b.IsModified());
    // A pen changed afterwards marks it modified.
    view.m_aColor[0] = 0x00FF0000;
    b.SyncView(view, snapshot, {});
    EXPECT_TRUE(b.IsModified());
}

TEST_F(DocumentFile, SaveIntoAMissingFolderFailsCleanly)
{
    CCorvantaDoc doc;
    Fill(doc);
    doc.SetModifiedFlag(true);
    const QString path = Path("no/such/folder/graph.cva");
    EXPECT_FALSE(doc.SaveAs(path));
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_TRUE(m_shown[0].text.contains(QDir::toNativeSeparators(path))) << m_shown[0].text.toStdString();
    EXPECT_EQ(m_shown[0].icon, MsgIcon::Stop);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.HasPath());
    EXPECT_FALSE(QFile::exists(path));
}

// A write that fails half way (the disk full, here a file size limit) must
// leave the previous file whole and the document modified.
TEST_F(DocumentFile, InterruptedWriteKeepsTheOldFile)
{
    const QString path = Path("kept.cva");
    const QByteArray old("CVD-previous-contents");
    Write(path, old);

    CCorvantaDoc doc;
    Fill(doc);
    doc.m_store.m_aFunctions[0].SetExpression(std::string(4000, '1'));
    doc.SetModifiedFlag(true);

    struct rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved_ok = doc.SaveAs(path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(Read(path), old);
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_TRUE(m_shown[0].text.contains(QDir::toNativeSeparators(path))) << m_shown[0].text.toStdString();
    EXPECT_FALSE(m_shown[0].text.contains("Unknown error")) << m_shown[0].text.toStdString();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.HasPath());
    // No temporary left behind.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"kept.cva"});
}

TEST_F(DocumentFile, UnwritableFolderKeepsTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    const QString folder = Path("locked");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + "/graph.cva";
    Write(path, "old");
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    CCorvantaDoc doc;
    Fill(doc);
    doc.SetModifiedFlag(true);
    EXPECT_FALSE(doc.SaveAs(path));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(Read(path), QByteArray("old"));
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_TRUE(m_shown[0].text.contains(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(doc.IsModified());
}

// Every refusal names the file and the problem, and leaves the document as it was.
TEST_F(DocumentFile, RefusedFilesLeaveTheDocumentUntouched)
{
    std::vector<std::uint8_t> good;
    {
        CCorvantaDoc d;
        Fill(d);
        good = CCvaFormat::Encode(d.m_store);
    }
    const QByteArray g = ToBytes(good);
    struct Case
    {
        const char *name;
        QByteArray bytes;
        const char *words;
    };
    QByteArray wrongMagic = g;
    wrongMagic[1] = 'X';
    QByteArray badLast = g;
    badLast[3] = 9;
    QByteArray badText = g;
    badText[badText.size() - 1] = '+';  // "sin(x+"
    const Case cases[] = {
        {"empty", QByteArray(), "empty"},
        {"wrong magic", wrongMagic, "CVD"},
        {"ends early", g.left(40), "ends early"},
        {"slot count", badLast, "functions"},
        {"length past end", g.left(g.size() - 2), "past the end"},
        {"trailing", g + QByteArray("\0", 1), "unexpected"},
        {"syntax", badText, "function 2"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        m_shown.clear();
        CCorvantaDoc doc;
        Fill(doc);
        ASSERT_TRUE(doc.SaveAs(Path("current.cva")));
        doc.SetModifiedFlag(true);
        const auto before = CCvaFormat::Encode(doc.m_store);
        QSignalSpy updates(&doc, &CCorvantaDoc::updateAllViews);
        QSignalSpy titles(&doc, &CCorvantaDoc::titleChanged);

        const QString path = Path(QStringLiteral("bad %1.cva").arg(c.name));
        Write(path, c.bytes);
        EXPECT_FALSE(doc.OnOpenDocument(path));
        ASSERT_EQ(m_shown.size(), 1u);
        EXPECT_TRUE(m_shown[0].text.contains(QDir::toNativeSeparators(path))) << m_shown[0].text.toStdString();
        EXPECT_TRUE(m_shown[0].text.contains(QString::fromLatin1(c.words))) << m_shown[0].text.toStdString();
        EXPECT_EQ(m_shown[0].icon, MsgIcon::Stop);
        EXPECT_EQ(CCvaFormat::Encode(doc.m_store), before);
        EXPECT_TRUE(doc.m_store.m_bSynced);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.GetPathName(), Path("current.cva"));
        EXPECT_EQ(updates.count(), 0);
        EXPECT_EQ(titles.count(), 0);
    }
}

TEST_F(DocumentFile, FilesThatAreNotDocumentsAreRefusedWithoutReadingThem)
{
    const QString big = Path("big.cva");
    {
        QFile f(big);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(static_cast<qint64>(CCvaFormat::kMaxFileSize) + 1));  // sparse, nothing written
    }
    const QString folder = Path("folder.cva");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString fifo = Path("pipe.cva");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    const QString paths[] = {big, folder, Path("missing.cva"), fifo, QStringLiteral("/dev/zero")};
    for (const QString &path : paths) {
        SCOPED_TRACE(path.toStdString());
        m_shown.clear();
        CCorvantaDoc doc;
        Fill(doc);
        const auto before = CCvaFormat::Encode(doc.m_store);
        EXPECT_FALSE(doc.OnOpenDocument(path));
        ASSERT_EQ(m_shown.size(), 1u);
        EXPECT_TRUE(m_shown[0].text.contains(QDir::toNativeSeparators(path)));
        EXPECT_EQ(CCvaFormat::Encode(doc.m_store), before);
        EXPECT_FALSE(doc.HasPath());
    }
}

TEST_F(DocumentFile, NewDocumentAsksTheViewToClear)
{
    CCorvantaDoc doc;
    Fill(doc);
    ASSERT_TRUE(doc.SaveAs(Path("a.cva")));
    doc.SetModifiedFlag(true);
    QSignalSpy updates(&doc, &CCorvantaDoc::updateAllViews);
    QSignalSpy modified(&doc, &CCorvantaDoc::modifiedChanged);
    doc.OnNewDocument();
    EXPECT_TRUE(doc.m_bNewDocument);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.HasPath());
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("Untitled"));
    EXPECT_EQ(updates.count(), 1);
    ASSERT_EQ(modified.count(), 1);
    EXPECT_FALSE(modified.at(0).at(0).toBool());

    // The next synchronisation clears the view and leaves the new document clean.
    CDocViewState view;
    view.m_nLast = 0;
    view.m_aFunctions[0].SetExpression("x");
    EqStore snapshot;
    int clears = 0;
    doc.SyncView(view, snapshot, [&](bool recentre) { ++clears; CDocumentSync::ClearView(view, recentre); });
    EXPECT_EQ(clears, 2);
    EXPECT_FALSE(doc.m_bNewDocument);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_store.m_nLast, -1);
}

// The prompt before a modified document is replaced or the program quits.
TEST_F(DocumentFile, SaveModifiedAsksAndObeys)
{
    struct Case
    {
        const char *name;
        bool modified;
        bool hasPath;
        MsgAnswer answer;
        QString chosen;  // what the save dialog returns
        bool expectGoOn;
        bool expectAsked;
        bool expectWritten;
    };
    const QString target = Path("chosen.cva");
    const Case cases[] = {
        {"unmodified", false, true, MsgAnswer::Yes, {}, true, false, false},
        {"no", true, true, MsgAnswer::No, {}, true, true, false},
        {"cancel", true, true, MsgAnswer::Cancel, {}, false, true, false},
        {"yes with a file", true, true, MsgAnswer::Yes, {}, true, true, true},
        {"yes, untitled, name chosen", true, false, MsgAnswer::Yes, target, true, true, true},
        {"yes, untitled, dialog cancelled", true, false, MsgAnswer::Yes, {}, false, true, false},
        {"yes, untitled, unwritable name", true, false, MsgAnswer::Yes, Path("missing/x.cva"), false, true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(Path("own.cva"));
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
        const bool goOn = doc.SaveModified([&] { return c.chosen; });
        EXPECT_EQ(goOn, c.expectGoOn);
        EXPECT_EQ(!asked.empty(), c.expectAsked);
        if (!asked.empty() && c.hasPath) {
            EXPECT_EQ(asked[0], QStringLiteral("Save changes to %1?").arg(QDir::toNativeSeparators(Path("own.cva"))));
        }
        if (!asked.empty() && !c.hasPath) {
            EXPECT_EQ(asked[0], QStringLiteral("Save changes to Untitled?"));
        }
        const bool written = QFile::exists(c.hasPath ? Path("own.cva") : target);
        EXPECT_EQ(written, c.expectWritten);
        if (c.expectWritten)
            EXPECT_FALSE(doc.IsModified());
        else
            EXPECT_EQ(doc.IsModified(), c.modified);
    }
}
}  // namespace
