#pragma once

class CCorvantaView;
class QWidget;

// The integration command: asks function, limits, width and rule, computes
// the integral of the view's compiled function (with progress and Cancel
// when it takes long) and shows the number. Reversed limits bring the
// dialog back with the values just entered.
void RunIntegrateCommand(CCorvantaView &view, QWidget *parent);
