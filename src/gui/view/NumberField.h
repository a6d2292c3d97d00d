#pragma once

#include <QString>

class QLineEdit;

// The number fields of every dialog: a field holds a number only when its
// whole text is one (blanks around it allowed) or a constant expression
// such as "pi/2", read as the command line reads its numbers; anything else is refused with the framework's message
// and the field gets the focus.

// A number as a field shows it: up to 15 significant digits.
QString NumberFieldText(double value);

// Reads a field into value; false (after the message) when it holds no number.
bool ReadNumberField(QLineEdit *edit, double &value);
// The same, and the value must lie in [min, max].
bool ReadNumberField(QLineEdit *edit, double &value, double min, double max);
