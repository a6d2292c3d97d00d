// The help pages: every link leads somewhere, the contents reach every page; the window finds text.
#include "gui/output/HelpWindow.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QUrl>

namespace {

const QString kHelpDir = QStringLiteral(CORVANTA_HELP_PARENT "help");

QString ReadPage(const QString &name)
{
    QFile f(QDir(kHelpDir).filePath(name));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QStringList Links(const QString &html)
{
    QStringList links;
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    for (auto it = href.globalMatch(html); it.hasNext();)
        links << it.next().captured(1);
    return links;
}

TEST(HelpPages, EveryLinkResolvesAndTheContentsReachEveryPage)
{
    const QStringList pages = QDir(kHelpDir).entryList({QStringLiteral("*.html")}, QDir::Files);
    ASSERT_GE(pages.size(), 6);
    QStringList fromContents;
    for (const QString &link : Links(ReadPage("index.html")))
        fromContents << QUrl(link).path();
    EXPECT_TRUE(fromContents.contains(QLatin1String(CHelpBrowser::kShortcutsPage)));  // made by the program
    for (const QString &page : pages) {
        SCOPED_TRACE(page.toStdString());
        const QStringList links = Links(ReadPage(page));
        if (page != "index.html") {
            EXPECT_TRUE(fromContents.contains(page));
            EXPECT_TRUE(links.contains("index.html"));
        }
        for (const QUrl url : links) {
            const QString target = url.path().isEmpty() ? page : url.path();
            if (!url.scheme().isEmpty() || target == QLatin1String(CHelpBrowser::kShortcutsPage))
                continue;
            ASSERT_TRUE(pages.contains(target)) << url.toString().toStdString();
            if (url.hasFragment()) {
                const QString html = ReadPage(target), name = url.fragment();
                EXPECT_TRUE(html.contains(QString("id=\"%1\"").arg(name)) || html.contains(QString("name=\"%1\"").arg(name)))
                    << url.toString().toStdString();
            }
        }
    }
}

TEST(HelpWindow, FindsTextInThePageAndWrapsRound)
{
    EXPECT_EQ(QDir(CHelpWindow::FindHelpDirectory(QStringLiteral(CORVANTA_HELP_PARENT))), QDir(kHelpDir));
    CHelpWindow help(kHelpDir);
    help.ShowPage(QStringLiteral("syntax.html"));
    ASSERT_TRUE(help.FindText(QStringLiteral("sin(x)^2")));
    const int first = help.Browser()->textCursor().position();
    while (help.FindText(QStringLiteral("sin(x)^2")) && help.Browser()->textCursor().position() != first) {
    }
    EXPECT_EQ(help.Browser()->textCursor().position(), first);  // came round again
    EXPECT_FALSE(help.FindText(QStringLiteral("no such words here")));
}

}  // namespace
