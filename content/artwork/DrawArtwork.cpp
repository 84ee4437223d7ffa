// Draws every picture of content/grafika/ with QPainter, so the artwork can be redrawn
// and reviewed like code instead of living only as binary files.
#include "AppIcon.h"
#include "GuideArtwork.h"
#include "DrawFish.h"

#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <cstdio>

namespace {

struct FishLook
{
    QColor back;
    QColor flank;
    QColor belly;
    QColor fin;
    bool bars = false;  // dark vertical bars (perch)
    bool spots = false; // light bean-shaped spots (pike)
    bool spinyDorsal = false;
    double dorsalFrom = 0.55; // dorsal fin span, as parts of the length
    double dorsalTo = 0.72;
};

// A fish facing left with its nose at (0,0), length along +x, height the deepest point.
QPainterPath BodyPath(double L, double H, double snout)
{
    QPainterPath p;
    p.moveTo(0, 0);
    p.cubicTo(L * 0.04, -H * snout, L * 0.30, -H * 0.56, L * 0.52, -H * 0.46);
    p.cubicTo(L * 0.68, -H * 0.38, L * 0.76, -H * 0.16, L * 0.83, -H * 0.10);
    p.lineTo(L * 0.83, H * 0.10);
    p.cubicTo(L * 0.76, H * 0.17, L * 0.62, H * 0.38, L * 0.45, H * 0.44);
    p.cubicTo(L * 0.28, H * 0.50, L * 0.05, H * 0.40, 0, H * 0.06);
    p.closeSubpath();
    return p;
}

QPainterPath TailPath(double L, double H)
{
    QPainterPath p;
    p.moveTo(L * 0.80, -H * 0.09);
    p.cubicTo(L * 0.88, -H * 0.20, L * 0.95, -H * 0.40, L * 1.0, -H * 0.50);
    p.cubicTo(L * 0.96, -H * 0.22, L * 0.93, -H * 0.08, L * 0.925, 0);
    p.cubicTo(L * 0.93, H * 0.08, L * 0.96, H * 0.22, L * 1.0, H * 0.50);
    p.cubicTo(L * 0.95, H * 0.40, L * 0.88, H * 0.20, L * 0.80, H * 0.09);
    p.closeSubpath();
    return p;
}

QPainterPath FinPath(double x0, double x1, double baseY, double height, bool up)
{
    const double s = up ? -1 : 1;
    QPainterPath p;
    p.moveTo(x0, baseY);
    p.cubicTo(x0 + (x1 - x0) * 0.1, baseY + s * height * 0.9, x0 + (x1 - x0) * 0.45, baseY + s * height * 1.1, x1,
              baseY + s * height * 0.35);
    p.lineTo(x1, baseY);
    p.closeSubpath();
    return p;
}

void DrawFish(QPainter &g, QPointF at, double L, double H, double angle, const FishLook &look, double snout = 0.30)
{
    g.save();
    g.translate(at);
    g.rotate(angle);
    g.setRenderHint(QPainter::Antialiasing);

    const QPainterPath body = BodyPath(L, H, snout);
    const QColor outline = look.back.darker(220);

    QLinearGradient finFill(0, -H, 0, H);
    finFill.setColorAt(0, look.fin.lighter(115));
    finFill.setColorAt(1, look.fin.darker(130));
    g.setPen(QPen(QColor(outline.red(), outline.green(), outline.blue(), 150), 0.8));
    g.setBrush(finFill);

    // Fins behind the body.
    if (look.spinyDorsal) {
        QPainterPath spiny;
        const double x0 = L * 0.22, x1 = L * 0.50;
        spiny.moveTo(x0, -H * 0.45);
        const int spines = 8;
        for (int i = 0; i <= spines; ++i) {
            const double x = x0 + (x1 - x0) * i / spines;
            const double top = -H * (0.92 - 0.035 * i);
            spiny.lineTo(x, top);
            if (i < spines)
                spiny.quadTo(x + (x1 - x0) / spines * 0.5, -H * 0.70, x + (x1 - x0) / spines, top + H * 0.05);
        }
        spiny.lineTo(x1, -H * 0.44);
        spiny.closeSubpath();
        g.save();
        g.setBrush(QColor(120, 124, 96));
        g.drawPath(spiny);
        g.setPen(QPen(QColor(60, 60, 44), 0.7));
        for (int i = 0; i <= spines; ++i) {
            const double x = x0 + (x1 - x0) * i / spines;
            g.drawLine(QPointF(x + 0.6, -H * 0.46), QPointF(x, -H * (0.92 - 0.035 * i)));
        }
        g.setPen(Qt::NoPen);
        g.setBrush(QColor(20, 24, 20, 200));
        g.drawEllipse(QPointF(x1 - L * 0.035, -H * 0.62), L * 0.025, H * 0.08);
        g.restore();
    }
    g.drawPath(FinPath(L * look.dorsalFrom, L * look.dorsalTo, -H * 0.40, H * 0.38, true));
    g.drawPath(FinPath(L * 0.58, L * 0.72, H * 0.33, H * 0.30, false));
    g.drawPath(FinPath(L * 0.30, L * 0.40, H * 0.44, H * 0.28, false));
    g.drawPath(TailPath(L, H));

    QLinearGradient fill(0, -H * 0.55, 0, H * 0.5);
    fill.setColorAt(0.0, look.back);
    fill.setColorAt(0.45, look.flank);
    fill.setColorAt(1.0, look.belly);
    g.setPen(Qt::NoPen);
    g.setBrush(fill);
    g.drawPath(body);

    g.save();
    g.setClipPath(body);
    if (look.bars) {
        g.setBrush(QColor(30, 40, 20, 120));
        for (int i = 0; i < 6; ++i) {
            const double x = L * (0.24 + i * 0.095);
            QPainterPath bar;
            bar.moveTo(x, -H);
            bar.cubicTo(x + L * 0.03, -H * 0.3, x - L * 0.01, H * 0.05, x + L * 0.015, H * 0.22);
            bar.lineTo(x + L * 0.045, H * 0.22);
            bar.cubicTo(x + L * 0.02, H * 0.05, x + L * 0.065, -H * 0.3, x + L * 0.04, -H);
            bar.closeSubpath();
            g.drawPath(bar);
        }
    }
    if (look.spots) {
        QRandomGenerator rnd(7);
        g.setBrush(QColor(232, 228, 176, 120));
        for (int row = 0; row < 5; ++row) {
            for (int col = 0; col < 13; ++col) {
                const double x = L * (0.22 + col * 0.047 + (row % 2) * 0.023 + 0.01 * rnd.generateDouble());
                const double y = H * (-0.30 + row * 0.13 + 0.04 * rnd.generateDouble());
                g.drawEllipse(QPointF(x, y), L * 0.014, H * 0.04);
            }
        }
    }
    // Soft light along the back and a shadow under the belly give the body its roundness.
    QLinearGradient shade(0, -H * 0.5, 0, H * 0.5);
    shade.setColorAt(0.0, QColor(255, 255, 255, 0));
    shade.setColorAt(0.25, QColor(255, 255, 255, 55));
    shade.setColorAt(0.45, QColor(255, 255, 255, 0));
    shade.setColorAt(1.0, QColor(0, 0, 0, 60));
    g.setBrush(shade);
    g.drawRect(QRectF(0, -H, L, 2 * H));
    g.restore();

    g.setBrush(Qt::NoBrush);
    g.setPen(QPen(QColor(outline.red(), outline.green(), outline.blue(), 170), 0.9));
    g.drawPath(body);

    // Gill cover, pectoral fin, eye.
    QPainterPath gill;
    gill.moveTo(L * 0.19, -H * 0.30);
    gill.quadTo(L * 0.245, 0, L * 0.19, H * 0.30);
    g.drawPath(gill);
    g.setBrush(finFill);
    QPainterPath pect;
    pect.moveTo(L * 0.23, H * 0.10);
    pect.quadTo(L * 0.30, H * 0.05, L * 0.36, H * 0.24);
    pect.quadTo(L * 0.29, H * 0.26, L * 0.23, H * 0.16);
    g.drawPath(pect);
    const double eyeR = H * 0.085 + 0.8;
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(235, 200, 90));
    g.drawEllipse(QPointF(L * 0.085, -H * 0.10), eyeR, eyeR);
    g.setBrush(QColor(15, 15, 15));
    g.drawEllipse(QPointF(L * 0.085, -H * 0.10), eyeR * 0.6, eyeR * 0.6);
    g.setBrush(QColor(255, 255, 255, 220));
    g.drawEllipse(QPointF(L * 0.085 - eyeR * 0.25, -H * 0.10 - eyeR * 0.3), eyeR * 0.22, eyeR * 0.22);
    g.restore();
}

void DrawBubble(QPainter &g, QPointF c, double r)
{
    QRadialGradient fill(c - QPointF(r * 0.35, r * 0.35), r * 1.2);
    fill.setColorAt(0, QColor(255, 255, 255, 110));
    fill.setColorAt(1, QColor(255, 255, 255, 10));
    g.setBrush(fill);
    g.setPen(QPen(QColor(200, 225, 255, 120), 0.8));
    g.drawEllipse(c, r, r);
}

QImage Background()
{
    QImage img(780, 600, QImage::Format_RGB32);
    img.fill(QColor(230, 230, 230));
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    g.setRenderHint(QPainter::TextAntialiasing);

    // Header: deep water, lighter towards the surface at the top.
    const QRectF header(0, 0, 780, 121);
    QLinearGradient water(0, 0, 0, 121);
    water.setColorAt(0.0, QColor(28, 74, 122));
    water.setColorAt(0.55, QColor(14, 46, 86));
    water.setColorAt(1.0, QColor(8, 28, 56));
    g.fillRect(header, water);

    g.save();
    g.setClipRect(header);
    // Light shafts from the surface over the fish.
    for (int i = 0; i < 5; ++i) {
        const double x = 430 + i * 72;
        QPainterPath ray;
        ray.moveTo(x, 0);
        ray.lineTo(x + 26, 0);
        ray.lineTo(x - 30 + 12, 121);
        ray.lineTo(x - 70, 121);
        ray.closeSubpath();
        QLinearGradient rayFill(0, 0, 0, 121);
        rayFill.setColorAt(0, QColor(170, 210, 255, 34));
        rayFill.setColorAt(1, QColor(170, 210, 255, 0));
        g.fillPath(ray, rayFill);
    }
    // Surface ripples along the top.
    g.setPen(QPen(QColor(190, 220, 255, 45), 1.2));
    for (int row = 0; row < 3; ++row) {
        QPainterPath wave;
        const double y = 6 + row * 7;
        wave.moveTo(0, y);
        for (int x = 0; x <= 780; x += 40)
            wave.quadTo(x + 10, y - 3 + row, x + 20, y), wave.quadTo(x + 30, y + 3 - row, x + 40, y);
        g.drawPath(wave);
    }
    // Weeds and sand at the bottom right.
    QLinearGradient sand(0, 104, 0, 121);
    sand.setColorAt(0, QColor(60, 70, 60, 0));
    sand.setColorAt(1, QColor(70, 80, 62, 150));
    QPainterPath bed;
    bed.moveTo(380, 121);
    bed.cubicTo(480, 108, 600, 116, 780, 104);
    bed.lineTo(780, 121);
    bed.closeSubpath();
    g.fillPath(bed, sand);
    g.setPen(QPen(QColor(60, 110, 70, 140), 2.2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 9; ++i) {
        const double x = 520 + i * 29 + (i % 3) * 5;
        const double h = 30 + (i * 37 % 40);
        QPainterPath weed;
        weed.moveTo(x, 121);
        weed.cubicTo(x + 8, 121 - h * 0.3, x - 8, 121 - h * 0.7, x + 4 - (i % 2) * 8, 121 - h);
        g.drawPath(weed);
    }

    FishLook pike{QColor(44, 70, 40), QColor(112, 138, 70), QColor(226, 224, 190), QColor(150, 120, 70)};
    pike.spots = true;
    pike.dorsalFrom = 0.63;
    pike.dorsalTo = 0.77;
    DrawFish(g, QPointF(470, 44), 210, 40, -3, pike, 0.18);

    FishLook perch{QColor(58, 86, 40), QColor(160, 160, 70), QColor(240, 228, 186), QColor(214, 84, 44)};
    perch.bars = true;
    perch.spinyDorsal = true;
    perch.dorsalFrom = 0.52;
    perch.dorsalTo = 0.68;
    DrawFish(g, QPointF(610, 86), 120, 44, 4, perch);

    FishLook roach{QColor(54, 70, 92), QColor(170, 185, 200), QColor(236, 238, 240), QColor(200, 70, 60)};
    DrawFish(g, QPointF(704, 36), 58, 20, -6, roach);

    DrawBubble(g, QPointF(458, 34), 3.2);
    DrawBubble(g, QPointF(451, 22), 2.2);
    DrawBubble(g, QPointF(447, 12), 1.6);
    DrawBubble(g, QPointF(598, 70), 2.6);
    DrawBubble(g, QPointF(592, 58), 1.8);
    DrawBubble(g, QPointF(743, 82), 2.4);
    g.restore();

    // Emblem: a badge with a hook.
    const QPointF c(56, 60);
    QRadialGradient badge(c + QPointF(-8, -10), 40);
    badge.setColorAt(0, QColor(64, 124, 186));
    badge.setColorAt(1, QColor(16, 52, 96));
    g.setPen(QPen(QColor(205, 214, 226), 2.6));
    g.setBrush(badge);
    g.drawEllipse(c, 34, 34);
    g.setPen(QPen(QColor(120, 150, 186), 1));
    g.setBrush(Qt::NoBrush);
    g.drawEllipse(c, 29, 29);
    QPainterPath hook;
    hook.moveTo(c.x() + 2, c.y() - 22);
    hook.lineTo(c.x() + 2, c.y() + 8);
    hook.cubicTo(c.x() + 2, c.y() + 22, c.x() - 16, c.y() + 22, c.x() - 16, c.y() + 8);
    hook.lineTo(c.x() - 11, c.y() + 2);
    g.setPen(QPen(QColor(236, 240, 246), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.drawPath(hook);
    g.setPen(QPen(QColor(236, 240, 246), 2));
    g.drawEllipse(QPointF(c.x() + 2, c.y() - 25), 3, 3);
    FishLook badgeFish{QColor(200, 216, 232), QColor(226, 236, 246), QColor(250, 252, 255), QColor(190, 205, 222)};
    DrawFish(g, QPointF(c.x() + 6, c.y() - 2), 22, 9, 0, badgeFish);

    // Title and tagline.
    QFont title(QStringLiteral("C059"), 1);
    title.setPixelSize(46);
    title.setBold(true);
    g.setFont(title);
    QPainterPath titlePath;
    titlePath.addText(106, 68, title, QStringLiteral("Rybowid"));
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0, 0, 0, 110));
    g.drawPath(titlePath.translated(2, 2));
    QLinearGradient titleFill(0, 30, 0, 70);
    titleFill.setColorAt(0, QColor(255, 255, 255));
    titleFill.setColorAt(1, QColor(188, 214, 240));
    g.setBrush(titleFill);
    g.drawPath(titlePath);

    QFont tag(QStringLiteral("DejaVu Sans"), 1);
    tag.setPixelSize(12);
    tag.setLetterSpacing(QFont::AbsoluteSpacing, 2.2);
    g.setFont(tag);
    g.setPen(QColor(156, 196, 232));
    g.drawText(QPointF(109, 91), QStringLiteral("PRZEWODNIK WĘDKARZA"));
    g.setPen(QPen(QColor(200, 164, 80), 1.4));
    g.drawLine(QPointF(109, 79), QPointF(276, 79));

    // The header's lower edge, a narrow grey gap, then the band that carries the menu.
    g.setRenderHint(QPainter::Antialiasing, false);
    g.fillRect(QRect(0, 119, 780, 2), QColor(200, 164, 80));
    QLinearGradient band(0, 125, 0, 157);
    band.setColorAt(0, QColor(52, 58, 68));
    band.setColorAt(0.5, QColor(32, 36, 44));
    band.setColorAt(1, QColor(22, 25, 31));
    g.fillRect(QRect(0, 125, 780, 32), band);
    g.fillRect(QRect(0, 125, 780, 1), QColor(88, 96, 110));
    g.fillRect(QRect(0, 156, 780, 1), QColor(10, 12, 16));
    QLinearGradient shadow(0, 157, 0, 161);
    shadow.setColorAt(0, QColor(190, 190, 190));
    shadow.setColorAt(1, QColor(230, 230, 230));
    g.fillRect(QRect(0, 157, 780, 4), shadow);
    return img;
}

QImage Canvas(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QImage ProtectedIcon()
{
    QImage img = Canvas(16);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(Qt::white);
    g.drawEllipse(QPointF(8, 8), 7.3, 7.3);
    QPainterPath fish;
    fish.addEllipse(QPointF(6.8, 8), 3.6, 2.3);
    fish.moveTo(9.6, 8);
    fish.lineTo(12.8, 5.6);
    fish.lineTo(12.8, 10.4);
    fish.closeSubpath();
    g.setBrush(QColor(30, 52, 92));
    g.drawPath(fish.simplified());
    g.setBrush(Qt::NoBrush);
    g.setPen(QPen(QColor(210, 30, 30), 1.9));
    g.drawEllipse(QPointF(8, 8), 6.6, 6.6);
    g.drawLine(QPointF(3.4, 3.4), QPointF(12.6, 12.6));
    return img;
}

QImage NoneIcon()
{
    QImage img = Canvas(16);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    QRadialGradient fill(QPointF(6, 5), 10);
    fill.setColorAt(0, QColor(110, 200, 110));
    fill.setColorAt(1, QColor(30, 130, 50));
    g.setPen(QPen(QColor(20, 95, 35), 1));
    g.setBrush(fill);
    g.drawEllipse(QPointF(8, 8), 7, 7);
    QPainterPath tick;
    tick.moveTo(4.4, 8.2);
    tick.lineTo(7.0, 10.8);
    tick.lineTo(11.8, 5.2);
    g.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.setBrush(Qt::NoBrush);
    g.drawPath(tick);
    return img;
}

QImage Arrow(bool left, const QColor &colour)
{
    QImage img = Canvas(16);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    QPainterPath p;
    if (left) {
        p.moveTo(4, 8);
        p.lineTo(11, 3);
        p.lineTo(11, 13);
    } else {
        p.moveTo(12, 8);
        p.lineTo(5, 3);
        p.lineTo(5, 13);
    }
    p.closeSubpath();
    g.setPen(QPen(colour, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.setBrush(colour);
    g.drawPath(p);
    return img;
}

QImage DayPicture()
{
    QImage img = Canvas(48);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    // Ripples around a float at the water line.
    g.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        g.setPen(QPen(QColor(40, 100, 170, 200 - i * 60), 1.3));
        g.drawEllipse(QPointF(24, 33), 8 + i * 6.5, 2.6 + i * 2.0);
    }
    // Line from above.
    g.setPen(QPen(QColor(70, 70, 70), 0.8));
    g.drawLine(QPointF(24, 0), QPointF(24, 8));
    // Antenna.
    g.setPen(QPen(QColor(40, 40, 40), 1.6, Qt::SolidLine, Qt::RoundCap));
    g.drawLine(QPointF(24, 7), QPointF(24, 14));
    // Float body: red top, white band, dark bottom below the water.
    QPainterPath body;
    body.moveTo(24, 13);
    body.cubicTo(31, 17, 31, 27, 24, 40);
    body.cubicTo(17, 27, 17, 17, 24, 13);
    QLinearGradient shine(17, 0, 31, 0);
    shine.setColorAt(0, QColor(255, 255, 255, 90));
    shine.setColorAt(0.4, QColor(255, 255, 255, 0));
    shine.setColorAt(1, QColor(0, 0, 0, 60));
    g.save();
    g.setClipPath(body);
    g.fillRect(QRectF(16, 12, 16, 10), QColor(222, 40, 34));
    g.fillRect(QRectF(16, 22, 16, 4), QColor(250, 250, 250));
    g.fillRect(QRectF(16, 26, 16, 16), QColor(34, 58, 96));
    g.fillRect(QRectF(16, 12, 16, 30), shine);
    g.restore();
    g.setPen(QPen(QColor(60, 20, 20), 0.9));
    g.drawPath(body);
    // The part under water looks paler.
    QLinearGradient under(0, 33, 0, 42);
    under.setColorAt(0, QColor(200, 225, 245, 0));
    under.setColorAt(1, QColor(200, 225, 245, 130));
    g.save();
    g.setClipPath(body);
    g.fillRect(QRectF(16, 33, 16, 10), under);
    g.restore();
    return img;
}

QImage InformationSign()
{
    QImage img = Canvas(32);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    QRadialGradient fill(QPointF(12, 10), 22);
    fill.setColorAt(0, QColor(92, 156, 226));
    fill.setColorAt(1, QColor(22, 78, 160));
    g.setPen(QPen(QColor(16, 56, 120), 1.2));
    g.setBrush(fill);
    g.drawEllipse(QPointF(16, 16), 14.6, 14.6);
    g.setPen(Qt::NoPen);
    g.setBrush(Qt::white);
    g.drawEllipse(QPointF(16, 9), 2.4, 2.4);
    QPainterPath stem;
    stem.setFillRule(Qt::WindingFill);
    stem.addRoundedRect(QRectF(14, 13.2, 4, 11.8), 1, 1);
    stem.addRoundedRect(QRectF(12, 13.2, 5, 2), 0.6, 0.6);
    stem.addRoundedRect(QRectF(12, 23.6, 8, 2), 0.6, 0.6);
    g.drawPath(stem);
    return img;
}

QImage WrongMark()
{
    QImage img = Canvas(24);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(120, 0, 0, 110), 5.2, Qt::SolidLine, Qt::RoundCap));
    g.drawLine(QPointF(5, 6), QPointF(19, 20));
    g.drawLine(QPointF(19, 6), QPointF(5, 20));
    g.setPen(QPen(QColor(214, 30, 30), 3.6, Qt::SolidLine, Qt::RoundCap));
    g.drawLine(QPointF(5, 5), QPointF(19, 19));
    g.drawLine(QPointF(19, 5), QPointF(5, 19));
    return img;
}

QImage Chevron(bool left)
{
    QImage img = Canvas(22);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    QPainterPath p;
    if (left) {
        p.moveTo(14, 4);
        p.lineTo(7, 11);
        p.lineTo(14, 18);
    } else {
        p.moveTo(8, 4);
        p.lineTo(15, 11);
        p.lineTo(8, 18);
    }
    g.setPen(QPen(QColor(36, 72, 128), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.drawPath(p);
    return img;
}

bool Save(const QImage &img, const QString &dir, const QString &name)
{
    const bool ok = img.save(dir + QLatin1Char('/') + name, nullptr, name.endsWith(QLatin1String(".jpg")) ? 92 : -1);
    if (!ok)
        std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(dir);
    bool ok = Save(Background(), dir, QStringLiteral("tlo.jpg"));
    ok = Save(ProtectedIcon(), dir, QStringLiteral("ikona_gatunek.png")) && ok;
    ok = Save(NoneIcon(), dir, QStringLiteral("ikona_brak.png")) && ok;
    ok = Save(Arrow(true, QColor(40, 44, 52)), dir, QStringLiteral("strzalka_lewo.png")) && ok;
    ok = Save(Arrow(false, QColor(40, 44, 52)), dir, QStringLiteral("strzalka_prawo.png")) && ok;
    ok = Save(Arrow(true, QColor(168, 168, 168)), dir, QStringLiteral("strzalka_lewo_szara.png")) && ok;
    ok = Save(Arrow(false, QColor(168, 168, 168)), dir, QStringLiteral("strzalka_prawo_szara.png")) && ok;
    ok = Save(DayPicture(), dir, QStringLiteral("dzien.png")) && ok;
    ok = Save(InformationSign(), dir, QStringLiteral("informacja.png")) && ok;
    ok = Save(WrongMark(), dir, QStringLiteral("krzyzyk.png")) && ok;
    ok = Save(Chevron(true), dir, QStringLiteral("wstecz.png")) && ok;
    ok = Save(Chevron(false), dir, QStringLiteral("dalej.png")) && ok;
    ok = Save(LinksPicture(), dir, QStringLiteral("linki.jpg")) && ok;
    ok = Save(AboutPicture(), dir, QStringLiteral("oprogramie.jpg")) && ok;
    ok = DrawAppIcons(dir + QStringLiteral("/../ikony")) && ok;
    ok = DrawSpeciesPictures(argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir + QStringLiteral("/../encyklopedia")) &&
         ok;
    return ok ? 0 : 1;
}
