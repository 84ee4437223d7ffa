#include "data/Statement.h"

#include "data/DbErrors.h"
#include "data/TDbConnection.h"

namespace {
const SqliteApi &ApiOf(TDbConnection &connection)
{
    if (!connection.Connected() || !connection.Handle())
        throw EDatabaseError(QStringLiteral("Database not connected"));
    return connection.Api();
}
} // namespace

Statement::Statement(TDbConnection &connection, const QString &sql) : m_connection(connection)
{
    const SqliteApi &api = ApiOf(connection);
    const QByteArray text = sql.toUtf8();
    // The newer prepare follows a schema changed meanwhile by itself; the old one would
    // fail the first step of a statement prepared before it.
    const auto prepare = api.prepare_v2 ? api.prepare_v2 : api.prepare;
    if (prepare(connection.Handle(), text.constData(), int(text.size()), &m_stmt, nullptr) != SQLITE_OK) {
        const QString message = QString::fromUtf8(api.errmsg(connection.Handle()));
        if (m_stmt)
            api.finalize(m_stmt);
        m_stmt = nullptr;
        throw EDatabaseError(message);
    }
}

Statement::~Statement()
{
    if (m_stmt)
        m_connection.Api().finalize(m_stmt);
}

void Statement::Fail() const
{
    m_connection.RaiseEngineError();
}

namespace {
const SqliteApi &BindingApi(TDbConnection &connection)
{
    const SqliteApi &api = connection.Api();
    if (!api.CanBind())
        throw EDataLayerError(QStringLiteral("Could not load SQLite library"));
    return api;
}
} // namespace

Statement &Statement::Bind(int index, const QString &text)
{
    const SqliteApi &api = BindingApi(m_connection);
    const QByteArray bytes = text.toUtf8();
    if (m_stmt && api.bind_text(m_stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        Fail();
    return *this;
}

Statement &Statement::Bind(int index, qint64 number)
{
    if (m_stmt && BindingApi(m_connection).bind_int64(m_stmt, index, number) != SQLITE_OK)
        Fail();
    return *this;
}

Statement &Statement::Bind(int index, double number)
{
    if (m_stmt && BindingApi(m_connection).bind_double(m_stmt, index, number) != SQLITE_OK)
        Fail();
    return *this;
}

Statement &Statement::BindNull(int index)
{
    if (m_stmt && BindingApi(m_connection).bind_null(m_stmt, index) != SQLITE_OK)
        Fail();
    return *this;
}

bool Statement::Next()
{
    if (!m_stmt)
        return false;
    const SqliteApi &api = m_connection.Api();
    const int rc = api.step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    // The old step reports only a generic failure; the reset brings the engine's own.
    api.reset(m_stmt);
    Fail();
}

void Statement::Run()
{
    while (Next()) {
    }
}

void Statement::Reset()
{
    if (!m_stmt)
        return;
    const SqliteApi &api = m_connection.Api();
    api.reset(m_stmt);
    if (api.clear_bindings)
        api.clear_bindings(m_stmt);
}

int Statement::ColumnCount() const
{
    return m_stmt ? m_connection.Api().column_count(m_stmt) : 0;
}

bool Statement::IsNull(int column) const
{
    return m_connection.Api().column_type(m_stmt, column) == SQLITE_NULL;
}

QString Statement::Text(int column) const
{
    const SqliteApi &api = m_connection.Api();
    const auto *value = reinterpret_cast<const char *>(api.column_text(m_stmt, column));
    return value ? QString::fromUtf8(value, api.column_bytes(m_stmt, column)) : QString();
}

qint64 Statement::Integer(int column) const
{
    return m_connection.Api().column_int64(m_stmt, column);
}

double Statement::Number(int column) const
{
    return m_connection.Api().column_double(m_stmt, column);
}

std::vector<QStringList> Statement::Rows()
{
    std::vector<QStringList> rows;
    while (Next()) {
        QStringList row;
        for (int i = 0, n = ColumnCount(); i < n; ++i)
            row << Text(i);
        rows.push_back(std::move(row));
    }
    return rows;
}

QStringList Statement::Column()
{
    QStringList texts;
    while (Next())
        texts << Text(0);
    return texts;
}

Transaction::Transaction(TDbConnection &connection, Mode mode) : m_connection(connection)
{
    Statement(connection, mode == Mode::Immediate ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN")).Run();
}

Transaction::~Transaction()
{
    if (!m_open)
        return;
    // The engine may have rolled back already; the failure that brought us here is the
    // one to tell, not this one.
    try {
        Statement(m_connection, QStringLiteral("ROLLBACK")).Run();
    } catch (...) {
    }
}

void Transaction::Commit()
{
    Statement(m_connection, QStringLiteral("COMMIT")).Run();
    m_open = false;
}

Attachment::Attachment(TDbConnection &connection, const QString &path, const char *alias)
    : m_connection(connection), m_alias(QLatin1String(alias))
{
    Statement(connection, QStringLiteral("ATTACH DATABASE ? AS ") + m_alias, path).Run();
}

Attachment::~Attachment()
{
    try {
        Statement(m_connection, QStringLiteral("DETACH DATABASE ") + m_alias).Run();
    } catch (...) {
    }
}
