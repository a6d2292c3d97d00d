#include "gui/linalg/MatrixOpsDlg.h"
#include "gui/linalg/EditGrid.h"
#include "gui/linalg/MatrixResultDlg.h"

#include "gui/MessageRecorder.h"
#include "gui/linalg/GridTestSupport.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

class MatrixOps : public ::testing::Test
{
protected:
    MatrixOps()
    {
        dlg.SetResultRunner([this](const CMatrix &result) {
            shownResults.push_back(result);
            return bCopy;
        });
    }
    void Select(int nOperation) { dlg.OperationList()->setCurrentIndex(nOperation); }
    void SetRows(int n) { dlg.RowsField()->setText(QString::number(n)); }
    void SetColumns(int n) { dlg.ColumnsField()->setText(QString::number(n)); }
    void FirstTwoByTwo(std::initializer_list<std::initializer_list<const char *>> cells)
    {
        SetRows(2);
        SetColumns(2);
        FillCells(*dlg.FirstGrid(), cells);
    }

    MessageRecorder messages;
    MatrixMemory memory;
    CMatrixOpsDlg dlg{memory};
    std::vector<CMatrix> shownResults;
    bool bCopy = false;
};

TEST_F(MatrixOps, Opening)
{
    EXPECT_EQ(dlg.RowsField()->text(), "6");
    EXPECT_EQ(dlg.ColumnsField()->text(), "4");
    EXPECT_EQ(dlg.FirstGrid()->Rows(), 7);
    EXPECT_EQ(dlg.FirstGrid()->Cols(), 5);
    EXPECT_TRUE(dlg.SecondGrid()->isHidden());
    EXPECT_EQ(dlg.OperationList()->count(), 5);
    EXPECT_EQ(dlg.OperationList()->itemText(4), "Adjoint matrix");
    EXPECT_EQ(dlg.InputGroup()->title(), "First matrix input");
    EXPECT_TRUE(dlg.MatrixButton(0)->isChecked());
    EXPECT_TRUE(dlg.NumberField()->isHidden());
    EXPECT_EQ(dlg.FirstGrid()->TextMatrix(0, 4), "4        ");
}

TEST_F(MatrixOps, MultiplyTwoMatrices)
{
    FirstTwoByTwo({{"1", "2"}, {"3", "4"}});
    EXPECT_EQ(dlg.SecondGrid()->Rows(), 3);  // follows the first matrix's columns
    dlg.MatrixButton(1)->click();
    EXPECT_EQ(dlg.InputGroup()->title(), "Second matrix input");
    EXPECT_FALSE(dlg.RowsField()->isEnabled());
    EXPECT_EQ(dlg.RowsField()->text(), "2");
    SetColumns(2);
    FillCells(*dlg.SecondGrid(), {{"5", "6"}, {"7", "8"}});
    dlg.OnCalculate();
    ASSERT_EQ(shownResults.size(), 1u);
    EXPECT_EQ(shownResults[0], CMatrix(2, 2, {19, 22, 43, 50}));
    CMatrixResultDlg result(shownResults[0]);
    EXPECT_EQ(RowTexts(*result.Grid(), 1), (QStringList{"19.0000", "22.0000"}));
    EXPECT_EQ(RowTexts(*result.Grid(), 2), (QStringList{"43.0000", "50.0000"}));
    dlg.MatrixButton(0)->click();
    EXPECT_TRUE(dlg.RowsField()->isEnabled());
    EXPECT_TRUE(dlg.SecondGrid()->isHidden());
}

TEST_F(MatrixOps, ProductOfUnmatchedSizesIsRefused)
{
    Select(CMatrixOpsDlg::Transpose);
    SetColumns(6);
    Select(CMatrixOpsDlg::Multiply);
    ASSERT_NE(dlg.FirstGrid()->Cols() - 1, dlg.SecondGrid()->Rows() - 1);
    dlg.OnCalculate();
    EXPECT_TRUE(shownResults.empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Different size ");
    EXPECT_TRUE(messages.shown[0].text.contains("6 columns but the second has 1 rows"));
}

TEST_F(MatrixOps, MultiplyByANumber)
{
    Select(CMatrixOpsDlg::MultiplyNumber);
    EXPECT_EQ(dlg.InputGroup()->title(), "Mutiply input");
    EXPECT_FALSE(dlg.NumberField()->isHidden());
    FirstTwoByTwo({{"1", "-2"}, {"0.5", "4"}});
    dlg.NumberField()->setText(QStringLiteral("2.5"));
    dlg.OnCalculate();
    ASSERT_EQ(shownResults.size(), 1u);
    EXPECT_EQ(shownResults[0], CMatrix(2, 2, {2.5, -5, 1.25, 10}));
    dlg.NumberField()->setText(QStringLiteral("2,5"));
    dlg.OnCalculate();
    EXPECT_EQ(messages.Texts(), QStringList{"Please enter a number."});
    EXPECT_EQ(shownResults.size(), 1u);
}

TEST_F(MatrixOps, TransposeShowsTheOtherShape)
{
    Select(CMatrixOpsDlg::Transpose);
    EXPECT_EQ(dlg.Description()->text(), "Input a matrix .Then, click calculate.");
    SetRows(2);
    SetColumns(3);
    FillCells(*dlg.FirstGrid(), {{"1", "2", "3"}, {"4", "5", "6"}});
    dlg.OnCalculate();
    ASSERT_EQ(shownResults.size(), 1u);
    CMatrixResultDlg result(shownResults[0]);
    EXPECT_EQ(result.Grid()->Rows(), 4);
    EXPECT_EQ(result.Grid()->Cols(), 3);
    EXPECT_EQ(RowTexts(*result.Grid(), 3), (QStringList{"3.0000", "6.0000"}));
}

TEST_F(MatrixOps, InverseAndAdjointAreSquare)
{
    Select(CMatrixOpsDlg::Inverse);
    EXPECT_FALSE(dlg.ColumnsField()->isEnabled());
    EXPECT_EQ(dlg.FirstGrid()->Cols(), 7);
    SetRows(2);
    EXPECT_EQ(dlg.FirstGrid()->Cols(), 3);
    EXPECT_EQ(dlg.ColumnsField()->text(), "2");
    FillCells(*dlg.FirstGrid(), {{"4", "7"}, {"2", "6"}});
    dlg.OnCalculate();
    Select(CMatrixOpsDlg::Adjoint);
    dlg.OnCalculate();
    ASSERT_EQ(shownResults.size(), 2u);
    EXPECT_EQ(shownResults[0], CMatrix(2, 2, {0.6, -0.7, -0.2, 0.4}));
    EXPECT_EQ(shownResults[1], CMatrix(2, 2, {6, -7, -2, 4}));
}

TEST_F(MatrixOps, SingularMatrixIsNotInverted)
{
    Select(CMatrixOpsDlg::Inverse);
    SetRows(3);
    FillCells(*dlg.FirstGrid(), {{"0.1", "0.2", "0.3"}, {"0.4", "0.5", "0.6"}, {"0.7", "0.8", "0.9"}});
    dlg.OnCalculate();
    EXPECT_TRUE(shownResults.empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Error 0x08:\n\nCan't find the inverse Matrix!The determinant of Matrix equal to "
                                      "zero!\nPlease try another Matrix");
    EXPECT_EQ(messages.shown[0].caption, "Invalid Matrix");
}

TEST_F(MatrixOps, RowsOutsideTheRangeKeepTheGrids)
{
    for (const char *pszRows : {"0", "51", "x"}) {
        dlg.RowsField()->setText(QString::fromLatin1(pszRows));
        EXPECT_EQ(dlg.FirstGrid()->Rows(), 7) << pszRows;
    }
    dlg.ColumnsField()->setText(QStringLiteral("99"));
    EXPECT_EQ(dlg.FirstGrid()->Cols(), 5);
    EXPECT_EQ(messages.shown.size(), 4u);
    EXPECT_EQ(messages.shown.back().text, "Please enter an integer between 1 and 50.");
}

TEST_F(MatrixOps, PasteFromAnEmptyMemory)
{
    dlg.OnPaste();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Error 0xA:\nThere's no data at memory.\n\nYou should copy output data to memory first.");
    EXPECT_EQ(messages.shown[0].caption, "No Data exist ");
}

TEST_F(MatrixOps, CopyResultThenPaste)
{
    Select(CMatrixOpsDlg::Adjoint);
    SetRows(2);
    FillCells(*dlg.FirstGrid(), {{"4", "7"}, {"2", "6"}});
    bCopy = true;
    dlg.OnCalculate();
    ASSERT_TRUE(memory);
    EXPECT_EQ(*memory, CMatrix(2, 2, {6, -7, -2, 4}));
    FillCells(*dlg.FirstGrid(), {{"0", "0"}, {"0", "0"}});
    dlg.OnPaste();
    EXPECT_EQ(RowTexts(*dlg.FirstGrid(), 1), (QStringList{"6", "-7"}));
    SetRows(3);
    dlg.OnPaste();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QString::fromUtf8("Error 0x09:\nCan't paste from memory to input.\n\nThe size of "
                                                        "memory data (2 \u00d7 2) is not match with that of input."));
    EXPECT_EQ(messages.shown[0].caption, "Different size ");
}

TEST_F(MatrixOps, PasteGoesToTheSecondMatrixWhenItIsShown)
{
    memory = CMatrix(2, 1, {1, 2});
    FirstTwoByTwo({{"1", "0"}, {"0", "1"}});
    dlg.MatrixButton(1)->click();
    SetColumns(1);
    dlg.OnPaste();
    EXPECT_EQ(ColumnTexts(*dlg.SecondGrid(), 1), (QStringList{"1", "2"}));
    EXPECT_EQ(RowTexts(*dlg.FirstGrid(), 1), (QStringList{"1", "0"}));
}

// Chained through the memory the values stay exact: 1e-7 and 1/3 survive.
TEST_F(MatrixOps, PastingKeepsTheValues)
{
    memory = CMatrix(1, 2, {1e-7, 1.0 / 3});
    Select(CMatrixOpsDlg::Transpose);
    SetRows(1);
    SetColumns(2);
    dlg.OnPaste();
    dlg.OnCalculate();
    ASSERT_EQ(shownResults.size(), 1u);
    EXPECT_EQ(shownResults[0], CMatrix(2, 1, {1e-7, 1.0 / 3}));
}

TEST_F(MatrixOps, MemoryOutlivesTheDialog)
{
    memory = CMatrix(1, 1, {5});
    CMatrixOpsDlg other(memory);
    other.RowsField()->setText(QStringLiteral("1"));
    other.ColumnsField()->setText(QStringLiteral("1"));
    other.OnPaste();
    EXPECT_EQ(other.FirstGrid()->TextMatrix(1, 1), "5");
}

TEST_F(MatrixOps, PendingEditIsCalculatedWith)
{
    Select(CMatrixOpsDlg::Transpose);
    SetRows(1);
    SetColumns(1);
    dlg.FirstGrid()->setCurrentCell(0, 0);
    QTest::keyClicks(dlg.FirstGrid(), QStringLiteral("4"));
    dlg.OnCalculate();
    ASSERT_EQ(shownResults.size(), 1u);
    EXPECT_EQ(shownResults[0], CMatrix(1, 1, {4}));
}

TEST(MatrixResult, CopyResultKeepsTheDialogOpen)
{
    CMatrixResultDlg dlg(CMatrix(1, 1, {1.0 / 3}));
    EXPECT_FALSE(dlg.CopyRequested());
    EXPECT_EQ(dlg.Grid()->TextMatrix(1, 1), "0.3333");
    EXPECT_EQ(dlg.Grid()->TextMatrix(0, 1), "1        ");
    dlg.OnCopyResult();
    EXPECT_TRUE(dlg.CopyRequested());
    EXPECT_EQ(dlg.result(), 0);
}

}  // namespace
