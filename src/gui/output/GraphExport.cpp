#include "gui/output/GraphExport.h"

#include "gui/common/Message.h"
#include "gui/view/CorvantaView.h"

#include <algorithm>

SGraphPicture PictureOf(CCorvantaView &view)
{
    SGraphPicture picture;
    picture.bitmap = view.Picture();
    picture.size = QSize(std::max(1, view.width()), std::max(1, view.height()));
    picture.draw = [&view](QPainter &p, const QRect &area) { view.RenderTo(p, area); };
    return picture;
}

bool ExportGraph(CCorvantaView &view, const QString &strPath, EExportFormat format, QWidget *pMessageParent)
{
    const QString failure = WriteGraph(PictureOf(view), strPath, format);
    if (failure.isEmpty())
        return true;
    ShowMessage(pMessageParent, failure, QStringLiteral("Export to Bitmap"), MsgIcon::Stop);
    return false;
}
