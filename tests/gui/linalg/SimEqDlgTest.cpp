#include "gui/linalg/SimEqDlg.h"
#include "gui/linalg/EditGrid.h"
#include "gui/linalg/GridEdit.h"
#include "gui/linalg/SpinButton.h"

#include "gui/MessageRecorder.h"
#include "gui/linalg/GridTestSupport.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

namespace {

class SimEq : public ::testing::Test
{
protected:
    void SetCount(int n) { dlg.CountField()->setText(QString::number(n)); }
    QStringList Solutions() const { return ColumnTexts(*dlg.SolutionsGrid(), 0); }

    MessageRecorder messages;
    CSimEqDlg dlg;
};

TEST_F(SimEq, OpensWithTheExampleSystem)
{
    EXPECT_EQ(dlg.CountField()->text(), "3");
    EXPECT_EQ(dlg.CoefficientGrid()->Rows(), 4);
    EXPECT_EQ(dlg.CoefficientGrid()->Cols(), 5);
    EXPECT_EQ(dlg.SolutionsGrid()->TextMatrix(0, 0), "Solutions");
    EXPECT_EQ(dlg.Spin()->Minimum(), 2);
    EXPECT_EQ(dlg.Spin()->Maximum(), 200);
    dlg.OnSolve();
    EXPECT_EQ(Solutions(), (QStringList{"Var.1. = 2.", "Var.2. = -1.", "Var.3. = 3."}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SimEq, CountTwoLaysOutTheHeaders)
{
    SetCount(2);
    const CGrid &grid = *dlg.CoefficientGrid();
    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_EQ(grid.Cols(), 4);
    EXPECT_EQ(RowTexts(grid, 0), (QStringList{"Coeff. 1.", "Coeff. 2.", "Free Term"}));
    EXPECT_EQ(ColumnTexts(grid, 0), (QStringList{"Equa. 1.", "Equa. 2."}));
    EXPECT_EQ(dlg.SolutionsGrid()->Rows(), 3);
    SetCount(3);  // the old "Free Term" header does not stay behind
    EXPECT_EQ(RowTexts(grid, 0), (QStringList{"Coeff. 1.", "Coeff. 2.", "Coeff. 3.", "Free Term"}));
}

struct SystemCase {
    const char *name;
    int n;
    std::vector<std::vector<const char *>> rows;
    QStringList solutions;
};

class SimEqSolves : public SimEq, public ::testing::WithParamInterface<SystemCase> {};

TEST_P(SimEqSolves, ShowsTheSolutions)
{
    SetCount(GetParam().n);
    for (int i = 0; i < GetParam().n; ++i)
        for (int j = 0; j <= GetParam().n; ++j)
            dlg.CoefficientGrid()->SetTextMatrix(i + 1, j + 1, QString::fromLatin1(GetParam().rows[i][j]));
    dlg.OnSolve();
    EXPECT_EQ(Solutions(), GetParam().solutions);
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Systems, SimEqSolves,
    ::testing::Values(SystemCase{"LeadingZero", 2, {{"0", "1", "1"}, {"1", "1", "3"}}, {"Var.1. = 2.", "Var.2. = 1."}},
                      SystemCase{"TextReadsAsZero", 2, {{"2", "x", "4"}, {"", "4", "8"}}, {"Var.1. = 2.", "Var.2. = 2."}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(SimEq, SingularSystemShowsErrorAndNoSolutions)
{
    dlg.OnSolve();  // solutions of the example first
    FillCells(*dlg.CoefficientGrid(), {{"1", "2", "3", "1"}, {"2", "4", "6", "2"}, {"0", "0", "1", "1"}});
    dlg.OnSolve();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "Error 0x07:\n\nYou entered an invalaid input!\nPlease decrease the number of variables by 1 and try again.");
    EXPECT_EQ(messages.shown[0].caption, "Invalid input, extra variable");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);
    for (const QString &strText : Solutions())
        EXPECT_EQ(strText.trimmed(), "");
}

TEST_F(SimEq, CountsOutsideTheRangeNeverResizeOrSolve)
{
    for (const char *pszCount : {"1", "0", "-3", "201", "abc", ""}) {
        dlg.CountField()->setText(QString::fromLatin1(pszCount));
        EXPECT_EQ(dlg.CoefficientGrid()->Rows(), 4) << pszCount;
        messages.Clear();
        dlg.OnSolve();
        ASSERT_EQ(messages.shown.size(), 1u) << pszCount;
        EXPECT_TRUE(messages.shown[0].text.startsWith("Please enter an integer")) << pszCount;
        EXPECT_EQ(Solutions(), (QStringList{"", "", ""}));
    }
    dlg.CountField()->setText(QStringLiteral("201"));
    messages.Clear();
    dlg.OnSolve();
    EXPECT_EQ(messages.Texts(), QStringList{"Please enter an integer between 2 and 200."});
}

TEST_F(SimEq, LargestCountLaysOutAndSolves)
{
    SetCount(200);
    EXPECT_EQ(dlg.CoefficientGrid()->Rows(), 201);
    EXPECT_EQ(dlg.CoefficientGrid()->Cols(), 202);
    for (int i = 1; i <= 200; ++i) {
        dlg.CoefficientGrid()->SetTextMatrix(i, i, QStringLiteral("2"));
        dlg.CoefficientGrid()->SetTextMatrix(i, 201, QString::number(2 * i));
    }
    FillCells(*dlg.CoefficientGrid(), {{"2", "0", "0"}, {"0", "2", "0"}, {"0", "0", "2"}});  // over the example
    dlg.OnSolve();
    EXPECT_EQ(dlg.SolutionsGrid()->TextMatrix(200, 0), "Var.200. = 200.");
}

TEST_F(SimEq, PendingEditIsSolvedWith)
{
    dlg.CoefficientGrid()->setCurrentCell(0, 3);  // free term of equation 1
    QTest::keyClicks(dlg.CoefficientGrid(), QStringLiteral("1"));
    QTest::keyClicks(dlg.CoefficientGrid()->Editor(), QStringLiteral("5"));
    dlg.OnSolve();  // "&Solve" straight away
    EXPECT_EQ(dlg.CoefficientGrid()->TextMatrix(1, 4), "15");
    EXPECT_EQ(Solutions(), (QStringList{"Var.1. = 2.3", "Var.2. = 0.5", "Var.3. = 3.9"}));
}

}  // namespace
