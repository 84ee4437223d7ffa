#pragma once

#include "base/DateUtils.h"
#include "calendar/CalendarDayPanel.h"
#include "calendar/MonthStrip.h"
#include "calendar/TCatchGuard.h"
#include "calendar/TCustomMonthCalendar.h"
#include "widgets/TNavigateBtn.h"

#include <QWidget>
#include <set>

class TDataSource;
class TDbBaseQuery;
class TDbQuery;
class TDbTable;
class TMonthCalendar;
class DayDiary;

// The calendar view the program starts on: the month grid with its day marks, the
// selected day's catch diary, the tips of a category and the species under protection
// in the selected day's month. The selected day is always the grid's SelectedDate.
class TCalendarFrm : public QWidget
{
    Q_OBJECT

public:
    explicit TCalendarFrm(QWidget *parent = nullptr);
    ~TCalendarFrm() override;

    QLabel *MonthNameLabel = nullptr;
    QLabel *YearLabel = nullptr;
    TMonthCalendar *MonthCalendar1 = nullptr;
    CalendarDayPanel *DayPanel = nullptr;
    TCatchGuard *CatchGuard = nullptr;
    MonthStrip *MonthPanels = nullptr;

    TDbQuery *AssignedDays = nullptr;
    TDbTable *dziennikTable = nullptr;
    TDataSource *DataSource1 = nullptr;

    // Leaving the day's diary (another view, the catch log, closing): posts a changed
    // pending row and cancels an unchanged one, then drops the day's rows no one filled
    // in. A failed post is shown and the typed values stay; false then.
    bool SettleDiary();
    // Selects a day and makes one of its catches the current row.
    void ShowCatch(QDate day, qint64 rowId);
    // The diary file was replaced (a restore).
    void DiaryReplaced();
    // The angler's permit or waters were edited.
    void OwnRulesChanged() { CatchGuard->ReadOwnRules(); }

    void FormCreate();
    void FormShow();
    void MonthCalendar1SelectedDateChange(QObject *Sender);
    void SpeedButton1Click();
    void SpeedButton2Click();
    void MonthCalendar1PaintCell(QObject *Sender, int ARow, int ACol, TRect &Rect, TGridDrawState State,
                                 TDateTime Date);

    void ShowTerminyOchronne(TDateTime start, TDateTime end) { MonthPanels->ShowTerminyOchronne(start, end); }
    void GetPorady(int category) { MonthPanels->GetPorady(category); }
    void ComboBox2Click() { RefreshMonthPanels(); }
    void Label6Click() { MonthPanels->Label6Click(); }

    // A mouse button was released over "Złowione ryby"; the tick is read as the click
    // left it. tickBefore is the tick the box had before the release.
    void CheckBox1MouseUp(bool tickBefore);
    void Button1Click();
    void Button2Click();
    void DBNavigator1BeforeAction(TNavigateBtn Button, bool &handled);
    void dziennikTableAfterEdit(TDbBaseQuery *DataSet);

    void RefreshAssignedDays();
    void ShowDayCatches(TDateTime day);
    void SetDiaryControlsEnabled(bool on) { DayPanel->SetDiaryControlsEnabled(on); }
    // The protected species and the tip of the selected day's month.
    void RefreshMonthPanels();
    // Everything that names the selected day's month: the marks and the month panels.
    void RefreshMonth();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void CreateControls();
    void CreateDataSets();
    void ApplyCalendarSettings();
    TDateTime SelectedDay() const;
    // Posts a changed pending row, cancels an unchanged one; false when the post failed.
    bool PostDiary();
    // Shows the details dialog on the current row; posts what is pending once it closes.
    void ShowDayDialog();
    void RefreshMarksQuietly();
    void FocusSpecies();

    DayDiary *m_diary = nullptr;
    // The whole days that have diary rows in the month last read, for the marks.
    std::set<TDateTime> m_markedDays;
    // The first day of the month whose marks and panels are on screen; -1 before the first.
    TDateTime m_panelsMonth = -1;
    bool m_followingWorkingDate = false;
};
