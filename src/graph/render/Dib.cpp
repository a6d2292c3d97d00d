#include "graph/render/Dib.h"

#include <QIODevice>
#include <QImage>
#include <QtEndian>

#include <cstring>
#include <limits>

const char *const CDib::kAllocError = "Unable to allocate DIB memory";
const char *const CDib::kWriteError = "Write error--possible disk full condition";

namespace {

void Put16(char *p, std::uint16_t v) { qToLittleEndian(v, p); }
void Put32(char *p, std::uint32_t v) { qToLittleEndian(v, p); }

// The sixteen colours of the classic 4-bit palette.
QList<QRgb> SixteenColours()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

// The picture in the layout of one stored row per scan line, left to right.
QImage ConvertFor(const QImage &picture, int nBitCount)
{
    const auto flags = Qt::ThresholdDither | Qt::AvoidDither;
    switch (nBitCount) {
    case 1: return picture.convertToFormat(QImage::Format_Mono, flags);
    case 4: return picture.convertToFormat(QImage::Format_Indexed8, SixteenColours(), flags);
    case 8: return picture.convertToFormat(QImage::Format_Indexed8, flags);
    case 16: return picture.convertToFormat(QImage::Format_RGB555);
    case 24: return picture.convertToFormat(QImage::Format_BGR888);
    default: return picture.convertToFormat(QImage::Format_RGB32);
    }
}

void StoreRow(const QImage &image, int nBitCount, int y, char *dest)
{
    const uchar *src = image.constScanLine(y);
    const int w = image.width();
    switch (nBitCount) {
    case 1: std::memcpy(dest, src, static_cast<std::size_t>((w + 7) / 8)); break;
    case 4:
        for (int x = 0; x < w; ++x)
            dest[x / 2] = static_cast<char>(dest[x / 2] | ((src[x] & 0x0F) << (x % 2 ? 0 : 4)));
        break;
    case 8: std::memcpy(dest, src, static_cast<std::size_t>(w)); break;
    case 16: std::memcpy(dest, src, static_cast<std::size_t>(w) * 2); break;
    case 24: std::memcpy(dest, src, static_cast<std::size_t>(w) * 3); break;
    default:
        // Blue, green, red and a zero byte, whatever the picture's alpha.
        for (int x = 0; x < w; ++x)
            Put32(dest + 4 * x, reinterpret_cast<const QRgb *>(src)[x] & 0x00FFFFFFu);
        break;
    }
}

}  // namespace

int CDib::BitCountForDepth(int nDepth)
{
    switch (nDepth) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24: return nDepth;
    default: return 32;
    }
}

int CDib::ColorTableEntries(int nBitCount)
{
    switch (nBitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

std::int64_t CDib::RowSize(int nBitCount, std::int64_t nWidth) { return (nBitCount * nWidth + 31) / 32 * 4; }

CDib::CDib(const QImage &picture, int nBitCount)
{
    if (picture.isNull())
        return;
    const int bits = BitCountForDepth(nBitCount);
    const QImage image = ConvertFor(picture, bits);
    if (image.isNull())
        return;
    const int w = image.width(), h = image.height();
    const int entries = ColorTableEntries(bits);
    const std::int64_t offset = kFileHeaderSize + kInfoHeaderSize + 4 * entries;
    const std::int64_t rowSize = RowSize(bits, w);
    const std::int64_t imageSize = rowSize * h;
    const std::int64_t length = offset + imageSize;
    // The whole file image at once, so nothing points into a buffer that moves.
    if (length > std::numeric_limits<std::int32_t>::max())
        return;
    m_buffer = QByteArray(static_cast<qsizetype>(length), '\0');
    char *p = m_buffer.data();

    p[0] = 'B';
    p[1] = 'M';
    Put32(p + 2, static_cast<std::uint32_t>(length));
    Put32(p + 10, static_cast<std::uint32_t>(offset));
    char *info = p + kFileHeaderSize;
    Put32(info + 0, kInfoHeaderSize);
    Put32(info + 4, static_cast<std::uint32_t>(w));
    Put32(info + 8, static_cast<std::uint32_t>(h));
    Put16(info + 12, 1);
    Put16(info + 14, static_cast<std::uint16_t>(bits));
    Put32(info + 20, static_cast<std::uint32_t>(imageSize));

    const QList<QRgb> table = image.colorTable();
    char *colours = info + kInfoHeaderSize;
    for (int i = 0; i < entries && i < table.size(); ++i) {
        colours[4 * i] = static_cast<char>(qBlue(table[i]));
        colours[4 * i + 1] = static_cast<char>(qGreen(table[i]));
        colours[4 * i + 2] = static_cast<char>(qRed(table[i]));
    }
    char *pixels = p + offset;
    for (int y = 0; y < h; ++y)
        StoreRow(image, bits, h - 1 - y, pixels + y * rowSize);

    m_dwLength = static_cast<std::uint32_t>(length);
}

bool CDib::Write(QIODevice &file) const
{
    return !IsEmpty() && file.write(m_buffer.constData(), m_dwLength) == static_cast<qint64>(m_dwLength);
}
