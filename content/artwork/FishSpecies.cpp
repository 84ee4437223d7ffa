// The encyclopedia's species as drawing models: outline, fins and colouring chosen so
// that the marks an angler goes by (fin places and shapes, mouth, barbels, spots, bars)
// tell each fish from its look-alikes.
#include "FishModel.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

Fin Dorsal(double from, double to, double height, QColor color, double edge = 0.65, double rear = 0.22)
{
    Fin f;
    f.from = from;
    f.to = to;
    f.height = height;
    f.color = color;
    f.edge = edge;
    f.rear = rear;
    f.angleFront = -74;
    f.angleRear = -26;
    return f;
}

Fin Anal(double from, double to, double height, QColor color, double edge = 0.65, double rear = 0.22)
{
    Fin f = Dorsal(from, to, height, color, edge, rear);
    f.angleFront = 72;
    f.angleRear = 26;
    return f;
}

Fin Pelvic(double x, double height, QColor color, double edge = 1.2)
{
    Fin f;
    f.from = x;
    f.to = x + 0.035;
    f.v = 0.88;
    f.height = height;
    f.color = color;
    f.edge = edge;
    f.rear = 0.35;
    f.angleFront = 48;
    f.angleRear = 22;
    return f;
}

Fin Pectoral(double x, double height, QColor color, double edge = 1.4)
{
    Fin f;
    f.from = x;
    f.to = x + 0.025;
    f.v = 0.7;
    f.height = height;
    f.color = color;
    f.edge = edge;
    f.rear = 0.3;
    f.angleFront = 34;
    f.angleRear = 12;
    f.alpha = 190;
    return f;
}

Fin Adipose(double x, QColor color, double size = 0.035)
{
    Fin f;
    f.from = x;
    f.to = x + size * 1.5;
    f.height = size;
    f.color = color;
    f.edge = 2.2;
    f.rear = 0.1;
    f.angleFront = -70;
    f.angleRear = -8;
    f.alpha = 235;
    return f;
}

Fish Cyprinid(const char *file, QColor back, QColor flank, QColor belly, QColor fins)
{
    Fish f;
    f.file = QString::fromLatin1(file);
    f.depth = 0.27;
    f.arch = 0.56;
    f.backAt = 0.4;
    f.bellyAt = 0.48;
    f.snout = 0.7;
    f.chin = 0.65;
    f.noseHalf = 0.014;
    f.head = 0.23;
    f.eyeX = 0.075;
    f.eyeV = 0.38;
    f.eyeSize = 0.024;
    f.scale = 0.032;
    f.lineV = 0.5;
    f.lineSag = 0.08;
    f.back = back;
    f.flank = flank;
    f.belly = belly;
    f.dorsal = Dorsal(0.45, 0.57, 0.15, fins);
    f.anal = Anal(0.66, 0.77, 0.11, fins);
    f.pelvic = Pelvic(0.46, 0.1, fins);
    f.pectoral = Pectoral(0.235, 0.12, fins);
    f.tailColor = fins;
    f.tailLength = 0.22;
    f.tailSpread = 34;
    f.fork = 0.42;
    return f;
}

Fish Salmonid(const char *file, QColor back, QColor flank, QColor belly, QColor fins)
{
    Fish f = Cyprinid(file, back, flank, belly, fins);
    f.depth = 0.22;
    f.arch = 0.54;
    f.snout = 0.8;
    f.head = 0.235;
    f.mouth = MouthShape::Wide;
    f.mouthLength = 0.075;
    f.scale = 0.012;
    f.scaleDark = 0.12;
    f.lineV = 0.45;
    f.lineSag = 0.02;
    f.dorsal = Dorsal(0.42, 0.53, 0.13, fins, 1.0, 0.3);
    f.adipose = Adipose(0.77, fins);
    f.anal = Anal(0.72, 0.81, 0.1, fins, 1.0, 0.3);
    f.pelvic = Pelvic(0.5, 0.09, fins);
    f.tail = TailShape::Forked;
    f.fork = 0.8;
    f.tailLength = 0.2;
    return f;
}

Fish Percid(const char *file, QColor back, QColor flank, QColor belly, QColor fins)
{
    Fish f = Cyprinid(file, back, flank, belly, fins);
    f.head = 0.28;
    f.snout = 0.8;
    f.mouth = MouthShape::Wide;
    f.mouthLength = 0.07;
    f.scale = 0.018;
    f.lineV = 0.35;
    f.lineSag = 0.05;
    f.pelvic = Pelvic(0.33, 0.11, fins);
    f.pectoral = Pectoral(0.29, 0.11, fins);
    f.tailLength = 0.2;
    f.fork = 0.62;
    return f;
}

Fin Spiny(double from, double to, double height, QColor color, int spines)
{
    Fin f = Dorsal(from, to, height, color, 1.6, 0.35);
    f.spines = spines;
    f.angleFront = -80;
    f.angleRear = -55;
    return f;
}

void Fangs(QPainter &g, const FishFrame &fr, double x)
{
    g.setPen(QPen(QColor(80, 70, 60), 1));
    g.setBrush(QColor(245, 242, 230));
    for (double dx : {0.0, 0.012}) {
        const QPointF root = fr.At(x + dx, 0.56);
        QPainterPath tooth;
        tooth.moveTo(root + QPointF(-3, 0));
        tooth.lineTo(root + QPointF(3, 0));
        tooth.lineTo(root + QPointF(0.5, 0.012 * fr.L));
        tooth.closeSubpath();
        g.drawPath(tooth);
    }
}

} // namespace

std::vector<Fish> EncyclopediaSpecies()
{
    std::vector<Fish> all;
    const QColor grey(140, 140, 135);

    { // Amur biały: long, round in section, broad flat head, large dark-edged scales.
        Fish f = Cyprinid("amur_bialy.jpg", QColor(70, 82, 72), QColor(175, 175, 145), QColor(236, 232, 212),
                          QColor(110, 112, 100));
        f.depth = 0.19;
        f.arch = 0.5;
        f.backAt = 0.36;
        f.snout = 0.42;
        f.chin = 0.5;
        f.noseHalf = 0.03;
        f.head = 0.2;
        f.eyeSize = 0.016;
        f.eyeX = 0.065;
        f.eyeV = 0.52;
        f.mouthLength = 0.04;
        f.scale = 0.042;
        f.scaleDark = 0.42;
        f.dorsal = Dorsal(0.43, 0.52, 0.12, f.tailColor, 0.9);
        f.anal = Anal(0.7, 0.79, 0.1, f.tailColor, 0.9);
        f.pelvic = Pelvic(0.47, 0.09, f.tailColor);
        f.fork = 0.5;
        all.push_back(f);
    }
    { // Boleń: slender, big upturned mouth reaching below the eye, deeply forked tail.
        Fish f = Cyprinid("bolen.jpg", QColor(58, 78, 100), QColor(200, 208, 214), QColor(246, 246, 246), grey);
        f.depth = 0.22;
        f.snout = 1.0;
        f.noseShift = -0.12;
        f.mouth = MouthShape::Upturned;
        f.mouthLength = 0.105;
        f.jut = 0.014;
        f.gapeEnd = 0.66;
        f.eyeX = 0.07;
        f.eyeV = 0.3;
        f.eyeSize = 0.02;
        f.scale = 0.022;
        f.shine = 0.22;
        f.dorsal = Dorsal(0.42, 0.52, 0.17, grey, 0.5, 0.18);
        f.anal = Anal(0.64, 0.8, 0.12, QColor(190, 130, 110), 0.55);
        f.pelvic = Pelvic(0.46, 0.1, QColor(196, 126, 104));
        f.tailLength = 0.26;
        f.fork = 0.28;
        all.push_back(f);
    }
    { // Brzana: long body with a flat belly, fleshy underslung mouth with four barbels.
        Fish f = Cyprinid("brzana.jpg", QColor(88, 86, 56), QColor(172, 156, 98), QColor(226, 214, 178),
                          QColor(150, 130, 100));
        f.depth = 0.2;
        f.arch = 0.62;
        f.bellyAt = 0.5;
        f.snout = 1.05;
        f.chin = 0.9;
        f.mouth = MouthShape::Under;
        f.mouthLength = 0.035;
        f.scale = 0.02;
        f.dorsal = Dorsal(0.42, 0.53, 0.15, QColor(120, 112, 86), 0.6);
        f.anal = Anal(0.72, 0.8, 0.11, QColor(190, 112, 78));
        f.pelvic = Pelvic(0.48, 0.09, QColor(192, 112, 80));
        f.pectoral = Pectoral(0.235, 0.11, QColor(186, 118, 86));
        f.tailColor = QColor(170, 110, 80);
        f.barbels = {{0.012, 0.78, 0.045, 115, 2.2},
                     {0.02, 0.8, 0.04, 95, 2.2},
                     {0.045, 0.86, 0.055, 100, 2.4},
                     {0.055, 0.88, 0.05, 80, 2.4}};
        all.push_back(f);
    }
    { // Certa: a long, conical snout overhanging a small arched mouth underneath, slimmer
        // than the bream, a long anal fin starting behind the dorsal, yellowish lower fins.
        Fish f = Cyprinid("certa.jpg", QColor(42, 54, 70), QColor(192, 196, 202), QColor(240, 236, 226), grey);
        f.depth = 0.24;
        f.arch = 0.6;
        f.backAt = 0.4;
        f.snout = 1.0;
        f.chin = 0.55;
        f.noseShift = -0.16;
        f.noseHalf = 0.008;
        f.head = 0.22;
        f.eyeX = 0.09;
        f.eyeV = 0.34;
        f.mouth = MouthShape::Ventral;
        f.mouthAt = 0.034;
        f.mouthLength = 0.03;
        f.scale = 0.024;
        f.dorsal = Dorsal(0.44, 0.54, 0.15, grey, 0.6);
        f.anal = Anal(0.6, 0.84, 0.1, QColor(204, 184, 128), 0.55);
        f.pelvic = Pelvic(0.45, 0.1, QColor(218, 192, 124));
        f.pectoral = Pectoral(0.235, 0.11, QColor(214, 190, 128));
        f.tailColor = QColor(124, 126, 130);
        f.fork = 0.34;
        all.push_back(f);
    }
    { // Głowacica: long torpedo, wide mouth, copper flanks with small dark marks.
        Fish f = Salmonid("glowacica.jpg", QColor(92, 76, 66), QColor(192, 132, 100), QColor(238, 226, 212),
                          QColor(150, 110, 90));
        f.depth = 0.17;
        f.arch = 0.5;
        f.noseHalf = 0.016;
        f.mouthLength = 0.1;
        f.eyeSize = 0.017;
        f.spots = {{QColor(40, 30, 25, 230), 130, 0.0032, 0.1, 0.96, 0.04, 0.55}};
        f.dorsal = Dorsal(0.45, 0.56, 0.11, f.tailColor, 1.0, 0.3);
        f.adipose = Adipose(0.79, f.tailColor);
        f.anal = Anal(0.76, 0.84, 0.09, f.tailColor, 1.0, 0.3);
        all.push_back(f);
    }
    { // Jazgarz: big head and eye, one dorsal fin with a spiny front, dark speckles everywhere.
        Fish f = Percid("jazgarz.jpg", QColor(98, 92, 58), QColor(176, 162, 104), QColor(230, 222, 192),
                        QColor(170, 160, 120));
        f.depth = 0.27;
        f.head = 0.3;
        f.snout = 0.6;
        f.eyeSize = 0.034;
        f.eyeX = 0.1;
        f.iris = QColor(118, 112, 150);
        f.mouth = MouthShape::Terminal;
        f.mouthLength = 0.05;
        f.spots = {{QColor(60, 52, 32, 200), 150, 0.0055, 0.05, 0.98, 0.05, 0.75}};
        f.dorsal = Spiny(0.3, 0.56, 0.15, f.tailColor, 13);
        f.dorsal.spots = QColor(50, 45, 30);
        f.dorsal2 = Dorsal(0.555, 0.72, 0.11, f.tailColor, 1.5, 0.35);
        f.dorsal2.spots = QColor(50, 45, 30);
        f.anal = Anal(0.68, 0.77, 0.09, f.tailColor, 1.3, 0.4);
        f.tailSpots = QColor(60, 52, 32);
        f.fork = 0.6;
        all.push_back(f);
    }
    { // Jaź: thick-set with a humped back and a small head, small scales, brassy flanks,
        // golden eye, a small mouth in front, reddish lower fins with a straight anal edge.
        Fish f = Cyprinid("jaz.jpg", QColor(54, 68, 76), QColor(206, 194, 154), QColor(238, 234, 218),
                          QColor(124, 108, 104));
        f.shine = 0.16;
        f.depth = 0.3;
        f.arch = 0.62;
        f.backAt = 0.38;
        f.head = 0.2;
        f.snout = 0.7;
        f.eyeSize = 0.021;
        f.iris = QColor(226, 190, 90);
        f.mouthLength = 0.035;
        f.scale = 0.021;
        f.scaleDark = 0.2;
        f.dorsal = Dorsal(0.47, 0.57, 0.15, QColor(120, 104, 100), 0.6);
        f.anal = Anal(0.66, 0.78, 0.12, QColor(214, 104, 70), 0.9, 0.3);
        f.pelvic = Pelvic(0.45, 0.1, QColor(218, 108, 70));
        f.pectoral = Pectoral(0.225, 0.11, QColor(210, 128, 90));
        f.tailColor = QColor(156, 108, 96);
        all.push_back(f);
    }
    { // Jelec: slender and silvery with a narrow head, a small mouth a little under the snout,
        // concave dorsal and anal fins, pale yellowish lower fins.
        Fish f = Cyprinid("jelec.jpg", QColor(60, 80, 96), QColor(208, 212, 216), QColor(246, 246, 244),
                          QColor(150, 150, 140));
        f.depth = 0.2;
        f.arch = 0.54;
        f.head = 0.2;
        f.snout = 0.85;
        f.noseShift = -0.03;
        f.noseHalf = 0.01;
        f.peduncle = 0.075;
        f.mouthLength = 0.026;
        f.mouthDrop = 0.06;
        f.eyeSize = 0.024;
        f.iris = QColor(226, 206, 120);
        f.shine = 0.2;
        f.scale = 0.026;
        f.dorsal = Dorsal(0.46, 0.56, 0.15, f.tailColor, 0.45, 0.2);
        f.anal = Anal(0.655, 0.77, 0.13, QColor(222, 198, 140), 0.4, 0.25);
        f.pelvic = Pelvic(0.45, 0.1, QColor(226, 194, 132));
        f.pectoral = Pectoral(0.225, 0.11, QColor(222, 200, 150));
        f.fork = 0.32;
        all.push_back(f);
    }
    { // Jesiotr ostronosy: pointed snout, rows of bony plates, tail with a long upper lobe.
        Fish f = Cyprinid("jesiotr_ostronosy.jpg", QColor(78, 84, 80), QColor(142, 142, 132), QColor(226, 220, 206),
                          QColor(112, 112, 106));
        f.depth = 0.16;
        f.arch = 0.5;
        f.backAt = 0.34;
        f.snout = 1.7;
        f.chin = 1.25;
        f.noseHalf = 0.004;
        f.head = 0.22;
        f.peduncle = 0.045;
        f.eyeSize = 0.011;
        f.eyeX = 0.125;
        f.eyeV = 0.32;
        f.mouth = MouthShape::Under;
        f.mouthLength = 0.0;
        f.scale = 0;
        f.lineStrength = 0;
        f.scutes = true;
        f.dorsal = Dorsal(0.78, 0.88, 0.09, f.tailColor, 0.8);
        f.anal = Anal(0.8, 0.87, 0.07, f.tailColor, 0.8);
        f.pelvic = Pelvic(0.66, 0.07, f.tailColor);
        f.pectoral = Pectoral(0.225, 0.12, f.tailColor, 1.1);
        f.tail = TailShape::Sturgeon;
        f.tailLength = 0.27;
        f.barbels = {{0.07, 0.86, 0.035, 95, 1.8}, {0.08, 0.88, 0.035, 85, 1.8}};
        f.extra = [](QPainter &g, const FishFrame &fr) {
            g.setPen(QPen(QColor(60, 50, 45), 2.2, Qt::SolidLine, Qt::RoundCap));
            g.drawLine(fr.At(0.105, 0.93), fr.At(0.135, 0.95));
        };
        all.push_back(f);
    }
    { // Karaś pospolity: very deep, golden, convex dorsal fin edge, dark spot at the tail root.
        Fish f = Cyprinid("karas_pospolity.jpg", QColor(72, 76, 34), QColor(188, 152, 60), QColor(226, 206, 140),
                          QColor(168, 104, 62));
        f.depth = 0.42;
        f.arch = 0.6;
        f.backAt = 0.4;
        f.bellyAt = 0.5;
        f.snout = 0.6;
        f.head = 0.25;
        f.peduncle = 0.13;
        f.eyeSize = 0.02;
        f.scale = 0.036;
        f.dorsal = Dorsal(0.38, 0.74, 0.14, f.tailColor, 1.8, 0.35);
        f.anal = Anal(0.7, 0.78, 0.1, f.tailColor, 1.2);
        f.pelvic = Pelvic(0.44, 0.11, f.tailColor);
        f.fork = 0.74;
        f.spots = {{QColor(40, 36, 18, 170), 1, 0.03, 0.955, 0.955, 0.42, 0.42}};
        all.push_back(f);
    }
    { // Karaś srebrzysty: grey-silver, straight or concave dorsal edge, large scales.
        Fish f = Cyprinid("karas_srebrzysty.jpg", QColor(72, 82, 88), QColor(176, 180, 180), QColor(230, 230, 226),
                          QColor(118, 118, 118));
        f.depth = 0.36;
        f.arch = 0.6;
        f.head = 0.24;
        f.peduncle = 0.11;
        f.eyeSize = 0.022;
        f.scale = 0.04;
        f.scaleDark = 0.35;
        f.dorsal = Dorsal(0.39, 0.74, 0.15, f.tailColor, 0.65, 0.3);
        f.anal = Anal(0.7, 0.78, 0.1, f.tailColor, 0.8);
        f.fork = 0.5;
        all.push_back(f);
    }
    { // Karp: long dorsal fin, four barbels, large bronze scales.
        Fish f =
            Cyprinid("karp.jpg", QColor(72, 66, 40), QColor(178, 142, 70), QColor(226, 202, 142), QColor(128, 100, 64));
        f.depth = 0.32;
        f.arch = 0.58;
        f.snout = 0.62;
        f.head = 0.25;
        f.peduncle = 0.1;
        f.eyeSize = 0.019;
        f.scale = 0.045;
        f.scaleDark = 0.38;
        f.dorsal = Dorsal(0.4, 0.78, 0.14, f.tailColor, 0.75, 0.3);
        f.anal = Anal(0.72, 0.8, 0.1, QColor(160, 100, 64));
        f.tailColor = QColor(150, 104, 64);
        f.barbels = {{0.01, 0.52, 0.04, 120, 3.2}, {0.035, 0.62, 0.065, 100, 3.6}};
        f.barbelColor = QColor(196, 160, 110);
        all.push_back(f);
    }
    { // Kiełb: small and round, two barbels, a row of dark blotches along the flank.
        Fish f = Cyprinid("kielb.jpg", QColor(92, 92, 72), QColor(178, 172, 142), QColor(232, 228, 212),
                          QColor(200, 190, 160));
        f.depth = 0.19;
        f.arch = 0.5;
        f.snout = 0.9;
        f.chin = 0.6;
        f.mouth = MouthShape::Under;
        f.mouthLength = 0.03;
        f.eyeV = 0.36;
        f.eyeSize = 0.026;
        f.scale = 0.03;
        f.spots = {{QColor(58, 58, 48, 170), 9, 0.02, 0.26, 0.93, 0.45, 0.52, {}, false, 1.3, 0.15, true},
                   {QColor(70, 66, 50, 160), 60, 0.005, 0.2, 0.95, 0.05, 0.35}};
        f.dorsal.spots = QColor(70, 64, 50);
        f.tailSpots = QColor(70, 64, 50);
        f.barbels = {{0.035, 0.9, 0.05, 100, 2.0}};
        all.push_back(f);
    }
    { // Kleń: thick torpedo, broad head and wide mouth, net of dark-edged scales, convex red anal fin.
        Fish f =
            Cyprinid("klen.jpg", QColor(58, 64, 60), QColor(192, 186, 166), QColor(236, 232, 216), QColor(96, 96, 92));
        f.depth = 0.24;
        f.arch = 0.52;
        f.snout = 0.55;
        f.noseHalf = 0.02;
        f.head = 0.26;
        f.mouth = MouthShape::Wide;
        f.mouthLength = 0.065;
        f.scale = 0.045;
        f.scaleDark = 0.5;
        f.anal = Anal(0.66, 0.76, 0.11, QColor(212, 104, 62), 2.2, 0.6);
        f.pelvic = Pelvic(0.46, 0.1, QColor(216, 118, 70));
        f.pectoral = Pectoral(0.265, 0.11, QColor(206, 140, 96));
        f.tailColor = QColor(64, 64, 64);
        f.fork = 0.5;
        all.push_back(f);
    }
    { // Krąp: deep but less than the bream, big eye, reddish bases of the paired fins.
        Fish f = Cyprinid("krap.jpg", QColor(80, 90, 100), QColor(200, 205, 210), QColor(240, 240, 240), grey);
        f.depth = 0.36;
        f.arch = 0.6;
        f.snout = 0.65;
        f.eyeSize = 0.03;
        f.scale = 0.034;
        f.dorsal = Dorsal(0.46, 0.56, 0.17, grey, 0.55, 0.2);
        f.anal = Anal(0.6, 0.86, 0.11, grey, 0.7);
        f.eyeSize = 0.032;
        f.pelvic = Pelvic(0.45, 0.1, grey);
        f.pelvic.root = QColor(206, 58, 44);
        f.pectoral = Pectoral(0.235, 0.12, grey);
        f.pectoral.root = QColor(206, 64, 48);
        all.push_back(f);
    }
    { // Leszcz: very deep, humped and flat, long anal fin, small underslung mouth, dark fins.
        Fish f = Cyprinid("leszcz.jpg", QColor(72, 72, 60), QColor(168, 152, 116), QColor(216, 206, 180),
                          QColor(86, 86, 86));
        f.depth = 0.42;
        f.arch = 0.64;
        f.backAt = 0.42;
        f.bellyAt = 0.5;
        f.snout = 0.6;
        f.chin = 0.55;
        f.noseShift = 0.1;
        f.head = 0.22;
        f.mouth = MouthShape::Under;
        f.mouthLength = 0.025;
        f.eyeSize = 0.021;
        f.peduncle = 0.07;
        f.scale = 0.028;
        f.dorsal = Dorsal(0.47, 0.56, 0.2, f.tailColor, 0.55, 0.2);
        f.anal = Anal(0.56, 0.9, 0.15, f.tailColor, 1.0, 0.35);
        f.anal.angleFront = 62;
        f.fork = 0.36;
        all.push_back(f);
    }
    { // Lin: olive, tiny scales under slime, rounded fins, red eye, two small barbels.
        Fish f =
            Cyprinid("lin.jpg", QColor(50, 64, 30), QColor(112, 128, 56), QColor(192, 182, 112), QColor(72, 82, 46));
        f.depth = 0.28;
        f.snout = 0.55;
        f.noseHalf = 0.018;
        f.head = 0.25;
        f.peduncle = 0.13;
        f.taper = 0.9;
        f.scale = 0.011;
        f.scaleDark = 0.15;
        f.shine = 0.14;
        f.iris = QColor(206, 52, 40);
        f.eyeSize = 0.018;
        f.dorsal = Dorsal(0.45, 0.56, 0.13, f.tailColor, 2.0, 0.55);
        f.anal = Anal(0.66, 0.76, 0.1, f.tailColor, 2.0, 0.55);
        f.pelvic = Pelvic(0.45, 0.13, f.tailColor, 2.0);
        f.pectoral = Pectoral(0.255, 0.12, f.tailColor, 2.0);
        f.tail = TailShape::Square;
        f.tailLength = 0.2;
        f.barbels = {{0.04, 0.6, 0.018, 100, 2.0}};
        all.push_back(f);
    }
    { // Lipień: small head, tall flag of a dorsal fin with a red rim, few dark spots in front.
        Fish f = Salmonid("lipien.jpg", QColor(80, 86, 98), QColor(168, 166, 172), QColor(230, 226, 226),
                          QColor(120, 96, 120));
        f.depth = 0.22;
        f.head = 0.2;
        f.snout = 0.85;
        f.noseShift = 0.06;
        f.mouth = MouthShape::Under;
        f.mouthLength = 0.025;
        f.scale = 0.03;
        f.scaleDark = 0.25;
        f.iris = QColor(200, 176, 120);
        f.spots = {{QColor(40, 40, 46), 14, 0.006, 0.22, 0.45, 0.25, 0.6}};
        f.dorsal = Dorsal(0.32, 0.62, 0.17, QColor(114, 84, 116), 3.0, 0.9);
        f.dorsal.angleFront = -80;
        f.dorsal.angleRear = -14;
        f.dorsal.spots = QColor(40, 30, 50);
        f.dorsal.spotCount = 30;
        f.dorsal.rim = QColor(206, 64, 74);
        f.pelvic = Pelvic(0.5, 0.1, QColor(132, 92, 122));
        f.fork = 0.45;
        all.push_back(f);
    }
    { // Łosoś: silver, slender tail root, forked tail, few x-shaped spots above the lateral line.
        Fish f = Salmonid("losos.jpg", QColor(52, 72, 92), QColor(202, 207, 212), QColor(246, 246, 246),
                          QColor(112, 116, 122));
        f.peduncle = 0.048;
        f.mouthLength = 0.07;
        f.shine = 0.22;
        f.spots = {{QColor(30, 34, 40), 14, 0.0045, 0.14, 0.62, 0.06, 0.34, {}, true}};
        f.fork = 0.6;
        all.push_back(f);
    }
    { // Miętus: long and round, two dorsal fins (the second long), one chin barbel, marbled.
        Fish f = Cyprinid("mietus.jpg", QColor(82, 72, 38), QColor(144, 124, 64), QColor(216, 206, 170),
                          QColor(120, 104, 60));
        f.depth = 0.15;
        f.arch = 0.5;
        f.backAt = 0.3;
        f.snout = 0.55;
        f.noseHalf = 0.02;
        f.head = 0.2;
        f.peduncle = 0.05;
        f.taper = 1.4;
        f.eyeSize = 0.015;
        f.eyeV = 0.3;
        f.scale = 0;
        f.lineStrength = 0.15;
        f.marble = QColor(46, 40, 22);
        f.marbleAmount = 0.7;
        f.marbleDown = 0.85;
        f.dorsal = Dorsal(0.3, 0.4, 0.05, f.tailColor, 1.5, 0.6);
        f.dorsal2 = Dorsal(0.42, 0.95, 0.07, f.tailColor, 3.0, 0.7);
        f.dorsal2.rise = 0.08;
        f.anal = Anal(0.48, 0.95, 0.065, f.tailColor, 3.0, 0.7);
        f.anal.rise = 0.08;
        f.pelvic = Pelvic(0.19, 0.07, f.tailColor);
        f.pelvic.v = 0.95;
        f.pectoral = Pectoral(0.215, 0.08, f.tailColor, 2.0);
        f.tail = TailShape::Rounded;
        f.tailLength = 0.13;
        f.tailSpread = 42;
        f.tailSpots = QColor(60, 50, 28);
        f.barbels = {{0.03, 0.95, 0.05, 100, 2.0}, {0.01, 0.3, 0.012, 200, 1.5}};
        all.push_back(f);
    }
    { // Minóg strumieniowy: eel-like, no paired fins, a round sucker mouth, seven gill openings.
        Fish f = Cyprinid("minog_strumieniowy.jpg", QColor(86, 80, 64), QColor(152, 142, 112), QColor(226, 220, 200),
                          QColor(150, 140, 112));
        f.depth = 0.09;
        f.wave = 0.03;
        f.arch = 0.5;
        f.backAt = 0.3;
        f.bellyAt = 0.35;
        f.snout = 0.55;
        f.chin = 0.55;
        f.noseHalf = 0.016;
        f.head = 0.12;
        f.peduncle = 0.02;
        f.taper = 1.3;
        f.eyeX = 0.055;
        f.eyeV = 0.35;
        f.eyeSize = 0.011;
        f.mouth = MouthShape::Sucker;
        f.gillPores = 7;
        f.scale = 0;
        f.lineStrength = 0;
        f.dorsal = Dorsal(0.6, 0.73, 0.035, f.tailColor, 2.0, 0.3);
        f.dorsal2 = Dorsal(0.74, 0.99, 0.045, f.tailColor, 2.5, 0.5);
        f.dorsal2.rise = 0.15;
        f.anal = Anal(0.86, 0.99, 0.025, f.tailColor, 2.5, 0.6);
        f.pelvic = {};
        f.pectoral = {};
        f.tail = TailShape::Point;
        f.tailLength = 0.035;
        all.push_back(f);
    }
    { // Okoń: dark bars, spiny first dorsal with a black spot at its end, orange-red lower fins.
        Fish f =
            Percid("okon.jpg", QColor(50, 76, 40), QColor(152, 162, 72), QColor(236, 226, 190), QColor(124, 124, 100));
        f.depth = 0.3;
        f.arch = 0.6;
        f.iris = QColor(222, 160, 60);
        f.bars = 6;
        f.barsFrom = 0.27;
        f.barsTo = 0.9;
        f.barWidth = 0.032;
        f.barColor = QColor(28, 42, 18, 175);
        f.dorsal = Spiny(0.27, 0.5, 0.15, QColor(126, 126, 104), 13);
        f.dorsal2 = Dorsal(0.53, 0.67, 0.12, QColor(140, 148, 96), 1.2, 0.3);
        f.anal = Anal(0.69, 0.78, 0.1, QColor(222, 92, 42), 1.2, 0.3);
        f.pelvic = Pelvic(0.33, 0.12, QColor(226, 90, 40));
        f.tailColor = QColor(196, 112, 62);
        f.extra = [](QPainter &g, const FishFrame &fr) {
            g.setPen(Qt::NoPen);
            g.setBrush(QColor(16, 18, 16, 220));
            g.drawEllipse(QPointF(fr.Px(0.455), fr.Top(0.455) - 0.045 * fr.L), 0.022 * fr.L, 0.024 * fr.L);
        };
        all.push_back(f);
    }
    { // Piskorz: long and round, many barbels, dark stripes along the body.
        Fish f = Cyprinid("piskorz.jpg", QColor(92, 72, 40), QColor(172, 142, 92), QColor(222, 192, 132),
                          QColor(140, 116, 80));
        f.depth = 0.1;
        f.arch = 0.5;
        f.backAt = 0.35;
        f.snout = 0.6;
        f.chin = 0.6;
        f.noseHalf = 0.02;
        f.head = 0.16;
        f.peduncle = 0.055;
        f.taper = 1.5;
        f.eyeX = 0.06;
        f.eyeV = 0.32;
        f.eyeSize = 0.011;
        f.mouth = MouthShape::Under;
        f.mouthLength = 0.02;
        f.scale = 0;
        f.lineStrength = 0;
        f.stripes = {{QColor(58, 42, 24, 235), 0.52, 0.09, 0.1},
                     {QColor(64, 48, 28, 210), 0.25, 0.035, 0.12},
                     {QColor(70, 52, 30, 190), 0.76, 0.03, 0.25}};
        f.spots = {{QColor(60, 44, 24, 160), 60, 0.004, 0.1, 0.98, 0.05, 0.2}};
        f.dorsal = Dorsal(0.5, 0.6, 0.06, f.tailColor, 2.0, 0.5);
        f.anal = Anal(0.72, 0.8, 0.05, f.tailColor, 2.0, 0.5);
        f.pelvic = Pelvic(0.52, 0.05, f.tailColor);
        f.pectoral = Pectoral(0.165, 0.06, f.tailColor, 2.0);
        f.tail = TailShape::Rounded;
        f.tailLength = 0.13;
        f.tailSpots = QColor(60, 44, 24);
        f.barbels = {{0.005, 0.62, 0.03, 170, 1.6},
                     {0.012, 0.72, 0.035, 140, 1.6},
                     {0.02, 0.82, 0.035, 115, 1.6},
                     {0.03, 0.9, 0.03, 95, 1.6},
                     {0.04, 0.95, 0.025, 80, 1.6}};
        all.push_back(f);
    }
    { // Płoć: silver with a blue back, red eye, red lower fins; dorsal fin above the pelvic fins.
        Fish f = Cyprinid("ploc.jpg", QColor(54, 74, 96), QColor(204, 208, 212), QColor(242, 242, 242),
                          QColor(124, 116, 110));
        f.depth = 0.3;
        f.iris = QColor(204, 40, 30);
        f.eyeSize = 0.026;
        f.dorsal = Dorsal(0.45, 0.56, 0.15, QColor(124, 116, 110));
        f.anal = Anal(0.67, 0.78, 0.11, QColor(222, 94, 62));
        f.pelvic = Pelvic(0.45, 0.11, QColor(224, 90, 58));
        f.pectoral = Pectoral(0.235, 0.11, QColor(210, 140, 110));
        f.tailColor = QColor(168, 104, 92);
        all.push_back(f);
    }
    { // Pstrąg potokowy: golden brown, black and red spots with pale rings, square tail.
        Fish f = Salmonid("pstrag_potokowy.jpg", QColor(72, 66, 36), QColor(178, 152, 82), QColor(236, 222, 172),
                          QColor(150, 126, 84));
        f.spots = {{QColor(28, 26, 20), 60, 0.0075, 0.12, 0.92, 0.05, 0.55, QColor(214, 202, 160, 150)},
                   {QColor(204, 44, 32), 22, 0.0065, 0.2, 0.9, 0.36, 0.66, QColor(242, 236, 222, 220)}};
        f.dorsal.spots = QColor(36, 30, 20);
        f.adipose.color = QColor(204, 102, 52);
        f.tail = TailShape::Square;
        all.push_back(f);
    }
    { // Pstrąg tęczowy: a pink band along the flank and small black spots on body, dorsal and tail.
        Fish f = Salmonid("pstrag_teczowy.jpg", QColor(62, 86, 80), QColor(202, 202, 192), QColor(242, 240, 236),
                          QColor(150, 142, 132));
        f.depth = 0.24;
        f.stripes = {{QColor(218, 108, 128, 215), 0.5, 0.11, 0.06}};
        f.spots = {{QColor(28, 30, 30), 150, 0.0038, 0.1, 0.98, 0.03, 0.8}};
        f.dorsal.spots = QColor(30, 30, 30);
        f.dorsal.spotSize = 0.0035;
        f.adipose.spots = QColor(30, 30, 30);
        f.tailSpots = QColor(30, 30, 30);
        f.tail = TailShape::Square;
        all.push_back(f);
    }
    { // Pstrąg źródlany: a char: worm-like pale marks on a dark back, red spots in blue rings,
        // orange belly and lower fins edged white and black.
        Fish f = Salmonid("pstrag_zrodlany.jpg", QColor(42, 62, 38), QColor(108, 114, 70), QColor(226, 120, 50),
                          QColor(110, 104, 70));
        f.depth = 0.23;
        f.flankAt = 0.55;
        f.marble = QColor(204, 194, 112);
        f.marbleScale = 0.02;
        f.marbleDown = 0.5;
        f.marbleAmount = 0.75;
        f.spots = {{QColor(214, 196, 110), 40, 0.0055, 0.2, 0.95, 0.3, 0.62},
                   {QColor(222, 48, 40), 18, 0.0065, 0.2, 0.92, 0.42, 0.66, QColor(96, 140, 214)}};
        f.dorsal.spots = QColor(30, 32, 24);
        f.dorsal.spotCount = 24;
        Fin lower = f.pelvic;
        lower.color = QColor(214, 92, 42);
        lower.whiteLead = true;
        f.pelvic = lower;
        f.anal.color = QColor(214, 92, 42);
        f.anal.whiteLead = true;
        f.pectoral.color = QColor(214, 100, 50);
        f.pectoral.whiteLead = true;
        f.tail = TailShape::Square;
        all.push_back(f);
    }
    { // Rozpiór: deep and flat like a bream but with a small head, a mouth turned upwards,
        // a tall pointed dorsal, a very long anal fin, dark-edged grey fins, a longer lower lobe.
        const QColor edge(64, 66, 72);
        Fish f = Cyprinid("rozpior.jpg", QColor(56, 66, 80), QColor(204, 208, 212), QColor(242, 242, 240), edge);
        f.depth = 0.31;
        f.arch = 0.56;
        f.backAt = 0.38;
        f.bellyAt = 0.5;
        f.head = 0.2;
        f.snout = 0.75;
        f.noseShift = -0.18;
        f.mouth = MouthShape::Upturned;
        f.mouthLength = 0.04;
        f.jut = 0.01;
        f.gapeEnd = 0.55;
        f.eyeSize = 0.026;
        f.scale = 0.022;
        f.dorsal = Dorsal(0.46, 0.55, 0.2, edge, 0.5, 0.18);
        f.dorsal.root = QColor(176, 178, 182);
        f.anal = Anal(0.54, 0.95, 0.12, edge, 0.8, 0.3);
        f.anal.root = QColor(186, 188, 192);
        f.anal.rise = 0.05;
        f.pelvic.root = QColor(186, 188, 192);
        f.pelvic.color = edge;
        f.fork = 0.3;
        f.lowerLobe = 1.15;
        all.push_back(f);
    }
    { // Różanka: small, deep and flat, blue-green stripe on the rear half, reddish fins and throat.
        Fish f = Cyprinid("rozanka.jpg", QColor(82, 96, 84), QColor(202, 196, 186), QColor(232, 212, 202),
                          QColor(200, 110, 96));
        f.depth = 0.36;
        f.arch = 0.58;
        f.snout = 0.6;
        f.head = 0.25;
        f.peduncle = 0.1;
        f.iris = QColor(206, 70, 56);
        f.eyeSize = 0.03;
        f.scale = 0.045;
        f.lineStrength = 0;
        f.blush = QColor(222, 150, 136);
        f.blushFrom = 0.08;
        f.blushTo = 0.42;
        f.stripes = {{QColor(40, 170, 164, 235), 0.5, 0.06, 0.52}};
        f.dorsal = Dorsal(0.47, 0.62, 0.14, f.tailColor, 1.0, 0.3);
        f.dorsal.rim = QColor(50, 40, 40);
        f.anal = Anal(0.6, 0.74, 0.12, f.tailColor, 1.0, 0.3);
        f.anal.rim = QColor(50, 40, 40);
        f.tailColor = QColor(170, 140, 130);
        f.fork = 0.5;
        all.push_back(f);
    }
    { // Sandacz: long, glassy eye, fangs, two dorsal fins with rows of dark spots, faint bars.
        Fish f = Percid("sandacz.jpg", QColor(68, 80, 70), QColor(176, 180, 166), QColor(236, 236, 226),
                        QColor(178, 172, 152));
        f.depth = 0.2;
        f.arch = 0.55;
        f.head = 0.26;
        f.snout = 0.95;
        f.mouthLength = 0.09;
        f.glassyEye = true;
        f.eyeSize = 0.026;
        f.eyeX = 0.1;
        f.bars = 9;
        f.barsFrom = 0.28;
        f.barsTo = 0.95;
        f.barsDown = 0.55;
        f.barColor = QColor(56, 66, 52, 110);
        f.dorsal = Spiny(0.28, 0.5, 0.13, f.tailColor, 13);
        f.dorsal.spots = QColor(40, 40, 34);
        f.dorsal.spotCount = 30;
        f.dorsal2 = Dorsal(0.53, 0.74, 0.11, f.tailColor, 1.2, 0.35);
        f.dorsal2.spots = QColor(40, 40, 34);
        f.dorsal2.spotCount = 30;
        f.anal = Anal(0.72, 0.82, 0.09, QColor(214, 210, 196), 1.2, 0.3);
        f.pelvic = Pelvic(0.3, 0.1, QColor(220, 216, 200));
        f.tailSpots = QColor(46, 46, 38);
        f.extra = [](QPainter &g, const FishFrame &fr) { Fangs(g, fr, 0.03); };
        all.push_back(f);
    }
    { // Sieja: a humped back behind a small head, a blunt snout over a small mouth underneath,
        // large scales for a salmonid, a tall dorsal and the adipose fin, grey dark-tipped fins.
        const QColor tips(86, 94, 108);
        Fish f = Salmonid("sieja.jpg", QColor(62, 84, 104), QColor(206, 210, 216), QColor(246, 246, 246), tips);
        f.depth = 0.25;
        f.arch = 0.62;
        f.backAt = 0.42;
        f.head = 0.19;
        f.snout = 0.55;
        f.chin = 0.5;
        f.noseShift = -0.06;
        f.noseHalf = 0.02;
        f.eyeX = 0.07;
        f.eyeSize = 0.023;
        f.mouth = MouthShape::Ventral;
        f.mouthAt = 0.012;
        f.mouthLength = 0.024;
        f.scale = 0.032;
        f.scaleDark = 0.22;
        f.shine = 0.2;
        f.dorsal = Dorsal(0.4, 0.5, 0.17, tips, 0.6);
        f.dorsal.root = QColor(170, 176, 186);
        f.adipose = Adipose(0.78, QColor(104, 112, 124), 0.04);
        f.anal.root = QColor(190, 194, 200);
        f.pelvic.root = QColor(190, 194, 200);
        f.fork = 0.3;
        f.tailLength = 0.23;
        all.push_back(f);
    }
    { // Sielawa: small and slender, a big eye, the lower jaw jutting out in front of the upper,
        // the adipose fin, pale fins with grey dorsal and tail.
        Fish f = Salmonid("sielawa.jpg", QColor(52, 84, 112), QColor(212, 216, 222), QColor(246, 246, 246),
                          QColor(196, 200, 206));
        f.depth = 0.19;
        f.arch = 0.5;
        f.head = 0.22;
        f.snout = 0.9;
        f.noseShift = -0.14;
        f.noseHalf = 0.008;
        f.mouth = MouthShape::Upturned;
        f.mouthLength = 0.045;
        f.jut = 0.016;
        f.gapeEnd = 0.6;
        f.eyeSize = 0.034;
        f.scale = 0.03;
        f.scaleDark = 0.2;
        f.shine = 0.24;
        f.dorsal = Dorsal(0.42, 0.52, 0.15, QColor(120, 128, 140), 0.6);
        f.adipose = Adipose(0.78, QColor(120, 128, 140));
        f.tailColor = QColor(130, 138, 150);
        f.fork = 0.32;
        f.tailLength = 0.23;
        all.push_back(f);
    }
    { // Sum: huge flat head, two long barbels and four short ones, tiny dorsal, very long anal fin.
        Fish f =
            Cyprinid("sum.jpg", QColor(44, 50, 40), QColor(102, 106, 82), QColor(216, 210, 190), QColor(70, 72, 60));
        f.depth = 0.17;
        f.arch = 0.5;
        f.backAt = 0.26;
        f.bellyAt = 0.3;
        f.snout = 0.5;
        f.chin = 0.5;
        f.noseHalf = 0.04;
        f.head = 0.17;
        f.peduncle = 0.06;
        f.taper = 0.8;
        f.eyeX = 0.07;
        f.eyeV = 0.3;
        f.eyeSize = 0.009;
        f.mouth = MouthShape::Wide;
        f.mouthLength = 0.075;
        f.scale = 0;
        f.lineStrength = 0.12;
        f.marble = QColor(30, 34, 26);
        f.marbleAmount = 0.6;
        f.marbleScale = 0.04;
        f.dorsal = Dorsal(0.27, 0.31, 0.05, f.tailColor, 1.2, 0.4);
        f.anal = Anal(0.4, 0.975, 0.065, f.tailColor, 3.0, 0.8);
        f.anal.rise = 0.08;
        f.pelvic = Pelvic(0.38, 0.05, f.tailColor);
        f.pectoral = Pectoral(0.18, 0.08, f.tailColor, 1.6);
        f.tail = TailShape::Rounded;
        f.tailLength = 0.12;
        f.tailSpread = 40;
        f.barbelColor = QColor(70, 66, 52);
        f.barbels = {{0.035, 0.42, 0.27, 28, 2.6, 0.22}, {0.03, 0.97, 0.05, 100, 2.0}, {0.055, 0.98, 0.06, 95, 2.0}};
        all.push_back(f);
    }
    { // Szczupak: long duck-bill snout, dorsal fin far back above the anal fin, pale bean spots.
        Fish f = Cyprinid("szczupak.jpg", QColor(50, 70, 36), QColor(116, 136, 62), QColor(236, 232, 202),
                          QColor(152, 112, 62));
        f.depth = 0.16;
        f.arch = 0.5;
        f.backAt = 0.5;
        f.bellyAt = 0.52;
        f.snout = 1.25;
        f.chin = 1.1;
        f.noseHalf = 0.01;
        f.head = 0.27;
        f.peduncle = 0.07;
        f.mouth = MouthShape::Beak;
        f.mouthLength = 0.13;
        f.eyeX = 0.13;
        f.eyeV = 0.3;
        f.eyeSize = 0.019;
        f.scale = 0.012;
        f.scaleDark = 0.12;
        f.lineV = 0.45;
        f.lineSag = 0.0;
        f.spots = {{QColor(226, 222, 162, 210), 120, 0.0065, 0.27, 0.97, 0.15, 0.75, {}, false, 1.8}};
        f.dorsal = Dorsal(0.72, 0.83, 0.1, f.tailColor, 1.4, 0.4);
        f.dorsal.spots = QColor(60, 44, 28);
        f.anal = Anal(0.74, 0.84, 0.09, f.tailColor, 1.4, 0.4);
        f.anal.spots = QColor(60, 44, 28);
        f.pelvic = Pelvic(0.52, 0.09, f.tailColor);
        f.pectoral = Pectoral(0.275, 0.09, f.tailColor);
        f.tailSpots = QColor(60, 44, 28);
        f.fork = 0.6;
        f.tailLength = 0.2;
        all.push_back(f);
    }
    { // Śliz: small round body, six barbels, brown blotches, square tail.
        Fish f = Cyprinid("sliz.jpg", QColor(112, 96, 60), QColor(172, 152, 102), QColor(226, 216, 186),
                          QColor(160, 140, 100));
        f.depth = 0.13;
        f.arch = 0.5;
        f.snout = 0.55;
        f.chin = 0.6;
        f.noseHalf = 0.02;
        f.head = 0.2;
        f.peduncle = 0.085;
        f.taper = 1.3;
        f.eyeX = 0.07;
        f.eyeV = 0.28;
        f.eyeSize = 0.014;
        f.mouth = MouthShape::Under;
        f.mouthLength = 0.02;
        f.scale = 0;
        f.lineStrength = 0.12;
        f.marble = QColor(74, 62, 36);
        f.marbleScale = 0.05;
        f.marbleDown = 0.9;
        f.marbleAmount = 0.75;
        f.dorsal = Dorsal(0.44, 0.55, 0.08, f.tailColor, 1.8, 0.5);
        f.dorsal.spots = QColor(80, 64, 40);
        f.anal = Anal(0.72, 0.8, 0.065, f.tailColor, 1.8, 0.5);
        f.pelvic = Pelvic(0.47, 0.065, f.tailColor);
        f.pectoral = Pectoral(0.2, 0.07, f.tailColor, 2.0);
        f.tail = TailShape::Square;
        f.tailLength = 0.15;
        f.tailSpots = QColor(80, 64, 40);
        f.barbels = {{0.006, 0.66, 0.03, 160, 1.8}, {0.018, 0.8, 0.035, 120, 1.8}, {0.035, 0.9, 0.03, 95, 1.8}};
        all.push_back(f);
    }
    { // Świnka: a blunt, rounded snout overhanging a straight, transverse mouth underneath,
        // its lower lip edged with black horn; orange-red lower fins, a deeply forked tail.
        Fish f = Cyprinid("swinka.jpg", QColor(58, 70, 78), QColor(198, 200, 200), QColor(240, 238, 232),
                          QColor(126, 126, 124));
        f.depth = 0.22;
        f.arch = 0.58;
        f.backAt = 0.42;
        f.snout = 0.6;
        f.chin = 0.3;
        f.noseShift = -0.14;
        f.noseHalf = 0.016;
        f.head = 0.21;
        f.eyeX = 0.085;
        f.eyeV = 0.36;
        f.mouth = MouthShape::Ventral;
        f.mouthAt = 0.03;
        f.mouthLength = 0.05;
        f.hornyLip = QColor(28, 24, 20);
        f.scale = 0.024;
        f.anal = Anal(0.66, 0.77, 0.11, QColor(216, 110, 76), 0.6);
        f.pelvic = Pelvic(0.46, 0.1, QColor(220, 108, 72));
        f.pectoral = Pectoral(0.235, 0.11, QColor(214, 124, 90));
        f.tailColor = QColor(136, 118, 112);
        f.fork = 0.34;
        all.push_back(f);
    }
    { // Tołpyga biała: silver, large head, eye set low below the upturned mouth, tiny scales.
        Fish f = Cyprinid("tolpyga_biala.jpg", QColor(80, 96, 104), QColor(206, 210, 212), QColor(242, 242, 240),
                          QColor(150, 156, 162));
        f.depth = 0.27;
        f.arch = 0.52;
        f.backAt = 0.42;
        f.snout = 0.6;
        f.noseShift = -0.15;
        f.head = 0.28;
        f.mouth = MouthShape::Upturned;
        f.mouthLength = 0.06;
        f.eyeX = 0.09;
        f.eyeV = 0.6;
        f.eyeSize = 0.016;
        f.scale = 0.012;
        f.scaleDark = 0.14;
        f.shine = 0.2;
        f.dorsal = Dorsal(0.47, 0.55, 0.1, f.tailColor, 0.7);
        f.anal = Anal(0.63, 0.79, 0.1, f.tailColor, 0.7);
        f.pelvic = Pelvic(0.42, 0.1, f.tailColor);
        f.pectoral = Pectoral(0.285, 0.12, f.tailColor);
        all.push_back(f);
    }
    { // Tołpyga pstra: bigger head still, eye set low, dark blotches on grey-bronze flanks.
        Fish f = Cyprinid("tolpyga_pstra.jpg", QColor(70, 76, 70), QColor(166, 160, 140), QColor(226, 220, 206),
                          QColor(100, 100, 96));
        f.depth = 0.29;
        f.arch = 0.52;
        f.backAt = 0.45;
        f.snout = 0.55;
        f.noseShift = -0.15;
        f.head = 0.32;
        f.mouth = MouthShape::Upturned;
        f.mouthLength = 0.08;
        f.eyeX = 0.1;
        f.eyeV = 0.6;
        f.eyeSize = 0.016;
        f.scale = 0.012;
        f.scaleDark = 0.14;
        f.spots = {{QColor(48, 48, 44, 150), 34, 0.024, 0.08, 0.95, 0.04, 0.75, {}, false, 1.3, 0.5}};
        f.dorsal = Dorsal(0.5, 0.58, 0.1, f.tailColor, 0.7);
        f.anal = Anal(0.65, 0.8, 0.1, f.tailColor, 0.7);
        f.pelvic = Pelvic(0.44, 0.1, f.tailColor);
        f.pectoral = Pectoral(0.325, 0.13, f.tailColor);
        f.tailSpots = QColor(60, 60, 56);
        all.push_back(f);
    }
    { // Troć jeziorowa: heavy and deep with a thick tail root, bronze-silver, crowded round and
        // x-shaped black spots above and below the lateral line and on the gill cover, a jaw
        // reaching past the eye, a square tail.
        Fish f = Salmonid("troc_jeziorowa.jpg", QColor(62, 70, 60), QColor(194, 184, 156), QColor(240, 236, 224),
                          QColor(116, 118, 108));
        f.depth = 0.26;
        f.arch = 0.56;
        f.head = 0.25;
        f.peduncle = 0.1;
        f.mouthLength = 0.1;
        f.spots = {{QColor(30, 30, 28), 80, 0.008, 0.08, 0.92, 0.04, 0.72},
                   {QColor(30, 30, 28), 36, 0.007, 0.2, 0.9, 0.1, 0.7, {}, true}};
        f.dorsal.spots = QColor(34, 34, 32);
        f.adipose.spots = QColor(34, 34, 32);
        f.adipose.rim = QColor(60, 56, 50);
        f.tail = TailShape::Square;
        all.push_back(f);
    }
    { // Troć wędrowna: bright silver, x-shaped spots above and below the lateral line, thick
        // tail root with a square tail, jaw reaching behind the eye.
        Fish f = Salmonid("troc_wedrowna.jpg", QColor(50, 66, 86), QColor(216, 219, 223), QColor(248, 248, 248),
                          QColor(118, 122, 128));
        f.peduncle = 0.1;
        f.mouthLength = 0.1;
        f.shine = 0.24;
        f.spots = {{QColor(28, 30, 36), 70, 0.0055, 0.12, 0.9, 0.05, 0.78, {}, true},
                   {QColor(28, 30, 36), 6, 0.005, 0.14, 0.22, 0.25, 0.55}};
        f.tail = TailShape::Square;
        all.push_back(f);
    }
    { // Ukleja: slim and flat with a nearly straight back, brilliant silver, the lower jaw
        // turned up in front of a big eye, the dorsal fin set behind the pelvic fins and a long
        // anal fin starting beneath it, pale fins.
        Fish f = Cyprinid("ukleja.jpg", QColor(62, 104, 112), QColor(226, 230, 236), QColor(250, 250, 250),
                          QColor(186, 188, 184));
        f.depth = 0.19;
        f.arch = 0.4;
        f.backAt = 0.45;
        f.bellyAt = 0.42;
        f.head = 0.2;
        f.snout = 0.85;
        f.noseShift = -0.2;
        f.noseHalf = 0.008;
        f.mouth = MouthShape::Upturned;
        f.mouthLength = 0.04;
        f.jut = 0.012;
        f.gapeEnd = 0.58;
        f.eyeSize = 0.032;
        f.shine = 0.35;
        f.scale = 0.024;
        f.scaleDark = 0.1;
        f.dorsal = Dorsal(0.56, 0.64, 0.12, f.tailColor, 0.6);
        f.anal = Anal(0.6, 0.84, 0.1, f.tailColor, 0.6, 0.25);
        f.pelvic = Pelvic(0.43, 0.09, f.tailColor);
        f.fork = 0.28;
        all.push_back(f);
    }
    { // Węgorz: a snake's body, the dorsal and anal fins joining round the tail, no pelvic fins.
        Fish f =
            Cyprinid("wegorz.jpg", QColor(50, 56, 36), QColor(120, 116, 70), QColor(222, 210, 160), QColor(96, 96, 64));
        f.depth = 0.07;
        f.wave = 0.045;
        f.arch = 0.5;
        f.backAt = 0.25;
        f.bellyAt = 0.3;
        f.snout = 0.8;
        f.chin = 0.75;
        f.noseHalf = 0.012;
        f.head = 0.11;
        f.peduncle = 0.012;
        f.taper = 1.1;
        f.eyeX = 0.035;
        f.eyeV = 0.35;
        f.eyeSize = 0.0085;
        f.mouthLength = 0.035;
        f.scale = 0;
        f.lineStrength = 0.15;
        f.lineV = 0.45;
        f.lineSag = 0;
        f.dorsal = Dorsal(0.33, 0.99, 0.03, f.tailColor, 3.0, 0.8);
        f.dorsal.alpha = 150;
        f.dorsal.rise = 0.12;
        f.dorsal.angleFront = -80;
        f.dorsal.angleRear = -60;
        f.anal = Anal(0.43, 0.99, 0.026, f.tailColor, 3.0, 0.8);
        f.anal.alpha = 150;
        f.anal.rise = 0.1;
        f.anal.angleFront = 80;
        f.anal.angleRear = 60;
        f.pelvic = {};
        f.pectoral = Pectoral(0.115, 0.035, f.tailColor, 2.0);
        f.tail = TailShape::Point;
        f.tailLength = 0.03;
        all.push_back(f);
    }
    { // Wzdręga: golden flanks, bright red fins, steep mouth at the top; dorsal behind the pelvics.
        Fish f = Cyprinid("wzdrega.jpg", QColor(72, 80, 50), QColor(198, 178, 104), QColor(236, 226, 192),
                          QColor(214, 56, 38));
        f.depth = 0.32;
        f.arch = 0.56;
        f.noseShift = -0.24;
        f.mouth = MouthShape::Upturned;
        f.mouthLength = 0.045;
        f.iris = QColor(224, 162, 60);
        f.dorsal = Dorsal(0.53, 0.63, 0.14, QColor(176, 72, 52));
        f.pelvic = Pelvic(0.44, 0.11, QColor(218, 52, 36));
        f.anal = Anal(0.68, 0.79, 0.11, QColor(218, 52, 36));
        f.pectoral = Pectoral(0.235, 0.11, QColor(206, 90, 60));
        f.tailColor = QColor(196, 62, 42);
        all.push_back(f);
    }
    return all;
}
