// One full update of the live tangent at 1920 x 1080: the tangent and the
// bar texts at the mouse column, then the window painted from the picture
// with the cursor line and the tangent.
#include "gui/view/CorvantaView.h"

#include <benchmark/benchmark.h>

#include <QPainter>

namespace {

void BM_TangentUpdate(benchmark::State &state)
{
    const int w = 1920, h = 1080;
    CCorvantaView view;
    view.resize(w, h);
    view.Graph().Plot("sin(x)*x^2");
    view.OnTangent();
    QImage window(w, h, QImage::Format_RGB32);
    int column = 0;
    for (auto _ : state) {
        view.TrackMouse(QPoint(column, h / 2));
        QPainter p(&window);
        view.PaintWindow(p, QRect(0, 0, w, h));
        column = (column + 7) % w;
    }
}

}  // namespace

BENCHMARK(BM_TangentUpdate)->Unit(benchmark::kMillisecond);
