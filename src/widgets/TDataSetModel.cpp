#include "widgets/TDataSetModel.h"

#include "data/FieldConvert.h"

#include "data/TDbBaseQuery.h"
#include "data/TField.h"
#include "widgets/TDataSource.h"

TDataSetModel::TDataSetModel(QObject *parent)
    : QAbstractTableModel(parent), m_source(this, {.dataSetChanged = [this] { Reset(); },
                                                   .stateChanged = [this] { OnStateChanged(); },
                                                   .scrolled = [this] { OnScrolled(); },
                                                   .fieldChanged = [this](TField *) { OnFieldChanged(); },
                                                   .destroyed = [this] { Reset(); }})
{
}

TDataSetModel::~TDataSetModel() = default;

void TDataSetModel::SetDataSource(TDataSource *source)
{
    if (m_source.Follow(source))
        Reset();
}

void TDataSetModel::AddColumn(const TDBGridColumn &column)
{
    m_columns.push_back(column);
    Reset();
}

void TDataSetModel::ClearColumns()
{
    m_columns.clear();
    Reset();
}

TField *TDataSetModel::FieldForColumn(int column) const
{
    if (column < 0 || column >= static_cast<int>(m_fieldIndex.size()) || m_fieldIndex[column] < 0)
        return nullptr;
    if (!m_source || !m_source->Active())
        return nullptr;
    TDbBaseQuery *dataSet = m_source->DataSet();
    if (m_fieldIndex[column] >= dataSet->FieldCount())
        return nullptr;
    return dataSet->Fields(m_fieldIndex[column]);
}

int TDataSetModel::CurrentRow() const
{
    return m_source && m_source->Active() ? m_source->DataSet()->DisplayRow() : -1;
}

void TDataSetModel::WriteCell(const QModelIndex &index, const QString &text)
{
    if (!index.isValid() || !m_source || !m_source->Active())
        return;
    TDbBaseQuery *dataSet = m_source->DataSet();
    if (index.row() != dataSet->DisplayRow())
        dataSet->GotoDisplayRow(index.row());
    if (!m_source->Edit())
        return;
    if (TField *field = FieldForColumn(index.column()))
        field->SetAsString(text);
}

int TDataSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int TDataSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

QVariant TDataSetModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const bool check = IsCheckColumn(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return check ? QVariant() : QVariant(CellText(index.row(), index.column()));
    case Qt::CheckStateRole:
        if (!check)
            return ExtraCellRole ? ExtraCellRole(index, role) : QVariant();
        // A diary without the column shows no box rather than an empty one.
        if (!FieldForColumn(index.column()))
            return {};
        return CellText(index.row(), index.column()).replace(QLatin1Char(','), QLatin1Char('.')).toDouble() != 0
                   ? QVariant(Qt::Checked)
                   : QVariant(Qt::Unchecked);
    case Qt::TextAlignmentRole: {
        const TField *field = FieldForColumn(index.column());
        if (!field)
            return {};
        switch (field->DataType()) {
        case TFieldType::ftInteger:
        case TFieldType::ftFloat:
        case TFieldType::ftCurrency:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        default:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        }
    }
    default:
        return ExtraCellRole ? ExtraCellRole(index, role) : QVariant();
    }
}

bool TDataSetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    if (role == Qt::CheckStateRole && IsCheckColumn(index.column())) {
        const bool ticked = value.toInt() == Qt::Checked;
        return TDataSource::Guard([&] { WriteCell(index, ticked ? QStringLiteral("1") : QStringLiteral("0")); });
    }
    if (role != Qt::EditRole)
        return false;
    const QString text = value.toString();
    // An editor closed without a change must leave the row alone: writing the same
    // text would mark a new row as changed and keep it instead of dropping it.
    if (text == CellText(index.row(), index.column()))
        return true;
    return TDataSource::Guard([&] { WriteCell(index, text); });
}

QVariant TDataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= static_cast<int>(m_shown.size()))
            return {};
        if (role == Qt::DisplayRole)
            return m_shown[section].Title;
        return {};
    }
    if (section < 0 || section >= m_rowCount)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString();
    case Qt::DecorationRole: {
        QIcon &icon = m_markIcons[static_cast<std::size_t>(MarkForRow(section))];
        if (icon.isNull())
            icon = DataGlyphs::RowIndicator(MarkForRow(section));
        return icon;
    }
    case IndicatorRole:
        return static_cast<int>(MarkForRow(section));
    default:
        return {};
    }
}

Qt::ItemFlags TDataSetModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (FieldForColumn(index.column()))
        result |= IsCheckColumn(index.column()) ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
    return result;
}

void TDataSetModel::Reset()
{
    beginResetModel();
    RebuildShownColumns();
    m_rowCount = DataSetRowCount();
    m_currentRow = CurrentRow();
    endResetModel();
    Q_EMIT currentRowChanged(m_currentRow);
}

void TDataSetModel::OnStateChanged()
{
    // A pending record appears or goes away with the state; the dataset has already
    // changed by the time it says so, so a changed row count is announced as a re-read.
    if (DataSetRowCount() != m_rowCount) {
        Reset();
        return;
    }
    AllRowsChanged();
    OnScrolled();
}

void TDataSetModel::OnScrolled()
{
    if (DataSetRowCount() != m_rowCount) {
        Reset();
        return;
    }
    const int previous = m_currentRow;
    m_currentRow = CurrentRow();
    if (previous >= 0 && previous < m_rowCount)
        Q_EMIT headerDataChanged(Qt::Vertical, previous, previous);
    if (m_currentRow >= 0 && m_currentRow < m_rowCount)
        Q_EMIT headerDataChanged(Qt::Vertical, m_currentRow, m_currentRow);
    if (previous != m_currentRow)
        Q_EMIT currentRowChanged(m_currentRow);
}

void TDataSetModel::OnFieldChanged()
{
    const int row = CurrentRow();
    if (row >= 0 && row < m_rowCount && !m_shown.empty())
        Q_EMIT dataChanged(index(row, 0), index(row, static_cast<int>(m_shown.size()) - 1));
}

int TDataSetModel::DataSetRowCount() const
{
    return m_source && m_source->Active() ? m_source->DataSet()->DisplayRowCount() : 0;
}

void TDataSetModel::RebuildShownColumns()
{
    m_shown.clear();
    m_fieldIndex.clear();
    TDbBaseQuery *dataSet = m_source && m_source->Active() ? m_source->DataSet() : nullptr;
    if (m_columns.empty()) {
        if (!dataSet)
            return;
        for (int i = 0; i < dataSet->FieldCount(); ++i) {
            const QString name = dataSet->Fields(i)->FieldName();
            m_shown.push_back({name, name, 64});
            m_fieldIndex.push_back(i);
        }
        return;
    }
    m_shown = m_columns;
    for (const TDBGridColumn &column : m_columns) {
        const TField *field = dataSet ? dataSet->FindField(column.FieldName) : nullptr;
        m_fieldIndex.push_back(field ? field->Index() : -1);
    }
}

DataGlyphs::RowMark TDataSetModel::MarkForRow(int row) const
{
    if (row != m_currentRow || !m_source)
        return DataGlyphs::RowMark::None;
    switch (m_source->State()) {
    case TDataSetState::dsEdit:
        return DataGlyphs::RowMark::Edit;
    case TDataSetState::dsInsert:
        return DataGlyphs::RowMark::Insert;
    case TDataSetState::dsBrowse:
        return DataGlyphs::RowMark::Current;
    case TDataSetState::dsInactive:
        break;
    }
    return DataGlyphs::RowMark::None;
}

bool TDataSetModel::IsCheckColumn(int column) const
{
    return column >= 0 && column < static_cast<int>(m_shown.size()) && m_shown[size_t(column)].Check;
}

QString TDataSetModel::CellText(int row, int column) const
{
    if (!m_source || !m_source->Active() || column < 0 || column >= static_cast<int>(m_fieldIndex.size()))
        return {};
    const int fieldIndex = m_fieldIndex[column];
    TDbBaseQuery *dataSet = m_source->DataSet();
    if (fieldIndex < 0 || fieldIndex >= dataSet->FieldCount() || row >= dataSet->DisplayRowCount())
        return {};
    // The row being edited shows what has been entered so far.
    const TField *field = dataSet->Fields(fieldIndex);
    if (row == dataSet->DisplayRow() && m_source->Editing())
        return FieldConvert::ShownText(field->DataType(), field->AsString());
    return FieldConvert::ShownText(field->DataType(), dataSet->DisplayText(row, fieldIndex));
}

void TDataSetModel::AllRowsChanged()
{
    if (m_rowCount > 0 && !m_shown.empty())
        Q_EMIT dataChanged(index(0, 0), index(m_rowCount - 1, static_cast<int>(m_shown.size()) - 1));
    if (m_rowCount > 0)
        Q_EMIT headerDataChanged(Qt::Vertical, 0, m_rowCount - 1);
}
