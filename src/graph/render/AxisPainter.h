#pragma once

#include <QRect>

class CViewState;
class QPainter;

// Grid, axes, ticks and labels at round values (AxisTicks.h): 1-2-5 steps
// about 100 pixels apart, x in multiples of pi when the view asks for it.
// Labels never collide with each other or with the other axis, and stay
// inside the area where an axis lies on its edge.
void DrawReadableAxes(QPainter &p, const CViewState &view, const QRect &area, double k);
