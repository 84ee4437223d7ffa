#include "diary/CatchLog.h"

#include "diary/CatchRules.h"
#include "diary/CatchValues.h"

#include "base/DateUtils.h"
#include "data/FieldConvert.h"

#include <QCollator>
#include <QHash>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <utility>

namespace {
QCollator PolishCollator()
{
    QCollator collator{QLocale(QLocale::Polish, QLocale::Poland)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    return collator;
}

// Ranks the texts of one column in Polish alphabetical order; equal texts share a rank.
// Sorting the distinct texts once keeps a long diary's sort from collating every pair.
std::vector<int> TextRanks(const std::vector<CatchRecord> &records, CatchLog::Column column)
{
    QHash<QString, int> index;
    QStringList distinct;
    std::vector<int> ranks(records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        const QString text = CatchLog::ColumnText(records[i], column);
        auto it = index.find(text);
        if (it == index.end()) {
            it = index.insert(text, int(distinct.size()));
            distinct << text;
        }
        ranks[i] = it.value();
    }
    std::vector<int> byName(size_t(distinct.size()));
    std::iota(byName.begin(), byName.end(), 0);
    const QCollator collator = PolishCollator();
    std::sort(byName.begin(), byName.end(),
              [&](int a, int b) { return collator.compare(distinct[a], distinct[b]) < 0; });
    std::vector<int> rankOf(byName.size());
    for (size_t r = 0; r < byName.size(); ++r)
        rankOf[size_t(byName[r])] = int(r);
    for (int &rank : ranks)
        rank = rankOf[size_t(rank)];
    return ranks;
}
} // namespace

void CatchLog::Load(TDbConnection &connection, const CatchRules *rules)
{
    // The old records go first, so that a long diary is never held twice; their room
    // stays, as the diary read again is mostly the same length.
    m_records.clear();
    m_order.clear();
    m_shown.clear();
    m_shownWeight = 0;
    BeginIndex();
    std::optional<CatchRules::Marker> marker;
    if (rules)
        marker.emplace(*rules);
    try {
        Read(
            connection, QString(),
            [&](CatchRecord &record, const TextNumbers &numbers) {
                IndexRecord(record, numbers);
                if (marker)
                    marker->Mark(record, numbers);
            },
            m_records);
    } catch (...) {
        m_records.clear();
        Index();
        throw;
    }
    // The diary is read in order of row id.
    m_inEntryOrder = true;
    EndIndex();
    Resort();
}

std::vector<CatchRecord> CatchLog::ReadRecords(TDbConnection &connection, const QString &where)
{
    std::vector<CatchRecord> records;
    Read(connection, where, {}, records);
    return records;
}

void CatchLog::SetRecords(std::vector<CatchRecord> records)
{
    m_records = std::move(records);
    m_inEntryOrder = std::is_sorted(m_records.begin(), m_records.end(),
                                    [](const CatchRecord &a, const CatchRecord &b) { return a.rowId < b.rowId; });
    Index();
    Resort();
}

int CatchLog::Names::StoredKeyOf(const QString &text)
{
    if (const auto stored = storedKeyOf.constFind(text); stored != storedKeyOf.constEnd())
        return stored.value();
    const QString trimmed = text.trimmed();
    int key = -1;
    if (!trimmed.isEmpty()) {
        const QString folded = trimmed.toCaseFolded();
        auto it = keyOf.find(folded);
        if (it == keyOf.end()) {
            it = keyOf.insert(folded, int(names.size()));
            names << trimmed;
            this->folded << folded;
        }
        key = it.value();
    }
    storedKeyOf.insert(text, key);
    return key;
}

std::vector<char> CatchLog::Names::Containing(const QString &part) const
{
    const QString key = part.toCaseFolded();
    std::vector<char> holds(size_t(folded.size()));
    for (qsizetype i = 0; i < folded.size(); ++i)
        holds[size_t(i)] = folded[i].contains(key) ? 1 : 0;
    return holds;
}

void CatchLog::Index()
{
    BeginIndex();
    m_dayRanks.reserve(m_records.size());
    for (CatchRecord &record : m_records)
        IndexRecord(record, TextNumbers());
    EndIndex();
}

void CatchLog::BeginIndex()
{
    m_species = {};
    m_places = {};
    m_baits = {};
    m_foldedNotes.clear();
    m_dayRanks.clear();
    m_dayNumber.clear();
    m_daysMet.clear();
    m_datesMet.clear();
    m_plainDays = true;
    m_days.clear();
    m_totalWeight = 0;
}

void CatchLog::IndexRecord(CatchRecord &record, const TextNumbers &numbers)
{
    // One walk over the records for every key and the days: a long diary does not fit
    // in the cache, and each walk costs as much as the work done in it.
    record.speciesKey = m_species.KeyOf(record.species, numbers.species);
    record.placeKey = m_places.KeyOf(record.place, numbers.place);
    record.baitKey = m_baits.KeyOf(record.bait, numbers.bait);
    m_dayRanks.push_back(DayNumber(record.day, numbers.day));
    m_totalWeight += record.weight;
}

int CatchLog::DayNumber(const QString &day, int number)
{
    const auto met = [&] {
        m_daysMet << day;
        m_datesMet.push_back(DateNumber(day));
        m_plainDays = m_plainDays && day.size() == 10 && m_datesMet.back() >= 0;
        return int(m_daysMet.size()) - 1;
    };
    // A reading numbers the days as they are met, as this does.
    if (number >= 0) {
        Q_ASSERT(number <= m_daysMet.size());
        return number < m_daysMet.size() ? number : met();
    }
    if (const auto known = m_dayNumber.constFind(day); known != m_dayNumber.constEnd())
        return known.value();
    return m_dayNumber.insert(day, met()).value();
}

void CatchLog::EndIndex()
{
    // The days were numbered as met; ranked in text order, they sort by date. The dates'
    // numbers are in their texts' order, so texts are compared only where a day is more
    // or less than a plain date and the numbers tie or are missing.
    const QStringList &met = m_daysMet;
    std::vector<int> byText(size_t(met.size()));
    if (m_plainDays) {
        std::vector<quint64> dated(byText.size());
        for (size_t i = 0; i < dated.size(); ++i)
            dated[i] = quint64(m_datesMet[i]) << 32 | i;
        std::sort(dated.begin(), dated.end());
        for (size_t r = 0; r < dated.size(); ++r)
            byText[r] = int(dated[r] & 0xFFFFFFFF);
    } else {
        std::iota(byText.begin(), byText.end(), 0);
        std::sort(byText.begin(), byText.end(), [&](int a, int b) {
            const qint64 x = m_datesMet[size_t(a)], y = m_datesMet[size_t(b)];
            return x >= 0 && y >= 0 && x != y ? x < y : met[a] < met[b];
        });
    }
    std::vector<int> rankOf(byText.size());
    for (size_t r = 0; r < byText.size(); ++r)
        rankOf[size_t(byText[r])] = int(r);
    for (int &rank : m_dayRanks)
        rank = rankOf[size_t(rank)];
    m_days.clear();
    m_days.reserve(m_daysMet.size());
    for (const int at : byText)
        m_days << std::move(m_daysMet[at]);
    m_dayNumber.clear();
    m_daysMet.clear();
    m_datesMet.clear();
    m_plainDays = true;
}

const std::vector<QString> &CatchLog::FoldedNotes()
{
    if (m_foldedNotes.size() == m_records.size())
        return m_foldedNotes;
    m_foldedNotes.assign(m_records.size(), QString());
    // Most catches have no notes, or the same few words: each folded once.
    QHash<QString, QString> foldedOf;
    for (size_t i = 0; i < m_records.size(); ++i) {
        const QString &notes = m_records[i].notes;
        if (notes.isEmpty())
            continue;
        auto it = foldedOf.constFind(notes);
        if (it == foldedOf.constEnd())
            it = foldedOf.insert(notes, notes.toCaseFolded());
        m_foldedNotes[i] = it.value();
    }
    return m_foldedNotes;
}

void CatchLog::Sort(Column column, Qt::SortOrder order)
{
    m_sortColumn = column;
    m_sortOrder = order;
    Resort();
}

void CatchLog::Apply(const CatchLogFilter &filter)
{
    // What is shown always follows the filter in force: the same filter again changes
    // nothing, and a window applies its controls after every reading.
    if (filter == m_filter)
        return;
    m_filter = filter;
    Refilter();
}

void CatchLog::Resort()
{
    m_order.resize(m_records.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    // Ties keep the diary's own order: by day, then as entered. A long diary has few
    // distinct days: they are ranked once, so the sort compares numbers, not texts.
    const std::vector<int> &dayRanks = m_dayRanks;
    auto byDay = [this, &dayRanks](int a, int b) {
        const int x = dayRanks[size_t(a)], y = dayRanks[size_t(b)];
        return x != y ? x < y : m_records[size_t(a)].rowId < m_records[size_t(b)].rowId;
    };
    if (m_sortColumn == Day && m_inEntryOrder) {
        // Records in entry order, as the diary is read, fall into their days in one pass.
        std::vector<int> start(m_records.empty() ? 1 : size_t(*std::max_element(dayRanks.begin(), dayRanks.end())) + 2);
        for (const int rank : dayRanks)
            ++start[size_t(rank) + 1];
        std::partial_sum(start.begin(), start.end(), start.begin());
        for (size_t i = 0; i < m_records.size(); ++i)
            m_order[size_t(start[size_t(dayRanks[i])]++)] = int(i);
    } else if (m_sortColumn == Day) {
        std::sort(m_order.begin(), m_order.end(), byDay);
    } else if (m_sortColumn == Weight || m_sortColumn == Length) {
        const bool weight = m_sortColumn == Weight;
        std::sort(m_order.begin(), m_order.end(), [&](int a, int b) {
            const double x = weight ? m_records[size_t(a)].weight : m_records[size_t(a)].length;
            const double y = weight ? m_records[size_t(b)].weight : m_records[size_t(b)].length;
            return x != y ? x < y : byDay(a, b);
        });
    } else {
        const std::vector<int> ranks = TextRanks(m_records, m_sortColumn);
        std::sort(m_order.begin(), m_order.end(), [&](int a, int b) {
            return ranks[size_t(a)] != ranks[size_t(b)] ? ranks[size_t(a)] < ranks[size_t(b)] : byDay(a, b);
        });
    }
    if (m_sortOrder == Qt::DescendingOrder)
        std::reverse(m_order.begin(), m_order.end());
    Refilter();
}

void CatchLog::Refilter()
{
    m_shown.clear();
    m_shownWeight = 0;
    const CatchLogFilter &f = m_filter;
    if (f == CatchLogFilter()) {
        m_shown = m_order;
        m_shownWeight = m_totalWeight;
        return;
    }
    // A part of a name is looked for once in each distinct name, not in every catch.
    const QString species = f.species.trimmed().toCaseFolded();
    const int speciesKey = species.isEmpty() ? -1 : m_species.keyOf.value(species, -2);
    const std::vector<char> places = m_places.Containing(f.place);
    const std::vector<char> baits = m_baits.Containing(f.bait);
    const QString notes = f.notes.toCaseFolded();
    const std::vector<QString> &foldedNotes = notes.isEmpty() ? m_foldedNotes : FoldedNotes();
    // Weights typed with two decimals must not miss a catch stored as 2.3499999.
    constexpr double Tolerance = 1e-6;
    auto named = [](int key, const std::vector<char> &holds, const QString &part) {
        return part.isEmpty() || (key >= 0 && holds[size_t(key)]);
    };
    for (const int index : m_order) {
        const CatchRecord &r = m_records[size_t(index)];
        if ((speciesKey != -1 && r.speciesKey != speciesKey) || (!f.from.isEmpty() && r.day < f.from) ||
            // A stored day may carry a time of day after its date.
            (!f.to.isEmpty() && QStringView(r.day).left(10) > f.to) ||
            (f.minWeight > 0 && r.weight < f.minWeight - Tolerance) ||
            (f.minLength > 0 && r.length < f.minLength - Tolerance) || !named(r.placeKey, places, f.place) ||
            !named(r.baitKey, baits, f.bait) || (!notes.isEmpty() && !foldedNotes[size_t(index)].contains(notes)))
            continue;
        m_shown.push_back(index);
        m_shownWeight += r.weight;
    }
}

QStringList CatchLog::SpeciesNames() const
{
    QStringList names = m_species.names;
    const QCollator collator = PolishCollator();
    std::sort(names.begin(), names.end(),
              [&](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
    return names;
}

QString CatchLog::ColumnTitle(Column column)
{
    switch (column) {
    case Day:
        return QStringLiteral("Dzień");
    case Hour:
        return QStringLiteral("Godzina");
    case Species:
        return QStringLiteral("Gatunek");
    case Weight:
        return QStringLiteral("Waga (kg)");
    case Length:
        return QStringLiteral("Długość (cm)");
    case Place:
        return QStringLiteral("Miejsce");
    case Bait:
        return QStringLiteral("Przynęta");
    case Wind:
        return QStringLiteral("Wiatr");
    case Moon:
        return QStringLiteral("Faza księżyca");
    case Notes:
        return QStringLiteral("Opis");
    case Kept:
        return QStringLiteral("Zabrana");
    case Warning:
        return QStringLiteral("Naruszone przepisy");
    case ColumnCount:
        break;
    }
    return QString();
}

QString CatchLog::ColumnText(const CatchRecord &record, Column column)
{
    switch (column) {
    case Day:
        return record.day.left(10);
    case Hour:
        return record.hour;
    case Species:
        return record.species;
    case Weight:
        return CatchValues::MeasureText(record.weight);
    case Length:
        return CatchValues::MeasureText(record.length);
    case Place:
        return record.place;
    case Bait:
        return record.bait;
    case Wind:
        return record.wind;
    case Moon:
        return record.moon;
    case Notes:
        return record.notes;
    case Kept:
        return record.kept ? QStringLiteral("tak") : QStringLiteral("nie");
    case Warning:
        return record.Warning();
    case ColumnCount:
        break;
    }
    return QString();
}

QString CatchLog::NumberText(double value)
{
    // Sums of many weights carry binary noise; grams are the finest a scale shows.
    QString text = FieldConvert::FloatText(std::round(value * 1000) / 1000);
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}
