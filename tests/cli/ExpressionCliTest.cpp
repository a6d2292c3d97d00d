#include "cli/CliRunner.h"

#include "gui/GuiFixtures.h"

#include <gtest/gtest.h>

namespace {

using ExpressionCli = ViewFixture;

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
    ASSERT_EQ(prompts.shown.size(), 1u);
    const SCliRun run = RunCli({QStringLiteral("check"), QStringLiteral("sin(x")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, prompts.shown[0].text.toStdString() + "\n");

    const SCliRun batch = RunCli({QStringLiteral("eval"), QStringLiteral("-"), QStringLiteral("--at"),
                                  QStringLiteral("2")},
                                 "x^2\nsin(\n\nX*3\n");
    EXPECT_EQ(batch.exitCode, 1);
    EXPECT_EQ(batch.out, "4.00000000000000\n6.00000000000000\n");
    EXPECT_EQ(batch.err, "standard input, line 2: Error 0x03:\n\nNumber of open brakcets mismatches closed brackets'!\n"
                         "The first is '(', at character 4.\nPlease correct the error and try again\n");
}

}  // namespace
