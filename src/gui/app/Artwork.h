#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures are drawn in code: toolbar images, the application
// icon, the splash picture and the About box picture.

// Toolbar image of a command (16 x 16 design, crisp at larger sizes too);
// a null icon for commands without one.
QIcon CommandIcon(int nId);

// Application and document icon.
QIcon AppIcon();
QPixmap AppPixmap(int nSize);

// Splash picture (the full splash window) and the About box picture.
QPixmap SplashPixmap(int nWidth, int nHeight);
QPixmap AboutPixmap(int nSize);
