#include "data/DataTestSupport.h"

#include "base/FolderUtils.h"
#include "diary/DatabaseBackup.h"
#include "data/DbErrors.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTest>

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
} // namespace

class TestDatabaseBackup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void backupAndRestoreRoundTripWithPhotos()
    {
        ConnectedDatabase db;
        QVERIFY(
            db.exec("insert into dziennik values ('2005-04-10','Szczupak',4.2,78,'Wisła','wobler','','','','a.jpg');"
                    "insert into dziennik values ('2005-04-11','Okoń',0.3,25,'Wisła','','','','','');"));
        const QString foto = db.dir.fotoDir();
        WriteFile(foto + "/2005-04-10/a.jpg", "szczupak");
        const QStringList savedRows = db.column(Rows);
        QTemporaryDir target;
        const QString backup = DatabaseBackup::Create(db.connection, foto, target.path());
        QVERIFY(DatabaseBackup::IsBackupFolder(backup));
        QCOMPARE(Files(backup + "/foto"), QStringList{"2005-04-10/a.jpg=szczupak"});
        QCOMPARE(TestSupport::QueryColumn(backup + "/wedkarz.db", Rows), savedRows);

        // Later the diary changes, and the disk loses a photo.
        db.connection.ExecStatement("delete from dziennik");
        db.connection.ExecStatement(
            "insert into dziennik values ('2005-05-01','Leszcz',1.1,40,'Zalew','','','','','b.jpg')");
        QVERIFY(DeleteFolder(foto + "/2005-04-10"));
        WriteFile(foto + "/2005-05-01/b.jpg", "leszcz");
        const QStringList laterRows = db.column(Rows);

        const QString aside = DatabaseBackup::Restore(db.connection, foto, backup, db.dir.path() + "data/kopie");
        QCOMPARE(db.column(Rows), savedRows);
        QCOMPARE(Files(foto), QStringList{"2005-04-10/a.jpg=szczupak"});
        // The connection reads the restored rows itself.
        TDbTable table;
        table.SetConnection(&db.connection);
        table.TableName = "dziennik";
        table.Open();
        QCOMPARE(table.GetRecordCount(), 2);

        // The replaced diary was kept aside, and restoring it undoes the restore.
        QCOMPARE(Files(aside + "/foto"), QStringList{"2005-05-01/b.jpg=leszcz"});
        DatabaseBackup::Restore(db.connection, foto, aside, db.dir.path() + "data/kopie");
        QCOMPARE(db.column(Rows), laterRows);
        QCOMPARE(Files(foto), QStringList{"2005-05-01/b.jpg=leszcz"});
        QCOMPARE(QDir(db.dir.path() + "data/kopie").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);
    }

    void aFolderWithoutADiaryChangesNothing()
    {
        ConnectedDatabase db;
        QVERIFY(db.exec("insert into dziennik values ('2005-04-10','Szczupak',4.2,78,'','','','','','');"));
        QTemporaryDir elsewhere;
        WriteFile(elsewhere.filePath("wedkarz.db"), "not a database at all, just text");
        const QString kopie = db.dir.path() + "data/kopie";
        QVERIFY(failureOf<EDatabaseError>([&] {
                    DatabaseBackup::Restore(db.connection, db.dir.fotoDir(), elsewhere.path(), kopie);
                }).startsWith("Plik"));
        QVERIFY(failureOf<EDatabaseError>([&] {
                    DatabaseBackup::Restore(db.connection, db.dir.fotoDir(), elsewhere.path() + "/brak", kopie);
                }).startsWith("W folderze"));
        QCOMPARE(db.column("select gatunek from dziennik"), QStringList{"Szczupak"});
        QVERIFY(!QDir(kopie).exists());
    }

    // Writes through the program's own connection and through another program land
    // between the steps of the copy; the copy is still one moment's whole diary.
    void aBackupTakenDuringWritesIsConsistent()
    {
        ConnectedDatabase db;
        QString seed = "begin;";
        const QString notes(1500, QLatin1Char('x'));
        for (int i = 0; i < 200; ++i)
            seed += QStringLiteral("insert into dziennik values ('2005-04-10','ryba %1',1,1,'','','','','%2','');")
                        .arg(i)
                        .arg(notes);
        QVERIFY(db.exec(seed + "commit;"));
        int steps = 0;
        DatabaseBackup::Options options;
        options.pagesPerStep = 2;
        options.progress = [&](int remaining, int total) {
            QVERIFY(remaining >= 0 && remaining <= total);
            if (++steps > 20)
                return;
            // Catches always come in pairs: a copy with an odd count was torn.
            const QString pair = QStringLiteral("insert into dziennik values ('2005-04-11','para %1',2,2,'','','','',"
                                                "'%2','');")
                                     .arg(steps)
                                     .arg(notes);
            if (steps % 2)
                QVERIFY(db.exec("begin;" + pair + pair + "commit;"));
            else
                db.connection.ExecStatement("insert into dziennik select * from dziennik where gatunek = 'para " +
                                            QString::number(steps - 1) + "'");
        };
        QTemporaryDir target;
        const QString backup = DatabaseBackup::Create(db.connection, db.dir.fotoDir(), target.path(), options);
        QVERIFY(steps > 20);
        const QString copy = backup + "/wedkarz.db";
        QCOMPARE(TestSupport::QueryColumn(copy, "pragma integrity_check"), QStringList{"ok"});
        const QString everything = "select rowid||gatunek||length(opis) from dziennik order by rowid";
        QCOMPARE(TestSupport::QueryColumn(copy, everything), db.column(everything));
        QCOMPARE(db.column("select count(*) from dziennik"), QStringList{QString::number(200 + 10 * 2 + 10 * 2)});
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
