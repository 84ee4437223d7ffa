#include "DataTestSupport.h"

#include "base/Clock.h"
#include "data/DbErrors.h"
#include "data/TDbTable.h"

#include <QSignalSpy>
#include <QTest>

namespace {
const char *const DiaryRows =
    "insert into dziennik values ('2005-01-24', 'Szczupak', 2.5, 60, 'Wisła', '', '', '', '', '');"
    "insert into dziennik values ('2005-01-24', 'Okoń', 0.35, 25, 'Wisła', 'robak', 'słaby', 'pełnia', "
    "'rano', 'okon.jpg');"
    "insert into dziennik values ('2005-01-25', 'Leszcz', 1, 40, 'Odra', '', '', '', '', '');";

// The diary table of the calendar view, open on every row.
struct Diary : ConnectedTable
{
    QStringList events;

    explicit Diary(const char *rows = DiaryRows)
        : ConnectedTable(QStringLiteral("dziennik"), QStringLiteral("dziennikTable"))
    {
        exec(QString::fromUtf8(rows));
        using Event = TDataSetNotifyEvent TDbBaseQuery::*;
        const std::pair<const char *, Event> hooks[] = {
            {"BeforeInsert", &TDbBaseQuery::BeforeInsert}, {"AfterInsert", &TDbBaseQuery::AfterInsert},
            {"BeforeEdit", &TDbBaseQuery::BeforeEdit},     {"AfterEdit", &TDbBaseQuery::AfterEdit},
            {"BeforePost", &TDbBaseQuery::BeforePost},     {"AfterPost", &TDbBaseQuery::AfterPost},
            {"BeforeCancel", &TDbBaseQuery::BeforeCancel}, {"AfterCancel", &TDbBaseQuery::AfterCancel},
            {"BeforeDelete", &TDbBaseQuery::BeforeDelete}, {"AfterDelete", &TDbBaseQuery::AfterDelete},
            {"BeforeScroll", &TDbBaseQuery::BeforeScroll}, {"AfterScroll", &TDbBaseQuery::AfterScroll},
            {"OnNewRecord", &TDbBaseQuery::OnNewRecord}};
        for (const auto &[name, event] : hooks)
            table.*event = [this, name](TDbBaseQuery *) { events << QLatin1String(name); };
        table.Open();
        events.clear();
        statements.clear();
    }

    TField *field(const char *name) const { return table.FieldByName(QLatin1String(name)); }
    QStringList speciesShown() const { return shownColumn(table, 1); }
    QStringList speciesStored() const { return column(QStringLiteral("select gatunek from dziennik order by rowid")); }
};
} // namespace

class TestRowWriting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { Clock::Pin(EncodeDateTime(2005, 1, 31, 14, 5, 0, 0)); }
    void cleanup() { Clock::Unpin(); }

    void postingAnEditSendsOneUpdateOfEveryColumn();
    void insertPlacesTheRowBeforeTheCurrentOne();
    void appendPlacesTheRowAfterTheLast();
    void newRecordStartsWithTodayAndEmptyValues();
    void editOnAnEmptyTableActsAsInsert();
    void deleteSendsTheQuotedRowid();
    void moveWhileEditingPostsOrCancels();
    void controlsWriteTheirTextWhenPostStarts();
    void failingWritesKeepTheRecordAndTheRows();
    void writesThatReachNoRowAreRefused();
    void emptiedNumberStaysReadable();
    void rowidsBeyond32BitsAddressTheirOwnRow();
    void notConnectedRefusesInsteadOfDropping();
    void dateTimeFormats();
    void autoCommitWrapsEachWrite();
    void postingKeepsTheOtherValuesAsStored();
    void unusualColumnNamesAreQuoted();
    void tableWithoutRowsStillTakesANewRow();
};

void TestRowWriting::postingAnEditSendsOneUpdateOfEveryColumn()
{
    Diary diary;
    QSignalSpy state(&diary.table, &TDbBaseQuery::stateChanged);
    QSignalSpy written(&diary.table, &TDbBaseQuery::fieldChanged);
    diary.table.Edit();
    QCOMPARE(diary.table.State(), TDataSetState::dsEdit);
    diary.field("miejsce")->SetAsString(QStringLiteral("Jezioro O'Hara"));
    diary.field("waga")->SetAsString(QStringLiteral("3,75"));
    QCOMPARE(written.count(), 2);
    QVERIFY(diary.table.Modified());
    diary.table.Post();
    QCOMPARE(diary.statements,
             QStringList{QStringLiteral(
                 "update dziennik set  data='2005-01-24', gatunek='Szczupak', waga='3.75', dlugosc='60', "
                 "miejsce='Jezioro O''Hara', przyneta='', wiatr='', faza_ksiezyca='', opis='', foto=''   where "
                 "rowid=1 ")});
    QCOMPARE(diary.events, QStringList({"BeforeEdit", "AfterEdit", "BeforePost", "AfterPost"}));
    QCOMPARE(state.count(), 2);
    QCOMPARE(diary.table.State(), TDataSetState::dsBrowse);
    QCOMPARE(diary.field("miejsce")->AsString(), QStringLiteral("Jezioro O'Hara"));
    QCOMPARE(diary.column(QStringLiteral("select miejsce || '|' || waga from dziennik where rowid=1")),
             QStringList{QStringLiteral("Jezioro O'Hara|3.75")});
}

void TestRowWriting::insertPlacesTheRowBeforeTheCurrentOne()
{
    Diary diary;
    diary.table.Next();
    diary.events.clear();
    diary.table.Insert();
    QCOMPARE(diary.events, QStringList({"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll"}));
    QCOMPARE(diary.table.State(), TDataSetState::dsInsert);
    diary.field("gatunek")->SetAsString(QStringLiteral("Sum"));
    diary.field("waga")->SetAsInteger(12);
    // A grid shows the pending record at its place.
    QCOMPARE(diary.table.DisplayRow(), 1);
    QCOMPARE(diary.speciesShown(), QStringList({"Szczupak", "Sum", "Okoń", "Leszcz"}));
    diary.table.Post();
    QCOMPARE(diary.statements,
             QStringList{QStringLiteral(
                 "insert into dziennik ( data, gatunek, waga, dlugosc, miejsce, przyneta, wiatr, faza_ksiezyca, "
                 "opis, foto)  values ( '2005-01-31', 'Sum', '12', NULL, '', '', '', '', '', '') ")});
    QCOMPARE(diary.speciesShown(), QStringList({"Szczupak", "Sum", "Okoń", "Leszcz"}));
    QCOMPARE(diary.table.GetRecNo(), 2);
    QCOMPARE(diary.table.RowId(), 4);
    QCOMPARE(diary.speciesStored(), QStringList({"Szczupak", "Okoń", "Leszcz", "Sum"}));

    // Editing the posted row right away updates the row the engine numbered.
    diary.table.Edit();
    diary.field("dlugosc")->SetAsString(QStringLiteral("101"));
    diary.table.Post();
    QVERIFY(diary.statements.last().endsWith(QLatin1String(" where rowid=4 ")));
    QCOMPARE(diary.column(QStringLiteral("select dlugosc from dziennik where gatunek='Sum'")), QStringList{"101.0"});
}

void TestRowWriting::appendPlacesTheRowAfterTheLast()
{
    Diary diary;
    diary.table.Append();
    QCOMPARE(diary.table.DisplayRow(), 3);
    diary.field("gatunek")->SetAsString(QStringLiteral("Lin"));
    diary.table.Post();
    QCOMPARE(diary.speciesShown(), QStringList({"Szczupak", "Okoń", "Leszcz", "Lin"}));
    QCOMPARE(diary.table.GetRecNo(), 4);
    QVERIFY(diary.table.Eof() == false);
}

void TestRowWriting::newRecordStartsWithTodayAndEmptyValues()
{
    ConnectedTable db(QStringLiteral("kinds"));
    QVERIFY(db.exec(QStringLiteral("create table kinds (s text, i integer, f float, b boolean, d date, t time, "
                                   "dt datetime, m memo, c money);"
                                   "insert into kinds values ('x', 1, 1.5, 1, '2000-01-01', '2000-01-01 01:00', "
                                   "'2000-01-01', 'm', 2);")));
    TDbTable &table = db.table;
    table.SQLiteDateFormat = true;
    table.Open();
    table.Insert();
    QStringList texts;
    for (int i = 0; i < table.FieldCount(); ++i)
        texts << table.Fields(i)->AsString();
    // A measure (float, money) nobody gave is blank, not a measured 0.
    QCOMPARE(texts, QStringList({"", "0", "", "False", "2005-01-31", "14:05:00", "2005-01-31 14:05:00", "", ""}));
    QVERIFY(!table.Fields(0)->IsNull());
    db.statements.clear();
    table.Post();
    QCOMPARE(db.statements.last(),
             QStringLiteral("insert into kinds ( s, i, f, b, d, t, dt, m, c)  values ( '', '0', NULL, 'False', "
                            "'2005-01-31', '14:05:00', '2005-01-31 14:05:00.000', '', NULL) "));
}

void TestRowWriting::editOnAnEmptyTableActsAsInsert()
{
    Diary diary;
    diary.table.SetFilter(QStringLiteral("data=\"2005-01-25\""));
    diary.table.SetFiltered(true);
    diary.table.Delete();
    QVERIFY(diary.table.IsEmpty());
    QCOMPARE(diary.table.FieldCount(), 10);
    QCOMPARE(failureOf<EDatabaseError>([&] { diary.table.Delete(); }),
             QStringLiteral("dziennikTable: Cannot perform this operation on an empty dataset"));
    diary.events.clear();
    diary.table.Edit();
    QCOMPARE(diary.table.State(), TDataSetState::dsInsert);
    QVERIFY(!diary.events.contains(QLatin1String("AfterEdit")));
    QVERIFY(diary.events.contains(QLatin1String("AfterInsert")));
    diary.field("gatunek")->SetAsString(QStringLiteral("Jaź"));
    diary.table.Post();
    QCOMPARE(diary.table.GetRecordCount(), 1);
    QCOMPARE(diary.table.GetRecNo(), 1);
    // The engine hands the freed number out again.
    QCOMPARE(diary.table.RowId(), 3);
    diary.table.Edit();
    QCOMPARE(diary.table.State(), TDataSetState::dsEdit);
    diary.field("miejsce")->SetAsString(QStringLiteral("Bug"));
    diary.table.Post();
    QCOMPARE(diary.column(QStringLiteral("select miejsce from dziennik where rowid=3")), QStringList{"Bug"});
}

void TestRowWriting::deleteSendsTheQuotedRowid()
{
    Diary diary;
    diary.table.Next();
    diary.events.clear();
    diary.table.Delete();
    QCOMPARE(diary.statements, QStringList{QStringLiteral("delete from dziennik where rowid='2' ")});
    QCOMPARE(diary.events, QStringList({"BeforeDelete", "BeforeScroll", "AfterDelete", "AfterScroll"}));
    QCOMPARE(diary.speciesShown(), QStringList({"Szczupak", "Leszcz"}));
    QCOMPARE(diary.field("gatunek")->AsString(), QStringLiteral("Leszcz"));
    QCOMPARE(diary.speciesStored(), QStringList({"Szczupak", "Leszcz"}));

    // Deleting the last row moves back to the one before it.
    diary.table.Delete();
    QCOMPARE(diary.field("gatunek")->AsString(), QStringLiteral("Szczupak"));

    // Delete in insert state only drops the new record.
    diary.statements.clear();
    diary.table.Insert();
    diary.table.Delete();
    QCOMPARE(diary.table.State(), TDataSetState::dsBrowse);
    QVERIFY(diary.statements.isEmpty());
    QCOMPARE(diary.table.GetRecordCount(), 1);
}

void TestRowWriting::moveWhileEditingPostsOrCancels()
{
    Diary diary;
    // An untouched new record is dropped when the grid moves on; the row that followed
    // it in the grid is the one landed on.
    diary.table.Insert();
    QCOMPARE(diary.table.DisplayRowCount(), 4);
    diary.table.GotoDisplayRow(2);
    QCOMPARE(diary.table.State(), TDataSetState::dsBrowse);
    QVERIFY(diary.statements.isEmpty());
    QCOMPARE(diary.field("gatunek")->AsString(), QStringLiteral("Okoń"));

    // A changed record is posted before the move.
    diary.table.Edit();
    diary.field("opis")->SetAsString(QStringLiteral("wieczorem"));
    diary.table.Next();
    QCOMPARE(diary.statements.size(), 1);
    QVERIFY(diary.statements.first().startsWith(QLatin1String("update dziennik set ")));
    QCOMPARE(diary.field("gatunek")->AsString(), QStringLiteral("Leszcz"));
    QCOMPARE(diary.column(QStringLiteral("select opis from dziennik where rowid=2")), QStringList{"wieczorem"});

    // Cancel puts the row back as it was.
    diary.table.Edit();
    diary.field("gatunek")->SetAsString(QStringLiteral("Brzana"));
    QCOMPARE(diary.table.DisplayText(2, 1), QStringLiteral("Brzana"));
    diary.table.Cancel();
    QCOMPARE(diary.field("gatunek")->AsString(), QStringLiteral("Leszcz"));
    QCOMPARE(diary.table.DisplayText(2, 1), QStringLiteral("Leszcz"));
}

void TestRowWriting::controlsWriteTheirTextWhenPostStarts()
{
    Diary diary;
    diary.table.SetRecordWriter(&diary.table, [&] { diary.field("przyneta")->SetAsString(QStringLiteral("błystka")); });
    diary.table.Edit();
    diary.table.Post();
    QCOMPARE(diary.column(QStringLiteral("select przyneta from dziennik where rowid=1")), QStringList{"błystka"});

    // Text that does not convert stops the post and reaches its caller.
    diary.table.SetRecordWriter(&diary.table, [&] { diary.field("waga")->SetAsString(QStringLiteral("dużo")); });
    diary.table.Edit();
    diary.statements.clear();
    QCOMPARE(failureOf<EConvertError>([&] { diary.table.Post(); }),
             QStringLiteral("'dużo' is not a valid floating point value"));
    QCOMPARE(diary.table.State(), TDataSetState::dsEdit);
    QVERIFY(diary.statements.isEmpty());
    diary.table.SetRecordWriter(&diary.table, nullptr);
    diary.table.Post();
    QCOMPARE(diary.statements.size(), 1);
}

void TestRowWriting::failingWritesKeepTheRecordAndTheRows()
{
    Diary diary;
    QVERIFY(diary.exec(QStringLiteral(
        "create trigger no_update before update on dziennik begin select raise(abort, 'zapis zablokowany'); end;"
        "create trigger no_insert before insert on dziennik begin select raise(abort, 'dodawanie zablokowane'); end;"
        "create trigger no_delete before delete on dziennik begin select raise(abort, 'usuwanie zablokowane'); "
        "end;")));

    diary.table.Edit();
    diary.field("gatunek")->SetAsString(QStringLiteral("Troć"));
    QCOMPARE(failureOf<EDatabaseError>([&] { diary.table.Post(); }), QStringLiteral("zapis zablokowany"));
    QCOMPARE(diary.table.State(), TDataSetState::dsEdit);
    QCOMPARE(diary.field("gatunek")->AsString(), QStringLiteral("Troć"));
    diary.table.Cancel();
    QCOMPARE(diary.field("gatunek")->AsString(), QStringLiteral("Szczupak"));

    diary.table.Append();
    diary.field("gatunek")->SetAsString(QStringLiteral("Sieja"));
    QCOMPARE(failureOf<EDatabaseError>([&] { diary.table.Post(); }), QStringLiteral("dodawanie zablokowane"));
    QCOMPARE(diary.table.State(), TDataSetState::dsInsert);
    QCOMPARE(diary.table.GetRecordCount(), 3);
    QCOMPARE(diary.field("gatunek")->AsString(), QStringLiteral("Sieja"));
    diary.table.Cancel();

    // A delete refused while its statement runs keeps the row, in memory and in the file.
    diary.table.First();
    QCOMPARE(failureOf<EDatabaseError>([&] { diary.table.Delete(); }), QStringLiteral("usuwanie zablokowane"));
    QCOMPARE(diary.table.GetRecordCount(), 3);
    QCOMPARE(diary.field("gatunek")->AsString(), QStringLiteral("Szczupak"));
    QCOMPARE(diary.speciesStored().size(), 3);
}

// Another copy of the program deleted the rows meanwhile: neither the edit nor the
// delete is reported as done, and what was typed stays in edit.
void TestRowWriting::writesThatReachNoRowAreRefused()
{
    Diary diary;
    QVERIFY(diary.exec(QStringLiteral("delete from dziennik where gatunek in ('Szczupak', 'Okoń')")));
    diary.table.Edit();
    diary.field("gatunek")->SetAsString(QStringLiteral("Troć"));
    QCOMPARE(failureOf<EDatabaseError>([&] { diary.table.Post(); }),
             QStringLiteral("dziennikTable: The row is no longer in the database; the record was not saved"));
    QCOMPARE(diary.table.State(), TDataSetState::dsEdit);
    QCOMPARE(diary.field("gatunek")->AsString(), QStringLiteral("Troć"));
    diary.table.Cancel();

    diary.table.Next();
    QCOMPARE(failureOf<EDatabaseError>([&] { diary.table.Delete(); }),
             QStringLiteral("dziennikTable: The row is no longer in the database; nothing was deleted"));
    QCOMPARE(diary.table.GetRecordCount(), 3);
    QCOMPARE(diary.speciesStored(), QStringList{QStringLiteral("Leszcz")});
    // The row still there is written as before.
    diary.table.Last();
    diary.table.Edit();
    diary.field("miejsce")->SetAsString(QStringLiteral("Warta"));
    diary.table.Post();
    QCOMPARE(diary.column(QStringLiteral("select miejsce from dziennik")), QStringList{QStringLiteral("Warta")});
}

void TestRowWriting::emptiedNumberStaysReadable()
{
    Diary diary;
    diary.table.Edit();
    diary.field("waga")->SetAsString(QString());
    diary.field("opis")->Clear();
    diary.table.Post();
    QVERIFY(diary.statements.last().contains(QLatin1String("waga=NULL,")));
    QVERIFY(diary.statements.last().contains(QLatin1String("opis='',")));
    diary.table.Close();
    diary.table.Open();
    QVERIFY(diary.field("waga")->IsNull());
    QCOMPARE(diary.field("waga")->AsString(), QString());
}

void TestRowWriting::rowidsBeyond32BitsAddressTheirOwnRow()
{
    // 5000000000 cut to 32 bits is 705032704: a truncated identity would hit that row.
    Diary diary("insert into dziennik (rowid, data, gatunek, waga, dlugosc) values (705032704, '2005-01-24', "
                "'Bystry', 1, 1);"
                "insert into dziennik (rowid, data, gatunek, waga, dlugosc) values (5000000000, '2005-01-24', "
                "'Daleki', 2, 2);");
    diary.table.Last();
    QCOMPARE(diary.table.RowId(), Q_INT64_C(5000000000));
    diary.table.Edit();
    diary.field("gatunek")->SetAsString(QStringLiteral("Zmieniony"));
    diary.table.Post();
    QVERIFY(diary.statements.last().endsWith(QLatin1String(" where rowid=5000000000 ")));
    QCOMPARE(diary.speciesStored(), QStringList({"Bystry", "Zmieniony"}));
    diary.table.Delete();
    QCOMPARE(diary.statements.last(), QStringLiteral("delete from dziennik where rowid='5000000000' "));
    QCOMPARE(diary.speciesStored(), QStringList{"Bystry"});
}

void TestRowWriting::notConnectedRefusesInsteadOfDropping()
{
    Diary diary;
    diary.table.Edit();
    diary.field("gatunek")->SetAsString(QStringLiteral("Węgorz"));
    diary.connection.SetConnected(false);
    QVERIFY(failureOf<EDatabaseError>([&] { diary.table.Post(); }).contains(QLatin1String("not connected")));
    QCOMPARE(diary.table.State(), TDataSetState::dsEdit);
    QCOMPARE(diary.field("gatunek")->AsString(), QStringLiteral("Węgorz"));
    diary.table.Cancel();

    QVERIFY(failureOf<EDatabaseError>([&] { diary.table.Delete(); }).contains(QLatin1String("not connected")));
    QCOMPARE(diary.table.GetRecordCount(), 3);

    diary.connection.SetConnected(true);
    diary.table.Delete();
    QCOMPARE(diary.speciesStored(), QStringList({"Okoń", "Leszcz"}));
}

void TestRowWriting::dateTimeFormats()
{
    ConnectedTable db(QStringLiteral("dt"));
    QVERIFY(db.exec(QStringLiteral(
        "create table dt (at datetime, d date); insert into dt values ('2005-01-24 10:30:15', '2005-01-24');")));
    TDbTable &table = db.table;
    table.Open();
    QCOMPARE(table.Fields(0)->AsDateTime(), EncodeDateTime(2005, 1, 24, 10, 30, 15, 0));
    auto postOnce = [&] {
        table.Edit();
        table.Post();
        return db.statements.last();
    };
    // The program's settings write the date and lose the time of day.
    QCOMPARE(postOnce(), QStringLiteral("update dt set  at='2005-01-24', d='2005-01-24'   where rowid=1 "));
    table.TableDateFormat = QStringLiteral("dd.mm.yyyy hh:nn");
    QCOMPARE(postOnce(), QStringLiteral("update dt set  at='24.01.2005 10:30', d='2005-01-24'   where rowid=1 "));
    table.SQLiteDateFormat = true;
    QCOMPARE(postOnce(),
             QStringLiteral("update dt set  at='2005-01-24 10:30:15.000', d='2005-01-24'   where rowid=1 "));
}

void TestRowWriting::autoCommitWrapsEachWrite()
{
    Diary diary;
    diary.table.AutoCommit = true;
    diary.table.Edit();
    diary.table.Post();
    QCOMPARE(diary.statements.size(), 3);
    QCOMPARE(diary.statements.first(), QStringLiteral("begin transaction"));
    QCOMPARE(diary.statements.last(), QStringLiteral("commit transaction"));

    QVERIFY(diary.exec(
        QStringLiteral("create trigger no_delete before delete on dziennik begin select raise(abort, 'nie'); end;")));
    diary.statements.clear();
    QCOMPARE(failureOf<EDatabaseError>([&] { diary.table.Delete(); }), QStringLiteral("nie"));
    QCOMPARE(diary.statements.first(), QStringLiteral("begin transaction"));
    QCOMPARE(diary.statements.last(), QStringLiteral("rollback transaction"));
    // No transaction is left open: a plain statement commits on its own.
    diary.table.AutoCommit = false;
    diary.connection.ExecStatement(QStringLiteral("insert into porady values ('x', 1)"));
    QCOMPARE(diary.column(QStringLiteral("select count(*) from porady")), QStringList{"1"});
}

void TestRowWriting::postingKeepsTheOtherValuesAsStored()
{
    // A note of two lines, and text from the Windows era in the Polish code page
    // (B3 is "ł", EA "ę", 9C "ś", BF "ż").
    Diary diary("insert into dziennik values ('2005-01-24', cast(x'57EA676F727A' as text), 1, 50, "
                "cast(x'5A616C65772057B36F63B3617765636B69' as text), '', '', '', "
                "'pierwsza' || char(13, 10) || 'druga', '');");
    QCOMPARE(diary.field("gatunek")->AsString(), QStringLiteral("Węgorz"));
    QCOMPARE(diary.field("opis")->AsString(), QStringLiteral("pierwsza\r\ndruga"));
    diary.table.Edit();
    diary.field("waga")->SetAsString(QStringLiteral("2"));
    diary.table.Post();
    QCOMPARE(diary.column(QStringLiteral("select hex(opis) || ' ' || gatunek from dziennik")),
             QStringList{QString::fromLatin1(QByteArray("pierwsza\r\ndruga").toHex().toUpper()) +
                         QStringLiteral(" Węgorz")});
    // A note that reads as a number keeps its form in a column that stores numbers.
    diary.table.Edit();
    diary.field("opis")->SetAsString(QStringLiteral("0.50"));
    diary.table.Post();
    diary.table.Close();
    diary.table.Open();
    QCOMPARE(diary.field("miejsce")->AsString(), QStringLiteral("Zalew Włocławecki"));
    QCOMPARE(diary.field("opis")->AsString(), QStringLiteral("0.50"));

    // A blob keeps its bytes, whatever they are.
    ConnectedTable db(QStringLiteral("zdjecia"));
    QVERIFY(db.exec(QStringLiteral("create table zdjecia (nazwa text, dane blob);"
                                   "insert into zdjecia values ('a', x'FFD8B37A'), ('b', 'tekst');")));
    db.table.Open();
    QCOMPARE(db.table.Fields(1)->Value().toByteArray(), QByteArray("\xFF\xD8\xB3z"));
    for (int row = 0; row < 2; ++row) {
        db.table.Edit();
        db.table.Fields(0)->SetAsString(QStringLiteral("zmieniona"));
        db.table.Post();
        db.table.Next();
    }
    QCOMPARE(db.column(QStringLiteral("select hex(dane) from zdjecia order by rowid")),
             QStringList({"FFD8B37A", QString::fromLatin1(QByteArray("tekst").toHex().toUpper())}));
}

void TestRowWriting::unusualColumnNamesAreQuoted()
{
    ConnectedTable db(QStringLiteral("notatki"));
    QVERIFY(db.exec(QStringLiteral(
        "create table notatki (\"opis=opis where 1=1 --\" text, \"miejsce połowu\" text, \"order\" text, "
        "\"cudzy\"\"slowo\" text);"
        "insert into notatki values ('a', 'Wisła', '1', 'x'), ('b', 'Odra', '2', 'y');")));
    TDbTable &table = db.table;
    table.Open();
    table.Edit();
    table.Fields(0)->SetAsString(QStringLiteral("zmiana"));
    table.Fields(1)->SetAsString(QStringLiteral("Bug"));
    table.Post();
    QCOMPARE(db.statements.last(),
             QStringLiteral("update notatki set  \"opis=opis where 1=1 --\"='zmiana', \"miejsce połowu\"='Bug', "
                            "\"order\"='1', \"cudzy\"\"slowo\"='x'   where rowid=1 "));
    table.Append();
    table.Fields(2)->SetAsString(QStringLiteral("3"));
    table.Post();
    QCOMPARE(db.column(QStringLiteral("select \"opis=opis where 1=1 --\" || \"miejsce połowu\" || \"order\" from "
                                      "notatki order by rowid")),
             QStringList({"zmianaBug1", "bOdra2", "3"}));
}

void TestRowWriting::tableWithoutRowsStillTakesANewRow()
{
    Diary diary;
    diary.table.SetFilter(QStringLiteral("data=\"2005-02-01\""));
    diary.table.SetFiltered(true);
    QVERIFY(diary.table.IsEmpty());
    QCOMPARE(diary.table.FieldCount(), 10);
    diary.table.Append();
    diary.field("data")->SetAsString(QStringLiteral("2005-02-01"));
    diary.field("gatunek")->SetAsString(QStringLiteral("Boleń"));
    diary.table.Post();
    QCOMPARE(diary.column(QStringLiteral("select gatunek from dziennik where data='2005-02-01'")),
             QStringList{"Boleń"});
    diary.table.Close();
    diary.table.Open();
    QCOMPARE(diary.table.GetRecordCount(), 1);
}

QTEST_GUILESS_MAIN(TestRowWriting)
#include "TestRowWriting.moc"
