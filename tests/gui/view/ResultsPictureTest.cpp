// Marks, the shaded integral and the legend in the picture, at pixels worked
// out here from the mapping and the formulas.
#include "gui/GuiFixtures.h"
#include "gui/output/GraphPrinter.h"

#include <QPainter>

#include <cmath>

namespace {

class ResultsPicture : public ViewFixture
{
protected:
    // The picture as exported (print = false) or printed on a page of w x h.
    QImage Render(int w, int h, bool print)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        if (print)
            PrintGraph(view, p, QRect(0, 0, w, h));
        else
            view.RenderTo(p, QRect(0, 0, w, h));
        return img;
    }
};

// A mark's centre is the pixel of its point by the curve's mapping, through
// zoom, pan and the print scale; the highlighted one shows its label.
TEST_F(ResultsPicture, MarksSitAtTheMappedPointInEveryPicture)
{
    view.Graph().SetShowGrid(false);
    PlotInto(1, "sin(x)");  // green
    const double x = std::acos(-1.0) / 2;
    view.Graph().Mark(EMarkSource::Extrema, {{1, -1, x, 1.0, EMarkKind::Maximum, {}, "(1.570796, 1)"}});
    const QRgb green = qRgb(0, 128, 0);
    const struct { double sx, sy; int panX, panY, w, h; bool print; } cases[] = {{1, 1, 0, 0, 500, 400, false}, {2.5, 0.75, -37, 21, 500, 400, false},
                 {0.5, 3, 60, -45, 500, 400, false}, {1, 1, 13, -7, 1250, 1000, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.w);
        view.Graph().SetMapping(c.sx, c.sy, c.panX, c.panY);
        const double k = c.print ? c.w / 500.0 : 1.0;  // the page's scale over the 500-pixel view
        const int col = static_cast<int>(c.w / 2 + c.panX + 50 * k * c.sx * x);
        const int row = static_cast<int>(c.h / 2 - c.panY - 50 * k * c.sy * 1.0);
        const double r = 4 * k;
        QImage img = Render(c.w, c.h, c.print);
        EXPECT_EQ(img.pixel(col, row), green) << col << "," << row;
        for (const auto &[dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
            EXPECT_EQ(img.pixel(col + static_cast<int>(dx * (r - 1.5)), row + static_cast<int>(dy * (r - 1.5))), green);
        EXPECT_EQ(img.pixel(col, row + static_cast<int>(r + 3)), qRgb(255, 255, 255));  // below the disc
        // The highlight adds a black ring and the label in a box beside it.
        auto dark = [&](const QImage &pic) {  // text pixels above right of the mark
            int n = 0;
            for (int y = row - static_cast<int>(60 * k); y < row; ++y)
                for (int xx = col + static_cast<int>(11 * k); xx < col + static_cast<int>(120 * k); ++xx)
                    n += pic.valid(xx, y) && qGray(pic.pixel(xx, y)) < 100;
            return n;
        };
        const int before = dark(img);
        view.Graph().Highlight(EMarkSource::Extrema, 0);
        img = Render(c.w, c.h, c.print);
        EXPECT_LT(qGray(img.pixel(col, row - static_cast<int>(9 * k))), 110);
        EXPECT_GT(dark(img), before + 20);
        view.Graph().Highlight(EMarkSource::Extrema, -1);
    }
    // A mark of an empty slot is not drawn.
    view.Graph().SetMapping(1, 1, 0, 0);
    view.Graph().Mark(EMarkSource::Roots, {{3, -1, 1.0, 1.0, EMarkKind::Maximum, {}, {}}});
    EXPECT_EQ(Render(500, 400, false).pixel(300, 150), qRgb(255, 255, 255));
}

// Shaded pixels lie inside [a, b] between the curve and the axis, and every
// pixel well inside that region is shaded; above and below differ.
TEST_F(ResultsPicture, ShadingFillsExactlyTheRegionBetweenCurveAndAxis)
{
    view.Graph().SetShowGrid(false);
    PlotInto(0, "x^2-1");  // red
    const double a = -2, b = 1.5;
    view.Graph().Shade(SShading{0, a, b, {}});
    const QImage img = Render(500, 400, false);
    auto shaded = [](QRgb c) { return qRed(c) == 255 && qGreen(c) == qBlue(c) && qGreen(c) > 120 && qGreen(c) < 250; };
    int inside = 0;
    for (int py = 0; py < 400; py += 3)
        for (int px = 0; px < 500; px += 3) {
            const double x = (px + 0.5 - 250) / 50, curve = 200 - 50 * (x * x - 1), y = py + 0.5;
            const double lo = std::min(curve, 200.0), hi = std::max(curve, 200.0);
            const double slope = 2 * x;  // of the curve in pixels
            if (std::fabs(y - curve) < 2.5 * std::sqrt(1 + slope * slope) || std::fabs(y - 200) < 4 ||
                std::abs(px - 250) < 4 || (y > 200 && y < 222))
                continue;  // the curve's pen, the axes and their labels
            const bool in = x > a && x < b && y > lo && y < hi;
            if (std::fabs(x - a) * 50 >= 2 && std::fabs(x - b) * 50 >= 2) {  // off the limits' columns
                EXPECT_EQ(shaded(img.pixel(px, py)), in) << px << "," << py;
            }
            inside += in;
        }
    EXPECT_GT(inside, 300);
    const QRgb above = img.pixel(static_cast<int>(250 + 50 * -1.8), 170), below = img.pixel(265, 230);
    EXPECT_TRUE(shaded(above) && shaded(below));
    EXPECT_LT(qGreen(above) + 30, qGreen(below));  // stronger above the axis
}

// The legend's swatches have the pens' colours and widths; View > Legend toggles it.
TEST_F(ResultsPicture, LegendSwatchesCarryThePens)
{
    view.Graph().SetShowGrid(false);
    PlotInto(1, "100");   // green, off the picture
    PlotInto(2, "-100");  // blue, three pixels wide, off the picture
    view.Graph().SetPens(view.State().m_aColor, {1, 1, 3, 1, 1});
    auto rows = [](const QImage &img, QRgb colour) {  // rows of the top-right quarter with 20 pixels of the colour
        int n = 0;
        for (int y = 0; y < img.height() / 2; ++y) {
            int run = 0;
            for (int x = img.width() / 2; x < img.width() && run < 20; ++x)
                run = img.pixel(x, y) == colour ? run + 1 : 0;
            n += run == 20;
        }
        return n;
    };
    EXPECT_EQ(rows(Render(500, 400, false), qRgb(0, 128, 0)), 0);
    EXPECT_TRUE(view.HandleCommand(ID_VIEW_LEGEND));
    EXPECT_EQ(view.CommandChecked(ID_VIEW_LEGEND), true);
    const QImage img = Render(500, 400, false);
    EXPECT_EQ(rows(img, qRgb(0, 128, 0)), 1);
    EXPECT_EQ(rows(img, qRgb(0, 0, 255)), 3);
}

// Marks go with their function: a new function in the slot or Clear Graph takes them away.
TEST_F(ResultsPicture, MarksLeaveWithTheirFunction)
{
    Plot({"x", "x^2"});
    view.Graph().Mark(EMarkSource::Roots, {{0, -1, 0, 0, EMarkKind::Root, {}, {}}, {1, -1, 0, 0, EMarkKind::Root, {}, {}}});
    view.Graph().Shade(SShading{1, 0, 1, {}});
    Plot({"x+1", "x+2", "x+3", "x+4"});  // the sixth plot replaces slot 0
    ASSERT_EQ(view.State().m_results.marks.size(), 1u);
    EXPECT_EQ(view.State().m_results.marks[0].slot, 1);
    EXPECT_TRUE(view.State().m_results.shading);
    view.OnClearGraph();
    EXPECT_TRUE(view.State().m_results.Empty());
}

}  // namespace
