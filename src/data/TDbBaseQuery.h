#pragma once

#include "data/TField.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class TDbConnection;
class TDbBaseQuery;

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

using TDataSetNotifyEvent = std::function<void(TDbBaseQuery *)>;
using TBookmark = int;

// The rows of one statement held in memory, one current row, fields looked up by
// column name. Opening reads every row; moving never touches the database again;
// tables write posted and deleted rows back (TDbTable).
//
// Data-aware controls never call the engine: they watch the signals below through a
// TDataSource and read rows through the Display* functions.
class TDbBaseQuery : public QObject
{
    Q_OBJECT

public:
    explicit TDbBaseQuery(QObject *owner = nullptr);
    ~TDbBaseQuery() override;

    // The component name used in messages ("dziennikTable: Field 'x' not found").
    QString Name() const { return objectName(); }

    // Published properties.
    bool AutoCommit = false;
    bool SQLiteDateFormat = false;
    QString TableDateFormat;
    int MaxResults = 0;
    int StartResult = 0;
    bool TypeLess = false;

    TDbConnection *Connection() const { return m_connection; }
    void SetConnection(TDbConnection *connection);

    const QString &Filter() const { return m_filter; }
    void SetFilter(const QString &filter);
    bool Filtered() const { return m_filtered; }
    void SetFiltered(bool filtered);

    bool Active() const { return m_state != TDataSetState::dsInactive; }
    void SetActive(bool active);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return m_state; }

    // Standard dataset events; each receives the dataset.
    TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
    TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
    TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    TDataSetNotifyEvent OnNewRecord;

    // Moving through the rows.
    void First();
    void Next();
    void Prior();
    void Last();
    bool Eof() const;
    bool Bof() const;
    bool IsEmpty() const { return GetRecordCount() == 0; }
    int GetRecordCount() const;
    int GetRecNo() const;
    void SetRecNo(int recNo);

    // Fields of the current result; a result without rows has none.
    int FieldCount() const;
    TField *Fields(int index) const;
    TField *FindField(const QString &name) const;
    // Raises EDatabaseError "<Name>: Field '<name>' not found".
    TField *FieldByName(const QString &name) const;

    // The edit cycle (tables; a query refuses to post or delete without an update
    // component).
    void Edit();
    void Insert();
    void Append();
    void Post();
    void Cancel();
    void Delete();
    // True when a field of the pending record was written since edit or insert began.
    bool Modified() const;
    // Before the current row changes: posts a changed pending record, cancels an
    // unchanged one.
    void CheckBrowseMode();

    // A control holding typed text not yet written registers a writer under its own
    // object (an empty writer removes it); posting runs every writer first. A writer
    // that fails throws, which stops the post: writers are called directly, never
    // through a signal, since an exception must not pass through signal delivery.
    void SetRecordWriter(QObject *owner, std::function<void()> writer);

    TBookmark GetBookmark() const;
    void GotoBookmark(TBookmark bookmark);
    bool BookmarkValid(TBookmark bookmark) const;

    // The identity (rowid) of the current row.
    qint64 RowId() const;

    // What a grid shows: the in-memory rows and, in insert state, the pending record
    // at the place it will take. DisplayRow is the current one (-1 when none). A null
    // value (an empty date, a cleared number) is an invalid QVariant and an empty text.
    int DisplayRowCount() const;
    int DisplayRow() const;
    QVariant DisplayValue(int row, int field) const;
    QString DisplayText(int row, int field) const;
    // The identity of a display row; the pending inserted record, which has none yet,
    // comes after every stored row.
    qint64 DisplayRowId(int row) const;
    // Makes a display row current, posting or cancelling a pending record first.
    void GotoDisplayRow(int row);

Q_SIGNALS:
    // Opened, closed, re-read, or rows added or removed.
    void dataSetChanged();
    // The current row moved.
    void scrolled();
    // Browse, edit, insert or inactive.
    void stateChanged();
    // A field of the current record was written.
    void fieldChanged(TField *field);

protected:
    // The statement an open runs (table: select with filter; query: its SQL text).
    // An empty text abandons the open.
    virtual QString StatementForOpen() = 0;
    virtual void InternalPost();
    virtual void InternalDelete();
    // Whether an open that returns no rows still defines the fields of its columns.
    virtual bool FieldsWithoutRows() const { return false; }

private:
    friend class TField;
    friend class TDbConnection;
    friend class TDbTable;
    friend class TDbQuery;
    friend class DataSetAccess;

    // "<Name>: <message>", or the message alone for a dataset without a name.
    QString NamedMessage(const QString &message) const;
    void CheckActive() const;
    void OpenResult();
    void CloseResult();
    void MoveTo(int position, bool bof, bool eof);
    void BeginInsertAppend(bool append);
    void LeaveEditing();
    void RunRecordWriters();
    // The current record's value (the pending record in edit or insert state); null
    // when there is none.
    QVariant CurrentValue(int field) const;
    void WriteValue(TField *field, const QVariant &value);

    TDbConnection *m_connection = nullptr;
    QString m_filter;
    bool m_filtered = false;
    TDataSetState m_state = TDataSetState::dsInactive;

    struct Impl;
    std::unique_ptr<Impl> d;
};
