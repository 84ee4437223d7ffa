#include "DataTestSupport.h"

#include "data/DbErrors.h"
#include "data/FieldConvert.h"
#include "data/FieldInfo.h"
#include "data/TDbQuery.h"
#include "data/TDbTable.h"
#include "data/TextEncoding.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTest>
#include <limits>

Q_DECLARE_METATYPE(TFieldType)

// How declared column types become field kinds, and how stored texts convert into
// them and back.
class TestFieldKinds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void declaredTypeMapping_data();
    void declaredTypeMapping();
    void storedTextReadsAsItsKind_data();
    void storedTextReadsAsItsKind();
    void valueThatDoesNotConvertKeepsTheTableClosed_data();
    void valueThatDoesNotConvertKeepsTheTableClosed();
    void unsupportedAndOversizedResultsFailClearly();
    void rowidColumnIsTheIdentityInAnyCase();
    void integerPrimaryKeyGivesDuplicateFieldName();
    void typedTextConvertsOrFailsWithItsMessage();
    void sqliteDateFormatReadsPositionally();
    void floatTextIsShortest();
    void utf8CheckAgreesWithQt();
};

void TestFieldKinds::declaredTypeMapping_data()
{
    QTest::addColumn<QString>("declared");
    QTest::addColumn<TFieldType>("type");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("precision");
    using T = TFieldType;
    QTest::newRow("varchar(40)") << "VARCHAR(40)" << T::ftString << 40 << 0;
    QTest::newRow("char(3)") << "char(3)" << T::ftString << 3 << 0;
    QTest::newRow("varchar2(7)") << "varchar2(7)" << T::ftString << 7 << 0;
    QTest::newRow("numeric(8)") << "numeric(8)" << T::ftFloat << 8 << 0;
    QTest::newRow("numeric(10,25)") << "numeric(10,25)" << T::ftFloat << 10 << 25;
    QTest::newRow("numeric(6.2)") << "Numeric(6.2)" << T::ftFloat << 6 << 2;
    QTest::newRow("other with parens") << "decimal(5)" << T::ftString << 255 << 0;
    QTest::newRow("open paren only") << "varchar(30" << T::ftString << 256 << 0;
    QTest::newRow("date") << "DATE" << T::ftDate << 0 << 0;
    QTest::newRow("datetime") << "datetime" << T::ftDateTime << 0 << 0;
    QTest::newRow("time") << "time" << T::ftTime << 0 << 0;
    QTest::newRow("timestamp") << "timestamp" << T::ftTimeStamp << 0 << 0;
    QTest::newRow("integer") << "INTEGER" << T::ftInteger << 0 << 0;
    QTest::newRow("int is not integer") << "int" << T::ftString << 255 << 0;
    QTest::newRow("float") << "float" << T::ftFloat << 0 << 0;
    QTest::newRow("real") << "real" << T::ftFloat << 0 << 0;
    QTest::newRow("boolean") << "boolean" << T::ftBoolean << 0 << 0;
    QTest::newRow("logical") << "logical" << T::ftBoolean << 0 << 0;
    QTest::newRow("text") << "text" << T::ftString << 255 << 0;
    QTest::newRow("string") << "string" << T::ftString << 255 << 0;
    QTest::newRow("currency") << "currency" << T::ftCurrency << 0 << 0;
    QTest::newRow("money") << "money" << T::ftCurrency << 0 << 0;
    QTest::newRow("financial") << "financial" << T::ftCurrency << 0 << 0;
    QTest::newRow("blob") << "blob" << T::ftBlob << 0 << 0;
    QTest::newRow("graphic") << "graphic" << T::ftGraphic << 0 << 0;
    QTest::newRow("memo") << "memo" << T::ftMemo << 0 << 0;
    QTest::newRow("clob") << "clob" << T::ftMemo << 0 << 0;
    QTest::newRow("longtext") << "LongText" << T::ftMemo << 0 << 0;
    QTest::newRow("expression") << "" << T::ftString << 255 << 0;
    QTest::newRow("unknown word") << "whatever" << T::ftString << 255 << 0;
}

void TestFieldKinds::declaredTypeMapping()
{
    QFETCH(QString, declared);
    const FieldInfo info = GetFieldInfo(declared);
    QTEST(info.type, "type");
    if (info.type == TFieldType::ftString || info.type == TFieldType::ftFloat)
        QTEST(info.size, "size");
    if (info.type == TFieldType::ftFloat)
        QTEST(info.precision, "precision");
}

void TestFieldKinds::storedTextReadsAsItsKind_data()
{
    QTest::addColumn<QString>("declared");
    QTest::addColumn<QString>("stored"); // an SQL expression
    QTest::addColumn<QString>("text");   // AsString

    QTest::newRow("integer") << "integer"
                             << "42"
                             << "42";
    QTest::newRow("negative integer text") << "integer"
                                           << "' -7 '"
                                           << "-7";
    QTest::newRow("float") << "float"
                           << "0.35"
                           << "0.35";
    QTest::newRow("float of 17 digits") << "float"
                                        << "0.1 + 0.2"
                                        << "0.30000000000000004";
    QTest::newRow("whole float") << "float"
                                 << "2"
                                 << "2";
    QTest::newRow("currency") << "money"
                              << "'12.5'"
                              << "12.5";
    QTest::newRow("boolean word") << "boolean"
                                  << "'TRUE'"
                                  << "True";
    QTest::newRow("boolean zero") << "boolean"
                                  << "0"
                                  << "False";
    QTest::newRow("boolean number") << "boolean"
                                    << "7"
                                    << "True";
    QTest::newRow("date") << "date"
                          << "'2005-01-24'"
                          << "2005-01-24";
    QTest::newRow("date drops time") << "date"
                                     << "'2005-01-24 10:30'"
                                     << "2005-01-24";
    QTest::newRow("empty date") << "date"
                                << "''"
                                << "";
    QTest::newRow("null date") << "date"
                               << "NULL"
                               << "";
    QTest::newRow("datetime") << "datetime"
                              << "'2005-01-24 10:30:05'"
                              << "2005-01-24 10:30:05";
    QTest::newRow("time") << "time"
                          << "'2005-01-24 07:05'"
                          << "07:05:00";
    QTest::newRow("null text") << "text"
                               << "NULL"
                               << "";
    QTest::newRow("text cut to 255") << "text"
                                     << "printf('%.300c', 'x')" << QString(255, QLatin1Char('x'));
    QTest::newRow("varchar cut by characters") << "varchar(5)"
                                               << "'żółćżółć'"
                                               << "żółćż";
    QTest::newRow("memo keeps length") << "memo"
                                       << "printf('%.300c', 'y')" << QString(300, QLatin1Char('y'));
    QTest::newRow("memo up to zero byte") << "memo"
                                          << "cast(x'6162006364' as text)"
                                          << "ab";
    QTest::newRow("Windows code page") << "varchar(5)"
                                       << "cast(x'BFB3F3B3E6B3' as text)"
                                       << "żłółć";
    QTest::newRow("memo in Windows code page") << "memo"
                                               << "cast(x'9C6369B3' as text)"
                                               << "ścił";
    QTest::newRow("expression column") << ""
                                       << "1+1"
                                       << "2";
}

void TestFieldKinds::storedTextReadsAsItsKind()
{
    QFETCH(QString, declared);
    QFETCH(QString, stored);
    ConnectedTable db(QStringLiteral("t"));
    const QString column = declared.isEmpty() ? QStringLiteral("v") : QStringLiteral("v ") + declared;
    QVERIFY(db.exec(QStringLiteral("create table t (%1); insert into t values (%2);").arg(column, stored)));
    TDbTable &table = db.table;
    table.Open();
    QCOMPARE(table.GetRecordCount(), 1);
    QTEST(table.FieldByName(QStringLiteral("V"))->AsString(), "text");
}

void TestFieldKinds::valueThatDoesNotConvertKeepsTheTableClosed_data()
{
    QTest::addColumn<QString>("declared");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("message");
    QTest::newRow("integer word") << "integer"
                                  << "'abc'"
                                  << "'abc' is not a valid integer value";
    QTest::newRow("empty integer") << "integer"
                                   << "''"
                                   << "'' is not a valid integer value";
    QTest::newRow("integer past 32 bits") << "integer"
                                          << "5000000000"
                                          << "'5000000000' is not a valid integer value";
    QTest::newRow("float word") << "float"
                                << "'x1'"
                                << "'x1' is not a valid floating point value";
    QTest::newRow("empty float") << "real"
                                 << "''"
                                 << "'' is not a valid floating point value";
    QTest::newRow("boolean word") << "boolean"
                                  << "'yes'"
                                  << "'yes' is not a valid boolean value";
    QTest::newRow("date word") << "date"
                               << "'Monday'"
                               << "'Monday' is not a valid date and time";
    QTest::newRow("impossible date") << "date"
                                     << "'2005-02-30'"
                                     << "'2005-02-30' is not a valid date and time";
}

void TestFieldKinds::valueThatDoesNotConvertKeepsTheTableClosed()
{
    QFETCH(QString, declared);
    QFETCH(QString, stored);
    ConnectedTable db(QStringLiteral("t"));
    QVERIFY(db.exec(QStringLiteral("create table t (v %1); insert into t values (%2);").arg(declared, stored)));
    TDbTable &table = db.table;
    QTEST(failureOf<EConvertError>([&] { table.Open(); }), "message");
    QVERIFY(!table.Active());
    QCOMPARE(table.FieldCount(), 0);
}

void TestFieldKinds::unsupportedAndOversizedResultsFailClearly()
{
    ConnectedTable db(QStringLiteral("ts"));
    QVERIFY(db.exec(QStringLiteral("create table ts (a text, stamp timestamp); insert into ts values ('x', '2005');"
                                   "create table wide (a varchar(20000), b varchar(10001)); insert into wide values "
                                   "('a', 'b');"
                                   "create table fits (a varchar(20000), b varchar(10000)); insert into fits values "
                                   "('a', 'b');")));
    TDbTable &table = db.table;
    QCOMPARE(failureOf<EDataLayerError>([&] { table.Open(); }),
             QStringLiteral("Fieldtype of Field \"stamp\" not supported!"));
    QVERIFY(!table.Active());

    table.TableName = QStringLiteral("wide");
    QVERIFY(failureOf<EDataLayerError>([&] { table.Open(); }).contains(QLatin1String("30001 bytes")));
    QVERIFY(!table.Active());

    table.TableName = QStringLiteral("fits");
    table.Open();
    QCOMPARE(table.FieldByName(QStringLiteral("b"))->AsString(), QStringLiteral("b"));
}

void TestFieldKinds::rowidColumnIsTheIdentityInAnyCase()
{
    ConnectedDatabase db;
    QVERIFY(db.exec(QStringLiteral("create table t (a text); insert into t(rowid, a) values (7, 'x');")));
    for (const char *name : {"rowid", "ROWID", "Rowid"}) {
        TDbQuery query;
        query.SetConnection(&db.connection);
        query.SetSQL(QStringLiteral("select a, rowid as %1 from t").arg(QLatin1String(name)));
        query.Open();
        QCOMPARE(query.FieldCount(), 1);
        QCOMPARE(query.RowId(), 7);
    }
    // A result without a rowid column numbers its rows by position.
    TDbQuery plain;
    plain.SetConnection(&db.connection);
    plain.SetSQL(QStringLiteral("select 'a' union all select 'b'"));
    plain.Open();
    plain.Last();
    QCOMPARE(plain.RowId(), 1);
}

void TestFieldKinds::integerPrimaryKeyGivesDuplicateFieldName()
{
    ConnectedTable db(QStringLiteral("keyed"), QStringLiteral("keyedTable"));
    QVERIFY(db.exec(QStringLiteral("create table keyed (id integer primary key, a text); insert into keyed(a) "
                                   "values ('x');")));
    TDbTable &table = db.table;
    QCOMPARE(failureOf<EDatabaseError>([&] { table.Open(); }), QStringLiteral("keyedTable: Duplicate field name 'id'"));
    QVERIFY(!table.Active());
}

void TestFieldKinds::typedTextConvertsOrFailsWithItsMessage()
{
    ConnectedTable db(QStringLiteral("dziennik"), QStringLiteral("dziennikTable"));
    QVERIFY(db.exec(QStringLiteral("insert into dziennik values ('2005-01-24', 'Okoń', 0.35, 20, '', '', '', '', "
                                   "'', '');")));
    TDbTable &table = db.table;
    table.Open();
    TField *waga = table.FieldByName(QStringLiteral("waga"));
    TField *gatunek = table.FieldByName(QStringLiteral("gatunek"));
    TField *data = table.FieldByName(QStringLiteral("data"));
    QCOMPARE(waga->DataType(), TFieldType::ftFloat);
    QCOMPARE(failureOf<EDatabaseError>([&] { waga->SetAsString(QStringLiteral("1")); }),
             QStringLiteral("dziennikTable: Dataset not in edit or insert mode"));

    table.Edit();
    waga->SetAsString(QStringLiteral("1,25"));
    QCOMPARE(waga->AsFloat(), 1.25);
    QCOMPARE(waga->AsString(), QStringLiteral("1.25"));
    QCOMPARE(failureOf<EConvertError>([&] { waga->SetAsString(QStringLiteral("ciężka")); }),
             QStringLiteral("'ciężka' is not a valid floating point value"));
    QCOMPARE(failureOf<EConvertError>([&] { data->SetAsString(QStringLiteral("jutro")); }),
             QStringLiteral("'jutro' is not a valid date and time"));
    data->SetAsString(QStringLiteral("2004-02-29"));
    QCOMPARE(data->AsDateTime(), EncodeDate(2004, 2, 29));
    gatunek->SetAsString(QString(300, QLatin1Char('s')));
    QCOMPARE(gatunek->AsString().size(), 255);
    QCOMPARE(failureOf<EConvertError>([&] { gatunek->AsInteger(); }),
             QStringLiteral("'") + QString(255, QLatin1Char('s')) + QStringLiteral("' is not a valid integer value"));
    gatunek->SetAsInteger(12);
    QCOMPARE(gatunek->AsInteger(), 12);
    // An emptied number reads as empty while it is being edited.
    waga->SetAsString(QString());
    QVERIFY(waga->IsNull());
    QCOMPARE(waga->AsString(), QString());
    QCOMPARE(waga->Value(), QVariant(0.0));
}

void TestFieldKinds::sqliteDateFormatReadsPositionally()
{
    ConnectedTable db(QStringLiteral("t"));
    QVERIFY(db.exec(QStringLiteral("create table t (at datetime); insert into t values ('2005-01-24 10:30:15.250');"
                                   "insert into t values ('2005-01-24 xx:30');")));
    TDbTable &table = db.table;
    table.SQLiteDateFormat = true;
    table.Open();
    QCOMPARE(table.Fields(0)->AsDateTime(), EncodeDateTime(2005, 1, 24, 10, 30, 15, 250));
    table.Next();
    QCOMPARE(table.Fields(0)->AsDateTime(), 0.0);
}

void TestFieldKinds::floatTextIsShortest()
{
    QCOMPARE(FieldConvert::FloatText(0.35), QStringLiteral("0.35"));
    QCOMPARE(FieldConvert::FloatText(2), QStringLiteral("2"));
    QCOMPARE(FieldConvert::FloatText(0), QStringLiteral("0"));
    QCOMPARE(FieldConvert::FloatText(-0.0), QStringLiteral("0"));
    QCOMPARE(FieldConvert::FloatText(1234.5), QStringLiteral("1234.5"));
    // Shortest, yet exact: the text reads back as the same number.
    QCOMPARE(FieldConvert::FloatText(0.1 * 3), QStringLiteral("0.30000000000000004"));
    // The same text as Qt's shortest decimal form at every magnitude: a length of 100000
    // is never written 1e+05, nor a tiny value with an exponent.
    QCOMPARE(FieldConvert::FloatText(100000), QStringLiteral("100000"));
    QRandomGenerator random(20261208);
    for (int exponent = -30; exponent <= 30; ++exponent) {
        const double scale = std::pow(10.0, exponent);
        for (const double mantissa : {1.0, 1.2, 4.25, 9.999, 123.0, 1234567.0, random.generateDouble() * 10}) {
            for (const double value : {mantissa * scale, -mantissa * scale}) {
                const QString text = FieldConvert::FloatText(value);
                QCOMPARE(text, QString::number(value, 'f', QLocale::FloatingPointShortest));
                QCOMPARE(text.toDouble(), value);
            }
        }
    }
    QCOMPARE(FieldConvert::FloatText(std::numeric_limits<double>::max()).toDouble(),
             std::numeric_limits<double>::max());
    QCOMPARE(FieldConvert::FloatText(std::numeric_limits<double>::denorm_min()).toDouble(),
             std::numeric_limits<double>::denorm_min());
}

// Text that is not UTF-8 is read as the older Windows code page, so the check decides
// what the user sees. Random bytes, mostly ASCII runs with sequences of every length and
// their broken forms mixed in, at every alignment of the eight-byte steps.
void TestFieldKinds::utf8CheckAgreesWithQt()
{
    QRandomGenerator random(7);
    const QByteArray pieces[] = {"a",
                                 "Wisla pod mostem ",
                                 "\xC5\x82",
                                 "\xC5",
                                 "\xE2\x82\xAC",
                                 "\xE2\x82",
                                 "\xF0\x9F\x90\x9F",
                                 "\xF4\x90\x80\x80",
                                 "\xED\xA0\x80",
                                 "\xC0\xAF",
                                 "\x80",
                                 "\xFF",
                                 "12345678"};
    for (int round = 0; round < 20000; ++round) {
        QByteArray text;
        const int count = int(random.bounded(6));
        for (int i = 0; i < count; ++i)
            text += pieces[random.bounded(int(std::size(pieces)))];
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = decoder(text);
        const bool qtValid = !decoder.hasError();
        if (TextEncoding::IsValidUtf8(std::string_view(text.constData(), size_t(text.size()))) != qtValid)
            QFAIL(qPrintable(QStringLiteral("disagree on %1").arg(QString::fromLatin1(text.toHex(' ')))));
    }
}

QTEST_GUILESS_MAIN(TestFieldKinds)
#include "TestFieldKinds.moc"
