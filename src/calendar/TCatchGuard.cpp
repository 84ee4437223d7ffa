#include "calendar/TCatchGuard.h"

#include "calendar/DayFrmUnit.h"
#include "data/TDbConnection.h"
#include "data/TDbTable.h"
#include "data/TField.h"
#include "diary/CalendarStatements.h"
#include "diary/CatchLog.h"
#include "diary/DayDiary.h"
#include "diary/Waters.h"
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
const QString PlaceField = QStringLiteral("miejsce");

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

TCatchGuard::TCatchGuard(DayDiary *diary, TDBGrid *grid, QObject *parent)
    : QObject(parent), m_diary(diary), m_grid(grid)
{
    TDbTable *const table = diary->Table();
    auto previous = table->AfterPost;
    table->AfterPost = [this, previous](TDbBaseQuery *dataSet) {
        if (previous)
            previous(dataSet);
        AfterPost();
    };
    grid->Model()->ExtraCellRole = [this](const QModelIndex &index, int role) { return CellRole(index, role); };
    grid->Delegate()->OnEditorCreated = [this](QLineEdit *editor, const QModelIndex &index) {
        if (m_gridCompleter && index.column() == ColumnOf(m_grid->Model(), SpeciesField))
            editor->setCompleter(m_gridCompleter);
        if (m_placeCompleter && index.column() == ColumnOf(m_grid->Model(), PlaceField))
            editor->setCompleter(m_placeCompleter);
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
    TDbConnection *const connection = m_diary->Table()->Connection();
    if (!connection || !connection->Connected())
        return;
    // Without the species the diary works as before, only unwatched.
    try {
        m_species = ProtectionRule::ReadSpecies(connection);
    } catch (const std::exception &) {
        return;
    }
    m_prepared = true;
    ReadOwnRules();
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
        TDBGrid *const grid = m_grid;
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
    m_grid->viewport()->update();
}

void TCatchGuard::ReadOwnRules()
{
    TDbConnection *const connection = m_diary->Table()->Connection();
    if (!connection || !connection->Connected())
        return;
    Permit permit;
    std::vector<Water> waters;
    // A diary that cannot say is held to the national rules alone.
    try {
        permit = Permit::Read(*connection);
        waters = Waters::Read(*connection);
    } catch (const std::exception &) {
    }
    m_rules = CatchRules(m_species, permit);
    QStringList places;
    for (const Water &water : waters)
        places << water.name;
    delete m_placeCompleter;
    m_placeCompleter = MakeCompleter(this, places);
    m_placeCompleter->popup()->installEventFilter(this);
    if (TDayFrm *dialog = Windows().DayFrm)
        dialog->DBEdit4->setCompleter(m_placeCompleter);
    m_grid->viewport()->update();
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
    TDbTable *const table = m_diary->Table();
    QStringList broken;
    qint64 row = 0;
    // The posted catch is judged with the others of its day as stored, in the order they
    // were entered, so that a daily limit counts what came before it.
    try {
        TDbConnection *const connection = table->Connection();
        const TField *day = table->FindField(QStringLiteral("data"));
        if (!connection || !day)
            return;
        row = table->RowId();
        const std::vector<CatchRecord> records =
            CatchLog::ReadRecords(*connection, CalendarStatements::DayFilter(day->AsDateTime()));
        const std::vector<QStringList> judged = m_rules.Judge(records);
        for (size_t i = 0; i < records.size(); ++i)
            if (records[i].rowId == row)
                broken = judged[i];
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
        QWidget *parent = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : m_grid->window();
        Platform::ShowMessage(parent, WarningTitle(), message, Platform::Icon::Warning);
    });
}

QStringList TCatchGuard::BrokenInRow(int row) const
{
    const TDataSetModel *model = m_grid->Model();
    const int speciesColumn = ColumnOf(model, SpeciesField);
    const int lengthColumn = ColumnOf(model, LengthField);
    const int weightColumn = ColumnOf(model, QStringLiteral("waga"));
    const int keptColumn = ColumnOf(model, QStringLiteral("zabrana"));
    if (speciesColumn < 0 || row < 0 || row >= model->rowCount())
        return {};
    // The grid holds the rows of the selected day only; they are counted in the order
    // they were entered, the row being typed last and as it stands.
    const QString day = DayText(FromQDate(m_diary->Day()));
    std::vector<CatchRecord> records(size_t(model->rowCount()));
    for (int r = 0; r < model->rowCount(); ++r) {
        CatchRecord &record = records[size_t(r)];
        record.rowId = m_diary->Table()->DisplayRowId(r);
        record.day = day;
        record.species = model->index(r, speciesColumn).data().toString();
        record.length = lengthColumn < 0 ? 0 : LengthOf(model->index(r, lengthColumn).data().toString());
        record.weight = weightColumn < 0 ? 0 : LengthOf(model->index(r, weightColumn).data().toString());
        record.kept = keptColumn < 0 || model->index(r, keptColumn).data(Qt::CheckStateRole).toInt() != Qt::Unchecked;
    }
    return m_rules.Judge(records)[size_t(row)];
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
