#include "widgets/TDBGrid.h"

#include "data/TDbBaseQuery.h"
#include "widgets/TDBGridDelegate.h"
#include "widgets/TDataSetModel.h"
#include "widgets/TDataSource.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>

TDBGrid::TDBGrid(QWidget *parent)
    : QTableView(parent), m_model(new TDataSetModel(this)), m_delegate(new TDBGridDelegate(this))
{
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(true);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);

    const int lineHeight = fontMetrics().height() + 5;
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setMinimumSectionSize(8);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(lineHeight);
    verticalHeader()->setDefaultSectionSize(lineHeight);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setFixedWidth(14);
    verticalHeader()->setIconSize(QSize(9, 12));

    m_delegate->BeforeTyping = [this] { return BeforeTyping(); };
    m_delegate->OnTyped = [this] { OnTyped(); };
    connect(m_model, &TDataSetModel::currentRowChanged, this, &TDBGrid::FollowDataSet);
    connect(m_model, &QAbstractItemModel::modelReset, this, &TDBGrid::ApplyColumnWidths);
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, &TDBGrid::OnFocusChanged);
}

TDBGrid::~TDBGrid()
{
    // The application's connection would outlive this part of the object: destroying the
    // widget base moves the focus away from the grid and would still call the slot.
    disconnect(m_focusWatch);
}

TDataSource *TDBGrid::DataSource() const
{
    return m_model->DataSource();
}

void TDBGrid::SetDataSource(TDataSource *source)
{
    if (TDataSource *old = m_model->DataSource()) {
        old->ClearPending(this);
        disconnect(old, nullptr, this, nullptr);
    }
    m_model->SetDataSource(source);
    if (source)
        connect(source, &TDataSource::stateChanged, this, &TDBGrid::OnStateChanged);
}

void TDBGrid::AddColumn(const QString &fieldName, const QString &title, int width)
{
    m_model->AddColumn({fieldName, title, width});
}

void TDBGrid::ClearColumns()
{
    m_model->ClearColumns();
}

void TDBGrid::AddCheckColumn(const QString &fieldName, const QString &title, int width)
{
    m_model->AddColumn({fieldName, title, width, true});
}

int TDBGrid::ColumnCount() const
{
    return static_cast<int>(m_model->Columns().size());
}

const TDBGridColumn &TDBGrid::Column(int index) const
{
    return m_model->Columns().at(index);
}

QLineEdit *TDBGrid::CellEditor() const
{
    return m_delegate->OpenEditor();
}

void TDBGrid::WriteEditorText()
{
    if (!m_delegate->EditorTyped()) {
        if (DataSource())
            DataSource()->ClearPending(this);
        return;
    }
    m_model->WriteCell(m_delegate->EditorIndex(), m_delegate->OpenEditor()->text());
    m_delegate->MarkWritten();
    if (DataSource())
        DataSource()->ClearPending(this);
}

void TDBGrid::keyPressEvent(QKeyEvent *event)
{
    // Text keys that reach the grid while a cell editor is open belong in that editor.
    QLineEdit *editor = CellEditor();
    if (editor && !m_forwarding && !event->text().isEmpty() && event->text().at(0).isPrint()) {
        m_forwarding = true;
        QCoreApplication::sendEvent(editor, event);
        m_forwarding = false;
        return;
    }
    TDataSource *source = DataSource();
    TDbBaseQuery *dataSet = source && source->Active() ? source->DataSet() : nullptr;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    // Ctrl+Tab and Ctrl+Shift+Tab leave the grid from any cell, the usual way out of a
    // widget that keeps Tab for itself; the open cell keeps what was typed into it.
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) && (modifiers & Qt::ControlModifier)) {
        if (QLineEdit *open = CellEditor()) {
            commitData(open);
            closeEditor(open, QAbstractItemDelegate::NoHint);
        }
        QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab && !(modifiers & Qt::ShiftModifier));
        return;
    }
    if (dataSet && event->key() == Qt::Key_Delete && modifiers == Qt::ControlModifier) {
        if (!dataSet->IsEmpty() || dataSet->State() == TDataSetState::dsInsert)
            TDataSource::Guard([dataSet] { dataSet->Delete(); });
        return;
    }
    if (dataSet && event->key() == Qt::Key_Insert && modifiers == Qt::NoModifier) {
        TDataSource::Guard([this, source, dataSet] {
            source->WritePending();
            dataSet->Insert();
        });
        return;
    }
    if (dataSet && event->key() == Qt::Key_Down && modifiers == Qt::NoModifier &&
        (m_model->rowCount() == 0 || currentIndex().row() == m_model->rowCount() - 1)) {
        AppendRow();
        return;
    }
    if (dataSet && event->key() == Qt::Key_Escape && source->Editing()) {
        TDataSource::Guard([dataSet] { dataSet->Cancel(); });
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid() &&
        state() != QAbstractItemView::EditingState) {
        edit(currentIndex());
        return;
    }
    QTableView::keyPressEvent(event);
}

void TDBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // The base commits and closes the editor of the cell being left before the dataset
    // moves, so the typed value belongs to the row it was typed in.
    QTableView::currentChanged(current, previous);
    if (current.isValid())
        m_column = current.column();
    if (m_following || !current.isValid())
        return;
    TDataSource *source = DataSource();
    if (!source || !source->Active() || current.row() == source->DataSet()->DisplayRow())
        return;
    TDbBaseQuery *dataSet = source->DataSet();
    const int row = current.row();
    TDataSource::Guard([source, dataSet, row] {
        source->WritePending();
        dataSet->GotoDisplayRow(row);
    });
    FollowDataSet(m_model->CurrentRow());
}

void TDBGrid::commitData(QWidget *editor)
{
    QTableView::commitData(editor);
    if (editor == m_delegate->OpenEditor()) {
        m_delegate->MarkWritten();
        if (DataSource())
            DataSource()->ClearPending(this);
    }
}

void TDBGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    // Tab in the editor of the last cell (Shift+Tab in the first) would start over at the
    // other end of the grid and hold the keyboard user in it: it leaves the grid instead.
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    if ((next || hint == QAbstractItemDelegate::EditPreviousItem) && AtEdge(next)) {
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        if (DataSource() && !m_delegate->EditorTyped())
            DataSource()->ClearPending(this);
        QWidget::focusNextPrevChild(next);
        return;
    }
    QTableView::closeEditor(editor, hint);
    if (DataSource() && !m_delegate->EditorTyped())
        DataSource()->ClearPending(this);
}

bool TDBGrid::BeforeTyping()
{
    TDataSource *source = DataSource();
    if (!source || !source->Active() || !m_model->FieldForColumn(m_delegate->EditorIndex().column()))
        return false;
    bool editing = false;
    TDataSource::Guard([&] {
        const int row = m_delegate->EditorIndex().row();
        if (row != source->DataSet()->DisplayRow())
            source->DataSet()->GotoDisplayRow(row);
        editing = source->Edit();
    });
    return editing;
}

void TDBGrid::OnTyped()
{
    if (TDataSource *source = DataSource())
        source->SetPending(this, [this] { WriteEditorText(); });
}

void TDBGrid::FollowDataSet(int row)
{
    if (row < 0 || row >= m_model->rowCount() || currentIndex().row() == row)
        return;
    // A re-read of the rows loses the view's current cell; the column stays the one
    // the user was in.
    const int column = qBound(0, m_column, qMax(0, m_model->columnCount() - 1));
    m_following = true;
    setCurrentIndex(m_model->index(row, column));
    m_following = false;
}

void TDBGrid::ApplyColumnWidths()
{
    const auto &columns = m_model->ShownColumns();
    for (int i = 0; i < static_cast<int>(columns.size()); ++i)
        setColumnWidth(i, columns[i].Width);
}

void TDBGrid::AppendRow()
{
    TDataSource *source = DataSource();
    TDbBaseQuery *dataSet = source->DataSet();
    // An untouched new row at the end is where Down stops: no second empty row.
    if (dataSet->State() == TDataSetState::dsInsert && !dataSet->Modified() && !m_delegate->EditorTyped())
        return;
    if (QLineEdit *editor = m_delegate->OpenEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    TDataSource::Guard([source, dataSet] {
        source->WritePending();
        dataSet->Append();
    });
}

void TDBGrid::OnFocusChanged(QWidget *old, QWidget *now)
{
    // Leaving the grid for another control of the same window drops a new row nobody
    // typed into; a window coming up in front (a dialog filling that very row) does not.
    if (!old || !now || !Owns(old) || Owns(now) || now->window() != window())
        return;
    TDataSource *source = DataSource();
    if (!source || source->State() != TDataSetState::dsInsert || source->HasPending(this))
        return;
    TDbBaseQuery *dataSet = source->DataSet();
    if (!dataSet->Modified())
        TDataSource::Guard([dataSet] { dataSet->Cancel(); });
}

void TDBGrid::OnStateChanged()
{
    // A cancelled record takes the typed but unwritten cell text with it.
    TDataSource *source = DataSource();
    if (source && !source->Editing() && m_delegate->EditorTyped())
        closeEditor(m_delegate->OpenEditor(), QAbstractItemDelegate::RevertModelCache);
}

bool TDBGrid::Owns(const QWidget *widget) const
{
    return widget == this || isAncestorOf(widget);
}

bool TDBGrid::focusNextPrevChild(bool next)
{
    // Tab moves across the cells, and past the last cell (Shift+Tab before the first) it
    // leaves the grid, so that a keyboard user is never held in it.
    if (AtEdge(next) && state() != EditingState)
        return QWidget::focusNextPrevChild(next);
    return QTableView::focusNextPrevChild(next);
}

bool TDBGrid::AtEdge(bool next) const
{
    const QModelIndex current = currentIndex();
    const int rows = model() ? model()->rowCount() : 0;
    const int columns = model() ? model()->columnCount() : 0;
    return !current.isValid() || (next ? current.row() == rows - 1 && current.column() == columns - 1
                                       : current.row() == 0 && current.column() == 0);
}
