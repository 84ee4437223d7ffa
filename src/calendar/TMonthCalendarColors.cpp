#include "calendar/TMonthCalendarColors.h"

#include "calendar/TCustomMonthCalendar.h"

#include <QDataStream>

TMonthCalendarColors::TMonthCalendarColors(TCustomMonthCalendar *owner) : m_owner(owner) {}

TMonthCalendarColors::TMonthCalendarColors(const TMonthCalendarColors &other)
{
    CopyColors(other);
}

TMonthCalendarColors &TMonthCalendarColors::operator=(const TMonthCalendarColors &other)
{
    Assign(other);
    return *this;
}

void TMonthCalendarColors::Assign(const TMonthCalendarColors &source)
{
    if (&source == this)
        return;
    CopyColors(source);
    RepaintOwner();
}

bool TMonthCalendarColors::SameColors(const TMonthCalendarColors &other) const
{
    return m_weekendTextColor == other.m_weekendTextColor &&
           m_weekdayBackgroundColor == other.m_weekdayBackgroundColor &&
           m_dayNamesBackgroundColor == other.m_dayNamesBackgroundColor &&
           m_weekdayTextColor == other.m_weekdayTextColor && m_todayTextColor == other.m_todayTextColor &&
           m_weekendBackgroundColor == other.m_weekendBackgroundColor &&
           m_dayNamesTextColor == other.m_dayNamesTextColor &&
           m_otherMonthDayBackgroundColor == other.m_otherMonthDayBackgroundColor &&
           m_otherMonthDayTextColor == other.m_otherMonthDayTextColor;
}

void TMonthCalendarColors::Store(TColor &field, TColor value)
{
    if (field == value)
        return;
    field = value;
    RepaintOwner();
}

void TMonthCalendarColors::CopyColors(const TMonthCalendarColors &source)
{
    m_weekendTextColor = source.m_weekendTextColor;
    m_weekdayBackgroundColor = source.m_weekdayBackgroundColor;
    m_dayNamesBackgroundColor = source.m_dayNamesBackgroundColor;
    m_weekdayTextColor = source.m_weekdayTextColor;
    m_todayTextColor = source.m_todayTextColor;
    m_weekendBackgroundColor = source.m_weekendBackgroundColor;
    m_dayNamesTextColor = source.m_dayNamesTextColor;
    m_otherMonthDayBackgroundColor = source.m_otherMonthDayBackgroundColor;
    m_otherMonthDayTextColor = source.m_otherMonthDayTextColor;
}

void TMonthCalendarColors::RepaintOwner() const
{
    if (m_owner)
        m_owner->Invalidate();
}

QDataStream &operator<<(QDataStream &stream, const TMonthCalendarColors &colors)
{
    return stream << colors.m_weekendTextColor << colors.m_weekdayBackgroundColor << colors.m_dayNamesBackgroundColor
                  << colors.m_weekdayTextColor << colors.m_todayTextColor << colors.m_weekendBackgroundColor
                  << colors.m_dayNamesTextColor << colors.m_otherMonthDayBackgroundColor
                  << colors.m_otherMonthDayTextColor;
}

QDataStream &operator>>(QDataStream &stream, TMonthCalendarColors &colors)
{
    TMonthCalendarColors read;
    stream >> read.m_weekendTextColor >> read.m_weekdayBackgroundColor >> read.m_dayNamesBackgroundColor >>
        read.m_weekdayTextColor >> read.m_todayTextColor >> read.m_weekendBackgroundColor >> read.m_dayNamesTextColor >>
        read.m_otherMonthDayBackgroundColor >> read.m_otherMonthDayTextColor;
    if (stream.status() == QDataStream::Ok)
        colors.Assign(read);
    return stream;
}
