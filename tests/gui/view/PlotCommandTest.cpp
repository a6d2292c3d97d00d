// The plot command, the ring of five, differentiate and clear, and the view's
// own part of the synchronisation with its document, against a fake frame.
#include "core/deriv/Derivative.h"
#include "core/expr/FunctionText.h"
#include "gui/GuiFixtures.h"
#include "gui/common/Message.h"

#include <QMessageBox>

namespace {

class PlotTest : public ViewFixture
{
protected:
    // Everything a plot may change, to show that a refused one changed nothing.
    std::string State() const
    {
        std::string s = std::to_string(view.State().m_nCurrent) + "," + std::to_string(view.State().m_nSelected) + "," +
                        std::to_string(view.State().m_nLast) + "," + host.entries.join('|').toStdString() + "," +
                        host.derivative.toStdString();
        for (int i = 0; i < 5; ++i)
            s += "|" + view.State().m_aFunctions[i].m_strCoded + "|" + view.State().m_aDerivatives[i].m_strCoded +
                 (view.State().m_aDerivativeShown[i] ? "+" : "-");
        return s;
    }
};

TEST_F(PlotTest, DuplicatesAreDecidedOnTheCodedText)
{
    const struct { std::initializer_list<const char *> typed; int last; } cases[] = {
        {{"x^2", "X^2"}, 0}, {{"x^2", " x ^ 2 "}, 0}, {{"x^2", "x*x"}, 1}, {{"2x", "2*x"}, 0}, {{"x", "sin(x)", "x"}, 1},
    };
    for (const auto &c : cases) {
        view.OnClearGraph();
        Plot(c.typed);
        EXPECT_EQ(host.entries.size(), c.last + 1) << *c.typed.begin();
    }
    const std::string before = State();
    Plot({"", "     "});  // blank text does nothing at all
    EXPECT_EQ(State(), before);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(PlotTest, SyntaxErrorsShowTheirMessageAndChangeNothing)
{
    Plot("x^2");
    view.OnDifferentiate();
    const std::string before = State();
    const QImage picture = view.Picture();
    // The message names the character at fault (counted in characters) and the field selects it.
    const struct { QString typed; int code, at; const char *character; } cases[] = {
        {"x$", 1, 2, "$"}, {"F(x)", 1, 1, "f"},  // lower-cased to f(x), not the code F
        {QStringLiteral("\u00DFin(x)"), 1, 1, "\u00DF"}, {QStringLiteral("SIN(\u0130)"), 1, 5, "\u0130"},  // only ASCII is lower-cased
        {"x+", 2, 2, "+"}, {"sin", 2, 1, "s"}, {"(x", 3, 1, "("},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        prompts.Clear();
        const int focus = host.focus;
        Plot(c.typed);
        ASSERT_EQ(prompts.shown.size(), 1u);
        const QString line = QStringLiteral("The first is '%1', at character %2.\n").arg(QString::fromUtf8(c.character)).arg(c.at);
        EXPECT_EQ(prompts.shown[0].text, QString::fromStdString(SyntaxMessage(c.code)).replace("Please", line + "Please"));
        EXPECT_EQ(host.selection, std::make_pair(c.at - 1, 1));
        EXPECT_GT(host.focus, focus);
        EXPECT_EQ(State(), before);
        EXPECT_EQ(view.Picture(), picture);
    }
    EXPECT_TRUE(QString::fromStdString(SyntaxMessage(3)).startsWith("Error 0x03:\n\nNumber of open brakcets"));
}

// A number before e and a digit or sign gets a hint; the function is plotted as typed.
TEST_F(PlotTest, ExponentLikeTextIsPlottedWithAHint)
{
    Plot("x+1e-4");
    EXPECT_EQ(host.status, QString::fromUtf8("1e-4 is read as 1\u00b7e\u22124; write 10^-4 for 0.0001"));
    EXPECT_EQ(view.State().m_aFunctions[view.State().m_nCurrent].m_strCoded, "x+1*2.718281828-4)");
}

TEST_F(PlotTest, TheRingOfFiveTheListAndTheDerivatives)
{
    view.OnDifferentiate();  // nothing selected: nothing happens
    EXPECT_EQ(host.derivative, "untouched");
    Plot("x");
    view.OnDifferentiate();  // slot 0 differentiated before the ring comes round to it
    EXPECT_EQ(host.derivative, "1");
    const std::string oldDerivative = view.State().m_aDerivatives[0].m_strCoded;
    Plot({"x^2", "x^3", "sin(x)", "cos(x)", "tan(x)"});
    EXPECT_EQ(host.entries, (QStringList{"tan(x)", "x^2", "x^3", "sin(x)", "cos(x)"}));
    EXPECT_EQ(view.State().m_nCurrent, 0);
    EXPECT_EQ(view.State().m_nSelected, 0);
    // The slot stays differentiated: the new function's derivative is shown and drawn, not the old one.
    EXPECT_TRUE(view.State().m_aDerivativeShown[0]);
    EXPECT_NE(view.State().m_aDerivatives[0].m_strCoded, oldDerivative);
    EXPECT_EQ(host.derivative, QString::fromStdString(CDerivative(view.State().m_aFunctions[0].m_strCoded).GetResult()));
    Plot({"ln(x)", "x^3"});  // still a duplicate after the ring turned
    EXPECT_EQ(host.entries, (QStringList{"tan(x)", "ln(x)", "x^3", "sin(x)", "cos(x)"}));
    EXPECT_EQ(view.State().m_nCurrent, 1);

    view.OnSelectFunction(2);
    view.OnDifferentiate();
    EXPECT_EQ(host.derivative, "3*x^2");
    EXPECT_FALSE(view.State().m_aDerivativeShown[3]);
    for (int outside : {5, -1})  // ignored
        view.OnSelectFunction(outside);
    EXPECT_EQ(view.State().m_nSelected, 2);

    // A derivative too long to work out is said, not shown empty.
    QString product = "x";
    for (int i = 1; i < 600; ++i)
        product += "*x";
    Plot(product);
    const std::string before = view.State().m_aDerivatives[view.State().m_nSelected].m_strCoded;
    view.OnDifferentiate();
    EXPECT_EQ(prompts.Texts(), QStringList{kDerivativeTooLongText});
    EXPECT_EQ(view.State().m_aDerivatives[view.State().m_nSelected].m_strCoded, before);
}

TEST_F(PlotTest, AutoscaleFollowsEachPlotAndAMissingDomainValueIsReported)
{
    view.HandleCommand(ID_AUTOSCALE);
    Plot("200*x");
    EXPECT_EQ(view.State().m_dScaleY, 1.0 / 16);
    view.HandleCommand(ID_AUTOSCALE);
    SetFields("0", "", "", "");
    view.OnRangeFieldFocus();
    Plot("x^2");
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].caption, "Domain Error");
    EXPECT_EQ(view.State().m_aFunctions[view.State().m_nCurrent].m_strText, "x^2");  // and the plot goes on
}

TEST_F(PlotTest, ClearGraphEmptiesEverythingAndRecentres)
{
    // The typed domain is kept by the first plot.
    SetFields("0", "10", "", "");
    view.OnRangeFieldFocus();
    Plot("X+1");
    EXPECT_EQ(host.entries, QStringList{"x+1"});
    EXPECT_EQ(view.State().m_nPanX, -250);

    view.OnDifferentiate();
    view.OnZoomIn();
    view.OnClearGraph();
    EXPECT_TRUE(host.entries.isEmpty());
    EXPECT_EQ(view.State().m_nLast + view.State().m_nSelected, -2);
    EXPECT_TRUE(view.State().m_aDerivatives[0].m_strCoded.empty() && !view.State().m_aDerivativeShown[0]);
    EXPECT_EQ(host.fields[IDC_X_MIN], "-5.00");
    view.OnZoomIn();  // with the new-document flag set the mapping stays
    host.newDocument = true;
    view.OnClearGraph();
    EXPECT_EQ(view.State().m_dScaleX, 2.0);
}

// Marks belong to the function they were found on: a new function in its
// slot drops them, Clear Graph drops all.
TEST_F(PlotTest, MarksGoWithTheirFunctionAndTheGraph)
{
    Plot({"x", "x^2", "x^3", "x^4", "x^5"});
    const auto on = [](int slot, int other) { return SGraphMark{slot, other, 0, 0, {}, {}, {}}; };
    view.Graph().Mark(EMarkSource::Roots, {on(0, -1), on(1, -1)});
    view.Graph().Mark(EMarkSource::Intersections, {on(2, 0), on(3, 4)});
    Plot("x+1");  // the ring replaces slot 0
    ASSERT_EQ(view.State().m_results.marks.size(), 2u);
    EXPECT_EQ(view.State().m_results.marks[0].slot + view.State().m_results.marks[1].slot, 1 + 3);
    view.Graph().Shade(SShading{});
    view.OnClearGraph();
    EXPECT_TRUE(view.State().m_results.Empty());
}

// --- The view and its document (each kind of change is in the core's sync tests)

class PlotDocTest : public PlotTest
{
protected:
    void SetUp() override
    {
        PlotTest::SetUp();
        host.doc = &doc;
        doc.SetGraph(&view.Graph());
        doc.OnNewDocument();
        view.Redraw();
    }
    CCorvantaDoc doc;
};

TEST_F(PlotDocTest, ModifiedFlagFollowsRealChangesOnly)
{
    const struct { const char *what; std::function<void()> change; bool modified; } steps[] = {
        {"redraw of nothing new", [&] { view.Redraw(); }, false},
        {"plot", [&] { Plot("x^2"); }, true},
        {"duplicate plot", [&] { Plot("x^2"); }, false},
        {"refused plot", [&] { Plot("x+"); }, false},
        {"selection", [&] { view.OnSelectFunction(0); view.Redraw(); }, false},
        {"differentiate", [&] { view.OnDifferentiate(); }, true},
        {"zoom", [&] { view.OnZoomInX(); }, true},
        {"grid", [&] { view.OnShowGrid(); }, false},
    };
    for (const auto &s : steps) {
        doc.SetModifiedFlag(false);
        s.change();
        EXPECT_EQ(doc.IsModified(), s.modified) << s.what;
    }
    view.Graph().SetMapping(1, 1, 0, 40);  // a new document recentres the view and its fields
    doc.OnNewDocument();
    view.Redraw();
    EXPECT_EQ(host.fields[IDC_Y_MAX], "4.00");
}

// A short message still shows its whole caption.
TEST(MessageBox, IsWideEnoughForItsCaption)
{
    QMessageBox box;
    box.setText(QStringLiteral("12.000000"));
    box.setWindowTitle(QStringLiteral("Limited Integration Result"));
    FitCaption(box);
    box.show();
    QFont bold = box.font();
    bold.setBold(true);
    EXPECT_GT(box.width(), QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + 60);
}

}  // namespace
