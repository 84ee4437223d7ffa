#include "diary/CatchRules.h"

#include "base/DateUtils.h"

#include <QDate>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>
#include <utility>

namespace {
const QString National = QStringLiteral("przepisy krajowe");

QString Number(double value)
{
    return QString::number(value, 'g', 6).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString MonthDay(int key)
{
    return Permit::MonthDayText(key);
}

QString SeasonText(const QString &name, int from, int to, const QString &source)
{
    if (from == 101 && to == 1231)
        return QStringLiteral("%1 jest pod ochroną przez cały rok (%2).").arg(name, source);
    return QStringLiteral("%1 jest pod ochroną od %2 do %3 (%4).").arg(name, MonthDay(from), MonthDay(to), source);
}
} // namespace

CatchRules::CatchRules(std::vector<SpeciesProtection> national, Permit permit)
    : m_national(std::move(national)), m_permit(std::move(permit))
{
    IndexNames();
}

void CatchRules::IndexNames()
{
    // The first of two rows of one name binds, as a lookup by name finds it.
    for (int i = int(m_national.size()) - 1; i >= 0; --i)
        m_nationalOf.insert(ProtectionRule::FoldedName(m_national[size_t(i)].name), i);
    for (int i = int(m_permit.species.size()) - 1; i >= 0; --i)
        m_permitOf.insert(ProtectionRule::FoldedName(m_permit.species[size_t(i)].name), i);
    m_nationalOf.remove(QString());
    m_permitOf.remove(QString());
}

CatchRules CatchRules::OfDiary(TDbConnection &connection)
{
    std::vector<SpeciesProtection> national;
    Permit permit;
    try {
        national = ProtectionRule::ReadSpecies(&connection);
    } catch (const std::exception &) {
    }
    try {
        permit = Permit::Read(connection);
    } catch (const std::exception &) {
    }
    return CatchRules(std::move(national), std::move(permit));
}

QString CatchRules::PermitSource() const
{
    const QString name = m_permit.name.trimmed();
    return name.isEmpty() ? QStringLiteral("zezwolenie") : QStringLiteral("zezwolenie „%1”").arg(name);
}

std::vector<QStringList> CatchRules::Judge(const std::vector<CatchRecord> &records) const
{
    std::vector<QStringList> broken(records.size());
    Tally(records, [&](size_t index, const Found &found) {
        if (found.broken)
            broken[index] = Sentences(records[index], found);
    });
    return broken;
}

void CatchRules::Mark(std::vector<CatchRecord> &records) const
{
    // The sentences are written when a catch is shown; the records keep what they need.
    const auto shared = std::make_shared<const CatchRules>(*this);
    Tally(records, [&](size_t index, const Found &found) { Store(records[index], found, shared); });
}

QString CatchRules::WarningOf(const CatchRecord &record) const
{
    if (!record.verdict.broken)
        return QString();
    const QString folded = ProtectionRule::FoldedName(record.species);
    Found found;
    found.broken = record.verdict.broken;
    found.count = record.verdict.count;
    found.keptKg = record.verdict.keptKg;
    found.national = m_nationalOf.value(folded, -1);
    found.own = m_permit.AppliesTo(QStringView(record.day).left(10)) ? m_permitOf.value(folded, -1) : -1;
    found.eel = folded == QLatin1String("wegorz");
    return Sentences(record, found).join(QStringLiteral("; "));
}

QStringList CatchRules::Sentences(const CatchRecord &r, const Found &found) const
{
    QStringList out;
    const SpeciesProtection *national = found.national < 0 ? nullptr : &m_national[size_t(found.national)];
    const PermitSpecies *own = found.own < 0 ? nullptr : &m_permit.species[size_t(found.own)];
    const QString name = national ? national->name : own ? own->name : QString();
    if (found.broken & CatchVerdict::NationalSeason)
        out << SeasonText(name, national->from, national->to, National);
    if (found.broken & CatchVerdict::OwnSeason)
        out << SeasonText(name, own->from, own->to, PermitSource());
    if (found.broken & CatchVerdict::Size) {
        const double nationalSize = national ? national->size : 0;
        const double ownSize = own ? own->size : 0;
        out << QStringLiteral("%1: %2 cm – wymiar ochronny %3 cm, ryba musi być dłuższa (%4).")
                   .arg(name, Number(r.length), Number(std::max(nationalSize, ownSize)),
                        ownSize > nationalSize ? PermitSource() : National);
    }
    if (found.broken & CatchVerdict::Limit) {
        const int nationalLimit = found.eel ? NationalEelsADay : 0;
        const int ownLimit = own ? own->dailyCount : 0;
        const bool ownLimitStricter = ownLimit > 0 && (nationalLimit == 0 || ownLimit < nationalLimit);
        out << QStringLiteral("%1: %2. sztuka tego dnia – dzienny limit %3 szt. (%4).")
                   .arg(national || own ? name : r.species.simplified())
                   .arg(found.count)
                   .arg(ownLimitStricter ? ownLimit : nationalLimit)
                   .arg(ownLimitStricter ? PermitSource() : National);
    }
    if (found.broken & CatchVerdict::DailyKg)
        out << QStringLiteral("Zabrane ryby tego dnia: %1 kg – dzienny limit %2 kg (%3).")
                   .arg(Number(std::round(found.keptKg * 1000) / 1000), Number(m_permit.dailyKg), PermitSource());
    return out;
}

// What each day has seen so far, catch by catch in entry order.
class CatchRules::Counter
{
public:
    explicit Counter(const CatchRules &rules) : m_rules(rules) {}
    Found Next(const CatchRecord &r, const TextNumbers &numbers);

private:
    // A stored day may carry a time of day after its date.
    struct DayTally
    {
        // The day's date as a number; a day that is no date as -1 less its number among
        // those.
        qint64 key = 0;
        // A day that is no date has no season.
        bool dated = false;
        // The date as the season rules take it, worked out once per day.
        int monthDay = 0;
        bool permitBinds = false;
        // Where the day's counts lie in m_counts, and for how many names.
        int countsFrom = 0;
        int countsSize = 0;
        double keptKg = 0;
    };
    // Each species text folded once, with the indexes of its national and permit rules
    // (-1 for none).
    struct Name
    {
        QString folded;
        int national = -1;
        int own = -1;
        bool eel = false;
    };
    // The tally of the day's date; once when the day is a text the reading numbered.
    int TallyOf(const QString &day, bool once);
    int NewTally(qint64 key, QStringView date);
    int NameOf(const QString &species);
    // The kept fish of a species so far on a day.
    int &CountOf(DayTally &tally, int name);

    const CatchRules &m_rules;
    std::vector<DayTally> m_tallies;
    // Each day's counts by the species' number in names, one day after another; grown
    // ahead, the first m_countsUsed taken.
    std::vector<int> m_counts;
    int m_countsUsed = 0;
    // Days are told apart by their date as a number, which hashes far faster than a
    // text; a day that is no date is its own, by its text. Kept from the first day that
    // needs looking up by its date.
    QHash<qint64, int> m_tallyOf;
    bool m_indexed = false;
    QHash<QString, qint64> m_oddDays;
    ByTextNumber m_tallyOfNumber;
    QHash<QString, int> m_nameOf;
    ByTextNumber m_nameOfNumber;
    QHash<QString, int> m_numberOfFolded;
    std::vector<Name> m_names;
    // Catches come a day at a time more often than not.
    qint64 m_lastKey = 0;
    int m_last = -1;
};

int CatchRules::Counter::TallyOf(const QString &day, bool once)
{
    const QStringView date = QStringView(day).left(10);
    qint64 key = DateNumber(date);
    if (key < 0) {
        const QString odd = date.toString();
        key = -1 - *m_oddDays.insert(odd, m_oddDays.value(odd, m_oddDays.size()));
    }
    // Each text a reading numbered comes here once, and shares its date with no other
    // text until one of them carries more than a date: till then, no day needs finding
    // by its date.
    if (once && day.size() <= date.size() && !m_indexed)
        return NewTally(key, date);
    if (!m_indexed) {
        for (size_t t = 0; t < m_tallies.size(); ++t)
            m_tallyOf.insert(m_tallies[t].key, int(t));
        m_indexed = true;
    }
    if (m_last >= 0 && key == m_lastKey)
        return m_last;
    auto tally = m_tallyOf.constFind(key);
    if (tally == m_tallyOf.constEnd())
        tally = m_tallyOf.insert(key, NewTally(key, date));
    m_lastKey = key;
    m_last = tally.value();
    return m_last;
}

int CatchRules::Counter::NewTally(qint64 key, QStringView date)
{
    DayTally &made = m_tallies.emplace_back();
    made.key = key;
    int year = 0, month = 0, day = 0;
    if (key >= 0) {
        // Read from its digits as QDate reads an ISO date, which knows no year 0.
        year = int(key / 10000), month = int(key / 100 % 100), day = int(key % 100);
        made.dated = year > 0 && QDate::isValid(year, month, day);
        made.permitBinds = m_rules.m_permit.AppliesToYear(year);
    } else {
        const QDate read = QDate::fromString(date, Qt::ISODate);
        made.dated = read.isValid();
        read.getDate(&year, &month, &day);
        made.permitBinds = m_rules.m_permit.AppliesTo(date);
    }
    if (made.dated)
        made.monthDay = ProtectionRule::MonthDayKey(year, month, day);
    return int(m_tallies.size()) - 1;
}

int &CatchRules::Counter::CountOf(DayTally &tally, int name)
{
    // A day's counts lie together, with room for every name known when its first fish
    // was kept; a day that meets a later name moves to the end with room for all.
    if (name >= tally.countsSize) {
        const int from = m_countsUsed;
        const int size = int(m_names.size());
        m_countsUsed += size;
        if (m_counts.size() < size_t(m_countsUsed))
            m_counts.resize(std::max(2 * m_counts.size(), size_t(m_countsUsed)));
        std::copy_n(m_counts.begin() + tally.countsFrom, tally.countsSize, m_counts.begin() + from);
        tally.countsFrom = from;
        tally.countsSize = size;
    }
    return m_counts[size_t(tally.countsFrom + name)];
}

int CatchRules::Counter::NameOf(const QString &species)
{
    if (const auto known = m_nameOf.constFind(species); known != m_nameOf.constEnd())
        return known.value();
    const QString fold = ProtectionRule::FoldedName(species);
    auto number = m_numberOfFolded.constFind(fold);
    if (number == m_numberOfFolded.constEnd()) {
        number = m_numberOfFolded.insert(fold, int(m_names.size()));
        m_names.push_back({fold, m_rules.m_nationalOf.value(fold, -1), m_rules.m_permitOf.value(fold, -1),
                           fold == QLatin1String("wegorz")});
    }
    return m_nameOf.insert(species, number.value()).value();
}

CatchRules::Found CatchRules::Counter::Next(const CatchRecord &r, const TextNumbers &numbers)
{
    DayTally &tally =
        m_tallies[size_t(m_tallyOfNumber.Get(numbers.day, [&] { return TallyOf(r.day, numbers.day >= 0); }))];
    Found found;
    if (!r.kept)
        return found;
    const int number = m_nameOfNumber.Get(numbers.species, [&] { return NameOf(r.species); });
    const Name &species = m_names[size_t(number)];
    const bool permitBinds = tally.permitBinds;
    if (!species.folded.isEmpty())
        found.count = ++CountOf(tally, number);
    if (r.weight > 0)
        tally.keptKg += r.weight;
    found.keptKg = tally.keptKg;
    if (species.folded.isEmpty())
        return found;
    found.national = species.national;
    found.own = permitBinds ? species.own : -1;
    found.eel = species.eel;
    const SpeciesProtection *national = found.national < 0 ? nullptr : &m_rules.m_national[size_t(found.national)];
    const PermitSpecies *own = found.own < 0 ? nullptr : &m_rules.m_permit.species[size_t(found.own)];

    const bool dated = tally.dated;
    if (dated && national && ProtectionRule::InClosedSeasonOn(*national, tally.monthDay)) {
        found.broken |= CatchVerdict::NationalSeason;
    } else if (dated && own && own->from && own->to) {
        SpeciesProtection season;
        season.from = own->from;
        season.to = own->to;
        if (ProtectionRule::InClosedSeasonOn(season, tally.monthDay))
            found.broken |= CatchVerdict::OwnSeason;
    }

    const double size = std::max(national ? national->size : 0, own ? own->size : 0);
    if (size > 0 && r.length > 0 && r.length <= size)
        found.broken |= CatchVerdict::Size;

    const int nationalLimit = found.eel ? NationalEelsADay : 0;
    const int ownLimit = own ? own->dailyCount : 0;
    const bool ownLimitStricter = ownLimit > 0 && (nationalLimit == 0 || ownLimit < nationalLimit);
    const int limit = ownLimitStricter ? ownLimit : nationalLimit;
    if (limit > 0 && found.count > limit)
        found.broken |= CatchVerdict::Limit;

    // Weighed to the gram: a sum of typed weights must not pass the limit by noise.
    const double dailyKg = m_rules.m_permit.dailyKg;
    if (permitBinds && dailyKg > 0 && r.weight > 0 && tally.keptKg > dailyKg + 0.0005)
        found.broken |= CatchVerdict::DailyKg;
    return found;
}

template <typename Report> void CatchRules::Tally(const std::vector<CatchRecord> &records, Report report) const
{
    std::vector<int> order(records.size());
    std::iota(order.begin(), order.end(), 0);
    auto byEntry = [&](int a, int b) { return records[size_t(a)].rowId < records[size_t(b)].rowId; };
    // A diary read whole comes in entry order already; sorting it again would cost more
    // than judging it.
    if (!std::is_sorted(order.begin(), order.end(), byEntry))
        std::stable_sort(order.begin(), order.end(), byEntry);
    Counter counter(*this);
    for (const int index : order)
        report(size_t(index), counter.Next(records[size_t(index)], TextNumbers()));
}

void CatchRules::Store(CatchRecord &record, const Found &found, const std::shared_ptr<const CatchRules> &rules)
{
    CatchVerdict &verdict = record.verdict;
    verdict.broken = found.broken;
    verdict.count = found.count;
    verdict.keptKg = found.keptKg;
    verdict.rules = found.broken ? rules : nullptr;
}

CatchRules::Marker::Marker(const CatchRules &rules)
    : m_rules(std::make_shared<const CatchRules>(rules)), m_counter(std::make_unique<Counter>(*m_rules))
{
}

CatchRules::Marker::~Marker() = default;

void CatchRules::Marker::Mark(CatchRecord &record, const TextNumbers &numbers)
{
    Store(record, m_counter->Next(record, numbers), m_rules);
}

QString CatchRecord::Warning() const
{
    return verdict.rules ? verdict.rules->WarningOf(*this) : QString();
}
