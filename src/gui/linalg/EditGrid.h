#pragma once

#include "gui/linalg/Grid.h"

#include <QHash>
#include <QPair>

#include <functional>

class CGridEdit;

// A grid whose cells are typed into in place, as in a spreadsheet: a digit,
// "-" or "." starts a new text in the current cell, Enter or a double click
// edits the text already there. Enter (which then moves down), Tab or coming
// back to the grid stores the text; Escape throws it away. Letters do nothing;
// Ctrl+V pastes a block of numbers. A smaller shape only hides cells: what
// was typed comes back when the grid grows again.
class CEditGrid : public CGrid
{
    Q_OBJECT
public:
    explicit CEditGrid(QWidget *parent = nullptr);

    CGridEdit *Editor() const { return m_pEditor; }
    bool IsEditing() const;
    // Stores a pending edit into its cell; the tools call it before reading.
    void CommitPending();
    void DiscardPending();
    // A block of numbers (tab-, comma- or blank-separated, a line a row)
    // written from the current cell on. The grid first asks its window to grow
    // to the block (see SetGrowRequest); what still falls outside is left out
    // and said so.
    void PasteText(const QString &strText);
    // How the window grows the grid to nRows x nCols cells (no headers).
    void SetGrowRequest(std::function<void(int nRows, int nCols)> grow) { m_grow = std::move(grow); }
    // The last column keeps its cells apart (free terms stay last whatever the width).
    void SetLastColumnApart(bool bApart) { m_bLastApart = bApart; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // Tab and Shift+Tab go from cell to cell, and leave the grid after the last.
    bool focusNextPrevChild(bool bNext) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void keyboardSearch(const QString &) override {}
    void AboutToReshape() override;
    void Reshaped() override;
    void AboutToRead() override { CommitPending(); }

private:
    void StartEditing(const QString &strTyped);
    QPair<int, int> Key(int r, int c) const;

    // Every typed cell by row and column, the hidden ones too.
    QHash<QPair<int, int>, QString> m_kept;
    bool m_bLastApart = false;
    std::function<void(int, int)> m_grow;

    CGridEdit *m_pEditor = nullptr;
    int m_nEditRow = -1;  // the cell being edited, table coordinates
    int m_nEditCol = -1;
};
