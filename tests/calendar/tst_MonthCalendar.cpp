#include "base/CalendarNames.h"
#include "base/Clock.h"
#include "base/Exception.h"
#include "calendar/TMonthCalendar.h"
#include "calendar/TMonthCalendarColors.h"
#include "support/TestSupport.h"

#include <QDataStream>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QtTest>
#include <memory>

namespace {

TDateTime Day(int year, int month, int day)
{
    return EncodeDate(year, month, day);
}

struct PaintCall
{
    int row;
    int col;
    TRect rect;
    TGridDrawState state;
    TDateTime date;
    QObject *sender;
};

// A calendar set up the way the calendar view sets it up, recording what it reports.
struct Host
{
    std::unique_ptr<TMonthCalendar> cal = std::make_unique<TMonthCalendar>();
    QStringList log;
    QList<PaintCall> paints;

    Host()
    {
        cal->setObjectName(QStringLiteral("MonthCalendar1"));
        cal->resize(500, 292);
        TMonthCalendarColors colors;
        colors.SetWeekdayTextColor(clBlack);
        colors.SetWeekendBackgroundColor(RgbColor(208, 220, 223));
        colors.SetDayNamesBackgroundColor(clSilver);
        colors.SetOtherMonthDayTextColor(RgbColor(171, 208, 235));
        cal->SetCalendarColors(colors);
        QFont font(QStringLiteral("Sans Serif"));
        font.setPointSize(8);
        cal->SetCalendarFont(font);
        cal->SetOnWorkingDateChange([this](QObject *) { log << "working " + DayText(cal->WorkingDate()); });
        cal->SetOnSelectedDateChange([this](QObject *) { log << "selected " + DayText(cal->SelectedDate()); });
        cal->SetOnPaintCell([this](QObject *sender, int row, int col, TRect &rect, TGridDrawState state,
                                   TDateTime date) { paints << PaintCall{row, col, rect, state, date, sender}; });
    }

    QWidget *grid() const { return cal->DayGrid(); }
    QPoint centre(int row, int col) const
    {
        const TRect r = cal->CellRect(row, col);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void click(int row, int col) { QTest::mouseClick(grid(), Qt::LeftButton, {}, centre(row, col)); }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(grid(), k, mods); }

    // Shows the calendar and waits until its cursor cell has been painted with focus,
    // from which point commits reach SelectedDate.
    bool focus()
    {
        cal->show();
        if (!QTest::qWaitForWindowExposed(cal.get()))
            return false;
        cal->activateWindow();
        if (!QTest::qWaitForWindowActive(cal.get()))
            return false;
        grid()->setFocus();
        return QTest::qWaitFor([this] { return cal->FocusSeen(); });
    }
    // Selects a date after focus has been seen and forgets what that reported.
    void start(TDateTime date)
    {
        cal->SetSelectedDate(date);
        log.clear();
    }
    void render()
    {
        paints.clear();
        cal->grab();
    }
};

} // namespace

class tst_MonthCalendar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { Clock::Pin(EncodeDateTime(2005, 1, 24, 10, 30, 0, 0)); }
    void cleanup() { Clock::Unpin(); }

    void namesAndColourValues()
    {
        QCOMPARE(DayNames[1], QStringLiteral("Niedziela"));
        QCOMPARE(DayNames[4], QStringLiteral("Środa"));
        QCOMPARE(DayNames[7], QStringLiteral("Sobota"));
        QCOMPARE(MonthNames[1], QStringLiteral("Styczeń"));
        QCOMPARE(MonthNames[10], QStringLiteral("Październik"));
        QCOMPARE(MonthLengths[0], 31);
        QCOMPARE(MonthLengths[2], 28);

        QCOMPARE(RgbColor(171, 208, 235), TColor(15454379));
        QCOMPARE(RgbColor(208, 220, 223), TColor(14671056));
        const QPalette palette;
        QCOMPARE(ToQColor(TColor(15454379), palette), QColor(171, 208, 235));
        QCOMPARE(ToQColor(clNavy, palette), QColor(0, 0, 128));
        QCOMPARE(ToQColor(clWindow, palette), palette.color(QPalette::Base));
    }

    // Every month of three decades laid out against QDate: day numbers of all 42 week
    // cells (the neighbouring months' included), which cells are the month's own, and
    // that the paint callback reaches exactly those, with their dates.
    void monthLayoutAgainstQDate()
    {
        Host h;
        for (int year = 2000; year <= 2030; ++year) {
            for (int month = 1; month <= 12; ++month) {
                const QDate first(year, month, 1);
                h.cal->SetSelectedDate(FromQDate(first.addDays(first.daysInMonth() - 1)));
                QCOMPARE(h.cal->MonthLength(), first.daysInMonth());
                const QDate gridStart = first.addDays(-(first.dayOfWeek() % 7));
                for (int row = 1; row <= 6; ++row) {
                    for (int col = 0; col < 7; ++col) {
                        const QDate shown = gridStart.addDays(7 * (row - 1) + col);
                        const auto look = h.cal->CellLook(row, col);
                        QCOMPARE(look.Text, QString::number(shown.day()));
                        QCOMPARE(look.Selectable, shown.month() == month);
                    }
                }
            }
        }

        h.cal->SetSelectedDate(Day(2009, 2, 14));
        h.render();
        QCOMPARE(h.paints.size(), 28);
        for (const PaintCall &p : h.paints) {
            QVERIFY(p.row >= 1 && p.row <= 4);
            QCOMPARE(p.date, Day(2009, 2, 7 * (p.row - 1) + p.col + 1));
            QCOMPARE(p.rect, h.cal->CellRect(p.row, p.col));
            QCOMPARE(p.sender, h.grid());
        }
        QCOMPARE(h.cal->CellLook(5, 0).Text, QStringLiteral("1"));
        QCOMPARE(h.cal->CellLook(6, 6).Text, QStringLiteral("14"));
    }

    void namedMonths_data()
    {
        QTest::addColumn<TDateTime>("date");
        QTest::addColumn<int>("dayOneCol");
        QTest::addColumn<QStringList>("rowOne");
        QTest::newRow("February 2009, 1st a Sunday")
            << Day(2009, 2, 1) << 0 << QStringList{"1", "2", "3", "4", "5", "6", "7"};
        QTest::newRow("January 2005, 1st a Saturday")
            << Day(2005, 1, 1) << 6 << QStringList{"26", "27", "28", "29", "30", "31", "1"};
        QTest::newRow("March 2004 after a leap February")
            << Day(2004, 3, 1) << 1 << QStringList{"29", "1", "2", "3", "4", "5", "6"};
    }
    void namedMonths()
    {
        QFETCH(TDateTime, date);
        QFETCH(int, dayOneCol);
        QFETCH(QStringList, rowOne);
        Host h;
        h.cal->SetSelectedDate(date);
        QCOMPARE(h.cal->CursorRow(), 1);
        QCOMPARE(h.cal->CursorCol(), dayOneCol);
        for (int col = 0; col < 7; ++col)
            QCOMPARE(h.cal->CellLook(1, col).Text, rowOne[col]);
    }

    void cellColoursAndToday()
    {
        Host h;
        const TMonthCalendarColors &colors = *h.cal->CalendarColors();
        QCOMPARE(colors.WeekendTextColor(), clTeal);
        QCOMPARE(colors.TodayTextColor(), clRed);
        // Today (Monday 24th) is the cursor cell at first: highlight colours, bold.
        auto today = h.cal->CellLook(5, 1);
        QVERIFY(today.Bold);
        QCOMPARE(today.TextColor, clHighlightText);
        QCOMPARE(today.BackgroundColor, clHighlight);

        h.cal->SetSelectedDate(Day(2005, 1, 20));
        today = h.cal->CellLook(5, 1);
        QVERIFY(today.Bold);
        QCOMPARE(today.TextColor, clRed);
        QVERIFY(!h.cal->CellLook(4, 1).Bold);
        QCOMPARE(h.cal->CellLook(4, 1).TextColor, clBlack);
        QCOMPARE(h.cal->CellLook(2, 0).BackgroundColor, RgbColor(208, 220, 223));
        QCOMPARE(h.cal->CellLook(2, 6).TextColor, clTeal);
        QCOMPARE(h.cal->CellLook(1, 0).TextColor, RgbColor(171, 208, 235));
        QCOMPARE(h.cal->CellLook(0, 6).TextColor, clTeal);
        QCOMPARE(h.cal->CellLook(0, 3).Text, QStringLiteral("Środa"));
        QCOMPARE(h.cal->CellLook(0, 3).BackgroundColor, clSilver);

        h.cal->SetShowWeekends(false);
        QCOMPARE(h.cal->CellLook(2, 0).BackgroundColor, clWindow);
        QCOMPARE(h.cal->CellLook(0, 6).TextColor, clBtnText);

        // The same day in another month or year is not today.
        h.cal->SetSelectedDate(Day(2005, 2, 1));
        QVERIFY(!h.cal->CellLook(4, 4).Bold);
        h.cal->SetSelectedDate(Day(2006, 1, 1));
        QVERIFY(!h.cal->CellLook(4, 2).Bold);

        // A copied set is a plain value; streaming keeps all nine colours.
        TMonthCalendarColors copy(colors);
        QCOMPARE(copy.Owner(), nullptr);
        QVERIFY(copy.SameColors(colors));
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out << colors;
        TMonthCalendarColors read;
        QDataStream in(bytes);
        in >> read;
        QVERIFY(read.SameColors(colors));
    }

    void cellsFillTheGrid()
    {
        Host h;
        QCOMPARE(h.cal->CellRect(6, 6).Right, 498);
        QCOMPARE(h.cal->CellRect(6, 6).Bottom, 290);
        QCOMPARE(h.cal->CellRect(0, 0).Width(), 72);
        QCOMPARE(h.cal->CellRect(0, 1).Width(), 71);
        QCOMPARE(h.cal->CellRect(2, 0).Height(), 42);
        QCOMPARE(h.cal->CellRect(3, 0).Height(), 41);
        int row = -1, col = -1;
        for (int r = 0; r < 7; ++r)
            for (int c = 0; c < 7; ++c) {
                QVERIFY(h.cal->MouseCell(h.centre(r, c), row, col));
                QCOMPARE(row, r);
                QCOMPARE(col, c);
            }
        h.cal->grab();
        QCOMPARE(h.grid()->geometry(), QRect(1, 1, 498, 290));
        h.cal->SetShowGridLines(true);
        QCOMPARE(h.cal->CellRect(0, 0).Width(), 71);
        QCOMPARE(h.cal->CellRect(1, 1).Left, 72);
    }

    void selectedDateSetter()
    {
        Host h;
        h.cal->SetSelectedDate(EncodeDateTime(2005, 3, 15, 18, 45, 0, 0));
        QCOMPARE(h.cal->SelectedDate(), Day(2005, 3, 15));
        QCOMPARE(h.cal->WorkingDate(), Day(2005, 3, 15));
        QCOMPARE(h.log, QStringList({"working 2005-03-15", "selected 2005-03-15"}));
        h.log.clear();
        h.cal->SetSelectedDate(Day(2005, 3, 15) + 0.25);
        QCOMPARE(h.log, QStringList{"selected 2005-03-15"});
    }

    void monthAndYearSteps_data()
    {
        QTest::addColumn<TDateTime>("from");
        QTest::addColumn<QString>("step");
        QTest::addColumn<TDateTime>("to");
        QTest::newRow("31 Jan 2005 to short February") << Day(2005, 1, 31) << "NextMonth" << Day(2005, 2, 28);
        QTest::newRow("31 Jan 2004 to leap February") << Day(2004, 1, 31) << "NextMonth" << Day(2004, 2, 29);
        QTest::newRow("December to January") << Day(2004, 12, 31) << "NextMonth" << Day(2005, 1, 31);
        QTest::newRow("January to December") << Day(2005, 1, 15) << "PrevMonth" << Day(2004, 12, 15);
        QTest::newRow("31 Mar 2005 back") << Day(2005, 3, 31) << "PrevMonth" << Day(2005, 2, 28);
        QTest::newRow("29 Feb 2004 plus a year") << Day(2004, 2, 29) << "NextYear" << Day(2005, 2, 28);
        QTest::newRow("29 Feb 2004 minus a year") << Day(2004, 2, 29) << "PrevYear" << Day(2003, 2, 28);
        QTest::newRow("28 Feb 2003 into a leap year") << Day(2003, 2, 28) << "NextYear" << Day(2004, 2, 28);
    }
    void monthAndYearSteps()
    {
        QFETCH(TDateTime, from);
        QFETCH(QString, step);
        QFETCH(TDateTime, to);
        Host h;
        QVERIFY(h.focus());
        h.start(from);
        if (step == "NextMonth")
            h.cal->NextMonth();
        else if (step == "PrevMonth")
            h.cal->PrevMonth();
        else if (step == "NextYear")
            h.cal->NextYear();
        else
            h.cal->PrevYear();
        QCOMPARE(DayText(h.cal->WorkingDate()), DayText(to));
        int year = 0, month = 0, day = 0;
        DecodeDate(to, year, month, day);
        QCOMPARE(h.cal->DisplayedMonth(), month);
        QCOMPARE(h.cal->DisplayedYear(), year);
        // Month steps commit; year steps move the working date only.
        if (step.endsWith("Month")) {
            QCOMPARE(h.log, QStringList({"working " + DayText(to), "selected " + DayText(to)}));
            QCOMPARE(h.cal->SelectedDate(), to);
        } else {
            QCOMPARE(h.log, QStringList{"working " + DayText(to)});
            QCOMPARE(h.cal->SelectedDate(), from);
        }
    }

    // Until the grid has had the focus or a press, commits are ignored: the month
    // buttons then change only the month on screen.
    void focusRule()
    {
        QWidget window;
        QLineEdit edit(&window);
        Host h;
        h.cal->setParent(&window);
        h.cal->move(0, 30);
        h.cal->SetSelectedDate(Day(2005, 1, 31));
        h.log.clear();
        QVERIFY(!h.cal->FocusSeen());
        h.cal->NextMonth();
        QCOMPARE(h.cal->WorkingDate(), Day(2005, 2, 28));
        QCOMPARE(h.cal->DisplayedMonth(), 2);
        QCOMPARE(h.cal->SelectedDate(), Day(2005, 1, 31));
        QCOMPARE(h.log, QStringList{"working 2005-02-28"});

        // Painting without focus does not count.
        edit.setFocus();
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_VERIFY(edit.hasFocus());
        h.cal->grab();
        QVERIFY(!h.cal->FocusSeen());

        // A press is the user's hand on the grid: its release commits at once, with no
        // paint in between.
        h.log.clear();
        QTest::mouseClick(h.grid(), Qt::LeftButton, {}, h.centre(2, 3));
        QVERIFY(h.cal->FocusSeen());
        QCOMPARE(h.cal->SelectedDate(), Day(2005, 2, 9));
        QCOMPARE(h.log, QStringList({"working 2005-02-09", "selected 2005-02-09"}));
    }

    void mouse()
    {
        Host h;
        QVERIFY(h.focus());
        h.start(Day(2005, 1, 24));

        h.click(2, 3); // Wednesday 5th
        QCOMPARE(h.log, QStringList({"working 2005-01-05", "selected 2005-01-05"}));

        // A neighbouring month's day is refused, yet the release commits again.
        h.log.clear();
        h.click(1, 0);
        QCOMPARE(h.log, QStringList{"selected 2005-01-05"});

        // Dragging follows every day entered and commits once at the release.
        h.log.clear();
        QTest::mousePress(h.grid(), Qt::LeftButton, {}, h.centre(3, 1));
        QTest::mouseMove(h.grid(), h.centre(3, 2));
        QTest::mouseMove(h.grid(), h.centre(6, 2)); // 1 February: not taken
        QTest::mouseMove(h.grid(), h.centre(4, 2));
        QTest::mouseRelease(h.grid(), Qt::LeftButton, {}, h.centre(4, 2));
        QCOMPARE(h.log, QStringList(
                            {"working 2005-01-10", "working 2005-01-11", "working 2005-01-18", "selected 2005-01-18"}));

        // A double click is two single clicks.
        h.log.clear();
        h.click(5, 4);
        QTest::mouseDClick(h.grid(), Qt::LeftButton, {}, h.centre(5, 4));
        QTest::mouseRelease(h.grid(), Qt::LeftButton, {}, h.centre(5, 4));
        QCOMPARE(h.log, QStringList({"working 2005-01-27", "selected 2005-01-27", "working 2005-01-27",
                                     "selected 2005-01-27"}));

        // Other buttons only take the focus.
        h.log.clear();
        QTest::mouseClick(h.grid(), Qt::RightButton, {}, h.centre(2, 2));
        QVERIFY(h.log.isEmpty());
    }

    void keys_data()
    {
        QTest::addColumn<TDateTime>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("ctrl");
        QTest::addColumn<TDateTime>("working");
        QTest::addColumn<QStringList>("log");
        const auto Left = int(Qt::Key_Left), Right = int(Qt::Key_Right), Up = int(Qt::Key_Up), Down = int(Qt::Key_Down);
        // February 2009 starts on a Sunday and ends on a Saturday.
        QTest::newRow("Left on the 1st in column 0")
            << Day(2009, 2, 1) << Left << false << Day(2009, 2, 1) << QStringList{};
        QTest::newRow("Left on the 8th wraps to the 7th")
            << Day(2009, 2, 8) << Left << false << Day(2009, 2, 7) << QStringList{"working 2009-02-07"};
        QTest::newRow("Right on the last day in column 6")
            << Day(2009, 2, 28) << Right << false << Day(2009, 2, 28) << QStringList{};
        QTest::newRow("Right on the 7th wraps to the 8th")
            << Day(2009, 2, 7) << Right << false << Day(2009, 2, 8) << QStringList{"working 2009-02-08"};
        QTest::newRow("Right inside a week") << Day(2009, 2, 10) << Right << false << Day(2009, 2, 11)
                                             << QStringList{"working 2009-02-11", "selected 2009-02-11"};
        QTest::newRow("Up inside the month") << Day(2005, 1, 24) << Up << false << Day(2005, 1, 17)
                                             << QStringList{"working 2005-01-17", "selected 2005-01-17"};
        QTest::newRow("Up from row 1 is refused but commits")
            << Day(2009, 2, 3) << Up << false << Day(2009, 2, 3) << QStringList{"selected 2009-02-03"};
        QTest::newRow("Down into the next month is refused but commits")
            << Day(2005, 1, 25) << Down << false << Day(2005, 1, 25) << QStringList{"selected 2005-01-25"};
        QTest::newRow("Down from row 6 does nothing")
            << Day(2005, 1, 30) << Down << false << Day(2005, 1, 30) << QStringList{};
        QTest::newRow("Ctrl+Left is PrevMonth") << Day(2005, 3, 31) << Left << true << Day(2005, 2, 28)
                                                << QStringList{"working 2005-02-28", "selected 2005-02-28"};
        QTest::newRow("Ctrl+Right is NextMonth") << Day(2005, 1, 31) << Right << true << Day(2005, 2, 28)
                                                 << QStringList{"working 2005-02-28", "selected 2005-02-28"};
        QTest::newRow("Ctrl+Up is PrevYear")
            << Day(2004, 2, 29) << Up << true << Day(2003, 2, 28) << QStringList{"working 2003-02-28"};
        QTest::newRow("Ctrl+Down is NextYear")
            << Day(2005, 1, 24) << Down << true << Day(2006, 1, 24) << QStringList{"working 2006-01-24"};
        QTest::newRow("Home") << Day(2005, 1, 24) << int(Qt::Key_Home) << false << Day(2005, 1, 1)
                              << QStringList{"working 2005-01-01", "selected 2005-01-01"};
        QTest::newRow("End") << Day(2005, 1, 24) << int(Qt::Key_End) << false << Day(2005, 1, 31)
                             << QStringList{"working 2005-01-31", "selected 2005-01-31"};
        QTest::newRow("Page Down") << Day(2005, 1, 31) << int(Qt::Key_PageDown) << false << Day(2005, 2, 28)
                                   << QStringList{"working 2005-02-28", "selected 2005-02-28"};
        QTest::newRow("Enter commits again") << Day(2005, 1, 24) << int(Qt::Key_Return) << false << Day(2005, 1, 24)
                                             << QStringList{"selected 2005-01-24"};
        QTest::newRow("Other characters do nothing")
            << Day(2005, 1, 24) << int(Qt::Key_A) << false << Day(2005, 1, 24) << QStringList{};
    }
    void keys()
    {
        QFETCH(TDateTime, from);
        QFETCH(int, key);
        QFETCH(bool, ctrl);
        QFETCH(TDateTime, working);
        QFETCH(QStringList, log);
        Host h;
        QVERIFY(h.focus());
        h.start(from);
        h.key(Qt::Key(key), ctrl ? Qt::ControlModifier : Qt::NoModifier);
        QCOMPARE(h.log, log);
        QCOMPARE(DayText(h.cal->WorkingDate()), DayText(working));
        int row = 0, col = 0;
        TCustomMonthCalendar::CellOfDate(working, row, col);
        QCOMPARE(h.cal->CursorRow(), row);
        QCOMPARE(h.cal->CursorCol(), col);
    }

    void enterCommitsAnUncommittedMove()
    {
        Host h;
        QVERIFY(h.focus());
        h.start(Day(2009, 2, 8));
        h.key(Qt::Key_Left);
        QCOMPARE(h.cal->SelectedDate(), Day(2009, 2, 8));
        h.key(Qt::Key_Return);
        QCOMPARE(h.cal->SelectedDate(), Day(2009, 2, 7));
        QCOMPARE(h.log, QStringList({"working 2009-02-07", "selected 2009-02-07"}));
    }

    void rangeErrors()
    {
        Host h;
        h.cal->SetMinDate(Day(2004, 2, 25) + 0.7);
        h.cal->SetMaxDate(Day(2006, 1, 24) + 0.7);
        QCOMPARE(h.cal->MinDate(), Day(2004, 2, 25));
        QCOMPARE(h.cal->MaxDate(), Day(2006, 1, 24));
        try {
            h.cal->SetMinDate(Day(2006, 1, 24) + 0.5);
            QFAIL("MinDate at MaxDate was accepted");
        } catch (const Exception &e) {
            QCOMPARE(e.Message(), QStringLiteral("MinDate value can't be greater than or equal to the MaxDate value"));
        }
        try {
            h.cal->SetMaxDate(Day(2004, 2, 25));
            QFAIL("MaxDate at MinDate was accepted");
        } catch (const Exception &e) {
            QCOMPARE(e.Message(), QStringLiteral("MaxDate value can't be less than or equal to the MinDate value"));
        }
        QCOMPARE(h.cal->MinDate(), Day(2004, 2, 25));
        QCOMPARE(h.cal->MaxDate(), Day(2006, 1, 24));
        // Without UseDateRanges the bounds neither clamp nor hatch.
        h.cal->SetSelectedDate(Day(2001, 5, 5));
        QCOMPARE(h.cal->SelectedDate(), Day(2001, 5, 5));
        QVERIFY(h.cal->IsSelectableCell(1, 3));

        // Created more than a year before the view's MinDate, the host's settings fail.
        Clock::Pin(Day(2003, 1, 1));
        TMonthCalendar early;
        QVERIFY_THROWS_EXCEPTION(Exception, early.SetMinDate(Day(2004, 2, 25)));
    }

    void useDateRanges()
    {
        Host h;
        QVERIFY(h.focus());
        h.cal->SetMinDate(Day(2005, 1, 10));
        h.cal->SetMaxDate(Day(2005, 1, 20));
        h.start(Day(2005, 1, 28));
        h.cal->SetUseDateRanges(true);
        QCOMPARE(h.cal->SelectedDate(), Day(2005, 1, 20));
        QCOMPARE(h.log, QStringList({"working 2005-01-20", "selected 2005-01-20"}));

        QVERIFY(h.cal->CellLook(3, 0).Hatched);  // 9th
        QVERIFY(!h.cal->CellLook(3, 1).Hatched); // 10th
        QVERIFY(h.cal->CellLook(4, 5).Hatched);  // 21st
        h.render();
        QCOMPARE(h.paints.size(), 11);
        TestSupport::SavePng(h.cal.get(), QStringLiteral("MonthCalendar_ranges"));

        h.log.clear();
        h.click(4, 5);
        QCOMPARE(h.log, QStringList{"selected 2005-01-20"});
        h.log.clear();
        h.cal->NextMonth();
        QCOMPARE(h.cal->SelectedDate(), Day(2005, 1, 20));

        h.cal->SetMaxDate(Day(2005, 2, 1));
        QCOMPARE(h.cal->SelectedDate(), Day(2005, 1, 20));
        h.log.clear();
        h.cal->SetMinDate(Day(2005, 1, 25));
        QCOMPARE(h.log, QStringList({"working 2005-01-25", "selected 2005-01-25"}));
    }

    // The bounds set at creation carry the time of day; clamping to them must still
    // give a whole day the cursor may stand on.
    void defaultBoundsClampToWholeDays()
    {
        Host h;
        h.cal->SetSelectedDate(Day(2000, 1, 1));
        h.cal->SetUseDateRanges(true);
        QCOMPARE(DayText(h.cal->SelectedDate()), QStringLiteral("2004-01-26"));
        QCOMPARE(h.cal->SelectedDate(), DateOf(h.cal->SelectedDate()));
        QVERIFY(h.cal->IsSelectableCell(h.cal->CursorRow(), h.cal->CursorCol()));
        h.cal->SetSelectedDate(Day(2009, 1, 1));
        QCOMPARE(DayText(h.cal->SelectedDate()), QStringLiteral("2006-01-24"));
    }

    // The view's day marks: a navy 10 x 10 square drawn through CellCanvas, outlined
    // with the canvas's pen, corners given in reverse order.
    void paintCallbackDrawsMarks()
    {
        Host h;
        const QList<TDateTime> marked{Day(2005, 1, 1), Day(2005, 1, 12), Day(2005, 1, 24), Day(2005, 1, 31)};
        h.cal->SetOnPaintCell([&](QObject *, int, int, TRect &rect, TGridDrawState state, TDateTime date) {
            h.paints << PaintCall{0, 0, rect, state, date, nullptr};
            if (!marked.contains(date))
                return;
            TCanvas *canvas = h.cal->CellCanvas();
            canvas->Brush().Color = clNavy;
            canvas->Rectangle(rect.Left + 60, rect.Top + 20, rect.Left + 50, rect.Top + 30);
        });
        QVERIFY(h.focus());
        h.cal->SetSelectedDate(Day(2005, 1, 12));
        h.render();
        const QImage image = h.grid()->grab().toImage();
        for (TDateTime date : marked) {
            int row = 0, col = 0;
            TCustomMonthCalendar::CellOfDate(date, row, col);
            const TRect r = h.cal->CellRect(row, col);
            QCOMPARE(image.pixelColor(r.Left + 55, r.Top + 25), QColor(0, 0, 128));
            QCOMPARE(image.pixelColor(r.Left + 50, r.Top + 20), QColor(0, 0, 0));
            QCOMPARE(image.pixelColor(r.Left + 59, r.Top + 29), QColor(0, 0, 0));
            QVERIFY(image.pixelColor(r.Left + 60, r.Top + 30) != QColor(0, 0, 0));
        }
        const TRect plain = h.cal->CellRect(3, 1); // 10th
        QCOMPARE(image.pixelColor(plain.Left + 55, plain.Top + 25), h.grid()->palette().color(QPalette::Base));

        bool sawCursor = false;
        for (const PaintCall &p : h.paints) {
            QVERIFY(!p.state.testFlag(gdFixed));
            if (p.date == Day(2005, 1, 12)) {
                sawCursor = true;
                QCOMPARE(p.state, TGridDrawState(gdSelected | gdFocused));
            } else {
                QCOMPARE(p.state, TGridDrawState());
            }
        }
        QVERIFY(sawCursor);
        TestSupport::SavePng(h.cal.get(), QStringLiteral("MonthCalendar_2005_01"));
    }
};

QTEST_MAIN(tst_MonthCalendar)
#include "tst_MonthCalendar.moc"
