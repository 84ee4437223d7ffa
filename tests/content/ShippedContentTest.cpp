#include "base/JpegImage.h"
#include "support/TestSupport.h"

#include <QCollator>
#include <QLocale>
#include <QtTest>

using TestSupport::QueryColumn;
using TestSupport::TempProgramDir;

namespace {

struct Species
{
    const char *nazwa;
    const char *od;
    const char *doDate;
    const char *wymiar;
    const char *rekord;
};

// The national rules the program states: closed period, protected size (cm), Polish record (kg).
constexpr Species Expected[] = {
    {"Amur biały", "", "", "-", "-"},
    {"Boleń", "", "", "40", "-"},
    {"Brzana", "0001-01-01", "0001-06-30", "40", "-"},
    {"Certa", "0001-01-01", "0001-06-30", "30", "-"},
    {"Głowacica", "0001-03-01", "0001-05-31", "70", "-"},
    {"Jazgarz", "", "", "-", "-"},
    {"Jaź", "", "", "25", "-"},
    {"Jelec", "", "", "15", "-"},
    {"Jesiotr ostronosy", "0001-01-01", "0001-12-31", "-", "-"},
    {"Karaś pospolity", "", "", "-", "-"},
    {"Karaś srebrzysty", "", "", "-", "-"},
    {"Karp", "", "", "-", "37,775"},
    {"Kiełb", "", "", "-", "-"},
    {"Kleń", "", "", "25", "-"},
    {"Krąp", "", "", "-", "-"},
    {"Leszcz", "", "", "-", "7,52"},
    {"Lin", "", "", "25", "-"},
    {"Lipień", "0001-03-01", "0001-05-31", "30", "1,35"},
    {"Łosoś", "0001-10-01", "0001-12-31", "35", "-"},
    {"Miętus", "0001-12-01", "0001-02-28", "25", "-"},
    {"Minóg strumieniowy", "0001-01-01", "0001-12-31", "-", "-"},
    {"Okoń", "", "", "-", "-"},
    {"Piskorz", "0001-01-01", "0001-12-31", "-", "-"},
    {"Płoć", "", "", "-", "-"},
    {"Pstrąg potokowy", "0001-09-01", "0001-12-31", "30", "-"},
    {"Pstrąg tęczowy", "", "", "-", "-"},
    {"Pstrąg źródlany", "", "", "-", "-"},
    {"Rozpiór", "", "", "25", "-"},
    {"Różanka", "0001-01-01", "0001-12-31", "-", "-"},
    {"Sandacz", "0001-01-01", "0001-05-31", "45", "-"},
    {"Sieja", "0001-10-15", "0001-12-31", "35", "-"},
    {"Sielawa", "0001-10-15", "0001-12-31", "18", "-"},
    {"Sum", "0001-01-01", "0001-05-31", "70", "-"},
    {"Szczupak", "0001-01-01", "0001-04-30", "45", "20,8"},
    {"Śliz", "0001-01-01", "0001-12-31", "-", "-"},
    {"Świnka", "0001-03-01", "0001-05-15", "25", "-"},
    {"Tołpyga biała", "", "", "-", "-"},
    {"Tołpyga pstra", "", "", "-", "-"},
    {"Troć jeziorowa", "", "", "50", "-"},
    {"Troć wędrowna", "0001-10-01", "0001-12-31", "35", "-"},
    {"Ukleja", "", "", "-", "-"},
    {"Węgorz", "0001-12-01", "0001-03-31", "50", "-"},
    {"Wzdręga", "", "", "15", "-"},
};

QStringList Column(const TempProgramDir &dir, const char *sql)
{
    return QueryColumn(dir.dbPath(), QString::fromUtf8(sql));
}

} // namespace

class ShippedContentTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_dir = std::make_unique<TempProgramDir>(TempProgramDir::Content::Shipped);
        QVERIFY2(m_dir->isValid(), "the shipped SQL did not run");
    }

    void everySpeciesHasItsNationalRule()
    {
        const QStringList rows = Column(*m_dir, "SELECT nazwa || '|' || od || '|' || \"do\" || '|' || wymiar || '|' || "
                                                "rekord FROM ryby ORDER BY rowid");
        QStringList expected;
        for (const Species &s : Expected)
            expected << QStringLiteral("%1|%2|%3|%4|%5")
                            .arg(QString::fromUtf8(s.nazwa), QString::fromUtf8(s.od), QString::fromUtf8(s.doDate),
                                 QString::fromUtf8(s.wymiar), QString::fromUtf8(s.rekord));
        QCOMPARE(rows, expected);
    }

    void speciesFollowPolishAlphabeticalOrder()
    {
        const QStringList names = Column(*m_dir, "SELECT nazwa FROM ryby ORDER BY rowid");
        QCollator polish{QLocale(QLocale::Polish, QLocale::Poland)};
        QVERIFY2(polish.compare(QStringLiteral("Łosoś"), QStringLiteral("Miętus")) < 0 &&
                     polish.compare(QStringLiteral("Lipień"), QStringLiteral("Łosoś")) < 0,
                 "no Polish collation available");
        for (qsizetype i = 1; i < names.size(); ++i)
            QVERIFY2(polish.compare(names[i - 1], names[i]) < 0,
                     qPrintable(names[i - 1] + QStringLiteral(" before ") + names[i]));
    }

    void periodsAreWholeMonthDaysOrEmpty()
    {
        const QRegularExpression monthDay(QStringLiteral("^0001-(0[1-9]|1[0-2])-(0[1-9]|[12][0-9]|3[01])$"));
        const QStringList bounds = Column(*m_dir, "SELECT od FROM ryby UNION ALL SELECT \"do\" FROM ryby");
        for (const QString &bound : bounds)
            QVERIFY2(bound.isEmpty() || monthDay.match(bound).hasMatch(), qPrintable(bound));
        // A species has both bounds or neither: one bound alone would never be listed and show "-".
        QCOMPARE(Column(*m_dir, "SELECT count(*) FROM ryby WHERE (od = '') <> (\"do\" = '')"),
                 QStringList{QStringLiteral("0")});
    }

    void descriptionsAreFilledAndShortTextsFit()
    {
        QCOMPARE(Column(*m_dir, "SELECT count(*) FROM ryby WHERE wystepowanie = '' OR metoda = '' OR opis_dlugi = '' "
                                "OR opis_krotki = '' OR zdjecie = ''"),
                 QStringList{QStringLiteral("0")});
        // Columns declared as short text are cut at 255 characters when read.
        QCOMPARE(Column(*m_dir, "SELECT count(*) FROM ryby WHERE length(nazwa) > 255 OR length(opis_krotki) > 255"),
                 QStringList{QStringLiteral("0")});
    }

    void everySpeciesHasItsPictureAtTwiceTheFrame()
    {
        const QString folder = TestSupport::RuntimeDir() + QStringLiteral("/data/encyklopedia/");
        for (const QString &name : Column(*m_dir, "SELECT zdjecie FROM ryby")) {
            const QImage picture = LoadJpeg(folder + name);
            QVERIFY2(picture.width() >= 896 && picture.height() >= 418, qPrintable(name));
        }
    }

    void everyTipCategoryHasAtLeastTenTips()
    {
        for (int category = 0; category <= 3; ++category) {
            const QStringList count =
                QueryColumn(m_dir->dbPath(), QStringLiteral("SELECT count(*) FROM porady WHERE rodzaj_porady=\"%1\" "
                                                            "AND length(porada) > 0")
                                                 .arg(category));
            QVERIFY2(count.value(0).toInt() >= 10, qPrintable(QStringLiteral("category %1").arg(category)));
        }
        QCOMPARE(Column(*m_dir, "SELECT count(*) FROM porady WHERE rodzaj_porady NOT IN (0, 1, 2, 3) "
                                "OR typeof(rodzaj_porady) <> 'integer'"),
                 QStringList{QStringLiteral("0")});
    }

    void noValueIsNull()
    {
        for (const char *table : {"ryby", "porady", "przepisy", "dziennik"}) {
            const QStringList columns = QueryColumn(
                m_dir->dbPath(), QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(QLatin1String(table)));
            QVERIFY(!columns.isEmpty());
            QStringList tests;
            for (const QString &column : columns)
                tests << QLatin1Char('"') + column + QStringLiteral("\" IS NULL");
            QCOMPARE(QueryColumn(m_dir->dbPath(), QStringLiteral("SELECT count(*) FROM %1 WHERE %2")
                                                      .arg(QLatin1String(table), tests.join(QStringLiteral(" OR ")))),
                     QStringList{QStringLiteral("0")});
        }
    }

private:
    std::unique_ptr<TempProgramDir> m_dir;
};

QTEST_GUILESS_MAIN(ShippedContentTest)
#include "ShippedContentTest.moc"
