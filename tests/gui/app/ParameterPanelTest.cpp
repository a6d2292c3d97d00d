// The parameter panel: a slider drag redraws the curves with the new value
// and is one undo step; fields refuse what is no number or no range.
#include "core/plot/PlotMapping.h"
#include "graph/model/Graph.h"
#include "graph/render/GraphPicture.h"
#include "graph/render/GraphRenderer.h"
#include "gui/app/MainFrame.h"
#include "gui/app/ParameterPanel.h"
#include "gui/GuiFixtures.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <cmath>

namespace {

constexpr int kWidth = 640, kHeight = 480;

bool InkedNear(const QImage &img, int column, int row, QColor pen)
{
    for (int y = row - 2; y <= row + 2; ++y)
        for (int x = column - 1; x <= column + 1; ++x) {
            if (!img.rect().contains(x, y))
                continue;
            const QColor c = img.pixelColor(x, y);
            if (std::abs(c.red() - pen.red()) + std::abs(c.green() - pen.green()) + std::abs(c.blue() - pen.blue()) < 200)
                return true;
        }
    return false;
}

class ParameterPanel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        graph.SetClientSize(kWidth, kHeight);
        graph.SetShowGrid(false);
        ASSERT_EQ(graph.Plot("a*x"), CGraph::EPlot::Plotted);
        ASSERT_EQ(graph.Plot("b"), CGraph::EPlot::Plotted);
        ASSERT_NE(panel.Slider('a'), nullptr);
    }
    double A() const { return graph.Parameters().Of('a').value; }
    // Types into a field and leaves it.
    void Type(char letter, int which, const char *text)
    {
        QLineEdit *field = panel.Field(letter, which);
        field->setText(QString::fromLatin1(text));
        field->setModified(true);
        emit field->editingFinished();
    }
    CGraph graph;
    CParameterPanel panel{graph, nullptr};
};

TEST_F(ParameterPanel, ListsTheLettersOfThePlottedFunctions)
{
    EXPECT_NE(panel.Slider('b'), nullptr);
    EXPECT_EQ(panel.Slider('c'), nullptr);
    graph.Plot("c*x^2");
    EXPECT_NE(panel.Slider('c'), nullptr);
    graph.Clear(true);
    EXPECT_EQ(panel.Slider('a'), nullptr);
}

TEST_F(ParameterPanel, ADragRedrawsWithTheNewValueAndIsOneUndoStep)
{
    const int steps = graph.UndoStack()->index();
    QSlider *slider = panel.Slider('a');
    slider->setSliderDown(true);
    for (const int position : {61, 66, 72, 75})  // a = 1.1 .. 2.5 with the default range
        slider->setValue(position);
    slider->setSliderDown(false);
    EXPECT_EQ(A(), 2.5);
    EXPECT_EQ(graph.UndoStack()->index(), steps + 1);
    EXPECT_EQ(graph.UndoStack()->undoText().toStdString(), "Parameter");

    const QImage img = graph.Picture(QSize(kWidth, kHeight), Qt::white).bitmap.convertToFormat(QImage::Format_RGB32);
    const SPlotMapping map = SPlotMapping::Of(graph.State(), kWidth, kHeight, 1.0);
    const QColor pen = CGraphRenderer::SlotColor(graph.State().m_aColor[0]);
    const double x = 1.5;
    const int column = static_cast<int>(map.Column(x));
    EXPECT_TRUE(InkedNear(img, column, static_cast<int>(map.Row(2.5 * x)), pen));
    EXPECT_FALSE(InkedNear(img, column, static_cast<int>(map.Row(1.0 * x)), pen));

    graph.UndoStack()->undo();
    EXPECT_EQ(A(), 1.0);
    EXPECT_EQ(slider->value(), 60);
}

TEST_F(ParameterPanel, ArrowsStepAndPagesStepByTen)
{
    QSlider *slider = panel.Slider('a');
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(A(), 1.1);
    QTest::keyClick(slider, Qt::Key_PageUp);
    EXPECT_EQ(A(), 2.1);
    QTest::keyClick(slider, Qt::Key_PageDown);
    QTest::keyClick(slider, Qt::Key_Left);
    EXPECT_EQ(A(), 1.0);
}

TEST_F(ParameterPanel, FieldsTakeNumbersAndRefuseWhatIsNoRange)
{
    const struct {
        int which;
        const char *typed;
        double value, min, max, step;
        bool refused;
    } cases[] = {
        {0, "2.5", 2.5, -5, 5, 0.1, false},
        {0, "pi/2", M_PI / 2, -5, 5, 0.1, false},
        {0, "8", 8, -5, 8, 0.1, false},       // the bound follows a value beyond it
        {0, "-12", -12, -12, 5, 0.1, false},
        {1, "2", 2, 2, 5, 0.1, false},        // the value moves into a narrower range
        {2, "0.5", 0.5, -5, 0.5, 0.1, false},
        {3, "0.25", 1, -5, 5, 0.25, false},
        {0, "abc", 1, -5, 5, 0.1, true},
        {0, "", 1, -5, 5, 0.1, true},
        {1, "5", 1, -5, 5, 0.1, true},        // min not below max
        {2, "-6", 1, -5, 5, 0.1, true},
        {3, "0", 1, -5, 5, 0.1, true},
        {3, "-1", 1, -5, 5, 0.1, true},
        {3, "11", 1, -5, 5, 0.1, true},       // wider than the range
        {0, "1e309", 1, -5, 5, 0.1, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        graph.SetParameter('a', SParameter{});
        Type('a', c.which, c.typed);
        const SParameter &p = graph.Parameters().Of('a');
        EXPECT_EQ(p, (SParameter{c.value, c.min, c.max, c.step}));
        EXPECT_EQ(panel.Problem().isEmpty(), !c.refused) << panel.Problem().toStdString();
        // A refused entry shows the value kept.
        EXPECT_EQ(panel.Field('a', c.which)->text().isEmpty(), false);
    }
}

TEST_F(ParameterPanel, APlayRunsToTheMaximumOnceAsOneStepOrBouncesUntilStopped)
{
    const int steps = graph.UndoStack()->index();
    panel.PlayButton('a')->click();
    EXPECT_EQ(panel.Playing(), 'a');
    for (int frame = 0; frame < 100 && panel.Playing(); ++frame)
        panel.Advance(0.05);
    EXPECT_EQ(panel.Playing(), 0);
    EXPECT_EQ(A(), 5.0);
    EXPECT_EQ(graph.UndoStack()->index(), steps + 1);

    panel.PlayMode()->setCurrentIndex(static_cast<int>(CParameterPanel::EPlay::BackAndForth));
    panel.PlayButton('a')->click();  // from the maximum a play starts at the minimum
    double lowest = 5, highest = -5;
    for (int frame = 0; frame < 200; ++frame) {
        panel.Advance(0.05);
        lowest = std::min(lowest, A());
        highest = std::max(highest, A());
    }
    EXPECT_EQ(panel.Playing(), 'a');
    EXPECT_EQ(lowest, -5.0);
    EXPECT_EQ(highest, 5.0);
    panel.PlayButton('a')->click();
    EXPECT_EQ(panel.Playing(), 0);
}

TEST_F(ParameterPanel, EveryControlHasAnAccessibleName)
{
    for (QWidget *w : panel.findChildren<QWidget *>()) {
        if (qobject_cast<QSlider *>(w) || qobject_cast<QLineEdit *>(w) || qobject_cast<QToolButton *>(w) ||
            qobject_cast<QComboBox *>(w)) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
        }
    }
}

using ParameterPanelInFrame = FrameFixture;

// The panel comes up with the first parameter, and its slider keeps the
// keyboard while each step redraws the graph.
TEST_F(ParameterPanelInFrame, ShowsItselfAndItsSliderKeepsTheKeys)
{
    ShowFrame();
    CParameterPanel *panel = m_pFrame->ParameterPanel();
    EXPECT_FALSE(panel->isVisible());
    PlotInFrame({"a*x"});
    ASSERT_TRUE(panel->isVisible());
    QSlider *slider = panel->Slider('a');
    slider->setFocus(Qt::OtherFocusReason);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), slider);
    EXPECT_EQ(m_pFrame->View()->Graph().Parameters().Of('a').value, 1.3);
}

}  // namespace
