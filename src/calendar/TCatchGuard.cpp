#include "calendar/TCatchGuard.h"

#include "calendar/CalendarFrmUnit.h"
#include "calendar/DayFrmUnit.h"
#include "calendar/TMonthCalendar.h"
#include "data/TDbConnection.h"
#include "data/TDbTable.h"
#include "data/TField.h"
#include "widgets/AppWindows.h"
#include "widgets/Platform.h"
#include "widgets/TDBEdit.h"
#include "widgets/TDBGrid.h"
#include "widgets/TDBGridDelegate.h"
#include "widgets/TDataSetModel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QColor>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace {
const QString SpeciesField = QStringLiteral("gatunek");
const QString LengthField = QStringLiteral("dlugosc");

double LengthOf(const QString &text)
{
    bool ok = false;
    const double value = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).trimmed().toDouble(&ok);
    return ok ? value : 0;
}

QCompleter *MakeCompleter(QObject *parent, const QStringList &names)
{
    auto *completer = new QCompleter(names, parent);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    return completer;
}

int ColumnOf(const TDataSetModel *model, const QString &field)
{
    const auto &columns = model->ShownColumns();
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].FieldName.compare(field, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}
} // namespace

TCatchGuard::TCatchGuard(TCalendarFrm *view) : QObject(view), m_view(view)
{
    TDbTable *const table = view->dziennikTable;
    auto previous = table->AfterPost;
    table->AfterPost = [this, previous](TDbBaseQuery *dataSet) {
        if (previous)
            previous(dataSet);
        AfterPost();
    };
    view->DBGrid1->Model()->ExtraCellRole = [this](const QModelIndex &index, int role) {
        return CellRole(index, role);
    };
    view->DBGrid1->Delegate()->OnEditorCreated = [this](QLineEdit *editor, const QModelIndex &index) {
        if (m_gridCompleter && index.column() == ColumnOf(m_view->DBGrid1->Model(), SpeciesField))
            editor->setCompleter(m_gridCompleter);
    };
}

QString TCatchGuard::WarningTitle()
{
    return QStringLiteral("Ryba pod ochroną");
}

void TCatchGuard::Prepare()
{
    if (m_prepared)
        return;
    TDbConnection *const connection = m_view->dziennikTable->Connection();
    if (!connection || !connection->Connected())
        return;
    // Without the species the diary works as before, only unwatched.
    try {
        m_species = ProtectionRule::ReadSpecies(connection);
    } catch (const std::exception &) {
        return;
    }
    m_prepared = true;
    QStringList names;
    for (const SpeciesProtection &s : m_species)
        names << s.name;
    names.sort(Qt::CaseInsensitive);
    names.removeDuplicates();
    m_gridCompleter = MakeCompleter(this, names);
    // The cell editor may be fitted with the completer after it took the focus, when
    // the line edit no longer links the two: the chosen name is put in by hand, into the
    // editor while it is open (it writes its text when it closes), else into the cell.
    connect(m_gridCompleter, qOverload<const QString &>(&QCompleter::activated), this, [this](const QString &name) {
        TDBGrid *const grid = m_view->DBGrid1;
        if (QLineEdit *editor = grid->CellEditor()) {
            editor->setText(name);
            return;
        }
        const QModelIndex cell = grid->currentIndex();
        if (cell.isValid() && cell.column() == ColumnOf(grid->Model(), SpeciesField))
            grid->Model()->setData(cell, name);
    });
    if (TDayFrm *dialog = Windows().DayFrm) {
        m_dialogCompleter = MakeCompleter(this, names);
        dialog->DBEdit1->setCompleter(m_dialogCompleter);
    }
    // The completer hands Escape to the field first, and the field takes it as "undo my
    // typing": the text went and the list stayed, and a name then picked from the list
    // was no longer typing the field would save. Escape only closes the list here.
    for (QCompleter *completer : {m_gridCompleter, m_dialogCompleter})
        if (completer)
            completer->popup()->installEventFilter(this);
    m_view->DBGrid1->viewport()->update();
}

bool TCatchGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        if (auto *list = qobject_cast<QAbstractItemView *>(watched); list && list->isVisible()) {
            list->hide();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void TCatchGuard::AfterPost()
{
    TDbTable *const table = m_view->dziennikTable;
    QStringList broken;
    qint64 row = 0;
    try {
        const TField *species = table->FindField(SpeciesField);
        const TField *length = table->FindField(LengthField);
        const TField *day = table->FindField(QStringLiteral("data"));
        if (!species || !length || !day)
            return;
        broken =
            ProtectionRule::Broken(m_species, species->AsString(), day->AsDateTime(), LengthOf(length->AsString()));
        row = table->RowId();
    } catch (const std::exception &) {
        return;
    }
    const QString text = broken.join(QLatin1Char('\n'));
    if (text == m_warned.value(row))
        return;
    m_warned.insert(row, text);
    if (broken.isEmpty())
        return;
    // Told once the post has finished: the grid may be in the middle of moving rows.
    const QString message = text + QStringLiteral("\n\nPołów został zapisany w dzienniku. "
                                                  "Tę rybę należy ostrożnie wypuścić do wody.");
    QTimer::singleShot(0, this, [this, message] {
        QWidget *parent = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : m_view;
        Platform::ShowMessage(parent, WarningTitle(), message, Platform::Icon::Warning);
    });
}

QStringList TCatchGuard::BrokenInRow(int row) const
{
    const TDataSetModel *model = m_view->DBGrid1->Model();
    const int speciesColumn = ColumnOf(model, SpeciesField);
    const int lengthColumn = ColumnOf(model, LengthField);
    if (m_species.empty() || speciesColumn < 0)
        return {};
    const QString species = model->index(row, speciesColumn).data().toString();
    const double length = lengthColumn < 0 ? 0 : LengthOf(model->index(row, lengthColumn).data().toString());
    // The diary holds the rows of the selected day only.
    return ProtectionRule::Broken(m_species, species, m_view->MonthCalendar1->SelectedDate(), length);
}

QVariant TCatchGuard::CellRole(const QModelIndex &index, int role) const
{
    if (role != Qt::BackgroundRole && role != Qt::ToolTipRole)
        return {};
    const QStringList broken = BrokenInRow(index.row());
    if (broken.isEmpty())
        return {};
    if (role == Qt::BackgroundRole)
        return QColor(255, 200, 200);
    return broken.join(QLatin1Char('\n'));
}
