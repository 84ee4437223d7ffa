#include "diary/CatchLog.h"

#include "data/DbErrors.h"
#include "data/FieldConvert.h"
#include "data/TDbConnection.h"
#include "data/TextEncoding.h"

#include <QCollator>
#include <QHash>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace {
// Text that is not UTF-8 was stored by an older program in the Windows code page.
QString Decoded(std::string_view bytes)
{
    if (TextEncoding::IsValidUtf8(bytes))
        return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    const std::string converted = TextEncoding::Windows1250ToUtf8(bytes);
    return QString::fromUtf8(converted.data(), qsizetype(converted.size()));
}

std::string_view BytesAt(const SqliteApi &api, sqlite3_stmt *stmt, int column)
{
    const auto *text = reinterpret_cast<const char *>(api.column_text(stmt, column));
    return text ? std::string_view(text, size_t(api.column_bytes(stmt, column))) : std::string_view();
}

QString TextAt(const SqliteApi &api, sqlite3_stmt *stmt, int column)
{
    const std::string_view bytes = BytesAt(api, stmt, column);
    return bytes.empty() ? QString() : Decoded(bytes);
}

// The texts of a column that repeat (species, places, baits, days, the usual notes) are
// made once and shared: a long diary names a few dozen of them a hundred thousand times.
class SharedTexts
{
public:
    QString At(const SqliteApi &api, sqlite3_stmt *stmt, int column)
    {
        const std::string_view bytes = BytesAt(api, stmt, column);
        if (bytes.empty())
            return QString();
        // Most columns hold the same text many rows in a row.
        if (m_lastText && bytes == m_last)
            return *m_lastText;
        if (const auto known = m_texts.find(bytes); known != m_texts.end()) {
            Remember(known->first, known->second);
            return known->second;
        }
        // Notes and photo names rarely repeat: a diary of them must not fill the table.
        QString made = Decoded(bytes);
        if (m_texts.size() < 4096) {
            const auto added = m_texts.emplace(std::string(bytes), made).first;
            Remember(added->first, added->second);
        }
        return made;
    }

private:
    void Remember(std::string_view bytes, const QString &text)
    {
        m_last = bytes;
        m_lastText = &text;
    }

    // These texts are short: eight bytes at a time, and the general string hash would
    // cost more than the decoding it saves.
    struct Hash
    {
        using is_transparent = void;
        size_t operator()(std::string_view text) const
        {
            std::uint64_t hash = 14695981039346656037ull ^ text.size();
            size_t at = 0;
            for (; at + 8 <= text.size(); at += 8) {
                std::uint64_t word;
                std::memcpy(&word, text.data() + at, 8);
                hash = (hash ^ word) * 0x9E3779B97F4A7C15ull;
            }
            std::uint64_t tail = 0;
            std::memcpy(&tail, text.data() + at, text.size() - at);
            hash = (hash ^ tail) * 0x9E3779B97F4A7C15ull;
            return size_t(hash ^ (hash >> 29));
        }
    };
    std::unordered_map<std::string, QString, Hash, std::equal_to<>> m_texts;
    // The entries of the table stay where they are while it grows.
    std::string_view m_last;
    const QString *m_lastText = nullptr;
};

// The catches of the diary, 0 when they cannot be counted.
size_t RowCount(const SqliteApi &api, sqlite3 *db)
{
    sqlite3_stmt *stmt = nullptr;
    if (api.prepare(db, "select count(*) from dziennik", -1, &stmt, nullptr) != SQLITE_OK || !stmt)
        return 0;
    const qint64 count = api.step(stmt) == SQLITE_ROW ? api.column_int64(stmt, 0) : 0;
    api.finalize(stmt);
    return size_t(std::clamp<qint64>(count, 0, 10'000'000));
}

// No fish weighs or measures more; a larger number is a slip or a damaged file.
constexpr double LargestNumber = 1e9;

// A number column may hold a real, an integer, or text typed with a decimal comma. "nan",
// "inf" or 1e+300 (an old or restored file may hold them) read as empty, so that they
// never reach a sort, a total, a chart or the CSV.
double NumberAt(const SqliteApi &api, sqlite3_stmt *stmt, int column)
{
    double value = 0;
    if (api.column_type(stmt, column) != SQLITE_TEXT) {
        value = api.column_double(stmt, column);
    } else {
        QString text = TextAt(api, stmt, column).trimmed();
        text.replace(QLatin1Char(','), QLatin1Char('.'));
        value = text.toDouble();
    }
    return std::isfinite(value) && std::abs(value) < LargestNumber ? value : 0;
}

int MonthOf(const QString &day)
{
    // The usual yyyy-mm-dd read without a number parser.
    if (day.size() >= 7 && day.at(4) == QLatin1Char('-')) {
        const char16_t tens = day.at(5).unicode(), ones = day.at(6).unicode();
        if (tens >= '0' && tens <= '9' && ones >= '0' && ones <= '9') {
            const int month = (tens - '0') * 10 + (ones - '0');
            return month >= 1 && month <= 12 ? month : 0;
        }
    }
    if (day.size() < 7 || day.at(4) != QLatin1Char('-'))
        return 0;
    const int month = QStringView(day).mid(5, 2).toInt();
    return month >= 1 && month <= 12 ? month : 0;
}

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

void CatchLog::Load(TDbConnection &connection)
{
    SetRecords(ReadRecords(connection));
}

std::vector<CatchRecord> CatchLog::ReadRecords(TDbConnection &connection, const QString &where)
{
    if (!connection.Connected() || !connection.Handle())
        throw EDatabaseError(QStringLiteral("Database not connected"));
    const SqliteApi &api = connection.Api();
    sqlite3_stmt *stmt = nullptr;
    auto prepare = [&](const char *kept) {
        const QString sql = QStringLiteral("select rowid, data, gatunek, waga, dlugosc, miejsce, przyneta, wiatr, "
                                           "faza_ksiezyca, opis, foto, %1 from dziennik")
                                .arg(QLatin1String(kept)) +
                            (where.isEmpty() ? QString() : QStringLiteral(" where ") + where) +
                            QStringLiteral(" order by rowid");
        const QByteArray text = sql.toUtf8();
        return api.prepare(connection.Handle(), text.constData(), -1, &stmt, nullptr) == SQLITE_OK && stmt;
    };
    if (!prepare("zabrana") && !prepare("1"))
        connection.RaiseEngineError();
    std::vector<CatchRecord> records;
    // Growing the records a row at a time moves each of them twice over; counting the
    // rows first costs the engine a small part of reading them.
    if (where.isEmpty())
        records.reserve(RowCount(api, connection.Handle()));
    SharedTexts days, species, places, baits, winds, moons, notes;
    int rc;
    while ((rc = api.step(stmt)) == SQLITE_ROW) {
        CatchRecord &r = records.emplace_back();
        r.rowId = api.column_int64(stmt, 0);
        r.day = days.At(api, stmt, 1);
        r.species = species.At(api, stmt, 2);
        r.weight = NumberAt(api, stmt, 3);
        r.length = NumberAt(api, stmt, 4);
        r.place = places.At(api, stmt, 5);
        r.bait = baits.At(api, stmt, 6);
        r.wind = winds.At(api, stmt, 7);
        r.moon = moons.At(api, stmt, 8);
        r.notes = notes.At(api, stmt, 9);
        r.photo = TextAt(api, stmt, 10);
        // Only a stored 0 says released; anything else the column might hold keeps the fish.
        r.kept = api.column_type(stmt, 11) == SQLITE_NULL || NumberAt(api, stmt, 11) != 0;
        r.month = MonthOf(r.day);
    }
    if (rc != SQLITE_DONE) {
        api.reset(stmt);
        const QString message = QString::fromUtf8(api.errmsg(connection.Handle()));
        api.finalize(stmt);
        throw EDatabaseError(message);
    }
    api.finalize(stmt);
    return records;
}

void CatchLog::SetRecords(std::vector<CatchRecord> records)
{
    m_records = std::move(records);
    Index();
    Resort();
}

size_t CatchLog::AddressIndex::SlotOf(const QChar *letters, qsizetype size) const
{
    const size_t mask = m_slots.size() - 1;
    auto at = size_t(((reinterpret_cast<std::uintptr_t>(letters) >> 3) ^ size_t(size)) * 0x9E3779B97F4A7C15ull);
    at = (at >> 32) & mask;
    while (m_slots[at].letters && (m_slots[at].letters != letters || m_slots[at].size != size))
        at = (at + 1) & mask;
    return at;
}

int CatchLog::AddressIndex::Find(const QString &text) const
{
    if (m_slots.empty())
        return NotFound;
    const Slot &slot = m_slots[SlotOf(text.constData(), text.size())];
    return slot.letters ? slot.value : NotFound;
}

void CatchLog::AddressIndex::Insert(const QString &text, int value)
{
    // At most half full, so that a search ends soon on an empty slot.
    if (2 * (m_used + 1) > m_slots.size()) {
        std::vector<Slot> old = std::exchange(m_slots, std::vector<Slot>(std::max<size_t>(64, 2 * m_slots.size())));
        for (const Slot &slot : old) {
            if (slot.letters)
                m_slots[SlotOf(slot.letters, slot.size)] = slot;
        }
    }
    Slot &slot = m_slots[SlotOf(text.constData(), text.size())];
    if (!slot.letters)
        ++m_used;
    slot = {text.constData(), text.size(), value};
}

int CatchLog::Names::KeyOf(const QString &text)
{
    // Texts read from one diary share their letters when equal: the letters' address
    // finds them without hashing the text.
    if (const int shared = sharedKeyOf.Find(text); shared != AddressIndex::NotFound)
        return shared;
    const int key = KeyOfText(text);
    sharedKeyOf.Insert(text, key);
    return key;
}

int CatchLog::Names::KeyOfText(const QString &text)
{
    if (const auto stored = storedKeyOf.constFind(text); stored != storedKeyOf.constEnd())
        return stored.value();
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        storedKeyOf.insert(text, -1);
        return -1;
    }
    const QString key = trimmed.toCaseFolded();
    auto it = keyOf.find(key);
    if (it == keyOf.end()) {
        it = keyOf.insert(key, int(names.size()));
        names << trimmed;
        folded << key;
    }
    storedKeyOf.insert(text, it.value());
    return it.value();
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
    m_species = {};
    m_places = {};
    m_baits = {};
    m_foldedNotes.clear();
    // One walk over the records for every key and the days: a long diary does not fit
    // in the cache, and each walk costs as much as the work done in it.
    // Days read from one diary share their letters when equal: their address finds them
    // without hashing the text.
    AddressIndex sharedDay;
    QHash<QString, int> dayIndex;
    QStringList distinct;
    std::vector<int> &ranks = m_dayRanks;
    ranks.assign(m_records.size(), 0);
    for (size_t i = 0; i < m_records.size(); ++i) {
        CatchRecord &record = m_records[i];
        record.speciesKey = m_species.KeyOf(record.species);
        record.placeKey = m_places.KeyOf(record.place);
        record.baitKey = m_baits.KeyOf(record.bait);
        const QString &day = record.day;
        if (const int known = sharedDay.Find(day); known != AddressIndex::NotFound) {
            ranks[i] = known;
            continue;
        }
        auto it = dayIndex.find(day);
        if (it == dayIndex.end()) {
            it = dayIndex.insert(day, int(distinct.size()));
            distinct << day;
        }
        sharedDay.Insert(day, it.value());
        ranks[i] = it.value();
    }
    // The days were numbered as met; ranked in text order, they sort by date.
    std::vector<int> byText(size_t(distinct.size()));
    std::iota(byText.begin(), byText.end(), 0);
    std::sort(byText.begin(), byText.end(), [&](int a, int b) { return distinct[a] < distinct[b]; });
    std::vector<int> rankOf(byText.size());
    for (size_t r = 0; r < byText.size(); ++r)
        rankOf[size_t(byText[r])] = int(r);
    for (int &rank : ranks)
        rank = rankOf[size_t(rank)];
    m_days.clear();
    m_days.reserve(distinct.size());
    for (const int at : byText)
        m_days << distinct[at];
}

const std::vector<QString> &CatchLog::FoldedNotes()
{
    if (m_foldedNotes.size() == m_records.size())
        return m_foldedNotes;
    m_foldedNotes.assign(m_records.size(), QString());
    // Most catches have no notes, or the same few words, read once and shared.
    AddressIndex foldedNoteOf;
    QStringList folded;
    for (size_t i = 0; i < m_records.size(); ++i) {
        const QString &notes = m_records[i].notes;
        if (notes.isEmpty())
            continue;
        int at = foldedNoteOf.Find(notes);
        if (at == AddressIndex::NotFound) {
            at = int(folded.size());
            folded << notes.toCaseFolded();
            foldedNoteOf.Insert(notes, at);
        }
        m_foldedNotes[i] = folded[at];
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
    const auto byEntry = [this](int a, int b) { return m_records[size_t(a)].rowId < m_records[size_t(b)].rowId; };
    if (m_sortColumn == Day && std::is_sorted(m_order.begin(), m_order.end(), byEntry)) {
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
    case Species:
        return record.species;
    case Weight:
        return NumberText(record.weight);
    case Length:
        return NumberText(record.length);
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
