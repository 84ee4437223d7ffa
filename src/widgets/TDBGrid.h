#pragma once

#include "widgets/TDBGridColumn.h"

#include <QTableView>

class QLineEdit;
class TDataSource;
class TDataSetModel;
class TDBGridDelegate;

// A grid of the rows of a data source's dataset: one line per row, the current row
// marked in the indicator column, cells edited in place.
class TDBGrid : public QTableView
{
    Q_OBJECT

public:
    explicit TDBGrid(QWidget *parent = nullptr);
    ~TDBGrid() override;

    TDataSource *DataSource() const;
    void SetDataSource(TDataSource *source);

    void AddColumn(const QString &fieldName, const QString &title, int width);
    void AddCheckColumn(const QString &fieldName, const QString &title, int width);
    void ClearColumns();
    int ColumnCount() const;
    const TDBGridColumn &Column(int index) const;

    TDataSetModel *Model() const { return m_model; }
    TDBGridDelegate *Delegate() const { return m_delegate; }
    // The open cell editor, or null.
    QLineEdit *CellEditor() const;

    // Writes the text typed into the open cell editor into its field; throws when it
    // does not convert.
    void WriteEditorText();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void commitData(QWidget *editor) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    bool BeforeTyping();
    void OnTyped();
    void FollowDataSet(int row);
    void ApplyColumnWidths();
    void AppendRow();
    void OnFocusChanged(QWidget *old, QWidget *now);
    void OnStateChanged();
    bool Owns(const QWidget *widget) const;
    // The current cell is the last one (next) or the first one, where Tab leaves the grid.
    bool AtEdge(bool next) const;

    TDataSetModel *m_model;
    TDBGridDelegate *m_delegate;
    bool m_following = false;
    bool m_forwarding = false;
    int m_column = 0;
    QMetaObject::Connection m_focusWatch;
};
