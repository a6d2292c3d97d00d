#include "gui/output/GraphExport.h"

#include "gui/output/Dib.h"
#include "gui/view/CorvantaView.h"
#include "gui/view/Message.h"

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

// Vector formats are drawn by the renderer itself, at the client size.
bool DrawVector(CCorvantaView &view, QPaintDevice &device, const QSize &size)
{
    QPainter p;
    if (!p.begin(&device))
        return false;
    view.RenderTo(p, QRect(QPoint(0, 0), size));
    return p.end();
}

QByteArray Encode(CCorvantaView &view, EExportFormat format, const QSize &size, QString &strWhy)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool ok = false;
    switch (format) {
    case EExportFormat::Bmp: {
        const CDib dib(view.Picture(), ScreenBitCount());
        ok = dib.Write(buffer);
        if (!ok)
            strWhy = QString::fromLatin1(CDib::kAllocError);
        return ok ? bytes : QByteArray();
    }
    case EExportFormat::Png: {
        const QImage picture = view.Picture();
        ok = !picture.isNull() && picture.save(&buffer, "PNG");
        break;
    }
    case EExportFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(96);
        svg.setTitle(QStringLiteral("Corvanta graph"));
        ok = DrawVector(view, svg, size);
        break;
    }
    case EExportFormat::Pdf: {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(96);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / 96.0, QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setTitle(QStringLiteral("Corvanta graph"));
        pdf.setCreator(QStringLiteral("Corvanta"));
        ok = DrawVector(view, pdf, size);
        break;
    }
    }
    if (!ok)
        strWhy = QString::fromLatin1(CDib::kAllocError);
    return ok ? bytes : QByteArray();
}

}  // namespace

QStringList ExportFilters()
{
    QStringList filters;
    for (const SFormatInfo &info : kFormats)
        filters << QString::fromLatin1(info.pszFilter);
    return filters;
}

EExportFormat ExportFormatFor(const QString &strPath, const QString &strFilter)
{
    const QString suffix = QFileInfo(strPath).suffix().toLower();
    for (const SFormatInfo &info : kFormats)
        if (suffix == QLatin1String(info.pszSuffix))
            return info.format;
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

bool ExportGraph(CCorvantaView &view, const QString &strPath, EExportFormat format, QWidget *pMessageParent)
{
    const QString caption = QStringLiteral("Export to Bitmap");
    const QSize size(std::max(1, view.width()), std::max(1, view.height()));
    QString strWhy;
    const QByteArray bytes = Encode(view, format, size, strWhy);
    if (bytes.isEmpty()) {
        ShowMessage(pMessageParent, Failure(strPath, strWhy), caption, MsgIcon::Stop);
        return false;
    }
    QSaveFile file(strPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        const QString detail = file.errorString();
        ShowMessage(pMessageParent,
                    Failure(strPath, QString::fromLatin1(CDib::kWriteError) + QStringLiteral("\n") + detail),
                    caption, MsgIcon::Stop);
        return false;
    }
    return true;
}
