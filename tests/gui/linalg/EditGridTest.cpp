#include "gui/linalg/EditGrid.h"
#include "gui/linalg/GridEdit.h"
#include "gui/linalg/SpinButton.h"
#include "core/linalg/Matrix.h"

#include "gui/linalg/GridTestSupport.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A grid of 3 x 3 cells in a dialog with a default button, as the tools have.
class EditGridKeys : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto *pLayout = new QVBoxLayout(&dialog);
        pGrid = new CEditGrid(&dialog);
        pOk = new QPushButton(QStringLiteral("OK"), &dialog);
        pOk->setDefault(true);
        pOther = new QLineEdit(&dialog);
        pLayout->addWidget(pGrid);
        pLayout->addWidget(pOther);
        pLayout->addWidget(pOk);
        pGrid->SetRows(4);
        pGrid->SetCols(4);
        FillCells(*pGrid, {{"1", "2", "3"}, {"4", "3.5", "6"}, {"7", "8", "9"}});
        pGrid->setCurrentCell(1, 1);  // cell (2, 2), holding 3.5
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        pGrid->setFocus();
    }
    QString Current() const { return pGrid->TextMatrix(2, 2); }
    void Type(QWidget *pWidget, const char *pszKeys) { QTest::keyClicks(pWidget, QString::fromLatin1(pszKeys)); }

    QDialog dialog;
    CEditGrid *pGrid = nullptr;
    QPushButton *pOk = nullptr;
    QLineEdit *pOther = nullptr;
};

TEST_F(EditGridKeys, DigitsThenEnterStoreTheText)
{
    QSignalSpy okClicks(pOk, &QPushButton::clicked);
    QTest::keyClick(pGrid, Qt::Key_1);
    ASSERT_TRUE(pGrid->IsEditing());
    Type(pGrid->Editor(), "2");
    QTest::keyClick(pGrid->Editor(), Qt::Key_Return);
    EXPECT_FALSE(pGrid->IsEditing());
    EXPECT_EQ(Current(), "12");
    EXPECT_EQ(okClicks.count(), 0);  // Enter belongs to the editor, not the default button
}

TEST_F(EditGridKeys, EscapeDiscardsAndKeepsTheDialogOpen)
{
    QTest::keyClick(pGrid, Qt::Key_7);
    QTest::keyClick(pGrid->Editor(), Qt::Key_Escape);
    EXPECT_FALSE(pGrid->IsEditing());
    EXPECT_EQ(Current(), "3.5");
    EXPECT_TRUE(pGrid->Editor()->text().isEmpty());
    QTest::keyClick(pGrid, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(EditGridKeys, MinusAndPointStartANewText)
{
    for (const char *pszStart : {"-", "."}) {
        QTest::keyClicks(pGrid, QString::fromLatin1(pszStart));
        Type(pGrid->Editor(), "5");
        QTest::keyClick(pGrid->Editor(), Qt::Key_Enter);
        EXPECT_EQ(Current(), QString::fromLatin1(pszStart) + "5");
    }
}

TEST_F(EditGridKeys, LettersDoNothing)
{
    Type(pGrid, "x7a");  // only the digit starts editing
    EXPECT_EQ(pGrid->Editor()->text(), "7");
    pGrid->DiscardPending();
    Type(pGrid, "abc");
    EXPECT_FALSE(pGrid->IsEditing());
    EXPECT_EQ(pGrid->currentRow(), 1);
    EXPECT_EQ(pGrid->currentColumn(), 1);
    EXPECT_EQ(Current(), "3.5");
}

TEST_F(EditGridKeys, EnterEditsTheTextWithAllOfItSelected)
{
    QTest::keyClick(pGrid, Qt::Key_Return);
    ASSERT_TRUE(pGrid->IsEditing());
    EXPECT_EQ(pGrid->Editor()->selectedText(), "3.5");
    Type(pGrid->Editor(), "4");
    QTest::keyClick(pGrid->Editor(), Qt::Key_Return);
    EXPECT_EQ(Current(), "4");
}

TEST_F(EditGridKeys, DoubleClickEditsLikeEnter)
{
    const QRect cell = pGrid->visualRect(pGrid->model()->index(1, 1));
    QTest::mouseDClick(pGrid->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_TRUE(pGrid->IsEditing());
    EXPECT_EQ(pGrid->Editor()->text(), "3.5");
}

TEST_F(EditGridKeys, ComingBackToTheGridStoresThePendingText)
{
    QTest::keyClick(pGrid, Qt::Key_9);
    pOther->setFocus();
    EXPECT_TRUE(pGrid->IsEditing());
    pGrid->setFocus();
    EXPECT_FALSE(pGrid->IsEditing());
    EXPECT_EQ(Current(), "9");
}

TEST_F(EditGridKeys, LeavingTheCellStoresIntoTheCellThatWasEdited)
{
    QTest::keyClick(pGrid, Qt::Key_9);
    pGrid->setCurrentCell(0, 0);
    EXPECT_EQ(Current(), "9");
    EXPECT_EQ(pGrid->TextMatrix(1, 1), "1");
}

TEST_F(EditGridKeys, ShrinkingUnderTheEditorWritesNothingOutside)
{
    pGrid->setCurrentCell(2, 2);
    QTest::keyClick(pGrid, Qt::Key_5);
    pGrid->SetRows(2);  // commits first, while the cell still exists
    pGrid->SetRows(4);
    EXPECT_FALSE(pGrid->IsEditing());
    EXPECT_EQ(pGrid->TextMatrix(3, 3), "");
}

TEST(Grid, HeadersAreRowZeroAndColumnZero)
{
    CGrid grid;
    grid.SetRows(3);
    grid.SetCols(4);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.columnCount(), 3);
    grid.WriteNumberHeaders();
    EXPECT_EQ(grid.TextMatrix(0, 3), "3        ");
    EXPECT_EQ(grid.TextMatrix(2, 0), "2        ");
    grid.SetTextMatrix(5, 5, QStringLiteral("outside"));  // ignored, not a crash
    EXPECT_EQ(grid.TextMatrix(5, 5), "");
    grid.SetFixedCols(0);
    EXPECT_EQ(grid.Cols(), 4);
    grid.SetTextMatrix(1, 0, QStringLiteral("first cell"));
    EXPECT_EQ(grid.item(0, 0)->text(), "first cell");
}

TEST(Grid, TwipsFollowTheDpi)
{
    CGrid grid;
    EXPECT_EQ(grid.TwipsToPixelsX(1440), grid.logicalDpiX());
    EXPECT_EQ(grid.TwipsToPixelsY(720), grid.logicalDpiY() / 2);
    grid.SetCols(3);
    grid.SetColWidth(2, 1440);
    EXPECT_EQ(grid.columnWidth(1), grid.logicalDpiX());
}

TEST(Grid, CellsReadAsNumbersInAnyLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    CGrid grid;
    grid.SetRows(2);
    grid.SetCols(5);
    FillCells(grid, {{"2.5", "abc", "", "-1e-3x"}});
    EXPECT_EQ(grid.ReadMatrix(), CMatrix(1, 4, {2.5, 0, 0, -1e-3}));
    QLocale::setDefault(previous);
}

TEST(SpinButton, StepsWithinItsRange)
{
    QLineEdit field;
    CSpinButton spin;
    spin.SetRange(2, 200);
    spin.SetBuddy(&field);
    field.setText(QStringLiteral("199"));
    spin.StepBy(1);
    spin.StepBy(1);
    EXPECT_EQ(field.text(), "200");
    field.setText(QStringLiteral("2"));
    spin.StepBy(-1);
    EXPECT_EQ(field.text(), "2");
    field.setText(QStringLiteral("junk"));
    spin.StepBy(1);
    EXPECT_EQ(field.text(), "3");
    QTest::keyClick(&field, Qt::Key_Up);
    EXPECT_EQ(field.text(), "4");
}

}  // namespace
