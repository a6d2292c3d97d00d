// The bitmap file: header fields, padded bottom-up rows, and a reader that trusts nothing.
#include "gui/output/Dib.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
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
        EXPECT_EQ(U32(file, 14), 40u);
        EXPECT_EQ(U32(file, 34), c.rowSize * c.height);
        const QRgb mask = c.bits == 16 ? 0xF8F8F8 : 0xFFFFFF;  // five-bit channels keep their top bits
        const QImage back = QImage::fromData(file, "BMP");
        ASSERT_EQ(back.size(), picture.size());
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                ASSERT_EQ(back.pixel(x, y) & mask, picture.pixel(x, y) & mask) << x << "," << y;
    }
}

TEST(Dib, TheBitmapIsBottomUpAndThirtyTwoBitPixelsCarryAZeroByte)
{
    QImage picture(2, 2, QImage::Format_ARGB32);
    picture.fill(qRgba(10, 20, 30, 255));
    picture.setPixel(0, 0, qRgba(1, 2, 3, 255));  // top left, stored last
    const QByteArray file = CDib(picture, 32).FileImage();
    EXPECT_EQ(file.mid(54 + 8, 4), QByteArray("\x03\x02\x01\x00", 4));
    EXPECT_EQ(file.mid(54, 4), QByteArray("\x1e\x14\x0a\x00", 4));
    for (int depth : {0, 2, 15, 30, 48})  // other depths are written at 32 bits
        EXPECT_EQ(CDib::BitCountForDepth(depth), 32) << depth;
}

TEST(Dib, ANullPictureWritesNothingAndAWrittenFileReadsBackWhole)
{
    const CDib empty(QImage(), 24);
    EXPECT_TRUE(empty.IsEmpty());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_FALSE(empty.Write(buffer));
    EXPECT_TRUE(bytes.isEmpty());

    const CDib written(TestPicture(7, 3), 24);
    CDib read;
    ASSERT_TRUE(read.Read(written.FileImage() + QByteArray("trailing")));
    EXPECT_EQ(read.FileImage(), written.FileImage());
}

// The reader trusts no stored length or offset.
TEST(Dib, DamagedFilesAreRefused)
{
    const struct { const char *name; int at; std::uint32_t value; int width; const char *error; } cases[] = {
        {"not BM", 0, 0x4D43, 2, CDib::kInvalidError},  // at -1: cut to `value` bytes
        {"empty", -1, 0, 4, CDib::kInvalidError},
        {"headers cut", -1, 40, 4, CDib::kReadError},
        {"file size beyond data", 2, 100000, 4, CDib::kReadError},
        {"offset beyond file", 10, 5000, 4, CDib::kInvalidError},
        {"offset inside header", 10, 20, 4, CDib::kInvalidError},
        {"header size huge", 14, 0xFFFFFFF0u, 4, CDib::kInvalidError},
        {"width huge", 18, 0x7FFFFFFF, 4, CDib::kInvalidError},
        {"width negative", 18, 0xFFFFFFFFu, 4, CDib::kInvalidError},
        {"height most negative", 22, 0x80000000u, 4, CDib::kInvalidError},
        {"rows beyond file", 22, 400, 4, CDib::kInvalidError},
        {"bit count three", 28, 3, 2, CDib::kInvalidError},
        {"compressed", 30, 1, 4, CDib::kInvalidError},
        {"pixels cut", -1, 80, 4, CDib::kReadError},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
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
}

}  // namespace
