#pragma once

#include "base/DateUtils.h"
#include "calendar/TCanvas.h"

#include <QFlags>
#include <QFont>
#include <QFrame>
#include <functional>
#include <memory>

class TMonthCalendarColors;
class QKeyEvent;

enum TGridDrawStateFlag { gdSelected = 0x1, gdFocused = 0x2, gdFixed = 0x4 };
Q_DECLARE_FLAGS(TGridDrawState, TGridDrawStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridDrawState)

using TNotifyEvent = std::function<void(QObject *Sender)>;
using TPaintCellEvent =
    std::function<void(QObject *Sender, int ARow, int ACol, TRect &Rect, TGridDrawState State, TDateTime Date)>;

// A Sunday-first month grid: one row of day names over six weeks. It keeps the
// selected date (what the user committed) and the working date (the cursor cell, which
// decides the month on screen), and lets its host draw into every selectable day cell.
class TCustomMonthCalendar : public QFrame
{
    Q_OBJECT

public:
    // What one cell shows, before the host's paint callback.
    struct TCellLook
    {
        QString Text;
        TColor TextColor = clWindowText;
        TColor BackgroundColor = clWindow;
        bool Bold = false;
        bool Hatched = false;
        bool Selectable = false;
    };

    explicit TCustomMonthCalendar(QWidget *parent = nullptr);
    ~TCustomMonthCalendar() override;

    TMonthCalendarColors *CalendarColors() const { return m_calendarColors.get(); }
    void SetCalendarColors(const TMonthCalendarColors &value);
    const QFont &CalendarFont() const { return m_calendarFont; }
    void SetCalendarFont(const QFont &value);
    TDateTime SelectedDate() const { return m_selectedDate; }
    void SetSelectedDate(TDateTime value);
    TDateTime WorkingDate() const { return m_workingDate; }
    bool ShowWeekends() const { return m_showWeekends; }
    void SetShowWeekends(bool value);
    bool UseDateRanges() const { return m_useDateRanges; }
    void SetUseDateRanges(bool value);
    TDateTime MinDate() const { return m_minDate; }
    void SetMinDate(TDateTime value);
    TDateTime MaxDate() const { return m_maxDate; }
    void SetMaxDate(TDateTime value);
    bool ShowGridLines() const { return m_showGridLines; }
    void SetShowGridLines(bool value);
    // Qt always draws through a back buffer; the setting is kept for hosts that ask for it.
    bool DoubleBuffered() const { return m_doubleBuffered; }
    void SetDoubleBuffered(bool value) { m_doubleBuffered = value; }

    const TNotifyEvent &OnWorkingDateChange() const { return m_onWorkingDateChange; }
    void SetOnWorkingDateChange(TNotifyEvent handler) { m_onWorkingDateChange = std::move(handler); }
    const TNotifyEvent &OnSelectedDateChange() const { return m_onSelectedDateChange; }
    void SetOnSelectedDateChange(TNotifyEvent handler) { m_onSelectedDateChange = std::move(handler); }
    const TPaintCellEvent &OnPaintCell() const { return m_onPaintCell; }
    void SetOnPaintCell(TPaintCellEvent handler) { m_onPaintCell = std::move(handler); }

    // Same day in the neighbouring month (cut to its length), then a commit.
    void NextMonth();
    void PrevMonth();
    // Same day and month in the neighbouring year; the working date only.
    void NextYear();
    void PrevYear();

    // The day grid's drawing surface; meaningful inside the paint callback.
    TCanvas *CellCanvas() const { return m_canvas.get(); }
    // Redraws every cell (the paint callback runs again for every selectable day).
    void Invalidate();
    void Repaint();

    // True once the grid has had keyboard focus or the user's hand (a press, a key);
    // until then commits leave SelectedDate alone.
    bool FocusSeen() const { return m_focusSeen; }

    QWidget *DayGrid() const;
    int DisplayedYear() const { return m_year; }
    int DisplayedMonth() const { return m_month; }
    int MonthLength() const { return m_monthLength; }
    int CursorRow() const { return m_cursorRow; }
    int CursorCol() const { return m_cursorCol; }

    // Geometry of a cell in day grid coordinates, and the cell under a day grid point.
    TRect CellRect(int ARow, int ACol) const;
    bool MouseCell(QPoint pos, int &ARow, int &ACol) const;

    // Day of the displayed month a week cell stands for; outside 1..MonthLength for
    // the neighbouring months' days.
    int DayOfCell(int ARow, int ACol) const;
    // The cell of a date, laid out in that date's own month.
    static void CellOfDate(TDateTime date, int &ARow, int &ACol);
    bool IsSelectableCell(int ARow, int ACol) const;
    // The date of a cell's day in the displayed month.
    TDateTime CellDate(int ARow, int ACol) const;
    TCellLook CellLook(int ARow, int ACol) const;

    static TDateTime DayClampedDate(int year, int month, int day);
    TDateTime RangeClampedDate(TDateTime value) const;

protected:
    virtual void GridClick();
    virtual void GridKeyPress(QChar &Key);
    // Sets Key to 0 when it has dealt with the key.
    virtual void GridKeyDown(int &Key, Qt::KeyboardModifiers Shift);

    void MoveWorkingDate(TDateTime value);
    void CommitWorkingDate();

    void resizeEvent(QResizeEvent *event) override;

private:
    class TDayGrid;

    void LayOutMonth(TDateTime date);
    void UpdateCellSizes();
    int ColWidth(int ACol) const;
    int RowHeight(int ARow) const;
    void PaintGrid(QPainter &painter);
    void DrawCell(int ARow, int ACol, const TRect &rect, TGridDrawState state);
    void FireWorkingDateChange();
    void FireSelectedDateChange();
    void StepMonth(int delta);
    void StepYear(int delta);
    // The neighbouring cell in a direction, taken if selectable, then a commit.
    void GridMove(int rowStep, int colStep);
    void GridMoveTo(int ARow, int ACol);
    void GridMouseDown(Qt::MouseButton button, QPoint pos);
    void GridMouseMove(QPoint pos);
    void GridMouseUp(Qt::MouseButton button);
    void GridKeyEvent(QKeyEvent *event);
    bool GridHasFocus() const;

    bool m_showWeekends = true;
    quint16 m_year = 0;
    quint16 m_month = 1;
    quint16 m_firstWeekday = 1;
    quint16 m_monthLength = 31;
    bool m_focusSeen = false;
    TDateTime m_selectedDate = 0;
    TDateTime m_minDate = 0;
    TDateTime m_maxDate = 0;
    TDateTime m_workingDate = 0;
    TNotifyEvent m_onWorkingDateChange;
    TNotifyEvent m_onSelectedDateChange;
    QFont m_calendarFont;
    bool m_useDateRanges = false;
    TPaintCellEvent m_onPaintCell;
    std::unique_ptr<TMonthCalendarColors> m_calendarColors;
    bool m_showGridLines = false;
    TDayGrid *m_grid = nullptr;
    std::unique_ptr<TCanvas> m_canvas;

    int m_cursorRow = 1;
    int m_cursorCol = 0;
    bool m_leftButtonDown = false;
    bool m_doubleBuffered = false;
};
