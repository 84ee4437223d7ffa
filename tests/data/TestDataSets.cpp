#include "DataTestSupport.h"

#include "data/DbErrors.h"
#include "data/TDbQuery.h"
#include "data/TDbTable.h"

#include <QSignalSpy>
#include <QTest>

namespace {
// Five diary rows over two days.
const char *const DiaryRows =
    "insert into dziennik values ('2005-01-24', 'Szczupak', 2.5, 60, 'Wisła', '', '', '', '', '');"
    "insert into dziennik values ('2005-01-24', 'Okoń', 0.35, 25, 'Wisła', '', '', '', '', '');"
    "insert into dziennik values ('2005-01-25', 'Leszcz', 1, 40, 'Odra', '', '', '', '', '');"
    "insert into dziennik values ('2005-01-25', 'Płoć', 0.2, 18, 'Odra', '', '', '', '', '');"
    "insert into dziennik values ('2005-01-25', 'Karp', 5, 55, 'Staw', '', '', '', '', '');";
} // namespace

class TestDataSets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tableOpensWithItsStatementAndFirstRowCurrent();
    void moving();
    void largeResultsKeepEveryValue();
    void recordNumbers();
    void bookmarks();
    void filterIsTheWhereClause();
    void failingFilterFallsBackToAllRows();
    void queriesWithoutRowsHaveNoFields();
    void missingStatementOrConnection();
    void stepFailureWhileReadingKeepsTheDataSetClosed();
    void closingDetachesFields();
};

void TestDataSets::tableOpensWithItsStatementAndFirstRowCurrent()
{
    ConnectedTable db(QStringLiteral("dziennik"), QStringLiteral("dziennikTable"));
    QVERIFY(db.exec(QString::fromUtf8(DiaryRows)));
    TDbTable &table = db.table;
    QStringList events;
    table.AfterOpen = [&](TDbBaseQuery *) { events << QStringLiteral("AfterOpen"); };
    table.AfterScroll = [&](TDbBaseQuery *ds) { events << QStringLiteral("AfterScroll ") + ds->Fields(1)->AsString(); };
    QSignalSpy changed(&table, &TDbBaseQuery::dataSetChanged);
    db.statements.clear();
    table.Open();
    QCOMPARE(db.statements, QStringList{QStringLiteral("select *, rowid from dziennik\r\n")});
    QCOMPARE(events, QStringList({"AfterOpen", "AfterScroll Szczupak"}));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(table.State(), TDataSetState::dsBrowse);
    QCOMPARE(table.GetRecordCount(), 5);
    QCOMPARE(table.FieldCount(), 10);
    QCOMPARE(table.Fields(0)->FieldName(), QStringLiteral("data"));
    QVERIFY(!table.FindField(QStringLiteral("rowid")));
    QCOMPARE(table.FieldByName(QStringLiteral("GATUNEK"))->AsString(), QStringLiteral("Szczupak"));
    QCOMPARE(table.FieldByName(QStringLiteral("waga"))->AsFloat(), 2.5);
    QCOMPARE(table.FieldByName(QStringLiteral("dlugosc"))->AsString(), QStringLiteral("60"));
    QCOMPARE(table.FieldByName(QStringLiteral("data"))->AsDateTime(), EncodeDate(2005, 1, 24));
    QCOMPARE(table.RowId(), 1);
    QCOMPARE(failureOf<EDatabaseError>([&] { table.FieldByName(QStringLiteral("ryba")); }),
             QStringLiteral("dziennikTable: Field 'ryba' not found"));

    // Opening again while open changes nothing; closing drops rows and fields.
    table.Open();
    QCOMPARE(db.statements.size(), 1);
    table.Close();
    QCOMPARE(table.GetRecordCount(), 0);
    QCOMPARE(table.FieldCount(), 0);
    QCOMPARE(changed.count(), 2);
}

// Thousands of rows whose texts fill several storage blocks, one memo longer than a
// block, NULL beside empty text, zero beside other numbers: each cell reads back as
// it was stored.
void TestDataSets::largeResultsKeepEveryValue()
{
    ConnectedTable db(QStringLiteral("t"));
    QVERIFY(db.exec(
        QStringLiteral("create table t (s varchar(255), m memo, n float, i integer);"
                       "insert into t with recursive k(v) as (select 0 union all select v + 1 from k where v < 5999) "
                       "select case v % 7 when 0 then null when 1 then '' else 'wiersz ' || v end, "
                       "case v % 5 when 0 then null else replace(hex(zeroblob(200 + v % 300)), '00', 'ż') end, "
                       "case v % 3 when 1 then 0 else v / 4.0 end, v from k;"
                       "insert into t values ('długi', replace(hex(zeroblob(1500000)), '00', 'ł'), 1.5, 7);")));
    TDbTable &table = db.table;
    table.Open();
    QCOMPARE(table.DisplayRowCount(), 6001);
    for (int v = 0; v < 6000; ++v) {
        const QString s = table.DisplayText(v, 0), m = table.DisplayText(v, 1);
        const QString expectedS = v % 7 == 0   ? QString()
                                  : v % 7 == 1 ? QStringLiteral("")
                                               : QStringLiteral("wiersz %1").arg(v);
        const QString expectedM = v % 5 == 0 ? QString() : QString(200 + v % 300, QChar(u'ż'));
        const QString expectedN = v % 3 == 1 ? QStringLiteral("0") : QString::number(v / 4.0);
        const QString expectedI = QString::number(v);
        if (s != expectedS || s.isNull() != expectedS.isNull() || m != expectedM || m.isNull() != expectedM.isNull() ||
            table.DisplayText(v, 2) != expectedN || table.DisplayText(v, 3) != expectedI)
            QFAIL(qPrintable(QStringLiteral("row %1: %2 | %3 | %4").arg(v).arg(s, m.left(3), table.DisplayText(v, 2))));
    }
    table.Last();
    QCOMPARE(table.Fields(1)->AsString(), QString(1500000, QChar(u'ł')));
    QCOMPARE(table.Fields(0)->AsString(), QStringLiteral("długi"));
    table.First();
    QVERIFY(table.Fields(0)->IsNull());
    table.Next();
    QVERIFY(!table.Fields(0)->IsNull());
    QCOMPARE(table.Fields(2)->AsFloat(), 0.0);
    QVERIFY(!table.Fields(2)->IsNull());
}

void TestDataSets::moving()
{
    ConnectedTable db(QStringLiteral("dziennik"));
    QVERIFY(db.exec(QString::fromUtf8(DiaryRows)));
    TDbTable &table = db.table;
    QCOMPARE(failureOf<EDatabaseError>([&] { table.Next(); }),
             QStringLiteral("Cannot perform this operation on a closed dataset"));
    table.Open();
    int scrolls = 0;
    table.AfterScroll = [&](TDbBaseQuery *) { ++scrolls; };
    QSignalSpy scrolled(&table, &TDbBaseQuery::scrolled);
    QVERIFY(table.Bof());
    QVERIFY(!table.Eof());

    QStringList seen;
    for (table.First(); !table.Eof(); table.Next())
        seen << table.FieldByName(QStringLiteral("gatunek"))->AsString();
    QCOMPARE(seen, QStringList({"Szczupak", "Okoń", "Leszcz", "Płoć", "Karp"}));
    QCOMPARE(table.GetRecNo(), 5);
    QCOMPARE(scrolls, 6); // First, four moves, and the Next that found the end
    QCOMPARE(scrolled.count(), 4);

    seen.clear();
    for (table.Last(); !table.Bof(); table.Prior())
        seen << table.FieldByName(QStringLiteral("gatunek"))->AsString();
    QCOMPARE(seen, QStringList({"Karp", "Płoć", "Leszcz", "Okoń", "Szczupak"}));
    QCOMPARE(table.GetRecNo(), 1);

    // An empty result is at both ends at once.
    TDbTable empty;
    empty.SetConnection(&db.connection);
    empty.TableName = QStringLiteral("ryby");
    empty.Open();
    QVERIFY(empty.Bof() && empty.Eof() && empty.IsEmpty());
    empty.Next();
    QVERIFY(empty.Eof());
    QCOMPARE(empty.GetRecNo(), 0);
    // A table knows its columns without rows.
    QCOMPARE(empty.FieldCount(), 10);
}

void TestDataSets::recordNumbers()
{
    ConnectedTable db(QStringLiteral("dziennik"));
    QVERIFY(db.exec(QString::fromUtf8(DiaryRows)));
    TDbTable &table = db.table;
    table.Open();
    QCOMPARE(table.GetRecNo(), 1);
    table.SetRecNo(3);
    QCOMPARE(table.GetRecNo(), 3);
    QCOMPARE(table.Fields(1)->AsString(), QStringLiteral("Leszcz"));
    // 0 and count + 1 land on the nearest row; beyond that nothing happens.
    table.SetRecNo(0);
    QCOMPARE(table.GetRecNo(), 1);
    table.SetRecNo(6);
    QCOMPARE(table.GetRecNo(), 5);
    table.SetRecNo(2);
    table.SetRecNo(7);
    table.SetRecNo(-1);
    QCOMPARE(table.GetRecNo(), 2);
}

void TestDataSets::bookmarks()
{
    ConnectedTable db(QStringLiteral("dziennik"));
    QVERIFY(db.exec(QString::fromUtf8(DiaryRows)));
    TDbTable &table = db.table;
    table.Open();
    QCOMPARE(table.GetBookmark(), 1);
    table.SetRecNo(4);
    const TBookmark ploc = table.GetBookmark();
    QCOMPARE(ploc, 4);
    table.First();
    table.GotoBookmark(ploc);
    QCOMPARE(table.Fields(1)->AsString(), QStringLiteral("Płoć"));
    QVERIFY(table.BookmarkValid(ploc));
    QVERIFY(!table.BookmarkValid(99));
    QCOMPARE(failureOf<EDatabaseError>([&] { table.GotoBookmark(99); }), QStringLiteral("Bookmark not found"));
    QCOMPARE(table.GetRecNo(), 4);

    // A deleted row's bookmark is gone; a posted row gets a number never used before.
    table.Delete();
    QVERIFY(!table.BookmarkValid(ploc));
    table.Append();
    table.Fields(1)->SetAsString(QStringLiteral("Lin"));
    table.Post();
    QCOMPARE(table.GetBookmark(), 6);
    QVERIFY(table.BookmarkValid(5));
}

void TestDataSets::filterIsTheWhereClause()
{
    ConnectedTable db(QStringLiteral("dziennik"));
    QVERIFY(db.exec(QString::fromUtf8(DiaryRows)));
    TDbTable &table = db.table;
    table.Open();
    QCOMPARE(table.GetRecordCount(), 5);

    // Assigning the filter closes; Filtered := True opens with it.
    table.SetFilter(QStringLiteral("data=\"2005-01-25\""));
    QVERIFY(!table.Active());
    db.statements.clear();
    table.SetFiltered(true);
    QCOMPARE(db.statements,
             QStringList{QStringLiteral("select *, rowid from dziennik\r\n where data=\"2005-01-25\"\r\n")});
    QCOMPARE(shownColumn(table, 1), QStringList({"Leszcz", "Płoć", "Karp"}));

    // On an open table Filtered changes nothing until it is reopened.
    table.SetFiltered(false);
    QCOMPARE(table.GetRecordCount(), 3);
    table.Close();
    table.Open();
    QCOMPARE(table.GetRecordCount(), 5);

    // A query appends the filter to its own WHERE clause.
    TDbQuery query;
    query.SetConnection(&db.connection);
    query.SetSQL(QStringLiteral("select gatunek from dziennik where miejsce=\"Odra\""));
    query.SetFilter(QStringLiteral("waga < 1"));
    db.statements.clear();
    query.SetFiltered(true);
    QCOMPARE(db.statements.last(), QStringLiteral("select gatunek from dziennik where miejsce=\"Odra\" and waga < 1"));
    QCOMPARE(query.GetRecordCount(), 1);
}

void TestDataSets::failingFilterFallsBackToAllRows()
{
    ConnectedTable db(QStringLiteral("dziennik"));
    QVERIFY(db.exec(QString::fromUtf8(DiaryRows)));
    TDbTable &table = db.table;
    table.SetFilter(QStringLiteral("nope = 1"));
    QCOMPARE(failureOf<EDataLayerError>([&] { table.SetFiltered(true); }),
             QStringLiteral("Filter error: no such column: nope"));
    QVERIFY(!table.Filtered());
    QVERIFY(table.Active());
    QCOMPARE(table.GetRecordCount(), 5);

    // When the unfiltered open fails as well, that second failure is the one reported.
    TDbTable missing;
    missing.SetConnection(&db.connection);
    missing.TableName = QStringLiteral("brak");
    missing.SetFilter(QStringLiteral("a = 1"));
    QCOMPARE(failureOf<EDataLayerError>([&] { missing.SetFiltered(true); }),
             QStringLiteral("Filter error: no such table: brak"));
    QVERIFY(!missing.Active());
}

void TestDataSets::queriesWithoutRowsHaveNoFields()
{
    ConnectedDatabase db;
    QVERIFY(db.exec(QString::fromUtf8(DiaryRows)));
    TDbQuery query;
    query.setObjectName(QStringLiteral("Query"));
    query.SetConnection(&db.connection);
    query.SetSQL(QStringLiteral("select * from dziennik where data=\"1999-01-01\""));
    query.ExecSQL();
    QVERIFY(query.Active());
    QCOMPARE(query.GetRecordCount(), 0);
    QCOMPARE(query.FieldCount(), 0);
    QCOMPARE(failureOf<EDatabaseError>([&] { query.FieldByName(QStringLiteral("data")); }),
             QStringLiteral("Query: Field 'data' not found"));

    // Statements that return no rows run through the same query.
    query.SetSQL(QStringLiteral("delete from dziennik where data=\"2005-01-24\""));
    QVERIFY(!query.Active());
    query.ExecSQL();
    QVERIFY(query.Active());
    QCOMPARE(query.FieldCount(), 0);
    QCOMPARE(db.column(QStringLiteral("select count(*) from dziennik")), QStringList{"3"});

    // ExecSQL runs the statement again each time.
    query.SetSQL(QStringLiteral("insert into dziennik (data) values (\"2005-02-01\")"));
    query.ExecSQL();
    query.ExecSQL();
    QCOMPARE(db.column(QStringLiteral("select count(*) from dziennik where data='2005-02-01'")), QStringList{"2"});

    // A parameter mark outside quotes reads as NULL; inside quotes the colon stays.
    query.SetSQL(QStringLiteral("select coalesce(:missing, 'none') as a, '12:30' as b"));
    query.ExecSQL();
    QCOMPARE(query.Fields(0)->AsString(), QStringLiteral("none"));
    QCOMPARE(query.Fields(1)->AsString(), QStringLiteral("12:30"));

    // A query is not edited without an update component.
    query.SetSQL(QStringLiteral("select gatunek from dziennik"));
    query.Open();
    query.Edit();
    query.Fields(0)->SetAsString(QStringLiteral("x"));
    QCOMPARE(failureOf<EDataLayerError>([&] { query.Post(); }), QStringLiteral("Missing TDbUpdateSQL component"));
    QCOMPARE(query.State(), TDataSetState::dsEdit);
    query.Cancel();
    QCOMPARE(failureOf<EDataLayerError>([&] { query.Delete(); }), QStringLiteral("Missing TDbUpdateSQL component"));
    QCOMPARE(query.GetRecordCount(), 5);
}

void TestDataSets::missingStatementOrConnection()
{
    ConnectedDatabase db;
    ShownMessages shown;
    TDbQuery query;
    query.SetConnection(&db.connection);
    query.SetSQL(QStringLiteral("  \r\n "));
    query.ExecSQL();
    QVERIFY(!query.Active());
    TDbTable table;
    table.SetConnection(&db.connection);
    table.Open();
    QVERIFY(!table.Active());
    QCOMPARE(shown.texts, QStringList({"no query specified", "no table specified"}));

    TDbQuery unconnected;
    unconnected.SetSQL(QStringLiteral("select 1"));
    QCOMPARE(failureOf<EDataLayerError>([&] { unconnected.Open(); }), QStringLiteral("no database connection"));
    QVERIFY(!unconnected.Active());

    // A dataset opening on a connection that is not made makes it.
    db.connection.SetConnected(false);
    query.SetSQL(QStringLiteral("select 1 as a"));
    query.Open();
    QVERIFY(db.connection.Connected());
    QCOMPARE(query.Fields(0)->AsInteger(), 1);

    // A dataset whose connection goes away is closed.
    {
        TDbConnection shortLived;
        shortLived.SetDriverDLL(db.connection.DriverDLL());
        shortLived.SetDatabase(db.dir.dbPath());
        query.SetConnection(&shortLived);
        query.Open();
        QVERIFY(query.Active());
    }
    QVERIFY(!query.Active());
    QVERIFY(!query.Connection());
}

void TestDataSets::stepFailureWhileReadingKeepsTheDataSetClosed()
{
    ConnectedDatabase db;
    ShownMessages shown;
    TDbQuery query;
    query.SetConnection(&db.connection);
    // The first row reads, the second overflows inside the engine.
    query.SetSQL(QStringLiteral("select abs(x) as a from (select 1 as x union all select -9223372036854775807 - 1)"));
    QCOMPARE(failureOf<EDatabaseError>([&] { query.ExecSQL(); }), QStringLiteral("integer overflow"));
    QVERIFY(!query.Active());
    QCOMPARE(query.GetRecordCount(), 0);
    QVERIFY(shown.texts.isEmpty());

    // The connection is still usable afterwards.
    query.SetSQL(QStringLiteral("select 2 as a"));
    query.ExecSQL();
    QCOMPARE(query.Fields(0)->AsInteger(), 2);
}

void TestDataSets::closingDetachesFields()
{
    ConnectedTable db(QStringLiteral("dziennik"));
    QVERIFY(db.exec(QString::fromUtf8(DiaryRows)));
    TDbTable &table = db.table;
    table.Open();
    TField *gatunek = table.FieldByName(QStringLiteral("gatunek"));
    table.Close();
    // A control still holding a field of a closed result reads nothing and cannot write.
    QVERIFY(!gatunek->DataSet());
    QCOMPARE(gatunek->AsString(), QString());
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, gatunek->SetAsString(QStringLiteral("x")));

    // Re-filtering to another day gives the same column back to the same field.
    table.SetFilter(QStringLiteral("data=\"2005-01-25\""));
    table.SetFiltered(true);
    QCOMPARE(table.FieldByName(QStringLiteral("gatunek")), gatunek);
    QCOMPARE(gatunek->AsString(), QStringLiteral("Leszcz"));

    // A result with other columns makes fields of its own; the old ones stay detached.
    TDbQuery query;
    query.SetConnection(&db.connection);
    query.SetSQL(QStringLiteral("select gatunek from dziennik"));
    query.Open();
    TField *fromText = query.Fields(0);
    query.SetSQL(QStringLiteral("select waga as gatunek from dziennik"));
    query.Open();
    QVERIFY(query.Fields(0) != fromText);
    QVERIFY(!fromText->DataSet());
    QCOMPARE(query.Fields(0)->AsString(), QStringLiteral("2.5"));
}

QTEST_GUILESS_MAIN(TestDataSets)
#include "TestDataSets.moc"
