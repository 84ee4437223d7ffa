#include "diary/CalendarStatements.h"
#include "data/RowStatements.h"
#include "support/TestSupport.h"

#include <sqlite3.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using TestSupport::ExecSql;
using TestSupport::QueryColumn;

namespace {

QStringList ShippedSql()
{
    const QString dir = TestSupport::SourceDir() + QStringLiteral("/content/sql/");
    return {dir + QStringLiteral("schema.sql"), dir + QStringLiteral("ryby.sql"), dir + QStringLiteral("porady.sql"),
            dir + QStringLiteral("przepisy.sql")};
}

int RunBuilder(const QString &db, const QStringList &sqlFiles)
{
    QProcess builder;
    builder.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    builder.start(QStringLiteral(RYBOWID_DBBUILD), QStringList{db} + sqlFiles);
    if (!builder.waitForFinished(60000) || builder.exitStatus() != QProcess::NormalExit)
        return -1;
    return builder.exitCode();
}

QString Count(const QString &db, const QString &table)
{
    return QueryColumn(db, QStringLiteral("SELECT count(*) FROM ") + table).value(0);
}

QStringList Diary(const QString &db)
{
    return QueryColumn(db, QStringLiteral("SELECT data || '|' || gatunek || '|' || waga || '|' || opis FROM dziennik"));
}

const QString CatchRow = QStringLiteral(
    "INSERT INTO dziennik (data, gatunek, waga, dlugosc, miejsce, przyneta, wiatr, faza_ksiezyca, opis, foto) "
    "VALUES ('2005-01-24', 'Szczupak', 3.5, 71, 'Jezioro', 'żywiec', 'S', 'pełnia', 'pierwszy w roku', '');");

// The plan lines the engine gives for a statement.
QStringList QueryPlan(const QString &db, const QString &statement)
{
    sqlite3 *handle = nullptr;
    sqlite3_open(QFile::encodeName(db).constData(), &handle);
    sqlite3_stmt *plan = nullptr;
    QStringList lines;
    if (sqlite3_prepare_v2(handle, ("EXPLAIN QUERY PLAN " + statement).toUtf8().constData(), -1, &plan, nullptr) ==
        SQLITE_OK) {
        while (sqlite3_step(plan) == SQLITE_ROW)
            lines << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(plan, 3)));
    }
    sqlite3_finalize(plan);
    sqlite3_close(handle);
    return lines;
}

} // namespace

class DatabaseBuildTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_db = m_dir->filePath(QStringLiteral("wedkarz.db"));
    }

    void rebuildKeepsTheDiaryAndDoesNotDoubleTheSuppliedTables()
    {
        QCOMPARE(RunBuilder(m_db, ShippedSql()), 0);
        const QString species = Count(m_db, QStringLiteral("ryby"));
        const QString tips = Count(m_db, QStringLiteral("porady"));
        const QString questions = Count(m_db, QStringLiteral("przepisy"));
        QVERIFY(species.toInt() > 0);
        QVERIFY(tips.toInt() > 0);
        QVERIFY(questions.toInt() > 0);
        QVERIFY(ExecSql(m_db, CatchRow));

        QCOMPARE(RunBuilder(m_db, ShippedSql()), 0);
        QCOMPARE(RunBuilder(m_db, ShippedSql()), 0);

        QCOMPARE(Diary(m_db), QStringList{QStringLiteral("2005-01-24|Szczupak|3.5|pierwszy w roku")});
        QCOMPARE(Count(m_db, QStringLiteral("ryby")), species);
        QCOMPARE(Count(m_db, QStringLiteral("porady")), tips);
        QCOMPARE(Count(m_db, QStringLiteral("przepisy")), questions);
        // The encyclopedia lists rows by rowid, so a refresh must restart them in seed order.
        QCOMPARE(QueryColumn(m_db, QStringLiteral("SELECT min(rowid) || '-' || max(rowid) FROM ryby")).value(0),
                 QStringLiteral("1-") + species);
    }

    void failingSeedLeavesTheDatabaseAsItWas()
    {
        QCOMPARE(RunBuilder(m_db, ShippedSql()), 0);
        QVERIFY(ExecSql(m_db, CatchRow));
        const QString species = Count(m_db, QStringLiteral("ryby"));

        const QString broken = m_dir->filePath(QStringLiteral("broken.sql"));
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("INSERT INTO ryby (nazwa) VALUES ('Sum');\nINSERT INTO nieistniejaca VALUES (1);\n");
        file.close();

        QVERIFY(RunBuilder(m_db, {ShippedSql().first(), broken}) > 0);
        QCOMPARE(Count(m_db, QStringLiteral("ryby")), species);
        QCOMPARE(Diary(m_db).size(), 1);
    }

    void suppliedTableOfAnOlderLayoutIsReplaced()
    {
        QVERIFY(ExecSql(m_db, QStringLiteral("CREATE TABLE porady (tekst memo);"
                                             "INSERT INTO porady VALUES ('stara porada');"
                                             "CREATE TABLE dziennik (data date, gatunek varchar(255), waga float, "
                                             "dlugosc float, miejsce varchar(255), przyneta varchar(255), "
                                             "wiatr varchar(255), faza_ksiezyca varchar(255), opis memo, "
                                             "foto varchar(255));") +
                                  CatchRow));

        QCOMPARE(RunBuilder(m_db, ShippedSql()), 0);
        QVERIFY(Count(m_db, QStringLiteral("porady")).toInt() >= 40);
        QCOMPARE(Diary(m_db).size(), 1);

        // The diary of a file built before the index gets it, and the day's rows and the
        // month's marks are then found through it rather than by reading the whole diary.
        const TDateTime day = EncodeDate(2005, 1, 24);
        const QString dayRows =
            TableSelectStatement(QStringLiteral("dziennik"), CalendarStatements::DayFilter(day), 0, 0);
        const QString monthMarks = CalendarStatements::AssignedDays(EncodeDate(2005, 1, 1));
        for (const QString &statement : {dayRows, monthMarks}) {
            const QStringList plan = QueryPlan(m_db, statement);
            QVERIFY2(plan.size() == 1 && plan.first().startsWith(QStringLiteral("SEARCH dziennik USING")) &&
                         plan.first().contains(QStringLiteral("INDEX dziennik_data (data")),
                     qPrintable(plan.join(QLatin1Char('\n'))));
        }
    }

    void missingSqlFileChangesNothing()
    {
        QCOMPARE(RunBuilder(m_db, {ShippedSql().first(), m_dir->filePath(QStringLiteral("brak.sql"))}), 1);
        QVERIFY(!QFile::exists(m_db));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_db;
};

QTEST_GUILESS_MAIN(DatabaseBuildTest)
#include "DatabaseBuildTest.moc"
