#pragma once

#include <QString>
#include <QStringList>

class CCorvantaView;
class QWidget;

// The file types the graph can be exported to.
enum class EExportFormat { Bmp, Png, Svg, Pdf };

// The save dialog's filters, the bitmap first (the default).
QStringList ExportFilters();
// The format for a chosen file: its suffix decides, else the filter chosen.
EExportFormat ExportFormatFor(const QString &strPath, const QString &strFilter);
QString ExportSuffix(EExportFormat format);

// Writes the view's graph to strPath. The picture is complete before the
// file is touched and the file is replaced only when everything was written,
// so a failure leaves an existing file whole. Failures are shown as messages
// naming the file; the result says whether the file was written.
bool ExportGraph(CCorvantaView &view, const QString &strPath, EExportFormat format, QWidget *pMessageParent);

// The bit count of the exported bitmap: the screen's depth.
int ScreenBitCount();
