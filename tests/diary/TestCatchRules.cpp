#include "data/DataTestSupport.h"
#include "data/DbErrors.h"

#include "diary/CatchLog.h"
#include "diary/CatchRegister.h"
#include "diary/CatchRules.h"
#include "diary/DiarySchema.h"
#include "diary/Permit.h"
#include "diary/Waters.h"

#include <QFile>
#include <QTest>
#include <tuple>

namespace {
// The national rules of three species as the species table gives them.
const char *const Species = R"(
insert into ryby (nazwa,od,do,wymiar) values ('Szczupak','0001-01-01','0001-04-30','45');
insert into ryby (nazwa,od,do,wymiar) values ('Węgorz','','','50');
insert into ryby (nazwa,od,do,wymiar) values ('Okoń','','','');
)";

CatchRecord Catch(const QString &day, const QString &species, double length, double weight = 1, bool kept = true)
{
    static qint64 rowId = 0;
    CatchRecord r;
    r.rowId = ++rowId;
    r.day = day;
    r.species = species;
    r.length = length;
    r.weight = weight;
    r.kept = kept;
    return r;
}
} // namespace

class TestCatchRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<ConnectedDatabase>();
        QVERIFY(m_db->exec(Species));
    }
    void cleanup() { m_db.reset(); }

    void anOldDiaryGainsTheColumnWithEveryRowKept()
    {
        QVERIFY(m_db->exec("insert into dziennik values ('2005-04-10','Szczupak',4.2,78,'Jezioro','wobler','SW',"
                           "'pełnia','duży','a.jpg');"
                           "insert into dziennik values ('2005-01-24','',0.0,0.0,'','','','','','');"
                           "create table zezwolenie (nazwa varchar(255), rok integer, limit_kg float);"
                           "create table zezwolenie_gatunki (gatunek varchar(255), wymiar float, od varchar(5), "
                           "do varchar(5), limit_szt integer);"
                           "insert into zezwolenie values ('Okręg', 2005, 5);"));
        // Opened read-only, an older permit is read without its holder and number.
        QCOMPARE(Permit::Read(m_db->connection).name, QStringLiteral("Okręg"));
        const QString everything = QStringLiteral("select rowid||'|'||data||'|'||gatunek||'|'||waga||'|'||dlugosc||'|'"
                                                  "||miejsce||'|'||przyneta||'|'||wiatr||'|'||faza_ksiezyca||'|'||"
                                                  "opis||'|'||foto from dziennik order by rowid");
        const QString others = QStringLiteral("select name||sql from sqlite_master where tbl_name not in "
                                              "('dziennik','zezwolenie','zezwolenie_gatunki','lowiska',"
                                              "'nauka_postep','egzamin_proba') order by 1");
        const QStringList rowsBefore = m_db->column(everything), othersBefore = m_db->column(others);
        const QStringList speciesBefore = m_db->column("select nazwa||od||do||wymiar from ryby");
        // Before, it reads as a diary of kept catches, without waters.
        const std::vector<CatchRecord> old = CatchLog::ReadRecords(m_db->connection);
        QVERIFY(old.size() == 2 && old[0].kept && old[1].kept);
        QVERIFY(Waters::Read(m_db->connection).empty());

        UpgradeDiarySchema(m_db->connection);
        QCOMPARE(m_db->column(everything), rowsBefore);
        QCOMPARE(m_db->column("select zabrana || ifnull(godzina, '-') from dziennik"), QStringList({"1-", "1-"}));
        QCOMPARE(m_db->column(others), othersBefore);
        QCOMPARE(m_db->column("select nazwa||od||do||wymiar from ryby"), speciesBefore);
        QCOMPARE(m_db->column("select count(*) from sqlite_master where name in "
                              "('zezwolenie','zezwolenie_gatunki','lowiska','nauka_postep','egzamin_proba')"),
                 QStringList{"5"});
        // The older permit keeps its row and gains the holder and the number, empty.
        QCOMPARE(m_db->column("select nazwa||rok||limit_kg||'['||ifnull(wedkarz,'')||ifnull(numer,'')||']' from "
                              "zezwolenie"),
                 QStringList{"Okręg20055.0[]"});

        // Twice is once: an up-to-date diary is not written at all.
        const QStringList schema = m_db->column("select sql from sqlite_master order by name");
        m_db->statements.clear();
        UpgradeDiarySchema(m_db->connection);
        QCOMPARE(m_db->column("select sql from sqlite_master order by name"), schema);
        QVERIFY(m_db->statements.filter(QRegularExpression("^(BEGIN|ALTER|CREATE)")).isEmpty());

        // A released catch reads back as released, an old one as kept.
        QVERIFY(m_db->exec("update dziennik set zabrana=0 where gatunek=''"));
        const std::vector<CatchRecord> records = CatchLog::ReadRecords(m_db->connection);
        QCOMPARE(records.size(), size_t(2));
        QVERIFY(records[0].kept);
        QVERIFY(!records[1].kept);
        QVERIFY(records[0].hour.isEmpty() && records[1].hour.isEmpty());
    }

    void thePermitAndTheWatersAreKeptInTheDiary()
    {
        UpgradeDiarySchema(m_db->connection);
        Permit permit;
        // Every character is stored as typed: signs that text formatting or SQL would take
        // for their own, and a NUL byte.
        permit.name = QStringLiteral("PZW \"Okręg\" 'Mazowsze' %2 %1") + QChar(0) + QStringLiteral("koniec");
        permit.number = QStringLiteral("%1/2026'");
        permit.angler = QStringLiteral("  Zofia Ćwik-O'Brien ");
        permit.year = 2026;
        permit.dailyKg = 7.5;
        permit.species = {{"Sum %5 duży; DROP TABLE dziennik", 50, 101, 531, 2}, {"Sandacz", 0, 0, 0, 1}};
        permit.Write(m_db->connection);
        permit.species.pop_back();
        permit.Write(m_db->connection);
        const Permit read = Permit::Read(m_db->connection);
        QCOMPARE(read.name, permit.name);
        QCOMPARE(read.number, permit.number);
        QCOMPARE(read.angler, QStringLiteral("Zofia Ćwik-O'Brien"));
        QCOMPARE(read.year, 2026);
        QCOMPARE(read.dailyKg, 7.5);
        QCOMPARE(read.species.size(), size_t(1));
        QCOMPARE(read.species[0].name, permit.species[0].name);
        QCOMPARE(read.species[0].size, 50.0);
        QCOMPARE(read.species[0].from, 101);
        QCOMPARE(read.species[0].to, 531);
        QCOMPARE(read.species[0].dailyCount, 2);

        // A position is kept to the last digit; one off the Earth is no position.
        Waters::Write(m_db->connection, {{"Jezioro Łańskie", "12", GeoPoint{53.8712345, 20.5512345}},
                                         {"", "99", {}},
                                         {"Wisła", "", GeoPoint{91, 20}},
                                         {"Staw %1 '%2'", "%1", {}}});
        const std::vector<Water> waters = Waters::Read(m_db->connection);
        QCOMPARE(waters.size(), size_t(3));
        QCOMPARE(waters[0].position, std::optional(GeoPoint{53.8712345, 20.5512345}));
        QVERIFY(!waters[1].position && !waters[2].position);
        QCOMPARE(waters[2].name + waters[2].number, QStringLiteral("Staw %1 '%2'%1"));
        QCOMPARE(Waters::NumberOf(waters, "  jezioro  łańskie "), QStringLiteral("12"));
        QCOMPARE(Waters::NumberOf(waters, "Narew"), QString());
    }

    void theStricterSizeWinsAndReleasedFishAreNeverWarned()
    {
        Permit permit;
        permit.name = "Okręg X";
        permit.year = 2026;
        permit.species = {{"szczupak", 50, 0, 0, 0}, {"Okoń", 0, 601, 630, 0}};
        const CatchRules rules(ProtectionRule::ReadSpecies(&m_db->connection), permit);
        const std::vector<QStringList> broken = rules.Judge({
            Catch("2026-06-10", "Szczupak", 47),           // permit only
            Catch("2026-06-10", "SZCZUPAK", 44),           // both: the stricter one is told
            Catch("2026-06-10", "Szczupak", 51),           // neither
            Catch("2025-06-10", "Szczupak", 47),           // the permit is of another year
            Catch("2026-02-10", "Szczupak", 30, 1, false), // released in its season and short
            Catch("2026-02-10", "Szczupak", 60),           // the national season
            Catch("2026-06-15", "Okoń", 20),               // the permit's extra season
            Catch("2026-06-15", "Płoć", 5),                // no rule at all
        });
        QCOMPARE(broken[0], QStringList{"Szczupak: 47 cm – wymiar ochronny 50 cm, ryba musi być dłuższa "
                                        "(zezwolenie „Okręg X”)."});
        QCOMPARE(broken[1], QStringList{"Szczupak: 44 cm – wymiar ochronny 50 cm, ryba musi być dłuższa "
                                        "(zezwolenie „Okręg X”)."});
        QVERIFY(broken[2].isEmpty());
        QVERIFY(broken[3].isEmpty());
        QVERIFY(broken[4].isEmpty());
        QCOMPARE(broken[5], QStringList{"Szczupak jest pod ochroną od 01-01 do 04-30 (przepisy krajowe)."});
        QCOMPARE(broken[6], QStringList{"Okoń jest pod ochroną od 06-01 do 06-30 (zezwolenie „Okręg X”)."});
        QVERIFY(broken[7].isEmpty());

        // Without a permit the national size binds, in the words the angler is shown.
        const CatchRules national(ProtectionRule::ReadSpecies(&m_db->connection), {});
        QCOMPARE(national.Judge({Catch("2026-06-10", "Szczupak", 45)})[0],
                 QStringList{"Szczupak: 45 cm – wymiar ochronny 45 cm, ryba musi być dłuższa (przepisy krajowe)."});
    }

    void dailyLimitsCountKeptFishOfTheDayInTheirOrder()
    {
        const auto national = ProtectionRule::ReadSpecies(&m_db->connection);
        // The third kept eel of a day breaks the national limit; a released one between
        // does not count, and the next day starts afresh.
        std::vector<CatchRecord> eels{Catch("2026-07-01", "Węgorz", 60), Catch("2026-07-01", "wegorz", 61, 1, false),
                                      Catch("2026-07-01", "Węgorz", 62), Catch("2026-07-02", "Węgorz", 63),
                                      Catch("2026-07-01", "Węgorz", 64)};
        std::vector<QStringList> broken = CatchRules(national, {}).Judge(eels);
        QVERIFY(broken[0].isEmpty() && broken[1].isEmpty() && broken[2].isEmpty() && broken[3].isEmpty());
        QCOMPARE(broken[4], QStringList{"Węgorz: 3. sztuka tego dnia – dzienny limit 2 szt. (przepisy krajowe)."});

        // A stricter permit limit binds from its own count; a looser one never lifts the
        // national one. The day's kept kilograms pass the permit's limit with the fish
        // that makes the sum pass it.
        Permit permit;
        permit.dailyKg = 5;
        permit.species = {{"Węgorz", 0, 0, 0, 1}, {"Okoń", 0, 0, 0, 10}};
        std::vector<CatchRecord> day{Catch("2026-07-01", "Węgorz", 60, 2.0), Catch("2026-07-01", "Węgorz", 60, 1.0),
                                     Catch("2026-07-01", "Okoń", 20, 2.0, false), Catch("2026-07-01", "Okoń", 20, 2.5)};
        CatchRules(national, permit).Mark(day);
        QVERIFY(day[0].Warning().isEmpty());
        QCOMPARE(day[1].Warning(), QStringLiteral("Węgorz: 2. sztuka tego dnia – dzienny limit 1 szt. (zezwolenie)."));
        QVERIFY(day[2].Warning().isEmpty());
        QCOMPARE(day[3].Warning(), QStringLiteral("Zabrane ryby tego dnia: 5,5 kg – dzienny limit 5 kg (zezwolenie)."));
        permit.species[0].dailyCount = 5;
        QCOMPARE(CatchRules(national, permit).Judge(eels)[4].size(), 1);
    }

    // Marking keeps only what judging found; the sentences written later from it must be
    // the ones judging writes, for every kind of rule, several at once, a permit of another
    // year, a name typed in another case and a species no rule names.
    void markedWarningsReadAsJudged()
    {
        Permit permit;
        permit.name = QStringLiteral("PZW Mazowsze");
        permit.year = 2026;
        permit.dailyKg = 3;
        permit.species = {{"Karp", 40, 101, 531, 2}, {"Szczupak", 60, 0, 0, 1}, {"Ukleja", 0, 0, 0, 1}};
        std::vector<CatchRecord> diary{Catch("2026-03-01", "Szczupak", 40, 2.0),
                                       Catch("2026-03-01", "SZCZUPAK ", 70, 2.0),
                                       Catch("2026-05-01 12:00", "Karp", 30, 1.0),
                                       Catch("2026-05-01", "karp", 50, 0.5, false),
                                       Catch("2026-05-01", "Karp", 45),
                                       Catch("2026-05-01", "Karp", 35, 0),
                                       Catch("2025-05-01", "Karp", 30),
                                       Catch("2026-08-01", "Ukleja", 10),
                                       Catch("2026-08-01", "ukleja", 10),
                                       Catch("2026-08-01", "Węgorz", 30),
                                       Catch("2026-08-01", "Węgorz", 70),
                                       Catch("2026-08-01", "Węgorz", 80),
                                       Catch("2026-08-01", "Nieznana", 1),
                                       Catch("nie data", "Szczupak", 10),
                                       Catch("nie data", "Szczupak", 10)};
        const CatchRules rules(ProtectionRule::ReadSpecies(&m_db->connection), permit);
        const std::vector<QStringList> judged = rules.Judge(diary);
        rules.Mark(diary);
        int warned = 0;
        for (size_t i = 0; i < diary.size(); ++i) {
            QCOMPARE(diary[i].Warning(), judged[i].join(QStringLiteral("; ")));
            QCOMPARE(diary[i].BreaksRules(), !judged[i].isEmpty());
            warned += judged[i].size() > 1 ? 1 : 0;
        }
        QVERIFY(warned >= 3);
    }

    void theRegistersTotalsAreTheDiarysKeptCatches()
    {
        UpgradeDiarySchema(m_db->connection);
        QString sql = "begin;";
        const QStringList species{"Szczupak", "okoń", "Okoń ", "Leszcz"};
        const QStringList places{"Jezioro Łańskie", "jezioro łańskie", "Wisła", ""};
        for (int i = 0; i < 120; ++i)
            sql += QStringLiteral("insert into dziennik values ('%1','%2',%3,40,'%4','','','','','',%5,NULL);")
                       .arg(QDate(2025, 11, 1).addDays(i * 3).toString(Qt::ISODate), species[i % 4])
                       .arg(0.25 * (i % 9))
                       .arg(places[i % 4])
                       .arg(i % 5 ? 1 : 0);
        sql += "insert into dziennik values ('2026-03-01','',0,0,'Wisła','','','','','',1,NULL);";
        QVERIFY(m_db->exec(sql + "commit;"));
        Waters::Write(m_db->connection, {{"Jezioro Łańskie", "12", {}}});

        const CatchRegister reg =
            CatchRegister::Build(CatchLog::ReadRecords(m_db->connection), Waters::Read(m_db->connection), 2026);
        const QString kept = "from dziennik where zabrana=1 and gatunek<>'' and data like '2026-%'";
        QCOMPARE(QString::number(reg.count), m_db->column("select count(*) " + kept).value(0));
        QCOMPARE(reg.weight, m_db->column("select total(waga) " + kept).value(0).toDouble());
        int speciesCount = 0, waterCount = 0;
        double speciesWeight = 0;
        for (const auto &t : reg.bySpecies)
            speciesCount += t.count, speciesWeight += t.weight;
        for (const auto &t : reg.byWater)
            waterCount += t.count;
        QCOMPARE(speciesCount, reg.count);
        QCOMPARE(waterCount, reg.count);
        QCOMPARE(speciesWeight, reg.weight);
        // Letter case and blanks do not split a species or a water; the number is found.
        QCOMPARE(reg.bySpecies.size(), size_t(3));
        QCOMPARE(reg.byWater.size(), size_t(3));
        QCOMPARE(reg.byWater[1].name.toCaseFolded(), QStringLiteral("jezioro łańskie"));
        QCOMPARE(reg.byWater[1].number, QStringLiteral("12"));
        QVERIFY(std::is_sorted(reg.lines.begin(), reg.lines.end(),
                               [](const auto &a, const auto &b) { return a.day < b.day; }));
        QVERIFY(reg.Unfinished(QDate(2026, 12, 31)));
        QVERIFY(!reg.Unfinished(QDate(2027, 1, 1)));
        QVERIFY(reg.Csv().endsWith(
            QStringLiteral("Razem 2026;;;;%1;%2\r\n").arg(reg.count).arg(CatchLog::NumberText(reg.weight)).toUtf8()));
    }

    // A fish nobody weighed or measured is counted, adds no weight, and its line, the
    // totals and the CSV show a blank rather than a weighed 0.
    void anUnweighedCatchIsCountedWithABlankWeight()
    {
        UpgradeDiarySchema(m_db->connection);
        QVERIFY(m_db->exec("insert into dziennik (data,gatunek,waga,dlugosc,miejsce) values "
                           "('2026-05-02','Karp',NULL,NULL,'Staw');"));
        const std::vector<CatchRecord> records = CatchLog::ReadRecords(m_db->connection);
        QCOMPARE(records.size(), size_t(1));
        QCOMPARE(CatchLog::ColumnText(records[0], CatchLog::Weight), QString());
        QCOMPARE(CatchLog::ColumnText(records[0], CatchLog::Length), QString());
        const CatchRegister reg = CatchRegister::Build(records, {}, 2026);
        QCOMPARE(reg.count, 1);
        const QString csv = QString::fromUtf8(reg.Csv());
        QVERIFY2(csv.contains(QStringLiteral("2026-05-02;Staw;;Karp;1;\r\n")), qPrintable(csv));
        QVERIFY2(csv.endsWith(QStringLiteral("Razem 2026;;;;1;\r\n")), qPrintable(csv));
    }

    // A long diary is read, keyed and judged in one walk; it must come out as the same
    // catches read plainly and judged whole. Row ids with wide gaps, names in the old
    // code page, names written two ways, days of many eels, a day written both with and
    // without a time of day, days that are no dates, and more distinct notes than a
    // reading shares.
    void aLongDiaryIsJudgedAsItIsRead()
    {
        UpgradeDiarySchema(m_db->connection);
        QVERIFY(m_db->exec(
            "with recursive n(i) as (select 0 union all select i + 1 from n where i < 19999) "
            "insert into dziennik (rowid,data,gatunek,waga,dlugosc,miejsce,przyneta,opis,zabrana) "
            "select case when i < 15000 then i + 1 else 15000 + i * 97 end, "
            "case when i % 1000 = 998 then '' when i % 1000 = 999 then 'nie data' "
            "when i % 97 = 50 then date('2024-01-01', '+' || (i / 40) || ' days') || ' 06:30' "
            "else date('2024-01-01', '+' || (i / 40) || ' days') end, "
            "case i % 5 when 0 then 'Węgorz' when 1 then cast(x'57EA676F727A' as text) when 2 then 'Szczupak' "
            "when 3 then ' szczupak' else 'Okoń' end, (i % 13) / 4.0, 30 + i % 30, 'Staw ' || (i % 17), "
            "case when i % 3 then 'rosówka' else '' end, case when i % 3 = 0 then 'nota ' || i else '' end, "
            "i % 7 <> 0 from n"));
        Permit permit;
        permit.dailyKg = 20;
        permit.species = {{"Okoń", 0, 0, 0, 3}};
        const CatchRules rules(ProtectionRule::ReadSpecies(&m_db->connection), permit);

        CatchLog read;
        read.Load(m_db->connection, &rules);
        // A condition makes the reading plain.
        std::vector<CatchRecord> whole = CatchLog::ReadRecords(m_db->connection, "1");
        rules.Mark(whole);
        CatchLog judged;
        judged.SetRecords(whole);

        const std::vector<CatchRecord> &a = read.Records(), &b = judged.Records();
        QCOMPARE(a.size(), size_t(20000));
        QCOMPARE(a.size(), b.size());
        int warned = 0;
        for (size_t i = 0; i < a.size(); ++i) {
            const auto same =
                std::tie(a[i].rowId, a[i].day, a[i].species, a[i].weight, a[i].length, a[i].place, a[i].bait,
                         a[i].notes, a[i].kept, a[i].month, a[i].speciesKey, a[i].placeKey, a[i].baitKey) ==
                std::tie(b[i].rowId, b[i].day, b[i].species, b[i].weight, b[i].length, b[i].place, b[i].bait,
                         b[i].notes, b[i].kept, b[i].month, b[i].speciesKey, b[i].placeKey, b[i].baitKey);
            QVERIFY2(same, qPrintable(QString::number(i)));
            QCOMPARE(a[i].Warning(), b[i].Warning());
            warned += a[i].BreaksRules();
        }
        QCOMPARE(a.back().rowId, qint64(15000 + 19999 * 97));
        QCOMPARE(a[1].species, QStringLiteral("Węgorz"));
        QVERIFY(warned > 1000);
        QCOMPARE(read.Shown(), judged.Shown());
        QCOMPARE(read.Days(), judged.Days());
        QVERIFY(std::adjacent_find(read.Days().begin(), read.Days().end(), std::greater_equal<QString>()) ==
                read.Days().end());
        const QStringList notes = m_db->column("select opis from dziennik order by rowid");
        for (size_t i = 0; i < a.size(); ++i)
            QCOMPARE(a[i].notes, notes[qsizetype(i)]);
        QCOMPARE(read.SpeciesNames(), (QStringList{"Okoń", "Szczupak", "Węgorz"}));

        // A diary that cannot be read leaves the log empty, not half of it.
        QVERIFY(m_db->exec("alter table dziennik rename to stary"));
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, read.Load(m_db->connection, &rules));
        QVERIFY(read.Records().empty() && read.Shown().empty() && read.Days().isEmpty());
        QVERIFY(m_db->exec("alter table stary rename to dziennik"));

        // So does a file damaged in the middle of the diary, which stops the engine
        // halfway: the reading ends with the engine's error.
        m_db->connection.SetConnected(false);
        {
            QFile file(m_db->dir.dbPath());
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.seek(file.size() / 2 / 4096 * 4096));
            QCOMPARE(file.write(QByteArray(3 * 4096, '\xA5')), 3 * 4096);
        }
        m_db->connection.SetConnected(true);
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, read.Load(m_db->connection, &rules));
        QVERIFY(read.Records().empty() && read.Shown().empty());
    }

private:
    std::unique_ptr<ConnectedDatabase> m_db;
};

QTEST_GUILESS_MAIN(TestCatchRules)
#include "TestCatchRules.moc"
