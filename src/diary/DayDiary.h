#pragma once

#include <QDate>
#include <QTime>
#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <functional>
#include <set>

class TDbConnection;
class TDbTable;

// The catches of the day the calendar shows, held in the diary table its grid and the
// details dialog are bound to, with the rules that keep the diary clean:
// - a row started here (the box, "+", the grid, the dialog) belongs to the shown day,
//   carries its moon phase and counts as kept;
// - a weight or length written by the angler must be one a fish can have, and a blank
//   one stays blank; what a file already holds is shown as it is; a catch with values
//   needs a species; an hour is stored as "HH:MM", and a new catch given one takes the
//   moon phase of that hour unless the angler wrote the phase;
// - rows started in this session and left without a species are dropped when the day is
//   left, so that no empty catch reaches the log, its totals or its CSV;
// - a day gets its diary with one empty row and loses it with its photo folder.
// The view decides when these run; nothing here asks the user anything.
class DayDiary : public QObject
{
    Q_OBJECT

public:
    DayDiary(TDbConnection *connection, QObject *parent);
    ~DayDiary() override;

    TDbTable *Table() const { return m_table; }
    // False while the program runs without its database.
    bool HasData() const;
    // The day whose rows the table holds; invalid before the first.
    QDate Day() const { return m_day; }
    // The folder of a day's catch photos, without a trailing separator.
    static QString DayFolder(QDate day);

    // The moon phase a new catch is written with: the day's, or at the hour when the
    // angler gives it (an invalid hour for the day's).
    std::function<QString(QDate, QTime)> MoonPhaseOf;

    // Opens the table narrowed to a day without making it the shown day; a failure is
    // thrown in the engine's own words.
    void Open(QDate day);
    // Reads the rows of a day. A day that cannot be read leaves the table closed and
    // throws, but only once for the two notifications of one click: false then, and
    // false without a database.
    bool Show(QDate day);
    // Drops the rows of the shown day that this session started and nobody gave a
    // species, keeping the current row where it was. True when rows went (the day marks
    // are then out of date). A locked file keeps them until the day is left again.
    bool DropUnfilledRows();
    // The first, empty row of a day ("Złowione ryby" ticked).
    void AddFirstRow(QDate day);
    // Every row of a day, with its photos and their folder.
    void DeleteDay(QDate day);
    // One catch, by its row identity: values typed by the user never enter the
    // statement, and a twin row of the same day stays.
    void DeleteCatch(qint64 rowId);
    // The program ends without the day being left (a logout): what was typed and not
    // saved is dropped, and so are the rows nobody filled in.
    void Leave();
    // Makes the row with that identity the current one; false when the day has none.
    bool SelectRow(qint64 rowId);
    // The diary file was replaced (a restore): the rows started here no longer exist.
    void ForgetStartedRows() { m_startedRows.clear(); }

private:
    // Refuses a row about to be posted with a weight or length a fish cannot have
    // (checked only as the angler writes them: what a file holds is shown as it is), or
    // with values but no species.
    void CheckRow();

    TDbTable *m_table;
    QDate m_day;
    // Diary rows started in this session, by row identity.
    std::set<qint64> m_startedRows;
    bool m_postingInsert = false;
    // The columns written since the pending row was started or opened for editing.
    QSet<QString> m_writtenColumns;
    // The day whose rows last failed to read, and since when.
    QDate m_unreadDay;
    QElapsedTimer m_unreadSince;
};
