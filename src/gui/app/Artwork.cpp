#include "gui/app/Artwork.h"

#include "gui/common/CommandIds.h"

#include <QPainter>
#include <QSvgRenderer>

// The resources live in a static library, so nothing pulls their registration
// in by itself; every loader below registers them first.
static void LoadResources()
{
    static const bool bLoaded = [] {
        Q_INIT_RESOURCE(corvanta);
        return true;
    }();
    (void)bLoaded;
}

namespace {

struct SCommandPicture {
    int nId;
    const char *pszFile;   // res/icons/<file>.svg
    const char *pszTheme;  // freedesktop icon name of a standard command, or nullptr
};

constexpr SCommandPicture kPictures[] = {
    {ID_FILE_NEW, "new", "document-new"},
    {ID_FILE_OPEN, "open", "document-open"},
    {ID_FILE_SAVE, "save", "document-save"},
    {ID_EXPORT_BITMAP, "export-bitmap", nullptr},
    {ID_FILE_PRINT, "print", "document-print"},
    {ID_EDIT_COPY, "copy-graph", "edit-copy"},
    {ID_COPY_FUNCTION, "copy-function", nullptr},
    {ID_EDIT_PASTE, "paste-function", "edit-paste"},
    {ID_VIEW_ZOOM_TOOLBAR, "zoom-toolbar", nullptr},
    {ID_ANALYZE, "analyze", nullptr},
    {ID_DOMAIN_SUBSTITUTION, "domain-substitution", nullptr},
    {ID_TRACE, "trace", nullptr},
    {ID_TANGENT, "tangent", nullptr},
    {ID_INTEGRATE, "integrate", nullptr},
    {ID_DIFFERENTIATE, "differentiate", nullptr},
    {ID_SHOW_GRID, "grid", nullptr},
    {ID_GRAPH_ATTRIBUTES, "graph-attributes", nullptr},
    {ID_CLEAR_GRAPH, "clear-graph", nullptr},
    {ID_EXTENDED_TOOLS, "extended-tools", nullptr},
    {ID_HELP_CONTENTS, "help", "help-contents"},
    {ID_ZOOM_IN_X, "zoom-in-x", nullptr},
    {ID_ZOOM_OUT_X, "zoom-out-x", nullptr},
    {ID_ZOOM_IN_Y, "zoom-in-y", nullptr},
    {ID_ZOOM_OUT_Y, "zoom-out-y", nullptr},
    {ID_ZOOM_IN, "zoom-in", "zoom-in"},
    {ID_ZOOM_OUT, "zoom-out", "zoom-out"},
    {ID_SQUARE_UNITS, "square-units", nullptr},
    {ID_AUTOSCALE, "autoscale", nullptr},
    {ID_ZOOM_AREA, "zoom-area", nullptr},
    {ID_CENTER, "center", nullptr},
    {ID_FULLSCREEN, "fullscreen", nullptr},
};

QPixmap Render(const QString &strFile, int nWidth, int nHeight)
{
    LoadResources();
    QPixmap pm(nWidth, nHeight);
    pm.fill(Qt::transparent);
    QSvgRenderer svg(strFile);
    QPainter p(&pm);
    svg.render(&p);
    return pm;
}

}  // namespace

QIcon CommandIcon(int nId)
{
    for (const SCommandPicture &pic : kPictures) {
        if (pic.nId != nId)
            continue;
        LoadResources();
        const QIcon ours(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(pic.pszFile)));
        return pic.pszTheme ? QIcon::fromTheme(QLatin1String(pic.pszTheme), ours) : ours;
    }
    return {};
}

QIcon AppIcon()
{
    LoadResources();
    return QIcon(QStringLiteral(":/corvanta.svg"));
}

QPixmap AppPixmap(int nSize) { return Render(QStringLiteral(":/corvanta.svg"), nSize, nSize); }
QPixmap SplashPixmap(int nWidth, int nHeight) { return Render(QStringLiteral(":/splash.svg"), nWidth, nHeight); }
QPixmap AboutPixmap(int nSize) { return AppPixmap(nSize); }
