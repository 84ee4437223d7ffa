// Reading the whole diary into catch records. A long diary is read on two threads: this
// one steps the engine and copies each row's bytes as stored, a helper makes the records
// from them (decoding, sharing the repeated texts). Making a record costs about half of
// what the engine spends on its row, so the two overlap and the reading takes little
// longer than the engine alone.

#include "diary/CatchLog.h"

#include "data/DbErrors.h"
#include "data/FieldConvert.h"
#include "data/Statement.h"
#include "data/TDbConnection.h"
#include "data/TextEncoding.h"
#include "diary/DiaryColumns.h"
#include "diary/DiarySchema.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <new>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

namespace {
// Text that is not UTF-8 was stored by an older program in the Windows code page.
QString Decoded(std::string_view bytes)
{
    if (bytes.empty())
        return QString();
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

// The text columns of the statement, in the order a row keeps them.
constexpr std::array<int, 8> TextColumns{1, 2, 5, 6, 7, 8, 9, 10};
enum Text { Day, Species, Place, Bait, Wind, Moon, Notes, Photo };

// One row as the engine gave it: the numbers read, the texts' bytes in the chunk's store.
struct RawRow
{
    qint64 rowId = 0;
    double weight = 0;
    double length = 0;
    bool kept = true;
    // Text t is bytes [at[t], at[t + 1]) of the chunk.
    std::array<quint32, TextColumns.size() + 1> at{};
};

struct RawRows
{
    std::vector<RawRow> rows;
    std::string bytes;

    std::string_view TextOf(const RawRow &row, Text text) const
    {
        return std::string_view(bytes).substr(row.at[text], row.at[text + 1] - row.at[text]);
    }
};

// Rows handed over a chunk at a time: few enough that the texts stay in the cache, many
// enough that the threads rarely wait on each other.
constexpr size_t ChunkRows = 2048;

// Reads the next rows into the chunk; the engine's last answer is left in rc.
void ReadChunk(const SqliteApi &api, sqlite3_stmt *stmt, RawRows &chunk, int &rc)
{
    chunk.rows.clear();
    chunk.bytes.clear();
    while (chunk.rows.size() < ChunkRows && (rc = api.step(stmt)) == SQLITE_ROW) {
        RawRow &row = chunk.rows.emplace_back();
        row.rowId = api.column_int64(stmt, 0);
        for (size_t t = 0; t < TextColumns.size(); ++t) {
            row.at[t] = quint32(chunk.bytes.size());
            chunk.bytes.append(BytesAt(api, stmt, TextColumns[t]));
        }
        row.at.back() = quint32(chunk.bytes.size());
        row.weight = NumberAt(api, stmt, 3, api.column_type(stmt, 3));
        row.length = NumberAt(api, stmt, 4, api.column_type(stmt, 4));
        // Only a stored 0 says released; anything else the column might hold keeps the fish.
        const int keptType = api.column_type(stmt, 11);
        row.kept = keptType == SQLITE_NULL || NumberAt(api, stmt, 11, keptType) != 0;
    }
}

// The texts of a column that repeat (species, places, baits, days, the usual notes) are
// made once and shared: a long diary names a few dozen of them a hundred thousand times.
class SharedTexts
{
public:
    QString At(std::string_view bytes)
    {
        if (bytes.empty())
            return QString();
        // Most columns hold the same text many rows in a row.
        if (m_last >= 0 && m_entries[size_t(m_last)].bytes == bytes)
            return m_entries[size_t(m_last)].text;
        const std::uint64_t hash = Hash(bytes);
        size_t at = size_t(hash) & (m_slots.size() - 1);
        for (; m_slots[at].entry >= 0; at = (at + 1) & (m_slots.size() - 1)) {
            const Slot slot = m_slots[at];
            if (slot.hash == quint32(hash >> 32) && m_entries[size_t(slot.entry)].bytes == bytes) {
                m_last = slot.entry;
                return m_entries[size_t(slot.entry)].text;
            }
        }
        // Notes and photo names rarely repeat: a diary of them must not fill the table.
        QString made = Decoded(bytes);
        if (m_entries.size() < MaxEntries) {
            m_last = int(m_entries.size());
            m_slots[at] = {quint32(hash >> 32), m_last};
            m_entries.push_back({std::string(bytes), made});
        }
        return made;
    }

private:
    // These texts are short: eight bytes at a time, and the general string hash would
    // cost more than the decoding it saves.
    static std::uint64_t Hash(std::string_view text)
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
        return hash ^ (hash >> 29);
    }

    struct Entry
    {
        std::string bytes;
        QString text;
    };
    struct Slot
    {
        quint32 hash = 0;
        int entry = -1;
    };
    // The table is never more than half full, so a search soon meets an empty slot.
    static constexpr size_t MaxEntries = 4096;
    std::vector<Slot> m_slots = std::vector<Slot>(2 * MaxEntries);
    std::vector<Entry> m_entries;
    int m_last = -1;
};

// Makes the catch records of the rows, in the order read.
class RecordMaker
{
public:
    explicit RecordMaker(std::vector<CatchRecord> &records) : m_records(records) {}

    void Make(const RawRows &chunk)
    {
        for (const RawRow &raw : chunk.rows) {
            CatchRecord &r = m_records.emplace_back();
            r.rowId = raw.rowId;
            r.day = m_days.At(chunk.TextOf(raw, Day));
            r.species = m_species.At(chunk.TextOf(raw, Species));
            r.weight = raw.weight;
            r.length = raw.length;
            r.place = m_places.At(chunk.TextOf(raw, Place));
            r.bait = m_baits.At(chunk.TextOf(raw, Bait));
            r.wind = m_winds.At(chunk.TextOf(raw, Wind));
            r.moon = m_moons.At(chunk.TextOf(raw, Moon));
            r.notes = m_notes.At(chunk.TextOf(raw, Notes));
            r.photo = Decoded(chunk.TextOf(raw, Photo));
            r.kept = raw.kept;
            r.month = MonthOf(r.day);
        }
    }

private:
    std::vector<CatchRecord> &m_records;
    SharedTexts m_days, m_species, m_places, m_baits, m_winds, m_moons, m_notes;
};

// Chunks passed from the reading thread to the making one, and the emptied ones back, so
// that their memory is reused.
class ChunkQueue
{
public:
    // Waits while the maker is a few chunks behind; false once either side has stopped.
    bool Push(RawRows &chunk)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_stopped || m_full.size() < 4; });
        if (m_stopped)
            return false;
        m_full.push_back(std::exchange(chunk, {}));
        if (!m_spare.empty()) {
            chunk = std::move(m_spare.front());
            m_spare.pop_front();
        }
        m_changed.notify_all();
        return true;
    }

    // The next chunk into chunk, after the one it held is kept for reuse; false when
    // the reader has finished and every chunk is taken, or either side has stopped.
    bool Pop(RawRows &chunk)
    {
        std::unique_lock lock(m_mutex);
        if (!chunk.rows.empty())
            m_spare.push_back(std::exchange(chunk, {}));
        m_changed.wait(lock, [this] { return m_stopped || m_finished || !m_full.empty(); });
        if (m_stopped || m_full.empty())
            return false;
        chunk = std::move(m_full.front());
        m_full.pop_front();
        m_changed.notify_all();
        return true;
    }

    // The reader has read every row.
    void Finish()
    {
        const std::lock_guard lock(m_mutex);
        m_finished = true;
        m_changed.notify_all();
    }

    void Stop()
    {
        const std::lock_guard lock(m_mutex);
        m_stopped = true;
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<RawRows> m_full;
    std::deque<RawRows> m_spare;
    bool m_finished = false;
    bool m_stopped = false;
};

// A shorter diary is read in one thread: starting a second would cost more than it saves.
constexpr size_t RowsWorthAHelper = 3 * ChunkRows;

// The records of the statement's rows; rc is left at the engine's last answer.
std::vector<CatchRecord> ReadRows(const SqliteApi &api, sqlite3_stmt *stmt, size_t expected, int &rc,
                                  const std::function<void(std::vector<CatchRecord> &, size_t)> &made,
                                  std::vector<CatchRecord> retired)
{
    std::vector<CatchRecord> records;
    // Growing the records a row at a time moves each of them twice over. Room that
    // cannot be had at once is not needed at once.
    try {
        records.reserve(expected);
    } catch (const std::bad_alloc &) {
    }
    RecordMaker maker(records);
    // Each chunk's records are handed on as soon as they are made.
    auto make = [&](const RawRows &chunk) {
        const size_t from = records.size();
        maker.Make(chunk);
        if (made)
            made(records, from);
    };
    RawRows chunk;
    rc = SQLITE_ROW;
    if (expected < RowsWorthAHelper) {
        retired = {};
        while (rc == SQLITE_ROW) {
            ReadChunk(api, stmt, chunk, rc);
            make(chunk);
        }
        return records;
    }

    ChunkQueue queue;
    std::exception_ptr makerFailed;
    std::thread helper([&] {
        try {
            // The engine's first rows take longer than freeing the old records.
            retired = {};
            RawRows taken;
            while (queue.Pop(taken))
                make(taken);
        } catch (...) {
            makerFailed = std::current_exception();
            queue.Stop();
        }
    });
    // Whatever ends the reading, the helper is stopped and waited for before the records
    // it writes go out of scope.
    struct Joined
    {
        ChunkQueue &queue;
        std::thread &helper;
        bool finished = false;
        ~Joined()
        {
            if (!finished)
                queue.Stop();
            helper.join();
        }
    };
    {
        Joined joined{queue, helper};
        while (rc == SQLITE_ROW) {
            ReadChunk(api, stmt, chunk, rc);
            if (!chunk.rows.empty() && !queue.Push(chunk))
                break;
        }
        // The helper makes the chunks still queued, then ends.
        queue.Finish();
        joined.finished = true;
    }
    if (makerFailed)
        std::rethrow_exception(makerFailed);
    return records;
}
} // namespace

std::vector<CatchRecord> CatchLog::Read(TDbConnection &connection, const QString &where, const Made &made,
                                        std::vector<CatchRecord> retired)
{
    if (!connection.Connected() || !connection.Handle())
        throw EDatabaseError(QStringLiteral("Database not connected"));
    const SqliteApi &api = connection.Api();
    // The column zabrana is read as 1 from a diary older than it.
    const QString kept = HasColumn(connection, QStringLiteral("dziennik"), DiaryColumns::Name(DiaryColumns::Zabrana))
                             ? DiaryColumns::Name(DiaryColumns::Zabrana)
                             : QStringLiteral("1");
    QStringList columns{QStringLiteral("rowid")};
    for (int c = 0; c < DiaryColumns::Zabrana; ++c)
        columns << DiaryColumns::Name(DiaryColumns::Column(c));
    columns << kept;
    Statement statement(connection, QStringLiteral("select ") + columns.join(QStringLiteral(", ")) +
                                        QStringLiteral(" from dziennik") +
                                        (where.isEmpty() ? QString() : QStringLiteral(" where ") + where) +
                                        QStringLiteral(" order by rowid"));
    sqlite3_stmt *const stmt = statement.Handle();
    int rc = SQLITE_ROW;
    const size_t expected = where.isEmpty() ? RowEstimate(connection) : 0;
    std::vector<CatchRecord> records = ReadRows(api, stmt, expected, rc, made, std::move(retired));
    // Many rows deleted leave room for many more records: not kept for the log's life.
    if (records.capacity() > 2 * records.size() + ChunkRows)
        records.shrink_to_fit();
    if (rc != SQLITE_DONE) {
        api.reset(stmt);
        throw EDatabaseError(QString::fromUtf8(api.errmsg(connection.Handle())));
    }
    return records;
}
