#include "data/DataTestSupport.h"

#include "base/Exception.h"
#include "data/TField.h"
#include "diary/DayDiary.h"
#include "diary/DiarySchema.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <memory>

namespace {
const QDate Day(2005, 1, 24);
const QDate OtherDay(2005, 1, 25);
} // namespace

class TestDayDiary : public QObject
{
    Q_OBJECT

    std::unique_ptr<ConnectedDatabase> m_db;
    std::unique_ptr<DayDiary> m_diary;

    TDbTable *table() const { return m_diary->Table(); }
    QStringList stored(const QString &columns) const
    {
        return m_db->column(QStringLiteral("select %1 from dziennik order by rowid").arg(columns));
    }
    void typeRow(const QString &species, const QString &weight = {})
    {
        table()->Insert();
        table()->FieldByName(QStringLiteral("gatunek"))->SetAsString(species);
        if (!weight.isEmpty())
            table()->FieldByName(QStringLiteral("waga"))->SetAsString(weight);
        table()->Post();
    }

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<ConnectedDatabase>();
        UpgradeDiarySchema(m_db->connection);
        OverrideExecutableFolder(m_db->dir.path());
        m_diary = std::make_unique<DayDiary>(&m_db->connection, nullptr);
        m_diary->MoonPhaseOf = [](QDate day, QTime hour) -> QString {
            return QStringLiteral("pełnia %1").arg(day.day()) + (hour.isValid() ? hour.toString(" HH:mm") : QString());
        };
        QVERIFY(DayDiary::DayFolder(Day).startsWith(m_db->dir.path()));
    }
    void cleanup()
    {
        m_diary.reset();
        m_db.reset();
    }

    // The rows this session started and nobody named go when the day is left; rows of
    // the file from before, named rows and other days stay, and the row the angler
    // stood on is still the current one.
    void rowsStartedAndLeftUnnamedAreDropped()
    {
        QVERIFY(m_db->exec("insert into dziennik (data,gatunek,waga,dlugosc) values ('2005-01-24','',2.5,0),"
                           "('2005-01-25','',0,0);"));
        QVERIFY(m_diary->Show(Day));
        m_diary->AddFirstRow(Day);
        m_diary->AddFirstRow(Day);
        QVERIFY(m_diary->Show(Day));
        QCOMPARE(table()->GetRecordCount(), 3);
        typeRow(QStringLiteral("Lin"));
        typeRow(QString());
        const qint64 lin = m_db->column("select rowid from dziennik where gatunek='Lin'").value(0).toLongLong();
        QVERIFY(m_diary->SelectRow(lin));
        // Started rows carry the day, its moon phase and count as kept.
        QCOMPARE(m_db->column("select data||'|'||faza_ksiezyca||'|'||zabrana from dziennik where rowid>2"),
                 (QStringList{"2005-01-24|pełnia 24|1", "2005-01-24|pełnia 24|1", "2005-01-24|pełnia 24|1",
                              "2005-01-24|pełnia 24|1"}));

        QVERIFY(QDir().mkpath(DayDiary::DayFolder(Day)));
        QVERIFY(m_diary->DropUnfilledRows());
        QCOMPARE(stored("data||'|'||gatunek||'|'||ifnull(waga,'')"),
                 (QStringList{"2005-01-24||2.5", "2005-01-25||0.0", "2005-01-24|Lin|"}));
        QCOMPARE(table()->GetRecordCount(), 2);
        QCOMPARE(table()->RowId(), lin);
        QVERIFY(QDir(DayDiary::DayFolder(Day)).exists());
        QVERIFY(!m_diary->DropUnfilledRows());

        // A day left with no rows at all keeps no empty photo folder.
        const QDate empty(2005, 1, 27);
        QVERIFY(m_diary->Show(empty));
        m_diary->AddFirstRow(empty);
        QVERIFY(QDir().mkpath(DayDiary::DayFolder(empty)));
        QVERIFY(m_diary->Show(empty));
        QVERIFY(m_diary->DropUnfilledRows());
        QVERIFY(table()->IsEmpty());
        QVERIFY(!QDir(DayDiary::DayFolder(empty)).exists());

        // A restored file: row ids of this session no longer mean anything.
        m_diary->AddFirstRow(empty);
        m_diary->ForgetStartedRows();
        QVERIFY(m_diary->Show(empty));
        QVERIFY(!m_diary->DropUnfilledRows());
        QCOMPARE(table()->GetRecordCount(), 1);
    }

    // Weight, length and hour are checked when the angler writes them; what the file
    // holds is kept as it is, and a cleared number becomes an unmeasured 0.
    void writtenNumbersAreCheckedStoredOnesKept()
    {
        QVERIFY(m_db->exec("insert into dziennik (data,gatunek,waga,dlugosc) values ('2005-01-24','Sum',900,0);"));
        QVERIFY(m_diary->Show(Day));
        table()->Edit();
        table()->FieldByName(QStringLiteral("gatunek"))->SetAsString(QStringLiteral("Sum olbrzym"));
        table()->Post();
        QCOMPARE(stored("gatunek||'|'||waga"), QStringList{"Sum olbrzym|900.0"});

        for (const auto &[column, value] : {std::pair{"waga", "401"}, std::pair{"dlugosc", "-3"}}) {
            table()->Edit();
            table()->FieldByName(QLatin1String(column))->SetAsString(QLatin1String(value));
            bool refused = false;
            try {
                table()->Post();
            } catch (const Exception &e) {
                refused = e.Message().contains(QStringLiteral("musi być większa od 0"));
            }
            QVERIFY2(refused, column);
            table()->Cancel();
        }
        table()->Edit();
        table()->FieldByName(QStringLiteral("waga"))->Clear();
        table()->FieldByName(QStringLiteral("dlugosc"))->SetAsString(QStringLiteral("112"));
        table()->Post();
        QCOMPARE(stored("gatunek||'|'||ifnull(waga,'')||'|'||dlugosc"), QStringList{"Sum olbrzym||112.0"});
        // A day with unmeasured fish reads, shows them blank, and a catch needs a species.
        QVERIFY(m_diary->Show(Day));
        QCOMPARE(table()->FieldByName(QStringLiteral("waga"))->AsString(), QString());
        table()->Edit();
        table()->FieldByName(QStringLiteral("gatunek"))->SetAsString(QStringLiteral(" "));
        QVERIFY_THROWS_EXCEPTION(Exception, table()->Post());
        QCOMPARE(table()->FieldByName(QStringLiteral("dlugosc"))->AsFloat(), 112.0);
        table()->Cancel();

        // An hour is stored as hh:mm, and one that is no time of day is refused; a stored
        // catch keeps its moon phase, a new one takes the phase of its hour unless the
        // angler wrote one.
        auto writeHour = [this](const QString &hour, const QString &phase = {}) {
            table()->FieldByName(QStringLiteral("godzina"))->SetAsString(hour);
            if (!phase.isEmpty())
                table()->FieldByName(QStringLiteral("faza_ksiezyca"))->SetAsString(phase);
            table()->Post();
        };
        table()->Edit();
        QVERIFY_THROWS_EXCEPTION(Exception, writeHour(QStringLiteral("24:10")));
        table()->Cancel();
        table()->Edit();
        writeHour(QStringLiteral(" 5.10"));
        for (const auto &[hour, phase] : {std::pair{"0710", ""}, std::pair{"21", "nów"}}) {
            table()->Insert();
            table()->FieldByName(QStringLiteral("gatunek"))->SetAsString(QStringLiteral("Lin"));
            writeHour(QLatin1String(hour), QString::fromUtf8(phase));
        }
        QCOMPARE(stored("ifnull(godzina,'-')||'|'||ifnull(faza_ksiezyca,'-')"),
                 (QStringList{"05:10|", "07:10|pełnia 24 07:10", "21:00|nów"}));
        table()->Edit();
        writeHour(QString());
        QCOMPARE(stored("ifnull(nullif(godzina,''),'-')").last(), QStringLiteral("-"));
    }

    // Clearing a day takes its rows and photos; deleting a catch takes that row alone,
    // whatever twin it has.
    void daysAndCatchesAreDeleted()
    {
        QVERIFY(m_db->exec("insert into dziennik (data,gatunek,waga,dlugosc,miejsce) values "
                           "('2005-01-24','Lin',1,30,'\"Staw\"'),('2005-01-24','Lin',1,30,'\"Staw\"'),"
                           "('2005-01-25','Okoń',0.2,20,'');"));
        const QString folder = DayDiary::DayFolder(Day);
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/inne")));
        QFile photo(folder + QStringLiteral("/lin.jpg"));
        QVERIFY(photo.open(QIODevice::WriteOnly) && photo.write("x") == 1);
        photo.close();

        const qint64 first = m_db->column("select min(rowid) from dziennik").value(0).toLongLong();
        m_diary->DeleteCatch(first);
        QCOMPARE(stored("data||gatunek"), (QStringList{"2005-01-24Lin", "2005-01-25Okoń"}));
        m_diary->DeleteDay(Day);
        QCOMPARE(stored("data||gatunek"), QStringList{"2005-01-25Okoń"});
        QVERIFY(!QFile::exists(folder));
    }

    // A day that cannot be read is said once for the two notifications of a click, and
    // leaves the table closed; another day is said again.
    void anUnreadableDayIsToldOnce()
    {
        QVERIFY(m_db->exec("alter table dziennik rename to dziennik_stary;"));
        QVERIFY_THROWS_EXCEPTION(std::exception, m_diary->Show(Day));
        QVERIFY(!table()->Active());
        QVERIFY(!m_diary->Show(Day));
        QCOMPARE(m_diary->Day(), Day);
        QVERIFY_THROWS_EXCEPTION(std::exception, m_diary->Show(OtherDay));
        QVERIFY(!m_diary->DropUnfilledRows());
    }
};

QTEST_GUILESS_MAIN(TestDayDiary)
#include "TestDayDiary.moc"
