// Graph attributes: colours and thicknesses reach the view on OK only, clamped to what the dialog offers.
#include "gui/output/GraphAttrDlg.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QRadioButton>
#include <QTextEdit>
#include <QtTest/QtTest>

namespace {

class GraphAttributes : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dlg.SetColorChooser([this] { return answer; });
    }
    QColor Sample(int graph) const { return dlg.Sample(graph)->palette().color(QPalette::Disabled, QPalette::Base); }

    CViewState view;
    CGraphAttrDlg dlg;
    std::optional<QColor> answer;
};

TEST_F(GraphAttributes, OkWithoutChangesKeepsEveryColourAndThickness)
{
    view.m_aWidth = {1, 2, 3, 4, 5};
    dlg.LoadFrom(view);
    EXPECT_EQ(dlg.Picker(2)->currentIndex(), 2);  // thickness 3: the third picture
    EXPECT_EQ(Sample(2), QColor(0, 0, 255));
    CViewState after = view;
    dlg.StoreInto(after);
    EXPECT_EQ(after.m_aColor, view.m_aColor);
    EXPECT_EQ(after.m_aWidth, view.m_aWidth);
}

// A document can hold any thickness; OK never writes one outside 1..5.
TEST_F(GraphAttributes, ThicknessesOutsideOneToFiveOpenClamped)
{
    const struct { int stored, shown; } cases[] = {{0, 1}, {-7, 1}, {6, 5}, {1000000, 5}};
    for (const auto &c : cases) {
        view.m_aWidth[0] = c.stored;
        dlg.LoadFrom(view);
        CViewState after = view;
        dlg.StoreInto(after);
        EXPECT_EQ(after.m_aWidth[0], c.shown) << c.stored;
    }
}

TEST_F(GraphAttributes, ChosenColoursAndThicknessesReachTheViewOnOkOnly)
{
    dlg.LoadFrom(view);
    const CViewState before = view;
    dlg.Picker(3)->setCurrentIndex(4);
    answer = QColor(12, 34, 56);
    QTest::mouseClick(dlg.Radio(1), Qt::LeftButton);
    EXPECT_EQ(Sample(1), QColor(12, 34, 56));
    answer = std::nullopt;  // the chooser cancelled: the colour stays
    dlg.OnChooseColor(4);
    EXPECT_EQ(dlg.Color(4), before.m_aColor[4]);
    dlg.reject();
    EXPECT_EQ(view.m_aColor, before.m_aColor);
    dlg.StoreInto(view);
    EXPECT_EQ(view.m_aWidth[3], 5);
    EXPECT_EQ(view.m_aColor[1], MakeColorRef(12, 34, 56));
}

TEST(GraphAttributePictures, EachPictureIsALineOfItsThickness)
{
    for (int n = 1; n <= 5; ++n) {
        const QImage img = CGraphAttrDlg::ThicknessPicture(n).toImage();
        int dark = 0;
        for (int y = 0; y < img.height(); ++y)
            dark += qGray(img.pixel(img.width() / 2, y)) < 128 ? 1 : 0;
        EXPECT_EQ(dark, n) << n;
    }
}

}  // namespace
