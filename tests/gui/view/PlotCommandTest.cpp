// The plot command, the function list, differentiate and clear, and the
// view's synchronisation with its document, against a fake frame. The frame
// tests drive the same commands end to end; these cover the view's own cases.
#include "gui/app/CorvantaDoc.h"
#include "core/doc/CvaFormat.h"
#include "gui/view/ViewFixture.h"

#include <cmath>
#include <functional>
#include <string>

namespace {

const QString kHint = QStringLiteral("Click the differentiate button to view the derivative of the function");

class PlotTest : public ViewFixture
{
protected:
    void Type(const QString &text)
    {
        host.edit = text;
        view.OnPlot();
    }
    void TypeAll(std::initializer_list<const char *> texts)
    {
        for (const char *t : texts)
            Type(QString::fromLatin1(t));
    }
    // Everything a plot may change, to show that a refused one changed nothing.
    std::string State() const
    {
        std::string s = std::to_string(view.m_nCurrent) + "," + std::to_string(view.m_nSelected) + "," +
                        std::to_string(view.m_nLast) + "," + std::to_string(view.m_dScaleX) + "," +
                        std::to_string(view.m_dScaleY) + "," + host.entries.join('|').toStdString() + "," +
                        host.derivative.toStdString();
        for (int i = 0; i < 5; ++i)
            s += "|" + view.m_aFunctions[i].m_strCoded + "|" + view.m_aDerivatives[i].m_strCoded +
                 (view.m_aFunctions[i].m_bDerivativeShown ? "+" : "-");
        return s;
    }
};

// Columns where slot 0's red (antialiased on white) lies within two rows of
// the curve y = f(x) in the view's picture.
int RedColumnsOnCurve(const CCorvantaView &v, double (*f)(double))
{
    const QImage img = v.Picture();
    int hits = 0;
    for (int col = 5; col < img.width() - 5; col += 7) {
        const double row = v.PixelRow(f(v.UnitX(col)));
        if (row > 3 && row < img.height() - 3) {
            bool red = false;
            for (int dy = -2; dy <= 2; ++dy) {
                const QRgb c = img.pixel(col, static_cast<int>(row) + dy);
                red = red || (qRed(c) > 200 && qGreen(c) < 170 && qGreen(c) == qBlue(c));
            }
            hits += red ? 1 : 0;
        }
    }
    return hits;
}

TEST_F(PlotTest, DuplicatesAreDecidedOnTheCodedText)
{
    const struct { std::initializer_list<const char *> typed; int last; } cases[] = {
        {{"x^2", "x^2"}, 0}, {{"x^2", "X^2"}, 0}, {{"x^2", " x ^ 2 "}, 0}, {{"x^2", "x*x"}, 1},
        {{"2x", "2*x"}, 0},  {{"2pi", "2*pi"}, 0}, {{"x", "x", "sin(x)", "x"}, 1},
    };
    for (const auto &c : cases) {
        view.OnClearGraph();
        TypeAll(c.typed);
        EXPECT_EQ(view.m_nLast, c.last) << *c.typed.begin();
        EXPECT_EQ(host.entries.size(), c.last + 1) << *c.typed.begin();
    }
    // Blank or empty text does nothing at all.
    const std::string before = State();
    TypeAll({"", " ", "     "});
    EXPECT_EQ(State(), before);
    EXPECT_TRUE(shown.empty());
}

TEST_F(PlotTest, SyntaxErrorsShowTheirMessageAndChangeNothing)
{
    Type("x^2");
    view.OnDifferentiate();
    const std::string before = State();
    const QImage picture = view.Picture();
    const char *invalid = "Error 0x01:\n\nExpression contains invalid character(s)!";
    const char *syntax = "Error 0x02:\n\nExpression contains invalid operator syntax!";
    const char *brackets = "Error 0x03:\n\nNumber of open brakcets mismatches closed brackets'!";
    const struct { QString typed; const char *message; } cases[] = {
        {"x$", invalid},  {"y", invalid},   {"A(x)", invalid},  // lower-cased to a(x)
        {QStringLiteral("\u00DFin(x)"), invalid}, {QStringLiteral("SIN(\u0130)"), invalid}, {"x\tx", invalid},
        {"x+", syntax},   {"*x", syntax},   {"sin", syntax},    {"(x", brackets}, {"x)", brackets},
    };
    for (const auto &c : cases) {
        shown.clear();
        captions.clear();
        const int focus = host.focus;
        Type(c.typed);
        ASSERT_EQ(shown.size(), 1u) << c.typed.toStdString();
        EXPECT_EQ(shown[0], QString::fromLatin1(c.message) + "\nPlease correct the error and try again");
        EXPECT_EQ(captions[0], "Expression Syntactical Error!");
        EXPECT_GT(host.focus, focus) << c.typed.toStdString();
        EXPECT_EQ(State(), before) << c.typed.toStdString();
        EXPECT_EQ(view.Picture(), picture) << c.typed.toStdString();
    }
    // A long sum is an ordinary function.
    view.OnClearGraph();
    shown.clear();
    Type(QStringLiteral("x+").repeated(3000) + "x");
    EXPECT_TRUE(shown.empty());
    ASSERT_EQ(view.m_nLast, 0);
    EXPECT_DOUBLE_EQ(view.m_aFunctions[0].Evaluate(0.5), 1500.5);
}

TEST_F(PlotTest, TheRingOfFiveAndItsList)
{
    // Slot 0 differentiated before the ring comes round to it.
    Type("x");
    view.OnDifferentiate();
    const std::string oldDerivative = view.m_aDerivatives[0].m_strCoded;
    ASSERT_FALSE(oldDerivative.empty());
    TypeAll({"x^2", "x^3", "sin(x)", "cos(x)"});
    EXPECT_EQ(view.m_nLast, 4);
    EXPECT_EQ(view.m_nCurrent, 4);
    EXPECT_EQ(host.entries, (QStringList{"x", "x^2", "x^3", "sin(x)", "cos(x)"}));

    Type("tan(x)");
    EXPECT_EQ(host.entries, (QStringList{"tan(x)", "x^2", "x^3", "sin(x)", "cos(x)"}));
    EXPECT_EQ(view.m_nCurrent, 0);
    EXPECT_EQ(view.m_nLast, 4);
    EXPECT_EQ(view.m_nSelected, 0);
    EXPECT_EQ(view.m_aFunctions[0].m_strText, "tan(x)");
    // The old derivative stays with the slot and is still drawn in its colour.
    EXPECT_TRUE(view.m_aFunctions[0].m_bDerivativeShown);
    EXPECT_EQ(view.m_aDerivatives[0].m_strCoded, oldDerivative);
    EXPECT_GT(RedColumnsOnCurve(view, [](double) { return 1.0; }), 40);
    EXPECT_EQ(host.derivative, kHint);

    Type("ln(x)");
    EXPECT_EQ(host.entries, (QStringList{"tan(x)", "ln(x)", "x^3", "sin(x)", "cos(x)"}));
    EXPECT_EQ(view.m_nCurrent, 1);
    // A text equal to one in the ring is still refused after the ring turned.
    Type("x^3");
    EXPECT_EQ(view.m_nCurrent, 1);
}

TEST_F(PlotTest, DifferentiateShowsAndDrawsTheDerivative)
{
    view.m_bShowGrid = false;
    view.OnDifferentiate();  // nothing selected: nothing happens
    EXPECT_EQ(host.derivative, "untouched");

    TypeAll({"x^2", "x^3"});
    view.OnSelectFunction(0);
    view.OnDifferentiate();
    EXPECT_EQ(host.derivative, "2*x");
    EXPECT_TRUE(view.m_aFunctions[0].m_bDerivativeShown);
    EXPECT_FALSE(view.m_aFunctions[1].m_bDerivativeShown);
    // The derivative checked numerically, and drawn as y = 2x in slot 0's colour.
    for (double x : {-1.5, 0.25, 3.0})
        EXPECT_NEAR(view.m_aDerivatives[0].Evaluate(x), 2 * x, 1e-12);
    EXPECT_GT(RedColumnsOnCurve(view, [](double x) { return 2 * x; }), 10);

    view.OnSelectFunction(1);
    EXPECT_EQ(host.derivative, kHint);
    // An index outside the slots in use changes nothing.
    view.OnSelectFunction(3);
    view.OnSelectFunction(-1);
    EXPECT_EQ(view.m_nSelected, 1);
}

TEST_F(PlotTest, AutoscaleAndAMissingDomainValue)
{
    // Autoscale follows each new function.
    view.m_bAutoscale = true;
    Type("200*x");
    EXPECT_EQ(view.m_dScaleX, 1.0);
    EXPECT_EQ(view.m_dScaleY, 1.0 / 16);
    Type("0.05*x");
    EXPECT_EQ(view.m_dScaleX, 16.0);
    EXPECT_EQ(view.m_dScaleY, 1.0);

    // A missing domain value: the message, and the plot goes on.
    view.m_bAutoscale = false;
    SetFields("0", "", "", "");
    view.OnRangeFieldFocus();
    Type("x^2");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(captions[0], "Domain Error");
    EXPECT_EQ(view.m_aFunctions[view.m_nCurrent].m_strText, "x^2");
}

TEST_F(PlotTest, ClearGraphEmptiesEverythingAndRecentres)
{
    // Something left in the slots before the first plot of a run is dropped by
    // it, while the typed domain is kept.
    view.m_aFunctions[3].SetExpression("x^3");
    view.m_aFunctions[3].m_bDerivativeShown = true;
    view.m_nLast = view.m_nCurrent = 3;
    SetFields("0", "10", "", "");
    view.OnRangeFieldFocus();
    Type("X+1");
    EXPECT_FALSE(view.m_bRangeEdited);
    EXPECT_EQ(host.fields[1050], "0.00");
    EXPECT_EQ(view.m_nLast, 0);
    EXPECT_EQ(host.entries, QStringList{"x+1"});
    EXPECT_TRUE(view.m_aFunctions[3].m_strCoded.empty());
    EXPECT_FALSE(view.m_aFunctions[3].m_bDerivativeShown);
    EXPECT_EQ(view.m_nPanX, -250);

    Type("cos(x)");
    view.OnDifferentiate();
    view.OnZoomIn();
    view.OnClearGraph();
    EXPECT_TRUE(host.entries.isEmpty());
    EXPECT_EQ(view.m_nLast, -1);
    EXPECT_EQ(view.m_nCurrent, -1);
    EXPECT_EQ(view.m_nSelected, -1);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(view.m_aFunctions[i].m_strText.empty());
        EXPECT_TRUE(view.m_aFunctions[i].m_strCoded.empty());
        EXPECT_TRUE(view.m_aDerivatives[i].m_strCoded.empty());
        EXPECT_FALSE(view.m_aFunctions[i].m_bDerivativeShown);
    }
    EXPECT_EQ(view.m_dScaleX, 1.0);
    EXPECT_EQ(view.m_nPanX, 0);
    EXPECT_EQ(host.fields[1050], "-5.00");
    EXPECT_EQ(host.fields[1053], "4.00");
    // The next plot starts again at slot 0.
    Type("x^2");
    EXPECT_EQ(view.m_nCurrent, 0);

    // With the new-document flag set the mapping stays.
    view.OnZoomIn();
    host.newDocument = true;
    view.OnClearGraph();
    EXPECT_EQ(view.m_dScaleX, 2.0);
    EXPECT_EQ(view.m_nLast, -1);
}

// --- The view and its document ---------------------------------------------------

class PlotDocTest : public PlotTest
{
protected:
    void SetUp() override
    {
        PlotTest::SetUp();
        host.doc = &doc;
        doc.OnNewDocument();
        view.Redraw();
    }
    CCorvantaDoc doc;
};

TEST_F(PlotDocTest, ModifiedFlagFollowsRealRedraws)
{
    const struct { const char *what; std::function<void()> change; bool modified; } steps[] = {
        {"redraw of nothing new", [&] { view.Redraw(); }, false},
        {"plot", [&] { Type("x^2"); }, true},
        {"duplicate plot", [&] { Type("x^2"); }, false},
        {"refused plot", [&] { Type("x+"); }, false},
        {"selection", [&] { view.OnSelectFunction(0); view.Redraw(); }, false},
        {"differentiate", [&] { view.OnDifferentiate(); }, true},
        {"zoom", [&] { view.OnZoomInX(); }, true},
        {"pan", [&] { view.PanBy(5, 0); view.Redraw(); }, true},
        {"pen colour", [&] { view.m_aColor[0] = 0x00123456; view.Redraw(); }, true},
        {"pen width", [&] { view.m_aWidth[0] = 3; view.Redraw(); }, true},
        {"grid", [&] { view.OnShowGrid(); }, false},
        {"clear", [&] { view.OnClearGraph(); }, true},
    };
    for (const auto &s : steps) {
        doc.SetModifiedFlag(false);
        s.change();
        EXPECT_EQ(doc.IsModified(), s.modified) << s.what;
    }
    // A new document clears and recentres but stays unmodified.
    TypeAll({"x", "x^2"});
    view.m_nPanY = 40;
    doc.OnNewDocument();
    view.Redraw();
    EXPECT_FALSE(doc.m_bNewDocument);
    EXPECT_EQ(view.m_nPanY, 0);
    EXPECT_EQ(host.fields[1051], "5.00");
    view.Redraw();
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(PlotDocTest, TheRingGoesOnFromALoadedFile)
{
    EqStore file;
    file.m_nLast = 2;
    file.m_dScaleX = file.m_dScaleY = 1;
    const char *texts[] = {"x^2", "sin(x)", "1/x"};
    for (int i = 0; i < 3; ++i) {
        file.m_aFunctions[i].SetExpression(texts[i]);
        file.m_aColor[i] = 0x000000FFu << (8 * i);
        file.m_aWidth[i] = 1;
    }
    ASSERT_TRUE(CCvaFormat::Decode(CCvaFormat::Encode(file), doc.m_store).Ok());
    view.Redraw();
    EXPECT_EQ(view.m_nCurrent, 2);
    EXPECT_FALSE(doc.IsModified());
    // The next plot goes on from the loaded slots, without clearing them.
    Type("x^3");
    EXPECT_EQ(view.m_nCurrent, 3);
    EXPECT_EQ(host.entries, (QStringList{"x^2", "sin(x)", "1/x", "x^3"}));
    EXPECT_TRUE(doc.IsModified());
}

}  // namespace
