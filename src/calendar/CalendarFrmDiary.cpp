// The catch diary of the selected day: the "Złowione ryby" box, the grid's rows, the
// details dialog and the deletions. What they do to the diary is DayDiary's; here is
// when, and what the controls then show.
#include "calendar/CalendarFrmUnit.h"

#include "base/Exception.h"
#include "base/Logging.h"
#include "calendar/DayFrmUnit.h"
#include "calendar/TCatchGuard.h"
#include "calendar/TMonthCalendar.h"
#include "data/TDbTable.h"
#include "data/TField.h"
#include "diary/DayDiary.h"
#include "widgets/AppWindows.h"
#include "widgets/Platform.h"
#include "widgets/TDBGrid.h"
#include "widgets/TDBNavigator.h"
#include "widgets/TDataSource.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>

namespace {
const QString QuestionTitle = QStringLiteral("Pytanie:");

bool IsEditing(const TDbBaseQuery *dataSet)
{
    return dataSet->State() == TDataSetState::dsEdit || dataSet->State() == TDataSetState::dsInsert;
}
} // namespace

void TCalendarFrm::ShowDayCatches(TDateTime day)
{
    // A day whose rows cannot be read is greyed out rather than shown as a day without
    // catches, which the box would invite to start again.
    bool shown = false;
    try {
        shown = m_diary->Show(ToQDate(day));
    } catch (...) {
        DayPanel->CheckBox1->setChecked(false);
        DayPanel->CheckBox1->setEnabled(false);
        SetDiaryControlsEnabled(false);
        throw;
    }
    DayPanel->CheckBox1->setEnabled(shown);
    DayPanel->CheckBox1->setChecked(shown && !dziennikTable->IsEmpty());
    SetDiaryControlsEnabled(DayPanel->CheckBox1->isChecked());
}

bool TCalendarFrm::PostDiary()
{
    if (!dziennikTable->Active() || (!IsEditing(dziennikTable) && !DataSource1->AnyPending()))
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
    if (m_diary->DropUnfilledRows()) {
        DayPanel->CheckBox1->setChecked(!dziennikTable->IsEmpty());
        SetDiaryControlsEnabled(DayPanel->CheckBox1->isChecked());
        RefreshMarksQuietly();
    }
    return true;
}

void TCalendarFrm::ShowCatch(QDate day, qint64 rowId)
{
    MonthCalendar1->SetSelectedDate(FromQDate(day));
    MonthCalendar1SelectedDateChange(MonthCalendar1);
    m_diary->SelectRow(rowId);
}

void TCalendarFrm::DiaryReplaced()
{
    CatchGuard->ReadOwnRules();
    m_diary->ForgetStartedRows();
    ShowDayCatches(SelectedDay());
    RefreshMonth();
}

void TCalendarFrm::CheckBox1MouseUp(bool tickBefore)
{
    const bool ticked = DayPanel->CheckBox1->isChecked();
    // Typed values of the day are posted before the day's rows are read again, and
    // rows never filled in go.
    if (!SettleDiary()) {
        DayPanel->CheckBox1->setChecked(tickBefore);
        return;
    }
    SetDiaryControlsEnabled(ticked);
    const TDateTime day = SelectedDay();
    if (ticked) {
        try {
            m_diary->AddFirstRow(ToQDate(day));
            RefreshAssignedDays();
        } catch (...) {
            // The box then tells the truth about the day: ticked only when it has rows.
            ShowDayCatches(day);
            throw;
        }
    } else {
        // Clearing the day reports nothing; the box then follows what the table holds.
        // A day whose only rows were never filled in has lost them already: nothing to ask.
        try {
            if (dziennikTable->Active() && dziennikTable->IsEmpty())
                QDir().rmdir(DayDiary::DayFolder(ToQDate(day)));
            else if (Platform::AskYesNo(this, QuestionTitle,
                                        QStringLiteral("Czy na pewno chcesz bezpowrotnie usunąć przypisane do tego "
                                                       "dnia informacje?")))
                m_diary->DeleteDay(ToQDate(day));
            RefreshAssignedDays();
        } catch (const std::exception &) {
        }
    }
    ShowDayCatches(day);
    if (ticked && dziennikTable->GetRecordCount() == 1)
        FocusSpecies();
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
    m_diary->DeleteCatch(dziennikTable->RowId());
    ShowDayCatches(day);
    RefreshAssignedDays();
}

void TCalendarFrm::DBNavigator1BeforeAction(TNavigateBtn Button, bool &handled)
{
    if (Button != TNavigateBtn::nbInsert)
        return;
    handled = true;
    DataSource1->WritePending();
    // At the end, where the day's next reading shows it: the grid lists catches in the
    // order they were entered.
    dziennikTable->Append();
    dziennikTable->FieldByName(QStringLiteral("data"))->SetAsDateTime(SelectedDay());
    ShowDayDialog();
    FocusSpecies();
}

void TCalendarFrm::FocusSpecies()
{
    // A row just started is there to be named: the keys go to its species.
    if (!dziennikTable->Active() || dziennikTable->IsEmpty())
        return;
    TDBGrid *const grid = DayPanel->DBGrid1;
    grid->setCurrentIndex(grid->model()->index(dziennikTable->DisplayRow(), 0));
    grid->setFocus(Qt::OtherFocusReason);
}

void TCalendarFrm::ShowDayDialog()
{
    if (TDayFrm *const dialog = Windows().DayFrm) {
        dialog->BindDiary(DataSource1);
        Platform::ShowModal(dialog);
    }
    if (dziennikTable->Active() && IsEditing(dziennikTable))
        dziennikTable->Post();
}

void TCalendarFrm::dziennikTableAfterEdit(TDbBaseQuery *)
{
    dziennikTable->FieldByName(QStringLiteral("data"))->SetAsDateTime(SelectedDay());
    // This runs on the first key typed into a cell: no error box may take the next keys.
    RefreshMarksQuietly();
}

void TCalendarFrm::RefreshMarksQuietly()
{
    // A locked file leaves the marks on screen as they were; the post that follows, or
    // the next day left, reports what is wrong.
    try {
        RefreshAssignedDays();
    } catch (const std::exception &e) {
        qCWarning(lcData).noquote() << "day marks not refreshed:" << e.what();
    }
}
