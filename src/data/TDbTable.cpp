#include "data/TDbTable.h"

#include "data/DataLayerMessage.h"
#include "data/DataSetImpl.h"
#include "data/DbErrors.h"
#include "data/RowStatements.h"
#include "data/TDbConnection.h"

namespace {
// A transaction around one row write when AutoCommit asks for it; rolled back unless
// the write and its commit both succeeded.
class RowTransaction
{
public:
    RowTransaction(TDbConnection *connection, bool enabled) : m_connection(enabled ? connection : nullptr)
    {
        if (m_connection)
            m_connection->StartTransaction();
    }
    ~RowTransaction()
    {
        if (m_connection) {
            try {
                m_connection->RollBack();
            } catch (const Exception &) {
            }
        }
    }
    RowTransaction(const RowTransaction &) = delete;
    RowTransaction &operator=(const RowTransaction &) = delete;

    void Commit()
    {
        if (m_connection)
            m_connection->Commit();
        m_connection = nullptr;
    }

private:
    TDbConnection *m_connection;
};

// A write by rowid that reached no row means the row is gone (another copy of the program
// deleted it): reporting it as done would lose what was typed, or a delete nobody saw.
void RequireOneChangedRow(TDbConnection &connection, const QString &message)
{
    if (connection.Api().changes && connection.Api().changes(connection.Handle()) != 1)
        throw EDatabaseError(message);
}
} // namespace

TDbTable::TDbTable(QObject *owner) : TDbBaseQuery(owner) {}

QString TDbTable::StatementForOpen()
{
    if (TableName.isEmpty()) {
        ShowDataLayerMessage(QStringLiteral("no table specified"));
        return {};
    }
    return TableSelectStatement(TableName, Filtered() ? Filter() : QString(), MaxResults, StartResult);
}

void TDbTable::InternalPost()
{
    TDbConnection *const connection = Connection();
    // Dropping the record without a word would lose what the user typed.
    if (!connection || !connection->Connected())
        throw EDatabaseError(NamedMessage(QStringLiteral("Database not connected; the record was not saved")));

    const QString dateTimeFormat = SQLiteDateFormat ? QStringLiteral("yyyy-mm-dd hh:nn:ss.zzz") : TableDateFormat;
    std::vector<QVariant> &record = d->pending;
    record.resize(size_t(FieldCount()));
    QStringList names;
    QStringList values;
    for (int i = 0; i < FieldCount(); ++i) {
        names << Fields(i)->FieldName();
        values << RowValueLiteral(Fields(i)->DataType(), record[size_t(i)], dateTimeFormat,
                                  d->result->fieldDefs[size_t(i)].convertsNumbers);
    }

    TResultRows &rows = *d->result;
    RowTransaction transaction(connection, AutoCommit);
    if (State() == TDataSetState::dsEdit && rows.RowCount() > 0) {
        connection->ExecStatement(RowUpdateStatement(TableName, names, values, rows.Identity(d->pos)));
        RequireOneChangedRow(*connection, NamedMessage(QStringLiteral(
                                              "The row is no longer in the database; the record was not saved")));
        transaction.Commit();
        rows.OverwriteRow(d->pos, record);
        return;
    }

    connection->ExecStatement(RowInsertStatement(TableName, names, values));
    const qint64 identity = connection->LastInsertRowId();
    transaction.Commit();
    const int count = rows.RowCount();
    const int position = count == 0 ? 0 : d->appending ? count : std::clamp(d->insertPos, 0, count);
    rows.InsertRow(position, record, identity);
    d->pos = position;
    d->bof = d->eof = false;
}

void TDbTable::InternalDelete()
{
    TDbConnection *const connection = Connection();
    if (!connection || !connection->Connected())
        throw EDatabaseError(NamedMessage(QStringLiteral("Database not connected; the row was not deleted")));
    TResultRows &rows = *d->result;
    RowTransaction transaction(connection, AutoCommit);
    connection->SQLite_XExec(connection->Handle(), RowDeleteStatement(TableName, rows.Identity(d->pos)), nullptr);
    RequireOneChangedRow(*connection,
                         NamedMessage(QStringLiteral("The row is no longer in the database; nothing was deleted")));
    transaction.Commit();
    rows.RemoveRow(d->pos);
    if (d->pos >= rows.RowCount())
        --d->pos;
}
