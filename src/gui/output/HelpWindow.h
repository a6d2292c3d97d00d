#pragma once

#include <QString>
#include <QTextBrowser>
#include <QWidget>

#include <functional>

class QLineEdit;
class QLabel;

// The help browser: it serves the generated keyboard page itself and reads
// every other page from the help directory.
class CHelpBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    using PageGenerator = std::function<QString()>;
    explicit CHelpBrowser(QWidget *parent = nullptr) : QTextBrowser(parent) {}
    void SetShortcutsPage(PageGenerator generator) { m_shortcuts = std::move(generator); }
    QVariant loadResource(int type, const QUrl &name) override;

    static constexpr const char *kShortcutsPage = "shortcuts.html";

private:
    PageGenerator m_shortcuts;
};

// The program's help window: contents, back and forward, and a search within
// the page shown.
class CHelpWindow : public QWidget
{
    Q_OBJECT
public:
    explicit CHelpWindow(const QString &strHelpDirectory, QWidget *parent = nullptr);

    void SetShortcutsPage(CHelpBrowser::PageGenerator generator);
    // Shows a page of the help directory ("index.html" for the contents).
    void ShowPage(const QString &strPage);
    // Finds the next (or previous) place of the search text, wrapping round.
    bool FindText(const QString &strText, bool bBackward = false);

    CHelpBrowser *Browser() const { return m_pBrowser; }

    // The help directory: "help" beside the stored installation directory,
    // then the shared data directory next to it, then beside the executable.
    static QString FindHelpDirectory(const QString &strInstallDirectory);

private:
    CHelpBrowser *m_pBrowser = nullptr;
    QLineEdit *m_pSearch = nullptr;
    QLabel *m_pNotFound = nullptr;
    QString m_strDirectory;
};
