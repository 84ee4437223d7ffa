#include "diary/Permit.h"

#include "data/TDbConnection.h"
#include "diary/DiarySchema.h"

#include <QDate>

namespace {
double Number(const QString &text)
{
    return QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
}

QString NumberSql(double value)
{
    return QString::number(value, 'g', 12);
}

} // namespace

bool Permit::AppliesTo(const QString &day) const
{
    return year == 0 || QStringView(day).left(4).toInt() == year;
}

int Permit::MonthDayOf(const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('-'));
    if (parts.size() != 2)
        return 0;
    bool okMonth = false, okDay = false;
    const int month = parts[0].toInt(&okMonth), day = parts[1].toInt(&okDay);
    // A leap year, so that 29 February is a day of the year.
    if (!okMonth || !okDay || !QDate(2004, month, day).isValid())
        return 0;
    return month * 100 + day;
}

QString Permit::MonthDayText(int monthDay)
{
    if (monthDay <= 0)
        return {};
    return QStringLiteral("%1-%2")
        .arg(monthDay / 100, 2, 10, QLatin1Char('0'))
        .arg(monthDay % 100, 2, 10, QLatin1Char('0'));
}

Permit Permit::Read(TDbConnection &connection)
{
    Permit permit;
    if (!HasColumn(connection, QStringLiteral("zezwolenie"), QStringLiteral("nazwa")))
        return permit;
    const auto head = SelectRows(connection, QStringLiteral("SELECT nazwa, rok, limit_kg FROM zezwolenie LIMIT 1"));
    if (!head.empty()) {
        permit.name = head.front().value(0);
        permit.year = head.front().value(1).toInt();
        permit.dailyKg = Number(head.front().value(2));
    }
    for (const QStringList &row : SelectRows(connection, QStringLiteral("SELECT gatunek, wymiar, od, do, limit_szt "
                                                                        "FROM zezwolenie_gatunki ORDER BY rowid"))) {
        PermitSpecies s;
        s.name = row.value(0).trimmed();
        s.size = Number(row.value(1));
        s.from = MonthDayOf(row.value(2));
        s.to = MonthDayOf(row.value(3));
        s.dailyCount = row.value(4).toInt();
        if (!s.name.isEmpty())
            permit.species.push_back(s);
    }
    return permit;
}

void Permit::Write(TDbConnection &connection) const
{
    InDiaryTransaction(connection, [&] {
        connection.ExecStatement(QStringLiteral("DELETE FROM zezwolenie"));
        connection.ExecStatement(QStringLiteral("DELETE FROM zezwolenie_gatunki"));
        connection.ExecStatement(QStringLiteral("INSERT INTO zezwolenie (nazwa, rok, limit_kg) VALUES (%1, %2, %3)")
                                     .arg(SqlText(name.trimmed()))
                                     .arg(year)
                                     .arg(NumberSql(dailyKg)));
        for (const PermitSpecies &s : species) {
            if (s.name.trimmed().isEmpty())
                continue;
            connection.ExecStatement(
                QStringLiteral("INSERT INTO zezwolenie_gatunki (gatunek, wymiar, od, do, limit_szt) "
                               "VALUES (%1, %2, %3, %4, %5)")
                    .arg(SqlText(s.name.trimmed()), NumberSql(s.size), SqlText(MonthDayText(s.from)),
                         SqlText(MonthDayText(s.to)))
                    .arg(s.dailyCount));
        }
    });
}
