// Curves on the picture where a polyline would lie: a jump is not joined.
#include "core/plot/PlotMapping.h"
#include "graph/model/Graph.h"
#include "graph/render/GraphPicture.h"
#include "graph/render/GraphRenderer.h"
#include "oracle/Mpfr.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <vector>
#include <functional>
#include <ostream>

namespace {

constexpr int kWidth = 640, kHeight = 480;

// Pixels near the pen's colour (antialiased edges included) in a box.
int InkIn(const QImage &img, const QRect &box, QColor pen)
{
    int n = 0;
    const QRect r = box.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            const int far = std::abs(c.red() - pen.red()) + std::abs(c.green() - pen.green()) +
                            std::abs(c.blue() - pen.blue());
            const int fromWhite = 765 - c.red() - c.green() - c.blue();
            n += far < 200 && fromWhite > 60 ? 1 : 0;
        }
    return n;
}

// Between the two levels of a jump the function takes no value: the column
// may be over-inked where the arithmetic cannot settle it, but the two
// branches are not joined by a line through it.
TEST(CurvePicture, JumpsAreNotJoined)
{
    const struct {
        const char *text;
        double at;        // x of the jump
        double low, high;  // the levels on either side
    } cases[] = {
        {"abs(x-1)/(x-1)", 1, -1, 1},
        {"abs(x+2.37)/(x+2.37)+0.5", -2.37, -0.5, 1.5},
        {"2*abs(3x-1)/(3x-1)", 1.0 / 3, -2, 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        CGraph graph;
        graph.SetClientSize(kWidth, kHeight);
        graph.SetShowGrid(false);
        ASSERT_EQ(graph.Plot(c.text), CGraph::EPlot::Plotted);
        const QImage img = graph.Picture(QSize(kWidth, kHeight), Qt::white).bitmap.convertToFormat(QImage::Format_RGB32);
        const SPlotMapping map = SPlotMapping::Of(graph.State(), kWidth, kHeight, 1.0);
        const QColor pen = CGraphRenderer::SlotColor(graph.State().m_aColor[0]);
        const int column = static_cast<int>(map.Column(c.at));
        const int top = static_cast<int>(map.Row(c.high)) + 3, bottom = static_cast<int>(map.Row(c.low)) - 3;
        int gap = 0, widest = 0;
        for (int row = top; row <= bottom; ++row) {
            gap = InkIn(img, QRect(column - 2, row, 5, 1), pen) == 0 ? gap + 1 : 0;
            widest = std::max(widest, gap);
        }
        EXPECT_GE(widest, 10);
        // Both branches are there beside the jump.
        EXPECT_GT(InkIn(img, QRect(column - 30, 0, 20, kHeight), pen), 10);
        EXPECT_GT(InkIn(img, QRect(column + 10, 0, 20, kHeight), pen), 10);
    }
}

// Where a function runs off to infinity inside a column, the picture runs
// to that edge, however the column falls on the spike.
TEST(CurvePicture, InfiniteSpikesRunToTheirEdge)
{
    const struct {
        const char *text;
        std::array<std::string, 4> range;
        std::vector<double> at;
        bool down;
    } cases[] = {
        {"ln(abs(sin(x)))", {"-10", "10", "-6", "2"}, {-3 * M_PI, -2 * M_PI, -M_PI, 0, M_PI, 2 * M_PI, 3 * M_PI}, true},
        {"-ln(abs(x-0.3))", {"-2", "2", "-2", "8"}, {0.3}, false},
    };
    for (const QSize size : {QSize(400, 300), QSize(kWidth, kHeight), QSize(333, 217)}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(c.text);
            CGraph graph;
            graph.SetClientSize(size.width(), size.height());
            graph.SetShowGrid(false);
            ASSERT_EQ(graph.Plot(c.text), CGraph::EPlot::Plotted);
            ASSERT_TRUE(graph.SetDomain(c.range).empty());
            const QImage img = graph.Picture(size, Qt::white).bitmap.convertToFormat(QImage::Format_RGB32);
            const SPlotMapping map = SPlotMapping::Of(graph.State(), size.width(), size.height(), 1.0);
            const QColor pen = CGraphRenderer::SlotColor(graph.State().m_aColor[0]);
            const int row = c.down ? size.height() - 1 : 0;
            for (double x : c.at) {
                const int column = static_cast<int>(std::floor(map.Column(x)));
                EXPECT_GT(InkIn(img, QRect(column - 1, row, 3, 1), pen), 0) << size.width() << " at " << x;
            }
        }
    }
}

using oracle::Big;

Big Sin(const Big &x) { return Apply(mpfr_sin, x); }
Big Sq(const Big &x) { return x * x; }

struct SPictureCase
{
    const char *text;
    std::function<Big(const Big &)> exact;
    std::array<std::string, 4> range;
    bool ordinary;  // smooth at this scale: drawn as a thin line
};

void PrintTo(const SPictureCase &c, std::ostream *os) { *os << c.text; }

class PictureColumns : public ::testing::TestWithParam<SPictureCase> {};

// Every value the function takes, evaluated with MPFR at points across each
// pixel column, is inked on the picture within a pixel; an ordinary curve's
// column holds no more ink than its line needs.
TEST_P(PictureColumns, TrueValuesAreInkedAndOrdinaryLinesStayThin)
{
    const SPictureCase &c = GetParam();
    CGraph graph;
    graph.SetClientSize(kWidth, kHeight);
    graph.SetShowGrid(false);
    ASSERT_EQ(graph.Plot(c.text), CGraph::EPlot::Plotted);
    ASSERT_TRUE(graph.SetDomain(c.range).empty());
    const QImage img = graph.Picture(QSize(kWidth, kHeight), Qt::white).bitmap.convertToFormat(QImage::Format_RGB32);
    const SPlotMapping map = SPlotMapping::Of(graph.State(), kWidth, kHeight, 1.0);
    const QColor pen = CGraphRenderer::SlotColor(graph.State().m_aColor[0]);
    constexpr int kPoints = 12;
    int missed = 0, checked = 0;
    for (int column = 2; column < kWidth - 2; ++column) {
        double top = HUGE_VAL, bottom = -HUGE_VAL;
        for (int i = 0; i <= kPoints; ++i) {
            const double x = map.UnitX(column + static_cast<double>(i) / kPoints);
            const Big y = c.exact(Big(x));
            if (y.isnan())
                continue;
            const double row = map.Row(y.d());
            top = std::min(top, row);
            bottom = std::max(bottom, row);
            if (!(row > 2 && row < kHeight - 3))
                continue;
            ++checked;
            const int at = static_cast<int>(std::floor(map.Column(x)));
            if (InkIn(img, QRect(at - 1, static_cast<int>(std::floor(row)) - 1, 3, 3), pen) == 0) {
                ++missed;
                ADD_FAILURE() << "no ink near x = " << x << ", row " << row;
            }
            if (missed > 5)
                return;
        }
        if (c.ordinary && std::isfinite(top) && top > 0 && bottom < kHeight) {
            const int ink = InkIn(img, QRect(column, 0, 1, kHeight), pen);
            EXPECT_LE(ink, static_cast<int>(bottom - top) + 5) << "column " << column;
        }
    }
    EXPECT_GT(checked, kWidth);
}

INSTANTIATE_TEST_SUITE_P(
    Hard, PictureColumns,
    ::testing::Values(
        SPictureCase{"sin(1000x)", [](const Big &x) { return Sin(Big(1000) * x); }, {"-5", "5", "-3", "3"}, false},
        SPictureCase{"1/(1+((x-0.3001)/0.0001)^2)",
                     [](const Big &x) { return Big(1) / (Big(1) + Sq((x - Big(0.3001)) / Big(0.0001))); },
                     {"-1", "1", "-0.5", "1.5"}, false},
        SPictureCase{"3exp(-10000(x-0.31)^2)",
                     [](const Big &x) { return Big(3) * Apply(mpfr_exp, Big(-10000) * Sq(x - Big(0.31))); },
                     {"-1", "1", "-1", "4"}, false},
        SPictureCase{"sin(1/x)", [](const Big &x) { return Sin(Big(1) / x); }, {"-1", "1", "-2", "2"}, false},
        SPictureCase{"ln(abs(sin(x)))", [](const Big &x) { return Apply(mpfr_log, Abs(Sin(x))); },
                     {"-10", "10", "-6", "2"}, false},
        SPictureCase{"tan(x)", [](const Big &x) { return Apply(mpfr_tan, x); }, {"-10", "10", "-5", "5"}, false},
        SPictureCase{"sqrt(x)", [](const Big &x) { return Apply(mpfr_sqrt, x); }, {"-1", "3", "-1", "2"}, false},
        SPictureCase{"x^2", [](const Big &x) { return x * x; }, {"-3", "3", "-1", "8"}, true},
        SPictureCase{"sin(x)", [](const Big &x) { return Sin(x); }, {"-10", "10", "-2", "2"}, true},
        SPictureCase{"x^3-4x", [](const Big &x) { return x * x * x - Big(4) * x; }, {"-3", "3", "-10", "10"}, true}),
    [](const auto &info) { return "Case" + std::to_string(info.index); });

}  // namespace
