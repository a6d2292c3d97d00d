// The graph attributes: pens' colours and thicknesses, and what OK passes on.
#include "gui/GuiFixtures.h"
#include "gui/app/ExpressionBar.h"
#include "gui/app/GraphAttrDlg.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTextEdit>

namespace {

class GraphAttributes : public ::testing::Test
{
protected:
    template <class T> T *Ctl(int id) const { return dlg.findChild<T *>(QStringLiteral("ctl%1").arg(id)); }
    QRadioButton *Radio(int graph) const { return Ctl<QRadioButton>(CGraphAttrDlg::kFirstRadio + graph); }
    QComboBox *Picker(int graph) const { return Ctl<QComboBox>(CGraphAttrDlg::kFirstPicker + graph); }
    QColor Sample(int graph) const
    {
        return Ctl<QTextEdit>(CGraphAttrDlg::kFirstSample + graph)->palette().color(QPalette::Disabled, QPalette::Base);
    }

    ScriptedPrompts prompts;
    CGraph view;
    CGraphAttrDlg dlg;
};

// A document can hold any thickness: it shows clamped to 1..5, and OK keeps every thickness not picked.
TEST_F(GraphAttributes, OkWithoutChangesKeepsEveryColourAndThickness)
{
    view.SetPens(view.State().m_aColor, {0, -7, 3, 6, 100});
    dlg.LoadFrom(view);
    EXPECT_EQ(Picker(2)->currentIndex(), 2);  // thickness 3: the third picture
    EXPECT_EQ(Picker(4)->currentIndex(), 4);
    EXPECT_EQ(Sample(2), QColor(0, 0, 255));
    const CViewState before = view.State();
    dlg.StoreInto(view);
    EXPECT_EQ(view.State().m_aColor, before.m_aColor);
    EXPECT_EQ(view.State().m_aWidth, before.m_aWidth);
    Picker(3)->setCurrentIndex(1);  // one picked: only that one changes
    dlg.StoreInto(view);
    EXPECT_EQ(view.State().m_aWidth, (decltype(before.m_aWidth){0, -7, 3, 2, 100}));
}

// The chooser opens on the graph's colour; OK passes the colour to the indicator of the selected graph.
TEST_F(FrameFixture, ColourChooserStartsOnTheGraphsColourAndTheIndicatorFollows)
{
    ShowFrame();
    PlotInFrame({"x"});
    CGraphAttrDlg dlg;
    dlg.LoadFrom(m_pFrame->View()->Graph());
    prompts.colors = {QColor(255, 128, 0)};
    dlg.OnChooseColor(0);
    ASSERT_EQ(prompts.colorsOffered.size(), 1u);
    const QColor opened = prompts.colorsOffered[0];
    EXPECT_EQ(opened, m_pFrame->ExpressionBar()->IndicatorColor());
    EXPECT_NE(opened, QColor(Qt::black));
    m_pFrame->ApplyGraphAttributes(dlg);
    EXPECT_EQ(m_pFrame->ExpressionBar()->IndicatorColor(), QColor(255, 128, 0));
}

TEST_F(GraphAttributes, ChosenColoursAndThicknessesReachTheViewOnOkOnly)
{
    dlg.LoadFrom(view);
    const CViewState before = view.State();
    Picker(3)->setCurrentIndex(4);
    prompts.colors = {QColor(12, 34, 56)};
    QTest::mouseClick(Radio(1), Qt::LeftButton);
    EXPECT_EQ(Sample(1), QColor(12, 34, 56));
    prompts.colors = {std::nullopt};  // the chooser cancelled: the colour stays
    dlg.OnChooseColor(4);
    dlg.reject();
    EXPECT_EQ(view.State().m_aColor, before.m_aColor);
    dlg.StoreInto(view);
    EXPECT_EQ(view.State().m_aColor[4], before.m_aColor[4]);
    EXPECT_EQ(view.State().m_aWidth[3], 5);
    EXPECT_EQ(view.State().m_aColor[1], MakeColorRef(12, 34, 56));
}

}  // namespace
