#include "gui/output/HelpWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

QVariant CHelpBrowser::loadResource(int type, const QUrl &name)
{
    if (type == QTextDocument::HtmlResource && m_shortcuts &&
        name.fileName() == QLatin1String(kShortcutsPage))
        return m_shortcuts();
    return QTextBrowser::loadResource(type, name);
}

CHelpWindow::CHelpWindow(const QString &strHelpDirectory, QWidget *parent)
    : QWidget(parent, Qt::Window), m_strDirectory(strHelpDirectory)
{
    setWindowTitle(QStringLiteral("Corvanta Help"));
    setObjectName(QStringLiteral("HelpWindow"));
    // With its frame and title bar it fits the screen's available area.
    QSize size(760, 620);
    if (const QScreen *pScreen = screen())
        size = size.boundedTo(pScreen->availableGeometry().size() - QSize(16, 48));
    resize(size);

    m_pBrowser = new CHelpBrowser(this);
    m_pBrowser->setOpenExternalLinks(true);
    m_pBrowser->setSearchPaths({strHelpDirectory});

    auto *pBar = new QToolBar(this);
    QAction *pBack = pBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"));
    QAction *pForward = pBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Forward"));
    QAction *pHome = pBar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("Contents"));
    pBack->setShortcuts(QKeySequence::Back);
    pForward->setShortcuts(QKeySequence::Forward);
    pBack->setEnabled(false);
    pForward->setEnabled(false);
    connect(pBack, &QAction::triggered, m_pBrowser, &QTextBrowser::backward);
    connect(pForward, &QAction::triggered, m_pBrowser, &QTextBrowser::forward);
    connect(pHome, &QAction::triggered, this, [this] { ShowPage(QStringLiteral("index.html")); });
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, pBack, &QAction::setEnabled);
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, pForward, &QAction::setEnabled);

    pBar->addSeparator();
    pBar->addWidget(new QLabel(QStringLiteral(" Find: "), pBar));
    m_pSearch = new QLineEdit(pBar);
    m_pSearch->setObjectName(QStringLiteral("HelpSearch"));
    m_pSearch->setPlaceholderText(QStringLiteral("text in this page"));
    m_pSearch->setMaximumWidth(220);
    pBar->addWidget(m_pSearch);
    QAction *pNext = pBar->addAction(QStringLiteral("Next"));
    QAction *pPrevious = pBar->addAction(QStringLiteral("Previous"));
    m_pNotFound = new QLabel(pBar);
    pBar->addWidget(m_pNotFound);
    connect(m_pSearch, &QLineEdit::returnPressed, this, [this] { FindText(m_pSearch->text()); });
    connect(pNext, &QAction::triggered, this, [this] { FindText(m_pSearch->text()); });
    connect(pPrevious, &QAction::triggered, this, [this] { FindText(m_pSearch->text(), true); });
    auto *pFind = new QAction(this);
    pFind->setShortcuts(QKeySequence::Find);
    connect(pFind, &QAction::triggered, this, [this] {
        m_pSearch->setFocus();
        m_pSearch->selectAll();
    });
    addAction(pFind);

    auto *pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    pLayout->addWidget(pBar);
    pLayout->addWidget(m_pBrowser);
}

void CHelpWindow::SetShortcutsPage(CHelpBrowser::PageGenerator generator)
{
    m_pBrowser->SetShortcutsPage(std::move(generator));
}

void CHelpWindow::ShowPage(const QString &strPage)
{
    m_pBrowser->setSource(QUrl::fromLocalFile(QDir(m_strDirectory).filePath(strPage)));
}

bool CHelpWindow::FindText(const QString &strText, bool bBackward)
{
    if (strText.isEmpty())
        return false;
    const QTextDocument::FindFlags flags = bBackward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = m_pBrowser->find(strText, flags);
    if (!found) {
        // Once more from the other end of the page.
        QTextCursor cursor = m_pBrowser->textCursor();
        cursor.movePosition(bBackward ? QTextCursor::End : QTextCursor::Start);
        m_pBrowser->setTextCursor(cursor);
        found = m_pBrowser->find(strText, flags);
    }
    m_pNotFound->setText(found ? QString() : QStringLiteral("  not found"));
    return found;
}

QString CHelpWindow::FindHelpDirectory(const QString &strInstallDirectory)
{
    QStringList candidates;
    for (const QString &base : {strInstallDirectory, QCoreApplication::applicationDirPath()}) {
        if (base.isEmpty())
            continue;
        candidates << QDir(base).filePath(QStringLiteral("help"))
                   << QDir(base).filePath(QStringLiteral("../share/corvanta/help"));
    }
    for (const QString &dir : candidates)
        if (QFileInfo::exists(QDir(dir).filePath(QStringLiteral("index.html"))))
            return QDir::cleanPath(dir);
    return {};
}
