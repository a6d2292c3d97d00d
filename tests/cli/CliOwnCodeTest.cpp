// What only the command line does: reading its arguments, its limits, its
// JSON and its figures, each checked against values worked out here.
#include "cli/CliRunner.h"

#include "oracle/Mpfr.h"

#include <nlohmann/json.hpp>

#include <gmpxx.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

using nlohmann::json;

const double kDegree = (oracle::Big::Pi() / oracle::Big(180)).d();
// The function syntax's pi is the double nearest to pi.
const double kSyntaxPi = std::numbers::pi;

json Json(const SCliRun &run)
{
    EXPECT_FALSE(run.out.empty()) << run.err;
    return run.out.empty() ? json() : json::parse(run.out);
}

// Every argument form of a number reaches its command, JSON fields and all.
TEST(CliOwnCode, NumbersInEveryFormReachTheirCommand)
{
    const std::string matrix = "1 -2\r\n3 4\r\n";
    const struct
    {
        QStringList args;
        std::string input;
        const char *field;  // a JSON pointer into the answer
        double expected;
        double tolerance = 1e-12;  // relative
    } cases[] = {
        {{"polar", "-.5", "1"}, "", "/result/x", -0.5},
        {{"polar", "--", "-1e-3", "-.5"}, "", "/result/y", -0.5},
        {{"rect", "2", "-PI/2"}, "", "/result/x", 2 * std::cos(-kSyntaxPi / 2 * kDegree)},  // a constant in degrees
        {{"rect", "2", "sin(30)*180"}, "", "/result/x", 0.0},                       // sin 30 degrees: 90
        {{"rect", "2", "sin(30)*180"}, "", "/result/y", 2.0},
        {{"rect", "-2", "90"}, "", "/result/radius", -2.0},
        {{"integrate", "x^2", "-.5", "1"}, "", "/result/from", -0.5},
        {{"integrate", "x^2", "-1E-3", "1", "--rule", "SIMPSON"}, "", "/result/from", -1e-3},
        {{"integrate", "x^2", "--", "-pi/2", "-.5"}, "", "/result/from", -kSyntaxPi / 2},
        {{"integrate", "x^2", "--", "-pi/2", "-.5"}, "", "/result/to", -0.5},
        {{"tangent", "x^2", "-.5"}, "", "/result/x", -0.5},
        {{"tangent", "x^2", "1"}, "", "/result/angle", std::atan(2.0) / kDegree, 1e-8},  // the bar's rounding
        {{"tangent", "x^2", "1", "--radians"}, "", "/result/angle", std::atan(2.0), 1e-8},
        {{"eval", "x", "--at", "-.5", "-1e-3", "-Pi/2"}, "", "/result/values/0/y", -0.5},
        {{"eval", "x", "--at", "-.5", "-1e-3", "-Pi/2"}, "", "/result/values/1/y", -1e-3},
        {{"eval", "x", "--at", "-.5", "-1e-3", "-Pi/2"}, "", "/result/values/2/y", -kSyntaxPi / 2},
        {{"eval", "x", "--degrees", "--at", "sin(30)*2"}, "", "/result/values/0/x", 1.0},
        {{"eval", "x", "--at", "sin(pi/6)*2"}, "", "/result/values/0/x", std::sin(kSyntaxPi / 6) * 2},
        {{"eval", "-x", "--at", "2E-1"}, "", "/result/values/0/y", -0.2},
        {{"roots", "x", "--from", "-.5", "--to", "1"}, "", "/result/from", -0.5},
        {{"roots", "x", "--near", "-.5"}, "", "/result/near", -0.5},
        {{"table", "x", "--from", "-.5", "--to", ".5", "--step", ".5"}, "", "/result/rows/0/x", -0.5},
        {{"table", "x", "--from", "-.5", "--to", ".5", "--step", ".5"}, "", "/result/rows/2/y", 0.5},
        {{"scale", "-.5"}, matrix, "/result/matrix/0/1", 1.0},
        {{"scale", "-1e-3"}, matrix, "/result/matrix/1/0", -3e-3},
        {{"calc", "2^10"}, "", "/result/value", 1024.0},
        {{"dms", "30.5"}, "", "/result/degrees", 30.5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString() + " " + c.field);
        QStringList args = c.args;
        args.insert(1, "--json");  // before any "--"
        const SCliRun run = RunCli(args, QByteArray::fromStdString(c.input));
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const json value = Json(run).at(json::json_pointer(c.field));
        EXPECT_NEAR(value.get<double>(), c.expected, c.tolerance * std::max(1.0, std::abs(c.expected)));
    }
}

// Both ends of every range are taken, one beyond each is refused; an
// argument that is no number is bad input, an option's bad value bad usage.
TEST(CliOwnCode, RangesAndExitStatuses)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("p.png");
    const struct
    {
        QStringList args;
        int exitCode;
        const char *message;  // a part of standard error
    } cases[] = {
        {{"--foo"}, 2, "'--foo' is not an option"},
        {{"--foo=1"}, 2, "'--foo=1'"},
        {{"polar", "abc", "1"}, 1, "X: 'abc' is not a number"},
        {{"rect", "1", "1e999"}, 1, "THETA: '1e999' is out of range"},
        {{"scale", "two"}, 1, "S: 'two' is not a number"},
        {{"dms", "abc"}, 1, "VALUE: 'abc'"},
        {{"integrate", "x", "q", "1"}, 1, "A: 'q' is not a number"},
        {{"tangent", "x", "--", "-q"}, 1, "X: '-q' is not a number"},
        {{"calc", "(2+3"}, 1, ""},
        {{"eval", "x", "--at", "abc"}, 2, "--at"},
        {{"roots", "x", "--from", "-.q"}, 2, "--from"},
        {{"derive", "x", "--order", "1"}, 0, ""},
        {{"derive", "x", "--order", "9"}, 0, ""},
        {{"derive", "x", "--order", "0"}, 2, "--order"},
        {{"derive", "x", "--order", "10"}, 2, "--order"},
        {{"roots", "x", "--places", "3"}, 0, ""},
        {{"roots", "x", "--places", "15"}, 0, ""},
        {{"roots", "x", "--places", "2"}, 2, "--places"},
        {{"roots", "x", "--places", "16"}, 2, "--places"},
        {{"integrate", "x", "0", "1", "--step", "0.00001"}, 0, ""},
        {{"integrate", "x", "0", "1", "--step", "1"}, 0, ""},
        {{"integrate", "x", "0", "1", "--step", "0.0000099"}, 2, "--step"},
        {{"integrate", "x", "0", "1", "--step", "1.01"}, 2, "--step"},
        {{"integrate", "x", "1", "1"}, 0, ""},
        {{"integrate", "x", "1", ".99"}, 1, ""},
        {{"table", "x", "--from", "0", "--to", "10000", "--step", "1"}, 0, ""},
        {{"table", "x", "--from", "0", "--to", "10001", "--step", "1"}, 1, ""},
        {{"calc", "1", "--base", "2"}, 0, ""},
        {{"calc", "1", "--base", "36", "--to-base", "36"}, 0, ""},
        {{"calc", "1", "--to-base", "2"}, 0, ""},
        {{"calc", "1", "--base", "37"}, 2, "--base"},
        {{"calc", "1", "--to-base", "1"}, 2, "--to-base"},
        {{"plot", "x", "--size", "1", "-o", out}, 0, ""},
        {{"plot", "x", "--size", "8192x1", "-o", out}, 0, ""},
        {{"plot", "x", "--size", "0", "-o", out}, 2, "--size"},
        {{"plot", "x", "--size", "1x8193", "-o", out}, 2, "--size"},
        {{"plot", "x", "--size", "30X40", "-o", out}, 0, ""},
        {{"plot", "x", "--size", " 30 x 40 ", "-o", out}, 0, ""},
        {{"plot", "x", "--size=-5", "-o", out}, 2, "'-5': each side must be 1 to 8192 pixels"},
        {{"plot", "x", "--size", "30x0", "-o", out}, 2, "'30x0': each side must be 1 to 8192 pixels"},
        {{"plot", "x", "--size", "1234567", "-o", out}, 2, "'1234567': each side must be 1 to 8192 pixels"},
        {{"plot", "x", "--size", "2x99999999999999999999", "-o", out}, 2, "each side must be 1 to 8192 pixels"},
        {{"plot", "x", "--size", "30x", "-o", out}, 2, "'30x' is not a size: give WIDTHxHEIGHT or N"},
        {{"plot", "x", "--size", "x30", "-o", out}, 2, "'x30' is not a size"},
        {{"plot", "x", "--size", "30x40x50", "-o", out}, 2, "'30x40x50' is not a size"},
        {{"plot", "x", "--size", "3.5", "-o", out}, 2, "'3.5' is not a size"},
        {{"plot", "x", "--size", "1e3", "-o", out}, 2, "'1e3' is not a size"},
        {{"plot", "x", "--size", "0x10", "-o", out}, 2, "'0x10': each side"},
        {{"plot", "x", "--shade", "2", "2", "-o", out}, 0, ""},
        {{"plot", "x", "--shade", "2", "1.9", "-o", out}, 1, ""},
        {{"plot", "x", "--mark", "ROOTS", "--mark", "Intersections", "-o", out}, 0, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const SCliRun run = RunCli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}

// The JSON's fields against values worked out here, exactly where they can be.
TEST(CliOwnCode, JsonFields)
{
    json value = Json(RunCli({"extrema", "x^3-3*x", "--from", "-5", "--to", "5", "--json"}));
    EXPECT_EQ(value["input"]["source"], "argument");
    const json points = value["result"]["points"];
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0]["type"], "maximum");
    EXPECT_NEAR(points[0]["x"].get<double>(), -1.0, 1e-7);
    EXPECT_NEAR(points[0]["y"].get<double>(), 2.0, 1e-7);
    EXPECT_EQ(points[1]["type"], "minimum");
    EXPECT_NEAR(points[1]["x"].get<double>(), 1.0, 1e-7);
    EXPECT_NEAR(points[1]["y"].get<double>(), -2.0, 1e-7);

    // Simpson's rule is exact for a cubic: 2^4/4 - 0.
    value = Json(RunCli({"integrate", "x^3", "0", "2", "--rule", "simpson", "--step", "0.5", "--json"}))["result"];
    EXPECT_EQ(value["from"], 0.0);
    EXPECT_EQ(value["to"], 2.0);
    EXPECT_EQ(value["rule"], "simpson");
    EXPECT_EQ(value["step"], 0.5);
    EXPECT_NEAR(value["value"].get<double>(), mpq_class(16, 4).get_d(), 1e-12);
    EXPECT_EQ(value["text"], "4.000000");

    // A 2 x 3 matrix transposed is 3 x 2.
    value = Json(RunCli({"transpose", "--json"}, "1 2 3\n4 5 6\n"));
    EXPECT_EQ(value["input"]["source"], "standard input");
    EXPECT_EQ(value["result"]["rows"], 3);
    EXPECT_EQ(value["result"]["cols"], 2);
    EXPECT_EQ(value["result"]["matrix"], json::parse("[[1, 4], [2, 5], [3, 6]]"));
    EXPECT_EQ(value["result"]["cells"][2][1], "6.0000");

    // 2x + y = 5, x - y = 1: x = 2, y = 1.
    value = Json(RunCli({"solve", "--json"}, "2 1 5\n1 -1 1\n"))["result"];
    ASSERT_EQ(value["solution"].size(), 2u);
    EXPECT_NEAR(value["solution"][0].get<double>(), 2.0, 1e-15);
    EXPECT_NEAR(value["solution"][1].get<double>(), 1.0, 1e-15);
    EXPECT_EQ(value["lines"].size(), 2u);

    QTemporaryDir dir;
    QFile file(dir.filePath("m.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("3 1\n4 2\n");
    file.close();
    value = Json(RunCli({"det", file.fileName(), "--json"}));
    EXPECT_EQ(value["input"]["source"], "file");
    EXPECT_EQ(value["result"]["determinant"], 2.0);

    value = Json(RunCli({"dms", "30.5", "--json"}))["result"];
    EXPECT_EQ(value["expression"], "30.5");
    EXPECT_EQ(value["degrees"], 30.5);
}

// Values that are not finite stay told apart.
TEST(CliOwnCode, NonFiniteNumbersAreNamed)
{
    const struct
    {
        const char *function;
        const char *x;
        const char *expected;
    } cases[] = {{"ln(x)", "-1", "nan"}, {"sqrt(x)", "-4", "nan"}, {"10^x", "400", "inf"}, {"-10^x", "400", "-inf"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.function);
        const json value = Json(RunCli({"eval", c.function, "--at", c.x, "--json"}));
        EXPECT_EQ(value["result"]["values"][0]["y"], c.expected);
    }
}

// A batch from standard input: one result and one texts entry per
// expression line, CR LF endings read as plain ones, errors named by line.
TEST(CliOwnCode, BatchesStayAligned)
{
    SCliRun run = RunCli({"derive", "-", "--json"}, "x^2\r\n\r\nsin(x\r\nx^3\r\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("standard input, line 3: "), std::string::npos) << run.err;
    json value = Json(run);
    EXPECT_EQ(value["input"]["source"], "standard input");
    const json result = value["result"], texts = value["texts"];
    ASSERT_EQ(result.size(), 3u);
    ASSERT_EQ(texts.size(), 3u);
    const struct { int line; const char *expression; const char *derivative; } rows[] = {
        {1, "x^2", "2*x"}, {3, "sin(x", nullptr}, {4, "x^3", "3*x^2"}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(result[i]["line"], rows[i].line);
        EXPECT_EQ(result[i]["expression"], rows[i].expression);
        if (rows[i].derivative) {
            EXPECT_EQ(result[i]["derivative"], rows[i].derivative);
            EXPECT_EQ(texts[i], json::array({rows[i].derivative}));
        } else {
            EXPECT_TRUE(result[i].contains("error"));
            EXPECT_EQ(texts[i], json::array());
        }
    }

    // Searches print several lines an item; each item's stay together.
    value = Json(RunCli({"roots", "-", "--json"}, "x^2-4\r\nx-1\r\n"));
    ASSERT_EQ(value["texts"].size(), 2u);
    EXPECT_EQ(value["texts"][0].size(), 2u);
    EXPECT_EQ(value["texts"][1].size(), 1u);
    EXPECT_NEAR(value["result"][0]["roots"][1].get<double>(), 2.0, 1e-7);

    run = RunCli({"check", "-", "--json"}, "x\r\n(x\r\n");
    EXPECT_EQ(run.exitCode, 1);
    value = Json(run);
    EXPECT_EQ(value["result"][1]["line"], 2);
    EXPECT_EQ(value["result"][1]["valid"], false);
    EXPECT_EQ(value["texts"], json::parse(R"([["OK"], []])"));
}

// Figures: what each option adds is where the mapping of the view puts it.
class CliFigure : public ::testing::Test
{
protected:
    // 500 x 400 pixels over x -5..5, y -4..4: 50 pixels a unit both ways.
    QImage Plot(const QStringList &functions, const QStringList &options)
    {
        const QString path = dir.filePath(QString::number(++m_count) + ".png");
        const SCliRun run = RunCli(functions + QStringList{"--domain", "-5", "5", "--range", "-4", "4", "--size",
                                                           "500x400", "-o", path} +
                                   options);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return QImage(path).convertToFormat(QImage::Format_RGB32);
    }
    static QPointF Pixel(double x, double y) { return {250 + 50 * x, 200 - 50 * y}; }
    // The pixels where two pictures differ.
    static std::vector<QPoint> Changed(const QImage &a, const QImage &b)
    {
        std::vector<QPoint> changed;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y))
                    changed.emplace_back(x, y);
        return changed;
    }

    QTemporaryDir dir;

private:
    int m_count = 0;
};

TEST_F(CliFigure, MarksLieOnlyWhereTheMathPutsThem)
{
    const struct
    {
        QStringList functions;
        const char *kind;
        std::vector<QPointF> points;  // x, y
    } cases[] = {
        {{"x^2-1"}, "roots", {{-1, 0}, {1, 0}}},
        {{"x^3-3*x"}, "extrema", {{-1, 2}, {1, -2}}},
        {{"x^3-3*x"}, "inflection", {{0, 0}}},
        // x+3 and x never meet; the last function meets both others.
        {{"x+3", "x", "-x"}, "intersections", {{-1.5, 1.5}, {0, 0}}},
    };
    constexpr double kReach = 10;  // a mark's diamond, ring and smoothing, in pixels
    for (const auto &c : cases) {
        SCOPED_TRACE(c.kind);
        const QStringList plot = QStringList{"plot"} + c.functions;
        const std::vector<QPoint> changed = Changed(Plot(plot, {}), Plot(plot, {"--mark", c.kind}));
        for (const QPointF &point : c.points) {
            const QPointF at = Pixel(point.x(), point.y());
            const bool near = std::any_of(changed.begin(), changed.end(), [&](QPoint p) {
                return std::hypot(p.x() - at.x(), p.y() - at.y()) < kReach;
            });
            EXPECT_TRUE(near) << point.x() << ", " << point.y();
        }
        for (const QPoint &p : changed) {
            const bool near = std::any_of(c.points.begin(), c.points.end(), [&](QPointF point) {
                const QPointF at = Pixel(point.x(), point.y());
                return std::hypot(p.x() - at.x(), p.y() - at.y()) < kReach;
            });
            ASSERT_TRUE(near) << p.x() << ", " << p.y();
        }
    }
}

TEST_F(CliFigure, ShadingAndLegendLieWhereTheyBelong)
{
    // y = 1 shaded from A to B: the band between the axis and the line.
    const QImage plain = Plot({"plot", "1"}, {});
    const struct { const char *from, *to; double a, b; } shades[] = {{"1", "3", 1, 3}, {"-3", "-1", -3, -1},
                                                                     {"-pi", "-.5", -kSyntaxPi, -0.5}};
    for (const auto &s : shades) {
        SCOPED_TRACE(s.from);
        const QImage shaded = Plot({"plot", "1"}, {"--shade", s.from, s.to});
        const int row = static_cast<int>(Pixel(0, 0.5).y());
        for (double x = -4.9; x < 4.9; x += 0.1) {
            if (std::abs(x - s.a) < 0.05 || std::abs(x - s.b) < 0.05)
                continue;  // the edges
            const int col = static_cast<int>(Pixel(x, 0).x());
            EXPECT_EQ(plain.pixel(col, row) != shaded.pixel(col, row), x > s.a && x < s.b) << x;
        }
        const QPointF above = Pixel((s.a + s.b) / 2, -2);  // below the axis: nothing
        EXPECT_EQ(plain.pixel(above.toPoint()), shaded.pixel(above.toPoint()));
    }

    // The legend takes the top-right corner only.
    const std::vector<QPoint> legend = Changed(plain, Plot({"plot", "1"}, {"--legend"}));
    ASSERT_FALSE(legend.empty());
    for (const QPoint &p : legend)
        ASSERT_TRUE(p.x() >= 250 && p.y() < 200) << p.x() << ", " << p.y();

    // The size given is the picture's.
    for (const QSize size : {QSize(1, 1), QSize(37, 23), QSize(8192, 1)}) {
        const QString path = dir.filePath("s.png");
        const QString text = QString("%1x%2").arg(size.width()).arg(size.height());
        ASSERT_EQ(RunCli({"plot", "x", "--size", text, "-o", path}).exitCode, 0);
        EXPECT_EQ(QImage(path).size(), size);
    }
}

}  // namespace
