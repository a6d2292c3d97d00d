#include "gui/output/HelpWindow.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

namespace {

const QString kHelpDir = QStringLiteral(CORVANTA_HELP_PARENT "help");

QString ReadPage(const QString &name)
{
    QFile f(QDir(kHelpDir).filePath(name));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QStringList Pages() { return QDir(kHelpDir).entryList({QStringLiteral("*.html")}, QDir::Files); }

QStringList Links(const QString &html)
{
    QStringList links;
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    for (auto it = href.globalMatch(html); it.hasNext();)
        links << it.next().captured(1);
    return links;
}

bool HasAnchor(const QString &html, const QString &name)
{
    return html.contains(QStringLiteral("id=\"%1\"").arg(name)) || html.contains(QStringLiteral("name=\"%1\"").arg(name));
}

TEST(HelpPages, EveryLinkResolvesToAPageAndAnchor)
{
    const QStringList pages = Pages();
    ASSERT_GE(pages.size(), 6);
    for (const QString &page : pages) {
        const QString html = ReadPage(page);
        for (const QString &link : Links(html)) {
            const QUrl url(link);
            if (!url.scheme().isEmpty())
                continue;  // outside the help
            const QString target = url.path().isEmpty() ? page : url.path();
            if (target == QLatin1String(CHelpBrowser::kShortcutsPage))
                continue;  // made by the program
            ASSERT_TRUE(pages.contains(target)) << page.toStdString() << " -> " << link.toStdString();
            if (url.hasFragment()) {
                EXPECT_TRUE(HasAnchor(ReadPage(target), url.fragment()))
                    << page.toStdString() << " -> " << link.toStdString();
            }
        }
    }
}

TEST(HelpPages, TheContentsReachEveryPageAndEveryPageLeadsBack)
{
    QSet<QString> linked;
    for (const QString &link : Links(ReadPage(QStringLiteral("index.html"))))
        linked << QUrl(link).path();
    EXPECT_TRUE(linked.contains(QLatin1String(CHelpBrowser::kShortcutsPage)));
    for (const QString &page : Pages()) {
        if (page == QLatin1String("index.html"))
            continue;
        EXPECT_TRUE(linked.contains(page)) << page.toStdString();
        EXPECT_TRUE(Links(ReadPage(page)).contains(QStringLiteral("index.html"))) << page.toStdString();
    }
}

TEST(HelpWindow, FindsTextInThePageAndWrapsRound)
{
    CHelpWindow help(kHelpDir);
    help.ShowPage(QStringLiteral("syntax.html"));
    ASSERT_TRUE(help.Browser()->toPlainText().contains(QStringLiteral("sin(x)^2")));
    EXPECT_TRUE(help.FindText(QStringLiteral("sin(x)^2")));
    const int first = help.Browser()->textCursor().position();
    while (help.FindText(QStringLiteral("sin(x)^2")) && help.Browser()->textCursor().position() != first) {
    }
    EXPECT_EQ(help.Browser()->textCursor().position(), first);  // came round again
    EXPECT_FALSE(help.FindText(QStringLiteral("no such words here")));
}

TEST(HelpWindow, TheHelpDirectoryIsFoundBesideTheInstallDirectory)
{
    EXPECT_EQ(QDir(CHelpWindow::FindHelpDirectory(QStringLiteral(CORVANTA_HELP_PARENT))), QDir(kHelpDir));
    EXPECT_TRUE(CHelpWindow::FindHelpDirectory(QStringLiteral("/nonexistent/")).isEmpty() ||
                QFile::exists(CHelpWindow::FindHelpDirectory(QStringLiteral("/nonexistent/")) + "/index.html"));
}

}  // namespace
