#include "base/ProgramPaths.h"
#include "data/TDbConnection.h"
#include "diary/ProtectionRule.h"
#include "support/TestSupport.h"

#include <QTest>

using namespace ProtectionRule;

class ProtectionRuleTest : public QObject
{
    Q_OBJECT

    std::vector<SpeciesProtection> m_species;

private Q_SLOTS:
    void initTestCase()
    {
        // Read from a real species table, as the diary does.
        TestSupport::TempProgramDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(dir.exec(QStringLiteral(
            "insert into ryby (nazwa,od,do,wymiar) values ('Szczupak','0001-01-01','0001-04-30','45');"
            "insert into ryby (nazwa,od,do,wymiar) values ('Pstrąg potokowy','0001-09-01','0001-12-31','30');"
            "insert into ryby (nazwa,od,do,wymiar) values ('Miętus','0001-12-01','0001-02-28','25,5');"
            "insert into ryby (nazwa,od,do,wymiar) values ('Jesiotr ostronosy','0001-01-01','0001-12-31','');"
            "insert into ryby (nazwa,od,do,wymiar) values ('Okoń','','','');")));
        TDbConnection connection;
        connection.SetDriverDLL(TestSupport::RuntimeDir() + QLatin1Char('/') + SqliteLibraryFileName());
        connection.SetDatabase(dir.dbPath());
        connection.SetConnected(true);
        m_species = ReadSpecies(&connection);
        QCOMPARE(int(m_species.size()), 5);
    }

    void seasonsAndSizes_data()
    {
        QTest::addColumn<QString>("species");
        QTest::addColumn<TDateTime>("day");
        QTest::addColumn<double>("length");
        QTest::addColumn<QStringList>("broken");
        const TDateTime march = EncodeDate(2005, 3, 10);
        const TDateTime june = EncodeDate(2005, 6, 10);
        QTest::newRow("inside a season, other case and no diacritics")
            << "  szczupak " << march << 60.0 << QStringList{"Szczupak jest pod ochroną od 01-01 do 04-30."};
        QTest::newRow("last day of the season") << "SZCZUPAK" << EncodeDate(2005, 4, 30) << 0.0
                                                << QStringList{"Szczupak jest pod ochroną od 01-01 do 04-30."};
        QTest::newRow("out of season, above the size") << "Szczupak" << june << 45.5 << QStringList();
        QTest::newRow("at the size") << "Szczupak" << june << 45.0
                                     << QStringList{"Szczupak ma wymiar ochronny 45 cm, a ta ryba mierzy 45 cm."};
        QTest::newRow("in season and undersized")
            << "Szczupak" << march << 30.0
            << QStringList{"Szczupak jest pod ochroną od 01-01 do 04-30.",
                           "Szczupak ma wymiar ochronny 45 cm, a ta ryba mierzy 30 cm."};
        const QStringList burbot{"Miętus jest pod ochroną od 12-01 do końca lutego."};
        QTest::newRow("over the new year, January") << "mietus" << EncodeDate(2006, 1, 15) << 0.0 << burbot;
        QTest::newRow("over the new year, December") << "Miętus" << EncodeDate(2005, 12, 1) << 0.0 << burbot;
        QTest::newRow("over the new year, March") << "Miętus" << march << 26.0 << QStringList();
        QTest::newRow("leap year, 28 February") << "Miętus" << EncodeDate(2028, 2, 28) << 0.0 << burbot;
        QTest::newRow("leap year, 29 February") << "Miętus" << EncodeDate(2028, 2, 29) << 0.0 << burbot;
        QTest::newRow("leap year, 1 March") << "Miętus" << EncodeDate(2028, 3, 1) << 0.0 << QStringList();
        QTest::newRow("decimal size") << "Miętus" << june << 25.5
                                      << QStringList{"Miętus ma wymiar ochronny 25,5 cm, a ta ryba mierzy 25,5 cm."};
        QTest::newRow("all year") << "jesiotr  OSTRONOSY" << june << 120.0
                                  << QStringList{"Jesiotr ostronosy jest pod ochroną przez cały rok."};
        QTest::newRow("two words, to the year's end")
            << "pstrag potokowy" << EncodeDate(2005, 12, 31) << 31.0
            << QStringList{"Pstrąg potokowy jest pod ochroną od 09-01 do 12-31."};
        QTest::newRow("no season, no size") << "Okoń" << march << 5.0 << QStringList();
        QTest::newRow("no match") << "Szczupak pospolity" << march << 5.0 << QStringList();
        QTest::newRow("empty species") << "" << march << 5.0 << QStringList();
    }
    void seasonsAndSizes()
    {
        QFETCH(QString, species);
        QFETCH(TDateTime, day);
        QFETCH(double, length);
        QFETCH(QStringList, broken);
        QCOMPARE(Broken(m_species, species, day, length), broken);
    }
};

QTEST_GUILESS_MAIN(ProtectionRuleTest)
#include "tst_ProtectionRule.moc"
