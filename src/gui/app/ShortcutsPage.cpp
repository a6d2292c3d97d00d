#include "gui/app/ShortcutsPage.h"

#include "gui/app/CommandTable.h"
#include "gui/common/CommandIds.h"

#include <QKeySequence>
#include <QList>
#include <QStringList>

namespace {

QString CommandName(const SCommandInfo &info)
{
    if (info.pszCaption)
        return QString::fromUtf8(info.pszCaption).remove(QLatin1Char('&'));
    switch (info.nId) {
    case ID_NEXT_PANE: return QStringLiteral("Next pane (moves the keyboard focus)");
    case ID_PREV_PANE: return QStringLiteral("Previous pane");
    case ID_NO_ACTION: return QStringLiteral("(reserved, does nothing)");
    default: return QString::number(info.nId);
    }
}

QString KeysText(const char *pszKeys)
{
    QStringList keys;
    const auto list = QKeySequence::listFromString(QString::fromUtf8(pszKeys), QKeySequence::PortableText);
    for (const QKeySequence &k : list)
        keys << QStringLiteral("<kbd>%1</kbd>").arg(k.toString(QKeySequence::NativeText).toHtmlEscaped());
    return keys.join(QStringLiteral(", "));
}

}  // namespace

QString ShortcutsPageHtml()
{
    QString html = QStringLiteral(
        "<html><head><title>Keyboard shortcuts</title></head><body>"
        "<p><a href=\"index.html\">Contents</a></p><h1>Keyboard shortcuts</h1>"
        "<p>These keys work anywhere in the main window. While a text field has the keyboard (the function "
        "list, a range field, the trace bar's x), its standard editing keys act on the text: "
        "<kbd>Ctrl+A</kbd> selects all, <kbd>Ctrl+C</kbd> copies, <kbd>Ctrl+X</kbd> cuts, <kbd>Ctrl+V</kbd> "
        "pastes and <kbd>Ctrl+Z</kbd> undoes the typing (with no typing left to undo, it undoes the last change "
        "of the graph). Everywhere else, as in the graph area, these keys are the "
        "commands below (<kbd>Ctrl+A</kbd> analyzes the graph, <kbd>Ctrl+C</kbd> copies the graph).</p>"
        "<table border=\"1\" cellpadding=\"4\" cellspacing=\"0\"><tr><th>Menu</th><th>Command</th><th>Keys</th></tr>");
    for (const SCommandInfo &info : CommandTable()) {
        if (info.nId == 0 || !info.pszKeys)
            continue;
        const QString menu = info.pszPopup ? QString::fromUtf8(info.pszPopup).remove(QLatin1Char('&')) : QStringLiteral("-");
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
                    .arg(menu.toHtmlEscaped(), CommandName(info).toHtmlEscaped(), KeysText(info.pszKeys));
    }
    html += QStringLiteral(
        "</table><h2>In the function list</h2><table border=\"1\" cellpadding=\"4\" cellspacing=\"0\">"
        "<tr><td><kbd>Enter</kbd></td><td>Plot the typed function</td></tr></table>"
        "<h2>In the graph area</h2><table border=\"1\" cellpadding=\"4\" cellspacing=\"0\">"
        "<tr><td>Mouse wheel</td><td>Zoom in or out about the point under the cursor</td></tr>"
        "<tr><td>Arrow keys (after a click into the graph)</td><td>Move the graph by a tenth of its width or "
        "height</td></tr>"
        "<tr><td><kbd>Left</kbd>, <kbd>Right</kbd> in trace mode</td><td>Move the traced point by one pixel "
        "(ten with <kbd>Shift</kbd>)</td></tr></table>"
        "<p>See also <a href=\"commands.html\">Commands</a>.</p></body></html>");
    return html;
}
