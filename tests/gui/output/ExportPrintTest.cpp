// Export and print: each file is read back; a failure leaves the old file whole and names it.
#include "gui/GuiFixtures.h"
#include "gui/output/Dib.h"
#include "gui/output/GraphExport.h"
#include "gui/output/GraphPrinter.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QtEndian>

namespace {

class GraphExport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        view.resize(500, 300);
        view.m_aFunctions[0].SetExpression("sin(x)");
        view.m_aFunctions[1].SetExpression("x^2/4");
        view.m_nLast = 1;
        view.Redraw();
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
    MessageRecorder messages;
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
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(GraphExport, FailuresLeaveAnExistingFileWholeAndNameIt)
{
    ASSERT_TRUE(WriteFile(Path("old.bmp"), "previous contents"));
    CCorvantaView unshown;  // never drawn: no pixels to read
    EXPECT_FALSE(ExportGraph(unshown, Path("old.bmp"), EExportFormat::Bmp, nullptr));
    EXPECT_EQ(ReadFile(Path("old.bmp")), "previous contents");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains("old.bmp") && messages.shown[0].text.contains("Unable to allocate DIB memory"));

    for (const QString &path : {Path("missing/graph.bmp"), dir.path()}) {
        messages.Clear();
        EXPECT_FALSE(ExportGraph(view, path, EExportFormat::Png, nullptr)) << path.toStdString();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_TRUE(messages.shown[0].text.startsWith(QDir::toNativeSeparators(path)));
        EXPECT_TRUE(messages.shown[0].text.contains("Write error--possible disk full condition"));
    }
    EXPECT_FALSE(QFile::exists(Path("missing")));
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
