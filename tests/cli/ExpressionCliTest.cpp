#include "cli/CliRunner.h"

#include "core/expr/FunctionText.h"
#include "gui/GuiFixtures.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace {

using nlohmann::json;

class ExpressionCli : public ViewFixture
{
};

// The derivative the command prints is the one the window's f'(x) field shows.
TEST_F(ExpressionCli, DeriveMatchesTheDerivativeField)
{
    const char *const functions[] = {"x^2/4-2", "sin(x)*x", "LN(X)+e^x", "1/(x-1)"};
    for (const char *function : functions) {
        SCOPED_TRACE(function);
        host.edit = QString::fromLatin1(function);
        view.OnPlot();
        view.OnDifferentiate();
        const SCliRun run = RunCli({QStringLiteral("derive"), QString::fromLatin1(function)});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, host.derivative.toStdString() + "\n");
    }
}

// A refused function gives the window's message and status 1; a batch goes on
// past the bad line.
TEST_F(ExpressionCli, RefusedSyntaxSaysWhatTheWindowSays)
{
    host.edit = QStringLiteral("sin(x");
    view.OnPlot();
    ASSERT_EQ(messages.shown.size(), 1u);
    const SCliRun run = RunCli({QStringLiteral("check"), QStringLiteral("sin(x")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, messages.shown[0].text.toStdString() + "\n");

    const SCliRun batch = RunCli({QStringLiteral("eval"), QStringLiteral("-"), QStringLiteral("--at"),
                                  QStringLiteral("2")},
                                 "x^2\nsin(\n\nX*3\n");
    EXPECT_EQ(batch.exitCode, 1);
    EXPECT_EQ(batch.out, "4.000000000000000\n6.000000000000000\n");
    EXPECT_EQ(batch.err, SyntaxMessage(3) + "\n");
}

TEST(ExpressionCliUsage, ExitCodes)
{
    const struct
    {
        QStringList args;
        int exitCode;
    } cases[] = {
        {{}, 2},
        {{"frobnicate"}, 2},
        {{"eval"}, 2},
        {{"eval", "x", "--at", "abc"}, 2},
        {{"eval", "x", "--bogus"}, 2},
        {{"derive", "x", "--order", "0"}, 2},
        {{"eval", "x"}, 1},  // x needs a value
        {{"eval", "   "}, 1},
        {{"eval", "pi/2", "--at", "pi"}, 0},
        {{"derive", "--help"}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const SCliRun run = RunCli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        if (c.exitCode != 0) {
            EXPECT_FALSE(run.err.empty());
        }
    }
}

TEST(ExpressionCliJson, ParsesBack)
{
    const SCliRun run = RunCli({"eval", "sin(x)", "--degrees", "--json", "--at", "30", "90"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const json value = json::parse(run.out);
    ASSERT_EQ(value["values"].size(), 2u);
    EXPECT_NEAR(value["values"][0]["y"].get<double>(), 0.5, 1e-15);
    EXPECT_EQ(value["values"][1]["text"], "1.000000000000000");
    EXPECT_TRUE(json::parse(RunCli({"eval", "ln(x)", "--json", "--at", "-1"}).out)["values"][0]["y"].is_null());
}

}  // namespace
