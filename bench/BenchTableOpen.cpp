// Opening the diary table of 100,000 rows through TDbTable and reading every cell's
// display text, against a bare step loop over the same statement in the same engine
// (alone, and making a QString of every cell) and against Qt's own SQL module.

#include "BenchRatio.h"

#include "base/ProgramPaths.h"
#include "data/TDbConnection.h"
#include "data/TDbTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

namespace {
constexpr int DiaryRows = 100000;
const QString Statement = QStringLiteral("select *, rowid from dziennik\r\n");

struct Fixture
{
    int argc = 1;
    char name[16] = "BenchTableOpen";
    char *argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
    QTemporaryDir dir;
    TDbConnection connection;

    Fixture()
    {
        connection.SetDriverDLL(QStringLiteral(RYBOWID_RUNTIME_DIR) + QLatin1Char('/') + SqliteLibraryFileName());
        connection.SetDefaultDir(QDir::toNativeSeparators(dir.path()));
        connection.SetDatabase(QStringLiteral("wedkarz.db"));
        connection.SetConnected(true);
        connection.ExecStatement(QStringLiteral(
            "create table dziennik (data date, gatunek varchar(255), waga float, dlugosc float, miejsce "
            "varchar(255), przyneta varchar(255), wiatr varchar(255), faza_ksiezyca varchar(255), opis memo, foto "
            "varchar(255))"));
        connection.ExecStatement(
            QStringLiteral("insert into dziennik with recursive n(i) as (select 0 union all select i + 1 from n "
                           "where i < %1) select date('2005-01-01', '+' || (i % 700) || ' days'), "
                           "'Szczupak ' || (i % 37), (i % 90) / 10.0, 20 + i % 60, 'Jezioro Wigry', 'błystka', "
                           "'słaby z południa', 'pełnia', 'Złowiony o świcie przy trzcinach, numer ' || i, "
                           "'foto' || i || '.jpg' from n")
                .arg(DiaryRows - 1));
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_TDbTableOpen(benchmark::State &state)
{
    TDbTable table;
    table.SetConnection(&fixture().connection);
    table.TableName = QStringLiteral("dziennik");
    for (auto _ : state) {
        table.Open();
        qsizetype characters = 0;
        const int fields = table.FieldCount();
        for (int row = 0; row < table.GetRecordCount(); ++row) {
            for (int field = 0; field < fields; ++field)
                characters += table.DisplayText(row, field).size();
        }
        benchmark::DoNotOptimize(characters);
        table.Close();
    }
    state.counters["rows"] = DiaryRows;
}

void BM_TDbTableOpenOnly(benchmark::State &state)
{
    TDbTable table;
    table.SetConnection(&fixture().connection);
    table.TableName = QStringLiteral("dziennik");
    for (auto _ : state) {
        table.Open();
        benchmark::DoNotOptimize(table.GetRecordCount());
        table.Close();
    }
}

// A bare step loop over the statement that hands every cell's text and length to
// `cell`, which returns what it counts of it.
template <typename Cell> void StepLoop(benchmark::State &state, Cell cell)
{
    const SqliteApi &api = fixture().connection.Api();
    sqlite3 *db = fixture().connection.Handle();
    const QByteArray sql = Statement.toUtf8();
    for (auto _ : state) {
        sqlite3_stmt *stmt = nullptr;
        api.prepare(db, sql.constData(), -1, &stmt, nullptr);
        qsizetype counted = 0;
        int rows = 0;
        while (api.step(stmt) == SQLITE_ROW) {
            const int columns = api.column_count(stmt);
            for (int column = 0; column < columns; ++column) {
                const auto *text = reinterpret_cast<const char *>(api.column_text(stmt, column));
                counted += cell(text, api.column_bytes(stmt, column));
            }
            ++rows;
        }
        api.finalize(stmt);
        benchmark::DoNotOptimize(counted);
        if (rows != DiaryRows)
            state.SkipWithError("wrong row count");
    }
}

void BM_RawStep(benchmark::State &state)
{
    StepLoop(state, [](const char *text, int bytes) {
        benchmark::DoNotOptimize(text);
        return qsizetype(bytes);
    });
}

// The least any program must do to show the rows as text: step, and make a QString of
// every cell.
void BM_RawStepQString(benchmark::State &state)
{
    StepLoop(state, [](const char *text, int bytes) { return QString::fromUtf8(text, bytes).size(); });
}

void BM_QSqlQuery(benchmark::State &state)
{
    Fixture &f = fixture();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(f.dir.path() + QStringLiteral("/wedkarz.db"));
        if (!db.open()) {
            state.SkipWithError("QSQLITE cannot open the database");
            return;
        }
        for (auto _ : state) {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            query.exec(Statement);
            const int columns = query.record().count();
            qsizetype characters = 0;
            while (query.next()) {
                for (int column = 0; column < columns; ++column)
                    characters += query.value(column).toString().size();
            }
            benchmark::DoNotOptimize(characters);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
}
} // namespace

BENCHMARK(BM_TDbTableOpen)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_TDbTableOpenOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RawStep)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RawStepQString)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_QSqlQuery)->Unit(benchmark::kMillisecond)->MinTime(2.0);

RYBOWID_BENCHMARK_MAIN_WITH_RATIOS({"BM_TDbTableOpenOnly", "BM_RawStep", 1.15},
                                   {"BM_TDbTableOpen", "BM_RawStepQString", 1.2},
                                   {"BM_TDbTableOpen", "BM_QSqlQuery", 0.5})
