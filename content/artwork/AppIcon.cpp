// The icon is kept as a list of shapes on a 256-unit square, in SVG path syntax, so that
// the PNG sizes and the scalable picture can never drift apart.
#include "AppIcon.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cstdio>
#include <vector>

namespace {

const QString IconName = QStringLiteral("pl.rybowid.Rybowid");

struct Stop
{
    double at;
    QColor colour;
};

// A vertical gradient from y0 to y1, or a flat colour when it has one stop.
struct Paint
{
    double y0 = 0, y1 = 0;
    std::vector<Stop> stops;
};

struct Shape
{
    QString path; // M, L, C, Q and Z with absolute coordinates
    Paint fill;   // no stops: not filled
    QColor stroke = Qt::transparent;
    double strokeWidth = 0;
};

Paint Flat(QColor c)
{
    return {0, 0, {{0, c}}};
}

QString Circle(double cx, double cy, double r)
{
    // Four cubic quarters: the parser and SVG need nothing but paths.
    const double k = r * 0.5523;
    return QStringLiteral(
               "M %1 %2 C %3 %4 %5 %6 %7 %6 C %8 %6 %9 %4 %9 %2 C %9 %10 %8 %11 %7 %11 C %5 %11 %1 %10 %1 %2 Z")
        .arg(cx - r)
        .arg(cy)
        .arg(cx - r)
        .arg(cy - k)
        .arg(cx - k)
        .arg(cy - r)
        .arg(cx)
        .arg(cx + k)
        .arg(cx + r)
        .arg(cy + k)
        .arg(cy + r);
}

std::vector<Shape> IconShapes()
{
    const QColor deep(8, 28, 56), surface(36, 88, 142), line(12, 30, 40);
    std::vector<Shape> shapes;
    // Deep water on a rounded tile, as in the main window's header.
    shapes.push_back({QStringLiteral("M 60 12 L 196 12 C 224 12 244 32 244 60 L 244 196 C 244 224 224 244 196 244 "
                                     "L 60 244 C 32 244 12 224 12 196 L 12 60 C 12 32 32 12 60 12 Z"),
                      {12, 244, {{0, surface}, {1, deep}}}});
    // The surface, with a ripple.
    shapes.push_back({QStringLiteral("M 36 58 Q 62 44 88 58 Q 114 72 140 58 Q 166 44 192 58 Q 210 68 222 60"),
                      {},
                      QColor(170, 210, 250),
                      8});
    // Tail, dorsal fin, then the body over them.
    const QColor fin(196, 120, 64);
    shapes.push_back({QStringLiteral("M 180 126 C 196 110 212 94 230 84 C 222 104 216 118 216 132 C 216 146 222 160 "
                                     "230 180 C 212 170 196 154 180 138 Z"),
                      Flat(fin), line, 4});
    shapes.push_back({QStringLiteral("M 104 96 C 114 72 136 68 160 78 L 150 104 Z"), Flat(fin), line, 4});
    shapes.push_back({QStringLiteral("M 30 132 C 40 100 90 84 128 88 C 156 92 174 110 186 124 L 186 140 C 172 156 "
                                     "150 172 118 174 C 80 176 40 164 30 132 Z"),
                      {88, 174, {{0, QColor(70, 118, 84)}, {0.5, QColor(170, 190, 140)}, {1, QColor(238, 240, 226)}}},
                      line,
                      4});
    // Gill cover, eye and a bubble rising from the mouth.
    shapes.push_back({QStringLiteral("M 78 106 C 88 118 88 142 78 156"), {}, line, 4});
    shapes.push_back({Circle(58, 122, 9), Flat(Qt::white), line, 3});
    shapes.push_back({Circle(56, 122, 4.5), Flat(line)});
    shapes.push_back({Circle(34, 94, 7), {}, QColor(170, 210, 250), 4});
    return shapes;
}

QPainterPath ToPainterPath(const QString &d)
{
    QPainterPath p;
    const QStringList tokens = d.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    int i = 0;
    auto number = [&] { return tokens.at(i++).toDouble(); };
    while (i < tokens.size()) {
        const QString command = tokens.at(i++);
        if (command == QLatin1String("M")) {
            const double x = number(), y = number();
            p.moveTo(x, y);
        } else if (command == QLatin1String("L")) {
            const double x = number(), y = number();
            p.lineTo(x, y);
        } else if (command == QLatin1String("Q")) {
            const double cx = number(), cy = number(), x = number(), y = number();
            p.quadTo(cx, cy, x, y);
        } else if (command == QLatin1String("C")) {
            const double c1x = number(), c1y = number(), c2x = number(), c2y = number(), x = number(), y = number();
            p.cubicTo(c1x, c1y, c2x, c2y, x, y);
        } else if (command == QLatin1String("Z")) {
            p.closeSubpath();
        }
    }
    return p;
}

QBrush ToBrush(const Paint &paint)
{
    if (paint.stops.size() == 1)
        return paint.stops.front().colour;
    QLinearGradient g(0, paint.y0, 0, paint.y1);
    for (const Stop &s : paint.stops)
        g.setColorAt(s.at, s.colour);
    return g;
}

QImage Render(const std::vector<Shape> &shapes, int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    g.scale(size / 256.0, size / 256.0);
    for (const Shape &s : shapes) {
        const QPainterPath path = ToPainterPath(s.path);
        if (!s.fill.stops.empty())
            g.fillPath(path, ToBrush(s.fill));
        if (s.strokeWidth > 0)
            g.strokePath(path, QPen(s.stroke, s.strokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    return img;
}

QString Svg(const std::vector<Shape> &shapes)
{
    QString defs, body;
    int gradients = 0;
    for (const Shape &s : shapes) {
        QString fill = QStringLiteral("none");
        if (s.fill.stops.size() == 1) {
            fill = s.fill.stops.front().colour.name();
        } else if (!s.fill.stops.empty()) {
            const QString id = QStringLiteral("g%1").arg(gradients++);
            defs += QStringLiteral("<linearGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"%2\" "
                                   "x2=\"0\" y2=\"%3\">")
                        .arg(id)
                        .arg(s.fill.y0)
                        .arg(s.fill.y1);
            for (const Stop &stop : s.fill.stops)
                defs += QStringLiteral("<stop offset=\"%1\" stop-color=\"%2\"/>").arg(stop.at).arg(stop.colour.name());
            defs += QStringLiteral("</linearGradient>");
            fill = QStringLiteral("url(#%1)").arg(id);
        }
        body += QStringLiteral("<path d=\"%1\" fill=\"%2\"").arg(s.path, fill);
        if (s.strokeWidth > 0)
            body += QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\" stroke-linecap=\"round\" "
                                   "stroke-linejoin=\"round\"")
                        .arg(s.stroke.name())
                        .arg(s.strokeWidth);
        body += QStringLiteral("/>\n");
    }
    return QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                          "viewBox=\"0 0 256 256\">\n<defs>%1</defs>\n%2</svg>\n")
        .arg(defs, body);
}

} // namespace

bool DrawAppIcons(const QString &dir)
{
    const std::vector<Shape> shapes = IconShapes();
    bool ok = true;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(dir).arg(size);
        ok = QDir().mkpath(folder) && Render(shapes, size).save(folder + QLatin1Char('/') + IconName + ".png") && ok;
    }
    const QString folder = dir + QStringLiteral("/hicolor/scalable/apps");
    QFile svg(folder + QLatin1Char('/') + IconName + QStringLiteral(".svg"));
    if (QDir().mkpath(folder) && svg.open(QIODevice::WriteOnly | QIODevice::Truncate))
        ok = svg.write(Svg(shapes).toUtf8()) > 0 && ok;
    else
        ok = false;
    if (!ok)
        std::fprintf(stderr, "cannot write the icons under %s\n", qPrintable(dir));
    return ok;
}
