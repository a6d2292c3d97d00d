#include "core/analysis/AnalysisMarks.h"

#include <gtest/gtest.h>

// A search's points become marks of its kind on its curve (and the second
// curve of an intersection), labels kept, in the order listed.
TEST(AnalysisMarks, EachKindMarksItsPoints)
{
    const std::vector<SAnalysisPoint> points{{1, 2, true, "(1, 2)"}, {3, -4, false, "(3, -4)"}};
    const struct { EAnalysisKind kind; EMarkKind first, second; } cases[] = {
        {EAnalysisKind::Roots, EMarkKind::Root, EMarkKind::Root},
        {EAnalysisKind::Extrema, EMarkKind::Maximum, EMarkKind::Minimum},
        {EAnalysisKind::Inflection, EMarkKind::Inflection, EMarkKind::Inflection},
        {EAnalysisKind::Intersections, EMarkKind::Intersection, EMarkKind::Intersection},
    };
    for (const auto &c : cases) {
        const std::vector<SGraphMark> marks = MarksOf(c.kind, points, 2, c.kind == EAnalysisKind::Intersections ? 5 : -1);
        ASSERT_EQ(marks.size(), 2u);
        EXPECT_EQ(marks[0].kind, c.first);
        EXPECT_EQ(marks[1].kind, c.second);
        EXPECT_EQ(marks[1].slot, 2);
        EXPECT_EQ(marks[1].otherSlot, c.kind == EAnalysisKind::Intersections ? 5 : -1);
        EXPECT_EQ(marks[1].x, 3);
        EXPECT_EQ(marks[1].y, -4);
        EXPECT_EQ(marks[1].label, "(3, -4)");
    }
    EXPECT_TRUE(MarksOf(EAnalysisKind::Roots, {}, 0).empty());
}
