#include "data/TDbConnection.h"

#include "base/Logging.h"
#include "data/DataSetImpl.h"
#include "data/DbErrors.h"
#include "data/Statement.h"
#include "data/TResultRows.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>

namespace {
const QString NotConnected = QStringLiteral("Database not connected");

template <typename Slot> bool resolve(QLibrary &library, const char *name, Slot &slot)
{
    slot = reinterpret_cast<Slot>(library.resolve(name));
    return slot != nullptr;
}
} // namespace

TDbConnection::TDbConnection(QObject *owner) : QObject(owner) {}

TDbConnection::~TDbConnection()
{
    if (m_db && m_api.close)
        m_api.close(m_db);
}

void TDbConnection::SetDatabase(const QString &database)
{
    m_database = database.trimmed();
}

QString TDbConnection::DefaultExt() const
{
    return m_defaultExt.isEmpty() ? QStringLiteral(".sdb") : m_defaultExt;
}

QString TDbConnection::DriverDLL() const
{
    return m_driverDll.isEmpty() ? QStringLiteral("SQLite.dll") : m_driverDll;
}

void TDbConnection::SetBusyTimeout(int milliseconds)
{
    m_busyTimeoutMs = milliseconds;
    if (m_connected && m_db)
        m_api.busy_timeout(m_db, m_busyTimeoutMs);
}

void TDbConnection::SetConnected(bool connected)
{
    if (connected && !m_connected)
        DBConnect();
    else if (!connected && m_connected)
        Disconnect();
}

bool TDbConnection::LoadLibs()
{
    // Reloading empties the function slots, and the library may not load again: an open
    // connection would be left to call through empty slots. It is closed first.
    if (m_connected)
        Disconnect();
    qCDebug(lcData) << "loading sqlite lib";
    qCDebug(lcData).noquote() << m_driverDll;
    m_libraryLoaded = false;
    m_api = {};
    m_library = std::make_unique<QLibrary>(m_driverDll);
    // QLibrary instances of one file share a handle, and unloading through one unmaps the
    // engine under every other connection; the mapping is therefore kept for the process
    // and "unloading" releases only this connection's object and slots. The hint alone
    // would not do: it is lost when another QLibrary loaded the file first.
    m_library->setLoadHints(QLibrary::PreventUnloadHint);
    if (m_driverDll.isEmpty() || !m_library->load()) {
        qCDebug(lcData).noquote() << m_library->errorString();
        m_library.reset();
        return false;
    }
    QLibrary &lib = *m_library;
    SqliteApi api;
    const bool all =
        resolve(lib, "sqlite3_open", api.open) && resolve(lib, "sqlite3_close", api.close) &&
        resolve(lib, "sqlite3_exec", api.exec) && resolve(lib, "sqlite3_errmsg", api.errmsg) &&
        resolve(lib, "sqlite3_get_table", api.get_table) && resolve(lib, "sqlite3_free_table", api.free_table) &&
        resolve(lib, "sqlite3_free", api.free) && resolve(lib, "sqlite3_complete", api.complete) &&
        resolve(lib, "sqlite3_last_insert_rowid", api.last_insert_rowid) &&
        resolve(lib, "sqlite3_interrupt", api.interrupt) && resolve(lib, "sqlite3_busy_timeout", api.busy_timeout) &&
        resolve(lib, "sqlite3_busy_handler", api.busy_handler) && resolve(lib, "sqlite3_changes", api.changes) &&
        resolve(lib, "sqlite3_prepare", api.prepare) && resolve(lib, "sqlite3_finalize", api.finalize) &&
        resolve(lib, "sqlite3_reset", api.reset) && resolve(lib, "sqlite3_step", api.step) &&
        resolve(lib, "sqlite3_column_blob", api.column_blob) &&
        resolve(lib, "sqlite3_column_bytes", api.column_bytes) &&
        resolve(lib, "sqlite3_column_count", api.column_count) &&
        resolve(lib, "sqlite3_column_decltype", api.column_decltype) &&
        resolve(lib, "sqlite3_column_double", api.column_double) &&
        resolve(lib, "sqlite3_column_int", api.column_int) && resolve(lib, "sqlite3_column_int64", api.column_int64) &&
        resolve(lib, "sqlite3_column_name", api.column_name) && resolve(lib, "sqlite3_column_text", api.column_text) &&
        resolve(lib, "sqlite3_column_type", api.column_type);
    if (!all) {
        m_library.reset();
        return false;
    }
    // Optional, see SqliteApi.
    resolve(lib, "sqlite3_open_v2", api.open_v2);
    resolve(lib, "sqlite3_prepare_v2", api.prepare_v2);
    resolve(lib, "sqlite3_bind_text", api.bind_text);
    resolve(lib, "sqlite3_bind_int64", api.bind_int64);
    resolve(lib, "sqlite3_bind_double", api.bind_double);
    resolve(lib, "sqlite3_bind_null", api.bind_null);
    resolve(lib, "sqlite3_clear_bindings", api.clear_bindings);
    if (!(resolve(lib, "sqlite3_backup_init", api.backup_init) &&
          resolve(lib, "sqlite3_backup_step", api.backup_step) &&
          resolve(lib, "sqlite3_backup_finish", api.backup_finish) &&
          resolve(lib, "sqlite3_backup_remaining", api.backup_remaining) &&
          resolve(lib, "sqlite3_backup_pagecount", api.backup_pagecount)))
        api.backup_init = nullptr;
    m_api = api;
    m_libraryLoaded = true;
    return true;
}

QString TDbConnection::ComposePath()
{
    const QChar separator = QDir::separator();
    if (!m_defaultDir.isEmpty()) {
        if (!m_defaultDir.endsWith(separator))
            m_defaultDir += separator;
        return m_defaultDir + m_database;
    }
    if (m_database.contains(separator))
        return m_database;
    return QDir::toNativeSeparators(QDir::currentPath()) + separator + m_database;
}

void TDbConnection::DBConnect()
{
    if (m_database.isEmpty())
        throw EDataLayerError(QStringLiteral("Missing database property"));
    m_path = ComposePath();
    if (m_mustExist && m_database.compare(QLatin1String(":memory:"), Qt::CaseInsensitive) != 0 &&
        !QFileInfo::exists(m_path))
        throw EDatabaseError(QStringLiteral("Database ") + m_path + QStringLiteral(" does not exist"));
    if (!m_libraryLoaded && !LoadLibs()) {
        m_connected = false;
        throw EDataLayerError(QStringLiteral("Could not load SQLite library"));
    }
    m_connected = true;
    m_db = nullptr;
    if (BeforeConnect)
        BeforeConnect(this);
    m_api.OpenUnlocked(m_path.toUtf8().constData(), &m_db, m_readOnly);
    // Another program holding the file a moment (a second copy, a backup tool) is waited
    // for instead of failing the statement at once.
    if (m_db)
        m_api.busy_timeout(m_db, m_busyTimeoutMs);
    if (AfterConnect)
        AfterConnect(this);
    if (!m_db)
        m_connected = false;
}

void TDbConnection::Disconnect()
{
    if (m_libraryLoaded) {
        qCDebug(lcData) << "freeing sqlite dll";
        if (BeforeDisconnect)
            BeforeDisconnect(this);
        if (m_db)
            m_api.close(m_db);
        m_db = nullptr;
        m_library.reset();
        m_libraryLoaded = false;
        m_api = {};
        if (AfterDisconnect)
            AfterDisconnect(this);
    }
    m_connected = false;
}

void TDbConnection::StartTransaction()
{
    if (!m_connected)
        SetConnected(true);
    if (m_connected)
        ExecStatement(QStringLiteral("begin transaction"));
}

void TDbConnection::Commit()
{
    if (!m_connected)
        SetConnected(true);
    if (m_connected)
        ExecStatement(QStringLiteral("commit transaction"));
}

void TDbConnection::RollBack()
{
    if (!m_connected)
        SetConnected(true);
    if (m_connected)
        ExecStatement(QStringLiteral("rollback transaction"));
}

void TDbConnection::RaiseEngineError()
{
    const char *message = m_db && m_api.errmsg ? m_api.errmsg(m_db) : nullptr;
    throw EDatabaseError(message ? QString::fromUtf8(message) : NotConnected);
}

qint64 TDbConnection::LastInsertRowId() const
{
    return m_db ? m_api.last_insert_rowid(m_db) : 0;
}

void TDbConnection::Announce(const QString &sql)
{
    if (OnStatement)
        OnStatement(sql);
}

void TDbConnection::ExecStatement(const QString &sql)
{
    Announce(sql);
    Statement(*this, sql).Run();
}

void TDbConnection::SQLite_XExec(sqlite3 *db, const QString &sql, TDbBaseQuery *dataSet)
{
    qCDebug(lcData).noquote() << sql;
    if (!dataSet || !dataSet->d->loading) {
        ExecStatement(sql);
        return;
    }
    Announce(sql);
    if (!db || db != m_db)
        throw EDatabaseError(NotConnected);
    FetchOptions options;
    options.dataSetName = dataSet->Name();
    options.typeLess = dataSet->TypeLess;
    options.sqliteDateFormat = dataSet->SQLiteDateFormat;
    options.fieldsWithoutRows = dataSet->FieldsWithoutRows();
    FetchInto(sql, *dataSet->d->loading, options);
}

void TDbConnection::FetchInto(const QString &sql, TResultRows &rows, const FetchOptions &options)
{
    if (!m_connected || !m_db)
        throw EDatabaseError(NotConnected);
    rows = TResultRows();
    Statement stmt(*this, sql);
    sqlite3_stmt *const s = stmt.Handle();
    if (!s)
        return;
    std::vector<int> fieldOfColumn;
    std::vector<char> floatColumn;
    bool fieldsDefined = false;
    int identityColumn = -1;
    const auto defineFields = [&] {
        fieldsDefined = true;
        const int columns = m_api.column_count(s);
        fieldOfColumn.assign(size_t(columns), -1);
        for (int column = 0; column < columns; ++column) {
            const QString name = QString::fromUtf8(m_api.column_name(s, column));
            if (name.compare(QLatin1String("rowid"), Qt::CaseInsensitive) == 0) {
                identityColumn = column;
                continue;
            }
            fieldOfColumn[size_t(column)] = rows.FieldCount();
            rows.DefineField(name, QString::fromUtf8(m_api.column_decltype(s, column)), options);
        }
        rows.CheckRowFits();
        floatColumn.assign(size_t(columns), 0);
        for (int column = 0; column < columns; ++column)
            floatColumn[size_t(column)] =
                fieldOfColumn[size_t(column)] >= 0 && rows.TakesFloat(fieldOfColumn[size_t(column)]);
    };
    int rc;
    while ((rc = m_api.step(s)) == SQLITE_ROW) {
        if (!fieldsDefined)
            defineFields();
        rows.StartRow();
        for (size_t column = 0; column < fieldOfColumn.size(); ++column) {
            const int field = fieldOfColumn[column];
            if (field < 0)
                continue;
            if (floatColumn[column] && m_api.column_type(s, int(column)) == SQLITE_FLOAT) {
                const double number = m_api.column_double(s, int(column));
                if (std::isfinite(number)) {
                    rows.AssignFloat(field, number);
                    continue;
                }
            }
            const auto *value = reinterpret_cast<const char *>(m_api.column_text(s, int(column)));
            rows.AssignFromText(field, value, value ? m_api.column_bytes(s, int(column)) : 0, options);
        }
        // Row identities are 64-bit: a rowid past 2^31 must still address its own row.
        rows.FinishRow(identityColumn >= 0 ? m_api.column_int64(s, identityColumn) : qint64(rows.RowCount()));
    }
    if (rc != SQLITE_DONE) {
        // A busy or damaged file stops the reading: report it rather than open on a
        // part of the rows.
        m_api.reset(s);
        RaiseEngineError();
    }
    // A table without rows still needs its fields, or a new record there would have
    // none to post; the prepared statement knows its columns.
    if (!fieldsDefined && options.fieldsWithoutRows)
        defineFields();
}
