#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class CCorvantaView;
class QWidget;

// The file types the graph can be exported to.
enum class EExportFormat { Bmp, Png, Svg, Pdf };

// The save dialog's filters, the bitmap first (the default).
QStringList ExportFilters();
// The format for a chosen file: its suffix decides, else the filter chosen.
EExportFormat ExportFormatFor(const QString &strPath, const QString &strFilter);
QString ExportSuffix(EExportFormat format);
// The format a file suffix ("png", any case) names, if any.
std::optional<EExportFormat> ExportFormatOfSuffix(const QString &strSuffix);

// The view's graph at its client size, encoded in the format. Empty, with
// the reason in strWhy, when the picture cannot be made.
QByteArray EncodeGraph(CCorvantaView &view, EExportFormat format, QString &strWhy);

// Writes the view's graph to strPath. The picture is complete before the
// file is touched and the file is replaced only when everything was written,
// so a failure leaves an existing file whole. Returns the failure as a
// message naming the file, empty when the file was written.
QString WriteGraph(CCorvantaView &view, const QString &strPath, EExportFormat format);
// WriteGraph with its failure shown as a message; says whether the file was written.
bool ExportGraph(CCorvantaView &view, const QString &strPath, EExportFormat format, QWidget *pMessageParent);

// The bit count of the exported bitmap: the screen's depth.
int ScreenBitCount();
