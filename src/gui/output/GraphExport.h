#pragma once

#include "graph/render/GraphPicture.h"

class CCorvantaView;
class QWidget;

// The view's graph as exported: its picture as on screen, redrawn at the
// client size for the vector formats.
SGraphPicture PictureOf(CCorvantaView &view);

// Writes the view's graph (see WriteGraph) with its failure shown as a
// message; says whether the file was written.
bool ExportGraph(CCorvantaView &view, const QString &strPath, EExportFormat format, QWidget *pMessageParent);
