// The files the graph goes to: the bitmap's own writer, each export format read
// back, failures that leave the old file whole, and the printed page.
#include "gui/GuiFixtures.h"
#include "graph/render/Dib.h"
#include "gui/output/GraphExport.h"
#include "gui/output/GraphPrinter.h"

#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QtEndian>

namespace {

std::uint32_t U32(const QByteArray &b, int at) { return qFromLittleEndian<std::uint32_t>(b.constData() + at); }

// Black, white and pure primaries: every bit count keeps them (1 bit: black and white only).
QImage TestPicture(int w, int h, bool blackAndWhite = false)
{
    QImage img(w, h, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, colours[(x * 7 + y * 3) % (blackAndWhite ? 2 : 5)]);
    return img;
}

// Another reader sees the same pixels; the sizes and offsets are those of the format.
TEST(Dib, HeaderFieldsAndPixelsReadBack)
{
    const struct { int width, height, bits; std::uint32_t offset, rowSize; } cases[] = {
        {500, 300, 24, 54, 1500}, {501, 300, 24, 54, 1504},  // rows padded to four bytes
        {500, 300, 8, 1078, 500}, {3, 2, 32, 54, 12}, {3, 2, 16, 54, 8}, {9, 3, 4, 118, 8}, {33, 3, 1, 62, 8},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.bits));
        const QImage picture = TestPicture(c.width, c.height, c.bits == 1);
        const QByteArray file = CDib(picture, c.bits).FileImage();
        const std::uint32_t size = c.offset + c.rowSize * c.height;
        ASSERT_EQ(static_cast<std::uint32_t>(file.size()), size);
        EXPECT_EQ(file.left(2), "BM");
        EXPECT_EQ(U32(file, 2), size);
        EXPECT_EQ(U32(file, 10), c.offset);
        EXPECT_EQ(U32(file, 34), c.rowSize * c.height);
        const QRgb mask = c.bits == 16 ? 0xF8F8F8 : 0xFFFFFF;  // five-bit channels keep their top bits
        const QImage back = QImage::fromData(file, "BMP");
        ASSERT_EQ(back.size(), picture.size());
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                ASSERT_EQ(back.pixel(x, y) & mask, picture.pixel(x, y) & mask) << x << "," << y;
    }
}

TEST(Dib, ThirtyTwoBitPixelsCarryAZeroByteAndOtherDepthsAreWrittenAtThirtyTwoBits)
{
    QImage picture(1, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(1, 2, 3, 255));
    EXPECT_EQ(CDib(picture, 32).FileImage().mid(54, 4), QByteArray("\x03\x02\x01\x00", 4));
    for (int depth : {0, 2, 15, 30, 48})
        EXPECT_EQ(CDib::BitCountForDepth(depth), 32) << depth;
}

class GraphExport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        view.resize(500, 300);
        view.Graph().Plot("sin(x)");
        view.Graph().Plot("x^2/4");
    }
    QString Path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    QString Written(const char *name, EExportFormat format)
    {
        EXPECT_TRUE(ExportGraph(view, Path(name), format, nullptr)) << name;
        return Path(name);
    }
    static int PdfPages(const QByteArray &pdf)
    {
        const auto count = QRegularExpression("/Count (\\d+)\\b").match(QString::fromLatin1(pdf));
        return count.hasMatch() ? count.captured(1).toInt() : 0;
    }

    QTemporaryDir dir;
    CCorvantaView view;
    ScriptedPrompts prompts;
};

TEST_F(GraphExport, EachFormatHoldsTheViewsPicture)
{
    const QImage picture = view.Picture().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(QImage(Written("graph.png", EExportFormat::Png)).convertToFormat(QImage::Format_RGB32), picture);

    const QByteArray bmp = ReadFile(Written("graph.bmp", EExportFormat::Bmp));  // at the screen's depth
    const int bits = ScreenBitCount();
    EXPECT_EQ(bmp.size(), 54 + 4 * CDib::ColorTableEntries(bits) + CDib::RowSize(bits, 500) * 300);
    EXPECT_EQ(qFromLittleEndian<std::uint16_t>(bmp.constData() + 28), bits);
    if (bits >= 24) {
        EXPECT_EQ(QImage::fromData(bmp).convertToFormat(QImage::Format_RGB32), picture);
    }

    QSvgRenderer svg(Written("graph.svg", EExportFormat::Svg));  // curves as paths, labels as text
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox(), QRect(0, 0, 500, 300));
    const QByteArray text = ReadFile(Path("graph.svg"));
    EXPECT_TRUE((text.contains("<path") || text.contains("<polyline")) && text.contains("2.000000"));

    const QByteArray pdf = ReadFile(Written("graph.pdf", EExportFormat::Pdf));
    EXPECT_TRUE(pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(PdfPages(pdf), 1);
    // 500 x 300 pixels at 96 per inch: 375 x 225 points.
    const auto box = QRegularExpression("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]").match(QString::fromLatin1(pdf));
    ASSERT_TRUE(box.hasMatch());
    EXPECT_NEAR(box.captured(1).toDouble(), 375, 1);
    EXPECT_NEAR(box.captured(2).toDouble(), 225, 1);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(GraphExport, FailuresLeaveAnExistingFileWholeAndNameIt)
{
    ASSERT_TRUE(WriteFile(Path("old.bmp"), "previous contents"));
    CCorvantaView unshown;  // never drawn: no pixels to read
    EXPECT_FALSE(ExportGraph(unshown, Path("old.bmp"), EExportFormat::Bmp, nullptr));
    EXPECT_EQ(ReadFile(Path("old.bmp")), "previous contents");
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.contains("old.bmp") && prompts.shown[0].text.contains("Unable to allocate DIB memory"));

    for (const QString &path : {Path("missing/graph.bmp"), dir.path()}) {
        prompts.Clear();
        EXPECT_FALSE(ExportGraph(view, path, EExportFormat::Png, nullptr)) << path.toStdString();
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_TRUE(prompts.shown[0].text.startsWith(QDir::toNativeSeparators(path)));
        EXPECT_TRUE(prompts.shown[0].text.contains("Write error--possible disk full condition"));
    }
    EXPECT_FALSE(QFile::exists(Path("missing")));

    // The disk filling up half way: a picture smaller than a write buffer
    // would only reach the disk at commit, whose failure must still show.
    prompts.Clear();
    EXPECT_FALSE(WithFullDisk([&] { return ExportGraph(view, Path("old.bmp"), EExportFormat::Svg, nullptr); }));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.contains("Write error--possible disk full condition"));
    EXPECT_EQ(ReadFile(Path("old.bmp")), "previous contents");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.bmp"});
}

TEST(ExportFormat, TheSuffixDecidesThenTheFilter)
{
    const QStringList filters = ExportFilters();
    ASSERT_EQ(filters.size(), 4);
    const struct { const char *path; int filter; EExportFormat format; } cases[] = {
        {"a.bmp", 1, EExportFormat::Bmp}, {"a.PNG", 0, EExportFormat::Png}, {"a", 2, EExportFormat::Svg},
        {"a.txt", 0, EExportFormat::Bmp}, {"a", 3, EExportFormat::Pdf}};
    for (const auto &c : cases)
        EXPECT_EQ(ExportFormatFor(c.path, filters[c.filter]), c.format) << c.path;
}

TEST_F(GraphExport, ThePrintedPageHasAFrameTheAxesAndTheCurves)
{
    // A page twice the client's width: k = 2, labels every 200 pixels.
    QImage page(1000, 700, QImage::Format_RGB32);
    page.fill(Qt::gray);
    {
        QPainter p(&page);
        PrintGraph(view, p, page.rect());
    }
    const auto black = [&](int x, int y) { return (page.pixel(x, y) & 0xFFFFFF) == 0; };
    EXPECT_TRUE(black(0, 350) && black(999, 10) && black(500, 699));  // the frame
    EXPECT_TRUE(black(500, 100) && black(100, 350));                  // the axes at the page centre
    int red = 0;
    for (int x = 0; x < 1000; ++x)
        for (int y = 1; y < 699; ++y)
            red += qRed(page.pixel(x, y)) > 200 && qGreen(page.pixel(x, y)) < 100 ? 1 : 0;
    EXPECT_GT(red, 1000);  // sin(x) along the whole width

    QPrinter printer(QPrinter::HighResolution);  // on a printer: one page
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Path("printed.pdf"));
    ASSERT_TRUE(PrintGraph(view, printer));
    EXPECT_EQ(PdfPages(ReadFile(Path("printed.pdf"))), 1);
}

}  // namespace
