#pragma once

#include "gui/linalg/Grid.h"

#include <QStringList>

#include <initializer_list>

// Fills the cells below and right of the headers, row by row.
inline void FillCells(CGrid &grid, std::initializer_list<std::initializer_list<const char *>> rows)
{
    int r = 1;
    for (const auto &row : rows) {
        int c = 1;
        for (const char *pszText : row)
            grid.SetTextMatrix(r, c++, QString::fromLatin1(pszText));
        ++r;
    }
}

// The texts of one column from row 1, or of one row from column 1.
inline QStringList ColumnTexts(const CGrid &grid, int nCol)
{
    QStringList out;
    for (int r = 1; r < grid.Rows(); ++r)
        out << grid.TextMatrix(r, nCol);
    return out;
}

inline QStringList RowTexts(const CGrid &grid, int nRow)
{
    QStringList out;
    for (int c = 1; c < grid.Cols(); ++c)
        out << grid.TextMatrix(nRow, c);
    return out;
}
