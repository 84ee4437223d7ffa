#pragma once

#include "data/TDbBaseQuery.h"

class TDbUpdateSQL;

// Runs the SQL text the program assigns. Posting or deleting needs a TDbUpdateSQL,
// which the program never links.
class TDbQuery : public TDbBaseQuery
{
    Q_OBJECT

public:
    explicit TDbQuery(QObject *owner = nullptr);

    bool RawSQL = false;
    TDbUpdateSQL *UpdateSQL = nullptr;

    const QString &SQL() const { return m_sql; }
    // Assigning the text closes the query.
    void SetSQL(const QString &sql);
    // Closes and opens again, which runs the statement.
    void ExecSQL();

protected:
    QString StatementForOpen() override;
    void InternalPost() override;
    void InternalDelete() override;

private:
    QString m_sql;
    QString m_preparedSql;
};
