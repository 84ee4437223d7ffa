#include "data/DataTestSupport.h"

#include "diary/DiarySchema.h"
#include "diary/PhotoCatches.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QImage>
#include <QTest>

#include <sys/stat.h>

using namespace PhotoCatches;

namespace {
const std::vector<Water> MyWaters{{"Zalew Zegrzyński", "7", GeoPoint{52.4500, 21.0300}},
                                {"Narew", "9", GeoPoint{52.6000, 21.2000}},
                                {"Staw", "", std::nullopt}};

QDateTime At(int day, int hour, int minute)
{
    return QDateTime(QDate(2025, 5, day), QTime(hour, minute));
}

bool Write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

class TestPhotoCatches : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Photos of one catch minutes apart at one place are one proposal; a later one, one
    // far from any water and one without a date are catches of their own, the undated last.
    void photosBecomeProposals()
    {
        const GeoPoint bank{52.4509, 21.0300}; // 100 m from the Zalew
        const std::vector<Proposal> proposals = Propose(
            {{"bez-daty.jpg", {}, bank},
             {"b.jpg", At(1, 5, 20), GeoPoint{52.4512, 21.0303}},
             {"a.jpg", At(1, 5, 10), bank},
             {"c.jpg", At(1, 5, 55), bank},
             {"d.jpg", At(2, 18, 0), GeoPoint{52.50, 21.03}}},
            MyWaters);
        QCOMPARE(proposals.size(), size_t(4));
        QCOMPARE(proposals[0].photos, (QStringList{"a.jpg", "b.jpg"}));
        QCOMPARE(proposals[0].day, QDate(2025, 5, 1));
        QCOMPARE(proposals[0].hour, QTime(5, 10));
        QCOMPARE(proposals[0].water, QStringLiteral("Zalew Zegrzyński"));
        QCOMPARE(proposals[1].photos, QStringList{"c.jpg"});
        // Five and a half kilometres from the Zalew: no water is named.
        QCOMPARE(proposals[2].water, QString());
        QVERIFY(!proposals[3].day.isValid() && proposals[3].photos == QStringList{"bez-daty.jpg"});
        const std::vector<Proposal> split = Split(proposals[0]);
        QCOMPARE(split.size(), size_t(2));
        QCOMPARE(split[1].photos, QStringList{"b.jpg"});
        QCOMPARE(split[1].hour, QTime(5, 10));

        // The diary keeps a catch's first photo only; its others, chosen again, are not
        // offered as a new catch.
        std::vector<Proposal> again = proposals;
        QCOMPARE(LeaveOutStored(again, {"a.jpg"}), 2);
        QCOMPARE(again.size(), size_t(3));
        QCOMPARE(again[0].photos, QStringList{"c.jpg"});
    }

    // What a folder from a phone or a stranger may hold: only whole JPEG files pass, and
    // nothing blocks the reading.
    void onlyPhotosPass()
    {
        QTemporaryDir dir;
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QVERIFY(picture.save(dir.filePath("ryba.jpg"), "JPG"));
        QFile whole(dir.filePath("ryba.jpg"));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        const QByteArray jpeg = whole.readAll();
        QVERIFY(Write(dir.filePath("pusty.jpg"), {}));
        QVERIFY(Write(dir.filePath("notatka.jpg"), "to tylko tekst"));
        QVERIFY(Write(dir.filePath("ucięty.jpg"), jpeg.left(jpeg.indexOf("\xFF\xDA"))));
        QVERIFY(Write(dir.filePath("ucięty w tablicy.jpg"), jpeg.left(jpeg.indexOf("\xFF\xC4") + 9)));
        QVERIFY(QFile::link(dir.filePath("ryba.jpg"), dir.filePath("dowiązanie.jpg")));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("kolejka.jpg")).constData(), 0600), 0);
        const auto refusal = [&dir](const char *name) { return ReadPhoto(dir.filePath(name)).refusal; };
        QCOMPARE(refusal("ryba.jpg"), QString());
        QCOMPARE(refusal("pusty.jpg"), QStringLiteral("pusty plik"));
        QCOMPARE(refusal("notatka.jpg"), QStringLiteral("to nie jest zdjęcie JPEG"));
        QVERIFY(refusal("ucięty.jpg").contains(QStringLiteral("ucięty")));
        QVERIFY(refusal("ucięty w tablicy.jpg").contains(QStringLiteral("ucięty")));
        QVERIFY(refusal("dowiązanie.jpg").contains(QStringLiteral("dowiązanie")));
        QCOMPARE(refusal("kolejka.jpg"), QStringLiteral("to nie jest zwykły plik"));
    }

    // Storing: each kept, named catch with its photo copied under a free name, nothing
    // at all when stopped, and a photo already stored is known by its content.
    void proposalsAreStoredWhole()
    {
        ConnectedDatabase db;
        UpgradeDiarySchema(db.connection);
        QTemporaryDir phone;
        // The same file name from two folders, different photos.
        QVERIFY(Write(phone.filePath("DCIM/IMG_0001.jpg"), "szczupak"));
        QVERIFY(Write(phone.filePath("Kopia/IMG_0001.jpg"), "okoń 25cm"));
        QVERIFY(Write(phone.filePath("DCIM/IMG_0002.jpg"), "leszcz"));
        const QString fotos = db.dir.fotoDir();
        Proposal pike{{phone.filePath("DCIM/IMG_0001.jpg")}, QDate(2025, 5, 1), QTime(5, 10), "Zalew", {}, true, {}, 0, 0};
        pike.species = "Szczupak";
        pike.weight = 3.2;
        Proposal perch = pike;
        perch.photos = {phone.filePath("Kopia/IMG_0001.jpg")};
        perch.species = "Okoń";
        perch.weight = 0;
        perch.hour = QTime();
        Proposal unnamed = pike;
        unnamed.species.clear();
        Proposal unticked = pike;
        unticked.photos = {phone.filePath("DCIM/IMG_0002.jpg")};
        unticked.keep = false;
        const auto phase = [](QDate, QTime hour) -> QString { return hour.isValid() ? "o godzinie" : "dnia"; };

        // Stopped after the first: nothing stored, no copy left.
        QVERIFY(Store(db.connection, fotos, {pike, perch}, phase, [](int done) { return done < 1; }).empty());
        QCOMPARE(db.column("select count(*) from dziennik"), QStringList{"0"});
        QVERIFY(QDir(fotos + "/2025-05-01").entryList(QDir::Files).isEmpty());

        const std::vector<qint64> rows = Store(db.connection, fotos, {pike, perch, unnamed, unticked}, phase, {});
        QCOMPARE(rows.size(), size_t(2));
        QCOMPARE(db.column("select data||'|'||gatunek||'|'||ifnull(waga,'-')||'|'||miejsce||'|'||foto||'|'||"
                           "ifnull(godzina,'-')||'|'||faza_ksiezyca||'|'||zabrana from dziennik order by rowid"),
                 (QStringList{"2025-05-01|Szczupak|3.2|Zalew|IMG_0001.jpg|05:10|o godzinie|1",
                              "2025-05-01|Okoń|-|Zalew|IMG_0001 (2).jpg|-|dnia|1"}));
        QFile stored(fotos + "/2025-05-01/IMG_0001 (2).jpg");
        QVERIFY(stored.open(QIODevice::ReadOnly) && stored.readAll() == "okoń 25cm");

        // The same photos again are known by their content, whatever their names; a
        // photo of the same size and other content is not.
        QVERIFY(Write(phone.filePath("Inne/kopia.jpg"), "szczupak"));
        QVERIFY(Write(phone.filePath("Inne/inny.jpg"), "szczupal"));
        QCOMPARE(AlreadyInDiary(db.connection, fotos,
                                {phone.filePath("Inne/kopia.jpg"), phone.filePath("Inne/inny.jpg"),
                                 phone.filePath("Kopia/IMG_0001.jpg"), phone.filePath("DCIM/IMG_0002.jpg")}),
                 (QStringList{phone.filePath("Inne/kopia.jpg"), phone.filePath("Kopia/IMG_0001.jpg")}));
    }
};

QTEST_GUILESS_MAIN(TestPhotoCatches)
#include "TestPhotoCatches.moc"
