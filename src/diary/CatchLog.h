#pragma once

#include "diary/CatchLogFilter.h"
#include "diary/CatchRecord.h"
#include "diary/TextNumbers.h"

#include <QHash>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

class TDbConnection;

// Every catch of the diary in memory, in the order of one column, and the ones a filter
// lets through. Filtering walks the sorted rows once, so it keeps their order and costs
// no sort.
class CatchLog
{
public:
    enum Column { Day, Hour, Species, Weight, Length, Place, Bait, Wind, Moon, Notes, Kept, Warning, ColumnCount };

    // Reads all of dziennik, each catch judged by the rules when given; raises
    // EDatabaseError when the engine fails, and the log is then empty. The filter and the
    // sort order stay as they were.
    void Load(TDbConnection &connection, const CatchRules *rules = nullptr);
    // The catches a condition on dziennik picks (all when empty), in entry order. A
    // diary without the kept column reads every catch as kept.
    static std::vector<CatchRecord> ReadRecords(TDbConnection &connection, const QString &where = {});
    void SetRecords(std::vector<CatchRecord> records);
    const std::vector<CatchRecord> &Records() const { return m_records; }

    void Sort(Column column, Qt::SortOrder order);
    Column SortColumn() const { return m_sortColumn; }
    Qt::SortOrder SortOrder() const { return m_sortOrder; }

    void Apply(const CatchLogFilter &filter);
    const CatchLogFilter &Filter() const { return m_filter; }
    // Indexes into Records() of what the filter lets through, in the sort order.
    const std::vector<int> &Shown() const { return m_shown; }
    const CatchRecord &ShownAt(int row) const { return m_records[size_t(m_shown[size_t(row)])]; }
    double ShownWeight() const { return m_shownWeight; }

    // The distinct stored days of the diary, in text order (which is date order).
    const QStringList &Days() const { return m_days; }
    // The species names of the diary, each once, in Polish alphabetical order.
    QStringList SpeciesNames() const;
    // The distinct species, places and baits, indexed by the records' keys. Texts that
    // differ only in letter case or surrounding blanks are one; each is named as it was
    // first written.
    const QStringList &SpeciesKeys() const { return m_species.names; }
    const QStringList &PlaceKeys() const { return m_places.names; }
    const QStringList &BaitKeys() const { return m_baits.names; }

    static QString ColumnTitle(Column column);
    static QString ColumnText(const CatchRecord &record, Column column);
    // A weight or length the Polish way: decimal comma, no needless digits.
    static QString NumberText(double value);

private:
    struct Names
    {
        QStringList names;
        QStringList folded;
        QHash<QString, int> keyOf;
        // The key of each text as stored, so that a name written the same way a thousand
        // times is trimmed and folded once.
        QHash<QString, int> storedKeyOf;
        // The same by the reading's number of the text.
        ByTextNumber keyOfNumber;
        int KeyOf(const QString &text, int number)
        {
            return keyOfNumber.Get(number, [&] { return StoredKeyOf(text); });
        }
        int StoredKeyOf(const QString &text);
        // For each key, whether its folded name holds the folded part.
        std::vector<char> Containing(const QString &part) const;
    };

    // Called with each record as it is read, in entry order.
    using Made = std::function<void(CatchRecord &record, const TextNumbers &numbers)>;
    // Fills records (emptied first, its room kept) with the catches the condition picks,
    // in entry order.
    static void Read(TDbConnection &connection, const QString &where, const Made &made,
                     std::vector<CatchRecord> &records);

    // Keys the records' names and ranks their days (m_dayRanks, m_days) once per reading:
    // every sort orders by day. Keying goes record by record, in order, so that a diary
    // is keyed as it is read.
    void Index();
    void BeginIndex();
    void IndexRecord(CatchRecord &record, const TextNumbers &numbers);
    int DayNumber(const QString &day, int number);
    void EndIndex();
    // The notes of each record in folded case, made when a filter first looks into the
    // notes: most openings never do, and a long diary would fold them all for nothing.
    const std::vector<QString> &FoldedNotes();
    void Resort();
    void Refilter();

    std::vector<CatchRecord> m_records;
    Names m_species;
    Names m_places;
    Names m_baits;
    std::vector<QString> m_foldedNotes;
    // While keying: each record's day numbered as met, then ranked.
    std::vector<int> m_dayRanks;
    QHash<QString, int> m_dayNumber;
    QStringList m_daysMet;
    // The date of each day met as DateNumber gives it, worked out while the text is at
    // hand, and whether every day met is a plain date.
    std::vector<qint64> m_datesMet;
    bool m_plainDays = true;
    QStringList m_days;
    std::vector<int> m_order;
    std::vector<int> m_shown;
    CatchLogFilter m_filter;
    double m_shownWeight = 0;
    // The weight of every catch, summed while keying.
    double m_totalWeight = 0;
    // The records come in order of row id, as the diary is read.
    bool m_inEntryOrder = true;
    Column m_sortColumn = Day;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
