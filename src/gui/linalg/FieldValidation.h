#pragma once

#include <optional>

class QLineEdit;
class QWidget;

// Reading dialog fields with the validation messages of the dialogs' data
// exchange. Each shows its message (and returns nothing) when the field's
// text is not a value in range. Numbers are read the same in every locale.
std::optional<int> ReadIntegerField(QWidget *parent, const QLineEdit *pField, int nMin, int nMax);
