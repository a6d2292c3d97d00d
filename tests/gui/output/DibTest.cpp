#include "gui/output/Dib.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QtEndian>

#include <cstdint>
#include <string>

namespace {

std::uint32_t U32(const QByteArray &b, int at) { return qFromLittleEndian<std::uint32_t>(b.constData() + at); }
std::uint16_t U16(const QByteArray &b, int at) { return qFromLittleEndian<std::uint16_t>(b.constData() + at); }

// A picture in colours every bit count keeps exactly: black, white and the
// pure primaries (multiples of 8, so 5-bit channels keep them too).
QImage TestPicture(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, colours[(x * 7 + y * 3) % 5]);
    return img;
}

QImage BlackAndWhite(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, (x + 2 * y) % 3 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    return img;
}

struct LayoutCase {
    const char *name;
    int width, height, bits;
    std::uint32_t fileSize, offset, rowSize;
};

class DibLayout : public ::testing::TestWithParam<LayoutCase> {};

// The header fields, the padded bottom-up rows, and the pixels as another
// reader sees them.
TEST_P(DibLayout, HeaderFieldsAndPixelsReadBack)
{
    const LayoutCase c = GetParam();
    const QImage picture = c.bits == 1 ? BlackAndWhite(c.width, c.height) : TestPicture(c.width, c.height);
    const CDib dib(picture, c.bits);
    const QByteArray file = dib.FileImage();
    ASSERT_EQ(dib.Length(), c.fileSize);
    ASSERT_EQ(static_cast<std::uint32_t>(file.size()), c.fileSize);  // one buffer, its full size
    EXPECT_EQ(file.left(2), "BM");
    EXPECT_EQ(U32(file, 2), c.fileSize);
    EXPECT_EQ(U32(file, 6), 0u);
    EXPECT_EQ(U32(file, 10), c.offset);
    EXPECT_EQ(U32(file, 14), 40u);
    EXPECT_EQ(U32(file, 18), static_cast<std::uint32_t>(c.width));
    EXPECT_EQ(U32(file, 22), static_cast<std::uint32_t>(c.height));
    EXPECT_EQ(U16(file, 26), 1);
    EXPECT_EQ(U16(file, 28), c.bits);
    EXPECT_EQ(U32(file, 30), 0u);
    EXPECT_EQ(U32(file, 34), c.rowSize * c.height);
    for (int at : {38, 42, 46, 50})
        EXPECT_EQ(U32(file, at), 0u) << at;
    EXPECT_EQ(c.offset + c.rowSize * c.height, c.fileSize);

    // Five-bit channels come back as their top five bits.
    const QRgb mask = c.bits == 16 ? 0xF8F8F8 : 0xFFFFFF;
    const QImage back = QImage::fromData(file, "BMP");
    ASSERT_FALSE(back.isNull());
    ASSERT_EQ(back.size(), picture.size());
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            ASSERT_EQ(back.pixel(x, y) & mask, picture.pixel(x, y) & mask) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DibLayout,
    ::testing::Values(LayoutCase{"W500H300Bits24", 500, 300, 24, 450054, 54, 1500},
                      LayoutCase{"W501RowsPaddedTo1504", 501, 300, 24, 54 + 1504 * 300, 54, 1504},
                      LayoutCase{"W500H300Bits8ColourTable", 500, 300, 8, 1078 + 500 * 300, 1078, 500},
                      LayoutCase{"W3Bits32", 3, 2, 32, 54 + 12 * 2, 54, 12},
                      LayoutCase{"W3Bits16", 3, 2, 16, 54 + 8 * 2, 54, 8},
                      LayoutCase{"W9Bits4", 9, 3, 4, 118 + 8 * 3, 118, 8},
                      LayoutCase{"W33Bits1", 33, 3, 1, 62 + 8 * 3, 62, 8}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Dib, TheBitmapIsBottomUpAndThirtyTwoBitPixelsCarryAZeroByte)
{
    QImage picture(2, 2, QImage::Format_ARGB32);
    picture.fill(qRgba(10, 20, 30, 255));
    picture.setPixel(0, 0, qRgba(1, 2, 3, 255));  // top left
    const QByteArray file = CDib(picture, 32).FileImage();
    const int lastRow = 54 + 8;  // the top row is stored last
    EXPECT_EQ(file.mid(lastRow, 4), QByteArray("\x03\x02\x01\x00", 4));
    EXPECT_EQ(file.mid(54, 4), QByteArray("\x1e\x14\x0a\x00", 4));
}

TEST(Dib, DepthsOtherThanTheStoredOnesAreWrittenAt32Bits)
{
    for (int depth : {0, 2, 15, 30, 32, 48})
        EXPECT_EQ(CDib::BitCountForDepth(depth), 32) << depth;
    EXPECT_EQ(CDib(TestPicture(4, 4), 30).BitCount(), 32);
}

TEST(Dib, ANullPictureGivesAnEmptyObjectThatWritesNothing)
{
    const CDib dib(QImage(), 24);
    EXPECT_TRUE(dib.IsEmpty());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_FALSE(dib.Write(buffer));
    EXPECT_TRUE(bytes.isEmpty());
}

// The reader trusts no stored length or offset.
struct DamageCase {
    const char *name;
    int at;          // byte to overwrite (-1: truncate to `value` bytes)
    std::uint32_t value;
    int width;       // 4 or 2 bytes written at `at`
    const char *error;
};

class DibRead : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DibRead, DamagedFilesAreRefused)
{
    const DamageCase c = GetParam();
    QByteArray file = CDib(TestPicture(5, 4), 24).FileImage();
    if (c.at < 0)
        file.truncate(c.value);
    else if (c.width == 2)
        qToLittleEndian<std::uint16_t>(static_cast<std::uint16_t>(c.value), file.data() + c.at);
    else
        qToLittleEndian<std::uint32_t>(c.value, file.data() + c.at);
    CDib dib;
    EXPECT_FALSE(dib.Read(file));
    EXPECT_EQ(dib.Error(), QString::fromLatin1(c.error));
    EXPECT_TRUE(dib.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DibRead,
    ::testing::Values(DamageCase{"NotBM", 0, 0x4D42 + 1, 2, CDib::kInvalidError},
                      DamageCase{"Empty", -1, 0, 4, CDib::kInvalidError},
                      DamageCase{"HeadersCut", -1, 40, 4, CDib::kReadError},
                      DamageCase{"FileSizeBeyondData", 2, 100000, 4, CDib::kReadError},
                      DamageCase{"OffsetBeyondFile", 10, 5000, 4, CDib::kInvalidError},
                      DamageCase{"OffsetInsideHeader", 10, 20, 4, CDib::kInvalidError},
                      DamageCase{"HeaderSizeHuge", 14, 0xFFFFFFF0u, 4, CDib::kInvalidError},
                      DamageCase{"WidthHuge", 18, 0x7FFFFFFF, 4, CDib::kInvalidError},
                      DamageCase{"WidthNegative", 18, 0xFFFFFFFFu, 4, CDib::kInvalidError},
                      DamageCase{"HeightMostNegative", 22, 0x80000000u, 4, CDib::kInvalidError},
                      DamageCase{"RowsBeyondFile", 22, 400, 4, CDib::kInvalidError},
                      DamageCase{"BitCountThree", 28, 3, 2, CDib::kInvalidError},
                      DamageCase{"Compressed", 30, 1, 4, CDib::kInvalidError},
                      DamageCase{"PixelsCut", -1, 80, 4, CDib::kReadError}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Dib, AWrittenFileReadsBackWhole)
{
    const CDib written(TestPicture(7, 3), 24);
    CDib read;
    ASSERT_TRUE(read.Read(written.FileImage() + QByteArray("trailing")));
    EXPECT_EQ(read.FileImage(), written.FileImage());
    EXPECT_EQ(read.BitCount(), 24);
}

}  // namespace
