// Curves on the picture where a polyline would lie: a jump is not joined.
#include "core/plot/PlotMapping.h"
#include "graph/model/Graph.h"
#include "graph/render/GraphPicture.h"
#include "graph/render/GraphRenderer.h"

#include <gtest/gtest.h>

#include <QImage>

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

}  // namespace
