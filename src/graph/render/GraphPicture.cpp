#include "graph/render/GraphPicture.h"

#include "graph/render/Dib.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QScreen>
#include <QSvgGenerator>

namespace {

struct SFormatInfo {
    EExportFormat format;
    const char *pszFilter;
    const char *pszSuffix;
};

const SFormatInfo kFormats[] = {
    {EExportFormat::Bmp, "Bitmap Image(*.bmp)", "bmp"},
    {EExportFormat::Png, "PNG Image(*.png)", "png"},
    {EExportFormat::Svg, "SVG Drawing(*.svg)", "svg"},
    {EExportFormat::Pdf, "PDF Document(*.pdf)", "pdf"},
};

QString Failure(const QString &strPath, const QString &strWhy)
{
    return QDir::toNativeSeparators(strPath) + QStringLiteral("\n\n") + strWhy;
}

// Vector formats are drawn by the renderer itself, at the picture's size.
bool DrawVector(const SGraphPicture &picture, QPaintDevice &device, const QSize &size)
{
    QPainter p;
    if (!p.begin(&device))
        return false;
    picture.draw(p, QRect(QPoint(0, 0), size));
    return p.end();
}

}  // namespace

QByteArray EncodeGraph(const SGraphPicture &picture, EExportFormat format, QString &strWhy)
{
    const QSize size = picture.size.expandedTo(QSize(1, 1));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool ok = false;
    switch (format) {
    case EExportFormat::Bmp: {
        const CDib dib(picture.bitmap, ScreenBitCount());
        ok = dib.Write(buffer);
        if (!ok)
            strWhy = QString::fromLatin1(CDib::kAllocError);
        return ok ? bytes : QByteArray();
    }
    case EExportFormat::Png: {
        ok = !picture.bitmap.isNull() && picture.bitmap.save(&buffer, "PNG");
        break;
    }
    case EExportFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(96);
        svg.setTitle(QStringLiteral("Corvanta graph"));
        ok = DrawVector(picture, svg, size);
        break;
    }
    case EExportFormat::Pdf: {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(96);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / 96.0, QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setTitle(QStringLiteral("Corvanta graph"));
        pdf.setCreator(QStringLiteral("Corvanta"));
        ok = DrawVector(picture, pdf, size);
        break;
    }
    }
    if (!ok)
        strWhy = QString::fromLatin1(CDib::kAllocError);
    return ok ? bytes : QByteArray();
}

QStringList ExportFilters()
{
    QStringList filters;
    for (const SFormatInfo &info : kFormats)
        filters << QString::fromLatin1(info.pszFilter);
    return filters;
}

std::optional<EExportFormat> ExportFormatOfSuffix(const QString &strSuffix)
{
    const QString suffix = strSuffix.toLower();
    for (const SFormatInfo &info : kFormats)
        if (suffix == QLatin1String(info.pszSuffix))
            return info.format;
    return std::nullopt;
}

EExportFormat ExportFormatFor(const QString &strPath, const QString &strFilter)
{
    if (const std::optional<EExportFormat> format = ExportFormatOfSuffix(QFileInfo(strPath).suffix()))
        return *format;
    for (const SFormatInfo &info : kFormats)
        if (strFilter == QLatin1String(info.pszFilter))
            return info.format;
    return EExportFormat::Bmp;
}

QString ExportSuffix(EExportFormat format)
{
    for (const SFormatInfo &info : kFormats)
        if (info.format == format)
            return QString::fromLatin1(info.pszSuffix);
    return QStringLiteral("bmp");
}

int ScreenBitCount()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return CDib::BitCountForDepth(screen ? screen->depth() : 32);
}

QString WriteGraph(const SGraphPicture &picture, const QString &strPath, EExportFormat format)
{
    QString strWhy;
    const QByteArray bytes = EncodeGraph(picture, format, strWhy);
    if (bytes.isEmpty())
        return Failure(strPath, strWhy);
    // Unbuffered: a buffered write that fails only when it is flushed (the
    // disk full) is not reported by commit(), which would then put a
    // truncated picture in place of the old file.
    QSaveFile file(strPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size() ||
        !file.flush() || file.size() != bytes.size() || !file.commit()) {
        const QString detail = file.errorString();
        file.cancelWriting();
        return Failure(strPath, QString::fromLatin1(CDib::kWriteError) + QStringLiteral("\n") + detail);
    }
    return {};
}
