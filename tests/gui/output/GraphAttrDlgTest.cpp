#include "gui/output/GraphAttrDlg.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QRadioButton>
#include <QTextEdit>
#include <QtTest/QtTest>

#include <array>
#include <optional>

namespace {

class GraphAttributes : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dlg.SetColorChooser([this]() -> std::optional<QColor> {
            ++asked;
            return answer;
        });
    }
    CViewState view;
    CGraphAttrDlg dlg;
    std::optional<QColor> answer;
    int asked = 0;
};

TEST_F(GraphAttributes, OkWithoutChangesKeepsEveryColourAndThickness)
{
    view.m_aWidth = {1, 2, 3, 4, 5};
    const auto colours = view.m_aColor;
    dlg.LoadFrom(view);
    EXPECT_TRUE(dlg.Radio(0)->isChecked());
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(dlg.Picker(i)->currentIndex(), i) << i;  // thickness 3: the third picture
    CViewState after = view;
    dlg.StoreInto(after);
    EXPECT_EQ(after.m_aColor, colours);
    EXPECT_EQ(after.m_aWidth, view.m_aWidth);
}

TEST_F(GraphAttributes, TheSampleShowsTheGraphsColour)
{
    dlg.LoadFrom(view);
    EXPECT_EQ(dlg.Sample(2)->palette().color(QPalette::Disabled, QPalette::Base), QColor(0, 0, 255));
    EXPECT_FALSE(dlg.Sample(2)->isEnabled());
}

// A document can hold any thickness; the dialog opens within 1..5 and OK
// never writes a thickness outside it.
TEST_F(GraphAttributes, ThicknessesOutsideOneToFiveOpenClamped)
{
    const struct { int stored, shown; } cases[] = {{0, 1}, {-7, 1}, {6, 5}, {1000000, 5}, {3, 3}};
    for (const auto &c : cases) {
        view.m_aWidth[0] = c.stored;
        dlg.LoadFrom(view);
        EXPECT_EQ(dlg.Picker(0)->currentIndex() + 1, c.shown) << c.stored;
        CViewState after = view;
        dlg.StoreInto(after);
        EXPECT_EQ(after.m_aWidth[0], c.shown) << c.stored;
    }
}

TEST_F(GraphAttributes, ChoosingAThicknessAndAColourReachesTheViewOnOk)
{
    dlg.LoadFrom(view);
    dlg.Picker(3)->setCurrentIndex(4);
    EXPECT_EQ(dlg.Thickness(3), 5);
    answer = QColor(12, 34, 56);
    QTest::mouseClick(dlg.Radio(1), Qt::LeftButton);
    EXPECT_EQ(asked, 1);
    dlg.StoreInto(view);
    EXPECT_EQ(view.m_aWidth[3], 5);
    EXPECT_EQ(view.m_aColor[1], MakeColorRef(12, 34, 56));
    EXPECT_EQ(dlg.Sample(1)->palette().color(QPalette::Disabled, QPalette::Base), QColor(12, 34, 56));
}

TEST_F(GraphAttributes, CancellingTheChooserKeepsTheSampleAndCancellingTheDialogKeepsTheView)
{
    dlg.LoadFrom(view);
    const ColorRef before = view.m_aColor[4];
    answer = std::nullopt;
    dlg.OnChooseColor(4);
    EXPECT_EQ(dlg.Color(4), before);
    answer = QColor(1, 2, 3);
    dlg.OnChooseColor(4);
    EXPECT_EQ(dlg.Color(4), MakeColorRef(1, 2, 3));
    dlg.reject();  // the view is written only on OK
    EXPECT_EQ(view.m_aColor[4], before);
}

TEST(GraphAttributePictures, EachPictureIsALineOfItsThickness)
{
    for (int n = 1; n <= 5; ++n) {
        const QImage img = CGraphAttrDlg::ThicknessPicture(n).toImage();
        EXPECT_EQ(img.size(), QSize(48, 6));
        int dark = 0;
        for (int y = 0; y < 6; ++y)
            dark += qGray(img.pixel(24, y)) < 128 ? 1 : 0;
        EXPECT_EQ(dark, n) << n;
    }
}

}  // namespace
