#include "diary/DiarySchema.h"

#include "data/DbErrors.h"
#include "data/Statement.h"
#include "data/TDbConnection.h"
#include "diary/DiaryColumns.h"

#include <vector>

namespace {
// Each statement leaves an existing table alone, so a half-upgraded file never exists
// and running the upgrade twice does nothing.
const char *const OwnTables[] = {
    "CREATE TABLE IF NOT EXISTS zezwolenie (nazwa varchar(255), rok integer, limit_kg float)",
    "CREATE TABLE IF NOT EXISTS zezwolenie_gatunki (gatunek varchar(255), wymiar float, od varchar(5), "
    "do varchar(5), limit_szt integer)",
    "CREATE TABLE IF NOT EXISTS lowiska (nazwa varchar(255), numer varchar(40))",
    // Practice by Leitner boxes, per question id of przepisy: the box (1 to 5) and the day
    // (yyyy-mm-dd) from which the question is due again.
    "CREATE TABLE IF NOT EXISTS nauka_postep (pytanie integer unique, przegrodka integer, powtorka varchar(10))",
    // The mock exams taken: when (yyyy-mm-dd hh:nn:ss), the points scored of those possible
    // and whether the time limit was on.
    "CREATE TABLE IF NOT EXISTS egzamin_proba (data varchar(19), punkty integer, mozliwe integer, "
    "limit_czasu integer)",
};

// Columns added to a table after diaries with that table were written, as ALTER TABLE
// adds them: a new diary gets them the same way, so both have one layout.
struct LaterColumn
{
    QString table;
    QString declaration;
    QString Name() const { return declaration.section(QLatin1Char(' '), 0, 0); }
};

const std::vector<LaterColumn> &LaterColumns()
{
    static const std::vector<LaterColumn> columns = {
        {QStringLiteral("dziennik"), DiaryColumns::Declaration(DiaryColumns::Zabrana)},
        // The angler and the permit's number, which the yearly register is signed with.
        {QStringLiteral("zezwolenie"), QStringLiteral("wedkarz varchar(255)")},
        {QStringLiteral("zezwolenie"), QStringLiteral("numer varchar(40)")},
        {QStringLiteral("dziennik"), DiaryColumns::Declaration(DiaryColumns::Godzina)},
        // Where a water lies, for the sky of its catches and for GPS files.
        {QStringLiteral("lowiska"), QStringLiteral("szerokosc_geo float")},
        {QStringLiteral("lowiska"), QStringLiteral("dlugosc_geo float")},
    };
    return columns;
}

QString TableOf(const char *create)
{
    return QString::fromLatin1(create).section(QLatin1Char(' '), 5, 5);
}

bool HasTable(TDbConnection &connection, const QString &name)
{
    return Statement(connection, QStringLiteral("SELECT 1 FROM main.sqlite_master WHERE type = 'table' AND name = ?"),
                     name)
        .Next();
}

// A file without a diary at all is not one to mend: the views say the table is missing.
bool Lacks(TDbConnection &connection, const LaterColumn &column)
{
    return HasTable(connection, column.table) && !HasColumn(connection, column.table, column.Name());
}

void AddLaterColumns(TDbConnection &connection)
{
    for (const LaterColumn &column : LaterColumns()) {
        if (Lacks(connection, column))
            Statement(connection, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(column.table, column.declaration))
                .Run();
    }
}
} // namespace

bool HasColumn(TDbConnection &connection, const QString &table, const QString &column)
{
    return Statement(connection,
                     QStringLiteral("SELECT 1 FROM pragma_table_info(?, 'main') WHERE lower(name) = lower(?)"), table,
                     column)
        .Next();
}

std::optional<Statement> PrepareIfPresent(TDbConnection &connection, const QString &sql, const QString &table,
                                          const QString &column)
{
    try {
        return std::optional<Statement>(std::in_place, connection, sql);
    } catch (const EDatabaseError &) {
        if (HasColumn(connection, table, column))
            throw;
        return std::nullopt;
    }
}

void UpgradeDiarySchema(TDbConnection &connection)
{
    // Read first: a diary that is up to date is never written, so a read-only copy opens.
    bool needed = false;
    for (const char *create : OwnTables)
        needed = needed || !HasTable(connection, TableOf(create));
    for (const LaterColumn &column : LaterColumns())
        needed = needed || Lacks(connection, column);
    if (!needed)
        return;
    Transaction transaction(connection);
    for (const char *create : OwnTables)
        Statement(connection, QString::fromLatin1(create)).Run();
    AddLaterColumns(connection);
    transaction.Commit();
}

void CreateDiarySchema(TDbConnection &connection)
{
    QStringList columns;
    for (int c = 0; c < DiaryColumns::Count; ++c)
        columns << DiaryColumns::Declaration(DiaryColumns::Column(c));
    Statement(connection, QStringLiteral("CREATE TABLE dziennik (%1)").arg(columns.join(QStringLiteral(", ")))).Run();
    Statement(connection, QStringLiteral("CREATE INDEX dziennik_data ON dziennik (data)")).Run();
    for (const char *create : OwnTables)
        Statement(connection, QString::fromLatin1(create)).Run();
    AddLaterColumns(connection);
}

QStringList UserTables()
{
    QStringList tables{QStringLiteral("dziennik")};
    for (const char *create : OwnTables)
        tables << TableOf(create);
    return tables;
}
