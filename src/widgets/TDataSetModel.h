#pragma once

#include "widgets/DataGlyphs.h"
#include "widgets/FollowedDataSource.h"
#include "widgets/TDBGridColumn.h"
#include "widgets/TDataSource.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <array>
#include <functional>
#include <vector>

class TField;

// The rows of a data source's dataset as a table for Qt's views. The dataset stays the
// one holder of the rows: the model keeps only their number and the column layout, and
// reads every cell from the dataset when it is asked for.
class TDataSetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Vertical header: the row's DataGlyphs::RowMark as an int.
    static constexpr int IndicatorRole = Qt::UserRole + 1;

    explicit TDataSetModel(QObject *parent = nullptr);
    ~TDataSetModel() override;

    // Roles the grid's owner adds to a cell (background, tool tip); an invalid value
    // leaves the role to the model.
    std::function<QVariant(const QModelIndex &index, int role)> ExtraCellRole;

    TDataSource *DataSource() const { return m_source; }
    void SetDataSource(TDataSource *source);

    // Without columns of its own the model shows every field, titled by its name.
    void AddColumn(const TDBGridColumn &column);
    void ClearColumns();
    const std::vector<TDBGridColumn> &Columns() const { return m_columns; }
    // The columns shown now (the defined ones, or one per field).
    const std::vector<TDBGridColumn> &ShownColumns() const { return m_shown; }

    // The field a column shows, in the dataset's current record; null when missing.
    TField *FieldForColumn(int column) const;
    // The dataset's current row, -1 when none.
    int CurrentRow() const;

    // Makes the cell's row current, puts the dataset into edit state and writes the
    // text into the field. Failures of the dataset pass through.
    void WriteCell(const QModelIndex &index, const QString &text);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

Q_SIGNALS:
    // The dataset's current row is now this one (after a move or a reset).
    void currentRowChanged(int row);

private:
    void Reset();
    void OnStateChanged();
    void OnScrolled();
    void OnFieldChanged();
    int DataSetRowCount() const;
    void RebuildShownColumns();
    DataGlyphs::RowMark MarkForRow(int row) const;
    QString CellText(int row, int column) const;
    bool IsCheckColumn(int column) const;
    void AllRowsChanged();

    FollowedDataSource m_source;
    std::vector<TDBGridColumn> m_columns;
    std::vector<TDBGridColumn> m_shown;
    std::vector<int> m_fieldIndex;
    mutable std::array<QIcon, 4> m_markIcons;
    int m_rowCount = 0;
    int m_currentRow = -1;
};
