// Exit codes, messages and JSON of every command, in one place.
#include "cli/CliRunner.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include <cmath>

namespace {

using nlohmann::json;

TEST(CliUsage, ExitCodesAndMessages)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("p.png");
    std::string tall;
    for (int i = 0; i < 51; ++i)
        tall += "1\n";
    std::string product = "x";  // its derivative is too long to work out
    for (int i = 1; i < 600; ++i)
        product += "*x";
    const struct
    {
        QStringList args;
        std::string input;
        int exitCode;
        const char *message;  // a part of what goes to standard error
    } cases[] = {
        // Bad usage.
        {{}, "", 2, "A subcommand is required"},
        {{"frobnicate"}, "", 2, "'frobnicate' is not a command"},
        {{"eval", "x", "--at", "abc"}, "", 2, "'abc' is not a number"},
        {{"eval", "x", "--at", "1e400"}, "", 2, "'1e400' is out of range"},
        {{"derive", "x", "--order", "0"}, "", 2, "--order"},
        {{"roots", "x", "--near", "1", "--from", "0"}, "", 2, "excludes"},
        {{"integrate", "x", "0", "1", "--rule", "gauss"}, "", 2, "gauss"},
        {{"plot", "x", "--shade", "0", "1", "--rule", "gauss", "-o", out}, "", 2, "gauss"},
        {{"plot", "x", "--axes", "fancy", "-o", out}, "", 2, "fancy"},
        {{"tangent", "x", "1", "--degrees", "--radians"}, "", 2, "excludes"},

        {{"multiply", "-", "-"}, "1\n", 2, "standard input can give only one"},
        {{"plot", "x", "-o", dir.filePath("p.txt")}, "", 2, "txt"},
        {{"plot", "x", "-o", out, "--size", "8193x10"}, "", 2, "8192"},

        // Bad input.
        {{"scale", "two"}, "1\n", 1, "S: 'two' is not a number"},
        {{"dms", "abc"}, "", 1, "abc"},
        {{"eval", "x"}, "", 1, "give a value with --at X"},
        {{"derive", "-"}, product, 1, "too long to be worked out"},
        {{"roots", "sin(x"}, "", 1, "Error 0x03"},
        {{"roots", "x^2+1", "--from", "-1e9", "--to", "1e9"}, "", 1, "too long"},
        {{"integrate", "x", "0", "1e9", "--step", "0.00001"}, "", 1, "too long"},
        {{"plot", "x", "--domain", "-1e8", "1e8", "--mark", "roots", "-o", out}, "", 1, "for the marks would take too long"},
        {{"plot", "x", "--shade", "0", "1e9", "--step", "0.00001", "-o", out}, "", 1, "integral would take too long"},
        {{"det"}, " \n\t\n", 1, "standard input: no numbers"},
        {{"det"}, "1 2\n3\n", 1, "line 2: 1 number, but the rows above have 2"},
        {{"det"}, "1 nan\n3 4\n", 1, "line 1: 'nan' is not a finite number"},
        {{"det"}, "1,,2\n3,4,5\n", 1, "line 1: an empty field between commas"},
        {{"det"}, "1 2 3\n4 5 6\n", 1, "a 2 x 3 matrix is not square"},
        {{"transpose"}, tall, 1, "line 51: more than 50 rows"},
        {{"solve"}, "2 4\n", 1, "1 line of 2 numbers"},
        {{"det", "/no/such/file"}, "", 1, "/no/such/file: cannot be opened"},
        {{"render", dir.filePath("missing.cva"), "-o", out}, "", 1, "missing.cva"},
        {{"plot", "x", "x^2", "x^3", "x^4", "x^5", "x^6", "-o", out}, "", 1, ""},
        // Accepted.
        {{"eval", "pi/2", "--at", "pi"}, "", 0, ""},
        {{"tangent", "x", "--", "-pi"}, "", 0, ""},
        {{"scale", "-1.5", "-"}, "\xEF\xBB\xBF" "1, 2\r3, 4\r", 0, ""},
        {{"inflection", "--help"}, "", 0, ""},
        {{"--version"}, "", 0, ""},
        {{"calc", "2", "--base", "1"}, "", 2, "--base: Please enter an integer between 2 and 36."},
        {{"roots", "x", "--places", "0"}, "", 2, "--places"},
        {{"roots", "x", "--places", "0x7"}, "", 2, "--places: '0x7' is not an integer"},  // as the pages refuse it
        {{"integrate", "x", "0", "1", "--step", "0"}, "", 2, "--step"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString() + " <<< " + c.input.substr(0, 20));
        const SCliRun run = RunCli(c.args, QByteArray::fromStdString(c.input));
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_EQ(run.err.empty(), c.exitCode == 0) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_FALSE(QFile::exists(out));
}

// Every command answers in one JSON shape, failures included.
TEST(CliUsage, JsonParsesBack)
{
    json value = json::parse(RunCli({"eval", "sin(x)", "--degrees", "--json", "--at", "30", "90"}).out);
    EXPECT_EQ(value["command"], "eval");
    EXPECT_EQ(value["input"], json::parse(R"j({"source": "argument", "EXPR": "sin(x)", "--degrees": true, "--at": ["30", "90"]})j"));
    EXPECT_NEAR(value["result"]["values"][0]["y"].get<double>(), 0.5, 1e-15);
    EXPECT_EQ(value["texts"][1], "1.00000000000000");
    EXPECT_EQ(json::parse(RunCli({"eval", "ln(x)", "--json", "--at", "-1"}).out)["result"]["values"][0]["y"], "nan");

    value = json::parse(RunCli({"roots", "x^2-2", "--json", "--places", "9"}).out)["result"];
    ASSERT_EQ(value["roots"].size(), 2u);
    EXPECT_NEAR(value["roots"][1].get<double>(), std::sqrt(2.0), 1e-9);

    // A batch: one result an expression, a failing one named with its error.
    SCliRun run = RunCli({"integrate", "-", "-1", "1", "--json"}, "x^2\nln(x)\nsin(x\n");
    EXPECT_EQ(run.exitCode, 1);
    value = json::parse(run.out)["result"];
    ASSERT_EQ(value.size(), 3u);
    EXPECT_NEAR(value[0]["value"].get<double>(), 2.0 / 3.0, 1e-4);
    EXPECT_EQ(value[1]["value"], "nan");
    EXPECT_EQ(value[1]["text"], "Invalid Domain!");
    EXPECT_EQ(value[2]["expression"], "sin(x");
    EXPECT_NE(value[2]["error"].get<std::string>().find("Error 0x03"), std::string::npos);

    value = json::parse(RunCli({"inverse", "--json"}, "4 7\n2 6\n").out);
    EXPECT_EQ(value["result"]["matrix"], json::parse("[[0.6, -0.7], [-0.2, 0.4]]"));
    EXPECT_EQ(value["texts"][0], " 0.6000  -0.7000");

    // Failures: the error object on standard output, the message on standard error.
    const struct { QStringList args; int exitCode; const char *command; } failures[] = {
        {{"calc", "(2+3", "--json"}, 1, "calc"},
        {{"det", "--json", "/no/such/file"}, 1, "det"},
        {{"calc", "1", "--to-base", "37", "--json"}, 2, "calc"},
    };
    for (const auto &f : failures) {
        SCOPED_TRACE(f.args.join(' ').toStdString());
        run = RunCli(f.args);
        EXPECT_EQ(run.exitCode, f.exitCode);
        value = json::parse(run.out);
        EXPECT_EQ(value["command"], f.command);
        EXPECT_FALSE(value["error"].get<std::string>().empty());
        EXPECT_NE(run.err.find(value["error"].get<std::string>()), std::string::npos) << run.err;
    }

    QTemporaryDir dir;
    value = json::parse(RunCli({"plot", "x", "-o", dir.filePath("p.BMP"), "--size", "30", "--json"}).out);
    EXPECT_EQ(value["result"]["format"], "bmp");
    EXPECT_EQ(QImage(dir.filePath("p.BMP"), "BMP").size(), QSize(30, 30));
}

// Plain output is the bare value; an expression may begin with a minus sign.
TEST(CliUsage, PlainValuesAndLeadingMinus)
{
    const struct { QStringList args; const char *out; } cases[] = {
        {{"calc", "2+2"}, "4\n"},
        {{"calc", "5/2"}, "2.5\n"},
        {{"calc", "-FF", "--base", "16"}, "-255\n"},
        {{"eval", "-x^2", "--at", "3"}, "-9.00000000000000\n"},
        {{"eval", "--at", "3", "--", "-x^2"}, "-9.00000000000000\n"},
        {{"eval", "--at", "-pi", "--", "-x"}, "3.14159265358979\n"},  // pi to the last digit shown
        {{"tangent", "-x^2", "-1", "--radians"}, ""},
        {{"polar", "-pi", "0"}, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const SCliRun run = RunCli(c.args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        if (*c.out) {
            EXPECT_EQ(run.out, c.out);
        }
    }
}

// --param on the commands that take a function; what is refused says why.
TEST(CliUsage, ParamValuesAndTheirRefusals)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("p.png");
    const struct { QStringList args; int code; const char *out; const char *err; } cases[] = {
        {{"eval", "a*x+B", "--at", "2", "--param", "a=3", "--param", "b=-1"}, 0, "5.00000000000000\n", ""},
        {{"eval", "a*x", "--at", "1", "--param", "A=pi/2"}, 0, "1.57079632679490\n", ""},
        {{"roots", "x^2-a", "--param", "a=2", "--places", "3"}, 0, "-1.414\n1.414\n", ""},
        {{"table", "k*x", "--from", "1", "--to", "2", "--step", "1", "--param", "k=4", "--csv"}, 0, "x,f(x)\n1,4\n2,8\n", ""},
        {{"plot", "a*x", "--param", "a=1e6", "-o", out}, 0, "", ""},  // beyond the slider's range
        {{"eval", "a*x", "--at", "1", "--param", "x=2"}, 2, "", "'x' is no parameter"},
        {{"eval", "a*x", "--at", "1", "--param", "zz=1"}, 2, "", "'zz' is no parameter"},
        {{"eval", "a*x", "--at", "1", "--param", "a="}, 2, "", "no value for a"},
        {{"eval", "a*x", "--at", "1", "--param", "a=abc"}, 2, "", "'abc' is not a number"},
        {{"eval", "a*x", "--at", "1", "--param", "a=1/0"}, 2, "", "'1/0' is not a number"},
        {{"eval", "a*x", "--at", "1", "--param", "a=1", "--param", "a=2"}, 2, "", "a is given twice"},
        {{"eval", "a*x", "--at", "1", "--param", "a=1,2"}, 2, "", "one value only"},
        {{"plot", "a*x", "--param", "a=1,2,3,4,5,6", "-o", out}, 2, "", "at most 5 values"},
        {{"plot", "a*x+b", "--param", "a=1,2", "--param", "b=1,2", "-o", out}, 2, "", "only one letter"},
        {{"plot", "a*x", "x^2", "--param", "a=1,2", "-o", out}, 1, "", "a family of one function"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const SCliRun run = RunCli(c.args);
        EXPECT_EQ(run.exitCode, c.code) << run.err;
        EXPECT_EQ(run.out, c.out);
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    }
}

// A full disk under standard output: the result never arrived.
TEST(CliUsage, AResultThatCannotBeWrittenIsNoSuccess)
{
    for (const QStringList &args : {QStringList{"det", "-"}, QStringList{"plot", "x", "-o", "-"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        QProcess process;
        process.setStandardOutputFile("/dev/full");
        process.start(QStringLiteral(CORVANTA_CLI), args);
        process.write("1 2\n3 4\n");
        process.closeWriteChannel();
        ASSERT_TRUE(process.waitForFinished(120000));
        EXPECT_EQ(process.exitCode(), 1);
        EXPECT_TRUE(process.readAllStandardError().startsWith("standard output"));
    }
}

}  // namespace
