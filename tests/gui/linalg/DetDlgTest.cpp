#include "gui/linalg/DetDlg.h"
#include "gui/linalg/EditGrid.h"
#include "gui/linalg/GridEdit.h"
#include "gui/linalg/SpinButton.h"

#include "gui/MessageRecorder.h"
#include "gui/linalg/GridTestSupport.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

namespace {

class Det : public ::testing::Test
{
protected:
    void SetSize(int n) { dlg.SizeField()->setText(QString::number(n)); }

    MessageRecorder messages;
    CDetDlg dlg;
};

TEST_F(Det, OpensWithAFiveByFiveGrid)
{
    EXPECT_EQ(dlg.SizeField()->text(), "5");
    EXPECT_EQ(dlg.Grid()->Rows(), 6);
    EXPECT_EQ(dlg.Grid()->Cols(), 6);
    EXPECT_EQ(dlg.Grid()->TextMatrix(0, 1), "1        ");
    EXPECT_EQ(dlg.Grid()->TextMatrix(5, 0), "5        ");
    EXPECT_EQ(dlg.ResultField()->text(), "0");
    EXPECT_EQ(dlg.Spin()->Minimum(), 2);
    EXPECT_EQ(dlg.Spin()->Maximum(), 200);
}

struct DetCase {
    const char *name;
    int n;
    std::vector<std::vector<const char *>> rows;
    const char *result;
};

class DetSolves : public Det, public ::testing::WithParamInterface<DetCase> {};

TEST_P(DetSolves, ShowsTheDeterminant)
{
    SetSize(GetParam().n);
    for (int i = 0; i < GetParam().n; ++i)
        for (int j = 0; j < GetParam().n; ++j)
            dlg.Grid()->SetTextMatrix(i + 1, j + 1, QString::fromLatin1(GetParam().rows[i][j]));
    dlg.OnSolve();
    EXPECT_EQ(dlg.ResultField()->text(), GetParam().result);
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Matrices, DetSolves,
                         ::testing::Values(DetCase{"TwoByTwo", 2, {{"1", "2"}, {"3", "4"}}, "-2"},
                                           DetCase{"OneByOne", 1, {{"3"}}, "3"},
                                           DetCase{"EmptyCells", 2, {{"", "1"}, {"1", ""}}, "-1"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(Det, SizesOutsideTheRangeKeepTheGrid)
{
    for (const char *pszSize : {"0", "51", "200", "x"}) {
        messages.Clear();
        dlg.SizeField()->setText(QString::fromLatin1(pszSize));
        EXPECT_EQ(dlg.Grid()->Rows(), 6) << pszSize;
        ASSERT_EQ(messages.shown.size(), 1u) << pszSize;
        messages.Clear();
        dlg.OnSolve();
        EXPECT_EQ(messages.shown.size(), 1u) << pszSize;
        EXPECT_EQ(dlg.ResultField()->text(), "0");
    }
    dlg.SizeField()->setText(QStringLiteral("0"));
    EXPECT_EQ(messages.shown.back().text, "Please enter an integer between 1 and 50.");
}

TEST_F(Det, LargestSizeSolvesAtOnce)
{
    SetSize(50);
    for (int i = 1; i <= 50; ++i)
        dlg.Grid()->SetTextMatrix(i, i, QStringLiteral("2"));
    dlg.Grid()->SetTextMatrix(50, 1, QStringLiteral("7"));  // below the diagonal: no change
    dlg.OnSolve();
    EXPECT_EQ(dlg.ResultField()->text(), "1.12589990684262e+15");
}

TEST_F(Det, PendingEditIsUsed)
{
    SetSize(1);
    dlg.Grid()->setCurrentCell(0, 0);
    QTest::keyClicks(dlg.Grid(), QStringLiteral("8"));
    dlg.OnSolve();
    EXPECT_EQ(dlg.ResultField()->text(), "8");
}

}  // namespace
