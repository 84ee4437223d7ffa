#include "base/Exception.h"
#include "base/JpegImage.h"
#include "support/TestSupport.h"
#include "widgets/TImage.h"

#include <QFile>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>

#include <jpeglib.h>
#include <sys/stat.h>

namespace {

enum class Ink { Rgb, Gray, Cmyk, Ycck };

// Encodes with libjpeg itself, so that grayscale, CMYK, YCCK and an EXIF orientation can
// be written. CMYK is stored the way Photoshop stores it (inverted, with the Adobe marker).
// libjpeg's encoder on a new file, set to its defaults for the picture's size; it is
// released however the writer leaves.
struct Compressor
{
    std::FILE *file;
    jpeg_compress_struct info;
    jpeg_error_mgr errors;

    Compressor(const QString &path, const QImage &source, int components, J_COLOR_SPACE space)
        : file(std::fopen(QFile::encodeName(path).constData(), "wb"))
    {
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
        if (file)
            jpeg_stdio_dest(&info, file);
        info.image_width = JDIMENSION(source.width());
        info.image_height = JDIMENSION(source.height());
        info.input_components = components;
        info.in_color_space = space;
        jpeg_set_defaults(&info);
    }
    ~Compressor()
    {
        jpeg_destroy_compress(&info);
        if (file)
            std::fclose(file);
    }
    Compressor(const Compressor &) = delete;
    Compressor &operator=(const Compressor &) = delete;
};

void WriteJpeg(const QString &path, const QImage &source, Ink ink = Ink::Rgb, int orientation = 0)
{
    Compressor jpeg(path, source,
                    ink == Ink::Gray  ? 1
                    : ink == Ink::Rgb ? 3
                                      : 4,
                    ink == Ink::Gray  ? JCS_GRAYSCALE
                    : ink == Ink::Rgb ? JCS_RGB
                                      : JCS_CMYK);
    QVERIFY(jpeg.file);
    jpeg_compress_struct &info = jpeg.info;
    if (ink == Ink::Cmyk)
        jpeg_set_colorspace(&info, JCS_CMYK);
    jpeg_set_quality(&info, 92, TRUE);
    jpeg_start_compress(&info, TRUE);
    if (orientation) {
        const unsigned char exif[] = {'E', 'x', 'i', 'f',  0,    0, 'M', 'M', 0, 42, 0, 0, 0,
                                      8,   0,   1,   0x01, 0x12, 0, 3,   0,   0, 0,  1, 0, uchar(orientation),
                                      0,   0,   0,   0,    0,    0};
        jpeg_write_marker(&info, JPEG_APP0 + 1, exif, sizeof exif);
    }
    QByteArray row(source.width() * info.input_components, '\0');
    while (info.next_scanline < info.image_height) {
        auto *out = reinterpret_cast<uchar *>(row.data());
        for (int x = 0; x < source.width(); ++x) {
            const QRgb px = source.pixel(x, int(info.next_scanline));
            if (ink == Ink::Gray) {
                *out++ = uchar(qGray(px));
                continue;
            }
            *out++ = uchar(qRed(px));
            *out++ = uchar(qGreen(px));
            *out++ = uchar(qBlue(px));
            if (ink != Ink::Rgb)
                *out++ = 255;
        }
        JSAMPROW rows[] = {reinterpret_cast<JSAMPROW>(row.data())};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
}

QImage Gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, QColor(20, 60, 120));
    gradient.setColorAt(1, QColor(200, 180, 90));
    painter.fillRect(image.rect(), gradient);
    return image;
}

// Top-left red, top-right green, bottom-left blue, bottom-right white.
QImage Quadrants(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    const int w = width / 2, h = height / 2;
    painter.fillRect(0, 0, w, h, Qt::red);
    painter.fillRect(w, 0, width - w, h, Qt::green);
    painter.fillRect(0, h, w, height - h, Qt::blue);
    painter.fillRect(w, h, width - w, height - h, Qt::white);
    return image;
}

bool Near(QRgb actual, QColor expected, int tolerance = 16)
{
    return qAbs(qRed(actual) - expected.red()) <= tolerance && qAbs(qGreen(actual) - expected.green()) <= tolerance &&
           qAbs(qBlue(actual) - expected.blue()) <= tolerance;
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

using Loader = std::function<QImage(const QString &)>;

} // namespace

class TestJpegImage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void decodesAtSmallestCoveringScale_data();
    void decodesAtSmallestCoveringScale();
    void keepsColours_data();
    void keepsColours();
    void followsExifOrientation_data();
    void followsExifOrientation();
    void rejectsUnreadableFiles_data();
    void rejectsUnreadableFiles();
    void rejectsForgedTables();
    void imageDecodesAtShownSize();
    void imageKeepsPictureWhenLoadFails();
    void imagePlacesPicture_data();
    void imagePlacesPicture();
    void imageTransparency();
    void imageClicked();

private:
    QString Path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestJpegImage::decodesAtSmallestCoveringScale_data()
{
    QTest::addColumn<QSize>("stored");
    QTest::addColumn<QSize>("cover");
    QTest::addColumn<QSize>("decoded");
    QTest::newRow("camera photo in the catch photo area") << QSize(6000, 4000) << QSize(376, 301) << QSize(750, 500);
    QTest::newRow("height decides") << QSize(1600, 400) << QSize(448, 209) << QSize(1000, 250);
    QTest::newRow("one pixel short of a step") << QSize(800, 600) << QSize(376, 301) << QSize(500, 375);
    QTest::newRow("partial blocks round up") << QSize(801, 601) << QSize(100, 76) << QSize(101, 76);
    QTest::newRow("smaller than the area is never enlarged") << QSize(300, 200) << QSize(376, 301) << QSize(300, 200);
    QTest::newRow("no size asked") << QSize(1000, 700) << QSize() << QSize(1000, 700);
}

void TestJpegImage::decodesAtSmallestCoveringScale()
{
    QFETCH(QSize, stored);
    QFETCH(QSize, cover);
    QFETCH(QSize, decoded);
    const QString path = Path(QStringLiteral("scale-%1x%2.jpg").arg(stored.width()).arg(stored.height()));
    if (!QFile::exists(path))
        WriteJpeg(path, Gradient(stored.width(), stored.height()));
    const QImage image = LoadJpeg(path, cover);
    QCOMPARE(image.size(), decoded);
    QCOMPARE(image.format(), QImage::Format_RGB32);
}

void TestJpegImage::keepsColours_data()
{
    QTest::addColumn<int>("ink");
    QTest::addColumn<QSize>("cover");
    QTest::addColumn<bool>("gray");
    QTest::newRow("colour, full size") << int(Ink::Rgb) << QSize() << false;
    QTest::newRow("colour, reduced") << int(Ink::Rgb) << QSize(40, 30) << false;
    QTest::newRow("grayscale, full size") << int(Ink::Gray) << QSize() << true;
    QTest::newRow("grayscale, reduced") << int(Ink::Gray) << QSize(40, 30) << true;
    QTest::newRow("CMYK") << int(Ink::Cmyk) << QSize() << false;
    QTest::newRow("YCCK, reduced") << int(Ink::Ycck) << QSize(40, 30) << false;
}

void TestJpegImage::keepsColours()
{
    QFETCH(int, ink);
    QFETCH(QSize, cover);
    QFETCH(bool, gray);
    const QImage source = Quadrants(320, 240);
    const QString path = Path(QStringLiteral("ink-%1.jpg").arg(ink));
    WriteJpeg(path, source, Ink(ink));
    const QImage image = LoadJpeg(path, cover);
    QCOMPARE(image.format(), QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    const QPoint probes[] = {{w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}};
    const QPoint sourceProbes[] = {{80, 60}, {240, 60}, {80, 180}, {240, 180}};
    for (int i = 0; i < 4; ++i) {
        const QRgb expected = source.pixel(sourceProbes[i]);
        const QColor want = gray ? QColor(qGray(expected), qGray(expected), qGray(expected)) : QColor(expected);
        const QRgb got = image.pixel(probes[i]);
        QVERIFY2(Near(got, want),
                 qPrintable(QStringLiteral("probe %1: got %2, want %3").arg(i).arg(got, 8, 16).arg(want.rgb(), 8, 16)));
        QCOMPARE(qAlpha(got), 255);
    }
}

void TestJpegImage::followsExifOrientation_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QList<QColor>>("corners"); // top-left, top-right, bottom-left, bottom-right
    const QColor r = Qt::red, g = Qt::green, b = Qt::blue, w = Qt::white;
    QTest::newRow("1 as stored") << 1 << QList<QColor>{r, g, b, w};
    QTest::newRow("2 mirrored") << 2 << QList<QColor>{g, r, w, b};
    QTest::newRow("3 upside down") << 3 << QList<QColor>{w, b, g, r};
    QTest::newRow("4 flipped") << 4 << QList<QColor>{b, w, r, g};
    QTest::newRow("5 transposed") << 5 << QList<QColor>{r, b, g, w};
    QTest::newRow("6 turned right") << 6 << QList<QColor>{b, r, w, g};
    QTest::newRow("7 transversed") << 7 << QList<QColor>{w, g, b, r};
    QTest::newRow("8 turned left") << 8 << QList<QColor>{g, w, r, b};
}

void TestJpegImage::followsExifOrientation()
{
    QFETCH(int, orientation);
    QFETCH(QList<QColor>, corners);
    const QString path = Path(QStringLiteral("exif-%1.jpg").arg(orientation));
    WriteJpeg(path, Quadrants(160, 80), Ink::Rgb, orientation);
    const QImage image = LoadJpeg(path);
    QCOMPARE(image.size(), orientation >= 5 ? QSize(80, 160) : QSize(160, 80));
    const int w = image.width(), h = image.height();
    QVERIFY(Near(image.pixel(w / 4, h / 4), corners[0]));
    QVERIFY(Near(image.pixel(3 * w / 4, h / 4), corners[1]));
    QVERIFY(Near(image.pixel(w / 4, 3 * h / 4), corners[2]));
    QVERIFY(Near(image.pixel(3 * w / 4, 3 * h / 4), corners[3]));

    // The area to cover is measured on the picture as shown, i.e. after turning.
    if (orientation == 6) {
        const QString tall = Path(QStringLiteral("exif-tall.jpg"));
        WriteJpeg(tall, Gradient(800, 400), Ink::Rgb, 6);
        QCOMPARE(LoadJpeg(tall, QSize(100, 200)).size(), QSize(100, 200));
    }
}

void TestJpegImage::rejectsUnreadableFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("throughLoadPicture");
    QTest::addColumn<QString>("reason"); // empty: loads

    const QString good = Path(QStringLiteral("good.jpg"));
    WriteJpeg(good, Gradient(400, 300));
    const QByteArray jpeg = ReadAll(good);

    const QString truncated = Path(QStringLiteral("truncated.jpg"));
    WriteAll(truncated, jpeg.left(jpeg.size() * 6 / 10));
    const QString headerOnly = Path(QStringLiteral("header-only.jpg"));
    WriteAll(headerOnly, jpeg.left(120));
    const QString empty = Path(QStringLiteral("empty.jpg"));
    WriteAll(empty, QByteArray());
    const QString text = Path(QStringLiteral("notes.jpg"));
    WriteAll(text, "Szczupak 4,2 kg, Wisła pod mostem.\n");
    const QString png = Path(QStringLiteral("png-named.jpg"));
    QVERIFY(Gradient(64, 48).save(png, "PNG"));

    // A few bytes that announce 65000 x 65000 pixels must not get as far as allocating.
    QByteArray forged = jpeg;
    const int sof = forged.indexOf("\xFF\xC0");
    QVERIFY(sof > 0);
    forged[sof + 5] = char(0xFD);
    forged[sof + 6] = char(0xE8);
    forged[sof + 7] = char(0xFD);
    forged[sof + 8] = char(0xE8);
    const QString huge = Path(QStringLiteral("huge.jpg"));
    WriteAll(huge, forged);

    // Cut in half with an end marker after it, as a broken copy leaves a file: it ends
    // properly but its picture stops halfway.
    const QString halved = Path(QStringLiteral("halved.jpg"));
    WriteAll(halved, jpeg.left(jpeg.size() / 2) + QByteArray("\xFF\xD9", 2));
    // A named pipe never delivers its bytes when nothing writes to it.
    const QString pipe = Path(QStringLiteral("potok.jpg"));
    QVERIFY(QFile::exists(pipe) || ::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);

    const QString missing = Path(QStringLiteral("brak/zdjęcie.jpg"));
    for (const bool picture : {false, true}) {
        const char *via = picture ? "LoadPicture" : "LoadJpeg";
        QTest::addRow("%s: missing file", via) << missing << picture << "nie ma takiego pliku";
        QTest::addRow("%s: truncated", via) << truncated << picture << "niekompletny";
        QTest::addRow("%s: header only", via) << headerOnly << picture << "niekompletny";
        QTest::addRow("%s: empty file", via) << empty << picture << "pusty";
        QTest::addRow("%s: forged size", via) << huge << picture << "zbyt duży";
        QTest::addRow("%s: folder", via) << m_dir.path() << picture << "folder";
        QTest::addRow("%s: cut in half, end marker appended", via) << halved << picture << "uszkodzony";
        QTest::addRow("%s: named pipe", via) << pipe << picture << "zwykły plik";
    }
    QTest::newRow("LoadJpeg: text") << text << false << "nie jest plik JPEG";
    QTest::newRow("LoadPicture: text") << text << true << "nieznany format";
    QTest::newRow("LoadJpeg: PNG named .jpg") << png << false << "nie jest plik JPEG";
    QTest::newRow("LoadPicture: PNG named .jpg") << png << true << "";
}

void TestJpegImage::rejectsUnreadableFiles()
{
    QFETCH(QString, file);
    QFETCH(bool, throughLoadPicture);
    QFETCH(QString, reason);
    // Whole, for the catch dialog's photo area, and small enough for the eighth-scale decode.
    for (const QSize cover : {QSize(), QSize(376, 301), QSize(40, 30)}) {
        const Loader load = throughLoadPicture ? Loader([cover](const QString &p) { return LoadPicture(p, cover); })
                                               : Loader([cover](const QString &p) { return LoadJpeg(p, cover); });
        if (reason.isEmpty()) {
            QCOMPARE(load(file).size(), QSize(64, 48));
            continue;
        }
        try {
            load(file);
            QFAIL(qPrintable(
                QStringLiteral("no error raised for an area of %1 x %2").arg(cover.width()).arg(cover.height())));
        } catch (const EInOutError &error) {
            QVERIFY2(error.Message().startsWith(QStringLiteral("Nie można wczytać zdjęcia ") + file + ": "),
                     qPrintable(error.Message()));
            QVERIFY2(error.Message().contains(reason), qPrintable(error.Message()));
        }
    }
}

// The reduced decode reads the tables before libjpeg has checked them: table numbers
// are four bits in the file but index four-entry arrays, and a Huffman table may list
// more codes of a length than there are. It must refuse both as libjpeg does.
void TestJpegImage::rejectsForgedTables()
{
    const QString good = Path(QStringLiteral("tables.jpg"));
    WriteJpeg(good, Gradient(400, 300));
    const QByteArray jpeg = ReadAll(good);
    const int sos = jpeg.indexOf("\xFF\xDA");
    QVERIFY(sos > 0);
    for (const int component : {0, 1, 2}) {
        QByteArray forged = jpeg;
        forged[sos + 6 + 2 * component] = char(0x77);
        const QString path = Path(QStringLiteral("tables-%1.jpg").arg(component));
        WriteAll(path, forged);
        QVERIFY_THROWS_EXCEPTION(EInOutError, LoadJpeg(path, QSize(50, 38)));
        QVERIFY_THROWS_EXCEPTION(EInOutError, LoadJpeg(path));
    }
    QByteArray overfull = jpeg;
    const int dht = overfull.indexOf("\xFF\xC4");
    QVERIFY(dht > 0);
    overfull[dht + 5] = char(5); // five one-bit codes
    const QString path = Path(QStringLiteral("tables-overfull.jpg"));
    WriteAll(path, overfull);
    QVERIFY_THROWS_EXCEPTION(EInOutError, LoadJpeg(path, QSize(50, 38)));
    QVERIFY_THROWS_EXCEPTION(EInOutError, LoadJpeg(path));
}

void TestJpegImage::imageDecodesAtShownSize()
{
    const QString photo = Path(QStringLiteral("photo.jpg"));
    QImage scene = Gradient(3008, 2000);
    {
        QPainter painter(&scene);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(90, 110, 60));
        painter.setPen(QPen(Qt::black, 12));
        painter.drawEllipse(QRect(600, 700, 1800, 600));
        painter.setFont(QFont(QStringLiteral("Sans"), 160));
        painter.drawText(QRect(0, 1500, 3008, 400), Qt::AlignCenter, QStringLiteral("Szczupak 4,2 kg"));
    }
    WriteJpeg(photo, scene);

    // The catch dialog's photo area: a hatched frame, the photo stretched inside it.
    QWidget frame;
    frame.resize(378, 303);
    frame.setAutoFillBackground(true);
    QPalette palette = frame.palette();
    palette.setBrush(QPalette::Window, QBrush(Qt::gray, Qt::DiagCrossPattern));
    frame.setPalette(palette);
    TImage image(&frame);
    image.setGeometry(1, 1, 376, 301);
    image.SetStretch(true);
    image.LoadFromFile(photo);
    QCOMPARE(image.Picture().size(), QSize(752, 500));
    TestSupport::SavePng(&frame, QStringLiteral("TImage_catchPhoto"));

    // Drawn at its own size, the picture must be decoded whole.
    image.SetStretch(false);
    image.LoadFromFile(photo);
    QCOMPARE(image.Picture().size(), QSize(3008, 2000));

    // Loaded while still small (before layout), then enlarged: decoded again, not blown up.
    TImage small;
    small.SetProportional(true);
    small.resize(100, 80);
    small.LoadFromFile(photo);
    QCOMPARE(small.Picture().size(), QSize(376, 250));
    small.resize(448, 209);
    small.show(); // a hidden widget gets its resize event when shown
    QCOMPARE(small.Picture().size(), QSize(752, 500));
}

void TestJpegImage::imageKeepsPictureWhenLoadFails()
{
    const QString photo = Path(QStringLiteral("keep.jpg"));
    WriteJpeg(photo, Gradient(200, 100));
    TImage image;
    image.resize(200, 100);
    image.LoadFromFile(photo);
    const qint64 before = image.Picture().cacheKey();
    QVERIFY_THROWS_EXCEPTION(EInOutError, image.LoadFromFile(Path(QStringLiteral("missing.jpg"))));
    QCOMPARE(image.Picture().cacheKey(), before);
    WriteAll(Path(QStringLiteral("broken.jpg")), "not a picture");
    QVERIFY_THROWS_EXCEPTION(EInOutError, image.LoadFromFile(Path(QStringLiteral("broken.jpg"))));
    QCOMPARE(image.Picture().cacheKey(), before);
}

void TestJpegImage::imagePlacesPicture_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("proportional");
    QTest::addColumn<bool>("center");
    QTest::addColumn<QRect>("dest");
    // The control is 200 x 100.
    QTest::newRow("own size, top-left") << QSize(50, 50) << false << false << false << QRect(0, 0, 50, 50);
    QTest::newRow("own size, centred") << QSize(50, 50) << false << false << true << QRect(75, 25, 50, 50);
    QTest::newRow("stretched") << QSize(50, 50) << true << false << false << QRect(0, 0, 200, 100);
    QTest::newRow("proportional never enlarges") << QSize(50, 50) << false << true << true << QRect(75, 25, 50, 50);
    QTest::newRow("proportional shrinks a wide one")
        << QSize(400, 50) << false << true << true << QRect(0, 37, 200, 25);
    QTest::newRow("proportional shrinks a tall one")
        << QSize(60, 300) << false << true << true << QRect(90, 0, 20, 100);
    QTest::newRow("stretched proportional enlarges") << QSize(50, 50) << true << true << true << QRect(50, 0, 100, 100);
}

void TestJpegImage::imagePlacesPicture()
{
    QFETCH(QSize, picture);
    QFETCH(bool, stretch);
    QFETCH(bool, proportional);
    QFETCH(bool, center);
    QFETCH(QRect, dest);

    QWidget host;
    host.resize(200, 100);
    host.setAutoFillBackground(true);
    QPalette palette = host.palette();
    palette.setColor(QPalette::Window, Qt::green);
    host.setPalette(palette);
    auto *image = new TImage(&host);
    image->setGeometry(0, 0, 200, 100);
    image->SetStretch(stretch);
    image->SetProportional(proportional);
    image->SetCenter(center);
    QImage red(picture, QImage::Format_RGB32);
    red.fill(Qt::red);
    image->SetPicture(red);
    QCOMPARE(image->DestRect(), dest);

    QImage shot(host.size(), QImage::Format_RGB32);
    host.render(&shot);
    const QRect inner = dest.adjusted(1, 1, -2, -2);
    for (const QPoint p : {inner.topLeft(), inner.topRight(), inner.bottomLeft(), inner.bottomRight(), dest.center()})
        QVERIFY2(Near(shot.pixel(p), Qt::red, 2), qPrintable(QStringLiteral("(%1,%2)").arg(p.x()).arg(p.y())));
    const QRect outer = dest.adjusted(-2, -2, 2, 2);
    for (const QPoint p : {outer.topLeft(), outer.topRight(), outer.bottomLeft(), outer.bottomRight()}) {
        if (shot.rect().contains(p))
            QVERIFY2(Near(shot.pixel(p), Qt::green, 2), qPrintable(QStringLiteral("(%1,%2)").arg(p.x()).arg(p.y())));
    }
}

void TestJpegImage::imageTransparency()
{
    QWidget host;
    host.resize(24, 24);
    host.setAutoFillBackground(true);
    QPalette palette = host.palette();
    palette.setColor(QPalette::Window, Qt::green);
    host.setPalette(palette);
    auto *image = new TImage(&host);
    image->setGeometry(0, 0, 24, 24);
    const auto pixelAt = [&](int x, int y) {
        QImage shot(host.size(), QImage::Format_RGB32);
        host.render(&shot);
        return shot.pixel(x, y);
    };

    QVERIFY2(Near(pixelAt(5, 18), Qt::green, 0), "an empty control must draw nothing");

    // The wrong-answer mark: a red cross on magenta, magenta being the transparent colour.
    QImage mark(24, 24, QImage::Format_RGB32);
    mark.fill(Qt::magenta);
    QPainter(&mark).fillRect(10, 0, 4, 24, Qt::red);
    image->SetPicture(mark);
    QVERIFY(Near(pixelAt(5, 18), Qt::magenta, 0));
    image->SetTransparent(true);
    QVERIFY(Near(pixelAt(5, 18), Qt::green, 0));
    QVERIFY(Near(pixelAt(12, 18), Qt::red, 0));

    QImage withAlpha(24, 24, QImage::Format_ARGB32);
    withAlpha.fill(Qt::transparent);
    QPainter(&withAlpha).fillRect(10, 0, 4, 24, Qt::red);
    image->SetPicture(withAlpha);
    QVERIFY(Near(pixelAt(5, 18), Qt::green, 0));
    QVERIFY(Near(pixelAt(12, 18), Qt::red, 0));
}

void TestJpegImage::imageClicked()
{
    QWidget host;
    host.resize(300, 200);
    auto *image = new TImage(&host);
    image->setGeometry(10, 10, 100, 80);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QSignalSpy clicked(image, &TImage::clicked);

    QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(50, 40));
    QCOMPARE(clicked.count(), 1);
    QTest::mouseClick(image, Qt::RightButton, {}, QPoint(50, 40));
    QCOMPARE(clicked.count(), 1);
    QTest::mousePress(image, Qt::LeftButton, {}, QPoint(50, 40));
    QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(150, 40));
    QCOMPARE(clicked.count(), 1);
}

QTEST_MAIN(TestJpegImage)
#include "tst_JpegImage.moc"
