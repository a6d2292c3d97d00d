#include "gui/output/Dib.h"
#include "gui/output/GraphExport.h"
#include "gui/output/GraphPrinter.h"

#include "gui/MessageRecorder.h"
#include "gui/view/CorvantaView.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtEndian>

#include <csignal>
#include <string>

#include <sys/resource.h>

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
    static QByteArray Read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    CCorvantaView view;
    MessageRecorder messages;
};

TEST_F(GraphExport, TheBitmapHoldsTheViewsPictureAtTheScreensDepth)
{
    const QString path = Path("graph.bmp");
    ASSERT_TRUE(ExportGraph(view, path, EExportFormat::Bmp, nullptr));
    const QByteArray file = Read(path);
    const int bits = ScreenBitCount();
    const std::int64_t expected = 54 + 4 * CDib::ColorTableEntries(bits) + CDib::RowSize(bits, 500) * 300;
    EXPECT_EQ(file.size(), expected);
    EXPECT_EQ(qFromLittleEndian<std::uint16_t>(file.constData() + 28), bits);
    const QImage back(path);
    const QImage picture = view.Picture();
    ASSERT_EQ(back.size(), QSize(500, 300));
    if (bits >= 24) {
        EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), picture.convertToFormat(QImage::Format_RGB32));
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(GraphExport, PngReadsBackEqualToThePicture)
{
    const QString path = Path("graph.png");
    ASSERT_TRUE(ExportGraph(view, path, EExportFormat::Png, nullptr));
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), view.Picture().convertToFormat(QImage::Format_RGB32));
}

TEST_F(GraphExport, SvgIsAWellFormedDrawingOfTheClientSize)
{
    const QString path = Path("graph.svg");
    ASSERT_TRUE(ExportGraph(view, path, EExportFormat::Svg, nullptr));
    QSvgRenderer svg(path);
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox(), QRect(0, 0, 500, 300));
    // Curves are paths, not pixels; the labels are text.
    const QByteArray text = Read(path);
    EXPECT_TRUE(text.contains("<path") || text.contains("<polyline"));
    EXPECT_TRUE(text.contains("2.000000"));
}

TEST_F(GraphExport, PdfHasOnePageOfTheClientsProportions)
{
    const QString path = Path("graph.pdf");
    ASSERT_TRUE(ExportGraph(view, path, EExportFormat::Pdf, nullptr));
    const QByteArray pdf = Read(path);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 1);
    EXPECT_TRUE(QString::fromLatin1(pdf).contains(QRegularExpression("/Count 1\\b")));
    // 500 x 300 pixels at 96 per inch: 375 x 225 points.
    const auto box = QRegularExpression("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]").match(QString::fromLatin1(pdf));
    ASSERT_TRUE(box.hasMatch());
    EXPECT_NEAR(box.captured(1).toDouble(), 375, 1);
    EXPECT_NEAR(box.captured(2).toDouble(), 225, 1);
}

// The picture is complete before the file is touched: a picture that cannot
// be made leaves an existing file as it was, and says so.
TEST_F(GraphExport, AFailedPictureLeavesAnExistingFileWhole)
{
    const QString path = Path("old.bmp");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("previous contents");
    }
    CCorvantaView unshown;  // never drawn: no pixels to read
    EXPECT_FALSE(ExportGraph(unshown, path, EExportFormat::Bmp, nullptr));
    EXPECT_EQ(Read(path), "previous contents");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains("old.bmp"));
    EXPECT_TRUE(messages.shown[0].text.contains("Unable to allocate DIB memory"));
}

TEST_F(GraphExport, AFileThatCannotBeWrittenIsNamedInTheMessage)
{
    const QString paths[] = {Path("missing/graph.bmp"), dir.path()};
    for (const QString &path : paths) {
        messages.Clear();
        EXPECT_FALSE(ExportGraph(view, path, EExportFormat::Png, nullptr)) << path.toStdString();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_TRUE(messages.shown[0].text.startsWith(QDir::toNativeSeparators(path)));
        EXPECT_TRUE(messages.shown[0].text.contains("Write error--possible disk full condition"));
    }
    EXPECT_FALSE(QFile::exists(Path("missing")));
}

// The disk filling up half way through: the picture (smaller than a write
// buffer) only reaches the disk when the file is committed, and that failure
// must be reported and keep the old file.
TEST_F(GraphExport, AnInterruptedWriteKeepsTheOldFile)
{
    const QString path = Path("kept.svg");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("previous contents");
    }
    struct rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ok = ExportGraph(view, path, EExportFormat::Svg, nullptr);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ok);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains("Write error--possible disk full condition"));
    EXPECT_EQ(Read(path), "previous contents");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.svg"});
}

TEST(ExportFormat, TheSuffixDecidesThenTheFilter)
{
    const QStringList filters = ExportFilters();
    ASSERT_EQ(filters.size(), 4);
    EXPECT_EQ(filters[0], "Bitmap Image(*.bmp)");
    const struct { const char *path; int filter; EExportFormat format; } cases[] = {
        {"a.bmp", 1, EExportFormat::Bmp}, {"a.PNG", 0, EExportFormat::Png}, {"a.svg", 0, EExportFormat::Svg},
        {"a.pdf", 0, EExportFormat::Pdf}, {"a", 2, EExportFormat::Svg},     {"a.txt", 0, EExportFormat::Bmp},
        {"a", 3, EExportFormat::Pdf}};
    for (const auto &c : cases)
        EXPECT_EQ(ExportFormatFor(c.path, filters[c.filter]), c.format) << c.path;
}

TEST_F(GraphExport, APrintedPageIsOnePdfPageWithTheGraphScaledToIt)
{
    const QString path = Path("printed.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    ASSERT_TRUE(PrintGraph(view, printer));
    const QByteArray pdf = Read(path);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(QString::fromLatin1(pdf).contains(QRegularExpression("/Count 1\\b")));
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
    EXPECT_TRUE(black(500, 100));                                     // y axis at page centre
    EXPECT_TRUE(black(100, 350));                                     // x axis
    int red = 0;
    for (int x = 0; x < 1000; ++x)
        for (int y = 1; y < 699; ++y)
            red += qRed(page.pixel(x, y)) > 200 && qGreen(page.pixel(x, y)) < 100 ? 1 : 0;
    EXPECT_GT(red, 1000);  // sin(x) along the whole width
}

}  // namespace
