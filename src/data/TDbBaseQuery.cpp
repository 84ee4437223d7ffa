#include "data/TDbBaseQuery.h"

#include "data/DataSetImpl.h"
#include "data/DbErrors.h"
#include "data/FieldConvert.h"
#include "data/TDbConnection.h"

#include <algorithm>
#include <limits>

namespace {
void fire(const TDataSetNotifyEvent &event, TDbBaseQuery *dataSet)
{
    if (event)
        event(dataSet);
}
} // namespace

TDbBaseQuery::TDbBaseQuery(QObject *owner) : QObject(owner), d(std::make_unique<Impl>()) {}

TDbBaseQuery::~TDbBaseQuery()
{
    QObject::disconnect(d->connectionGone);
}

QString TDbBaseQuery::NamedMessage(const QString &message) const
{
    return Name().isEmpty() ? message : Name() + QStringLiteral(": ") + message;
}

void TDbBaseQuery::CheckActive() const
{
    if (!Active())
        throw EDatabaseError(NamedMessage(QStringLiteral("Cannot perform this operation on a closed dataset")));
}

void TDbBaseQuery::SetConnection(TDbConnection *connection)
{
    if (connection == m_connection)
        return;
    QObject::disconnect(d->connectionGone);
    m_connection = connection;
    if (connection) {
        d->connectionGone = connect(connection, &QObject::destroyed, this, [this] {
            m_connection = nullptr;
            SetActive(false);
        });
    }
}

void TDbBaseQuery::SetFilter(const QString &filter)
{
    Close();
    m_filter = filter;
}

void TDbBaseQuery::SetFiltered(bool filtered)
{
    m_filtered = filtered;
    try {
        SetActive(true);
    } catch (const Exception &first) {
        m_filtered = false;
        try {
            SetActive(true);
        } catch (const Exception &second) {
            throw EDataLayerError(QStringLiteral("Filter error: ") + second.Message());
        }
        throw EDataLayerError(QStringLiteral("Filter error: ") + first.Message());
    }
}

void TDbBaseQuery::SetActive(bool active)
{
    if (active == Active())
        return;
    if (active)
        OpenResult();
    else
        CloseResult();
}

void TDbBaseQuery::OpenResult()
{
    fire(BeforeOpen, this);
    const QString statement = StatementForOpen();
    if (statement.isEmpty())
        return;
    if (!m_connection)
        throw EDataLayerError(QStringLiteral("no database connection"));
    if (!m_connection->Connected())
        m_connection->SetConnected(true);

    auto rows = std::make_unique<TResultRows>();
    if (m_connection->Connected()) {
        d->loading = rows.get();
        try {
            m_connection->SQLite_XExec(m_connection->Handle(), statement, this);
        } catch (...) {
            d->loading = nullptr;
            throw;
        }
        d->loading = nullptr;
    }
    d->result = std::move(rows);
    const std::vector<TFieldDef> &defs = d->result->fieldDefs;
    d->fields.reserve(defs.size());
    for (size_t i = 0; i < defs.size(); ++i) {
        // A column of the same name and kind as in an earlier open takes that open's field
        // back, so that controls holding it follow the new rows.
        const TFieldDef &def = defs[i];
        const auto same = std::find_if(d->retired.begin(), d->retired.end(), [&def](const auto &field) {
            return field->FieldName() == def.name && field->DataType() == def.type && field->Size() == def.size &&
                   field->Precision() == def.precision;
        });
        if (same != d->retired.end()) {
            (*same)->m_dataSet = this;
            (*same)->m_index = int(i);
            d->fields.push_back(std::move(*same));
            d->retired.erase(same);
        } else {
            d->fields.push_back(std::make_unique<TField>(this, int(i), def.name, def.type, def.size, def.precision));
        }
    }
    d->pos = -1;
    d->bof = true;
    d->eof = d->rowCount() == 0;
    d->pending.clear();
    d->modified = false;
    m_state = TDataSetState::dsBrowse;
    Q_EMIT stateChanged();
    Q_EMIT dataSetChanged();
    fire(AfterOpen, this);
    if (d->rowCount() > 0) {
        d->pos = 0;
        Q_EMIT scrolled();
        fire(AfterScroll, this);
    }
}

void TDbBaseQuery::CloseResult()
{
    fire(BeforeClose, this);
    d->pending.clear();
    d->modified = false;
    for (auto &field : d->fields) {
        field->m_dataSet = nullptr;
        d->retired.push_back(std::move(field));
    }
    d->fields.clear();
    d->result.reset();
    d->pos = -1;
    d->bof = d->eof = true;
    m_state = TDataSetState::dsInactive;
    Q_EMIT stateChanged();
    Q_EMIT dataSetChanged();
    fire(AfterClose, this);
}

void TDbBaseQuery::MoveTo(int position, bool bof, bool eof)
{
    const bool moved = position != d->pos;
    d->pos = position;
    d->bof = bof;
    d->eof = eof;
    if (moved)
        Q_EMIT scrolled();
}

void TDbBaseQuery::First()
{
    CheckActive();
    CheckBrowseMode();
    fire(BeforeScroll, this);
    const int count = d->rowCount();
    MoveTo(count > 0 ? 0 : -1, true, count == 0);
    fire(AfterScroll, this);
}

void TDbBaseQuery::Last()
{
    CheckActive();
    CheckBrowseMode();
    fire(BeforeScroll, this);
    const int count = d->rowCount();
    MoveTo(count - 1, count == 0, true);
    fire(AfterScroll, this);
}

void TDbBaseQuery::Next()
{
    CheckActive();
    CheckBrowseMode();
    fire(BeforeScroll, this);
    if (!d->eof) {
        if (d->pos < d->rowCount() - 1)
            MoveTo(d->pos + 1, false, false);
        else
            d->eof = true;
    }
    fire(AfterScroll, this);
}

void TDbBaseQuery::Prior()
{
    CheckActive();
    CheckBrowseMode();
    fire(BeforeScroll, this);
    if (!d->bof) {
        if (d->pos > 0)
            MoveTo(d->pos - 1, false, false);
        else
            d->bof = true;
    }
    fire(AfterScroll, this);
}

bool TDbBaseQuery::Eof() const
{
    return !Active() || d->eof;
}

bool TDbBaseQuery::Bof() const
{
    return !Active() || d->bof;
}

int TDbBaseQuery::GetRecordCount() const
{
    return d->rowCount();
}

int TDbBaseQuery::GetRecNo() const
{
    if (d->pos == -1 && d->rowCount() > 0)
        return 1;
    return d->pos + 1;
}

void TDbBaseQuery::SetRecNo(int recNo)
{
    CheckActive();
    CheckBrowseMode();
    const int count = d->rowCount();
    if (recNo < 0 || recNo >= count + 2)
        return;
    fire(BeforeScroll, this);
    // Re-reading from a position before the first or after the last row lands on the
    // nearest row.
    const int position = count == 0 ? -1 : std::clamp(recNo - 1, 0, count - 1);
    MoveTo(position, count == 0, count == 0);
    fire(AfterScroll, this);
}

int TDbBaseQuery::FieldCount() const
{
    return int(d->fields.size());
}

TField *TDbBaseQuery::Fields(int index) const
{
    if (index < 0 || index >= FieldCount())
        return nullptr;
    return d->fields[size_t(index)].get();
}

TField *TDbBaseQuery::FindField(const QString &name) const
{
    for (const auto &field : d->fields) {
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return field.get();
    }
    return nullptr;
}

TField *TDbBaseQuery::FieldByName(const QString &name) const
{
    TField *field = FindField(name);
    if (!field)
        throw EDatabaseError(NamedMessage(QStringLiteral("Field '%1' not found").arg(name)));
    return field;
}

void TDbBaseQuery::Edit()
{
    CheckActive();
    if (m_state == TDataSetState::dsEdit || m_state == TDataSetState::dsInsert)
        return;
    if (d->rowCount() == 0) {
        Insert();
        return;
    }
    fire(BeforeEdit, this);
    d->pending = d->result->RowValues(d->pos);
    d->modified = false;
    m_state = TDataSetState::dsEdit;
    Q_EMIT stateChanged();
    fire(AfterEdit, this);
}

void TDbBaseQuery::Insert()
{
    BeginInsertAppend(false);
}

void TDbBaseQuery::Append()
{
    BeginInsertAppend(true);
}

void TDbBaseQuery::BeginInsertAppend(bool append)
{
    CheckActive();
    CheckBrowseMode();
    fire(BeforeInsert, this);
    fire(BeforeScroll, this);
    d->pending.clear();
    for (const auto &field : d->fields)
        d->pending.push_back(FieldConvert::InitialValue(field->DataType()));
    d->appending = append;
    d->insertPos = append ? d->rowCount() : std::max(d->pos, 0);
    m_state = TDataSetState::dsInsert;
    Q_EMIT stateChanged();
    fire(OnNewRecord, this);
    d->modified = false;
    Q_EMIT dataSetChanged();
    Q_EMIT scrolled();
    fire(AfterInsert, this);
    fire(AfterScroll, this);
}

void TDbBaseQuery::Post()
{
    CheckActive();
    if (m_state != TDataSetState::dsEdit && m_state != TDataSetState::dsInsert)
        throw EDatabaseError(NamedMessage(QStringLiteral("Dataset not in edit or insert mode")));
    RunRecordWriters();
    fire(BeforePost, this);
    InternalPost();
    LeaveEditing();
    Q_EMIT dataSetChanged();
    Q_EMIT scrolled();
    fire(AfterPost, this);
}

void TDbBaseQuery::Cancel()
{
    if (m_state != TDataSetState::dsEdit && m_state != TDataSetState::dsInsert)
        return;
    fire(BeforeCancel, this);
    const bool wasInsert = m_state == TDataSetState::dsInsert;
    LeaveEditing();
    if (wasInsert) {
        Q_EMIT dataSetChanged();
        Q_EMIT scrolled();
    } else {
        Q_EMIT dataSetChanged();
    }
    fire(AfterCancel, this);
}

void TDbBaseQuery::LeaveEditing()
{
    d->pending.clear();
    d->modified = false;
    m_state = TDataSetState::dsBrowse;
    Q_EMIT stateChanged();
}

void TDbBaseQuery::Delete()
{
    CheckActive();
    if (m_state == TDataSetState::dsInsert) {
        Cancel();
        return;
    }
    if (d->rowCount() == 0)
        throw EDatabaseError(NamedMessage(QStringLiteral("Cannot perform this operation on an empty dataset")));
    fire(BeforeDelete, this);
    fire(BeforeScroll, this);
    InternalDelete();
    if (m_state != TDataSetState::dsBrowse)
        LeaveEditing();
    const int count = d->rowCount();
    d->bof = d->eof = count == 0;
    Q_EMIT dataSetChanged();
    Q_EMIT scrolled();
    fire(AfterDelete, this);
    fire(AfterScroll, this);
}

void TDbBaseQuery::SetRecordWriter(QObject *owner, std::function<void()> writer)
{
    auto &writers = d->recordWriters;
    std::erase_if(writers, [owner](const Impl::RecordWriter &entry) { return !entry.owner || entry.owner == owner; });
    if (owner && writer)
        writers.push_back({owner, std::move(writer)});
}

void TDbBaseQuery::RunRecordWriters()
{
    // A writer may register or remove writers; a writer whose control is gone is skipped.
    const std::vector<Impl::RecordWriter> writers = d->recordWriters;
    for (const Impl::RecordWriter &entry : writers) {
        if (entry.owner)
            entry.write();
    }
}

bool TDbBaseQuery::Modified() const
{
    return d->modified;
}

void TDbBaseQuery::CheckBrowseMode()
{
    if (m_state != TDataSetState::dsEdit && m_state != TDataSetState::dsInsert)
        return;
    RunRecordWriters();
    if (d->modified)
        Post();
    else
        Cancel();
}

TBookmark TDbBaseQuery::GetBookmark() const
{
    return d->hasCurrentRow() ? d->result->Bookmark(d->pos) : 0;
}

void TDbBaseQuery::GotoBookmark(TBookmark bookmark)
{
    CheckActive();
    CheckBrowseMode();
    const int index = d->result->IndexOfBookmark(bookmark);
    if (index < 0)
        throw EDatabaseError(QStringLiteral("Bookmark not found"));
    fire(BeforeScroll, this);
    MoveTo(index, false, false);
    fire(AfterScroll, this);
}

bool TDbBaseQuery::BookmarkValid(TBookmark bookmark) const
{
    return d->result && d->result->IndexOfBookmark(bookmark) >= 0;
}

qint64 TDbBaseQuery::RowId() const
{
    if (m_state == TDataSetState::dsInsert || !d->hasCurrentRow())
        throw EDatabaseError(QStringLiteral("No Records"));
    return d->result->Identity(d->pos);
}

int TDbBaseQuery::DisplayRowCount() const
{
    return d->rowCount() + (m_state == TDataSetState::dsInsert ? 1 : 0);
}

int TDbBaseQuery::DisplayRow() const
{
    if (m_state == TDataSetState::dsInsert)
        return d->insertPos;
    return d->hasCurrentRow() ? d->pos : -1;
}

QVariant TDbBaseQuery::DisplayValue(int row, int field) const
{
    if (field < 0 || field >= FieldCount() || row < 0)
        return {};
    if ((m_state == TDataSetState::dsInsert && row == d->insertPos) ||
        (m_state == TDataSetState::dsEdit && row == d->pos))
        return d->pending[size_t(field)];
    if (m_state == TDataSetState::dsInsert && row > d->insertPos)
        --row;
    if (row >= d->rowCount())
        return {};
    return d->result->Value(row, field);
}

qint64 TDbBaseQuery::DisplayRowId(int row) const
{
    if (row < 0)
        return -1;
    if (m_state == TDataSetState::dsInsert && row == d->insertPos)
        return std::numeric_limits<qint64>::max();
    if (m_state == TDataSetState::dsInsert && row > d->insertPos)
        --row;
    return row < d->rowCount() ? d->result->Identity(row) : -1;
}

QString TDbBaseQuery::DisplayText(int row, int field) const
{
    if (field < 0 || field >= FieldCount() || row < 0)
        return {};
    if ((m_state == TDataSetState::dsInsert && row == d->insertPos) ||
        (m_state == TDataSetState::dsEdit && row == d->pos))
        return FieldConvert::TextOfValue(d->fields[size_t(field)]->DataType(), d->pending[size_t(field)]);
    if (m_state == TDataSetState::dsInsert && row > d->insertPos)
        --row;
    if (row >= d->rowCount())
        return {};
    return d->result->Text(row, field);
}

void TDbBaseQuery::GotoDisplayRow(int row)
{
    CheckActive();
    const bool wasInsert = m_state == TDataSetState::dsInsert;
    const int place = d->insertPos;
    const int countBefore = d->rowCount();
    CheckBrowseMode();
    // A cancelled new record gives its place back to the rows after it.
    if (wasInsert && d->rowCount() == countBefore && row > place)
        --row;
    const int count = d->rowCount();
    if (count == 0)
        return;
    row = std::clamp(row, 0, count - 1);
    if (row == d->pos)
        return;
    fire(BeforeScroll, this);
    MoveTo(row, false, false);
    fire(AfterScroll, this);
}

void TDbBaseQuery::InternalPost()
{
    throw EDataLayerError(QStringLiteral("Missing TDbUpdateSQL component"));
}

void TDbBaseQuery::InternalDelete()
{
    throw EDataLayerError(QStringLiteral("Missing TDbUpdateSQL component"));
}

QVariant TDbBaseQuery::CurrentValue(int field) const
{
    if (m_state == TDataSetState::dsEdit || m_state == TDataSetState::dsInsert)
        return size_t(field) < d->pending.size() ? d->pending[size_t(field)] : QVariant();
    if (!d->hasCurrentRow() || field >= d->result->FieldCount())
        return {};
    return d->result->Value(d->pos, field);
}

void TDbBaseQuery::WriteValue(TField *field, const QVariant &value)
{
    if (m_state != TDataSetState::dsEdit && m_state != TDataSetState::dsInsert)
        throw EDatabaseError(NamedMessage(QStringLiteral("Dataset not in edit or insert mode")));
    const size_t index = size_t(field->Index());
    if (index >= d->pending.size())
        d->pending.resize(index + 1);
    d->pending[index] = value;
    d->modified = true;
    Q_EMIT fieldChanged(field);
}
