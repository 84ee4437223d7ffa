#include "diary/CatchRules.h"

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

// yyyymmdd of a yyyy-mm-dd text, -1 for any other text.
qint64 DayNumber(QStringView day)
{
    if (day.size() != 10 || day[4] != QLatin1Char('-') || day[7] != QLatin1Char('-'))
        return -1;
    qint64 number = 0;
    for (const qsizetype i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        const char16_t c = day[i].unicode();
        if (c < '0' || c > '9')
            return -1;
        number = number * 10 + (c - '0');
    }
    return number;
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
    found.own = m_permit.AppliesTo(QStringView(record.day).left(10).toString()) ? m_permitOf.value(folded, -1) : -1;
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
    Found Next(const CatchRecord &r);

private:
    // A stored day may carry a time of day after its date.
    struct DayTally
    {
        QDate date;
        // The date as the season rules take it, converted once per day.
        TDateTime day = 0;
        bool permitBinds = false;
        // Kept fish of each species so far, by the species' number in names.
        std::vector<int> countOf;
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
    DayTally &DayOf(QStringView dayText);
    int NameOf(const QString &species);

    const CatchRules &m_rules;
    // Days are told apart by their date as a number, which hashes far faster than a
    // text; a day that is no date is its own, by its text.
    QHash<qint64, DayTally> m_days;
    QHash<QString, qint64> m_oddDays;
    // Texts read from one diary share their letters when equal, so their address finds
    // them without hashing the text.
    QHash<std::pair<const QChar *, qsizetype>, int> m_nameOf;
    QHash<QString, int> m_numberOfFolded;
    std::vector<Name> m_names;
    // Catches come a day at a time more often than not.
    qint64 m_lastKey = 0;
    DayTally *m_last = nullptr;
};

CatchRules::Counter::DayTally &CatchRules::Counter::DayOf(QStringView dayText)
{
    qint64 key = DayNumber(dayText);
    if (key < 0) {
        const QString odd = dayText.toString();
        key = -1 - *m_oddDays.insert(odd, m_oddDays.value(odd, m_oddDays.size()));
    }
    if (m_last && key == m_lastKey)
        return *m_last;
    auto tally = m_days.find(key);
    if (tally == m_days.end()) {
        tally = m_days.insert(key, {});
        tally->date = QDate::fromString(dayText, Qt::ISODate);
        if (tally->date.isValid())
            tally->day = FromQDate(tally->date);
        tally->permitBinds = m_rules.m_permit.AppliesTo(dayText.toString());
    }
    // A QHash keeps its values in place until it grows, and it grows only above.
    m_lastKey = key;
    m_last = &*tally;
    return *tally;
}

int CatchRules::Counter::NameOf(const QString &species)
{
    const std::pair<const QChar *, qsizetype> letters{species.constData(), species.size()};
    auto known = m_nameOf.constFind(letters);
    if (known != m_nameOf.constEnd())
        return known.value();
    const QString fold = ProtectionRule::FoldedName(species);
    auto number = m_numberOfFolded.constFind(fold);
    if (number == m_numberOfFolded.constEnd()) {
        number = m_numberOfFolded.insert(fold, int(m_names.size()));
        m_names.push_back({fold, m_rules.m_nationalOf.value(fold, -1), m_rules.m_permitOf.value(fold, -1),
                           fold == QLatin1String("wegorz")});
    }
    return m_nameOf.insert(letters, number.value()).value();
}

CatchRules::Found CatchRules::Counter::Next(const CatchRecord &r)
{
    DayTally &tally = DayOf(QStringView(r.day).left(10));
    Found found;
    if (!r.kept)
        return found;
    const int number = NameOf(r.species);
    const Name &species = m_names[size_t(number)];
    const bool permitBinds = tally.permitBinds;
    if (!species.folded.isEmpty()) {
        if (tally.countOf.size() <= size_t(number))
            tally.countOf.resize(m_names.size());
        found.count = ++tally.countOf[size_t(number)];
    }
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

    // A day that is no date has no season.
    const bool dated = tally.date.isValid();
    if (dated && national && ProtectionRule::InClosedSeason(*national, tally.day)) {
        found.broken |= CatchVerdict::NationalSeason;
    } else if (dated && own && own->from && own->to) {
        SpeciesProtection season;
        season.from = own->from;
        season.to = own->to;
        if (ProtectionRule::InClosedSeason(season, tally.day))
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
        report(size_t(index), counter.Next(records[size_t(index)]));
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

void CatchRules::Marker::Mark(CatchRecord &record)
{
    Store(record, m_counter->Next(record), m_rules);
}

QString CatchRecord::Warning() const
{
    return verdict.rules ? verdict.rules->WarningOf(*this) : QString();
}
