// The links window shows four banners over invisible click areas, the About window two
// logos; the rectangles here must stay where the windows put their click areas.
#include "GuideArtwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

QFont Face(double pixels, bool bold = false, bool italic = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(int(pixels));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// A small fish facing right, nose at the right end of the rectangle.
void Fish(QPainter &g, const QRectF &r, const QColor &body, const QColor &eye)
{
    QPainterPath p;
    const double tail = r.width() * 0.22;
    const double bodyLeft = r.left() + tail;
    p.moveTo(r.right(), r.center().y());
    p.cubicTo(r.right() - r.width() * 0.25, r.top(), bodyLeft + r.width() * 0.15, r.top(), bodyLeft, r.center().y());
    p.lineTo(r.left(), r.top());
    p.lineTo(r.left(), r.bottom());
    p.lineTo(bodyLeft, r.center().y());
    p.cubicTo(bodyLeft + r.width() * 0.15, r.bottom(), r.right() - r.width() * 0.25, r.bottom(), r.right(),
              r.center().y());
    g.setPen(Qt::NoPen);
    g.setBrush(body);
    g.drawPath(p);
    g.setBrush(eye);
    const double e = r.height() * 0.11;
    g.drawEllipse(QPointF(r.right() - r.width() * 0.14, r.center().y() - r.height() * 0.12), e, e);
}

// A rounded banner with a coloured strip on the left and up to three lines of text.
void Banner(QPainter &g, const QRectF &r, const QColor &tone, const QString &title, const QString &line,
            const QString &address, double titlePixels)
{
    QPainterPath shape;
    shape.addRoundedRect(r.adjusted(1, 1, -1, -1), 8, 8);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, tone.lighter(112));
    fill.setColorAt(1, tone.darker(118));
    g.fillPath(shape, fill);
    g.setPen(QPen(tone.darker(160), 1.2));
    g.setBrush(Qt::NoBrush);
    g.drawPath(shape);

    const bool narrow = r.width() < 200;
    QRectF text = r.adjusted(12, 8, -10, -8);
    if (!narrow) {
        Fish(g, QRectF(r.left() + 10, r.center().y() - 11, 38, 22), QColor(255, 255, 255, 210), tone.darker(140));
        text.setLeft(r.left() + 58);
    }
    g.setPen(Qt::white);
    g.setFont(Face(titlePixels, true));
    const int wrap = Qt::TextWordWrap;
    QRectF titleBox = g.boundingRect(text, wrap | Qt::AlignLeft, title);
    g.drawText(text, wrap | Qt::AlignLeft | Qt::AlignTop, title);
    QRectF rest = text;
    rest.setTop(titleBox.bottom() + 3);
    g.setPen(QColor(236, 244, 250));
    g.setFont(Face(11));
    g.drawText(rest, wrap | Qt::AlignLeft | Qt::AlignTop, line);
    g.setPen(QColor(255, 236, 170));
    g.setFont(Face(11, true));
    g.drawText(text, Qt::AlignLeft | Qt::AlignBottom, address);
}

} // namespace

QImage LinksPicture()
{
    // Drawn one pixel to the right of the window's client area, where the window puts it.
    QImage img(486, 295, QImage::Format_RGB32);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    g.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient page(0, 0, 0, 295);
    page.setColorAt(0, QColor(232, 238, 243));
    page.setColorAt(1, QColor(211, 222, 230));
    g.fillRect(img.rect(), page);

    QLinearGradient head(0, 0, 0, 60);
    head.setColorAt(0, QColor(26, 70, 118));
    head.setColorAt(1, QColor(12, 40, 76));
    g.fillRect(QRectF(0, 0, 486, 60), head);
    g.setPen(QPen(QColor(170, 205, 240, 70), 1.2));
    for (int x = 300; x < 486; x += 34)
        g.drawArc(QRectF(x, 40, 34, 14), 0, 180 * 16);
    Fish(g, QRectF(420, 14, 48, 24), QColor(200, 225, 250, 200), QColor(12, 40, 76));
    g.setPen(Qt::white);
    g.setFont(Face(21, true));
    g.drawText(QRectF(14, 6, 400, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Warto zajrzeć"));
    g.setPen(QColor(190, 214, 238));
    g.setFont(Face(11.5));
    g.drawText(QRectF(15, 34, 400, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Przydatne strony dla wędkarzy: kliknij baner, aby go otworzyć."));

    Banner(g, QRectF(8, 69, 189, 78), QColor(40, 120, 70), QStringLiteral("Polski Związek Wędkarski"),
           QStringLiteral("okręgi, łowiska, zezwolenia"), QStringLiteral("pzw.org.pl"), 14);
    Banner(g, QRectF(227, 68, 250, 77), QColor(150, 40, 48), QStringLiteral("Przepisy o połowie ryb"),
           QStringLiteral("rozporządzenie z 12 lipca 2023 r."), QStringLiteral("dziennikustaw.gov.pl"), 14);
    Banner(g, QRectF(8, 153, 335, 70), QColor(28, 96, 160), QStringLiteral("Stany wód i ostrzeżenia"),
           QStringLiteral("serwis hydrologiczny IMGW-PIB"), QStringLiteral("hydro.imgw.pl"), 15);
    Banner(g, QRectF(348, 151, 127, 105), QColor(20, 110, 120), QStringLiteral("Wody Polskie"),
           QStringLiteral("wody państwowe i ich łowiska"), QStringLiteral("gov.pl"), 13);

    g.setPen(QColor(50, 64, 80));
    g.setFont(Face(11.5, false, true));
    g.drawText(QRectF(8, 262, 336, 26), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Dziękujemy autorom tych stron. Połamania kija!"));
    return img;
}

QImage AboutPicture()
{
    QImage img(308, 154, QImage::Format_RGB32);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    g.setRenderHint(QPainter::TextAntialiasing);
    g.fillRect(img.rect(), QColor(238, 241, 244));

    QLinearGradient band(0, 0, 0, 58);
    band.setColorAt(0, QColor(26, 70, 118));
    band.setColorAt(1, QColor(10, 34, 66));
    g.fillRect(QRectF(0, 0, 308, 58), band);
    g.fillRect(QRectF(0, 58, 308, 2), QColor(180, 196, 214));
    Fish(g, QRectF(12, 14, 52, 28), QColor(220, 235, 250), QColor(10, 34, 66));
    g.setPen(Qt::white);
    g.setFont(Face(26, true));
    g.drawText(QRectF(74, 4, 230, 34), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Rybowid"));
    g.setPen(QColor(190, 214, 238));
    g.setFont(Face(11));
    g.drawText(QRectF(76, 34, 230, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("przewodnik wędkarza"));

    // Two badges naming what the program is built with, each over its click area.
    auto badge = [&](const QRectF &r, const QColor &tone, const QString &caption, const QString &name, double px) {
        QPainterPath shape;
        shape.addRoundedRect(r.adjusted(2, 2, -2, -2), 7, 7);
        g.fillPath(shape, Qt::white);
        g.setPen(QPen(tone, 2));
        g.setBrush(Qt::NoBrush);
        g.drawPath(shape);
        g.setPen(QColor(90, 100, 112));
        g.setFont(Face(9.5));
        g.drawText(r.adjusted(0, 5, 0, 0), Qt::AlignHCenter | Qt::AlignTop, caption);
        g.setPen(tone);
        g.setFont(Face(px, true));
        g.drawText(r.adjusted(0, 14, 0, 0), Qt::AlignCenter, name);
    };
    badge(QRectF(125, 74, 102, 53), QColor(40, 140, 60), QStringLiteral("okna i widoki"), QStringLiteral("Qt"), 22);
    badge(QRectF(235, 75, 67, 53), QColor(30, 90, 150), QStringLiteral("baza"), QStringLiteral("SQLite"), 13);
    return img;
}
