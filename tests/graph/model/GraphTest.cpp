// The graph model: every command is one undo step that puts back exactly
// what it changed, and documents pass through it unchanged.
#include "core/doc/CvaFormat.h"
#include "core/doc/DocumentFile.h"
#include "core/doc/DocumentSync.h"
#include "graph/model/Graph.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace {

// Everything the model holds that a user can see, as comparable text.
std::string Dump(const CGraph &graph)
{
    const CViewState &s = graph.State();
    std::string out = "last " + std::to_string(s.m_nLast) + " current " + std::to_string(s.m_nCurrent) +
                      " selected " + std::to_string(s.m_nSelected) + " scale " + std::to_string(s.m_dScaleX) + "," +
                      std::to_string(s.m_dScaleY) + " pan " + std::to_string(s.m_nPanX) + "," +
                      std::to_string(s.m_nPanY) + " autoscale " + std::to_string(s.m_bAutoscale) + "\n";
    for (int i = 0; i < CGraph::kSlots; ++i)
        out += "[" + s.m_aFunctions[i].m_strText + "|" + s.m_aFunctions[i].m_strCoded + "|" +
               std::to_string(s.m_aDerivativeShown[i]) + "|" + s.m_aDerivatives[i].m_strText + "|" +
               std::to_string(s.m_aColor[i]) + "|" + std::to_string(s.m_aWidth[i]) + "]\n";
    for (const SGraphMark &m : s.m_results.marks)
        out += "mark " + std::to_string(m.slot) + " " + m.label + "\n";
    if (s.m_results.shading)
        out += "shade " + std::to_string(s.m_results.shading->slot) + " " + s.m_results.shading->label + "\n";
    return out;
}

class GraphModel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        graph.SetClientSize(640, 480);
        for (const char *f : {"x^2", "sin(x)", "1/x"})
            ASSERT_EQ(graph.Plot(f), CGraph::EPlot::Plotted);
        graph.Mark(EMarkSource::Roots, {SGraphMark{0, -1, 0, 0, EMarkKind::Root, EMarkSource::Roots, "(0, 0)"}});
        graph.Shade(SShading{1, 0, 1, "area 0.46"});
    }
    CGraph graph;
};

TEST_F(GraphModel, EachCommandIsOneStepThatUndoesExactlyAndRedoes)
{
    const struct {
        const char *name;
        std::function<void(CGraph &)> command;
    } cases[] = {
        {"Plot", [](CGraph &g) { g.Plot("x^3"); }},
        {"Plot", [](CGraph &g) { for (const char *f : {"x+1", "x+2", "x+3"}) g.Plot(f); }},  // the ring wraps
        {"Clear Graph", [](CGraph &g) { g.Clear(true); }},
        {"Differentiate", [](CGraph &g) { g.Differentiate(1); }},
        {"Graph Attributes", [](CGraph &g) { g.SetPens({1, 2, 3, 4, 5}, {2, 2, 2, 2, 2}); }},
        {"Zoom", [](CGraph &g) { g.Zoom(2, 0.5); }},
        {"Pan", [](CGraph &g) { g.Pan(30, -7); }},
        {"Zoom", [](CGraph &g) { g.SetDomain({"-1", "3", "-2", "2"}); }},
        {"Mark Points", [](CGraph &g) { g.Mark(EMarkSource::Extrema, {SGraphMark{1, -1, 1.57, 1, EMarkKind::Maximum, EMarkSource::Extrema, "max"}}); }},
        {"Integrate", [](CGraph &g) { g.Shade(SShading{0, -1, 1, "area 0.67"}); }},
        {"Integrate", [](CGraph &g) { g.Shade(std::nullopt); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string before = Dump(graph);
        const int steps = graph.UndoStack()->index();
        c.command(graph);
        const std::string after = Dump(graph);
        ASSERT_NE(after, before);
        const int added = graph.UndoStack()->index() - steps;
        ASSERT_GE(added, 1);
        if (added == 1) {
            EXPECT_EQ(graph.UndoStack()->undoText().toStdString(), c.name);
        }
        for (int i = 0; i < added; ++i)
            graph.UndoStack()->undo();
        EXPECT_EQ(Dump(graph), before);
        for (int i = 0; i < added; ++i)
            graph.UndoStack()->redo();
        EXPECT_EQ(Dump(graph), after);
        for (int i = 0; i < added; ++i)
            graph.UndoStack()->undo();
    }
}

TEST_F(GraphModel, UndoingClearOrAPlotBringsBackTheMarksAndTheShading)
{
    const std::string shown = Dump(graph);
    graph.Clear(true);
    EXPECT_TRUE(graph.State().m_results.Empty());
    graph.UndoStack()->undo();
    EXPECT_EQ(Dump(graph), shown);

    // A plot into a full ring drops the marks of the slot it replaces; undo and redo keep them in step.
    for (const char *f : {"x+1", "x+2", "x+3"})
        graph.Plot(f);
    const std::string full = Dump(graph);
    graph.Plot("x+4");  // replaces slot 0, whose root was marked
    EXPECT_EQ(graph.State().m_results.marks.size(), 0u);
    graph.UndoStack()->undo();
    EXPECT_EQ(Dump(graph), full);
}

TEST_F(GraphModel, TheFirstUndoAfterIntegratingRemovesTheShadingNotAFunction)
{
    graph.UndoStack()->undo();
    EXPECT_FALSE(graph.State().m_results.shading);
    EXPECT_EQ(graph.State().m_nLast, 2);
    EXPECT_EQ(graph.State().m_results.marks.size(), 1u);
}

TEST_F(GraphModel, UndoPutsBackOnlyWhatTheStepChanged)
{
    graph.SetPens({1, 2, 3, 4, 5}, {1, 1, 1, 1, 4});  // slot 4 is unused
    graph.Zoom(2, 2);
    graph.Select(0);  // a choice made since the zoom stays
    graph.UndoStack()->undo();
    EXPECT_EQ(graph.State().m_aWidth[4], 4);
    EXPECT_EQ(graph.State().m_aColor[4], 5u);
    EXPECT_EQ(graph.State().m_nSelected, 0);
    EXPECT_EQ(graph.State().m_dScaleX, 1.0);
}

TEST_F(GraphModel, StepsOfOneGestureMergeAndAGestureBackWhereItBeganLeavesNone)
{
    const int steps = graph.UndoStack()->count();
    graph.SetGesture(7);
    graph.Pan(10, 0);
    graph.Pan(5, 5);
    graph.SetGesture(0);
    EXPECT_EQ(graph.UndoStack()->count(), steps + 1);
    graph.SetGesture(8);
    graph.Pan(3, 0);
    graph.Pan(-3, 0);
    graph.SetGesture(0);
    EXPECT_EQ(graph.UndoStack()->count(), steps + 1);
}

TEST_F(GraphModel, OneChangedSignalACommandNamingWhatChanged)
{
    QSignalSpy spy(&graph, &CGraph::changed);
    graph.Zoom(2, 2);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).value<GraphChanges>(), GraphChanges(EGraphChange::Mapping));
    graph.Zoom(1e300, 1);  // refused: nothing changes, nothing is said
    EXPECT_EQ(spy.count(), 1);
}

TEST(GraphPlot, TextsThatMeanTheSameFunctionTakeOneSlot)
{
    CGraph graph;
    ASSERT_EQ(graph.Plot("sin x"), CGraph::EPlot::Plotted);
    EXPECT_EQ(graph.Plot("sin(x)"), CGraph::EPlot::AlreadyPlotted);
    EXPECT_EQ(graph.Plot("SIN(X)"), CGraph::EPlot::AlreadyPlotted);
    EXPECT_EQ(graph.Plot("sin(x)+0"), CGraph::EPlot::Plotted);
    EXPECT_EQ(graph.Plot("sin("), CGraph::EPlot::SyntaxError);
    EXPECT_EQ(graph.Plot("  "), CGraph::EPlot::Blank);
}

TEST(GraphPlot, AReplacedFunctionWithItsDerivativeShownGetsItsOwnDerivative)
{
    CGraph graph;
    for (const char *f : {"x^2", "x", "x+1", "x+2", "x+3"})
        graph.Plot(f);
    ASSERT_TRUE(graph.Differentiate(0));
    graph.Plot("x^3");  // into slot 0, whose derivative stays shown
    EXPECT_EQ(graph.State().m_aFunctions[0].m_strText, "x^3");
    EXPECT_TRUE(graph.State().m_aDerivativeShown[0]);
    CExpression d = graph.State().m_aDerivatives[0];
    EXPECT_DOUBLE_EQ(d.Evaluate(2), 12.0);
}

TEST(GraphDocument, TheNextPlotAfterOpeningTakesTheSlotAfterTheFilesLast)
{
    EqStore record;
    record.m_nLast = 2;
    for (int i = 0; i <= 2; ++i)
        record.m_aFunctions[i].SetExpression("x+" + std::to_string(i));
    CGraph graph;
    graph.Load(record);
    EXPECT_FALSE(graph.UndoStack()->canUndo());
    ASSERT_EQ(graph.Plot("x^2"), CGraph::EPlot::Plotted);
    EXPECT_EQ(graph.State().m_aFunctions[3].m_strText, "x^2");
    EXPECT_EQ(graph.State().m_aFunctions[0].m_strText, "x+0");  // not the first plot of an empty graph
}

// What the model shows beyond its curves goes through a file into a fresh model.
TEST(GraphDocument, ParametersResultsAndLegendComeBackFromTheFile)
{
    CGraph graph;
    graph.Plot("a*x^2");
    graph.Plot("sin(x)");
    ASSERT_TRUE(graph.SetParameter('a', {0.1, -1, 2.5, 0.1}));
    graph.Mark(EMarkSource::Roots, {{0, -1, 0, 0, EMarkKind::Root, EMarkSource::Roots, "(0, 0)"}});
    graph.Mark(EMarkSource::Intersections,
               {{0, 1, 1.5, 0.2, EMarkKind::Intersection, EMarkSource::Intersections, "(1.5, 0.2)"},
                {1, 0, -1e-300, 7e300, EMarkKind::Maximum, EMarkSource::Intersections, "x \xe2\x89\x88 0"}});
    graph.Highlight(EMarkSource::Intersections, 1);
    graph.Shade(SShading{1, -0.5, 3.25, "Integral from -0.5 to 3.25 = 1.9 \xc2\xb1 2e-14\nnote"});
    graph.SetShowLegend(true);

    EqStore record, read;
    CDocumentSync::CopyViewIntoRecord(graph.State(), record);
    ASSERT_TRUE(CCvaFormat::Decode(CCvaFormat::Encode(record), read).Ok());
    CGraph fresh;
    fresh.Load(read);
    const CViewState &a = graph.State(), &b = fresh.State();
    EXPECT_EQ(b.m_parameters.Of('a').value, 0.1);  // bit for bit
    EXPECT_EQ(b.m_parameters, a.m_parameters);
    EXPECT_EQ(b.m_results.marks, a.m_results.marks);
    EXPECT_EQ(b.m_results.highlighted, 2);
    EXPECT_EQ(b.m_results.shading, a.m_results.shading);
    EXPECT_TRUE(b.m_bShowLegend);
    EXPECT_DOUBLE_EQ(fresh.ValueAt(0, 2.0), 0.4);  // the functions are drawn with the file's value
    EXPECT_FALSE(fresh.UndoStack()->canUndo());
}

// Every document of the corpus, read into a model and written from it, gives the bytes it gave before.
TEST(GraphDocument, EveryCorpusFileWritesBackAsBefore)
{
    int read = 0;
    for (const auto &entry : std::filesystem::directory_iterator(CORVANTA_SOURCE_DIR "/fuzz/doc/corpus")) {
        SCOPED_TRACE(entry.path().filename().string());
        EqStore record;
        if (!ReadDocumentFile(entry.path().string(), record).empty() || record.m_bBadFile)
            continue;
        ++read;
        CGraph graph;
        graph.Load(record);
        EqStore written = record;
        CDocumentSync::CopyViewIntoRecord(graph.State(), written);
        EXPECT_EQ(CCvaFormat::Encode(written), CCvaFormat::Encode(record));
    }
    EXPECT_GE(read, 5);
}

}  // namespace
