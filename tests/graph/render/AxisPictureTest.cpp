// Readable axes on the picture: grid lines at the round ticks, labels where
// a person can see them, also when an axis lies on the edge of the area.
#include "core/plot/AxisTicks.h"
#include "core/plot/PlotMapping.h"
#include "graph/model/Graph.h"
#include "graph/render/GraphPicture.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

constexpr int kWidth = 640, kHeight = 480;

bool Dark(QRgb c) { return qRed(c) < 110 && qGreen(c) < 110 && qBlue(c) < 110; }
bool GridGrey(QRgb c) { return qRed(c) == 200 && qGreen(c) == 200 && qBlue(c) == 200; }

int CountIn(const QImage &img, const QRect &box, bool (*what)(QRgb))
{
    int n = 0;
    const QRect r = box.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += what(img.pixel(x, y)) ? 1 : 0;
    return n;
}

struct SAxisCase
{
    const char *name;
    std::array<std::string, 4> range;  // x min, x max, y min, y max
    bool pi;
};

void PrintTo(const SAxisCase &c, std::ostream *os) { *os << c.name; }

class ReadableAxes : public ::testing::TestWithParam<SAxisCase>
{
protected:
    void SetUp() override
    {
        graph.SetClientSize(kWidth, kHeight);
        ASSERT_TRUE(graph.SetDomain(GetParam().range).empty());
        graph.SetShowGrid(true);
        graph.SetAxisLabels(true, GetParam().pi);
        image = graph.Picture(QSize(kWidth, kHeight), Qt::white).bitmap.convertToFormat(QImage::Format_RGB32);
        map = SPlotMapping::Of(graph.State(), kWidth, kHeight, 1.0);
    }
    CGraph graph;
    QImage image;
    SPlotMapping map;
};

// The first tick label of each axis away from the other axis is inked inside
// the area, on the side of the axis where it has room; grid lines run
// through the ticks and not between them.
TEST_P(ReadableAxes, GridAtTicksAndLabelsInside)
{
    const auto xTicks = ReadableXTicks(map, kWidth, GetParam().pi ? EAxisUnits::Pi : EAxisUnits::Decimal);
    const auto yTicks = ReadableYTicks(map, kHeight);
    ASSERT_GE(xTicks.size(), 3u);
    ASSERT_GE(yTicks.size(), 3u);
    const int axisRow = std::clamp(static_cast<int>(std::floor(map.Row(0))), 0, kHeight - 1);
    const int axisColumn = std::clamp(static_cast<int>(std::floor(map.Column(0))), 0, kWidth - 1);

    // The column of a tick away from the y axis is dotted grey from top to
    // bottom; a column halfway to the next tick is grey only where the
    // horizontal grid lines cross it.
    std::size_t i = 0;
    while (i + 1 < xTicks.size() && (std::abs(xTicks[i].pixel - axisColumn) < 5 ||
                                     std::abs(xTicks[i + 1].pixel - axisColumn) < 5))
        ++i;
    ASSERT_LT(i + 1, xTicks.size());
    const int tickColumn = static_cast<int>(std::floor(xTicks[i].pixel));
    const int between = static_cast<int>(std::floor((xTicks[i].pixel + xTicks[i + 1].pixel) / 2));
    EXPECT_GT(CountIn(image, QRect(tickColumn, 40, 1, kHeight - 80), GridGrey), (kHeight - 80) / 4) << xTicks[i].text;
    EXPECT_LE(CountIn(image, QRect(between, 0, 1, kHeight), GridGrey), static_cast<int>(yTicks.size()));

    // x labels: ink near some tick that is not at the y axis, within the
    // area, below the axis or above it when it lies on the bottom edge.
    const bool below = axisRow + 30 < kHeight;
    const QRect xBand = below ? QRect(0, axisRow + 4, kWidth, 20) : QRect(0, axisRow - 24, kWidth, 20);
    int labelled = 0;
    for (const SAxisTick &t : xTicks)
        if (std::abs(t.pixel - axisColumn) > 40 && t.pixel > 30 && t.pixel < kWidth - 30)
            labelled += CountIn(image, QRect(static_cast<int>(t.pixel) - 12, xBand.top(), 24, 20), Dark) > 3;
    EXPECT_GE(labelled, 2) << "x labels " << (below ? "below" : "above");

    // y labels: left of the axis, or right of it on the left edge.
    const bool left = axisColumn > 60;
    labelled = 0;
    for (const SAxisTick &t : yTicks)
        if (std::abs(t.pixel - axisRow) > 30 && t.pixel > 20 && t.pixel < kHeight - 20) {
            const QRect box = left ? QRect(axisColumn - 50, static_cast<int>(t.pixel) - 7, 46, 14)
                                   : QRect(axisColumn + 4, static_cast<int>(t.pixel) - 7, 46, 14);
            labelled += CountIn(image, box, Dark) > 3;
        }
    EXPECT_GE(labelled, 2) << "y labels " << (left ? "left" : "right");
}

INSTANTIATE_TEST_SUITE_P(
    Picture, ReadableAxes,
    ::testing::Values(SAxisCase{"OriginInside", {"-5", "5", "-4", "4"}, false},
                      SAxisCase{"FirstQuadrant", {"-1", "9", "0", "6"}, false},
                      SAxisCase{"OriginOutsideBelowLeft", {"3", "13", "20", "60"}, false},
                      SAxisCase{"PiUnits", {"-7", "7", "-2", "2"}, true},
                      SAxisCase{"TinySteps", {"1e-6", "3e-6", "-1e-6", "1e-6"}, false}),
    [](const auto &info) { return std::string(info.param.name); });

// Off, the classic layout stays: its picture does not change with the pi
// setting, and differs from the readable one.
TEST(ReadableAxesOption, OffKeepsTheClassicPicture)
{
    CGraph graph;
    graph.SetClientSize(kWidth, kHeight);
    ASSERT_EQ(graph.Plot("sin(x)"), CGraph::EPlot::Plotted);
    auto picture = [&] { return graph.Picture(QSize(kWidth, kHeight), Qt::white).bitmap; };
    const QImage classic = picture();
    graph.SetAxisLabels(true, false);
    EXPECT_NE(picture(), classic);
    graph.SetAxisLabels(false, false);
    EXPECT_EQ(picture(), classic);
}

}  // namespace
