// The grids of the linear-algebra tools: keyboard editing inside a dialog, cells, the spin button.
#include "core/linalg/Matrix.h"
#include "gui/linalg/EditGrid.h"
#include "gui/linalg/GridEdit.h"
#include "gui/linalg/GridTestSupport.h"
#include "gui/linalg/SpinButton.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
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
        auto *pOk = new QPushButton(QStringLiteral("OK"), &dialog);
        pOk->setDefault(true);
        QObject::connect(pOk, &QPushButton::clicked, &dialog, &QDialog::accept);
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
    QLineEdit *pOther = nullptr;
};

TEST_F(EditGridKeys, DigitsMinusAndPointStartATextThatEnterStores)
{
    for (const char *pszTyped : {"12", "-5", ".5"}) {
        Type(pGrid, "x");  // letters start nothing
        EXPECT_FALSE(pGrid->IsEditing());
        QTest::keyClick(pGrid, pszTyped[0]);
        ASSERT_TRUE(pGrid->IsEditing());
        Type(pGrid->Editor(), pszTyped + 1);
        QTest::keyClick(pGrid->Editor(), Qt::Key_Return);
        EXPECT_FALSE(pGrid->IsEditing());
        EXPECT_EQ(Current(), pszTyped);
    }
    EXPECT_TRUE(dialog.isVisible());  // Enter belongs to the editor, not the default button
}

TEST_F(EditGridKeys, EscapeDiscardsAndKeepsTheDialogOpen)
{
    QTest::keyClick(pGrid, Qt::Key_7);
    QTest::keyClick(pGrid->Editor(), Qt::Key_Escape);
    EXPECT_FALSE(pGrid->IsEditing());
    EXPECT_EQ(Current(), "3.5");
    QTest::keyClick(pGrid, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(EditGridKeys, EnterAndDoubleClickEditTheWholeText)
{
    QTest::keyClick(pGrid, Qt::Key_Return);
    ASSERT_TRUE(pGrid->IsEditing());
    EXPECT_EQ(pGrid->Editor()->selectedText(), "3.5");
    Type(pGrid->Editor(), "4");
    QTest::keyClick(pGrid->Editor(), Qt::Key_Return);
    EXPECT_EQ(Current(), "4");
    QTest::mouseDClick(pGrid->viewport(), Qt::LeftButton, {}, pGrid->visualRect(pGrid->model()->index(1, 1)).center());
    ASSERT_TRUE(pGrid->IsEditing());
    EXPECT_EQ(pGrid->Editor()->text(), "4");
}

TEST_F(EditGridKeys, PendingTextGoesIntoTheCellThatWasEditedAndNowhereElse)
{
    QTest::keyClick(pGrid, Qt::Key_9);
    pOther->setFocus();
    EXPECT_TRUE(pGrid->IsEditing());
    pGrid->setFocus();  // coming back stores it
    EXPECT_FALSE(pGrid->IsEditing());
    EXPECT_EQ(Current(), "9");

    QTest::keyClick(pGrid, Qt::Key_8);
    pGrid->setCurrentCell(0, 0);  // leaving the cell stores into the edited one
    EXPECT_EQ(Current(), "8");
    EXPECT_EQ(pGrid->TextMatrix(1, 1), "1");

    pGrid->setCurrentCell(2, 2);
    QTest::keyClick(pGrid, Qt::Key_5);
    pGrid->SetRows(2);  // commits first, while the cell still exists
    pGrid->SetRows(4);
    EXPECT_EQ(pGrid->TextMatrix(3, 3), "");
}

TEST(Grid, HeadersAreRowAndColumnZeroAndCellsReadAsNumbersInAnyLocale)
{
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
    const struct { const char *text; int step; const char *after; } cases[] = {
        {"199", 2, "200"}, {"2", -1, "2"}, {"junk", 1, "3"}};
    for (const auto &c : cases) {
        field.setText(QString::fromLatin1(c.text));
        for (int i = 0; i < std::abs(c.step); ++i)
            spin.StepBy(c.step > 0 ? 1 : -1);
        EXPECT_EQ(field.text(), c.after) << c.text;
    }
    QTest::keyClick(&field, Qt::Key_Up);
    EXPECT_EQ(field.text(), "4");
}

}  // namespace
