#include "diary/CatchRegister.h"

#include "diary/CatchLog.h"
#include "diary/CatchLogCsv.h"
#include "diary/CatchValues.h"

#include <QCollator>
#include <QHash>
#include <QLocale>
#include <algorithm>

namespace {
struct Key
{
    QString day;
    QString water;
    QString species;
    bool operator==(const Key &o) const { return day == o.day && water == o.water && species == o.species; }
};
size_t qHash(const Key &key, size_t seed = 0)
{
    return qHashMulti(seed, key.day, key.water, key.species);
}

void SortByName(std::vector<CatchRegister::Total> &totals)
{
    QCollator collator{QLocale(QLocale::Polish, QLocale::Poland)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(totals.begin(), totals.end(),
              [&](const auto &a, const auto &b) { return collator.compare(a.name, b.name) < 0; });
}
} // namespace

CatchRegister CatchRegister::Build(const std::vector<CatchRecord> &records, const std::vector<Water> &waters, int year)
{
    CatchRegister reg;
    reg.year = year;
    const QString prefix = QString::number(year) + QLatin1Char('-');
    QHash<Key, size_t> lineOf;
    // Names that differ only in letter case or blanks are one species, one water.
    QHash<QString, QString> speciesName, waterName;
    auto named = [](QHash<QString, QString> &names, const QString &text) {
        const QString simple = text.simplified();
        return *names.insert(simple.toCaseFolded(), names.value(simple.toCaseFolded(), simple));
    };
    for (const CatchRecord &r : records) {
        if (!r.kept || !r.day.startsWith(prefix) || r.species.trimmed().isEmpty())
            continue;
        const QString water = r.place.simplified().isEmpty() ? UnnamedWater() : named(waterName, r.place);
        const Key key{r.day.left(10), water, named(speciesName, r.species)};
        auto it = lineOf.find(key);
        if (it == lineOf.end()) {
            it = lineOf.insert(key, reg.lines.size());
            reg.lines.push_back({key.day, key.water, Waters::NumberOf(waters, key.water), key.species, 0, 0});
        }
        Line &line = reg.lines[it.value()];
        ++line.count;
        if (r.weight > 0)
            line.weight += r.weight;
    }
    std::stable_sort(reg.lines.begin(), reg.lines.end(), [](const Line &a, const Line &b) { return a.day < b.day; });

    QHash<QString, size_t> speciesAt, waterAt;
    auto add = [](std::vector<Total> &totals, QHash<QString, size_t> &at, const QString &name, const QString &number,
                  const Line &line) {
        auto it = at.find(name);
        if (it == at.end()) {
            it = at.insert(name, totals.size());
            totals.push_back({name, number, 0, 0});
        }
        totals[it.value()].count += line.count;
        totals[it.value()].weight += line.weight;
    };
    for (const Line &line : reg.lines) {
        add(reg.bySpecies, speciesAt, line.species, QString(), line);
        add(reg.byWater, waterAt, line.water, line.number, line);
        reg.count += line.count;
        reg.weight += line.weight;
    }
    SortByName(reg.bySpecies);
    SortByName(reg.byWater);
    return reg;
}

QByteArray CatchRegister::Csv() const
{
    QString text;
    auto row = [&text](const QStringList &fields) {
        for (qsizetype i = 0; i < fields.size(); ++i)
            text += (i ? QStringLiteral(";") : QString()) + CatchLogCsv::Field(fields[i]);
        text += QLatin1String("\r\n");
    };
    const QString kg = QStringLiteral("Waga (kg)");
    row({QStringLiteral("Data"), QStringLiteral("Łowisko"), QStringLiteral("Nr łowiska"), QStringLiteral("Gatunek"),
         QStringLiteral("Liczba sztuk"), kg});
    for (const Line &l : lines)
        row({l.day, l.water, l.number, l.species, QString::number(l.count), CatchValues::MeasureText(l.weight)});
    row({});
    row({QStringLiteral("Razem według gatunków"), QString(), QString(), QString(), QStringLiteral("Liczba sztuk"), kg});
    for (const Total &t : bySpecies)
        row({QString(), QString(), QString(), t.name, QString::number(t.count), CatchValues::MeasureText(t.weight)});
    row({});
    row({QStringLiteral("Razem według łowisk"), QStringLiteral("Łowisko"), QStringLiteral("Nr łowiska"), QString(),
         QStringLiteral("Liczba sztuk"), kg});
    for (const Total &t : byWater)
        row({QString(), t.name, t.number, QString(), QString::number(t.count), CatchValues::MeasureText(t.weight)});
    row({});
    row({QStringLiteral("Razem %1").arg(year), QString(), QString(), QString(), QString::number(count),
         CatchValues::MeasureText(weight)});
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}
