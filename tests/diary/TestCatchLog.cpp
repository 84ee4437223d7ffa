#include "data/DataTestSupport.h"

#include "diary/CatchLog.h"
#include "diary/CatchLogCsv.h"
#include "diary/CatchLogStats.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <csignal>
#include <numeric>
#include <sys/resource.h>

namespace {
// A few seasons of one angler: two catches on 10 April, one of them a pike whose weight
// was typed a decimal place off, a weight stored as text with a comma, and the empty
// row ticking "Złowione ryby" leaves.
const char *const Diary = R"(
insert into dziennik values ('2005-04-10','Szczupak',4.2,78,'Jezioro Łańskie','wobler','SW','pełnia','duży, wieczorem','a.jpg');
insert into dziennik values ('2005-04-22','szczupak ',2.1,62,'Zalew Zegrzyński','guma','','','','');
insert into dziennik values ('2005-06-01','Okoń','0,35',28,'jezioro łańskie','Guma','','','rano','');
insert into dziennik values ('2005-04-05','Sandacz',3.0,70,'Wisła','Wobler','','','z łodzi; dryf','');
insert into dziennik values ('2004-12-30','Leszcz',1.5,45,'Wisła','','','','cytat "duży"
drugi wiersz','');
insert into dziennik values ('2005-01-24','',0.0,0.0,'','','','','','');
insert into dziennik values ('2005-04-10','Szczupak',35.0,75,'Jezioro Łańskie','wobler','','','','');
)";

QStringList Days(const CatchLog &log)
{
    QStringList days;
    for (int row = 0; row < int(log.Shown().size()); ++row)
        days << QStringLiteral("%1 %2").arg(log.ShownAt(row).day, log.ShownAt(row).species.trimmed());
    return days;
}

// Splits CSV text the way a spreadsheet reads it: ";" between fields, quoted fields may
// hold ";", doubled quotes and line breaks.
QList<QStringList> ParseCsv(const QString &text)
{
    QList<QStringList> rows(1);
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"'))
                field += text.at(++i);
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                field += c;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(';')) {
            rows.last() << std::exchange(field, {});
        } else if (c == QLatin1Char('\r') && text.mid(i, 2) == QLatin1String("\r\n")) {
            rows.last() << std::exchange(field, {});
            rows.append(QStringList());
            ++i;
        } else {
            field += c;
        }
    }
    rows.removeLast();
    return rows;
}
} // namespace

class TestCatchLog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<ConnectedDatabase>();
        QVERIFY(m_db->exec(QString::fromUtf8(Diary)));
        m_log = CatchLog();
        m_log.Load(m_db->connection);
        m_log.Apply({});
    }

    void readsEveryCatchInDayOrder()
    {
        QCOMPARE(m_log.Records().size(), size_t(7));
        QCOMPARE(Days(m_log),
                 QStringList({"2004-12-30 Leszcz", "2005-01-24 ", "2005-04-05 Sandacz", "2005-04-10 Szczupak",
                              "2005-04-10 Szczupak", "2005-04-22 szczupak", "2005-06-01 Okoń"}));
        QCOMPARE(m_log.ShownAt(3).weight, 4.2);
        QCOMPARE(m_log.ShownAt(6).weight, 0.35);
        QCOMPARE(m_log.SpeciesNames(), QStringList({"Leszcz", "Okoń", "Sandacz", "Szczupak"}));
    }

    // Texts are decoded once per distinct stored form and shared by the rows that repeat
    // them; a text an older program stored in Windows-1250 reads as Polish all the same.
    void repeatedAndOldCodePageTextsReadAsStored()
    {
        QVERIFY(m_db->exec(QStringLiteral("delete from dziennik;"
                                          "insert into dziennik values ('2006-07-01',cast(x'57EA676F727A' as text),"
                                          "1,60,cast(x'A36F7769736B6F' as text),'','','',cast(x'BFF3B377' as text),'');"
                                          "insert into dziennik values ('2006-07-01','Węgorz',1,60,'Łowisko','','','',"
                                          "'żółw','');"
                                          "insert into dziennik values ('2006-07-02','Okoń',1,20,'Łowisko','','','',"
                                          "'','');"
                                          "insert into dziennik values ('2006-13-02','Węgorz',1,20,'','','','',"
                                          "cast(x'BFF3B377' as text),'');")));
        m_log.Load(m_db->connection);
        const std::vector<CatchRecord> &records = m_log.Records();
        QCOMPARE(records.size(), size_t(4));
        for (const size_t i : {0, 1, 3}) {
            QCOMPARE(records[i].species, QStringLiteral("Węgorz"));
            QCOMPARE(records[i].notes, QStringLiteral("żółw"));
        }
        QCOMPARE(records[0].place, QStringLiteral("Łowisko"));
        QCOMPARE(records[2].species, QStringLiteral("Okoń"));
        QCOMPARE(records[2].notes, QString());
        QCOMPARE(records[0].speciesKey, records[3].speciesKey);
        QCOMPARE(records[0].month, 7);
        QCOMPARE(records[3].month, 0);
    }

    // Stored texts are told apart by their bytes, read a few at a time: texts of every
    // length that differ in one byte, wherever it is, are different names, and a text
    // met again takes the key it was given first.
    void textsDifferingInOneByteAreToldApart()
    {
        QStringList places;
        for (int size = 1; size <= 40; ++size) {
            const QString plain(size, QLatin1Char('a'));
            places << plain;
            for (int at = 0; at < size; ++at)
                places << QString(plain).replace(at, 1, QLatin1Char('b'));
        }
        QString sql = QStringLiteral("begin; delete from dziennik;");
        for (int round = 0; round < 2; ++round) {
            for (const QString &place : places)
                sql += QStringLiteral("insert into dziennik values ('2006-07-01','Karp',1,60,'%1','','','','','');")
                           .arg(place);
        }
        QVERIFY(m_db->exec(sql + QStringLiteral("commit;")));
        m_log.Load(m_db->connection);
        QCOMPARE(m_log.PlaceKeys(), places);
        const std::vector<CatchRecord> &records = m_log.Records();
        QCOMPARE(records.size(), size_t(2 * places.size()));
        for (size_t i = 0; i < records.size(); ++i) {
            QCOMPARE(records[i].place, places[qsizetype(i) % places.size()]);
            QCOMPARE(records[i].placeKey, int(i % size_t(places.size())));
        }
    }

    void eachFilterAndTheirCombination_data()
    {
        QTest::addColumn<CatchLogFilter>("filter");
        QTest::addColumn<QStringList>("days");
        auto f = [](auto set) {
            CatchLogFilter filter;
            set(filter);
            return filter;
        };
        QTest::newRow("species, any case and blanks")
            << f([](CatchLogFilter &x) { x.species = "SZCZUPAK"; })
            << QStringList{"2005-04-10 Szczupak", "2005-04-10 Szczupak", "2005-04-22 szczupak"};
        QTest::newRow("date range, bounds included")
            << f([](CatchLogFilter &x) { x.from = "2005-01-24", x.to = "2005-04-05"; })
            << QStringList{"2005-01-24 ", "2005-04-05 Sandacz"};
        QTest::newRow("place part, Polish letters in any case")
            << f([](CatchLogFilter &x) { x.place = "ŁAŃSK"; })
            << QStringList{"2005-04-10 Szczupak", "2005-04-10 Szczupak", "2005-06-01 Okoń"};
        QTest::newRow("bait part") << f([](CatchLogFilter &x) { x.bait = "wob"; })
                                   << QStringList{"2005-04-05 Sandacz", "2005-04-10 Szczupak", "2005-04-10 Szczupak"};
        QTest::newRow("notes across a line break")
            << f([](CatchLogFilter &x) { x.notes = "drugi"; }) << QStringList{"2004-12-30 Leszcz"};
        QTest::newRow("minimum weight, bound included")
            << f([](CatchLogFilter &x) { x.minWeight = 3.0; })
            << QStringList{"2005-04-05 Sandacz", "2005-04-10 Szczupak", "2005-04-10 Szczupak"};
        QTest::newRow("minimum length") << f([](CatchLogFilter &x) { x.minLength = 75; })
                                        << QStringList{"2005-04-10 Szczupak", "2005-04-10 Szczupak"};
        QTest::newRow("pike over 70 cm on a lure in April") << f([](CatchLogFilter &x) {
            x.species = "szczupak", x.bait = "wobler", x.minLength = 70, x.from = "2005-04-01", x.to = "2005-04-30";
        }) << QStringList{"2005-04-10 Szczupak", "2005-04-10 Szczupak"};
        QTest::newRow("everything at once") << f([](CatchLogFilter &x) {
            x.species = "szczupak", x.bait = "wobler", x.minLength = 70, x.minWeight = 5, x.place = "łańskie",
            x.from = "2005-04-10", x.to = "2005-04-10";
        }) << QStringList{"2005-04-10 Szczupak"};
        QTest::newRow("nothing matches") << f([](CatchLogFilter &x) { x.species = "Sum"; }) << QStringList{};
    }

    void eachFilterAndTheirCombination()
    {
        QFETCH(CatchLogFilter, filter);
        QFETCH(QStringList, days);
        m_log.Apply(filter);
        QCOMPARE(Days(m_log), days);
        double weight = 0;
        for (int row = 0; row < int(m_log.Shown().size()); ++row)
            weight += m_log.ShownAt(row).weight;
        QCOMPARE(m_log.ShownWeight(), weight);
    }

    // The notes are folded when a filter first looks into them; a diary read again, with
    // the filter still set, must be searched in its own notes, not the ones read before.
    void theNotesFilterSearchesTheDiaryReadLast()
    {
        CatchLogFilter byNotes;
        byNotes.notes = QStringLiteral("ŁÓDŹ");
        m_log.Apply(byNotes);
        QVERIFY(m_log.Shown().empty());
        QVERIFY(m_db->exec(QStringLiteral("update dziennik set opis = 'z łodzi' where data = '2005-06-01';"
                                          "update dziennik set opis = 'Łódź, rano' where data = '2005-04-05';")));
        m_log.Load(m_db->connection);
        QCOMPARE(Days(m_log), QStringList({"2005-04-05 Sandacz"}));
        byNotes.notes = QStringLiteral("ŁODZ");
        m_log.Apply(byNotes);
        QCOMPARE(Days(m_log), QStringList({"2005-06-01 Okoń"}));
    }

    void theFilterKeepsTheChosenOrder()
    {
        m_log.Sort(CatchLog::Species, Qt::AscendingOrder);
        QCOMPARE(Days(m_log).mid(0, 4),
                 QStringList({"2005-01-24 ", "2004-12-30 Leszcz", "2005-06-01 Okoń", "2005-04-05 Sandacz"}));
        m_log.Sort(CatchLog::Weight, Qt::DescendingOrder);
        CatchLogFilter over2;
        over2.minWeight = 2;
        m_log.Apply(over2);
        QCOMPARE(Days(m_log), QStringList({"2005-04-10 Szczupak", "2005-04-10 Szczupak", "2005-04-05 Sandacz",
                                           "2005-04-22 szczupak"}));
        QCOMPARE(m_log.ShownAt(0).weight, 35.0);

        // Records set anew are filtered and ordered at once: the same filter applied again
        // finds nothing to do and must not leave the rows of the old records shown.
        m_log.SetRecords({m_log.Records().begin(), m_log.Records().begin() + 2});
        m_log.Apply(over2);
        QCOMPARE(Days(m_log), QStringList({"2005-04-10 Szczupak", "2005-04-22 szczupak"}));
    }

    void statisticsOfAKnownDiary()
    {
        const CatchLogStats stats = CatchLogStats::Compute(m_log);
        QCOMPARE(stats.count, 7);
        QCOMPARE(CatchLog::NumberText(stats.totalWeight), QStringLiteral("46,15"));
        const std::array<int, 12> months{1, 0, 0, 4, 0, 1, 0, 0, 0, 0, 0, 1};
        QCOMPARE(stats.perMonth, months);
        auto summary = [](const std::vector<CatchGroup> &groups) {
            QStringList texts;
            for (const CatchGroup &g : groups)
                texts << QStringLiteral("%1 %2 %3 %4")
                             .arg(g.name)
                             .arg(g.count)
                             .arg(CatchLog::NumberText(g.weight), CatchLog::NumberText(g.heaviest));
            return texts;
        };
        QCOMPARE(summary(stats.species), QStringList({"Szczupak 3 41,3 35", "Sandacz 1 3 3", "Leszcz 1 1,5 1,5",
                                                      "Okoń 1 0,35 0,35", "(bez nazwy) 1 0 0"}));
        QCOMPARE(summary(stats.baits), QStringList({"wobler 3 42,2 35", "guma 2 2,45 2,1"}));
        QCOMPARE(summary(stats.places),
                 QStringList({"Jezioro Łańskie 3 39,55 35", "Wisła 2 4,5 3", "Zalew Zegrzyński 1 2,1 2,1"}));
        // The empty row has nothing to plot; the typo stands apart from the rest.
        QCOMPARE(stats.lengthWeight.size(), size_t(6));
        QVERIFY(std::count(stats.lengthWeight.begin(), stats.lengthWeight.end(), QPointF(75, 35)) == 1);
    }

    void aLongDiaryPlotsFewPointsButKeepsTheOddOne()
    {
        std::vector<CatchRecord> records(20000);
        for (size_t i = 0; i < records.size(); ++i)
            records[i].length = 40 + double(i % 50) / 10, records[i].weight = 0.8 + double(i % 7) / 100;
        records.back().length = 41, records.back().weight = 9.5;
        m_log.SetRecords(records);
        const CatchLogStats stats = CatchLogStats::Compute(m_log);
        QVERIFY2(stats.lengthWeight.size() < 400, qPrintable(QString::number(stats.lengthWeight.size())));
        QVERIFY(std::count(stats.lengthWeight.begin(), stats.lengthWeight.end(), QPointF(41, 9.5)) == 1);
    }

    void csvReadsBackAsTheShownRows()
    {
        CatchLogFilter filter;
        filter.place = "i"; // all but the empty row
        m_log.Apply(filter);
        const QString path = m_db->dir.path() + QStringLiteral("połowy.csv");
        QString error;
        QVERIFY2(CatchLogCsv::Write(path, m_log.Records(), m_log.Shown(), &error), qPrintable(error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QList<QStringList> rows = ParseCsv(QString::fromUtf8(bytes.mid(3)));
        QCOMPARE(rows.size(), 1 + 6);
        QCOMPARE(rows[0], QStringList({"Dzień", "Godzina", "Gatunek", "Waga (kg)", "Długość (cm)", "Miejsce", "Przynęta", "Wiatr",
                                       "Faza księżyca", "Opis", "Zabrana", "Naruszone przepisy"}));
        QCOMPARE(rows[1], QStringList({"2004-12-30", "", "Leszcz", "1,5", "45", "Wisła", "", "", "",
                                       "cytat \"duży\"\ndrugi wiersz", "tak", ""}));
        QCOMPARE(rows[2][9], QStringLiteral("z łodzi; dryf"));
        for (int row = 1; row < rows.size(); ++row) {
            const CatchRecord &record = m_log.ShownAt(row - 1);
            QCOMPARE(rows[row].size(), int(CatchLog::ColumnCount));
            QCOMPARE(rows[row][0], record.day);
            QCOMPARE(rows[row][1], record.hour);
            QCOMPARE(rows[row][2], record.species);
            QCOMPARE(QString(rows[row][3]).replace(',', '.').toDouble(), record.weight);
            QCOMPARE(QString(rows[row][4]).replace(',', '.').toDouble(), record.length);
            QCOMPARE(rows[row][5], record.place);
        }
    }

    // Text a spreadsheet would run as a formula goes out as text; numbers stay numbers.
    void csvNeutralisesFormulas()
    {
        CatchRecord record;
        record.day = "2005-04-10";
        record.species = "=HYPERLINK(\"http://zly.example\")";
        record.place = "+48 600 100 200";
        record.bait = "-wobler";
        record.wind = "@SUMA(A1)";
        record.moon = "\tpełnia";
        record.notes = "\rnotatka";
        record.weight = -1.5;
        CatchRecord plain;
        plain.species = "-5";
        plain.place = "+3,5";
        plain.bait = "a=b";
        const QList<QStringList> rows = ParseCsv(QString::fromUtf8(CatchLogCsv::Text({record, plain}, {0, 1}).mid(3)));
        QCOMPARE(rows[1].mid(0, 10),
                 QStringList({"2005-04-10", "", "'=HYPERLINK(\"http://zly.example\")", "-1,5", "", "'+48 600 100 200",
                              "'-wobler", "'@SUMA(A1)", "'\tpełnia", "'\rnotatka"}));
        QCOMPARE(rows[2].mid(2, 1) + rows[2].mid(5, 2), QStringList({"-5", "+3,5", "a=b"}));
        // A spreadsheet looks for the sign after any white space, visible or not, and
        // takes the full-width signs too.
        for (const QString &text : QStringList{" =1+1", "\u00A0+A1", "\u200B-2+3", "\u3000@SUM(A1)", "\n=1",
                                               "\uFF1D1+1", "  \uFF0BA1", "\uFF0D1", "\uFF20A1"})
            QVERIFY2(CatchLogCsv::Field(text).remove(QLatin1Char('"')).startsWith(QLatin1Char('\'')), qPrintable(text));
    }

    // An old or restored file may hold numbers no catch has: they read as empty, so the
    // order, the total, the charts and the CSV stay sound.
    void nonFiniteNumbersReadAsEmpty()
    {
        QVERIFY(m_db->exec("insert into dziennik values ('2006-01-01','Karp','nan',40,'','','','','','');"
                           "insert into dziennik values ('2006-01-02','Karp',9e999,'inf','','','','','','');"
                           "insert into dziennik values ('2006-01-03','Karp',1e300,-9e999,'','','','','','');"
                           "insert into dziennik values ('2006-01-04','Karp','-inf','NaN','','','','','','');"));
        m_log.Load(m_db->connection);
        m_log.Sort(CatchLog::Weight, Qt::AscendingOrder);
        m_log.Apply({});
        for (int row = 1; row < int(m_log.Shown().size()); ++row)
            QVERIFY(m_log.ShownAt(row - 1).weight <= m_log.ShownAt(row).weight);
        QCOMPARE(CatchLog::NumberText(m_log.ShownWeight()), QStringLiteral("46,15"));
        const CatchLogStats stats = CatchLogStats::Compute(m_log);
        QCOMPARE(CatchLog::NumberText(stats.totalWeight), QStringLiteral("46,15"));
        for (const QPointF &point : stats.lengthWeight)
            QVERIFY(std::isfinite(point.x()) && std::isfinite(point.y()));
        const QString csv = QString::fromUtf8(CatchLogCsv::Text(m_log.Records(), m_log.Shown()));
        QVERIFY2(!csv.contains("nan", Qt::CaseInsensitive) && !csv.contains("inf") && !csv.contains("e+"),
                 qPrintable(csv));
    }

    // A disk that fills up midway: the export says so and leaves no cut file behind.
    void aFailedWriteIsReportedAndLeavesNoFile()
    {
        std::vector<CatchRecord> records(200000);
        for (CatchRecord &record : records)
            record.day = "2005-04-10", record.species = "Szczupak", record.notes = "ąęś żółć";
        std::vector<int> shown(records.size());
        std::iota(shown.begin(), shown.end(), 0);
        const QString path = m_db->dir.path() + QStringLiteral("pełny.csv");

        rlimit before{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = before;
        small.rlim_cur = 300 * 1024;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        QString error;
        const bool written = CatchLogCsv::Write(path, records, shown, &error);
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!written);
        QVERIFY2(error.startsWith("plik byłby większy"), qPrintable(error));
        QCOMPARE(QDir(m_db->dir.path()).entryList({"*.csv*"}, QDir::Files), QStringList{});
    }

private:
    std::unique_ptr<ConnectedDatabase> m_db;
    CatchLog m_log;
};

QTEST_GUILESS_MAIN(TestCatchLog)
#include "TestCatchLog.moc"
