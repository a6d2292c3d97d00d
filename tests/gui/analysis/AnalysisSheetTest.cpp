#include "gui/analysis/AnalysisSheet.h"
#include "gui/app/FrameTestSupport.h"
#include "gui/view/CommandIds.h"
#include "gui/view/CorvantaView.h"
#include "gui/MessageRecorder.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include <cmath>

namespace {

enum Page { Roots = 0, Extrema = 1, Inflexion = 2 };

// Control ids per page: radios, From, To, decimal places, list.
struct Ids
{
    int modes[3], from, to, accuracy, list;
};
constexpr Ids kIds[] = {
    {{1000, 1001, 1002}, 1003, 1004, 1005, 1007},
    {{1000, 1002, 1003}, 1004, 1005, 1007, 1001},
    {{1000, 1002, 1003}, 1004, 1005, 1007, 1010},
};

// x left in 19 columns, y right in 26.
QString Line(const QString &x, const QString &y) { return x.leftJustified(19) + y.rightJustified(26); }

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
    // Types the fields and presses Calculate.
    void Calculate(Page p, int mode, const QString &from, const QString &to = "10", const QString &places = "6")
    {
        // The roots page reads the fields on a mode click: valid ones first.
        Edit(p, kIds[p].from)->setText("0");
        Edit(p, kIds[p].to)->setText("1");
        Edit(p, kIds[p].accuracy)->setText("6");
        Mode(p, mode)->click();
        Edit(p, kIds[p].from)->setText(from);
        Edit(p, kIds[p].to)->setText(to);
        Edit(p, kIds[p].accuracy)->setText(places);
        P(p)->CalculateButton()->click();
    }

    MessageRecorder m_messages;
    std::unique_ptr<CAnalysisSheet> m_pSheet;
};

TEST_F(Sheet, OpensOnTheRootsPageInItsCloseState)
{
    Open(Input({"x^2"}));
    EXPECT_EQ(m_pSheet->windowTitle(), "Function Analysis");
    const QStringList titles = {"Function Roots", "Function's Extremas", "Points of Inflextion"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(m_pSheet->Tabs()->tabText(i), titles[i]);
    EXPECT_EQ(m_pSheet->Tabs()->currentIndex(), 0);
    EXPECT_EQ(m_pSheet->Buttons()->button(QDialogButtonBox::Ok)->text(), "Close");
    EXPECT_FALSE(m_pSheet->Buttons()->button(QDialogButtonBox::Cancel)->isEnabled());
    EXPECT_TRUE(P(Roots)->CalculateButton()->isDefault());
    m_pSheet->Tabs()->setCurrentIndex(2);
    EXPECT_TRUE(P(Inflexion)->CalculateButton()->isDefault());
    EXPECT_FALSE(P(Roots)->CalculateButton()->isDefault());
}

TEST_F(Sheet, PagesStartWithTheirTemplateTexts)
{
    Open(Input({"x^2"}));
    struct Case { Page page; const char *step3, *result; };
    const Case cases[] = {
        {Roots, "3- Specify a domain :   From", "Root(s) in that domain :"},
        {Extrema, "3- Specify domain :     From", "Critical point(s) in this domain :"},
        {Inflexion, "3- Specify domain :    From", "Inflection point(s) in this domain :"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.page);
        EXPECT_EQ(C<QLabel>(c.page, 1012)->text(), c.step3);
        EXPECT_EQ(P(c.page)->ResultLabelText(), c.result);
        EXPECT_TRUE(Mode(c.page, 0)->isChecked());
        EXPECT_EQ(Edit(c.page, kIds[c.page].from)->text(), "-10");
        EXPECT_EQ(Edit(c.page, kIds[c.page].to)->text(), "10");
        EXPECT_EQ(Edit(c.page, kIds[c.page].accuracy)->text(), "6");
        EXPECT_EQ(C<QLabel>(c.page, 1011)->text(), "To ");
        EXPECT_NE(C<QListWidget>(c.page, kIds[c.page].list), nullptr);
        EXPECT_EQ(P(c.page)->CalculateButton()->text(), "Calculate");
    }
    EXPECT_EQ(C<QRadioButton>(Extrema, 1003)->text(), "near a point (most accuracy).");
    EXPECT_EQ(C<QRadioButton>(Roots, 1001)->text(), "in the graph domain (good at zoom in cases).");
    EXPECT_NE(P(Roots)->Control(1041), nullptr);
    EXPECT_NE(P(Inflexion)->Control(1013), nullptr);
}

TEST_F(Sheet, ComboOffersOnlyUsedSlotsAndSelectsByPosition)
{
    Open(Input({"x^2", "", "sin(x)"}, 1));
    for (int p = 0; p < 3; ++p) {
        const auto *pCombo = C<QComboBox>(Page(p), 1006);
        ASSERT_EQ(pCombo->count(), 2);
        EXPECT_EQ(pCombo->itemText(1), "sin(x)");
        EXPECT_EQ(pCombo->currentText(), "sin(x)");
    }
    Open(Input({"x^2"}, 3));
    EXPECT_EQ(C<QComboBox>(Roots, 1006)->currentIndex(), -1);
}

TEST_F(Sheet, RadiosSwitchLabelsAndFields)
{
    Open(Input({"x^2"}));
    struct Case { Page page; const char *domain, *near; };
    const Case cases[] = {
        {Roots, "Root(s) in that domain :", "Root(s) near that point :"},
        {Extrema, "Critical point(s) in that domain :", "Critical point(s) near that point :"},
        {Inflexion, "Inflection point(s) in that domain :", "Inflection point(s) near that point :"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.page);
        QLineEdit *pFrom = Edit(c.page, kIds[c.page].from), *pTo = Edit(c.page, kIds[c.page].to);
        Mode(c.page, 1)->click();
        EXPECT_EQ(pFrom->text(), "-13.5");
        EXPECT_EQ(pTo->text(), "12.25");
        EXPECT_FALSE(pFrom->isEnabled());
        EXPECT_FALSE(pTo->isEnabled());
        EXPECT_FALSE(C<QLabel>(c.page, 1012)->isEnabled());
        EXPECT_EQ(P(c.page)->ResultLabelText(), c.domain);
        Mode(c.page, 2)->click();
        EXPECT_EQ(C<QLabel>(c.page, 1012)->text(), "3- Specify a nearby point :");
        EXPECT_TRUE(pFrom->isEnabled());
        EXPECT_TRUE(pTo->isHidden());
        EXPECT_TRUE(C<QLabel>(c.page, 1011)->isHidden());
        EXPECT_EQ(P(c.page)->ResultLabelText(), c.near);
        Mode(c.page, 0)->click();
        EXPECT_EQ(C<QLabel>(c.page, 1012)->text(), "3- Specify domain :     From");
        EXPECT_TRUE(pTo->isEnabled());
        EXPECT_FALSE(pTo->isHidden());
        EXPECT_EQ(pFrom->text(), "-13.5");  // the copied domain stays
    }
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(Sheet, EachPageListsItsResults)
{
    Open(Input({"x^2-4", "sin(x)", "x^3"}));
    struct Case { Page page; int slot, mode; const char *from, *to; QStringList lines; };
    const Case cases[] = {
        {Roots, 0, 2, "3", "10", {"2.0000000"}},
        {Roots, 0, 0, "-10", "10", {"-2.0000000", "2.0000000"}},
        {Roots, 2, 0, "-10", "10", {"0.0000000"}},
        {Extrema, 0, 0, "-10", "10", {"x= 0.0000000e+00", "y= -4.0000000e+00", "Type :Minimum", QString(26, '-')}},
        {Extrema, 2, 0, "-10", "10", {"None"}},
        {Inflexion, 2, 0, "-10", "10", {Line("0.0000000e+00", "0.0000000e+00")}},
        {Inflexion, 1, 0, "-4", "4", {Line("-3.1415927e+00", "0.0000000e+00"), Line("0.0000000e+00", "0.0000000e+00"),
                                        Line("3.1415927e+00", "0.0000000e+00")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.lines.join("|").toStdString());
        C<QComboBox>(c.page, 1006)->setCurrentIndex(c.slot);
        Calculate(c.page, c.mode, c.from, c.to);
        EXPECT_EQ(P(c.page)->ResultLines(), c.lines);
    }
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(Sheet, NothingToSearchListsNone)
{
    Open(Input({"1"}, 4));  // no entry selected: an empty function text
    for (int p = 0; p < 3; ++p) {
        Calculate(Page(p), 0, "-10", "10");
        EXPECT_EQ(P(Page(p))->ResultLines(), QStringList{"None"});
    }
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(Sheet, RefusedInputLeavesTheListAlone)
{
    Open(Input({"x"}));
    Calculate(Roots, 0, "-10", "10");
    ASSERT_EQ(P(Roots)->ResultLines(), QStringList{"0.0000000"});
    struct Case { const char *from, *to, *places, *text, *caption; };
    const Case cases[] = {
        {"5", "5", "6", "Error 0x06:\n\nThe start of domain must be less than the end.\nPlease correct the error and try again.", "Invalid domain"},
        {"5", "-5", "6", "Error 0x06:\n\nThe start of domain must be less than the end.\nPlease correct the error and try again.", "Invalid domain"},
        {"-10", "10", "16", "Please enter an integer between 3 and 15.", "Corvanta"},
        {"-10", "10", "2", "Please enter an integer between 3 and 15.", "Corvanta"},
        {"-10", "10", "", "Please enter an integer.", "Corvanta"},
        {"abc", "10", "6", "Please enter a number.", "Corvanta"},
        {"-10", "1e999", "6", "Please enter a number.", "Corvanta"},
        // Adding the step no longer moves x out here: refused without the
        // large-domain question, as the domain is narrow.
        {"2e15", "2000000000000010", "6", "The domain is too far from zero: the search step no longer changes x there.\n"
                                          "Please choose a domain nearer to zero and try again.", "Invalid domain"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        m_messages.Clear();
        Calculate(Roots, 0, c.from, c.to, c.places);
        ASSERT_EQ(m_messages.shown.size(), 1u);
        EXPECT_EQ(m_messages.shown[0].text, c.text);
        EXPECT_EQ(m_messages.shown[0].caption, c.caption);
        EXPECT_EQ(P(Roots)->ResultLines(), QStringList{"0.0000000"});
    }
    m_messages.Clear();
    Calculate(Roots, 2, "1e13");
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_TRUE(m_messages.shown[0].text.startsWith("The point is too far from zero"));
}

TEST_F(Sheet, LargeDomainQuestionPerPage)
{
    Open(Input({"x^2+1"}));
    struct Case { Page page; const char *to; bool asked; const char *what; };
    const Case cases[] = {
        {Roots, "3000000", true, "roots"},
        {Roots, "30000", false, nullptr},
        {Extrema, "30000", true, "critical points"},
        {Inflexion, "30000", true, "inflection points"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.page);
        Calculate(c.page, 0, "-10", "10");
        const QStringList before = P(c.page)->ResultLines();
        m_messages.Clear();
        m_messages.answers = {MsgAnswer::Yes};  // change it: nothing searched
        Calculate(c.page, 0, QString("-") + c.to, c.to);
        EXPECT_EQ(P(c.page)->ResultLines(), before);
        if (!c.asked) {
            EXPECT_TRUE(m_messages.shown.empty());
            continue;
        }
        ASSERT_EQ(m_messages.shown.size(), 1u);
        EXPECT_EQ(m_messages.shown[0].text,
                  QString("The domain which you specified is too large,and may take a lot of time for searching or some of %1 "
                          "may not be displayed. Would you like to change it?").arg(c.what));
        EXPECT_EQ(m_messages.shown[0].caption, "Large domain");
        EXPECT_EQ(m_messages.shown[0].icon, MsgIcon::Question);
        EXPECT_EQ(m_messages.shown[0].buttons, MsgButtons::YesNo);
        m_messages.answers.clear();
    }
}

TEST_F(Sheet, CancelledSearchLeavesTheListAsItWas)
{
    Open(Input({"x^2-1"}));
    for (int p = 0; p < 3; ++p) {
        Calculate(Page(p), 0, "-10", "10");
        const QStringList before = P(Page(p))->ResultLines();
        int reports = 0;
        P(Page(p))->SetProgressCallback([&](double) { return ++reports < 2; });
        m_messages.answers = {MsgAnswer::No};  // search the large domain
        Calculate(Page(p), 0, "-1e9", "1e9");
        EXPECT_EQ(reports, 2);
        EXPECT_EQ(P(Page(p))->ResultLines(), before);
        P(Page(p))->SetProgressCallback({});
    }
}

TEST_F(Sheet, TooManyWhenAnyRunFilledItsTable)
{
    Open(Input({"sin(100*x)", "(sin(x))^3", "sin(10*x)"}));
    struct Case { Page page; int slot; const char *from, *to; const char *caption; };
    const Case cases[] = {
        {Roots, 0, "-1000", "1000", "Too much Roots"},
        // One run of 300 candidates and one of about 160: below the sum of
        // 598, points are missing all the same.
        {Extrema, 1, "-250", "250", "Too much Critical Points"},
        {Inflexion, 2, "-200", "200", "Too much Inflection Points"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.caption);
        m_messages.Clear();
        C<QComboBox>(c.page, 1006)->setCurrentIndex(c.slot);
        Calculate(c.page, 0, c.from, c.to);
        ASSERT_EQ(m_messages.shown.size(), 1u);
        EXPECT_EQ(m_messages.shown[0].caption, c.caption);
        EXPECT_EQ(m_messages.shown[0].icon, MsgIcon::Information);
        EXPECT_FALSE(P(c.page)->ResultLines().isEmpty());
        // Not in the near-point mode.
        m_messages.Clear();
        Calculate(c.page, 2, "0");
        EXPECT_TRUE(m_messages.shown.empty());
    }
}

TEST_F(Sheet, ModeAndFieldsSurviveSwitchingPages)
{
    Open(Input({"x^2-4"}));
    Calculate(Roots, 2, "3");
    m_pSheet->Tabs()->setCurrentIndex(1);
    m_pSheet->Tabs()->setCurrentIndex(0);
    EXPECT_TRUE(Mode(Roots, 2)->isChecked());
    EXPECT_EQ(Edit(Roots, 1003)->text(), "3");
    EXPECT_EQ(P(Roots)->ResultLines(), QStringList{"2.0000000"});
    EXPECT_TRUE(Mode(Extrema, 0)->isChecked());
}

TEST(AnalysisInput, GraphDomainFromScreenWidthScaleAndPan)
{
    struct Case { int width; double scale; int pan; double min, max; };
    const Case cases[] = {
        {1280, 1.0, 0, -12.9, 12.9},
        {1281, 1.0, 0, -12.9, 12.9},     // half the width in whole pixels
        {1280, 2.0, 100, -7.45, 5.45},   // centre -100/100
        {1920, 0.5, -50, -36.6, 40.6},
    };
    for (const Case &c : cases) {
        const auto [min, max] = CAnalysisSheet::GraphDomain(c.width, c.scale, c.pan);
        EXPECT_DOUBLE_EQ(min, c.min);
        EXPECT_DOUBLE_EQ(max, c.max);
    }
}

class AnalyzeCommand : public FrameFixture
{
};

TEST_F(AnalyzeCommand, NoFunctionShowsErrorFive)
{
    MessageRecorder messages;
    EXPECT_TRUE(m_pFrame->Action(ID_ANALYZE)->isEnabled());
    EXPECT_TRUE(m_pFrame->ExecuteCommand(ID_ANALYZE));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Error 0x05:\n\nThe are no expressions to Analyse!\n"
                                      "Please enter at lease one function and try again.");
    EXPECT_EQ(messages.shown[0].caption, "No expression found");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);
}

TEST_F(AnalyzeCommand, MenuKeyAndToolbarOpenTheSheetWithTheViewsFunctions)
{
    ShowFrame();
    CCorvantaView *pView = m_pFrame->View();
    for (const char *text : {"x^2-4", "sin(x)"}) {
        m_pFrame->SetFunctionListText(text);
        pView->OnPlot();
    }
    QStringList seen;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto *pSheet = qobject_cast<CAnalysisSheet *>(QApplication::activeModalWidget())) {
            const auto *pCombo = qobject_cast<QComboBox *>(pSheet->Page(0)->Control(1006));
            seen << QString::number(pCombo->count()) + ":" + pCombo->currentText();
            pSheet->Buttons()->button(QDialogButtonBox::Ok)->click();
        }
    });
    closer.start(20);
    const QList<std::function<void()>> openers = {
        [&] { m_pFrame->Action(ID_ANALYZE)->trigger(); },
        [&] {
            QApplication::setActiveWindow(m_pFrame.get());
            m_pFrame->FocusFunctionList();
            QWidget *pFocus = QApplication::focusWidget();
            QTest::keyClick(pFocus ? pFocus : m_pFrame.get(), Qt::Key_A, Qt::ControlModifier);
        },
        [&] {
            auto *pButton = qobject_cast<QToolButton *>(m_pFrame->MainToolBar()->widgetForAction(m_pFrame->Action(ID_ANALYZE)));
            ASSERT_NE(pButton, nullptr);
            pButton->click();
        },
    };
    for (int i = 0; i < openers.size(); ++i) {
        seen.clear();
        openers[i]();
        EXPECT_EQ(seen.join(",").toStdString(), "2:sin(x)") << "opener " << i;
    }
    // The view's own slots are left as they were.
    EXPECT_EQ(pView->m_aFunctions[0].m_strText, "x^2-4");
}

}  // namespace
