#include "diary/OpenedCatch.h"

#include "data/TDbBaseQuery.h"
#include "data/TField.h"
#include "diary/DiaryColumns.h"

namespace {
std::optional<QString> ValueOf(const TField &field)
{
    return field.IsNull() ? std::nullopt : std::optional<QString>(field.AsString());
}
} // namespace

OpenedCatch::OpenedCatch(TDbBaseQuery *dataSet, QObject *parent) : QObject(parent), m_dataSet(dataSet)
{
    if (!dataSet || !dataSet->Active())
        return;
    if (dataSet->State() == TDataSetState::dsInsert) {
        m_inserted = true;
        m_insertPending = true;
        for (int row = 0; row < dataSet->DisplayRowCount(); ++row) {
            if (row != dataSet->DisplayRow())
                m_rowsBefore.insert(dataSet->DisplayRowId(row));
        }
        connect(dataSet, &TDbBaseQuery::stateChanged, this, &OpenedCatch::FollowNewRow);
        return;
    }
    if (dataSet->IsEmpty())
        return;
    m_rowId = dataSet->RowId();
    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        const TField *field = dataSet->Fields(i);
        m_values.emplace_back(field->FieldName(), ValueOf(*field));
    }
    if (const TField *photo = dataSet->FindField(DiaryColumns::Name(DiaryColumns::Foto)))
        m_photo = photo->AsString();
}

void OpenedCatch::FollowNewRow()
{
    if (!m_insertPending || !m_dataSet || m_dataSet->State() == TDataSetState::dsInsert)
        return;
    m_insertPending = false;
    // Written, the new catch is the current row; dropped, the row it stood by is.
    if (m_dataSet->State() == TDataSetState::dsBrowse && !m_dataSet->IsEmpty() &&
        !m_rowsBefore.contains(m_dataSet->RowId()))
        m_rowId = m_dataSet->RowId();
}

QStringList OpenedCatch::Restore()
{
    TDbBaseQuery *const dataSet = m_dataSet;
    if (!dataSet || !dataSet->Active())
        return {};
    const QString photoColumn = DiaryColumns::Name(DiaryColumns::Foto);
    QStringList photos;
    if (const TField *photo = dataSet->FindField(photoColumn); photo && dataSet->State() != TDataSetState::dsBrowse)
        photos << photo->AsString();
    dataSet->Cancel();
    if (!m_rowId || !GoToRow(*m_rowId))
        return photos;
    if (const TField *photo = dataSet->FindField(photoColumn))
        photos << photo->AsString();
    if (m_inserted) {
        dataSet->Delete();
        m_rowId.reset();
        return photos;
    }
    std::vector<std::pair<TField *, std::optional<QString>>> changed;
    for (const auto &[name, value] : m_values) {
        if (TField *field = dataSet->FindField(name); field && ValueOf(*field) != value)
            changed.emplace_back(field, value);
    }
    if (changed.empty())
        return photos;
    dataSet->Edit();
    for (const auto &[field, value] : changed) {
        if (value)
            field->SetAsString(*value);
        else
            field->Clear();
    }
    dataSet->Post();
    return photos;
}

bool OpenedCatch::GoToRow(qint64 rowId)
{
    for (int row = 0; row < m_dataSet->DisplayRowCount(); ++row) {
        if (m_dataSet->DisplayRowId(row) == rowId) {
            m_dataSet->GotoDisplayRow(row);
            return true;
        }
    }
    return false;
}
