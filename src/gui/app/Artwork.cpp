#include "gui/app/Artwork.h"

#include "gui/view/CommandIds.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <functional>

namespace {

const QColor kInk(40, 40, 48);
const QColor kPaper(252, 252, 246);
const QColor kBlue(38, 96, 196);
const QColor kRed(200, 40, 40);
const QColor kGreen(30, 140, 60);
const QColor kGold(214, 160, 20);

QPen Pen(const QColor &c, qreal w = 1.0)
{
    QPen pen(c, w);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void Page(QPainter &p, const QRectF &r)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 3, r.top());
    path.lineTo(r.right(), r.top() + 3);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(Pen(kInk, 0.8));
    p.setBrush(kPaper);
    p.drawPath(path);
}

void SmallCurve(QPainter &p, const QRectF &r, const QColor &c)
{
    QPainterPath path;
    path.moveTo(r.left(), r.bottom());
    path.cubicTo(r.left() + r.width() * 0.4, r.top() - r.height() * 0.2, r.left() + r.width() * 0.6,
                 r.bottom() + r.height() * 0.2, r.right(), r.top());
    p.setPen(Pen(c, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void Axes(QPainter &p, const QRectF &r)
{
    p.setPen(Pen(kInk, 0.9));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
}

void Text(QPainter &p, const QRectF &r, const QString &s, const QColor &c, qreal size, bool bItalic = false)
{
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(qMax(1, qRound(size)));
    font.setBold(true);
    font.setItalic(bItalic);
    p.setFont(font);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, s);
}

// Magnifier with a sign (+1 in, -1 out, 0 none) and an axis hint
// ('x', 'y' or 0 for both).
void Magnifier(QPainter &p, int nSign, char cAxis)
{
    const QPointF c(6.5, 6.5);
    p.setPen(Pen(kInk, 1.0));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(c, 4.8, 4.8);
    p.setPen(Pen(kInk, 2.2));
    p.drawLine(QPointF(10.0, 10.0), QPointF(14.5, 14.5));
    p.setPen(Pen(nSign > 0 ? kGreen : kRed, 1.4));
    if (nSign != 0) {
        p.drawLine(QPointF(4.3, 6.5), QPointF(8.7, 6.5));
        if (nSign > 0)
            p.drawLine(QPointF(6.5, 4.3), QPointF(6.5, 8.7));
    }
    p.setPen(Pen(kBlue, 1.3));
    if (cAxis == 'x') {
        p.drawLine(QPointF(9.5, 15), QPointF(15, 15));
        p.drawLine(QPointF(13.3, 13.5), QPointF(15, 15));
    } else if (cAxis == 'y') {
        p.drawLine(QPointF(15, 1), QPointF(15, 7));
        p.drawLine(QPointF(13.5, 2.7), QPointF(15, 1));
    }
}

void DrawCommand(QPainter &p, int nId)
{
    switch (nId) {
    case ID_FILE_NEW:
        Page(p, QRectF(3, 1.5, 10, 13));
        p.setPen(Pen(kGold, 1.2));
        p.drawLine(QPointF(12.5, 9), QPointF(12.5, 15));
        p.drawLine(QPointF(9.5, 12), QPointF(15.5, 12));
        break;
    case ID_FILE_OPEN: {
        p.setPen(Pen(kInk, 0.8));
        p.setBrush(QColor(236, 196, 90));
        p.drawRect(QRectF(1, 4, 11, 9.5));
        QPolygonF flap{QPointF(3.5, 7), QPointF(15, 7), QPointF(12, 13.5), QPointF(1, 13.5)};
        p.setBrush(QColor(250, 220, 120));
        p.drawPolygon(flap);
        p.setPen(Pen(kGreen, 1.2));
        p.drawLine(QPointF(11, 4.5), QPointF(13.5, 2));
        p.drawLine(QPointF(13.5, 2), QPointF(15, 4));
        break;
    }
    case ID_FILE_SAVE:
        p.setPen(Pen(kInk, 0.8));
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
        p.setBrush(kPaper);
        p.drawRect(QRectF(4, 1.5, 8, 5));
        p.setBrush(QColor(200, 200, 210));
        p.drawRect(QRectF(4.5, 9, 7, 5.5));
        break;
    case ID_EXPORT_BITMAP:
        p.setPen(Pen(kInk, 0.8));
        p.setBrush(QColor(170, 215, 250));
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setBrush(kGreen);
        p.drawPolygon(QPolygonF{QPointF(1.5, 13.5), QPointF(6, 7), QPointF(9, 10.5), QPointF(11, 8.5),
                                QPointF(14.5, 13.5)});
        p.setBrush(kGold);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(11.5, 5.5), 1.5, 1.5);
        break;
    case ID_FILE_PRINT:
        p.setPen(Pen(kInk, 0.8));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4, 1.5, 8, 5));
        p.setBrush(QColor(160, 160, 170));
        p.drawRoundedRect(QRectF(1.5, 6, 13, 6), 1, 1);
        p.setBrush(kPaper);
        p.drawRect(QRectF(4, 10, 8, 4.5));
        p.setPen(Pen(kGreen, 1.0));
        p.drawPoint(QPointF(12.5, 8));
        break;
    case ID_EDIT_COPY:
        Page(p, QRectF(1.5, 1.5, 9, 10));
        Page(p, QRectF(5.5, 4.5, 9, 10));
        SmallCurve(p, QRectF(7, 7, 6, 6), kRed);
        break;
    case ID_COPY_FUNCTION:
        Page(p, QRectF(1.5, 1.5, 9, 10));
        Page(p, QRectF(5.5, 4.5, 9, 10));
        Text(p, QRectF(5.5, 5, 9, 10), QStringLiteral("f"), kBlue, 10, true);
        break;
    case ID_EDIT_PASTE:
        p.setPen(Pen(kInk, 0.8));
        p.setBrush(QColor(190, 140, 80));
        p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
        p.setBrush(QColor(200, 200, 210));
        p.drawRect(QRectF(4, 1.5, 5, 2.5));
        Page(p, QRectF(6.5, 6, 8, 8.5));
        Text(p, QRectF(6.5, 6, 8, 8.5), QStringLiteral("f"), kBlue, 8, true);
        break;
    case ID_VIEW_ZOOM_TOOLBAR:
        Magnifier(p, 0, 0);
        p.setPen(Pen(kBlue, 1.0));
        p.drawLine(QPointF(3.5, 6.5), QPointF(9.5, 6.5));
        p.drawLine(QPointF(6.5, 3.5), QPointF(6.5, 9.5));
        break;
    case ID_ANALYZE:
        Axes(p, QRectF(1, 1, 14, 14));
        SmallCurve(p, QRectF(2, 3, 12, 10), kRed);
        p.setPen(Pen(kBlue, 2.6));
        p.drawPoint(QPointF(5.6, 6.5));
        p.drawPoint(QPointF(10.4, 9.5));
        break;
    case ID_DOMAIN_SUBSTITUTION:
        p.setPen(Pen(kInk, 0.8));
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(QColor(200, 220, 245));
        p.drawRect(QRectF(1.5, 1.5, 13, 3.5));
        p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
        p.drawLine(QPointF(1.5, 8.3), QPointF(14.5, 8.3));
        p.drawLine(QPointF(1.5, 11.5), QPointF(14.5, 11.5));
        break;
    case ID_TRACE:
        SmallCurve(p, QRectF(1, 2, 14, 12), kRed);
        p.setPen(Pen(kInk, 0.9));
        p.drawLine(QPointF(8, 2), QPointF(8, 14));
        p.drawLine(QPointF(2, 8), QPointF(14, 8));
        p.setPen(Pen(kBlue, 2.8));
        p.drawPoint(QPointF(8, 8));
        break;
    case ID_TANGENT:
        p.setPen(Pen(kRed, 1.3));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2, 4, 12, 20), 0, 180 * 16);
        p.setPen(Pen(kInk, 1.1));
        p.drawLine(QPointF(1, 4), QPointF(15, 4));
        p.setPen(Pen(kBlue, 2.6));
        p.drawPoint(QPointF(8, 4));
        break;
    case ID_INTEGRATE: {
        QPainterPath area;
        area.moveTo(3, 14);
        area.cubicTo(6, 4, 10, 4, 14, 9);
        area.lineTo(14, 14);
        area.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 190, 240));
        p.drawPath(area);
        p.setPen(Pen(kInk, 0.8));
        p.drawLine(QPointF(1, 14.5), QPointF(15, 14.5));
        Text(p, QRectF(0, 0, 10, 14), QString(QChar(0x222B)), kInk, 13, false);
        break;
    }
    case ID_DIFFERENTIATE:
        Text(p, QRectF(0, 0, 16, 16), QStringLiteral("f'"), kBlue, 13, true);
        break;
    case ID_SHOW_GRID:
        p.setPen(Pen(QColor(150, 150, 150), 0.8));
        for (double v = 2.5; v < 15; v += 3.5) {
            p.drawLine(QPointF(v, 1), QPointF(v, 15));
            p.drawLine(QPointF(1, v), QPointF(15, v));
        }
        Axes(p, QRectF(1, 1, 14, 14));
        break;
    case ID_GRAPH_ATTRIBUTES:
        p.setPen(Pen(kRed, 1.2));
        p.drawLine(QPointF(2, 3), QPointF(14, 3));
        p.setPen(Pen(kGreen, 2.0));
        p.drawLine(QPointF(2, 7), QPointF(14, 7));
        p.setPen(Pen(kBlue, 3.0));
        p.drawLine(QPointF(2, 12), QPointF(14, 12));
        break;
    case ID_CLEAR_GRAPH:
        Axes(p, QRectF(1, 1, 14, 14));
        p.setPen(Pen(kRed, 2.0));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case ID_EXTENDED_TOOLS:
        p.setPen(Pen(kInk, 0.8));
        p.setBrush(QColor(200, 200, 210));
        p.drawRoundedRect(QRectF(2, 1.5, 9, 13), 1.2, 1.2);
        p.setBrush(QColor(120, 170, 120));
        p.drawRect(QRectF(3.5, 3, 6, 3));
        p.setBrush(kPaper);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c)
                p.drawRect(QRectF(3.5 + c * 2.1, 8 + r * 2.8, 1.6, 1.8));
        p.setBrush(kGold);
        p.drawRect(QRectF(11.5, 6, 3.5, 3.5));
        p.drawRect(QRectF(11.5, 10.5, 3.5, 3.5));
        break;
    case ID_HELP_CONTENTS:
        p.setPen(Pen(kInk, 0.8));
        p.setBrush(QColor(255, 236, 130));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        Text(p, QRectF(1.5, 1.5, 13, 13), QStringLiteral("?"), kBlue, 11);
        break;
    case ID_ZOOM_IN_X: Magnifier(p, 1, 'x'); break;
    case ID_ZOOM_OUT_X: Magnifier(p, -1, 'x'); break;
    case ID_ZOOM_IN_Y: Magnifier(p, 1, 'y'); break;
    case ID_ZOOM_OUT_Y: Magnifier(p, -1, 'y'); break;
    case ID_ZOOM_IN: Magnifier(p, 1, 0); break;
    case ID_ZOOM_OUT: Magnifier(p, -1, 0); break;
    case ID_SQUARE_UNITS:
        p.setPen(Pen(kInk, 0.9));
        p.setBrush(QColor(200, 225, 250));
        p.drawRect(QRectF(3.5, 3.5, 9, 9));
        p.setPen(Pen(kBlue, 1.0));
        p.drawLine(QPointF(1.5, 3.5), QPointF(1.5, 12.5));
        p.drawLine(QPointF(3.5, 14.5), QPointF(12.5, 14.5));
        break;
    case ID_AUTOSCALE:
        SmallCurve(p, QRectF(2, 2, 12, 12), kRed);
        p.setPen(Pen(kBlue, 1.1));
        p.drawLine(QPointF(1, 1), QPointF(1, 5));
        p.drawLine(QPointF(1, 1), QPointF(5, 1));
        p.drawLine(QPointF(15, 15), QPointF(15, 11));
        p.drawLine(QPointF(15, 15), QPointF(11, 15));
        break;
    case ID_ZOOM_AREA: {
        QPen dash = Pen(kInk, 1.0);
        dash.setStyle(Qt::DashLine);
        p.setPen(dash);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 1.5, 10, 8));
        p.setPen(Pen(kInk, 1.0));
        p.setBrush(kPaper);
        p.drawPolygon(QPolygonF{QPointF(9, 7), QPointF(9, 15), QPointF(11, 13), QPointF(13, 15.5),
                                QPointF(14, 14.5), QPointF(12, 12.2), QPointF(14.5, 12)});
        break;
    }
    case ID_CENTER:
        Axes(p, QRectF(1, 1, 14, 14));
        p.setPen(Pen(kRed, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(8, 8), 3.5, 3.5);
        break;
    case ID_FULLSCREEN:
        p.setPen(Pen(kInk, 0.9));
        p.setBrush(QColor(200, 225, 250));
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setPen(Pen(kBlue, 1.3));
        p.drawLine(QPointF(4, 5), QPointF(7, 8));
        p.drawLine(QPointF(4, 5), QPointF(6.5, 5));
        p.drawLine(QPointF(4, 5), QPointF(4, 7.5));
        p.drawLine(QPointF(12, 11), QPointF(9, 8));
        p.drawLine(QPointF(12, 11), QPointF(9.5, 11));
        p.drawLine(QPointF(12, 11), QPointF(12, 8.5));
        break;
    default: break;
    }
}

bool HasIcon(int nId)
{
    switch (nId) {
    case ID_FILE_NEW: case ID_FILE_OPEN: case ID_FILE_SAVE: case ID_EXPORT_BITMAP: case ID_FILE_PRINT:
    case ID_EDIT_COPY: case ID_COPY_FUNCTION: case ID_EDIT_PASTE: case ID_VIEW_ZOOM_TOOLBAR:
    case ID_ANALYZE: case ID_DOMAIN_SUBSTITUTION: case ID_TRACE: case ID_TANGENT: case ID_INTEGRATE:
    case ID_DIFFERENTIATE: case ID_SHOW_GRID: case ID_GRAPH_ATTRIBUTES: case ID_CLEAR_GRAPH:
    case ID_EXTENDED_TOOLS: case ID_HELP_CONTENTS: case ID_ZOOM_IN_X: case ID_ZOOM_OUT_X:
    case ID_ZOOM_IN_Y: case ID_ZOOM_OUT_Y: case ID_ZOOM_IN: case ID_ZOOM_OUT: case ID_SQUARE_UNITS:
    case ID_AUTOSCALE: case ID_ZOOM_AREA: case ID_CENTER: case ID_FULLSCREEN:
        return true;
    default:
        return false;
    }
}

QPixmap Render(int nSize, const std::function<void(QPainter &)> &draw, qreal design = 16.0)
{
    QPixmap pm(nSize, nSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(nSize / design, nSize / design);
    draw(p);
    return pm;
}

// The program's emblem: a graph paper tile with a rising curve.
void DrawEmblem(QPainter &p)
{
    QLinearGradient bg(0, 0, 0, 48);
    bg.setColorAt(0, QColor(70, 130, 220));
    bg.setColorAt(1, QColor(24, 64, 150));
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(2, 2, 44, 44), 8, 8);
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(7, 7, 34, 34), 3, 3);
    p.setPen(Pen(QColor(200, 200, 200), 0.6));
    for (int v = 11; v < 41; v += 5) {
        p.drawLine(QPointF(v, 7.5), QPointF(v, 40.5));
        p.drawLine(QPointF(7.5, v), QPointF(40.5, v));
    }
    p.setPen(Pen(kInk, 1.2));
    p.drawLine(QPointF(8, 31), QPointF(40, 31));
    p.drawLine(QPointF(16, 8), QPointF(16, 40));
    QPainterPath curve;
    curve.moveTo(9, 38);
    curve.cubicTo(18, 14, 26, 40, 39, 11);
    p.setPen(Pen(kRed, 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
}

}  // namespace

QIcon CommandIcon(int nId)
{
    if (!HasIcon(nId))
        return {};
    QIcon icon;
    for (int nSize : {16, 24, 32, 48})
        icon.addPixmap(Render(nSize, [nId](QPainter &p) { DrawCommand(p, nId); }));
    return icon;
}

QPixmap AppPixmap(int nSize)
{
    return Render(nSize, DrawEmblem, 48.0);
}

QIcon AppIcon()
{
    QIcon icon;
    for (int nSize : {16, 32, 48, 64, 128})
        icon.addPixmap(AppPixmap(nSize));
    return icon;
}

QPixmap SplashPixmap(int nWidth, int nHeight)
{
    QPixmap pm(nWidth, nHeight);
    pm.fill(QColor(18, 40, 96));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QRadialGradient glow(nWidth * 0.5, nHeight * 0.45, nWidth * 0.6);
    glow.setColorAt(0, QColor(70, 130, 220));
    glow.setColorAt(1, QColor(14, 30, 80));
    p.fillRect(pm.rect(), glow);

    // Faint graph paper and three curves behind the name.
    p.setPen(Pen(QColor(255, 255, 255, 40), 1.0));
    for (int x = nWidth / 2 % 25; x < nWidth; x += 25)
        p.drawLine(x, 0, x, nHeight);
    for (int y = nHeight / 2 % 25; y < nHeight; y += 25)
        p.drawLine(0, y, nWidth, y);
    p.setPen(Pen(QColor(255, 255, 255, 110), 1.2));
    p.drawLine(0, nHeight / 2, nWidth, nHeight / 2);
    p.drawLine(nWidth / 2, 0, nWidth / 2, nHeight);

    const QColor colors[] = {QColor(255, 110, 90), QColor(120, 230, 140), QColor(255, 220, 90)};
    for (int c = 0; c < 3; ++c) {
        QPainterPath path;
        for (int x = 0; x <= nWidth; x += 2) {
            const double u = (x - nWidth / 2.0) / 50.0;
            double v = 0;
            if (c == 0) v = std::sin(u * 1.3) * 1.6;
            if (c == 1) v = 0.12 * u * u * u - 0.8 * u;
            if (c == 2) v = std::exp(-u * u / 2.0) * 2.2 - 0.6;
            const double y = nHeight / 2.0 - 50.0 * v;
            if (x == 0) path.moveTo(x, y);
            else path.lineTo(x, y);
        }
        p.setPen(Pen(colors[c], 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }

    QFont title(QStringLiteral("Liberation Sans"));
    title.setPixelSize(nHeight / 5);
    title.setBold(true);
    p.setFont(title);
    const QRectF band(0, nHeight * 0.30, nWidth, nHeight * 0.28);
    p.setPen(QColor(0, 0, 0, 120));
    p.drawText(band.translated(2, 2), Qt::AlignCenter, QStringLiteral("Corvanta"));
    p.setPen(Qt::white);
    p.drawText(band, Qt::AlignCenter, QStringLiteral("Corvanta"));

    QFont sub(QStringLiteral("Liberation Sans"));
    sub.setPixelSize(qMax(8, nHeight / 16));
    p.setFont(sub);
    p.setPen(QColor(230, 236, 255));
    p.drawText(QRectF(0, nHeight * 0.58, nWidth, nHeight * 0.12), Qt::AlignCenter,
               QStringLiteral("Mathematics Workbench  v1.1"));
    return pm;
}

QPixmap AboutPixmap(int nSize)
{
    return AppPixmap(nSize);
}
