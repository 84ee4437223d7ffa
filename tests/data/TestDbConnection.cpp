#include "DataTestSupport.h"

#include "base/ProgramPaths.h"
#include "data/DbErrors.h"
#include "data/TDbQuery.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString engineLibrary()
{
    return TestSupport::RuntimeDir() + QLatin1Char('/') + SqliteLibraryFileName();
}

// The current folder, put back when the test leaves.
struct CurrentFolder
{
    QString saved = QDir::currentPath();
    explicit CurrentFolder(const QString &folder) { QDir::setCurrent(folder); }
    ~CurrentFolder() { QDir::setCurrent(saved); }
};
} // namespace

class TestDbConnection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void libraryThatCannotBeLoadedRefusesTheConnection();
    void libraryWithoutColumnTypeRefusesTheConnection();
    void missingDatabasePropertyLeavesStateUnchanged();
    void mustExistChecksTheComposedPathExceptForMemory();
    void pathRules();
    void propertyDefaultsAndTrimming();
    void connectAndDisconnectFireEventsAndReloadTheLibrary();
    void statementFailuresCarryTheEngineMessage();
    void transactionsSendTheirStatements();
    void schemaChangedByAnotherProgramIsReadAfresh();
    void loadLibsWhileConnectedClosesTheConnectionFirst();
};

void TestDbConnection::libraryThatCannotBeLoadedRefusesTheConnection()
{
    QTemporaryDir dir;
    TDbConnection connection;
    connection.SetDriverDLL(dir.path() + QStringLiteral("/missing-engine.so"));
    connection.SetDefaultDir(dir.path());
    connection.SetDatabase(QStringLiteral("x.db"));
    QVERIFY(!connection.LoadLibs());
    QCOMPARE(failureOf<EDataLayerError>([&] { connection.SetConnected(true); }),
             QStringLiteral("Could not load SQLite library"));
    QVERIFY(!connection.Connected());
    QVERIFY(!QFileInfo::exists(dir.path() + QStringLiteral("/x.db")));

    // A dataset opening on that connection passes the error through and stays closed.
    TDbQuery query;
    query.SetConnection(&connection);
    query.SetSQL(QStringLiteral("select 1"));
    QCOMPARE(failureOf<EDataLayerError>([&] { query.Open(); }), QStringLiteral("Could not load SQLite library"));
    QVERIFY(!query.Active());
}

void TestDbConnection::libraryWithoutColumnTypeRefusesTheConnection()
{
    QTemporaryDir dir;
    TDbConnection connection;
    connection.SetDriverDLL(QStringLiteral(PARTIAL_ENGINE_PATH));
    connection.SetDefaultDir(dir.path());
    connection.SetDatabase(QStringLiteral("x.db"));
    QVERIFY(!connection.LoadLibs());
    QVERIFY(!connection.LibraryLoaded());
    for (int attempt = 0; attempt < 2; ++attempt) {
        QCOMPARE(failureOf<EDataLayerError>([&] { connection.SetConnected(true); }),
                 QStringLiteral("Could not load SQLite library"));
        QVERIFY(!connection.Connected());
    }
}

void TestDbConnection::missingDatabasePropertyLeavesStateUnchanged()
{
    TDbConnection connection;
    connection.SetDriverDLL(engineLibrary());
    connection.SetDatabase(QStringLiteral("   "));
    QCOMPARE(failureOf<EDataLayerError>([&] { connection.SetConnected(true); }),
             QStringLiteral("Missing database property"));
    QVERIFY(!connection.Connected());
    QVERIFY(!connection.LibraryLoaded());
}

void TestDbConnection::mustExistChecksTheComposedPathExceptForMemory()
{
    QTemporaryDir dir;
    const QString folder = QDir::toNativeSeparators(dir.path());
    TDbConnection connection;
    connection.SetDriverDLL(engineLibrary());
    connection.SetDefaultDir(folder);
    connection.SetMustExist(true);
    connection.SetDatabase(QStringLiteral("absent.db"));
    QCOMPARE(failureOf<EDatabaseError>([&] { connection.SetConnected(true); }),
             QStringLiteral("Database ") + folder + QDir::separator() + QStringLiteral("absent.db does not exist"));
    QVERIFY(!connection.Connected());
    QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/absent.db")));

    for (const char *memory : {":memory:", ":MEMORY:", ":Memory:"}) {
        TDbConnection inMemory;
        inMemory.SetDriverDLL(engineLibrary());
        inMemory.SetDefaultDir(folder);
        inMemory.SetMustExist(true);
        inMemory.SetDatabase(QLatin1String(memory));
        inMemory.SetConnected(true);
        QVERIFY2(inMemory.Connected(), memory);
    }

    TDbConnection lenient;
    lenient.SetDriverDLL(engineLibrary());
    lenient.SetDefaultDir(folder);
    lenient.SetDatabase(QStringLiteral("created.db"));
    lenient.SetConnected(true);
    QVERIFY(lenient.Connected());
    lenient.ExecStatement(QStringLiteral("create table t (a text)"));
    QVERIFY(QFileInfo::exists(folder + QStringLiteral("/created.db")));
}

void TestDbConnection::pathRules()
{
    QTemporaryDir dir;
    const QChar sep = QDir::separator();
    const QString folder = QDir::toNativeSeparators(dir.path());

    // DefaultDir gains one separator on connect, and only one however often it connects.
    TDbConnection connection;
    connection.SetDriverDLL(engineLibrary());
    connection.SetDefaultDir(folder);
    connection.SetDatabase(QStringLiteral("plain"));
    connection.SetConnected(true);
    QCOMPARE(connection.DefaultDir(), folder + sep);
    QCOMPARE(connection.DatabasePath(), folder + sep + QStringLiteral("plain"));
    connection.SetConnected(false);
    connection.SetConnected(true);
    QCOMPARE(connection.DefaultDir(), folder + sep);
    QCOMPARE(connection.DatabasePath(), folder + sep + QStringLiteral("plain"));
    // No extension is added: the file is created under exactly the given name.
    connection.ExecStatement(QStringLiteral("create table t (a text)"));
    QVERIFY(QFileInfo::exists(folder + sep + QStringLiteral("plain")));
    QVERIFY(!QFileInfo::exists(folder + sep + QStringLiteral("plain.sdb")));

    // Without DefaultDir, a name holding a separator is used as it stands...
    TDbConnection absolute;
    absolute.SetDriverDLL(engineLibrary());
    absolute.SetDatabase(folder + sep + QStringLiteral("abs.db"));
    absolute.SetConnected(true);
    QCOMPARE(absolute.DatabasePath(), folder + sep + QStringLiteral("abs.db"));

    // ...and a bare name is looked for in the current folder.
    QTemporaryDir current;
    const CurrentFolder inside(current.path());
    TDbConnection relative;
    relative.SetDriverDLL(engineLibrary());
    relative.SetDatabase(QStringLiteral("here.db"));
    relative.SetConnected(true);
    QCOMPARE(relative.DatabasePath(), QDir::toNativeSeparators(QDir::currentPath()) + sep + QStringLiteral("here.db"));
    relative.ExecStatement(QStringLiteral("create table t (a text)"));
    QVERIFY(QFileInfo::exists(current.path() + QStringLiteral("/here.db")));
}

void TestDbConnection::propertyDefaultsAndTrimming()
{
    TDbConnection connection;
    QCOMPARE(connection.DefaultExt(), QStringLiteral(".sdb"));
    QCOMPARE(connection.DriverDLL(), QStringLiteral("SQLite.dll"));
    connection.SetDefaultExt(QStringLiteral(".db"));
    QCOMPARE(connection.DefaultExt(), QStringLiteral(".db"));
    connection.SetDatabase(QStringLiteral("  wedkarz.db \t"));
    QCOMPARE(connection.Database(), QStringLiteral("wedkarz.db"));
    // The empty-name default is only what the property reads; nothing is loaded from it.
    QVERIFY(!connection.LoadLibs());
}

void TestDbConnection::connectAndDisconnectFireEventsAndReloadTheLibrary()
{
    TestSupport::TempProgramDir dir;
    TDbConnection connection;
    QStringList events;
    connection.BeforeConnect = [&](TDbConnection *c) {
        events << QStringLiteral("BeforeConnect") + (c->Connected() ? "+" : "-");
    };
    connection.AfterConnect = [&](TDbConnection *) { events << QStringLiteral("AfterConnect"); };
    connection.BeforeDisconnect = [&](TDbConnection *) { events << QStringLiteral("BeforeDisconnect"); };
    connection.AfterDisconnect = [&](TDbConnection *) { events << QStringLiteral("AfterDisconnect"); };
    connection.SetDriverDLL(dir.path() + SqliteLibraryFileName());
    connection.SetDefaultDir(dir.path() + QStringLiteral("data"));
    connection.SetDatabase(QStringLiteral("wedkarz.db"));

    QVERIFY(connection.LoadLibs());
    connection.SetConnected(true);
    QVERIFY(connection.Connected());
    QVERIFY(connection.Handle());
    connection.SetConnected(false);
    QVERIFY(!connection.Connected());
    QVERIFY(!connection.LibraryLoaded());
    connection.SetConnected(false);
    connection.SetConnected(true);
    QVERIFY(connection.LibraryLoaded());
    QCOMPARE(events, QStringList({"BeforeConnect+", "AfterConnect", "BeforeDisconnect", "AfterDisconnect",
                                  "BeforeConnect+", "AfterConnect"}));
}

void TestDbConnection::statementFailuresCarryTheEngineMessage()
{
    ConnectedDatabase db;
    QCOMPARE(failureOf<EDatabaseError>([&] { db.connection.ExecStatement(QStringLiteral("select * from nope")); }),
             QStringLiteral("no such table: nope"));
    QCOMPARE(failureOf<EDatabaseError>([&] { db.connection.ExecStatement(QStringLiteral("selec 1")); }),
             QStringLiteral("near \"selec\": syntax error"));
    // A failure met while stepping is reported with the engine's own words too.
    db.connection.ExecStatement(QStringLiteral("create table u (a text unique)"));
    db.connection.ExecStatement(QStringLiteral("insert into u values ('x')"));
    QCOMPARE(
        failureOf<EDatabaseError>([&] { db.connection.ExecStatement(QStringLiteral("insert into u values ('x')")); }),
        QStringLiteral("UNIQUE constraint failed: u.a"));
    // Only the first statement of the text runs.
    db.connection.ExecStatement(QStringLiteral("insert into u values ('y'); insert into u values ('z');"));
    QCOMPARE(db.column(QStringLiteral("select a from u order by a")), QStringList({"x", "y"}));
    QCOMPARE(db.statements.last(), QStringLiteral("insert into u values ('y'); insert into u values ('z');"));
}

void TestDbConnection::transactionsSendTheirStatements()
{
    ConnectedDatabase db;
    db.statements.clear();
    db.connection.StartTransaction();
    db.connection.ExecStatement(QStringLiteral("insert into porady values ('a', 1)"));
    db.connection.RollBack();
    db.connection.StartTransaction();
    db.connection.ExecStatement(QStringLiteral("insert into porady values ('b', 2)"));
    db.connection.Commit();
    QCOMPARE(db.statements,
             QStringList({"begin transaction", "insert into porady values ('a', 1)", "rollback transaction",
                          "begin transaction", "insert into porady values ('b', 2)", "commit transaction"}));
    QCOMPARE(db.column(QStringLiteral("select porada from porady")), QStringList({"b"}));
}

void TestDbConnection::schemaChangedByAnotherProgramIsReadAfresh()
{
    ConnectedDatabase db;
    TDbQuery query;
    query.SetConnection(&db.connection);
    query.SetSQL(QStringLiteral("select count(*) as n from porady"));
    query.Open();
    QVERIFY(db.exec(QStringLiteral("create table extra (a text); insert into extra values ('x');")));
    query.SetSQL(QStringLiteral("select count(*) as n from porady"));
    query.Open();
    QCOMPARE(query.FieldByName(QStringLiteral("n"))->AsString(), QStringLiteral("0"));
    db.connection.ExecStatement(QStringLiteral("insert into porady values ('c', 3)"));
}

void TestDbConnection::loadLibsWhileConnectedClosesTheConnectionFirst()
{
    ConnectedDatabase db;
    TDbConnection &connection = db.connection;
    TDbQuery query;
    query.SetConnection(&connection);
    query.SetSQL(QStringLiteral("select count(*) from porady"));
    const QString engine = connection.DriverDLL();

    connection.SetDriverDLL(db.dir.path() + QStringLiteral("missing-engine.so"));
    QVERIFY(!connection.LoadLibs());
    QVERIFY(!connection.Connected());
    QVERIFY(failureOf<EDatabaseError>([&] {
                connection.ExecStatement(QStringLiteral("select 1"));
            }).contains(QLatin1String("not connected")));
    QCOMPARE(failureOf<EDataLayerError>([&] { query.Open(); }), QStringLiteral("Could not load SQLite library"));

    // Reloading a library that loads leaves the connection closed; the next open makes it.
    connection.SetDriverDLL(engine);
    query.Open();
    QVERIFY(connection.LoadLibs());
    QVERIFY(!connection.Connected());
    query.Close();
    query.Open();
    QVERIFY(connection.Connected());
    QCOMPARE(query.Fields(0)->AsString(), QStringLiteral("0"));
}

QTEST_GUILESS_MAIN(TestDbConnection)
#include "TestDbConnection.moc"
