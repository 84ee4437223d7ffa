#include "diary/DiarySchema.h"

#include "data/DbErrors.h"
#include "data/TDbConnection.h"

namespace {
// Each statement leaves an existing table alone, so a half-upgraded file never exists
// and running the upgrade twice does nothing.
const char *const OwnTables[] = {
    "CREATE TABLE IF NOT EXISTS zezwolenie (nazwa varchar(255), rok integer, limit_kg float)",
    "CREATE TABLE IF NOT EXISTS zezwolenie_gatunki (gatunek varchar(255), wymiar float, od varchar(5), "
    "do varchar(5), limit_szt integer)",
    "CREATE TABLE IF NOT EXISTS lowiska (nazwa varchar(255), numer varchar(40))",
};

bool HasTable(TDbConnection &connection, const QString &name)
{
    return !SelectRows(connection, QStringLiteral("SELECT name FROM main.sqlite_master WHERE type = 'table' AND "
                                                  "name = %1")
                                       .arg(SqlText(name)))
                .empty();
}

QString TableOf(const char *create)
{
    return QString::fromLatin1(create).section(QLatin1Char(' '), 5, 5);
}

// A file without a diary at all is not one to mend: the views say the table is missing.
bool LacksKeptColumn(TDbConnection &connection)
{
    return HasTable(connection, QStringLiteral("dziennik")) &&
           !HasColumn(connection, QStringLiteral("dziennik"), QStringLiteral("zabrana"));
}
} // namespace

QString SqlText(const QString &text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

std::vector<QStringList> SelectRows(TDbConnection &connection, const QString &sql)
{
    if (!connection.Connected() || !connection.Handle())
        throw EDatabaseError(QStringLiteral("Database not connected"));
    const SqliteApi &api = connection.Api();
    sqlite3_stmt *stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (api.prepare(connection.Handle(), text.constData(), -1, &stmt, nullptr) != SQLITE_OK || !stmt) {
        if (stmt)
            api.finalize(stmt);
        connection.RaiseEngineError();
    }
    std::vector<QStringList> rows;
    int rc;
    while ((rc = api.step(stmt)) == SQLITE_ROW) {
        QStringList row;
        for (int i = 0, n = api.column_count(stmt); i < n; ++i) {
            const auto *value = reinterpret_cast<const char *>(api.column_text(stmt, i));
            row << (value ? QString::fromUtf8(value, api.column_bytes(stmt, i)) : QString());
        }
        rows.push_back(std::move(row));
    }
    const QString message = QString::fromUtf8(api.errmsg(connection.Handle()));
    api.finalize(stmt);
    if (rc != SQLITE_DONE)
        throw EDatabaseError(message);
    return rows;
}

bool HasColumn(TDbConnection &connection, const QString &table, const QString &column)
{
    for (const QStringList &row :
         SelectRows(connection, QStringLiteral("PRAGMA main.table_info(%1)").arg(SqlText(table))))
        if (row.value(1).compare(column, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void UpgradeDiarySchema(TDbConnection &connection)
{
    // Read first: a diary that is up to date is never written, so a read-only copy opens.
    bool needed = LacksKeptColumn(connection);
    for (const char *create : OwnTables)
        needed = needed || !HasTable(connection, TableOf(create));
    if (!needed)
        return;
    InDiaryTransaction(connection, [&] {
        if (LacksKeptColumn(connection))
            connection.ExecStatement(
                QStringLiteral("ALTER TABLE dziennik ADD COLUMN zabrana integer NOT NULL DEFAULT 1"));
        for (const char *create : OwnTables)
            connection.ExecStatement(QString::fromLatin1(create));
    });
}

void InDiaryTransaction(TDbConnection &connection, const std::function<void()> &action)
{
    connection.ExecStatement(QStringLiteral("BEGIN IMMEDIATE"));
    try {
        action();
        connection.ExecStatement(QStringLiteral("COMMIT"));
    } catch (...) {
        // The engine may have rolled back already; the first failure is the one to tell.
        try {
            connection.ExecStatement(QStringLiteral("ROLLBACK"));
        } catch (...) {
        }
        throw;
    }
}
