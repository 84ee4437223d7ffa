// Renders the species pictures of the encyclopedia from the models in FishSpecies.cpp:
// the body is shaded pixel by pixel in body coordinates (along and across the fish), so
// countershading, scales, bars, stripes and marbling follow its outline; fins are fans
// of rays drawn behind the body, the paired fins in front of it.
#include "DrawFish.h"

#include "FishModel.h"

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int Width = 896;
constexpr int Height = 418;
constexpr double Pi = 3.14159265358979323846;

double Smooth(double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

double Profile(double x, double peak, double at, double exponent, double nose, double ped, double taper)
{
    x = std::clamp(x, 0.0, 1.0);
    if (x < at) {
        const double t = x / at;
        return nose + (peak - nose) * std::pow(1 - (1 - t) * (1 - t), exponent);
    }
    const double t = (x - at) / (1 - at);
    return peak + (ped - peak) * Smooth(std::pow(t, taper));
}

double Hash(int x, int y, int seed)
{
    quint32 h = quint32(x) * 374761393u + quint32(y) * 668265263u + quint32(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return double((h ^ (h >> 16)) & 0xffffff) / double(0xffffff);
}

double Noise(double x, double y, int seed)
{
    const int ix = int(std::floor(x)), iy = int(std::floor(y));
    const double fx = Smooth(x - ix), fy = Smooth(y - iy);
    const double a = Hash(ix, iy, seed), b = Hash(ix + 1, iy, seed);
    const double c = Hash(ix, iy + 1, seed), d = Hash(ix + 1, iy + 1, seed);
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

double Fractal(double x, double y, int seed)
{
    return 0.55 * Noise(x, y, seed) + 0.3 * Noise(x * 2.1, y * 2.1, seed + 7) +
           0.15 * Noise(x * 4.3, y * 4.3, seed + 13);
}

// Scales lie in staggered rows; each one's free rear edge overlaps the scale behind it,
// so a point shows the foremost scale that covers it. 0 inside a scale, 1 on its rim.
double ScaleRim(double px, double py, double size)
{
    const double sy = size * 0.52, r = size * 0.68;
    const int row0 = int(std::floor(py / sy));
    double bestX = 1e9, bestD = 0;
    for (int row = row0 - 2; row <= row0 + 2; ++row) {
        const double off = (row & 1) ? size * 0.5 : 0.0;
        const int c0 = int(std::floor((px - off) / size));
        for (int c = c0 - 1; c <= c0 + 1; ++c) {
            const double cx = c * size + off + size * 0.5, cy = row * sy + sy * 0.5;
            const double d = std::hypot(px - cx, (py - cy) * 1.15);
            if (d < r && cx < bestX) {
                bestX = cx;
                bestD = d;
            }
        }
    }
    if (bestX > 1e8)
        return 0;
    return std::pow(bestD / r, 3);
}

struct Rgb
{
    double r, g, b;
    explicit Rgb(const QColor &c) : r(c.redF()), g(c.greenF()), b(c.blueF()) {}
    Rgb(double r_, double g_, double b_) : r(r_), g(g_), b(b_) {}
    void Mix(const Rgb &o, double t)
    {
        t = std::clamp(t, 0.0, 1.0);
        r += (o.r - r) * t;
        g += (o.g - g) * t;
        b += (o.b - b) * t;
    }
    void Scale(double s)
    {
        r *= s;
        g *= s;
        b *= s;
    }
    QRgb Pixel() const
    {
        auto c = [](double v) { return int(std::clamp(v, 0.0, 1.0) * 255 + 0.5); };
        return qRgb(c(r), c(g), c(b));
    }
};

QColor Alpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

QImage Backdrop()
{
    QImage img(Width, Height, QImage::Format_RGB32);
    QPainter g(&img);
    QLinearGradient water(0, 0, 0, Height);
    water.setColorAt(0, QColor(238, 243, 246));
    water.setColorAt(1, QColor(206, 219, 227));
    g.fillRect(img.rect(), water);
    QRadialGradient light(QPointF(Width * 0.45, Height * 0.35), Width * 0.6);
    light.setColorAt(0, QColor(255, 255, 255, 90));
    light.setColorAt(1, QColor(255, 255, 255, 0));
    g.fillRect(img.rect(), light);
    return img;
}

struct FanGeometry
{
    std::vector<QPointF> base, tip;
    QPainterPath Outline() const
    {
        QPainterPath p;
        p.moveTo(base.front());
        for (const QPointF &t : tip)
            p.lineTo(t);
        for (auto it = base.rbegin(); it != base.rend(); ++it)
            p.lineTo(*it);
        p.closeSubpath();
        return p;
    }
};

enum class FinPlace { Back, Belly, Side };

FanGeometry FanOf(const FishFrame &fr, const Fin &fin, FinPlace place)
{
    FanGeometry fan;
    constexpr int n = 40;
    for (int i = 0; i <= n; ++i) {
        const double t = double(i) / n;
        const double x = fin.from + (fin.to - fin.from) * t;
        QPointF base;
        switch (place) {
        case FinPlace::Back:
            base = QPointF(fr.Px(x), fr.Top(x) + 3);
            break;
        case FinPlace::Belly:
            base = QPointF(fr.Px(x), fr.Bot(x) - 3);
            break;
        case FinPlace::Side:
            base = fr.At(x, fin.v - 0.05 * t);
            break;
        }
        const double angle = (fin.angleFront + (fin.angleRear - fin.angleFront) * t) * Pi / 180;
        const double p = std::max(0.2, fin.edge);
        double len = fin.height * fr.L * (fin.rear + (1 - fin.rear) * std::pow(1 - std::pow(t, p), 1 / p));
        if (fin.rise > 0)
            len *= 0.15 + 0.85 * Smooth(t / fin.rise);
        else if (fin.spines == 0)
            len *= 0.8 + 0.2 * Smooth(t / 0.12); // the short first rays round the tip off
        if (fin.spines > 0) {
            const double phase = t * fin.spines;
            len *= 1 - 0.32 * std::sin(Pi * (phase - std::floor(phase)));
        }
        fan.base.push_back(base);
        fan.tip.push_back(base + QPointF(std::cos(angle), std::sin(angle)) * len);
    }
    return fan;
}

void PaintFan(QPainter &g, const FanGeometry &fan, const QColor &color, int alpha, int rays, bool spiny, int seed,
              const QColor &spots = QColor(), double spotRadius = 3, int spotCount = 14, const QColor &rim = QColor(),
              const QColor &root = QColor())
{
    const QPainterPath outline = fan.Outline();
    QLinearGradient fill(fan.base.front(), fan.tip.front());
    if (root.isValid()) {
        fill.setColorAt(0, Alpha(root, alpha));
        fill.setColorAt(0.45, Alpha(root, alpha));
        fill.setColorAt(0.75, Alpha(color, alpha));
    } else {
        fill.setColorAt(0, Alpha(color.darker(112), alpha));
    }
    fill.setColorAt(1, Alpha(color.lighter(112), std::max(0, alpha - 50)));
    g.setPen(Qt::NoPen);
    g.setBrush(fill);
    g.drawPath(outline);

    const QColor ray = color.darker(spiny ? 200 : 150);
    const int n = int(fan.base.size()) - 1;
    g.setBrush(Qt::NoBrush);
    for (int i = 0; i < rays; ++i) {
        const int k = rays == 1 ? 0 : i * n / (rays - 1);
        const QPointF a = fan.base[k], b = fan.tip[k];
        g.setPen(QPen(Alpha(ray, spiny ? 200 : 110), spiny ? 1.6 : 1.0, Qt::SolidLine, Qt::RoundCap));
        g.drawLine(a, a + (b - a) * (spiny ? 1.0 : 0.97));
    }
    if (spots.isValid()) {
        g.save();
        g.setClipPath(outline);
        QRandomGenerator rnd{quint32(seed)};
        const QRectF box = outline.boundingRect();
        g.setPen(Qt::NoPen);
        g.setBrush(spots);
        for (int i = 0; i < spotCount * 3; ++i) {
            const QPointF c(box.left() + rnd.generateDouble() * box.width(),
                            box.top() + rnd.generateDouble() * box.height());
            if (outline.contains(c))
                g.drawEllipse(c, spotRadius * (0.7 + 0.6 * rnd.generateDouble()), spotRadius * 0.8);
        }
        g.restore();
    }
    QPainterPath edge;
    edge.moveTo(fan.tip.front());
    for (const QPointF &t : fan.tip)
        edge.lineTo(t);
    if (rim.isValid()) {
        g.setPen(QPen(rim, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        g.drawPath(edge);
    }
    g.setPen(QPen(Alpha(color.darker(170), 120), 1.0));
    g.drawPath(edge);
}

void PaintFin(QPainter &g, const FishFrame &fr, const Fin &fin, FinPlace place, int seed)
{
    if (!fin.on())
        return;
    const FanGeometry fan = FanOf(fr, fin, place);
    const double base = fin.to - fin.from;
    const int rays = fin.spines > 0 ? fin.spines + 1 : std::max(5, int(base * (base > 0.3 ? 40 : 90)) + 6);
    PaintFan(g, fan, fin.color, fin.alpha, rays, fin.spines > 0, seed, fin.spots, fin.spotSize * fr.L, fin.spotCount,
             fin.rim, fin.root);
    if (fin.whiteLead) {
        const QPointF a = fan.base.front(), b = fan.tip.front();
        const QPointF a2 = fan.base[3], b2 = fan.tip[3];
        g.setPen(QPen(QColor(20, 20, 20, 200), 3.2, Qt::SolidLine, Qt::RoundCap));
        g.drawLine(a2, b2);
        g.setPen(QPen(QColor(250, 250, 245), 3.4, Qt::SolidLine, Qt::RoundCap));
        g.drawLine(a, b);
    }
}

FanGeometry TailFan(const FishFrame &fr)
{
    const Fish &f = fr.fish;
    FanGeometry fan;
    constexpr int n = 48;
    const double x = 0.975;
    const double top = fr.Top(x) + 1, bot = fr.Bot(x) - 1;
    for (int i = 0; i <= n; ++i) {
        const double t = double(i) / n;
        double spreadFrom = -f.tailSpread, spreadTo = f.tailSpread;
        double len = f.tailLength;
        switch (f.tail) {
        case TailShape::Forked:
            len *= f.fork + (1 - f.fork) * std::pow(std::abs(2 * t - 1), 1.25);
            len *= 1 + (f.lowerLobe - 1) * Smooth(2 * t - 1);
            break;
        case TailShape::Square:
            len *= 0.9 + 0.1 * std::abs(2 * t - 1);
            break;
        case TailShape::Rounded:
            len *= 0.72 + 0.28 * std::sin(Pi * t);
            break;
        case TailShape::Sturgeon:
            spreadFrom = -9;
            spreadTo = 48;
            len *= 0.38 + 0.75 * std::pow(1 - t, 2.6) + 0.22 * std::exp(-std::pow((t - 0.82) / 0.13, 2));
            break;
        case TailShape::Point:
            spreadFrom = -85;
            spreadTo = 85;
            len *= 0.55 + 0.45 * std::sin(Pi * t);
            break;
        }
        const double angle = (spreadFrom + (spreadTo - spreadFrom) * t) * Pi / 180;
        const QPointF base(fr.Px(x), top + (bot - top) * t);
        fan.base.push_back(base);
        fan.tip.push_back(base + QPointF(std::cos(angle), std::sin(angle)) * len * fr.L);
    }
    return fan;
}

QPainterPath BodyPath(const FishFrame &fr, QPainterPath *back = nullptr, QPainterPath *belly = nullptr)
{
    constexpr int n = 240;
    QPainterPath body, top, bottom;
    for (int i = 0; i <= n; ++i) {
        const double x = double(i) / n;
        const QPointF p(fr.Px(x), fr.Top(x));
        if (i == 0)
            body.moveTo(p), top.moveTo(p);
        else
            body.lineTo(p), top.lineTo(p);
    }
    for (int i = n; i >= 0; --i) {
        const double x = double(i) / n;
        const QPointF p(fr.Px(x), fr.Bot(x));
        body.lineTo(p);
        if (i == n)
            bottom.moveTo(p);
        else
            bottom.lineTo(p);
    }
    body.closeSubpath();
    if (back)
        *back = top;
    if (belly)
        *belly = bottom;
    return body;
}

QImage BodyTexture(const FishFrame &fr, int seed)
{
    const Fish &f = fr.fish;
    QImage tex(Width, Height, QImage::Format_RGB32);
    tex.fill(Qt::black);
    const Rgb back(f.back), flank(f.flank), belly(f.belly);
    const double scalePx = f.scale * fr.L;
    const int x0 = std::max(0, int(fr.Px(0)) - 2), x1 = std::min(Width - 1, int(fr.Px(1.0)) + 2);
    for (int px = x0; px <= x1; ++px) {
        const double x = std::clamp((px - fr.X0) / fr.L, 0.0, 1.0);
        const double top = fr.Top(x), bot = fr.Bot(x);
        const double thick = std::max(1.0, bot - top);
        const int y0 = std::max(0, int(top) - 2), y1 = std::min(Height - 1, int(bot) + 2);
        for (int py = y0; py <= y1; ++py) {
            const double v = std::clamp((py - top) / thick, 0.0, 1.0);
            Rgb c = back;
            if (v < f.flankAt)
                c.Mix(flank, Smooth(v / f.flankAt));
            else {
                c = flank;
                c.Mix(belly, Smooth((v - f.flankAt) / (1 - f.flankAt)));
            }
            if (f.blush.isValid() && x >= f.blushFrom && x <= f.blushTo)
                c.Mix(Rgb(f.blush), Smooth((v - 0.62) / 0.25) * 0.85 * Smooth((x - f.blushFrom) / 0.05) *
                                        Smooth((f.blushTo - x) / 0.05));
            for (const Stripe &s : f.stripes) {
                const double vs = s.v + 0.03 * std::sin(Pi * x);
                const double k = std::exp(-std::pow((v - vs) / s.width, 2)) * Smooth((x - s.from) / 0.08) *
                                 Smooth((s.to - x) / 0.05);
                c.Mix(Rgb(s.color), k * s.color.alphaF());
            }
            if (f.bars > 0) {
                for (int b = 0; b < f.bars; ++b) {
                    const double centre = f.barsFrom + (f.barsTo - f.barsFrom) * (b + 0.5) / f.bars + 0.03 * (v - 0.3);
                    const double w = f.barWidth * (1.15 - 0.6 * v);
                    const double k = Smooth(1 - std::abs(x - centre) / w) * Smooth((f.barsDown - v) / 0.18);
                    if (k > 0)
                        c.Mix(Rgb(f.barColor), k * f.barColor.alphaF());
                }
            }
            if (f.marble.isValid()) {
                const double s = f.marbleScale * fr.L;
                const double n = Fractal(px / s, py / s, seed);
                const double k = Smooth((n - 0.52) / 0.08) * Smooth((f.marbleDown - v) / 0.2);
                c.Mix(Rgb(f.marble), k * f.marbleAmount);
            }
            if (scalePx > 2 && x > f.head - 0.02) {
                const double rim = ScaleRim(px, py, scalePx);
                const double fade = Smooth((x - f.head + 0.02) / 0.06) * (0.5 + 0.5 * std::sin(Pi * v));
                c.Scale(1 + f.scaleDark * fade * (0.3 - rim));
            }
            if (f.lineStrength > 0 && x > f.head) {
                const double vl = f.lineV + f.lineSag * std::sin(Pi * (x - f.head) / (1 - f.head));
                const double dist = std::abs(v - vl) * thick;
                if (dist < 1.6)
                    c.Scale(1 - f.lineStrength * (1 - dist / 1.6));
            }
            // Roundness: darker towards the edges, a soft sheen along the upper flank.
            const double round = 0.72 + 0.36 * std::pow(std::sin(Pi * std::clamp(0.04 + v * 0.92, 0.0, 1.0)), 0.6);
            c.Scale(round);
            const double sheen = f.shine * std::exp(-std::pow((v - 0.34) / 0.12, 2));
            c.Mix(Rgb(1, 1, 1), sheen);
            const double grain = 0.03 * (Noise(px * 0.35, py * 0.35, seed + 3) - 0.5);
            c.Scale(1 + grain);
            reinterpret_cast<QRgb *>(tex.scanLine(py))[px] = c.Pixel();
        }
    }
    return tex;
}

void PaintSpots(QPainter &g, const FishFrame &fr, const SpotSet &set, int seed)
{
    QRandomGenerator rnd{quint32(seed)};
    for (int i = 0; i < set.count; ++i) {
        const double along = set.row ? (i + 0.5) / set.count : rnd.generateDouble();
        const double x = set.xFrom + (set.xTo - set.xFrom) * along;
        const double v = set.vFrom + (set.vTo - set.vFrom) * rnd.generateDouble();
        const QPointF c = fr.At(x, v);
        const double r = set.size * fr.L * (1 - set.jitter + 2 * set.jitter * rnd.generateDouble());
        if (set.halo.isValid()) {
            g.setPen(Qt::NoPen);
            g.setBrush(set.halo);
            g.drawEllipse(c, r * 1.75 * set.stretch, r * 1.75);
        }
        if (set.cross) {
            g.setPen(QPen(set.color, r * 0.7, Qt::SolidLine, Qt::RoundCap));
            g.drawLine(c + QPointF(-r, -r), c + QPointF(r, r));
            g.drawLine(c + QPointF(-r, r), c + QPointF(r, -r));
            continue;
        }
        g.setPen(Qt::NoPen);
        g.setBrush(set.color);
        g.drawEllipse(c, r * set.stretch, r);
    }
}

void PaintEye(QPainter &g, const FishFrame &fr)
{
    const Fish &f = fr.fish;
    const QPointF c = fr.At(f.eyeX, f.eyeV);
    const double r = f.eyeSize * fr.L;
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0, 0, 0, 60));
    g.drawEllipse(c, r * 1.22, r * 1.18);
    QRadialGradient iris(c - QPointF(r * 0.3, r * 0.3), r * 1.3);
    if (f.glassyEye) {
        iris.setColorAt(0, QColor(236, 238, 230));
        iris.setColorAt(1, QColor(150, 160, 150));
    } else {
        iris.setColorAt(0, f.iris.lighter(130));
        iris.setColorAt(1, f.iris.darker(140));
    }
    g.setBrush(iris);
    g.drawEllipse(c, r, r);
    g.setBrush(f.glassyEye ? QColor(60, 70, 70) : QColor(12, 12, 14));
    g.drawEllipse(c, r * 0.55, r * 0.55);
    if (f.glassyEye) {
        QRadialGradient milk(c, r * 0.6);
        milk.setColorAt(0, QColor(220, 230, 225, 120));
        milk.setColorAt(1, QColor(220, 230, 225, 20));
        g.setBrush(milk);
        g.drawEllipse(c, r * 0.55, r * 0.55);
    }
    g.setBrush(QColor(255, 255, 255, 230));
    g.drawEllipse(c + QPointF(-r * 0.22, -r * 0.26), r * 0.17, r * 0.15);
}

QPainterPath GillEdge(const FishFrame &fr)
{
    const double head = fr.fish.head;
    QPainterPath gill;
    gill.moveTo(fr.At(head - 0.02, 0.12));
    gill.cubicTo(fr.At(head + 0.012, 0.35), fr.At(head + 0.012, 0.7), fr.At(head - 0.025, 0.93));
    return gill;
}

void PaintHead(QPainter &g, const FishFrame &fr)
{
    const Fish &f = fr.fish;
    const QColor dark = f.back.darker(230);
    // Gill cover; a lamprey has open gill pores instead.
    const QPainterPath gill = GillEdge(fr);
    g.setBrush(Qt::NoBrush);
    if (f.gillPores == 0) {
        g.setPen(QPen(Alpha(dark, 150), 2.0, Qt::SolidLine, Qt::RoundCap));
        g.drawPath(gill);
        g.setPen(QPen(QColor(255, 255, 255, 60), 1.2));
        g.drawPath(gill.translated(-2.2, 0));
    } else {
        g.setPen(Qt::NoPen);
        g.setBrush(Alpha(dark, 200));
        for (int i = 0; i < f.gillPores; ++i)
            g.drawEllipse(fr.At(f.eyeX + 0.03 + i * 0.0125, f.eyeV + 0.1), 0.0035 * fr.L, 0.0045 * fr.L);
    }

    // Mouth.
    const double m = f.mouthLength;
    const double L = fr.L;
    QPainterPath mouth;
    switch (f.mouth) {
    case MouthShape::Terminal:
        mouth.moveTo(fr.At(0.004, 0.5 + f.mouthDrop));
        mouth.quadTo(fr.At(m * 0.5, 0.56 + f.mouthDrop), fr.At(m, 0.6 + f.mouthDrop));
        break;
    case MouthShape::Wide:
        mouth.moveTo(fr.At(0.002, 0.52));
        mouth.quadTo(fr.At(m * 0.5, 0.62), fr.At(m, 0.6));
        break;
    case MouthShape::Upturned:
        mouth.moveTo(fr.At(0.003, 0.3) + QPointF(-f.jut * L, -0.4 * f.jut * L));
        mouth.quadTo(fr.At(m * 0.45, 0.3 + (f.gapeEnd - 0.3) * 0.5), fr.At(m, f.gapeEnd));
        break;
    case MouthShape::Under:
        mouth.moveTo(fr.At(0.02, 0.9));
        mouth.quadTo(fr.At(0.02 + m * 0.5, 0.86), fr.At(0.02 + m, 0.8));
        break;
    case MouthShape::Beak:
        mouth.moveTo(fr.At(0.002, 0.5));
        mouth.cubicTo(fr.At(m * 0.4, 0.52), fr.At(m * 0.8, 0.6), fr.At(m, 0.62));
        break;
    case MouthShape::Ventral: {
        // The gape runs along the underside, set back behind the snout's tip, and turns up
        // at its corner.
        constexpr int n = 12;
        for (int i = 0; i <= n; ++i) {
            const QPointF p = fr.At(f.mouthAt + m * i / n, 0.9);
            if (i == 0)
                mouth.moveTo(p);
            else
                mouth.lineTo(p);
        }
        mouth.quadTo(fr.At(f.mouthAt + m + 0.006, 0.9), fr.At(f.mouthAt + m + 0.012, 0.8));
        break;
    }
    case MouthShape::Sucker: {
        const QPointF c = fr.At(0.012, 0.72);
        g.setPen(QPen(Alpha(dark, 180), 1.5));
        g.setBrush(Alpha(f.belly.darker(115), 255));
        g.drawEllipse(c, 0.014 * L, 0.022 * L);
        break;
    }
    }
    // A lower jaw that juts out ahead of the snout: the chin's crescent under the gape.
    if (f.jut > 0 && !mouth.isEmpty()) {
        const QPointF front = mouth.pointAtPercent(0);
        QPainterPath chin = mouth;
        chin.cubicTo(fr.At(m * 0.7, 0.78), fr.At(0.012, 0.8) + QPointF(-f.jut * L * 0.6, 0),
                     front + QPointF(0, 0.3 * f.jut * L));
        chin.closeSubpath();
        QLinearGradient shade(front, fr.At(m * 0.5, 0.85));
        shade.setColorAt(0, f.flank.lighter(104));
        shade.setColorAt(1, f.belly.darker(108));
        g.setPen(QPen(Alpha(dark, 160), 1.4));
        g.setBrush(shade);
        g.drawPath(chin);
    }
    if (!mouth.isEmpty()) {
        g.setBrush(Qt::NoBrush);
        g.setPen(QPen(Alpha(dark, 225), 3.4, Qt::SolidLine, Qt::RoundCap));
        g.drawPath(mouth);
        g.setPen(QPen(QColor(255, 255, 255, 80), 1.2, Qt::SolidLine, Qt::RoundCap));
        g.drawPath(mouth.translated(0, -2.6));
    }
    if (f.hornyLip.isValid() && f.mouth == MouthShape::Ventral) {
        // Straight along the underside from the front of the gape to its corner, its lower
        // edge on the outline: the sharp edge the fish scrapes stones with.
        const double w = 0.009 * L;
        const QPointF a(fr.Px(f.mouthAt), fr.Bot(f.mouthAt) - w * 0.5);
        const QPointF b(fr.Px(f.mouthAt + m), fr.Bot(f.mouthAt + m) - w * 0.5);
        g.setPen(QPen(f.hornyLip, w, Qt::SolidLine, Qt::RoundCap));
        g.drawLine(a, b);
        g.setPen(QPen(QColor(255, 255, 255, 110), 1.2, Qt::SolidLine, Qt::FlatCap));
        g.drawLine(a - QPointF(0, w * 0.6), b - QPointF(0, w * 0.6));
    }
    // Nostril.
    g.setPen(Qt::NoPen);
    g.setBrush(Alpha(dark, 170));
    g.drawEllipse(fr.At(f.eyeX * 0.55, f.eyeV - 0.02), 0.004 * fr.L, 0.003 * fr.L);
    PaintEye(g, fr);
}

void PaintBarbels(QPainter &g, const FishFrame &fr)
{
    const Fish &f = fr.fish;
    for (const Barbel &b : f.barbels) {
        const QPointF root = fr.At(b.x, b.v);
        const double a = b.angle * Pi / 180;
        const QPointF dir(std::cos(a), std::sin(a));
        const double len = b.length * fr.L;
        const QPointF end = root + dir * len + QPointF(0, b.droop * len);
        const QPointF mid = root + dir * len * 0.55;
        QPainterPath p;
        p.moveTo(root);
        p.quadTo(mid, end);
        g.setBrush(Qt::NoBrush);
        g.setPen(QPen(Alpha(f.barbelColor.darker(150), 180), b.width + 1.2, Qt::SolidLine, Qt::RoundCap));
        g.drawPath(p);
        g.setPen(QPen(f.barbelColor, b.width, Qt::SolidLine, Qt::RoundCap));
        g.drawPath(p);
    }
}

void PaintScutes(QPainter &g, const FishFrame &fr)
{
    auto plate = [&](QPointF c, double w, double h) {
        QPainterPath p;
        p.moveTo(c + QPointF(-w, 0));
        p.lineTo(c + QPointF(0, -h));
        p.lineTo(c + QPointF(w, 0));
        p.lineTo(c + QPointF(0, h));
        p.closeSubpath();
        QLinearGradient fill(c + QPointF(0, -h), c + QPointF(0, h));
        fill.setColorAt(0, QColor(236, 228, 206));
        fill.setColorAt(1, QColor(150, 140, 120));
        g.setBrush(fill);
        g.setPen(QPen(QColor(60, 56, 48, 200), 1.0));
        g.drawPath(p);
        g.setPen(QPen(QColor(90, 84, 70, 160), 0.8));
        g.drawLine(c + QPointF(-w * 0.6, 0), c + QPointF(w * 0.6, 0));
    };
    const double L = fr.L;
    for (int i = 0; i < 12; ++i) {
        const double x = 0.27 + i * 0.052;
        plate(QPointF(fr.Px(x), fr.Top(x) + 0.006 * L), 0.02 * L, 0.016 * L);
    }
    for (int i = 0; i < 30; ++i) {
        const double x = 0.25 + i * 0.024;
        plate(fr.At(x, 0.44), 0.013 * L, 0.011 * L);
    }
    for (int i = 0; i < 10; ++i) {
        const double x = 0.32 + i * 0.05;
        plate(fr.At(x, 0.86), 0.012 * L, 0.009 * L);
    }
}

QImage Render(const Fish &f)
{
    const int seed = int(qHash(f.file) & 0x7fffffff);
    FishFrame fr{f};
    const double total = 1 + f.tailLength * 0.98;
    const double above = std::max({f.depth * f.arch + std::max(f.dorsal.height, f.dorsal2.height) * 0.85,
                                   f.tailLength * std::sin(f.tailSpread * Pi / 180) + f.peduncle * 0.5});
    const double below = std::max({f.depth * (1 - f.arch) + std::max(f.anal.height, f.pelvic.height * 0.6) * 0.85,
                                   f.tailLength * std::sin(f.tailSpread * Pi / 180) + f.peduncle * 0.5, f.depth * 0.5});
    fr.L = std::min(0.86 * Width / total, 0.84 * Height / (above + below + std::abs(f.wave) * 2));
    fr.X0 = (Width - total * fr.L) / 2;
    fr.Y0 = (Height - (above + below) * fr.L) / 2 + above * fr.L;

    QImage img = Backdrop();
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);

    // A soft shadow on the bottom beneath the fish.
    QRadialGradient shadow(QPointF(fr.Px(0.5), Height * 0.93), fr.L * 0.5);
    shadow.setColorAt(0, QColor(90, 110, 120, 60));
    shadow.setColorAt(1, QColor(90, 110, 120, 0));
    g.save();
    g.translate(fr.Px(0.5), Height * 0.93);
    g.scale(1, 0.08);
    g.translate(-fr.Px(0.5), -Height * 0.93);
    g.setPen(Qt::NoPen);
    g.setBrush(shadow);
    g.drawEllipse(QPointF(fr.Px(0.5), Height * 0.93), fr.L * 0.55, fr.L * 0.55);
    g.restore();

    // Fins behind the body.
    const FanGeometry tail = TailFan(fr);
    PaintFan(g, tail, f.tailColor, 225, 22, false, seed + 1, f.tailSpots, 0.005 * fr.L, 22);
    PaintFin(g, fr, f.dorsal, FinPlace::Back, seed + 2);
    PaintFin(g, fr, f.dorsal2, FinPlace::Back, seed + 3);
    PaintFin(g, fr, f.adipose, FinPlace::Back, seed + 4);
    PaintFin(g, fr, f.anal, FinPlace::Belly, seed + 5);

    QPainterPath back, belly;
    const QPainterPath body = BodyPath(fr, &back, &belly);
    g.setPen(Qt::NoPen);
    g.setBrush(QBrush(BodyTexture(fr, seed)));
    g.drawPath(body);

    g.save();
    g.setClipPath(body);
    int k = 0;
    for (const SpotSet &set : f.spots)
        PaintSpots(g, fr, set, seed + 10 + k++);
    if (f.gillPores == 0) {
        // A soft light on the cheek, a shadow under the gill cover's free edge.
        const double r = f.head * 0.6 * fr.L;
        const QPointF cheek = fr.At(f.head * 0.55, 0.5);
        QRadialGradient light(cheek, r);
        light.setColorAt(0, QColor(255, 255, 255, 50));
        light.setColorAt(1, QColor(255, 255, 255, 0));
        g.setPen(Qt::NoPen);
        g.setBrush(light);
        g.drawEllipse(cheek, r, r);
        QPainterPath shade;
        const QPainterPath edge = GillEdge(fr);
        const QPointF shift(0.04 * fr.L, 0);
        shade.moveTo(edge.pointAtPercent(0));
        for (int i = 1; i <= 20; ++i)
            shade.lineTo(edge.pointAtPercent(i / 20.0));
        for (int i = 20; i >= 0; --i)
            shade.lineTo(edge.pointAtPercent(i / 20.0) + shift);
        shade.closeSubpath();
        QLinearGradient fall(QPointF(fr.Px(f.head - 0.01), 0), QPointF(fr.Px(f.head + 0.05), 0));
        fall.setColorAt(0, QColor(0, 0, 0, 55));
        fall.setColorAt(1, QColor(0, 0, 0, 0));
        g.setBrush(fall);
        g.drawPath(shade);
    }
    // The tail's rays start on the tail root: let its colour run into the body there.
    QLinearGradient root(QPointF(fr.Px(0.94), 0), QPointF(fr.Px(1.0), 0));
    root.setColorAt(0, Alpha(f.tailColor, 0));
    root.setColorAt(1, Alpha(f.tailColor, 150));
    g.fillRect(QRectF(QPointF(fr.Px(0.94), 0), QPointF(fr.Px(1.0) + 1, Height)), root);
    g.restore();

    g.setBrush(Qt::NoBrush);
    g.setPen(QPen(Alpha(f.back.darker(250), 150), 1.4));
    g.drawPath(back);
    g.setPen(QPen(Alpha(f.belly.darker(200), 110), 1.2));
    g.drawPath(belly);

    if (f.scutes)
        PaintScutes(g, fr);
    PaintHead(g, fr);
    PaintFin(g, fr, f.pelvic, FinPlace::Side, seed + 6);
    PaintFin(g, fr, f.pectoral, FinPlace::Side, seed + 7);
    PaintBarbels(g, fr);
    if (f.extra)
        f.extra(g, fr);
    return img;
}

} // namespace

double FishFrame::Mid(double x) const
{
    const double t = std::max(0.0, 1 - x / fish.backAt);
    double mid = fish.noseShift * fish.depth * t * t;
    if (fish.wave != 0)
        mid += fish.wave * std::sin(2 * Pi * (x * 1.15 + 0.15)) * (0.4 + 0.6 * x);
    return mid;
}

double FishFrame::Up(double x) const
{
    return Profile(x, fish.depth * fish.arch, fish.backAt, fish.snout, fish.noseHalf, fish.peduncle * 0.5, fish.taper);
}

double FishFrame::Down(double x) const
{
    return Profile(x, fish.depth * (1 - fish.arch), fish.bellyAt, fish.chin, fish.noseHalf, fish.peduncle * 0.5,
                   fish.taper);
}

QPointF FishFrame::At(double x, double v) const
{
    return {Px(x), Top(x) + v * (Bot(x) - Top(x))};
}

bool DrawSpeciesPictures(const QString &folder)
{
    QDir().mkpath(folder);
    bool ok = true;
    for (const Fish &fish : EncyclopediaSpecies()) {
        const QString path = folder + QLatin1Char('/') + fish.file;
        if (!Render(fish).save(path, "JPG", 85)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    return ok;
}
