#include "gui/analysis/NumberFields.h"

#include <QDialog>

int RunDialog(QDialog &dialog, const DialogRunner &run) { return run ? run(dialog) : dialog.exec(); }
