#pragma once

#include <QTableWidget>

#include <functional>
#include <optional>
#include <string>

class CMatrix;

// A grid addressed the way the linear-algebra tools think of it: Rows and
// Cols count the header row and the header column too, and cell (0, j) or
// (i, 0) is a header. The headers are the table's own header sections, so
// they stay in place while the cells scroll. Sizes are given in twips and
// converted with the widget's DPI.
class CGrid : public QTableWidget
{
    Q_OBJECT
public:
    explicit CGrid(QWidget *parent = nullptr);

    int Rows() const { return rowCount() + m_nFixedRows; }
    int Cols() const { return columnCount() + m_nFixedCols; }
    void SetRows(int nRows);
    void SetCols(int nCols);
    // 0 or 1 header columns (the header row is always there).
    void SetFixedCols(int nFixed);

    QString TextMatrix(int nRow, int nCol) const;
    void SetTextMatrix(int nRow, int nCol, const QString &strText);
    void SetColWidth(int nCol, int nTwips);
    void SetRowHeights(int nTwips);       // every row, the header row too
    void SetHeaderColumnLeftAligned();

    int TwipsToPixelsX(int nTwips) const;
    int TwipsToPixelsY(int nTwips) const;

    // Row and column numbers, each followed by eight spaces, in the headers.
    void WriteNumberHeaders();
    // The cells below and right of the headers read as numbers (an empty
    // cell is 0). At the first cell that holds no number: that cell becomes
    // the current one, its message is shown above pParent and nothing is read.
    std::optional<CMatrix> ReadMatrix(QWidget *pParent);
    // Written with the given format; each cell keeps its full value for copying.
    void WriteMatrix(const CMatrix &matrix, const std::function<std::string(double)> &format);
    // The cells as tab-separated text, a line a row: full values where kept.
    QString CellsAsText() const;
    // The texts of the cells below and right of the headers, a list a row,
    // and the same written back as far as the grid reaches.
    QList<QStringList> CellTexts() const;
    void SetCellTexts(const QList<QStringList> &aRows);
    // Widens a column (-1: every column) to its texts, never narrows it.
    void FitColumn(int nColumn = -1);

protected:
    // A cell's text in table coordinates (no headers); a kept full value goes.
    void SetCell(int r, int c, const QString &strText);
    void keyPressEvent(QKeyEvent *event) override;
    // Called before the shape changes, so a pending edit can land first, and after.
    virtual void AboutToReshape() {}
    virtual void Reshaped() {}
    // Called before any cell is read.
    virtual void AboutToRead() {}

private:
    int m_nFixedRows = 1;
    int m_nFixedCols = 1;
};
