#pragma once

#include <QString>

// The help page of keyboard shortcuts, made from the command table each time
// it is shown, so it always lists the keys the program really has.
QString ShortcutsPageHtml();
