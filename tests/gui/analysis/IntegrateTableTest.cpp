// The integration and points-table commands: integrals and tables are tested
// in the core; here what the dialogs offer, refuse, keep and show.
#include "gui/GuiFixtures.h"
#include "gui/analysis/AnalysisSheet.h"
#include "gui/analysis/IntegrateCommand.h"
#include "gui/analysis/IntegrateDlg.h"
#include "gui/analysis/PointsTableCommand.h"
#include "gui/analysis/PointsTableDlg.h"
#include "gui/analysis/TableSettingsDlg.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QClipboard>
#include <QListWidget>

#include <functional>
#include <vector>

namespace {

// What the user types into the integration dialog; -1 keeps the chosen function.
struct SEntry { const char *from, *to, *divisions = "0.01"; int rule = 1, function = -1; };

// The value part of a result box: the text before its error estimate.
QString ValuePart(const QString &text) { return text.section(QStringLiteral(" \u00b1"), 0, 0); }

class IntegrateTest : public ViewFixture
{
protected:
    // Runs the command; each dialog run records what it showed and takes the next entry.
    void Run(std::vector<SEntry> entries)
    {
        std::size_t next = 0;
        prompts.onDialog = [&](QDialog &d) {
            auto &dlg = static_cast<CIntegrateDlg &>(d);
            shown.push_back({dlg.FromField()->text(), dlg.ToField()->text(), dlg.DivisionsField()->text(),
                             dlg.FunctionList()->currentText()});
            if (next >= entries.size())
                return static_cast<int>(QDialog::Rejected);
            const SEntry &e = entries[next++];
            if (e.function >= 0)
                dlg.FunctionList()->setCurrentIndex(e.function);
            dlg.FromField()->setText(QString::fromLatin1(e.from));
            dlg.ToField()->setText(QString::fromLatin1(e.to));
            dlg.DivisionsField()->setText(QString::fromLatin1(e.divisions));
            dlg.Rules()->button(e.rule)->click();
            dlg.setResult(QDialog::Rejected);
            dlg.accept();
            return dlg.result();  // a refused entry keeps the dialog open; the user then cancels
        };
        RunIntegrateCommand(view, nullptr);
    }
    std::vector<QStringList> shown;
};

TEST_F(IntegrateTest, RefusesAnEmptyGraphAndShowsTheValue)
{
    Run({});  // nothing to integrate: no dialog
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(prompts.Texts(), QStringList{"Error 0x05:\n\nThe are no expressions to inegrate!\nPlease enter at lease "
                                            "one function and try again."});
    // The values and "Invalid Domain!" are compared with the command line's end to end.
}

TEST_F(IntegrateTest, ReversedLimitsBringTheDialogBackWithTheValuesJustEntered)
{
    Plot({"x", "x^2"});
    Run({{"5", "1", "0.25", 2, 0}, {"1", "5", "0.25", 2}});
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], (QStringList{"0", "0", "0.01", "x^2"}));
    EXPECT_EQ(shown[1], (QStringList{"5", "1", "0.25", "x"}));
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[0].caption, "Invalid Data");
    EXPECT_EQ(ValuePart(prompts.shown[1].text), "12.000000");  // x from 1 to 5
}

// The limits are read as the command line reads them: constants and their
// expressions are numbers too.
TEST_F(IntegrateTest, LimitsTakeConstants)
{
    Plot({"1"});
    Run({{"-pi/2", "pi/2", "0.01", 2}});
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(ValuePart(prompts.shown[0].text), "3.141593");
}

// The dialogs start on the function chosen in the list, not on the one plotted last.
TEST_F(IntegrateTest, DialogsPreselectTheSelectedFunction)
{
    Plot({"x", "x^2", "x^3"});
    view.OnSelectFunction(1);
    Run({});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0][3], "x^2");
    EXPECT_EQ(CAnalysisSheet::InputFromView(view.State(), 800).current, 1);
}

TEST_F(IntegrateTest, FieldsRefusedByTheDataExchange)
{
    Plot("x");
    const struct { const char *from, *divisions, *message; } cases[] = {
        {"0", "0", "Please enter a number between 1e-05 and 1."},  // and 2, end to end
        {"1x", "0.01", "Please enter a number."},
        {"nan", "0.01", "Please enter a number."},
        {"0", "1e400", "Please enter a number."},
        {"0", "0.00001", nullptr},  // the ends of the range are accepted
        {"0", " 1 ", nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.divisions);
        prompts.Clear();
        Run({{c.from, "1", c.divisions}});
        ASSERT_EQ(prompts.shown.size(), 1u);  // a refusal, then the user cancelled; or the result
        EXPECT_EQ(c.message ? prompts.shown[0].text : ValuePart(prompts.shown[0].text),
                  c.message ? c.message : "0.500000");
    }
}

TEST_F(IntegrateTest, OffersThePlottedFunctionsStartingWithTheSelectedOne)
{
    Plot({"x", "x^2", "x^3"});
    view.OnSelectFunction(1);
    Run({{"0", "1", "0.01", 2, 2}});
    EXPECT_EQ(shown[0][3], "x^2");
    ASSERT_EQ(prompts.Texts().size(), 1);
    EXPECT_EQ(ValuePart(prompts.Texts()[0]), "0.250000");
    view.Graph().Select(-1);  // none selected: the first
    shown.clear();
    Run({});
    EXPECT_EQ(shown[0][3], "x");
}

TEST_F(IntegrateTest, CancelledSumsShowNoResult)
{
    Plot("sin(x)*x^2");
    int reports = 0;  // 2e8 evaluations: the progress window comes up, and Cancel is pressed
    prompts.onProgress = [&](double) { return ++reports < 3; };
    Run({{"0", "1000", "0.00001", 2}});
    EXPECT_EQ(reports, 3);
    EXPECT_EQ(prompts.progressLabels, QStringList{"Integrating..."});
    EXPECT_TRUE(prompts.shown.empty());
}

// The region of the last integral is shaded; a refused one leaves none, a cancelled dialog changes nothing.
TEST_F(IntegrateTest, ShadingFollowsTheLastIntegral)
{
    Plot({"x", "1/x"});
    Run({{"-1", "2", "0.5", 2, 0}});
    ASSERT_TRUE(view.State().m_results.shading);
    EXPECT_EQ(view.State().m_results.shading->slot, 0);
    // Simpson's rule is exact on x: the estimate is what rounding may leave.
    const std::string label = view.State().m_results.shading->label;
    EXPECT_EQ(label.substr(0, 35), "Integral from -1 to 2 = 1.500000 \u00b1") << label;
    EXPECT_NE(label.find("e-1"), std::string::npos) << label;
    EXPECT_EQ(label.substr(label.size() - 27), " (Simpson's rule, step 0.5)") << label;
    EXPECT_EQ(prompts.Texts().back().left(10), QStringLiteral("1.500000 \u00b1"));
    Run({});
    EXPECT_TRUE(view.State().m_results.shading);
    Run({{"-1", "1", "0.01", 1, 1}});  // over the pole of 1/x
    EXPECT_FALSE(view.State().m_results.shading);
}

class PointsTableTest : public ViewFixture
{
protected:
    // Types the three settings and presses OK; whether the dialog closed.
    bool Confirm(const char *from, const char *to, const char *increment)
    {
        settings.FromField()->setText(QString::fromLatin1(from));
        settings.ToField()->setText(QString::fromLatin1(to));
        settings.IncrementField()->setText(QString::fromLatin1(increment));
        settings.setResult(QDialog::Rejected);
        settings.accept();
        return settings.result() == QDialog::Accepted;
    }
    QStringList Fields() const
    {
        return {settings.FromField()->text(), settings.ToField()->text(), settings.IncrementField()->text()};
    }
    // Runs the command: the settings as given (nullptr cancels), then the table is calculated.
    void Run(const char *from, const char *to, const char *increment)
    {
        titles.clear();
        prompts.onDialog = [&](QDialog &d) {
            titles << d.windowTitle();
            if (&d == &settings)
                return from && Confirm(from, to, increment) ? int(QDialog::Accepted) : int(QDialog::Rejected);
            auto &table = static_cast<CPointsTableDlg &>(d);
            table.OnCalculate();
            chosen = table.FunctionList()->currentText();
            lines.clear();
            for (int i = 0; i < table.Table()->count(); ++i)
                lines << table.Table()->item(i)->text();
            if (withTable)
                withTable(table);
            return int(QDialog::Accepted);
        };
        RunPointsTableCommand(view, settings, nullptr);
    }
    CTableSettingsDlg settings;
    std::function<void(CPointsTableDlg &)> withTable;  // after the table is calculated
    QStringList titles, lines;
    QString chosen;
};

TEST_F(PointsTableTest, SettingsCloseOnlyOnGoodValuesAndCancelKeepsTheConfirmedOnes)
{
    // The settings' own refusals are in the core and compared with the command line's.
    EXPECT_EQ(Fields(), (QStringList{"-20", "20", "0.5"}));
    for (const char *increment : {"0", "x"}) {
        EXPECT_FALSE(Confirm("0", "1", increment));
        EXPECT_EQ(settings.Confirmed().from, -20.0) << increment;  // nothing confirmed
    }
    prompts.Clear();
    EXPECT_TRUE(Confirm("0", "1", "0.0001"));  // exactly 10,000 steps
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(settings.Confirmed().increment, 0.0001);

    settings.FromField()->setText(QStringLiteral("7"));
    settings.reject();
    EXPECT_EQ(Fields(), (QStringList{"0", "1", "0.0001"}));
}

TEST_F(PointsTableTest, CommandRunsSettingsThenTheTableOfTheSelectedFunction)
{
    Plot({"1/x", "x^2"});
    Run("-1", "1", "0.5");
    EXPECT_EQ(titles, (QStringList{"Settings of Points Table", "Make Points Table"}));
    EXPECT_EQ(chosen, "x^2");
    EXPECT_EQ(lines.size(), 5);  // x = 1 is listed

    Run(nullptr, nullptr, nullptr);  // cancelled settings: no table
    EXPECT_EQ(titles, QStringList{"Settings of Points Table"});
    EXPECT_EQ(Fields(), (QStringList{"-1", "1", "0.5"}));

    view.ClearGraph(false);  // nothing selected: an empty table
    Run("-1", "1", "0.5");
    EXPECT_EQ(chosen, "");
    EXPECT_TRUE(lines.isEmpty());
}

TEST_F(PointsTableTest, CopyAndSaveAsCsvWriteTheTableShown)
{
    Plot({"x^2"});
    QTemporaryDir dir;
    const QString good = dir.filePath("t.csv"), bad = dir.filePath("missing/t.csv");
    withTable = [&](CPointsTableDlg &table) {
        table.OnCopy();
        for (const QString &path : {good, bad}) {
            prompts.files = {{path, QString()}};
            table.OnSaveCsv();
        }
    };
    Run("-1", "1", "0.5");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "x\tf(x)\n-1\t1\n-0.5\t0.25\n0\t0\n0.5\t0.25\n1\t1\n");
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "x,f(x)\n-1,1\n-0.5,0.25\n0,0\n0.5,0.25\n1,1\n");
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.startsWith("The table could not be saved to " + QDir::toNativeSeparators(bad)));
    ASSERT_EQ(prompts.fileQuestions.size(), 2u);
    EXPECT_EQ(prompts.fileQuestions[0].title, "Save as CSV");
    EXPECT_TRUE(prompts.fileQuestions[0].bSave);
    EXPECT_EQ(prompts.fileQuestions[0].defaultSuffix, "csv");
}

}  // namespace
