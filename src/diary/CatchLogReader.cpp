// Reading the whole diary into catch records, in one walk over the engine's rows on this
// thread: each row is decoded, its repeated texts shared, and handed on to be keyed and
// judged while it is still in the cache. What a diary repeats (its species, places,
// baits, days) is worked out once per distinct text, never once per catch.

#include "diary/CatchLog.h"

#include "data/DbErrors.h"
#include "data/FieldConvert.h"
#include "data/Statement.h"
#include "data/TDbConnection.h"
#include "data/TextEncoding.h"
#include "diary/DiaryColumns.h"
#include "diary/DiarySchema.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace {
bool IsAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
}

// Text that is not UTF-8 was stored by an older program in the Windows code page.
QString Decoded(std::string_view bytes)
{
    if (bytes.empty())
        return QString();
    // Dates and many names are ASCII, which widens without decoding.
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    std::string converted;
    const std::string_view utf8 = TextEncoding::AsUtf8(bytes, converted);
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

std::string_view BytesAt(const SqliteApi &api, sqlite3_stmt *stmt, int column)
{
    const auto *text = reinterpret_cast<const char *>(api.column_text(stmt, column));
    return text ? std::string_view(text, size_t(api.column_bytes(stmt, column))) : std::string_view();
}

// No fish weighs or measures more; a larger number is a slip or a damaged file.
constexpr double LargestNumber = 1e9;

// A number column may hold a real, an integer, or text typed with a decimal comma. "nan",
// "inf" or 1e+300 (an old or restored file may hold them) read as empty, so that they
// never reach a sort, a total, a chart or the CSV.
double NumberAt(const SqliteApi &api, sqlite3_stmt *stmt, int column, int type)
{
    double value = 0;
    if (type != SQLITE_TEXT)
        value = api.column_double(stmt, column);
    else if (!FieldConvert::ParseFloat(BytesAt(api, stmt, column), value))
        value = 0;
    return std::isfinite(value) && std::abs(value) < LargestNumber ? value : 0;
}

int MonthOf(const QString &day)
{
    // The usual yyyy-mm-dd read without a number parser.
    if (day.size() < 7 || day.at(4) != QLatin1Char('-'))
        return 0;
    const char16_t tens = day.at(5).unicode(), ones = day.at(6).unicode();
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9')
        return 0;
    const int month = (tens - '0') * 10 + (ones - '0');
    return month >= 1 && month <= 12 ? month : 0;
}

// About how many catches the diary holds, from the span of its row ids: counting them
// would cost the engine a walk over the whole table. Rows deleted leave gaps, so this
// may be more, never less, unless the ids run out of order; 0 when unknown.
size_t RowEstimate(TDbConnection &connection)
{
    Statement span(connection,
                   QStringLiteral("select (select max(rowid) from dziennik) - (select min(rowid) from dziennik) + 1"));
    // Few anglers log more; a wider span is mostly rows deleted, and the records of a
    // larger diary grow as they are read.
    return span.Next() ? size_t(std::clamp<qint64>(span.Integer(0), 0, 250'000)) : 0;
}

// A stored text as the dictionaries below compare it: its length and two words that hold
// every byte of a text up to sixteen bytes long, the second overlapping the first when
// the text is shorter, so that no length needs a loop of its own. A longer text adds its
// middle bytes folded into a third word, and is told apart by its bytes once its key
// matches.
struct Key
{
    static constexpr size_t Short = 16;

    explicit Key(std::string_view bytes) : size(bytes.size())
    {
        const char *const at = bytes.data();
        if (size >= 8) {
            first = Word(at, 8);
            last = Word(at + size - 8, 8);
        } else if (size >= 4) {
            first = Word(at, 4);
            last = Word(at + size - 4, 4);
        } else if (size > 0) {
            first = std::uint8_t(at[0]) | std::uint8_t(at[size / 2]) << 8 | std::uint8_t(at[size - 1]) << 16;
        }
        // Notes of one pattern share their ends: without their middle they would all
        // hash alike.
        for (size_t from = 8; from + 8 < size; from += 8)
            middle = Mixed(middle ^ Word(at + from, 8));
    }

    bool operator==(const Key &) const = default;

    quint32 Hash() const
    {
        std::uint64_t hash = Mixed(Mixed(0x9E3779B97F4A7C15ull ^ size ^ first) ^ last);
        if (size > Short)
            hash = Mixed(hash ^ middle);
        hash *= 0xC4CEB9FE1A85EC53ull;
        return quint32(hash ^ hash >> 29);
    }

    size_t size;
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    std::uint64_t middle = 0;

private:
    static std::uint64_t Word(const char *bytes, size_t size)
    {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes, size);
        return word;
    }

    // The high bits are folded down after each multiplication: the days differ only in
    // their last bytes, which a multiplication alone carries only upwards, away from the
    // low bits that choose a slot.
    static std::uint64_t Mixed(std::uint64_t word)
    {
        word *= 0xFF51AFD7ED558CCDull;
        return word ^ word >> 32;
    }
};

// The distinct texts of one column, each decoded once and shared by every row that holds
// it, and numbered from 0 in the order met. They are found by their stored bytes, so a
// text met again costs a hash of a few bytes, no decoding and no allocation.
class ColumnTexts
{
public:
    // A column whose texts rarely repeat (the notes) keeps at most most of them.
    explicit ColumnTexts(size_t most = SIZE_MAX) : m_most(most) {}

    // The text the bytes hold and its number; -1 when the column keeps no more texts and
    // this one is new.
    Q_ALWAYS_INLINE const QString &At(std::string_view bytes, int &number)
    {
        const Key key(bytes);
        // A run of one text (a day's catches, a season's wind, empty notes) is common.
        if (m_last >= 0 && Holds(m_entries[size_t(m_last)], key, bytes)) {
            number = m_last;
            return m_entries[size_t(m_last)].text;
        }
        const quint32 hash = key.Hash();
        size_t at = hash & (m_slots.size() - 1);
        for (; m_slots[at].entry >= 0; at = (at + 1) & (m_slots.size() - 1)) {
            if (m_slots[at].hash == hash && Holds(m_entries[size_t(m_slots[at].entry)], key, bytes)) {
                number = m_last = m_slots[at].entry;
                return m_entries[size_t(number)].text;
            }
        }
        return Add(bytes, key, hash, at, number);
    }

private:
    struct Slot
    {
        quint32 hash = 0;
        int entry = -1;
    };
    struct Entry
    {
        Key key;
        // Where m_bytes holds a text longer than Key::Short.
        size_t from = 0;
        QString text;
    };

    bool Holds(const Entry &entry, const Key &key, std::string_view bytes) const
    {
        return entry.key == key &&
               (key.size <= Key::Short || std::memcmp(m_bytes.data() + entry.from, bytes.data(), key.size) == 0);
    }

    // Met once per distinct text: kept out of the reading's loop.
    Q_NEVER_INLINE const QString &Add(std::string_view bytes, const Key &key, quint32 hash, size_t at, int &number)
    {
        if (m_entries.size() >= m_most) {
            number = -1;
            m_unkept = Decoded(bytes);
            return m_unkept;
        }
        number = m_last = int(m_entries.size());
        m_slots[at] = {hash, number};
        Entry &entry = m_entries.emplace_back(Entry{key, m_bytes.size(), Decoded(bytes)});
        if (key.size > Key::Short)
            m_bytes.append(bytes);
        // At most half full, so that a search soon meets an empty slot.
        if (2 * m_entries.size() > m_slots.size())
            Grow();
        return entry.text;
    }

    void Grow()
    {
        std::vector<Slot> slots(2 * m_slots.size());
        for (const Slot &slot : m_slots) {
            if (slot.entry < 0)
                continue;
            size_t at = slot.hash & (slots.size() - 1);
            while (slots[at].entry >= 0)
                at = (at + 1) & (slots.size() - 1);
            slots[at] = slot;
        }
        m_slots = std::move(slots);
    }

    size_t m_most;
    std::vector<Slot> m_slots = std::vector<Slot>(64);
    std::vector<Entry> m_entries;
    // The bytes of the longer texts, one after another.
    std::string m_bytes;
    int m_last = -1;
    QString m_unkept;
};

// The reading's statement: the row id, then the diary's columns in their own order, the
// kept column and the hour as given.
QString SelectText(const QString &kept, const QString &hour, const QString &where)
{
    QStringList columns{QStringLiteral("rowid")};
    for (int c = 0; c < DiaryColumns::Zabrana; ++c)
        columns << DiaryColumns::Name(DiaryColumns::Column(c));
    columns << kept << hour;
    return QStringLiteral("select ") + columns.join(QStringLiteral(", ")) + QStringLiteral(" from dziennik") +
           (where.isEmpty() ? QString() : QStringLiteral(" where ") + where) + QStringLiteral(" order by rowid");
}

// Where SelectText puts the column.
constexpr int ColumnOf(DiaryColumns::Column column)
{
    return 1 + int(column);
}
} // namespace

void CatchLog::Read(TDbConnection &connection, const QString &where, const Made &made,
                    std::vector<CatchRecord> &records)
{
    using namespace DiaryColumns;
    // A diary older than the hour has none; one older than the kept column counts every
    // catch as kept.
    const QString table = QStringLiteral("dziennik");
    std::optional<Statement> statement =
        PrepareIfPresent(connection, SelectText(Name(Zabrana), Name(Godzina), where), table, Name(Godzina));
    if (!statement) {
        const QString kept = HasColumn(connection, table, Name(Zabrana)) ? Name(Zabrana) : QStringLiteral("1");
        statement.emplace(connection, SelectText(kept, QStringLiteral("NULL"), where));
    }
    const SqliteApi &api = connection.Api();
    sqlite3_stmt *const stmt = statement->Handle();

    records.clear();
    // Growing the records a row at a time moves each of them twice over. Room that
    // cannot be had at once is not needed at once.
    try {
        records.reserve(where.isEmpty() ? RowEstimate(connection) : 0);
    } catch (const std::bad_alloc &) {
    }
    ColumnTexts days, species, places, baits, winds, moons, hours;
    // Notes are mostly empty or one of a few words; the rest rarely repeat.
    ColumnTexts notes(4096);
    TextNumbers numbers;
    int unnumbered = -1;
    int rc = SQLITE_DONE;
    while ((rc = api.step(stmt)) == SQLITE_ROW) {
        const int keptType = api.column_type(stmt, ColumnOf(Zabrana));
        // Filled where it stays: a record built aside would be cleared and moved per row.
        CatchRecord &r = records.emplace_back();
        r.rowId = api.column_int64(stmt, 0);
        r.day = days.At(BytesAt(api, stmt, ColumnOf(Data)), numbers.day);
        r.species = species.At(BytesAt(api, stmt, ColumnOf(Gatunek)), numbers.species);
        r.weight = NumberAt(api, stmt, ColumnOf(Waga), api.column_type(stmt, ColumnOf(Waga)));
        r.length = NumberAt(api, stmt, ColumnOf(Dlugosc), api.column_type(stmt, ColumnOf(Dlugosc)));
        r.place = places.At(BytesAt(api, stmt, ColumnOf(Miejsce)), numbers.place);
        r.bait = baits.At(BytesAt(api, stmt, ColumnOf(Przyneta)), numbers.bait);
        r.wind = winds.At(BytesAt(api, stmt, ColumnOf(Wiatr)), unnumbered);
        r.moon = moons.At(BytesAt(api, stmt, ColumnOf(FazaKsiezyca)), unnumbered);
        r.notes = notes.At(BytesAt(api, stmt, ColumnOf(Opis)), unnumbered);
        r.photo = Decoded(BytesAt(api, stmt, ColumnOf(Foto)));
        // Only a stored 0 says released; anything else the column might hold keeps the fish.
        r.kept = keptType == SQLITE_NULL || NumberAt(api, stmt, ColumnOf(Zabrana), keptType) != 0;
        r.hour = hours.At(BytesAt(api, stmt, ColumnOf(Godzina)), unnumbered);
        r.month = MonthOf(r.day);
        if (made)
            made(r, numbers);
    }
    if (rc != SQLITE_DONE) {
        // A busy or damaged file stops the reading: reported, never half a diary.
        api.reset(stmt);
        connection.RaiseEngineError();
    }
    // Many rows deleted leave room for many more records: not kept for the log's life.
    if (records.capacity() > 2 * records.size() + 1024)
        records.shrink_to_fit();
}
