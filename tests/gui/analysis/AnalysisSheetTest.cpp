// The analysis sheet: the searches are tested in the core; here the pages' modes,
// refusals, questions, cancel, and the commands that open the sheet and the trace field.
#include "core/analysis/AnalysisRun.h"
#include "core/analysis/AnalysisWording.h"
#include "gui/analysis/AnalysisSheet.h"
#include "gui/GuiFixtures.h"
#include "gui/analysis/ResultLines.h"
#include "gui/app/TraceBar.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>

#include <cmath>

namespace {

enum Page { Roots = 0, Extrema = 1, Inflexion = 2, Crossings = 3 };

// Control ids per page: radios, From, To, decimal places.
struct Ids { int modes[3], from, to, accuracy; };
constexpr Ids kIds[] = {{{1000, 1001, 1002}, 1003, 1004, 1005},
                        {{1000, 1002, 1003}, 1004, 1005, 1007},
                        {{1000, 1002, 1003}, 1004, 1005, 1007},
                        {{1000, 1001, 1002}, 1003, 1004, 1005}};
constexpr int kSecondFunction = 1015;
constexpr int kFunctionList = 1006, kStep3 = 1012, kResultLabel = 1014;

SAnalysisInput Input(std::initializer_list<QString> functions, int current = 0)
{
    SAnalysisInput input;
    int i = 0;
    for (const QString &f : functions)
        input.functions[i++] = f;
    input.current = current;
    input.graphMin = -13.5;
    input.graphMax = 12.25;
    return input;
}

class Sheet : public ::testing::Test
{
protected:
    void Open(const SAnalysisInput &input) { m_pSheet = std::make_unique<CAnalysisSheet>(input); }
    CAnalysisPage *P(Page p) const { return m_pSheet->Page(p); }
    template <class T> T *C(Page p, int id) const { return qobject_cast<T *>(P(p)->Control(id)); }
    QLineEdit *Edit(Page p, int id) const { return C<QLineEdit>(p, id); }
    QRadioButton *Mode(Page p, int mode) const { return C<QRadioButton>(p, kIds[p].modes[mode]); }
    QStringList Lines(Page p) const { return ResultLines(P(p)); }
    // The result label, or the caption of the group that stands for it.
    QString ResultLabel(Page p) const
    {
        const auto *pLabel = C<QLabel>(p, kResultLabel);
        return pLabel ? pLabel->text() : C<QGroupBox>(p, kResultLabel)->title();
    }
    // Types the fields and presses Calculate.
    void Calculate(Page p, int mode, const QString &from, const QString &to = "10", const QString &places = "6")
    {
        // The roots page reads the fields on a mode click: valid ones first.
        for (int id : {kIds[p].from, kIds[p].to, kIds[p].accuracy})
            Edit(p, id)->setText("6");
        Mode(p, mode)->click();
        Edit(p, kIds[p].from)->setText(from);
        Edit(p, kIds[p].to)->setText(to);
        Edit(p, kIds[p].accuracy)->setText(places);
        P(p)->CalculateButton()->click();
    }

    ScriptedPrompts m_prompts;
    std::unique_ptr<CAnalysisSheet> m_pSheet;
};

TEST_F(Sheet, ListOffersOnlyUsedSlotsAndEnterCalculatesOnTheShownPage)
{
    Open(Input({"x^2", "", "sin(x)"}, 1));
    EXPECT_EQ(C<QComboBox>(Inflexion, kFunctionList)->count(), 2);
    EXPECT_EQ(C<QComboBox>(Inflexion, kFunctionList)->currentText(), "sin(x)");  // by position among those shown
    EXPECT_TRUE(P(Roots)->CalculateButton()->isDefault());
    m_pSheet->Tabs()->setCurrentIndex(2);
    EXPECT_TRUE(P(Inflexion)->CalculateButton()->isDefault());
    EXPECT_FALSE(P(Roots)->CalculateButton()->isDefault());
    Open(Input({"x^2"}, 3));
    EXPECT_EQ(C<QComboBox>(Roots, kFunctionList)->currentIndex(), -1);
}

TEST_F(Sheet, ModesSwitchLabelsAndFieldsAndTheGraphDomainIsCopied)
{
    Open(Input({"x^2"}));
    QLineEdit *pFrom = Edit(Roots, kIds[Roots].from), *pTo = Edit(Roots, kIds[Roots].to);
    Mode(Roots, 1)->click();
    EXPECT_EQ(pFrom->text(), "-13.5");
    EXPECT_EQ(pTo->text(), "12.25");
    EXPECT_FALSE(pFrom->isEnabled() || pTo->isEnabled() || C<QLabel>(Roots, kStep3)->isEnabled());
    Mode(Roots, 2)->click();
    EXPECT_EQ(ResultLabel(Roots), "Root(s) near that point :");
    EXPECT_TRUE(pFrom->isEnabled() && pTo->isHidden());
    Mode(Roots, 0)->click();
    EXPECT_TRUE(pTo->isEnabled() && !pTo->isHidden());
    EXPECT_EQ(pFrom->text(), "-13.5");  // the copied domain stays
    EXPECT_TRUE(m_prompts.shown.empty());
}

// Each page's listed points become its own marks on their function's slot,
// and a row selected in the list highlights the point it belongs to.
TEST_F(Sheet, ListedPointsBecomeThePageMarksAndRowsHighlightThem)
{
    SGraphResults results;
    SAnalysisInput input = Input({"x^3-3*x", "", "x"});
    input.showMarks = [&](EMarkSource s, std::vector<SGraphMark> marks) { results.SetMarks(s, std::move(marks)); };
    input.highlightMark = [&](EMarkSource s, int point) { results.Highlight(s, point); };
    Open(input);
    EXPECT_EQ(C<QComboBox>(Crossings, kSecondFunction)->currentText(), "x");  // another function than the first
    using K = EMarkKind;
    const double r3 = std::sqrt(3.0);
    const struct { Page page; int linesPerPoint, otherSlot; std::vector<std::pair<double, K>> marks; } cases[] = {
        {Roots, 1, -1, {{-r3, K::Root}, {0, K::Root}, {r3, K::Root}}},
        {Extrema, 4, -1, {{-1, K::Maximum}, {1, K::Minimum}}},
        {Inflexion, 1, -1, {{0, K::Inflection}}},
        {Crossings, 1, 2, {{-2, K::Intersection}, {0, K::Intersection}, {2, K::Intersection}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.page);
        Calculate(c.page, 0, "-10");
        const std::size_t first = results.marks.size() - c.marks.size();  // the page's own follow the others
        ASSERT_GE(results.marks.size(), c.marks.size());
        for (std::size_t i = 0; i < c.marks.size(); ++i) {
            const SGraphMark &m = results.marks[first + i];
            EXPECT_NEAR(m.x, c.marks[i].first, 1e-6);
            EXPECT_EQ(m.kind, c.marks[i].second);
            EXPECT_EQ(std::pair(m.slot, m.otherSlot), std::pair(0, c.otherSlot));
        }
        auto *pList = P(c.page)->findChild<QListWidget *>();
        ASSERT_EQ(pList->count(), static_cast<int>(c.marks.size()) * c.linesPerPoint);
        for (int row = pList->count() - 1; row >= 0; --row) {
            pList->setCurrentRow(row);
            EXPECT_EQ(results.highlighted, static_cast<int>(first) + row / c.linesPerPoint) << row;
        }
    }
    // A refusal and a list of none clear that page's marks only.
    Calculate(Roots, 0, "5", "-5");
    Calculate(Extrema, 0, "2", "3");
    EXPECT_EQ(results.marks.size(), 4u);
    Open(Input({"x^2"}));  // one function: nothing to intersect with
    Calculate(Crossings, 0, "-10");
    EXPECT_EQ(m_prompts.Texts().last(), QString::fromLatin1(kNoSecondFunctionText));
}

// The lines of each page are compared with the command line's in the end-to-end tests.
TEST_F(Sheet, NoSelectedEntrySearchesNothing)
{
    Open(Input({"1"}, 4));  // no entry selected: nothing to search, and no crash
    Calculate(Roots, 0, "-10");
    EXPECT_EQ(Lines(Roots), QStringList{"None"});
    EXPECT_TRUE(m_prompts.shown.empty());
}

TEST_F(Sheet, RefusedInputLeavesTheListAlone)
{
    Open(Input({"x"}));
    Calculate(Roots, 0, "-10");
    ASSERT_EQ(Lines(Roots), QStringList{"0.000000"});
    const char *domain = "Error 0x06:\n\nThe start of domain must be less than the end.\nPlease correct the error and try again.";
    // Equal ends, 16 places and a point far from zero are compared with the command line's.
    const struct { const char *from, *to, *places, *text; } cases[] = {
        {"5", "-5", "6", domain},
        {"-10", "10", "2", "Please enter an integer between 3 and 15."},
        {"-10", "10", "", "Please enter an integer."},
        {"abc", "10", "6", "Please enter a number."},
        {"-10", "1e999", "6", "Please enter a number."},
        // The step no longer moves x out here: refused, not asked about as a large domain.
        {"2e15", "2000000000000010", "6", "The domain is too far from zero: the search step no longer changes x "
                                          "there.\nPlease choose a domain nearer to zero and try again."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        m_prompts.Clear();
        Calculate(Roots, 0, c.from, c.to, c.places);
        EXPECT_EQ(m_prompts.Texts(), QStringList{c.text});
        EXPECT_EQ(Lines(Roots), QStringList{"0.000000"});
    }
}

TEST_F(Sheet, LargeDomainQuestionPerPage)
{
    Open(Input({"x^2+1"}));
    const struct { Page page; const char *to; bool asked; const char *what; } cases[] = {
        {Roots, "3000000", true, "roots"}, {Roots, "30000", false, nullptr},
        {Extrema, "30000", true, "critical points"}, {Inflexion, "30000", true, "inflection points"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.page);
        Calculate(c.page, 0, "-10");
        const QStringList before = Lines(c.page);
        m_prompts.Clear();
        m_prompts.answers = {MsgAnswer::Yes};  // change it: nothing searched
        Calculate(c.page, 0, QString("-") + c.to, c.to);
        EXPECT_EQ(Lines(c.page), before);
        m_prompts.answers.clear();
        ASSERT_EQ(m_prompts.shown.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_TRUE(m_prompts.shown[0].text.contains(QString(" some of %1 may not").arg(c.what)));
            EXPECT_EQ(m_prompts.shown[0].buttons, MsgButtons::YesNo);
        }
    }
}

TEST_F(Sheet, CancelledSearchSaysSoInsteadOfTheLastList)
{
    Open(Input({"x^2-1"}));
    for (Page p : {Roots, Extrema, Inflexion}) {
        Calculate(p, 0, "-10");
        int reports = 0;
        m_prompts.onProgress = [&](double) { return ++reports < 2; };
        m_prompts.answers = {MsgAnswer::No};  // search the large domain
        Calculate(p, 0, "-1e9", "1e9");
        EXPECT_EQ(reports, 2);
        EXPECT_EQ(Lines(p), QStringList{QString::fromLatin1(kCancelledLine)});
        m_prompts.onProgress = {};
    }
}

TEST_F(Sheet, TooManyWhenAnyRunFilledItsTable)
{
    Open(Input({"sin(100*x)", "(sin(x))^3", "sin(10*x)"}));
    // Too many roots is compared with the command line's.
    const struct { Page page; int slot; const char *from, *to, *caption; } cases[] = {
        // One run of 300 candidates and one of about 160: below the sum of
        // 598, points are missing all the same.
        {Extrema, 1, "-250", "250", "Too much Critical Points"},
        {Inflexion, 2, "-200", "200", "Too much Inflection Points"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.caption);
        m_prompts.Clear();
        C<QComboBox>(c.page, kFunctionList)->setCurrentIndex(c.slot);
        Calculate(c.page, 0, c.from, c.to);
        ASSERT_EQ(m_prompts.shown.size(), 1u);
        EXPECT_EQ(m_prompts.shown[0].caption, c.caption);
        EXPECT_FALSE(Lines(c.page).isEmpty());
        m_prompts.Clear();
        Calculate(c.page, 2, "0");  // not in the near-point mode
        EXPECT_TRUE(m_prompts.shown.empty());
    }
}

TEST(AnalysisInput, GraphDomainFromScreenWidthScaleAndPan)
{
    const struct { int width; double scale; int pan; double min, max; } cases[] = {
        {1281, 1.0, 0, -12.9, 12.9},  // half the width in whole pixels
        {1920, 0.5, -50, -36.6, 40.6},
    };
    for (const auto &c : cases) {
        const auto [min, max] = CAnalysisSheet::GraphDomain(c.width, c.scale, c.pan);
        EXPECT_DOUBLE_EQ(min, c.min);
        EXPECT_DOUBLE_EQ(max, c.max);
    }
}

using AnalysisFrame = FrameFixture;

// Ctrl+A in the graph area is the command (in a field it selects the text).
TEST_F(AnalysisFrame, AnalyzeKeyRefusesAnEmptyGraphAndOpensTheSheetWithTheViewsFunctions)
{
    ShowFrame();
    m_pFrame->View()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(prompts.Texts(), QStringList{"Error 0x05:\n\nThe are no expressions to Analyse!\n"
                                            "Please enter at lease one function and try again."});
    PlotInFrame({"x^2-4", "sin(x)"});
    QString seen;
    prompts.onDialog = [&](QDialog &dialog) {
        auto &sheet = dynamic_cast<CAnalysisSheet &>(dialog);
        const auto *pCombo = qobject_cast<QComboBox *>(sheet.Page(0)->Control(kFunctionList));
        seen = QString::number(pCombo->count()) + ":" + pCombo->currentText();
        sheet.Buttons()->button(QDialogButtonBox::Ok)->click();
        return sheet.result();
    };
    m_pFrame->View()->setFocus();
    QTest::keyClick(m_pFrame->View(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(seen, "2:sin(x)");
    EXPECT_EQ(m_pFrame->View()->State().m_aFunctions[0].m_strText, "x^2-4");  // the view's slots stay
}

// The graph behind the open sheet keeps its curves when a page's list
// redraws it (to show the points found).
TEST_F(AnalysisFrame, GraphBehindTheOpenSheetKeepsItsCurves)
{
    ShowFrame();
    PlotInFrame({"x"});
    CCorvantaView *pView = m_pFrame->View();
    // Points of y = x with a red pixel at their mapped row or next to it
    // (the grid, axes and labels are grey).
    const auto onCurve = [pView](const QImage &image) {
        int n = 0;
        for (const double x : {-4.5, -2.5, 1.5, 3.5})
            for (int dy = -1; dy <= 1; ++dy) {
                const QRgb c = image.pixel(int(pView->State().PixelColumn(x)), int(pView->State().PixelRow(x)) + dy);
                n += qRed(c) > 200 && qGreen(c) < 100;
            }
        return n;
    };
    const int before = onCurve(pView->grab().toImage());
    ASSERT_GE(before, 4);
    int during = -1, marks = -1;
    prompts.onDialog = [&](QDialog &dialog) {
        auto &sheet = dynamic_cast<CAnalysisSheet &>(dialog);
        sheet.show();  // open above the graph, as the user sees it
        sheet.Page(Roots)->CalculateButton()->click();
        QApplication::processEvents();
        during = onCurve(pView->grab().toImage());
        marks = static_cast<int>(pView->State().m_results.marks.size());
        sheet.Buttons()->button(QDialogButtonBox::Ok)->click();
        return sheet.result();
    };
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_ANALYZE));
    EXPECT_EQ(marks, 1);
    EXPECT_EQ(during, before);
}

// A value set while the sheet is open reaches the next search.
TEST_F(AnalysisFrame, SearchUsesTheGraphsCurrentParameterValues)
{
    PlotInFrame({"x^2-a"});
    QStringList before, after;
    prompts.onDialog = [&](QDialog &dialog) {
        auto &sheet = dynamic_cast<CAnalysisSheet &>(dialog);
        sheet.Page(Roots)->CalculateButton()->click();
        before = ResultLines(sheet.Page(Roots));
        SParameter a;
        a.value = 4;
        EXPECT_TRUE(m_pFrame->View()->Graph().SetParameter('a', a));
        sheet.Page(Roots)->CalculateButton()->click();
        after = ResultLines(sheet.Page(Roots));
        sheet.Buttons()->button(QDialogButtonBox::Ok)->click();
        return sheet.result();
    };
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_ANALYZE));
    EXPECT_EQ(before, (QStringList{"-1.000000", "1.000000"}));
    EXPECT_EQ(after, (QStringList{"-2.000000", "2.000000"}));
}

TEST_F(AnalysisFrame, TraceFieldGivesTheValueOfTheSelectedFunction)
{
    PlotInFrame({"sin(x)"});
    ASSERT_TRUE(m_pFrame->ExecuteCommand(ID_TRACE));
    auto *x = qobject_cast<QLineEdit *>(m_pFrame->TraceBar()->Control(IDC_TRACE_X));
    auto *fx = qobject_cast<QLineEdit *>(m_pFrame->TraceBar()->Control(IDC_TRACE_FX));
    ASSERT_TRUE(x && fx);
    x->setText(QStringLiteral("90"));
    EXPECT_EQ(fx->text(), "0.893996663600558");
    m_pFrame->ExecuteCommand(ID_DEGREE);
    x->setText(QStringLiteral("90.0"));
    EXPECT_EQ(fx->text(), "1.00000000000000");
}

}  // namespace
