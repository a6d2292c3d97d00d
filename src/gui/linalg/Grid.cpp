#include "gui/linalg/Grid.h"

#include "core/linalg/Matrix.h"
#include "core/expr/NumberText.h"
#include "core/expr/ShownNumber.h"
#include "core/linalg/ToolText.h"
#include "gui/common/Message.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

namespace {
constexpr int kTwipsPerInch = 1440;
// Where a written cell keeps the shortest text of its full value.
constexpr int kFullValueRole = Qt::UserRole + 1;
}

CGrid::CGrid(QWidget *parent) : QTableWidget(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    // Headers are written by the tools; no numbering of our own meanwhile.
    SetRows(2);
    SetCols(2);
}

void CGrid::SetRows(int nRows)
{
    AboutToReshape();
    setRowCount(std::max(0, nRows - m_nFixedRows));
    Reshaped();
}

void CGrid::SetCols(int nCols)
{
    AboutToReshape();
    const int nOld = columnCount();
    setColumnCount(std::max(0, nCols - m_nFixedCols));
    for (int c = nOld; c < columnCount(); ++c)
        if (!horizontalHeaderItem(c))
            setHorizontalHeaderItem(c, new QTableWidgetItem(QString()));
    Reshaped();
}

void CGrid::SetFixedCols(int nFixed)
{
    const int nCols = Cols();
    m_nFixedCols = std::clamp(nFixed, 0, 1);
    verticalHeader()->setVisible(m_nFixedCols == 1);
    SetCols(nCols);
}

QString CGrid::TextMatrix(int nRow, int nCol) const
{
    const int r = nRow - m_nFixedRows;
    const int c = nCol - m_nFixedCols;
    const QTableWidgetItem *pItem = nullptr;
    if (r < 0 && c >= 0)
        pItem = horizontalHeaderItem(c);
    else if (c < 0 && r >= 0)
        pItem = verticalHeaderItem(r);
    else if (r >= 0 && c >= 0)
        pItem = item(r, c);
    return pItem ? pItem->text() : QString();
}

void CGrid::SetTextMatrix(int nRow, int nCol, const QString &strText)
{
    const int r = nRow - m_nFixedRows;
    const int c = nCol - m_nFixedCols;
    if (r >= rowCount() || c >= columnCount())
        return;
    if (r < 0 && c >= 0) {
        setHorizontalHeaderItem(c, new QTableWidgetItem(strText));
    } else if (c < 0 && r >= 0) {
        auto *pHeader = new QTableWidgetItem(strText);
        pHeader->setTextAlignment(verticalHeader()->defaultAlignment());
        setVerticalHeaderItem(r, pHeader);
    } else if (r >= 0 && c >= 0) {
        SetCell(r, c, strText);
    }
}

void CGrid::SetCell(int r, int c, const QString &strText)
{
    if (QTableWidgetItem *pItem = item(r, c)) {
        pItem->setData(kFullValueRole, QVariant());
        pItem->setText(strText);
    } else {
        setItem(r, c, new QTableWidgetItem(strText));
    }
}

void CGrid::SetColWidth(int nCol, int nTwips)
{
    const int c = nCol - m_nFixedCols;
    if (c < 0)
        verticalHeader()->setFixedWidth(TwipsToPixelsX(nTwips));
    else if (c < columnCount())
        setColumnWidth(c, TwipsToPixelsX(nTwips));
}

void CGrid::SetRowHeights(int nTwips)
{
    const int nPixels = TwipsToPixelsY(nTwips);
    verticalHeader()->setMinimumSectionSize(std::min(nPixels, verticalHeader()->minimumSectionSize()));
    verticalHeader()->setDefaultSectionSize(nPixels);
    horizontalHeader()->setFixedHeight(nPixels);
}

void CGrid::SetHeaderColumnLeftAligned()
{
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

int CGrid::TwipsToPixelsX(int nTwips) const { return nTwips * logicalDpiX() / kTwipsPerInch; }
int CGrid::TwipsToPixelsY(int nTwips) const { return nTwips * logicalDpiY() / kTwipsPerInch; }

void CGrid::WriteNumberHeaders()
{
    const QString strPad(8, QLatin1Char(' '));
    for (int c = 1; c < Cols(); ++c)
        SetTextMatrix(0, c, QString::number(c) + strPad);
    for (int r = 1; r < Rows(); ++r)
        SetTextMatrix(r, 0, QString::number(r) + strPad);
}

std::optional<CMatrix> CGrid::ReadMatrix(QWidget *pParent)
{
    AboutToRead();
    CMatrix matrix(rowCount(), columnCount());
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c) {
            const QTableWidgetItem *pItem = item(r, c);
            if (!pItem)
                continue;
            const std::string strText = pItem->text().toStdString();
            const std::optional<double> value = ReadCellNumber(strText);
            if (!value) {
                setCurrentCell(r, c);
                scrollToItem(pItem);
                const SToolMessage message = CellMessage(r + 1, c + 1, strText);
                ShowMessage(pParent, QString::fromStdString(message.text), QString::fromStdString(message.caption),
                            MsgIcon::Stop);
                return std::nullopt;
            }
            matrix.At(r, c) = *value;
        }
    return matrix;
}

void CGrid::WriteMatrix(const CMatrix &matrix, const std::function<std::string(double)> &format)
{
    const int nRows = std::min(matrix.Rows(), rowCount());
    const int nCols = std::min(matrix.Cols(), columnCount());
    for (int r = 0; r < nRows; ++r)
        for (int c = 0; c < nCols; ++c) {
            auto *pItem = new QTableWidgetItem(QString::fromStdString(format(matrix.At(r, c))));
            pItem->setData(kFullValueRole, QString::fromStdString(ShownExact(matrix.At(r, c))));
            setItem(r, c, pItem);
        }
    FitColumn();
}

QString CGrid::CellsAsText() const
{
    QStringList lines;
    for (int r = 0; r < rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < columnCount(); ++c) {
            const QTableWidgetItem *pItem = item(r, c);
            const QVariant full = pItem ? pItem->data(kFullValueRole) : QVariant();
            cells << (full.isValid() ? full.toString() : pItem ? pItem->text() : QString());
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QList<QStringList> CGrid::CellTexts() const
{
    QList<QStringList> aRows;
    for (int r = 0; r < rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < columnCount(); ++c)
            cells << (item(r, c) ? item(r, c)->text() : QString());
        aRows << cells;
    }
    return aRows;
}

void CGrid::SetCellTexts(const QList<QStringList> &aRows)
{
    for (int r = 0; r < std::min<int>(aRows.size(), rowCount()); ++r)
        for (int c = 0; c < std::min<int>(aRows[r].size(), columnCount()); ++c)
            SetCell(r, c, aRows[r][c]);
    FitColumn();
}

void CGrid::FitColumn(int nColumn)
{
    // Measured by hand, the longest text of each column only (number texts
    // are about as wide as they are long): the view's own size hint visits
    // and lays out every cell of a hidden grid.
    const QFontMetrics metrics(font());
    const int nPadding = 2 * metrics.horizontalAdvance(QLatin1Char('0'));
    const int nFirst = nColumn < 0 ? 0 : nColumn;
    const int nLast = nColumn < 0 ? columnCount() - 1 : std::min(nColumn, columnCount() - 1);
    for (int c = nFirst; c <= nLast; ++c) {
        QString strLongest;
        for (int r = 0; r < rowCount(); ++r)
            if (const QTableWidgetItem *pItem = item(r, c); pItem && pItem->text().size() > strLongest.size())
                strLongest = pItem->text();
        const int nWanted = metrics.horizontalAdvance(strLongest) + nPadding;
        if (nWanted > columnWidth(c))
            setColumnWidth(c, nWanted);
    }
}

void CGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setText(CellsAsText());
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}
