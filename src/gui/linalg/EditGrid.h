#pragma once

#include "gui/linalg/Grid.h"

class CGridEdit;

// A grid whose cells are typed into in place, as in a spreadsheet: a digit,
// "-" or "." starts a new text in the current cell, Enter or a double click
// edits the text already there. Enter (which then moves down), Tab or coming
// back to the grid stores the text; Escape throws it away. Letters do nothing;
// Ctrl+V pastes a block of numbers.
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
    // written from the current cell on; what falls outside the grid is left out.
    void PasteText(const QString &strText);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // Tab and Shift+Tab go from cell to cell, and leave the grid after the last.
    bool focusNextPrevChild(bool bNext) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void keyboardSearch(const QString &) override {}
    void AboutToReshape() override { CommitPending(); }
    void AboutToRead() override { CommitPending(); }

private:
    void StartEditing(const QString &strTyped);

    CGridEdit *m_pEditor = nullptr;
    int m_nEditRow = -1;  // the cell being edited, table coordinates
    int m_nEditCol = -1;
};
