#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QColor;
class QPainter;

// The file types the graph can be exported to.
enum class EExportFormat { Bmp, Png, Svg, Pdf };

// The save dialog's filters, the bitmap first (the default).
QStringList ExportFilters();
// The format for a chosen file: its suffix decides, else the filter chosen.
EExportFormat ExportFormatFor(const QString &strPath, const QString &strFilter);
QString ExportSuffix(EExportFormat format);
// The format a file suffix ("png", any case) names, if any.
std::optional<EExportFormat> ExportFormatOfSuffix(const QString &strSuffix);

// A graph to be exported: its bitmap as shown, and a way to draw it again on
// any painter at its size for the vector formats.
struct SGraphPicture
{
    QImage bitmap;
    QSize size;
    std::function<void(QPainter &, const QRect &)> draw;
};

// The picture encoded in the format. Empty, with the reason in strWhy, when
// it cannot be made.
QByteArray EncodeGraph(const SGraphPicture &picture, EExportFormat format, QString &strWhy);

// Writes the picture to strPath. The picture is complete before the file is
// touched and the file is replaced only when everything was written, so a
// failure leaves an existing file whole. Returns the failure as a message
// naming the file, empty when the file was written.
QString WriteGraph(const SGraphPicture &picture, const QString &strPath, EExportFormat format);

// The bit count of the exported bitmap: the screen's depth.
int ScreenBitCount();
