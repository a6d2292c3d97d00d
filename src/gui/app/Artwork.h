#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures are SVG files compiled in as resources: toolbar
// images, the application icon, the splash picture and the About box picture.

// Toolbar image of a command: the desktop theme's icon for the standard
// commands when the theme has one, ours otherwise; a null icon for commands
// without a picture.
QIcon CommandIcon(int nId);

// Application and document icon.
QIcon AppIcon();
QPixmap AppPixmap(int nSize);

// Splash picture (the full splash window) and the About box picture.
QPixmap SplashPixmap(int nWidth, int nHeight);
QPixmap AboutPixmap(int nSize);
