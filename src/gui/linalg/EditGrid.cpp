#include "gui/linalg/EditGrid.h"

#include "gui/linalg/GridEdit.h"
#include "gui/common/Message.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QRegularExpression>

#include <algorithm>
#include <climits>

CEditGrid::CEditGrid(QWidget *parent) : CGrid(parent)
{
    // The editor lives on the viewport so it scrolls with the cells.
    m_pEditor = new CGridEdit(viewport());
    // Tab is handled below: cell to cell, and out of the grid after the last.
    setTabKeyNavigation(false);
    connect(m_pEditor, &CGridEdit::commitRequested, this, [this] {
        const int r = m_nEditRow;
        CommitPending();
        setFocus();
        if (r >= 0 && r + 1 < rowCount())
            setCurrentCell(r + 1, currentColumn());
    });
    connect(m_pEditor, &CGridEdit::discardRequested, this, [this] {
        DiscardPending();
        setFocus();
    });
}

bool CEditGrid::IsEditing() const { return !m_pEditor->isHidden(); }

void CEditGrid::CommitPending()
{
    if (!IsEditing())
        return;
    const QString strText = m_pEditor->text();
    const int r = m_nEditRow;
    const int c = m_nEditCol;
    DiscardPending();
    // The grid may have shrunk under the editor.
    if (r >= 0 && c >= 0 && r < rowCount() && c < columnCount()) {
        SetCell(r, c, strText);
        FitColumn(c);
    }
}

bool CEditGrid::focusNextPrevChild(bool bNext)
{
    const bool bEditing = IsEditing();
    CommitPending();
    const int nCells = rowCount() * columnCount();
    const int nAt = currentRow() * columnCount() + currentColumn() + (bNext ? 1 : -1);
    if (currentIndex().isValid() && nAt >= 0 && nAt < nCells) {
        setFocus();
        setCurrentCell(nAt / columnCount(), nAt % columnCount());
        return true;
    }
    if (bEditing)
        setFocus();
    return CGrid::focusNextPrevChild(bNext);
}

QPair<int, int> CEditGrid::Key(int r, int c) const
{
    return {r, m_bLastApart && c == columnCount() - 1 ? INT_MAX : c};
}

void CEditGrid::AboutToReshape()
{
    CommitPending();
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c) {
            const QTableWidgetItem *pItem = item(r, c);
            if (pItem && !pItem->text().isEmpty())
                m_kept.insert(Key(r, c), pItem->text());
            else
                m_kept.remove(Key(r, c));
        }
}

void CEditGrid::Reshaped()
{
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c) {
            const QString strKept = m_kept.value(Key(r, c));
            const QTableWidgetItem *pItem = item(r, c);
            if ((pItem ? pItem->text() : QString()) != strKept)
                SetCell(r, c, strKept);
        }
}

void CEditGrid::PasteText(const QString &strText)
{
    CommitPending();
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    QStringList lines = strText.split(QRegularExpression(QStringLiteral("\\r\\n|\\r|\\n")));
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    QList<QStringList> block;
    int nWidest = 0;
    for (const QString &line : lines) {
        // Tabs from a spreadsheet, else commas, else blanks between the numbers.
        block << (line.contains(QLatin1Char('\t')) ? line.split(QLatin1Char('\t'))
                  : line.contains(QLatin1Char(',')) ? line.split(QLatin1Char(','))
                  : line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts));
        nWidest = std::max<int>(nWidest, block.last().size());
    }
    const int nRow = current.row(), nCol = current.column();
    const int nNeedRows = nRow + static_cast<int>(block.size()), nNeedCols = nCol + nWidest;
    if (m_grow && (nNeedRows > rowCount() || nNeedCols > columnCount()))
        m_grow(std::max(nNeedRows, rowCount()), std::max(nNeedCols, columnCount()));
    for (int i = 0; i < block.size() && nRow + i < rowCount(); ++i)
        for (int j = 0; j < block[i].size() && nCol + j < columnCount(); ++j)
            SetCell(nRow + i, nCol + j, block[i][j].trimmed());
    FitColumn();
    setCurrentCell(std::min(nRow, rowCount() - 1), std::min(nCol, columnCount() - 1));
    const int nRowsOut = std::max(0, nNeedRows - rowCount()), nColsOut = std::max(0, nNeedCols - columnCount());
    if (nRowsOut > 0 || nColsOut > 0) {
        QStringList parts;
        if (nRowsOut > 0)
            parts << QStringLiteral("the last %1 row(s)").arg(nRowsOut);
        if (nColsOut > 0)
            parts << QStringLiteral("the last %1 column(s)").arg(nColsOut);
        ShowMessage(window(),
                    QStringLiteral("The pasted block of %1 \u00d7 %2 numbers doesn't fit into the grid (%3 \u00d7 %4 "
                                   "from the current cell), even at its largest size:\n%5 of it were left out.")
                        .arg(block.size()).arg(nWidest).arg(rowCount() - nRow).arg(columnCount() - nCol)
                        .arg(parts.join(QStringLiteral(" and "))),
                    QStringLiteral("Paste"), MsgIcon::Warning);
    }
}

void CEditGrid::DiscardPending()
{
    // Forget the cell first: taking the focus back below commits what is left.
    m_nEditRow = m_nEditCol = -1;
    m_pEditor->clear();
    // Hiding a focused editor would pass the focus on to the next control.
    if (m_pEditor->hasFocus())
        setFocus();
    m_pEditor->hide();
}

void CEditGrid::StartEditing(const QString &strTyped)
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    CommitPending();
    m_nEditRow = current.row();
    m_nEditCol = current.column();
    if (strTyped.isEmpty()) {
        const QTableWidgetItem *pItem = item(m_nEditRow, m_nEditCol);
        m_pEditor->setText(pItem ? pItem->text() : QString());
        m_pEditor->selectAll();
    } else {
        m_pEditor->setText(strTyped);
    }
    scrollTo(current);
    m_pEditor->setGeometry(visualRect(current));
    m_pEditor->show();
    m_pEditor->setFocus();
}

void CEditGrid::keyPressEvent(QKeyEvent *event)
{
    const QString strText = event->text();
    if (event->matches(QKeySequence::Paste)) {
        PasteText(QGuiApplication::clipboard()->text());
        event->accept();
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        StartEditing(QString());
        event->accept();
    } else if (strText.size() == 1 && (strText[0].isDigit() || strText == QLatin1String("-") || strText == QLatin1String("."))
               && strText[0].unicode() < 128) {
        StartEditing(strText);
        event->accept();
    } else if (event->key() == Qt::Key_Escape) {
        event->accept();  // the grid keeps Escape: no closing the dialog from a cell
    } else if (!strText.isEmpty() && strText[0].isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        event->accept();  // other typing does nothing
    } else {
        CGrid::keyPressEvent(event);
    }
}

void CEditGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    CGrid::mouseDoubleClickEvent(event);
    StartEditing(QString());
}

void CEditGrid::focusInEvent(QFocusEvent *event)
{
    CGrid::focusInEvent(event);
    CommitPending();
}

void CEditGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    CGrid::currentChanged(current, previous);
    CommitPending();
}
