#include "diary/CalendarStatements.h"
#include "support/TestSupport.h"

#include <QTest>

using namespace CalendarStatements;
using TestSupport::QueryColumn;
using TestSupport::TempProgramDir;

class TestCalendarStatements : public QObject
{
    Q_OBJECT

    TempProgramDir m_dir{TempProgramDir::Content::SchemaOnly};

    QStringList protectedIn(int year, int month)
    {
        const TDateTime start = EncodeDate(year, month, 1);
        const TDateTime end = EncodeDate(year, month, DaysInMonth(year, month)) + 0.99999;
        return QueryColumn(m_dir.dbPath(), ProtectedSpecies(start, end));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(
            m_dir.exec(QStringLiteral("insert into ryby (nazwa,od,do) values ('Szczupak','0001-01-01','0001-04-30');"
                                      "insert into ryby (nazwa,od,do) values ('Świnka','0001-03-15','0001-05-31');"
                                      "insert into ryby (nazwa,od,do) values ('Pstrąg','0001-09-01','0001-01-31');"
                                      "insert into ryby (nazwa,od,do) values ('Miętus','0001-12-01','0001-02-28');"
                                      "insert into ryby (nazwa,od,do) values ('Jednodniowa','0001-06-10','0001-06-10');"
                                      "insert into ryby (nazwa,od,do) values ('Okoń','','');"
                                      "insert into ryby (nazwa,od,do) values ('Pół','0001-05-01','');")));
    }

    void periodsInsideAYear()
    {
        for (int month = 1; month <= 12; ++month) {
            const QStringList names = protectedIn(2005, month);
            QCOMPARE(names.contains(QStringLiteral("Szczupak")), month <= 4);
            // A season starting on 15 March still forbids the fish in March.
            QCOMPARE(names.contains(QStringLiteral("Świnka")), month >= 3 && month <= 5);
            QCOMPARE(names.contains(QStringLiteral("Jednodniowa")), month == 6);
        }
    }

    void periodsOverTheNewYear()
    {
        for (int month = 1; month <= 12; ++month) {
            const QStringList names = protectedIn(2005, month);
            QCOMPARE(names.contains(QStringLiteral("Pstrąg")), month == 1 || month >= 9);
            QCOMPARE(names.contains(QStringLiteral("Miętus")), month <= 2 || month == 12);
        }
    }

    // "Do końca lutego" is stored as 02-28: in a leap year the 29th is in the season.
    void aSeasonToTheEndOfFebruaryTakesTheLeapDay()
    {
        auto protectedOn = [this](int month, int day) {
            const TDateTime date = EncodeDate(2028, month, day);
            return QueryColumn(m_dir.dbPath(), ProtectedSpecies(date, date + 0.99999))
                .contains(QStringLiteral("Miętus"));
        };
        QVERIFY(protectedOn(2, 28));
        QVERIFY(protectedOn(2, 29));
        QVERIFY(!protectedOn(3, 1));
        QVERIFY(protectedIn(2028, 2).contains(QStringLiteral("Miętus")));
        QVERIFY(!protectedIn(2028, 3).contains(QStringLiteral("Miętus")));
    }

    void speciesWithoutAPeriodAreNeverListed()
    {
        for (int month = 1; month <= 12; ++month) {
            const QStringList names = protectedIn(2004, month);
            QVERIFY(!names.contains(QStringLiteral("Okoń")));
            QVERIFY(!names.contains(QStringLiteral("Pół")));
        }
    }

    void orderedBySeasonStart()
    {
        QCOMPARE(protectedIn(2005, 1),
                 (QStringList{QStringLiteral("Szczupak"), QStringLiteral("Pstrąg"), QStringLiteral("Miętus")}));
    }

    void dayMarksSpanThirtyOneDays()
    {
        QCOMPARE(AssignedDays(EncodeDate(2005, 2, 1)),
                 QStringLiteral("SELECT data FROM dziennik WHERE ((data>=\"2005-02-01\") AND (data<\"2005-03-04\") )"));
    }

    void tipsOfACategory()
    {
        QVERIFY(m_dir.exec(QStringLiteral("insert into porady values ('a',2); insert into porady values ('b',2);"
                                          "insert into porady values ('c',1);")));
        QStringList tips = QueryColumn(m_dir.dbPath(), Tips(2));
        tips.sort();
        QCOMPARE(tips, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    }
};

QTEST_GUILESS_MAIN(TestCalendarStatements)
#include "tst_CalendarStatements.moc"
