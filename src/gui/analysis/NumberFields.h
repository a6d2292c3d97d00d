#pragma once

#include <QString>

#include <functional>

class QDialog;
class QLineEdit;

// The data exchange of a dialog's number fields: a field holds a number only
// when its whole text is one (blanks around it allowed); anything else is
// refused with the framework's message and the field gets the focus.

// A number as a field shows it: up to 15 significant digits.
QString NumberFieldText(double value);

// Reads a field into value; false (after the message) when it holds no number.
bool ReadNumberField(QLineEdit *edit, double &value);
// The same, and the value must lie in [min, max].
bool ReadNumberField(QLineEdit *edit, double &value, double min, double max);

// How a command runs one of its modal dialogs: exec() by default; tests
// fill the fields and press the buttons instead.
using DialogRunner = std::function<int(QDialog &)>;
int RunDialog(QDialog &dialog, const DialogRunner &run);
