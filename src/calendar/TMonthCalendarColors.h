#pragma once

#include "calendar/TCanvas.h"

class QDataStream;
class TCustomMonthCalendar;

// The nine colours of a month grid. A set owned by a calendar repaints it whenever one
// of its colours really changes; a free-standing set is a plain value to assign from.
class TMonthCalendarColors
{
public:
    explicit TMonthCalendarColors(TCustomMonthCalendar *owner = nullptr);
    // A copy holds the colours only; it never repaints the original's calendar.
    TMonthCalendarColors(const TMonthCalendarColors &other);
    TMonthCalendarColors &operator=(const TMonthCalendarColors &other);

    // Copies the nine colours and repaints the owner once.
    void Assign(const TMonthCalendarColors &source);

    TColor WeekdayBackgroundColor() const { return m_weekdayBackgroundColor; }
    TColor WeekdayTextColor() const { return m_weekdayTextColor; }
    TColor WeekendBackgroundColor() const { return m_weekendBackgroundColor; }
    TColor WeekendTextColor() const { return m_weekendTextColor; }
    TColor DayNamesBackgroundColor() const { return m_dayNamesBackgroundColor; }
    TColor DayNamesTextColor() const { return m_dayNamesTextColor; }
    TColor TodayTextColor() const { return m_todayTextColor; }
    TColor OtherMonthDayTextColor() const { return m_otherMonthDayTextColor; }
    TColor OtherMonthDayBackgroundColor() const { return m_otherMonthDayBackgroundColor; }

    void SetWeekdayBackgroundColor(TColor value) { Store(m_weekdayBackgroundColor, value); }
    void SetWeekdayTextColor(TColor value) { Store(m_weekdayTextColor, value); }
    void SetWeekendBackgroundColor(TColor value) { Store(m_weekendBackgroundColor, value); }
    void SetWeekendTextColor(TColor value) { Store(m_weekendTextColor, value); }
    void SetDayNamesBackgroundColor(TColor value) { Store(m_dayNamesBackgroundColor, value); }
    void SetDayNamesTextColor(TColor value) { Store(m_dayNamesTextColor, value); }
    void SetTodayTextColor(TColor value) { Store(m_todayTextColor, value); }
    void SetOtherMonthDayTextColor(TColor value) { Store(m_otherMonthDayTextColor, value); }
    void SetOtherMonthDayBackgroundColor(TColor value) { Store(m_otherMonthDayBackgroundColor, value); }

    TCustomMonthCalendar *Owner() const { return m_owner; }

    bool SameColors(const TMonthCalendarColors &other) const;

    friend QDataStream &operator<<(QDataStream &stream, const TMonthCalendarColors &colors);
    friend QDataStream &operator>>(QDataStream &stream, TMonthCalendarColors &colors);

private:
    void Store(TColor &field, TColor value);
    void CopyColors(const TMonthCalendarColors &source);
    void RepaintOwner() const;

    TColor m_weekendTextColor = clTeal;
    TColor m_weekdayBackgroundColor = clWindow;
    TColor m_dayNamesBackgroundColor = clBtnFace;
    TColor m_weekdayTextColor = clWindowText;
    TColor m_todayTextColor = clRed;
    TColor m_weekendBackgroundColor = RgbColor(225, 225, 225);
    TColor m_dayNamesTextColor = clBtnText;
    TColor m_otherMonthDayBackgroundColor = clWindow;
    TColor m_otherMonthDayTextColor = clBtnFace;
    TCustomMonthCalendar *m_owner = nullptr;
};
