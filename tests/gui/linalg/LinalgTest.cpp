// The linear-algebra tools, whose numbers are tested in the core and compared with the
// command line's end to end: pending edits, sizes, refusals, the matrix memory, the commands.
#include "gui/GuiFixtures.h"
#include "gui/linalg/MatrixOpsControls.h"
#include "gui/linalg/DetDlg.h"
#include "gui/linalg/EditGrid.h"
#include "gui/linalg/GridEdit.h"
#include "gui/linalg/MatrixOpsDlg.h"
#include "gui/linalg/MatrixResultDlg.h"
#include "gui/linalg/SimEqDlg.h"

#include "core/expr/ShownNumber.h"
#include "core/linalg/ToolText.h"

#include <QLineEdit>
#include <QLocale>

namespace {

// Fills the cells below and right of the headers, row by row.
void FillCells(CGrid &grid, std::initializer_list<std::initializer_list<const char *>> rows)
{
    int r = 1;
    for (const auto &row : rows) {
        int c = 1;
        for (const char *pszText : row)
            grid.SetTextMatrix(r, c++, QString::fromLatin1(pszText));
        ++r;
    }
}

// The texts of a column from row 1, or of a row from column 1.
QStringList Texts(const CGrid &grid, int nRow, int nCol)
{
    QStringList out;
    for (int i = 1; i < (nRow < 0 ? grid.Rows() : grid.Cols()); ++i)
        out << (nRow < 0 ? grid.TextMatrix(i, nCol) : grid.TextMatrix(nRow, i));
    return out;
}
QStringList ColumnTexts(const CGrid &grid, int nCol) { return Texts(grid, -1, nCol); }
QStringList RowTexts(const CGrid &grid, int nRow) { return Texts(grid, nRow, -1); }

TEST(Grid, HeadersAreRowAndColumnZeroAndCellsReadAsNumbersInAnyLocale)
{
    ScriptedPrompts prompts;
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    CGrid grid;
    grid.SetRows(2);
    grid.SetCols(5);
    EXPECT_EQ(grid.rowCount(), 1);
    grid.WriteNumberHeaders();
    EXPECT_EQ(grid.TextMatrix(0, 3).trimmed(), "3");
    grid.SetTextMatrix(5, 5, QStringLiteral("outside"));  // ignored, not a crash
    EXPECT_EQ(grid.TextMatrix(5, 5), "");
    FillCells(grid, {{"2.5", "", "1,5", "-1e-3x"}});
    EXPECT_FALSE(grid.ReadMatrix(nullptr));  // the first cell that is no number is named and selected
    EXPECT_EQ(grid.currentRow(), 0);
    EXPECT_EQ(grid.currentColumn(), 2);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.startsWith("The cell in row 1, column 3 holds '1,5', which is not a number."));
    FillCells(grid, {{"2.5", "", "1.5", "-1e-3"}});
    EXPECT_EQ(grid.ReadMatrix(nullptr), CMatrix(1, 4, {2.5, 0, 1.5, -1e-3}));
    QLocale::setDefault(previous);
}

// Types into a cell without pressing Enter.
void TypePending(CEditGrid *pGrid, int row, int col, const char *text)
{
    pGrid->setCurrentCell(row, col);
    QTest::keyClicks(pGrid, QString::fromLatin1(text).left(1));
    QTest::keyClicks(pGrid->Editor(), QString::fromLatin1(text).mid(1));
}

class Det : public ::testing::Test
{
protected:
    ScriptedPrompts prompts;
    CDetDlg dlg;
};

TEST_F(Det, EmptyCellsAreZeroAndSizesOutsideOneToFiftyKeepTheGridAndSolveNothing)
{
    dlg.SizeField()->setText("2");
    FillCells(*dlg.Grid(), {{"", "1"}, {"1", ""}});
    dlg.OnSolve();
    EXPECT_EQ(dlg.ResultField()->text(), "-1");
    EXPECT_TRUE(prompts.shown.empty());
    for (const char *pszSize : {"x", "0", "51"}) {
        prompts.Clear();
        dlg.SizeField()->setText(QString::fromLatin1(pszSize));
        EXPECT_EQ(dlg.Grid()->Rows(), 3) << pszSize;
        dlg.OnSolve();
        EXPECT_EQ(prompts.shown.size(), 2u) << pszSize;
        EXPECT_EQ(dlg.ResultField()->text(), "-1");
    }
    EXPECT_EQ(prompts.shown[0].text, "Please enter an integer between 1 and 50.");  // for "51"
    dlg.SizeField()->setText("50");
    for (int i = 1; i <= 50; ++i)
        dlg.Grid()->SetTextMatrix(i, i, QStringLiteral("2"));
    dlg.OnSolve();
    EXPECT_EQ(dlg.ResultField()->text(), "844424930131968");  // 3 * 2^48, the 2 x 2 cells still there
}

// Enter and Escape belong to the cell being edited: neither may solve or close
// the window and lose what was typed.
TEST_F(Det, EnterStoresTheEditAndEscapeDiscardsItWithoutClosingTheWindow)
{
    dlg.SizeField()->setText("2");
    FillCells(*dlg.Grid(), {{"", "1"}, {"1", ""}});  // solved, it would read -1
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    CEditGrid *pGrid = dlg.Grid();
    TypePending(pGrid, 1, 1, "-2.5");
    QTest::keyClick(pGrid->Editor(), Qt::Key_Return);
    EXPECT_EQ(pGrid->TextMatrix(2, 2), "-2.5");
    TypePending(pGrid, 1, 1, "7");
    QTest::keyClick(pGrid->Editor(), Qt::Key_Escape);
    QTest::keyClick(pGrid, Qt::Key_Escape);
    EXPECT_EQ(pGrid->TextMatrix(2, 2), "-2.5");
    EXPECT_EQ(dlg.ResultField()->text(), "");  // the 0 of the empty matrix no longer holds
    EXPECT_TRUE(dlg.isVisible());
}

// Tab and Shift+Tab go cell by cell and leave after the last; Enter stores and
// moves down; a pasted block lands from the current cell; columns fit their numbers.
TEST_F(Det, GridWorksLikeASpreadsheet)
{
    dlg.SizeField()->setText("2");
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    CEditGrid *pGrid = dlg.Grid();
    TypePending(pGrid, 0, 0, "1");
    QTest::keyClick(pGrid->Editor(), Qt::Key_Tab);
    TypePending(pGrid, pGrid->currentRow(), pGrid->currentColumn(), "2");
    QTest::keyClick(pGrid->Editor(), Qt::Key_Return);
    EXPECT_EQ(RowTexts(*pGrid, 1), (QStringList{"1", "2"}));
    EXPECT_EQ(pGrid->currentIndex(), pGrid->model()->index(1, 1));
    QTest::keyClick(pGrid, Qt::Key_Backtab);
    EXPECT_EQ(pGrid->currentIndex(), pGrid->model()->index(1, 0));
    QTest::keyClick(pGrid, Qt::Key_Tab);
    QTest::keyClick(pGrid, Qt::Key_Tab);  // after the last cell the grid lets go
    EXPECT_FALSE(pGrid->hasFocus());

    pGrid->setCurrentCell(0, 0);
    pGrid->PasteText(QStringLiteral("-1234567891011\t2\r\n3,4\n\n"));
    EXPECT_EQ(RowTexts(*pGrid, 1), (QStringList{"-1234567891011", "2"}));
    EXPECT_EQ(RowTexts(*pGrid, 2), (QStringList{"3", "4"}));
    EXPECT_GE(pGrid->columnWidth(0), pGrid->fontMetrics().horizontalAdvance(QStringLiteral("-1234567891011")));
    pGrid->setCurrentCell(1, 0);
    pGrid->PasteText(QStringLiteral("5 6"));
    dlg.OnSolve();
    EXPECT_EQ(dlg.ResultField()->text(), "-7407407346076");  // -1234567891011 * 6 - 2 * 5
}

class SimEq : public ::testing::Test
{
protected:
    QStringList Solutions() const { return ColumnTexts(*dlg.SolutionsGrid(), 0); }
    ScriptedPrompts prompts;
    CSimEqDlg dlg;
};

TEST_F(SimEq, SolvesTheExampleTheTypedSystemAndThePendingEdit)
{
    dlg.OnSolve();
    EXPECT_EQ(Solutions(), (QStringList{"Var.1. = 2.", "Var.2. = -1.", "Var.3. = 3."}));
    CEditGrid *pGrid = dlg.CoefficientGrid();
    TypePending(pGrid, 0, 3, "15");  // free term of equation 1, then Solve at once
    dlg.OnSolve();
    EXPECT_EQ(Solutions(), (QStringList{"Var.1. = 2.3", "Var.2. = 0.5", "Var.3. = 3.9"}));
    TypePending(pGrid, 1, 0, "7");
    pGrid->setCurrentCell(0, 0);  // leaving the cell stores into the edited one, nowhere else
    EXPECT_EQ(RowTexts(*pGrid, 2).first(), "7");
    EXPECT_EQ(RowTexts(*pGrid, 1).first(), "1");

    dlg.CountField()->setText("2");
    EXPECT_EQ(RowTexts(*pGrid, 0), (QStringList{"Coeff. 1.", "Coeff. 2.", "Free Term"}));
    dlg.CountField()->setText("3");  // the old "Free Term" header does not stay behind
    EXPECT_EQ(RowTexts(*pGrid, 0), (QStringList{"Coeff. 1.", "Coeff. 2.", "Coeff. 3.", "Free Term"}));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(SimEq, RefusalsSayWhyAndClearTheSolutions)
{
    const struct { std::initializer_list<std::initializer_list<const char *>> cells; const char *caption, *start; } cases[] = {
        {{{"1", "2", "3", "1"}, {"2", "4", "6", "2"}, {"0", "0", "1", "1"}}, "Infinitely many solutions",
         "The system has infinitely many solutions:\nonly 2 of the 3 equations are independent (rank 2)"},
        {{{"1", "2", "3", "1"}, {"4", "5", "6", "2"}, {"4", "5", "6", "3"}}, "No solution", "The system has no solution:"},
        {{{"0", "2", "3", "1"}, {"0", "5", "6", "2"}, {"0", "5", "1", "3"}}, "Invalid input, extra variable", "Error 0x07:"},
        {{{"2", "1,5", "0", "5"}, {"1", "1", "0", "2"}, {"0", "0", "1", "1"}}, "Invalid input",
         "The cell in row 1, column 2 holds '1,5'"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.caption);
        prompts.Clear();
        FillCells(*dlg.CoefficientGrid(), {{"1", "0", "0", "1"}, {"0", "1", "0", "1"}, {"0", "0", "1", "1"}});
        dlg.OnSolve();
        EXPECT_EQ(Solutions(), (QStringList{"Var.1. = 1.", "Var.2. = 1.", "Var.3. = 1."}));
        FillCells(*dlg.CoefficientGrid(), c.cells);  // an edit takes the old solutions away
        EXPECT_EQ(Solutions().join("").trimmed(), "");
        dlg.OnSolve();
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_EQ(prompts.shown[0].caption, c.caption);
        EXPECT_TRUE(prompts.shown[0].text.startsWith(c.start)) << prompts.shown[0].text.toStdString();
        EXPECT_EQ(Solutions().join("").trimmed(), "");
    }
    EXPECT_EQ(dlg.CoefficientGrid()->currentIndex(), dlg.CoefficientGrid()->model()->index(0, 1));
}

// Each coefficient stays with its variable and the free terms in the last column.
TEST_F(SimEq, ResizingKeepsCoefficientsAndFreeTerms)
{
    dlg.CountField()->setText("5");
    EXPECT_EQ(RowTexts(*dlg.CoefficientGrid(), 1), (QStringList{"1", "2", "3", "", "", "9"}));
    dlg.CountField()->setText("2");
    EXPECT_EQ(RowTexts(*dlg.CoefficientGrid(), 2), (QStringList{"2", "-1", "8"}));
    dlg.CountField()->setText("3");
    EXPECT_EQ(RowTexts(*dlg.CoefficientGrid(), 1), (QStringList{"1", "2", "3", "9"}));
}

TEST_F(SimEq, CountsOutsideTwoToTwoHundredNeverResizeOrSolve)
{
    for (const char *pszCount : {"1", "-3", "201", "abc", ""}) {
        dlg.CountField()->setText(QString::fromLatin1(pszCount));
        EXPECT_EQ(dlg.CoefficientGrid()->Rows(), 4) << pszCount;
        prompts.Clear();
        dlg.OnSolve();
        ASSERT_EQ(prompts.shown.size(), 1u) << pszCount;
        EXPECT_TRUE(prompts.shown[0].text.startsWith("Please enter an integer")) << pszCount;
        EXPECT_EQ(Solutions(), (QStringList{"", "", ""}));
    }
    dlg.CountField()->setText("200");
    for (int i = 1; i <= 200; ++i) {
        dlg.CoefficientGrid()->SetTextMatrix(i, i, QStringLiteral("2"));
        dlg.CoefficientGrid()->SetTextMatrix(i, 201, QString::number(2 * i));
    }
    FillCells(*dlg.CoefficientGrid(), {{"2", "0", "0"}, {"0", "2", "0"}, {"0", "0", "2"}});  // over the example
    dlg.OnSolve();
    EXPECT_EQ(dlg.SolutionsGrid()->TextMatrix(200, 0), "Var.200. = 200.");
}

// Replaces a field's text by keystrokes, as the user does: select all, type.
void TypeOver(QLineEdit *pField, const char *text)
{
    pField->setFocus();
    QTest::keyClick(pField, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(pField, QString::fromLatin1(text));
}

QList<QStringList> Cells(const CGrid &grid)
{
    QList<QStringList> rows;
    for (int r = 1; r < grid.Rows(); ++r)
        rows << RowTexts(grid, r);
    return rows;
}

// Typing 10 over 4 passes through 1, and backspace through nothing: a
// smaller size hides cells, and they come back.
TEST_F(Det, SizesPassedThroughWhileTypingLoseNoCell)
{
    dlg.show();
    TypeOver(dlg.SizeField(), "4");
    CEditGrid *pGrid = dlg.Grid();
    pGrid->setCurrentCell(0, 0);
    pGrid->PasteText(QStringLiteral("2 0 0 1\n0 3 0 0\n0 0 5 0\n1 0 0 7\n"));
    const QList<QStringList> typed = Cells(*pGrid);
    TypeOver(dlg.SizeField(), "10");
    EXPECT_EQ(pGrid->Rows(), 11);
    EXPECT_EQ(RowTexts(*pGrid, 4).mid(0, 5), (QStringList{"1", "0", "0", "7", ""}));
    QTest::keyClick(dlg.SizeField(), Qt::Key_Backspace);
    QTest::keyClick(dlg.SizeField(), Qt::Key_Backspace);
    QTest::keyClicks(dlg.SizeField(), QStringLiteral("4"));
    EXPECT_EQ(Cells(*pGrid), typed);
    dlg.OnSolve();
    EXPECT_EQ(dlg.ResultField()->text(), "195");
}

TEST_F(Det, PastedBlockGrowsTheGridAndWhatCannotFitIsNamed)
{
    dlg.SizeField()->setText("3");
    CEditGrid *pGrid = dlg.Grid();
    pGrid->setCurrentCell(0, 0);
    pGrid->PasteText(QStringLiteral("2 0 0 0 0\n0 2 0 0 0\n0 0 2 0 0\n0 0 0 2 0\n0 0 0 0 2"));
    EXPECT_EQ(dlg.SizeField()->text(), "5");
    EXPECT_TRUE(prompts.shown.empty());
    dlg.OnSolve();
    EXPECT_EQ(dlg.ResultField()->text(), "32");
    QString strBig;
    for (int i = 0; i < 52; ++i)
        strBig += QStringLiteral("1 ").repeated(52) + QLatin1Char('\n');
    pGrid->setCurrentCell(0, 0);
    pGrid->PasteText(strBig);
    EXPECT_EQ(dlg.SizeField()->text(), "50");
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.contains("the last 2 row(s) and the last 2 column(s)")) << prompts.shown[0].text.toStdString();
}

// The determinant of a regular matrix is never 0 (its digits, and exact ones
// in full, are the core's and are compared with the command line's).
TEST_F(Det, NearlySingularShowsItsValueWithAWarning)
{
    dlg.SizeField()->setText("2");
    FillCells(*dlg.Grid(), {{"1", "1"}, {"1", "1.000000000000005"}});
    dlg.OnSolve();
    EXPECT_TRUE(dlg.ResultField()->text().startsWith("5.1")) << dlg.ResultField()->text().toStdString();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.contains("condition number about "));
}

TEST_F(SimEq, CountsPassedThroughWhileTypingLoseNoCoefficient)
{
    dlg.show();
    const QList<QStringList> example = Cells(*dlg.CoefficientGrid());
    TypeOver(dlg.CountField(), "25");  // through 2
    EXPECT_EQ(dlg.CoefficientGrid()->Rows(), 26);
    QTest::keyClick(dlg.CountField(), Qt::Key_Backspace);
    QTest::keyClick(dlg.CountField(), Qt::Key_Backspace);
    QTest::keyClicks(dlg.CountField(), QStringLiteral("3"));
    EXPECT_EQ(Cells(*dlg.CoefficientGrid()), example);
    dlg.OnSolve();
    EXPECT_EQ(Solutions(), (QStringList{"Var.1. = 2.", "Var.2. = -1.", "Var.3. = 3."}));
}

class MatrixOps : public ::testing::Test
{
protected:
    MatrixOps()
    {
        prompts.onDialog = [this](QDialog &d) {
            auto &shown = dynamic_cast<CMatrixResultDlg &>(d);
            results.push_back(shown.Result());
            if (copy)
                shown.OnCopyResult();
            return int(QDialog::Accepted);
        };
    }
    void Shape(int operation, int rows, int columns,
               std::initializer_list<std::initializer_list<const char *>> cells = {})
    {
        OperationList(dlg)->setCurrentIndex(operation);
        RowsField(dlg)->setText(QString::number(rows));
        if (columns > 0)  // square operations take the rows
            ColumnsField(dlg)->setText(QString::number(columns));
        FillCells(*FirstGrid(dlg), cells);
    }

    ScriptedPrompts prompts;
    MatrixMemory memory;
    CMatrixOpsDlg dlg{memory};
    std::vector<CMatrix> results;
    bool copy = false;
};

// The product's and the inverse's refusals are compared with the command line's.
TEST_F(MatrixOps, RefusalsShowTheirMessageAndNoResult)
{
    Shape(CMatrixOpsDlg::MultiplyNumber, 1, 1);
    NumberField(dlg)->setText("2,5");
    dlg.OnCalculate();
    EXPECT_TRUE(results.empty());
    EXPECT_EQ(prompts.Texts(), QStringList{"Please enter a number."});
}

TEST_F(MatrixOps, SquareOperationsTieColumnsToRowsAndSizesOutsideTheRangeKeepTheGrids)
{
    Shape(CMatrixOpsDlg::Inverse, 2, 0);
    EXPECT_FALSE(ColumnsField(dlg)->isEnabled());
    EXPECT_EQ(FirstGrid(dlg)->Cols(), 3);

    for (const char *pszRows : {"x", "0", "51"}) {
        RowsField(dlg)->setText(QString::fromLatin1(pszRows));
        EXPECT_EQ(FirstGrid(dlg)->Rows(), 3) << pszRows;
    }
    EXPECT_EQ(prompts.shown.size(), 3u);
    EXPECT_EQ(prompts.shown.back().text, "Please enter an integer between 1 and 50.");
}

// Matrix 2 gets as many rows as Matrix 1 has columns, and as many columns until the user says otherwise.
TEST_F(MatrixOps, SecondMatrixFollowsTheFirst)
{
    Shape(CMatrixOpsDlg::Inverse, 2, 0);
    Shape(CMatrixOpsDlg::Multiply, 2, 0, {{"1", "2"}, {"3", "4"}});
    MatrixButton(dlg, 1)->click();
    EXPECT_EQ(SecondGrid(dlg)->Rows(), 3);
    EXPECT_EQ(SecondGrid(dlg)->Cols(), 3);
    FillCells(*SecondGrid(dlg), {{"5", "6"}, {"7", "8"}});
    dlg.OnCalculate();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0], CMatrix(2, 2, {19, 22, 43, 50}));
}

TEST_F(MatrixOps, CopiedResultPastesExactlyIntoTheShownMatrixOfTheSameSize)
{
    dlg.OnPaste();
    EXPECT_EQ(prompts.Texts(),
              QStringList{"Error 0xA:\nThere's no data at memory.\n\nYou should copy output data to memory first."});
    Shape(CMatrixOpsDlg::Transpose, 2, 1, {{"1e-7"}, {"0.333333333333333314829616256247"}});
    copy = true;
    dlg.OnCalculate();
    ASSERT_TRUE(memory);
    EXPECT_EQ(*memory, CMatrix(1, 2, {1e-7, 1.0 / 3}));
    copy = false;
    Shape(CMatrixOpsDlg::Transpose, 1, 2);
    dlg.OnPaste();
    dlg.OnCalculate();  // chained through the memory the values stay exact
    EXPECT_EQ(results.back(), CMatrix(2, 1, {1e-7, 1.0 / 3}));

    Shape(CMatrixOpsDlg::Multiply, 2, 1, {{"1"}, {"0"}});
    prompts.Clear();
    dlg.OnPaste();  // 1 x 2 into 2 x 1
    EXPECT_TRUE(prompts.Texts().value(0).contains(QString::fromUtf8("(1 \u00d7 2) is not match")));
    EXPECT_EQ(ColumnTexts(*FirstGrid(dlg), 1), (QStringList{"1", "0"}));
}

TEST_F(MatrixOps, RowsPassedThroughWhileTypingLoseNoCell)
{
    dlg.show();
    Shape(CMatrixOpsDlg::Transpose, 3, 2, {{"1", "2"}, {"3", "4"}, {"5", "6"}});
    TypeOver(RowsField(dlg), "12");  // through 1
    TypeOver(ColumnsField(dlg), "1");
    QTest::keyClick(RowsField(dlg), Qt::Key_Backspace);  // back to 1 row
    TypeOver(RowsField(dlg), "3");
    TypeOver(ColumnsField(dlg), "2");
    EXPECT_EQ(Cells(*FirstGrid(dlg)), (QList<QStringList>{{"1", "2"}, {"3", "4"}, {"5", "6"}}));
}

// An inverse beyond a condition of 1e6 is shown to the digits that hold, with a warning.
TEST_F(MatrixOps, IllConditionedInverseWarnsAndKeepsOnlyDigitsThatHold)
{
    Shape(CMatrixOpsDlg::Inverse, 6, 0);
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j)
            FirstGrid(dlg)->SetTextMatrix(i, j, QString::fromStdString(ShownExact(1.0 / (i + j - 1))));
    dlg.OnCalculate();
    ASSERT_EQ(results.size(), 1u);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.contains("condition number about 2.0e7, so only the first 8 significant digits"))
        << prompts.shown[0].text.toStdString();
    EXPECT_LT(dlg.ResultDigits(), 10);
    EXPECT_EQ(ShownMatrixCell(results[0].At(3, 4), dlg.ResultDigits()), "-3969000.0");
    Shape(CMatrixOpsDlg::Inverse, 2, 0, {{"4", "7"}, {"2", "6"}});
    dlg.OnCalculate();
    EXPECT_EQ(dlg.ResultDigits(), 15);
}

using ToolsCommands = FrameFixture;

// Each command opens its tool; a result copied in one run of the matrix tool is pasted in the next.
TEST_F(ToolsCommands, OpenTheirDialogsAndTheMatrixMemoryLastsBetweenRuns)
{
    ShowFrame();
    QStringList titles;
    QString pasted;
    // The tool's dialog is played by `inside`; a matrix result shown from it has Copy Result pressed.
    const auto run = [&](int id, const std::function<void(QDialog &)> &inside = {}) {
        prompts.onDialog = [&](QDialog &dialog) {
            if (auto *pResult = qobject_cast<CMatrixResultDlg *>(&dialog)) {
                pResult->OnCopyResult();
                return int(QDialog::Accepted);
            }
            titles << dialog.windowTitle();
            if (inside)
                inside(dialog);
            dialog.reject();
            return dialog.result();
        };
        EXPECT_TRUE(m_pFrame->ExecuteCommand(id));
    };
    QString kept;
    run(ID_SIMULTANEOUS, [](QDialog &dlg) {
        static_cast<CSimEqDlg &>(dlg).CountField()->setText("4");
        static_cast<CSimEqDlg &>(dlg).CoefficientGrid()->SetTextMatrix(4, 5, QStringLiteral("42"));
    });
    run(ID_SIMULTANEOUS, [&](QDialog &dlg) { kept = static_cast<CSimEqDlg &>(dlg).CoefficientGrid()->TextMatrix(4, 5); });
    run(ID_DETERMINANTS);
    run(ID_MATRICES, [](QDialog &dlg) {
        auto &ops = static_cast<CMatrixOpsDlg &>(dlg);
        OperationList(ops)->setCurrentIndex(CMatrixOpsDlg::Transpose);
        RowsField(ops)->setText("1");
        ColumnsField(ops)->setText("1");
        FirstGrid(ops)->SetTextMatrix(1, 1, QStringLiteral("9"));
        ops.OnCalculate();
    });
    run(ID_MATRICES, [&](QDialog &dlg) {
        auto &ops = static_cast<CMatrixOpsDlg &>(dlg);
        RowsField(ops)->setText("1");
        ColumnsField(ops)->setText("1");
        ops.OnPaste();
        pasted = FirstGrid(ops)->TextMatrix(1, 1);
    });
    EXPECT_EQ(titles, (QStringList{"Simultaneous Equation Calculator", "Simultaneous Equation Calculator",
                                   "Solving Determinants", "Matrices Operations", "Matrices Operations"}));
    EXPECT_EQ(pasted, "9");
    EXPECT_EQ(kept, "42");  // the system typed in the first run
}

}  // namespace
