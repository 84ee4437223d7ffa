#pragma once

#include "data/TDbBaseQuery.h"
#include "data/TResultRows.h"

#include <QMetaObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

// The private state of a dataset, shared by the base, the two dataset classes, the
// fields and the connection's fetch.
struct TDbBaseQuery::Impl
{
    std::unique_ptr<TResultRows> result;
    // The result an open is filling while the connection fetches.
    TResultRows *loading = nullptr;
    std::vector<std::unique_ptr<TField>> fields;
    // Fields of earlier opens, detached from the dataset so that a control still holding
    // one reads nothing instead of freed memory; the next open takes back those whose
    // column it has again.
    std::vector<std::unique_ptr<TField>> retired;
    int pos = -1;
    bool bof = true;
    bool eof = true;
    // The record of edit or insert state.
    std::vector<QVariant> pending;
    bool modified = false;
    // Where a new record will be placed: the row current when the insert began, or the
    // row count for an append.
    int insertPos = 0;
    bool appending = false;
    QMetaObject::Connection connectionGone;
    struct RecordWriter
    {
        QPointer<QObject> owner;
        std::function<void()> write;
    };
    std::vector<RecordWriter> recordWriters;

    int rowCount() const { return result ? result->RowCount() : 0; }
    bool hasCurrentRow() const { return result && pos >= 0 && pos < result->RowCount(); }
};
