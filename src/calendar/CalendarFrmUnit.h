#pragma once

#include "base/DateUtils.h"
#include "calendar/TCustomMonthCalendar.h"
#include "widgets/TNavigateBtn.h"

#include <QElapsedTimer>
#include <QSet>
#include <QWidget>
#include <set>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TDataSource;
class TDBGrid;
class TDBNavigator;
class TDbBaseQuery;
class TDbQuery;
class TDbTable;
class TImage;
class TLinkLabel;
class TListView;
class TMonthCalendar;
class TCatchGuard;
class TSkyPanel;

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
    QLabel *Label64 = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    QToolButton *SpeedButton1 = nullptr;

    QFrame *DayPanel = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    TImage *Image1 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    TDBGrid *DBGrid1 = nullptr;
    TDBNavigator *DBNavigator1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    TSkyPanel *SkyPanel = nullptr;
    TCatchGuard *CatchGuard = nullptr;

    QLabel *Label11 = nullptr;
    QComboBox *ComboBox2 = nullptr;
    TLinkLabel *Label6 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    TListView *ListView1 = nullptr;

    TDbQuery *AssignedDays = nullptr;
    TDbQuery *TipsQuery = nullptr;
    TDbQuery *TipsQuery2 = nullptr;
    // Also runs the two tests' statements.
    TDbQuery *Query = nullptr;
    TDbTable *dziennikTable = nullptr;
    TDataSource *DataSource1 = nullptr;

    qint32 TipIndex = 0;

    // The moon phase a new catch of the day is written with.
    QString MoonPhaseOf(TDateTime day) const;

    // The folder of a day's catch photos, without a trailing separator.
    QString DayFolder(TDateTime day) const;

    void FormCreate();
    // Runs once, when the view first becomes visible (its first docking).
    void FormShow();
    void MonthCalendar1SelectedDateChange(QObject *Sender);
    void SpeedButton1Click();
    void SpeedButton2Click();
    void MonthCalendar1PaintCell(QObject *Sender, int ARow, int ACol, TRect &Rect, TGridDrawState State,
                                 TDateTime Date);

    void ShowTerminyOchronne(TDateTime start, TDateTime end);
    void GetPorady(int category);
    void ComboBox2Click();
    void Label6Click();

    // A mouse button was released over "Złowione ryby"; the tick is read as the click
    // left it. tickBefore is the tick the box had before the release.
    void CheckBox1MouseUp(bool tickBefore);
    void Button1Click();
    void Button2Click();
    void DBNavigator1BeforeAction(TNavigateBtn Button, bool &handled);
    void dziennikTableAfterEdit(TDbBaseQuery *DataSet);

    void RefreshAssignedDays();
    void ShowDayCatches(TDateTime day);
    void SetDiaryControlsEnabled(bool on);
    // The protected species and the tip of the selected day's month.
    void RefreshMonthPanels();
    // Everything that names the selected day's month: the marks and the month panels.
    void RefreshMonth();
    // Leaving the day's diary (another day, the catch log, closing): posts a changed
    // pending row and cancels an unchanged one, then drops the day's rows no one filled
    // in. A failed post is shown and the typed values stay; false then.
    bool SettleDiary();
    // The diary file was replaced (a restore): rows started here no longer exist.
    void DiaryFileReplaced();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void CreateControls();
    void CreateDataSets();
    void ApplyCalendarSettings();
    TDateTime SelectedDay() const;
    QString ProgramDir() const;
    bool DiaryPending() const;
    // Posts a changed pending row, cancels an unchanged one; false when the post failed.
    bool PostDiary();
    void DropUnfilledRows();
    // False while the program runs without its database.
    bool HasData() const;
    static int MonthKey(TDateTime day);
    void TickedBranch(TDateTime day);
    void ClearedBranch(TDateTime day);
    // Binds the details dialog to the diary's columns and shows it; posts what is
    // still pending once it has closed.
    void ShowDayDialog();
    void ShowTip();

    // Diary rows this view started (the box, a new row posted), by row identity.
    std::set<qint64> m_startedRows;
    bool m_postingInsert = false;
    // The diary columns written since the pending row was started or opened for editing.
    QSet<QString> m_writtenColumns;
    // The whole days that have diary rows in the month last read, for the marks.
    std::set<TDateTime> m_markedDays;
    // The day whose rows dziennikTable holds; NaN before the first.
    TDateTime m_shownDay;
    // The month whose marks and panels are on screen; -1 before the first.
    int m_panelsMonth = -1;
    bool m_followingWorkingDate = false;
    // The day whose rows last failed to read, and since when.
    TDateTime m_unreadDay = -1;
    QElapsedTimer m_unreadSince;
};
