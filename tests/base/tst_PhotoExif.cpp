#include "base/Exception.h"
#include "base/JpegImage.h"
#include "base/PhotoExif.h"
#include "support/ExifBlock.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <span>

#include <sys/stat.h>

using namespace ExifBlock;

Q_DECLARE_METATYPE(ExifBlock::Layout)
Q_DECLARE_METATYPE(std::optional<GeoPoint>)

namespace {

// A picture wider than tall, so that a turned one shows in its size.
QByteArray PlainJpeg()
{
    QImage image(160, 80, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QPainter(&image).fillRect(0, 0, 80, 40, Qt::red);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return buffer.data();
}

// What a phone writes: turned right, taken on 15 June 2024 at 5:42:10 in summer time,
// at 52°27'4.3"N 21°1'55.6"E; the file saved again by an editor on 2 January 2025.
Layout CameraLayout(bool bigEndian)
{
    Layout layout;
    layout.bigEndian = bigEndian;
    layout.ifd0 = {layout.Number(0x0112, 6), layout.Text(0x0132, "2025:01:02 10:00:00")};
    layout.exif = {layout.Text(0x9003, "2024:06:15 05:42:10"), layout.Text(0x9004, "2024:06:15 05:42:11"),
                   layout.Text(0x9011, "+02:00")};
    layout.gps = {layout.Text(0x0001, "N"), layout.Dms(0x0002, {{52, 1}, {27, 1}, {43, 10}}), layout.Text(0x0003, "E"),
                  layout.Dms(0x0004, {{21, 1}, {1, 1}, {556, 10}})};
    return layout;
}

const GeoPoint CameraPosition{52 + 27 / 60.0 + 4.3 / 3600, 21 + 1 / 60.0 + 55.6 / 3600};

void VerifyPosition(const std::optional<GeoPoint> &actual, const std::optional<GeoPoint> &expected)
{
    QCOMPARE(actual.has_value(), expected.has_value());
    if (expected) {
        QVERIFY(qAbs(actual->latitude - expected->latitude) < 1e-9);
        QVERIFY(qAbs(actual->longitude - expected->longitude) < 1e-9);
    }
}

// Compares the zone too: QDateTime's own comparison holds any two equal instants equal.
void VerifyTaken(const QDateTime &actual, const QDateTime &expected)
{
    QCOMPARE(actual.isValid(), expected.isValid());
    if (expected.isValid()) {
        QCOMPARE(actual, expected);
        QCOMPARE(actual.timeSpec(), expected.timeSpec());
        QCOMPARE(actual.offsetFromUtc(), expected.offsetFromUtc());
    }
}

std::span<const uchar> Bytes(const QByteArray &bytes)
{
    return {reinterpret_cast<const uchar *>(bytes.constData()), size_t(bytes.size())};
}

} // namespace

class TestPhotoExif : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void readsWhatTheCameraRecorded();
    void readsEachFieldOnItsOwn_data();
    void readsEachFieldOnItsOwn();
    void damagedBlockGivesNothing_data();
    void damagedBlockGivesNothing();
    void readsOnlyTheHead();

private:
    enum class Seed { No, Yes };
    QString Write(const QString &name, const QByteArray &bytes, Seed seed = Seed::No)
    {
        const QString path = m_dir.filePath(name);
        {
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
                qFatal("cannot write %s", qPrintable(path));
        }
        // The fuzz seeds of fuzz/corpus/FuzzExif are these files, copied where this names.
        const QString seeds = qEnvironmentVariable("RYBOWID_EXIF_SEEDS");
        if (seed == Seed::Yes && !seeds.isEmpty()) {
            QFile::remove(seeds + QLatin1Char('/') + name);
            QFile::copy(path, seeds + QLatin1Char('/') + name);
        }
        return path;
    }

    QTemporaryDir m_dir;
    QByteArray m_jpeg;
};

void TestPhotoExif::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_jpeg = PlainJpeg();
    QVERIFY(m_jpeg.startsWith("\xFF\xD8\xFF\xE0"));
}

// Behind the editor's JFIF and XMP segments, in either byte order; the photo shows turned.
void TestPhotoExif::readsWhatTheCameraRecorded()
{
    const QDateTime taken(QDate(2024, 6, 15), QTime(5, 42, 10), Qt::OffsetFromUTC, 2 * 3600);
    const int jfifEnd = 4 + (uchar(m_jpeg[4]) << 8 | uchar(m_jpeg[5]));
    for (const bool bigEndian : {false, true}) {
        const QByteArray app1 = CameraLayout(bigEndian).App1();
        const QByteArray xmp = Segment(0xE1, "http://ns.adobe.com/xap/1.0/\0<x:xmpmeta/>");
        const QString path = Write(bigEndian ? QStringLiteral("camera-mm.jpg") : QStringLiteral("camera-ii.jpg"),
                                   m_jpeg.left(jfifEnd) + xmp + Segment(0xE1, app1) + m_jpeg.mid(jfifEnd), Seed::Yes);

        const PhotoExif read = ReadPhotoExif(path);
        QCOMPARE(read.orientation, 6);
        VerifyTaken(read.taken, taken);
        VerifyPosition(read.position, CameraPosition);

        const std::optional<PhotoExif> parsed = ParsePhotoExif(Bytes(app1));
        QVERIFY(parsed);
        QCOMPARE(parsed->orientation, 6);
        VerifyTaken(parsed->taken, taken);
        VerifyPosition(parsed->position, CameraPosition);

        QCOMPARE(LoadJpeg(path).size(), QSize(80, 160));
    }
    Write(QStringLiteral("camera.exif"), CameraLayout(false).App1(), Seed::Yes);
    QVERIFY(!ParsePhotoExif(Bytes(QByteArray("http://ns.adobe.com/xap/1.0/\0", 29))));
}

void TestPhotoExif::readsEachFieldOnItsOwn_data()
{
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QDateTime>("taken");
    QTest::addColumn<std::optional<GeoPoint>>("position");

    const QDateTime none;
    Layout layout;
    layout.ifd0 = {layout.Number(0x0112, 9), layout.Text(0x0132, "2025:01:02 10:00:00")};
    QTest::newRow("an edited file's date is not when it was taken; orientation 9 is none")
        << layout << 1 << none << std::optional<GeoPoint>();

    layout = {};
    layout.exif = {layout.Text(0x9003, "    :  :     :  :  "), layout.Text(0x9004, "2023:05:01 18:00:00"),
                   layout.Text(0x9011, "+02:00"), layout.Text(0x9012, "-05:30")};
    QTest::newRow("unknown time taken: digitized, with its own offset")
        << layout << 1 << QDateTime(QDate(2023, 5, 1), QTime(18, 0), Qt::OffsetFromUTC, -(5 * 3600 + 30 * 60))
        << std::optional<GeoPoint>();

    layout = {};
    layout.exif = {layout.Text(0x9003, "2023:12:01 07:30:00"), layout.Text(0x9011, "+00:00")};
    QTest::newRow("offset zero: UTC") << layout << 1 << QDateTime(QDate(2023, 12, 1), QTime(7, 30), Qt::UTC)
                                      << std::optional<GeoPoint>();

    layout = {};
    layout.bigEndian = true;
    layout.exif = {layout.Text(0x9003, "2023:05:01 18:00:00"), layout.Text(0x9011, "+2:00")};
    layout.gps = {layout.Text(0x0001, "S"), layout.Dms(0x0002, {{33, 1}, {5225, 100}, {0, 1}}),
                  layout.Text(0x0003, "W"), layout.Dms(0x0004, {{70, 1}, {40, 1}, {0, 1}})};
    QTest::newRow("malformed offset: local time; south and west")
        << layout << 1 << QDateTime(QDate(2023, 5, 1), QTime(18, 0), Qt::LocalTime)
        << std::optional(GeoPoint{-(33 + 52.25 / 60), -(70 + 40 / 60.0)});

    const Layout camera = CameraLayout(false);
    const auto withGps = [&](int index, const Field &field) {
        Layout changed = camera;
        changed.exif.clear();
        changed.gps[index] = field;
        return changed;
    };
    QTest::newRow("zero denominator") << withGps(3, camera.Dms(0x0004, {{21, 1}, {1, 0}, {0, 1}})) << 6 << none
                                      << std::optional<GeoPoint>();
    QTest::newRow("latitude past the pole")
        << withGps(1, camera.Dms(0x0002, {{90, 1}, {0, 1}, {1, 1}})) << 6 << none << std::optional<GeoPoint>();
    QTest::newRow("no hemisphere") << withGps(2, camera.Text(0x0003, "")) << 6 << none << std::optional<GeoPoint>();
}

void TestPhotoExif::readsEachFieldOnItsOwn()
{
    QFETCH(Layout, layout);
    QFETCH(int, orientation);
    QFETCH(QDateTime, taken);
    QFETCH(std::optional<GeoPoint>, position);
    const std::optional<PhotoExif> read = ParsePhotoExif(Bytes(layout.App1()));
    QVERIFY(read);
    QCOMPARE(read->orientation, orientation);
    VerifyTaken(read->taken, taken);
    VerifyPosition(read->position, position);
}

// Each damage hits the directories the fields are read from; a reader that took what it
// could find would still see the orientation, the date or the position.
void TestPhotoExif::damagedBlockGivesNothing_data()
{
    QTest::addColumn<QByteArray>("app1");
    const Layout camera = CameraLayout(false);
    const QByteArray whole = camera.App1();

    // Cut inside IFD0's second entry, and inside the GPS directory.
    QTest::newRow("truncated IFD0") << whole.left(6 + 8 + 2 + 12 + 6);
    QTest::newRow("truncated GPS directory")
        << whole.left(whole.indexOf(QByteArray(camera.U16(4) + camera.U16(Rational))) + 6);

    Layout outside = camera;
    outside.ifd0[0] = {0x0112, Short, camera.U16(6) + camera.U16(6) + camera.U16(6), {}, 0x7FFFFFF0};
    outside.exifAt = 0xFFFFFF00;
    outside.gpsAt = quint32(whole.size() + 40);
    QTest::newRow("offsets past the end") << outside.App1();

    Layout overflow = camera;
    overflow.ifd0[0].count = 0x80000001; // two bytes each: wraps to 2
    overflow.exif[0].count = 0xFFFFFFFF;
    overflow.exif[1].count = 0xFFFFFFFF;
    overflow.gps[1].count = 0x20000003; // eight bytes each: wraps to 24
    QTest::newRow("counts that overflow") << overflow.App1();

    Layout loop = camera;
    loop.exifAt = 8;
    loop.gpsAt = 8;
    loop.nextAt = 8;
    QTest::newRow("directories pointing back at IFD0") << loop.App1();
}

void TestPhotoExif::damagedBlockGivesNothing()
{
    QFETCH(QByteArray, app1);
    const QString name =
        QStringLiteral("damaged-%1.jpg").arg(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-'));
    const QString path = Write(name, WithSegments(m_jpeg, Segment(0xE1, app1)), Seed::Yes);
    for (const PhotoExif &read : {ReadPhotoExif(path), ParsePhotoExif(Bytes(app1)).value()}) {
        QCOMPARE(read.orientation, 1);
        QVERIFY(!read.taken.isValid());
        QVERIFY(!read.position);
    }
    QCOMPARE(LoadJpeg(path).size(), QSize(160, 80));
}

void TestPhotoExif::readsOnlyTheHead()
{
    const QByteArray app1 = Segment(0xE1, CameraLayout(false).App1());

    // Past 256 KiB of other segments, or after the image data began, it is not looked for.
    const QByteArray padding = Segment(0xE2, QByteArray(60000, 'x'));
    const QString late = Write(QStringLiteral("late.jpg"), WithSegments(m_jpeg, padding.repeated(5) + app1));
    QCOMPARE(ReadPhotoExif(late).orientation, 1);
    const QString early = Write(QStringLiteral("early.jpg"), WithSegments(m_jpeg, padding.repeated(3) + app1));
    QCOMPARE(ReadPhotoExif(early).orientation, 6);
    const QString afterScan = Write(QStringLiteral("after-scan.jpg"), m_jpeg.chopped(2) + app1 + m_jpeg.right(2));
    QVERIFY(!ReadPhotoExif(afterScan).taken.isValid());

    // Cut short inside the block, or no JPEG at all: nothing, and no error.
    const QByteArray photo = WithSegments(m_jpeg, app1);
    QVERIFY(!ReadPhotoExif(Write(QStringLiteral("cut.jpg"), photo.left(150))).position);
    QCOMPARE(ReadPhotoExif(Write(QStringLiteral("notes.jpg"), "Szczupak 4,2 kg")).orientation, 1);

    // A pipe never delivers its bytes when nothing writes to it; a missing file is an error.
    const QString pipe = m_dir.filePath(QStringLiteral("potok.jpg"));
    QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    QVERIFY_THROWS_EXCEPTION(EInOutError, ReadPhotoExif(pipe));
    QVERIFY_THROWS_EXCEPTION(EInOutError, ReadPhotoExif(m_dir.filePath(QStringLiteral("brak.jpg"))));
}

QTEST_MAIN(TestPhotoExif)
#include "tst_PhotoExif.moc"
