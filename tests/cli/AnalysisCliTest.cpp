#include "cli/CliRunner.h"

#include "core/analysis/AnalysisWording.h"

#include "gui/analysis/AnalysisSheet.h"
#include "gui/analysis/IntegrateCommand.h"
#include "gui/analysis/IntegrateDlg.h"
#include "gui/analysis/PointsTableDlg.h"
#include "gui/analysis/TableSettingsDlg.h"
#include "gui/GuiFixtures.h"
#include "gui/analysis/ResultLines.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Lines as the command prints them.
std::string Printed(const QStringList &lines)
{
    std::string out;
    for (const QString &line : lines)
        out += line.toStdString() + "\n";
    return out;
}

std::string Printed(const ScriptedPrompts &prompts) { return Printed(prompts.Texts()); }

// Control ids per page of the sheet: radios, From, To, decimal places.
struct SPageIds
{
    int modes[3], from, to, places;
};
constexpr SPageIds kPageIds[] = {
    {{1000, 1001, 1002}, 1003, 1004, 1005},
    {{1000, 1002, 1003}, 1004, 1005, 1007},
    {{1000, 1002, 1003}, 1004, 1005, 1007},
};

// The page's list and messages, and the command's output, from one input.
TEST(AnalysisCli, SearchesSayWhatTheSheetSays)
{
    std::string product = "x";  // its derivative is too long to work out
    for (int i = 1; i < 600; ++i)
        product += "*x";
    const QString longProduct = QString::fromStdString(product);
    const struct
    {
        int page;
        const char *function;
        int mode;  // 0 domain, 2 near a point
        const char *from, *to, *places;
        QStringList args;
        int exitCode;
    } cases[] = {
        {0, "x^2-4", 0, "-10", "10", "6", {"roots", "x^2-4"}, 0},
        {0, "x^3-2*x", 2, "1", "10", "9", {"roots", "x^3-2*x", "--near", "1", "--places", "9"}, 0},
        {0, "sin(100*x)", 0, "-1000", "1000", "6", {"roots", "sin(100*x)", "--from", "-1000", "--to", "1000"}, 0},
        {0, "x", 0, "5", "5", "6", {"roots", "x", "--from", "5", "--to", "5"}, 1},
        {0, "x", 2, "1e13", "10", "6", {"roots", "x", "--near", "1e13"}, 1},
        {0, "x", 0, "-10", "10", "16", {"roots", "x", "--places", "16"}, 2},
        {1, "x^3-3*x", 0, "-5", "5", "6", {"extrema", "x^3-3*x", "--from", "-5", "--to", "5"}, 0},
        {1, "x^2+1", 0, "-30000", "30000", "4", {"extrema", "x^2+1", "--from", "-30000", "--to", "30000", "--places", "4"}, 0},
        {2, "sin(x)", 0, "-4", "4", "6", {"inflection", "sin(x)", "--from", "-4", "--to", "4"}, 0},
        {2, "x^3-x", 2, "0.5", "10", "12", {"inflection", "x^3-x", "--near", "0.5", "--places", "12"}, 0},
        {1, product.c_str(), 0, "-1", "1", "6", {"extrema", longProduct, "--from", "-1", "--to", "1"}, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        SAnalysisInput input;
        input.functions[0] = QString::fromLatin1(c.function);
        input.current = 0;
        CAnalysisSheet sheet(input);
        CAnalysisPage *page = sheet.Page(c.page);
        const SPageIds &ids = kPageIds[c.page];
        ScriptedPrompts prompts;
        prompts.answers = {MsgAnswer::No};  // search a large domain all the same
        qobject_cast<QRadioButton *>(page->Control(ids.modes[c.mode]))->click();
        qobject_cast<QLineEdit *>(page->Control(ids.from))->setText(QString::fromLatin1(c.from));
        qobject_cast<QLineEdit *>(page->Control(ids.to))->setText(QString::fromLatin1(c.to));
        qobject_cast<QLineEdit *>(page->Control(ids.places))->setText(QString::fromLatin1(c.places));
        page->CalculateButton()->click();

        const SCliRun run = RunCli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, Printed(ResultLines(page)));
        EXPECT_NE(run.err.find(Printed(prompts)), std::string::npos) << run.err;  // a usage error names its option first
    }
}

// The command prints the lines of the search and refuses as the page does.
TEST(AnalysisCli, IntersectionsPrintTheListAndRefuseEqualFunctions)
{
    const SCliRun run = RunCli({"intersections", "sin(x)", "0.5", "--near", "-10", "--places", "8"});
    EXPECT_EQ(run.out, Printed({QString::fromStdString(RunAnalysis({EAnalysisKind::Intersections, "sin(x)", true, -10,
                                                                    10, 8, "0.5"})->lines.at(0))}));
    const SCliRun same = RunCli({"intersections", "x+x", "2*x"});
    EXPECT_EQ(same.exitCode, 1);
    EXPECT_EQ(same.err, std::string(kSameFunctionsText) + "\n");
    const auto value = nlohmann::json::parse(RunCli({"intersections", "x^2", "x+2", "--json"}).out);
    EXPECT_EQ(value["result"]["expression2"], "x+2");
    EXPECT_NEAR(value["result"]["points"][1]["y"].get<double>(), 4.0, 1e-5);
}

using IntegrateCli = ViewFixture;

TEST_F(IntegrateCli, SaysWhatTheIntegrationCommandSays)
{
    const struct
    {
        const char *function, *from, *to, *step;
        int rule;
        QStringList args;
        int exitCode;
    } cases[] = {
        {"x^2", "0", "3", "0.01", 1, {"integrate", "x^2", "0", "3"}, 0},
        {"sin(x)", "-1", "2", "0.001", 2, {"integrate", "sin(x)", "-1", "2", "--rule", "simpson", "--step", "0.001"}, 0},
        {"ln(x)", "-1", "1", "0.01", 1, {"integrate", "ln(x)", "-1", "1"}, 0},
        {"x", "5", "1", "0.01", 1, {"integrate", "x", "5", "1"}, 1},
        {"x", "0", "1", "2", 1, {"integrate", "x", "0", "1", "--step", "2"}, 2},
        {"tan(x)", "0", "3", "0.01", 0, {"integrate", "tan(x)", "0", "3", "--rule", "midpoint"}, 1},  // a pole
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        view.ClearGraph(false);
        host.edit = QString::fromLatin1(c.function);
        view.OnPlot();
        prompts.Clear();
        bool entered = false;
        prompts.onDialog = [&](QDialog &d) {
            if (std::exchange(entered, true))
                return static_cast<int>(QDialog::Rejected);  // the user gives up after a refusal
            auto &dlg = static_cast<CIntegrateDlg &>(d);
            dlg.FromField()->setText(QString::fromLatin1(c.from));
            dlg.ToField()->setText(QString::fromLatin1(c.to));
            dlg.DivisionsField()->setText(QString::fromLatin1(c.step));
            dlg.Rules()->button(c.rule)->click();
            dlg.setResult(QDialog::Rejected);
            dlg.accept();
            return dlg.result();
        };
        RunIntegrateCommand(view, nullptr);
        ASSERT_EQ(prompts.shown.size(), 1u);
        const SCliRun run = RunCli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        // The window shows the value with its error estimate; the plain output is the value alone.
        const QString shown = prompts.Texts().value(0);
        if (c.exitCode == 0)
            EXPECT_EQ(run.out, shown.section(QStringLiteral(" \u00b1"), 0, 0).toStdString() + "\n");
        else
            EXPECT_NE(run.err.find(Printed(prompts)), std::string::npos) << run.err;
    }
}

// --json carries the error estimate: a bound on the true error, null where none can be trusted.
TEST(IntegrateCliJson, ErrorEstimateBoundsTheTrueError)
{
    auto value = nlohmann::json::parse(RunCli({"integrate", "x^2", "0", "1", "--json"}).out);
    value = value.at("result");
    ASSERT_TRUE(value.at("error_estimate").is_number());
    EXPECT_LE(std::fabs(value.at("value").get<double>() - 1.0 / 3), value.at("error_estimate").get<double>());
    EXPECT_GT(value.at("error_estimate").get<double>(), 0.0);
    // ln at 0 by the mid-point rule: a value, where the trapezoid rule refuses with a true reason.
    value = nlohmann::json::parse(RunCli({"integrate", "ln(x)", "0", "1", "--rule", "midpoint", "--json"}).out);
    value = value.at("result");
    EXPECT_LE(std::fabs(value.at("value").get<double>() + 1), value.at("error_estimate").get<double>());
    const SCliRun refused = RunCli({"integrate", "ln(x)", "0", "1"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("f is unbounded at x = 0, where this rule takes a sample; the mid-point rule avoids it."),
              std::string::npos) << refused.err;
    // The narrow peak: the mid-point rule misses its top and gives no estimate.
    value = nlohmann::json::parse(
        RunCli({"integrate", "1/(x^2+0.0000000001)", "-1", "1", "--rule", "midpoint", "--json"}).out);
    value = value.at("result");
    EXPECT_TRUE(value.at("error_estimate").is_null());
}

TEST(TableCli, SaysWhatThePointsTableSays)
{
    const struct
    {
        const char *function, *from, *to, *step;
        QStringList args;
        int exitCode;
    } cases[] = {
        {"x^2", "-20", "20", "0.5", {"table", "x^2"}, 0},
        {"ln(x)", "-1", "1", "0.25", {"table", "ln(x)", "--from", "-1", "--to", "1", "--step", "0.25"}, 0},
        {"x", "5", "1", "0", {"table", "x", "--from", "5", "--to", "1", "--step", "0"}, 1},
        {"x", "0", "1e6", "1", {"table", "x", "--from", "0", "--to", "1e6", "--step", "1"}, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        ScriptedPrompts prompts;
        CTableSettingsDlg settings;
        settings.FromField()->setText(QString::fromLatin1(c.from));
        settings.ToField()->setText(QString::fromLatin1(c.to));
        settings.IncrementField()->setText(QString::fromLatin1(c.step));
        settings.accept();
        CPointsTableDlg dlg(settings);
        dlg.m_strFunctions[0] = QString::fromLatin1(c.function);
        dlg.m_nCurrent = 0;
        dlg.OnInitDialog();
        dlg.OnCalculate();
        QStringList lines;
        for (int i = 0; i < dlg.Table()->count(); ++i)
            lines << dlg.Table()->item(i)->text();

        const SCliRun run = RunCli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, c.exitCode == 0 ? Printed(lines) : "");
        EXPECT_NE(run.err.find(Printed(prompts)), std::string::npos) << run.err;  // a usage error names its option first
    }
}

TEST(TableCli, CsvPrintsEveryValueAtFullPrecision)
{
    const SCliRun run = RunCli({"table", "1/x", "--from", "-1", "--to", "1", "--step", "0.5", "--csv"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "x,f(x)\n-1,-1\n-0.5,-2\n0,\n0.5,2\n1,1\n");
    EXPECT_EQ(RunCli({"table", "x/3", "--from", "1", "--to", "2", "--step", "1", "--csv"}).out,
              "x,f(x)\n1,0.3333333333333333\n2,0.6666666666666666\n");
}

TEST(TangentCli, SaysWhatTheTangentBarSays)
{
    const struct
    {
        const char *function;
        int column;  // x = (column - 250) / 50 in a 500 pixel wide view
        const char *x;
    } cases[] = {{"x^2", 300, "1"}, {"x^(1/3)", 250, "0"}, {"ln(x)", 150, "-2"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.function);
        ScriptedPrompts prompts;
        CFakeHost host;
        CCorvantaView view;
        view.SetHost(&host);
        view.resize(500, 400);
        host.edit = QString::fromLatin1(c.function);
        view.OnPlot();
        view.OnTangent();
        for (const QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonPress}) {
            // Moving shows the point; a right click freezes the tangent with its equation.
            const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::RightButton;
            const QPointF pos(c.column, 20);
            QMouseEvent e(type, pos, view.mapToGlobal(pos), button, button, Qt::NoModifier);
            QApplication::sendEvent(&view, &e);
        }
        QStringList bar;
        for (int id = IDC_TANGENT_X; id <= IDC_TANGENT_EQUATION; ++id)
            bar << host.tangent[id];
        ASSERT_TRUE(prompts.shown.empty());
        const SCliRun run = RunCli({"tangent", c.function, c.x});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, Printed(bar));
    }
}

}  // namespace
