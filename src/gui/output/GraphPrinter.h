#pragma once

class CCorvantaView;
class QPagedPaintDevice;
class QPainter;
class QRect;

// Draws the graph on one printed page: a frame around the printable area,
// the grid at the print scale k = page width / client width, and every
// curve sampled at the printer's resolution. The pans are not scaled.
void PrintGraph(CCorvantaView &view, QPainter &p, const QRect &page);
// Prints the graph as one page on a printer (or a PDF file).
bool PrintGraph(CCorvantaView &view, QPagedPaintDevice &printer);
