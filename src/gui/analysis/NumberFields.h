#pragma once

#include "gui/view/NumberField.h"

#include <functional>

class QDialog;

// How a command runs one of its modal dialogs: exec() by default; tests
// fill the fields and press the buttons instead.
using DialogRunner = std::function<int(QDialog &)>;
int RunDialog(QDialog &dialog, const DialogRunner &run);
