#include "diary/ProtectionRule.h"

#include "data/FieldConvert.h"
#include "data/TDbQuery.h"
#include "data/TField.h"

namespace {
constexpr int EndOfFebruaryKey = 228;

QString MonthDayText(int key)
{
    return QStringLiteral("%1-%2").arg(key / 100, 2, 10, QLatin1Char('0')).arg(key % 100, 2, 10, QLatin1Char('0'));
}

QString Centimetres(double value)
{
    return FieldConvert::FloatText(value).replace(QLatin1Char('.'), QLatin1Char(','));
}

double NumberOf(const QString &text)
{
    bool ok = false;
    const double value = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).trimmed().toDouble(&ok);
    return ok ? value : 0;
}
} // namespace

namespace ProtectionRule {

QString FoldedName(const QString &name)
{
    static const QString with = QStringLiteral("ąćęłńóśźż");
    static const QString without = QStringLiteral("acelnoszz");
    QString folded = name.simplified().toLower();
    for (QChar &c : folded) {
        const qsizetype at = with.indexOf(c);
        if (at >= 0)
            c = without[at];
    }
    return folded;
}

const SpeciesProtection *Find(const std::vector<SpeciesProtection> &species, const QString &name)
{
    const QString key = FoldedName(name);
    if (key.isEmpty())
        return nullptr;
    for (const SpeciesProtection &s : species)
        if (FoldedName(s.name) == key)
            return &s;
    return nullptr;
}

int MonthDayKey(TDateTime date)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    return MonthDayKey(year, month, day);
}

int MonthDayKey(int year, int month, int day)
{
    // The zero date, 30 December 1899, is an empty date field.
    return year == 1899 && month == 12 && day == 30 ? 0 : month * 100 + day;
}

bool InClosedSeason(const SpeciesProtection &species, TDateTime day)
{
    return InClosedSeasonOn(species, MonthDayKey(DateOf(day)));
}

bool InClosedSeasonOn(const SpeciesProtection &species, int key)
{
    if (species.from == 0 || species.to == 0)
        return false;
    // The regulation says "do końca lutego"; the table can only hold 02-28, as its dates
    // lie in the year 0001, so in a leap year the 29th belongs to the season too.
    const int to = species.to == EndOfFebruaryKey ? 229 : species.to;
    if (species.from <= to)
        return key >= species.from && key <= to;
    return key >= species.from || key <= to;
}

QStringList Broken(const SpeciesProtection &species, TDateTime day, double lengthCm)
{
    QStringList broken;
    if (InClosedSeason(species, day)) {
        if (species.from == 101 && species.to == 1231)
            broken << QStringLiteral("%1 jest pod ochroną przez cały rok.").arg(species.name);
        else
            broken << QStringLiteral("%1 jest pod ochroną od %2 do %3.")
                          .arg(species.name, MonthDayText(species.from),
                               species.to == EndOfFebruaryKey ? QStringLiteral("końca lutego")
                                                              : MonthDayText(species.to));
    }
    if (species.size > 0 && lengthCm > 0 && lengthCm <= species.size)
        broken << QStringLiteral("%1 ma wymiar ochronny %2 cm, a ta ryba mierzy %3 cm.")
                      .arg(species.name, Centimetres(species.size), Centimetres(lengthCm));
    return broken;
}

QStringList Broken(const std::vector<SpeciesProtection> &species, const QString &name, TDateTime day, double lengthCm)
{
    const SpeciesProtection *found = Find(species, name);
    return found ? Broken(*found, day, lengthCm) : QStringList();
}

std::vector<SpeciesProtection> ReadSpecies(TDbConnection *connection)
{
    TDbQuery query;
    query.SetConnection(connection);
    query.SetSQL(QStringLiteral("SELECT nazwa,od,do,wymiar FROM ryby"));
    query.Open();
    std::vector<SpeciesProtection> species;
    TField *const name = query.FieldByName(QStringLiteral("nazwa"));
    TField *const from = query.FieldByName(QStringLiteral("od"));
    TField *const to = query.FieldByName(QStringLiteral("do"));
    TField *const size = query.FieldByName(QStringLiteral("wymiar"));
    for (query.First(); !query.Eof(); query.Next()) {
        SpeciesProtection s;
        s.name = name->AsString().trimmed();
        // A bound that does not read as a date counts as no season.
        try {
            s.from = MonthDayKey(from->AsDateTime());
            s.to = MonthDayKey(to->AsDateTime());
        } catch (const std::exception &) {
            s.from = s.to = 0;
        }
        s.size = NumberOf(size->AsString());
        if (!s.name.isEmpty())
            species.push_back(s);
    }
    return species;
}

} // namespace ProtectionRule
