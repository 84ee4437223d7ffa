#include "data/DataTestSupport.h"

#include "GpxSamples.h"
#include "diary/CatchLog.h"
#include "diary/DiarySchema.h"
#include "diary/Gpx.h"

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
QStringList Summary(const Gpx::Reading &reading)
{
    QStringList lines;
    for (const Gpx::Waypoint &w : reading.waypoints)
        lines << QStringLiteral("%1|%2|%3|%4|%5")
                     .arg(w.water.name, w.water.number)
                     .arg(w.water.position->latitude, 0, 'g', 10)
                     .arg(w.water.position->longitude, 0, 'g', 10)
                     .arg(int(w.found));
    return lines;
}

Gpx::Reading ReadText(const QByteArray &text, const std::vector<Water> &existing = {})
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return Gpx::Read(buffer, existing);
}
// Whether the file is refused for the reason, with no waypoint; what it gave instead is
// told.
bool Refused(const QByteArray &text, const char *reason)
{
    const Gpx::Reading reading = ReadText(text);
    const bool refused = reading.error.contains(QString::fromUtf8(reason)) &&
                         reading.error.endsWith(QStringLiteral("żadnego łowiska.")) && reading.waypoints.empty();
    if (!refused)
        qWarning("%zu waypoints, error: %s", reading.waypoints.size(), qPrintable(reading.error));
    return refused;
}
} // namespace

class TestGpx : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The diary's waters and located catches go out as GPX 1.1 that another program reads
    // back as the diary has them, and this program reads the waters back from it.
    void aDiaryGoesOutAsGpxThatGpxpyReads()
    {
        ConnectedDatabase db;
        UpgradeDiarySchema(db.connection);
        QVERIFY(db.exec(QString::fromUtf8(Diary)));
        const std::vector<Water> waters = Waters::Read(db.connection);
        const QString path = db.dir.path() + QStringLiteral("łowiska.gpx");
        QString error;
        QVERIFY2(Gpx::Write(path, waters, CatchLog::ReadRecords(db.connection), &error), qPrintable(error));

        // Debian's python3-gpxpy serves Debian's interpreter; one of the user's own earlier
        // in the path would not have it.
        QString python = QStandardPaths::findExecutable(QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
        if (python.isEmpty())
            python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        QVERIFY2(!python.isEmpty(), "python3 is missing: scripts/install-deps.sh installs it with python3-gpxpy");
        QProcess gpxpy;
        gpxpy.start(python, {QStringLiteral("-c"), QString::fromUtf8(GpxpyScript), path});
        QVERIFY(gpxpy.waitForFinished(60000));
        QVERIFY2(gpxpy.exitCode() == 0, gpxpy.readAllStandardError().constData());
        const QStringList read = QString::fromUtf8(gpxpy.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        // Summer time is UTC+2, winter time UTC+1; the hour past midnight falls on the
        // year before; the bream had no hour and has no time.
        QCOMPARE(read, QStringList({
                           "1.1 Rybowid",
                           "Jezioro Łańskie|53.871|20.55|-|P-12|Łowisko",
                           "Zalew \"Zegrzyński\" & <Narew>|52.4659|21.0361|-|W/7|Łowisko",
                           "Szczupak 4,2 kg|53.871|20.55|2005-06-10T16:30:00Z|P-12|Połów",
                           "Okoń 0,35 kg|52.4659|21.0361|2005-01-24T06:05:00Z|W/7|Połów",
                           "Leszcz 45 cm|53.871|20.55|-|P-12|Połów",
                           "Sum 12,5 kg|53.871|20.55|2004-12-31T23:30:00Z|P-12|Połów",
                       }));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")));
        QVERIFY(text.contains(
            QStringLiteral("<desc>Leszcz, 45 cm, zabrana. Jezioro Łańskie, nr łowiska P-12. 22.04.2005, godzina "
                           "nieznana.</desc>")));
        QVERIFY(text.contains(QStringLiteral("<desc>Okoń, 0,35 kg, 28 cm, wypuszczona.")));

        // Read back, the waters come with their numbers and the catches stay out; against
        // the diary's own list both are already there.
        const QStringList back{"Jezioro Łańskie|P-12|53.871|20.55|0",
                               "Zalew \"Zegrzyński\" & <Narew>|W/7|52.4659|21.0361|0"};
        const Gpx::Reading fresh = Gpx::ReadFile(path, {});
        QVERIFY2(fresh.error.isEmpty(), qPrintable(fresh.error));
        QCOMPARE(Summary(fresh), back);
        QCOMPARE(Summary(Gpx::ReadFile(path, waters)),
                 QStringList(
                     {"Jezioro Łańskie|P-12|53.871|20.55|1", "Zalew \"Zegrzyński\" & <Narew>|W/7|52.4659|21.0361|1"}));
    }

    void phoneAndReceiverFilesGiveTheirWaypoints()
    {
        const std::vector<Water> mine{
            {QStringLiteral("Jezioro Łańskie"), QStringLiteral("P-12"), GeoPoint{53.871, 20.55}},
            {QStringLiteral("Punkt 6"), QString(), std::nullopt}};
        const Gpx::Reading phone = ReadText(PhoneApp, mine);
        QVERIFY2(phone.error.isEmpty(), qPrintable(phone.error));
        // A note in <cmt> of someone else's waypoint is no number; a water of the name
        // without a position is no reason to call a waypoint already there.
        QCOMPARE(Summary(phone), QStringList({
                                     "JEZIORO łańskie||53.8712|20.5503|1",
                                     "Jezioro Łańskie||53.88|20.55|0",
                                     "Wisła & Warszawa – bulwar||52.2297|21.0122|0",
                                     "wisła & warszawa – bulwar||52.22975|21.01225|2",
                                     "Río <Maipo>||-33.5|-70.25|0",
                                     "Punkt 6||50|19.9|0",
                                 }));

        const Gpx::Reading receiver = ReadText(Gpx10File);
        QVERIFY2(receiver.error.isEmpty(), qPrintable(receiver.error));
        QCOMPARE(Summary(receiver), QStringList{"Ujście Wisły||54.1|18.7|0"});
    }

    // Whatever is wrong with a file, it gives a reason and not one water, not even those
    // read before the fault.
    void aDamagedOrHostileFileGivesItsReasonAndNoWaters()
    {
        const QByteArray phone(PhoneApp);
        QByteArray tooMany = "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" version=\"1.1\">";
        for (int i = 0; i <= Gpx::MaxWaypoints; ++i)
            tooMany += "<wpt lat=\"50\" lon=\"20\"><name>P</name></wpt>\n";
        tooMany += "</gpx>";
        const struct
        {
            const char *what;
            QByteArray text;
            const char *reason;
        } files[] = {
            {"empty", "", "Plik jest pusty."},
            {"cut short", phone.left(phone.indexOf("<rte>")), "urywa się w wierszu 21"},
            {"a picture", QByteArray("\xFF\xD8\xFF\xE0\0\x10JFIF\0\x01\x01", 13), "uszkodzona w wierszu 1"},
            {"two documents", Gpx10File + QByteArray("<gpx/>"), "uszkodzona w wierszu 12"},
            {"too many", tooMany, "ponad 20000 punktów"},
        };
        for (const RefusedSample &sample : RefusedSamples)
            QVERIFY2(Refused(sample.text, sample.reason), sample.what);
        for (const auto &file : files)
            QVERIFY2(Refused(file.text, file.reason), file.what);

        // A file past the limit is refused unread, and what is no file at all too.
        QTemporaryDir folder;
        QFile huge(folder.filePath(QStringLiteral("ogromny.gpx")));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(Gpx::MaxFileBytes + 1));
        huge.close();
        QVERIFY2(
            Gpx::ReadFile(huge.fileName(), {}).error.startsWith("Plik ma 65 MB, a wczytywane są pliki GPX do 64 MB."),
            qPrintable(Gpx::ReadFile(huge.fileName(), {}).error));
        QVERIFY(Gpx::ReadFile(folder.path(), {}).error.startsWith(QStringLiteral("Nie można otworzyć pliku")));
    }
};

QTEST_GUILESS_MAIN(TestGpx)
#include "TestGpx.moc"
