#include "cli/CliRunner.h"

#include "gui/ScriptedPrompts.h"
#include "gui/calc/CalcDlg.h"
#include "gui/common/CommandIds.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QRadioButton>

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace {

class CalcCli : public ::testing::Test
{
protected:
    void Press(int nId) { qobject_cast<QAbstractButton *>(m_dlg.Control(nId))->click(); }
    QLineEdit *Edit(int nId) { return qobject_cast<QLineEdit *>(m_dlg.Control(nId)); }

    ScriptedPrompts m_prompts;
    CCalcDlg m_dlg;
};

// The display after "=" and the command's line, from one input.
TEST_F(CalcCli, PrintsWhatTheDisplayShows)
{
    const struct
    {
        const char *expression;
        bool radians;
        const char *from, *to;
    } cases[] = {
        {"1/3", false, "10", "10"}, {"sin 30", false, "10", "10"}, {"sin 30", true, "10", "10"},
        {"FF+1", false, "16", "10"}, {"0.1", false, "10", "16"},  {"2^1023", false, "10", "10"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.expression);
        qobject_cast<QRadioButton *>(m_dlg.Control(c.radians ? IDC_CALC_RAD : IDC_CALC_DEG))->click();
        Edit(IDC_CALC_BASE_FROM)->setText(QString::fromLatin1(c.from));
        Edit(IDC_CALC_BASE_TO)->setText(QString::fromLatin1(c.to));
        m_dlg.SetExpressionText(QString::fromLatin1(c.expression));
        Press(IDC_CALC_EQUALS);
        QStringList args = {"calc", c.expression, "--base", c.from, "--to-base", c.to, "--json"};
        if (c.radians)
            args << "--radians";
        const SCliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(nlohmann::json::parse(run.out)["texts"][0], m_dlg.DisplayText().toStdString());
    }
    EXPECT_TRUE(m_prompts.shown.empty());

    // A text the window refuses: the same reason on standard error, and so
    // for numerical trouble (no inf or nan with exit status 0).
    for (const char *text : {"(2+3", "FG", "1/0", "0/0", "10^400", "171!"}) {
        Edit(IDC_CALC_BASE_FROM)->setText(QStringLiteral("16"));
        m_dlg.SetExpressionText(QString::fromLatin1(text));
        Press(IDC_CALC_EQUALS);
        const SCliRun run = RunCli({"calc", text, "--base", "16"});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, m_dlg.ReasonText().toStdString() + "\n");
    }
    Edit(IDC_CALC_BASE_FROM)->setText(QStringLiteral("10"));

    for (const char *base : {"2.5", "16.9"}) {
        const SCliRun fraction = RunCli({"calc", "1", "--base", base});
        EXPECT_EQ(fraction.exitCode, 2) << base;  // not taken as its whole part
    }
    const SCliRun rect = RunCli({"rect", "2", "90"});
    EXPECT_EQ(rect.out, "0\n2\n");

    Edit(IDC_CALC_BASE_TO)->setText(QStringLiteral("37"));
    Press(IDC_CALC_EQUALS);
    ASSERT_EQ(m_prompts.shown.size(), 1u);
    const SCliRun refused = RunCli({"calc", "1", "--to-base", "37"});
    EXPECT_EQ(refused.exitCode, 2);  // a bad option value is a usage error naming the option
    EXPECT_NE(refused.err.find("--to-base: " + m_prompts.shown[0].text.toStdString()), std::string::npos) << refused.err;
}

// D°M'S" both ways, and the two coordinate conversions.
TEST_F(CalcCli, ConversionsPrintWhatTheWindowShows)
{
    for (const char *degrees : {"30.5", "-12.3456"}) {
        SCOPED_TRACE(degrees);
        m_dlg.SetExpressionText(QString::fromLatin1(degrees));
        Press(IDC_CALC_EQUALS);
        Press(IDC_CALC_DMS);
        const std::string dms = m_dlg.DisplayText().toStdString();
        EXPECT_EQ(RunCli({"dms", degrees}).out, dms + "\n");
        Press(IDC_CALC_DMS);
        EXPECT_EQ(RunCli({"dms", QString::fromStdString(dms)}).out, m_dlg.DisplayText().toStdString() + "\n");
    }
    // The named fields of --json against the closed forms: 3, -4 is at 5 and -acos(3/5).
    const double d = std::numbers::pi / 180;
    const struct
    {
        const char *command;
        int button;
        const char *first, *second;
        std::vector<std::pair<const char *, double>> fields;
    } cases[] = {
        {"polar", IDC_CALC_RECT_TO_POLAR, "3", "-4", {{"x", 3}, {"y", -4}, {"radius", 5}, {"angle", -std::acos(0.6) / d}}},
        {"rect", IDC_CALC_POLAR_TO_RECT, "-1.5", "225",
         {{"radius", -1.5}, {"angle", 225}, {"x", -1.5 * std::cos(225 * d)}, {"y", -1.5 * std::sin(225 * d)}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.command);
        Edit(IDC_CALC_COORD_IN1)->setText(QString::fromLatin1(c.first));
        Edit(IDC_CALC_COORD_IN2)->setText(QString::fromLatin1(c.second));
        Press(c.button);
        const SCliRun run = RunCli({c.command, c.first, c.second});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, (Edit(IDC_CALC_COORD_OUT1)->text() + "\n" + Edit(IDC_CALC_COORD_OUT2)->text() + "\n")
                               .toStdString());
        const nlohmann::json result = nlohmann::json::parse(RunCli({c.command, c.first, c.second, "--json"}).out)["result"];
        for (const auto &[name, value] : c.fields)
            EXPECT_NEAR(result[name].get<double>(), value, 1e-14 * std::fabs(value)) << name;
    }
}

}  // namespace
