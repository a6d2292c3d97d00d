// The plot command, the function list, differentiate and clear, and the
// view's synchronisation with its document, against a fake frame.
#include "app/CorvantaDoc.h"
#include "app/CvaFormat.h"
#include "app/Message.h"
#include "view/CorvantaView.h"
#include "view/ViewHost.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

const QString kHint = QStringLiteral("Click the differentiate button to view the derivative of the function");

// The expression bar as the view sees it.
class CBarHost : public CViewHost
{
public:
    QString RangeFieldText(int id) const override
    {
        auto it = fields.find(id);
        return it == fields.end() ? QString() : it->second;
    }
    void SetRangeFieldText(int id, const QString &text) override { fields[id] = text; }
    void FocusFunctionList() override { ++focus; }
    void SyncDocument() override { ++syncs; }

    QString FunctionListText() const override { return edit; }
    void SetFunctionListText(const QString &text) override { edit = text; }
    int FunctionListCount() const override { return static_cast<int>(entries.size()); }
    void AppendFunctionListEntry(const QString &text) override { entries.append(text); }
    void InsertFunctionListEntry(int index, const QString &text) override
    {
        entries.insert(std::min<qsizetype>(index, entries.size()), text);
    }
    void RemoveFunctionListEntry(int index) override
    {
        if (index >= 0 && index < entries.size())
            entries.removeAt(index);
    }
    void ClearFunctionList() override
    {
        entries.clear();
        edit.clear();
        selected = -1;
    }
    void SelectFunctionListEntry(int index) override { selected = index; }
    void SetDerivativeText(const QString &text) override { derivative = text; }
    void SetIndicatorColor(const QColor &color) override { indicator = color; }
    void UpdateDegreeOption(const QString &coded) override
    {
        degreeShown = false;
        for (QChar c : coded)
            degreeShown = degreeShown || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
    }
    bool IsNewDocument() const override { return newDocument; }

    std::map<int, QString> fields;
    QString edit;
    QStringList entries;
    int selected = -1;
    QString derivative = QStringLiteral("untouched");
    QColor indicator;
    bool degreeShown = false;
    bool newDocument = false;
    int focus = 0, syncs = 0;
};

struct SShown
{
    QString text, caption;
    MsgIcon icon;
};

class PlotTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = SetMessageHandler([this](const QString &text, const QString &caption, MsgIcon icon, MsgButtons) {
            shown.push_back({text, caption, icon});
            return MsgAnswer::Ok;
        });
        view.SetHost(&host);
        view.resize(500, 400);
    }
    void TearDown() override { SetMessageHandler(m_previous); }

    void Type(const QString &text)
    {
        host.edit = text;
        view.OnPlot();
    }

    // Everything a plot may change, to show that a refused one changed nothing.
    struct SState
    {
        std::vector<std::string> texts, derivs;
        std::vector<bool> flags;
        int current, selected, last;
        double sx, sy;
        int px, py;
        QStringList entries;
        QString derivative;
        bool operator==(const SState &) const = default;
    };
    SState State() const
    {
        SState s{{}, {}, {}, view.m_nCurrent, view.m_nSelected, view.m_nLast, view.m_dScaleX, view.m_dScaleY,
                 view.m_nPanX, view.m_nPanY, host.entries, host.derivative};
        for (int i = 0; i < 5; ++i) {
            s.texts.push_back(view.m_aFunctions[i].m_strCoded);
            s.derivs.push_back(view.m_aDerivatives[i].m_strCoded);
            s.flags.push_back(view.m_aFunctions[i].m_bDerivativeShown);
        }
        return s;
    }

    CBarHost host;
    CCorvantaView view;
    std::vector<SShown> shown;

private:
    MessageHandler m_previous;
};

QColor SlotColor(const CCorvantaView &v, int slot)
{
    const ColorRef c = v.m_aColor[slot];
    return QColor(ColorRefRed(c), ColorRefGreen(c), ColorRefBlue(c));
}

// Curves are antialiased on white: a pixel is the colour blended with white
// when its distance from white points the same way as the colour's.
bool IsTintOf(const QColor &p, const QColor &c)
{
    const double d[3] = {255.0 - p.red(), 255.0 - p.green(), 255.0 - p.blue()};
    const double e[3] = {255.0 - c.red(), 255.0 - c.green(), 255.0 - c.blue()};
    const double ee = e[0] * e[0] + e[1] * e[1] + e[2] * e[2];
    if (ee == 0)
        return false;
    const double a = (d[0] * e[0] + d[1] * e[1] + d[2] * e[2]) / ee;
    if (a < 0.25)
        return false;
    double residual = 0;
    for (int i = 0; i < 3; ++i)
        residual += std::abs(d[i] - a * e[i]);
    return residual < 40;
}

// Pixels of a colour near the curve y = f(x) in the rendered picture.
int PixelsOnCurve(const QImage &img, const CCorvantaView &v, double (*f)(double), const QColor &color)
{
    int hits = 0;
    for (int col = 5; col < img.width() - 5; col += 7) {
        const double x = v.UnitX(col);
        const double row = v.PixelRow(f(x));
        if (!(row > 3 && row < img.height() - 3))
            continue;
        for (int dy = -2; dy <= 2; ++dy)
            if (IsTintOf(img.pixelColor(col, static_cast<int>(row) + dy), color)) {
                ++hits;
                break;
            }
    }
    return hits;
}

TEST_F(PlotTest, UpperCaseTextIsPlottedLowerCased)
{
    Type("SIN(X)");
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(view.m_nLast, 0);
    EXPECT_EQ(view.m_aFunctions[0].m_strText, "sin(x)");
    EXPECT_DOUBLE_EQ(view.m_aFunctions[0].Evaluate(0.5), std::sin(0.5));
    EXPECT_EQ(host.entries, QStringList{"sin(x)"});
    EXPECT_TRUE(host.degreeShown);
    EXPECT_EQ(host.derivative, kHint);
    EXPECT_EQ(host.indicator, SlotColor(view, 0));
    const QImage img = view.Picture();
    EXPECT_GT(PixelsOnCurve(img, view, [](double x) { return std::sin(x); }, SlotColor(view, 0)), 40);

    Type("x^2");
    EXPECT_FALSE(host.degreeShown);
    EXPECT_EQ(host.indicator, SlotColor(view, 1));
}

TEST_F(PlotTest, DuplicatesAreDecidedOnTheCodedText)
{
    struct SCase
    {
        std::vector<const char *> typed;
        int last;
    };
    const SCase cases[] = {
        {{"x^2", "x^2"}, 0},
        {{"x^2", "X^2"}, 0},
        {{"x^2", " x ^ 2 "}, 0},  // blanks go in the coding
        {{"x^2", "x*x"}, 1},
        {{"2x", "2*x"}, 0},
        {{"2pi", "2*pi"}, 0},
        {{"x", "x", "sin(x)", "x"}, 1},
    };
    for (const SCase &c : cases) {
        view.OnClearGraph();
        for (const char *t : c.typed)
            Type(QString::fromLatin1(t));
        EXPECT_EQ(view.m_nLast, c.last) << c.typed.back();
        EXPECT_EQ(host.entries.size(), c.last + 1) << c.typed.back();
        EXPECT_TRUE(shown.empty());
    }
}

TEST_F(PlotTest, BlankOrEmptyTextDoesNothing)
{
    Type("x");
    const SState before = State();
    for (const char *t : {"", " ", "     "}) {
        Type(QString::fromLatin1(t));
        EXPECT_TRUE(State() == before) << '"' << t << '"';
    }
    EXPECT_TRUE(shown.empty());
}

TEST_F(PlotTest, SyntaxErrorsShowTheirMessageAndChangeNothing)
{
    Type("x^2");
    view.OnDifferentiate();
    const SState before = State();
    const QImage picture = view.Picture();
    struct SCase
    {
        const char *typed;
        const char *first;
        const char *problem;
    };
    const SCase cases[] = {
        {"x$", "Error 0x01:", "Expression contains invalid character(s)!"},
        {"y", "Error 0x01:", "Expression contains invalid character(s)!"},
        {"A(x)", "Error 0x01:", "Expression contains invalid character(s)!"},  // lower-cased to a(x)
        {"x+", "Error 0x02:", "Expression contains invalid operator syntax!"},
        {"*x", "Error 0x02:", "Expression contains invalid operator syntax!"},
        {"sin", "Error 0x02:", "Expression contains invalid operator syntax!"},
        {"(x", "Error 0x03:", "Number of open brakcets mismatches closed brackets'!"},
        {"x)", "Error 0x03:", "Number of open brakcets mismatches closed brackets'!"},
    };
    for (const SCase &c : cases) {
        shown.clear();
        const int focus = host.focus;
        Type(QString::fromLatin1(c.typed));
        ASSERT_EQ(shown.size(), 1u) << c.typed;
        EXPECT_EQ(shown[0].text, QString::fromLatin1(c.first) + "\n\n" + c.problem +
                                     "\nPlease correct the error and try again")
            << c.typed;
        EXPECT_EQ(shown[0].caption, "Expression Syntactical Error!");
        EXPECT_EQ(shown[0].icon, MsgIcon::Stop);
        EXPECT_GT(host.focus, focus) << c.typed;
        EXPECT_TRUE(State() == before) << c.typed;
        EXPECT_EQ(view.Picture(), picture) << c.typed;
    }
}

TEST_F(PlotTest, LongAndForeignTextsAreHandled)
{
    // A long sum is an ordinary function; a letter outside ASCII is an
    // invalid character, whatever its case.
    QString sum;
    for (int i = 0; i < 3000; ++i)
        sum += QStringLiteral("x+");
    Type(sum + "x");
    EXPECT_TRUE(shown.empty());
    ASSERT_EQ(view.m_nLast, 0);
    EXPECT_DOUBLE_EQ(view.m_aFunctions[0].Evaluate(0.5), 1500.5);
    for (const QString &t : {QStringLiteral("\u00DFin(x)"), QStringLiteral("SIN(\u0130)"), QStringLiteral("x\tx")}) {
        shown.clear();
        Type(t);
        ASSERT_EQ(shown.size(), 1u) << t.toStdString();
        EXPECT_TRUE(shown[0].text.startsWith("Error 0x01:")) << t.toStdString();
    }
    EXPECT_EQ(view.m_nLast, 0);
}

TEST_F(PlotTest, TheRingOfFiveAndItsList)
{
    const char *texts[] = {"x", "x^2", "x^3", "sin(x)", "cos(x)", "tan(x)", "ln(x)"};
    // Slot 0 differentiated before the ring comes round to it.
    Type(texts[0]);
    view.OnDifferentiate();
    const std::string oldDerivative = view.m_aDerivatives[0].m_strCoded;
    ASSERT_FALSE(oldDerivative.empty());
    for (int i = 1; i < 5; ++i)
        Type(texts[i]);
    EXPECT_EQ(view.m_nLast, 4);
    EXPECT_EQ(view.m_nCurrent, 4);
    EXPECT_EQ(host.entries, (QStringList{"x", "x^2", "x^3", "sin(x)", "cos(x)"}));

    Type(texts[5]);
    EXPECT_EQ(host.entries, (QStringList{"tan(x)", "x^2", "x^3", "sin(x)", "cos(x)"}));
    EXPECT_EQ(view.m_nCurrent, 0);
    EXPECT_EQ(view.m_nLast, 4);
    EXPECT_EQ(view.m_nSelected, 0);
    EXPECT_EQ(view.m_aFunctions[0].m_strText, "tan(x)");
    // The old derivative stays with the slot and is still drawn in its colour.
    EXPECT_TRUE(view.m_aFunctions[0].m_bDerivativeShown);
    EXPECT_EQ(view.m_aDerivatives[0].m_strCoded, oldDerivative);
    EXPECT_GT(PixelsOnCurve(view.Picture(), view, [](double) { return 1.0; }, SlotColor(view, 0)), 40);
    EXPECT_EQ(host.derivative, kHint);

    Type(texts[6]);
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

    Type("x^2");
    Type("x^3");
    view.OnSelectFunction(0);
    view.OnDifferentiate();
    EXPECT_EQ(host.derivative, "2*x");
    EXPECT_TRUE(view.m_aFunctions[0].m_bDerivativeShown);
    EXPECT_FALSE(view.m_aFunctions[1].m_bDerivativeShown);
    // The derivative checked numerically, and drawn as y = 2x in slot 0's colour.
    for (double x : {-1.5, 0.25, 3.0})
        EXPECT_NEAR(view.m_aDerivatives[0].Evaluate(x), 2 * x, 1e-12);
    EXPECT_GT(PixelsOnCurve(view.Picture(), view, [](double x) { return 2 * x; }, SlotColor(view, 0)), 10);

    // Choosing the other function shows its hint, the first its derivative.
    view.OnSelectFunction(1);
    EXPECT_EQ(view.m_nSelected, 1);
    EXPECT_EQ(host.derivative, kHint);
    EXPECT_EQ(host.indicator, SlotColor(view, 1));
    view.OnSelectFunction(0);
    EXPECT_EQ(host.derivative, "2*x");
    EXPECT_EQ(host.indicator, SlotColor(view, 0));
    // An index outside the slots in use changes nothing.
    view.OnSelectFunction(3);
    view.OnSelectFunction(-1);
    EXPECT_EQ(view.m_nSelected, 0);
}

TEST_F(PlotTest, SelectionDoesNotRedraw)
{
    Type("x");
    Type("sin(x)");
    const int syncs = host.syncs;
    view.OnSelectFunction(0);
    EXPECT_EQ(host.syncs, syncs);
    EXPECT_FALSE(host.degreeShown);
    view.OnSelectFunction(1);
    EXPECT_TRUE(host.degreeShown);
}

TEST_F(PlotTest, TypedDomainAndAutoscale)
{
    // Typed domain 0..10 in a 500-pixel view: scale 1, the origin at the left edge.
    host.fields[1050] = "0";
    host.fields[1051] = "10";
    view.OnRangeFieldFocus();
    Type("x");
    EXPECT_EQ(view.m_dScaleX, 1.0);
    EXPECT_EQ(view.m_nPanX, -250);
    EXPECT_FALSE(view.m_bRangeEdited);
    EXPECT_EQ(host.fields[1050], "0.00");

    // Autoscale follows each new function.
    view.m_bAutoscale = true;
    Type("200*x");
    EXPECT_EQ(view.m_dScaleX, 1.0);
    EXPECT_EQ(view.m_dScaleY, 1.0 / 16);
    Type("0.05*x");
    EXPECT_EQ(view.m_dScaleX, 16.0);
    EXPECT_EQ(view.m_dScaleY, 1.0);

    // Re-Plot with autoscale on and edited fields: the fields win.
    view.OnSelectFunction(1);  // 200*x
    host.fields[1050] = "-2";
    host.fields[1051] = "2";
    host.fields[1052] = "-1";
    host.fields[1053] = "1";
    view.RePlot();
    EXPECT_DOUBLE_EQ(view.m_dScaleX, 10.0 / 4);
    EXPECT_DOUBLE_EQ(view.m_dScaleY, 8.0 / 2);
    EXPECT_EQ(host.fields[1050], "-2.00");
    EXPECT_EQ(host.fields[1053], "1.00");

    // A missing domain value: the message, and the plot goes on.
    shown.clear();
    view.m_bAutoscale = false;
    host.fields[1051] = "";
    host.fields[1052] = "";
    host.fields[1053] = "";
    view.OnRangeFieldFocus();
    Type("x^2");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Domain Error");
    EXPECT_EQ(view.m_aFunctions[view.m_nCurrent].m_strText, "x^2");
}

TEST_F(PlotTest, ClearGraphEmptiesEverythingAndRecentres)
{
    Type("x");
    Type("cos(x)");
    view.OnDifferentiate();
    view.OnZoomIn();
    view.m_nPanX = 30;
    view.OnClearGraph();
    EXPECT_TRUE(host.entries.isEmpty());
    EXPECT_TRUE(host.edit.isEmpty());
    EXPECT_EQ(host.indicator, QColor(Qt::white));
    EXPECT_EQ(host.derivative, "");
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
    EXPECT_EQ(view.m_dScaleY, 1.0);
    EXPECT_EQ(view.m_nPanX, 0);
    EXPECT_EQ(host.fields[1050], "-5.00");
    EXPECT_EQ(host.fields[1053], "4.00");

    // The next plot starts again at slot 0.
    Type("x^2");
    EXPECT_EQ(view.m_nCurrent, 0);
    EXPECT_EQ(host.entries, QStringList{"x^2"});

    // With the new-document flag set the mapping stays.
    view.OnZoomIn();
    host.newDocument = true;
    view.OnClearGraph();
    EXPECT_EQ(view.m_dScaleX, 2.0);
    EXPECT_EQ(view.m_nLast, -1);
}

TEST_F(PlotTest, TheFirstPlotOfARunKeepsTheTypedDomain)
{
    // Something left in the slots before the first plot (as a test may).
    view.m_aFunctions[3].SetExpression("x^3");
    view.m_aFunctions[3].m_bDerivativeShown = true;
    view.m_nLast = 3;
    view.m_nCurrent = 3;
    host.fields[1050] = "0";
    host.fields[1051] = "10";
    view.OnRangeFieldFocus();
    Type("X+1");
    EXPECT_EQ(view.m_nLast, 0);
    EXPECT_EQ(view.m_nCurrent, 0);
    EXPECT_EQ(host.entries, QStringList{"x+1"});
    EXPECT_TRUE(view.m_aFunctions[3].m_strCoded.empty());
    EXPECT_FALSE(view.m_aFunctions[3].m_bDerivativeShown);
    EXPECT_EQ(view.m_nPanX, -250);
    EXPECT_EQ(host.derivative, kHint);
}

TEST_F(PlotTest, CommandIdsReachTheHandlers)
{
    host.edit = "x";
    EXPECT_TRUE(view.HandleCommand(1006));
    host.edit = "x^2";
    EXPECT_TRUE(view.HandleCommand(1));
    EXPECT_EQ(view.m_nLast, 1);
    EXPECT_TRUE(view.HandleCommand(32787));
    EXPECT_EQ(host.derivative, "2*x");
    EXPECT_TRUE(view.HandleCommand(32785));
    EXPECT_EQ(view.m_nLast, -1);
    EXPECT_TRUE(view.HandleCommand(1007));
}

// --- The view and its document ---------------------------------------------------

class PlotDocTest : public PlotTest
{
protected:
    void SetUp() override
    {
        PlotTest::SetUp();
        view.SetDocument(&doc);
        doc.OnNewDocument();
        view.Redraw();
    }
    CCorvantaDoc doc;
};

TEST_F(PlotDocTest, ModifiedFlagFollowsRealRedraws)
{
    EXPECT_FALSE(doc.IsModified());
    view.Redraw();
    EXPECT_FALSE(doc.IsModified());  // a redraw of nothing new

    struct SStep
    {
        const char *what;
        std::function<void()> change;
        bool modified;
    };
    const std::vector<SStep> steps = {
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
    for (const SStep &s : steps) {
        doc.SetModifiedFlag(false);
        s.change();
        EXPECT_EQ(doc.IsModified(), s.modified) << s.what;
    }
}

TEST_F(PlotDocTest, NewDocumentClearsCentresAndStaysUnmodified)
{
    Type("x");
    Type("x^2");
    view.OnZoomIn();
    view.m_nPanY = 40;
    view.Redraw();
    ASSERT_TRUE(doc.IsModified());

    doc.OnNewDocument();
    view.Redraw();
    EXPECT_FALSE(doc.m_bNewDocument);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(view.m_nLast, -1);
    EXPECT_TRUE(host.entries.isEmpty());
    EXPECT_EQ(view.m_dScaleX, 1.0);
    EXPECT_EQ(view.m_nPanY, 0);
    EXPECT_EQ(host.fields[1051], "5.00");
    view.Redraw();
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(PlotDocTest, LoadedFileRebuildsListDerivativesAndSelection)
{
    EqStore &s = doc.m_store;
    std::vector<std::uint8_t> bytes;
    {
        EqStore file;
        file.m_nLast = 2;
        file.m_dScaleX = 2;
        file.m_dScaleY = 0.5;
        file.m_nPanX = 10;
        file.m_nPanY = -20;
        const char *texts[] = {"x^2", "sin(x)", "1/x"};
        for (int i = 0; i < 3; ++i) {
            file.m_aFunctions[i].SetExpression(texts[i]);
            file.m_aColor[i] = 0x000000FFu << (8 * i);
            file.m_aWidth[i] = i + 1;
        }
        file.m_aFunctions[1].m_bDerivativeShown = true;
        bytes = CCvaFormat::Encode(file);
    }
    ASSERT_TRUE(CCvaFormat::Decode(bytes, s).Ok());
    view.Redraw();

    EXPECT_EQ(host.entries, (QStringList{"x^2", "sin(x)", "1/x"}));
    EXPECT_EQ(host.selected, 0);
    EXPECT_EQ(view.m_nSelected, 0);
    EXPECT_EQ(view.m_nCurrent, 2);
    EXPECT_EQ(view.m_nLast, 2);
    EXPECT_EQ(view.m_dScaleX, 2.0);
    EXPECT_EQ(view.m_nPanY, -20);
    EXPECT_EQ(host.derivative, kHint);  // entry 0 has no derivative shown
    // Slot 1's derivative is drawn without a differentiate command.
    EXPECT_TRUE(view.m_aFunctions[1].m_bDerivativeShown);
    EXPECT_NEAR(view.m_aDerivatives[1].Evaluate(0.3), std::cos(0.3), 1e-12);
    EXPECT_GT(PixelsOnCurve(view.Picture(), view, [](double x) { return std::cos(x); }, SlotColor(view, 1)), 20);
    view.OnSelectFunction(1);
    EXPECT_EQ(host.derivative, "cosx");
    EXPECT_FALSE(doc.IsModified());

    // The next plot goes on from the loaded slots, without clearing them.
    Type("x^3");
    EXPECT_EQ(view.m_nCurrent, 3);
    EXPECT_EQ(host.entries.size(), 4);
    EXPECT_TRUE(doc.IsModified());
}

}  // namespace
