#include "gui/app/LockKeyWatcher.h"

#include <QGuiApplication>

#ifdef CORVANTA_HAVE_X11
#include <QtGui/qguiapplication_platform.h>
// X11 headers last: they define macros that clash with Qt names.
#include <X11/XKBlib.h>
#endif

unsigned int LockKeyState()
{
    unsigned int nState = 0;
#ifdef CORVANTA_HAVE_X11
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        if (auto *pX11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
            if (Display *pDisplay = pX11->display())
                XkbGetIndicatorState(pDisplay, XkbUseCoreKbd, &nState);
#endif
    return nState & 7u;
}
