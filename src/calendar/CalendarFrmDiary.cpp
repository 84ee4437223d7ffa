// The catch diary of the selected day: the "Złowione ryby" box, the grid's rows, the
// details dialog and the deletions.
#include "calendar/CalendarFrmUnit.h"

#include "base/Exception.h"
#include "base/FolderUtils.h"
#include "base/Logging.h"
#include "base/ProgramPaths.h"
#include "calendar/DayFrmUnit.h"
#include "calendar/TMonthCalendar.h"
#include "data/TDbConnection.h"
#include "data/TDbQuery.h"
#include "data/TDbTable.h"
#include "data/TField.h"
#include "diary/CalendarStatements.h"
#include "diary/UserDataFolder.h"
#include "widgets/AppWindows.h"
#include "widgets/Platform.h"
#include "widgets/TDBCheckBox.h"
#include "widgets/TDBEdit.h"
#include "widgets/TDBGrid.h"
#include "widgets/TDBMemo.h"
#include "widgets/TDBNavigator.h"
#include "widgets/TDataSource.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <cmath>

namespace {
const QString QuestionTitle = QStringLiteral("Pytanie:");

bool IsEditing(const TDbBaseQuery *dataSet)
{
    return dataSet->State() == TDataSetState::dsEdit || dataSet->State() == TDataSetState::dsInsert;
}
} // namespace

QString TCalendarFrm::DayFolder(TDateTime day) const
{
    return UserDataFolder::PhotoFolder() + QLatin1Char('/') + DayText(day);
}

void TCalendarFrm::ShowDayCatches(TDateTime day)
{
    m_shownDay = DateOf(day);
    // A day whose rows cannot be read is greyed out rather than shown as a day without
    // catches, which the box would invite to start again. Without a database at all the
    // start-up message has said why, once.
    auto unreadable = [this] {
        dziennikTable->Close();
        CheckBox1->setChecked(false);
        CheckBox1->setEnabled(false);
        SetDiaryControlsEnabled(false);
    };
    if (!HasData()) {
        unreadable();
        return;
    }
    // One click fires both of the grid's notifications, on the press and on the
    // release; a day that has just failed to read is reported once for both.
    if (m_unreadDay == m_shownDay && m_unreadSince.isValid() && m_unreadSince.elapsed() < 1000)
        return;
    try {
        dziennikTable->SetFilter(CalendarStatements::DayFilter(day));
        dziennikTable->SetFiltered(true);
    } catch (...) {
        unreadable();
        m_unreadDay = m_shownDay;
        m_unreadSince.start();
        throw;
    }
    CheckBox1->setEnabled(true);
    CheckBox1->setChecked(!dziennikTable->IsEmpty());
    SetDiaryControlsEnabled(CheckBox1->isChecked());
}

void TCalendarFrm::SetDiaryControlsEnabled(bool on)
{
    DBGrid1->setEnabled(on);
    DBNavigator1->setEnabled(on);
    Button1->setEnabled(on);
    Button2->setEnabled(on);
}

bool TCalendarFrm::DiaryPending() const
{
    return dziennikTable->Active() && (IsEditing(dziennikTable) || DataSource1->AnyPending());
}

bool TCalendarFrm::PostDiary()
{
    if (!DiaryPending())
        return true;
    return TDataSource::Guard([this] {
        DataSource1->WritePending();
        dziennikTable->CheckBrowseMode();
    });
}

bool TCalendarFrm::SettleDiary()
{
    if (!PostDiary())
        return false;
    DropUnfilledRows();
    return true;
}

void TCalendarFrm::DiaryFileReplaced()
{
    m_startedRows.clear();
    ShowDayCatches(SelectedDay());
    RefreshMonth();
}

void TCalendarFrm::DropUnfilledRows()
{
    // The box and "+" write a row at once; one left without a species would stay in the
    // catch log, its totals and its CSV as an empty catch.
    if (m_startedRows.empty() || !HasData() || !dziennikTable->Active() || std::isnan(m_shownDay))
        return;
    const TField *species = dziennikTable->FindField(QStringLiteral("gatunek"));
    if (!species)
        return;
    bool anyWithout = false;
    for (int row = 0; row < dziennikTable->DisplayRowCount() && !anyWithout; ++row)
        anyWithout = dziennikTable->DisplayText(row, species->Index()).trimmed().isEmpty();
    if (!anyWithout)
        return;
    try {
        const qint64 current = dziennikTable->IsEmpty() ? -1 : dziennikTable->RowId();
        Query->SetSQL(CalendarStatements::DeleteUnfilledRows(m_shownDay, m_startedRows));
        Query->ExecSQL();
        ShowDayCatches(m_shownDay);
        // A day left without rows keeps no empty photo folder; one holding a photo stays.
        if (dziennikTable->IsEmpty())
            QDir().rmdir(DayFolder(m_shownDay));
        RefreshAssignedDays();
        for (int recNo = 1; recNo <= dziennikTable->GetRecordCount(); ++recNo) {
            dziennikTable->SetRecNo(recNo);
            if (dziennikTable->RowId() == current)
                break;
        }
    } catch (const std::exception &e) {
        // A locked file keeps the row until the day is left again.
        qCWarning(lcData).noquote() << "unfilled rows not dropped:" << e.what();
    }
}

void TCalendarFrm::CheckBox1MouseUp(bool tickBefore)
{
    const bool ticked = CheckBox1->isChecked();
    // Typed values of the day are posted before the day's rows are read again, and
    // rows never filled in go.
    if (!SettleDiary()) {
        CheckBox1->setChecked(tickBefore);
        return;
    }
    SetDiaryControlsEnabled(ticked);
    const TDateTime day = SelectedDay();
    if (ticked)
        TickedBranch(day);
    else
        ClearedBranch(day);
    ShowDayCatches(day);
    // The new row is there to be filled in: the keys go to its species, not to the box.
    if (ticked && dziennikTable->Active() && dziennikTable->GetRecordCount() == 1) {
        DBGrid1->setCurrentIndex(DBGrid1->model()->index(0, 0));
        DBGrid1->setFocus(Qt::OtherFocusReason);
    }
}

void TCalendarFrm::TickedBranch(TDateTime day)
{
    try {
        // The day's photo folder is made by its first photo, not here.
        Query->SetSQL(CalendarStatements::FirstDiaryRow(day, MoonPhaseOf(day)));
        Query->ExecSQL();
        m_startedRows.insert(dziennikTable->Connection()->LastInsertRowId());
        RefreshAssignedDays();
    } catch (...) {
        // The box then tells the truth about the day: ticked only when it has rows.
        ShowDayCatches(day);
        throw;
    }
}

void TCalendarFrm::ClearedBranch(TDateTime day)
{
    try {
        // A day whose only rows were never filled in has lost them already: nothing to ask.
        if (dziennikTable->Active() && dziennikTable->IsEmpty()) {
            QDir().rmdir(DayFolder(day));
        } else if (Platform::AskYesNo(
                       this, QuestionTitle,
                       QStringLiteral("Czy na pewno chcesz bezpowrotnie usunąć przypisane do tego dnia informacje?"))) {
            Query->SetSQL(CalendarStatements::DeleteDay(day));
            Query->ExecSQL();
            const QString folder = DayFolder(day);
            EmptyFolder(folder);
            QDir().rmdir(folder);
        }
        RefreshAssignedDays();
    } catch (const std::exception &) {
        // Clearing the day reports nothing; the box then follows what the table holds.
    }
}

void TCalendarFrm::Button1Click()
{
    if (!dziennikTable->Active())
        return;
    dziennikTable->Edit();
    ShowDayDialog();
}

void TCalendarFrm::Button2Click()
{
    if (!dziennikTable->Active() || !PostDiary())
        return;
    const TDateTime day = SelectedDay();
    if (dziennikTable->IsEmpty()) {
        ShowDayCatches(day);
        return;
    }
    if (!Platform::AskYesNo(this, QuestionTitle,
                            QStringLiteral("Czy na pewno chcesz bezpowrotnie usunąć informacje o tej rybie?")))
        return;
    // The catch is found by its row identity: values typed by the user never enter the
    // statement, and a twin row of the same day stays.
    Query->SetSQL(CalendarStatements::DeleteCatch(dziennikTable->RowId()));
    Query->ExecSQL();
    ShowDayCatches(day);
    RefreshAssignedDays();
}

void TCalendarFrm::DBNavigator1BeforeAction(TNavigateBtn Button, bool &handled)
{
    if (Button != TNavigateBtn::nbInsert)
        return;
    handled = true;
    DataSource1->WritePending();
    dziennikTable->Insert();
    dziennikTable->FieldByName(QStringLiteral("data"))->SetAsDateTime(SelectedDay());
    ShowDayDialog();
}

void TCalendarFrm::ShowDayDialog()
{
    TDayFrm *const dialog = Windows().DayFrm;
    if (dialog) {
        if (dialog->DataSource() != DataSource1)
            dialog->SetDataSource(DataSource1);
        const QList<QPair<TDBEdit *, QString>> bindings = {
            {dialog->DBEdit1, QStringLiteral("gatunek")},      {dialog->DBEdit2, QStringLiteral("waga")},
            {dialog->DBEdit3, QStringLiteral("dlugosc")},      {dialog->DBEdit4, QStringLiteral("miejsce")},
            {dialog->DBEdit5, QStringLiteral("przyneta")},     {dialog->DBEdit6, QStringLiteral("wiatr")},
            {dialog->DBEdit7, QStringLiteral("faza_ksiezyca")}};
        for (const auto &[edit, column] : bindings)
            edit->SetDataField(column);
        dialog->DBMemo1->SetDataField(QStringLiteral("opis"));
        dialog->DBCheckBox1->SetDataField(QStringLiteral("zabrana"));
        Platform::ShowModal(dialog);
    }
    if (dziennikTable->Active() && IsEditing(dziennikTable))
        dziennikTable->Post();
}

void TCalendarFrm::dziennikTableAfterEdit(TDbBaseQuery *)
{
    dziennikTable->FieldByName(QStringLiteral("data"))->SetAsDateTime(SelectedDay());
    // This runs on the first key typed into a cell. A locked file must not pop an error
    // box there and take the next keys; the marks on screen stay, and the post that
    // follows reports what is wrong.
    try {
        RefreshAssignedDays();
    } catch (const std::exception &e) {
        qCWarning(lcData).noquote() << "day marks not refreshed:" << e.what();
    }
}
