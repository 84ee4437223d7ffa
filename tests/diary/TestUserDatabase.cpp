#include "base/ProgramPaths.h"
#include "diary/UserDatabase.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using TestSupport::QueryColumn;
using TestSupport::TempProgramDir;

class TestUserDatabase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newerShippedTablesReplaceOnlyTheSuppliedOnes();
};

void TestUserDatabase::newerShippedTablesReplaceOnlyTheSuppliedOnes()
{
    TempProgramDir shipped(TempProgramDir::Content::Shipped);
    QVERIFY(shipped.isValid());
    QTemporaryDir home;
    const QString engine = shipped.path() + SqliteLibraryFileName();
    const QString user = home.path() + QStringLiteral("/Rybowid/data/wedkarz.db");
    auto count = [&](const QString &table) {
        return QueryColumn(user, QStringLiteral("SELECT count(*) FROM ") + table).value(0).toInt();
    };

    RefreshUserDatabase(engine, home.path() + QStringLiteral("/nothing-shipped.db"), user);
    QVERIFY(!QFile::exists(user));
    // A damaged file of the user's is left for the main window to report, never written over.
    const QString damaged = home.path() + QStringLiteral("/damaged.db");
    QFile file(damaged);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not a database") > 0);
    file.close();
    RefreshUserDatabase(engine, shipped.dbPath(), damaged);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("not a database"));

    // First start: the user's file is made with every shipped table.
    RefreshUserDatabase(engine, shipped.dbPath(), user);
    const int species = QueryColumn(shipped.dbPath(), QStringLiteral("SELECT count(*) FROM ryby")).value(0).toInt();
    QVERIFY(species > 40);
    QCOMPARE(count(QStringLiteral("ryby")), species);
    QVERIFY(count(QStringLiteral("przepisy")) > 0);
    QCOMPARE(count(QStringLiteral("dziennik")), 0);

    // The same shipped file again: the user's file is not rewritten.
    QVERIFY(TestSupport::ExecSql(user, QStringLiteral("INSERT INTO dziennik VALUES ('2005-01-24', 'Szczupak', 2.5, 64, "
                                                      "'Jezioro', 'żywiec', 'S', 'pełnia', '', '');"
                                                      "UPDATE ryby SET nazwa = 'zmieniona' WHERE rowid = 1;")));
    RefreshUserDatabase(engine, shipped.dbPath(), user);
    QCOMPARE(QueryColumn(user, QStringLiteral("SELECT nazwa FROM ryby WHERE rowid = 1")).value(0),
             QStringLiteral("zmieniona"));

    // A newer program with one more species and a tip fewer: its tables come over whole,
    // the diary stays.
    QVERIFY(shipped.exec(
        QStringLiteral("INSERT INTO ryby SELECT 'Nowy gatunek', od, do, wymiar, rekord, wystepowanie, metoda, "
                       "opis_dlugi, opis_krotki, zdjecie FROM ryby WHERE rowid = 1;"
                       "DELETE FROM porady WHERE rowid = 1;")));
    RefreshUserDatabase(engine, shipped.dbPath(), user);
    QCOMPARE(count(QStringLiteral("ryby")), species + 1);
    QCOMPARE(QueryColumn(user, QStringLiteral("SELECT nazwa FROM ryby WHERE rowid = 1")),
             QueryColumn(shipped.dbPath(), QStringLiteral("SELECT nazwa FROM ryby WHERE rowid = 1")));
    QCOMPARE(count(QStringLiteral("porady")),
             QueryColumn(shipped.dbPath(), QStringLiteral("SELECT count(*) FROM porady")).value(0).toInt());
    QCOMPARE(QueryColumn(user, QStringLiteral("SELECT data || '|' || gatunek || '|' || waga FROM dziennik")),
             QStringList{QStringLiteral("2005-01-24|Szczupak|2.5")});
}

QTEST_GUILESS_MAIN(TestUserDatabase)
#include "TestUserDatabase.moc"
