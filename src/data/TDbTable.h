#pragma once

#include "data/TDbBaseQuery.h"

// One database table, optionally narrowed by Filter; edits are written back row by
// row, identified by rowid.
class TDbTable : public TDbBaseQuery
{
    Q_OBJECT

public:
    explicit TDbTable(QObject *owner = nullptr);

    QString TableName;

protected:
    QString StatementForOpen() override;
    void InternalPost() override;
    void InternalDelete() override;
    bool FieldsWithoutRows() const override { return true; }
};
