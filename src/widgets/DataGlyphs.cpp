#include "widgets/DataGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace DataGlyphs {

namespace {

constexpr int GlyphSize = 16;
const QColor Ink(0x30, 0x30, 0x30);
const QColor PostGreen(0x1b, 0x7a, 0x2e);
const QColor CancelRed(0xb7, 0x1c, 0x1c);

template <typename Paint> QIcon Draw(int width, int height, Paint paint)
{
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(width * scale, height * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        paint(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void Triangle(QPainter &painter, QPointF a, QPointF b, QPointF c, const QColor &colour)
{
    QPainterPath path;
    path.moveTo(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    painter.fillPath(path, colour);
}

void LeftTriangle(QPainter &painter, qreal x)
{
    Triangle(painter, {x + 6, 3}, {x + 6, 13}, {x, 8}, Ink);
}

void RightTriangle(QPainter &painter, qreal x)
{
    Triangle(painter, {x, 3}, {x, 13}, {x + 6, 8}, Ink);
}

void Bar(QPainter &painter, qreal x)
{
    painter.fillRect(QRectF(x, 3, 2, 10), Ink);
}

QPen Stroke(const QColor &colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace

QIcon NavigatorGlyph(TNavigateBtn button)
{
    return Draw(GlyphSize, GlyphSize, [button](QPainter &painter) {
        switch (button) {
        case TNavigateBtn::nbFirst:
            Bar(painter, 3);
            LeftTriangle(painter, 6);
            break;
        case TNavigateBtn::nbPrior:
            LeftTriangle(painter, 5);
            break;
        case TNavigateBtn::nbNext:
            RightTriangle(painter, 5);
            break;
        case TNavigateBtn::nbLast:
            RightTriangle(painter, 4);
            Bar(painter, 11);
            break;
        case TNavigateBtn::nbInsert:
            painter.fillRect(QRectF(7, 3, 2, 10), Ink);
            painter.fillRect(QRectF(3, 7, 10, 2), Ink);
            break;
        case TNavigateBtn::nbDelete:
            painter.fillRect(QRectF(3, 7, 10, 2), Ink);
            break;
        case TNavigateBtn::nbEdit:
            Triangle(painter, {2.5, 11.5}, {13.5, 11.5}, {8, 4.5}, Ink);
            break;
        case TNavigateBtn::nbPost: {
            painter.setPen(Stroke(PostGreen, 2.2));
            const QPointF tick[] = {{3, 8.5}, {6.5, 12}, {13, 4.5}};
            painter.drawPolyline(tick, 3);
            break;
        }
        case TNavigateBtn::nbCancel:
            painter.setPen(Stroke(CancelRed, 2.2));
            painter.drawLine(QPointF(4, 4), QPointF(12, 12));
            painter.drawLine(QPointF(12, 4), QPointF(4, 12));
            break;
        case TNavigateBtn::nbRefresh: {
            painter.setPen(Stroke(Ink, 1.6));
            painter.drawArc(QRectF(3.5, 3.5, 9, 9), 100 * 16, 280 * 16);
            Triangle(painter, {7, 1.5}, {7, 6.5}, {10.5, 4}, Ink);
            break;
        }
        }
    });
}

QIcon RowIndicator(RowMark mark)
{
    constexpr int width = 9;
    constexpr int height = 12;
    return Draw(width, height, [mark](QPainter &painter) {
        switch (mark) {
        case RowMark::None:
            break;
        case RowMark::Current:
            Triangle(painter, {2, 2}, {2, 10}, {7, 6}, Qt::black);
            break;
        case RowMark::Edit: {
            // A pencil: a thick shaft ending in a point at the lower left.
            painter.setPen(Stroke(Qt::black, 2.4));
            painter.drawLine(QPointF(7.3, 1.8), QPointF(3.6, 7.6));
            Triangle(painter, {2.0, 7.0}, {4.9, 8.9}, {1.5, 10.8}, Qt::black);
            break;
        }
        case RowMark::Insert: {
            painter.setPen(Stroke(Qt::black, 1.3));
            painter.drawLine(QPointF(4.5, 2), QPointF(4.5, 10));
            painter.drawLine(QPointF(1.2, 4), QPointF(7.8, 8));
            painter.drawLine(QPointF(1.2, 8), QPointF(7.8, 4));
            break;
        }
        }
    });
}

} // namespace DataGlyphs
