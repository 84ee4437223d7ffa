#pragma once

#include <QColor>
#include <QPointF>
#include <QString>
#include <functional>
#include <vector>

class QPainter;
struct FishFrame;

// One fin as a fan of rays. Lengths are parts of the body length (snout to tail base);
// ray directions are degrees from the tail's direction, negative upwards.
struct Fin
{
    double from = 0, to = 0; // where the base runs along the body
    double height = 0;       // the longest (front) ray
    double angleFront = -70, angleRear = -25;
    double rear = 0.3; // the last ray, as part of the longest
    double edge = 1.0; // outline between them: below 1 concave, 1 straight, above 1 convex
    int spines = 0;    // a spiny fin: the membrane dips between the spines
    double rise = 0;   // long low fins: the part of the base over which they grow from nothing
    double v = 0.75;   // paired fins: where the base lies between back (0) and belly (1)
    QColor color{150, 140, 120};
    int alpha = 215;
    QColor spots; // none when invalid
    double spotSize = 0.006;
    int spotCount = 14;
    QColor rim;  // a coloured outer edge
    QColor root; // a colour of the fin's root that fades into `color` towards the edge
    bool whiteLead = false;
    bool on() const { return height > 0; }
};

enum class TailShape { Forked, Square, Rounded, Sturgeon, Point };
// Ventral: a mouth on the underside of the head, behind a snout that overhangs it; its lips
// follow the outline from `mouthAt` back.
enum class MouthShape { Terminal, Upturned, Under, Sucker, Beak, Wide, Ventral };

struct SpotSet
{
    QColor color;
    int count = 0;
    double size = 0.008;
    double xFrom = 0.2, xTo = 0.95;
    double vFrom = 0.1, vTo = 0.6;
    QColor halo;
    bool cross = false;   // x-shaped marks (salmon)
    double stretch = 1.0; // wider than high above 1
    double jitter = 0.35; // spread of sizes
    bool row = false;     // evenly spaced along the body rather than scattered
};

struct Stripe
{
    QColor color;
    double v = 0.45, width = 0.08, from = 0.2, to = 1.0;
};

struct Barbel
{
    double x, v;   // root
    double length; // part of the body length
    double angle;  // degrees, 0 = towards the tail, 90 = down, 180 = forwards
    double width = 2.0;
    double droop = 0.25;
};

struct Fish
{
    QString file;
    // Body outline: depth and where the back and the belly are deepest; snout and chin
    // exponents shape the head (0.5 blunt and round, 1 a wedge, above 1 a long snout).
    double depth = 0.26, arch = 0.55, backAt = 0.38, bellyAt = 0.45;
    double snout = 0.75, chin = 0.7, noseHalf = 0.012, noseShift = 0.0;
    double peduncle = 0.085, taper = 1.0, wave = 0.0;
    double head = 0.24; // the gill cover's edge
    // Eye and mouth.
    double eyeX = 0.085, eyeV = 0.36, eyeSize = 0.022;
    QColor iris{214, 190, 120};
    bool glassyEye = false;
    MouthShape mouth = MouthShape::Terminal;
    double mouthLength = 0.05;
    double mouthAt = 0.02; // a mouth underneath: how far behind the snout's tip it starts
    double mouthDrop = 0;  // a mouth at the front set lower on the snout (across the head)
    // The marks of the mouth that tell look-alikes apart: how far the lower jaw juts out
    // ahead of the snout (a mouth at the top), and the straight, horny edge of the lower lip
    // of a mouth underneath (Ventral).
    double jut = 0;
    double gapeEnd = 0.5; // where a mouth at the top ends, across the head
    QColor hornyLip;      // none when invalid
    // Colouring from back to belly, scales, lateral line.
    QColor back, flank, belly;
    double flankAt = 0.45;
    double scale = 0.028;    // scale size, 0 for none
    double scaleDark = 0.22; // how strongly scale edges show
    double lineV = 0.42, lineSag = 0.06;
    double lineStrength = 0.25;
    double shine = 0.10; // the silver sheen along the upper flank
    // Patterns.
    int bars = 0;
    double barsFrom = 0.25, barsTo = 0.85, barWidth = 0.025, barsDown = 0.75;
    QColor barColor{30, 40, 20, 150};
    std::vector<Stripe> stripes; // bands along the flank
    QColor marble;               // dark marbling of the back and flanks
    double marbleScale = 0.03, marbleDown = 0.8, marbleAmount = 0.5;
    QColor blush; // a coloured belly or throat
    double blushFrom = 0.0, blushTo = 1.0;
    std::vector<SpotSet> spots;
    // Fins and tail.
    Fin dorsal, dorsal2, adipose, anal, pelvic, pectoral;
    TailShape tail = TailShape::Forked;
    double tailLength = 0.22, tailSpread = 36, fork = 0.45;
    double lowerLobe = 1.0; // a forked tail's lower lobe against the upper one
    QColor tailColor{150, 140, 120};
    QColor tailSpots;
    std::vector<Barbel> barbels;
    QColor barbelColor{170, 150, 120};
    bool scutes = false;
    int gillPores = 0;
    std::function<void(QPainter &, const FishFrame &)> extra;
};

// Where a fish lies on the canvas: x runs along the body from the snout (0) to the tail
// base (1); v runs across it from the back (0) to the belly (1).
struct FishFrame
{
    const Fish &fish;
    double L = 0, X0 = 0, Y0 = 0;

    double Mid(double x) const;
    double Up(double x) const;
    double Down(double x) const;
    double Px(double x) const { return X0 + x * L; }
    double Top(double x) const { return Y0 + (Mid(x) - Up(x)) * L; }
    double Bot(double x) const { return Y0 + (Mid(x) + Down(x)) * L; }
    QPointF At(double x, double v) const;
};

std::vector<Fish> EncyclopediaSpecies();
