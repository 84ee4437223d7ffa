#include "diary/DiarySchema.h"

#include "data/DbErrors.h"
#include "data/Statement.h"
#include "data/TDbConnection.h"
#include "diary/DiaryColumns.h"

namespace {
// Each statement leaves an existing table alone, so a half-upgraded file never exists
// and running the upgrade twice does nothing.
const char *const OwnTables[] = {
    "CREATE TABLE IF NOT EXISTS zezwolenie (nazwa varchar(255), rok integer, limit_kg float)",
    "CREATE TABLE IF NOT EXISTS zezwolenie_gatunki (gatunek varchar(255), wymiar float, od varchar(5), "
    "do varchar(5), limit_szt integer)",
    "CREATE TABLE IF NOT EXISTS lowiska (nazwa varchar(255), numer varchar(40))",
};

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
bool LacksKeptColumn(TDbConnection &connection)
{
    return HasTable(connection, QStringLiteral("dziennik")) &&
           !HasColumn(connection, QStringLiteral("dziennik"), DiaryColumns::Name(DiaryColumns::Zabrana));
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
    bool needed = LacksKeptColumn(connection);
    for (const char *create : OwnTables)
        needed = needed || !HasTable(connection, TableOf(create));
    if (!needed)
        return;
    Transaction transaction(connection);
    if (LacksKeptColumn(connection))
        Statement(connection,
                  QStringLiteral("ALTER TABLE dziennik ADD COLUMN ") + DiaryColumns::Declaration(DiaryColumns::Zabrana))
            .Run();
    for (const char *create : OwnTables)
        Statement(connection, QString::fromLatin1(create)).Run();
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
}

QStringList UserTables()
{
    QStringList tables{QStringLiteral("dziennik")};
    for (const char *create : OwnTables)
        tables << TableOf(create);
    return tables;
}
