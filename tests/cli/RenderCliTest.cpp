#include "cli/CliRunner.h"

#include "gui/GuiFixtures.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cmath>

namespace {

class RenderCli : public ViewFixture
{
protected:
    QString Path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    QImage Picture() const { return view.Picture().convertToFormat(QImage::Format_RGB32); }
    // The picture a command wrote, in the view's pixel format.
    QImage Written(const char *name) const { return QImage(Path(name)).convertToFormat(QImage::Format_RGB32); }

    QTemporaryDir dir;
};

// A saved document drawn by the command is the window's picture of it.
TEST_F(RenderCli, RenderIsTheViewsPicturePixelForPixel)
{
    CCorvantaDoc doc;
    host.doc = &doc;
    doc.SetGraph(&view.Graph());
    view.Graph().SetAxisLabels(true, false);  // the window's and the command's default
    view.resize(333, 217);
    Plot({"a*sin(x)*3", "x^2/4-2"});
    view.OnDifferentiate();
    view.OnZoomOutX();
    view.Graph().Pan(17, -9);
    // What the file's own section holds is drawn too.
    ASSERT_TRUE(view.Graph().SetParameter('a', SParameter{0.7, -5, 5, 0.1}));
    view.Graph().SetShowLegend(true);
    view.Redraw();
    ASSERT_TRUE(doc.SaveAs(Path("graph.cva")));
    QImage blank(Picture().size(), QImage::Format_RGB32);
    blank.fill(Picture().pixel(0, 0));
    ASSERT_NE(Picture(), blank);

    const SCliRun run = RunCli({"render", Path("graph.cva"), "-o", Path("out.png"), "--size", "333x217"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(Written("out.png") == Picture());
}

// The functions plotted as the Plot command plots them, the typed domain and
// range applied as the range fields apply them.
TEST_F(RenderCli, PlotIsThePlotCommandsPicture)
{
    view.resize(300, 200);
    view.Graph().SetAxisLabels(true, true);
    SetFields("-3", "3", "-2", "5");
    view.OnRangeFieldFocus();
    Plot({"sin(x)", "x^3/4"});
    ASSERT_TRUE(prompts.shown.empty());
    const SCliRun run = RunCli({"plot", "sin(x)", "X^3/4", "--domain", "-3", "3", "--range", "-2", "5", "-o",
                                Path("plot.png"), "--size", "300x200", "--axes", "pi"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Written("plot.png") == Picture());
}

// A list of values draws one curve for each, in the pens of slots 0, 1, 2.
TEST_F(RenderCli, ParamListDrawsAFamilyInItsOwnPens)
{
    const SCliRun run =
        RunCli({"plot", "a*sin(x)", "--param", "a=1,2,3", "-o", Path("family.png"), "--size", "500x400"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QImage img = Written("family.png");
    // 50 pixels a unit about the centre, as the first curve (a = 1) autoscales.
    const int col = static_cast<int>(std::lround(250 + 50 * std::acos(-1.0) / 2));
    const std::array<ColorRef, CGraph::kSlots> &pens = view.Graph().State().m_aColor;
    for (int a = 1; a <= 3; ++a) {
        SCOPED_TRACE(a);
        const ColorRef pen = pens[static_cast<std::size_t>(a - 1)];
        int found = 0;
        for (int dy = -2; dy <= 2; ++dy) {
            const QRgb c = img.pixel(col, 200 - 50 * a + dy);
            found += std::abs(qRed(c) - int(ColorRefRed(pen))) + std::abs(qGreen(c) - int(ColorRefGreen(pen))) +
                         std::abs(qBlue(c) - int(ColorRefBlue(pen))) < 100;
        }
        EXPECT_GT(found, 0);
    }
}

// What the window refuses, the command refuses with the same words.
TEST_F(RenderCli, RefusalsSayWhatTheWindowSays)
{
    const struct
    {
        const char *function;
        QStringList fields;  // x min, x max, y min, y max
    } cases[] = {{"sin(x", {"", "", "", ""}}, {"x", {"", "", "0", "1e-300"}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.fields.join(' ').toStdString());
        prompts.Clear();
        CFakeHost window;
        CCorvantaView fresh;
        fresh.SetHost(&window);
        fresh.resize(640, 480);
        for (int i = 0; i < 4; ++i)
            window.fields[IDC_X_MIN + i] = c.fields[i];
        fresh.OnRangeFieldFocus();
        window.edit = QString::fromLatin1(c.function);
        fresh.OnPlot();
        ASSERT_FALSE(prompts.shown.empty());
        QStringList args{"plot", c.function, "-o", Path("refused.png")};
        if (!c.fields[0].isEmpty())
            args << "--domain" << c.fields[0] << c.fields[1];
        if (!c.fields[2].isEmpty())
            args << "--range" << c.fields[2] << c.fields[3];
        const SCliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, prompts.shown.back().text.toStdString() + "\n");
    }
    EXPECT_FALSE(QFile::exists(Path("refused.png")));
}

// A root found over the visible domain is marked at its mapped pixel; a
// refused integral fails as the integrate command fails; bad options are usage errors.
TEST_F(RenderCli, FiguresCarryMarksAndShadingOrRefuseThem)
{
    SCliRun run = RunCli({"plot", "sin(x)", "--mark", "roots", "--mark", "extrema", "-o", Path("marks.png"), "--size",
                          "500x400"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QImage img = Written("marks.png");
    const int col = static_cast<int>(250 + 50 * std::acos(-1.0));  // the root pi, on the axis row 200
    EXPECT_EQ(img.pixel(col, 200), qRgb(255, 0, 0));
    EXPECT_GT(qRed(img.pixel(col, 196)), 200);
    EXPECT_LT(qGreen(img.pixel(col, 196)), 100);

    const SCliRun integral = RunCli({"integrate", "1/x", "-1", "1"});
    run = RunCli({"plot", "1/x", "--shade", "-1", "1", "-o", Path("pole.png")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, integral.err);
    EXPECT_FALSE(QFile::exists(Path("pole.png")));
    for (const QStringList &usage : {QStringList{"--rule", "simpson"}, {"--mark", "poles"}, {"--shade", "1", "x"},
                                     {"--shade", "0", "1", "--step", "2"}}) {
        SCOPED_TRACE(usage.join(' ').toStdString());
        EXPECT_EQ(RunCli(QStringList{"plot", "x", "-o", Path("usage.png")} + usage).exitCode, 2);
    }
}

}  // namespace
