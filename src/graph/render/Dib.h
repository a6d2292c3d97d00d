#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

class QImage;
class QIODevice;

// A device-independent bitmap held as the complete image of a .bmp file:
// file header, information header, colour table, then the pixel rows
// bottom row first, each padded to a multiple of 4 bytes.
class CDib
{
public:
    static constexpr int kFileHeaderSize = 14;
    static constexpr int kInfoHeaderSize = 40;

    CDib() = default;
    // Builds the file image of picture at nBitCount bits per pixel (1, 4, 8,
    // 16, 24 or 32; any other count is written as 32). The buffer is
    // allocated once at its full size. A picture that cannot be converted
    // leaves the object empty.
    CDib(const QImage &picture, int nBitCount);

    bool IsEmpty() const { return m_dwLength == 0; }
    std::uint32_t Length() const { return m_dwLength; }
    const QByteArray &FileImage() const { return m_buffer; }

    // Writes the whole file image in one write.
    bool Write(QIODevice &file) const;

    // The bit count written for a picture of this depth.
    static int BitCountForDepth(int nDepth);
    static int ColorTableEntries(int nBitCount);
    static std::int64_t RowSize(int nBitCount, std::int64_t nWidth);

    static const char *const kAllocError;
    static const char *const kWriteError;

private:
    std::uint32_t m_dwLength = 0;
    QByteArray m_buffer;
};
