#include "data/DataTestSupport.h"

#include "base/FolderUtils.h"
#include "data/DbErrors.h"
#include "data/Statement.h"
#include "diary/BackupManifest.h"
#include "diary/DatabaseBackup.h"
#include "diary/DiarySchema.h"
#include "diary/Permit.h"
#include "diary/Waters.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTest>
#include <atomic>
#include <chrono>
#include <sys/stat.h>
#include <thread>

namespace {
void WriteFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// "relative/path=content" of every file under a folder, sorted.
QStringList Files(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        files << QDir(folder).relativeFilePath(path) + QLatin1Char('=') + QString::fromUtf8(file.readAll());
    }
    files.sort();
    return files;
}

const QString Rows = QStringLiteral("select data||' '||gatunek||' '||waga from dziennik order by rowid");

QString DataFolder(const ConnectedDatabase &db)
{
    return db.dir.path() + "data";
}

// The diary of the tests: one pike with its photo, one perch.
void Seed(ConnectedDatabase &db)
{
    QVERIFY(db.exec(
        "insert into dziennik values ('2005-04-10','Szczupak',4.2,78,'Wisła','wobler','','','','z łodzi 1%.jpg');"
        "insert into dziennik values ('2005-04-11','Okoń',0.3,25,'Wisła','','','','','');"
        "insert into ryby (nazwa) values ('Sum');"));
    WriteFile(db.dir.fotoDir() + "/2005-04-10/z łodzi 1%.jpg", "szczupak");
}

// What a restore must never touch when it refuses or undoes itself.
QStringList LiveState(const ConnectedDatabase &db)
{
    return db.column(Rows) + Files(db.dir.fotoDir()) +
           QDir(DataFolder(db)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}
} // namespace

class TestDatabaseBackup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void backupAndRestoreRoundTripWithPhotos()
    {
        ConnectedDatabase db;
        Seed(db);
        UpgradeDiarySchema(db.connection);
        Permit permit;
        permit.name = QStringLiteral("Okręg Mazowiecki");
        permit.number = QStringLiteral("123/2005");
        permit.angler = QStringLiteral("Jan Kowalski");
        permit.Write(db.connection);
        // The hour of a catch and the position of a water travel with the copy.
        db.connection.ExecStatement("update dziennik set godzina = '05:10' where rowid = (select min(rowid) from dziennik)");
        Waters::Write(db.connection, {{"Zalew", "7", GeoPoint{52.45, 21.03}}});
        const QString hours = "select ifnull(godzina, '-') from dziennik order by rowid";
        const QStringList savedHours = db.column(hours);
        const QString foto = db.dir.fotoDir();
        const QStringList savedRows = db.column(Rows);
        QTemporaryDir target;
        const QString backup = DatabaseBackup::Create(db.connection, foto, target.path());
        QCOMPARE(Files(backup + "/foto"), QStringList{"2005-04-10/z łodzi 1%.jpg=szczupak"});
        QCOMPARE(TestSupport::QueryColumn(backup + "/wedkarz.db", Rows), savedRows);
        QCOMPARE(QDir(target.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
        QString problem;
        QCOMPARE(BackupManifest::Check(backup, &problem).size(), size_t(2));

        // Later the diary changes, the disk loses a photo, and a newer program ships
        // another species, which the restore keeps.
        db.connection.ExecStatement("delete from dziennik");
        db.connection.ExecStatement("insert into dziennik (data, gatunek, waga, dlugosc, miejsce, foto) values "
                                    "('2005-05-01','Leszcz',1.1,40,'Zalew','b.jpg')");
        db.connection.ExecStatement("insert into ryby (nazwa) values ('Jesiotr')");
        Permit().Write(db.connection);
        QVERIFY(DeleteFolder(foto + "/2005-04-10"));
        WriteFile(foto + "/2005-05-01/b.jpg", "leszcz");
        const QStringList laterRows = db.column(Rows);

        QCOMPARE(DatabaseBackup::RestoreProblem(db.connection, DataFolder(db), backup), QString());
        QCOMPARE(DatabaseBackup::LastSetAside(DataFolder(db)), QString());
        const QString aside = DatabaseBackup::Restore(db.connection, DataFolder(db), backup);
        QCOMPARE(DatabaseBackup::LastSetAside(DataFolder(db)), aside);
        QCOMPARE(db.column(Rows), savedRows);
        QCOMPARE(db.column(hours), savedHours);
        QCOMPARE(savedHours.front(), QStringLiteral("05:10"));
        QCOMPARE(Waters::Read(db.connection).front().position, std::optional(GeoPoint{52.45, 21.03}));
        QCOMPARE(Files(foto), QStringList{"2005-04-10/z łodzi 1%.jpg=szczupak"});
        QCOMPARE(db.column("select nazwa from ryby order by rowid"), (QStringList{"Sum", "Jesiotr"}));
        // The permit comes back with its holder and number, which the register is signed with.
        const Permit restored = Permit::Read(db.connection);
        QCOMPARE(restored.name + '|' + restored.number + '|' + restored.angler,
                 QStringLiteral("Okręg Mazowiecki|123/2005|Jan Kowalski"));
        QCOMPARE(QDir(DataFolder(db)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
                 (QStringList{"encyklopedia", "foto", "grafika", "html", "kopie", "wedkarz.db"}));
        // The connection reads the restored rows itself.
        TDbTable table;
        table.SetConnection(&db.connection);
        table.TableName = "dziennik";
        table.Open();
        QCOMPARE(table.GetRecordCount(), 2);

        // The replaced diary was kept aside, and restoring it undoes the restore.
        QCOMPARE(Files(aside + "/foto"), QStringList{"2005-05-01/b.jpg=leszcz"});
        const QString undone = DatabaseBackup::Restore(db.connection, DataFolder(db), aside);
        QCOMPARE(db.column(Rows), laterRows);
        QCOMPARE(Files(foto), QStringList{"2005-05-01/b.jpg=leszcz"});
        QCOMPARE(QDir(DataFolder(db) + "/kopie").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);
        // The undoing kept the restored diary aside in turn (within the same second its
        // name carries a number), and that is the one offered now; a copy cut short and a
        // folder of photos set aside are never offered.
        QVERIFY(undone != aside);
        QVERIFY(QDir().mkpath(DataFolder(db) + "/kopie/Przed przywróceniem 2999-01-01 00.00.00.niedokonczona"));
        QVERIFY(QDir().mkpath(DataFolder(db) + "/kopie/Zdjęcia, których nie udało się usunąć 2999-01-01 00.00.00"));
        QCOMPARE(DatabaseBackup::LastSetAside(DataFolder(db)), undone);
        QVERIFY(DeleteFolder(undone));
        QCOMPARE(DatabaseBackup::LastSetAside(DataFolder(db)), aside);
    }

    // Each copy below is refused before anything is replaced, with the reason.
    void restoreRefusesWhatIsNotAWholeSoundDiary()
    {
        ConnectedDatabase db;
        Seed(db);
        QTemporaryDir target;
        const QString good = DatabaseBackup::Create(db.connection, db.dir.fotoDir(), target.path());
        const auto copyOf = [&](const QString &name) {
            const QString folder = target.filePath(name);
            QDir().mkpath(folder + "/foto/2005-04-10");
            for (const QString &file :
                 {QString("wedkarz.db"), QString("foto/2005-04-10/z łodzi 1%.jpg"), BackupManifest::FileName})
                QFile::copy(good + '/' + file, folder + '/' + file);
            return folder;
        };
        const auto remanifest = [](const QString &folder) {
            QString error;
            QVERIFY2(BackupManifest::Write(folder, &error), qPrintable(error));
        };
        const auto withDiary = [&](const QString &name, const QString &sql) {
            const QString folder = copyOf(name);
            QFile::remove(folder + "/wedkarz.db");
            if (!TestSupport::ExecSql(folder + "/wedkarz.db", sql))
                qWarning("cannot make %s", qPrintable(name));
            remanifest(folder);
            return folder;
        };

        struct Case
        {
            QString folder;
            QString reason;
        };
        std::vector<Case> cases;
        // A copy made before copies carried their list, or one whose writing was cut off.
        cases.push_back({copyOf("bez spisu"), "nie ma spisu plików"});
        QFile::remove(cases.back().folder + '/' + BackupManifest::FileName);
        cases.push_back({copyOf("spis urwany"), "jest niepełny"});
        {
            QFile list(cases.back().folder + '/' + BackupManifest::FileName);
            QVERIFY(list.open(QIODevice::ReadWrite));
            const QByteArray text = list.readAll();
            list.resize(text.lastIndexOf("# "));
        }
        cases.push_back({copyOf("bez zdjęcia"), "brakuje pliku"});
        QVERIFY(QFile::remove(cases.back().folder + "/foto/2005-04-10/z łodzi 1%.jpg"));
        cases.push_back({copyOf("inne zdjęcie"), "różni się"});
        WriteFile(cases.back().folder + "/foto/2005-04-10/z łodzi 1%.jpg", "sandacz");
        cases.push_back({withDiary("obca tabela", "create table dziennik(x);"), "brakuje kolumn: data"});
        cases.push_back(
            {withDiary("widok", "create table t(data,gatunek,waga,dlugosc); create view dziennik as select * from t;"),
             "nie zawiera tabeli"});
        // A link would bring in whatever it points at, outside the copy.
        cases.push_back({copyOf("dowiązanie"), "dowiązanie symboliczne"});
        QVERIFY(QFile::remove(cases.back().folder + "/foto/2005-04-10/z łodzi 1%.jpg"));
        QVERIFY(QFile::link(good + "/foto/2005-04-10/z łodzi 1%.jpg",
                            cases.back().folder + "/foto/2005-04-10/z łodzi 1%.jpg"));
        remanifest(cases.back().folder);
        cases.push_back({copyOf("nie baza"), "nie można odczytać"});
        WriteFile(cases.back().folder + "/wedkarz.db", "not a database at all, just text");
        remanifest(cases.back().folder);
        cases.push_back({DataFolder(db), "należy do bieżącego dziennika"});
        cases.push_back({db.dir.fotoDir(), "należy do bieżącego dziennika"});
        cases.push_back({target.filePath("brak"), "nie istnieje"});

        const QStringList before = LiveState(db);
        for (const Case &c : cases) {
            const QString problem = DatabaseBackup::RestoreProblem(db.connection, DataFolder(db), c.folder);
            QVERIFY2(problem.contains(c.reason, Qt::CaseInsensitive), qPrintable(c.folder + ": " + problem));
            QCOMPARE(
                failureOf<EDatabaseError>([&] { DatabaseBackup::Restore(db.connection, DataFolder(db), c.folder); }),
                problem);
            QCOMPARE(LiveState(db), before);
        }
    }

    // A diary from before photos were kept gets the column, empty; the supplied tables
    // stay the installed program's.
    void anOlderDiaryIsRestoredWithTheMissingColumnAdded()
    {
        ConnectedDatabase db;
        Seed(db);
        QTemporaryDir old;
        QVERIFY(TestSupport::ExecSql(
            old.filePath("wedkarz.db"),
            "create table dziennik (data date, gatunek varchar(255), waga float, dlugosc float, miejsce varchar(255),"
            " przyneta varchar(255), wiatr varchar(255), faza_ksiezyca varchar(255), opis memo);"
            "create table ryby (nazwa varchar(255));"
            "insert into dziennik values ('1999-06-01','Karp',5,60,'Staw','kukurydza','','','dawno');"));
        QString error;
        QVERIFY(BackupManifest::Write(old.path(), &error));
        DatabaseBackup::Restore(db.connection, DataFolder(db), old.path());
        // A catch from before the program knew kept from released counts as kept.
        QCOMPARE(db.column("select data||gatunek||opis||'['||ifnull(foto, 'NULL')||']'||zabrana from dziennik"),
                 QStringList{"1999-06-01Karpdawno[NULL]1"});
        QCOMPARE(db.column("select nazwa from ryby"), QStringList{"Sum"});
        QCOMPARE(db.column("select count(*) from porady where 0"), QStringList{"0"});
        QCOMPARE(Files(db.dir.fotoDir()), QStringList{});
        // Nor had it the permit and the waters: they come back empty, ready to be kept.
        QCOMPARE(db.column("select (select count(*) from zezwolenie) + (select count(*) from zezwolenie_gatunki) + "
                           "(select count(*) from lowiska)"),
                 QStringList{"0"});
    }

    // A copy is read for its rows only. This one carries a trigger that empties the diary
    // at the next insert, a CHECK that refuses every insert, WAL mode and a view named
    // like a supplied table: after the restore the diary takes posts, the permit is
    // saved and the copy is restored again, every row kept, and none of it is live.
    void aCopyBringsItsRowsAndNoneOfItsCode()
    {
        ConnectedDatabase db;
        Seed(db);
        QTemporaryDir hostile;
        const QString file = hostile.filePath("wedkarz.db");
        QString seed = "pragma page_size = 1024;"
                       "create table dziennik (data date, gatunek varchar(255), waga float, dlugosc float,"
                       " miejsce varchar(255), przyneta varchar(255), wiatr varchar(255), faza_ksiezyca varchar(255),"
                       " opis memo, foto varchar(255), zabrana integer, inna text, check (waga < 0));"
                       "create table zezwolenie (nazwa varchar(255), rok integer, limit_kg float);"
                       "insert into zezwolenie values ('Okręg %1 \"Wody\"', 2026, 5);"
                       "create table lowiska (nazwa varchar(255), numer varchar(40));"
                       "insert into lowiska values ('Staw ''Dolny''', '7');"
                       "create table t (porada memo, rodzaj_porady integer);"
                       "create view porady as select * from t;"
                       "pragma ignore_check_constraints = 1; begin;";
        for (int i = 0; i < 300; ++i)
            seed += QStringLiteral("insert into dziennik values ('2006-06-%1','Karp',3,50,'','','','','','',0,'x');")
                        .arg(1 + i % 28, 2, 10, QLatin1Char('0'));
        // A catch with no word on whether it was kept counts as kept, as the program's own do.
        seed += "insert into dziennik values ('2006-07-02','Okoń',1,20,'','','','','','',NULL,'x');";
        QVERIFY(TestSupport::ExecSql(file, seed + "commit; create trigger kasuj after insert on dziennik begin "
                                                  "delete from dziennik; end; pragma journal_mode = wal;"));
        QString error;
        QVERIFY2(BackupManifest::Write(hostile.path(), &error), qPrintable(error));

        const QStringList tips = db.column("select porada from porady order by rowid");
        for (int round = 0; round < 2; ++round) {
            DatabaseBackup::Restore(db.connection, DataFolder(db), hostile.path());
            QCOMPARE(db.column("select count(*) from dziennik where gatunek = 'Karp' and zabrana = 0"),
                     QStringList{"300"});
            db.connection.ExecStatement("insert into dziennik (data, gatunek, waga, dlugosc) values "
                                        "('2006-07-01','Lin',1,30)");
            QCOMPARE(db.column("select count(*) from dziennik where zabrana = 1"), QStringList{"2"});
            QCOMPARE(db.column("select count(*) from dziennik"), QStringList{"302"});
            Permit permit = Permit::Read(db.connection);
            QCOMPARE(permit.name, QStringLiteral("Okręg %1 \"Wody\""));
            // The copy's permit had no holder yet; the restored diary has the column for one.
            QCOMPARE(permit.angler, QString());
            permit.dailyKg = 6;
            permit.angler = QStringLiteral("Anna Nowak");
            permit.Write(db.connection);
            QCOMPARE(Permit::Read(db.connection).angler, permit.angler);
            QCOMPARE(Waters::Read(db.connection).front().name, QStringLiteral("Staw 'Dolny'"));
        }
        QCOMPARE(db.column("select porada from porady order by rowid"), tips);
        QCOMPARE(db.column("select type || ' ' || name from sqlite_master where type in ('trigger', 'view')"),
                 QStringList{});
        QCOMPARE(db.column("pragma journal_mode"), QStringList{"delete"});
        QCOMPARE(db.column("pragma page_size"), QStringList{"4096"});
        QCOMPARE(db.column("pragma integrity_check"), QStringList{"ok"});
    }

    // Old photos that stand in the way stop no restore: a folder left by an earlier one
    // goes, and photos kept on another disk behind a link stay where they are.
    void oldPhotosInTheWayNeitherBlockNorGetLost()
    {
        ConnectedDatabase db;
        Seed(db);
        QTemporaryDir target, elsewhere;
        const QString backup = DatabaseBackup::Create(db.connection, db.dir.fotoDir(), target.path());
        const QString foto = db.dir.fotoDir();
        WriteFile(foto + ".poprzednie/2001-01-01/stare.jpg", "stare");
        QString notice;
        DatabaseBackup::Restore(db.connection, DataFolder(db), backup, {}, &notice);
        QVERIFY(!QFileInfo::exists(foto + ".poprzednie"));
        QCOMPARE(Files(foto), QStringList{"2005-04-10/z łodzi 1%.jpg=szczupak"});
        QCOMPARE(notice, QString());

        // The photos live on another disk, the folder only a link to them.
        QVERIFY(QDir().rename(foto, elsewhere.filePath("zdjecia")));
        QVERIFY(QFile::link(elsewhere.filePath("zdjecia"), foto));
        DatabaseBackup::Restore(db.connection, DataFolder(db), backup, {}, &notice);
        QCOMPARE(Files(elsewhere.filePath("zdjecia")), QStringList{"2005-04-10/z łodzi 1%.jpg=szczupak"});
        QCOMPARE(Files(foto), QStringList{"2005-04-10/z łodzi 1%.jpg=szczupak"});
        QVERIFY(!QFileInfo(foto).isSymLink());
        QVERIFY(!QFileInfo(foto + ".poprzednie").isSymLink());
        QVERIFY(!DatabaseBackup::RestorePending(DataFolder(db)));
    }

    // A photo that cannot be read is named, and no copy is left under a copy's name.
    void anUnreadablePhotoIsNamedAndLeavesNoCopy()
    {
        ConnectedDatabase db;
        Seed(db);
        const QString broken = db.dir.fotoDir() + "/2005-04-10/b.jpg";
        QVERIFY(QFile::link(db.dir.fotoDir() + "/nigdzie.jpg", broken));
        QTemporaryDir target;
        const QString message =
            failureOf<EDatabaseError>([&] { DatabaseBackup::Create(db.connection, db.dir.fotoDir(), target.path()); });
        QVERIFY2(message.contains(QDir::toNativeSeparators(broken)), qPrintable(message));
        QCOMPARE(QDir(target.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
        // A pipe named like a photo is named too, rather than waited on for good.
        QVERIFY(QFile::remove(broken));
        QCOMPARE(mkfifo(QFile::encodeName(broken).constData(), 0600), 0);
        QVERIFY(failureOf<EDatabaseError>([&] {
                    DatabaseBackup::Create(db.connection, db.dir.fotoDir(), target.path());
                }).contains(QDir::toNativeSeparators(broken)));
        // Nor can a copy be written into the photos it copies.
        QVERIFY(failureOf<EDatabaseError>([&] {
                    DatabaseBackup::Create(db.connection, db.dir.fotoDir(), db.dir.fotoDir() + "/2005-04-10");
                }).contains("folderze zdjęć"));
    }

    // The states a killed restore can leave, finished or undone at the next start.
    void anInterruptedRestoreIsFinishedOrUndone()
    {
        ConnectedDatabase db;
        Seed(db);
        QTemporaryDir target;
        const QString backup = DatabaseBackup::Create(db.connection, db.dir.fotoDir(), target.path());
        const QStringList oldRows = db.column(Rows);
        const QString data = DataFolder(db), foto = db.dir.fotoDir();
        const auto stage = [&] {
            QFile::remove(data + "/wedkarz.db.przywracana");
            QVERIFY(QFile::copy(backup + "/wedkarz.db", data + "/wedkarz.db.przywracana"));
            QVERIFY(TestSupport::ExecSql(data + "/wedkarz.db.przywracana",
                                         "update dziennik set gatunek = 'Nowy' where gatunek = 'Okoń'"));
            WriteFile(foto + ".przywracane/2005-04-11/c.jpg", "nowe");
        };
        const auto journal = [&](const QByteArray &state) {
            QFile file(data + "/przywracanie.txt");
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(state + "\n\n");
        };
        const auto leftovers = [&] {
            return QDir(data).entryList({"*.przywrac*", "*.poprzednie", "przywracanie.txt"},
                                        QDir::AllEntries | QDir::NoDotAndDotDot);
        };

        // Killed while preparing: the live diary and photos stay, the preparation goes.
        stage();
        journal("przygotowanie");
        QVERIFY(DatabaseBackup::RestorePending(data));
        QVERIFY(DatabaseBackup::FinishInterruptedRestore(db.connection, data));
        QCOMPARE(db.column(Rows), oldRows);
        QCOMPARE(Files(foto), QStringList{"2005-04-10/z łodzi 1%.jpg=szczupak"});
        QCOMPARE(leftovers(), QStringList{});
        QVERIFY(!DatabaseBackup::FinishInterruptedRestore(db.connection, data));

        // Killed after the database was replaced, before the photos were.
        const QStringList newRows{"2005-04-10 Szczupak 4.2", "2005-04-11 Nowy 0.3"};
        stage();
        journal("zamiana");
        QVERIFY(DatabaseBackup::FinishInterruptedRestore(db.connection, data));
        QCOMPARE(db.column(Rows), newRows);
        QCOMPARE(Files(foto), QStringList{"2005-04-11/c.jpg=nowe"});
        QCOMPARE(leftovers(), QStringList{});

        // Killed between the two renames: no photo folder at all, the old one aside.
        // A new restore first finishes this one and deletes nothing still needed.
        stage();
        QVERIFY(QDir().rename(foto, foto + ".poprzednie"));
        QVERIFY(QFile::remove(data + "/wedkarz.db.przywracana"));
        journal("zamiana");
        const QString aside = DatabaseBackup::Restore(db.connection, data, backup);
        QCOMPARE(Files(aside + "/foto"), QStringList{"2005-04-11/c.jpg=nowe"});
        QCOMPARE(db.column(Rows), oldRows);
        QCOMPARE(Files(foto), QStringList{"2005-04-10/z łodzi 1%.jpg=szczupak"});
        QCOMPARE(leftovers(), QStringList{});

        // Another program holding the diary refuses the replacement: the restore is
        // undone whole, and nothing is left for the next start to replace again.
        const QString another = DatabaseBackup::Create(db.connection, foto, target.path());
        db.connection.ExecStatement(
            "insert into dziennik (data, gatunek, waga, dlugosc) values ('2005-05-01','Lin',1,30)");
        const QStringList later = db.column(Rows);
        TDbConnection other;
        other.SetDriverDLL(db.connection.DriverDLL());
        other.SetDatabase(db.dir.dbPath());
        other.SetConnected(true);
        other.ExecStatement("begin immediate");
        db.connection.SetBusyTimeout(50);
        QVERIFY(failureOf<EDatabaseError>([&] {
                    DatabaseBackup::Restore(db.connection, data, another);
                }).contains("zajęta"));
        other.ExecStatement("rollback");
        QCOMPARE(db.column(Rows), later);
        QCOMPARE(leftovers(), QStringList{});
    }

    // Another program commits a pair of catches every 20 ms throughout: the copy still
    // ends, holds one moment's whole diary (never half a pair), and a cancelled copy
    // leaves nothing behind.
    void aBackupEndsUnderABusyWriterAndCanBeCancelled()
    {
        ConnectedDatabase db;
        Seed(db);
        QString seed = "begin;";
        const QString notes(1500, QLatin1Char('x'));
        for (int i = 0; i < 3000; ++i)
            seed += QStringLiteral("insert into dziennik values ('2005-04-10','ryba %1',1,1,'','','','','%2','');")
                        .arg(i)
                        .arg(notes);
        QVERIFY(db.exec(seed + "commit;"));
        std::atomic<bool> stop = false;
        std::atomic<int> commits = 0;
        std::thread writer([&] {
            TDbConnection other;
            other.SetDriverDLL(db.connection.DriverDLL());
            other.SetDatabase(db.dir.dbPath());
            other.SetConnected(true);
            while (!stop) {
                Transaction pair(other);
                for (int i = 0; i < 2; ++i)
                    Statement(other, "insert into dziennik (data, gatunek, waga, dlugosc) values (?, 'para', 2, 2)",
                              "2005-04-11")
                        .Run();
                pair.Commit();
                ++commits;
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
        QTemporaryDir target;
        QStringList copies;
        for (int i = 0; i < 3; ++i)
            copies << DatabaseBackup::Create(db.connection, db.dir.fotoDir(), target.path());
        stop = true;
        writer.join();
        QVERIFY(commits > 0);
        for (const QString &copy : copies) {
            QCOMPARE(TestSupport::QueryColumn(copy + "/wedkarz.db", "pragma integrity_check"), QStringList{"ok"});
            const int pairs =
                TestSupport::QueryColumn(copy + "/wedkarz.db", "select count(*) from dziennik where gatunek = 'para'")
                    .value(0)
                    .toInt();
            QCOMPARE(pairs % 2, 0);
            QCOMPARE(TestSupport::QueryColumn(copy + "/wedkarz.db", "select count(*) from dziennik").value(0).toInt(),
                     3002 + pairs);
        }

        // Cancelled at the last photo: no folder of the copy is left, finished or not.
        DatabaseBackup::Options options;
        QList<int> told;
        options.progress = [&](int done, int total) {
            told << done;
            return done < total - 1;
        };
        const QStringList before = QDir(target.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QVERIFY(failureOf<DatabaseBackup::Cancelled>([&] {
                    DatabaseBackup::Create(db.connection, db.dir.fotoDir(), target.path(), options);
                }).contains("Przerwano"));
        QCOMPARE(told, (QList<int>{0, 1, 2}));
        QCOMPARE(QDir(target.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), before);
        // What a killed copy left under the program's name goes with the next copy.
        QVERIFY(QDir().mkpath(target.filePath("Rybowid kopia 2020-01-01 10.00.00.niedokonczona/foto")));
        DatabaseBackup::Create(db.connection, db.dir.fotoDir(), target.path());
        QCOMPARE(QDir(target.path()).entryList({"*.niedokonczona"}, QDir::Dirs), QStringList{});
    }

    void anEngineWithoutTheBackupStillRunsTheProgram()
    {
        TDbConnection connection;
        connection.SetDriverDLL(NO_BACKUP_ENGINE_PATH);
        QVERIFY(connection.LoadLibs());
        QVERIFY(!DatabaseBackup::Available(connection));

        ConnectedDatabase db;
        QVERIFY(DatabaseBackup::Available(db.connection));
    }
};

QTEST_GUILESS_MAIN(TestDatabaseBackup)
#include "TestDatabaseBackup.moc"
